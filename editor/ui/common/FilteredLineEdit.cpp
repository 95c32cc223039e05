#include "FilteredLineEdit.h"

#include "CharacterFilter.h"
#include "UiText.h"

namespace pelmora::ui {

FilteredLineEdit::FilteredLineEdit(Filter filter, QWidget* parent)
    : QLineEdit(parent), m_filter(std::move(filter)) {
    // Only what the user types or pastes: texts set by the program are the
    // stored ones and must come back unchanged.
    connect(this, &QLineEdit::textEdited, this, &FilteredLineEdit::filterEdit);
}

FilteredLineEdit* FilteredLineEdit::ofCharacters(std::u16string allowed, QWidget* parent) {
    return new FilteredLineEdit(
        [allowed = std::move(allowed)](const QString& text, int selectionStart) {
            const model::FilteredText f = model::filterCharacters(
                toU16(text), allowed, static_cast<size_t>(std::max(selectionStart, 0)));
            return Filtered{QString::fromStdU16String(f.text), static_cast<int>(f.caret),
                            f.changed};
        },
        parent);
}

void FilteredLineEdit::filterEdit() {
    // After typing, the caret stands just past what arrived.
    const Filtered filtered = m_filter(text(), cursorPosition());
    if (filtered.changed) {
        setText(filtered.text);
        setCursorPosition(filtered.caret);
    }
}

} // namespace pelmora::ui
