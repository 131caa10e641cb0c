#include <arpa/inet.h>
#include <sys/socket.h>

#include <array>
#include <thread>
#include <vector>

#include "tests/link/channel_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr auto kNoRequest = std::chrono::milliseconds(50);

std::string AddressText(in_addr address) {
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address, text, sizeof text);
    return text;
}

TEST_F(ChannelTest, SecondMissInARowSetsThePlotterOfflineUntilTheNextValidReply) {
    FakePlotter plotter;
    plotter.Reply(ReplyPacket::For(CMD_GET_STATUS, 0, 0));
    EXPECT_EQ(QueryPlotter(CMD_GET_STATUS, 0), 0);
    EXPECT_EQ(g_plotterStatus.m_bOnline, 1);

    ReplyPacket offByOne = ReplyPacket::For(CMD_GET_STATUS, 0, 0);
    ++offByOne.check;
    plotter.Reply(offByOne);
    EXPECT_EQ(QueryPlotter(CMD_GET_STATUS, 0), -1);
    EXPECT_EQ(g_missCount, 1);
    EXPECT_EQ(g_plotterStatus.m_bOnline, 1);
    plotter.Reply(offByOne);
    EXPECT_EQ(QueryPlotter(CMD_GET_STATUS, 0), -1);
    EXPECT_EQ(g_missCount, 1);
    EXPECT_EQ(g_plotterStatus.m_bOnline, 0);
    // Nothing waiting is a miss too.
    EXPECT_EQ(ReadReply(), -1);
    EXPECT_EQ(g_plotterStatus.m_bOnline, 0);

    plotter.Reply(ReplyPacket::For(CMD_GET_STATUS, 0, 0));
    EXPECT_EQ(ReadReply(), 0);
    EXPECT_EQ(g_missCount, 0);
    EXPECT_EQ(g_plotterStatus.m_bOnline, 1);
}

TEST_F(ChannelTest, OnlyDatagramsOfSixteenBytesAreReplies) {
    FakePlotter plotter;
    const PacketBytes valid = ReplyPacket::For(CMD_GET_PROGRESS, 5, 9).Encode();
    Bytes seventeen(valid.begin(), valid.end());
    seventeen.push_back(0);
    Bytes fifteen(valid.begin(), valid.end() - 1);
    // Longer than the 64-byte read buffer, its first 16 bytes a valid reply.
    Bytes oversized(100, 0);
    std::copy(valid.begin(), valid.end(), oversized.begin());

    for (const Bytes& datagram : {seventeen, fifteen, oversized}) {
        plotter.Send(datagram);
        EXPECT_EQ(ReadReply(), -1) << datagram.size() << " bytes";
    }
    EXPECT_EQ(g_plotterStatus.LastReply().code, 0u);
    // A datagram that does not fit is no read, not a shortened one.
    plotter.Send(seventeen);
    std::array<uint8_t, kPacketSize> exactlyAReply{};
    EXPECT_EQ(ReceiveDatagram(exactlyAReply), -1);
    // Each of them was taken off the socket: the next reply is read as such.
    plotter.Send(valid);
    EXPECT_EQ(ReadReply(), 0);
    EXPECT_EQ(g_plotterStatus.LastReply().code, CMD_GET_PROGRESS);
}

