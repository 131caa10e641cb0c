#pragma once

#include <atomic>

// What the worker thread needs of the job list and the windows. The job list
// implements it; every call comes from the worker thread and, except the two
// that only repaint (ShowProgress, InvalidatePreview), returns only once the
// user-interface thread has done its part, so the worker waits for the
// windows as it would for a sent window message.
class JobListLink {
public:
    virtual ~JobListLink() = default;

    // Updates, requeues or removes the finished job's row.
    virtual void OnJobFinished() = 0;
    // Invalidates the status bar and paints the main frame, which places its
    // progress bar.
    virtual void ShowProgress() = 0;
    // Paints the main frame, which resets its progress bar after a job.
    virtual void PaintMainFrame() = 0;
    // Invalidates the preview, which then redraws the printed part.
    virtual void InvalidatePreview() = 0;
    // Redraws the preview, then the status bar, at once.
    virtual void RedrawPreviewAndStatusBar() = 0;
    // Enables the toolbar's origin edit again.
    virtual void EnableOriginEdit() = 0;

    // Whether the job that ends counts as printed (true) or its row is held:
    // cleared by an abort (AbortJob) until the job's outcome is settled, the
    // plotter's stop bit, a plotter found offline before the job, a job ended
    // before it was taken, a job with nothing to send and a packet that
    // cannot be built; set again by the job list after a held job and by
    // HandOverJob for every new job.
    std::atomic<bool> m_bRepeatEnabled{true};
};

// The job list, published before the worker thread starts and withdrawn only
// after it has left.
inline JobListLink* g_pJobListLink = nullptr;

// The published job list, or one that ignores every call while none is.
inline JobListLink& JobList() {
    class NoJobList final : public JobListLink {
        void OnJobFinished() override {}
        void ShowProgress() override {}
        void PaintMainFrame() override {}
        void InvalidatePreview() override {}
        void RedrawPreviewAndStatusBar() override {}
        void EnableOriginEdit() override {}
    };
    static NoJobList none;
    return g_pJobListLink != nullptr ? *g_pJobListLink : none;
}
