// The whole road of the program: its windows (offscreen) and the stand-in
// plotter, plot files dropped into the work folder, printed, repeated and
// removed (or held when they cannot be); then the window closed during a
// job. Only ever run inside a private network namespace.
#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <utility>

#include "core/document.h"
#include "jobs/file_view.h"
#include "link/command_channel.h"
#include "link/worker_waits.h"
#include "sim/stand_in_plotter.h"
#include "tests/support/job_payloads.h"
#include "tests/support/message_recorder.h"
#include "tests/support/other_user.h"
#include "tests/support/temp_dir.h"
#include "tests/windows/window_fixture.h"
#include "ui/application.h"
#include "ui/main_frame.h"

namespace {

using namespace std::chrono_literals;
using Payloads = std::vector<std::vector<uint8_t>>;

// One head, four passes, no file-name or time labels; queued and deleted
// automatically.
std::string ProgramConfig(const std::string& workFolder) {
    return "[CTRPARAM]\nJetPrintHead=1\nPrint_Line=HP45JetPrintHead\nEdLRCrcValue=7\n"
           "[JetPrintHeadOpenStatus]\nJetPrintHeadOpenStatus0=1\nJetPrintHeadOpenStatus1=1\n"
           "[JetPrintHeadValueX]\nJetPrintHeadValueX1=30\n[JetPrintHeadValueY]\nJetPrintHeadValueY0=5\n"
           "[PRINT]\nPRINTFILENAME=0\nBELTWIDTH=3\nPRINTAUTO=1\nAUTODELETEFILE=1\n"
           "[PATH]\nWORKPATH=" + workFolder + "\n[NET]\nIP_ADDR=127.0.0.1\n";
}

// A zigzag of the given height in plotter units, different for each seed.
std::string Zigzag(int height, int seed) {
    std::string plot = "IN;SP1;PU0,0;PD";
    for (int y = 0, x = 0; y <= height; y += 1500, x = 4000 - x) {
        plot += std::to_string(x + seed * 37) + "," + std::to_string(y) + (y + 1500 <= height ? "," : ";");
    }
    return plot + "PU0,0;";
}

// Every payload of a job of plot, as a separate document with the same
// configuration builds it, in the order they are sent.
Payloads ExpectedPayloads(const std::string& plot) {
    TempDir folder;
    folder.Write("config.ini", ProgramConfig(folder.File("work")));
    folder.Write("job.plt", plot);
    CTOLVEXR5DServerDoc doc(folder.path());
    doc.m_strSlotPath[SLOT_PRINT] = folder.File("job.plt");
    Payloads payloads;
    if (!doc.PreparePlotSlot(SLOT_PRINT) || !doc.PrepareSwathBuffers()) return payloads;
    ForEachJobPayload(doc, [&](std::span<const uint16_t> words) {
        std::vector<uint8_t> bytes;
        for (const uint16_t word : words) {
            bytes.push_back(static_cast<uint8_t>(word & 0xFF));
            bytes.push_back(static_cast<uint8_t>(word >> 8));
        }
        payloads.push_back(std::move(bytes));
    });
    return payloads;
}

class ProgramRoad : public ::testing::Test {
protected:
    void SetUp() override {
        WindowFixture::ResetSharedFlags();
        g_channelTiming = {15ms, 3ms};
        g_workerTiming = {.statusPause = 3ms, .resetPause = 5ms, .startPause = 10ms, .idlePause = 40ms,
                          .settlePause = 1ms, .transferPause = 5ms, .mismatchPause = 50ms,
                          .connectTimeout = 300ms, .sendTimeout = 2000ms};
        std::filesystem::create_directory(Work());
        folder.Write("config.ini", ProgramConfig(Work()));
        application.m_strConfigFolder = folder.path();
    }
    void TearDown() override { plotter.Stop(); }

    std::string Work() const { return folder.File("work"); }
    void Drop(const std::string& name, const std::string& plot) const {
        std::ofstream(Work() + "/" + name, std::ios::binary) << plot;
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(Work() + "/" + name); }
    CFileView& View() { return *application.MainFrame()->GetFileView(); }
    int RowOf(const std::string& name) {
        return View().Rows().Find(COL_FILE_NAME, Work() + "/" + name);
    }
    std::string StateOf(const std::string& name) { return View().Rows().Text(RowOf(name), COL_TASK_STATUS); }
    size_t JobsBegun() const { return plotter.Jobs().size(); }
    // Whether every request from the first'th on is a ping: nothing of a job.
    bool OnlyPingsSince(size_t first) const {
        const auto requests = plotter.Requests();
        return std::all_of(requests.begin() + static_cast<std::ptrdiff_t>(std::min(first, requests.size())),
                           requests.end(),
                           [](const sim::RequestRecord& request) { return request.command == CMD_GET_STATUS; });
    }

