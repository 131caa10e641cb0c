#include "engine/text_outline.h"

#include <algorithm>
#include <limits>

#include "core/document.h"
#include "core/numeric.h"
#include "engine/plt_interpreter.h"
#include "platform/message_box.h"
#include "platform/string_table.h"

namespace {

constexpr unsigned kFrameworkCaption = 57344;
// The gap between two characters, added along X whatever the angle.
constexpr int64_t kCharacterGap = 3;

// A 64-bit sum held to the 32-bit range: a glyph far beyond it stays at the
// edge instead of wrapping to the other side of the drawing.
int32_t ClampToInt32(int64_t value) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// A glyph point's place in the drawing's whole units.
int32_t Place(int32_t fixed, int32_t origin) { return ClampToInt32(int64_t{FixedToInt(fixed)} + origin); }

void AppendSegment(LineArray& lines, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    lines.push_back({static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(x2), static_cast<float>(y2)});
}

// The character code at text[i] and the index after it: a byte from 0x80 on
// leads a double-byte character and takes the next byte (0 past the end).
uint32_t NextCharacterCode(const std::string& text, size_t& i) {
    const uint32_t lead = static_cast<unsigned char>(text[i++]);
    if (lead < 0x80) return lead;
    const uint32_t trail = i < text.size() ? static_cast<unsigned char>(text[i++]) : 0;
    return lead << 8 | trail;
}

}  // namespace

int32_t FixedToInt(int32_t fixed) { return fixed / 65536; }

int32_t DoubleToFixed(double value) { return TruncateToInt32Clamped(value * 65536.0); }

void AppendGlyphCurve(LineArray& lines, uint16_t type, std::span<const platform::FixedPoint> points, int32_t ox,
                      int32_t oy, int32_t& cx, int32_t& cy) {
    if (type != platform::OUTLINE_LINE && type != platform::OUTLINE_QSPLINE) {
        platform::ShowMessage({"字体不支持", platform::LoadString(kFrameworkCaption), platform::MessageButtons::Ok,
                               platform::MessageIcon::Exclamation});
        return;
    }
    for (const platform::FixedPoint& point : points) {
        const int32_t x = Place(point.x, ox);
        const int32_t y = Place(point.y, oy);
        AppendSegment(lines, cx, cy, x, y);
        cx = x;
        cy = y;
    }
}

void AppendTextOutline(LineArray& lines, const std::string& face, int32_t height, int32_t x, int32_t y,
                       const std::string& text, float angle, const GlyphOutlineSource& glyphs) {
    if (text.empty()) return;
    const platform::GlyphFont font{face, height, TruncateToInt32Clamped(static_cast<double>(angle) * 10.0)};
    const platform::FixedMatrix identity{DoubleToFixed(1.0), DoubleToFixed(0.0), DoubleToFixed(0.0),
                                         DoubleToFixed(1.0)};
    int32_t ox = x;
    int32_t oy = y;
    platform::GlyphOutline glyph;
    for (size_t i = 0; i < text.size();) {
        const uint32_t code = NextCharacterCode(text, i);
        // A failed query leaves no outline and no cell increments.
        if (!glyphs(font, code, identity, glyph)) glyph = {};
        for (const platform::OutlineContour& contour : glyph.contours) {
            const int32_t startX = Place(contour.start.x, ox);
            const int32_t startY = Place(contour.start.y, oy);
            int32_t cx = startX;
            int32_t cy = startY;
            for (const platform::OutlineRecord& record : contour.records) {
                AppendGlyphCurve(lines, record.type, record.points, ox, oy, cx, cy);
            }
            AppendSegment(lines, cx, cy, startX, startY);
        }
        ox = ClampToInt32(int64_t{ox} + glyph.cellIncX + kCharacterGap);
        oy = ClampToInt32(int64_t{oy} - glyph.cellIncY);
    }
}

void CPltInterpreter::AddLabelText(const std::string& face, int32_t height, int32_t x, int32_t y,
                                   const std::string& text, float angle) {
    if (m_drawing.m_lines.size() >= m_nMaxLines) {
        m_bOverLineBudget = true;
        return;
    }
    // One label adds at most a few ten thousand lines, so it may pass the
    // budget by that much before the file is refused.
    AppendTextOutline(m_drawing.m_lines, face, height, x, y, text, angle);
    if (m_drawing.m_lines.size() > m_nMaxLines) m_bOverLineBudget = true;
}

void CPltInterpreter::AddGlyphCurve(uint16_t type, std::span<const platform::FixedPoint> points, int32_t ox,
                                    int32_t oy, int32_t& cx, int32_t& cy) {
    AppendGlyphCurve(m_drawing.m_lines, type, points, ox, oy, cx, cy);
}

void CTOLVEXR5DServerDoc::AddTextOutline(LineArray& lines, const std::string& face, int32_t height, int32_t x,
                                         int32_t y, const std::string& text, float angle) {
    AppendTextOutline(lines, face, height, x, y, text, angle);
}

void CTOLVEXR5DServerDoc::AddGlyphCurve(LineArray& lines, uint16_t type, std::span<const platform::FixedPoint> points,
                                        int32_t ox, int32_t oy, int32_t& cx, int32_t& cy) {
    AppendGlyphCurve(lines, type, points, ox, oy, cx, cy);
}
