#pragma once
// The checks every command on the current EF makes first, in the order the
// card makes them: an EF is selected (9400), it has the structure the command
// needs (9408), the command's access condition is met (9804) and the file is
// not invalidated unless it stays usable so (9810).

#include "CardState.h"

namespace virtualsim {

enum class EfKind { Any, Transparent, Record, LinearFixed, Cyclic };

struct CurrentEf {
    CardFile* file = nullptr; // null when sw tells why not
    StatusWord sw = sw::kOk;
};

[[nodiscard]] CurrentEf currentEf(CardState& state, EfKind kind,
                                  uint8_t AccessConditions::*condition,
                                  bool usableWhenInvalidated = false);

// The status word of an update carried out on this file.
[[nodiscard]] inline StatusWord updatedStatus(const CardFile& ef) {
    return ef.updateRetries() ? static_cast<StatusWord>(0x9200 | ef.updateRetries()) : sw::kOk;
}

} // namespace virtualsim