    // Runs the event loop, with a scan every 50 ms instead of every 3 s,
    // until done holds; false after limit.
    bool RunUntil(const std::function<bool()>& done, std::chrono::seconds limit = 30s) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        auto nextScan = std::chrono::steady_clock::now();
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            if (std::chrono::steady_clock::now() >= nextScan && application.MainFrame() != nullptr) {
                View().OnTimer(CFileView::ID_TIMER_SCAN);
                nextScan += 50ms;
            }
            QTest::qWait(5);
        }
        return true;
    }

    TempDir folder;
    sim::StandInPlotter plotter{sim::StandInOptions{}};
    MessageRecorder messages{platform::MessageAnswer::Yes};
    CTOLVEXR5DServerApp application;
};

TEST_F(ProgramRoad, FilesPrintRepeatAndGoThenACloseAbortsTheJobAndResetsThePlotter) {
    const std::string a = Zigzag(6000, 1), b = Zigzag(9000, 2), c = Zigzag(7500, 3), c2 = Zigzag(7500, 4);
    const std::string d = Zigzag(80000, 5);
    const std::vector<Payloads> expected = {ExpectedPayloads(a), ExpectedPayloads(b), ExpectedPayloads(b),
                                            ExpectedPayloads(c), ExpectedPayloads(c2)};
    for (const Payloads& job : expected) ASSERT_FALSE(job.empty());
    std::string noise(4096, '\0');
    std::mt19937 random(7);
    for (char& byte : noise) byte = static_cast<char>(random());

    ASSERT_TRUE(application.InitInstance());

    // Between the good files, two with nothing to send: held at once, no
    // job of theirs reaches the plotter, and no box waits for a click.
    Drop("a.plt", a);
    Drop("a_empty.plt", "");
    Drop("b.plt", b);
    Drop("b_noise.plt", noise);
    Drop("c.plt", c);
    // The first scan starts a.plt and queues the others; b.plt is to print twice.
    ASSERT_TRUE(RunUntil([&] { return RowOf("c.plt") >= 0; }));
    View().SetSelectionMark(RowOf("b.plt"));
    View().OnAddOne();
    EXPECT_EQ(View().Rows().Text(RowOf("b.plt"), COL_PLOTTING_COUNTER), "2");

    // c.plt is written anew while it prints: it stays and prints again.
    ASSERT_TRUE(RunUntil([&] { return JobsBegun() == 4 && g_jobRunning.load() == 1; }));
    Drop("c.plt", c2);
    ASSERT_TRUE(RunUntil([&] { return View().Rows().Count() == 2 && g_plotterStatus.m_bBusy.load() == 0; }, 60s));
    EXPECT_FALSE(Exists("a.plt"));
    EXPECT_FALSE(Exists("b.plt"));
    EXPECT_FALSE(Exists("c.plt"));
    for (const char* held : {"a_empty.plt", "b_noise.plt"}) {
        EXPECT_TRUE(Exists(held));
        EXPECT_EQ(StateOf(held), View().Texts().notPlot);
    }
    EXPECT_TRUE(messages.shown.empty());

    const auto committed = plotter.Committed();
    std::vector<Payloads> printed(JobsBegun());
    for (const auto& payload : committed) {
        ASSERT_GE(payload.job, 0);
        printed[static_cast<size_t>(payload.job)].push_back(payload.bytes);
    }
    ASSERT_EQ(printed.size(), expected.size());
    for (size_t job = 0; job < expected.size(); ++job) EXPECT_TRUE(printed[job] == expected[job]) << "job " << job;

    // A printed file that cannot be deleted (a work folder the program may
    // not write) prints once and stays, a held row, across later scans.
    Drop("e.plt", a);
    ASSERT_TRUE(AgeFile(Work() + "/e.plt"));
    ASSERT_EQ(chmod(folder.path().c_str(), 0755), 0);
    ASSERT_EQ(chmod(Work().c_str(), 0555), 0);
    {
        const ActingAsNobody other;
        const bool refused = faccessat(AT_FDCWD, Work().c_str(), W_OK, AT_EACCESS) != 0;
        const size_t jobsBefore = JobsBegun();
        testing::internal::CaptureStderr();
        ASSERT_TRUE(RunUntil([&] { return JobsBegun() > jobsBefore && g_plotterStatus.m_bBusy.load() == 0; }));
        int polls = 0;
        ASSERT_TRUE(RunUntil([&] { return ++polls > 100; }));
        const std::string said = testing::internal::GetCapturedStderr();
        if (refused) {
            EXPECT_EQ(JobsBegun(), jobsBefore + 1);
            EXPECT_TRUE(Exists("e.plt"));
            EXPECT_EQ(StateOf("e.plt"), View().Texts().notPlot);
            const std::string line = Work() + "/e.plt cannot be deleted";
            const size_t first = said.find(line);
            EXPECT_NE(first, std::string::npos) << said;
            EXPECT_EQ(said.find(line, first + 1), std::string::npos) << said;
        }
    }
    ASSERT_EQ(chmod(Work().c_str(), 0755), 0);

    // Another job: the window is closed while it prints.
    const size_t jobsBeforeD = JobsBegun();
    Drop("d.plt", d);
    ASSERT_TRUE(RunUntil(
        [&] { return JobsBegun() == jobsBeforeD + 1 && plotter.Jobs().back().committedPackets >= 2; }));
    const size_t requestsBefore = plotter.Requests().size();
    const auto closing = std::chrono::steady_clock::now();
    EXPECT_TRUE(application.MainFrame()->close());
    EXPECT_LT(std::chrono::steady_clock::now() - closing, 5s);
    EXPECT_EQ(messages.Texts().back(), "Task is running. Do you realy want to interrupt the job?");
    EXPECT_EQ(g_pWorkerThread, nullptr);
    EXPECT_TRUE(Exists("d.plt"));
    EXPECT_EQ(StateOf("d.plt"), View().Texts().notPlot);
    const auto requests = plotter.Requests();
    EXPECT_TRUE(std::any_of(requests.begin() + static_cast<std::ptrdiff_t>(requestsBefore), requests.end(),
                            [](const sim::RequestRecord& request) { return request.command == CMD_RESET; }));
    EXPECT_LT(plotter.Jobs().back().committedPackets, static_cast<int>(ExpectedPayloads(d).size()));
    application.ExitInstance();
}

