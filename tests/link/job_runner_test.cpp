#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "link/job_abort.h"
#include "link/job_runner.h"
#include "tests/link/worker_fixture.h"

namespace {

using namespace std::chrono_literals;
using Sent = std::vector<std::pair<uint32_t, uint32_t>>;

// Enough idle cycles for a second, wrong job end to show.
constexpr auto kIdleCycles = 200ms;

bool IsSetting(uint32_t command) {
    switch (command) {
        case CMD_SWATH_COUNT: case CMD_RIGHT_END: case CMD_LEFT_START: case CMD_Y_STEP: case CMD_STEP_SPEED:
        case CMD_FAN_PWM: case CMD_PRINT_SPEED: case CMD_RASTER_VAL: case CMD_MOTOR_BUF_L: case CMD_MOTOR_BUF_R:
            return true;
        default:
            return false;
    }
}

// The commands in the order sent, a repeated query counted once.
std::vector<uint32_t> Collapsed(const std::vector<sim::RequestRecord>& requests) {
    std::vector<uint32_t> commands;
    for (const auto& request : requests)
        if (commands.empty() || commands.back() != request.command) commands.push_back(request.command);
    return commands;
}

class JobRunnerTest : public WorkerTest {
protected:
    // Stops the worker once the job list heard of one job end and a few idle
    // cycles more passed.
    void RunOneJobEnd() {
        ASSERT_TRUE(worker_.Start());
        EXPECT_TRUE(jobList_.WaitForFinishes(1, kJobTimeout));
        std::this_thread::sleep_for(kIdleCycles);
        StopWorker();
    }

