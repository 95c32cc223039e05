#pragma once
// Carries a worker's progress to the UI thread. The worker reports here; the
// reports gathered since the last delivery go to the UI's JobProgress in one
// posted task, so a book of many records does not flood the event loop.

#include "JobProgress.h"
#include "UiThread.h"

#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace pelmora::model {

class ProgressRelay : public JobProgress,
                      public std::enable_shared_from_this<ProgressRelay> {
public:
    // target is called on the UI thread only, and must outlive the relay's
    // posted tasks (the command that owns both ends after the last of them).
    ProgressRelay(UiThread& uiThread, JobProgress& target) : m_ui(uiThread), m_target(target) {}

    // Called on the worker thread.
    void title(std::u16string_view text) override;
    void status(std::u16string_view text) override;
    void range(int maximum) override;
    void step() override;
    // The command reports the end itself, after applying its work.
    void done() override {}

private:
    void schedule();
    void deliver(); // on the UI thread

    UiThread& m_ui;
    JobProgress& m_target;
    std::mutex m_mutex;
    bool m_posted = false;
    std::optional<std::u16string> m_title;
    std::optional<std::u16string> m_status;
    std::optional<int> m_range;
    int m_steps = 0;
};

} // namespace pelmora::model
