#include "engine/swath_packing.h"

#include <cassert>
#include <cstring>

namespace {

// Packets run to millions of words, so the loops below take four words at a
// time as one 64-bit value. Every step keeps each word's bits inside that
// word, which makes the result the same in any byte order.
constexpr uint64_t InEveryWord(uint16_t word) { return word * 0x0001'0001'0001'0001ull; }

// out[i] := combine(out[i], in[i]) for every i below out's size.
template <typename Combine>
void CombineWords(std::span<uint16_t> out, std::span<const uint16_t> in, Combine combine) {
    assert(in.size() >= out.size());
    const size_t count = out.size();
    size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        uint64_t outWords;
        uint64_t inWords;
        std::memcpy(&outWords, out.data() + i, sizeof outWords);
        std::memcpy(&inWords, in.data() + i, sizeof inWords);
        outWords = combine(outWords, inWords);
        std::memcpy(out.data() + i, &outWords, sizeof outWords);
    }
    for (; i < count; ++i) out[i] = static_cast<uint16_t>(combine(out[i], in[i]));
}

}  // namespace

void WriteSwathPacketHeader(std::span<uint16_t, kSwathPacketHeaderWords> header) {
    static constexpr char kLetters[] = "quvenbatro";
    for (int w = 0; w < 5; ++w)
        header[w] = static_cast<uint16_t>(static_cast<uint8_t>(kLetters[2 * w]) |
                                          static_cast<uint8_t>(kLetters[2 * w + 1]) << 8);
    header[5] = header[7] = 0xAAAA;
    header[6] = header[8] = 0x5555;
}

void PackTwoPassWords(std::span<uint16_t> payload, std::span<const uint16_t> fireWords, int pass) {
    constexpr uint64_t lowBytes = InEveryWord(0x00FF);
    if (pass == 0)
        CombineWords(payload, fireWords, [](uint64_t, uint64_t fire) { return fire & lowBytes; });
    else
        CombineWords(payload, fireWords, [](uint64_t word, uint64_t fire) { return word | (fire & lowBytes) << 8; });
}

void PackFourPassWords(std::span<uint16_t> payload, std::span<const uint16_t> fireWords, int pass,
                       int32_t headPairSelector) {
    static constexpr int kPassShift[4] = {0, 2, 8, 10};
    if (pass < 0 || pass > 3) return;
    if (headPairSelector < 1 || headPairSelector > 3) {
        // Nozzle configuration refused: the packet carries no fire bits.
        if (pass == 0) CombineWords(payload, fireWords, [](uint64_t, uint64_t) { return uint64_t{0}; });
        return;
    }
    const int down = headPairSelector - 1;
    const int up = kPassShift[pass];
    const uint64_t kept = InEveryWord(static_cast<uint16_t>(0x33 << down));
    if (pass == 0)
        CombineWords(payload, fireWords, [=](uint64_t, uint64_t fire) { return (fire & kept) >> down; });
    else
        CombineWords(payload, fireWords,
                     [=](uint64_t word, uint64_t fire) { return word | ((fire & kept) >> down) << up; });
}

void SwapMiddleNibbles(std::span<uint16_t> words) {
    constexpr uint64_t stay = InEveryWord(0xF00F);
    constexpr uint64_t low = InEveryWord(0x00F0);
    constexpr uint64_t high = InEveryWord(0x0F00);
    CombineWords(words, words, [](uint64_t w, uint64_t) { return (w & stay) | (w & low) << 4 | (w & high) >> 4; });
}
