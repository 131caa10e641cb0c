#include "link/job_abort.h"

#include <mutex>

#include "core/document.h"
#include "link/job_flags.h"
#include "link/job_list_link.h"

namespace {

// An abort and the worker's settling of the outcome exclude each other, so
// that an abort either comes before the settling and holds the job, or after
// it and changes nothing.
std::mutex g_outcomeMutex;
bool g_outcomeSettled = false;
// A job start is open, and whether it has been aborted.
bool g_jobStarting = false;
bool g_jobStartAborted = false;

}  // namespace

void AbortJob() {
    std::lock_guard lock(g_outcomeMutex);
    if (g_jobStarting) {
        g_jobStartAborted = true;
        return;
    }
    if (g_outcomeSettled) return;
    if (g_pDocument != nullptr) {
        SwathPlan& plan = g_pDocument->m_plan[SLOT_PRINT];
        plan.m_nCurrentSwath = plan.m_nSwathCount.load();
    }
    JobList().m_bRepeatEnabled = false;
    // Last: a worker that sees the flag sees the rest too.
    g_abortJob = 1;
}

void BeginJobStart() {
    std::lock_guard lock(g_outcomeMutex);
    g_jobStarting = true;
    g_jobStartAborted = false;
}

bool EndJobStart() {
    std::lock_guard lock(g_outcomeMutex);
    const bool aborted = g_jobStarting && g_jobStartAborted;
    g_jobStarting = false;
    g_jobStartAborted = false;
    return aborted;
}

void AbortJobStart() {
    std::lock_guard lock(g_outcomeMutex);
    if (g_jobStarting) g_jobStartAborted = true;
}

void SettleJobOutcome() {
    std::lock_guard lock(g_outcomeMutex);
    g_outcomeSettled = true;
}

void OpenJobOutcome() {
    std::lock_guard lock(g_outcomeMutex);
    g_outcomeSettled = false;
}
