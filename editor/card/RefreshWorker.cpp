#include "RefreshWorker.h"

namespace pelmora::model {

RefreshWorker::~RefreshWorker() {
    pause();
}

bool RefreshWorker::start() {
    std::unique_lock lock(m_mutex);
    if (m_running || m_pauses > 0 || m_joining) {
        return false;
    }
    // The previous pass has ended; its thread is only waiting to be joined.
    joinLocked(lock);
    if (m_running || m_pauses > 0) {
        return false;
    }
    m_stop.store(false, std::memory_order_release);
    m_running = true;
    m_thread = std::thread([this] {
        try {
            m_pass(m_stop);
        } catch (...) {
            // A pass that failed is as good as one that found nothing new:
            // the next one starts from what the readers say then.
        }
        const std::lock_guard ended(m_mutex);
        m_running = false;
        m_ended.notify_all();
    });
    return true;
}

void RefreshWorker::joinLocked(std::unique_lock<std::mutex>& lock) {
    m_ended.wait(lock, [this] { return !m_running && !m_joining; });
    if (!m_thread.joinable()) {
        return;
    }
    // Joined outside the lock: the thread takes it once more on its way out.
    std::thread ended = std::move(m_thread);
    m_joining = true;
    lock.unlock();
    ended.join();
    lock.lock();
    m_joining = false;
    m_ended.notify_all();
}

void RefreshWorker::pause() {
    std::unique_lock lock(m_mutex);
    ++m_pauses;
    m_stop.store(true, std::memory_order_release);
    joinLocked(lock);
}

void RefreshWorker::resume() {
    const std::lock_guard lock(m_mutex);
    if (m_pauses > 0) {
        --m_pauses;
    }
}

void RefreshWorker::wait() {
    std::unique_lock lock(m_mutex);
    joinLocked(lock);
}

bool RefreshWorker::running() const {
    const std::lock_guard lock(m_mutex);
    return m_running;
}

bool RefreshWorker::paused() const {
    const std::lock_guard lock(m_mutex);
    return m_pauses > 0;
}

} // namespace pelmora::model
