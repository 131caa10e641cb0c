#pragma once

#include <cstdint>
#include <span>

#include "engine/swath_packet.h"

// Writes header words 0-8 of a swath packet.
void WriteSwathPacketHeader(std::span<uint16_t, kSwathPacketHeaderWords> header);

// Two-pass packing of fire word i into payload word i, for i below the
// payload's size: pass 0 sets the low byte, pass 1 adds its fire word in the
// high byte.
void PackTwoPassWords(std::span<uint16_t> payload, std::span<const uint16_t> fireWords, int pass);

// Four-pass packing: only the fire bits of head positions b - 1 and b are kept
// (b = headPairSelector, 1 to 3), as two bits per column at pass 0, 1, 2, 3:
// column A bits 0-1, 2-3, 4-5, 6-7, column B bits 8-9, 10-11, 12-13, 14-15
// (before the nibble swap). Any other selector names no pair: no fire bits.
void PackFourPassWords(std::span<uint16_t> payload, std::span<const uint16_t> fireWords, int pass,
                       int32_t headPairSelector);

// Bits 4-7 and 8-11 of every word change places, the order the plotter reads.
void SwapMiddleNibbles(std::span<uint16_t> words);
