#pragma once

#include <cstdint>

#include "engine/line_f.h"

// The head-clearing test pattern of a job's first transfer: vertical stripes
// across the carriage, each 3 x (beltWidth + 1) lines one plotter unit apart,
// every line spanning the whole height of pass p (p x swathHeight to
// (p + 1) x swathHeight - 1). Two-pass packets get 25 stripes 960 units
// apart from x = 300, four-pass packets 20 stripes 460 apart.
LineArray TestPatternStripes(bool fourPass, int32_t beltWidth, int pass, int32_t swathHeight);

// Where the starting label begins: just right of the last four-pass stripe.
int32_t StartingLabelX(int32_t beltWidth);
