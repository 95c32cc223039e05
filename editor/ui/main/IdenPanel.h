#pragma once
// The iDEN panel beside the list: the eleven values of the selected contact
// with their speed-dial numbers, a chooser of free numbers in place of a
// speed-dial box, and Apply (1042), enabled by a change.

#include "RowCommit.h"

#include <QGroupBox>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pelmora::model {
class Category;
}

namespace pelmora::ui {

class IdenPanel : public QGroupBox {
    Q_OBJECT

public:
    static constexpr int kRows = 11;

    explicit IdenPanel(QWidget* parent = nullptr);

    void applyLanguage();
    // Shows the contact of slot (-1 or an empty book: cleared).
    void showEntry(model::Category* category, int slot);
    [[nodiscard]] int slot() const { return m_slot; }
    [[nodiscard]] model::IdenValues values() const;

signals:
    void applyRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void valueEdited(int row);
    void openChooser(int row);
    void closeChooser();
    [[nodiscard]] std::vector<uint8_t> freeNumbers() const;
    void clearFields();

    std::array<QLabel*, kRows + 1> m_labels{};
    std::array<QLineEdit*, kRows + 1> m_edits{};
    std::array<QLineEdit*, kRows + 1> m_boxes{};
    QLabel* m_speedDialLabel = nullptr;
    QComboBox* m_chooser = nullptr;
    QPushButton* m_apply = nullptr;
    model::Category* m_category = nullptr;
    int m_slot = -1;
    int m_chooserRow = -1;
};

} // namespace pelmora::ui
