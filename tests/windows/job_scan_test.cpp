#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <filesystem>

#include "tests/windows/job_list_fixture.h"

namespace {

constexpr const char* kSquare = "IN;PU0,0;PD40000,0,40000,40000,0,40000,0,0;PU;";

class JobScan : public JobListFixture, public ::testing::Test {
protected:
    JobScan() : JobListFixture("[PRINT]\r\nPRINTAUTO=1\r\n") {}
};

TEST_F(JobScan, AddsOneRowPerPlotFileInPatternOrder) {
    AddPlotFile("b.plt");
    AddPlotFile("A.PLT");
    AddPlotFile("c.hpgl");
    AddPlotFile("d.prt");
    AddPlotFile("readme.txt");
    std::filesystem::create_directory(WorkFolder() + "/sub");
    AddPlotFile("sub/e.plt");

    view.ScanWorkFolder(true);
    ASSERT_EQ(view.Rows().Count(), 4);
    const std::string folderPath = WorkFolder() + "/";
    EXPECT_EQ(view.Rows().Row(0), (JobRow{texts().waiting, folderPath + "A.PLT", "1", "* * *", ""}));
    EXPECT_EQ(Cell(1, COL_FILE_NAME), folderPath + "b.plt");
    EXPECT_EQ(Cell(2, COL_FILE_NAME), folderPath + "c.hpgl");
    EXPECT_EQ(Cell(3, COL_FILE_NAME), folderPath + "d.prt");

    // Scan-only starts nothing; a file whose row exists gets no second one,
    // and a row whose file has gone stays.
    std::filesystem::remove(WorkFolder() + "/b.plt");
    view.ScanWorkFolder(true);
    EXPECT_EQ(view.Rows().Count(), 4);
    EXPECT_EQ(g_plotterStatus.m_bBusy.load(), 0);

    document->m_config.PRINTAUTO = 0;
    AddPlotFile("f.pmd");
    view.ScanWorkFolder(true);
    EXPECT_EQ(Cell(4, COL_TASK_STATUS), texts().notPlot);
}

TEST_F(JobScan, WalkPassesHeldRowsStopsAtTheCurrentJobAndStartsTheFirstQueued) {
    AddPlotFile("b.plt", kSquare);
    AddRow(texts().notPlot, "a.plt");
    AddRow(texts().waiting, "b.plt", "1", "Begin at 12.50cm");
    document->m_plan[SLOT_PRINT].m_nSwathsPrinted = 96;  // the last job's, all of it
    view.ScanWorkFolder(false);

    EXPECT_EQ(Cell(1, COL_TASK_STATUS), texts().plotting);
    EXPECT_EQ(g_plotterStatus.m_bBusy.load(), 1);
    EXPECT_EQ(g_plotterStatus.m_bJobReady.load(), 1);
    EXPECT_EQ(document->m_plan[SLOT_PRINT].m_nSwathsPrinted.load(), 0);
    EXPECT_EQ(document->m_plan[SLOT_PRINT].m_fStartPosition, 12.5f);
    EXPECT_EQ(document->m_plan[SLOT_PRINT].m_nStartOffset, 4999u);
    EXPECT_EQ(document->m_plan[SLOT_OUTPUT_PREVIEW].m_nStartOffset, 4999u);
    EXPECT_EQ(document->m_strSlotPath[SLOT_OUTPUT_PREVIEW], WorkFolder() + "/b.plt");
    EXPECT_EQ(g_statusTexts.Get(STATUS_TEXT_POSITION), WorkFolder() + "/b.plt");
    EXPECT_EQ(document->PreviewMode, PREVIEW_OUTPUT);
    EXPECT_EQ(Cell(1, COL_SIZE).rfind("Width=", 0), 0u);

    // Busy: a scan adds rows but starts nothing.
    AddPlotFile("c.plt", kSquare);
    view.ScanWorkFolder(false);
    EXPECT_EQ(Cell(2, COL_TASK_STATUS), texts().waiting);

    // A "Plotting" row above a queued one, busy clear: the walk takes it for
    // the running job.
    g_plotterStatus.m_bBusy = 0;
    view.ScanWorkFolder(false);
    EXPECT_EQ(g_plotterStatus.m_bBusy.load(), 1);
    EXPECT_EQ(Cell(2, COL_TASK_STATUS), texts().waiting);
}

TEST_F(JobScan, FailedStartHoldsTheRowAndFreesTheList) {
    std::filesystem::create_directory(WorkFolder() + "/x.plt");  // a folder cannot be loaded
    AddRow(texts().waiting, "x.plt", "1", "Begin at 2.00cm");
    view.ScanWorkFolder(false);

    EXPECT_EQ(view.Rows().Row(0), (JobRow{texts().notPlot, WorkFolder() + "/x.plt", "1", "* * *", ""}));
    EXPECT_EQ(g_plotterStatus.m_bBusy.load(), 0);
    EXPECT_EQ(g_plotterStatus.m_bJobReady.load(), 0);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Incorrect position. Please try again."});

    // Nothing to send (no line, or lines without width): held the same way,
    // without a message; the next scan starts the next queued row.
    AddPlotFile("empty.plt", "");
    AddPlotFile("line.plt", "IN;PU0,0;PD0,4000;PU;");
    AddPlotFile("good.plt", kSquare);
    for (const char* name : {"empty.plt", "line.plt", "good.plt"}) AddRow(texts().waiting, name);
    for (int row = 1; row <= 2; ++row) {
        view.ScanWorkFolder(false);
        EXPECT_EQ(Cell(row, COL_TASK_STATUS), texts().notPlot) << Cell(row, COL_FILE_NAME);
        EXPECT_EQ(g_plotterStatus.m_bBusy.load(), 0);
        EXPECT_EQ(g_plotterStatus.m_bJobReady.load(), 0);
    }
    EXPECT_EQ(messages.shown.size(), 1u);
    view.ScanWorkFolder(false);
    EXPECT_EQ(Cell(3, COL_TASK_STATUS), texts().plotting);
    EXPECT_EQ(g_plotterStatus.m_bJobReady.load(), 1);
}

TEST_F(JobScan, NoJobStartsUnderAnOpenSettingsDialog) {
    AddPlotFile("a.plt", kSquare);
    for (const auto open : {&CFileView::OnFactorySettings, &CFileView::OnUserSettings}) {
        bool scanned = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            view.ScanWorkFolder(false);
            scanned = true;
            dialog->done(QDialog::Rejected);
        });
        (view.*open)();
        EXPECT_TRUE(scanned);
        ASSERT_EQ(view.Rows().Count(), 1);
        EXPECT_EQ(Cell(0, COL_TASK_STATUS), texts().waiting);
        EXPECT_EQ(g_plotterStatus.m_bBusy.load(), 0);
    }
    view.ScanWorkFolder(false);
    EXPECT_EQ(Cell(0, COL_TASK_STATUS), texts().plotting);
}

}  // namespace
