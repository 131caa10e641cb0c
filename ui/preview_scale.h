#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "core/numeric.h"

// The preview's scale rule: at zoom 100 the drawing's height H fills the
// client height ch. s = H / ch plotter units per pixel, kept as a 32-bit
// float; a length in plotter units becomes units / s x zoom / 100 pixels,
// formed in double, and a drawing's point is first cut to whole plotter
// units and then truncated to whole pixels.
class PreviewScale {
public:
    PreviewScale(float drawingHeight, int32_t clientHeight, int32_t zoom);

    // False for a drawing without height (or a client without pixels):
    // nothing can be scaled to fill the pane.
    bool IsUsable() const { return m_fUnitsPerPixel > 0 && std::isfinite(m_fUnitsPerPixel); }
    float UnitsPerPixel() const { return m_fUnitsPerPixel; }
    int32_t Zoom() const { return m_nZoom; }

    // units / s x zoom / 100, not yet truncated.
    double Pixels(double units) const { return units / m_fUnitsPerPixel * m_nZoom / 100.0; }
    // The same truncated toward zero (kept within the 32-bit range).
    int32_t WholePixels(double units) const;
    // The pixel of a coordinate in whole plotter units.
    int32_t PixelOf(int32_t units) const { return WholePixels(units); }
    // The smallest whole unit whose pixel is pixel or more, and the largest
    // whose pixel is pixel or less (PixelOf never falls as units grow).
    int64_t FirstUnitAtOrAfter(int64_t pixel) const;
    int64_t LastUnitAtOrBefore(int64_t pixel) const;

    // A drawing's coordinate cut to whole plotter units.
    static int32_t WholeUnits(float coordinate) { return TruncateToInt32Clamped(coordinate); }

private:
    float m_fUnitsPerPixel;
    int32_t m_nZoom;
};

// PixelOf for every whole unit of a range, worked out once for a paint:
// a paint maps millions of points, each a division, onto a few thousand
// pixels. Units outside the range are worked out one by one.
class PixelTable {
public:
    // first..last, unless the range is larger than kMaxEntries: then the
    // table stays empty.
    PixelTable(const PreviewScale& scale, int64_t first, int64_t last);

    int32_t operator()(int32_t units) const {
        const uint64_t entry = static_cast<uint64_t>(int64_t{units} - m_first);
        return entry < m_pixels.size() ? m_pixels[entry] : m_scale.PixelOf(units);
    }

    // The pixels of units first..first + count - 1, or null when the table
    // does not hold them all.
    const int32_t* Entries(int64_t first, int64_t count) const {
        return first >= m_first && first - m_first + count <= static_cast<int64_t>(m_pixels.size())
                   ? m_pixels.data() + (first - m_first)
                   : nullptr;
    }

    static constexpr int64_t kMaxEntries = int64_t{1} << 21;

private:
    const PreviewScale& m_scale;
    int64_t m_first = 0;
    std::vector<int32_t> m_pixels;
};
