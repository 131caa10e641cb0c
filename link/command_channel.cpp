#include "link/command_channel.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "core/document.h"
#include "core/plotter_status.h"
#include "core/status_texts.h"
#include "link/command_packets.h"

ChannelTiming g_channelTiming;
int g_commandSocket = -1;
std::atomic<uint8_t> g_broadcast{0};
std::atomic<int32_t> g_missCount{0};

std::optional<in_addr> ConfiguredPlotterAddress() {
    if (g_pDocument == nullptr) return std::nullopt;
    in_addr address{};
    std::lock_guard lock(g_pDocument->m_configLock);
    if (inet_pton(AF_INET, g_pDocument->m_config.IP_ADDR.c_str(), &address) != 1) return std::nullopt;
    return address;
}

namespace {

// The position text of the status bar: the format has two "%04d"
// conversions, the raster position and 0.
std::string PositionText(uint32_t position) {
    const std::string format = g_plotterStatus.PositionFormat();
    const int x = static_cast<int32_t>(position);
    const int length = std::snprintf(nullptr, 0, format.c_str(), x, 0);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, format.c_str(), x, 0);
    return text;
}

void CountMiss() {
    if (g_missCount.load() > 0)
        g_plotterStatus.m_bOnline = 0;
    else
        g_missCount = 1;
}

}  // namespace

int OpenCommandSocket() {
    g_commandSocket = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(kLocalPort);
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    bind(g_commandSocket, reinterpret_cast<const sockaddr*>(&local), sizeof local);
    return 0;
}

void SetBroadcast(uint8_t on) {
    // Linux rejects a socket option shorter than an int, so the byte is
    // passed widened.
    const int permission = on;
    setsockopt(g_commandSocket, SOL_SOCKET, SO_BROADCAST, &permission, sizeof permission);
    g_broadcast = on;
}

void SendDatagram(std::span<const uint8_t> bytes) {
    sockaddr_in destination{};
    destination.sin_family = AF_INET;
    destination.sin_port = htons(kPlotterPort);
    if (g_broadcast.load() == 1) {
        destination.sin_addr.s_addr = htonl(INADDR_BROADCAST);
    } else if (const auto configured = ConfiguredPlotterAddress()) {
        destination.sin_addr = *configured;
    } else {
        return;
    }
    sendto(g_commandSocket, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&destination),
           sizeof destination);
}

int ReceiveDatagram(std::span<uint8_t> buffer) {
    // With MSG_TRUNC the result is the datagram's real length, so one longer
    // than the buffer is told apart from one that just fills it.
    const ssize_t count = recv(g_commandSocket, buffer.data(), buffer.size(), MSG_TRUNC);
    if (count < 0 || static_cast<std::size_t>(count) > buffer.size()) return -1;
    return static_cast<int>(count);
}

int SendCommand(uint32_t command, uint32_t value) {
    SendDatagram(CommandPacket::For(command, value).Encode());
    return 0;
}

int ReadReply() {
    std::array<uint8_t, 64> buffer{};
    const int count = ReceiveDatagram(buffer);
    std::optional<ReplyPacket> reply;
    if (count >= 0) reply = ReplyPacket::Decode(std::span(buffer).first(static_cast<std::size_t>(count)));
    if (!reply || !reply->HasValidCheck()) {
        CountMiss();
        return -1;
    }
    g_missCount = 0;
    g_plotterStatus.m_bOnline = 1;
    g_statusTexts.Set(STATUS_TEXT_POSITION, PositionText(reply->position));
    g_plotterStatus.SetLastReply(reply->code, reply->value);
    if (reply->code == CMD_GET_STATUS) g_plotterStatus.m_nStatusWord = reply->value;
    return 0;
}

int QueryPlotter(uint32_t command, uint32_t value) {
    SendCommand(command, value);
    std::this_thread::sleep_for(g_channelTiming.replyWait);
    return ReadReply();
}

bool PingPlotter() {
    QueryPlotter(CMD_GET_STATUS, kPingValue);
    return g_plotterStatus.m_bOnline.load() != 0;
}

bool CheckPlotterAddress() {
    const auto address = ConfiguredPlotterAddress();
    if (!address) return false;
    // The first octet goes into the first byte of the little-endian value.
    std::array<uint8_t, 4> octets{};
    std::memcpy(octets.data(), &address->s_addr, octets.size());
    const uint32_t value = octets[0] | uint32_t{octets[1]} << 8 | uint32_t{octets[2]} << 16 | uint32_t{octets[3]} << 24;
    if (QueryPlotter(CMD_SET_IP, value) != 0) return false;
    const PlotterStatus::Reply reply = g_plotterStatus.LastReply();
    return reply.code == CMD_SET_IP && reply.value == value;
}

void SetPlotterAddress(std::string_view address) {
    if (g_pDocument == nullptr) return;
    std::lock_guard lock(g_pDocument->m_configLock);
    g_pDocument->m_config.IP_ADDR.assign(address);
}
