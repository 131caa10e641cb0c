#include "bench/marker_plot_file.h"

#include <cmath>
#include <numbers>
#include <random>

namespace {

void AppendPoint(std::string& out, const char* command, int32_t x, int32_t y) {
    out += command;
    out += std::to_string(x);
    out += ',';
    out += std::to_string(y);
    out += ';';
}

}  // namespace

std::string MakeMarkerPlotFile(const MarkerLayout& layout) {
    std::mt19937 random(layout.seed);
    std::uniform_real_distribution<double> wobble(0.85, 1.0);
    const int32_t cellX = layout.lengthUnits / layout.pieceColumns;
    const int32_t cellY = layout.widthUnits / layout.pieceRows;

    std::string out = "IN;SP1;";
    out.reserve(static_cast<size_t>(layout.pieceColumns) * layout.pieceRows * layout.pointsPerOutline * 16);
    for (int32_t column = 0; column < layout.pieceColumns; ++column) {
        for (int32_t row = 0; row < layout.pieceRows; ++row) {
            const double cx = cellX * (column + 0.5);
            const double cy = cellY * (row + 0.5);
            const double rx = cellX * 0.45 * wobble(random);
            const double ry = cellY * 0.45 * wobble(random);
            const double lobes = 2 + random() % 4;

            // The outline: a closed curve with lobes, one PD per point.
            const auto outline = [&](int i) {
                const double t = 2 * std::numbers::pi * i / layout.pointsPerOutline;
                const double r = 1 - 0.12 * std::sin(lobes * t) * std::sin(lobes * t);
                return std::pair{static_cast<int32_t>(cx + rx * r * std::cos(t)),
                                 static_cast<int32_t>(cy + ry * r * std::sin(t))};
            };
            const auto [x0, y0] = outline(0);
            AppendPoint(out, "PU", x0, y0);
            for (int i = 1; i <= layout.pointsPerOutline; ++i) {
                const auto [x, y] = outline(i % layout.pointsPerOutline);
                AppendPoint(out, "PD", x, y);
            }

            // Notches along the outline.
            for (int i = 0; i < layout.pointsPerOutline; i += layout.pointsPerOutline / 6) {
                const auto [x, y] = outline(i);
                AppendPoint(out, "PU", x, y);
                AppendPoint(out, "PD", x + static_cast<int32_t>((cx - x) / 20), y + static_cast<int32_t>((cy - y) / 20));
            }

            // The dashed grain line and the piece's label.
            out += "LT2,4;";
            AppendPoint(out, "PU", static_cast<int32_t>(cx - rx * 0.6), static_cast<int32_t>(cy));
            AppendPoint(out, "PD", static_cast<int32_t>(cx + rx * 0.6), static_cast<int32_t>(cy));
            out += "LT;";
            if (layout.labels) {
                AppendPoint(out, "PU", static_cast<int32_t>(cx - rx * 0.4), static_cast<int32_t>(cy - ry * 0.3));
                out += "LBPIECE " + std::to_string(column) + "-" + std::to_string(row) + "\x03";
            }
        }
    }
    out += "PU0,0;SP0;";
    return out;
}
