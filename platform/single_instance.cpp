#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {
namespace {

constexpr const char* kLockName = "TOLVEXR5DServer-101f4a83.lock";

}  // namespace

SingleInstanceLock::SingleInstanceLock(const std::string& path) {
    // O_NOFOLLOW: a planted link must not make us create or lock another file.
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        m_why = "cannot open " + path + ": " + std::strerror(errno);
        return;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        close(fd);
        if (error == EWOULDBLOCK) {
            m_state = State::HeldByAnother;
        } else {
            m_why = "cannot lock " + path + ": " + std::strerror(error);
        }
        return;
    }
    m_fd = fd;
    m_state = State::Held;
}

SingleInstanceLock::~SingleInstanceLock() {
    if (m_fd >= 0) close(m_fd);
}

std::string SingleInstanceLock::PathIn(const std::string& folder) { return folder + "/" + kLockName; }

}  // namespace platform
