#include "CellEditDelegate.h"

#include "Category.h"
#include "CellLimits.h"
#include "CharacterFilter.h"
#include "EntryTableModel.h"
#include "FieldRules.h"
#include "FilteredLineEdit.h"
#include "ListColumns.h"

#include <QEvent>
#include <QKeyEvent>

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
    const std::u16string_view allowed = allowedCharacters(category->kind(), column);
    auto* edit = new FilteredLineEdit(
        [allowed, category, column](const QString& text, int caret) {
            std::u16string typed = text.toStdU16String();
            if (!allowed.empty()) {
                const model::FilteredText filtered =
                    model::filterCharacters(typed, allowed, size_t(std::max(caret, 0)));
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
            return FilteredLineEdit::Filtered{now, caret, now != text};
        },
        parent);
    edit->setObjectName(QStringLiteral("1003"));
    edit->setFrame(false);
    edit->setMaxLength(int(limit));
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
