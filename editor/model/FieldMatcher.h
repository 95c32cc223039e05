#pragma once
// Matching one text field against the search text of Find and Replace.

#include <optional>
#include <string>
#include <string_view>

namespace pelmora::model {

struct SearchOptions {
    std::u16string text;
    bool matchCase = false;
    bool matchWord = false; // the whole field must equal the text
};

class FieldMatcher {
public:
    explicit FieldMatcher(const SearchOptions& options);

    [[nodiscard]] bool matches(std::u16string_view field) const { return find(field).has_value(); }
    // The field with its match replaced: the whole field when matching words,
    // else the first occurrence only; nothing when the field does not match.
    [[nodiscard]] std::optional<std::u16string> replace(std::u16string_view field,
                                                        std::u16string_view replacement) const;

private:
    SearchOptions m_options;
    std::u16string m_foldedText; // the search text without letter case

    // Start of the match.
    [[nodiscard]] std::optional<size_t> find(std::u16string_view field) const;
};

} // namespace pelmora::model
