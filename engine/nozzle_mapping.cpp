#include "engine/swath_raster.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>

#include "engine/nozzle_order.h"
#include "platform/message_box.h"
#include "platform/string_table.h"

namespace {

constexpr unsigned kNozzleConfigurationIncorrect = 162;
constexpr unsigned kFrameworkCaption = 57344;
constexpr int kHeadPositions = 4;

// Beyond this carriage column a fire-word index is outside any buffer whatever
// the stride (at least 1) and slot (at most 65535), and within it the index
// fits 64 bits.
constexpr int64_t kColumnLimit = INT32_MAX;

bool IsEnabled(const PlotterConfig& config, int position) {
    return config.JetPrintHeadOpenStatus[2 * position] == 1;
}

// The first head position of the first run of `heads` neighbouring enabled
// positions: {0}..{3} for one head, {0,1}, {1,2}, {2,3} for two, {0,1,2},
// {1,2,3} for three, {0,1,2,3} for four. None for any other head count.
std::optional<int> FirstPositionOfHeads(const PlotterConfig& config, int heads) {
    if (heads < 1 || heads > kHeadPositions) return std::nullopt;
    for (int first = 0; first + heads <= kHeadPositions; ++first) {
        bool allEnabled = true;
        for (int position = first; position < first + heads; ++position)
            allEnabled = allEnabled && IsEnabled(config, position);
        if (allEnabled) return first;
    }
    return std::nullopt;
}

// Where the heads sit: position and the X offsets of columns A and B of head k.
// Heads that could not be placed stay at position 0 with zero offsets.
struct HeadPlacement {
    std::array<uint8_t, kHeadPositions> position{};
    std::array<int32_t, kHeadPositions> offsetA{};
    std::array<int32_t, kHeadPositions> offsetB{};
};

// Places the heads; false when the configured heads fit no run of enabled
// positions.
bool PlaceHeads(const PlotterConfig& config, int heads, HeadPlacement& placement) {
    const std::optional<int> first = FirstPositionOfHeads(config, heads);
    if (!first) return false;
    for (int k = 0; k < heads; ++k) {
        const int position = *first + k;
        placement.position[k] = static_cast<uint8_t>(position);
        placement.offsetA[k] = config.JetPrintHeadValueX[2 * position];
        placement.offsetB[k] = config.JetPrintHeadValueX[2 * position + 1];
    }
    return true;
}

// Where the dots of one nozzle column land: dot x fires in carriage column
// origin + direction * x, word column * stride + slot, with bits.
struct ColumnTarget {
    int64_t origin;
    int64_t direction;
    int64_t slot;
    uint16_t bits;
};

class FireWordWriter {
public:
    FireWordWriter(uint16_t* words, int64_t count, int64_t stride) : m_words(words), m_count(count), m_stride(stride) {}

    void Fire(const ColumnTarget& target, int64_t x) const {
        const int64_t column = target.origin + target.direction * x;
        if (column < -kColumnLimit || column > kColumnLimit) return;
        const int64_t index = column * m_stride + target.slot;
        if (index >= 0 && index < m_count) m_words[index] |= target.bits;
    }

private:
    uint16_t* m_words;
    int64_t m_count;
    int64_t m_stride;
};

// count (1..8) bytes as one word, byte i in bits 8i..8i+7, so that bit b of the
// word is dot b of the chunk on any machine.
uint64_t LoadLittleEndian(const uint8_t* bytes, size_t count) {
    uint64_t value = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&value, bytes, count);
    } else {
        for (size_t i = 0; i < count; ++i) value |= uint64_t{bytes[i]} << (8 * i);
    }
    return value;
}

}  // namespace

void CSwathRaster::MapNozzles() {
    if (!ClearFireWords()) return;
    if (m_pPlan == nullptr || m_pPlan->m_pConfig == nullptr) return;
    const SwathPlan& plan = *m_pPlan;
    const PlotterConfig& config = *plan.m_pConfig;

    const int32_t nozzlesPerHead = config.NozzlesPerHead;
    const int32_t heads = nozzlesPerHead > 0 ? config.TotalNozzles / nozzlesPerHead : 0;
    m_nHeadCount = static_cast<uint8_t>(heads);

    HeadPlacement placement;
    if (!PlaceHeads(config, heads, placement)) {
        platform::ShowMessage({platform::LoadString(kNozzleConfigurationIncorrect),
                               platform::LoadString(kFrameworkCaption), platform::MessageButtons::Ok,
                               platform::MessageIcon::Exclamation});
    }
    std::ranges::copy(placement.position, m_abHeadSlot);

    const int64_t stride = config.RowsPerHead;
    if (nozzlesPerHead <= 0 || stride < 1 || m_pRows == nullptr) return;

    const FireWordWriter writer(m_pFireWords.get(), m_nWordCount, stride);
    const bool reverse = plan.m_bReversePass != 0;
    const int32_t rows = std::min(config.TotalNozzles, m_nRowCount);
    const size_t bytesPerRow = static_cast<size_t>(std::max(m_nBytesPerRow, 0));

    for (int32_t r = 0; r < rows; ++r) {
        const int32_t k = r / nozzlesPerHead;
        const auto n = static_cast<unsigned>(r % nozzlesPerHead);
        // Heads past the fourth have no position of their own and print as head 0 would.
        const bool placed = k < kHeadPositions;
        const int position = placed ? placement.position[k] : 0;
        const int64_t offsetA = placed ? placement.offsetA[k] : 0;
        const int64_t offsetB = placed ? placement.offsetB[k] : 0;
        const auto bits = static_cast<uint16_t>((0x11 << position) & 0xFF);

        ColumnTarget columnA{offsetA, 1, reverse ? GetNozzleSlotAReversed(n) : GetNozzleSlotA(n),
                             static_cast<uint16_t>(bits & 0x0F)};
        ColumnTarget columnB{offsetB, 1, reverse ? GetNozzleSlotBReversed(n) : GetNozzleSlotB(n),
                             static_cast<uint16_t>(bits & 0xF0)};
        if (reverse) {
            // Mirrored: dot 0 lands at the far end of the carriage path, shifted
            // back by the joint correction and the head's Y offset.
            const int64_t farEnd = int64_t{plan.m_nColumns} - config.EdLRCrcValue -
                                   config.JetPrintHeadValueY[2 * position];
            columnA.origin = farEnd - offsetA;
            columnB.origin = farEnd - offsetB;
            columnA.direction = columnB.direction = -1;
        }

        const uint8_t* row = Row(r);
        const auto fireChunk = [&](uint64_t dots, size_t firstByte) {
            while (dots != 0) {
                const int64_t x = static_cast<int64_t>(firstByte) * 8 + std::countr_zero(dots);
                dots &= dots - 1;
                writer.Fire(columnA, x);
                writer.Fire(columnB, x);
            }
        };
        size_t byte = 0;
        for (; byte + 8 <= bytesPerRow; byte += 8) fireChunk(LoadLittleEndian(row + byte, 8), byte);
        if (byte < bytesPerRow) fireChunk(LoadLittleEndian(row + byte, bytesPerRow - byte), byte);
    }
}

void CSwathRaster::MapNozzlesThunk() { MapNozzles(); }
