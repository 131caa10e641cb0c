#include "engine/file_word_sum.h"

uint32_t FileWordSum(std::span<const uint8_t> bytes) {
    uint32_t sum = 0;
    for (size_t start = 0; start < bytes.size(); start += 4) {
        uint32_t word = 0;
        for (size_t k = 0; k < 4 && start + k < bytes.size(); ++k) {
            word |= static_cast<uint32_t>(bytes[start + k]) << (8 * k);
        }
        sum += word;
    }
    return sum;
}
