#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <cstdint>
#include <utility>

#include "tests/windows/window_fixture.h"
#include "ui/map_view.h"
#include "ui/preview_line_raster.h"

// The preview on its own over the fixture's document, shown offscreen.
class PreviewTest : public ::testing::Test {
protected:
    PreviewTest() {
        view.show();
        view.OnInitialUpdate();
    }

    // Lays lines into slot as its freshly prepared drawing, width x height
    // plotter units, and makes PreviewMode show it.
    void Show(int slot, LineArray lines, float width, float height) {
        Drawing& drawing = document.m_interpreter[slot].m_drawing;
        drawing.m_lines = std::move(lines);
        drawing.m_nLines = static_cast<uint32_t>(drawing.m_lines.size());
        drawing.m_fMaxX = width;
        drawing.m_fMaxY = height;
        for (int other = 0; other < 3; ++other) document.m_bSlotPrepared[other] = other == slot;
        ++document.m_nSlotPreparations[slot];
        document.PreviewMode = slot == SLOT_PREVIEW ? PREVIEW_FILE : PREVIEW_OUTPUT;
    }

    // Sizes the view so that its client area is size once the paints have
    // shown or hidden the vertical scroll bar.
    void SetClient(QSize size) {
        for (int pass = 0; pass < 4; ++pass) {
            view.resize(size + view.size() - view.viewport()->size());
            QApplication::processEvents();
            view.RedrawNow();
        }
        ASSERT_EQ(view.viewport()->size(), size);
    }
    void ScrollTo(int x, int y) {
        view.horizontalScrollBar()->setValue(x);
        view.verticalScrollBar()->setValue(y);
    }
    QPoint Origin() const { return {view.horizontalScrollBar()->value(), view.verticalScrollBar()->value()}; }
    QImage Picture() { return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    WindowFixture window{WindowFixture::kOneHead};
    CTOLVEXR5DServerDoc& document = *window.document;
    CMapView view{document};
};

// The client area's picture worked out as the preview's rules say, every
// line drawn one by one: no index, no tables, no cached image.
class ExpectedPicture {
public:
    ExpectedPicture(const Drawing& drawing, int zoom, QPoint origin, QSize client)
        : m_drawing(drawing),
          m_zoom(zoom),
          m_origin(origin),
          m_image(client, QImage::Format_RGB32),
          m_unitsPerPixel(static_cast<float>(static_cast<double>(drawing.m_fMaxY) / client.height())) {
        m_image.fill(Qt::white);
    }

    // trunc(trunc(units) / s x zoom / 100) with s the float H / ch; whole
    // units first only for a point.
    double Exact(double units) const { return units / m_unitsPerPixel * m_zoom / 100.0; }
    int64_t Pixel(double units) const { return static_cast<int64_t>(Exact(units)); }
    int64_t Point(float units) const { return Pixel(static_cast<int32_t>(units)); }
    int ViewHeight() const { return static_cast<int>(std::max<int64_t>(Pixel(m_drawing.m_fMaxY), m_image.height())); }

    void Fill(int64_t left, int64_t top, int64_t right, int64_t bottom, QColor colour) {
        if (left >= right || top >= bottom) return;
        QPainter painter(&m_image);
        painter.translate(-m_origin);
        painter.fillRect(QRect(QPoint(static_cast<int>(left), static_cast<int>(top)),
                               QPoint(static_cast<int>(right - 1), static_cast<int>(bottom - 1))),
                         colour);
    }
    void Band(int32_t count, int32_t current, int32_t passes) {
        const auto perSwath = static_cast<float>(Exact(m_drawing.m_fMaxX) / count);
        const auto left = static_cast<int64_t>(static_cast<double>(perSwath) * current);
        const auto right = static_cast<int64_t>(static_cast<double>(perSwath) * (current + passes));
        Fill(left, 0, right, ViewHeight(), QColor(160, 0, 0));
        Fill(left + 1, 1, right - 1, ViewHeight() - 1, QColor(192, 192, 192));
    }
    void StartLine(uint32_t offset) { Fill(Pixel(offset) - 1, 0, Pixel(offset) + 2, ViewHeight(), QColor(255, 0, 0)); }
    const QImage& Lines() {
        const PixelBuffer target{reinterpret_cast<uint32_t*>(m_image.bits()), m_image.bytesPerLine() / 4,
                                 m_image.width(), m_image.height()};
        for (const LineF& line : m_drawing.m_lines) {
            DrawPreviewLine(target, Point(line.x1) - m_origin.x(), Point(line.y1) - m_origin.y(),
                            Point(line.x2) - m_origin.x(), Point(line.y2) - m_origin.y(), 0xFF000000u);
        }
        return m_image;
    }

private:
    const Drawing& m_drawing;
    int m_zoom;
    QPoint m_origin;
    QImage m_image;
    float m_unitsPerPixel;
};
