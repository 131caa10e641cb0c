#pragma once

#include <vector>

// One straight segment in plotter units (0.025 mm), from (x1, y1) to (x2, y2).
struct LineF {
    float x1;
    float y1;
    float x2;
    float y2;

    friend bool operator==(const LineF&, const LineF&) = default;
};

// A growable array of segments, held by value.
using LineArray = std::vector<LineF>;
