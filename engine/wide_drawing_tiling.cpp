#include "engine/wide_drawing_tiling.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

#include "core/numeric.h"

namespace {

// Left margin of every strip across the feed, and the margin after the last
// strip along it.
constexpr double kMargin = 500;
// Gap before each strip along the feed.
constexpr double kStripGap = 1800;
// The printable width less this is the strip width: 500 on each side of a
// strip holds the seam marks.
constexpr int32_t kWidthReserve = 1000;

// Each coordinate is formed in double from the float inputs and rounded to
// float once, when it is stored.
LineF Segment(double x1, double y1, double x2, double y2) {
    return {static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2),
            static_cast<float>(y2)};
}

struct StripLayout {
    int32_t width;   // usable width of a strip (S)
    int32_t count;   // strips (n)
    double height;   // height of the drawing (H)

    double Left(int32_t k) const { return static_cast<double>(k) * width; }
    double Right(int32_t k) const { return (static_cast<double>(k) + 1) * width; }
    double NearEnd(int32_t k) const { return k * (height + kStripGap) + kStripGap; }
    double FarEnd(int32_t k) const { return NearEnd(k) + height; }
};

// trunc(MAXWIDTH x 10 / MmPerUnit) - 1000; nothing when that leaves no
// width or the setting cannot be converted.
std::optional<int32_t> StripWidth(const PlotterConfig& config) {
    const auto units = TruncateToInt32(static_cast<double>(config.MAXWIDTH) * 10.0 / config.MmPerUnit);
    if (!units || *units <= kWidthReserve) return std::nullopt;
    return *units - kWidthReserve;
}

// trunc(W / S + 1): a width of exactly 2S still opens a third strip.
std::optional<int32_t> StripCount(float drawingWidth, int32_t stripWidth) {
    const auto count = TruncateToInt32(drawingWidth / static_cast<double>(stripWidth) + 1.0);
    if (!count || *count < 1) return std::nullopt;
    return count;
}

// At least as many lines as AppendMarks appends.
double MarkLineBound(const StripLayout& strips) {
    const double seams = strips.count - 1.0;
    const double edgeTicks = std::max(strips.height, 0.0) / 400 + 1;
    const double crossRows = std::max(strips.height - 3000, 0.0) / 6000 + 1;
    const double endTicks = (strips.width + kMargin) / 400;
    return seams * (2 * edgeTicks + 8 * crossRows + 2) + (2 * seams + 1) * endTicks;
}

// Appends the pieces of one line, strip by strip; false once the output
// reaches lineLimit.
bool AppendPieces(LineF line, const StripLayout& strips, double lineLimit, LineArray& out) {
    if (line.x2 < line.x1) {
        std::swap(line.x1, line.x2);
        std::swap(line.y1, line.y2);
    }
    if (std::isnan(line.x1) || std::isnan(line.x2)) return true;
    const double x1 = line.x1, y1 = line.y1, x2 = line.x2, y2 = line.y2;
    const float slope = x1 < x2 ? static_cast<float>((y2 - y1) / (x2 - x1)) : 0.0f;
    const double m = slope;
    const double s = strips.width;
    const double right = s + kMargin;

    // Only strips near the line's ends can hold a piece; one strip of slack
    // on each side leaves the decision to the exact tests below.
    const double first = std::clamp(std::floor(x1 / s) - 1, 0.0, static_cast<double>(strips.count));
    const double last = std::clamp(std::floor(x2 / s) + 1, -1.0, strips.count - 1.0);
    for (auto k = static_cast<int32_t>(first); k <= static_cast<int32_t>(last); ++k) {
        const double lo = strips.Left(k), hi = strips.Right(k), off = strips.NearEnd(k);
        if (x2 < lo || x1 >= hi) continue;
        if (static_cast<double>(out.size()) >= lineLimit) return false;
        if (lo <= x1 && x2 < hi)
            out.push_back(Segment(x1 - lo + kMargin, y1 + off, x2 - lo + kMargin, y2 + off));
        else if (lo <= x1)
            out.push_back(Segment(x1 - lo + kMargin, y1 + off, right, y1 + m * (hi - x1) + off));
        else if (x2 < hi)
            out.push_back(Segment(kMargin, y2 - m * (x2 - lo) + off, x2 - lo + kMargin, y2 + off));
        else
            out.push_back(Segment(kMargin, y1 + m * (lo - x1) + off, right, y2 - m * (x2 - hi) + off));
    }
    return true;
}

