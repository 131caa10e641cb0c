#pragma once

#include <atomic>
#include <thread>

// Owns the worker thread that runs PlotThreadProc. Stop() must run before
// the document's slot buffers are released (ReleaseSlotBuffers): until the
// worker has left it may build packets in plot slot 0. Stop() sets the quit
// flag and, whenever a job runs, the abort flag, which ends every wait of the
// job within a pause or two; it then joins the thread. A running job still
// goes through its job-end sequence, which calls the job list, so the job
// list must stay alive until Stop() returns. Only a transfer question left
// open on screen keeps Stop() waiting longer.
class WorkerThread {
public:
    WorkerThread() = default;
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Starts the worker once; false when it was started before or no
    // document is published.
    bool Start();
    // Ends the worker and waits for it; harmless when repeated.
    void Stop();

private:
    std::thread m_thread;
    std::atomic<bool> m_finished{false};
    bool m_started = false;
};
