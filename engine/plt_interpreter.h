#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "engine/drawing.h"
#include "engine/line_budget.h"
#include "platform/glyph_outline.h"

// Turns one HP-GL style plot file into the straight segments of a Drawing.
// The command machine's state, the pen position and the IP and SC parameters
// carry over from one file to the next interpreted by the same object.
class CPltInterpreter {
public:
    // How often and how far apart Load tries to open a file that is still
    // being written.
    struct OpenRetry {
        int attempts = 31;
        std::chrono::milliseconds delay{500};
    };

    CPltInterpreter();
    ~CPltInterpreter();
    CPltInterpreter(const CPltInterpreter&) = delete;
    CPltInterpreter& operator=(const CPltInterpreter&) = delete;

    // Opens path (refused while it is still being written, see
    // OpenForReadingWithoutWriters; retried as m_openRetry says) and
    // interprets it. Slot 0 also takes the file's word sum.
    bool Load(const char* path, int slot);
    bool ParseFile(int slot);
    void FeedChar(char byte);
    // FeedChar for each byte in order, faster.
    void FeedBytes(std::span<const uint8_t> bytes);
    // Empties the drawing.
    void Reset();
    void MirrorX();
    void Rotate90();
    // Appends one segment while the drawing has room for it.
    void AddLine(float x1, float y1, float x2, float y2);
    void AddDashedLine(float x1, float y1, float x2, float y2, float type, float length);
    void AddLabelText(const std::string& face, int32_t height, int32_t x, int32_t y, const std::string& text,
                      float angle);
    // Appends one glyph outline record to the drawing (see AppendGlyphCurve).
    void AddGlyphCurve(uint16_t type, std::span<const platform::FixedPoint> points, int32_t ox, int32_t oy,
                       int32_t& cx, int32_t& cy);

    std::string m_strPath;
    int m_file = -1;  // descriptor of the open plot file, -1 when closed
    float m_fScaleX = 0;
    float m_fScaleY = 0;
    int32_t m_nTextHeight = 0;
    uint8_t m_bFlipY = 1;
    uint8_t m_bRotate90 = 0;
    uint8_t m_bMirror = 0;
    uint8_t m_nState = 0;
    uint8_t m_bPenUp = 0;
    char m_szToken[512] = {};
    size_t m_nTokenIndex = 0;
    int32_t m_nX = 0;
    int32_t m_nY = 0;
    int32_t m_nLastX = 0;
    int32_t m_nLastY = 0;
    int32_t m_nIpIndex = 0;
    int32_t m_nScIndex = 0;
    int32_t m_anIp[4] = {};
    int32_t m_anSc[4] = {};
    uint8_t m_bDashed = 0;
    float m_fDashLength = 0;
    float m_fDashType = 0;
    float m_fDirRun = 0;
    float m_fDirRise = 0;
    float m_fLabelAngle = 0;
    uint8_t m_bAfterMnemonic = 0;
    Drawing m_drawing;

    // Word sum of the file last parsed for slot 0.
    uint32_t m_nFileWordSum = 0;
    OpenRetry m_openRetry;
    // The most lines the drawing may hold. A dashed segment whose dashes
    // would pass it is drawn whole; a file whose lines pass it fails to parse.
    std::size_t m_nMaxLines = DrawingLineBudget();
    // Set while parsing once a line or a label found no room.
    bool m_bOverLineBudget = false;
};

inline void CPltInterpreter::AddLine(float x1, float y1, float x2, float y2) {
    if (m_drawing.m_lines.size() >= m_nMaxLines) {
        m_bOverLineBudget = true;
        return;
    }
    m_drawing.m_lines.push_back({x1, y1, x2, y2});
}

// Dash share in percent of each line type 0 to 7.
inline constexpr int DashShareTable[8] = {0, 0, 50, 60, 80, 70, 50, 70};
