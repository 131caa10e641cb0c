#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>

#include "engine/wide_drawing_tiling.h"

namespace {

PlotterConfig ConfigWithMaxWidth(float centimetres) {
    PlotterConfig config;
    config.MAXWIDTH = centimetres;
    return config;
}

Drawing MakeDrawing(float width, float height, LineArray lines = {}) {
    Drawing drawing;
    drawing.m_fMaxX = width;
    drawing.m_fMaxY = height;
    drawing.m_nLines = static_cast<uint32_t>(lines.size());
    drawing.m_lines = std::move(lines);
    return drawing;
}

bool IsEdgeTick(const LineF& l) { return l.x1 == l.x2 && l.y2 - l.y1 == 200; }
bool IsEndTick(const LineF& l) { return l.y1 == l.y2 && l.x2 - l.x1 == 200; }
bool IsCrossLine(const LineF& l) { return std::fabs(l.x2 - l.x1) == 1000 && std::fabs(l.y2 - l.y1) == 1000; }

long Count(const Drawing& d, bool (*kind)(const LineF&)) { return std::ranges::count_if(d.m_lines, kind); }

uint32_t Bits(float value) { return std::bit_cast<uint32_t>(value); }

void ExpectUnchanged(const Drawing& before, const Drawing& after) {
    EXPECT_EQ(after.m_lines, before.m_lines);
    EXPECT_EQ(after.m_nLines, before.m_nLines);
    EXPECT_EQ(Bits(after.m_fMaxX), Bits(before.m_fMaxX));
    EXPECT_EQ(Bits(after.m_fMaxY), Bits(before.m_fMaxY));
    EXPECT_EQ(Bits(after.m_fWidthM), Bits(before.m_fWidthM));
    EXPECT_EQ(Bits(after.m_fHeightM), Bits(before.m_fHeightM));
}

TEST(WideDrawingTiling, StripWidthComesFromTheStoredUnitAndPiecesShiftIntoTheirStrip) {
    // 180.0 cm is 71,999 units of the float 0.025 mm, so the strips are 70,999 wide.
    Drawing drawing = MakeDrawing(71000, 1000,
                                  {{71000, 700, 70000, 200},    // ends swapped: leaves strip 0
                                   {70999, 100, 70999, 900}});  // exactly on the seam
    drawing.m_fWidthM = 1.775f;
    ASSERT_TRUE(TileWideDrawing(drawing, ConfigWithMaxWidth(180.0f)));

    EXPECT_EQ(drawing.m_lines[0], (LineF{70500, 2000, 71499, 2499.5f}));
    EXPECT_EQ(drawing.m_lines[1], (LineF{500, 5299.5f, 501, 5300}));
    EXPECT_EQ(drawing.m_lines[2], (LineF{500, 4700, 500, 5500}));
    EXPECT_TRUE(IsEdgeTick(drawing.m_lines[3]));
    EXPECT_EQ(drawing.m_nLines, drawing.m_lines.size());
    EXPECT_EQ(drawing.m_fMaxX, 71499.0f);
    EXPECT_EQ(drawing.m_fMaxY, 6100.0f);  // 2 x (1000 + 1800) + 500
    EXPECT_EQ(drawing.m_fWidthM, 1.7874749898910522f);
    EXPECT_EQ(drawing.m_fHeightM, 3.7249999046325684f);
    EXPECT_EQ(drawing.m_fMinX, 0.0f);

    // 5.0 cm gives strips 999 wide; a width of exactly 2 x 999 opens a third
    // strip that holds only what lies on x = 1998.
    Drawing exact = MakeDrawing(1998, 400, {{1998, 0, 1998, 400}, {999, 0, 999, 400}});
    exact.m_fWidthM = 0.0625f;
    ASSERT_TRUE(TileWideDrawing(exact, ConfigWithMaxWidth(5.0f)));
    EXPECT_EQ(exact.m_lines[0], (LineF{500, 6200, 500, 6600}));  // strip 2: 2 x 2200 + 1800
    EXPECT_EQ(exact.m_lines[1], (LineF{500, 4000, 500, 4400}));  // strip 1
    EXPECT_TRUE(IsEdgeTick(exact.m_lines[2]));
    EXPECT_EQ(Count(exact, IsEdgeTick), 4);  // one per seam side: t = 400 is not below the height
    EXPECT_EQ(exact.m_fMaxX, 1499.0f);
    EXPECT_EQ(exact.m_fMaxY, 7100.0f);
    EXPECT_EQ(exact.m_fWidthM, 0.03747500106692314f);
    EXPECT_EQ(exact.m_fHeightM, 0.36250001192092896f);
}

TEST(WideDrawingTiling, ALineAcrossTwoSeamsGivesOnePiecePerStrip) {
    // The fractional height makes every strip offset inexact in float; each
    // coordinate is rounded once, after the float slope is applied in double.
    Drawing drawing = MakeDrawing(2400, 1200.1f, {{228, 750.7f, 2317, 45.7f}, {100, 50, 2900, 50}});
    ASSERT_TRUE(TileWideDrawing(drawing, ConfigWithMaxWidth(5.0f)));

    EXPECT_EQ(drawing.m_lines[0], (LineF{728, 2550.699951171875f, 1499, 2290.501220703125f}));
    EXPECT_EQ(drawing.m_lines[1], (LineF{500, 5290.60107421875f, 1499, 4953.45654296875f}));
    EXPECT_EQ(drawing.m_lines[2], (LineF{500, 7953.556640625f, 819, 7845.89990234375f}));
    EXPECT_EQ(drawing.m_lines[3], (LineF{600, 1850, 1499, 1850}));
    EXPECT_EQ(drawing.m_lines[4], (LineF{500, 4850.10009765625f, 1499, 4850.10009765625f}));
    EXPECT_EQ(drawing.m_lines[5], (LineF{500, 7850.2001953125f, 1402, 7850.2001953125f}));
    EXPECT_TRUE(IsEdgeTick(drawing.m_lines[6]));
    EXPECT_EQ(drawing.m_fMaxY, 9500.2998046875f);
}

TEST(WideDrawingTiling, AnEmptyDrawingGetsTheMarksOfEveryStrip) {
    Drawing drawing = MakeDrawing(2500, 7000);
    ASSERT_TRUE(TileWideDrawing(drawing, ConfigWithMaxWidth(5.0f)));
    const LineArray& l = drawing.m_lines;

    // Per seam side 18 edge ticks (t = 0 to 6800) and one row of crosses:
    // double after the even strip 0, single after the odd strip 1.
    ASSERT_EQ(l.size(), 103u);
    EXPECT_EQ(drawing.m_nLines, 103u);
    EXPECT_EQ(Count(drawing, IsEdgeTick), 72);
    EXPECT_EQ(Count(drawing, IsEndTick), 15);
    EXPECT_EQ(Count(drawing, IsCrossLine), 16);

    // Strip 0 (near end 1800, far end 8800): right-edge ticks, its double
    // cross, end ticks near then far, and the seam cross on the right.
    EXPECT_EQ(l[0], (LineF{1499, 1800, 1499, 2000}));
    EXPECT_EQ(l[17], (LineF{1499, 8600, 1499, 8800}));
    EXPECT_EQ(l[18], (LineF{999, 1300, 1999, 2300}));
    EXPECT_EQ(l[19], (LineF{999, 2300, 1999, 1300}));
    EXPECT_EQ(l[20], (LineF{999, 4300, 1999, 5300}));
    EXPECT_EQ(l[21], (LineF{999, 5300, 1999, 4300}));
    EXPECT_EQ(l[22], (LineF{400, 1800, 600, 1800}));
    EXPECT_EQ(l[23], (LineF{400, 8800, 600, 8800}));
    EXPECT_EQ(l[27], (LineF{1200, 8800, 1400, 8800}));
    EXPECT_EQ(l[28], (LineF{999, 8300, 1999, 9300}));
    EXPECT_EQ(l[29], (LineF{1999, 8300, 999, 9300}));

    // Strip 1 (near end 10600): ticks left then right; a single cross on the
    // right, a double one on the left; its seam cross on the left edge.
    EXPECT_EQ(l[30], (LineF{500, 10600, 500, 10800}));
    EXPECT_EQ(l[31], (LineF{1499, 10600, 1499, 10800}));
    EXPECT_EQ(l[66], (LineF{999, 10100, 1999, 11100}));
    EXPECT_EQ(l[68], (LineF{0, 10100, 1000, 11100}));
    EXPECT_EQ(l[70], (LineF{0, 13100, 1000, 14100}));
    EXPECT_EQ(l[78], (LineF{0, 17100, 1000, 18100}));
    EXPECT_EQ(l[79], (LineF{1000, 17100, 0, 18100}));

    // Strip 2, the last: left ticks, a single cross, near-end ticks only.
    EXPECT_EQ(l[80], (LineF{500, 19400, 500, 19600}));
    EXPECT_EQ(l[98], (LineF{0, 18900, 1000, 19900}));
    EXPECT_EQ(l[102], (LineF{1200, 19400, 1400, 19400}));

    EXPECT_EQ(drawing.m_fMaxX, 1499.0f);
    EXPECT_EQ(drawing.m_fMaxY, 26900.0f);
}

TEST(WideDrawingTiling, ShortAndSingleStripsGetFewerMarks) {
    // Up to a height of 3000 there are no crosses along the seam; the cross
    // at the far end of the seam stays.
    Drawing shortStrips = MakeDrawing(1000, 3000);
    ASSERT_TRUE(TileWideDrawing(shortStrips, ConfigWithMaxWidth(5.0f)));
    EXPECT_EQ(shortStrips.m_lines.size(), 27u);
    EXPECT_EQ(Count(shortStrips, IsEdgeTick), 16);
    EXPECT_EQ(Count(shortStrips, IsCrossLine), 2);
    EXPECT_EQ(shortStrips.m_lines[14], (LineF{999, 4300, 1999, 5300}));
    EXPECT_EQ(shortStrips.m_lines[15], (LineF{1999, 4300, 999, 5300}));

    Drawing justTaller = MakeDrawing(1000, 3001);
    ASSERT_TRUE(TileWideDrawing(justTaller, ConfigWithMaxWidth(5.0f)));
    EXPECT_EQ(Count(justTaller, IsCrossLine), 10);

    // One strip: no seams, so only the near-end ticks; still S + 500 wide.
    Drawing single = MakeDrawing(998, 50000, {{998, 50000, 0, 0}});
    ASSERT_TRUE(TileWideDrawing(single, ConfigWithMaxWidth(5.0f)));
    EXPECT_EQ(single.m_lines,
              (LineArray{{500, 1800, 1498, 51800}, {400, 1800, 600, 1800}, {800, 1800, 1000, 1800},
                         {1200, 1800, 1400, 1800}}));
    EXPECT_EQ(single.m_fMaxX, 1499.0f);
    EXPECT_EQ(single.m_fMaxY, 52300.0f);

    // Strips 1100 wide: no end tick starts on the edge at X = 1600.
    Drawing tickOnEdge = MakeDrawing(10, 10);
    ASSERT_TRUE(TileWideDrawing(tickOnEdge, ConfigWithMaxWidth(5.2501f)));
    EXPECT_EQ(tickOnEdge.m_fMaxX, 1600.0f);
    EXPECT_EQ(tickOnEdge.m_lines.size(), 3u);

    // A single strip of any finite height needs no more marks.
    Drawing endless = MakeDrawing(10, 1e30f);
    ASSERT_TRUE(TileWideDrawing(endless, ConfigWithMaxWidth(5.0f)));
    EXPECT_EQ(endless.m_lines.size(), 3u);
    EXPECT_EQ(endless.m_fMaxY, 1e30f);
}

TEST(WideDrawingTiling, RefusesWhatItCannotTileAndLeavesTheDrawingAlone) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const Drawing plain = MakeDrawing(5000, 1000, {{0, 0, 5000, 1000}});

