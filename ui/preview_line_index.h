#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/line_f.h"

// A rectangle in whole plotter units, edges included; empty when left > right
// or top > bottom.
struct UnitRect {
    int64_t left = 0;
    int64_t top = 0;
    int64_t right = -1;
    int64_t bottom = -1;
};

// The lines of a prepared plot slot, sorted once into a grid of square cells
// of whole plotter units, so that a paint visits only the cells near the part
// on show. Each line lies in the cell of its bounding box's lower corner as
// four 16-bit offsets from the cell's corner, half the size of the line
// itself; a line longer than a cell is kept whole in a list that every query
// walks. The index holds copies: it never looks at the drawing again.
class PreviewLineIndex {
public:
    // Replaces the index with one of lines, their points cut to whole units
    // as the preview draws them.
    void Build(std::span<const LineF> lines);

    // A line of a cell: its ends as offsets from the cell's corner.
    struct CellLine {
        uint16_t x1, y1, x2, y2;
    };

    // Calls visitCell(left, top, lines) for every cell that may hold a line
    // whose bounding box meets area (left, top: the cell's corner in whole
    // units; lines: its lines), and visitLine(x1, y1, x2, y2) with the
    // whole-unit ends of every long line that meets it.
    template <typename VisitCell, typename VisitLine>
    void ForEachLineNear(const UnitRect& area, VisitCell&& visitCell, VisitLine&& visitLine) const;

    size_t LineCount() const { return m_cellLines.size() + m_longLines.size(); }
    // What the lines cover, in whole units; empty without lines.
    const UnitRect& Extent() const { return m_extent; }
    // The side of a cell: no line in a cell reaches further than two sides
    // from the cell's corner.
    int64_t CellSize() const { return m_nCellSize; }
    size_t MemoryBytes() const;

private:
    struct Line {
        int32_t x1, y1, x2, y2;
    };
    static constexpr size_t kLong = SIZE_MAX;

    static Line WholeUnits(const LineF& line);
    void ChooseCells(size_t lineCount);
    // The cell that holds line, or kLong.
    size_t CellOf(const Line& line) const;
    int64_t Column(int64_t x) const {
        return std::clamp<int64_t>((x - m_extent.left) / m_nCellSize, 0, m_nColumns - 1);
    }
    int64_t Row(int64_t y) const { return std::clamp<int64_t>((y - m_extent.top) / m_nCellSize, 0, m_nRows - 1); }
    size_t CellIndex(int64_t column, int64_t row) const {
        return static_cast<size_t>(m_bColumnsOuter ? column * m_nRows + row : row * m_nColumns + column);
    }

    UnitRect m_extent;
    int64_t m_nCellSize = 1;
    int64_t m_nColumns = 0;
    int64_t m_nRows = 0;
    // Cells lie column after column when the drawing is wider than high, row
    // after row otherwise, and a query walks them in that order: the inner
    // walk then crosses the shorter side, whose pixels stay in the cache.
    bool m_bColumnsOuter = true;
    std::vector<size_t> m_cellStart;  // the first line of each cell, then the end
    std::vector<CellLine> m_cellLines;
    std::vector<Line> m_longLines;
};

template <typename VisitCell, typename VisitLine>
void PreviewLineIndex::ForEachLineNear(const UnitRect& area, VisitCell&& visitCell, VisitLine&& visitLine) const {
    if (area.left > area.right || area.top > area.bottom) return;
    if (area.right < m_extent.left || area.left > m_extent.right || area.bottom < m_extent.top ||
        area.top > m_extent.bottom) {
        return;
    }
    if (!m_cellLines.empty()) {
        // A line that meets area starts at most one cell before it.
        const int64_t firstColumn = Column(area.left - m_nCellSize);
        const int64_t lastColumn = Column(area.right);
        const int64_t firstRow = Row(area.top - m_nCellSize);
        const int64_t lastRow = Row(area.bottom);
        const auto visit = [&](int64_t column, int64_t row) {
            const size_t cell = CellIndex(column, row);
            const size_t first = m_cellStart[cell];
            const size_t end = m_cellStart[cell + 1];
            if (first == end) return;
            visitCell(m_extent.left + column * m_nCellSize, m_extent.top + row * m_nCellSize,
                      std::span<const CellLine>(m_cellLines.data() + first, end - first));
        };
        if (m_bColumnsOuter) {
            for (int64_t column = firstColumn; column <= lastColumn; ++column) {
                for (int64_t row = firstRow; row <= lastRow; ++row) visit(column, row);
            }
        } else {
            for (int64_t row = firstRow; row <= lastRow; ++row) {
                for (int64_t column = firstColumn; column <= lastColumn; ++column) visit(column, row);
            }
        }
    }
    for (const Line& line : m_longLines) {
        if (std::max(line.x1, line.x2) >= area.left && std::min(line.x1, line.x2) <= area.right &&
            std::max(line.y1, line.y2) >= area.top && std::min(line.y1, line.y2) <= area.bottom) {
            visitLine(line.x1, line.y1, line.x2, line.y2);
        }
    }
}
