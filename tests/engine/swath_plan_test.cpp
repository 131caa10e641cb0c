#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <vector>

#include "core/plotter_config.h"
#include "engine/drawing.h"
#include "engine/swath_plan.h"
#include "platform/message_box.h"
#include "tests/support/message_recorder.h"

namespace {

// HP45 heads, 17.45 mm swath section, as "config.ini" would give them.
PlotterConfig Hp45Config(uint8_t heads) {
    PlotterConfig config;
    config.HeadType = HEAD_TYPE_HP45;
    config.JetPrintHead = heads;
    config.NozzlesPerHead = 150;
    config.RowsPerHead = 154;
    config.TotalRows = 154 * heads;
    config.EdLineSection = 17.45f;
    config.DPINumPerM = 6653;
    return config;
}

Drawing DrawingOfSize(float width, float height) {
    Drawing drawing;
    drawing.m_fMaxX = width;
    drawing.m_fMaxY = height;
    return drawing;
}

void OpenHeads(PlotterConfig& config, std::initializer_list<int> heads) {
    for (int head : heads) config.JetPrintHeadOpenStatus[2 * (head - 1)] = 1;
}

TEST(SwathPlan, FreshAndResetPlans) {
    SwathPlan plan;
    EXPECT_EQ(plan.m_pConfig, nullptr);
    EXPECT_EQ(plan.m_nLeftMargin, 400);
    EXPECT_EQ(plan.m_nRightEnd, 400);
    EXPECT_EQ(plan.m_nYStep, 1);
    EXPECT_EQ(plan.m_nSwathCount, 0);
    EXPECT_EQ(plan.m_fStartPosition, 0.0f);
    EXPECT_EQ(plan.m_nStartOffset, 0u);

    PlotterConfig config = Hp45Config(1);
    OpenHeads(config, {1});
    Drawing drawing = DrawingOfSize(1000, 1000);
    drawing.m_fHeightM = 0.05f;
    ASSERT_TRUE(plan.Setup(&config, &drawing));
    plan.m_nStartOffset = 399;
    plan.Reset();
    EXPECT_EQ(plan.m_nSwathCount, 0);
    EXPECT_EQ(plan.m_nSwathHeight, 0);
    EXPECT_EQ(plan.m_fMaxY, 0.0f);
    EXPECT_EQ(plan.m_nRightEnd, 400);
    // The label swath, the metre values, the passes and the start offset survive.
    EXPECT_EQ(plan.m_nLabelSwath, 2);
    EXPECT_EQ(plan.m_fHeightM, 0.05f);
    EXPECT_EQ(plan.m_nPasses, 4);
    EXPECT_EQ(plan.m_nStartOffset, 399u);
}

TEST(SwathPlan, SetupCoversTheHeightWithSwathsAndALabelSwath) {
    PlotterConfig config = Hp45Config(1);
    OpenHeads(config, {1});
    SwathPlan plan;

    Drawing drawing = DrawingOfSize(10000, 0);
    ASSERT_TRUE(plan.Setup(&config, &drawing));
    EXPECT_EQ(plan.m_nSwathHeight, 698);
    EXPECT_EQ(plan.m_nSwathCount, 1);
    EXPECT_EQ(plan.m_nLabelSwath, 0);
    EXPECT_EQ(plan.m_nWidthDots, 1663);
    EXPECT_EQ(config.FourPass, 1);
    EXPECT_EQ(plan.m_nPasses, 4);

    const struct {
        float height;
        int32_t labelSwath;
    } cases[] = {{1, 1}, {698, 1}, {698.5f, 1}, {699, 2}, {3 * 698, 3}, {3 * 698 + 0.5f, 3}, {3 * 698 + 1, 4}};
    for (const auto& c : cases) {
        drawing = DrawingOfSize(10000, c.height);
        ASSERT_TRUE(plan.Setup(&config, &drawing)) << c.height;
        EXPECT_EQ(plan.m_nLabelSwath, c.labelSwath) << c.height;
        EXPECT_EQ(plan.m_nSwathCount, c.labelSwath + 1) << c.height;
    }
    EXPECT_EQ(plan.m_nHeightDots, 348);
    EXPECT_EQ(plan.m_fMaxY, 2095.0f);

    config = Hp45Config(2);
    OpenHeads(config, {1, 2});
    ASSERT_TRUE(plan.Setup(&config, &drawing));
    EXPECT_EQ(plan.m_nSwathHeight, 1396);
    EXPECT_EQ(plan.m_nSwathCount, 3);
}

TEST(SwathPlan, SetupRefusesWhatItCannotPlan) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        uint8_t heads;
        float section;
        float width;
        float height;
    } cases[] = {
        {0, 17.45f, 100, 100},   // no head: swath height 0
        {1, 0.02f, 100, 100},    // 0.8 plotter units
        {1, -17.45f, 100, 100},  // negative swath height
        {1, inf, 100, 100},      // hand-edited section
        {1, nan, 100, 100},
        {1, 17.45f, 3e38f, 100},
        {1, 17.45f, inf, 100},
        {1, 17.45f, 100, 3e38f},
        {1, 17.45f, 100, nan},
    };
    for (const auto& c : cases) {
        PlotterConfig config = Hp45Config(1);
        OpenHeads(config, {1});
        SwathPlan plan;
        Drawing good = DrawingOfSize(100, 100);
        ASSERT_TRUE(plan.Setup(&config, &good));
        config.JetPrintHead = c.heads;
        config.EdLineSection = c.section;
        config.FourPass = 7;
        config.HeadPairSelector = 5;
        Drawing drawing = DrawingOfSize(c.width, c.height);
        EXPECT_FALSE(plan.Setup(&config, &drawing)) << int{c.heads} << " " << c.section << " " << c.width;
        // Back to the Reset geometry; the configuration is left alone.
        EXPECT_EQ(plan.m_nSwathCount, 0);
        EXPECT_EQ(plan.m_nSwathHeight, 0);
        EXPECT_EQ(plan.m_nWidthDots, 0);
        EXPECT_EQ(plan.m_fMaxY, 0.0f);
        EXPECT_EQ(plan.m_nLeftMargin, 400);
        EXPECT_EQ(config.FourPass, 7);
        EXPECT_EQ(config.HeadPairSelector, 5);
    }
}

