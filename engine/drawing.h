#pragma once

#include <cstdint>

#include "engine/line_f.h"

// The lines of one interpreted plot file with their extents. After the
// interpreter has run, the minimum is 0, so the maxima are the drawing's
// width and height in plotter units.
struct Drawing {
    uint32_t m_nLines = 0;  // lines that MirrorX and Rotate90 walk
    float m_fMinX = 0;
    float m_fMinY = 0;
    float m_fMaxX = 0;
    float m_fMaxY = 0;
    float m_fWidthM = 0;   // metres, filled by plot-slot preparation
    float m_fHeightM = 0;
    LineArray m_lines;
};
