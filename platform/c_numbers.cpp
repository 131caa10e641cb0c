#include "platform/c_numbers.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace platform {
namespace {

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The "C" locale, made once and never freed, for the *_l conversions.
locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return locale;
}

}  // namespace

int32_t Atoi(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulated as a magnitude in 64 bits and held at the first value beyond
    // the 32-bit range, so no number of digits can overflow it.
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    int64_t magnitude = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        if (magnitude < kLimit) {
            magnitude = magnitude * 10 + (text[i] - '0');
        }
    }
    if (negative) {
        return magnitude >= kLimit ? std::numeric_limits<int32_t>::min() : static_cast<int32_t>(-magnitude);
    }
    return magnitude >= kLimit ? std::numeric_limits<int32_t>::max() : static_cast<int32_t>(magnitude);
}

double Atof(std::string_view text) {
    // strtod needs a terminated string; the copy also stops it at the end of
    // the view.
    const std::string terminated(text);
    return strtod_l(terminated.c_str(), nullptr, CLocale());
}

double ReadDecimal(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsCSpace(text[i])) {
        ++i;
    }
    const size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    const auto skipDigits = [&] {
        const size_t first = i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
        }
        return i - first;
    };
    size_t digits = skipDigits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        digits += skipDigits();
    }
    if (digits == 0) return 0.0;
    // An exponent counts only with at least one digit: "2e" is 2.
    const size_t mantissaEnd = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            ++i;
        }
        if (skipDigits() == 0) i = mantissaEnd;
    }
    // Only the decimal part goes to strtod, so it cannot read more.
    const std::string number(text.substr(start, i - start));
    return strtod_l(number.c_str(), nullptr, CLocale());
}

float ReadDecimalFloat(std::string_view text) {
    constexpr double kLargest = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(ReadDecimal(text), -kLargest, kLargest));
}

std::string FormatFixed(double value, int decimals) {
    // printf treats a negative precision as if none were given.
    const int precision = decimals < 0 ? 6 : decimals;
    // Sign, up to 309 integer digits, the point and the decimals. to_chars
    // writes infinities and NaNs as printf does ("inf", "-nan"...).
    std::string out(static_cast<size_t>(precision) + 320, '\0');
    const auto result = std::to_chars(out.data(), out.data() + out.size(), value, std::chars_format::fixed, precision);
    out.resize(static_cast<size_t>(result.ptr - out.data()));
    return out;
}

}  // namespace platform
