#include "link/swath_transfer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/document.h"
#include "core/plotter_status.h"
#include "core/status_texts.h"
#include "engine/swath_packet.h"
#include "link/command_channel.h"
#include "link/job_list_link.h"
#include "link/worker_waits.h"
#include "platform/message_box.h"
#include "platform/string_table.h"
#include "platform/unique_fd.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr unsigned kConnectErrorQuestion = 127;
constexpr unsigned kFrameworkCaption = 57344;
// The slice in which the socket waits look at the abort flag.
constexpr std::chrono::milliseconds kAbortCheckSlice{50};

// The payload of the print slot's finished packet: words 9 to N - 1, N its
// sent word count, never past the packet buffer.
std::span<const uint16_t> FinishedPayload(const CTOLVEXR5DServerDoc& doc) {
    const CSwathRaster& raster = doc.m_raster[SLOT_PRINT];
    const int32_t words = std::min(doc.m_plan[SLOT_PRINT].m_nSentWordCount, raster.m_nWordCount);
    if (!raster.m_pPacket || words <= kSwathPacketHeaderWords) return {};
    return {raster.m_pPacket.get() + kSwathPacketHeaderWords, static_cast<size_t>(words - kSwathPacketHeaderWords)};
}

// The words as they go on the wire, low byte first, whatever the host's order.
std::vector<uint8_t> LittleEndianBytes(std::span<const uint16_t> words) {
    std::vector<uint8_t> bytes;
    bytes.reserve(words.size() * 2);
    for (const uint16_t word : words) {
        bytes.push_back(static_cast<uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<uint8_t>(word >> 8));
    }
    return bytes;
}

// Waits until the socket takes bytes (or has failed), at most timeout; false
// on timeout or abort.
bool WaitWritable(int fd, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    while (!AbortRequested()) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) return false;
        pollfd ready{fd, POLLOUT, 0};
        const int result = poll(&ready, 1, static_cast<int>(std::min(left, kAbortCheckSlice).count()));
        if (result > 0) return true;
        if (result < 0 && errno != EINTR) return false;
    }
    return false;
}

// A connection to the plotter's data port; none when the address is not set,
// the plotter refused or did not answer in time, or the job was aborted.
platform::UniqueFd ConnectToPlotter() {
    const auto address = ConfiguredPlotterAddress();
    if (!address) return {};
    platform::UniqueFd socket(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socket) return {};
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(kDataPort);
    peer.sin_addr = *address;
    if (connect(socket.Get(), reinterpret_cast<const sockaddr*>(&peer), sizeof peer) == 0) return socket;
    if (errno != EINPROGRESS || !WaitWritable(socket.Get(), g_workerTiming.connectTimeout)) return {};
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(socket.Get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) return {};
    return socket;
}

// Hands every byte to the connection, going on after partial sends. False
// when the plotter closed it, it failed, took nothing for the send timeout,
// or the job was aborted (then nothing more is sent). MSG_NOSIGNAL: a closed
// connection is an error here, not a signal that ends the program.
bool SendWhole(int fd, std::span<const uint8_t> bytes) {
    while (!bytes.empty()) {
        if (AbortRequested()) return false;
        const ssize_t sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            bytes = bytes.subspan(static_cast<size_t>(sent));
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!WaitWritable(fd, g_workerTiming.sendTimeout)) return false;
        } else {
            return false;
        }
    }
    return true;
}

// Whether the plotter reset the connection: it closed it before it had
// read every byte handed to it.
bool ConnectionReset(int fd) {
    char byte = 0;
    return recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT) < 0 && errno != EAGAIN && errno != EWOULDBLOCK &&
           errno != EINTR;
}

// Connects to the plotter, hands it the whole payload and waits for its
// acknowledgement; the connection is closed after that wait. False, without
// a wait, when the connection could not be made or the payload not sent
// whole; false too when the plotter cut the connection before it took the
// whole payload, which the kernel may have accepted for it all the same: the
// part that arrived can have the payload's sum (when the words missing are
// all 0), so only this shows the cut.
bool SendPayload(std::span<const uint8_t> payload) {
    const platform::UniqueFd connection = ConnectToPlotter();
    if (!connection || !SendWhole(connection.Get(), payload)) return false;
    PauseUnless(g_workerTiming.settlePause, AbortRequested);
    QueryUntil(CMD_GET_STATUS, 0, g_workerTiming.transferPause,
               [](const Reply& reply) { return StatusReplyHas(reply, STATUS_DATA_RECEIVED); }, AbortRequested);
    return !ConnectionReset(connection.Get());
}

