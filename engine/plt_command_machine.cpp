#include <bit>
#include <cmath>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <utility>

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

// The bytes that the coordinate states append to their parameter; every
// other byte ends the parameter or is passed over.
bool IsCoordinateByte(char c) { return !(c == '\t' || IsSeparator(c) || IsTerminator(c)); }

// The members that change on nearly every byte. The machine works on a copy
// in locals and stores it back when it stops: held in the object, they would
// be reloaded after every store into the char token buffer, which may alias
// them. The helpers of the byte loop are inline, and the one for the rare
// states takes and gives back the copy by value, so that it can stay in
// processor registers.
struct Registers {
    uint8_t state;
    uint8_t afterMnemonic;
    size_t tokenIndex;
    // While numberLength is not 0, the token's first numberLength bytes are
    // a number worth numberValue: an optional sign and the digits that
    // followed it in one word. Every other append clears it.
    size_t numberLength;
    int32_t numberValue;
};

Registers LoadRegisters(const CPltInterpreter& p) { return {p.m_nState, p.m_bAfterMnemonic, p.m_nTokenIndex, 0, 0}; }

void StoreRegisters(CPltInterpreter& p, const Registers& r) {
    p.m_nState = r.state;
    p.m_bAfterMnemonic = r.afterMnemonic;
    p.m_nTokenIndex = r.tokenIndex;
}

// An overlong parameter wraps around and overwrites the start of the token.
void Append(CPltInterpreter& p, Registers& r, char byte) {
    r.numberLength = 0;
    p.m_szToken[r.tokenIndex] = byte;
    r.tokenIndex = (r.tokenIndex + 1) % sizeof p.m_szToken;
}

// The collected text as a C string would read it (up to the first zero
// byte), leaving the token empty.
std::string_view TakeToken(CPltInterpreter& p, Registers& r) {
    const size_t length = strnlen(p.m_szToken, r.tokenIndex);
    r.tokenIndex = 0;
    return {p.m_szToken, length};
}

// A number ends at the first byte that cannot continue it, a zero byte
// included, so the whole collected text can go to the conversion.
std::string_view TakeNumberText(CPltInterpreter& p, Registers& r) {
    const std::string_view text(p.m_szToken, r.tokenIndex);
    r.tokenIndex = 0;
    return text;
}

// Coordinates are read eight bytes at a time as little-endian words, the
// first byte lowest; elsewhere they take the byte-by-byte way only.
constexpr bool kWordAtATime = std::endian::native == std::endian::little;

