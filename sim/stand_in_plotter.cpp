#include "sim/stand_in_plotter.h"

#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <stdexcept>
#include <system_error>

#include "sim/address_guard.h"
#include "sim/wire_format.h"

namespace sim {
namespace {

using Clock = std::chrono::steady_clock;

// How often the loops look at the stop flag when nothing arrives.
constexpr int kPollMilliseconds = 20;
// Larger than any valid request, so a longer datagram shows as too long.
constexpr std::size_t kDatagramBuffer = 64;
constexpr std::size_t kPayloadChunk = 64 * 1024;

[[noreturn]] void ThrowSystemError(const char* what) { throw std::system_error(errno, std::generic_category(), what); }

sockaddr_in SocketAddress(const std::string& dotted, uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    if (inet_pton(AF_INET, dotted.c_str(), &address.sin_addr) != 1)
        throw std::invalid_argument("not a dotted IPv4 address: " + dotted);
    return address;
}

platform::UniqueFd BoundSocket(int type, const sockaddr_in& address) {
    platform::UniqueFd socket(::socket(AF_INET, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket) ThrowSystemError("socket");
    if (type == SOCK_STREAM) {
        // A restarted stand-in must not wait for the last run's connections
        // to leave TIME_WAIT.
        const int on = 1;
        setsockopt(socket.Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    }
    if (bind(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) ThrowSystemError("bind");
    if (type == SOCK_STREAM && listen(socket.Get(), 8) != 0) ThrowSystemError("listen");
    return socket;
}

uint16_t BoundPort(const platform::UniqueFd& socket) {
    sockaddr_in address{};
    socklen_t length = sizeof address;
    if (getsockname(socket.Get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) ThrowSystemError("getsockname");
    return ntohs(address.sin_port);
}

// The reply bytes a fate sends; empty when nothing is sent.
std::vector<uint8_t> ReplyBytes(ReplyFate fate, const std::array<uint8_t, kPacketBytes>& reply) {
    std::vector<uint8_t> bytes(reply.begin(), reply.end());
    switch (fate) {
        case ReplyFate::Sent:
        case ReplyFate::SentLate:
            return bytes;
        case ReplyFate::BadCheck:
            // Adds 1 to the little-endian check word, carrying.
            for (std::size_t i = 12; i < kPacketBytes && ++bytes[i] == 0; ++i) {}
            return bytes;
        case ReplyFate::Oversized:
            bytes.push_back(0);
            return bytes;
        default:
            return {};
    }
}

}  // namespace

StandInPlotter::StandInPlotter(StandInOptions options)
    : options_(std::move(options)), board_(options_.board, options_.faults), replyFaults_(options_.faults) {
    if (!MayListenOn(options_.address))
        throw std::invalid_argument("refusing to listen on " + options_.address +
                                    ": not a loopback address and other network interfaces exist");
    commandSocket_ = BoundSocket(SOCK_DGRAM, SocketAddress(options_.address, options_.commandPort));
    dataSocket_ = BoundSocket(SOCK_STREAM, SocketAddress(options_.address, options_.dataPort));
    commandPort_ = BoundPort(commandSocket_);
    dataPort_ = BoundPort(dataSocket_);
    commandThread_ = std::thread([this] { ServeCommands(); });
    dataThread_ = std::thread([this] { ServeData(); });
}

StandInPlotter::~StandInPlotter() { Stop(); }

void StandInPlotter::Stop() {
    stopping_ = true;
    if (commandThread_.joinable()) commandThread_.join();
    if (dataThread_.joinable()) dataThread_.join();
    connection_.reset();
    commandSocket_.Reset();
    dataSocket_.Reset();
}

void StandInPlotter::ServeCommands() {
    while (!stopping_) {
        int timeout = kPollMilliseconds;
        if (!lateReplies_.empty()) {
            const auto untilDue = std::chrono::ceil<std::chrono::milliseconds>(lateReplies_.front().due - Clock::now());
            timeout = static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(untilDue.count(), 0, timeout));
        }
        pollfd ready{commandSocket_.Get(), POLLIN, 0};
        poll(&ready, 1, timeout);
        // Late replies keep their order: every one waits the same delay.
        while (!lateReplies_.empty() && lateReplies_.front().due <= Clock::now()) {
            SendReply(lateReplies_.front().peer, lateReplies_.front().bytes);
            lateReplies_.pop_front();
        }
        if ((ready.revents & POLLIN) != 0) ReceiveRequest();
    }
}

void StandInPlotter::ReceiveRequest() {
    std::array<uint8_t, kDatagramBuffer> buffer{};
    sockaddr_in peer{};
    socklen_t peerLength = sizeof peer;
    RequestRecord record;
    std::vector<uint8_t> reply;
    std::optional<JobRecord> endedJob;
    std::size_t endedIndex = 0;
    {
        // Read and handled under the lock, so that a request that has left
        // the socket is one the board has handled (AcceptConnection).
        std::lock_guard lock(mutex_);
        // MSG_TRUNC: the result is the datagram's true length even when it
        // does not fit the buffer.
        const ssize_t length = recvfrom(commandSocket_.Get(), buffer.data(), buffer.size(), MSG_TRUNC,
                                        reinterpret_cast<sockaddr*>(&peer), &peerLength);
        if (length < 0) return;
        const std::span<const uint8_t> datagram(buffer.data(),
                                                std::min(static_cast<std::size_t>(length), buffer.size()));
        const auto now = Clock::now();
        const std::optional<Request> request =
            static_cast<std::size_t>(length) == kPacketBytes ? DecodeRequest(datagram) : std::nullopt;
        const Request seen = request ? *request : PeekRequest(datagram);
        record = {seen.command, seen.value, now, ReplyFate::Invalid};
        if (request) {
            const bool jobWasOpen = board_.JobOpen();
            const Answer answer = board_.Handle(request->command, request->value, now);
            if (jobWasOpen && !board_.JobOpen()) {
                endedIndex = board_.Jobs().size() - 1;
                endedJob = board_.Jobs().back();
            }
            if (answer.silent) {
                record.fate = ReplyFate::Silent;
            } else if (!answer.value) {
                record.fate = ReplyFate::Unanswered;
            } else {
                record.fate = replyFaults_.Draw();
                record.replyValue = *answer.value;
                reply = ReplyBytes(record.fate, EncodeReply(request->command, *answer.value, answer.position));
            }
        }
        requests_.push_back(record);
    }
    changed_.notify_all();
    if (record.fate == ReplyFate::SentLate) {
        lateReplies_.push_back({record.time + options_.faults.lateDelay, peer, std::move(reply)});
    } else if (!reply.empty()) {
        SendReply(peer, reply);
    }
    if (options_.onRequest) options_.onRequest(record);
    if (endedJob && options_.onJobEnd) options_.onJobEnd(endedIndex, *endedJob);
}

bool StandInPlotter::RequestWaiting() const {
    pollfd waiting{commandSocket_.Get(), POLLIN, 0};
    return poll(&waiting, 1, 0) == 1 && (waiting.revents & POLLIN) != 0;
}

void StandInPlotter::SendReply(const sockaddr_in& peer, const std::vector<uint8_t>& bytes) const {
    // Only ever to the sender of the request; a lost reply is a lost reply.
    sendto(commandSocket_.Get(), bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&peer), sizeof peer);
}

void StandInPlotter::ServeData() {
    while (!stopping_) {
        std::array<pollfd, 2> ready{{{dataSocket_.Get(), POLLIN, 0}, {connection_ ? connection_->socket.Get() : -1, POLLIN, 0}}};
        poll(ready.data(), ready.size(), kPollMilliseconds);
        // The old connection's bytes are taken before a new one replaces it.
        if ((ready[1].revents & (POLLIN | POLLHUP | POLLERR)) != 0) ReadConnection();
        if ((ready[0].revents & POLLIN) != 0) AcceptConnection();
    }
}

void StandInPlotter::AcceptConnection() {
    platform::UniqueFd socket(accept4(dataSocket_.Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
    if (!socket) return;
    // Each connection carries the payload of the current announcement; one
    // still open from an earlier attempt is dropped.
    connection_.reset();
    {
        std::unique_lock lock(mutex_);
        // The requests that arrived before the connection are handled before
        // it is tied to an announcement, as by a board that takes everything
        // in the order it arrives: the command thread may lag behind, and an
        // announcement repeated just before the connection (its first reply
        // was late) would otherwise leave it tied to the earlier one, whose
        // payload then never arrives.
        while (!stopping_ && RequestWaiting()) changed_.wait_for(lock, std::chrono::milliseconds(kPollMilliseconds));
        connection_ = DataConnection{std::move(socket), board_.OpenConnection(), 0};
    }
    changed_.notify_all();
    if (connection_->ticket.cutAfter == 0u) EndConnection(true);
}

void StandInPlotter::ReadConnection() {
    std::vector<uint8_t> buffer(kPayloadChunk);
    const ssize_t length = recv(connection_->socket.Get(), buffer.data(), buffer.size(), 0);
    if (length < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
    if (length <= 0) {
        EndConnection();
        return;
    }
    std::size_t taken = static_cast<std::size_t>(length);
    bool cut = false;
    if (const auto cutAfter = connection_->ticket.cutAfter) {
        const std::size_t left = *cutAfter - connection_->received;
        cut = taken >= left;
        taken = std::min(taken, left);
    }
    connection_->received += taken;
    {
        std::lock_guard lock(mutex_);
        board_.ReceivePayload(connection_->ticket, std::span<const uint8_t>(buffer.data(), taken));
    }
    changed_.notify_all();
    if (cut) EndConnection(true);
}

void StandInPlotter::EndConnection(bool cut) {
    if (cut) {
        const linger reset{1, 0};
        setsockopt(connection_->socket.Get(), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    }
    // The socket is closed before the board hears of it, as on a real board:
    // a client told that the payload arrived finds a cut connection reset.
    const ConnectionTicket ticket = connection_->ticket;
    connection_.reset();
    {
        std::lock_guard lock(mutex_);
        board_.CloseConnection(ticket);
    }
    changed_.notify_all();
}

std::vector<RequestRecord> StandInPlotter::Requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::vector<CommittedPayload> StandInPlotter::Committed() const {
    std::lock_guard lock(mutex_);
    return board_.Committed();
}

std::vector<JobRecord> StandInPlotter::Jobs() const {
    std::lock_guard lock(mutex_);
    return board_.Jobs();
}

uint32_t StandInPlotter::StatusWord() const {
    std::lock_guard lock(mutex_);
    return board_.PeekStatusWord();
}

uint32_t StandInPlotter::SwathsPrinted() const {
    std::lock_guard lock(mutex_);
    return board_.SwathsPrinted();
}

void StandInPlotter::Modify(const std::function<void(PlotterModel&)>& change) {
    {
        std::lock_guard lock(mutex_);
        change(board_);
    }
    changed_.notify_all();
}

bool StandInPlotter::WaitUntil(const std::function<bool(const StandInView&)>& condition,
                               std::chrono::milliseconds timeout) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [&] { return condition(StandInView{board_, requests_}); });
}

}  // namespace sim
