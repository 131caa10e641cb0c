#include "platform/c_numbers.h"

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <utility>

#include <gtest/gtest.h>

namespace platform {
namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

TEST(Atoi, ReadsSignAndDigitsAfterWhiteSpace) {
    EXPECT_EQ(Atoi("42"), 42);
    EXPECT_EQ(Atoi(" \t\n\v\f\r-17"), -17);
    EXPECT_EQ(Atoi("+8"), 8);
    EXPECT_EQ(Atoi("-12abc"), -12);
    EXPECT_EQ(Atoi("3.9"), 3);
    EXPECT_EQ(Atoi("007"), 7);
}

TEST(Atoi, GivesZeroWithoutDigits) {
    EXPECT_EQ(Atoi(""), 0);
    EXPECT_EQ(Atoi("abc"), 0);
    EXPECT_EQ(Atoi("-"), 0);
    EXPECT_EQ(Atoi("+-5"), 0);
    EXPECT_EQ(Atoi("- 5"), 0);
    EXPECT_EQ(Atoi("\x01" "5"), 0);
}

TEST(Atoi, SaturatesAtThe32BitLimits) {
    EXPECT_EQ(Atoi("2147483647"), kMax);
    EXPECT_EQ(Atoi("2147483648"), kMax);
    EXPECT_EQ(Atoi("-2147483648"), kMin);
    EXPECT_EQ(Atoi("-2147483649"), kMin);
    EXPECT_EQ(Atoi("99999999999"), kMax);
    EXPECT_EQ(Atoi("-" + std::string(5000, '9')), kMin);
    EXPECT_EQ(Atoi(std::string(5000, '0') + "12"), 12);
}

TEST(Atoi, StopsAtTheEndOfTheView) {
    const std::string text = "123456";
    EXPECT_EQ(Atoi(std::string_view(text).substr(0, 3)), 123);
}

TEST(Atof, ReadsWhatStrtodReads) {
    EXPECT_EQ(Atof("1.5"), 1.5);
    EXPECT_EQ(Atof("  -2.5e3xyz"), -2500.0);
    EXPECT_EQ(Atof("17.45"), 17.45);
    EXPECT_EQ(Atof(".5"), 0.5);
    EXPECT_EQ(Atof("0x1p4"), 16.0);
    EXPECT_EQ(Atof("1e999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(Atof("-INF"), -std::numeric_limits<double>::infinity());
    EXPECT_TRUE(std::isnan(Atof("nan")));
}

TEST(Atof, GivesZeroWithoutANumber) {
    EXPECT_EQ(Atof(""), 0.0);
    EXPECT_EQ(Atof("abc"), 0.0);
    EXPECT_EQ(Atof("-"), 0.0);
    EXPECT_EQ(Atof("1,5"), 1.0);
}

TEST(Atof, StopsAtTheEndOfTheView) {
    const std::string text = "12345";
    EXPECT_EQ(Atof(std::string_view(text).substr(0, 2)), 12.0);
    EXPECT_EQ(Atof(std::string_view("1e5", 2)), 1.0);
}

// What an operator types into a decimal edit, and what "config.ini" holds.
TEST(ReadDecimal, TakesTheLongestLeadingDecimalNumberOnly) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<const char*, double> cases[] = {
        {"300.000000", 300.0}, {" \t-2.5e3xyz", -2500.0}, {"17.4500", 17.45}, {".5", 0.5}, {"5.", 5.0},
        {"+1.5.7", 1.5},       {"2e", 2.0},                {"2e+", 2.0},        {"3E-1x", 0.3}, {"1,5", 1.0},
        {"0x10", 0.0},         {"inf", 0.0},               {"-INF", 0.0},       {"nan", 0.0},   {"", 0.0},
        {".", 0.0},            {"-e5", 0.0},               {"1e999", inf},      {"-1e999", -inf},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ReadDecimal(text), expected) << text;
    EXPECT_EQ(ReadDecimal(std::string_view("1e5", 2)), 1.0);
}

TEST(ReadDecimal, HoldsAFloatWithinTheFloatRange) {
    constexpr float kLargest = std::numeric_limits<float>::max();
    EXPECT_EQ(ReadDecimalFloat("1e40"), kLargest);
    EXPECT_EQ(ReadDecimalFloat("-1e999"), -kLargest);
    EXPECT_EQ(ReadDecimalFloat("3.4028234e38"), kLargest);
    EXPECT_EQ(ReadDecimalFloat("180.5"), 180.5f);
    EXPECT_EQ(ReadDecimalFloat("1e-50"), 0.0f);
}

TEST(FormatFixed, WritesTheFileFormats) {
    EXPECT_EQ(FormatFixed(300.0, 6), "300.000000");
    EXPECT_EQ(FormatFixed(1.0, 4), "1.0000");
    EXPECT_EQ(FormatFixed(17.45, 4), "17.4500");
    EXPECT_EQ(FormatFixed(180.0, 1), "180.0");
    EXPECT_EQ(FormatFixed(-0.0, 2), "-0.00");
    EXPECT_EQ(FormatFixed(2.5, 0), "2");
}

TEST(FormatFixed, WritesInfinityAndNanAsPrintfDoes) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(FormatFixed(inf, 4), "inf");
    EXPECT_EQ(FormatFixed(-inf, 4), "-inf");
    EXPECT_EQ(FormatFixed(nan, 1), "nan");
    EXPECT_EQ(FormatFixed(-nan, 1), "-nan");
}

// The test process runs in the "C" locale, where snprintf is the reference.
TEST(FormatFixed, MatchesPrintfForAnyDouble) {
    std::mt19937_64 random(20240601);
    for (int i = 0; i < 3000; ++i) {
        const double value = std::bit_cast<double>(random());
        const int decimals = static_cast<int>(random() % 25) - 2;
        char expected[400];
        std::snprintf(expected, sizeof expected, "%.*f", decimals, value);
        ASSERT_EQ(FormatFixed(value, decimals), expected) << "decimals " << decimals;
    }
}

// Switches the process to the first installed locale with a decimal comma for
// the lifetime of the object.
class DecimalCommaLocale {
public:
    DecimalCommaLocale() : saved_(std::setlocale(LC_ALL, nullptr)) {
        for (const char* name : {"de_DE.UTF-8", "tr_TR.UTF-8", "fr_FR.UTF-8", "de_DE.utf8", "de_DE"}) {
            if (std::setlocale(LC_ALL, name) != nullptr) {
                active_ = true;
                return;
            }
        }
    }
    ~DecimalCommaLocale() { std::setlocale(LC_ALL, saved_.c_str()); }
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

    bool active() const { return active_; }

private:
    std::string saved_;
    bool active_ = false;
};

TEST(CNumbers, IgnoreTheProcessLocale) {
    const DecimalCommaLocale locale;
    if (!locale.active()) {
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    ASSERT_EQ(std::localeconv()->decimal_point, std::string(","));
    EXPECT_EQ(Atof("1.5"), 1.5);
    EXPECT_EQ(ReadDecimal("1.5"), 1.5);
    EXPECT_EQ(FormatFixed(1.5, 4), "1.5000");
    EXPECT_EQ(Atoi("1.5"), 1);
}

}  // namespace
}  // namespace platform
