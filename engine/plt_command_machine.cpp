#include <cmath>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "core/numeric.h"
#include "engine/plt_interpreter.h"
#include "platform/c_numbers.h"

namespace {

enum State : uint8_t {
    kIdle = 0,
    kAfterD = 1,
    kAfterM = 2,
    kAfterP = 3,
    kAfterS = 4,
    kAfterI = 5,
    kAfterL = 6,
    kCoordinateX = 7,
    kCoordinateY = 8,
    kSelectPen = 9,
    kTextHeight = 10,
    kLabel = 11,
    kInputPoints = 12,
    kScale = 13,
    kLineType = 14,
    kDirection = 15,
    kSkip = 17,
};

constexpr char kEtx = 0x03;
// SI's parameter times this single-precision factor (the product in double),
// truncated, is the label font height.
constexpr float kTextHeightFactor = 377.953f;
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr const char* kLabelFace = "宋体";

bool IsTerminator(char c) { return c == '\n' || c == '\r' || c == ';'; }
bool IsSeparator(char c) { return c == ' ' || c == ','; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char UpperCase(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// An overlong parameter wraps around and overwrites the start of the token.
void Append(CPltInterpreter& p, char byte) {
    p.m_szToken[p.m_nTokenIndex] = byte;
    p.m_nTokenIndex = (p.m_nTokenIndex + 1) % sizeof p.m_szToken;
}

// The collected text as a C string would read it (up to the first zero
// byte), leaving the token empty.
std::string_view TakeToken(CPltInterpreter& p) {
    const size_t length = strnlen(p.m_szToken, p.m_nTokenIndex);
    p.m_nTokenIndex = 0;
    return {p.m_szToken, length};
}

// A number ends at the first byte that cannot continue it, a zero byte
// included, so the whole collected text can go to the conversion.
std::string_view TakeNumberText(CPltInterpreter& p) {
    const std::string_view text(p.m_szToken, p.m_nTokenIndex);
    p.m_nTokenIndex = 0;
    return text;
}

int32_t TakeInt(CPltInterpreter& p) { return platform::Atoi(TakeNumberText(p)); }
float TakeFloat(CPltInterpreter& p) { return static_cast<float>(platform::Atof(TakeNumberText(p))); }

State StateFromIdle(char c) {
    switch (c) {
        case '\t': case '\n': case '\r': case ' ': case '!': case ';': return kIdle;
        case 'D': return kAfterD;
        case 'M': return kAfterM;
        case 'P': return kAfterP;
        case 'S': return kAfterS;
        case 'I': return kAfterI;
        case 'L': return kAfterL;
        default: return kSkip;
    }
}

void StartCoordinates(CPltInterpreter& p, uint8_t penUp) {
    p.m_bPenUp = penUp;
    p.m_bAfterMnemonic = 1;
    p.m_nState = kCoordinateX;
}

// Draws from the pen position to (m_nX, m_nY) when the pen is down; the pen
// moves there either way.
void Move(CPltInterpreter& p) {
    if (p.m_bPenUp == 0) {
        const float x1 = static_cast<float>(p.m_nLastX);
        const float y1 = static_cast<float>(p.m_nLastY);
        const float x2 = static_cast<float>(p.m_nX);
        const float y2 = static_cast<float>(p.m_nY);
        if (p.m_bDashed) {
            p.AddDashedLine(x1, y1, x2, y2, p.m_fDashType, p.m_fDashLength);
        } else {
            p.m_drawing.m_lines.push_back({x1, y1, x2, y2});
        }
    }
    p.m_nLastX = p.m_nX;
    p.m_nLastY = p.m_nY;
}

// SC maps its xmax and ymax onto IP's P2: each SC multiplies into the factors
// in force. Products in double, stored as float.
void ApplyScaling(CPltInterpreter& p) {
    if (p.m_anSc[1] > 0 && p.m_anSc[3] > 0 && p.m_anIp[2] > 0 && p.m_anIp[3] > 0) {
        p.m_fScaleX = static_cast<float>(static_cast<double>(p.m_fScaleX) * p.m_anIp[2] / p.m_anSc[1]);
        p.m_fScaleY = static_cast<float>(static_cast<double>(p.m_fScaleY) * p.m_anIp[3] / p.m_anSc[3]);
    }
}

void ApplyDirection(CPltInterpreter& p) {
    if (p.m_fDirRun == 0 && p.m_fDirRise == 0) {
        p.m_fLabelAngle = 0;
    } else {
        p.m_fLabelAngle = static_cast<float>(std::atan2(static_cast<double>(p.m_fDirRise), p.m_fDirRun) *
                                             kDegreesPerRadian);
    }
}

// Stores the next IP or SC parameter; the index stays at the last slot.
void StoreParameter(CPltInterpreter& p, int32_t* parameters, int32_t& index) {
    parameters[index] = TakeInt(p);
    if (index < 3) ++index;
}

// The bytes that a coordinate state appends to its parameter; any other
// byte ends the parameter or is passed over.
bool IsCoordinateByte(uint8_t state, char c) {
    if (c == '\t' || c == ',' || c == ' ' || IsTerminator(c)) return false;
    return state == kCoordinateX || state == kCoordinateY;
}

}  // namespace

void CPltInterpreter::FeedBytes(std::span<const uint8_t> bytes) {
    const size_t length = bytes.size();
    for (size_t i = 0; i < length;) {
        // Runs of coordinate digits, the bulk of a plot file, are appended
        // in one go; the result is that of feeding them one by one.
        size_t end = i;
        while (end < length && IsCoordinateByte(m_nState, static_cast<char>(bytes[end]))) ++end;
        if (end > i) {
            size_t index = m_nTokenIndex;
            for (; i < end; ++i) {
                m_szToken[index] = static_cast<char>(bytes[i]);
                index = (index + 1) % sizeof m_szToken;
            }
            m_nTokenIndex = index;
            m_bAfterMnemonic = 0;
            continue;
        }
        FeedChar(static_cast<char>(bytes[i++]));
    }
}

void CPltInterpreter::FeedChar(char byte) {
    const char c = UpperCase(byte);
    switch (m_nState) {
        case kIdle:
            m_nTokenIndex = 0;
            m_nState = StateFromIdle(c);
            break;
        case kAfterD:
            if (c == ' ') {
                StartCoordinates(*this, 0);
            } else {
                m_nState = c == 'I' ? kDirection : kSkip;
            }
            break;
        case kAfterM:
            if (c == ' ') {
                StartCoordinates(*this, 1);
            } else {
                m_nState = kSkip;
            }
            break;
        case kAfterP:
            if (c == 'A' || c == 'D') {
                StartCoordinates(*this, 0);
            } else if (c == 'U') {
                StartCoordinates(*this, 1);
            } else {
                m_nState = kSkip;
            }
            break;
        case kAfterS:
            if (c == 'C') {
                m_nScIndex = 0;
                m_anSc[0] = 0;
                m_nState = kScale;
            } else {
                m_nState = c == 'I' ? kTextHeight : c == 'P' ? kSelectPen : kSkip;
            }
            break;
        case kAfterI:
            if (c == 'N' || c == 'H') {
                m_nState = kIdle;
            } else if (c == 'P') {
                m_nIpIndex = 0;
                m_anIp[0] = 0;
                m_nState = kInputPoints;
            } else {
                m_nState = kSkip;
            }
            break;
        case kAfterL:
            if (c == 'B') {
                m_nState = kLabel;
            } else if (c == 'T') {
                m_bDashed = 0;
                m_nState = kLineType;
            } else {
                m_nState = kSkip;
            }
            break;
        case kCoordinateX:
            if (c == '\t') {
            } else if (IsTerminator(c)) {
                m_nTokenIndex = 0;  // a lone X makes no move
                m_nState = kIdle;
            } else if (c == ',' && m_bAfterMnemonic) {
            } else if (IsSeparator(c)) {
                m_nX = TakeInt(*this);
                m_nState = kCoordinateY;
            } else {
                Append(*this, byte);
            }
            m_bAfterMnemonic = 0;
            break;
        case kCoordinateY:
            if (c == '\t' || c == ' ') {
            } else if (c == ',' || IsTerminator(c)) {
                m_nY = TakeInt(*this);
                Move(*this);
                m_nState = c == ',' ? kCoordinateX : kIdle;
            } else {
                Append(*this, byte);
            }
            break;
        case kSelectPen:
            // The pen number has no effect; anything else, line ends
            // included, is passed over until it comes.
            if (IsDigit(c)) {
                m_nState = kSkip;
            } else if (c == ';') {
                m_nState = kIdle;
            }
            break;
        case kTextHeight:
            if (c == '\t') {
            } else if (IsSeparator(c)) {
                m_nTokenIndex = 0;  // only the last parameter counts
            } else if (IsTerminator(c)) {
                m_nTextHeight = TruncateToInt32Clamped(platform::Atof(TakeNumberText(*this)) * kTextHeightFactor);
                m_nState = kIdle;
            } else {
                Append(*this, byte);
            }
            break;
        case kLabel:
            if (c == '\t') {
            } else if (c == kEtx || IsTerminator(c)) {
                AddLabelText(kLabelFace, m_nTextHeight, m_nLastX, m_nLastY, std::string(TakeToken(*this)),
                             m_fLabelAngle);
                m_nState = kIdle;
            } else {
                Append(*this, byte);
            }
            break;
        case kInputPoints:
            if (c == '\t') {
            } else if (IsSeparator(c)) {
                StoreParameter(*this, m_anIp, m_nIpIndex);
            } else if (IsTerminator(c)) {
                m_anIp[m_nIpIndex] = TakeInt(*this);
                m_nState = kIdle;
            } else {
                Append(*this, byte);
            }
            break;
        case kScale:
            if (c == '\t') {
            } else if (IsSeparator(c)) {
                StoreParameter(*this, m_anSc, m_nScIndex);
            } else if (IsTerminator(c)) {
                if (m_nScIndex == 0) {
                    // SC without parameters restores unscaled output.
                    m_fScaleX = 1.0f;
                    m_fScaleY = 1.0f;
                } else {
                    m_anSc[m_nScIndex] = TakeInt(*this);
                    ApplyScaling(*this);
                }
                m_nState = kIdle;
            } else {
                Append(*this, byte);
            }
            break;
        case kLineType:
            if (c == '\t') {
            } else if (IsSeparator(c)) {
                m_bDashed = 1;
                m_fDashType = TakeFloat(*this);
            } else if (IsTerminator(c)) {
                m_fDashLength = TakeFloat(*this);
                m_nState = kIdle;
            } else {
                Append(*this, byte);
            }
            break;
        case kDirection:
            if (c == '\t') {
            } else if (IsSeparator(c)) {
                m_fDirRun = TakeFloat(*this);
            } else if (IsTerminator(c)) {
                m_fDirRise = TakeFloat(*this);
                ApplyDirection(*this);
                m_nState = kIdle;
            } else {
                Append(*this, byte);
            }
            break;
        case kSkip:
        default:
            if (c == kEtx || IsTerminator(c)) m_nState = kIdle;
            break;
    }
}
