#pragma once
// Counts the bytes this program holds on the heap, so that a benchmark can
// report the peak memory of one operation.

#include <cstddef>

namespace pelmora::bench {

// Bytes allocated and not yet freed.
[[nodiscard]] size_t heapInUse();
// Starts a new peak at the current use.
void resetHeapPeak();
// The highest use since the last reset.
[[nodiscard]] size_t heapPeak();

} // namespace pelmora::bench
