#include "sim/wire_format.h"

namespace sim {
namespace {

uint32_t ReadWord(std::span<const uint8_t> bytes, std::size_t offset) {
    return static_cast<uint32_t>(bytes[offset]) | static_cast<uint32_t>(bytes[offset + 1]) << 8 |
           static_cast<uint32_t>(bytes[offset + 2]) << 16 | static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

void WriteWord(std::span<uint8_t> bytes, std::size_t offset, uint32_t word) {
    for (std::size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(word >> (8 * i));
}

}  // namespace

std::optional<Request> DecodeRequest(std::span<const uint8_t> datagram) {
    if (datagram.size() != kPacketBytes) return std::nullopt;
    const Request request{ReadWord(datagram, 0), ReadWord(datagram, 4)};
    if (ReadWord(datagram, 8) != request.command + request.value) return std::nullopt;
    return request;
}

Request PeekRequest(std::span<const uint8_t> datagram) {
    Request request;
    if (datagram.size() >= 4) request.command = ReadWord(datagram, 0);
    if (datagram.size() >= 8) request.value = ReadWord(datagram, 4);
    return request;
}

std::array<uint8_t, kPacketBytes> EncodeReply(uint32_t code, uint32_t value, uint32_t position) {
    std::array<uint8_t, kPacketBytes> reply{};
    WriteWord(reply, 0, code);
    WriteWord(reply, 4, value);
    WriteWord(reply, 8, position);
    WriteWord(reply, 12, code + value + position);
    return reply;
}

uint32_t PayloadWordSum(std::span<const uint8_t> payload) {
    uint32_t sum = 0;
    std::size_t i = 0;
    for (; i + 1 < payload.size(); i += 2) sum += static_cast<uint32_t>(payload[i]) | static_cast<uint32_t>(payload[i + 1]) << 8;
    if (i < payload.size()) sum += payload[i];
    return sum;
}

}  // namespace sim
