#include "card/CallOutcome.h"

#include "Brontel.h"
#include "card/SIMCard.h"

namespace brontel {

void CallOutcome::note(Failure failure) {
    if (!m_first) {
        m_first = failure;
    }
}

void CallOutcome::commandFailed(const SIMCard& card) {
    note({card.sim_error(), card.pcsc_result()});
}

void CallOutcome::valueDidNotFit() {
    note({kBrontelErrorValueDidNotFit, 0});
}

int CallOutcome::finish(SIMCard& card) const {
    if (!m_first) {
        return 1;
    }
    card.set_last_error(m_first->simError, m_first->pcscResult);
    return 0;
}

} // namespace brontel
