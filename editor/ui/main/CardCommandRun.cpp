#include "CardCommandRun.h"

#include "CardCommandTexts.h"
#include "CommandWait.h"
#include "ProgressRelay.h"
#include "UiText.h"

namespace pelmora::ui {

namespace {

constexpr int kTextReadCancelled = 950;
constexpr int kTextWriteCancelled = 951;
constexpr int kTextBackupCancelled = 952;

// Passes the progress on to the dialog, and lets the window drop what it
// shows of the old books as soon as the new ones are in.
class AppliedProgress final : public model::JobProgress {
public:
    AppliedProgress(model::JobProgress& shown, const std::function<void()>& applied)
        : m_shown(shown), m_applied(applied) {}

    void title(std::u16string_view text) override { m_shown.title(text); }
    void status(std::u16string_view text) override { m_shown.status(text); }
    void range(int maximum) override { m_shown.range(maximum); }
    void step() override { m_shown.step(); }
    void done() override {
        if (m_applied)
            m_applied();
        m_shown.done();
    }

private:
    model::JobProgress& m_shown;
    const std::function<void()>& m_applied;
};

} // namespace

std::shared_ptr<model::CardCommand> runCardCommand(const ProgressLook& look, QWidget* owner,
                                                   const CardCommandStart& start,
                                                   const std::function<void()>& applied) {
    ProgressDialog dialog(look, owner);
    ProgressRelay relay(dialog);
    AppliedProgress progress(relay, applied);
    std::shared_ptr<model::CardCommand> command = start(progress);
    if (!command || command->finished())
        return command;
    QObject::connect(&dialog, &ProgressDialog::cancelRequested, &dialog,
                     [command] { command->cancel(); });
    dialog.exec();
    // The progress above must outlive the command.
    waitUntilFinished(*command);
    return command;
}

QString cardOutcomeMessage(CardWork work, const model::CardReport& report) {
    QString message = cardReportMessage(report);
    if (!report.cancelled)
        return message;
    QString cancelled;
    switch (work) {
    case CardWork::Read:
        cancelled = text(kTextReadCancelled);
        break;
    case CardWork::Write:
    case CardWork::Restore:
        cancelled = text(kTextWriteCancelled, report.recordsWritten);
        break;
    case CardWork::Backup:
        cancelled = text(kTextBackupCancelled);
        break;
    }
    return message.isEmpty() ? cancelled : cancelled + QLatin1Char('\n') + message;
}

} // namespace pelmora::ui
