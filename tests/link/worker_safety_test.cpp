#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "link/job_abort.h"
#include "tests/link/worker_fixture.h"

// The worker beside a user-interface thread that serves its calls, starts
// jobs, aborts, reloads and saves settings and stops the worker, as the
// windows do.

namespace {

using namespace std::chrono_literals;

// Longest time a stop may take: the end of the wait it interrupts, the job
// end's calls and one reset, with every pause shortened.
constexpr auto kStopLimit = 1s;

// The payloads the plotter committed for each of its jobs.
std::vector<std::vector<Bytes>> CommittedPerJob(const sim::StandInPlotter& plotter) {
    std::vector<std::vector<Bytes>> perJob(plotter.Jobs().size());
    for (const auto& payload : plotter.Committed())
        if (payload.job >= 0) perJob[static_cast<std::size_t>(payload.job)].push_back(payload.bytes);
    return perJob;
}

class WorkerSafetyTest : public WorkerTest {};

// The job start takes the next job the moment the busy flag falls: nothing of
// the first job's end (its buffers freed, its flags cleared) reaches it.
TEST_F(WorkerSafetyTest, AJobStartedTheMomentBusyFallsRunsWhole) {
    LoadCase("job_two_pass");
    const std::vector<Bytes> expected = EnginePayloads();
    sim::StandInOptions options;
    options.board.passes = 2;
    StartPlotter(std::move(options));
    ASSERT_TRUE(worker_.Start());
    ScanJobs({dir_.File("job.plt"), dir_.File("job.plt")});
    EXPECT_TRUE(jobList_.WaitForFinishes(2, kJobTimeout));
    StopWorker();

    for (const auto& finish : jobList_.Finishes()) {
        EXPECT_TRUE(finish.repeatEnabled);
        EXPECT_EQ(finish.busy, 1);
    }
    EXPECT_EQ(CommittedPerJob(*plotter_), (std::vector<std::vector<Bytes>>(2, expected)));
    EXPECT_EQ(g_plotterStatus.m_bBusy, 0);
}

// An abort given after the hand-over but before the worker takes the job
// counts: the job ends without a job begin, held.
TEST_F(WorkerSafetyTest, AnAbortRightAfterTheHandOverCounts) {
    LoadCase("job_four_pass");
    StartPlotter();
    HandJobToWorker();
    ui_.Call(AbortJob);
    ASSERT_TRUE(worker_.Start());
    EXPECT_TRUE(jobList_.WaitForFinishes(1, kJobTimeout));
    StopWorker();

    ASSERT_EQ(jobList_.Finishes().size(), 1u);
    EXPECT_FALSE(jobList_.Finishes()[0].repeatEnabled);
    EXPECT_TRUE(RequestsOf(CMD_JOB_BEGIN).empty());
    EXPECT_TRUE(plotter_->Committed().empty());
}

// A job prints with the configuration it started with: a reload of
// config.ini with other heads and offsets, and a preview planned with it,
// during the job change none of its packets.
TEST_F(WorkerSafetyTest, AJobPrintsWithTheConfigurationItStartedWith) {
    LoadCase("job_four_pass");
    const std::vector<Bytes> expected = EnginePayloads();
    ASSERT_EQ(expected.size(), 3u);
    sim::StandInOptions options;
    options.onRequest = [this, reloaded = std::make_shared<bool>(false)](const sim::RequestRecord& request) {
        if (request.command != CMD_DATA_COMMIT || std::exchange(*reloaded, true)) return;
        ui_.Call([this] {
            std::string ini = dir_.Read("config.ini");
            ini.replace(ini.find("JetPrintHead=1"), 14, "JetPrintHead=3");
            ini.replace(ini.find("JetPrintHeadValueX1=30"), 22, "JetPrintHeadValueX1=90");
            dir_.Write("config.ini", ini);
            doc_->LoadConfig();
            ASSERT_TRUE(doc_->PreparePlotSlot(SLOT_OUTPUT_PREVIEW));
            EXPECT_EQ(doc_->m_config.FourPass, 0);
        });
    };
    StartPlotter(std::move(options));
    ui_.Call([this] { StartJob(dir_.File("job.plt")); });
    RunWorkerUntilFinishes(1);

    EXPECT_EQ(CommittedBytes(), expected);
    EXPECT_EQ(RequestsOf(CMD_SWATH_COUNT).back().value, 6u);
}

// The configuration lock is never held across a message box: a packet whose
// heads cannot be placed raises a message on the worker, and the
// user-interface thread saves the settings while it shows it.
TEST_F(WorkerSafetyTest, ASaveWhileTheWorkersMessageIsShownDoesNotDeadlock) {
    LoadCase("job_two_pass");
    doc_->m_config.JetPrintHeadOpenStatus[4] = 0;
    sim::StandInOptions options;
    options.board.passes = 2;
    StartPlotter(std::move(options));
    messages_.WhileShown([this] { EXPECT_TRUE(doc_->SaveConfig()); });
    ui_.Call([this] { StartJob(dir_.File("job.plt")); });
    RunWorkerUntilFinishes(1);

    const auto shown = messages_.Shown();
    EXPECT_GE(shown.size(), 2u);
    for (const auto& message : shown) EXPECT_EQ(message.text, "Nozzle configuration is incorrect.");
    EXPECT_NE(dir_.Read("config.ini").find("JetPrintHeadOpenStatus4=0"), std::string::npos);
    EXPECT_TRUE(jobList_.Finishes().at(0).repeatEnabled);
}

// Where the plotter holds the worker when the windows stop it, and when the
// stop may begin.
using PlotterHandle = std::shared_ptr<std::atomic<sim::StandInPlotter*>>;

struct StopPoint {
    const char* name;
    std::function<void(sim::StandInOptions&, const PlotterHandle&)> stall;
    std::function<bool(const sim::StandInView&)> reached;
    bool jobHandedOver = true;
};

bool SilentFor(const sim::StandInView& view, int requests) {
    return std::count_if(view.requests.begin(), view.requests.end(),
                         [](const auto& request) { return request.fate == sim::ReplyFate::Silent; }) >= requests;
}

// Silent from the count-th request of command on.
std::function<void(sim::StandInOptions&, const PlotterHandle&)> SilentAfter(uint32_t command, int count = 1) {
    return [command, count](sim::StandInOptions& options, const PlotterHandle&) {
        options.faults.silentRequests = 1'000'000;
        options.faults.silentAfter = sim::Trigger{command, count};
    };
}

bool SilentAWhile(const sim::StandInView& view) { return SilentFor(view, 3); }

class StopTest : public WorkerSafetyTest, public ::testing::WithParamInterface<StopPoint> {};

// A stop during any wait returns within a few pauses, through the job-end
// sequence (the job held, the plotter reset), without a deadlock.
TEST_P(StopTest, LeavesEveryWaitWithinAFewPausesThroughTheJobEnd) {
    const StopPoint& point = GetParam();
    LoadCase("job_four_pass");
    // Long pauses: a stop must not wait them out.
    g_workerTiming.idlePause = 10s;
    g_workerTiming.mismatchPause = 10s;
    sim::StandInOptions options;
    const auto plotter = std::make_shared<std::atomic<sim::StandInPlotter*>>(nullptr);
    point.stall(options, plotter);
    *plotter = &StartPlotter(std::move(options));
    if (point.jobHandedOver) HandJobToWorker();
    ASSERT_TRUE(worker_.Start());
    ASSERT_TRUE(plotter_->WaitUntil(point.reached, kJobTimeout));
    std::this_thread::sleep_for(3 * kReplyWait);
    const auto stopping = std::chrono::steady_clock::now();
    EXPECT_LT(StopWorker(), kStopLimit);

    if (!point.jobHandedOver) {
        EXPECT_TRUE(jobList_.Finishes().empty());
        return;
    }
    ASSERT_EQ(jobList_.Finishes().size(), 1u);
    EXPECT_FALSE(jobList_.Finishes()[0].repeatEnabled);
    const auto resets = RequestsOf(CMD_RESET);
    EXPECT_TRUE(std::any_of(resets.begin(), resets.end(), [&](const auto& reset) { return reset.time >= stopping; }));
    EXPECT_EQ(g_plotterStatus.m_bBusy, 0);
    EXPECT_EQ(g_jobRunning, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Waits, StopTest,
    ::testing::Values(
        StopPoint{"IdlePause", [](sim::StandInOptions&, const PlotterHandle&) {},
                  [](const sim::StandInView& view) { return !view.requests.empty(); }, false},
        StopPoint{"JobBegin", SilentAfter(CMD_RESET), SilentAWhile},
        StopPoint{"BusyWait",
                  [](sim::StandInOptions& options, const PlotterHandle&) { options.board.busyReplies = 1'000'000; },
                  [](const sim::StandInView& view) { return view.board.RequestsSeen(CMD_GET_STATUS) >= 5; }},
        StopPoint{"Settings", SilentAfter(CMD_SWATH_COUNT), SilentAWhile},
        StopPoint{"PrintStart", SilentAfter(CMD_MOTOR_BUF_R), SilentAWhile},
        StopPoint{"Status", SilentAfter(CMD_PRINT_START), SilentAWhile},
        StopPoint{"Progress", SilentAfter(CMD_GET_PROGRESS), SilentAWhile},
        StopPoint{"Announcement", SilentAfter(CMD_GET_PROGRESS, 2), SilentAWhile},
        StopPoint{"Acknowledgement", SilentAfter(CMD_DATA_LENGTH), SilentAWhile},
        StopPoint{"Checksum",
                  [](sim::StandInOptions& options, const PlotterHandle& plotter) {
                      // Silent once the payload's arrival was reported.
                      options.onRequest = [plotter](const sim::RequestRecord& request) {
                          if (request.command != CMD_GET_STATUS || (request.replyValue & STATUS_DATA_RECEIVED) == 0)
                              return;
                          plotter->load()->Modify([](sim::PlotterModel& board) { board.GoSilent(1'000'000); });
                      };
                  },
                  SilentAWhile},
        StopPoint{"Commit", SilentAfter(CMD_DATA_CHECKSUM), SilentAWhile},
        StopPoint{"MismatchPause",
                  [](sim::StandInOptions& options, const PlotterHandle&) { options.faults.wrongChecksums = 1; },
                  [](const sim::StandInView& view) { return view.board.RequestsSeen(CMD_DATA_CHECKSUM) >= 1; }},
        StopPoint{"JobDone",
                  [](sim::StandInOptions& options, const PlotterHandle&) { options.board.printReplies = 1'000'000; },
                  [](const sim::StandInView& view) { return view.board.Committed().size() >= 3; }}),
    [](const ::testing::TestParamInfo<StopPoint>& info) { return std::string(info.param.name); });

// Where the windows close during a job: the count-th request of command (or,
// with status bits, the first status reply showing them) is answered, then
// the quit flag rises and the job is aborted, as the worker's stop does.
struct QuitPoint {
    const char* name;
    uint32_t command;
    int count = 1;
    uint32_t statusBits = 0;
    // An abort before the plotter's job-done report holds the job; one
    // right at it may come before or after the worker has read the report.
    bool held = true;
};

class QuitTest : public WorkerSafetyTest, public ::testing::WithParamInterface<QuitPoint> {};

// Once the quit flag is set the worker sends nothing of the job but the
// reset: no further setting, no checksum query or commit of the transfer
// under way, no next packet.
TEST_P(QuitTest, SendsNothingOfTheJobButTheReset) {
    const QuitPoint point = GetParam();
    LoadCase("job_four_pass");
    sim::StandInOptions options;
    const auto quitAt = std::make_shared<std::optional<std::chrono::steady_clock::time_point>>();
    options.onRequest = [point, quitAt, seen = std::make_shared<int>(0)](const sim::RequestRecord& request) {
        if (*quitAt || request.command != point.command) return;
        const bool reached = point.statusBits != 0 ? (request.replyValue & point.statusBits) == point.statusBits
                                                   : ++*seen == point.count;
        if (!reached) return;
        *quitAt = request.time;
        g_quitWorker = 1;
        AbortJob();
    };
    StartPlotter(std::move(options));
    HandJobToWorker();
    ASSERT_TRUE(worker_.Start());
    EXPECT_TRUE(jobList_.WaitForFinishes(1, kJobTimeout));
    StopWorker();

    ASSERT_TRUE(*quitAt);
    int resets = 0;
    for (const auto& request : plotter_->Requests()) {
        if (request.time <= **quitAt) continue;
        EXPECT_EQ(request.command, CMD_RESET);
        resets += request.command == CMD_RESET;
    }
    EXPECT_GE(resets, 1);
    ASSERT_EQ(jobList_.Finishes().size(), 1u);
    if (point.held) {
        EXPECT_FALSE(jobList_.Finishes()[0].repeatEnabled);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Requests, QuitTest,
    ::testing::Values(QuitPoint{"ResetBeforeTheJob", CMD_RESET},
                      QuitPoint{"OnlineWait", CMD_GET_STATUS},
                      QuitPoint{"JobBegin", CMD_JOB_BEGIN},
                      QuitPoint{"BusyWait", CMD_GET_STATUS, 2},
                      QuitPoint{"FirstSetting", CMD_SWATH_COUNT},
                      QuitPoint{"MiddleSetting", CMD_FAN_PWM},
                      QuitPoint{"LastSetting", CMD_MOTOR_BUF_R},
                      QuitPoint{"PrintStart", CMD_PRINT_START},
                      QuitPoint{"Progress", CMD_GET_PROGRESS},
                      QuitPoint{"Announcement", CMD_DATA_LENGTH},
                      QuitPoint{"Acknowledgement", CMD_GET_STATUS, 1, STATUS_DATA_RECEIVED},
                      QuitPoint{"Checksum", CMD_DATA_CHECKSUM},
                      QuitPoint{"Commit", CMD_DATA_COMMIT},
                      QuitPoint{"SecondPacket", CMD_DATA_LENGTH, 2},
                      QuitPoint{"JobDone", CMD_GET_STATUS, 1, STATUS_JOB_DONE, false}),
    [](const ::testing::TestParamInfo<QuitPoint>& info) { return std::string(info.param.name); });

// A stop while the transfer's question waits for the user-interface thread
// serves it (answered "Yes": try more) and still leaves at once.
TEST_F(WorkerSafetyTest, AStopWhileTheTransferQuestionIsOpenServesItAndLeaves) {
    LoadCase("job_four_pass");
    sim::StandInOptions options;
    options.faults.cutConnections = 1'000'000;
    StartPlotter(std::move(options));
    messages_.AnswerQuestions(platform::MessageAnswer::Yes);
    HandJobToWorker();
    ASSERT_TRUE(worker_.Start());
    ASSERT_TRUE(plotter_->WaitUntil(
        [](const sim::StandInView& view) { return view.board.RequestsSeen(CMD_DATA_LENGTH) >= 1; }, kJobTimeout));
    // The transfer makes no other call of the user-interface thread: the
    // first one that waits there is the question.
    std::chrono::steady_clock::duration stopping{};
    ui_.Call([&] {
        for (const auto deadline = std::chrono::steady_clock::now() + kJobTimeout;
             !ui_.HasPending() && std::chrono::steady_clock::now() < deadline;)
            std::this_thread::sleep_for(1ms);
        ASSERT_TRUE(ui_.HasPending());
        ASSERT_TRUE(messages_.Shown().empty());
        const auto started = std::chrono::steady_clock::now();
        worker_.Stop([this] { ui_.ServePending(); });
        stopping = std::chrono::steady_clock::now() - started;
    });
    EXPECT_LT(stopping, kStopLimit);
    EXPECT_EQ(messages_.Shown().size(), 1u);
    ASSERT_EQ(jobList_.Finishes().size(), 1u);
    EXPECT_FALSE(jobList_.Finishes()[0].repeatEnabled);
    EXPECT_TRUE(plotter_->Committed().empty());
}

// The reset before a job ends on the quit flag too: the plotter answers
// everything, but the reset only with a status reply.
TEST_F(WorkerSafetyTest, AStopEndsAResetBeforeTheJobThatIsNeverConfirmed) {
    LoadCase("job_four_pass");
    AnsweringPlotter plotter([](const CommandPacket& request, int) -> std::optional<ReplyPacket> {
        return ReplyPacket::For(request.command == CMD_RESET ? CMD_GET_STATUS : request.command, 0, 0);
    });
    HandJobToWorker();
    ASSERT_TRUE(worker_.Start());
    ASSERT_GE(plotter.Requests(5).size(), 5u);
    EXPECT_LT(StopWorker(), kStopLimit);

    ASSERT_EQ(jobList_.Finishes().size(), 1u);
    EXPECT_FALSE(jobList_.Finishes()[0].repeatEnabled);
    const auto requests = plotter.Requests();
    EXPECT_TRUE(std::all_of(requests.begin(), requests.end(), [](const auto& r) { return r.command == CMD_RESET; }));
}

}  // namespace
