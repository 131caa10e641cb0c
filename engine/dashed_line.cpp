#include <cmath>
#include <cstddef>
#include <cstdint>
#include <new>

#include "engine/plt_interpreter.h"

namespace {

// Dash counts from 2^32 up are beyond the 32-bit count.
constexpr double kDashCountLimit = 4294967296.0;

}  // namespace

// Sums and products are formed in double and every stored value is rounded to
// float once: a dash end is the float nearest start + share x step, not the
// float of a float sum.
void CPltInterpreter::AddDashedLine(float x1, float y1, float x2, float y2, float type, float length) {
    if (!(type >= 0.0f)) {
        type = 0.0f;  // NaN too: it must not index the share table
    } else if (type > 7.0f) {
        type = 7.0f;
    }
    if (length <= 0.0f) return;

    LineArray& lines = m_drawing.m_lines;
    const float dx = static_cast<float>(double{x2} - x1);
    const float dy = static_cast<float>(double{y2} - y1);
    const float segmentLength = static_cast<float>(std::sqrt(double{dx} * dx + double{dy} * dy));
    const double count = std::trunc(segmentLength / (3.0 * length));
    // A count that cannot be honoured (not a number, beyond 32 bits, more
    // lines than the drawing may hold or memory can take) draws the segment
    // whole: on any segment that fits on paper such dashes are far finer than
    // a printed dot.
    const std::size_t first = lines.size();
    if (!(count < kDashCountLimit) || first + static_cast<std::size_t>(count) >= m_nMaxLines) {
        AddLine(x1, y1, x2, y2);
        return;
    }
    const auto dashCount = static_cast<uint32_t>(count);
    try {
        lines.resize(first + dashCount);
    } catch (const std::bad_alloc&) {
        AddLine(x1, y1, x2, y2);
        return;
    }

    double stepX = 0.0;
    double stepY = 0.0;
    if (dashCount >= 1) {
        stepX = static_cast<float>(dx / count);
        stepY = static_cast<float>(dy / count);
        const double share = DashShareTable[static_cast<int>(type)] / 100.0;
        const double dashX = share * stepX;
        const double dashY = share * stepY;
        LineF* dash = lines.data() + first;
        for (uint32_t i = 0; i < dashCount; ++i, ++dash) {
            const float startX = static_cast<float>(x1 + i * stepX);
            const float startY = static_cast<float>(y1 + i * stepY);
            *dash = {startX, startY, static_cast<float>(startX + dashX), static_cast<float>(startY + dashY)};
        }
    }
    lines.push_back({static_cast<float>(x1 + count * stepX), static_cast<float>(y1 + count * stepY), x2, y2});
}
