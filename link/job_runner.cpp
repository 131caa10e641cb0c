#include "link/job_runner.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <mutex>
#include <thread>

#include "core/document.h"
#include "core/plotter_status.h"
#include "core/status_texts.h"
#include "engine/swath_packet.h"
#include "link/command_channel.h"
#include "link/job_flags.h"
#include "link/job_list_link.h"
#include "link/swath_transfer.h"
#include "link/worker_waits.h"

namespace {

// A reset at the job end gives up on an offline plotter only from this
// failed try on.
constexpr int kResetTriesBeforeGivingUp = 6;

void Pause(std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); }

void RunJobEndSequence() {
    if (StatusHas(STATUS_STOP)) JobList().m_bRepeatEnabled = false;
    g_abortJob = 1;
    g_forceEnd = 1;
    EndJob();
    g_jobRunning = 0;
}

bool StatusReply() { return ReplyCodeIs(CMD_GET_STATUS); }

// The status query until a status reply; false when abort or stop ended it.
bool WaitForStatus() {
    return QueryUntil(CMD_GET_STATUS, 0, g_workerTiming.statusPause, StatusReply, AbortOrStop);
}

// Pings until a job is ready and the plotter online; every abort, and every
// end request of an online plotter, runs the job-end sequence meanwhile.
// False when the worker is to quit.
bool IdleUntilJobReady() {
    for (;;) {
        g_plotterStatus.m_bOnline = PingPlotter() ? 1 : 0;
        if (AbortRequested() || (PlotterOnline() && StatusHas(STATUS_END_REQUEST))) RunJobEndSequence();
        Pause(g_workerTiming.idlePause);
        if (g_quitWorker.load() != 0) return false;
        if (AbortRequested()) RunJobEndSequence();
        if (PlotterOnline() && g_plotterStatus.IsJobReady()) return true;
    }
}

// Resets the plotter before a job. A plotter found offline ends the job
// unprinted, its row held; false then.
bool ResetBeforeJob() {
    while (!(QueryPlotter(CMD_RESET, 0) == 0 && ReplyCodeIs(CMD_RESET))) {
        Pause(g_workerTiming.resetPause);
        if (!PlotterOnline()) {
            JobList().m_bRepeatEnabled = false;
            RunJobEndSequence();
            return false;
        }
    }
    return true;
}

// Stage 1: job begin, busy wait, settings, print start. False when the job
// is to end.
bool StartJob() {
    if (!QueryUntil(CMD_JOB_BEGIN, 1, g_workerTiming.startPause, [] { return true; }, AbortOrStop)) return false;
    if (!QueryUntil(CMD_GET_STATUS, 0, g_workerTiming.statusPause,
                    [] { return StatusReply() && !StatusHas(STATUS_BUSY); }, AbortOrStop))
        return false;
    if (AbortOrStop()) return false;
    SendJobSettings();
    if (AbortOrStop()) return false;
    // The print start tests the stop bit before each try, the abort flag
    // after each pause.
    for (;;) {
        if (StatusHas(STATUS_STOP)) return false;
        if (QueryPlotter(CMD_PRINT_START, 1) == 0) return true;
        Pause(g_workerTiming.startPause);
        if (AbortRequested()) return false;
    }
}

// One stage-2 cycle: status, progress, and the next packet while swaths
// remain, else the wait for the plotter's job-done bit. False when the job
// is to end.
bool RunCycle(CTOLVEXR5DServerDoc& doc) {
    SwathPlan& plan = doc.m_plan[SLOT_PRINT];
    if (AbortOrStop() || !WaitForStatus() || !ReportProgress()) return false;
    if (plan.m_nCurrentSwath >= plan.m_nSwathCount) {
        if (AbortOrStop() || !WaitForStatus()) return false;
        return !StatusHas(STATUS_JOB_DONE);
    }
    if (StatusHas(STATUS_HOLD)) return true;
    if (AbortOrStop()) return false;
    {
        std::lock_guard lock(doc.m_configLock);
        doc.m_config.RawData = 1;
    }
    SendNextSwath();
    if (AbortOrStop() || !WaitForStatus()) return false;
    if (g_firstTransfer.load() == 1) {
        plan.m_nCurrentSwath = 0;
        g_firstTransfer = 0;
    } else {
        plan.m_nCurrentSwath = static_cast<int32_t>(
            std::min<int64_t>(int64_t{plan.m_nCurrentSwath} + plan.m_nPasses, std::numeric_limits<int32_t>::max()));
    }
    return true;
}

}  // namespace

int PlotThreadProc() {
    if (g_pDocument == nullptr) return 0;
    if (g_quitWorker.load() != 0) return 0;
    for (;;) {
        if (!g_plotterStatus.IsJobReady() && !IdleUntilJobReady()) return 0;
        g_abortJob = 0;
        if (ResetBeforeJob()) {
            g_jobRunning = 1;
            g_pDocument->m_plan[SLOT_PRINT].m_nCurrentSwath = 0;
            RunJob();
        }
        if (g_quitWorker.load() != 0) return 0;
    }
}

void RunJob() {
    if (g_pDocument == nullptr) return;
    while (!PingPlotter()) {
        if (AbortRequested()) {
            RunJobEndSequence();
            return;
        }
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
    for (int failed = 0; QueryPlotter(CMD_RESET, 0) != 0;) {
        if (++failed >= kResetTriesBeforeGivingUp && !PlotterOnline()) break;
        Pause(g_workerTiming.resetPause);
    }
    g_plotterStatus.m_wUpdate.fetch_and(static_cast<uint16_t>(~UPDATE_ALL_DATA_SENT));
    // The row is updated before the busy flag falls, so that the scan never
    // sees a finished job's row still plotting while no job is busy.
    JobList().OnJobFinished();
    g_plotterStatus.m_bBusy = 0;
    JobList().EnableOriginEdit();
    g_statusTexts.Set(STATUS_TEXT_PERCENT, "0%");
    g_statusTexts.Set(STATUS_TEXT_TASK, g_statusTexts.Finished());
    return false;
}
