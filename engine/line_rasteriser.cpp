#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

#include "core/numeric.h"
#include "engine/swath_raster.h"

// The dots depend on every step of the line formulas being rounded to float;
// float expressions must not be evaluated wider.
static_assert(FLT_EVAL_METHOD == 0);

namespace {

// From 2^24 on a float no longer holds every whole number, so a step of one
// dot or row may not advance at all. Lines reaching that far (kilometres of
// drawing) are not drawn.
constexpr float kCoordinateLimit = 16777216.0f;

bool WithinLimit(float value) { return std::fabs(value) < kCoordinateLimit; }

// A difference of dots or rows below this counts as none: the line runs along
// the other axis.
constexpr double kNoDifference = 0.0001;

int32_t Trunc(float value) { return TruncateToInt32Clamped(value); }

int32_t ClampToInt32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// One run of `width` dots in the line's column per whole row of dy.
void DrawVertical(CSwathRaster& raster, float x, float y1, float dy, int32_t width) {
    const int32_t column = Trunc(x);
    // Steps whose row lies above the raster draw nothing; below 2^24 the sum
    // y1 + i is exact there, so they can be passed over at once.
    int32_t i = y1 > -1.0f ? 0 : static_cast<int32_t>(std::floor(-1.0 - y1)) + 1;
    for (; static_cast<float>(i) < dy; ++i) {
        const int32_t row = Trunc(y1 + static_cast<float>(i));
        raster.SetSpan(column, row, width, 0);
        // Every later row is drawn into the last one: the same run again.
        if (row >= raster.m_nRowCount - 1) break;
    }
}

// A band of width + 1 rows, each starting one dot further right than the row
// above it; the only runs that leave dots out by the skip.
void DrawHorizontal(CSwathRaster& raster, float x1, float x2, float y, float dx, int32_t width, int32_t skip) {
    const int32_t firstRow = Trunc(y);
    const int32_t length = ClampToInt32(int64_t{Trunc(std::fabs(dx))} + 1 + width);
    const float left = dx > 0 ? x1 : x2;
    const int32_t firstColumn = left >= 1.0f ? Trunc(left) - 1 : Trunc(left);

    const int64_t lastRow = raster.m_nRowCount - 1;
    const int64_t columns = int64_t{raster.m_nBytesPerRow} * 8;
    for (int64_t i = std::max<int64_t>(0, -int64_t{firstRow}); i <= width; ++i) {
        const int64_t row = firstRow + i;
        const int64_t column = firstColumn + i;
        raster.SetSpan(ClampToInt32(column), ClampToInt32(row), length, skip);
        // Once the rows are clamped to the last one and the runs start past
        // the row's end, each run sets the last byte by its column mod 8: the
        // eight runs before repeat everything that would follow.
        if (row - 7 >= lastRow && column - 7 >= columns) break;
    }
}

// A width x width brush at every whole step of X along an x-major line.
void DrawXMajor(CSwathRaster& raster, float x1, float y1, float x2, float y2, float dx, float dy, int32_t width) {
    if (width < 1) return;
    const float intercept = (x2 * y1 - x1 * y2) / dx;
    const float lastX = std::max(x1, x2);
    float X = std::min(x1, x2);
    // Brushes at X <= -width cover no column. Below 2^24 the steps from a
    // negative start are exact, so the loop may jump to the last of them.
    if (X < -static_cast<double>(width))
        X = static_cast<float>(X + std::floor(-static_cast<double>(width) - X));

    // Past the row's end a brush sets, in the last byte of each of its rows,
    // bits that depend on its column mod 8 alone. Once those rows can no
    // longer change (a falling line held at row 0, a rising one wholly in the
    // last row), a brush repeats any earlier one of its column mod 8; when
    // all eight have been drawn so, no later brush can set another bit.
    // Columns are counted, not brushes: a rounded step of X may skip one.
    const int64_t columns = int64_t{raster.m_nBytesPerRow} * 8;
    const int32_t lastRow = raster.m_nRowCount - 1;
    const bool falling = dx < 0;
    unsigned settledColumns = 0;  // bit k: a settled brush at a column k mod 8
    for (; X <= lastX; X += 1.0f) {
        const float y = std::max(intercept + X * dy / dx, 0.0f);
        const int32_t column = Trunc(X);
        for (int32_t i = 0; i < width; ++i) {
            const int32_t row = Trunc(y + static_cast<float>(i));
            raster.SetSpan(column, row, width, 0);
            // Later rows of the brush repeat this run in the last row.
            if (row >= lastRow) break;
        }
        const bool rowsSettled = falling ? y == 0.0f : Trunc(y) >= lastRow;
        if (column >= columns && rowsSettled) {
            settledColumns |= 1u << (column % 8);
            if (settledColumns == 0xFFu) break;
        }
    }
}

// The first of the steps Y, Y + 1, Y + 2, ..., each sum rounded to float as
// the drawing loops form them, that is not past `last` and at which
// `reached` holds; none when there is no such step. Once `reached` holds it
// must hold at every later step. From 1 on, adding 1 is exact until the sum
// passes a power of two, so the steps up to there are searched by halving
// and only the step across it is taken one by one.
template <typename Reached>
std::optional<float> FirstStepWhere(float Y, float last, const Reached& reached) {
    while (Y <= last) {
        if (reached(Y)) return Y;
        int64_t exactSteps = 0;
        if (Y >= 1.0f) {
            int exponent = 0;
            std::frexp(Y, &exponent);
            const double bound = std::min(std::ldexp(1.0, exponent), static_cast<double>(last));
            exactSteps = static_cast<int64_t>(bound - static_cast<double>(Y));
        }
        const auto after = [Y](int64_t steps) { return Y + static_cast<float>(steps); };
        if (exactSteps > 0 && reached(after(exactSteps))) {
            int64_t notYet = 0;
            int64_t first = exactSteps;
            while (first - notYet > 1) {
                const int64_t middle = notYet + (first - notYet) / 2;
                (reached(after(middle)) ? first : notYet) = middle;
            }
            return after(first);
        }
        Y = after(exactSteps) + 1.0f;
    }
    return std::nullopt;
}

// The runs of a y-major line from step Y on, all of which fall into the last
// row. A run sets the same bits as any earlier one at its column, and the
// columns move one way, so only the steps where the column changes are
// drawn. Whole stretches of columns are passed over, or the drawing ends,
// where no run can set another bit:
// - a run ending left of column 0 sets nothing;
// - one starting past the row's end sets bits of the last byte by its column
//   mod 8, and so does one starting left of the row and ending past its end.
template <typename ColumnAt>
void DrawRunsInLastRow(CSwathRaster& raster, float Y, float lastY, bool rightwards, const ColumnAt& columnAt,
                       int32_t width) {
    const int32_t lastRow = raster.m_nRowCount - 1;
    const int64_t columns = int64_t{raster.m_nBytesPerRow} * 8;
    unsigned pastEnd = 0;    // bit k: a run from past the row's end at a column k mod 8
    unsigned acrossRow = 0;  // bit k: a run from left of the row past its end at a column k mod 8
    for (std::optional<float> step = Y; step;) {
        const int64_t column = columnAt(*step);
        const int64_t end = column + width;
        if (end <= 0 && !rightwards) return;
        if (end > 0) raster.SetSpan(static_cast<int32_t>(column), lastRow, width, 0);

        // The column beyond which a later run may set another bit.
        int64_t next = rightwards ? column + 1 : column - 1;
        if (end <= 0) {
            next = 1 - int64_t{width};
        } else if (column >= columns) {
            pastEnd |= 1u << (column & 7);
            if (pastEnd == 0xFFu) {
                if (rightwards) return;
                next = columns - 1;
            }
        } else if (column < 0 && end >= columns) {
            acrossRow |= 1u << (column & 7);
            if (acrossRow == 0xFFu) next = rightwards ? 0 : columns - width - 1;
        }
        step = FirstStepWhere(*step, lastY, [&](float at) {
            const int64_t atColumn = columnAt(at);
            return rightwards ? atColumn >= next : atColumn <= next;
        });
    }
}

// One run of `width` dots at every whole step of Y along a y-major line.
void DrawYMajor(CSwathRaster& raster, float x1, float y1, float x2, float y2, float dx, float dy, int32_t width) {
    if (width < 1) return;
    const float intercept = (x1 * y2 - x2 * y1) / dy;
    const auto columnAt = [intercept, dx, dy](float Y) { return Trunc(intercept + Y * dx / dy); };
    const int32_t lastRow = raster.m_nRowCount - 1;
    float Y = std::max(y1, 0.0f);
    for (; Y <= y2 && Trunc(Y) < lastRow; Y += 1.0f) raster.SetSpan(columnAt(Y), Trunc(Y), width, 0);
    // Rows at or past the nozzle count are drawn into the last one, with the
    // column moving on at every step.
    if (Y <= y2) DrawRunsInLastRow(raster, Y, y2, dx > 0, columnAt, width);
}

}  // namespace

