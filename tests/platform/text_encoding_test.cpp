#include <gtest/gtest.h>

#include <string>

#include "platform/text_encoding.h"

namespace {

using platform::GbkCodeToUnicode;
using platform::Utf8ToGbk;

TEST(TextEncoding, Utf8ToGbkConvertsLabelTexts) {
    EXPECT_EQ(Utf8ToGbk("文件名: a.plt"), "\xCE\xC4\xBC\xFE\xC3\xFB: a.plt");
    EXPECT_EQ(Utf8ToGbk("  完成时间: 9:05:01"), "  \xCD\xEA\xB3\xC9\xCA\xB1\xBC\xE4: 9:05:01");
    EXPECT_EQ(Utf8ToGbk(""), "");

    // Longer than one conversion buffer.
    std::string longText;
    std::string longGbk;
    for (int i = 0; i < 300; ++i) {
        longText += "中";
        longGbk += "\xD6\xD0";
    }
    EXPECT_EQ(Utf8ToGbk(longText), longGbk);
}

TEST(TextEncoding, Utf8ToGbkMarksWhatItCannotConvert) {
    EXPECT_EQ(Utf8ToGbk("a😀b"), "a?b");                // no GBK form
    EXPECT_EQ(Utf8ToGbk("a\xFF" "b"), "a?b");            // not UTF-8
    EXPECT_EQ(Utf8ToGbk("\xE4" "A"), "?A");              // lead byte without its continuation
    EXPECT_EQ(Utf8ToGbk("\xE4\xB8\xADx\xE4\xB8"), "\xD6\xD0x?");  // cut short at the end
}

TEST(TextEncoding, GbkCodesToUnicode) {
    EXPECT_EQ(GbkCodeToUnicode('A'), U'A');
    EXPECT_EQ(GbkCodeToUnicode(0), U'\0');
    EXPECT_EQ(GbkCodeToUnicode(0xD6D0), U'中');
    EXPECT_EQ(GbkCodeToUnicode(0xCEC4), U'文');
    EXPECT_EQ(GbkCodeToUnicode(0xD600), std::nullopt);  // lead byte with a zero trail
    EXPECT_EQ(GbkCodeToUnicode(0x4142), std::nullopt);  // two single-byte characters
    EXPECT_EQ(GbkCodeToUnicode(0x1D6D0), std::nullopt);
}

TEST(TextEncoding, GbkToUtf8TakesWholeGbkTextsOnly) {
    EXPECT_EQ(platform::GbkToUtf8("\xCE\xC4\xBC\xFE\xC3\xFB.plt"), "文件名.plt");
    EXPECT_EQ(platform::GbkToUtf8(""), "");
    EXPECT_EQ(platform::GbkToUtf8("a\xFF"), std::nullopt);  // lead byte without its trail
    std::string longGbk;
    std::string longText;
    for (int i = 0; i < 300; ++i) {
        longGbk += "\xD6\xD0";
        longText += "中";
    }
    EXPECT_EQ(platform::GbkToUtf8(longGbk), longText);  // longer than one conversion buffer
}

}  // namespace
