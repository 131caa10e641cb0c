#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace sim {

// A point in the request stream: right after the count-th request (counting
// from 1) with this command id has been handled.
struct Trigger {
    uint32_t command = 0;
    int count = 1;
};

// The faults a stand-in plotter shows. Everything is off by default.
struct FaultPlan {
    // Seeds the draws that pick the fate of each reply; the same seed and the
    // same request stream give the same fates.
    uint32_t seed = 1;
    // Odds that a reply is lost, sent late, sent with its check off by one, or
    // sent as 17 bytes (a valid reply plus one byte). One draw per reply picks
    // at most one of them; odds that add up beyond 1 are taken in this order.
    double dropOdds = 0;
    double lateOdds = 0;
    double badCheckOdds = 0;
    double oversizeOdds = 0;
    // Later than the client's 100 ms read, so the next query reads the reply.
    std::chrono::milliseconds lateDelay{250};

    // The next wrongChecksums replies to command 10 carry the payload sum + 1.
    int wrongChecksums = 0;
    // The next cutConnections data connections are closed by the stand-in
    // after half of the announced payload.
    int cutConnections = 0;
    // holdReplies status replies carry both hold bits (0x0300), from
    // holdAfter on, or from the start without it.
    int holdReplies = 0;
    std::optional<Trigger> holdAfter;
    // The stop bit (0x0008) is raised at this point; a reset clears it.
    std::optional<Trigger> stopAfter;
    // The next endRequests status replies given while no job is open carry
    // the end request (0x0001).
    int endRequests = 0;
    // The next silentRequests requests, from silentAfter on, or from the
    // start without it, go unseen and unanswered, as if the plotter were
    // offline.
    int silentRequests = 0;
    std::optional<Trigger> silentAfter;
    // When false, requests to change the plotter's address (command 19) get
    // no reply, so the address change is never confirmed.
    bool answerAddressChange = true;
};

}  // namespace sim
