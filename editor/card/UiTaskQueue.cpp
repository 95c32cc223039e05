#include "UiTaskQueue.h"

namespace pelmora::model {

void UiTaskQueue::post(std::function<void()> task) {
    {
        const std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    m_posted.notify_one();
}

size_t UiTaskQueue::runPending() {
    std::deque<std::function<void()>> tasks;
    {
        const std::lock_guard lock(m_mutex);
        tasks.swap(m_tasks);
    }
    for (auto& task : tasks) {
        task();
    }
    return tasks.size();
}

void UiTaskQueue::runUntil(const std::function<bool()>& done) {
    while (!done()) {
        std::function<void()> task;
        {
            std::unique_lock lock(m_mutex);
            m_posted.wait(lock, [this] { return !m_tasks.empty(); });
            task = std::move(m_tasks.front());
            m_tasks.pop_front();
        }
        task();
    }
}

} // namespace pelmora::model
