#pragma once
// The entry dialogs: the simple one (111: name, number, position) for the
// standard books and the iDEN one (110: name, position, eleven values with
// their speed-dial numbers). OK stores the entry through the model.

#include "EntryDialogOpener.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QIcon;
class QLineEdit;

namespace pelmora::model {
class CategoryObserver;
}

namespace pelmora::velmet {
struct Settings;
}

namespace pelmora::ui {

class IdenFieldGrid;

class EntryDialog : public QDialog {
    Q_OBJECT
public:
    EntryDialog(model::Category& book, const model::EntryDialogOpening& opening, const QIcon& icon,
                velmet::Settings& settings, QWidget* parent = nullptr);

    // The slot written on OK, -1 when nothing changed or the dialog was cancelled.
    [[nodiscard]] int writtenSlot() const { return m_written; }
    [[nodiscard]] IdenFieldGrid* idenFields() const { return m_iden; }

    void accept() override;

private:
    model::Category& m_book;
    velmet::Settings& m_settings;
    int m_slot;
    int m_written = -1;
    std::vector<int> m_positions;
    QLineEdit* m_name;
    QLineEdit* m_number = nullptr;
    IdenFieldGrid* m_iden = nullptr;
    QComboBox* m_position;
};

// Add (slot -1) or Edit (the focused slot): opens the dialog the book needs,
// or says text 120 when the book is full and may not grow. After a change the
// list is refilled and the written entry selected. Returns the written slot
// or -1.
int runEntryDialog(model::Category& book, int slot, bool mayGrow, const QIcon& addIcon,
                   const QIcon& editIcon, velmet::Settings& settings, model::CategoryObserver* list,
                   QWidget* parent);

} // namespace pelmora::ui
