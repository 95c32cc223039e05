#pragma once
// Message boxes and file dialogs, captioned with the program title. Tests
// answer them in the user's place through ScriptedPrompts, so nothing blocks.
// UI thread only.

#include <QMessageBox>
#include <QString>

#include <vector>

class QWidget;

namespace pelmora::ui {

struct FileChoice {
    QString caption;
    QString folder;        // where the dialog starts
    QString proposedName;  // file name offered, may be empty
    QString filter;        // "Phone books (*.phn);;All files (*.*)"
    QString defaultSuffix; // without the dot; added when the user types none
    bool confirmOverwrite = true; // false for a file that is appended to
};

class Prompts {
public:
    // The button the user pressed; the escape button when the box was closed.
    static QMessageBox::StandardButton
    ask(QWidget* parent, QMessageBox::Icon icon, const QString& text,
        QMessageBox::StandardButtons buttons,
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    // A message with an OK button.
    static void tell(QWidget* parent, QMessageBox::Icon icon, const QString& text);

    // The chosen path, or empty when the user cancelled.
    static QString openFile(QWidget* parent, const FileChoice& choice);
    // The system asks before an existing file is replaced, unless the choice
    // says otherwise.
    static QString saveFile(QWidget* parent, const FileChoice& choice);
};

// While one exists, Prompts shows nothing: a question takes the next scripted
// button (the escape button when none is left), a file dialog the next scripted
// path (cancelled when none is left), and every message is kept for the test.
class ScriptedPrompts {
public:
    struct Shown {
        QMessageBox::Icon icon;
        QString text;
    };

    ScriptedPrompts();
    ~ScriptedPrompts();
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    void answer(QMessageBox::StandardButton button);
    void chooseFile(const QString& path);

    [[nodiscard]] const std::vector<Shown>& shown() const { return m_shown; }
    [[nodiscard]] bool allAnswersUsed() const;

private:
    friend class Prompts;
    QMessageBox::StandardButton takeButton(QMessageBox::StandardButtons buttons);
    QString takeFile();

    std::vector<QMessageBox::StandardButton> m_buttons;
    std::vector<QString> m_files;
    std::vector<Shown> m_shown;
    std::size_t m_nextButton = 0;
    std::size_t m_nextFile = 0;
};

} // namespace pelmora::ui
