#include "BookCardFixture.h"

#include "card/SIMCard.h"
#include "codec/FieldText.h"

#include <dlfcn.h>

#include <fstream>
#include <optional>
#include <sstream>

namespace brontel::test {

namespace {

constexpr size_t kMaxRecords = 3 * 254;

// Controls beyond those of the common fixture, from the same library instance.
struct TraceControls {
    decltype(&virtualsim_trace_size) trace_size = nullptr;
    decltype(&virtualsim_trace_entry) trace_entry = nullptr;
    decltype(&virtualsim_clear_trace) clear_trace = nullptr;
};

const TraceControls& traceControls() {
    static const TraceControls controls = [] {
        TraceControls c;
        void* library = dlopen(VIRTUALSIM_PATH, RTLD_NOW | RTLD_LOCAL);
        c.trace_size =
            reinterpret_cast<decltype(c.trace_size)>(dlsym(library, "virtualsim_trace_size"));
        c.trace_entry =
            reinterpret_cast<decltype(c.trace_entry)>(dlsym(library, "virtualsim_trace_entry"));
        c.clear_trace =
            reinterpret_cast<decltype(c.clear_trace)>(dlsym(library, "virtualsim_clear_trace"));
        return c;
    }();
    return controls;
}

void collectProgress(int index, int total, const char16_t* name, const char16_t* value,
                     intptr_t user) {
    reinterpret_cast<std::vector<ProgressCall>*>(user)->push_back(
        {index, total, name ? name : u"", value ? value : u"",
         name == nullptr && value == nullptr});
}

} // namespace

std::string cardProfile(const std::string& name) {
    const std::string path = name == "demo"
                                 ? std::string(PELMORA_DEMO_CARD)
                                 : std::string(PELMORA_TEST_CARDS) + "/" + name + ".simcard";
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

PhoneBookEntry entry(std::u16string_view name, std::u16string_view number) {
    PhoneBookEntry e{};
    codec::setFieldText(e.name, name);
    codec::setFieldText(e.value0, number);
    return e;
}

std::u16string nameOf(const PhoneBookEntry& e) {
    return std::u16string(codec::fieldText(e.name));
}

std::u16string valueOf(const PhoneBookEntry& e, int value) {
    const PhoneBookValueField field = phoneBookValue(const_cast<PhoneBookEntry&>(e), value);
    return std::u16string(codec::fieldText(field.text, field.capacity));
}

void BookCard::SetUp() {
    VirtualCard::SetUp();
    use(cardProfile("demo"));
}

void BookCard::use(const std::string& profile, bool verifyPin2) {
    card.disconnect();
    insert(profile);
    connect();
    ASSERT_EQ(card.verify_chv("1234", 1), 1);
    if (verifyPin2) {
        ASSERT_EQ(card.verify_chv("5678", 2), 1);
    }
    clearTrace();
}

BookRead BookCard::read(int efId) {
    BookRead out;
    PhoneBookRequest request{};
    if (get_phone_book(&card, efId, &request) != 1) {
        ADD_FAILURE() << "the book does not describe itself: " << lastError();
        out.count = request.count;
        out.entries.resize(kMaxRecords); // for the checks that follow
        return out;
    }
    out.entries.resize(static_cast<size_t>(request.count));
    request.entries = out.entries.data();
    m_readProgress.clear();
    request.user = reinterpret_cast<intptr_t>(&m_readProgress);
    request.progress = collectProgress;
    out.result = get_phone_book(&card, efId, &request);
    out.count = request.count;
    return out;
}

int BookCard::write(int efId, std::vector<PhoneBookEntry>& entries,
                    std::vector<ProgressCall>* progress) {
    PhoneBookRequest request{};
    request.entries = entries.data();
    request.count = static_cast<int32_t>(entries.size());
    if (progress != nullptr) {
        request.user = reinterpret_cast<intptr_t>(progress);
        request.progress = collectProgress;
    }
    return set_phone_book(&card, efId, &request);
}

int BookCard::lastError() {
    return get_last_error(&card);
}

std::vector<std::vector<uint8_t>> BookCard::records(FileId directory, FileId ef) {
    std::vector<std::vector<uint8_t>> out;
    SimFileInfo info;
    EXPECT_EQ(card.select(files::kMasterFile), 1);
    EXPECT_EQ(card.select(directory), 1);
    EXPECT_EQ(card.select(ef, &info.length), 1);
    EXPECT_EQ(card.status(&info, 0), 1);
    for (int i = 1; i <= info.recordCount(); ++i) {
        std::vector<uint8_t> record(info.recordLength);
        EXPECT_EQ(card.read_record(static_cast<uint8_t>(i), info.recordLength,
                                   SIMCard::kModeAbsolute, record),
                  1);
        out.push_back(std::move(record));
    }
    return out;
}

std::vector<std::vector<uint8_t>> BookCard::commands() const {
    std::vector<std::vector<uint8_t>> out;
    const TraceControls& c = traceControls();
    for (size_t i = 0; i < c.trace_size(); ++i) {
        VirtualSimApdu apdu{};
        c.trace_entry(i, &apdu);
        out.emplace_back(apdu.command,
                         apdu.command + std::min(apdu.commandLength, sizeof apdu.command));
    }
    return out;
}

size_t BookCard::commandCount(uint8_t ins) const {
    size_t n = 0;
    for (const auto& command : commands()) {
        n += command.size() > 1 && command[1] == ins;
    }
    return n;
}

void BookCard::clearTrace() {
    traceControls().clear_trace();
}

void BookCard::addFault(const std::string& rules) {
    ASSERT_EQ(sim().add_fault(rules.c_str()), 0) << sim().last_error();
}

std::string profileHex(const std::vector<uint8_t>& bytes) {
    std::string text = hexText(bytes);
    std::erase(text, ' ');
    return text;
}

} // namespace brontel::test
