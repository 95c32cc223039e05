#pragma once
// The card commands' questions to the user, answered from the command line:
// the reader is the one the command chose, a fresh card document has no edits
// to lose, and entries beyond the card's records are cut only with --cut.

#include "CardOperations.h"

#include <string>
#include <vector>

namespace pelmora::cli {

// A book that held entries beyond the card's records.
struct CutBook {
    uint16_t kind = 0;
    std::vector<int> slots;
    bool cut = false; // written without them
    // Each entry, name, number or value that would not reach the card as it is.
    std::vector<model::Misfit> misfits;
};

class CliHost : public model::CardHost {
public:
    // mayEmpty: the books that may be written empty over a card book with entries.
    CliHost(model::CardDocument& chosen, bool cut, std::vector<uint16_t> mayEmpty = {})
        : m_chosen(chosen), m_cut(cut), m_mayEmpty(std::move(mayEmpty)) {}

    model::CardDocument* chooseReader(const std::vector<model::CardDocument*>& readers) override;
    bool confirmDiscard(model::CardDocument& card) override;
    bool confirmCut(uint16_t kind, const std::vector<int>& slots) override;
    bool confirmMisfits(uint16_t kind, const std::vector<model::Misfit>& misfits) override;
    bool confirmEmptyBook(uint16_t kind) override;
    void showError(std::u16string_view text) override;

    [[nodiscard]] const std::vector<CutBook>& cutBooks() const { return m_cutBooks; }
    // Empty books that were not written over the card's entries.
    [[nodiscard]] const std::vector<uint16_t>& keptCardBooks() const { return m_keptCardBooks; }

private:
    model::CardDocument& m_chosen;
    bool m_cut;
    std::vector<uint16_t> m_mayEmpty;
    std::vector<CutBook> m_cutBooks;
    std::vector<uint16_t> m_keptCardBooks;
};

} // namespace pelmora::cli
