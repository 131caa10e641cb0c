#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "core/document.h"
#include "core/plotter_status.h"
#include "core/status_texts.h"
#include "engine/swath_packet.h"
#include "link/command_channel.h"
#include "link/job_flags.h"
#include "link/job_hand_over.h"
#include "link/job_list_link.h"
#include "link/worker_thread.h"
#include "link/worker_waits.h"
#include "platform/message_box.h"
#include "platform/string_table.h"
#include "sim/stand_in_plotter.h"
#include "tests/link/fake_plotter.h"
#include "tests/link/ui_thread.h"
#include "tests/support/job_payloads.h"
#include "tests/support/temp_dir.h"

using Bytes = std::vector<uint8_t>;

// The job list as the windows make it: every call of the worker is carried
// out on the user-interface thread while the worker waits. It counts the
// calls, keeps the state it finds at every job end and, like the job list,
// enables repeats again after a held job.
class UiJobList : public JobListLink {
public:
    struct Finish {
        bool repeatEnabled;
        uint8_t busy;
        uint8_t jobReady;
    };

    explicit UiJobList(UiThread& ui) : ui_(ui) {}

    void OnJobFinished() override {
        ui_.Call([this] {
            {
                std::lock_guard lock(mutex_);
                finishes_.push_back({m_bRepeatEnabled.load(), g_plotterStatus.m_bBusy.load(),
                                     g_plotterStatus.m_bJobReady.load()});
            }
            m_bRepeatEnabled = true;
            changed_.notify_all();
        });
    }
    // Reads the print plan's progress as the progress bar does.
    void ShowProgress() override {
        ui_.Call([this] {
            ++progressShown;
            if (g_pDocument == nullptr) return;
            const SwathPlan& plan = g_pDocument->m_plan[SLOT_PRINT];
            const int32_t count = plan.m_nSwathCount;
            lastPercent = count > 0 ? static_cast<int>(int64_t{plan.m_nSwathsPrinted} * 100 / count) : 0;
        });
    }
    void PaintMainFrame() override {
        ui_.Call([this] { ++framePaints; });
    }
    void InvalidatePreview() override {
        ui_.Call([this] { ++previewInvalidations; });
    }
    void RedrawPreviewAndStatusBar() override {
        ui_.Call([this] { ++redraws; });
    }
    void EnableOriginEdit() override {
        ui_.Call([this] { ++originEnables; });
    }

    // Waits until count job ends were reported; false after timeout.
    bool WaitForFinishes(std::size_t count, std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return finishes_.size() >= count; });
    }
    std::vector<Finish> Finishes() const {
        std::lock_guard lock(mutex_);
        return finishes_;
    }

    std::atomic<int> progressShown{0};
    std::atomic<int> lastPercent{0};  // of the last progress shown
    std::atomic<int> framePaints{0};
    std::atomic<int> previewInvalidations{0};
    std::atomic<int> redraws{0};
    std::atomic<int> originEnables{0};

private:
    UiThread& ui_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Finish> finishes_;
};

// Message boxes as the windows show them: raised on any thread, shown on the
// user-interface thread while the raising thread waits for the answer. OK
// boxes are answered OK, questions as Answer() says (No unless set).
class UiMessageBoxes {
public:
    explicit UiMessageBoxes(UiThread& ui)
        : previous_(platform::SetMessageHandler([this, &ui](const platform::MessageRequest& request) {
              platform::MessageAnswer answer = platform::MessageAnswer::Ok;
              ui.Call([&] {
                  std::function<void()> whileShown;
                  {
                      std::lock_guard lock(mutex_);
                      shown_.push_back(request);
                      if (request.buttons == platform::MessageButtons::YesNo) answer = questionAnswer_;
                      whileShown = whileShown_;
                  }
                  if (whileShown) whileShown();
              });
              return answer;
          })) {}
    ~UiMessageBoxes() { platform::SetMessageHandler(previous_); }
    UiMessageBoxes(const UiMessageBoxes&) = delete;
    UiMessageBoxes& operator=(const UiMessageBoxes&) = delete;

    void AnswerQuestions(platform::MessageAnswer answer) {
        std::lock_guard lock(mutex_);
        questionAnswer_ = answer;
    }
    // Runs on the user-interface thread while each box is shown.
    void WhileShown(std::function<void()> action) {
        std::lock_guard lock(mutex_);
        whileShown_ = std::move(action);
    }
    std::vector<platform::MessageRequest> Shown() const {
        std::lock_guard lock(mutex_);
        return shown_;
    }

private:
    mutable std::mutex mutex_;
    std::vector<platform::MessageRequest> shown_;
    platform::MessageAnswer questionAnswer_ = platform::MessageAnswer::No;
    std::function<void()> whileShown_;
    platform::MessageHandler previous_;
};

