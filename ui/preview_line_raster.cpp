#include "ui/preview_line_raster.h"

#include <algorithm>
#include <utility>

namespace {

// Steps along the major axis from (major1, minor1) to (major2, minor2),
// major1 < major2, |minor2 - minor1| <= major2 - major1; put(major, minor)
// is called for the steps within [0, majorLimit) whose minor coordinate lies
// within [0, minorLimit).
template <typename Put>
void Step(int64_t major1, int64_t minor1, int64_t major2, int64_t minor2, int64_t majorLimit, int64_t minorLimit,
          Put put) {
    const int64_t length = major2 - major1;
    const int64_t rise = minor2 >= minor1 ? minor2 - minor1 : minor1 - minor2;
    const int64_t direction = minor2 >= minor1 ? 1 : -1;
    const int64_t first = std::max<int64_t>(0, -major1);
    const int64_t last = std::min<int64_t>(length, majorLimit - 1 - major1);
    if (first > last) return;

    // The minor offset at step t is floor((2 t rise + length) / (2 length)):
    // t rise / length rounded half up. The first visible step's offset needs
    // 128 bits; the remainder then steps in 64.
    const int64_t denominator = 2 * length;
    const __int128 numerator = static_cast<__int128>(2) * first * rise + length;
    int64_t minor = minor1 + direction * static_cast<int64_t>(numerator / denominator);
    int64_t remainder = static_cast<int64_t>(numerator % denominator);
    for (int64_t t = first; t <= last; ++t) {
        if (minor >= 0 && minor < minorLimit) {
            put(major1 + t, minor);
        } else if ((direction > 0) == (minor >= minorLimit)) {
            return;  // past the buffer for good
        }
        remainder += 2 * rise;
        if (remainder >= denominator) {
            remainder -= denominator;
            minor += direction;
        }
    }
}

}  // namespace

void DrawPreviewLineSteps(const PixelBuffer& target, int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint32_t pixel) {
    if (std::max(x1, x2) < 0 || std::min(x1, x2) >= target.width || std::max(y1, y2) < 0 ||
        std::min(y1, y2) >= target.height) {
        return;
    }
    if (x1 == x2 && y1 == y2) {
        target.Put(x1, y1, pixel);
        return;
    }
    const int64_t width = x2 >= x1 ? x2 - x1 : x1 - x2;
    const int64_t height = y2 >= y1 ? y2 - y1 : y1 - y2;
    if (width >= height) {
        if (x2 < x1) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        Step(x1, y1, x2, y2, target.width, target.height, [&](int64_t x, int64_t y) { target.Put(x, y, pixel); });
    } else {
        if (y2 < y1) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        Step(y1, x1, y2, x2, target.height, target.width, [&](int64_t y, int64_t x) { target.Put(x, y, pixel); });
    }
}
