#pragma once

#include "core/plotter_config.h"
#include "engine/drawing.h"

// Cuts a drawing wider than MAXWIDTH into vertical strips of the usable
// width, lays them one after another along the paper feed with registration
// marks, and replaces the drawing's lines with the pieces and the marks.
// False, with the drawing unchanged, when MAXWIDTH leaves no usable strip
// width or the strips cannot be counted.
bool TileWideDrawing(Drawing& drawing, const PlotterConfig& config);
