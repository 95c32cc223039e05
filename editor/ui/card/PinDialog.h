#pragma once
// The three PIN dialogs: verify a PIN (102), change it or switch the PIN1
// check (106), unblock it with its PUK (107). Digits only, input hidden unless
// SHOW_PIN, OK enabled once the fields hold something worth a card command.
// The dialog asks; the PIN flows decide and talk to the card.

#include "Settings.h"

#include <QDialog>

#include <QPixmap>

class QCheckBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace pelmora::ui {

enum class PinDialogKind { Verify, Change, Unblock };

class PinDialog : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY(PinDialog)

public:
    // type 1 or 2. pin1Disabled (Change, PIN1 only): the card's PIN1 check is off.
    PinDialog(PinDialogKind kind, int type, bool pin1Disabled, velmet::Settings& settings,
              QWidget* owner);

    [[nodiscard]] PinDialogKind kind() const { return m_kind; }
    [[nodiscard]] int type() const { return m_type; }
    void setReaderLine(const QString& line);
    void setDecoration(const QPixmap& picture);
    // The PIN's (Unblock: the PUK's) attempts left; failed shows them in red
    // after a refused attempt.
    void setAttempts(int attempts, bool failed);
    // Empties the fields for another try.
    void clearEntries();

    [[nodiscard]] QString pin() const;          // Verify: the PIN; else the new PIN
    [[nodiscard]] QString confirmation() const; // Change, Unblock
    [[nodiscard]] QString puk() const;          // Unblock
    [[nodiscard]] bool disablePin1() const;     // Change, PIN1

    void done(int result) override;

private:
    QLineEdit* addPinField(const char* name, int maxDigits);
    void buildVerify(QFormLayout& form);
    void buildChange(QFormLayout& form, bool pin1Disabled);
    void buildUnblock(QFormLayout& form);
    void showInput(bool shown);
    void updateOk();

    velmet::Settings& m_settings;
    PinDialogKind m_kind;
    int m_type;
    bool m_pin1Disabled;
    QLabel* m_decoration = nullptr;
    QLabel* m_readerLine = nullptr;
    QLabel* m_attempts = nullptr;
    QLineEdit* m_pin = nullptr;
    QLineEdit* m_confirmation = nullptr;
    QLineEdit* m_puk = nullptr;
    QCheckBox* m_showPin = nullptr;
    QCheckBox* m_disablePin1 = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace pelmora::ui
