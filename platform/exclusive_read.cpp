#include "platform/exclusive_read.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// How long a file must have been left alone to count as finished when no
// lease can tell. A writer that copies, downloads or renders a plot file
// touches it far more often than this; the margin also covers file systems
// that keep modification times in steps of a second or two.
constexpr std::chrono::nanoseconds kWriterQuietPeriod = std::chrono::seconds(2);

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

// True when the open regular file was modified too recently to be taken as
// finished, or carries a time stamp just ahead of the clock (a writer whose
// clock runs a little ahead, as over a network share). A stamp far off either
// way is that of a file nobody is writing now.
bool ModifiedWithinQuietPeriod(int fd) {
    struct stat status = {};
    struct timespec now = {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) return false;
    if (clock_gettime(CLOCK_REALTIME, &now) != 0) return false;
    // Whole seconds first: a stamp may lie anywhere in the file system's
    // range, and its distance from now would not fit in nanoseconds.
    const auto quietSeconds = std::chrono::ceil<std::chrono::seconds>(kWriterQuietPeriod).count();
    if (status.st_mtim.tv_sec < now.tv_sec - quietSeconds || status.st_mtim.tv_sec > now.tv_sec + quietSeconds)
        return false;
    const auto since = std::chrono::seconds(now.tv_sec - status.st_mtim.tv_sec) +
                       std::chrono::nanoseconds(now.tv_nsec - status.st_mtim.tv_nsec);
    return since < kWriterQuietPeriod && since > -kWriterQuietPeriod;
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
    if (errno == EAGAIN || ModifiedWithinQuietPeriod(fd)) {
        close(fd);
        errno = EAGAIN;
        return -1;
    }
    return fd;
}

}  // namespace platform
