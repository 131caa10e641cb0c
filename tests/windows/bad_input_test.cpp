#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "tests/windows/job_list_fixture.h"

namespace {

// Whatever lands in the work folder, the road goes on: every file gets its
// row, the jobs that can be prepared and have something to send run, the
// files that cannot be loaded are held with message 143, those with nothing
// to send without a message, and a job's end removes only files that printed
// unchanged.
class BadInput : public JobListFixture, public ::testing::Test {
protected:
    BadInput() : JobListFixture("[PRINT]\r\nPRINTAUTO=1\r\nAUTODELETEFILE=1\r\n") {
        for (auto& interpreter : document->m_interpreter) interpreter.m_openRetry = {2, std::chrono::milliseconds(1)};
    }

    // Starts and finishes queued jobs, as scan and worker would, until none
    // is left to start.
    void RunQueue() {
        for (int guard = 0; guard < 20; ++guard) {
            view.ScanWorkFolder(false);
            if (view.Rows().Find(COL_TASK_STATUS, texts().waiting) < 0 && g_plotterStatus.m_bBusy.load() == 0) return;
            view.OnJobFinished();
            g_plotterStatus.m_bBusy = 0;
            g_plotterStatus.m_bJobReady = 0;
        }
        FAIL() << "the queue never emptied";
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(WorkFolder() + "/" + name); }
};

TEST_F(BadInput, NeverStopsTheRoad) {
    std::string noise(4096, '\0');
    std::mt19937 random(7);
    for (char& byte : noise) byte = static_cast<char>(random());
    AddPlotFile("empty.plt", "");
    AddPlotFile("noise.plt", noise);
    AddPlotFile("with space.plt", "IN;PU0,0;PD4000,0,4000,4000;PU;");
    AddPlotFile("\xB2\xE2\xCA\xD4.plt", "IN;PU0,0;PD4000,0,4000,4000;PU;");  // a GBK name
    std::filesystem::create_directory(WorkFolder() + "/x.plt");
    std::filesystem::create_symlink(WorkFolder() + "/nowhere", WorkFolder() + "/dangling.plt");
    AddPlotFile("busy.plt", "IN;PU0,0;PD4000,0;PU;");
    const int writer = open((WorkFolder() + "/busy.plt").c_str(), O_WRONLY | O_APPEND);
    ASSERT_GE(writer, 0);

    RunQueue();
    close(writer);

    EXPECT_FALSE(Exists("with space.plt"));
    EXPECT_FALSE(Exists("\xB2\xE2\xCA\xD4.plt"));
    EXPECT_TRUE(Exists("x.plt"));
    EXPECT_TRUE(Exists("busy.plt"));
    EXPECT_TRUE(Exists("empty.plt"));
    EXPECT_TRUE(Exists("noise.plt"));
    for (int row = 0; row < view.Rows().Count(); ++row) {
        EXPECT_EQ(Cell(row, COL_TASK_STATUS), texts().notPlot) << Cell(row, COL_FILE_NAME);
    }
    const auto held = [&](const std::string& name) { return view.Rows().Find(COL_FILE_NAME, WorkFolder() + "/" + name) >= 0; };
    EXPECT_TRUE(held("x.plt"));
    EXPECT_TRUE(held("dangling.plt"));
    EXPECT_TRUE(held("busy.plt"));
    EXPECT_TRUE(held("empty.plt"));
    EXPECT_TRUE(held("noise.plt"));
    // Only the three files that cannot be loaded are told of; nothing to
    // send is no message.
    EXPECT_EQ(messages.Texts(), std::vector<std::string>(3, "Incorrect position. Please try again."));
}

}  // namespace
