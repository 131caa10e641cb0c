#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {

SingleInstanceLock::SingleInstanceLock(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        m_why = "cannot open " + folder + ": " + std::strerror(errno);
        return;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        close(fd);
        if (error == EWOULDBLOCK) {
            m_state = State::HeldByAnother;
        } else {
            m_why = "cannot lock " + folder + ": " + std::strerror(error);
        }
        return;
    }
    m_fd = fd;
    m_state = State::Held;
}

SingleInstanceLock::~SingleInstanceLock() {
    if (m_fd >= 0) close(m_fd);
}

}  // namespace platform
