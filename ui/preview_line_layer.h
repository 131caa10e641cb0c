#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>

#include "engine/line_f.h"
#include "ui/preview_line_index.h"
#include "ui/preview_scale.h"

// The lines of the part of the view on show, found through an index built
// once per preparation of the slot, drawn opaque black into a transparent
// image that the paints after it reuse until the slot is
// prepared again, the scale or the zoom changes, the view scrolls or the
// client area changes size. A repaint for the printing band or an expose
// only lays the image over the background and the band: the same picture as
// drawing every line over them, since the lines are opaque and one colour.
class PreviewLineLayer {
public:
    // The lines of plot slot `slot`, prepared for the `preparation`th time,
    // on show in the client area whose top-left corner lies at origin in the
    // view's pixels.
    const QImage& LinesOnShow(int slot, uint32_t preparation, std::span<const LineF> lines, const PreviewScale& scale,
                              QPoint origin, QSize client);

private:
    struct Picture {
        int slot;
        uint32_t preparation;
        float unitsPerPixel;
        int32_t zoom;
        QPoint origin;
        QSize client;
        bool operator==(const Picture&) const = default;
    };

    void Draw(const PreviewScale& scale, QPoint origin, QSize client);

    PreviewLineIndex m_index;
    std::optional<std::pair<int, uint32_t>> m_indexed;  // the slot and preparation indexed
    std::optional<Picture> m_drawn;
    QImage m_image;
};
