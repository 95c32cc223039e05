#pragma once
// The plug-in error codes the card commands tell apart.

#include <cstdint>

namespace pelmora::model {

inline constexpr int32_t kCardErrorFileNotFound = -6;      // 94 04 (or 6A 82)
inline constexpr int32_t kCardErrorTechnicalProblem = -18; // 6F xx

// Whether a failed call failed because the card holds no such file. Any
// other failure (a refused command, a transport error) says nothing about
// whether the file exists.
[[nodiscard]] constexpr bool cardHasNoSuchFile(int32_t lastError) {
    return lastError == kCardErrorFileNotFound;
}

} // namespace pelmora::model
