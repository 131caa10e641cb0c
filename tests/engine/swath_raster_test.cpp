#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/plotter_config.h"
#include "engine/swath_plan.h"
#include "engine/swath_raster.h"

namespace {

// A raster of `nozzles` rows of `bytesPerRow` bytes, one dot per plotter unit
// across and one row per plotter unit along, swaths of 100 units.
struct RasterFixture {
    explicit RasterFixture(int32_t nozzles = 16, int32_t bytesPerRow = 4, int32_t lineWidth = 1) {
        config.DotsPerUnit = 1.0f;
        config.RowsPerUnit = 1.0f;
        config.ELineWidth = lineWidth;
        config.XJUMP = 0;
        config.TotalNozzles = nozzles;
        plan.m_pConfig = &config;
        plan.m_nBytesPerRow = bytesPerRow;
        plan.m_nWordCount = 6;
        plan.m_nSwathHeight = 100;
        plan.m_nSwathCount = 3;
        raster.m_pPlan = &plan;
        EXPECT_TRUE(raster.AllocateBuffers());
    }

    bool Dot(int column, int row) const { return (raster.Row(row)[column / 8] >> (column % 8) & 1) != 0; }

    // Columns 0 .. columns - 1 of a row, '#' for a set dot.
    std::string RowText(int row, int columns) const {
        std::string text;
        for (int column = 0; column < columns; ++column) text += Dot(column, row) ? '#' : '.';
        return text;
    }

    int SetDots() const {
        int count = 0;
        for (int row = 0; row < raster.m_nRowCount; ++row)
            for (int column = 0; column < raster.m_nBytesPerRow * 8; ++column) count += Dot(column, row);
        return count;
    }

    std::vector<uint8_t> Bytes(int row) const {
        return {raster.Row(row), raster.Row(row) + raster.m_nBytesPerRow};
    }

