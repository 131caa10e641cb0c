#include <algorithm>
#include <span>

#include "engine/plt_interpreter.h"

namespace {

// The first m_nLines lines, never more than the array holds.
std::span<LineF> WalkedLines(Drawing& drawing) {
    return std::span<LineF>(drawing.m_lines).first(std::min<size_t>(drawing.m_nLines, drawing.m_lines.size()));
}

}  // namespace

void CPltInterpreter::MirrorX() {
    if (!m_bMirror) return;
    const float width = m_drawing.m_fMaxX;
    float maxX = 0;
    for (LineF& line : WalkedLines(m_drawing)) {
        line.x1 = width - line.x1;
        line.x2 = width - line.x2;
        maxX = std::max({maxX, line.x1, line.x2});
    }
    m_drawing.m_fMaxX = maxX;
}

// Widens the maxima to cover the lines, then, when turning, makes a quarter
// turn, the other way round for a mirrored drawing.
void CPltInterpreter::Rotate90() {
    const std::span<LineF> lines = WalkedLines(m_drawing);
    for (const LineF& line : lines) {
        m_drawing.m_fMaxX = std::max({m_drawing.m_fMaxX, line.x1, line.x2});
        m_drawing.m_fMaxY = std::max({m_drawing.m_fMaxY, line.y1, line.y2});
    }
    if (!m_bRotate90) return;

    const float width = m_drawing.m_fMaxX;
    const float height = m_drawing.m_fMaxY;
    m_drawing.m_fMaxX = height;
    m_drawing.m_fMaxY = width;
    for (LineF& line : lines) {
        if (m_bMirror) {
            line = {line.y1, width - line.x1, line.y2, width - line.x2};
        } else {
            line = {height - line.y1, line.x1, height - line.y2, line.x2};
        }
    }
}