// Asks for the plotter's sum of the payload; whether it equals sum. The sum
// is the value of the checksum reply itself; an abort that ends the wait
// leaves no sum to compare, so nothing is committed.
bool ChecksumMatches(uint32_t sum) {
    const std::optional<Reply> reply =
        QueryUntil(CMD_DATA_CHECKSUM, 0, g_workerTiming.transferPause, CodeIs(CMD_DATA_CHECKSUM), AbortRequested);
    return reply && reply->value == sum;
}

// The question after too many failed attempts: true to try more.
bool OperatorWantsMoreTries() {
    const platform::MessageAnswer answer = platform::ShowMessage(
        {platform::LoadString(kConnectErrorQuestion), platform::LoadString(kFrameworkCaption),
         platform::MessageButtons::YesNo, platform::MessageIcon::Question});
    return answer == platform::MessageAnswer::Yes;
}

}  // namespace

uint32_t PayloadSum(std::span<const uint16_t> words) {
    uint32_t sum = 0;
    for (const uint16_t word : words) sum += word;
    return sum;
}

bool ReportProgress() {
    if (g_pDocument == nullptr) return false;
    SwathPlan& plan = g_pDocument->m_plan[SLOT_PRINT];
    if (plan.m_nSwathCount == 0) return true;
    const std::optional<Reply> progress =
        QueryUntil(CMD_GET_PROGRESS, 0, g_workerTiming.statusPause, CodeIs(CMD_GET_PROGRESS), AbortOrStop);
    if (!progress) return false;
    plan.m_nSwathsPrinted = static_cast<int32_t>(progress->value);
    // In 64 bits: a wild reply value must not overflow the product.
    const int64_t percent = int64_t{plan.m_nSwathsPrinted} * 100 / plan.m_nSwathCount;
    g_statusTexts.Set(STATUS_TEXT_PERCENT, std::to_string(percent) + "%");
    JobList().ShowProgress();
    return true;
}

bool SendNextSwath() {
    if (!ReportProgress() || !PrepareNextSwath()) return false;
    g_statusTexts.Set(STATUS_TEXT_TASK, g_statusTexts.Plotting());
    SendSwathData();
    return true;
}

bool PrepareNextSwath() {
    if (g_pDocument == nullptr) return false;
    CTOLVEXR5DServerDoc& doc = *g_pDocument;
    if (doc.IsPrintDataFinished()) {
        g_plotterStatus.m_wUpdate.fetch_or(UPDATE_ALL_DATA_SENT);
        return false;
    }
    // The packet is built from the job's own configuration, without the
    // lock: building may raise a message, which the user-interface thread
    // shows while it may want the lock itself.
    doc.TakeJointCorrection();
    if (!doc.BuildSwathPacket(doc.m_plan[SLOT_PRINT].m_nCurrentSwath) || !doc.FinishSwathPacket()) return false;
    JobList().InvalidatePreview();
    return true;
}

bool SendSwathData() {
    if (g_pDocument == nullptr) return false;
    const std::span<const uint16_t> words = FinishedPayload(*g_pDocument);
    const std::vector<uint8_t> payload = LittleEndianBytes(words);
    const uint32_t sum = PayloadSum(words);
    const auto length = static_cast<uint32_t>(payload.size());
    int32_t attemptsLeft = kTransferAttempts;
    for (;;) {
        QueryUntil(CMD_DATA_LENGTH, length, g_workerTiming.statusPause, CodeIs(CMD_DATA_LENGTH), AbortRequested);
        g_plotterStatus.ClearReplyValue();
        if (AbortRequested()) return false;

        // A connection that could not be made, or was cut before the payload
        // was out, is a failed attempt at once: no acknowledgement can come
        // for it. A payload cut short is never committed, even when the part
        // that arrived happens to have the same sum.
        if (SendPayload(payload) && ChecksumMatches(sum)) {
            // Only the commit's own reply ends the wait: a late reply to an
            // earlier command does not show that the commit arrived.
            QueryUntil(CMD_DATA_COMMIT, 0, g_workerTiming.transferPause, CodeIs(CMD_DATA_COMMIT), AbortRequested);
            return true;
        }
        // An aborted job gives the packet up without a question.
        if (AbortRequested()) return false;
        if (attemptsLeft > 0) {
            --attemptsLeft;
        } else if (OperatorWantsMoreTries()) {
            attemptsLeft = kTransferAttempts;
        } else {
            return false;
        }
        PauseUnless(g_workerTiming.mismatchPause, AbortRequested);
    }
}