    PlotterConfig config;
    SwathPlan plan;
    CSwathRaster raster;
};

TEST(SwathRaster, BuffersFollowTheGeometryOfTheirAllocation) {
    CSwathRaster raster;
    for (int k = 0; k < 8; ++k) EXPECT_EQ(raster.m_abBitMask[k], 1 << k);
    EXPECT_FALSE(raster.AllocateBuffers());  // no plan
    EXPECT_FALSE(raster.ClearRows());
    EXPECT_FALSE(raster.ClearFireWords());
    EXPECT_FALSE(raster.RasteriseSwath({{0, 0, 5, 5}}, 0));
    raster.SetSpan(0, 0, 8, 0);  // nothing to write into
    raster.DrawLine(0, 0, 5, 5);

    RasterFixture f(3, 2);
    ASSERT_EQ(f.raster.m_nRowCount, 3);
    ASSERT_EQ(f.raster.m_nBytesPerRow, 2);
    ASSERT_EQ(f.raster.m_nWordCount, 6);
    for (int row = 0; row < 3; ++row) EXPECT_EQ(f.Bytes(row), std::vector<uint8_t>(2, 0));
    for (int word = 0; word < 6; ++word) {
        EXPECT_EQ(f.raster.m_pFireWords[word], 0);
        EXPECT_EQ(f.raster.m_pPacket[word], 0);
    }

    // A plan and configuration changed after the allocation reach no further.
    f.plan.m_nBytesPerRow = 1000;
    f.config.TotalNozzles = 1000;
    f.raster.SetSpan(0, 999, 8000, 0);
    EXPECT_EQ(f.Bytes(2), (std::vector<uint8_t>{0xFF, 0x00}));
    f.raster.m_pFireWords[5] = 7;
    EXPECT_TRUE(f.raster.ClearFireWords());
    EXPECT_EQ(f.raster.m_pFireWords[5], 0);
    EXPECT_TRUE(f.raster.ClearRows());
    EXPECT_EQ(f.SetDots(), 0);

    f.raster.FreeBuffers();
    EXPECT_FALSE(f.raster.m_pRows);
    EXPECT_FALSE(f.raster.m_pFireWords);
    EXPECT_FALSE(f.raster.m_pPacket);
    EXPECT_FALSE(f.raster.ClearRows());
    EXPECT_FALSE(f.raster.ClearFireWords());
    EXPECT_FALSE(f.raster.RasteriseSwath({{0, 0, 5, 5}}, 0));
    f.raster.SetSpan(0, 0, 8, 0);
    f.raster.FreeBuffers();

    // No nozzles: no rows, and clearing them succeeds.
    f.config.TotalNozzles = 0;
    ASSERT_TRUE(f.raster.AllocateBuffers());
    EXPECT_EQ(f.raster.m_nRowCount, 0);
    EXPECT_TRUE(f.raster.ClearRows());
    EXPECT_TRUE(f.raster.RasteriseSwath({{0, 0, 5, 5}, {0, 2, 9, 2}, {3, 0, 3, 8}}, 0));

    f.config.TotalNozzles = 4;
    f.plan.m_nBytesPerRow = -1;
    EXPECT_FALSE(f.raster.AllocateBuffers());
    f.plan.m_nBytesPerRow = 0;  // rows without a byte take no dot
    ASSERT_TRUE(f.raster.AllocateBuffers());
    f.raster.SetSpan(0, 0, 8, 0);
    f.raster.DrawLine(0, 0, 5, 5);
    f.plan.m_nBytesPerRow = 2;
    f.plan.m_nWordCount = -6;
    EXPECT_FALSE(f.raster.AllocateBuffers());
}

TEST(SwathRasterSetSpan, SetsHeadWholeBytesAndTail) {
    RasterFixture f;
    f.raster.SetSpan(3, 0, 2, 0);
    EXPECT_EQ(f.Bytes(0), (std::vector<uint8_t>{0x18, 0, 0, 0}));
    f.raster.SetSpan(3, 1, 20, 0);
    EXPECT_EQ(f.Bytes(1), (std::vector<uint8_t>{0xF8, 0xFF, 0x7F, 0}));
    f.raster.SetSpan(0, 2, 8, 0);
    EXPECT_EQ(f.Bytes(2), (std::vector<uint8_t>{0xFF, 0, 0, 0}));
    f.raster.SetSpan(5, 3, 0, 0);
    f.raster.SetSpan(5, 3, -4, 0);
    EXPECT_EQ(f.Bytes(3), std::vector<uint8_t>(4, 0));
    // Bits already set stay set.
    f.raster.SetSpan(0, 0, 2, 0);
    EXPECT_EQ(f.Bytes(0)[0], 0x1B);
}

TEST(SwathRasterSetSpan, SkipCountsEachStepOnItsOwn) {
    // Bits 2-7 of byte 0 as head, bytes 1-4 whole, bits 0-4 of byte 5 as tail.
    RasterFixture f(4, 8);
    f.raster.SetSpan(2, 0, 43, 1);
    EXPECT_EQ(f.Bytes(0), (std::vector<uint8_t>{0x54, 0xFF, 0x00, 0xFF, 0x00, 0x15, 0, 0}));
    f.raster.SetSpan(2, 1, 43, 2);
    EXPECT_EQ(f.Bytes(1), (std::vector<uint8_t>{0x6C, 0xFF, 0xFF, 0x00, 0xFF, 0x1B, 0, 0}));
    f.raster.SetSpan(1, 2, 5, 1);  // within one byte: bits 1, 3, 5
    EXPECT_EQ(f.Bytes(2)[0], 0x2A);
    f.raster.SetSpan(1, 3, 5, -3);  // no skip below 1
    EXPECT_EQ(f.Bytes(3)[0], 0x3E);
}

TEST(SwathRasterSetSpan, ClampsRowsAndBytesIntoTheRaster) {
    RasterFixture f(4, 4);
    f.raster.SetSpan(0, 4, 3, 0);
    f.raster.SetSpan(8, INT_MAX, 2, 0);
    EXPECT_EQ(f.Bytes(3), (std::vector<uint8_t>{0x07, 0x03, 0, 0}));
    f.raster.SetSpan(0, -1, 8, 0);
    EXPECT_EQ(f.SetDots(), 5);

    // The whole-byte step stops before the last byte; only a tail reaches it.
    f.raster.SetSpan(0, 0, 32, 0);
    EXPECT_EQ(f.Bytes(0), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x00}));
    f.raster.SetSpan(0, 1, 31, 0);
    EXPECT_EQ(f.Bytes(1), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x7F}));
    f.raster.SetSpan(0, 2, 1000, 0);
    EXPECT_EQ(f.Bytes(2), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0x00}));

    ASSERT_TRUE(f.raster.ClearRows());
    f.raster.SetSpan(30, 0, 20, 0);  // head bits 6-7, tail bits 0-1 of byte 6, both in byte 3
    EXPECT_EQ(f.Bytes(0), (std::vector<uint8_t>{0, 0, 0, 0xC3}));
    f.raster.SetSpan(100, 1, 3, 0);  // bits 4-6 of byte 12
    EXPECT_EQ(f.Bytes(1), (std::vector<uint8_t>{0, 0, 0, 0x70}));
    f.raster.SetSpan(INT_MAX, 2, INT_MAX, 0);
    EXPECT_EQ(f.Bytes(2), (std::vector<uint8_t>{0, 0, 0, 0xBF}));
    f.raster.SetSpan(-3, 3, 5, 0);  // what lies left of column 0 is dropped
    EXPECT_EQ(f.Bytes(3), (std::vector<uint8_t>{0x03, 0, 0, 0}));
}

