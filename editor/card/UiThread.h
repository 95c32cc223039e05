#pragma once
// The "post to the UI thread" hook of the card commands. The window posts
// with a queued call into its event loop; velmet-cli and the tests run a
// UiTaskQueue on the thread that waits for the command.

#include <functional>

namespace pelmora::model {

class UiThread {
public:
    virtual ~UiThread() = default;
    // Called on any thread. Runs task later on the UI thread, after every
    // task posted before it.
    virtual void post(std::function<void()> task) = 0;
};

// For the synchronous callers (velmet-cli's own opening, tests): the calling
// thread stands for the UI thread, and a task runs at once.
class CallingThread final : public UiThread {
public:
    void post(std::function<void()> task) override { task(); }
};

// Called on a worker: runs ask on the UI thread and waits for its answer.
// What ask throws is thrown here.
bool askOnUiThread(UiThread& uiThread, const std::function<bool()>& ask);
// Called on a worker: runs task on the UI thread and waits until it is done.
void runOnUiThread(UiThread& uiThread, const std::function<void()>& task);

} // namespace pelmora::model
