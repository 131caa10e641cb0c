#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Conversions between the program's UTF-8 texts and the 8-bit GBK (code
// page 936) text that labels are drawn from.
namespace platform {

// utf8 in GBK; a character without a GBK form, or a byte that is not valid
// UTF-8, becomes '?'.
std::string Utf8ToGbk(std::string_view utf8);

// gbk in UTF-8; nothing when it is not wholly valid GBK. File names copied
// from Windows shares often come in GBK.
std::optional<std::string> GbkToUtf8(std::string_view gbk);

// The Unicode character of a GBK character code: a byte below 0x80 is ASCII,
// a code above 0xFF is lead byte x 256 + trail byte. Nothing for a code that
// GBK does not define.
std::optional<char32_t> GbkCodeToUnicode(uint32_t code);

}  // namespace platform
