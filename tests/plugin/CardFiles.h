#pragma once
// Card files reached with plain commands, for tests that check what a card
// holds.

#include "card/SIMCard.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace brontel::test {

// Selects MF, the directory and the EF, and reads the EF's description.
[[nodiscard]] inline bool describeFile(SIMCard& card, FileId directory, FileId ef,
                                       SimFileInfo& info) {
    return card.select(files::kMasterFile) == 1 && card.select(directory) == 1 &&
           card.select(ef, &info.length) == 1 && card.status(&info, 0) == 1;
}

// A record of the current EF; empty, the test failing, when it cannot be read.
inline std::vector<uint8_t> readRecord(SIMCard& card, uint8_t number, uint8_t length) {
    std::vector<uint8_t> record(length);
    if (card.read_record(number, length, SIMCard::kModeAbsolute, record) != 1) {
        ADD_FAILURE() << "record " << int{number} << " unread, error " << card.sim_error();
        return {};
    }
    return record;
}

} // namespace brontel::test
