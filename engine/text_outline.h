#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "engine/line_f.h"
#include "platform/glyph_outline.h"

// 16.16 fixed point to integer, truncated toward zero (-1.5 gives -1).
int32_t FixedToInt(int32_t fixed);
// trunc(value x 65536) as a 16.16 value (1.0 gives 65536); beyond the 32-bit
// range it saturates, NaN gives 0.
int32_t DoubleToFixed(double value);

// Where labels take their glyph outlines from.
using GlyphOutlineSource = std::function<bool(const platform::GlyphFont& font, uint32_t code,
                                              const platform::FixedMatrix& matrix, platform::GlyphOutline& out)>;

// Appends to lines the glyph outlines of text (8-bit GBK) in the named face,
// height in output units (0: the face's default), the first glyph's origin on
// the baseline at (x, y), the baseline turned angle degrees counter-clockwise.
// Every contour becomes straight segments, splines drawn as the polygon
// through their points. A character whose outline cannot be had adds nothing
// and moves the next origin by 3 units in X only.
void AppendTextOutline(LineArray& lines, const std::string& face, int32_t height, int32_t x, int32_t y,
                       const std::string& text, float angle,
                       const GlyphOutlineSource& glyphs = platform::GetGlyphOutline);

// Appends one segment per point of a line or quadratic-spline record, from
// the current point (cx, cy) on, each point placed relative to the glyph
// origin (ox, oy); (cx, cy) ends at the last point. A record of any other type
// is reported to the operator, adds nothing and leaves (cx, cy) alone.
void AppendGlyphCurve(LineArray& lines, uint16_t type, std::span<const platform::FixedPoint> points, int32_t ox,
                      int32_t oy, int32_t& cx, int32_t& cy);