    // 2.5 cm is 999 units (S = -1); just above it S is 0.
    for (float maxWidth : {2.5f, 2.5001f, 0.0f, -180.0f, nan, inf, 1e30f}) {
        Drawing drawing = plain;
        EXPECT_FALSE(TileWideDrawing(drawing, ConfigWithMaxWidth(maxWidth))) << maxWidth;
        ExpectUnchanged(plain, drawing);
    }
    PlotterConfig noUnit = ConfigWithMaxWidth(180.0f);
    noUnit.MmPerUnit = 0;
    Drawing drawing = plain;
    EXPECT_FALSE(TileWideDrawing(drawing, noUnit));
    ExpectUnchanged(plain, drawing);

    // Sizes that cannot be counted, or whose marks would have no bound: 1e9
    // wide in strips of 199 is five million strips.
    const std::pair<float, float> sizes[] = {{nan, 1000}, {inf, 1000}, {5000, nan}, {5000, inf},
                                             {1e30f, 1000}, {5000, 1e12f}, {1e9f, 1000}};
    for (auto [width, height] : sizes) {
        const Drawing before = MakeDrawing(width, height, {{0, 0, 100, 100}});
        Drawing after = before;
        EXPECT_FALSE(TileWideDrawing(after, ConfigWithMaxWidth(3.0f))) << width << " x " << height;
        ExpectUnchanged(before, after);
    }
}

TEST(WideDrawingTiling, TilesOnlyTheCountedLines) {
    Drawing overcounted = MakeDrawing(500, 100, {{0, 0, 10, 10}});
    overcounted.m_nLines = 5;
    ASSERT_TRUE(TileWideDrawing(overcounted, ConfigWithMaxWidth(5.0f)));
    EXPECT_EQ(overcounted.m_lines[0], (LineF{500, 1800, 510, 1810}));
    EXPECT_EQ(overcounted.m_lines.size(), 4u);

    Drawing undercounted = MakeDrawing(500, 100, {{0, 0, 10, 10}, {20, 20, 30, 30}});
    undercounted.m_nLines = 1;
    ASSERT_TRUE(TileWideDrawing(undercounted, ConfigWithMaxWidth(5.0f)));
    EXPECT_EQ(undercounted.m_lines[0], (LineF{20, 20, 30, 30}));
    EXPECT_EQ(undercounted.m_lines[1], (LineF{500, 1800, 510, 1810}));
    EXPECT_EQ(undercounted.m_nLines, 5u);
}

}  // namespace
