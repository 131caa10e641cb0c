#include <cmath>

#include "engine/plt_interpreter.h"

namespace {

// A segment is cut into at most this many dashes; a longer one stretches its
// pattern to fit. Without the cap a tiny pattern length (or a huge segment)
// would ask for billions of dashes, or for a count beyond any integer.
constexpr int32_t kMaxDashesPerSegment = 1 << 16;

// trunc(segmentLength / (3 x patternLength)), held within 0 to the cap; NaN
// gives 0 (the segment is drawn whole).
int32_t DashCount(float segmentLength, float patternLength) {
    const float count = segmentLength / (3.0f * patternLength);
    if (!(count >= 1.0f)) return 0;
    if (count >= static_cast<float>(kMaxDashesPerSegment)) return kMaxDashesPerSegment;
    return static_cast<int32_t>(count);
}

}  // namespace

// All in single precision: the dash ends are where float arithmetic puts them.
void CPltInterpreter::AddDashedLine(float x1, float y1, float x2, float y2, float type, float length) {
    if (!(type >= 0.0f)) {
        type = 0.0f;  // NaN too: it must not index the share table
    } else if (type > 7.0f) {
        type = 7.0f;
    }
    if (length <= 0.0f) return;

    const float dx = x2 - x1;
    const float dy = y2 - y1;
    const int32_t count = DashCount(std::sqrt(dx * dx + dy * dy), length);
    float stepX = 0.0f;
    float stepY = 0.0f;
    LineArray& lines = m_drawing.m_lines;
    if (count >= 1) {
        stepX = dx / static_cast<float>(count);
        stepY = dy / static_cast<float>(count);
        const float share = static_cast<float>(DashShareTable[static_cast<int>(type)]) / 100.0f;
        for (int32_t i = 0; i < count; ++i) {
            const float startX = x1 + static_cast<float>(i) * stepX;
            const float startY = y1 + static_cast<float>(i) * stepY;
            lines.push_back({startX, startY, startX + share * stepX, startY + share * stepY});
        }
    }
    const float restX = x1 + static_cast<float>(count) * stepX;
    const float restY = y1 + static_cast<float>(count) * stepY;
    lines.push_back({restX, restY, x2, y2});
}
