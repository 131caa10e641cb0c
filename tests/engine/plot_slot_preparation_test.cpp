#include <gtest/gtest.h>

#include <vector>

#include "core/document.h"
#include "engine/plot_slot_preparation.h"
#include "tests/support/temp_dir.h"
#include "tests/support/message_recorder.h"

namespace {

// A document over a folder of its own, with a plot file for its slots.
class PlotSlotTest : public testing::Test {
protected:
    void Open(const std::string& plot, const std::string& ini = "") {
        dir_.Write("config.ini", ini);
        dir_.Write("job.plt", plot);
        doc_ = std::make_unique<CTOLVEXR5DServerDoc>(dir_.path());
        for (auto& path : doc_->m_strSlotPath) path = dir_.File("job.plt");
        for (auto& interpreter : doc_->m_interpreter) interpreter.m_openRetry = {2, std::chrono::milliseconds(1)};
    }
    const LineArray& Lines(int slot) const { return doc_->m_interpreter[slot].m_drawing.m_lines; }
    LineArray Interpreted(const std::string& plot) {
        dir_.Write("alone.plt", plot);
        CPltInterpreter interpreter;
        interpreter.m_fScaleX = interpreter.m_fScaleY = 1.0f;
        EXPECT_TRUE(interpreter.Load(dir_.File("alone.plt").c_str(), 1));
        return interpreter.m_drawing.m_lines;
    }

