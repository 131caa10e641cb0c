#include "link/job_runner.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <mutex>
#include <optional>

#include "core/document.h"
#include "core/plotter_status.h"
#include "core/status_texts.h"
#include "engine/swath_packet.h"
#include "link/command_channel.h"
#include "link/job_abort.h"
#include "link/job_flags.h"
#include "link/job_list_link.h"
#include "link/swath_transfer.h"
#include "link/worker_waits.h"

namespace {

// A reset at the job end gives up on an offline plotter only from this
// failed try on.
constexpr int kResetTriesBeforeGivingUp = 6;

// Ends the job that the worker holds: taken, or handed over and ended before
// it was taken. The busy flag falls last: the job start may hand over the
// next job the moment it falls, and nothing of this job's end may then touch
// plot slot 0, the job flags or the job list's row.
void RunJobEndSequence() {
    if (StatusHas(STATUS_STOP)) JobList().m_bRepeatEnabled = false;
    g_abortJob = 1;
    g_forceEnd = 1;
    EndJob();
    g_jobRunning = 0;
    g_plotterStatus.m_bBusy = 0;
}

// Resets the plotter at a job end: any valid reply ends it. From the sixth
// failed try on it gives up on an offline plotter, and a worker that is to
// quit does not try again.
void ResetAtJobEnd() {
    for (int failed = 0; QueryPlotter(CMD_RESET, 0) != 0;) {
        if ((++failed >= kResetTriesBeforeGivingUp && !PlotterOnline()) || QuitRequested()) break;
        PauseUnless(g_workerTiming.resetPause, QuitRequested);
    }
}

// The idle worker saw an abort or the plotter's end request. A job handed
// over but not yet taken ends as aborted: it was never sent, so its row is
// held and its file kept. Without such a job the plotter is reset and the
// job shown finished, but no row, job flag or buffer of plot slot 0 is
// touched: a job start may be under way on the user-interface thread. The
// abort flag is consumed before the hand-over is looked at, so that an abort
// of a job handed over meanwhile is never lost.
void EndJobWhileIdle() {
    g_abortJob = 0;
    if (g_plotterStatus.IsJobReady()) {
        JobList().m_bRepeatEnabled = false;
        RunJobEndSequence();
        return;
    }
    JobList().RedrawPreviewAndStatusBar();
    ResetAtJobEnd();
    g_statusTexts.Set(STATUS_TEXT_PERCENT, "0%");
    g_statusTexts.Set(STATUS_TEXT_TASK, g_statusTexts.Finished());
    JobList().PaintMainFrame();
}

// The status query until a status reply; nothing when abort or stop ended it.
std::optional<Reply> WaitForStatus() {
    return QueryUntil(CMD_GET_STATUS, 0, g_workerTiming.statusPause, CodeIs(CMD_GET_STATUS), AbortOrStop);
}

// Pings until a job is ready and the plotter online; every abort, and every
// end request of an online plotter, ends the job handed over, if any,
// meanwhile. False when the worker is to quit.
bool IdleUntilJobReady() {
    for (;;) {
        g_plotterStatus.m_bOnline = PingPlotter() ? 1 : 0;
        if (g_abortJob.load() != 0 || (PlotterOnline() && StatusHas(STATUS_END_REQUEST))) EndJobWhileIdle();
        PauseUnless(g_workerTiming.idlePause, QuitRequested);
        // The abort before the quit: a job handed over when the worker is
        // stopped still goes through its job end.
        if (g_abortJob.load() != 0) EndJobWhileIdle();
        if (QuitRequested()) return false;
        if (PlotterOnline() && g_plotterStatus.IsJobReady()) return true;
    }
}

// A job whose drawing has nothing to send never reaches the plotter: it
// ends held at once; only the reset of every job end goes out.
void EndJobWithNothingToSend() {
    JobList().m_bRepeatEnabled = false;
    RunJobEndSequence();
}

// Resets the plotter before a job. A plotter found offline ends the job
// unprinted, its row held; so does a worker that is to quit. False then.
bool ResetBeforeJob() {
    while (!(QueryPlotter(CMD_RESET, 0) == 0 && ReplyCodeIs(CMD_RESET))) {
        PauseUnless(g_workerTiming.resetPause, QuitRequested);
        if (!PlotterOnline() || QuitRequested()) {
            JobList().m_bRepeatEnabled = false;
            RunJobEndSequence();
            return false;
        }
    }
    return true;
}

// The online wait: pings until the plotter answers. False when the job is
// to end; a worker that is to quit sends no ping for it.
bool WaitOnline() {
    while (!QuitRequested()) {
        if (PingPlotter()) return true;
        if (AbortRequested()) return false;
    }
    return false;
}

// Stage 1: job begin, busy wait, settings, print start. False when the job
// is to end.
bool StartJob() {
    if (!QueryUntil(CMD_JOB_BEGIN, 1, g_workerTiming.startPause, [](const Reply&) { return true; }, AbortOrStop))
        return false;
    if (!QueryUntil(CMD_GET_STATUS, 0, g_workerTiming.statusPause,
                    [](const Reply& reply) {
                        return reply.code == CMD_GET_STATUS && (reply.value & STATUS_BUSY) == 0;
                    },
                    AbortOrStop))
        return false;
    if (AbortOrStop()) return false;
    SendJobSettings();
    if (AbortOrStop()) return false;
    // The print start tests the stop bit (and the quit flag) before each
    // try, the abort flag after each pause.
    for (;;) {
        if (StatusHas(STATUS_STOP) || QuitRequested()) return false;
        if (QueryPlotter(CMD_PRINT_START, 1) == 0) return true;
        PauseUnless(g_workerTiming.startPause, AbortRequested);
        if (AbortRequested()) return false;
    }
}

// After a packet: the test pattern leaves the current swath at 0, a drawing
// packet moves it on by the passes. An abort that set the current swath to
// the swath count meanwhile is kept.
void AdvanceCurrentSwath(SwathPlan& plan) {
    int32_t current = plan.m_nCurrentSwath.load();
    int32_t next = 0;
    if (g_firstTransfer.load() == 1)
        g_firstTransfer = 0;
    else
        next = static_cast<int32_t>(
            std::min<int64_t>(int64_t{current} + plan.m_nPasses.load(), std::numeric_limits<int32_t>::max()));
    plan.m_nCurrentSwath.compare_exchange_strong(current, next);
}

// After the last packet: the status query; true while the plotter is still
// printing. False when the job is to end: aborted, stopped, or done (its
// outcome then settled).
bool StillPrinting() {
    if (AbortOrStop()) return false;
    const std::optional<Reply> status = WaitForStatus();
    if (!status) return false;
    if (!StatusReplyHas(*status, STATUS_JOB_DONE)) return true;
    SettleJobOutcome();
    return false;
}

// One stage-2 cycle: status, progress, and the next packet while swaths
// remain, else the wait for the plotter's job-done bit. False when the job
// is to end.
bool RunCycle(CTOLVEXR5DServerDoc& doc) {
    SwathPlan& plan = doc.m_plan[SLOT_PRINT];
    if (AbortOrStop() || !WaitForStatus() || !ReportProgress()) return false;
    if (plan.m_nCurrentSwath >= plan.m_nSwathCount) return StillPrinting();
    if (StatusHas(STATUS_HOLD)) return true;
    if (AbortOrStop()) return false;
    {
        std::lock_guard lock(doc.m_configLock);
        doc.m_config.RawData = 1;
    }
    if (!SendNextSwath()) {
        // No packet, though neither aborted nor stopped: it could not be
        // built (no memory for it). The plotter would wait for it for ever,
        // so the job ends held.
        if (!AbortOrStop()) JobList().m_bRepeatEnabled = false;
        return false;
    }
    if (AbortOrStop() || !WaitForStatus()) return false;
    AdvanceCurrentSwath(plan);
    return true;
}

}  // namespace

