#include <algorithm>
#include <chrono>
#include <cstddef>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "link/job_abort.h"
#include "tests/link/worker_fixture.h"

namespace {

using namespace std::chrono_literals;

constexpr std::size_t kJobs = 50;
constexpr std::chrono::milliseconds kLongRunReplyWait{4};
// Every seventh job is aborted.
constexpr std::size_t kAbortedJob = 7;
// The latest moment after its start at which a job is aborted; about the
// time a job of the test takes.
constexpr auto kLatestAbort = 600ms;
// Longest time one job may take before the queue counts as stalled.
constexpr auto kJobLimit = 30s;

// What the user-interface thread knows of one started job.
struct StartedJob {
    std::size_t file = 0;
    // The stand-in's jobs at the hand-over: the index this job gets there
    // once it begins.
    std::size_t plotterJob = 0;
    // The stand-in's requests at the hand-over: this job's come after them.
    std::size_t firstRequest = 0;
    std::chrono::steady_clock::time_point abortAt{};
    bool abortPlanned = false;
    bool abortGiven = false;
    // The abort held the job: the repeat flag was down once it returned.
    // Only the user-interface thread raises the flag, so a flag still up
    // shows that the worker had settled the outcome first.
    bool abortCounted = false;
    // At the abort, the stand-in had already sent a status reply with the
    // job-done bit during this job.
    bool doneReportedBeforeAbort = false;
};

bool ReportsJobDone(const sim::RequestRecord& request) {
    return request.command == CMD_GET_STATUS && (request.replyValue & STATUS_JOB_DONE) != 0 &&
           (request.fate == sim::ReplyFate::Sent || request.fate == sim::ReplyFate::SentLate);
}

class LongRunTest : public WorkerTest {};

// Fifty jobs in a row against a plotter that loses and delays a tenth of its
// replies each and cuts every fifth data connection; the user-interface
// thread starts each next job the moment the busy flag falls and aborts every
// seventh job at a random moment. Every job not aborted commits every payload
// intact; an abort that comes before the plotter's job-done report is read
// holds its job with what it committed intact, a later one changes nothing;
// the queue never stalls, and the stop at the end returns within a few
// pauses.
TEST_F(LongRunTest, FiftyJobsInARowWithLostRepliesCutConnectionsAndAborts) {
    // A shorter reply wait than the other tests: fifty jobs take most of
    // their time waiting for replies.
    g_channelTiming.replyWait = kLongRunReplyWait;
    LoadCase("job_two_pass");
    dir_.Write("other.plt", "IN;PU0,0;PD900,300;PU40,1500;PD1400,1500;PU700,2600;PD20,3900;");
    const std::vector<std::vector<Bytes>> expected = {EnginePayloads(), EnginePayloads({}, "other.plt")};
    const std::vector<std::string> plots = {dir_.File("job.plt"), dir_.File("other.plt")};
    ASSERT_NE(expected[0], expected[1]);

    sim::StandInOptions options;
    options.board.passes = 2;
    options.faults.seed = 20261208;
    options.faults.dropOdds = 0.1;
    options.faults.lateOdds = 0.1;
    options.faults.lateDelay = 2 * kLongRunReplyWait + 10ms;
    const auto plotter = std::make_shared<std::atomic<sim::StandInPlotter*>>(nullptr);
    options.onRequest = [plotter, announcements = std::make_shared<int>(0)](const sim::RequestRecord& request) {
        if (request.command == CMD_DATA_LENGTH && ++*announcements % 5 == 0)
            plotter->load()->Modify([](sim::PlotterModel& board) { board.CutConnections(1); });
    };
    *plotter = &StartPlotter(std::move(options));

    // Touched only on the user-interface thread until the worker is stopped.
    std::vector<StartedJob> started;
    bool stalled = false;
    std::chrono::steady_clock::time_point startTime;
    std::mt19937 random(11);
    std::vector<std::string> files;
    for (std::size_t i = 0; i < kJobs; ++i) files.push_back(plots[i % plots.size()]);
    ASSERT_TRUE(worker_.Start());
    ScanJobs(
        files,
        [&](std::size_t i) {
            StartedJob job{i % plots.size(), plotter_->Jobs().size(), plotter_->Requests().size()};
            job.abortPlanned = i % kAbortedJob == kAbortedJob - 1;
            startTime = std::chrono::steady_clock::now();
            job.abortAt = startTime + std::uniform_int_distribution<int>(0, kLatestAbort.count())(random) * 1ms;
            started.push_back(job);
        },
        [&] {
            if (started.empty() || g_plotterStatus.m_bBusy.load() == 0) return;
            StartedJob& job = started.back();
            const auto now = std::chrono::steady_clock::now();
            stalled = stalled || now - startTime > kJobLimit;
            if (!job.abortPlanned || now < job.abortAt) return;
            job.abortPlanned = false;
            job.abortGiven = true;
            AbortJob();
            job.abortCounted = !jobList_.m_bRepeatEnabled.load();
            if (job.abortCounted) return;
            const auto requests = plotter_->Requests();
            job.doneReportedBeforeAbort = std::any_of(
                requests.begin() + static_cast<std::ptrdiff_t>(job.firstRequest), requests.end(), ReportsJobDone);
        });
    EXPECT_TRUE(jobList_.WaitForFinishes(kJobs, kJobs * kJobLimit));
    ui_.SetIdleTask({});
    EXPECT_LT(StopWorker(), 1s);

    EXPECT_FALSE(stalled);
    ASSERT_EQ(started.size(), kJobs);
    const auto finishes = jobList_.Finishes();
    ASSERT_EQ(finishes.size(), kJobs);
    const auto plotterJobs = plotter_->Jobs().size();
    std::vector<std::vector<Bytes>> committed(plotterJobs);
    for (const auto& payload : plotter_->Committed()) {
        ASSERT_GE(payload.job, 0);
        committed[static_cast<std::size_t>(payload.job)].push_back(payload.bytes);
    }
    int aborted = 0;
    int offline = 0;
    for (std::size_t i = 0; i < kJobs; ++i) {
        SCOPED_TRACE(i);
        const StartedJob& job = started[i];
        const std::size_t nextJob = i + 1 < kJobs ? started[i + 1].plotterJob : plotterJobs;
        const std::vector<Bytes> sent = nextJob > job.plotterJob ? committed[job.plotterJob] : std::vector<Bytes>{};
        const std::vector<Bytes>& whole = expected[job.file];
        if (job.abortCounted) {
            EXPECT_FALSE(finishes[i].repeatEnabled);
            ++aborted;
            ASSERT_LE(sent.size(), whole.size());
            EXPECT_TRUE(std::equal(sent.begin(), sent.end(), whole.begin()));
        } else if (!job.abortGiven && !finishes[i].repeatEnabled) {
            // Found offline at the reset before it (two replies missed in a
            // row): held, never begun.
            ++offline;
            EXPECT_TRUE(sent.empty());
            EXPECT_EQ(nextJob, job.plotterJob);
        } else {
            // Printed; an abort that came too late changed nothing.
            EXPECT_TRUE(!job.abortGiven || job.doneReportedBeforeAbort);
            EXPECT_TRUE(finishes[i].repeatEnabled);
            EXPECT_TRUE(sent == whole) << sent.size() << " payloads";
        }
    }
    EXPECT_GE(aborted, 3);
    EXPECT_LE(offline, 5);
    // The cut connections were announced again.
    EXPECT_GT(std::ssize(RequestsOf(CMD_DATA_LENGTH)), std::ssize(plotter_->Committed()));
}

}  // namespace
