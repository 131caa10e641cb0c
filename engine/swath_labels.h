#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "engine/line_f.h"

// The labels printed with a job, as UTF-8 text: the finishing label in the
// extra swath after the drawing and the starting label beside the test
// pattern's stripes.
inline constexpr const char* kLabelFace = "宋体";
inline constexpr int32_t kLabelHeight = 260;  // plotter units
inline constexpr int32_t kFinishingLabelX = 100;
inline constexpr int32_t kLabelY = 600;

// The file's name: path after its last "/", the whole path without one.
std::string PrintFileName(std::string_view path);
// "文件名: NAME  完成时间: HH:MM:SS".
std::string FinishingLabelText(std::string_view fileName, const std::tm& time);
// "MODEL  文件名: NAME  开始时间: HH:MM:SS".
std::string StartingLabelText(std::string_view model, std::string_view fileName, const std::tm& time);

// Turns label lines drawn with Y up into pass p of a packet: every y becomes
// (p + 1) x swathHeight - y, so the label stands upright in the rows of
// swath p, whose Y runs down the paper.
void FlipLabelIntoPass(LineArray& lines, int pass, int32_t swathHeight);
