#pragma once

#include <netinet/in.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <thread>
#include <vector>

#include "link/command_packets.h"

// The plotter's side of the command channel for tests: a plain UDP socket on
// port 8000 of bindAddress that reads requests and sends datagrams to the
// channel's port 8001 on 127.0.0.1. Only ever used inside a private network
// namespace, where every address is this machine's loopback.
class FakePlotter {
public:
    struct Request {
        CommandPacket packet;
        in_addr destination{};  // the address the request was sent to
    };

    explicit FakePlotter(const char* bindAddress = "127.0.0.1");
    ~FakePlotter();
    FakePlotter(const FakePlotter&) = delete;
    FakePlotter& operator=(const FakePlotter&) = delete;

    // The next request, waiting at most timeout; nothing when none came or
    // the datagram was not 16 bytes long.
    std::optional<Request> NextRequest(std::chrono::milliseconds timeout = std::chrono::milliseconds(1000));

    void Send(std::span<const uint8_t> bytes) const;
    void Reply(const ReplyPacket& reply) const { Send(reply.Encode()); }

private:
    int socket_ = -1;
};

// A fake plotter on its own thread that answers every request through
// answer (nothing: no reply) and records the requests. After kRequestLimit
// requests it sets the abort flag, so that a sequence that is never
// answered as it wants still ends.
class AnsweringPlotter {
public:
    using Answer = std::function<std::optional<ReplyPacket>(const CommandPacket& request, int index)>;
    static constexpr int kRequestLimit = 200;

    explicit AnsweringPlotter(Answer answer);
    ~AnsweringPlotter();

    // The requests seen so far, once count of them have come or after a
    // second at most.
    std::vector<CommandPacket> Requests(std::size_t count = 0) const;

    // Answers with the command's code, the request's value and position 0.
    static std::optional<ReplyPacket> Echo(const CommandPacket& request, int index);

private:
    void Run(Answer answer);

    FakePlotter plotter_;
    mutable std::mutex mutex_;
    std::vector<CommandPacket> requests_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Empties the channel's socket; the number of datagrams that were waiting.
int DrainCommandSocket();
