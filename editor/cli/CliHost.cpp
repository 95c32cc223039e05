#include "CliHost.h"

#include "Terminal.h"

#include <algorithm>

namespace pelmora::cli {

model::CardDocument* CliHost::chooseReader(const std::vector<model::CardDocument*>& readers) {
    for (model::CardDocument* card : readers) {
        if (card == &m_chosen) {
            return card;
        }
    }
    return nullptr;
}

bool CliHost::confirmDiscard(model::CardDocument&) {
    return true;
}

bool CliHost::confirmCut(uint16_t kind, const std::vector<int>& slots) {
    m_cutBooks.push_back({kind, slots, m_cut, {}});
    return m_cut;
}

bool CliHost::confirmMisfits(uint16_t kind, const std::vector<model::Misfit>& misfits) {
    const bool cut = model::CardHost::confirmMisfits(kind, misfits);
    m_cutBooks.back().misfits = misfits;
    return cut;
}

bool CliHost::confirmEmptyBook(uint16_t kind) {
    if (std::find(m_mayEmpty.begin(), m_mayEmpty.end(), kind) != m_mayEmpty.end()) {
        return true;
    }
    m_keptCardBooks.push_back(kind);
    return false;
}

void CliHost::showError(std::u16string_view text) {
    printError(utf8(text));
}

} // namespace pelmora::cli
