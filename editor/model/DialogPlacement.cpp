#include "DialogPlacement.h"

#include <algorithm>
#include <cstdint>

namespace pelmora::model {

namespace {

// Stored rectangles are untrusted: sizes and sums are taken in 64 bits.
int64_t width(const velmet::WindowRect& r) {
    return int64_t{r.right} - r.left;
}
int64_t height(const velmet::WindowRect& r) {
    return int64_t{r.bottom} - r.top;
}

int32_t clampToInt(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

// The start of a span of size length within [low, high): the far edge first,
// then the near one, so a span larger than the screen shows its start.
int64_t keepWithin(int64_t start, int64_t length, int64_t low, int64_t high) {
    start = std::min(start, high - length);
    return std::max(start, low);
}

} // namespace

velmet::WindowRect placeDialog(const velmet::WindowRect& remembered,
                               const velmet::WindowRect& dialog, const velmet::WindowRect& parent,
                               const velmet::WindowRect& screen) {
    const int64_t w = std::max<int64_t>(width(dialog), 0);
    const int64_t h = std::max<int64_t>(height(dialog), 0);
    int64_t left = 0;
    int64_t top = 0;
    if (remembered.right > 0 && remembered.bottom > 0) {
        left = remembered.left;
        top = remembered.top;
    } else {
        left = parent.left + (width(parent) - w) / 2;
        top = parent.top + (height(parent) - h) / 2;
    }
    // A rectangle remembered on a screen that is gone would open out of reach.
    left = keepWithin(left, w, screen.left, screen.right);
    top = keepWithin(top, h, screen.top, screen.bottom);
    return {clampToInt(left), clampToInt(top), clampToInt(left + w), clampToInt(top + h)};
}

} // namespace pelmora::model
