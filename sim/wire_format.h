#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace sim {

// Requests and replies of the command channel are four little-endian 32-bit
// words each.
constexpr std::size_t kPacketBytes = 16;

struct Request {
    uint32_t command = 0;
    uint32_t value = 0;
};

// The command and value of a datagram of exactly 16 bytes whose third word is
// command + value (mod 2^32); nothing for anything else.
std::optional<Request> DecodeRequest(std::span<const uint8_t> datagram);

// The command and value words of a datagram of any length, zero where the
// datagram is too short; for logging requests that are not valid.
Request PeekRequest(std::span<const uint8_t> datagram);

// A reply with code, value, position and the check code + value + position
// (mod 2^32).
std::array<uint8_t, kPacketBytes> EncodeReply(uint32_t code, uint32_t value, uint32_t position);

// The sum (mod 2^32) of the payload's 16-bit little-endian words; an odd last
// byte counts as a word whose high byte is zero.
uint32_t PayloadWordSum(std::span<const uint8_t> payload);

}  // namespace sim
