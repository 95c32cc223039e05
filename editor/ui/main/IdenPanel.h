#pragma once
// The iDEN panel beside the list: the eleven values of the selected contact
// with their speed-dial numbers (the shared iDEN field grid), the unused
// speed-dial group row, and Apply (1042), enabled by a change.

#include "EntryPanel.h"

class QLabel;
class QLineEdit;

namespace pelmora::ui {

class IdenFieldGrid;

class IdenPanel : public EntryPanel {
    Q_OBJECT

public:
    explicit IdenPanel(QWidget* parent = nullptr);

    [[nodiscard]] model::IdenValues values() const;
    [[nodiscard]] model::RowCommit commit(bool simWithoutHoles) override;

private:
    void fill(const model::Category* category, int slot) override;
    void applyFieldTexts() override;
    [[nodiscard]] bool differsFromStored() const override;
    void beforeApply() override;

    IdenFieldGrid* m_grid = nullptr;
    QLabel* m_groupLabel = nullptr;
    QLineEdit* m_groupEdit = nullptr;
    QLineEdit* m_groupBox = nullptr;
};

} // namespace pelmora::ui
