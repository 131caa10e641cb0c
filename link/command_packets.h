#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

// The two datagrams of the plotter's command channel: 16 bytes each, four
// unsigned 32-bit words in little-endian order whatever the host's order.
// Checks are sums modulo 2^32, which unsigned arithmetic gives for free.
inline constexpr std::size_t kPacketSize = 16;

using PacketBytes = std::array<uint8_t, kPacketSize>;

// PC to plotter.
struct CommandPacket {
    uint32_t command = 0;
    uint32_t value = 0;
    uint32_t check = 0;
    uint32_t reserved = 0;

    // The request for command with value, its check filled in.
    static CommandPacket For(uint32_t command, uint32_t value);
    // The packet in bytes; nothing when bytes is not exactly 16 long.
    static std::optional<CommandPacket> Decode(std::span<const uint8_t> bytes);

    PacketBytes Encode() const;
};

// Plotter to PC.
struct ReplyPacket {
    uint32_t code = 0;
    uint32_t value = 0;
    uint32_t position = 0;
    uint32_t check = 0;

    // The reply with code, value and position, its check filled in.
    static ReplyPacket For(uint32_t code, uint32_t value, uint32_t position);
    // The packet in bytes; nothing when bytes is not exactly 16 long. The
    // check is not looked at: see HasValidCheck.
    static std::optional<ReplyPacket> Decode(std::span<const uint8_t> bytes);

    PacketBytes Encode() const;
    bool HasValidCheck() const { return check == code + value + position; }
};
