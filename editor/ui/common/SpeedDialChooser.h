#pragma once
// Offers the free speed-dial numbers in place of a speed-dial box: a
// drop-down takes the box's place with the box's value first, and when it
// loses the focus the chosen number goes back into the box.

#include <QObject>
#include <QTimer>

#include <vector>

class QComboBox;
class QLineEdit;

namespace pelmora::ui {

class SpeedDialChooser : public QObject {
    Q_OBJECT
public:
    // The drop-down is created hidden in the parent and named "1090".
    explicit SpeedDialChooser(QWidget* parent);

    // Closes an open chooser first. freeNumbers ascending.
    void open(QLineEdit* box, const std::vector<int>& freeNumbers);
    void close();
    [[nodiscard]] bool isOpen() const { return m_box != nullptr; }
    [[nodiscard]] QComboBox* dropDown() const { return m_dropDown; }

signals:
    // The box took another number.
    void chosen(QLineEdit* box);

private:
    void watchFocus();

    QComboBox* m_dropDown;
    QLineEdit* m_box = nullptr;
    QTimer m_watch;
};

} // namespace pelmora::ui
