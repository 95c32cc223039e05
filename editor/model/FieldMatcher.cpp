#include "FieldMatcher.h"

#include "CaseInsensitive.h"

namespace pelmora::model {

namespace {

// One unit for one, so that positions in the folded text are positions in the field.
std::u16string folded(std::u16string_view text) {
    std::u16string out(text);
    for (char16_t& c : out) {
        c = platform::foldCase(c);
    }
    return out;
}

} // namespace

FieldMatcher::FieldMatcher(const SearchOptions& options)
    : m_options(options), m_foldedText(folded(options.text)) {}

std::optional<size_t> FieldMatcher::find(std::u16string_view field) const {
    if (m_options.text.empty()) {
        return std::nullopt;
    }
    if (m_options.matchWord) {
        const bool equal =
            m_options.matchCase ? field == m_options.text : folded(field) == m_foldedText;
        return equal ? std::optional<size_t>(0) : std::nullopt;
    }
    size_t at = std::u16string_view::npos;
    if (m_options.matchCase) {
        at = field.find(m_options.text);
    } else {
        at = folded(field).find(m_foldedText);
    }
    return at == std::u16string_view::npos ? std::nullopt : std::optional<size_t>(at);
}

std::optional<std::u16string> FieldMatcher::replace(std::u16string_view field,
                                                    std::u16string_view replacement) const {
    const std::optional<size_t> at = find(field);
    if (!at) {
        return std::nullopt;
    }
    if (m_options.matchWord) {
        return std::u16string(replacement);
    }
    std::u16string result(field.substr(0, *at));
    result.append(replacement);
    result.append(field.substr(*at + m_options.text.size()));
    return result;
}

} // namespace pelmora::model
