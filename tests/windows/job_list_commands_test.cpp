#include <gtest/gtest.h>

#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <filesystem>
#include <map>

#include "res/resource_ids.h"
#include "tests/windows/job_list_fixture.h"
#include "ui/main_toolbar.h"

namespace {

using namespace res;

class JobListCommands : public JobListFixture, public ::testing::Test {};

std::map<unsigned, bool> MenuStates(CFileView& view) {
    std::map<unsigned, bool> states;
    const auto menu = view.CreateContextMenu();
    if (!menu) return states;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) states[action->data().toUInt()] = action->isEnabled();
    }
    return states;
}

TEST_F(JobListCommands, ContextMenuFollowsTheRowStateAndTheWorker) {
    AddRow(texts().plotting, "a.plt");
    AddRow(texts().waiting, "b.plt");
    AddRow(texts().notPlot, "c.plt");

    view.SetSelectionMark(-1);
    EXPECT_TRUE(MenuStates(view).empty());

    const std::map<unsigned, bool> always = {{ID_ABORT, true},       {ID_PREVIEW, true},  {ID_PLOT_PREVIEW, true},
                                             {ID_SECT_PREVIEW, false}, {ID_FINAL_VIEW, false}, {ID_ADD_ONE, true},
                                             {ID_SUBTRACT_ONE, true}};
    auto expect = [&](std::map<unsigned, bool> rest) {
        rest.insert(always.begin(), always.end());
        return rest;
    };
    const auto queued = expect({{ID_PLOT, true}, {ID_DELETE_FILE, true}, {ID_MOVE_UP, true},
                                {ID_MOVE_DOWN, true}, {ID_MOVE_TO_FIRST, true}});
    const auto last = expect({{ID_PLOT, true}, {ID_DELETE_FILE, true}, {ID_MOVE_UP, true},
                              {ID_MOVE_DOWN, false}, {ID_MOVE_TO_FIRST, true}});
    const auto running = expect({{ID_PLOT, false}, {ID_DELETE_FILE, false}, {ID_MOVE_UP, false},
                                 {ID_MOVE_DOWN, false}, {ID_MOVE_TO_FIRST, false}});
    const auto notYetRunning = expect({{ID_PLOT, false}, {ID_DELETE_FILE, true}, {ID_MOVE_UP, false},
                                       {ID_MOVE_DOWN, false}, {ID_MOVE_TO_FIRST, false}});

    view.SetSelectionMark(1);
    EXPECT_EQ(MenuStates(view), queued);
    view.SetSelectionMark(2);
    EXPECT_EQ(MenuStates(view), last);
    view.SetSelectionMark(0);
    EXPECT_EQ(MenuStates(view), notYetRunning);
    g_jobRunning = 1;
    EXPECT_EQ(MenuStates(view), running);
    view.Rows().SetText(0, COL_TASK_STATUS, texts().notPlot);
    auto first = queued;
    first[ID_MOVE_UP] = false;
    EXPECT_EQ(MenuStates(view), first);
}

TEST_F(JobListCommands, PlotQueuesOnlyHeldRows) {
    AddRow(texts().notPlot, "a.plt");
    AddRow(texts().waiting, "b.plt");
    AddRow(texts().plotting, "c.plt");
    for (int row : {0, 1, 2}) {
        view.SetSelectionMark(row);
        view.OnPlot();
    }
    EXPECT_EQ(Cell(0, COL_TASK_STATUS), texts().waiting);
    EXPECT_EQ(Cell(1, COL_TASK_STATUS), texts().waiting);
    EXPECT_EQ(Cell(2, COL_TASK_STATUS), texts().plotting);
    EXPECT_TRUE(messages.shown.empty());

    view.SetSelectionMark(-1);
    view.OnPlot();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Please choose a file before plotting."});
}

