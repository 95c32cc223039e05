#pragma once
// The plug-in error codes the card commands tell apart.

#include "Brontel.h"

#include <cstdint>

namespace pelmora::model {

// Whether a failed call failed because the card holds no such file. Any
// other failure (a refused command, a transport error) says nothing about
// whether the file exists.
[[nodiscard]] constexpr bool cardHasNoSuchFile(int32_t lastError) {
    return lastError == kSimErrorFileNotFound;
}

} // namespace pelmora::model
