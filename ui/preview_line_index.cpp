#include "ui/preview_line_index.h"

#include <cmath>
#include <limits>

#include "ui/preview_scale.h"

namespace {

// About this many lines share a cell: few enough that a paint at a high zoom
// visits little beyond the part on show, many enough that the cell table
// stays small beside the lines.
constexpr double kLinesPerCell = 128;
// Offsets from a cell's corner reach up to two cell sides less one unit.
constexpr int64_t kLargestCellForOffsets = 32768;

}  // namespace

PreviewLineIndex::Line PreviewLineIndex::WholeUnits(const LineF& line) {
    return {PreviewScale::WholeUnits(line.x1), PreviewScale::WholeUnits(line.y1), PreviewScale::WholeUnits(line.x2),
            PreviewScale::WholeUnits(line.y2)};
}

void PreviewLineIndex::Build(std::span<const LineF> lines) {
    *this = PreviewLineIndex();
    if (lines.empty()) return;

    int32_t minX = std::numeric_limits<int32_t>::max();
    int32_t minY = minX;
    int32_t maxX = std::numeric_limits<int32_t>::min();
    int32_t maxY = maxX;
    for (const LineF& lineF : lines) {
        const Line line = WholeUnits(lineF);
        minX = std::min({minX, line.x1, line.x2});
        maxX = std::max({maxX, line.x1, line.x2});
        minY = std::min({minY, line.y1, line.y2});
        maxY = std::max({maxY, line.y1, line.y2});
    }
    m_extent = {minX, minY, maxX, maxY};
    ChooseCells(lines.size());

    // Counted, then placed: each cell's lines lie together, cells row by row.
    const size_t cellCount = static_cast<size_t>(m_nColumns * m_nRows);
    m_cellStart.assign(cellCount + 1, 0);
    size_t longCount = 0;
    for (const LineF& lineF : lines) {
        const size_t cell = CellOf(WholeUnits(lineF));
        if (cell == kLong) {
            ++longCount;
        } else {
            ++m_cellStart[cell + 1];
        }
    }
    for (size_t cell = 0; cell < cellCount; ++cell) m_cellStart[cell + 1] += m_cellStart[cell];
    m_cellLines.resize(m_cellStart[cellCount]);
    m_longLines.reserve(longCount);

    std::vector<size_t> next(m_cellStart.begin(), m_cellStart.end() - 1);
    for (const LineF& lineF : lines) {
        const Line line = WholeUnits(lineF);
        const size_t cell = CellOf(line);
        if (cell == kLong) {
            m_longLines.push_back(line);
            continue;
        }
        const int64_t left = m_extent.left + Column(std::min(line.x1, line.x2)) * m_nCellSize;
        const int64_t top = m_extent.top + Row(std::min(line.y1, line.y2)) * m_nCellSize;
        m_cellLines[next[cell]++] = {static_cast<uint16_t>(line.x1 - left), static_cast<uint16_t>(line.y1 - top),
                                     static_cast<uint16_t>(line.x2 - left), static_cast<uint16_t>(line.y2 - top)};
    }
}

void PreviewLineIndex::ChooseCells(size_t lineCount) {
    const int64_t width = m_extent.right - m_extent.left + 1;
    const int64_t height = m_extent.bottom - m_extent.top + 1;
    const double targetCells = std::max(1.0, static_cast<double>(lineCount) / kLinesPerCell);
    m_nCellSize = std::max<int64_t>(
        1, static_cast<int64_t>(std::ceil(std::sqrt(static_cast<double>(width) * height / targetCells))));
    // A long, thin drawing would get more cells than lines: the cells grow.
    const auto cells = [&] {
        return static_cast<double>((width + m_nCellSize - 1) / m_nCellSize) *
               ((height + m_nCellSize - 1) / m_nCellSize);
    };
    while (cells() > 2 * targetCells + 1) m_nCellSize *= 2;
    m_nColumns = (width + m_nCellSize - 1) / m_nCellSize;
    m_nRows = (height + m_nCellSize - 1) / m_nCellSize;
    m_bColumnsOuter = width >= height;
}

size_t PreviewLineIndex::CellOf(const Line& line) const {
    const int64_t left = std::min(line.x1, line.x2);
    const int64_t top = std::min(line.y1, line.y2);
    if (m_nCellSize > kLargestCellForOffsets || std::max(line.x1, line.x2) - left > m_nCellSize ||
        std::max(line.y1, line.y2) - top > m_nCellSize) {
        return kLong;
    }
    return CellIndex(Column(left), Row(top));
}

size_t PreviewLineIndex::MemoryBytes() const {
    return m_cellStart.capacity() * sizeof(size_t) + m_cellLines.capacity() * sizeof(CellLine) +
           m_longLines.capacity() * sizeof(Line);
}
