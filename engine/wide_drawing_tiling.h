#pragma once

#include <cstddef>

#include "core/plotter_config.h"
#include "engine/drawing.h"
#include "engine/line_budget.h"

// Cuts a drawing wider than MAXWIDTH into vertical strips of the usable
// width, lays them one after another along the paper feed with registration
// marks, and replaces the drawing's lines with the pieces and the marks.
// False, with the drawing unchanged, when MAXWIDTH leaves no usable strip
// width, the strips cannot be counted, or the result would hold more than
// lineBudget lines.
bool TileWideDrawing(Drawing& drawing, const PlotterConfig& config, std::size_t lineBudget = DrawingLineBudget());
