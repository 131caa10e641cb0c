#include "link/command_packets.h"

namespace {

void PutWord(PacketBytes& bytes, std::size_t offset, uint32_t word) {
    for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(word >> (8 * i));
}

uint32_t GetWord(std::span<const uint8_t> bytes, std::size_t offset) {
    uint32_t word = 0;
    for (std::size_t i = 0; i < 4; ++i) word |= static_cast<uint32_t>(bytes[offset + i]) << (8 * i);
    return word;
}

}  // namespace

CommandPacket CommandPacket::For(uint32_t command, uint32_t value) {
    return {command, value, command + value, 0};
}

std::optional<CommandPacket> CommandPacket::Decode(std::span<const uint8_t> bytes) {
    if (bytes.size() != kPacketSize) return std::nullopt;
    return CommandPacket{GetWord(bytes, 0), GetWord(bytes, 4), GetWord(bytes, 8), GetWord(bytes, 12)};
}

PacketBytes CommandPacket::Encode() const {
    PacketBytes bytes{};
    PutWord(bytes, 0, command);
    PutWord(bytes, 4, value);
    PutWord(bytes, 8, check);
    PutWord(bytes, 12, reserved);
    return bytes;
}

ReplyPacket ReplyPacket::For(uint32_t code, uint32_t value, uint32_t position) {
    return {code, value, position, code + value + position};
}

std::optional<ReplyPacket> ReplyPacket::Decode(std::span<const uint8_t> bytes) {
    if (bytes.size() != kPacketSize) return std::nullopt;
    return ReplyPacket{GetWord(bytes, 0), GetWord(bytes, 4), GetWord(bytes, 8), GetWord(bytes, 12)};
}

PacketBytes ReplyPacket::Encode() const {
    PacketBytes bytes{};
    PutWord(bytes, 0, code);
    PutWord(bytes, 4, value);
    PutWord(bytes, 8, position);
    PutWord(bytes, 12, check);
    return bytes;
}
