#include "CellEditDelegate.h"

#include "Category.h"
#include "CellLimits.h"
#include "CharacterFilter.h"
#include "EntryTableModel.h"
#include "FieldRules.h"
#include "ListColumns.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace pelmora::ui {

namespace {

std::u16string_view allowedCharacters(uint16_t kind, int column) {
    switch (model::columnRole(kind, column)) {
    case model::ColumnRole::Number:
    case model::ColumnRole::MessageNumber:
    case model::ColumnRole::ServiceCentre:
        return model::kNumberCharacters;
    default:
        return {};
    }
}

} // namespace

CellEditDelegate::CellEditDelegate(const EntryTableModel& model, QObject* parent)
    : QStyledItemDelegate(parent), m_model(model) {}

QWidget* CellEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
    const model::Category* category = m_model.category();
    const int column = index.column();
    const size_t limit = category != nullptr ? model::cellCharacterLimit(*category, column) : 0;
    if (limit == 0)
        return nullptr;
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("1003"));
    edit->setFrame(false);
    edit->setMaxLength(int(limit));
    const std::u16string_view allowed = allowedCharacters(category->kind(), column);
    connect(edit, &QLineEdit::textEdited, edit, [edit, allowed, category, column] {
        std::u16string typed = edit->text().toStdU16String();
        int caret = edit->cursorPosition();
        if (!allowed.empty()) {
            const model::FilteredText filtered =
                model::filterCharacters(typed, allowed, size_t(caret));
            if (filtered.changed) {
                typed = filtered.text;
                caret = int(filtered.caret);
            }
        }
        // A name the card cannot hold in full loses what was typed last.
        while (!typed.empty() && !model::cellTextFits(*category, column, typed) && caret > 0) {
            typed.erase(size_t(caret - 1), 1);
            --caret;
        }
        const QString now = QString::fromStdU16String(typed);
        if (now != edit->text()) {
            edit->setText(now);
            edit->setCursorPosition(caret);
        }
    });
    return edit;
}

bool CellEditDelegate::eventFilter(QObject* object, QEvent* event) {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor == nullptr)
        return QStyledItemDelegate::eventFilter(object, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            emit closeEditor(editor, NoHint);
            return true;
        }
        // At once, so that no focus change can come between.
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit commitData(editor);
            emit closeEditor(editor, NoHint);
            return true;
        }
    }
    if (event->type() == QEvent::FocusOut) {
        emit closeEditor(editor, NoHint);
        return false;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace pelmora::ui
