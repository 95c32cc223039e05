#pragma once
// The window's answer to the PIN flows: each question is a PIN dialog over the
// owner, each notice a message box. A refused PIN is asked again in the same
// dialog, which shows the new count in red. UI thread only.

#include "PinPrompter.h"
#include "Settings.h"

#include <QPixmap>
#include <QPointer>
#include <QString>

class QWidget;

namespace pelmora::ui {

class PinDialog;
enum class PinDialogKind;

class WindowPinPrompter : public model::PinPrompter {
public:
    WindowPinPrompter(QWidget* owner, velmet::Settings& settings);
    ~WindowPinPrompter() override;
    WindowPinPrompter(const WindowPinPrompter&) = delete;
    WindowPinPrompter& operator=(const WindowPinPrompter&) = delete;

    // The reader the card sits in, shown in every dialog.
    void setReaderLine(const QString& line) { m_readerLine = line; }
    void setDecoration(const QPixmap& picture) { m_decoration = picture; }

    bool askPin(int type, int attempts, bool failed, model::SecretText& pin) override;
    bool askChange(int type, int attempts, bool pin1Disabled, bool failed,
                   model::PinChange& answer) override;
    bool askUnblock(int type, int pukAttempts, bool failed, model::PinUnblock& answer) override;
    void notice(int type, model::PinNotice notice) override;
    void cardError(int type, const std::u16string& text) override;

private:
    // The dialog of the last question when this one asks again after a
    // refusal, else a new one.
    PinDialog& dialogFor(PinDialogKind kind, int type, bool pin1Disabled, bool again);
    bool run(PinDialog& dialog, int attempts, bool failed);

    QPointer<QWidget> m_owner;
    velmet::Settings& m_settings;
    QString m_readerLine;
    QPixmap m_decoration;
    // Owned here unless the owner window goes first.
    QPointer<PinDialog> m_dialog;
};

} // namespace pelmora::ui
