#include "ProfileDocument.h"

#include "AtomicFile.h"
#include "CaseInsensitive.h"
#include "CodePage.h"
#include "HexDigits.h"

#include <algorithm>

namespace pelmora::platform {
namespace {

constexpr std::u16string_view kBlanks = u" \t";

std::u16string_view trim(std::u16string_view text) {
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::u16string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

// FNV-1a over the case-folded characters: names that match ignoring case
// hash alike.
size_t keyHash(std::u16string_view key) {
    uint64_t hash = 14695981039346656037ull;
    for (char16_t c : key) {
        hash = (hash ^ foldCase(c)) * 1099511628211ull;
    }
    return static_cast<size_t>(hash ^ (hash >> 32));
}

// A line break inside a name or value would turn into new lines (even new
// sections) when the file is read back.
std::u16string singleLine(std::u16string_view text) {
    std::u16string out(text);
    std::replace_if(
        out.begin(), out.end(), [](char16_t c) { return c == u'\r' || c == u'\n'; }, u' ');
    return out;
}

std::u16string decode(std::span<const uint8_t> bytes, TextEncoding& encoding) {
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        encoding = TextEncoding::Utf16LE;
        std::u16string text;
        text.reserve(bytes.size() / 2);
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
            text.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
        }
        return text;
    }
    const std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (raw.starts_with("\xEF\xBB\xBF")) {
        encoding = TextEncoding::Utf8;
        return fromUtf8(raw.substr(3));
    }
    encoding = TextEncoding::Ansi;
    return fromAnsi(raw);
}

std::vector<uint8_t> encode(std::u16string_view text, TextEncoding encoding) {
    std::vector<uint8_t> bytes;
    if (encoding == TextEncoding::Ansi) {
        bool lossless = true;
        const std::string ansi = toAnsi(text, &lossless);
        if (lossless) {
            return {ansi.begin(), ansi.end()};
        }
        // The code page cannot hold every character: rather than write '?'
        // for them, store the file as UTF-16LE, which every reader of these
        // files recognises by its byte-order mark.
        encoding = TextEncoding::Utf16LE;
    }
    if (encoding == TextEncoding::Utf8) {
        const std::string utf8 = toUtf8(text);
        bytes = {0xEF, 0xBB, 0xBF};
        bytes.insert(bytes.end(), utf8.begin(), utf8.end());
        return bytes;
    }
    bytes.reserve(2 + text.size() * 2);
    bytes = {0xFF, 0xFE};
    for (char16_t c : text) {
        bytes.push_back(static_cast<uint8_t>(c & 0xFF));
        bytes.push_back(static_cast<uint8_t>(c >> 8));
    }
    return bytes;
}

std::optional<std::vector<uint8_t>> decodeStruct(std::u16string_view text) {
    if (text.size() < 2 || text.size() % 2 != 0) {
        return std::nullopt;
    }
    auto parsed = parseHexPairs(text);
    if (!parsed) {
        return std::nullopt;
    }
    std::vector<uint8_t>& bytes = *parsed;
    const uint8_t checksum = bytes.back();
    bytes.pop_back();
    uint8_t sum = 0;
    for (uint8_t b : bytes) {
        sum = static_cast<uint8_t>(sum + b);
    }
    if (sum != checksum) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace

void ProfileDocument::Section::indexLine(size_t index) {
    if ((keyCount + 1) * 2 > keySlots.size()) {
        // Grow to keep at most half the slots in use.
        std::vector<uint32_t> old(std::max<size_t>(16, keySlots.size() * 2), 0);
        old.swap(keySlots);
        for (uint32_t slot : old) {
            if (slot != 0) {
                size_t at = keyHash(lines[slot - 1].key) & (keySlots.size() - 1);
                while (keySlots[at] != 0) {
                    at = (at + 1) & (keySlots.size() - 1);
                }
                keySlots[at] = slot;
            }
        }
    }
    const std::u16string_view key = lines[index].key;
    size_t at = keyHash(key) & (keySlots.size() - 1);
    while (keySlots[at] != 0) {
        if (equalsIgnoreCase(lines[keySlots[at] - 1].key, key)) {
            return; // the first line of a key wins
        }
        at = (at + 1) & (keySlots.size() - 1);
    }
    keySlots[at] = static_cast<uint32_t>(index + 1);
    ++keyCount;
}

void ProfileDocument::Section::rebuildIndex() {
    keySlots.clear();
    keyCount = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != LineKind::Other) {
            indexLine(i);
        }
    }
}