uint64_t LoadWord(const void* at) {
    uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

void StoreWord(void* at, uint64_t word) { std::memcpy(at, &word, sizeof word); }

// How many of the word's bytes, from the first, are decimal digits.
unsigned LeadingDigits(uint64_t word) {
    // A byte below '0' borrows from the next one, and a byte far above '9'
    // carries into it: only the bytes after the first non-digit are spoilt.
    const uint64_t values = word - 0x3030303030303030u;
    const uint64_t nonDigits = (values | (values + 0x7676767676767676u)) & 0x8080808080808080u;
    return nonDigits == 0 ? 8 : static_cast<unsigned>(std::countr_zero(nonDigits)) / 8;
}

// The value of the word's first count bytes, all digits; count is 1 to 8.
uint32_t DigitsValue(uint64_t word, size_t count) {
    // Shifted so that the last digit fills the top byte and zeros the bytes
    // below the first; then neighbouring lanes merge into numbers of two,
    // four and eight digits, the lower lane holding the leading digits.
    uint64_t value = (word - 0x3030303030303030u) << (8 * (8 - count));
    value = (value * 10 + (value >> 8)) & 0x00FF00FF00FF00FFu;
    value = (value * 100 + (value >> 16)) & 0x0000FFFF0000FFFFu;
    value = (value * 10000 + (value >> 32)) & 0xFFFFFFFFu;
    return static_cast<uint32_t>(value);
}

// atoi of the token: known already for a number appended a word at a time,
// otherwise the full conversion.
inline int32_t TakeInt(CPltInterpreter& p, Registers& r) {
    if (r.numberLength != 0 && r.numberLength == r.tokenIndex) {
        r.numberLength = 0;
        r.tokenIndex = 0;
        return r.numberValue;
    }
    return platform::Atoi(TakeNumberText(p, r));
}

float TakeFloat(CPltInterpreter& p, Registers& r) { return static_cast<float>(platform::Atof(TakeNumberText(p, r))); }

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

void StartCoordinates(CPltInterpreter& p, Registers& r, uint8_t penUp) {
    p.m_bPenUp = penUp;
    r.afterMnemonic = 1;
    r.state = kCoordinateX;
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
            p.AddLine(x1, y1, x2, y2);
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
void StoreParameter(CPltInterpreter& p, Registers& r, int32_t* parameters, int32_t& index) {
    parameters[index] = TakeInt(p, r);
    if (index < 3) ++index;
}

// Notes the value of the token when the digits of word, just stored at the
// token index, begin it, alone or after a sign; eight digits cannot overflow.
void NoteNumber(const CPltInterpreter& p, Registers& r, uint64_t word, unsigned digits) {
    const bool afterSign = r.tokenIndex == 1 && (p.m_szToken[0] == '-' || p.m_szToken[0] == '+');
    if (r.tokenIndex == 0 || afterSign) {
        const int32_t value = static_cast<int32_t>(DigitsValue(word, digits));
        r.numberValue = afterSign && p.m_szToken[0] == '-' ? -value : value;
        r.numberLength = r.tokenIndex + digits;
    } else {
        r.numberLength = 0;
    }
}

// Appends the coordinate byte at `from` and those that follow it; returns
// the position after them.
inline const uint8_t* AppendCoordinateRun(CPltInterpreter& p, Registers& r, const uint8_t* from,
                                          const uint8_t* end) {
    const uint8_t* at = from;
    do {
        if constexpr (kWordAtATime) {
            if (end - at >= 8 && r.tokenIndex <= sizeof p.m_szToken - 8) {
                // Up to eight digits in one store; the bytes of the word
                // past them keep what the token held there.
                const uint64_t word = LoadWord(at);
                const unsigned digits = LeadingDigits(word);
                if (digits > 0) {
                    const uint64_t taken = digits == 8 ? ~uint64_t{0} : (uint64_t{1} << (8 * digits)) - 1;
                    char* const slot = p.m_szToken + r.tokenIndex;
                    StoreWord(slot, (LoadWord(slot) & ~taken) | (word & taken));
                    NoteNumber(p, r, word, digits);
                    r.tokenIndex = (r.tokenIndex + digits) % sizeof p.m_szToken;
                    at += digits;
                    continue;
                }
            }
        }
        Append(p, r, static_cast<char>(*at));
        ++at;
    } while (at != end && IsCoordinateByte(static_cast<char>(*at)));
    return at;
}

// Feeds bytes while the machine is in one of the states that nearly every
// byte of a plot file passes through: idle, after P, the coordinates and
// skip. Returns the position of the first byte that arrives in another
// state, or end.
inline const uint8_t* FeedCommonStates(CPltInterpreter& p, Registers& r, const uint8_t* at, const uint8_t* end) {
    while (at != end) {
        const char c = UpperCase(static_cast<char>(*at));
        switch (r.state) {
            case kIdle:
                r.tokenIndex = 0;
                r.state = StateFromIdle(c);
                break;
            case kAfterP:
                if (c == 'A' || c == 'D') {
                    StartCoordinates(p, r, 0);
                } else if (c == 'U') {
                    StartCoordinates(p, r, 1);
                } else {
                    r.state = kSkip;
                }
                break;
            case kCoordinateX: {
                const uint8_t afterMnemonic = std::exchange(r.afterMnemonic, 0);
                if (c == '\t') {
                } else if (IsTerminator(c)) {
                    r.tokenIndex = 0;  // a lone X makes no move
                    r.state = kIdle;
                } else if (c == ',' && afterMnemonic) {
                } else if (IsSeparator(c)) {
                    p.m_nX = TakeInt(p, r);
                    r.state = kCoordinateY;
                } else {
                    at = AppendCoordinateRun(p, r, at, end);
                    continue;
                }
                break;
            }
            case kCoordinateY:
                if (c == '\t' || c == ' ') {
                } else if (c == ',' || IsTerminator(c)) {
                    p.m_nY = TakeInt(p, r);
                    Move(p);
                    r.state = c == ',' ? kCoordinateX : kIdle;
                } else {
                    at = AppendCoordinateRun(p, r, at, end);
                    continue;
                }
                break;
            case kAfterD:
            case kAfterM:
            case kAfterS:
            case kAfterI:
            case kAfterL:
            case kSelectPen:
            case kTextHeight:
            case kLabel:
            case kInputPoints:
            case kScale:
            case kLineType:
            case kDirection:
                return at;
            case kSkip:
            default:
                if (c == kEtx || IsTerminator(c)) r.state = kIdle;
                break;
        }
        ++at;
    }
    return at;
}

// One byte in any state that FeedCommonStates leaves alone.
Registers FeedOtherState(CPltInterpreter& p, Registers r, char byte) {
    const char c = UpperCase(byte);
    switch (r.state) {
        case kAfterD:
            if (c == ' ') {
                StartCoordinates(p, r, 0);
            } else {
                r.state = c == 'I' ? kDirection : kSkip;
            }
            break;
        case kAfterM:
            if (c == ' ') {
                StartCoordinates(p, r, 1);
            } else {
                r.state = kSkip;
            }
            break;
        case kAfterS:
            if (c == 'C') {
                p.m_nScIndex = 0;
                p.m_anSc[0] = 0;
                r.state = kScale;
            } else {
                r.state = c == 'I' ? kTextHeight : c == 'P' ? kSelectPen : kSkip;
            }
            break;
        case kAfterI:
            if (c == 'N' || c == 'H') {
                r.state = kIdle;
            } else if (c == 'P') {
                p.m_nIpIndex = 0;
                p.m_anIp[0] = 0;
                r.state = kInputPoints;
            } else {
                r.state = kSkip;
            }
            break;
        case kAfterL:
            if (c == 'B') {
                r.state = kLabel;
            } else if (c == 'T') {
                p.m_bDashed = 0;
                r.state = kLineType;
            } else {
                r.state = kSkip;
            }
            break;
        case kSelectPen:
            // The pen number has no effect; anything else, line ends
            // included, is passed over until it comes.
            if (IsDigit(c)) {
                r.state = kSkip;
            } else if (c == ';') {
                r.state = kIdle;
            }
            break;
        case kTextHeight:
            if (c == '\t') {
            } else if (IsSeparator(c)) {
                r.tokenIndex = 0;  // only the last parameter counts
            } else if (IsTerminator(c)) {
                p.m_nTextHeight = TruncateToInt32Clamped(platform::Atof(TakeNumberText(p, r)) * kTextHeightFactor);
                r.state = kIdle;
            } else {
                Append(p, r, byte);
            }
            break;
        case kLabel:
            if (c == '\t') {
            } else if (c == kEtx || IsTerminator(c)) {
                p.AddLabelText(kLabelFace, p.m_nTextHeight, p.m_nLastX, p.m_nLastY, std::string(TakeToken(p, r)),
                               p.m_fLabelAngle);
                r.state = kIdle;
            } else {
                Append(p, r, byte);
            }
            break;
        case kInputPoints:
            if (c == '\t') {
            } else if (IsSeparator(c)) {
                StoreParameter(p, r, p.m_anIp, p.m_nIpIndex);
            } else if (IsTerminator(c)) {
                p.m_anIp[p.m_nIpIndex] = TakeInt(p, r);
                r.state = kIdle;
            } else {
                Append(p, r, byte);
            }
            break;
        case kScale:
            if (c == '\t') {
            } else if (IsSeparator(c)) {
                StoreParameter(p, r, p.m_anSc, p.m_nScIndex);
            } else if (IsTerminator(c)) {
                if (p.m_nScIndex == 0) {
                    // SC without parameters restores unscaled output.
                    p.m_fScaleX = 1.0f;
                    p.m_fScaleY = 1.0f;
                } else {
                    p.m_anSc[p.m_nScIndex] = TakeInt(p, r);
                    ApplyScaling(p);
                }
                r.state = kIdle;
            } else {
                Append(p, r, byte);
            }
            break;
        case kLineType:
            if (c == '\t') {
            } else if (IsSeparator(c)) {
                p.m_bDashed = 1;
                p.m_fDashType = TakeFloat(p, r);
            } else if (IsTerminator(c)) {
                p.m_fDashLength = TakeFloat(p, r);
                r.state = kIdle;
            } else {
                Append(p, r, byte);
            }
            break;
        case kDirection:
            if (c == '\t') {
            } else if (IsSeparator(c)) {
                p.m_fDirRun = TakeFloat(p, r);
            } else if (IsTerminator(c)) {
                p.m_fDirRise = TakeFloat(p, r);
                ApplyDirection(p);
                r.state = kIdle;
            } else {
                Append(p, r, byte);
            }
            break;
    }
    return r;
}

}  // namespace

void CPltInterpreter::FeedBytes(std::span<const uint8_t> bytes) {
    Registers r = LoadRegisters(*this);
    const uint8_t* const end = bytes.data() + bytes.size();
    for (const uint8_t* at = bytes.data(); (at = FeedCommonStates(*this, r, at, end)) != end; ++at) {
        r = FeedOtherState(*this, r, static_cast<char>(*at));
    }
    StoreRegisters(*this, r);
}

void CPltInterpreter::FeedChar(char byte) {
    const uint8_t one[1] = {static_cast<uint8_t>(byte)};
    FeedBytes(one);
}
