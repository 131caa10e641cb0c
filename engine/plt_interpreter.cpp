#include "engine/plt_interpreter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "engine/file_word_sum.h"
#include "platform/exclusive_read.h"

namespace {

// The file is read and fed in pieces of this size, so that a file of any
// length needs no more memory than this; a multiple of 4, so that the word
// sums of the pieces add up to the file's.
constexpr size_t kReadPiece = size_t{16} << 20;

// Reads exactly length bytes from offset on; false on an error or when the
// file ends early.
bool ReadAt(int fd, uint8_t* buffer, size_t length, size_t offset) {
    size_t done = 0;
    while (done < length) {
        const ssize_t got = pread(fd, buffer + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

struct Point {
    float x;
    float y;
};

// Multiplies every line by the factors in force at the end of the file and
// returns the smallest X and Y of the result. Lines must not be empty.
Point ScaleAndFindMinimum(LineArray& lines, float scaleX, float scaleY) {
    Point minimum{lines.front().x1 * scaleX, lines.front().y1 * scaleY};
    for (LineF& line : lines) {
        line.x1 *= scaleX;
        line.y1 *= scaleY;
        line.x2 *= scaleX;
        line.y2 *= scaleY;
        minimum.x = std::min({minimum.x, line.x1, line.x2});
        minimum.y = std::min({minimum.y, line.y1, line.y2});
    }
    return minimum;
}

// Moves the minimum to 0 and takes the extents of the result.
void ShiftToOrigin(Drawing& drawing, Point minimum) {
    LineArray& lines = drawing.m_lines;
    float minX = lines.front().x1 - minimum.x;
    float minY = lines.front().y1 - minimum.y;
    float maxX = minX;
    float maxY = minY;
    for (LineF& line : lines) {
        line.x1 -= minimum.x;
        line.x2 -= minimum.x;
        line.y1 -= minimum.y;
        line.y2 -= minimum.y;
        minX = std::min({minX, line.x1, line.x2});
        maxX = std::max({maxX, line.x1, line.x2});
        minY = std::min({minY, line.y1, line.y2});
        maxY = std::max({maxY, line.y1, line.y2});
    }
    drawing.m_fMinX = minX;
    drawing.m_fMinY = minY;
    drawing.m_fMaxX = maxX;
    drawing.m_fMaxY = maxY;
}

// Plot files count Y upwards; the engine counts it along the paper feed.
void FlipY(Drawing& drawing) {
    const float height = drawing.m_fMaxY;
    float maxY = 0;
    for (LineF& line : drawing.m_lines) {
        line.y1 = height - line.y1;
        line.y2 = height - line.y2;
        maxY = std::max({maxY, line.y1, line.y2});
    }
    drawing.m_fMaxY = maxY;
}

}  // namespace

CPltInterpreter::CPltInterpreter() = default;

CPltInterpreter::~CPltInterpreter() {
    Reset();
    if (m_file >= 0) close(m_file);
}

bool CPltInterpreter::Load(const char* path, int slot) {
    if (path == nullptr || strnlen(path, 4) < 4) return false;
    if (m_file >= 0) {
        close(m_file);
        m_file = -1;
    }
    int fd = platform::OpenForReadingWithoutWriters(path);
    for (int attempt = 1; fd < 0; ++attempt) {
        if (attempt >= m_openRetry.attempts) return false;
        std::this_thread::sleep_for(m_openRetry.delay);
        fd = platform::OpenForReadingWithoutWriters(path);
    }
    m_file = fd;
    m_strPath = path;
    Reset();
    return ParseFile(slot);
}

bool CPltInterpreter::ParseFile(int slot) {
    struct stat info = {};
    if (fstat(m_file, &info) != 0) return false;
    // The length is a 32-bit count: a longer file is refused rather than
    // read in part.
    if (info.st_size < 0 || static_cast<uint64_t>(info.st_size) > std::numeric_limits<uint32_t>::max()) return false;
    const size_t length = static_cast<size_t>(info.st_size);
    const size_t pieceLength = std::min(length, kReadPiece);
    std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[pieceLength]);
    if (!buffer) return false;
    m_fDashLength = 0;
    m_bDashed = 0;
    m_fDashType = 0;
    m_fDirRun = 0;
    m_fDirRise = 0;
    m_fLabelAngle = 0;
    m_bOverLineBudget = false;
    // Room for a line per 8 bytes, the least a pen-down move takes, saves
    // the regrowth of a large drawing; pages never written cost nothing.
    m_drawing.m_lines.reserve(std::min(length / 8, m_nMaxLines));
    uint32_t wordSum = 0;
    for (size_t offset = 0; offset < length; offset += pieceLength) {
        const size_t piece = std::min(pieceLength, length - offset);
        // A file cut short while it is read gives no drawing; the bytes fed
        // before have moved the command machine as any bytes do.
        if (!ReadAt(m_file, buffer.get(), piece, offset)) {
            Reset();
            return false;
        }
        if (slot == 0) wordSum += FileWordSum({buffer.get(), piece});
        FeedBytes({buffer.get(), piece});
    }
    if (slot == 0) m_nFileWordSum = wordSum;
    if (m_bOverLineBudget) {
        Reset();
        close(m_file);
        m_file = -1;
        return false;
    }

    m_drawing.m_nLines = static_cast<uint32_t>(m_drawing.m_lines.size());
    if (m_drawing.m_lines.empty()) {
        m_drawing.m_fMinX = m_drawing.m_fMinY = m_drawing.m_fMaxX = m_drawing.m_fMaxY = 0;
    } else {
        ShiftToOrigin(m_drawing, ScaleAndFindMinimum(m_drawing.m_lines, m_fScaleX, m_fScaleY));
    }
    if (m_bFlipY) FlipY(m_drawing);

    close(m_file);
    m_file = -1;
    return true;
}

void CPltInterpreter::Reset() { m_drawing = Drawing{}; }
