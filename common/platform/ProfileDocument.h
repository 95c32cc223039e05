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
#include <system_error>
#include <vector>

namespace pelmora::platform {

class ProfileDocument {
public:
    ProfileDocument() = default;

    // A missing or unreadable file gives an empty document. The encoding is
    // taken from a byte-order mark (UTF-16LE, UTF-8), else the ANSI code page.
    static ProfileDocument load(const std::filesystem::path& file);
    // The same, telling why an existing file could not be read (a missing file
    // is no error): a writer must not replace a file it could not read.
    static ProfileDocument load(const std::filesystem::path& file, std::error_code& error);
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

    // The file's bytes as they would be saved (lines end "\r\n"). ANSI text
    // holding characters that the code page lacks is written as UTF-16LE
    // instead, so that saving never turns characters into '?'.
    [[nodiscard]] std::vector<uint8_t> serialize() const;
    // Atomic replacement of the target; on failure the old file is untouched
    // and the reason is returned.
    [[nodiscard]] std::optional<std::string> save(const std::filesystem::path& file) const;

private:
    enum class LineKind : uint8_t { Pair, BareKey, Other };
    // One line of a section: "key=value", a key without "=", or anything
    // else (comments, blank lines), which is written back as it was read.
    struct Line {
        LineKind kind = LineKind::Other;
        std::u16string key;   // trimmed
        std::u16string value; // trimmed, enclosing quotes kept
        std::u16string text;  // the line as it is written back
    };
    struct Section {
        std::u16string name;
        std::u16string header; // the "[name]" line as it is written back
        std::vector<Line> lines;
        // Index of each key's first line, so that books of many thousand keys
        // read in linear time: open addressing on the case-folded key's
        // hash, 0 for a free slot, else the line's index + 1.
        std::vector<uint32_t> keySlots;
        size_t keyCount = 0;

        void indexLine(size_t index);
        void rebuildIndex();
        [[nodiscard]] const Line* find(std::u16string_view key) const;
    };
    std::vector<Section> m_sections;
    std::vector<std::u16string> m_preamble; // lines before the first section
    TextEncoding m_encoding = TextEncoding::Ansi;

    Section* findSection(std::u16string_view name);
    const Section* findSection(std::u16string_view name) const;
    void parseLine(std::u16string_view line);
};

} // namespace pelmora::platform
