#include "jobs/add_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "jobs/work_folder.h"
#include "platform/unique_fd.h"

namespace {

bool Occupied(const std::string& path) {
    struct stat entry {};
    return lstat(path.c_str(), &entry) == 0;
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool CopyContents(int from, int to) {
    std::array<char, 64 * 1024> buffer;
    for (;;) {
        const ssize_t count = read(from, buffer.data(), buffer.size());
        if (count == 0) return true;
        if (count < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (!WriteAll(to, buffer.data(), static_cast<size_t>(count))) return false;
    }
}

}  // namespace

std::string FreeWorkFolderPath(const std::string& folderPath, const std::string& name) {
    const std::string plain = folderPath + name;
    if (!Occupied(plain)) return plain;
    const size_t dot = name.rfind('.');
    const std::string base = dot == std::string::npos ? name : name.substr(0, dot);
    const std::string extension = dot == std::string::npos ? "" : name.substr(dot);
    for (unsigned long n = 1;; ++n) {
        std::string numbered = folderPath + base + "_" + std::to_string(n) + extension;
        if (!Occupied(numbered)) return numbered;
    }
}

bool CopyFileExclusively(const std::string& source, const std::string& destination) {
    // Non-blocking, so that a named pipe chosen by mistake cannot hold the
    // program; only regular files are copied.
    platform::UniqueFd from(open(source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat sourceStat {};
    if (from.Get() < 0 || fstat(from.Get(), &sourceStat) != 0 || !S_ISREG(sourceStat.st_mode)) return false;
    platform::UniqueFd to(open(destination.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (to.Get() < 0) return false;
    const bool copied = CopyContents(from.Get(), to.Get());
    if (to.Close() && copied) return true;
    unlink(destination.c_str());
    return false;
}

std::optional<std::string> AddFileToWorkFolder(const std::string& source, const std::string& workPath) {
    const std::string name = source.substr(source.rfind('/') + 1);
    std::string destination = FreeWorkFolderPath(WorkFolderPath(workPath), name);
    if (!CopyFileExclusively(source, destination)) return std::nullopt;
    return destination;
}
