#pragma once

#include <QObject>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

// Carries calls from other threads to the user-interface thread, either
// waiting for them, as a blocking queued call does, or not. The call itself
// is handed over through a standard mutex and condition variable, and only a
// plain queued wake-up goes through Qt: the futexes with which Qt hands its
// own calls from thread to thread are invisible to ThreadSanitizer in a Qt
// not built for it, so every hand-over through them would be reported as a
// race. Calls run in the order they were handed over, posted or waited for.
class UiThreadCalls : public QObject {
    Q_OBJECT
public:
    // The one instance; it belongs to the application's thread whichever
    // thread asks first.
    static UiThreadCalls& Instance();

    // Runs call on the user-interface thread and returns when it has run: at
    // once when called there, else while the calling thread waits.
    void Run(const std::function<void()>& call);
    // Runs call on the user-interface thread later, without waiting for it:
    // for calls that only repaint, so that a busy user-interface thread does
    // not hold the caller up.
    void Post(std::function<void()> call);
    // Runs every call waiting now, on the user-interface thread: for a loop
    // that waits for another thread without the event loop running.
    Q_INVOKABLE void RunPending();

private:
    UiThreadCalls();

    struct Pending {
        std::function<void()> call;
        // The waiting caller's flag; null for a posted call.
        bool* done = nullptr;
    };
    void Queue(Pending pending);

    std::mutex m_mutex;
    std::condition_variable m_done;
    std::deque<Pending> m_pending;
};
