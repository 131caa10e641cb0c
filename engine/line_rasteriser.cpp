#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
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

    // Past the row's end every brush sets bit (column mod 8) of the last byte
    // in its own rows. Once those rows can no longer change (a falling line
    // held at row 0, a rising one wholly in the last row), eight brushes in a
    // row have set every bit that a later one would.
    const int64_t columns = int64_t{raster.m_nBytesPerRow} * 8;
    const int32_t lastRow = raster.m_nRowCount - 1;
    const bool falling = dx < 0;
    int32_t settledBrushes = 0;
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
        if (column >= columns && rowsSettled && ++settledBrushes == 8) break;
    }
}

// One run of `width` dots at every whole step of Y along a y-major line.
void DrawYMajor(CSwathRaster& raster, float x1, float y1, float x2, float y2, float dx, float dy, int32_t width) {
    const float intercept = (x1 * y2 - x2 * y1) / dy;
    for (float Y = std::max(y1, 0.0f); Y <= y2; Y += 1.0f) {
        const float x = intercept + Y * dx / dy;
        const int32_t row = Trunc(Y);
        raster.SetSpan(Trunc(x), row, width, 0);
        // A line ending on the swath's bottom edge draws its last step into
        // the last row; a line reaching further stops after that step.
        if (row >= raster.m_nRowCount) break;
    }
}

}  // namespace

void CSwathRaster::DrawLine(float x1, float y1, float x2, float y2) {
    if (m_pPlan == nullptr || m_pPlan->m_pConfig == nullptr || !m_pRows) return;
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
