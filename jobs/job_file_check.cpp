#include "jobs/job_file_check.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "engine/file_word_sum.h"
#include "platform/exclusive_read.h"
#include "platform/unique_fd.h"

namespace {

// A multiple of 4, so that every chunk but the last holds whole words and
// the chunks' sums add up to the sum of the whole file.
constexpr size_t kChunkBytes = 1 << 16;

}  // namespace

JobFileState CheckJobFile(const std::string& path, uint32_t startSum) {
    const platform::UniqueFd file(platform::OpenForReadingWithoutWriters(path));
    if (file.Get() < 0) return errno == EAGAIN ? JobFileState::BeingWritten : JobFileState::CannotOpen;
    struct stat status = {};
    if (fstat(file.Get(), &status) != 0) return JobFileState::Unreadable;

    const auto length = static_cast<uint64_t>(status.st_size);
    std::vector<uint8_t> chunk(kChunkBytes);
    uint32_t sum = 0;
    for (uint64_t done = 0; done < length;) {
        const size_t wanted = static_cast<size_t>(std::min<uint64_t>(kChunkBytes, length - done));
        size_t got = 0;
        while (got < wanted) {
            const ssize_t read = ::read(file.Get(), chunk.data() + got, wanted - got);
            if (read < 0 && errno == EINTR) continue;
            if (read <= 0) return JobFileState::Unreadable;
            got += static_cast<size_t>(read);
        }
        sum += FileWordSum({chunk.data(), got});
        done += got;
    }
    return sum == startSum ? JobFileState::Unchanged : JobFileState::Changed;
}