TEST_F(JobListCommands, AbortHoldsAQueuedRowOrAbortsTheRunningJob) {
    AddRow(texts().waiting, "a.plt", "1", "Begin at 3.00cm");
    AddRow(texts().notPlot, "b.plt");
    view.SetSelectionMark(0);
    view.OnAbort();
    EXPECT_EQ(Cell(0, COL_TASK_STATUS), texts().notPlot);
    EXPECT_EQ(Cell(0, COL_MORE_DETAILS), "");

    view.SetSelectionMark(1);
    view.OnAbort();  // no job: nothing
    EXPECT_EQ(g_abortJob.load(), 0);
    EXPECT_TRUE(view.m_bRepeatEnabled);

    AddRow(texts().plotting, "c.plt", "3");
    document->m_plan[SLOT_PRINT].m_nSwathCount = 12;
    view.OnAbort();  // a held row selected: the "Plotting" row's job is aborted
    EXPECT_EQ(g_abortJob.load(), 1);
    EXPECT_FALSE(view.m_bRepeatEnabled);
    EXPECT_EQ(document->m_plan[SLOT_PRINT].m_nCurrentSwath, 12);
    EXPECT_EQ(Cell(2, COL_TASK_STATUS), texts().plotting);
}

TEST_F(JobListCommands, PreviewsFindTheirRowAgainAndOpenOnALeftDoubleClick) {
    // The head table is refused with a message during every preparation;
    // while it is open, the worker's job end removes the row above.
    document->m_config.JetPrintHeadOpenStatus[0] = 0;
    const platform::MessageHandler recorder = platform::SetMessageHandler([&](const platform::MessageRequest&) {
        if (view.Rows().Count() == 2) view.Rows().DeleteRow(0);
        return platform::MessageAnswer::Ok;
    });
    AddPlotFile("b.plt");
    for (const auto preview : {&CFileView::OnPreview, &CFileView::OnPlotPreview}) {
        while (view.Rows().Count() > 0) view.Rows().DeleteRow(0);
        AddRow(texts().notPlot, "a.plt");
        AddRow(texts().plotting, "b.plt");
        view.SetSelectionMark(1);
        (view.*preview)();
        ASSERT_EQ(view.Rows().Count(), 1);
        EXPECT_EQ(Cell(0, COL_SIZE).rfind("Width=", 0), 0u);
    }
    EXPECT_EQ(document->m_bPreviewShowsJob.load(), 1);
    platform::SetMessageHandler(recorder);

    // The whole path is in the tooltip; a long one is cut in the middle.
    EXPECT_EQ(view.model()->index(0, COL_FILE_NAME).data(Qt::ToolTipRole).toString().toStdString(),
              WorkFolder() + "/b.plt");
    EXPECT_EQ(view.textElideMode(), Qt::ElideMiddle);

    Frame().show();
    document->PreviewMode = PREVIEW_NOTHING;
    const QPoint cell = view.visualRect(view.model()->index(0, COL_FILE_NAME)).center();
    QTest::mouseDClick(view.viewport(), Qt::RightButton, Qt::NoModifier, cell);
    EXPECT_EQ(document->PreviewMode, PREVIEW_NOTHING);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, cell);
    EXPECT_EQ(document->PreviewMode, PREVIEW_FILE);
}

// Columns wider than the list: the bar counts pixels, so its thumb shows
// where the list stands and how much of it is hidden.
TEST_F(JobListCommands, HorizontalBarFollowsThePixelsOfTheColumns) {
    g_quitWorker = 1;  // the first update's worker leaves at once
    view.OnInitialUpdate();
    AddRow(texts().notPlot, std::string(200, 'x') + ".plt");
    Frame().resize(700, 500);
    Frame().show();
    QApplication::processEvents();

    QScrollBar* bar = view.horizontalScrollBar();
    const int viewport = view.viewport()->width();
    const int overflow = view.horizontalHeader()->length() - viewport;
    ASSERT_GT(overflow, 0);
    EXPECT_EQ(bar->value(), bar->minimum());
    EXPECT_EQ(bar->maximum(), overflow);
    EXPECT_EQ(bar->pageStep(), viewport);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(view.columnViewportPosition(COL_MORE_DETAILS) + view.columnWidth(COL_MORE_DETAILS), viewport);
}