TEST(SwathRasterDrawLine, VerticalLinesTakeOneRunPerWholeRow) {
    RasterFixture f(16, 4, 2);
    f.raster.DrawLine(5, 3, 5, 3);
    EXPECT_EQ(f.SetDots(), 0);

    f.raster.DrawLine(5, 2.5f, 5, 3.5f);
    EXPECT_EQ(f.RowText(2, 8), ".....##.");
    EXPECT_EQ(f.SetDots(), 2);

    ASSERT_TRUE(f.raster.ClearRows());
    f.raster.DrawLine(9.7f, 3.2f, 9.7f, 0.5f);
    for (int row : {0, 1, 2}) EXPECT_EQ(f.RowText(row, 12), ".........##.");
    EXPECT_EQ(f.SetDots(), 6);

    // Scaled to dots and rows first: column 10, rows 2 to 4.
    ASSERT_TRUE(f.raster.ClearRows());
    f.config.DotsPerUnit = 0.5f;
    f.config.RowsPerUnit = 0.25f;
    f.raster.DrawLine(20, 8, 20.0001f, 16);
    EXPECT_TRUE(f.Dot(10, 2) && f.Dot(11, 2) && f.Dot(10, 3) && f.Dot(11, 3));
    EXPECT_EQ(f.SetDots(), 4);

    // Rows above the raster are left alone, rows below fall into the last one.
    ASSERT_TRUE(f.raster.ClearRows());
    f.config.DotsPerUnit = 1.0f;
    f.config.RowsPerUnit = 1.0f;
    f.raster.DrawLine(0, -3.5f, 0, 1.0e6f);
    for (int row = 0; row < 16; ++row) EXPECT_EQ(f.RowText(row, 3), "##.");
    EXPECT_EQ(f.SetDots(), 32);
}

TEST(SwathRasterDrawLine, HorizontalLinesMakeAShearedBand) {
    RasterFixture f(16, 4, 2);
    f.raster.DrawLine(10, 4.3f, 20, 4.3f);
    const std::vector<std::string> band = {
        ".........#############..",
        "..........#############.",
        "...........#############",
    };
    for (int i = 0; i < 3; ++i) EXPECT_EQ(f.RowText(4 + i, 24), band[i]);
    EXPECT_EQ(f.SetDots(), 39);

    ASSERT_TRUE(f.raster.ClearRows());
    f.raster.DrawLine(20, 4.3f, 10, 4.3f);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(f.RowText(4 + i, 24), band[i]);
    EXPECT_EQ(f.SetDots(), 39);

    // Starting left of column 1, the band is not moved left.
    ASSERT_TRUE(f.raster.ClearRows());
    f.raster.DrawLine(0.5f, 2, 5, 2);
    EXPECT_EQ(f.RowText(2, 10), "#######...");
    EXPECT_EQ(f.RowText(3, 10), ".#######..");
    EXPECT_EQ(f.RowText(4, 10), "..#######.");

    // The skip restarts at the tail: dots 15 and 16 are both set.
    ASSERT_TRUE(f.raster.ClearRows());
    f.config.XJUMP = 1;
    f.raster.DrawLine(10, 4.3f, 20, 4.3f);
    EXPECT_EQ(f.RowText(4, 24), ".........#.#.#.##.#.#...");

    // An absurd line width ends as soon as further rows would repeat.
    ASSERT_TRUE(f.raster.ClearRows());
    f.config.XJUMP = 0;
    f.config.ELineWidth = INT_MAX;
    f.raster.DrawLine(10, 4.3f, 20, 4.3f);
    EXPECT_EQ(f.RowText(4, 32), ".........###############........");
    EXPECT_EQ(f.Bytes(15)[3], 0xFF);
}