// The job start's preparation shows "Nozzle configuration is incorrect." (the
// head table is refused); the timers and the operator's commands run while it
// is open.
TEST_F(ProgramRoad, AnAbortOrACloseWhileTheJobStartShowsAMessageHoldsTheJob) {
    ASSERT_TRUE(application.InitInstance());
    application.Document()->m_config.JetPrintHeadOpenStatus[0] = 0;
    std::function<void()> whileShown;
    const platform::MessageHandler recorder = platform::SetMessageHandler([&](const platform::MessageRequest& request) {
        if (request.text == "Nozzle configuration is incorrect." && whileShown) std::exchange(whileShown, {})();
        return platform::MessageAnswer::Ok;
    });

    // Abort: the row is held, its file kept, and the worker sends nothing
    // but its pings, then or later.
    Drop("a.plt", Zigzag(6000, 1));
    whileShown = [&] {
        View().SetSelectionMark(RowOf("a.plt"));
        View().OnAbort();
        QTest::qWait(200);
    };
    ASSERT_TRUE(RunUntil([&] { return !whileShown && g_plotterStatus.m_bBusy.load() == 0; }));
    QTest::qWait(200);
    EXPECT_EQ(View().Rows().Row(RowOf("a.plt")),
              (JobRow{View().Texts().notPlot, Work() + "/a.plt", "1", "* * *", ""}));
    EXPECT_TRUE(Exists("a.plt"));
    EXPECT_TRUE(OnlyPingsSince(0));

    // Plotted again, the message answered: it prints.
    View().OnPlot();
    ASSERT_TRUE(RunUntil([&] { return RowOf("a.plt") < 0 && g_plotterStatus.m_bBusy.load() == 0; }));
    EXPECT_EQ(JobsBegun(), 1u);

    // Close: the job list stops, nothing more reaches the plotter.
    Drop("b.plt", Zigzag(6000, 2));
    const size_t requestsBefore = plotter.Requests().size();
    whileShown = [&] { EXPECT_TRUE(application.MainFrame()->close()); };
    ASSERT_TRUE(RunUntil([&] { return !whileShown; }));
    EXPECT_EQ(g_pWorkerThread, nullptr);
    EXPECT_EQ(StateOf("b.plt"), View().Texts().notPlot);
    EXPECT_EQ(g_plotterStatus.m_bBusy.load(), 0);
    EXPECT_TRUE(Exists("b.plt"));
    EXPECT_TRUE(OnlyPingsSince(requestsBefore));
    platform::SetMessageHandler(recorder);
    application.ExitInstance();
}

}  // namespace