TEST_F(ChannelTest, ValidRepliesUpdateCodeValuePositionAndOnlyStatusRepliesTheStatusWord) {
    FakePlotter plotter;
    plotter.Reply(ReplyPacket::For(CMD_GET_STATUS, 0x4010, 7));
    EXPECT_EQ(ReadReply(), 0);
    EXPECT_EQ(g_plotterStatus.LastReply().code, CMD_GET_STATUS);
    EXPECT_EQ(g_plotterStatus.LastReply().value, 0x4010u);
    EXPECT_EQ(g_plotterStatus.m_nStatusWord, 0x4010u);
    EXPECT_EQ(g_statusTexts.Get(STATUS_TEXT_POSITION), "Position:0007:0000          ");

    plotter.Reply(ReplyPacket::For(CMD_GET_PROGRESS, 0xFFFF, 1234));
    EXPECT_EQ(ReadReply(), 0);
    EXPECT_EQ(g_plotterStatus.LastReply().code, CMD_GET_PROGRESS);
    EXPECT_EQ(g_plotterStatus.LastReply().value, 0xFFFFu);
    EXPECT_EQ(g_plotterStatus.m_nStatusWord, 0x4010u);
    EXPECT_EQ(g_statusTexts.Get(STATUS_TEXT_POSITION), "Position:1234:0000          ");

    // The position word is shown as a signed number, however large.
    plotter.Reply(ReplyPacket::For(CMD_DATA_CHECKSUM, 1, 0x80000000));
    EXPECT_EQ(ReadReply(), 0);
    EXPECT_EQ(g_statusTexts.Get(STATUS_TEXT_POSITION), "Position:-2147483648:0000          ");

    ReplyPacket invalid = ReplyPacket::For(CMD_GET_STATUS, 0x8000, 55);
    --invalid.check;
    plotter.Reply(invalid);
    EXPECT_EQ(ReadReply(), -1);
    EXPECT_EQ(g_plotterStatus.m_nStatusWord, 0x4010u);
    EXPECT_EQ(g_plotterStatus.LastReply().code, CMD_DATA_CHECKSUM);
    EXPECT_EQ(g_statusTexts.Get(STATUS_TEXT_POSITION), "Position:-2147483648:0000          ");
}

TEST_F(ChannelTest, QueriesSendToThePlotterAndALateReplyIsReadByTheNextQuery) {
    FakePlotter plotter;
    EXPECT_EQ(QueryPlotter(CMD_GET_PROGRESS, 0), -1);
    const auto request = plotter.NextRequest();
    ASSERT_TRUE(request);
    EXPECT_EQ(AddressText(request->destination), "127.0.0.1");
    EXPECT_EQ(request->packet.command, CMD_GET_PROGRESS);
    EXPECT_EQ(request->packet.check, CMD_GET_PROGRESS);

    // The answer to the progress request comes after its read.
    plotter.Reply(ReplyPacket::For(CMD_GET_PROGRESS, 3, 0));
    EXPECT_EQ(QueryPlotter(CMD_GET_STATUS, 0), 0);
    EXPECT_EQ(g_plotterStatus.LastReply().code, CMD_GET_PROGRESS);
    EXPECT_EQ(g_plotterStatus.LastReply().value, 3u);

    // A backlog drains one datagram per query, in arrival order.
    plotter.Reply(ReplyPacket::For(CMD_RIGHT_END, 0, 0));
    plotter.Reply(ReplyPacket::For(CMD_LEFT_START, 0, 0));
    EXPECT_EQ(QueryPlotter(CMD_GET_STATUS, 0), 0);
    EXPECT_EQ(g_plotterStatus.LastReply().code, CMD_RIGHT_END);
    EXPECT_EQ(QueryPlotter(CMD_GET_STATUS, 0), 0);
    EXPECT_EQ(g_plotterStatus.LastReply().code, CMD_LEFT_START);
    EXPECT_EQ(QueryPlotter(CMD_GET_STATUS, 0), -1);
}

TEST_F(ChannelTest, PingSendsItsMarkAndReportsTheOnlineStateNotThisReply) {
    FakePlotter plotter;
    plotter.Reply(ReplyPacket::For(CMD_GET_STATUS, 0, 0));
    EXPECT_TRUE(PingPlotter());
    const auto ping = plotter.NextRequest();
    ASSERT_TRUE(ping);
    EXPECT_EQ(ping->packet.command, CMD_GET_STATUS);
    EXPECT_EQ(ping->packet.value, 0x87654321u);
    EXPECT_EQ(ping->packet.check, 0x8765432Du);

    EXPECT_TRUE(PingPlotter());
    EXPECT_FALSE(PingPlotter());
}

