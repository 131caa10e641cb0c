#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

// Plays the user-interface thread: one thread that carries out tasks one at
// a time, in the order posted, as an event loop does. Other threads reach it
// as the worker reaches the windows, with blocking calls (Qt's
// blocking-queued invocations). After every task, and every millisecond
// without one, it runs its idle task, as an event loop runs a timer that is
// due.
class UiThread {
public:
    UiThread() : thread_([this] { Loop(); }) {}
    ~UiThread() {
        {
            std::lock_guard lock(mutex_);
            quit_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
    UiThread(const UiThread&) = delete;
    UiThread& operator=(const UiThread&) = delete;

    bool OnThisThread() const { return std::this_thread::get_id() == thread_.get_id(); }

    void Post(std::function<void()> task) {
        {
            std::lock_guard lock(mutex_);
            tasks_.push_back(std::move(task));
        }
        changed_.notify_all();
    }

    // Runs task on the thread and returns once it has run; on the thread
    // itself it runs at once.
    void Call(const std::function<void()>& task) {
        if (OnThisThread()) {
            task();
            return;
        }
        std::mutex doneMutex;
        std::condition_variable doneChanged;
        bool done = false;
        Post([&] {
            task();
            std::lock_guard lock(doneMutex);
            done = true;
            doneChanged.notify_all();
        });
        std::unique_lock lock(doneMutex);
        doneChanged.wait(lock, [&] { return done; });
    }

    // Carries out the tasks waiting now; on the thread itself, inside a task
    // (a nested event loop, as a modal box or WorkerThread::Stop runs one).
    void ServePending() {
        while (auto task = Take(std::chrono::milliseconds(0))) task();
    }

    // Whether a task waits; a test reads it to act while the worker's call
    // is still unanswered.
    bool HasPending() const {
        std::lock_guard lock(mutex_);
        return !tasks_.empty();
    }

    // Runs idle after every task, and every millisecond while none waits.
    void SetIdleTask(std::function<void()> idle) {
        Call([&] { idle_ = std::move(idle); });
    }

private:
    std::function<void()> Take(std::chrono::milliseconds wait) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, wait, [this] { return quit_ || !tasks_.empty(); });
        if (tasks_.empty()) return {};
        auto task = std::move(tasks_.front());
        tasks_.pop_front();
        return task;
    }

    void Loop() {
        for (;;) {
            if (auto task = Take(std::chrono::milliseconds(1))) {
                task();
            } else {
                std::lock_guard lock(mutex_);
                if (quit_) return;
            }
            if (idle_) idle_();
        }
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> tasks_;
    bool quit_ = false;
    std::function<void()> idle_;
    std::thread thread_;
};
