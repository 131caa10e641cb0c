#include "platform/exclusive_read.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace platform {
namespace {

// A writer that opens the file while we hold the lease makes the kernel
// signal us with SIGIO, whose default action ends the process. The lease is
// held only for an instant, so the signal carries nothing worth handling.
void IgnoreLeaseBreakSignal() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction current = {};
        if (sigaction(SIGIO, nullptr, &current) != 0) return;
        if ((current.sa_flags & SA_SIGINFO) == 0 && current.sa_handler == SIG_DFL) {
            struct sigaction ignore = {};
            ignore.sa_handler = SIG_IGN;
            sigemptyset(&ignore.sa_mask);
            sigaction(SIGIO, &ignore, nullptr);
        }
    });
}

}  // namespace

int OpenForReadingWithoutWriters(const std::string& path) {
    IgnoreLeaseBreakSignal();
    // O_NONBLOCK: a FIFO without a writer, or a file under another process's
    // write lease, would otherwise block the open; reads of a regular file
    // are not affected.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return -1;
    if (fcntl(fd, F_SETLEASE, F_RDLCK) == 0) {
        fcntl(fd, F_SETLEASE, F_UNLCK);
        return fd;
    }
    if (errno == EAGAIN) {
        close(fd);
        errno = EAGAIN;
        return -1;
    }
    return fd;
}

}  // namespace platform
