#pragma once
// An INI file held in memory with the semantics of the Windows private-profile
// functions: section and key names match case-insensitively, the first of
// duplicate sections or keys wins, values are trimmed and lose one pair of
// enclosing quotes. Load once, read and change in memory, save once: every
// save writes a temporary file beside the target and renames it over the
// target only when complete.

#include "TextEncoding.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pelmora::platform {

class ProfileDocument {
public:
    ProfileDocument() = default;

    // A missing or unreadable file gives an empty document. The encoding is
    // taken from a byte-order mark (UTF-16LE, UTF-8), else the ANSI code page.
    static ProfileDocument load(const std::filesystem::path& file);
    // Parses text already in memory (the bytes of a file, BOM included).
    static ProfileDocument parse(std::span<const uint8_t> bytes);

    [[nodiscard]] std::optional<std::u16string> value(std::u16string_view section,
                                                      std::u16string_view key) const;
    [[nodiscard]] std::vector<std::u16string> sectionNames() const;
    [[nodiscard]] std::vector<std::u16string> keyNames(std::u16string_view section) const;
    [[nodiscard]] bool hasSection(std::u16string_view section) const;

    void setValue(std::u16string_view section, std::u16string_view key, std::u16string_view value);
    void removeKey(std::u16string_view section, std::u16string_view key);
    void removeSection(std::u16string_view section);

    // "Struct" values: two upper-case hex digits per byte and one checksum byte
    // (the sum of the bytes modulo 256). A value of another length or with a
    // bad checksum reads as nothing.
    [[nodiscard]] std::optional<std::vector<uint8_t>>
    structValue(std::u16string_view section, std::u16string_view key, size_t size) const;
    // The same without a fixed size: any whole number of bytes with a valid checksum.
    [[nodiscard]] std::optional<std::vector<uint8_t>> structValue(std::u16string_view section,
                                                                  std::u16string_view key) const;
    void setStructValue(std::u16string_view section, std::u16string_view key,
                        std::span<const uint8_t> bytes);

    [[nodiscard]] TextEncoding encoding() const { return m_encoding; }
    void setEncoding(TextEncoding encoding) { m_encoding = encoding; }

    // The file's bytes as they would be saved (lines end "\r\n").
    [[nodiscard]] std::vector<uint8_t> serialize() const;
    // Atomic replacement of the target; on failure the old file is untouched
    // and the reason is returned.
    [[nodiscard]] std::optional<std::string> save(const std::filesystem::path& file) const;

private:
    struct Entry {
        std::u16string key;   // empty key with hasEquals=false: a line kept as it was
        std::u16string value;
        std::u16string raw;   // the original line, for lines that are not key=value
        bool isPair = true;
    };
    struct Section {
        std::u16string name;
        std::vector<Entry> entries;
    };
    std::vector<Section> m_sections;
    std::vector<std::u16string> m_preamble; // lines before the first section
    TextEncoding m_encoding = TextEncoding::Ansi;

    Section* findSection(std::u16string_view name);
    const Section* findSection(std::u16string_view name) const;
};

} // namespace pelmora::platform
