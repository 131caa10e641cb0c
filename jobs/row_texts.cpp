#include "jobs/row_texts.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

#include "platform/c_numbers.h"
#include "platform/string_table.h"

namespace {

constexpr unsigned kSizeFormat = 144;
constexpr unsigned kReadFormat = 142;

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string_view SkipSpace(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    return text;
}

// Matches the literal part of a scanf format against the front of text;
// what is left of text, or nothing when it does not match.
std::optional<std::string_view> MatchLiteral(std::string_view literal, std::string_view text) {
    for (const char c : literal) {
        if (IsSpace(c)) {
            text = SkipSpace(text);
        } else if (!text.empty() && text.front() == c) {
            text.remove_prefix(1);
        } else {
            return std::nullopt;
        }
    }
    return text;
}

}  // namespace

std::string SizeText(float widthM, float lengthM) {
    std::string text = platform::LoadString(kSizeFormat);
    for (const float value : {widthM, lengthM}) {
        const auto conversion = text.find("%0.4f");
        if (conversion == std::string::npos) break;
        text.replace(conversion, 5, platform::FormatFixed(value, 4));
    }
    return text;
}

std::string StartPositionText(const std::string& format, float centimetres) {
    std::string text = format;
    const auto conversion = text.find("%.2f");
    if (conversion == std::string::npos) return text;
    return text.replace(conversion, 4, platform::FormatFixed(centimetres, 2));
}

std::optional<float> ParseStartPositionText(const std::string& text) {
    const std::string format = platform::LoadString(kReadFormat);
    const auto conversion = format.find("%f");
    if (conversion == std::string::npos) return std::nullopt;
    const auto rest = MatchLiteral(std::string_view(format).substr(0, conversion), text);
    if (!rest) return std::nullopt;
    std::string_view number = SkipSpace(*rest);
    if (!number.empty() && number.front() == '+') number.remove_prefix(1);
    float value = 0;
    if (std::from_chars(number.data(), number.data() + number.size(), value).ec != std::errc()) return std::nullopt;
    return value;
}

uint32_t StartOffsetUnits(float centimetres, float mmPerUnit) {
    const double units = static_cast<double>(centimetres) * 10.0 / static_cast<double>(mmPerUnit);
    if (!(units > 0)) return 0;
    if (units >= static_cast<double>(std::numeric_limits<uint32_t>::max())) return std::numeric_limits<uint32_t>::max();
    return static_cast<uint32_t>(units);
}

JobRow NewJobRow(const std::string& state, const std::string& path) { return {state, path, "1", kUnpreparedSize, ""}; }
