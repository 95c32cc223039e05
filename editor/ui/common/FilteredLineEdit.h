#pragma once
// An edit field that takes only some characters: whatever the user types or
// pastes outside the set vanishes at once and the caret stays where it was.

#include <QLineEdit>

#include <functional>
#include <string>

namespace pelmora::ui {

class FilteredLineEdit : public QLineEdit {
    Q_OBJECT
public:
    // The filter gets the text and where the selection started and returns
    // the filtered text with its caret; see model::filterCharacters.
    struct Filtered {
        QString text;
        int caret = 0;
        bool changed = false;
    };
    using Filter = std::function<Filtered(const QString& text, int selectionStart)>;

    explicit FilteredLineEdit(Filter filter, QWidget* parent = nullptr);
    // Only the characters of the set.
    static FilteredLineEdit* ofCharacters(std::u16string allowed, QWidget* parent = nullptr);

private:
    void filterEdit();

    Filter m_filter;
};

} // namespace pelmora::ui
