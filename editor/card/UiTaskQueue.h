#pragma once
// A UI thread without a window: tasks posted from any thread run when the
// owning thread calls runPending() or runUntil().

#include "UiThread.h"

#include <condition_variable>
#include <deque>
#include <mutex>

namespace pelmora::model {

class UiTaskQueue : public UiThread {
public:
    void post(std::function<void()> task) override;
    // On the owning thread: runs the tasks posted so far; how many ran.
    size_t runPending();
    // On the owning thread: runs tasks as they come until done() holds.
    void runUntil(const std::function<bool()>& done);

private:
    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_tasks;
};

} // namespace pelmora::model