// Sets the abort flag if it is still alive after timeout, so that a
// transfer that never ends on its own fails its test instead of hanging it.
class AbortWatchdog {
public:
    explicit AbortWatchdog(std::chrono::milliseconds timeout = std::chrono::seconds(30))
        : thread_([this, timeout] {
              std::unique_lock lock(mutex_);
              if (!cancelled_.wait_for(lock, timeout, [this] { return cancel_; })) g_abortJob = 1;
          }) {}
    ~AbortWatchdog() {
        {
            std::lock_guard lock(mutex_);
            cancel_ = true;
        }
        cancelled_.notify_all();
        thread_.join();
    }
    AbortWatchdog(const AbortWatchdog&) = delete;
    AbortWatchdog& operator=(const AbortWatchdog&) = delete;

private:
    std::mutex mutex_;
    std::condition_variable cancelled_;
    bool cancel_ = false;
    std::thread thread_;
};

// The worker's world for one test: a document of a test case whose plotter
// is 127.0.0.1, a thread that plays the user-interface thread with the job
// list and the message boxes on it, fresh flags, the shared command socket
// and every pause shortened (in the same order of length). Only ever run
// inside a private network namespace.
class WorkerTest : public ::testing::Test {
protected:
    static constexpr std::chrono::milliseconds kReplyWait{15};
    static constexpr std::chrono::seconds kJobTimeout{60};

    static void SetUpTestSuite() {
        if (g_commandSocket < 0) OpenCommandSocket();
        platform::SetUiLanguage(platform::UiLanguage::English);
        g_plotterStatus.LoadPositionFormat();
    }

    void SetUp() override {
        using std::chrono::milliseconds;
        g_channelTiming = {kReplyWait, milliseconds(3)};
        g_workerTiming = {.statusPause = milliseconds(3),
                          .resetPause = milliseconds(5),
                          .startPause = milliseconds(10),
                          .idlePause = milliseconds(40),
                          .settlePause = milliseconds(1),
                          .transferPause = milliseconds(5),
                          .mismatchPause = milliseconds(50),
                          .connectTimeout = milliseconds(300),
                          .sendTimeout = milliseconds(2000)};
        g_statusTexts.Init();
        g_quitWorker = 0;
        g_abortJob = 0;
        g_jobRunning = 0;
        g_firstTransfer = 1;
        g_forceEnd = 0;
        g_missCount = 0;
        g_plotterStatus.m_bOnline = 0;
        g_plotterStatus.m_bBusy = 0;
        g_plotterStatus.m_bJobReady = 0;
        g_plotterStatus.SetLastReply(0, 0);
        g_plotterStatus.m_nStatusWord = 0;
        g_plotterStatus.m_wUpdate = 0;
        SetBroadcast(0);
        DrainCommandSocket();
        g_pJobListLink = &jobList_;
    }

    void TearDown() override {
        ui_.SetIdleTask({});
        StopWorker();
        if (plotter_) plotter_->Stop();
        g_pJobListLink = nullptr;
        g_pDocument = nullptr;
        g_abortJob = 0;
        g_quitWorker = 0;
    }

    static std::string CaseFile(const std::string& caseName, const std::string& name) {
        return std::string(TOLVEX_SOURCE_DIR) + "/tests/data/" + caseName + "/" + name;
    }

    // A fresh document with the case's config.ini and plot file (or plot,
    // when given), published as the document; the plotter address is
    // loopback in the file and in the record.
    void LoadCase(const std::string& caseName, const std::string& plot = "") {
        std::ifstream ini(CaseFile(caseName, "config.ini"));
        dir_.Write("config.ini", std::string(std::istreambuf_iterator<char>(ini), {}) + "\n[NET]\nIP_ADDR=127.0.0.1\n");
        if (plot.empty()) {
            std::ifstream plt(CaseFile(caseName, "job.plt"));
            dir_.Write("job.plt", std::string(std::istreambuf_iterator<char>(plt), {}));
        } else {
            dir_.Write("job.plt", plot);
        }
        doc_ = std::make_unique<CTOLVEXR5DServerDoc>(dir_.path());
        doc_->m_config.IP_ADDR = "127.0.0.1";
        doc_->m_strSlotPath[SLOT_PRINT] = dir_.File("job.plt");
        g_pDocument = doc_.get();
    }

    // Prepares the print slot as the job start does, without handing it on.
    void PrepareJob() {
        ASSERT_TRUE(doc_->PreparePlotSlot(SLOT_PRINT));
        ASSERT_TRUE(doc_->PrepareSwathBuffers());
    }

    // Prepares the print slot and hands the job to the worker, on the
    // user-interface thread, as the job start does.
    void HandJobToWorker() {
        bool prepared = false;
        ui_.Call([&] {
            prepared = doc_->PreparePlotSlot(SLOT_PRINT);
            if (!prepared) return;
            g_plotterStatus.m_bBusy = 1;
            HandOverJob();
        });
        ASSERT_TRUE(prepared);
    }

