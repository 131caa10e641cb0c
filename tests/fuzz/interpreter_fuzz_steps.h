#pragma once

#include <cmath>
#include <cstdint>
#include <span>
#include <sys/mman.h>
#include <unistd.h>

#include "engine/plt_interpreter.h"

// The steps that the interpreter fuzzer and the corpus replay test share, so
// that a corpus file means the same input to both.
namespace fuzz_steps {

// Settings as plot-slot preparation makes them, with every turn switched on.
inline void PrepareForSlot(CPltInterpreter& p) {
    p.m_fScaleX = 1.0f;
    p.m_fScaleY = 1.0f;
    p.m_nTextHeight = 100;
    p.m_bFlipY = 1;
    p.m_bMirror = 1;
    p.m_bRotate90 = 1;
    // A few bytes can ask for a billion dashes, which memory may allow but a
    // fuzzing run cannot afford: past this many lines a segment is drawn whole.
    p.m_nMaxLines = 1 << 20;
}

// Interprets data as the plot file of slot 0 the way Load does, without
// touching the disk: ParseFile reads it from an anonymous memory file.
inline bool ParseBytes(CPltInterpreter& p, std::span<const uint8_t> data) {
    p.Reset();
    const int fd = memfd_create("plot", MFD_CLOEXEC);
    if (fd < 0) return false;
    size_t written = 0;
    while (written < data.size()) {
        const ssize_t n = write(fd, data.data() + written, data.size() - written);
        if (n <= 0) {
            close(fd);
            return false;
        }
        written += static_cast<size_t>(n);
    }
    p.m_file = fd;
    return p.ParseFile(0);
}

// Mirrors and turns the drawing one way, then turns it the other way.
inline void TurnBothWays(CPltInterpreter& p) {
    p.MirrorX();
    p.Rotate90();
    p.m_bMirror = 0;
    p.Rotate90();
}

// The line count matches the array, and a drawing with finite coordinates
// lies within 0 and its maxima.
inline bool IsSane(const Drawing& d) {
    if (d.m_nLines != d.m_lines.size()) return false;
    for (const LineF& line : d.m_lines) {
        for (float v : {line.x1, line.y1, line.x2, line.y2}) {
            if (!std::isfinite(v)) return true;
        }
    }
    for (const LineF& line : d.m_lines) {
        for (float x : {line.x1, line.x2}) {
            if (x < 0 || x > d.m_fMaxX) return false;
        }
        for (float y : {line.y1, line.y2}) {
            if (y < 0 || y > d.m_fMaxY) return false;
        }
    }
    return true;
}

}  // namespace fuzz_steps
