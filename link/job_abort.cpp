#include "link/job_abort.h"

#include "core/document.h"
#include "link/job_flags.h"
#include "link/job_list_link.h"

void AbortJob() {
    if (g_pDocument != nullptr) {
        SwathPlan& plan = g_pDocument->m_plan[SLOT_PRINT];
        plan.m_nCurrentSwath = plan.m_nSwathCount.load();
    }
    JobList().m_bRepeatEnabled = false;
    // Last: a worker that sees the flag sees the rest too.
    g_abortJob = 1;
}