    // Starts the job of file on the user-interface thread as the job start
    // does: busy, the slot paths, plot slot 0 prepared and handed over, then
    // the output preview of the running job prepared.
    void StartJob(const std::string& file) {
        g_plotterStatus.m_bBusy = 1;
        for (std::string& path : doc_->m_strSlotPath) path = file;
        ASSERT_TRUE(doc_->PreparePlotSlot(SLOT_PRINT));
        HandOverJob();
        doc_->m_bCutAtStart = 1;
        if (doc_->PreparePlotSlot(SLOT_OUTPUT_PREVIEW)) {
            doc_->m_bPreviewShowsJob = 1;
            doc_->PreviewMode = PREVIEW_OUTPUT;
        }
    }

    // Plays the job list's scan on the user-interface thread: whenever no
    // job is busy and files remain, the next one starts at once. started(i)
    // runs after the start of file i, tick() before every look at the busy
    // flag.
    void ScanJobs(std::vector<std::string> files, std::function<void(std::size_t)> started = {},
                  std::function<void()> tick = {}) {
        ui_.SetIdleTask([this, files = std::move(files), started, tick, next = std::size_t{0}]() mutable {
            if (tick) tick();
            if (g_plotterStatus.m_bBusy.load() != 0 || next >= files.size()) return;
            StartJob(files[next]);
            if (started) started(next);
            ++next;
        });
    }

    // Stops the worker from the user-interface thread, serving its calls
    // meanwhile, as the windows do; how long that took.
    std::chrono::steady_clock::duration StopWorker() {
        const auto started = std::chrono::steady_clock::now();
        ui_.Call([this] { worker_.Stop([this] { ui_.ServePending(); }); });
        return std::chrono::steady_clock::now() - started;
    }

    // The payloads that the engine builds for the loaded job (or the plot
    // file of that name), in send order, as wire bytes; change, when given,
    // edits the configuration first. Runs on a document of its own.
    std::vector<Bytes> EnginePayloads(const std::function<void(PlotterConfig&)>& change = {},
                                      const std::string& plot = "job.plt") {
        CTOLVEXR5DServerDoc doc(dir_.path());
        doc.m_config.IP_ADDR = "127.0.0.1";
        doc.m_strSlotPath[SLOT_PRINT] = dir_.File(plot);
        std::vector<Bytes> payloads;
        EXPECT_TRUE(doc.PreparePlotSlot(SLOT_PRINT) && doc.PrepareSwathBuffers());
        if (change) change(doc.m_config);
        EXPECT_TRUE(ForEachJobPayload(doc, [&](std::span<const uint16_t> words) {
            Bytes bytes;
            for (const uint16_t word : words) {
                bytes.push_back(static_cast<uint8_t>(word & 0xFF));
                bytes.push_back(static_cast<uint8_t>(word >> 8));
            }
            payloads.push_back(std::move(bytes));
        }));
        g_firstTransfer = 1;
        g_forceEnd = 0;
        return payloads;
    }

    sim::StandInPlotter& StartPlotter(sim::StandInOptions options = {}) {
        options.address = "127.0.0.1";
        plotter_ = std::make_unique<sim::StandInPlotter>(std::move(options));
        return *plotter_;
    }

    // Runs the worker until the job list has heard of count job ends, then
    // stops it.
    void RunWorkerUntilFinishes(std::size_t count) {
        ASSERT_TRUE(worker_.Start());
        EXPECT_TRUE(jobList_.WaitForFinishes(count, kJobTimeout));
        StopWorker();
    }

    std::vector<sim::RequestRecord> RequestsOf(uint32_t command) const {
        std::vector<sim::RequestRecord> matching;
        for (const auto& request : plotter_->Requests())
            if (request.command == command) matching.push_back(request);
        return matching;
    }

    // How often command was sent, the tries of one wait counted once: a
    // reply that comes late under load adds tries, not waits.
    int Runs(uint32_t command) const {
        int runs = 0;
        uint32_t previous = command + 1;
        for (const auto& request : plotter_->Requests()) {
            runs += request.command == command && previous != command;
            previous = request.command;
        }
        return runs;
    }

    std::vector<Bytes> CommittedBytes() const {
        std::vector<Bytes> committed;
        for (const auto& payload : plotter_->Committed()) committed.push_back(payload.bytes);
        return committed;
    }

    TempDir dir_;
    std::unique_ptr<CTOLVEXR5DServerDoc> doc_;
    UiThread ui_;
    UiJobList jobList_{ui_};
    UiMessageBoxes messages_{ui_};
    std::unique_ptr<sim::StandInPlotter> plotter_;
    // Last, so that it is stopped before anything it uses goes.
    WorkerThread worker_;
};
