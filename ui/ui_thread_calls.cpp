#include "ui/ui_thread_calls.h"

#include <QCoreApplication>
#include <QThread>
#include <utility>

UiThreadCalls::UiThreadCalls() { moveToThread(QCoreApplication::instance()->thread()); }

UiThreadCalls& UiThreadCalls::Instance() {
    static UiThreadCalls* const instance = new UiThreadCalls;
    return *instance;
}

void UiThreadCalls::Queue(Pending pending) {
    {
        const std::lock_guard lock(m_mutex);
        m_pending.push_back(std::move(pending));
    }
    QMetaObject::invokeMethod(this, "RunPending", Qt::QueuedConnection);
}

void UiThreadCalls::Run(const std::function<void()>& call) {
    if (QThread::currentThread() == thread()) {
        call();
        return;
    }
    bool done = false;
    Queue({call, &done});
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [&] { return done; });
}

void UiThreadCalls::Post(std::function<void()> call) { Queue({std::move(call), nullptr}); }

void UiThreadCalls::RunPending() {
    for (;;) {
        Pending pending;
        {
            const std::lock_guard lock(m_mutex);
            if (m_pending.empty()) return;
            pending = std::move(m_pending.front());
            m_pending.pop_front();
        }
        pending.call();
        if (pending.done == nullptr) continue;
        const std::lock_guard lock(m_mutex);
        *pending.done = true;
        m_done.notify_all();
    }
}