    // The job list's view after exactly one job end: the row updated while
    // the job was still busy, the flags cleared after it.
    void ExpectOneJobEnd(bool repeatEnabled, uint8_t readyWhenFinished = 1) {
        const auto finishes = jobList_.Finishes();
        ASSERT_EQ(finishes.size(), 1u);
        EXPECT_EQ(finishes[0].repeatEnabled, repeatEnabled);
        EXPECT_EQ(finishes[0].busy, 1);
        EXPECT_EQ(finishes[0].jobReady, readyWhenFinished);
        EXPECT_EQ(g_plotterStatus.m_bBusy, 0);
        EXPECT_EQ(g_plotterStatus.m_bJobReady, 0);
        EXPECT_EQ(g_plotterStatus.m_wUpdate & UPDATE_ALL_DATA_SENT, 0);
        EXPECT_EQ(g_jobRunning, 0);
        EXPECT_EQ(jobList_.originEnables, 1);
        EXPECT_EQ(jobList_.redraws, 1);
        EXPECT_EQ(g_statusTexts.Get(STATUS_TEXT_PERCENT), "0%");
        EXPECT_EQ(g_statusTexts.Get(STATUS_TEXT_TASK), "Finished");
        EXPECT_FALSE(doc_->m_raster[SLOT_PRINT].m_pPacket);
    }
};

struct WholeJob {
    const char* name;
    const char* caseName;
    const char* plot;  // empty: the case's own plot file
    int passes;
    int32_t swathCount;
    // The current swath after the last packet.
    int32_t finalSwath;
};

class WholeJobTest : public JobRunnerTest, public ::testing::WithParamInterface<WholeJob> {};

// A job runs from the reset to the plotter's job-done bit: its settings
// arrive in order, then every payload, the test pattern first, byte for byte
// as the engine builds it, and the job ends once as printed.
TEST_P(WholeJobTest, CommitsEveryPayloadAsTheEngineBuildsIt) {
    const WholeJob& job = GetParam();
    LoadCase(job.caseName, job.plot);
    const std::vector<Bytes> expected = EnginePayloads();
    PlotterConfig& config = doc_->m_config;
    config.ENSPEED = 0;
    config.FANPWMSETTING = 2;
    config.FANPWMVALHIGH = 77;
    config.RASTER_VAL = 1234;
    config.MOTOR_BUF_L = 11;
    config.MOTOR_BUF_R = 12;
    sim::StandInOptions options;
    options.board.passes = job.passes;
    StartPlotter(std::move(options));
    doc_->m_bPreviewShowsJob = 1;
    HandJobToWorker();
    const SwathPlan& plan = doc_->m_plan[SLOT_PRINT];
    ASSERT_EQ(plan.m_nSwathCount, job.swathCount);
    RunOneJobEnd();

    EXPECT_EQ(std::ssize(expected), 1 + (job.swathCount + job.passes - 1) / job.passes);
    EXPECT_EQ(CommittedBytes(), expected);
    for (const auto& payload : plotter_->Committed()) EXPECT_EQ(payload.job, 0);
    for (const auto& announcement : RequestsOf(CMD_DATA_LENGTH))
        EXPECT_EQ(announcement.value, 2u * static_cast<uint32_t>(plan.m_nSentWordCount) - 18);
    EXPECT_EQ(plan.m_nCurrentSwath, job.finalSwath);

    Sent settings;
    for (const auto& request : plotter_->Requests())
        if (IsSetting(request.command)) settings.emplace_back(request.command, request.value);
    EXPECT_EQ(settings, (Sent{{CMD_SWATH_COUNT, static_cast<uint32_t>(plan.m_nSwathCount)},
                              {CMD_RIGHT_END, static_cast<uint32_t>(plan.m_nRightEnd)},
                              {CMD_LEFT_START, static_cast<uint32_t>(plan.m_nLeftMargin)},
                              {CMD_Y_STEP, static_cast<uint32_t>(plan.m_nYStep)},
                              {CMD_STEP_SPEED, static_cast<uint32_t>(plan.m_nStepSpeed)},
                              {CMD_FAN_PWM, 77},
                              {CMD_RASTER_VAL, 1234},
                              {CMD_MOTOR_BUF_L, 11},
                              {CMD_MOTOR_BUF_R, 12}}));

    // Reset, online ping, job begin, busy wait, settings, print start, then
    // the first cycle: status, progress, progress again, the test pattern.
    const std::vector<uint32_t> commands = Collapsed(plotter_->Requests());
    const auto reset = std::find(commands.begin(), commands.end(), CMD_RESET);
    ASSERT_GE(std::distance(reset, commands.end()), 20);
    EXPECT_EQ(std::vector<uint32_t>(reset, reset + 20),
              (std::vector<uint32_t>{0, 12, 5, 12, 4, 1, 2, 7, 20, 13, 16, 17, 18, 14, 12, 3, 9, 12, 10, 11}));
    EXPECT_EQ(Runs(CMD_RESET), 2);
    EXPECT_EQ(Runs(CMD_JOB_BEGIN), 1);

    ExpectOneJobEnd(true);
    EXPECT_EQ(jobList_.previewInvalidations, std::ssize(expected));
    EXPECT_GE(jobList_.progressShown, std::ssize(expected));
    EXPECT_EQ(jobList_.framePaints, 1);
    EXPECT_EQ(g_statusTexts.Get(STATUS_TEXT_RUNSTATE), "Print");
    EXPECT_EQ(doc_->m_config.RawData, 1);
    EXPECT_EQ(doc_->m_bPreviewShowsJob.load(), 0);
    EXPECT_TRUE(messages_.Shown().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Jobs, WholeJobTest,
    ::testing::Values(WholeJob{"FourPass", "job_four_pass", "", 4, 6, 8},
                      WholeJob{"TwoPass", "job_two_pass", "", 2, 5, 6},
                      // The test pattern, then one packet of swaths 0 to 3.
                      WholeJob{"ThreeSwathsInFourPassMode", "job_four_pass",
                               "IN;PU0,600;PD4,600;PU900,1200;PD904,1200;", 4, 3, 4}),
    [](const ::testing::TestParamInfo<WholeJob>& info) { return std::string(info.param.name); });

TEST_F(JobRunnerTest, AJointCorrectionSetDuringTheJobReachesTheNextPacket) {
    LoadCase("job_four_pass");
    const int32_t corrected = doc_->m_config.EdLRCrcValue + 5;
    const std::vector<Bytes> before = EnginePayloads();
    const std::vector<Bytes> after = EnginePayloads([&](PlotterConfig& config) { config.EdLRCrcValue = corrected; });
    ASSERT_EQ(before.size(), 3u);
    ASSERT_NE(before[1], after[1]);
    // Set as the settings dialog sets it, once the test pattern is committed.
    sim::StandInOptions options;
    options.onRequest = [doc = doc_.get(), corrected, set = std::make_shared<std::atomic<bool>>(false)](
                            const sim::RequestRecord& request) {
        if (request.command != CMD_DATA_COMMIT || set->exchange(true)) return;
        std::lock_guard lock(doc->m_configLock);
        doc->m_config.EdLRCrcValue = corrected;
    };
    StartPlotter(std::move(options));
    HandJobToWorker();
    RunOneJobEnd();
    EXPECT_EQ(CommittedBytes(), (std::vector<Bytes>{before[0], after[1], after[2]}));
}

TEST_F(JobRunnerTest, AJobSurvivesLostAndLateRepliesAndSpoiledPayloads) {
    LoadCase("job_two_pass");
    const std::vector<Bytes> expected = EnginePayloads();
    sim::StandInOptions options;
    options.board.passes = 2;
    options.faults.seed = 20261207;
    options.faults.dropOdds = 0.1;
    options.faults.lateOdds = 0.1;
    options.faults.lateDelay = 2 * kReplyWait + 10ms;
    // The test pattern's first connection is cut; a later packet's first
    // checksum is wrong.
    options.faults.cutConnections = 1;
    const auto plotter = std::make_shared<std::atomic<sim::StandInPlotter*>>(nullptr);
    options.onRequest = [plotter, commits = std::make_shared<int>(0)](const sim::RequestRecord& request) {
        if (request.command == CMD_DATA_COMMIT && ++*commits == 2)
            plotter->load()->Modify([](sim::PlotterModel& board) { board.FailChecksums(1); });
    };
    *plotter = &StartPlotter(std::move(options));
    HandJobToWorker();
    RunOneJobEnd();

    EXPECT_EQ(CommittedBytes(), expected);
    ExpectOneJobEnd(true);
    int dropped = 0;
    int late = 0;
    for (const auto& request : plotter_->Requests()) {
        dropped += request.fate == sim::ReplyFate::Dropped;
        late += request.fate == sim::ReplyFate::SentLate;
    }
    EXPECT_GT(dropped, 5);
    EXPECT_GT(late, 5);
    EXPECT_GT(Runs(CMD_DATA_LENGTH), std::ssize(expected));
    EXPECT_TRUE(messages_.Shown().empty());
}

struct JobEnd {
    const char* name;
    std::optional<sim::Trigger> stopAfter;
    std::optional<sim::Trigger> abortAfter;
    int jobBegins;
    int printStarts;
    int announcements;
    // The print slot's packet buffers are missing (no memory for them at
    // the hand-over): not even the test pattern can be built.
    bool noPacketBuffers = false;
};

class JobEndTest : public JobRunnerTest, public ::testing::WithParamInterface<JobEnd> {};

// The plotter's stop bit, the operator's abort and a packet that cannot be
// built end the job at every wait, once, with the row held; the reset before
// the job and the one of the job end are the only resets.
TEST_P(JobEndTest, EndsTheJobOnceWithItsRowHeld) {
    const JobEnd& end = GetParam();
    LoadCase("job_four_pass");
    sim::StandInOptions options;
    options.faults.stopAfter = end.stopAfter;
    if (end.abortAfter) {
        options.onRequest = [trigger = *end.abortAfter, seen = std::make_shared<int>(0)](
                                const sim::RequestRecord& request) {
            if (request.command == trigger.command && ++*seen == trigger.count) AbortJob();
        };
    }
    StartPlotter(std::move(options));
    HandJobToWorker();
    if (end.noPacketBuffers) ui_.Call([this] { doc_->m_raster[SLOT_PRINT].FreeBuffers(); });
    RunOneJobEnd();

    ExpectOneJobEnd(false);
    EXPECT_EQ(Runs(CMD_RESET), 2);
    EXPECT_EQ(Runs(CMD_JOB_BEGIN), end.jobBegins);
    EXPECT_EQ(Runs(CMD_PRINT_START), end.printStarts);
    EXPECT_EQ(Runs(CMD_DATA_LENGTH), end.announcements);
    EXPECT_EQ(std::ssize(plotter_->Committed()), end.announcements);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, JobEndTest,
    ::testing::Values(JobEnd{"StopInTheBusyWait", sim::Trigger{CMD_JOB_BEGIN, 1}, std::nullopt, 1, 0, 0},
                      JobEnd{"StopDuringTheSettings", sim::Trigger{CMD_SWATH_COUNT, 1}, std::nullopt, 1, 1, 0},
                      JobEnd{"StopInStageTwo", sim::Trigger{CMD_DATA_COMMIT, 1}, std::nullopt, 1, 1, 1},
                      JobEnd{"AbortWhileWaitingOnline", std::nullopt, sim::Trigger{CMD_RESET, 1}, 0, 0, 0},
                      JobEnd{"AbortInStageOne", std::nullopt, sim::Trigger{CMD_SWATH_COUNT, 1}, 1, 0, 0},
                      JobEnd{"AbortInStageTwo", std::nullopt, sim::Trigger{CMD_DATA_COMMIT, 1}, 1, 1, 1},
                      JobEnd{"APacketThatCannotBeBuilt", std::nullopt, std::nullopt, 1, 1, 0, true}),
    [](const ::testing::TestParamInfo<JobEnd>& info) { return std::string(info.param.name); });

class NothingToSendTest : public JobRunnerTest, public ::testing::WithParamInterface<const char*> {};

// A job whose drawing has nothing to send never reaches the plotter: it ends
// held at once, and the job end's reset is all the plotter sees of it (the
// idle worker's pings follow).
TEST_P(NothingToSendTest, EndsHeldWithOnlyTheJobEndsReset) {
    LoadCase("job_four_pass");
    dir_.Write("job.plt", GetParam());
    StartPlotter();
    HandJobToWorker();
    EXPECT_FALSE(doc_->m_plan[SLOT_PRINT].HasPrintData());
    RunOneJobEnd();

    ExpectOneJobEnd(false);
    const auto requests = plotter_->Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests[0].command, CMD_RESET);
    for (auto request = requests.begin() + 1; request != requests.end(); ++request)
        EXPECT_TRUE(request->command == CMD_GET_STATUS && request->value == kPingValue) << request->command;
}

INSTANTIATE_TEST_SUITE_P(Plots, NothingToSendTest, ::testing::Values("", "IN;PU100,100;PU2000,3000;"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(*info.param == '\0' ? "EmptyFile" : "PenMovesOnly");
                         });

class JobDoneEndTest : public JobRunnerTest, public ::testing::WithParamInterface<bool> {};

// Once every packet is committed and the plotter has reported the job done,
// an abort, or the window closed, during the job end's reset (the row still
// reads "Plotting") leaves the job printed.
TEST_P(JobDoneEndTest, AnAbortDuringTheResetLeavesTheJobPrinted) {
    const bool closing = GetParam();
    LoadCase("job_four_pass");
    const std::vector<Bytes> expected = EnginePayloads();
    // The request after each job-done status goes unanswered, so the job
    // end's first reset is missed; the abort comes with it.
    sim::StandInOptions options;
    const auto plotter = std::make_shared<std::atomic<sim::StandInPlotter*>>(nullptr);
    options.onRequest = [this, closing, plotter, aborted = std::make_shared<bool>(false)](
                            const sim::RequestRecord& request) {
        if (request.command == CMD_GET_STATUS && (request.replyValue & STATUS_JOB_DONE) != 0)
            plotter->load()->Modify([](sim::PlotterModel& board) { board.GoSilent(1); });
        if (request.command != CMD_RESET || request.fate != sim::ReplyFate::Silent || std::exchange(*aborted, true))
            return;
        // As the main frame's Close and the worker's stop: the quit flag, then
        // the abort.
        ui_.Call([closing] {
            if (closing) g_quitWorker = 1;
            AbortJob();
        });
    };
    *plotter = &StartPlotter(std::move(options));
    HandJobToWorker();
    RunOneJobEnd();

    EXPECT_EQ(CommittedBytes(), expected);
    const auto resets = RequestsOf(CMD_RESET);
    ASSERT_FALSE(resets.empty());
    // A worker that is to quit does not try the reset again.
    EXPECT_EQ(resets.back().fate, closing ? sim::ReplyFate::Silent : sim::ReplyFate::Sent);
    ExpectOneJobEnd(true);
}

INSTANTIATE_TEST_SUITE_P(Ends, JobDoneEndTest, ::testing::Bool(), [](const ::testing::TestParamInfo<bool>& info) {
    return std::string(info.param ? "WindowClosed" : "Abort");
});

TEST_F(JobRunnerTest, APlotterOfflineAtTheResetEndsTheJobUnrunAndHeld) {
    LoadCase("job_four_pass");
    PrepareJob();
    // The job starts while the idle worker waits for a ping's reply; from
    // then on the plotter answers nothing.
    sim::StandInOptions options;
    const auto plotter = std::make_shared<std::atomic<sim::StandInPlotter*>>(nullptr);
    options.onRequest = [this, plotter, done = std::make_shared<bool>(false)](const sim::RequestRecord& request) {
        if (request.command != CMD_GET_STATUS || request.value != kPingValue || std::exchange(*done, true)) return;
        plotter->load()->Modify(
            [](sim::PlotterModel& board) { board.GoSilentUntil(sim::PlotterModel::Clock::now() + 1h); });
        ui_.Call([] {
            g_plotterStatus.m_bBusy = 1;
            HandOverJob();
        });
    };
    *plotter = &StartPlotter(std::move(options));
    RunOneJobEnd();

    ExpectOneJobEnd(false);
    // Two tries before the job, then the job end's six.
    EXPECT_EQ(RequestsOf(CMD_RESET).size(), 8u);
    EXPECT_TRUE(RequestsOf(CMD_JOB_BEGIN).empty());
    EXPECT_EQ(g_plotterStatus.m_bOnline, 0);
}

struct IdleEnd {
    const char* name;
    bool handOver;  // a job is handed over during the first ping
    bool abort;     // and aborted at once
    bool endRequest;  // the first ping's reply carries the end request
};

class IdleEndTest : public JobRunnerTest, public ::testing::WithParamInterface<IdleEnd> {};

// The idle worker sees an abort or the plotter's end request. A job handed
// over but not yet taken ends unsent and held, so its file is kept; without
// one the plotter is reset and nothing of the job list is touched, since a
// job start may be under way on the user-interface thread.
TEST_P(IdleEndTest, AJobHandedOverButNotTakenEndsUnsentAndHeld) {
    const IdleEnd& end = GetParam();
    LoadCase("job_four_pass");
    PrepareJob();
    g_plotterStatus.m_bBusy = 1;
    auto pings = std::make_shared<std::atomic<int>>(0);
    AnsweringPlotter plotter([&, pings](const CommandPacket& request, int) -> std::optional<ReplyPacket> {
        if (request.command != CMD_GET_STATUS || request.value != kPingValue) return AnsweringPlotter::Echo(request, 0);
        if (pings->fetch_add(1) != 0) return ReplyPacket::For(CMD_GET_STATUS, 0, 0);
        ui_.Call([&] {
            if (end.handOver) HandOverJob();
            if (end.abort) AbortJob();
        });
        return ReplyPacket::For(CMD_GET_STATUS, end.endRequest ? STATUS_END_REQUEST : 0, 0);
    });
    ASSERT_TRUE(worker_.Start());
    if (end.handOver) {
        EXPECT_TRUE(jobList_.WaitForFinishes(1, kJobTimeout));
    }
    const auto enough = [&] {
        int resets = 0;
        for (const auto& request : plotter.Requests()) resets += request.command == CMD_RESET;
        return *pings >= 3 && resets >= 1;
    };
    for (auto deadline = std::chrono::steady_clock::now() + kJobTimeout;
         !enough() && std::chrono::steady_clock::now() < deadline;)
        std::this_thread::sleep_for(kIdleCycles / 10);
    StopWorker();

    std::vector<uint32_t> commands;
    for (const auto& request : plotter.Requests()) commands.push_back(request.command);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), CMD_RESET), 1);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), CMD_JOB_BEGIN), 0);
    EXPECT_EQ(g_statusTexts.Get(STATUS_TEXT_TASK), "Finished");
    if (end.handOver) {
        ExpectOneJobEnd(false);
    } else {
        EXPECT_TRUE(jobList_.Finishes().empty());
        EXPECT_EQ(g_plotterStatus.m_bBusy, 1);
        EXPECT_EQ(jobList_.originEnables, 0);
        EXPECT_TRUE(doc_->m_raster[SLOT_PRINT].m_pPacket);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Ends, IdleEndTest,
    ::testing::Values(IdleEnd{"EndRequestWithAJobHandedOver", true, false, true},
                      IdleEnd{"AbortWithAJobHandedOver", true, true, false},
                      IdleEnd{"EndRequestWhileAJobStartIsUnderWay", false, false, true}),
    [](const ::testing::TestParamInfo<IdleEnd>& info) { return std::string(info.param.name); });

