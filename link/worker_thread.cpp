#include "link/worker_thread.h"

#include <chrono>

#include "core/document.h"
#include "link/job_flags.h"
#include "link/job_runner.h"

namespace {

// How often Stop looks whether a job started meanwhile that must be aborted.
constexpr std::chrono::milliseconds kStopPollInterval{10};

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

void WorkerThread::Stop() {
    if (!m_thread.joinable()) return;
    g_quitWorker = 1;
    // A job taken after the quit flag was set would still run to its end:
    // it is aborted as soon as it shows.
    while (!m_finished.load()) {
        if (g_jobRunning.load() != 0) g_abortJob = 1;
        std::this_thread::sleep_for(kStopPollInterval);
    }
    m_thread.join();
}
