#pragma once

#include <array>
#include <cstdint>

// The firing order of a print head's nozzle columns. A column fires its
// nozzles one at a time, one nozzle per firing slot; these tables give the
// slot (0..153) of nozzle n (0..149). The same order serves both head types.
inline constexpr int kNozzlesPerColumn = 150;
inline constexpr int kFiringSlotsPerColumn = 154;

using NozzleSlotTable = std::array<uint16_t, kNozzlesPerColumn>;

extern const NozzleSlotTable NozzleToSlotA;
extern const NozzleSlotTable NozzleToSlotB;
// Reverse passes fire in the same order as forward ones.
extern const NozzleSlotTable NozzleToSlotAReversed;
extern const NozzleSlotTable NozzleToSlotBReversed;

// The slot of nozzle n, 0 for n outside the table.
uint16_t GetNozzleSlotA(unsigned n);
uint16_t GetNozzleSlotB(unsigned n);
uint16_t GetNozzleSlotAReversed(unsigned n);
uint16_t GetNozzleSlotBReversed(unsigned n);
