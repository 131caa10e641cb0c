#include "link/job_hand_over.h"

#include "core/document.h"
#include "core/plotter_status.h"
#include "link/job_abort.h"
#include "link/job_flags.h"
#include "link/job_list_link.h"

bool HandOverJob() {
    if (EndJobStart() || g_pDocument == nullptr) return false;
    g_pDocument->TakeJobConfig();
    g_pDocument->PrepareSwathBuffers();
    OpenJobOutcome();
    JobList().m_bRepeatEnabled = true;
    g_abortJob = 0;
    g_plotterStatus.SignalJobReady();
    return true;
}
