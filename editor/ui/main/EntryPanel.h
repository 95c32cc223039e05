#pragma once
// A panel beside the list with the values of the selected contact that the
// list has no column for, and Apply, enabled while what the panel shows
// differs from the stored entry. Apply stores it as one undo step.

#include "RowCommit.h"

#include <QGroupBox>

class QPushButton;
struct PhoneBookEntry;

namespace pelmora::model {
class Category;
}

namespace pelmora::ui {

class EntryPanel : public QGroupBox {
    Q_OBJECT

public:
    void applyLanguage();
    // Shows the contact of slot (-1 or an empty book: cleared).
    void showEntry(model::Category* category, int slot);
    [[nodiscard]] int slot() const { return m_slot; }
    // Stores what the panel shows into the shown slot.
    [[nodiscard]] virtual model::RowCommit commit(bool simWithoutHoles) = 0;

signals:
    void applyRequested();

protected:
    EntryPanel(const QString& applyName, QWidget* parent);

    [[nodiscard]] QPushButton* applyButton() const { return m_apply; }
    [[nodiscard]] model::Category* category() const { return m_category; }
    [[nodiscard]] const PhoneBookEntry* storedEntry() const;
    // After every edit of a value.
    void valuesEdited();

    virtual void fill(const model::Category* category, int slot) = 0;
    virtual void applyFieldTexts() = 0;
    [[nodiscard]] virtual bool differsFromStored() const = 0;
    virtual void beforeApply() {}

private:
    QPushButton* m_apply = nullptr;
    model::Category* m_category = nullptr;
    int m_slot = -1;
};

} // namespace pelmora::ui
