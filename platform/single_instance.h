#pragma once

#include <string>

namespace platform {

// Holds an exclusive lock on the folder of "config.ini" for as long as it
// lives, so that only one copy of the program runs on one configuration and
// work folder. The lock is taken through a read-only descriptor of the folder
// itself: every user who may read the folder takes the same lock, whoever
// owns it and whether or not anyone may write there, and no file is made for
// it. The kernel drops the lock when the process ends, however it ends: a
// crashed copy never blocks the next start.
class SingleInstanceLock {
public:
    enum class State {
        Held,
        HeldByAnother,
        // The folder could not be opened or locked; Why() tells the reason.
        Unavailable,
    };

    // Takes the lock on folder.
    explicit SingleInstanceLock(const std::string& folder);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    State state() const { return m_state; }
    bool held() const { return m_state == State::Held; }
    const std::string& Why() const { return m_why; }

private:
    int m_fd = -1;
    State m_state = State::Unavailable;
    std::string m_why;
};

}  // namespace platform
