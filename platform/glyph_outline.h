#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Glyph outlines of installed fonts, in the record form that label drawing
// reads: per contour a start point and records of straight or spline pieces,
// all in 16.16 fixed point with Y up from the baseline.
namespace platform {

// A point in 16.16 fixed point (the value x 65536 as a signed 32-bit integer).
struct FixedPoint {
    int32_t x = 0;
    int32_t y = 0;

    friend bool operator==(const FixedPoint&, const FixedPoint&) = default;
};

enum : uint16_t {
    OUTLINE_LINE = 1,     // straight lines through the points
    OUTLINE_QSPLINE = 2,  // quadratic spline: control points, then its on-curve end
    OUTLINE_CSPLINE = 3,  // cubic spline, as fonts with PostScript outlines have
};

// One record: its points follow the point where the previous record (or the
// contour's start) ended.
struct OutlineRecord {
    uint16_t type = OUTLINE_LINE;
    std::vector<FixedPoint> points;

    friend bool operator==(const OutlineRecord&, const OutlineRecord&) = default;
};

// One closed contour. The last record's end is joined back to start by a
// straight line that is not a record of its own.
struct OutlineContour {
    FixedPoint start;
    std::vector<OutlineRecord> records;

    friend bool operator==(const OutlineContour&, const OutlineContour&) = default;
};

struct GlyphOutline {
    std::vector<OutlineContour> contours;
    // Whole units from this glyph's origin to the next one's, turned like the
    // outline. Y counts downwards, as on a screen: a glyph turned a quarter
    // turn to the left has cellIncY = -advance.
    int32_t cellIncX = 0;
    int32_t cellIncY = 0;
};

// The font to draw with.
struct GlyphFont {
    // Family name in UTF-8, looked up with language zh-cn; a name no
    // installed font has gives the best font for that language. "宋体", the
    // labels' Song face, is AR PL UMing CN wherever that is installed.
    std::string face;
    // Cell height (ascent + descent) in output units; negative: the em
    // height; 0: a cell height of kDefaultCellHeight.
    int32_t height = 0;
    // Direction of the baseline in tenths of a degree, counter-clockwise.
    int32_t escapement = 0;
};

inline constexpr int32_t kDefaultCellHeight = 16;

// A 2 x 2 matrix of 16.16 values applied after the escapement:
// x' = m11 x + m21 y, y' = m12 x + m22 y.
struct FixedMatrix {
    int32_t m11 = 0;
    int32_t m12 = 0;
    int32_t m21 = 0;
    int32_t m22 = 0;
};

// The outline of the character code (GBK: a byte below 0x80, or lead x 256 +
// trail) in font, transformed by matrix. False, with out emptied, when no
// font is found, the code is not GBK or the outline does not fit 16.16 fixed
// point. A character the font lacks gives the font's missing-glyph shape.
// Safe to call from several threads; the calls take turns.
bool GetGlyphOutline(const GlyphFont& font, uint32_t code, const FixedMatrix& matrix, GlyphOutline& out);

// How a point of a font's contour lies on the outline.
enum class PointKind : uint8_t { OnCurve, QuadraticControl, CubicControl };

struct ContourPoint {
    FixedPoint point;
    PointKind kind = PointKind::OnCurve;
};

// The records of one closed contour: it starts at its first point when that
// is on the curve, else at its last point when that one is, else at the
// middle of the last and first points (truncated toward zero). A run of on-curve points makes one
// line record; a spline record holds consecutive control points and the
// on-curve point that ends them. Control points that run to the end of the
// contour end at the start point. An empty contour gives a start of (0, 0)
// and no records.
OutlineContour FormContour(std::span<const ContourPoint> points);

}  // namespace platform