int PlotThreadProc() {
    if (g_pDocument == nullptr) return 0;
    if (QuitRequested()) return 0;
    for (;;) {
        if (!g_plotterStatus.IsJobReady() && !IdleUntilJobReady()) return 0;
        // Neither the abort flag nor the current swath is cleared here: the
        // hand-over did that, and an abort given since must count.
        if (!g_pDocument->m_plan[SLOT_PRINT].HasPrintData()) {
            EndJobWithNothingToSend();
        } else if (ResetBeforeJob()) {
            g_jobRunning = 1;
            RunJob();
        }
        if (QuitRequested()) return 0;
    }
}

void RunJob() {
    if (g_pDocument == nullptr) return;
    if (!WaitOnline()) {
        RunJobEndSequence();
        return;
    }
    g_statusTexts.Set(STATUS_TEXT_RUNSTATE, g_statusTexts.Print());
    g_firstTransfer = 1;
    if (StartJob()) {
        while (RunCycle(*g_pDocument)) {
        }
    }
    RunJobEndSequence();
}

bool EndJob() {
    if (g_pDocument == nullptr) return false;
    CTOLVEXR5DServerDoc& doc = *g_pDocument;
    if (doc.IsPrintDataFinished()) g_plotterStatus.m_wUpdate.fetch_or(UPDATE_ALL_DATA_SENT);
    if ((g_plotterStatus.m_wUpdate.load() & UPDATE_ALL_DATA_SENT) != 0) FinishJob();
    for (const int slot : {SLOT_PREVIEW, SLOT_PRINT, SLOT_OUTPUT_PREVIEW}) doc.m_raster[slot].FreeBuffers();
    g_plotterStatus.m_bJobReady = 0;
    g_abortJob = 0;
    doc.m_bPreviewShowsJob = 0;
    JobList().PaintMainFrame();
    return false;
}

bool FinishJob() {
    JobList().RedrawPreviewAndStatusBar();
    ResetAtJobEnd();
    g_plotterStatus.m_wUpdate.fetch_and(static_cast<uint16_t>(~UPDATE_ALL_DATA_SENT));
    // The row is updated while the job is still busy, so that the scan never
    // sees a finished job's row still plotting while no job is busy; the
    // busy flag itself falls at the very end of the job-end sequence.
    JobList().OnJobFinished();
    JobList().EnableOriginEdit();
    g_statusTexts.Set(STATUS_TEXT_PERCENT, "0%");
    g_statusTexts.Set(STATUS_TEXT_TASK, g_statusTexts.Finished());
    return false;
}
