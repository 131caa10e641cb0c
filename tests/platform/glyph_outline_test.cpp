#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/glyph_outline.h"

namespace {

using platform::ContourPoint;
using platform::FixedMatrix;
using platform::FixedPoint;
using platform::FormContour;
using platform::GetGlyphOutline;
using platform::GlyphFont;
using platform::GlyphOutline;
using platform::OutlineContour;
using platform::OutlineRecord;
using platform::PointKind;

constexpr FixedMatrix kIdentity{65536, 0, 0, 65536};
constexpr int32_t kOne = 65536;

// A point in whole units as 16.16.
FixedPoint P(int32_t x, int32_t y) { return {x * kOne, y * kOne}; }
ContourPoint On(int32_t x, int32_t y) { return {P(x, y), PointKind::OnCurve}; }
ContourPoint Off(int32_t x, int32_t y) { return {P(x, y), PointKind::QuadraticControl}; }

GlyphOutline Query(const GlyphFont& font, uint32_t code, const FixedMatrix& matrix = kIdentity) {
    GlyphOutline outline;
    EXPECT_TRUE(GetGlyphOutline(font, code, matrix, outline)) << font.face << " " << code;
    return outline;
}

// outline with every point p replaced by turn(p).
template <typename Turn>
std::vector<OutlineContour> Turned(std::vector<OutlineContour> contours, Turn turn) {
    for (OutlineContour& contour : contours) {
        contour.start = turn(contour.start);
        for (OutlineRecord& record : contour.records) {
            for (FixedPoint& point : record.points) point = turn(point);
        }
    }
    return contours;
}

TEST(FormContour, RecordsStartOnTheCurveAndKeepControlPointsTogether) {
    // First point on the curve: it is the start; a run of on-curve points is
    // one line record, consecutive control points share one spline record.
    EXPECT_EQ(FormContour(std::vector{On(0, 0), On(10, 0), Off(20, 0), Off(20, 10), On(20, 20), On(10, 20), On(0, 20)}),
              (OutlineContour{P(0, 0),
                              {{platform::OUTLINE_LINE, {P(10, 0)}},
                               {platform::OUTLINE_QSPLINE, {P(20, 0), P(20, 10), P(20, 20)}},
                               {platform::OUTLINE_LINE, {P(10, 20), P(0, 20)}}}}));
    // Control points at the end of the contour end at its start.
    EXPECT_EQ(FormContour(std::vector{On(0, 0), On(10, 0), Off(10, 10), Off(0, 10)}),
              (OutlineContour{P(0, 0),
                              {{platform::OUTLINE_LINE, {P(10, 0)}},
                               {platform::OUTLINE_QSPLINE, {P(10, 10), P(0, 10), P(0, 0)}}}}));
    // First point off the curve, last one on it: the last point is the start.
    EXPECT_EQ(FormContour(std::vector{Off(10, 0), On(10, 10), Off(0, 10), On(0, 0)}),
              (OutlineContour{P(0, 0),
                              {{platform::OUTLINE_QSPLINE, {P(10, 0), P(10, 10)}},
                               {platform::OUTLINE_QSPLINE, {P(0, 10), P(0, 0)}}}}));
    // No point on the curve: the start is the middle of the last and first,
    // truncated toward zero.
    EXPECT_EQ(FormContour(std::vector{Off(-3, 0), Off(4, 0), Off(4, 8), Off(0, 9)}),
              (OutlineContour{{-kOne * 3 / 2, kOne * 9 / 2},
                              {{platform::OUTLINE_QSPLINE,
                                {P(-3, 0), P(4, 0), P(4, 8), P(0, 9), {-kOne * 3 / 2, kOne * 9 / 2}}}}}));
    EXPECT_EQ(FormContour(std::vector{ContourPoint{{-3, 1}, PointKind::QuadraticControl},
                                      ContourPoint{{0, 0}, PointKind::QuadraticControl}})
                  .start,
              (FixedPoint{-1, 0}));
}

TEST(FormContour, CubicControlsAndDegenerateContours) {
    EXPECT_EQ(FormContour(std::vector{On(0, 0), ContourPoint{P(5, 0), PointKind::CubicControl},
                                      ContourPoint{P(10, 5), PointKind::CubicControl}, On(10, 10)}),
              (OutlineContour{P(0, 0), {{platform::OUTLINE_CSPLINE, {P(5, 0), P(10, 5), P(10, 10)}}}}));
    EXPECT_EQ(FormContour(std::vector<ContourPoint>{}), OutlineContour{});
    EXPECT_EQ(FormContour(std::vector{On(7, 8)}), (OutlineContour{P(7, 8), {}}));
    EXPECT_EQ(FormContour(std::vector{Off(7, 8)}),
              (OutlineContour{P(7, 8), {{platform::OUTLINE_QSPLINE, {P(7, 8), P(7, 8)}}}}));
}

// The labels' face "宋体" is AR PL UMing CN (fonts-arphic-uming, installed
// by scripts/setup) on every machine, whichever other Chinese fonts it has:
// 1024 units per em, usWinAscent 917, usWinDescent 155.
TEST(GlyphOutline, UmingOutlinesScaleTheCellHeight) {
    SCOPED_TRACE("\"宋体\" must be drawn in AR PL UMing CN");
    // A cell height of 917 + 155 = 1072 is one unit per font unit. The outline
    // is the font's own, Y up: the top serif of "I" at 694, its foot at 76.
    const GlyphOutline letterI = Query({"宋体", 1072, 0}, 'I');
    const std::vector<OutlineContour> expectedI{
        {P(99, 694),
         {{1, {P(413, 694), P(413, 677), P(347, 677)}},
          {2, {P(282, 677), P(282, 612)}},
          {1, {P(282, 158)}},
          {2, {P(282, 93), P(347, 93)}},
          {1, {P(413, 93), P(413, 76), P(99, 76), P(99, 93), P(165, 93)}},
          {2, {P(230, 93), P(230, 158)}},
          {1, {P(230, 612)}},
          {2, {P(230, 677), P(165, 677)}},
          {1, {P(99, 677)}}}}};
    EXPECT_EQ(letterI.contours, expectedI);
    EXPECT_EQ(letterI.cellIncX, 512);
    EXPECT_EQ(letterI.cellIncY, 0);

    // A negative height is the em height: 1024 is again one unit per font unit.
    EXPECT_EQ(Query({"宋体", -1024, 0}, 'I').contours, expectedI);

    // "O" has no on-curve point: each contour starts between its last and first
    // control points, and one spline record runs round to that start.
    const GlyphOutline letterO = Query({"宋体", 1072, 0}, 'O');
    ASSERT_EQ(letterO.contours.size(), 2u);
    EXPECT_EQ(letterO.contours[0].start, (FixedPoint{61 * kOne, 224 * kOne + kOne / 2}));
    ASSERT_EQ(letterO.contours[0].records.size(), 1u);
    EXPECT_EQ(letterO.contours[0].records[0].type, platform::OUTLINE_QSPLINE);
    EXPECT_EQ(letterO.contours[0].records[0].points.size(), 13u);
    EXPECT_EQ(letterO.contours[0].records[0].points.back(), letterO.contours[0].start);

    const GlyphOutline space = Query({"宋体", 1072, 0}, ' ');
    EXPECT_TRUE(space.contours.empty());
    EXPECT_EQ(space.cellIncX, 512);

    EXPECT_EQ(Query({"宋体", 1072, 0}, 0xD6D0).cellIncX, 1024);  // "中"
    EXPECT_EQ(Query({"宋体", 260, 0}, 0xD6D0).cellIncX, 248);    // 1024 x 260 / 1072 = 248.4
    // Height 0: a cell height of 16, so 512 x 16 / 1072 = 7.6 for "I".
    EXPECT_EQ(Query({"宋体", 0, 0}, 'I').cellIncX, 8);
}

TEST(GlyphOutline, EscapementAndMatrixTurnOutlineAndAdvance) {
    const GlyphOutline upright = Query({"宋体", 260, 0}, 'I');
    ASSERT_FALSE(upright.contours.empty());

    // A quarter turn to the left: an upright "I" lies along -X, and the next
    // glyph follows upwards (cellIncY counts down).
    const GlyphOutline left = Query({"宋体", 260, 900}, 'I');
    EXPECT_EQ(left.contours, Turned(upright.contours, [](FixedPoint p) { return FixedPoint{-p.y, p.x}; }));
    EXPECT_EQ(left.cellIncX, 0);
    EXPECT_EQ(left.cellIncY, -upright.cellIncX);

    const GlyphOutline upsideDown = Query({"宋体", 260, -1800}, 'I');
    EXPECT_EQ(upsideDown.contours, Turned(upright.contours, [](FixedPoint p) { return FixedPoint{-p.x, -p.y}; }));
    EXPECT_EQ(upsideDown.cellIncX, -upright.cellIncX);

    // x' = m11 x + m21 y, y' = m12 x + m22 y: this matrix swaps the axes.
    const GlyphOutline swapped = Query({"宋体", 260, 0}, 'I', {0, 65536, 65536, 0});
    EXPECT_EQ(swapped.contours, Turned(upright.contours, [](FixedPoint p) { return FixedPoint{p.y, p.x}; }));
    EXPECT_EQ(swapped.cellIncY, -upright.cellIncX);

    // A face no font has falls back to the best font for the language.
    EXPECT_FALSE(Query({"No Such Face", 260, 0}, 0xD6D0).contours.empty());
}

TEST(GlyphOutline, FailedQueriesLeaveNothing) {
    GlyphOutline outline{{OutlineContour{}}, 5, 6};
    // A lead byte with a zero trail is no GBK character.
    EXPECT_FALSE(GetGlyphOutline({"宋体", 260, 0}, 0xD600, kIdentity, outline));
    EXPECT_TRUE(outline.contours.empty());
    EXPECT_EQ(outline.cellIncX, 0);
    EXPECT_EQ(outline.cellIncY, 0);
    // Coordinates beyond 16.16 fixed point.
    outline.cellIncX = 5;
    EXPECT_FALSE(GetGlyphOutline({"宋体", 2147483647, 0}, 'I', kIdentity, outline));
    EXPECT_FALSE(GetGlyphOutline({"宋体", -2147483647 - 1, 0}, 'I', kIdentity, outline));
    EXPECT_EQ(outline.cellIncX, 0);
}

TEST(GlyphOutline, ThreadsGetTheSameOutlines) {
    const GlyphOutline expected = Query({"宋体", 260, 0}, 0xD6D0);
    auto queryMany = [&expected](bool& same) {
        same = true;
        for (int i = 0; i < 100; ++i) {
            GlyphOutline outline;
            same = same && GetGlyphOutline({"宋体", 260, 0}, 0xD6D0, kIdentity, outline) &&
                   outline.contours == expected.contours;
        }
    };
    bool sameA = false;
    bool sameB = false;
    std::thread a(queryMany, std::ref(sameA));
    std::thread b(queryMany, std::ref(sameB));
    a.join();
    b.join();
    EXPECT_TRUE(sameA);
    EXPECT_TRUE(sameB);
}

}  // namespace