TEST_F(JobListCommands, CountersStayWithinOneToTenAndNeverChangeOnTheCurrentJob) {
    AddRow(texts().notPlot, "a.plt", "10");
    AddRow(texts().waiting, "b.plt", "1");
    AddRow(texts().plotting, "c.plt", "5");
    view.SetSelectionMark(0);
    view.OnAddOne();
    EXPECT_EQ(Cell(0, COL_PLOTTING_COUNTER), "10");
    view.OnSubtractOne();
    EXPECT_EQ(Cell(0, COL_PLOTTING_COUNTER), "9");
    view.SetSelectionMark(1);
    view.OnSubtractOne();
    EXPECT_EQ(Cell(1, COL_PLOTTING_COUNTER), "1");
    view.OnAddOne();
    EXPECT_EQ(Cell(1, COL_PLOTTING_COUNTER), "2");
    view.SetSelectionMark(2);
    view.OnAddOne();
    view.OnSubtractOne();
    EXPECT_EQ(Cell(2, COL_PLOTTING_COUNTER), "5");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(JobListCommands, MovesKeepTheFiveTextsAndTheSelection) {
    AddRow(texts().notPlot, "a.plt", "2", "Begin at 1.00cm");
    AddRow(texts().waiting, "b.plt");
    AddRow(texts().notPlot, "c.plt");
    const JobRow b = view.Rows().Row(1);

    view.SetSelectionMark(1);
    view.OnMoveUp();
    EXPECT_EQ(view.Rows().Row(0), b);
    EXPECT_EQ(view.SelectionMark(), 0);
    EXPECT_EQ(view.currentIndex().row(), 0);

    view.SetSelectionMark(2);
    view.OnMoveDown();
    EXPECT_EQ(view.SelectionMark(), 2);
    EXPECT_EQ(Cell(2, COL_FILE_NAME), WorkFolder() + "/c.plt");

    const std::vector<JobRow> before = {view.Rows().Row(0), view.Rows().Row(1), view.Rows().Row(2)};
    view.SetSelectionMark(0);
    view.OnMoveToFirst();
    EXPECT_EQ((std::vector<JobRow>{view.Rows().Row(0), view.Rows().Row(1), view.Rows().Row(2)}), before);

    view.Rows().SetText(1, COL_TASK_STATUS, texts().plotting);
    view.SetSelectionMark(1);
    view.OnMoveToFirst();
    EXPECT_EQ(Cell(1, COL_TASK_STATUS), texts().plotting);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Don't move the plotting file."});
}

TEST_F(JobListCommands, DeleteRemovesRowAndFileButNeverTheCurrentJob) {
    AddPlotFile("a.plt");
    AddPlotFile("b.plt");
    AddRow(texts().notPlot, "a.plt");
    AddRow(texts().plotting, "b.plt");
    AddRow(texts().waiting, "gone.plt");

    view.SetSelectionMark(1);
    view.OnDeleteFile();
    EXPECT_EQ(view.Rows().Count(), 3);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "The plotter is working. Please waiting for this plotting task finished!");
    EXPECT_EQ(messages.shown[0].caption, "Notice");

    view.SetSelectionMark(0);
    view.OnDeleteFile();
    EXPECT_FALSE(std::filesystem::exists(WorkFolder() + "/a.plt"));
    view.SetSelectionMark(1);
    view.OnDeleteFile();  // its file is gone already: the row goes all the same
    EXPECT_EQ(view.Rows().Count(), 1);
    EXPECT_TRUE(std::filesystem::exists(WorkFolder() + "/b.plt"));
}

TEST_F(JobListCommands, OriginEditStoresTheMarginInDotsAndSavesOnlyChanges) {
    Frame();
    QLineEdit& edit = *g_wndMainToolBar->m_wndOriginEdit;
    const auto iniPath = folder.File("config.ini");
    const auto savedBefore = folder.Read("config.ini");

    edit.setText(QString::number(static_cast<int>(document->m_config.EdLeftValue)));
    view.OnKillFocusOrigin();
    EXPECT_EQ(folder.Read("config.ini"), savedBefore);

    edit.setText("250");
    view.OnKillFocusOrigin();
    EXPECT_EQ(document->m_config.EdLeftValue, 250.0f);
    EXPECT_EQ(document->m_config.LeftMarginDots, 1663);  // 250 x 6653 / 1000
    EXPECT_NE(folder.Read("config.ini").find("EdLeftValue=250.000000"), std::string::npos);

    edit.setText("");
    view.OnKillFocusOrigin();
    EXPECT_EQ(document->m_config.EdLeftValue, 0.0f);
    EXPECT_EQ(edit.text(), "0");
}

}  // namespace
