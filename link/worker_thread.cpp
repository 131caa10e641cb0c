#include "link/worker_thread.h"

#include <chrono>

#include "core/document.h"
#include "core/plotter_status.h"
#include "link/job_abort.h"
#include "link/job_flags.h"
#include "link/job_runner.h"

namespace {

// How long Stop sleeps between two rounds of serving the worker's calls.
constexpr std::chrono::milliseconds kStopPollInterval{2};

}  // namespace

WorkerThread::~WorkerThread() { Stop(); }

bool WorkerThread::Start() {
    if (m_started || g_pDocument == nullptr) return false;
    m_started = true;
    m_thread = std::thread([this] {
        PlotThreadProc();
        m_finished = true;
    });
    return true;
}

void WorkerThread::Stop(const std::function<void()>& servePendingCalls) {
    if (!m_thread.joinable()) return;
    g_quitWorker = 1;
    // A job being started (its start shows a message box) is held at its
    // hand-over; the worker never sees it.
    AbortJobStart();
    while (!m_finished.load()) {
        // A job handed over or taken after the quit flag rose is aborted as
        // soon as it shows; one that is ending already is left alone.
        if ((g_plotterStatus.IsJobReady() || g_jobRunning.load() != 0) && g_abortJob.load() == 0) AbortJob();
        if (servePendingCalls) servePendingCalls();
        std::this_thread::sleep_for(kStopPollInterval);
    }
    m_thread.join();
}