const ProfileDocument::Line* ProfileDocument::Section::find(std::u16string_view key) const {
    if (keySlots.empty()) {
        return nullptr;
    }
    size_t at = keyHash(key) & (keySlots.size() - 1);
    while (keySlots[at] != 0) {
        const Line& line = lines[keySlots[at] - 1];
        if (equalsIgnoreCase(line.key, key)) {
            return &line;
        }
        at = (at + 1) & (keySlots.size() - 1);
    }
    return nullptr;
}

ProfileDocument ProfileDocument::load(const std::filesystem::path& file) {
    std::error_code ignored;
    return load(file, ignored);
}

ProfileDocument ProfileDocument::load(const std::filesystem::path& file, std::error_code& error) {
    const auto bytes = readWholeFile(file, error);
    if (!bytes) {
        if (error == std::errc::no_such_file_or_directory) {
            error.clear();
        }
        return {};
    }
    return parse(*bytes);
}

ProfileDocument ProfileDocument::parse(std::span<const uint8_t> bytes) {
    ProfileDocument document;
    const std::u16string text = decode(bytes, document.m_encoding);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(u'\n', start);
        const bool last = end == std::u16string::npos;
        if (last) {
            end = text.size();
        }
        std::u16string_view line(text.data() + start, end - start);
        if (line.ends_with(u'\r')) {
            line.remove_suffix(1);
        }
        document.parseLine(line);
        start = end + 1;
    }
    return document;
}

void ProfileDocument::parseLine(std::u16string_view raw) {
    const std::u16string_view line = trim(raw);
    if (line.starts_with(u'[')) {
        const size_t close = line.find(u']');
        const std::u16string_view name = line.substr(
            1, close == std::u16string_view::npos ? std::u16string_view::npos : close - 1);
        m_sections.push_back({std::u16string(trim(name)), std::u16string(raw), {}, {}});
        return;
    }
    if (m_sections.empty()) {
        m_preamble.emplace_back(raw);
        return;
    }
    Section& section = m_sections.back();
    Line entry;
    entry.text = raw;
    if (!line.empty() && !line.starts_with(u';')) {
        const size_t equals = line.find(u'=');
        if (equals == std::u16string_view::npos) {
            entry.kind = LineKind::BareKey;
            entry.key = line;
        } else {
            entry.kind = LineKind::Pair;
            entry.key = trim(line.substr(0, equals));
            entry.value = trim(line.substr(equals + 1));
        }
    }
    section.lines.push_back(std::move(entry));
    if (section.lines.back().kind != LineKind::Other) {
        section.indexLine(section.lines.size() - 1);
    }
}

ProfileDocument::Section* ProfileDocument::findSection(std::u16string_view name) {
    for (Section& section : m_sections) {
        if (equalsIgnoreCase(section.name, name)) {
            return &section;
        }
    }
    return nullptr;
}

const ProfileDocument::Section* ProfileDocument::findSection(std::u16string_view name) const {
    return const_cast<ProfileDocument*>(this)->findSection(name);
}

std::optional<std::u16string> ProfileDocument::value(std::u16string_view sectionName,
                                                     std::u16string_view key) const {
    const Section* section = findSection(sectionName);
    const Line* line = section ? section->find(key) : nullptr;
    if (!line || line->kind != LineKind::Pair) {
        return std::nullopt;
    }
    std::u16string_view value = line->value;
    if (value.size() >= 2 && value.front() == value.back() &&
        (value.front() == u'"' || value.front() == u'\'')) {
        value = value.substr(1, value.size() - 2);
    }
    return std::u16string(value);
}

std::vector<std::u16string> ProfileDocument::sectionNames() const {
    std::vector<std::u16string> names;
    for (const Section& section : m_sections) {
        if (findSection(section.name) == &section) {
            names.push_back(section.name);
        }
    }
    return names;
}

