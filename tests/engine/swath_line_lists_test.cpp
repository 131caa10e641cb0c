#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <vector>

#include "engine/drawing.h"
#include "engine/swath_line_lists.h"
#include "engine/swath_plan.h"
#include "platform/message_box.h"
#include "tests/support/message_recorder.h"

namespace {

Drawing DrawingOf(std::initializer_list<LineF> lines) {
    Drawing drawing;
    drawing.m_lines = lines;
    drawing.m_nLines = static_cast<uint32_t>(drawing.m_lines.size());
    return drawing;
}

// Lists for a plan of swathCount swaths of swathHeight plotter units.
struct SplitFixture {
    SplitFixture(int32_t swathHeight, int32_t swathCount) {
        plan.m_nSwathHeight = swathHeight;
        plan.m_nSwathCount = swathCount;
        lists.m_pPlan = &plan;
        EXPECT_TRUE(lists.Allocate());
    }

    SwathPlan plan;
    CSwathLineLists lists;
};

TEST(SwathLineLists, AllocateKeepsItsStateWhenRefused) {
    SwathPlan plan;
    CSwathLineLists lists;
    EXPECT_FALSE(lists.Allocate());  // no plan

    lists.m_pPlan = &plan;
    plan.m_nSwathCount = 3;
    ASSERT_TRUE(lists.Allocate());
    EXPECT_EQ(lists.m_nCount, 3);
    const Drawing drawing = DrawingOf({{0, 0, 10, 0}});
    plan.m_nSwathHeight = 100;
    ASSERT_TRUE(lists.SplitLines(&drawing));
    const LineArray* held = lists.m_pLists.get();

    for (int32_t refused : {0, -1, CSwathLineLists::kMaxSwaths + 1}) {
        plan.m_nSwathCount = refused;
        EXPECT_FALSE(lists.Allocate()) << refused;
        EXPECT_EQ(lists.m_nCount, 3);
        EXPECT_EQ(lists.m_pLists.get(), held);
        EXPECT_EQ(lists.List(0).size(), 1u);
    }

    plan.m_nSwathCount = 2;
    ASSERT_TRUE(lists.Allocate());
    EXPECT_EQ(lists.m_nCount, 2);
    EXPECT_TRUE(lists.List(0).empty());

    plan.m_nSwathCount = 8'388'607;
    ASSERT_TRUE(lists.Allocate());
    EXPECT_EQ(lists.m_nCount, 8'388'607);
    EXPECT_TRUE(lists.List(8'388'606).empty());

    lists.Free();
    EXPECT_EQ(lists.m_pLists, nullptr);
    EXPECT_EQ(lists.m_nCount, 8'388'607);
}

TEST(SwathLineLists, SwathHeightZeroOrNoLists) {
    MessageRecorder messages;
    SplitFixture fixture(0, 1);
    const Drawing empty;
    EXPECT_TRUE(fixture.lists.SplitLines(&empty));
    EXPECT_TRUE(messages.shown.empty());

    const Drawing drawing = DrawingOf({{0, 10, 5, 20}, {0, 30, 5, 40}});
    EXPECT_FALSE(fixture.lists.SplitLines(&drawing));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Data width error.");
    EXPECT_EQ(messages.shown[0].caption, "Information");
    EXPECT_EQ(messages.shown[0].buttons, platform::MessageButtons::Ok);
    EXPECT_TRUE(fixture.lists.List(0).empty());

    fixture.plan.m_nSwathHeight = 100;
    fixture.lists.Free();
    EXPECT_FALSE(fixture.lists.SplitLines(&drawing));
    EXPECT_TRUE(fixture.lists.SplitLines(&empty));
}

TEST(SwathLineLists, VerticalHorizontalAndFlattenedLines) {
    SplitFixture fixture(100, 4);
    const Drawing drawing = DrawingOf({
        {7.000001f, 250, 7, 50},  // upside down, x differs by less than 1e-5
        {0, 150, 500, 150},
        {5, -50, 9, -10},
        {3, 120, 3, 120},
    });
    ASSERT_TRUE(fixture.lists.SplitLines(&drawing));
    const auto& lists = fixture.lists;
    EXPECT_EQ(lists.List(0), (LineArray{{7, 50, 7, 100}, {5, 0, 9, 0}}));
    EXPECT_EQ(lists.List(1), (LineArray{{7, 100, 7, 200}, {0, 150, 500, 150}, {3, 120, 3, 120}}));
    EXPECT_EQ(lists.List(2), (LineArray{{7, 200, 7.000001f, 250}}));
    EXPECT_TRUE(lists.List(3).empty());
    // The drawing itself is not changed.
    EXPECT_EQ(drawing.m_lines[0], (LineF{7.000001f, 250, 7, 50}));
}

TEST(SwathLineLists, ObliqueLinesAreCutAtSwathBoundaries) {
    SplitFixture fixture(100, 4);
    const Drawing drawing = DrawingOf({{0, 0, 300, 300}, {60, 200, 10, 150}});
    ASSERT_TRUE(fixture.lists.SplitLines(&drawing));
    const auto& lists = fixture.lists;
    EXPECT_EQ(lists.List(0), (LineArray{{0, 0, 100, 100}}));
    EXPECT_EQ(lists.List(1), (LineArray{{100, 100, 200, 200}, {10, 150, 60, 200}}));
    EXPECT_EQ(lists.List(2), (LineArray{{200, 200, 300, 300}, {60, 200, 60, 200}}));
    EXPECT_EQ(lists.List(3), (LineArray{{300, 300, 300, 300}}));

    // The cut is formed in double and rounded to float once; step-by-step
    // single precision would give 3576.2561 here.
    SplitFixture swath698(698, 3);
    const Drawing oblique = DrawingOf({{640.5f, 220, 4995, 929}});
    ASSERT_TRUE(swath698.lists.SplitLines(&oblique));
    EXPECT_EQ(swath698.lists.List(0), (LineArray{{640.5f, 220, 3576.255859375f, 698}}));
    EXPECT_EQ(swath698.lists.List(1), (LineArray{{3576.255859375f, 698, 4995, 929}}));
}

TEST(SwathLineLists, LinesBeyondThePlannedHeightStayInTheLists) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    SplitFixture fixture(100, 3);
    Drawing drawing = DrawingOf({
        {5, 50, 5, 450},
        {0, 1000, 40, 1000},
        {0, 3e38f, 40, 3e38f},
        {0, 0, 30, 600},
        {0, 0, 10, inf},
        {1, nan, 2, nan},
    });
    ASSERT_TRUE(fixture.lists.SplitLines(&drawing));
    const auto& lists = fixture.lists;
    EXPECT_EQ(lists.List(0).size(), 4u);
    EXPECT_EQ(lists.List(1).size(), 3u);
    ASSERT_EQ(lists.List(2).size(), 5u);
    EXPECT_EQ(lists.List(2)[0], (LineF{5, 200, 5, 450}));
    EXPECT_EQ(lists.List(2)[1], (LineF{0, 1000, 40, 1000}));
    EXPECT_EQ(lists.List(2)[2], (LineF{0, 3e38f, 40, 3e38f}));
    EXPECT_EQ(lists.List(2)[3], (LineF{10, 200, 30, 600}));
    EXPECT_EQ(lists.List(2)[4].y2, inf);

    // A line count above the lines held reads no further than the array.
    SplitFixture more(100, 3);
    drawing.m_nLines = 100;
    ASSERT_TRUE(more.lists.SplitLines(&drawing));
    EXPECT_EQ(more.lists.List(2).size(), 5u);

    // A negative swath height, which Setup refuses, still indexes no list below 0.
    SplitFixture negative(-100, 2);
    ASSERT_TRUE(negative.lists.SplitLines(&drawing));
}

}  // namespace
