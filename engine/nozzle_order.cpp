#include "engine/nozzle_order.h"

namespace {

constexpr int kSlotsPerGroup = 7;
constexpr int kGroupsPerColumn = kFiringSlotsPerColumn / kSlotsPerGroup;  // 22

// Slot 7g + i of a column fires nozzle ((3g + groupShift) mod 22) - 2 + 22i.
// The four slots whose nozzle falls outside 0..149 fire nothing; every nozzle
// has exactly one slot.
constexpr NozzleSlotTable SlotsOfColumn(int groupShift) {
    NozzleSlotTable slots{};
    for (int slot = 0; slot < kFiringSlotsPerColumn; ++slot) {
        const int group = slot / kSlotsPerGroup;
        const int inGroup = slot % kSlotsPerGroup;
        const int nozzle = (3 * group + groupShift) % kGroupsPerColumn - 2 + kGroupsPerColumn * inGroup;
        if (nozzle >= 0 && nozzle < kNozzlesPerColumn) slots[nozzle] = static_cast<uint16_t>(slot);
    }
    return slots;
}

uint16_t Lookup(const NozzleSlotTable& table, unsigned n) { return n < table.size() ? table[n] : 0; }

}  // namespace

// Column B's order is column A's shifted by 98 slots: B's slot s fires the
// nozzle of A's slot (s + 98) mod 154.
constexpr NozzleSlotTable NozzleToSlotA = SlotsOfColumn(2);
constexpr NozzleSlotTable NozzleToSlotB = SlotsOfColumn(0);
constexpr NozzleSlotTable NozzleToSlotAReversed = NozzleToSlotA;
constexpr NozzleSlotTable NozzleToSlotBReversed = NozzleToSlotB;

uint16_t GetNozzleSlotA(unsigned n) { return Lookup(NozzleToSlotA, n); }
uint16_t GetNozzleSlotB(unsigned n) { return Lookup(NozzleToSlotB, n); }
uint16_t GetNozzleSlotAReversed(unsigned n) { return Lookup(NozzleToSlotAReversed, n); }
uint16_t GetNozzleSlotBReversed(unsigned n) { return Lookup(NozzleToSlotBReversed, n); }
