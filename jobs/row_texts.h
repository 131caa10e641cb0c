#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "jobs/job_row_model.h"

// Texts of job rows in the user-interface language.

// The "Size" text of a prepared drawing: string 144, "Width=%0.4f(M),
// Length=%0.4f(M)".
std::string SizeText(float widthM, float lengthM);

// The start position as a row's "More Details" carries it: written with the
// start-position format (string 150, "Begin at %.2fcm"), read back with
// string 142 ("Begin at %fcm") of the same language.
std::string StartPositionText(const std::string& format, float centimetres);

// The centimetres of a start-position text, read as the C library's sscanf
// reads string 142: the words before the number must match (white space
// matching any run of white space), then the number; nothing when they do
// not match or no number follows.
std::optional<float> ParseStartPositionText(const std::string& text);

// The start offset in plotter units: centimetres x 10.0 / mmPerUnit formed in
// double and truncated toward zero; 0 for a negative or non-finite result,
// the largest offset for one beyond 32 bits. mmPerUnit is the float nearest
// 0.025, slightly above it, so 12.5 cm gives 4999, not 5000.
uint32_t StartOffsetUnits(float centimetres, float mmPerUnit);

// The "Size" of a row whose file has not been prepared.
inline constexpr const char* kUnpreparedSize = "* * *";

// A row for a file the list did not have: the state, the path, counter "1",
// size "* * *" and no details.
JobRow NewJobRow(const std::string& state, const std::string& path);
