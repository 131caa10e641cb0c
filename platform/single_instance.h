#pragma once

#include <string>

namespace platform {

// Holds an exclusive lock on a file for as long as it lives, so that only one
// copy of the program runs on one configuration and work folder. The kernel
// drops the lock when the process ends, however it ends: a crashed copy never
// blocks the next start.
class SingleInstanceLock {
public:
    enum class State {
        Held,
        HeldByAnother,
        // The file could not be opened or locked; Why() tells the reason.
        Unavailable,
    };

    // Takes the lock on path, creating the file.
    explicit SingleInstanceLock(const std::string& path);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    State state() const { return m_state; }
    bool held() const { return m_state == State::Held; }
    const std::string& Why() const { return m_why; }

    // The lock file of the copies whose "config.ini" lives in folder: beside it.
    static std::string PathIn(const std::string& folder);

private:
    int m_fd = -1;
    State m_state = State::Unavailable;
    std::string m_why;
};

}  // namespace platform
