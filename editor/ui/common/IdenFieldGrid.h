#pragma once
// The eleven values of an iDEN contact with their speed-dial boxes, one row
// each: every edit filtered to its value's characters, a newly filled value
// given the lowest free speed-dial number (emptied again when none is left),
// an emptied one losing its number, and a box that gets the focus replaced
// by the chooser of free numbers.

#include <QWidget>

#include <array>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;

namespace pelmora::model {
class Category;
}

namespace pelmora::ui {

class SpeedDialChooser;

class IdenFieldGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRows = 11;

    explicit IdenFieldGrid(QWidget* parent = nullptr);

    // The entry of slot (empty fields when slot is -1 or empty); the book
    // stays the source of the free numbers while it is shown.
    void showEntry(const model::Category& book, int slot);
    // Indexed by value (PhoneBookValue).
    [[nodiscard]] std::array<std::u16string, kRows> values() const;
    [[nodiscard]] std::array<std::u16string, kRows> speedDials() const;
    [[nodiscard]] QLineEdit* valueEdit(int value) const;
    [[nodiscard]] QLineEdit* speedDialBox(int value) const;
    [[nodiscard]] SpeedDialChooser* chooser() const { return m_chooser; }

    bool eventFilter(QObject* watched, QEvent* event) override;

signals:
    void edited();

private:
    void valueEdited(int row);
    [[nodiscard]] std::vector<uint8_t> freeMap() const;

    const model::Category* m_book = nullptr;
    int m_slot = -1;
    [[nodiscard]] static int rowOfValue(int value);
    [[nodiscard]] static std::array<std::u16string, kRows>
    textsByValue(const std::array<QLineEdit*, kRows>& rows);

    std::array<QLineEdit*, kRows> m_edits{};
    std::array<QLineEdit*, kRows> m_boxes{};
    SpeedDialChooser* m_chooser;
};

} // namespace pelmora::ui
