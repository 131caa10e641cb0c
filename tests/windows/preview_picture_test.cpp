#include <gtest/gtest.h>

#include <random>
#include <set>
#include <utility>

#include "tests/windows/preview_fixture.h"
#include "ui/preview_line_raster.h"

namespace {

using Pixels = std::set<std::pair<int64_t, int64_t>>;

// The pixels of one line in a buffer of 64 x 64, or of size x size with the
// line moved by shift.
Pixels LinePixels(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int size = 64, int shift = 0) {
    std::vector<uint32_t> bits(static_cast<size_t>(size) * size, 0);
    DrawPreviewLine({bits.data(), size, size, size}, x1 + shift, y1 + shift, x2 + shift, y2 + shift, 1);
    Pixels pixels;
    for (int at = 0; at < size * size; ++at) {
        if (bits[static_cast<size_t>(at)] != 0) pixels.insert({at % size - shift, at / size - shift});
    }
    return pixels;
}

TEST(PreviewLine, OnePixelPerStepBothEndsIncludedClippedAlikeWhicheverEndComesFirst) {
    EXPECT_EQ(LinePixels(5, 5, 5, 5), (Pixels{{5, 5}}));
    EXPECT_EQ(LinePixels(5, 5, 6, 4), (Pixels{{5, 5}, {6, 4}}));
    // A half rounds away from the end with the smaller longer-axis coordinate.
    EXPECT_EQ(LinePixels(0, 0, 4, 2), (Pixels{{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}));
    EXPECT_EQ(LinePixels(2, 4, 0, 0), (Pixels{{0, 0}, {1, 1}, {1, 2}, {2, 3}, {2, 4}}));
    EXPECT_EQ(LinePixels(-(int64_t{1} << 40), 10, int64_t{1} << 40, 10).size(), 64u);

    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(-20, 80);
    for (int line = 0; line < 2000; ++line) {
        const int x1 = coordinate(random), y1 = coordinate(random), x2 = coordinate(random), y2 = coordinate(random);
        const Pixels whole = LinePixels(x1, y1, x2, y2, 300, 100);
        ASSERT_EQ(whole.size(), static_cast<size_t>(std::max(std::abs(x2 - x1), std::abs(y2 - y1)) + 1));
        Pixels clipped;
        for (const auto& [x, y] : whole) {
            if (x >= 0 && x < 64 && y >= 0 && y < 64) clipped.insert({x, y});
        }
        ASSERT_EQ(LinePixels(x1, y1, x2, y2), clipped) << x1 << "," << y1 << " " << x2 << "," << y2;
        ASSERT_EQ(LinePixels(x2, y2, x1, y1), clipped);
    }
}

// Polylines of short steps, as a marker's outlines, and lines of every
// length, some beyond the drawing's extents.
LineArray RandomLines(float width, float height) {
    std::mt19937 random(3);
    std::uniform_real_distribution<float> x(-500, width + 500), y(-500, height + 500), step(-40, 40);
    std::uniform_real_distribution<float> length(-10000, 10000);
    LineArray lines{{0, 0, width, height}};
    for (int polyline = 0; polyline < 400; ++polyline) {
        float px = x(random), py = y(random);
        for (int segment = 0; segment < 40; ++segment) {
            const float nx = px + step(random), ny = py + step(random);
            lines.push_back({px, py, nx, ny});
            px = nx;
            py = ny;
        }
    }
    for (int line = 0; line < 300; ++line) {
        const float ax = x(random), ay = y(random);
        lines.push_back({ax, ay, ax + length(random), ay + length(random)});
    }
    return lines;
}

using PreviewPictureTest = PreviewTest;

TEST_F(PreviewPictureTest, CachedPictureEqualsDrawingEveryLineAfterZoomsScrollsAndBandMoves) {
    const QSize client(640, 360);
    SetClient(client);
    Show(SLOT_OUTPUT_PREVIEW, RandomLines(60000, 20000), 60000, 20000);
    const Drawing& drawing = document.m_interpreter[SLOT_OUTPUT_PREVIEW].m_drawing;
    SwathPlan& print = document.m_plan[SLOT_PRINT];
    print.m_nSwathCount = 40;
    print.m_nPasses = 2;
    document.m_bPreviewShowsJob = 1;
    struct Step {
        int zoom;
        QPoint scroll;
        int currentSwath;
    };
    for (const Step& step : {Step{100, {0, 0}, 0}, Step{100, {0, 0}, 2}, Step{100, {640, 0}, 4}, Step{20, {0, 0}, 4},
                             Step{1000, {9000, 2500}, 6}, Step{1000, {9000, 2500}, 8}, Step{1000, {9640, 2500}, 8},
                             Step{340, {1234, 567}, 10}, Step{340, {1234, 567}, 38}}) {
        view.SetZoom(step.zoom);
        view.RedrawNow();
        ScrollTo(step.scroll.x(), step.scroll.y());
        print.m_nCurrentSwath = step.currentSwath;
        const QImage shown = Picture();
        ExpectedPicture expected(drawing, step.zoom, Origin(), client);
        expected.Band(40, step.currentSwath, 2);
        EXPECT_TRUE(shown == expected.Lines())
            << "zoom " << step.zoom << " at " << Origin().x() << "," << Origin().y() << " swath " << step.currentSwath;
    }

    // The start line without a job, then the slot prepared again.
    document.m_bPreviewShowsJob = 0;
    document.m_plan[SLOT_OUTPUT_PREVIEW].m_nStartOffset = 21000;
    view.SetZoom(180);
    const QImage withStart = Picture();
    ExpectedPicture expected(drawing, 180, Origin(), client);
    expected.StartLine(21000);
    EXPECT_TRUE(withStart == expected.Lines()) << Origin().x();

    document.m_plan[SLOT_OUTPUT_PREVIEW].m_nStartOffset = 0;
    Show(SLOT_OUTPUT_PREVIEW, RandomLines(20000, 20000), 20000, 20000);
    const QImage again = Picture();
    EXPECT_TRUE(again == ExpectedPicture(drawing, 180, Origin(), client).Lines());
}

}  // namespace
