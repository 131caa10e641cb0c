#pragma once

#include <atomic>
#include <cstdint>

// Header words 0-8 of every swath packet: "quvenbatro" two letters a word,
// the first in the low byte, then 0xAAAA, 0x5555, 0xAAAA, 0x5555. Only the
// words after them are sent.
inline constexpr int kSwathPacketHeaderWords = 9;

// 1 at start and at every job start: the next packet is the head-clearing
// test pattern.
extern std::atomic<uint8_t> g_firstTransfer;
// Set by the job runner whenever it ends a job: the next data-finished test
// reports the job finished, once.
extern std::atomic<uint8_t> g_forceEnd;
