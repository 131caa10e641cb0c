#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "engine/plt_interpreter.h"
#include "engine/text_outline.h"
#include "platform/message_box.h"
#include "platform/string_table.h"
#include "tests/support/message_recorder.h"

namespace {

using platform::FixedMatrix;
using platform::FixedPoint;
using platform::GlyphFont;
using platform::GlyphOutline;
using platform::OutlineContour;

constexpr int32_t kOne = 65536;
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

FixedPoint P(double x, double y) { return {DoubleToFixed(x), DoubleToFixed(y)}; }

// A glyph source with fixed outlines per code that records every query; a
// code it does not know fails.
struct FakeGlyphs {
    struct Query {
        GlyphFont font;
        uint32_t code;
        FixedMatrix matrix;
    };
    std::map<uint32_t, GlyphOutline> outlines;
    std::vector<Query> queries;

    GlyphOutlineSource Source() {
        return [this](const GlyphFont& font, uint32_t code, const FixedMatrix& matrix, GlyphOutline& out) {
            queries.push_back({font, code, matrix});
            const auto found = outlines.find(code);
            out = found == outlines.end() ? GlyphOutline{} : found->second;
            return found != outlines.end();
        };
    }
    std::vector<uint32_t> Codes() const {
        std::vector<uint32_t> codes;
        for (const Query& query : queries) codes.push_back(query.code);
        return codes;
    }
};

// Two contours: a line and a spline record, then a single line point.
GlyphOutline LetterA() {
    return {{OutlineContour{P(1.5, 0), {{1, {P(5, 10), P(9.9, 0)}}, {2, {P(7, -1.5), P(3, -1.5), P(2, 0)}}}},
             OutlineContour{P(4, 3), {{1, {P(6, 3)}}}}},
            10,
            0};
}

LineArray Label(FakeGlyphs& glyphs, const std::string& text, int32_t x = 100, int32_t y = 200, float angle = 0) {
    LineArray lines;
    AppendTextOutline(lines, "宋体", 260, x, y, text, angle, glyphs.Source());
    return lines;
}

TEST(TextOutline, FixedPointConversions) {
    EXPECT_EQ(FixedToInt(kOne * 3 / 2), 1);
    EXPECT_EQ(FixedToInt(-kOne * 3 / 2), -1);  // toward zero
    EXPECT_EQ(FixedToInt(kOne - 1), 0);
    EXPECT_EQ(FixedToInt(-kOne + 1), 0);
    EXPECT_EQ(FixedToInt(kMin), -32768);
    EXPECT_EQ(FixedToInt(kMax), 32767);

    EXPECT_EQ(DoubleToFixed(1.0), 65536);
    EXPECT_EQ(DoubleToFixed(0.0), 0);
    EXPECT_EQ(DoubleToFixed(-1.5), -98304);
    EXPECT_EQ(DoubleToFixed(1.0 / 131072), 0);  // half a unit truncates
    EXPECT_EQ(DoubleToFixed(-1.0 / 131072), 0);
    EXPECT_EQ(DoubleToFixed(1e10), kMax);
    EXPECT_EQ(DoubleToFixed(-1e10), kMin);
    EXPECT_EQ(DoubleToFixed(std::nan("")), 0);
    EXPECT_EQ(DoubleToFixed(std::numeric_limits<double>::infinity()), kMax);
}

TEST(TextOutline, OneLetterGivesOneSegmentPerPointAndClosesEachContour) {
    FakeGlyphs glyphs;
    glyphs.outlines['A'] = LetterA();
    // Points truncate toward zero before the origin (100, 200) is added:
    // 1.5 -> 1, 9.9 -> 9, -1.5 -> -1.
    EXPECT_EQ(Label(glyphs, "A"), (LineArray{{101, 200, 105, 210},
                                             {105, 210, 109, 200},
                                             {109, 200, 107, 199},
                                             {107, 199, 103, 199},
                                             {103, 199, 102, 200},
                                             {102, 200, 101, 200},
                                             {104, 203, 106, 203},
                                             {106, 203, 104, 203}}));
    ASSERT_EQ(glyphs.queries.size(), 1u);
    EXPECT_EQ(glyphs.queries[0].font.face, "宋体");
    EXPECT_EQ(glyphs.queries[0].font.height, 260);
    EXPECT_EQ(glyphs.queries[0].font.escapement, 0);
    const FixedMatrix& m = glyphs.queries[0].matrix;
    EXPECT_EQ(std::vector({m.m11, m.m12, m.m21, m.m22}), std::vector({65536, 0, 0, 65536}));

    glyphs.queries.clear();
    EXPECT_TRUE(Label(glyphs, "").empty());
    EXPECT_TRUE(glyphs.queries.empty());
}

TEST(TextOutline, OriginAdvancesByTheCellIncrementPlusThree) {
    FakeGlyphs glyphs;
    glyphs.outlines[' '] = {{}, 50, 0};
    glyphs.outlines['.'] = {{OutlineContour{P(0, 0), {}}}, 10, -7};
    // A space adds nothing and moves the next glyph by 50 + 3.
    EXPECT_EQ(Label(glyphs, " ."), (LineArray{{153, 200, 153, 200}}));
    // The second glyph starts at 100 + 10 + 3 and 200 - (-7).
    EXPECT_EQ(Label(glyphs, ".."), (LineArray{{100, 200, 100, 200}, {113, 207, 113, 207}}));
    // A failed query adds nothing and moves by the 3 units only.
    EXPECT_EQ(Label(glyphs, "?."), (LineArray{{103, 200, 103, 200}}));
    // The origin stays within 32 bits.
    EXPECT_EQ(Label(glyphs, " .", kMax - 10, kMin),
              (LineArray{{static_cast<float>(kMax), static_cast<float>(kMin), static_cast<float>(kMax),
                          static_cast<float>(kMin)}}));
    glyphs.outlines['F'] = {{OutlineContour{P(30000, -30000), {{1, {P(-30000, 30000)}}}}}, 0, 0};
    EXPECT_EQ(Label(glyphs, "F", kMax, kMin).front(),
              (LineF{static_cast<float>(kMax), static_cast<float>(kMin), static_cast<float>(kMax - 30000),
                     static_cast<float>(kMin + 30000)}));
}

TEST(TextOutline, CharacterCodesAndEscapement) {
    FakeGlyphs glyphs;
    Label(glyphs, "A\xD6\xD0" "B");
    EXPECT_EQ(glyphs.Codes(), (std::vector<uint32_t>{'A', 0xD6D0, 'B'}));
    glyphs.queries.clear();
    Label(glyphs, "\x81\x30z\xD6");  // the trail may be any byte; a last lead byte takes 0
    EXPECT_EQ(glyphs.Codes(), (std::vector<uint32_t>{0x8130, 'z', 0xD600}));

    const std::vector<std::pair<float, int32_t>> angles = {
        {90.0f, 900}, {12.37f, 123}, {-12.37f, -123}, {0.09f, 0}, {std::nanf(""), 0}, {1e30f, kMax}};
    for (const auto& [angle, escapement] : angles) {
        glyphs.queries.clear();
        Label(glyphs, "A", 0, 0, angle);
        ASSERT_EQ(glyphs.queries.size(), 1u);
        EXPECT_EQ(glyphs.queries[0].font.escapement, escapement) << angle;
    }
}

TEST(TextOutline, UnsupportedRecordIsReportedAndSkipped) {
    MessageRecorder messages;
    FakeGlyphs glyphs;
    glyphs.outlines['C'] = {
        {OutlineContour{P(0, 0), {{1, {P(1, 0)}}, {3, {P(2, 0), P(3, 1), P(3, 3)}}, {2, {P(0, 3), P(0, 1)}}}}}, 0, 0};
    // The cubic record adds nothing; the contour goes on from (1, 0).
    EXPECT_EQ(Label(glyphs, "C", 0, 0),
              (LineArray{{0, 0, 1, 0}, {1, 0, 0, 3}, {0, 3, 0, 1}, {0, 1, 0, 0}}));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "字体不支持");
    EXPECT_EQ(messages.shown[0].caption, platform::LoadString(57344));
    EXPECT_EQ(messages.shown[0].buttons, platform::MessageButtons::Ok);
}