TEST(SwathRasterDrawLine, ObliqueLinesFollowTheMajorAxis) {
    RasterFixture f(16, 4, 2);
    // x-major: a 2 x 2 brush at every whole X.
    f.raster.DrawLine(0, 0, 4, 2);
    EXPECT_EQ(f.RowText(0, 8), "###.....");
    EXPECT_EQ(f.RowText(1, 8), "#####...");
    EXPECT_EQ(f.RowText(2, 8), "..####..");
    EXPECT_EQ(f.RowText(3, 8), "....##..");
    EXPECT_EQ(f.SetDots(), 14);

    // y-major: one run of 2 dots at every whole Y.
    ASSERT_TRUE(f.raster.ClearRows());
    f.raster.DrawLine(2, 4, 0, 0);
    const std::vector<std::string> runs = {"##....", "##....", ".##...", ".##...", "..##.."};
    for (int row = 0; row < 5; ++row) EXPECT_EQ(f.RowText(row, 6), runs[row]);
    EXPECT_EQ(f.SetDots(), 10);

    // The x-major y below 0 becomes 0; the y-major Y starts at 0.
    ASSERT_TRUE(f.raster.ClearRows());
    f.config.ELineWidth = 1;
    f.raster.DrawLine(0, -2, 4, 0);
    EXPECT_EQ(f.RowText(0, 8), "#####...");
    f.raster.DrawLine(6, -2, 7, 2);
    EXPECT_EQ(f.RowText(0, 8), "#####.#.");
    EXPECT_EQ(f.RowText(1, 8), "......#.");
    EXPECT_EQ(f.SetDots(), 8);

    // Ending on the bottom edge: the step at row 16 falls into the last row,
    // as do the rows of a band there.
    ASSERT_TRUE(f.raster.ClearRows());
    f.raster.DrawLine(0, 10, 3, 16);
    EXPECT_EQ(f.RowText(15, 12), "..##........");
    f.config.ELineWidth = 2;
    f.raster.DrawLine(0, 15, 4, 15);
    EXPECT_EQ(f.RowText(15, 12), "#########...");
}

// An oblique line as DrawLine is to draw it: every step of X or Y taken, each
// brush or run set with SetSpan, nothing passed over.
void DrawObliqueLineStepByStep(CSwathRaster& raster, float x1, float y1, float x2, float y2, int width) {
    if (y1 > y2) {
        std::swap(x1, x2);
        std::swap(y1, y2);
    }
    const float dx = x2 - x1;
    const float dy = y2 - y1;
    if (std::abs(static_cast<int>(dx)) >= std::abs(static_cast<int>(dy))) {
        for (float X = std::min(x1, x2); X <= std::max(x1, x2); X += 1.0f) {
            float y = (x2 * y1 - x1 * y2) / dx + X * dy / dx;
            if (y < 0) y = 0;
            for (int i = 0; i < width; ++i) raster.SetSpan(static_cast<int>(X), static_cast<int>(y + i), width, 0);
        }
    } else {
        for (float Y = std::max(y1, 0.0f); Y <= y2; Y += 1.0f) {
            const float x = (x1 * y2 - x2 * y1) / dy + Y * dx / dy;
            raster.SetSpan(static_cast<int>(x), static_cast<int>(Y), width, 0);
        }
    }
}

// Oblique lines at and past the edges of 16 rows of 16 dots: rising into the
// last row, falling onto row 0, running on past the last row and the row's
// end, some starting one float step under a whole number below a power of
// two (where a step of X or Y rounds up and skips a column or row).
TEST(SwathRasterDrawLine, ObliqueLinesAtTheEdgesSetTheBitsOfEveryStep) {
    const auto under = [](float whole) { return std::nextafter(whole, 0.0f); };
    std::vector<std::vector<float>> lines = {
        {30, 0, 60, 10}, {61, 0, 30, 10}, {26, 6, 400, 80}, {500, -200, 25, 30},
        {under(1), 3, 3000, 40}, {3000, 0.5f, under(1), 20}, {5.5f, under(1), 37, 3000},
        {37, 1, -2, 3000}, {30, 1, -60, 3000}, {-20, 3, 12, 3000},
    };
    const float xs[] = {-3.5f, 0.5f, under(8), under(16), under(28), 33, 70.25f};
    const float ys[] = {-2.5f, 0, under(4), under(15), 15.5f, 17, 40};
    for (const float x1 : xs)
        for (const float y1 : ys)
            for (const float x2 : xs)
                for (const float y2 : ys)
                    if (x1 != x2 && y1 != y2) lines.push_back({x1, y1, x2, y2});

    for (const int width : {1, 2, 9, 40}) {
        std::vector<std::string> differing;
        for (const std::vector<float>& l : lines) {
            RasterFixture drawn(16, 2, width);
            RasterFixture stepByStep(16, 2, width);
            drawn.raster.DrawLine(l[0], l[1], l[2], l[3]);
            DrawObliqueLineStepByStep(stepByStep.raster, l[0], l[1], l[2], l[3], width);
            for (int row = 0; row < 16; ++row)
                if (drawn.Bytes(row) != stepByStep.Bytes(row))
                    differing.push_back(testing::PrintToString(l) + " row " + std::to_string(row));
        }
        EXPECT_TRUE(differing.empty()) << "width " << width << ": " << differing.size() << " rows differ, first "
                                       << differing.front();
    }

    // X from 27.999998 skips column 32 (31.999998 + 1 rounds to 33), yet
    // every column mod 8 past the row's end is drawn in the last row.
    RasterFixture f(16, 2, 1);
    f.raster.DrawLine(27.999998f, 15.5f, 60, 17);
    EXPECT_EQ(f.Bytes(15)[1], 0xFF);
}

