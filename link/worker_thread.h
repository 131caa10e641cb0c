#pragma once

#include <atomic>
#include <functional>
#include <thread>

// Owns the worker thread that runs PlotThreadProc.
class WorkerThread {
public:
    WorkerThread() = default;
    // Stops the worker without serving its calls: by then Stop must have
    // run, or no call of the worker may be waiting for an answer.
    ~WorkerThread();
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    // Starts the worker once; false when it was started before or no
    // document is published.
    bool Start();

    // Ends the worker and waits for it; harmless when repeated. Called on
    // the thread that serves the worker's calls into the job list and its
    // message boxes (the user-interface thread), before the document's slot
    // buffers are released and while the job list is still alive. It sets
    // the quit flag, aborts a job being started (AbortJobStart), which its
    // hand-over then refuses, and aborts (AbortJob) a job handed over or
    // running, so that the job ends held within a pause or two, through its
    // job-end sequence (the plotter's reset, the job list's update). Until the
    // worker has left it keeps calling servePendingCalls, then sleeps
    // briefly: the worker's calls waiting for the user-interface thread are
    // answered there, so that none of them deadlocks the stop. A question of
    // the transfer served there is answered as the installed message handler
    // answers it.
    void Stop(const std::function<void()>& servePendingCalls = {});

private:
    std::thread m_thread;
    std::atomic<bool> m_finished{false};
    bool m_started = false;
};
