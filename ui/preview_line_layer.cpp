#include "ui/preview_line_layer.h"

#include <algorithm>

#include "ui/preview_line_raster.h"
#include "ui/wait_cursor.h"

namespace {

constexpr uint32_t kOpaqueBlack = 0xFF000000u;

// The lines of one cell whose points' pixels the tables hold: xs and ys are
// the pixels of the cell's units from its corner on, reach units each. A
// paint at a low zoom draws millions of lines through here, most of them a
// pixel or two long; when every pixel the cell's units can reach lies in the
// client area, those lines are put without a check.
[[gnu::noinline]] void DrawCellLines(PixelBuffer target, const int32_t* xs, const int32_t* ys, int64_t reach,
                                     std::span<const PreviewLineIndex::CellLine> lines, int64_t left, int64_t top) {
    const bool inside = xs[0] - left >= 0 && xs[reach - 1] - left < target.width && ys[0] - top >= 0 &&
                        ys[reach - 1] - top < target.height;
    if (!inside) {
        for (const PreviewLineIndex::CellLine& line : lines) {
            DrawPreviewLine(target, xs[line.x1] - left, ys[line.y1] - top, xs[line.x2] - left, ys[line.y2] - top,
                            kOpaqueBlack);
        }
        return;
    }
    uint32_t* const bits = target.bits;
    const int64_t stride = target.stride;
    const int64_t corner = top * stride + left;  // the client's first pixel in view pixels
    for (const PreviewLineIndex::CellLine& line : lines) {
        const int64_t x1 = xs[line.x1];
        const int64_t y1 = ys[line.y1];
        const int64_t x2 = xs[line.x2];
        const int64_t y2 = ys[line.y2];
        if (static_cast<uint64_t>(x2 - x1 + 1) <= 2 && static_cast<uint64_t>(y2 - y1 + 1) <= 2) {
            bits[y1 * stride + x1 - corner] = kOpaqueBlack;
            bits[y2 * stride + x2 - corner] = kOpaqueBlack;
        } else {
            DrawPreviewLineSteps(target, x1 - left, y1 - top, x2 - left, y2 - top, kOpaqueBlack);
        }
    }
}

}  // namespace

const QImage& PreviewLineLayer::LinesOnShow(int slot, uint32_t preparation, std::span<const LineF> lines,
                                            const PreviewScale& scale, QPoint origin, QSize client) {
    const Picture wanted{slot, preparation, scale.UnitsPerPixel(), scale.Zoom(), origin, client};
    const std::pair indexed{slot, preparation};
    if (m_indexed == indexed && m_drawn == wanted) return m_image;

    const WaitCursor wait;
    if (m_indexed != indexed) {
        m_index.Build(lines);
        m_indexed = indexed;
    }
    Draw(scale, origin, client);
    m_drawn = wanted;
    return m_image;
}

void PreviewLineLayer::Draw(const PreviewScale& scale, QPoint origin, QSize client) {
    if (m_image.size() != client) m_image = QImage(client, QImage::Format_ARGB32_Premultiplied);
    m_image.fill(Qt::transparent);

    // The units whose pixels fall into the client area; a line outside them
    // has no pixel on show. The tables cover every point of the cells that
    // the index visits: up to two cells beyond the area.
    const UnitRect area{scale.FirstUnitAtOrAfter(origin.x()), scale.FirstUnitAtOrAfter(origin.y()),
                        scale.LastUnitAtOrBefore(int64_t{origin.x()} + client.width() - 1),
                        scale.LastUnitAtOrBefore(int64_t{origin.y()} + client.height() - 1)};
    const UnitRect& extent = m_index.Extent();
    const int64_t cell = m_index.CellSize();
    const int64_t reach = 2 * cell;  // of a cell's lines from its corner
    const PixelTable columns(scale, std::max(area.left - reach, extent.left),
                             std::min(area.right + reach, extent.right + reach));
    const PixelTable rows(scale, std::max(area.top - reach, extent.top),
                          std::min(area.bottom + reach, extent.bottom + reach));

    const PixelBuffer target{reinterpret_cast<uint32_t*>(m_image.bits()), m_image.bytesPerLine() / 4, client.width(),
                             client.height()};
    const int64_t left = origin.x();
    const int64_t top = origin.y();
    const auto drawLine = [&](int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
        DrawPreviewLine(target, columns(x1) - left, rows(y1) - top, columns(x2) - left, rows(y2) - top, kOpaqueBlack);
    };
    m_index.ForEachLineNear(
        area,
        [&](int64_t cellLeft, int64_t cellTop, std::span<const PreviewLineIndex::CellLine> lines) {
            const int32_t* xs = columns.Entries(cellLeft, reach);
            const int32_t* ys = rows.Entries(cellTop, reach);
            if (xs != nullptr && ys != nullptr) {
                DrawCellLines(target, xs, ys, reach, lines, left, top);
                return;
            }
            for (const PreviewLineIndex::CellLine& line : lines) {
                drawLine(static_cast<int32_t>(cellLeft + line.x1), static_cast<int32_t>(cellTop + line.y1),
                         static_cast<int32_t>(cellLeft + line.x2), static_cast<int32_t>(cellTop + line.y2));
            }
        },
        drawLine);
}