TEST_F(ChannelTest, AnAddressThatIsNotDottedIPv4SendsNothing) {
    FakePlotter plotter;
    // "127.1" would mean 127.0.0.1 to a lenient parser.
    for (const char* address : {"127.1", "localhost", "", "127.0.0.1 "}) {
        Config().IP_ADDR = address;
        EXPECT_EQ(QueryPlotter(CMD_GET_STATUS, 0), -1);
        EXPECT_FALSE(CheckPlotterAddress());
        EXPECT_FALSE(plotter.NextRequest(kNoRequest)) << '"' << address << '"';
    }
    g_pDocument = nullptr;
    SendCommand(CMD_GET_STATUS, 0);
    EXPECT_FALSE(CheckPlotterAddress());
    SetPlotterAddress("127.0.0.1");
    EXPECT_FALSE(plotter.NextRequest(kNoRequest));
}

TEST_F(ChannelTest, BroadcastingSendsEveryRequestToTheLimitedBroadcastAddress) {
    SetBroadcast(1);
    EXPECT_EQ(g_broadcast, 1);
    int permission = 0;
    socklen_t length = sizeof permission;
    ASSERT_EQ(getsockopt(g_commandSocket, SOL_SOCKET, SO_BROADCAST, &permission, &length), 0);
    EXPECT_EQ(permission, 1);

    {
        FakePlotter anyAddress("0.0.0.0");
        // The configured address plays no part while broadcasting.
        Config().IP_ADDR = "not an address";
        SendCommand(CMD_RESET, 0);
        auto request = anyAddress.NextRequest();
        ASSERT_TRUE(request);
        EXPECT_EQ(AddressText(request->destination), "255.255.255.255");
        EXPECT_EQ(request->packet.command, CMD_RESET);

        SetBroadcast(0);
        EXPECT_EQ(g_broadcast, 0);
        ASSERT_EQ(getsockopt(g_commandSocket, SOL_SOCKET, SO_BROADCAST, &permission, &length), 0);
        EXPECT_EQ(permission, 0);
        Config().IP_ADDR = "127.0.0.1";
        SendCommand(CMD_RESET, 0);
        request = anyAddress.NextRequest();
        ASSERT_TRUE(request);
        EXPECT_EQ(AddressText(request->destination), "127.0.0.1");
    }
}

TEST_F(ChannelTest, AddressCheckSendsTheNewAddressAndWantsItEchoedUnderCode19) {
    SetBroadcast(1);
    SetPlotterAddress("127.0.0.2");
    EXPECT_EQ(Config().IP_ADDR, "127.0.0.2");
    FakePlotter anyAddress("0.0.0.0");
    // First octet in the first byte of the little-endian value.
    const uint32_t echoed = 0x0200007F;

    anyAddress.Reply(ReplyPacket::For(CMD_SET_IP, echoed, 0));
    EXPECT_TRUE(CheckPlotterAddress());
    const auto request = anyAddress.NextRequest();
    ASSERT_TRUE(request);
    EXPECT_EQ(AddressText(request->destination), "255.255.255.255");
    EXPECT_EQ(request->packet.command, CMD_SET_IP);
    EXPECT_EQ(request->packet.value, echoed);

    anyAddress.Reply(ReplyPacket::For(CMD_SET_IP, echoed + 1, 0));
    EXPECT_FALSE(CheckPlotterAddress());
    anyAddress.Reply(ReplyPacket::For(CMD_GET_STATUS, echoed, 0));
    EXPECT_FALSE(CheckPlotterAddress());
    ReplyPacket invalid = ReplyPacket::For(CMD_SET_IP, echoed, 0);
    ++invalid.check;
    anyAddress.Reply(invalid);
    EXPECT_FALSE(CheckPlotterAddress());
    EXPECT_FALSE(CheckPlotterAddress());
}

// The worker pings while the network page changes the address and the
// settings dialog switches broadcasting off: the two threads share the
// socket and the status record without a lock of their own.
TEST_F(ChannelTest, WorkerAndWindowsMayQueryAtTheSameTime) {
    constexpr int kRounds = 8;
    AnsweringPlotter plotter(AnsweringPlotter::Echo);
    std::thread worker([] {
        for (int round = 0; round < kRounds; ++round) PingPlotter();
    });
    for (int round = 0; round < kRounds; ++round) {
        SetPlotterAddress("127.0.0.1");
        CheckPlotterAddress();
        SetBroadcast(0);
    }
    worker.join();
    EXPECT_EQ(plotter.Requests(2 * kRounds).size(), 2u * kRounds);
}

}  // namespace
