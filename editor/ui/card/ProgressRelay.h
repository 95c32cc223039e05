#pragma once
// Carries a card job's progress from its worker thread to the progress dialog
// on the UI thread (queued calls), and the dialog's Cancel back to the worker.

#include "JobProgress.h"

#include <atomic>
#include <functional>

class QWidget;

namespace pelmora::ui {

class ProgressDialog;
struct ProgressLook;

class ProgressRelay : public model::JobProgress {
public:
    // UI thread.
    explicit ProgressRelay(ProgressDialog& dialog);

    // Worker thread.
    void title(std::u16string_view text) override;
    void status(std::u16string_view text) override;
    void range(int maximum) override;
    void step() override;
    void done() override;
    // Cancel was pressed: stop at the next record.
    [[nodiscard]] bool cancelled() const { return m_cancelled.load(); }

private:
    template <typename Call> void post(Call call);

    // Outlives every call from the worker (runWithProgress joins it first);
    // calls still queued when it goes are dropped with it.
    ProgressDialog* m_dialog;
    std::atomic<bool> m_cancelled{false};
};

// Runs work on a worker thread while the progress dialog shows modally over
// owner; returns when the work has ended and the dialog has closed. The UI
// thread keeps serving events meanwhile.
void runWithProgress(const ProgressLook& look, QWidget* owner,
                     const std::function<void(ProgressRelay&)>& work);

} // namespace pelmora::ui
