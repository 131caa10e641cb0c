#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

// The user and group nobody: files that root makes are another user's files
// to them, and they may not lease, write or delete those.
inline constexpr uid_t kNobody = 65534;

// Runs body in a child process as nobody while the parent runs meanwhile;
// gives body's result (0 to 254), or -1 when the child could not become
// nobody or did not end normally. Needs root.
inline int RunAsNobody(const std::function<int()>& body, const std::function<void()>& meanwhile = {}) {
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(255);
        _exit(body());
    }
    if (meanwhile) meanwhile();
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 255) {
        return -1;
    }
    return WEXITSTATUS(status);
}

// While it lives, a process running as root acts as nobody (its effective
// user and group; root is taken back at the end), so that it may not write
// root's folders. Acting() is false where that cannot be done.
class ActingAsNobody {
public:
    ActingAsNobody() {
        if (geteuid() != 0 || setegid(kNobody) != 0) return;
        if (seteuid(kNobody) != 0) {
            setegid(0);
            return;
        }
        acting_ = true;
    }
    ~ActingAsNobody() {
        if (!acting_) return;
        seteuid(0);
        setegid(0);
    }
    ActingAsNobody(const ActingAsNobody&) = delete;
    ActingAsNobody& operator=(const ActingAsNobody&) = delete;

    bool Acting() const { return acting_; }

private:
    bool acting_ = false;
};

// Sets the modification time of path an hour back: a file finished long ago.
inline bool AgeFile(const std::string& path) {
    struct stat status = {};
    if (stat(path.c_str(), &status) != 0) return false;
    const struct timespec times[2] = {status.st_atim, {status.st_mtim.tv_sec - 3600, status.st_mtim.tv_nsec}};
    return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}