TEST(SwathPlan, SetupChoosesTheHeadPairFromTheOpenHeads) {
    const struct {
        uint8_t heads;
        std::initializer_list<int> open;
        int32_t selector;
        bool message;
    } cases[] = {
        {1, {1}, 1, false},       {1, {2}, 1, false},          {1, {3}, 3, false},    {1, {4}, 3, false},
        {1, {1, 3}, 1, false},    {1, {}, 0, true},
        {2, {1, 2}, 1, false},    {2, {2, 3, 4}, 2, false},    {2, {2, 3}, 2, false}, {2, {3, 4}, 3, false},
        {2, {1, 3, 4}, 3, false}, {2, {1, 2, 3, 4}, 1, false}, {2, {1, 3}, 0, true},  {2, {}, 0, true},
        {3, {}, 0, false},        {4, {1, 3}, 0, false},
    };
    for (const auto& c : cases) {
        PlotterConfig config = Hp45Config(c.heads);
        OpenHeads(config, c.open);
        config.HeadPairSelector = 9;
        SwathPlan plan;
        Drawing drawing = DrawingOfSize(100, 100);
        MessageRecorder messages;
        SCOPED_TRACE(testing::Message() << int{c.heads} << " heads, selector " << c.selector);
        EXPECT_TRUE(plan.Setup(&config, &drawing));
        EXPECT_EQ(config.HeadPairSelector, c.selector);
        EXPECT_EQ(messages.shown.size(), c.message ? 1u : 0u);
        EXPECT_EQ(config.FourPass, c.heads < 3 ? 1 : 0);
        EXPECT_EQ(plan.m_nPasses, c.heads < 3 ? 4 : 2);
        // The plan stands even when the head table is rejected.
        EXPECT_EQ(plan.m_nSwathCount, 2);
    }

    PlotterConfig config = Hp45Config(1);
    config.JetPrintHeadOpenStatus[1] = 1;  // column B does not count
    config.JetPrintHeadOpenStatus[2] = 2;  // only 1 means open
    SwathPlan plan;
    Drawing drawing = DrawingOfSize(100, 100);
    MessageRecorder messages;
    EXPECT_TRUE(plan.Setup(&config, &drawing));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Nozzle configuration is incorrect.");
    EXPECT_EQ(messages.shown[0].caption, "Information");
    EXPECT_EQ(messages.shown[0].buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(messages.shown[0].icon, platform::MessageIcon::Exclamation);

    // A record without a nozzle count gives no head count to choose by.
    config = Hp45Config(1);
    config.NozzlesPerHead = 0;
    EXPECT_TRUE(plan.Setup(&config, &drawing));
    EXPECT_EQ(config.HeadPairSelector, 0);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST(SwathPlan, BufferGeometry) {
    PlotterConfig config = Hp45Config(1);
    config.DPINumPerM = 40000;  // one dot per plotter unit
    config.ELineWidth = 2;
    config.LeftMarginDots = 1970;
    config.YStep = 1096;
    config.StepSPD = 3;
    OpenHeads(config, {1, 2});
    config.JetPrintHeadValueX[2] = 30;
    config.JetPrintHeadValueX[4] = 500;  // closed head
    config.JetPrintHeadOpenStatus[6] = 2;
    config.JetPrintHeadValueX[6] = 900;  // not open either
    config.NozzleCorrection[3][149] = 5;
    SwathPlan plan;
    Drawing drawing = DrawingOfSize(2000, 100);
    ASSERT_TRUE(plan.Setup(&config, &drawing));
    ASSERT_EQ(plan.m_nWidthDots, 2000);
    plan.m_nCurrentSwath = 8;

    ASSERT_TRUE(plan.ComputeBufferGeometry());
    EXPECT_EQ(plan.m_nBytesPerRow, 251);
    EXPECT_EQ(plan.m_nColumns, 2288);
    EXPECT_EQ(plan.m_nLeftMargin, 1970);
    EXPECT_EQ(plan.m_nRightEnd, 4258);
    EXPECT_EQ(plan.m_nStride, 154);
    EXPECT_EQ(plan.m_nWordCount, 367752);
    EXPECT_EQ(plan.m_nYStep, 1096);
    EXPECT_EQ(plan.m_nStepSpeed, 3);
    EXPECT_EQ(plan.m_nCurrentSwath, 0);
    EXPECT_EQ(config.NozzleCorrection[3][149], 0);

    config.JetPrintHeadValueX[0] = -40;
    config.JetPrintHeadValueX[2] = -30;
    ASSERT_TRUE(plan.ComputeBufferGeometry());
    EXPECT_EQ(plan.m_nColumns, 251 * 8 + 250);
    std::ranges::fill(config.JetPrintHeadOpenStatus, 0);
    config.JetPrintHeadValueX[0] = 70;
    ASSERT_TRUE(plan.ComputeBufferGeometry());
    EXPECT_EQ(plan.m_nColumns, 251 * 8 + 250);
    EXPECT_EQ(plan.m_nRightEnd, 1970 + 251 * 8 + 250);
}

TEST(SwathPlan, BufferGeometryRefusesOverflow) {
    PlotterConfig config = Hp45Config(1);
    OpenHeads(config, {1});
    SwathPlan plan;
    EXPECT_FALSE(plan.ComputeBufferGeometry());  // no configuration yet

    Drawing drawing = DrawingOfSize(2000, 100);
    ASSERT_TRUE(plan.Setup(&config, &drawing));
    ASSERT_TRUE(plan.ComputeBufferGeometry());
    const int32_t wordCount = plan.m_nWordCount;
    config.YStep = 77;

    plan.m_nWidthDots = std::numeric_limits<int32_t>::max() - 3;
    EXPECT_FALSE(plan.ComputeBufferGeometry());
    plan.m_nWidthDots = 2000;
    config.RowsPerHead = 10'000'000;
    EXPECT_FALSE(plan.ComputeBufferGeometry());
    config.RowsPerHead = 154;
    config.LeftMarginDots = std::numeric_limits<int32_t>::max() - 100;
    EXPECT_FALSE(plan.ComputeBufferGeometry());
    config.LeftMarginDots = 0;
    config.JetPrintHeadOpenStatus[0] = 1;
    config.JetPrintHeadValueX[0] = std::numeric_limits<int32_t>::max() - 200;
    EXPECT_FALSE(plan.ComputeBufferGeometry());
    // A refused geometry leaves the plan as it was.
    EXPECT_EQ(plan.m_nWordCount, wordCount);
    EXPECT_NE(plan.m_nYStep, 77);
}

}  // namespace
