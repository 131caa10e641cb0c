#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "engine/plt_interpreter.h"

namespace {

void Feed(CPltInterpreter& interpreter, std::string_view text) {
    for (char c : text) interpreter.FeedChar(c);
}

const LineArray& Lines(const CPltInterpreter& interpreter) { return interpreter.m_drawing.m_lines; }

TEST(CommandMachine, DrawsPenDownMoves) {
    {
        CPltInterpreter p;
        Feed(p, "PD,100,200;");
        EXPECT_EQ(Lines(p), (LineArray{{0, 0, 100, 200}}));
    }
    {
        CPltInterpreter p;
        Feed(p, "PD100.7,-100.7;");
        EXPECT_EQ(Lines(p), (LineArray{{0, 0, 100, -100}}));
    }
    {
        // Letters after a number join its token: the PU is lost.
        CPltInterpreter p;
        Feed(p, "PD100,200PU300,400;");
        EXPECT_EQ(Lines(p), (LineArray{{0, 0, 100, 200}}));
        EXPECT_EQ(p.m_nLastX, 100);
        EXPECT_EQ(p.m_nLastY, 200);
    }
    {
        CPltInterpreter p;
        Feed(p, "PU10,10;PA20,30;");
        EXPECT_EQ(Lines(p), (LineArray{{10, 10, 20, 30}}));
    }
    {
        // The space ends an empty X; the number becomes Y.
        CPltInterpreter p;
        Feed(p, "PU7,7;PD 5;");
        EXPECT_EQ(Lines(p), (LineArray{{7, 7, 0, 5}}));
    }
    {
        // Pairs follow one another; a lone X is dropped; a tab inside a
        // number is passed over.
        CPltInterpreter p;
        Feed(p, "pd10,0,10,10,1\t0,30,7;");
        EXPECT_EQ(Lines(p), (LineArray{{0, 0, 10, 0}, {10, 0, 10, 10}, {10, 10, 10, 30}}));
        EXPECT_EQ(p.m_nLastX, 10);
        EXPECT_EQ(p.m_nLastY, 30);
    }
    {
        CPltInterpreter p;
        Feed(p, "M 10,20\nD 30,40\r");
        EXPECT_EQ(Lines(p), (LineArray{{10, 20, 30, 40}}));
    }
}

TEST(CommandMachine, SkipsWhatItDoesNotDraw) {
    {
        // Bare D and M need a space; PR, PG, other mnemonics and stray
        // numbers are skipped up to a terminator or ETX.
        CPltInterpreter p;
        Feed(p, "D10,20;M10,20;PR5,5;PG;XY9,9\x03" "12,34;IN;IH;!PD1,1;");
        EXPECT_EQ(Lines(p), (LineArray{{0, 0, 1, 1}}));
    }
    {
        // SP waits for its digit or semicolon, swallowing the next command.
        CPltInterpreter p;
        Feed(p, "SP\nPD10,10;PD20,20;");
        EXPECT_EQ(Lines(p), (LineArray{{0, 0, 20, 20}}));
    }
    {
        CPltInterpreter p;
        Feed(p, "SP1;PD10,10;SP;PD20,20;");
        EXPECT_EQ(Lines(p), (LineArray{{0, 0, 10, 10}, {10, 10, 20, 20}}));
    }
}

TEST(CommandMachine, OverlongParameterWrapsTheToken) {
    {
        CPltInterpreter p;
        Feed(p, "PD" + std::string(512, '9') + "123,5;");
        EXPECT_EQ(Lines(p), (LineArray{{0, 0, 123, 5}}));
    }
    {
        CPltInterpreter p;
        Feed(p, "PD" + std::string(512, '7') + ",5;");
        EXPECT_EQ(Lines(p), (LineArray{{0, 0, 0, 5}}));
    }
    {
        CPltInterpreter p;
        Feed(p, "PD99999999999,-99999999999;");
        EXPECT_EQ(Lines(p), (LineArray{{0, 0, 2147483647.0f, -2147483648.0f}}));
    }
}

TEST(CommandMachine, ScaleCommands) {
    CPltInterpreter p;
    p.m_fScaleX = 2.5f;
    p.m_fScaleY = 3.0f;
    Feed(p, "SC0,100,0,100;");  // no IP with a positive P2 yet
    EXPECT_EQ(p.m_fScaleX, 2.5f);
    EXPECT_EQ(p.m_fScaleY, 3.0f);
    Feed(p, "SC;");
    EXPECT_EQ(p.m_fScaleX, 1.0f);
    EXPECT_EQ(p.m_fScaleY, 1.0f);

    // Product and quotient in double, stored as float: single precision
    // would give 0.0272727292.
    p.m_fScaleX = 0.1f;
    p.m_fScaleY = 0.1f;
    Feed(p, "IP0,0,3,6;SC0,11,0,11;");
    EXPECT_EQ(p.m_fScaleX, 0.0272727273f);
    EXPECT_NE(p.m_fScaleX, 0.1f * 3.0f / 11.0f);
    EXPECT_EQ(p.m_fScaleY, static_cast<float>(0.1f * 6.0 / 11.0));
    // Each SC multiplies into the factors in force.
    Feed(p, "SC0,3,0,6;");
    EXPECT_EQ(p.m_fScaleX, 0.0272727273f);
    EXPECT_EQ(p.m_fScaleY, static_cast<float>(0.1f * 6.0 / 11.0));

    // A fifth parameter lands on the last slot.
    Feed(p, "IP1,2,3,4,8;SC0,2,0,4;");
    EXPECT_EQ(p.m_anIp[3], 8);
    EXPECT_EQ(p.m_fScaleX, static_cast<float>(0.0272727273f * 3.0 / 2.0));
    EXPECT_EQ(p.m_fScaleY, static_cast<float>(static_cast<float>(0.1f * 6.0 / 11.0) * 2.0));
    // A lone parameter never leaves index 0: treated as no parameter.
    Feed(p, "SC100;");
    EXPECT_EQ(p.m_fScaleX, 1.0f);
}

TEST(CommandMachine, LineTypes) {
    {
        CPltInterpreter p;
        Feed(p, "LT2;PD10,0;LT;PD20,0;");
        EXPECT_EQ(Lines(p), (LineArray{{0, 0, 10, 0}, {10, 0, 20, 0}}));
    }
    {
        CPltInterpreter p;
        Feed(p, "LT2,0;PD100,0;LT;PD200,0;");
        EXPECT_EQ(Lines(p), (LineArray{{100, 0, 200, 0}}));
    }
    {
        CPltInterpreter p;
        Feed(p, "LT2,10;PD300,0;");
        LineArray expected;
        for (int i = 0; i < 10; ++i) expected.push_back({30.0f * i, 0, 30.0f * i + 15, 0});
        expected.push_back({300, 0, 300, 0});
        EXPECT_EQ(Lines(p), expected);
    }
    {
        CPltInterpreter p;
        Feed(p, "LT2,10;PD29,0;");
        EXPECT_EQ(Lines(p), (LineArray{{0, 0, 29, 0}}));
    }
    {
        // Three parameters: the second is the type, the third the length.
        CPltInterpreter p;
        Feed(p, "LT1,4,10;PD0,60;");
        EXPECT_EQ(p.m_fDashType, 4.0f);
        EXPECT_EQ(p.m_fDashLength, 10.0f);
        ASSERT_EQ(Lines(p).size(), 3u);
        EXPECT_EQ(Lines(p)[1], (LineF{0, 30, 0, 54}));
    }
}

TEST(CommandMachine, DashedLineSharesAndGuards) {
    {
        // Types outside 0 to 7 are held at the ends; NaN counts as 0.
        CPltInterpreter p;
        p.AddDashedLine(0, 0, 60, 0, 9, 10);
        p.AddDashedLine(0, 0, 60, 0, -3, 10);
        p.AddDashedLine(0, 0, 60, 0, std::nanf(""), 10);
        EXPECT_EQ(Lines(p), (LineArray{{0, 0, 21, 0}, {30, 0, 51, 0}, {60, 0, 60, 0},
                                       {0, 0, 0, 0}, {30, 0, 30, 0}, {60, 0, 60, 0},
                                       {0, 0, 0, 0}, {30, 0, 30, 0}, {60, 0, 60, 0}}));
    }
    {
        // A NaN or infinite pattern length draws the segment whole.
        CPltInterpreter p;
        p.AddDashedLine(0, 0, 60, 0, 2, std::nanf(""));
        p.AddDashedLine(0, 0, 60, 0, 2, std::numeric_limits<float>::infinity());
        p.AddDashedLine(0, 0, 60, 0, 2, -1);
        EXPECT_EQ(Lines(p), (LineArray{{0, 0, 60, 0}, {0, 0, 60, 0}}));
    }
    {
        // A 10 m grain line with pattern length 2: all 66,666 dashes, 6 units apart.
        CPltInterpreter p;
        p.AddDashedLine(0, 0, 400000, 0, 2, 2);
        ASSERT_EQ(Lines(p).size(), 66667u);
        EXPECT_EQ(Lines(p)[1], (LineF{6.00006008f, 0, 9.00008965f, 0}));
        EXPECT_EQ(Lines(p)[66665], (LineF{399994, 0, 399997, 0}));
        EXPECT_EQ(Lines(p).back(), (LineF{400000, 0, 400000, 0}));
    }
    {
        // Counts beyond 32 bits, or beyond the lines the drawing may hold,
        // draw the segment whole.
        CPltInterpreter p;
        p.AddDashedLine(0, 0, 20000000, 0, 2, 0.001f);
        p.AddDashedLine(0, 0, 1, 1, 2, 1e-38f);
        p.m_nMaxLines = 12;
        p.AddDashedLine(0, 0, 300, 0, 2, 10);
        EXPECT_EQ(Lines(p), (LineArray{{0, 0, 20000000, 0}, {0, 0, 1, 1}, {0, 0, 300, 0}}));
        p.m_nMaxLines = 14;
        p.AddDashedLine(0, 0, 300, 0, 2, 10);
        EXPECT_EQ(Lines(p).size(), 14u);
    }
}

// Sums and products are formed in double and each stored value is rounded
// once; float arithmetic, which rounds every product and sum, lands these one
// unit in the last place away (the values after "not").
TEST(CommandMachine, DashEndsAreRoundedOnce) {
    {
        CPltInterpreter p;
        p.AddDashedLine(-51, -33, 34, -33, 3, 5);
        EXPECT_EQ(Lines(p)[2], (LineF{-17, -33, -6.80000019f, -33}));  // not -6.79999924
        p.AddDashedLine(-46, -6, 50, -6, 5, 4);
        EXPECT_EQ(Lines(p)[6 + 3], (LineF{-10, -6, -1.60000002f, -6}));  // not -1.60000038
    }
    {
        CPltInterpreter p;
        p.AddDashedLine(33, 55, -23, 55, 5, 1);
        EXPECT_EQ(Lines(p)[6], (LineF{14.333333f, 55, 12.1555548f, 55}));  // not 14.3333321, 12.1555538
    }
    {
        // The last line starts at x1 + N x step rounded once, short of x2.
        CPltInterpreter p;
        p.AddDashedLine(-58, 2, 3, -21, 2, 4);
        ASSERT_EQ(Lines(p).size(), 6u);
        EXPECT_EQ(Lines(p)[5], (LineF{2.99999905f, -21, 3, -21}));  // not 3
    }
    {
        // The pattern length 0.1 is the float 0.100000001: 3 units hold 9
        // patterns, not the 10 of a float quotient.
        CPltInterpreter p;
        Feed(p, "LT2,0.1;PD3,0;");
        ASSERT_EQ(Lines(p).size(), 10u);
        EXPECT_EQ(Lines(p)[8], (LineF{2.66666675f, 0, 2.83333349f, 0}));
        EXPECT_EQ(Lines(p)[9], (LineF{3, 0, 3, 0}));
    }
    {
        // The length is sqrt(19554082) = 4421.9998 rounded to the float 4422:
        // 1474 dashes, where a float sum of squares gives 1473.
        CPltInterpreter p;
        p.AddDashedLine(0, 0, 4099, 1659, 2, 1);
        ASSERT_EQ(Lines(p).size(), 1475u);
        EXPECT_EQ(Lines(p)[0], (LineF{0, 0, 1.39043415f, 0.562754393f}));
    }
}

TEST(CommandMachine, DirectionAndTextHeight) {
    CPltInterpreter p;
    Feed(p, "DI0,1;");
    EXPECT_EQ(p.m_fLabelAngle, 90.0f);
    Feed(p, "DI-1,0;");
    EXPECT_EQ(p.m_fLabelAngle, 180.0f);
    Feed(p, "DI0,0;");
    EXPECT_EQ(p.m_fLabelAngle, 0.0f);
    // One parameter is the rise; the run stays from before.
    Feed(p, "DI1,0;DI1;");
    EXPECT_EQ(p.m_fDirRun, 1.0f);
    EXPECT_EQ(p.m_fLabelAngle, 45.0f);

    const std::pair<const char*, int32_t> heights[] = {
        {"SI1;", 377},          {"SI2.5;", 944},
        {"SI0.5,2;", 755},      {"SI;", 0},
        {"SInan;", 0},          {"SI1e30;", std::numeric_limits<int32_t>::max()},
        {"SI-1e30\n", std::numeric_limits<int32_t>::min()},
    };
    for (const auto& [command, height] : heights) {
        p.m_nTextHeight = 123;
        Feed(p, command);
        EXPECT_EQ(p.m_nTextHeight, height) << command;
    }
}

TEST(CommandMachine, LabelTextEndsAtTerminatorsAndKeepsThePen) {
    {
        CPltInterpreter p;
        Feed(p, "PU5,5;LBab;PD10,10;");
        ASSERT_GT(Lines(p).size(), 1u);  // the label's outline, then the move
        EXPECT_EQ(Lines(p).back(), (LineF{5, 5, 10, 10}));
    }
    {
        CPltInterpreter p;
        Feed(p, "LBx,y PD10,10\x03PD20,20;");
        ASSERT_GT(Lines(p).size(), 1u);
        EXPECT_EQ(Lines(p).back(), (LineF{0, 0, 20, 20}));
    }
    {
        // Everything up to the terminator is text, even a whole command.
        CPltInterpreter p;
        Feed(p, "LBtext PD10,10 and more");
        EXPECT_TRUE(Lines(p).empty());
        EXPECT_EQ(p.m_nState, 11);
    }
}

}  // namespace
