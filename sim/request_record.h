#pragma once

#include <chrono>
#include <cstdint>

namespace sim {

enum class ReplyFate {
    Sent,
    SentLate,
    Dropped,
    BadCheck,    // sent with its check off by one
    Oversized,   // sent as 17 bytes
    Silent,      // the plotter was offline and did not see the request
    Unanswered,  // seen, but the plotter gives no reply to it
    Invalid,     // the request was not 16 bytes or its check was wrong
};

const char* FateName(ReplyFate fate);

// One datagram that reached the command port.
struct RequestRecord {
    uint32_t command = 0;
    uint32_t value = 0;
    std::chrono::steady_clock::time_point time;
    ReplyFate fate = ReplyFate::Sent;
    // The value of the reply formed for it, whatever its fate; 0 without one.
    uint32_t replyValue = 0;
};

}  // namespace sim
