#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>

namespace platform {
namespace {

constexpr const char* kLockName = "TOLVEXR5DServer-101f4a83.lock";

}  // namespace

SingleInstanceLock::SingleInstanceLock(const std::string& path) {
    // O_NOFOLLOW: in a shared /tmp, a planted link must not make us create or
    // lock another file.
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return;
    }
    m_fd = fd;
}

SingleInstanceLock::~SingleInstanceLock() {
    if (m_fd >= 0) close(m_fd);
}

std::string SingleInstanceLock::DefaultPath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime == '/') return std::string(runtime) + "/" + kLockName;
    return "/tmp/" + std::to_string(getuid()) + "-" + kLockName;
}

}  // namespace platform