void CSwathRaster::DrawLine(float x1, float y1, float x2, float y2) {
    if (m_pPlan == nullptr || m_pPlan->m_pConfig == nullptr || !m_pRows) return;
    // No row or no byte in a row takes a dot.
    if (m_nRowCount < 1 || m_nBytesPerRow < 1) return;
    const PlotterConfig& config = *m_pPlan->m_pConfig;

    x1 *= config.DotsPerUnit;
    x2 *= config.DotsPerUnit;
    y1 *= config.RowsPerUnit;
    y2 *= config.RowsPerUnit;
    if (!WithinLimit(x1) || !WithinLimit(y1) || !WithinLimit(x2) || !WithinLimit(y2)) return;

    if (y1 > y2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const float dx = x2 - x1;
    const float dy = y2 - y1;

    const int32_t width = config.ELineWidth;
    if (std::fabs(dx) < kNoDifference) {
        DrawVertical(*this, x1, y1, dy, width);
    } else if (std::fabs(dy) < kNoDifference) {
        DrawHorizontal(*this, x1, x2, y1, dx, width, config.XJUMP);
    } else if (std::abs(Trunc(dx)) >= std::abs(Trunc(dy))) {
        DrawXMajor(*this, x1, y1, x2, y2, dx, dy, width);
    } else {
        DrawYMajor(*this, x1, y1, x2, y2, dx, dy, width);
    }
}