std::vector<std::u16string> ProfileDocument::keyNames(std::u16string_view sectionName) const {
    std::vector<std::u16string> names;
    const Section* section = findSection(sectionName);
    if (!section) {
        return names;
    }
    for (size_t i = 0; i < section->lines.size(); ++i) {
        const Line& line = section->lines[i];
        if (line.kind != LineKind::Other && section->find(line.key) == &line) {
            names.push_back(line.key);
        }
    }
    return names;
}

bool ProfileDocument::hasSection(std::u16string_view section) const {
    return findSection(section) != nullptr;
}

void ProfileDocument::setValue(std::u16string_view sectionName, std::u16string_view keyName,
                               std::u16string_view valueText) {
    const std::u16string key = singleLine(keyName);
    const std::u16string value = singleLine(valueText);
    // A section read from the file is written into as it is, whatever its
    // name holds; a new one gets the name it will be read back with.
    Section* section = findSection(sectionName);
    if (!section) {
        const std::u16string name(trim(singleLine(sectionName)));
        section = findSection(name);
        if (!section) {
            m_sections.push_back({name, u"[" + name + u"]", {}, {}});
            section = &m_sections.back();
        }
    }
    if (const Line* found = section->find(key)) {
        Line& line = section->lines[static_cast<size_t>(found - section->lines.data())];
        line.kind = LineKind::Pair;
        line.value = trim(value);
        line.text = line.key + u"=" + value;
        return;
    }
    // New keys follow the section's last key, ahead of the blank lines and
    // comments that usually separate it from the next section.
    size_t position = section->lines.size();
    while (position > 0 && section->lines[position - 1].kind == LineKind::Other) {
        --position;
    }
    const std::u16string trimmedKey(trim(key));
    Line line{LineKind::Pair, trimmedKey, std::u16string(trim(value)), trimmedKey + u"=" + value};
    section->lines.insert(section->lines.begin() + static_cast<std::ptrdiff_t>(position),
                          std::move(line));
    // Only unindexed lines moved.
    section->indexLine(position);
}

void ProfileDocument::removeKey(std::u16string_view sectionName, std::u16string_view key) {
    Section* section = findSection(sectionName);
    if (!section || !section->find(key)) {
        return;
    }
    std::erase_if(section->lines, [&](const Line& line) {
        return line.kind != LineKind::Other && equalsIgnoreCase(line.key, key);
    });
    section->rebuildIndex();
}

void ProfileDocument::removeSection(std::u16string_view name) {
    // Every copy goes, or a later duplicate would surface in its place.
    std::erase_if(m_sections,
                  [&](const Section& section) { return equalsIgnoreCase(section.name, name); });
}

std::optional<std::vector<uint8_t>> ProfileDocument::structValue(std::u16string_view section,
                                                                 std::u16string_view key,
                                                                 size_t size) const {
    const auto text = value(section, key);
    if (!text || text->size() != 2 * (size + 1)) {
        return std::nullopt;
    }
    return decodeStruct(*text);
}

std::optional<std::vector<uint8_t>> ProfileDocument::structValue(std::u16string_view section,
                                                                 std::u16string_view key) const {
    const auto text = value(section, key);
    return text ? decodeStruct(*text) : std::nullopt;
}

void ProfileDocument::setStructValue(std::u16string_view section, std::u16string_view key,
                                     std::span<const uint8_t> bytes) {
    std::u16string text;
    appendHexBytes(text, bytes);
    uint8_t sum = 0;
    for (uint8_t b : bytes) {
        sum = static_cast<uint8_t>(sum + b);
    }
    appendHexBytes(text, std::span<const uint8_t>(&sum, 1));
    setValue(section, key, text);
}

std::vector<uint8_t> ProfileDocument::serialize() const {
    std::u16string text;
    const auto append = [&text](std::u16string_view line) {
        text.append(line);
        text.append(u"\r\n");
    };
    for (const std::u16string& line : m_preamble) {
        append(line);
    }
    for (const Section& section : m_sections) {
        append(section.header);
        for (const Line& line : section.lines) {
            append(line.text);
        }
    }
    return encode(text, m_encoding);
}

std::optional<std::string> ProfileDocument::save(const std::filesystem::path& file) const {
    const std::vector<uint8_t> bytes = serialize();
    return writeFileAtomically(file, bytes);
}

} // namespace pelmora::platform
