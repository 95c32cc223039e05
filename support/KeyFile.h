#pragma once
// A freedesktop key file (desktop entries, mimeapps.list) edited in place:
// groups and keys match exactly (case-sensitive), and every line that is not
// changed is written back as it was read, comments included. Values are the
// raw text after "="; escaping is the caller's business.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace pelmora::qulvio {

class KeyFile {
public:
    KeyFile() = default;
    // A missing file gives an empty key file without error; error is set when
    // an existing file cannot be read.
    static KeyFile load(const std::filesystem::path& file, std::error_code& error);
    static KeyFile parse(std::string_view text);

    [[nodiscard]] std::optional<std::string> value(std::string_view group,
                                                   std::string_view key) const;
    [[nodiscard]] std::vector<std::string> keys(std::string_view group) const;
    [[nodiscard]] bool hasGroup(std::string_view group) const;

    // Replaces the first line of the key, or appends it to the group; a
    // missing group is appended to the file.
    void setValue(std::string_view group, std::string_view key, std::string_view value);
    // Removes every line of the key; returns whether there was one.
    bool removeKey(std::string_view group, std::string_view key);

    [[nodiscard]] std::string text() const;
    // Atomic replacement of the file; returns the reason on failure.
    [[nodiscard]] std::optional<std::string> save(const std::filesystem::path& file) const;

private:
    struct Line {
        std::string text;
        std::string key; // empty for comments, blank lines and anything else
        std::string value;
    };
    struct Group {
        std::string name;
        std::string header;
        std::vector<Line> lines;
    };
    std::vector<std::string> m_preamble;
    std::vector<Group> m_groups;

    [[nodiscard]] const Group* findGroup(std::string_view name) const;
    Group* findGroup(std::string_view name);
};

} // namespace pelmora::qulvio
