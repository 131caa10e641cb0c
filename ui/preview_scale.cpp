#include "ui/preview_scale.h"

#include <algorithm>
#include <limits>

PreviewScale::PreviewScale(float drawingHeight, int32_t clientHeight, int32_t zoom)
    : m_fUnitsPerPixel(clientHeight > 0 ? static_cast<float>(static_cast<double>(drawingHeight) / clientHeight) : 0),
      m_nZoom(zoom) {}

int32_t PreviewScale::WholePixels(double units) const { return TruncateToInt32Clamped(Pixels(units)); }

int64_t PreviewScale::FirstUnitAtOrAfter(int64_t pixel) const {
    int64_t low = std::numeric_limits<int32_t>::min();
    int64_t high = int64_t{std::numeric_limits<int32_t>::max()} + 1;  // stands for "none"
    while (low < high) {
        const int64_t middle = low + (high - low) / 2;
        if (PixelOf(static_cast<int32_t>(middle)) >= pixel) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return low;
}

int64_t PreviewScale::LastUnitAtOrBefore(int64_t pixel) const { return FirstUnitAtOrAfter(pixel + 1) - 1; }

PixelTable::PixelTable(const PreviewScale& scale, int64_t first, int64_t last) : m_scale(scale) {
    first = std::max<int64_t>(first, std::numeric_limits<int32_t>::min());
    last = std::min<int64_t>(last, std::numeric_limits<int32_t>::max());
    m_first = first;
    if (first > last || last - first >= kMaxEntries) return;
    m_pixels.resize(static_cast<size_t>(last - first + 1));
    // Filled run by run: at a low zoom hundreds of units share a pixel, and
    // since pixels never fall as units grow, each run's end is found by a
    // search that starts from the units a pixel is about worth.
    const double unitsPerPixel =
        scale.Zoom() > 0 ? static_cast<double>(scale.UnitsPerPixel()) * 100.0 / scale.Zoom() : 0;
    const int64_t guess = unitsPerPixel >= 1 && unitsPerPixel < 1e9 ? static_cast<int64_t>(unitsPerPixel) : 1;
    const auto pixelOf = [&](int64_t units) { return scale.PixelOf(static_cast<int32_t>(units)); };
    for (int64_t units = first; units <= last;) {
        const int32_t pixel = pixelOf(units);
        // The run ends before `end`: the first unit with another pixel, or last + 1.
        int64_t step = guess;
        int64_t inRun = units;
        int64_t end = std::min(last + 1, units + step);
        while (end <= last && pixelOf(end) == pixel) {
            inRun = end;
            step *= 2;
            end = std::min(last + 1, end + step);
        }
        while (end - inRun > 1) {
            const int64_t middle = inRun + (end - inRun) / 2;
            if (pixelOf(middle) == pixel) {
                inRun = middle;
            } else {
                end = middle;
            }
        }
        std::fill(m_pixels.begin() + (units - first), m_pixels.begin() + (end - first), pixel);
        units = end;
    }
}
