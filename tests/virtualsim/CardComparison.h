#pragma once
// Deep comparison of two cards: files, attributes, contents, codes, counters.

#include "card/CardState.h"

namespace cardtest {

void expectSameFile(const virtualsim::CardFile& a, const virtualsim::CardFile& b);
void expectSameCard(const virtualsim::CardState& a, const virtualsim::CardState& b);

} // namespace cardtest
