#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "engine/plt_interpreter.h"
#include "platform/c_numbers.h"

namespace {

// One to eleven digits, sometimes signed.
std::string RandomNumber(std::mt19937& random) {
    std::string number;
    if (random() % 4 == 0) number.push_back(random() % 2 ? '-' : '+');
    const int digits = std::uniform_int_distribution<int>(1, 11)(random);
    for (int d = 0; d < digits; ++d) number += static_cast<char>('0' + random() % 10);
    return number;
}

// Plot-file-like bytes that stress the command machine: pen moves with none
// to three parameters (a lone or empty X among them), mnemonics, numbers of
// every length and sign, separators, terminators, NUL, bytes from 0x80, white
// space that atoi skips, and runs longer than the token buffer.
std::vector<uint8_t> RandomPlotBytes(std::mt19937& random) {
    static const char* const kPieces[] = {
        "PD", "PU", "PA", "pd", "PR", "D ", "M ", "SC", "IP", "LT", "DI", "SI", "SP", "LB", "IN", "P",
        "D",  "M",  "S",  "I",  "L",  "A",  "U",  "B",  "T",  "C",  "x",  ",",  ",",  ";",  ";",  " ",
        "\t", "\n", "\r", "\x03", "!", "-", "+", ".", "e", "\v", "\f"};
    static const char* const kNumbers[] = {"2147483647", "2147483648", "-2147483649", "99999999", "-99999999",
                                           "123456789",  "0000000001", "1e3",         "-0",       "+5"};
    std::uniform_int_distribution<int> kind(0, 99);
    std::vector<uint8_t> bytes;
    const int pieces = std::uniform_int_distribution<int>(0, 160)(random);
    for (int i = 0; i < pieces; ++i) {
        const int k = kind(random);
        std::string piece;
        if (k < 30) {
            piece = kPieces[random() % std::size(kPieces)];
        } else if (k < 50) {
            piece = random() % 2 ? "PD" : "PU";
            const int parameters = std::uniform_int_distribution<int>(0, 3)(random);
            for (int n = 0; n < parameters; ++n) {
                if (n > 0 || random() % 4 == 0) piece += ", \t"[random() % 3];
                if (random() % 8 != 0) piece += RandomNumber(random);
            }
            piece += ";\n"[random() % 2];
        } else if (k < 72) {
            piece = RandomNumber(random);
        } else if (k < 80) {
            piece = kNumbers[random() % std::size(kNumbers)];
        } else if (k < 87) {
            piece = std::string(1, '\0');
        } else if (k < 94) {
            piece = std::string(1, static_cast<char>(0x80 + random() % 128));
        } else {
            // A run around the 512-byte token, wrapping it.
            const size_t length = std::uniform_int_distribution<size_t>(500, 1100)(random);
            piece = std::string(length, "0123456789-x\0"[random() % 13]);
        }
        bytes.insert(bytes.end(), piece.begin(), piece.end());
    }
    return bytes;
}

void FeedByteByByte(CPltInterpreter& p, std::span<const uint8_t> bytes) {
    for (const uint8_t byte : bytes) p.FeedChar(static_cast<char>(byte));
}

// FeedBytes in chunks of random size, empty ones included.
void FeedInChunks(CPltInterpreter& p, std::span<const uint8_t> bytes, std::mt19937& random) {
    while (!bytes.empty()) {
        const size_t most = random() % 4 == 0 ? bytes.size() : std::min<size_t>(bytes.size(), 40);
        const size_t size = std::uniform_int_distribution<size_t>(0, most)(random);
        p.FeedBytes(bytes.first(size));
        bytes = bytes.subspan(size);
    }
}

template <typename T>
bool SameBits(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Every member, floats by their bits so that NaNs and signed zeros count.
void ExpectSameMachine(const CPltInterpreter& a, const CPltInterpreter& b) {
    EXPECT_EQ(a.m_nState, b.m_nState);
    EXPECT_EQ(a.m_nTokenIndex, b.m_nTokenIndex);
    EXPECT_TRUE(SameBits(a.m_szToken, b.m_szToken));
    EXPECT_EQ(a.m_bAfterMnemonic, b.m_bAfterMnemonic);
    EXPECT_EQ(a.m_bPenUp, b.m_bPenUp);
    EXPECT_EQ(a.m_nX, b.m_nX);
    EXPECT_EQ(a.m_nY, b.m_nY);
    EXPECT_EQ(a.m_nLastX, b.m_nLastX);
    EXPECT_EQ(a.m_nLastY, b.m_nLastY);
    EXPECT_EQ(a.m_nIpIndex, b.m_nIpIndex);
    EXPECT_EQ(a.m_nScIndex, b.m_nScIndex);
    EXPECT_TRUE(SameBits(a.m_anIp, b.m_anIp));
    EXPECT_TRUE(SameBits(a.m_anSc, b.m_anSc));
    EXPECT_TRUE(SameBits(a.m_fScaleX, b.m_fScaleX));
    EXPECT_TRUE(SameBits(a.m_fScaleY, b.m_fScaleY));
    EXPECT_EQ(a.m_nTextHeight, b.m_nTextHeight);
    EXPECT_EQ(a.m_bDashed, b.m_bDashed);
    EXPECT_TRUE(SameBits(a.m_fDashLength, b.m_fDashLength));
    EXPECT_TRUE(SameBits(a.m_fDashType, b.m_fDashType));
    EXPECT_TRUE(SameBits(a.m_fDirRun, b.m_fDirRun));
    EXPECT_TRUE(SameBits(a.m_fDirRise, b.m_fDirRise));
    EXPECT_TRUE(SameBits(a.m_fLabelAngle, b.m_fLabelAngle));
    EXPECT_EQ(a.m_bFlipY, b.m_bFlipY);
    EXPECT_EQ(a.m_bRotate90, b.m_bRotate90);
    EXPECT_EQ(a.m_bMirror, b.m_bMirror);
    EXPECT_EQ(a.m_strPath, b.m_strPath);
    EXPECT_EQ(a.m_file, b.m_file);
    EXPECT_EQ(a.m_nFileWordSum, b.m_nFileWordSum);

    const Drawing& da = a.m_drawing;
    const Drawing& db = b.m_drawing;
    EXPECT_EQ(da.m_nLines, db.m_nLines);
    EXPECT_TRUE(SameBits(da.m_fMinX, db.m_fMinX) && SameBits(da.m_fMinY, db.m_fMinY));
    EXPECT_TRUE(SameBits(da.m_fMaxX, db.m_fMaxX) && SameBits(da.m_fMaxY, db.m_fMaxY));
    EXPECT_TRUE(SameBits(da.m_fWidthM, db.m_fWidthM) && SameBits(da.m_fHeightM, db.m_fHeightM));
    ASSERT_EQ(da.m_lines.size(), db.m_lines.size());
    EXPECT_TRUE(da.m_lines.empty() ||
                std::memcmp(da.m_lines.data(), db.m_lines.data(), da.m_lines.size() * sizeof(LineF)) == 0);
}

TEST(FeedBytes, MatchesFeedingEveryByteThroughFeedChar) {
    std::mt19937 random(9406);
    for (int run = 0; run < 500; ++run) {
        CPltInterpreter byByte;
        CPltInterpreter inChunks;
        for (CPltInterpreter* p : {&byByte, &inChunks}) {
            p->m_fScaleX = 1.0f;
            p->m_fScaleY = 1.0f;
            p->m_nTextHeight = 100;
        }
        // Three inputs in a row, each fed on from the state the last one
        // left.
        for (int file = 0; file < 3; ++file) {
            const std::vector<uint8_t> bytes = RandomPlotBytes(random);
            FeedByteByByte(byByte, bytes);
            FeedInChunks(inChunks, bytes, random);
            SCOPED_TRACE(testing::Message() << "run " << run << ", file " << file << ": "
                                            << std::string(bytes.begin(), bytes.end()));
            ExpectSameMachine(byByte, inChunks);
            if (testing::Test::HasFailure()) return;
        }
    }
}

// Coordinates read from whole eight-byte words, near the end of the input,
// with a sign, white space or too many digits all convert as atoi does.
TEST(FeedBytes, CoordinatesConvertAsAtoi) {
    static const char* const kStarts[] = {"", "", "-", "+", "\v", "\v-", "0", "--"};
    std::mt19937 random(31);
    for (int run = 0; run < 20000; ++run) {
        std::string x = kStarts[random() % std::size(kStarts)];
        const int digits = std::uniform_int_distribution<int>(x.empty() ? 1 : 0, 12)(random);
        for (int d = 0; d < digits; ++d) x += static_cast<char>('0' + random() % 10);
        if (random() % 8 == 0) x += ".5";
        const std::string y = std::to_string(static_cast<int32_t>(random()));
        // Padded, the coordinates are read a word at a time; unpadded, the
        // last few bytes one by one.
        const bool padded = random() % 2;
        const std::string text = "PU" + x + "," + y + (padded ? ";IN;IN;IN;" : ";");

        CPltInterpreter p;
        p.FeedBytes({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
        ASSERT_EQ(p.m_nLastX, platform::Atoi(x)) << text;
        ASSERT_EQ(p.m_nLastY, platform::Atoi(y)) << text;
    }

    CPltInterpreter p;
    const std::string_view text = "PD12345678,-87654321,+7,-0,00000000123,99999999;";
    p.FeedBytes({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
    EXPECT_EQ(p.m_drawing.m_lines, (LineArray{{0, 0, 12345678, -87654320.0f},
                                              {12345678, -87654320.0f, 7, 0},
                                              {7, 0, 123, 1e8f}}));
}

}  // namespace
