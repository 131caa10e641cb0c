#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <thread>

#include "core/plotter_status.h"
#include "link/command_channel.h"
#include "link/job_flags.h"

// The fixed pauses and time limits of the worker thread's waits. Only tests
// change them, to run faster.
struct WorkerTiming {
    // Between tries of the status and progress waits and of the announcement.
    std::chrono::milliseconds statusPause{30};
    // Between tries of a reset.
    std::chrono::milliseconds resetPause{50};
    // Between tries of the job begin and the print start.
    std::chrono::milliseconds startPause{100};
    // Between two pings while no job is ready.
    std::chrono::milliseconds idlePause{500};
    // From the end of a payload's send to its first acknowledgement query.
    std::chrono::milliseconds settlePause{10};
    // Between tries of the acknowledgement, checksum and commit waits.
    std::chrono::milliseconds transferPause{50};
    // After a failed transfer attempt, before the next one.
    std::chrono::milliseconds mismatchPause{1000};
    // Longest wait for the data connection to open, and for it to take more
    // bytes: a plotter that stops answering must not hold the worker.
    std::chrono::milliseconds connectTimeout{3000};
    std::chrono::milliseconds sendTimeout{3000};
};
inline WorkerTiming g_workerTiming;

inline bool QuitRequested() { return g_quitWorker.load() != 0; }
// The job is to end: the operator aborted it, or the worker is to quit.
inline bool AbortRequested() { return g_abortJob.load() != 0 || QuitRequested(); }
inline bool StatusHas(uint32_t bits) { return (g_plotterStatus.m_nStatusWord.load() & bits) == bits; }
inline bool AbortOrStop() { return AbortRequested() || StatusHas(STATUS_STOP); }
inline bool ReplyCodeIs(uint32_t code) { return g_plotterStatus.LastReply().code == code; }
inline bool PlotterOnline() { return g_plotterStatus.m_bOnline.load() != 0; }

using Reply = PlotterStatus::Reply;

// Sleeps for pause, or less once giveUp() holds: a stop or an abort never
// waits out a long pause.
template <typename GiveUp>
void PauseUnless(std::chrono::milliseconds pause, GiveUp giveUp) {
    constexpr std::chrono::milliseconds kSlice{10};
    const auto end = std::chrono::steady_clock::now() + pause;
    for (auto now = std::chrono::steady_clock::now(); now < end && !giveUp(); now = std::chrono::steady_clock::now())
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(end - now, kSlice));
}

// Queries command with value until a valid reply satisfies accepted(reply),
// pausing after every try that does not; gives up, before any try and during
// the pauses, as soon as giveUp() holds. The reply accepted, read once from
// the status record, so that its code and value belong together whatever
// the other thread stores after it; nothing when giveUp() ended the wait.
template <typename Accepted, typename GiveUp>
std::optional<Reply> QueryUntil(uint32_t command, uint32_t value, std::chrono::milliseconds pause, Accepted accepted,
                                GiveUp giveUp) {
    while (!giveUp()) {
        if (QueryPlotter(command, value) == 0) {
            const Reply reply = g_plotterStatus.LastReply();
            if (accepted(reply)) return reply;
        }
        PauseUnless(pause, giveUp);
    }
    return std::nullopt;
}

// A reply of the command's own code.
inline auto CodeIs(uint32_t code) {
    return [code](const Reply& reply) { return reply.code == code; };
}
// A status reply whose status word has all bits set.
inline bool StatusReplyHas(const Reply& reply, uint32_t bits) {
    return reply.code == CMD_GET_STATUS && (reply.value & bits) == bits;
}
