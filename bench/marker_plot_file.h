#pragma once

#include <cstdint>
#include <string>

// A garment-marker-like plot file: rows of closed pattern pieces (curved
// outlines drawn point by point), each with a dashed grain line, notches and
// a label, laid out over a marker of the given size in plotter units.
struct MarkerLayout {
    int32_t lengthUnits = 400000;  // along the file's X: 10 m
    int32_t widthUnits = 71800;    // along the file's Y: 179.5 cm
    int32_t pieceColumns = 100;
    int32_t pieceRows = 24;
    int32_t pointsPerOutline = 420;
    bool labels = true;
    uint32_t seed = 1;
};

std::string MakeMarkerPlotFile(const MarkerLayout& layout);