// Status words 0x0300 hold the packet of a cycle; 0x0100 alone does not.
TEST_F(JobRunnerTest, OnlyBothHoldBitsHoldThePacketOfACycle) {
    LoadCase("job_four_pass");
    struct Case {
        uint32_t word;
        int replies;
        std::vector<uint32_t> expected;
    };
    const Case cases[] = {
        {STATUS_HOLD, 3, {12, 3, 12, 3, 12, 3, 12, 3, 3, 9}},
        {0x0100, 1000, {12, 3, 3, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        PrepareJob();
        g_quitWorker = 0;
        g_abortJob = 0;
        g_firstTransfer = 1;
        auto printing = std::make_shared<std::atomic<bool>>(false);
        auto holdsLeft = std::make_shared<std::atomic<int>>(c.replies);
        // Once the first packet is announced the operator aborts.
        AnsweringPlotter plotter([c, printing, holdsLeft](const CommandPacket& request, int) {
            if (request.command == CMD_PRINT_START) *printing = true;
            if (request.command == CMD_DATA_LENGTH) g_abortJob = 1;
            if (request.command != CMD_GET_STATUS) return AnsweringPlotter::Echo(request, 0);
            const bool held = *printing && holdsLeft->fetch_sub(1) > 0;
            return std::optional(ReplyPacket::For(CMD_GET_STATUS, held ? c.word : 0, 0));
        });
        UiJobList jobList(ui_);
        g_pJobListLink = &jobList;
        g_plotterStatus.m_bBusy = 1;
        HandOverJob();
        WorkerThread worker;
        ASSERT_TRUE(worker.Start());
        EXPECT_TRUE(jobList.WaitForFinishes(1, kJobTimeout));
        ui_.Call([&] { worker.Stop([&] { ui_.ServePending(); }); });
        g_pJobListLink = &jobList_;

        std::vector<uint32_t> commands;
        for (const auto& request : plotter.Requests()) commands.push_back(request.command);
        const auto start = std::find(commands.begin(), commands.end(), CMD_PRINT_START);
        const auto announcement = std::find(start, commands.end(), CMD_DATA_LENGTH);
        ASSERT_NE(announcement, commands.end());
        EXPECT_EQ(std::vector<uint32_t>(start + 1, announcement + 1), c.expected);
    }
}

}  // namespace
