#include "Prompts.h"

#include "UiText.h"

#include <QFileDialog>

namespace pelmora::ui {

namespace {

ScriptedPrompts*& scripted() {
    static ScriptedPrompts* current = nullptr;
    return current;
}

QMessageBox::StandardButton escapeButton(QMessageBox::StandardButtons buttons) {
    for (const auto button : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Close,
                              QMessageBox::Abort, QMessageBox::Ok}) {
        if (buttons.testFlag(button))
            return button;
    }
    return QMessageBox::NoButton;
}

QString chooseFile(QWidget* parent, const FileChoice& choice, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, choice.caption, choice.folder, choice.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (!choice.defaultSuffix.isEmpty())
        dialog.setDefaultSuffix(choice.defaultSuffix);
    if (!choice.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!choice.proposedName.isEmpty())
        dialog.selectFile(choice.proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QMessageBox::StandardButton Prompts::ask(QWidget* parent, QMessageBox::Icon icon,
                                         const QString& text, QMessageBox::StandardButtons buttons,
                                         QMessageBox::StandardButton defaultButton) {
    if (ScriptedPrompts* script = scripted()) {
        script->m_shown.push_back({icon, text});
        return script->takeButton(buttons);
    }
    QMessageBox box(icon, programTitle(), text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    const int pressed = box.exec();
    return pressed == -1 ? escapeButton(buttons) : QMessageBox::StandardButton(pressed);
}

void Prompts::tell(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    (void)ask(parent, icon, text, QMessageBox::Ok);
}

QString Prompts::openFile(QWidget* parent, const FileChoice& choice) {
    if (ScriptedPrompts* script = scripted())
        return script->takeFile();
    return chooseFile(parent, choice, QFileDialog::AcceptOpen);
}

QString Prompts::saveFile(QWidget* parent, const FileChoice& choice) {
    if (ScriptedPrompts* script = scripted())
        return script->takeFile();
    return chooseFile(parent, choice, QFileDialog::AcceptSave);
}

ScriptedPrompts::ScriptedPrompts() {
    scripted() = this;
}

ScriptedPrompts::~ScriptedPrompts() {
    if (scripted() == this)
        scripted() = nullptr;
}

void ScriptedPrompts::answer(QMessageBox::StandardButton button) {
    m_buttons.push_back(button);
}

void ScriptedPrompts::chooseFile(const QString& path) {
    m_files.push_back(path);
}

QMessageBox::StandardButton ScriptedPrompts::takeButton(QMessageBox::StandardButtons buttons) {
    return m_nextButton < m_buttons.size() ? m_buttons[m_nextButton++] : escapeButton(buttons);
}

QString ScriptedPrompts::takeFile() {
    return m_nextFile < m_files.size() ? m_files[m_nextFile++] : QString();
}

bool ScriptedPrompts::allAnswersUsed() const {
    return m_nextButton == m_buttons.size() && m_nextFile == m_files.size();
}

} // namespace pelmora::ui
