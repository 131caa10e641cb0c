#include "tests/link/fake_plotter.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cstring>

#include "link/command_channel.h"
#include "link/job_flags.h"

FakePlotter::FakePlotter(const char* bindAddress) {
    socket_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    setsockopt(socket_, IPPROTO_IP, IP_PKTINFO, &on, sizeof on);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(kPlotterPort);
    inet_pton(AF_INET, bindAddress, &local.sin_addr);
    if (bind(socket_, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        close(socket_);
        socket_ = -1;
    }
}

FakePlotter::~FakePlotter() {
    if (socket_ >= 0) close(socket_);
}

std::optional<FakePlotter::Request> FakePlotter::NextRequest(std::chrono::milliseconds timeout) {
    pollfd waiting{socket_, POLLIN, 0};
    if (socket_ < 0 || poll(&waiting, 1, static_cast<int>(timeout.count())) != 1) return std::nullopt;

    std::array<uint8_t, 64> bytes{};
    iovec data{bytes.data(), bytes.size()};
    alignas(cmsghdr) std::array<char, CMSG_SPACE(sizeof(in_pktinfo))> control{};
    msghdr message{};
    message.msg_iov = &data;
    message.msg_iovlen = 1;
    message.msg_control = control.data();
    message.msg_controllen = control.size();
    const ssize_t count = recvmsg(socket_, &message, MSG_DONTWAIT);
    if (count != static_cast<ssize_t>(kPacketSize)) return std::nullopt;

    Request request{*CommandPacket::Decode(std::span(bytes).first(kPacketSize)), {}};
    for (cmsghdr* header = CMSG_FIRSTHDR(&message); header != nullptr; header = CMSG_NXTHDR(&message, header)) {
        if (header->cmsg_level == IPPROTO_IP && header->cmsg_type == IP_PKTINFO) {
            in_pktinfo info{};
            std::memcpy(&info, CMSG_DATA(header), sizeof info);
            request.destination = info.ipi_addr;
        }
    }
    return request;
}

void FakePlotter::Send(std::span<const uint8_t> bytes) const {
    sockaddr_in channel{};
    channel.sin_family = AF_INET;
    channel.sin_port = htons(kLocalPort);
    channel.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    sendto(socket_, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&channel), sizeof channel);
}

AnsweringPlotter::AnsweringPlotter(Answer answer) : thread_([this, answer] { Run(answer); }) {}

AnsweringPlotter::~AnsweringPlotter() {
    stop_ = true;
    thread_.join();
}

void AnsweringPlotter::Run(Answer answer) {
    int index = 0;
    while (!stop_) {
        const auto request = plotter_.NextRequest(std::chrono::milliseconds(10));
        if (!request) continue;
        if (const auto reply = answer(request->packet, index)) plotter_.Reply(*reply);
        std::lock_guard lock(mutex_);
        requests_.push_back(request->packet);
        if (++index >= kRequestLimit) g_abortJob = 1;
    }
}

std::vector<CommandPacket> AnsweringPlotter::Requests(std::size_t count) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    while (std::chrono::steady_clock::now() < deadline) {
        {
            std::lock_guard lock(mutex_);
            if (requests_.size() >= count) break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    std::lock_guard lock(mutex_);
    return requests_;
}

std::optional<ReplyPacket> AnsweringPlotter::Echo(const CommandPacket& request, int) {
    return ReplyPacket::For(request.command, request.value, 0);
}

int DrainCommandSocket() {
    std::array<uint8_t, 64> buffer{};
    int drained = 0;
    while (drained < 1000 && recv(g_commandSocket, buffer.data(), buffer.size(), MSG_DONTWAIT) >= 0) ++drained;
    return drained;
}