// The cross from (left, low) to (left + 1000, high) and from (left, high)
// to (left + 1000, low).
void AppendCross(double left, double low, double high, LineArray& out) {
    out.push_back(Segment(left, low, left + 1000, high));
    out.push_back(Segment(left, high, left + 1000, low));
}

void AppendMarks(const StripLayout& strips, LineArray& out) {
    const double s = strips.width;
    const double right = s + kMargin;
    const double h = strips.height;
    for (int32_t k = 0; k < strips.count; ++k) {
        const bool seamOnLeft = k > 0;
        const bool seamOnRight = k < strips.count - 1;
        const double nearEnd = strips.NearEnd(k);
        const double farEnd = strips.FarEnd(k);

        // A single strip has no seams; its edge loops would only walk the
        // whole height for nothing.
        if (strips.count > 1) {
            for (double t = 0; t < h; t += 400) {
                if (seamOnLeft) out.push_back(Segment(kMargin, nearEnd + t, kMargin, nearEnd + t + 200));
                if (seamOnRight) out.push_back(Segment(right, nearEnd + t, right, nearEnd + t + 200));
            }
            for (double along = 0; along < h - 3000; along += 6000) {
                const double yc = nearEnd + along;
                if (seamOnRight) {
                    AppendCross(s, yc - 500, yc + 500, out);
                    if (k % 2 == 0) AppendCross(s, yc + 2500, yc + 3500, out);
                }
                if (seamOnLeft) {
                    AppendCross(0, yc - 500, yc + 500, out);
                    if (k % 2 == 1) AppendCross(0, yc + 2500, yc + 3500, out);
                }
            }
        }
        for (double x = 400; x < right; x += 400) {
            out.push_back(Segment(x, nearEnd, x + 200, nearEnd));
            if (seamOnRight) out.push_back(Segment(x, farEnd, x + 200, farEnd));
        }
        if (seamOnRight) {
            const double left = k % 2 == 1 ? 0 : s;
            out.push_back(Segment(left, farEnd - 500, left + 1000, farEnd + 500));
            out.push_back(Segment(left + 1000, farEnd - 500, left, farEnd + 500));
        }
    }
}

}  // namespace

bool TileWideDrawing(Drawing& drawing, const PlotterConfig& config, std::size_t lineBudget) {
    const auto stripWidth = StripWidth(config);
    if (!stripWidth || !std::isfinite(drawing.m_fMaxY)) return false;
    const auto stripCount = StripCount(drawing.m_fMaxX, *stripWidth);
    if (!stripCount) return false;
    const StripLayout strips{*stripWidth, *stripCount, drawing.m_fMaxY};

    // Entries past the line count are not tiled; they are kept, ahead of the
    // pieces.
    const std::size_t entryLines = std::min<std::size_t>(drawing.m_nLines, drawing.m_lines.size());
    LineArray tiled(drawing.m_lines.begin() + static_cast<std::ptrdiff_t>(entryLines), drawing.m_lines.end());
    const double pieceLimit = static_cast<double>(lineBudget) - MarkLineBound(strips);
    if (static_cast<double>(tiled.size()) > pieceLimit) return false;
    for (std::size_t i = 0; i < entryLines; ++i)
        if (!AppendPieces(drawing.m_lines[i], strips, pieceLimit, tiled)) return false;
    AppendMarks(strips, tiled);

    drawing.m_lines = std::move(tiled);
    drawing.m_nLines = static_cast<uint32_t>(drawing.m_lines.size());
    drawing.m_fHeightM = static_cast<float>(strips.count * static_cast<double>(drawing.m_fWidthM) + 0.175);
    drawing.m_fWidthM = static_cast<float>(strips.width * static_cast<double>(config.MmPerUnit) / 1000 + 0.0125);
    drawing.m_fMaxX = static_cast<float>(strips.width + kMargin);
    drawing.m_fMaxY = static_cast<float>(strips.count * (strips.height + kStripGap) + kMargin);
    return true;
}
