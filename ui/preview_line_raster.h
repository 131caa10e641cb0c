#pragma once

#include <cstdint>

// A 32-bit pixel buffer that the preview's lines are drawn into. The sizes
// are 64-bit, so a pixel written can never be one of them to the compiler,
// which then keeps them in registers.
struct PixelBuffer {
    uint32_t* bits = nullptr;
    int64_t stride = 0;  // pixels from one row to the next
    int64_t width = 0;
    int64_t height = 0;

    bool Contains(int64_t x, int64_t y) const {
        return static_cast<uint64_t>(x) < static_cast<uint64_t>(width) &&
               static_cast<uint64_t>(y) < static_cast<uint64_t>(height);
    }
    void Put(int64_t x, int64_t y, uint32_t pixel) const { bits[y * stride + x] = pixel; }
};

// DrawPreviewLine for a line of more than one step along either axis.
void DrawPreviewLineSteps(const PixelBuffer& target, int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint32_t pixel);

// Sets the pixels of the one-pixel line from (x1, y1) to (x2, y2), both ends
// included, that lie in the buffer: one pixel per step along the longer axis
// (x when both are equal), the other coordinate rounded to the nearest pixel,
// a half away from the end whose longer-axis coordinate is the smaller. The
// pixels do not depend on which end comes first or on the buffer's size, so
// a line drawn in parts of the view matches the line drawn whole. Most lines
// of a plot file shrink to a pixel or two on screen; those take the short way.
inline void DrawPreviewLine(const PixelBuffer& target, int64_t x1, int64_t y1, int64_t x2, int64_t y2, uint32_t pixel) {
    const int64_t dx = x2 - x1;
    const int64_t dy = y2 - y1;
    if (dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1) {
        if (target.Contains(x1, y1)) target.Put(x1, y1, pixel);
        if (target.Contains(x2, y2)) target.Put(x2, y2, pixel);
        return;
    }
    DrawPreviewLineSteps(target, x1, y1, x2, y2, pixel);
}
