#pragma once
// The iDEN panel beside the list: the eleven values of the selected contact
// with their speed-dial numbers (the shared iDEN field grid), the unused
// speed-dial group row, and Apply (1042), enabled by a change.

#include "RowCommit.h"

#include <QGroupBox>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pelmora::model {
class Category;
}

namespace pelmora::ui {

class IdenFieldGrid;

class IdenPanel : public QGroupBox {
    Q_OBJECT

public:
    explicit IdenPanel(QWidget* parent = nullptr);

    void applyLanguage();
    // Shows the contact of slot (-1 or an empty book: cleared).
    void showEntry(model::Category* category, int slot);
    [[nodiscard]] int slot() const { return m_slot; }
    [[nodiscard]] model::IdenValues values() const;

signals:
    void applyRequested();

private:
    [[nodiscard]] bool differsFromStored() const;

    IdenFieldGrid* m_grid = nullptr;
    QLabel* m_groupLabel = nullptr;
    QLineEdit* m_groupEdit = nullptr;
    QLineEdit* m_groupBox = nullptr;
    QPushButton* m_apply = nullptr;
    model::Category* m_category = nullptr;
    int m_slot = -1;
};

} // namespace pelmora::ui
