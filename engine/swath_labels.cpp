#include "engine/swath_labels.h"

#include <cstdio>

namespace {

std::string ClockText(const char* format, const std::tm& time) {
    char text[64];
    std::snprintf(text, sizeof text, format, time.tm_hour, time.tm_min, time.tm_sec);
    return text;
}

}  // namespace

std::string PrintFileName(std::string_view path) {
    const size_t slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string FinishingLabelText(std::string_view fileName, const std::tm& time) {
    return "文件名: " + std::string(fileName) + ClockText("  完成时间: %2d:%02d:%02d", time);
}

std::string StartingLabelText(std::string_view model, std::string_view fileName, const std::tm& time) {
    return std::string(model) + "  文件名: " + std::string(fileName) + ClockText("  开始时间: %2d:%02d:%02d", time);
}

void FlipLabelIntoPass(LineArray& lines, int pass, int32_t swathHeight) {
    const double bottom = (pass + 1.0) * swathHeight;
    for (LineF& line : lines) {
        line.y1 = static_cast<float>(bottom - line.y1);
        line.y2 = static_cast<float>(bottom - line.y2);
    }
}
