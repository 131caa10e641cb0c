#pragma once

#include <string>

namespace platform {

// Holds an exclusive lock on a file for as long as it lives, so that only one
// copy of the program runs per user. The kernel drops the lock when the
// process ends, however it ends: a crashed copy never blocks the next start.
class SingleInstanceLock {
public:
    // Takes the lock on path, creating the file; held() tells whether it was
    // had (false: another process holds it, or the file cannot be opened).
    explicit SingleInstanceLock(const std::string& path);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    bool held() const { return m_fd >= 0; }

    // The lock file of this user: in XDG_RUNTIME_DIR when it is set, else in
    // /tmp with the user id in its name.
    static std::string DefaultPath();

private:
    int m_fd = -1;
};

}  // namespace platform
