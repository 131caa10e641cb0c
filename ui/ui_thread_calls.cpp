#include "ui/ui_thread_calls.h"

#include <QCoreApplication>
#include <QThread>

UiThreadCalls::UiThreadCalls() { moveToThread(QCoreApplication::instance()->thread()); }

UiThreadCalls& UiThreadCalls::Instance() {
    static UiThreadCalls* const instance = new UiThreadCalls;
    return *instance;
}

void UiThreadCalls::Run(const std::function<void()>& call) {
    if (QThread::currentThread() == thread()) {
        call();
        return;
    }
    Pending pending{&call};
    {
        const std::lock_guard lock(m_mutex);
        m_pending.push_back(&pending);
    }
    QMetaObject::invokeMethod(this, "RunPending", Qt::QueuedConnection);
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [&] { return pending.done; });
}

void UiThreadCalls::RunPending() {
    for (;;) {
        Pending* pending = nullptr;
        {
            const std::lock_guard lock(m_mutex);
            if (m_pending.empty()) return;
            pending = m_pending.front();
            m_pending.pop_front();
        }
        (*pending->call)();
        const std::lock_guard lock(m_mutex);
        pending->done = true;
        m_done.notify_all();
    }
}
