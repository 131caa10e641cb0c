#include <gtest/gtest.h>

#include <vector>

#include "link/command_channel.h"
#include "link/command_packets.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ToBytes(const PacketBytes& packet) { return {packet.begin(), packet.end()}; }

TEST(CommandPacket, IsLittleEndianWithTheSumModulo2To32AsCheck) {
    EXPECT_EQ(ToBytes(CommandPacket::For(CMD_SWATH_COUNT, 10).Encode()),
              (Bytes{0x04, 0, 0, 0, 0x0A, 0, 0, 0, 0x0E, 0, 0, 0, 0, 0, 0, 0}));

    const CommandPacket ping = CommandPacket::For(CMD_GET_STATUS, kPingValue);
    EXPECT_EQ(ping.check, 0x8765432Du);
    EXPECT_EQ(ToBytes(ping.Encode()), (Bytes{0x0C, 0, 0, 0, 0x21, 0x43, 0x65, 0x87, 0x2D, 0x43, 0x65, 0x87, 0, 0, 0, 0}));

    const CommandPacket wrapped = CommandPacket::For(CMD_STEP_SPEED, 0xFFFFFFF0);
    EXPECT_EQ(wrapped.check, 0x00000004u);
    EXPECT_EQ(ToBytes(wrapped.Encode()),
              (Bytes{0x14, 0, 0, 0, 0xF0, 0xFF, 0xFF, 0xFF, 0x04, 0, 0, 0, 0, 0, 0, 0}));

    const auto decoded = CommandPacket::Decode(wrapped.Encode());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->command, CMD_STEP_SPEED);
    EXPECT_EQ(decoded->value, 0xFFFFFFF0u);
    EXPECT_EQ(decoded->check, 4u);
    EXPECT_EQ(decoded->reserved, 0u);
    EXPECT_FALSE(CommandPacket::Decode(Bytes(15)));
}

TEST(ReplyPacket, DecodesOnlySixteenBytesAndChecksModulo2To32) {
    const Bytes status{0x0C, 0, 0, 0, 0x10, 0x40, 0, 0, 0x78, 0x56, 0x34, 0x12, 0x94, 0x96, 0x34, 0x12};
    const auto reply = ReplyPacket::Decode(status);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->code, CMD_GET_STATUS);
    EXPECT_EQ(reply->value, 0x4010u);
    EXPECT_EQ(reply->position, 0x12345678u);
    EXPECT_EQ(reply->check, 0x12349694u);
    EXPECT_TRUE(reply->HasValidCheck());
    EXPECT_EQ(ToBytes(reply->Encode()), status);

    ReplyPacket offByOne = *reply;
    ++offByOne.check;
    EXPECT_FALSE(offByOne.HasValidCheck());

    const ReplyPacket wrapped = ReplyPacket::For(0xFFFFFFFF, 2, 0xFFFFFFFF);
    EXPECT_EQ(wrapped.check, 0u);
    EXPECT_TRUE(wrapped.HasValidCheck());

    Bytes longer = status;
    longer.push_back(0);
    EXPECT_FALSE(ReplyPacket::Decode(longer));
    EXPECT_FALSE(ReplyPacket::Decode(Bytes(status.begin(), status.end() - 1)));
}

}  // namespace
