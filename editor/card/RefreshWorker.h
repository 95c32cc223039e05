#pragma once
// Runs reader-refresh passes on a worker thread of their own, one at a time.
// A card command pauses it: a pass still running is asked to stop and waited
// for (never killed), and no pass starts until the command resumes it. So the
// plug-in is never entered by a pass and a command at the same time.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace pelmora::model {

class RefreshWorker {
public:
    // The pass looks at stop between its plug-in calls and returns soon after
    // it becomes true. It runs on the worker thread.
    using Pass = std::function<void(const std::atomic<bool>& stop)>;

    explicit RefreshWorker(Pass pass) : m_pass(std::move(pass)) {}
    ~RefreshWorker();
    RefreshWorker(const RefreshWorker&) = delete;
    RefreshWorker& operator=(const RefreshWorker&) = delete;

    // Starts a pass unless one is running or the worker is paused; false when
    // none was started (the periodic timer just tries again later).
    bool start();
    // Asks a running pass to stop and waits until it has ended. Pauses nest:
    // passes start again after as many resume() calls.
    void pause();
    void resume();
    // Waits for the running pass, if any, to end by itself.
    void wait();

    [[nodiscard]] bool running() const;
    [[nodiscard]] bool paused() const;

private:
    void joinLocked(std::unique_lock<std::mutex>& lock);

    Pass m_pass;
    mutable std::mutex m_mutex;
    std::condition_variable m_ended;
    std::thread m_thread;
    bool m_running = false;
    bool m_joining = false;
    int m_pauses = 0;
    std::atomic<bool> m_stop{false};
};

} // namespace pelmora::model
