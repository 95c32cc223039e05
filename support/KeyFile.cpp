#include "KeyFile.h"

#include "AtomicFile.h"

#include <algorithm>
#include <utility>

namespace pelmora::qulvio {
namespace {

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

} // namespace

KeyFile KeyFile::load(const std::filesystem::path& file, std::error_code& error) {
    error.clear();
    auto bytes = platform::readWholeFile(file, error);
    if (!bytes) {
        if (error == std::errc::no_such_file_or_directory) {
            error.clear();
        }
        return {};
    }
    return parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
}

KeyFile KeyFile::parse(std::string_view text) {
    KeyFile file;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::string_view raw = text.substr(pos, end - pos);
        pos = end + 1;
        if (!raw.empty() && raw.back() == '\r') {
            raw.remove_suffix(1);
        }
        const std::string_view line = trim(raw);
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            file.m_groups.push_back(
                {std::string(line.substr(1, line.size() - 2)), std::string(raw), {}});
            continue;
        }
        if (file.m_groups.empty()) {
            file.m_preamble.emplace_back(raw);
            continue;
        }
        Line entry{std::string(raw), {}, {}};
        const auto equals = line.find('=');
        if (!line.empty() && line.front() != '#' && equals != std::string_view::npos) {
            entry.key = std::string(trim(line.substr(0, equals)));
            entry.value = std::string(trim(line.substr(equals + 1)));
        }
        file.m_groups.back().lines.push_back(std::move(entry));
    }
    return file;
}

const KeyFile::Group* KeyFile::findGroup(std::string_view name) const {
    const auto found = std::find_if(m_groups.begin(), m_groups.end(),
                                    [&](const Group& group) { return group.name == name; });
    return found == m_groups.end() ? nullptr : &*found;
}

KeyFile::Group* KeyFile::findGroup(std::string_view name) {
    return const_cast<Group*>(std::as_const(*this).findGroup(name));
}

bool KeyFile::hasGroup(std::string_view group) const {
    return findGroup(group) != nullptr;
}

std::optional<std::string> KeyFile::value(std::string_view group, std::string_view key) const {
    if (const Group* found = findGroup(group)) {
        for (const Line& line : found->lines) {
            if (!line.key.empty() && line.key == key) {
                return line.value;
            }
        }
    }
    return std::nullopt;
}

std::vector<std::string> KeyFile::keys(std::string_view group) const {
    std::vector<std::string> names;
    if (const Group* found = findGroup(group)) {
        for (const Line& line : found->lines) {
            if (!line.key.empty() &&
                std::find(names.begin(), names.end(), line.key) == names.end()) {
                names.push_back(line.key);
            }
        }
    }
    return names;
}

void KeyFile::setValue(std::string_view group, std::string_view key, std::string_view value) {
    Group* found = findGroup(group);
    if (!found) {
        // A blank line keeps a new group apart from what comes before it.
        const std::string* last = nullptr;
        if (!m_groups.empty()) {
            last = m_groups.back().lines.empty() ? &m_groups.back().header
                                                 : &m_groups.back().lines.back().text;
        } else if (!m_preamble.empty()) {
            last = &m_preamble.back();
        }
        if (last && !trim(*last).empty()) {
            if (m_groups.empty()) {
                m_preamble.emplace_back();
            } else {
                m_groups.back().lines.push_back({});
            }
        }
        m_groups.push_back({std::string(group), "[" + std::string(group) + "]", {}});
        found = &m_groups.back();
    }
    Line line{std::string(key) + "=" + std::string(value), std::string(key), std::string(value)};
    for (Line& existing : found->lines) {
        if (existing.key == key) {
            existing = std::move(line);
            return;
        }
    }
    // New keys go after the group's last key, before trailing blank lines.
    auto at = found->lines.end();
    while (at != found->lines.begin() && trim(std::prev(at)->text).empty()) {
        --at;
    }
    found->lines.insert(at, std::move(line));
}

bool KeyFile::removeKey(std::string_view group, std::string_view key) {
    Group* found = findGroup(group);
    if (!found) {
        return false;
    }
    const auto removed = std::erase_if(
        found->lines, [&](const Line& line) { return !line.key.empty() && line.key == key; });
    return removed > 0;
}

std::string KeyFile::text() const {
    std::string out;
    for (const std::string& line : m_preamble) {
        out += line + "\n";
    }
    for (const Group& group : m_groups) {
        out += group.header + "\n";
        for (const Line& line : group.lines) {
            out += line.text + "\n";
        }
    }
    return out;
}

std::optional<std::string> KeyFile::save(const std::filesystem::path& file) const {
    const std::string bytes = text();
    return platform::writeFileAtomically(
        file, std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

} // namespace pelmora::qulvio
