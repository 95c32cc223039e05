#include "ProgressRelay.h"

#include <utility>

namespace pelmora::model {

void ProgressRelay::title(std::u16string_view text) {
    const std::lock_guard lock(m_mutex);
    m_title.emplace(text);
    schedule();
}

void ProgressRelay::status(std::u16string_view text) {
    const std::lock_guard lock(m_mutex);
    m_status.emplace(text);
    schedule();
}

void ProgressRelay::range(int maximum) {
    const std::lock_guard lock(m_mutex);
    // A new range moves the bar back to 0: steps before it no longer count.
    m_range = maximum;
    m_steps = 0;
    schedule();
}

void ProgressRelay::step() {
    const std::lock_guard lock(m_mutex);
    ++m_steps;
    schedule();
}

void ProgressRelay::schedule() {
    if (m_posted) {
        return;
    }
    m_posted = true;
    m_ui.post([self = shared_from_this()] { self->deliver(); });
}

void ProgressRelay::deliver() {
    std::optional<std::u16string> title;
    std::optional<std::u16string> status;
    std::optional<int> range;
    int steps = 0;
    {
        const std::lock_guard lock(m_mutex);
        title.swap(m_title);
        status.swap(m_status);
        range.swap(m_range);
        steps = std::exchange(m_steps, 0);
        m_posted = false;
    }
    if (title) {
        m_target.title(*title);
    }
    if (range) {
        m_target.range(*range);
    }
    if (status) {
        m_target.status(*status);
    }
    for (int i = 0; i < steps; ++i) {
        m_target.step();
    }
}

} // namespace pelmora::model