TEST(TextOutline, LongRecordIsDrawnWhole) {
    std::vector<FixedPoint> points;
    for (int i = 1; i <= 1500; ++i) points.push_back(P(i % 100, i / 100));
    CPltInterpreter interpreter;
    int32_t cx = 5;
    int32_t cy = 6;
    interpreter.AddGlyphCurve(2, points, 1000, 2000, cx, cy);
    const LineArray& lines = interpreter.m_drawing.m_lines;
    ASSERT_EQ(lines.size(), 1500u);
    EXPECT_EQ(lines.front(), (LineF{5, 6, 1001, 2000}));
    EXPECT_EQ(lines[1000], (LineF{1000, 2010, 1001, 2010}));
    EXPECT_EQ(lines.back(), (LineF{1099, 2014, 1000, 2015}));
    EXPECT_EQ(cx, 1000);
    EXPECT_EQ(cy, 2015);
}

TEST(TextOutline, LabelFromTheInstalledFont) {
    GlyphOutline letter;
    ASSERT_TRUE(platform::GetGlyphOutline({"宋体", 260, 0}, 'I', {65536, 0, 0, 65536}, letter));
    size_t segmentsPerLetter = 0;
    for (const OutlineContour& contour : letter.contours) {
        for (const platform::OutlineRecord& record : contour.records) segmentsPerLetter += record.points.size();
        ++segmentsPerLetter;  // the closing segment
    }
    CPltInterpreter interpreter;
    interpreter.AddLabelText("宋体", 260, 100, 600, "II", 0.0f);
    const LineArray& lines = interpreter.m_drawing.m_lines;
    ASSERT_EQ(lines.size(), 2 * segmentsPerLetter);
    const FixedPoint start = letter.contours[0].start;
    EXPECT_EQ(lines[0].x1, static_cast<float>(FixedToInt(start.x) + 100));
    EXPECT_EQ(lines[0].y1, static_cast<float>(FixedToInt(start.y) + 600));
    EXPECT_EQ(lines[segmentsPerLetter].x1, static_cast<float>(FixedToInt(start.x) + 100 + letter.cellIncX + 3));
    EXPECT_EQ(lines[segmentsPerLetter].y1, lines[0].y1);
}

}  // namespace
