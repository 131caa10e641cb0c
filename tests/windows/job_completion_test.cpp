#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "tests/support/other_user.h"
#include "tests/windows/job_list_fixture.h"

namespace {

constexpr const char* kSquare = "IN;PU0,0;PD4000,0,4000,4000,0,4000,0,0;PU;";

// A job of a.plt started by the scan (which takes the file's word sum), then
// ended by the worker's call.
class JobCompletion : public JobListFixture, public ::testing::Test {
protected:
    explicit JobCompletion(const std::string& config = "[PRINT]\r\nPRINTAUTO=1\r\nAUTODELETEFILE=1\r\n")
        : JobListFixture(config) {}

    void StartJob(const std::string& counter = "1") {
        AddPlotFile("a.plt", kSquare);
        AddRow(texts().waiting, "a.plt", counter, "Begin at 1.00cm");
        view.ScanWorkFolder(false);
        ASSERT_EQ(Cell(0, COL_TASK_STATUS), texts().plotting);
        g_statusTexts.Set(STATUS_TEXT_RUNSTATE, "Print");
    }
    void FinishJob() {
        view.OnJobFinished();
        g_plotterStatus.m_bBusy = 0;
    }
    bool FileKept() const { return std::filesystem::exists(WorkFolder() + "/a.plt"); }
    std::string RunState() const { return g_statusTexts.Get(STATUS_TEXT_RUNSTATE); }
};

TEST_F(JobCompletion, RepeatsCountDownThenTheUnchangedFileGoes) {
    StartJob("3");
    FinishJob();
    EXPECT_EQ(view.Rows().Row(0), (JobRow{texts().waiting, WorkFolder() + "/a.plt", "2", Cell(0, COL_SIZE),
                                          "Begin at 1.00cm"}));
    EXPECT_EQ(RunState(), "Print");
    view.ScanWorkFolder(false);
    FinishJob();
    EXPECT_EQ(Cell(0, COL_PLOTTING_COUNTER), "1");
    view.ScanWorkFolder(false);
    FinishJob();
    EXPECT_EQ(view.Rows().Count(), 0);
    EXPECT_FALSE(FileKept());
    EXPECT_EQ(RunState(), "Finished");
    EXPECT_EQ(document->m_strSlotPath[SLOT_PRINT], "");
}

TEST_F(JobCompletion, AbortedJobIsHeldWithItsCounterAndRepeatsComeBack) {
    StartJob("3");
    view.m_bRepeatEnabled = false;
    FinishJob();
    EXPECT_EQ(view.Rows().Row(0), (JobRow{texts().notPlot, WorkFolder() + "/a.plt", "3", Cell(0, COL_SIZE), ""}));
    EXPECT_TRUE(view.m_bRepeatEnabled);
    EXPECT_TRUE(FileKept());
    EXPECT_EQ(RunState(), "Finished");
}

TEST_F(JobCompletion, FileOverwrittenDuringTheJobIsQueuedAgain) {
    StartJob();
    AddPlotFile("a.plt", std::string(kSquare) + "PD1,1;");
    FinishJob();
    EXPECT_EQ(Cell(0, COL_TASK_STATUS), texts().waiting);
    EXPECT_TRUE(FileKept());
}

TEST_F(JobCompletion, FileDeletedDuringTheJobLosesItsRow) {
    StartJob();
    std::filesystem::remove(WorkFolder() + "/a.plt");
    FinishJob();
    EXPECT_EQ(view.Rows().Count(), 0);
}

TEST_F(JobCompletion, FileBeingWrittenAgainLosesItsRowButIsKept) {
    StartJob();
    const int writer = open((WorkFolder() + "/a.plt").c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(writer, 0);
    FinishJob();
    close(writer);
    EXPECT_EQ(view.Rows().Count(), 0);
    EXPECT_TRUE(FileKept());
    view.ScanWorkFolder(true);
    EXPECT_EQ(view.Rows().Count(), 1);
}

TEST_F(JobCompletion, FileThatCannotBeReadWholeIsHeldAndKept) {
    StartJob();
    std::filesystem::remove(WorkFolder() + "/a.plt");
    std::filesystem::create_directory(WorkFolder() + "/a.plt");  // opens, but reads nothing
    FinishJob();
    EXPECT_EQ(Cell(0, COL_TASK_STATUS), texts().notPlot);
    EXPECT_TRUE(FileKept());
    EXPECT_EQ(RunState(), "Finished");
}

// A work folder the program may not write, with the file unchanged or not
// readable at all: the file stays, and so does its row, held, so that no
// scan queues it again.
TEST_F(JobCompletion, FileThatCannotBeDeletedKeepsItsRowHeld) {
    for (const bool readable : {true, false}) {
        StartJob();
        const std::string path = WorkFolder() + "/a.plt";
        ASSERT_TRUE(AgeFile(path));
        if (!readable) ASSERT_EQ(chmod(path.c_str(), 0), 0);
        ASSERT_EQ(chmod(folder.path().c_str(), 0755), 0);
        ASSERT_EQ(chmod(WorkFolder().c_str(), 0555), 0);
        testing::internal::CaptureStderr();
        {
            const ActingAsNobody other;
            if (faccessat(AT_FDCWD, WorkFolder().c_str(), W_OK, AT_EACCESS) == 0) {
                testing::internal::GetCapturedStderr();
                GTEST_SKIP() << "this user may write any folder";
            }
            FinishJob();
            view.ScanWorkFolder(false);
        }
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "TOLVEXR5DServer: the finished file " + path + " cannot be deleted and is held: " +
                      std::strerror(EACCES) + "\n");
        EXPECT_EQ(view.Rows().Row(0), (JobRow{texts().notPlot, path, "1", "* * *", "Begin at 1.00cm"}));
        EXPECT_EQ(view.Rows().Count(), 1);
        EXPECT_TRUE(FileKept());
        EXPECT_EQ(RunState(), "Finished");
        ASSERT_EQ(chmod(WorkFolder().c_str(), 0755), 0);
        view.Rows().DeleteRow(0);
    }
}

TEST_F(JobCompletion, NoPlottingRowChangesNothing) {
    AddRow(texts().waiting, "a.plt");
    g_statusTexts.Set(STATUS_TEXT_RUNSTATE, "Print");
    FinishJob();
    EXPECT_EQ(Cell(0, COL_TASK_STATUS), texts().waiting);
    EXPECT_EQ(RunState(), "Print");
}

class JobCompletionWithoutDeletion : public JobCompletion {
protected:
    JobCompletionWithoutDeletion() : JobCompletion("[PRINT]\r\nPRINTAUTO=0\r\nAUTODELETEFILE=0\r\n") {}
};

TEST_F(JobCompletionWithoutDeletion, RowIsHeldWithItsDetailsAndTheFileStays) {
    StartJob();
    FinishJob();
    EXPECT_EQ(view.Rows().Row(0),
              (JobRow{texts().notPlot, WorkFolder() + "/a.plt", "1", "* * *", "Begin at 1.00cm"}));
    EXPECT_TRUE(FileKept());
}

}  // namespace
