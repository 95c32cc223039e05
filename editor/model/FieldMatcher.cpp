#include "FieldMatcher.h"

#include "TextCase.h"

namespace pelmora::model {

FieldMatcher::FieldMatcher(const SearchOptions& options)
    : m_options(options), m_upperText(toUpper(options.text)) {}

std::optional<size_t> FieldMatcher::find(std::u16string_view field) const {
    if (m_options.text.empty()) {
        return std::nullopt;
    }
    if (m_options.matchWord) {
        const bool equal =
            m_options.matchCase ? field == m_options.text : toUpper(field) == m_upperText;
        return equal ? std::optional<size_t>(0) : std::nullopt;
    }
    size_t at = std::u16string_view::npos;
    if (m_options.matchCase) {
        at = field.find(m_options.text);
    } else {
        const std::u16string upper = toUpper(field);
        at = upper.find(m_upperText);
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
