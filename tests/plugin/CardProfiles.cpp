#include "CardProfiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>

namespace brontel::test {

std::filesystem::path cardPath(const std::string& name) {
    if (name == "demo") {
        return PELMORA_DEMO_CARD;
    }
    return std::filesystem::path(PELMORA_TEST_CARDS) / (name + ".simcard");
}

std::string cardProfile(const std::string& name) {
    const std::filesystem::path path = cardPath(name);
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_FALSE(text.str().empty()) << path;
    return text.str();
}

namespace {

// Where a section of a profile lies: its header, its key lines, and the line
// ending the profile uses.
struct Section {
    size_t header = 0;
    size_t body = 0;
    size_t end = 0; // the next section's header, or the end of the profile
    std::string eol;
};

std::optional<Section> findSection(const std::string& profile, std::string_view name) {
    Section s;
    s.eol = profile.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    const std::string header = "[" + std::string(name) + "]" + s.eol;
    s.header = profile.find(header);
    if (s.header == std::string::npos) {
        ADD_FAILURE() << "no section " << name;
        return std::nullopt;
    }
    s.body = s.header + header.size();
    const size_t next = profile.find(s.eol + "[", s.body);
    s.end = next == std::string::npos ? profile.size() : next + s.eol.size();
    return s;
}

} // namespace

std::string withKey(std::string profile, std::string_view section, std::string_view key,
                    std::string_view value) {
    const std::optional<Section> s = findSection(profile, section);
    if (!s) {
        return profile;
    }
    const std::string line = std::string(key) + "=" + std::string(value) + s->eol;
    for (size_t at = s->body; at < s->end;) {
        const size_t lineEnd = profile.find(s->eol, at);
        if (profile.compare(at, key.size() + 1, std::string(key) + "=") == 0) {
            profile.replace(at, lineEnd + s->eol.size() - at, line);
            return profile;
        }
        at = lineEnd == std::string::npos ? s->end : lineEnd + s->eol.size();
    }
    profile.insert(s->body, line);
    return profile;
}

std::string withSection(std::string profile, std::string_view section, std::string_view body) {
    const std::optional<Section> s = findSection(profile, section);
    if (!s) {
        return profile;
    }
    std::string lines;
    for (char c : body) {
        lines += c == '\n' ? s->eol : std::string(1, c);
    }
    profile.replace(s->body, s->end - s->body, lines + s->eol + s->eol);
    return profile;
}

std::string withoutSection(std::string profile, std::string_view section) {
    if (const std::optional<Section> s = findSection(profile, section)) {
        profile.erase(s->header, s->end - s->header);
    }
    return profile;
}

std::string profileHex(const std::vector<uint8_t>& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (uint8_t b : bytes) {
        text += kDigits[b >> 4];
        text += kDigits[b & 0xF];
    }
    return text;
}

} // namespace brontel::test