    MessageRecorder messages_;  // the default head table has no head open; Setup says so
    TempDir dir_;
    std::unique_ptr<CTOLVEXR5DServerDoc> doc_;
};

// File X runs along the feed after preparation, file Y across the carriage.
const char* kFeedLines =
    "PU0,0;PD400,0;"      // ends before an offset of 500
    "PU0,0;PD500,0;"      // ends exactly at it
    "PU200,10;PD900,10;"  // crosses it
    "PU600,20;PD800,20;";  // lies after it

TEST_F(PlotSlotTest, PrintSlotTurnsTheFileXAlongTheFeedAndSplitsIt) {
    Open(kFeedLines);
    ASSERT_TRUE(doc_->PreparePlotSlot(SLOT_PRINT));
    EXPECT_EQ(g_pCurrentInterpreter, &doc_->m_interpreter[SLOT_PRINT]);
    EXPECT_EQ(g_pCurrentSwathPlan, &doc_->m_plan[SLOT_PRINT]);
    const std::vector<LineF> expected = {{0, 0, 0, 400}, {0, 0, 0, 500}, {10, 200, 10, 900}, {20, 600, 20, 800}};
    EXPECT_EQ(Lines(SLOT_PRINT), expected);
    const auto& plan = doc_->m_plan[SLOT_PRINT];
    EXPECT_EQ(plan.m_fMaxX, 20.0f);
    EXPECT_EQ(plan.m_fMaxY, 900.0f);
    EXPECT_EQ(plan.m_nSwathHeight, 698);
    EXPECT_EQ(plan.m_nSwathCount, 3);
    EXPECT_EQ(doc_->m_lineLists[SLOT_PRINT].m_nCount, 3);
    EXPECT_EQ(doc_->m_lineLists[SLOT_PRINT].List(1).size(), 2u);  // the two lines that reach past 698
    EXPECT_FLOAT_EQ(doc_->m_interpreter[SLOT_PRINT].m_drawing.m_fHeightM, 0.0225f);
    EXPECT_EQ(doc_->m_bSlotPrepared[0], 1);
}

// Budgets of a few lines stand in for the program's tens of millions.
TEST_F(PlotSlotTest, DrawingsPastTheLineBudgetAreRefusedBeforeTheMemoryIsTaken) {
    const std::string fiveLines = std::string(kFeedLines) + "PU0,0;PD10,0;";
    Open(fiveLines);
    doc_->m_interpreter[SLOT_PRINT].m_nMaxLines = 4;
    EXPECT_FALSE(doc_->PreparePlotSlot(SLOT_PRINT));
    EXPECT_TRUE(Lines(SLOT_PRINT).empty());
    EXPECT_EQ(doc_->m_bSlotPrepared[SLOT_PRINT], 0);
    doc_->m_interpreter[SLOT_PRINT].m_nMaxLines = 5;
    EXPECT_TRUE(doc_->PreparePlotSlot(SLOT_PRINT));

    Open("PU0,0;PD10,0;LBA\x03");
    doc_->m_interpreter[SLOT_PREVIEW].m_nMaxLines = 1;
    EXPECT_FALSE(doc_->PreparePlotSlot(SLOT_PREVIEW));
    EXPECT_TRUE(Lines(SLOT_PREVIEW).empty());

    // Dashes past it draw their segment whole, the 36 bytes that asked for
    // 266 million of them too.
    Open("LT2,2;PU0,0;PD300,0;");
    doc_->m_interpreter[SLOT_PRINT].m_nMaxLines = 10;
    ASSERT_TRUE(doc_->PreparePlotSlot(SLOT_PRINT));
    EXPECT_EQ(Lines(SLOT_PRINT).size(), 1u);
    EXPECT_EQ(Interpreted("IN;SP1;LT2,0.5;PU0,0;PD400000000,0;"), (LineArray{{0, 0, 400000000, 0}}));

    // Swath pieces past it: a line along the feed over three swaths of 698.
    Open("PU0,0;PD2000,0;");
    CSwathLineLists& lists = doc_->m_lineLists[SLOT_PRINT];
    lists.m_nMaxLines = 2;
    EXPECT_FALSE(doc_->PreparePlotSlot(SLOT_PRINT));
    EXPECT_EQ(doc_->m_bSlotPrepared[SLOT_PRINT], 0);
    for (int32_t k = 0; k < lists.m_nCount; ++k) EXPECT_TRUE(lists.List(k).empty());
    lists.m_nMaxLines = 3;
    ASSERT_TRUE(doc_->PreparePlotSlot(SLOT_PRINT));
    EXPECT_EQ(lists.List(0).size() + lists.List(1).size() + lists.List(2).size(), 3u);
}

TEST_F(PlotSlotTest, StartOffsetCutsThePrintSlot) {
    Open(kFeedLines);
    doc_->m_plan[SLOT_PRINT].m_nStartOffset = 500;
    ASSERT_TRUE(doc_->PreparePlotSlot(SLOT_PRINT));
    // The new origin lies one unit past the offset; a line crossing it keeps
    // its x and starts at y = 1.
    const std::vector<LineF> expected = {{0, 1, 0, -1}, {10, 1, 10, 399}, {20, 99, 20, 299}};
    EXPECT_EQ(Lines(SLOT_PRINT), expected);
    EXPECT_EQ(doc_->m_interpreter[SLOT_PRINT].m_drawing.m_fMaxY, 400.0f);
    EXPECT_EQ(doc_->m_interpreter[SLOT_PRINT].m_drawing.m_nLines, 3u);

    doc_->m_plan[SLOT_PRINT].m_nStartOffset = 900;
    EXPECT_TRUE(doc_->PreparePlotSlot(SLOT_PRINT));  // an offset equal to the height is not refused
    doc_->m_plan[SLOT_PRINT].m_nStartOffset = 901;
    EXPECT_FALSE(doc_->PreparePlotSlot(SLOT_PRINT));
    EXPECT_EQ(doc_->m_bSlotPrepared[SLOT_PRINT], 0);
}

TEST_F(PlotSlotTest, OffsetOf12AndAHalfCentimetres) {
    // 12.5 cm is 4999 plotter units: the float 0.025 lies slightly above 0.025.
    Open("PU0,0;PD10000,0;");
    const uint32_t offset = static_cast<uint32_t>(12.5 * 10 / doc_->m_config.MmPerUnit);
    EXPECT_EQ(offset, 4999u);
    doc_->m_plan[SLOT_PRINT].m_nStartOffset = offset;
    ASSERT_TRUE(doc_->PreparePlotSlot(SLOT_PRINT));
    const std::vector<LineF> expected = {{0, 1, 0, 5000}};
    EXPECT_EQ(Lines(SLOT_PRINT), expected);
}

TEST_F(PlotSlotTest, OutputPreviewCutAtOffsetZeroMovesEveryLineOneUnit) {
    Open(kFeedLines);
    ASSERT_TRUE(doc_->PreparePlotSlot(SLOT_OUTPUT_PREVIEW));
    const LineArray uncut = Lines(SLOT_OUTPUT_PREVIEW);
    const float uncutLength = doc_->m_interpreter[SLOT_OUTPUT_PREVIEW].m_drawing.m_fMaxX;
    doc_->m_bCutAtStart = 1;
    ASSERT_TRUE(doc_->PreparePlotSlot(SLOT_OUTPUT_PREVIEW));
    // The plan sees every line one unit further up the feed, down to y = -1;
    // turning back for display measures from there again, so the lines come
    // out where they were and the preview is one unit longer.
    EXPECT_EQ(doc_->m_plan[SLOT_OUTPUT_PREVIEW].m_fMaxY, 900.0f);
    EXPECT_EQ(Lines(SLOT_OUTPUT_PREVIEW), uncut);
    EXPECT_EQ(doc_->m_interpreter[SLOT_OUTPUT_PREVIEW].m_drawing.m_fMaxX, uncutLength + 1);
    EXPECT_EQ(doc_->m_bSlotPrepared[SLOT_OUTPUT_PREVIEW], 1);
}

TEST_F(PlotSlotTest, OutputPreviewCutLowersTheJobsLengthInPlanZero) {
    Open(kFeedLines);
    ASSERT_TRUE(doc_->PreparePlotSlot(SLOT_PRINT));
    const float uncut = doc_->m_plan[SLOT_PRINT].m_fHeightM;
    doc_->m_bCutAtStart = 1;
    doc_->m_plan[SLOT_OUTPUT_PREVIEW].m_nStartOffset = 400;
    ASSERT_TRUE(doc_->PreparePlotSlot(SLOT_OUTPUT_PREVIEW));
    EXPECT_FLOAT_EQ(doc_->m_plan[SLOT_PRINT].m_fHeightM, uncut - 0.01f);
}

TEST_F(PlotSlotTest, PreviewShowsTheFileInItsOwnOrientation) {
    const std::string plot = "PU0,0;PD300,100;PD300,700;PU50,20;PD80,650;";
    Open(plot);
    ASSERT_TRUE(doc_->PreparePlotSlot(SLOT_PREVIEW));
    EXPECT_EQ(Lines(SLOT_PREVIEW), Interpreted(plot));

    // Four configured quarter turns in all for the print slot: it comes out
    // as interpreted.
    Open(plot, "[PRINT]\nPRINTROTATION90=1\nPRINTROTATION90_UNCLOCKWISE=1\n");
    ASSERT_TRUE(doc_->PreparePlotSlot(SLOT_PRINT));
    EXPECT_EQ(Lines(SLOT_PRINT), Interpreted(plot));
}

TEST_F(PlotSlotTest, OnlyTheLastPreparedSlotCountsAsPrepared) {
    Open(kFeedLines, "[CTRPARAM]\nPrint_Line=HP45JetPrintHead\n");
    ASSERT_TRUE(doc_->PreparePlotSlot(SLOT_PRINT));
    EXPECT_NE(doc_->m_config.FileWordSum, 0u);
    doc_->m_bPreviewShowsJob = 1;
    ASSERT_TRUE(doc_->PreparePlotSlot(SLOT_PREVIEW));
    EXPECT_EQ(doc_->m_bSlotPrepared[0], 0);
    EXPECT_EQ(doc_->m_bSlotPrepared[1], 1);
    EXPECT_EQ(doc_->m_bSlotPrepared[2], 0);
    EXPECT_EQ(doc_->m_bPreviewShowsJob.load(), 0);
    EXPECT_EQ(doc_->m_lineLists[SLOT_PREVIEW].List(0).size(), 0u);  // previews are not split

    doc_->m_strSlotPath[SLOT_PREVIEW] = dir_.File("missing.plt");
    EXPECT_FALSE(doc_->PreparePlotSlot(SLOT_PREVIEW));
    EXPECT_EQ(doc_->m_bSlotPrepared[1], 0);
}

TEST_F(PlotSlotTest, TooWideDrawingsAreTiledExceptInThePreview) {
    // 10 cm across the carriage (file Y 4000 units) with MAXWIDTH 5 cm.
    Open("PU0,0;PD1000,4000;", "[PRINT]\nMAXWIDTH=5.0\n");
    ASSERT_TRUE(doc_->PreparePlotSlot(SLOT_PREVIEW));
    EXPECT_EQ(doc_->m_bTooWide, 0);
    ASSERT_EQ(Lines(SLOT_PREVIEW).size(), 1u);

    ASSERT_TRUE(doc_->PreparePlotSlot(SLOT_PRINT));
    EXPECT_EQ(doc_->m_bTooWide, 1);
    EXPECT_GT(Lines(SLOT_PRINT).size(), 1u);
    EXPECT_EQ(doc_->m_plan[SLOT_PRINT].m_fMaxX, 999.0f + 500.0f);  // strip width 1999 - 1000, plus the margin

    // A drawing exactly MAXWIDTH wide is not too wide: 2500 units are
    // 0.0625 m as a float.
    Open("PU0,0;PD1000,2500;", "[PRINT]\nMAXWIDTH=6.25\n");
    ASSERT_TRUE(doc_->PreparePlotSlot(SLOT_PRINT));
    EXPECT_EQ(doc_->m_bTooWide, 0);
}

TEST_F(PlotSlotTest, UnplannableSettingsFailThePreparation) {
    Open(kFeedLines, "[PRINT]\nMAXWIDTH=0.001\n");  // too wide, and no strip width is left
    EXPECT_FALSE(doc_->PreparePlotSlot(SLOT_PRINT));

    Open(kFeedLines, "[CTRPARAM]\nJetPrintHead=0\n");
    EXPECT_FALSE(doc_->PreparePlotSlot(SLOT_PRINT));  // a swath height of 0

    Open(kFeedLines, "[CTRPARAM]\nEdLineSection=inf\n");
    EXPECT_FALSE(doc_->PreparePlotSlot(SLOT_PRINT));
    EXPECT_EQ(doc_->m_bSlotPrepared[SLOT_PRINT], 0);
}

}  // namespace