TEST(SwathRasterDrawLine, LineFormulasRoundEveryStepToFloat) {
    RasterFixture f(150, 64, 1);
    // At X = 164.5 the float y is 3.99999905; exactly it is 4.
    f.raster.DrawLine(164.5f, 4, 388, 27.25f);
    EXPECT_TRUE(f.Dot(164, 3));
    EXPECT_FALSE(f.Dot(164, 4));
    // At Y = 99 the float x is 28.9999981; exactly it is 29.
    f.raster.DrawLine(21.25f, 85, 40.625f, 120);
    EXPECT_TRUE(f.Dot(28, 99));
    EXPECT_FALSE(f.Dot(29, 99));
}

TEST(SwathRasterDrawLine, LinesFarOutsideTheRasterEndQuickly) {
    RasterFixture f(16, 4, 2);
    for (float huge : {3.0e38f, INFINITY, -INFINITY, NAN, 16777216.0f}) {
        f.raster.DrawLine(huge, 0, 0, 5);
        f.raster.DrawLine(0, 0, 5, huge);
        f.raster.DrawLine(huge, 3, 0, 3);
    }
    EXPECT_EQ(f.SetDots(), 0);

    // Nearly 2^24 dots each way: the loops stop once nothing more can change.
    f.raster.DrawLine(-16777000.0f, 0, 16777000.0f, 16777000.0f);
    EXPECT_EQ(f.RowText(15, 32), "################################");
    f.raster.DrawLine(0, 2, 3, 16777000.0f);
    EXPECT_EQ(f.RowText(2, 4), "##..");
    const int drawn = f.SetDots();
    f.config.DotsPerUnit = 1.0e30f;
    f.raster.DrawLine(1, 5, 2, 6);
    EXPECT_EQ(f.SetDots(), drawn);
}

TEST(SwathRaster, RasteriseSwathDrawsLinesFromTheSwathTop) {
    RasterFixture f(16, 4, 1);
    // Swath 1 starts at 100: y below the top becomes 0, x stays.
    const LineArray lines = {{5, 90, 5, 103}, {10, 50, 20, 104}};
    ASSERT_TRUE(f.raster.RasteriseSwath(lines, 1));
    for (int row : {0, 1, 2}) EXPECT_TRUE(f.Dot(5, row));
    EXPECT_TRUE(f.Dot(10, 0));  // (10, 0)-(20, 4): x-major from column 10
    EXPECT_TRUE(f.Dot(20, 4));
    EXPECT_EQ(f.SetDots(), 3 + 11);

    ASSERT_TRUE(f.raster.RasteriseSwath({}, 1));
    EXPECT_EQ(f.SetDots(), 0);
    ASSERT_TRUE(f.raster.RasteriseSwath({{0, 200, 20, 210}}, 2));
    EXPECT_GT(f.SetDots(), 0);
    ASSERT_TRUE(f.raster.RasteriseSwath(lines, 3));  // the swath count: nothing drawn
    EXPECT_EQ(f.SetDots(), 0);

    // A top beyond the 32-bit range.
    f.plan.m_nSwathCount = INT_MAX;
    ASSERT_TRUE(f.raster.RasteriseSwath({{7, 0, 9, 0}}, 100000000));
    EXPECT_EQ(f.RowText(0, 12), "......####..");
    EXPECT_EQ(f.RowText(1, 12), ".......####.");
    EXPECT_EQ(f.SetDots(), 8);
}

}  // namespace
