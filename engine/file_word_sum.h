#pragma once

#include <cstdint>
#include <span>

// The sum modulo 2^32 of bytes read as consecutive little-endian 32-bit
// words, the last word padded with zero bytes; 0 for no bytes. Tells whether
// a plot file changed between two readings.
uint32_t FileWordSum(std::span<const uint8_t> bytes);
