#pragma once
// The result of one call that works through many records: 1 only when every
// record operation succeeded and every value was stored as given; otherwise 0,
// with the first failure left as the connection's last error.

#include <cstdint>
#include <optional>

namespace brontel {

class SIMCard;

class CallOutcome {
public:
    // Notes the failure of the command the card has just answered (or refused).
    void commandFailed(const SIMCard& card);
    // Notes a value that was cut, lost characters or could not be stored.
    void valueDidNotFit();

    [[nodiscard]] bool succeeded() const { return !m_first.has_value(); }

    // 1 when nothing failed; otherwise 0 with the first failure made the card's last error.
    [[nodiscard]] int finish(SIMCard& card) const;

private:
    struct Failure {
        int32_t simError = 0;
        int32_t pcscResult = 0;
    };
    void note(Failure failure);

    std::optional<Failure> m_first;
};

} // namespace brontel
