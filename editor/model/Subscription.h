#pragma once
// Observers registered with a list and removed again by the Subscription that
// registering returned: when the subscription goes, so does the registration,
// and a subscription that outlives its list does nothing. Lists and
// subscriptions belong to one thread (the UI thread for the model's objects).

#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace pelmora::model {

class Subscription {
public:
    Subscription() = default;
    explicit Subscription(std::function<void()> cancel) : m_cancel(std::move(cancel)) {}
    ~Subscription() { reset(); }
    Subscription(Subscription&& other) noexcept : m_cancel(std::exchange(other.m_cancel, {})) {}
    Subscription& operator=(Subscription&& other) noexcept {
        if (this != &other) {
            reset();
            m_cancel = std::exchange(other.m_cancel, {});
        }
        return *this;
    }
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;

    // Unregisters now.
    void reset() {
        if (m_cancel) {
            std::exchange(m_cancel, {})();
        }
    }
    [[nodiscard]] bool active() const { return static_cast<bool>(m_cancel); }

private:
    std::function<void()> m_cancel;
};

template <typename Observer> class ObserverList {
public:
    [[nodiscard]] Subscription add(Observer& observer) {
        const uint64_t id = m_state->next++;
        m_state->entries.emplace_back(id, &observer);
        return Subscription([weak = std::weak_ptr<State>(m_state), id] {
            if (const auto state = weak.lock()) {
                std::erase_if(state->entries, [id](const auto& e) { return e.first == id; });
            }
        });
    }

    // Calls f(observer) for every observer registered now; one that is
    // removed meanwhile is not called any more.
    template <typename F> void notify(F&& f) const {
        if (m_state->entries.empty()) {
            return;
        }
        const auto snapshot = m_state->entries;
        for (const auto& [id, observer] : snapshot) {
            if (registered(id)) {
                f(*observer);
            }
        }
    }

    [[nodiscard]] bool empty() const { return m_state->entries.empty(); }

private:
    struct State {
        std::vector<std::pair<uint64_t, Observer*>> entries;
        uint64_t next = 1;
    };
    [[nodiscard]] bool registered(uint64_t id) const {
        for (const auto& e : m_state->entries) {
            if (e.first == id) {
                return true;
            }
        }
        return false;
    }

    std::shared_ptr<State> m_state = std::make_shared<State>();
};

} // namespace pelmora::model
