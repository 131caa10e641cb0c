#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "sim/fault_plan.h"

namespace sim {

// Command ids and status bits of the plotter's control board.
enum : uint32_t {
    kCmdReset = 0,
    kCmdRightEnd = 1,
    kCmdLeftStart = 2,
    kCmdGetProgress = 3,
    kCmdSwathCount = 4,
    kCmdJobBegin = 5,
    kCmdYStep = 7,
    kCmdDataLength = 9,
    kCmdDataChecksum = 10,
    kCmdDataCommit = 11,
    kCmdGetStatus = 12,
    kCmdFanPwm = 13,
    kCmdPrintStart = 14,
    kCmdPrintSpeed = 15,
    kCmdRasterVal = 16,
    kCmdMotorBufL = 17,
    kCmdMotorBufR = 18,
    kCmdSetAddress = 19,
    kCmdStepSpeed = 20,
};

enum : uint32_t {
    kStatusEndRequest = 0x0001,
    kStatusStop = 0x0008,
    kStatusJobDone = 0x0010,
    kStatusHold = 0x0300,
    kStatusDataReceived = 0x4000,
    kStatusBusy = 0x8000,
};

struct BoardSettings {
    // Swaths that one committed drawing packet prints; the commands carry no
    // pass count, so the owner of the stand-in tells it (4 for one or two
    // heads, 2 for three or four).
    int passes = 4;
    // Status replies that show busy after a job begin.
    int busyReplies = 2;
    // Status replies that printing one committed packet takes (at least 1:
    // the packet is printed at the next status reply).
    int printReplies = 2;
};

// A job: from a job begin (command 5) to the next reset (command 0).
struct JobRecord {
    // The last value of each settings command received during the job.
    std::map<uint32_t, uint32_t> settings;
    bool printStarted = false;
    // Payloads of the job that arrived (whole, or cut short when their
    // connection ended) and those committed, the test pattern included.
    int receivedPayloads = 0;
    int committedPackets = 0;
    // Set by the reset that ends the job: the swaths printed by then, and
    // whether the board had reported the job done.
    bool ended = false;
    bool done = false;
    uint32_t swathsPrinted = 0;
};

struct CommittedPayload {
    // Index into Jobs(), or -1 for a payload committed while no job was open.
    int job = -1;
    std::vector<uint8_t> bytes;
};

// How the board answers one request.
struct Answer {
    // The board was offline and never saw the request.
    bool silent = false;
    // The reply's value; nothing when the board does not reply.
    std::optional<uint32_t> value;
    // The raster position: the swaths printed of the job.
    uint32_t position = 0;
};

// The data connection a payload arrives on, as the board knows it.
struct ConnectionTicket {
    uint64_t connection = 0;
    uint64_t announcement = 0;
    // The board closes the connection after this many bytes.
    std::optional<std::size_t> cutAfter;
};

// The plotter's control board, without sockets, threads or locks: it takes
// requests and payload bytes and gives replies. The owner serialises calls.
class PlotterModel {
public:
    using Clock = std::chrono::steady_clock;

    PlotterModel(const BoardSettings& settings, const FaultPlan& faults);

    // One valid request, received at now.
    Answer Handle(uint32_t command, uint32_t value, Clock::time_point now);

    // A new data connection; its bytes replace any payload received for the
    // current announcement.
    ConnectionTicket OpenConnection();
    void ReceivePayload(const ConnectionTicket& ticket, std::span<const uint8_t> bytes);
    // The connection ended (by either side): whatever arrived counts as the
    // payload, so that a short payload shows up as a checksum mismatch.
    void CloseConnection(const ConnectionTicket& ticket);

    // Faults switched on while running.
    void SetPasses(int passes);
    void RaiseStop();
    void HoldFor(int statusReplies);
    void RequestEnd(int idleStatusReplies);
    void FailChecksums(int count);
    void CutConnections(int count);
    void GoSilent(int requests);
    void GoSilentUntil(Clock::time_point end);
    void AnswerAddressChange(bool answer);

    // The status word as things stand, without counting a status reply (so
    // printing does not advance and no spell is used up).
    uint32_t PeekStatusWord() const;
    uint32_t SwathsPrinted() const { return swathsPrinted_; }
    // Requests of this command that the board saw.
    int RequestsSeen(uint32_t command) const;
    const std::vector<JobRecord>& Jobs() const { return jobs_; }
    const std::vector<CommittedPayload>& Committed() const { return committed_; }
    bool JobOpen() const { return jobOpen_; }

private:
    uint32_t SwathCount() const;
    bool JobDone() const;
    void AdvancePrinting();
    uint32_t TakeStatusWord();
    uint32_t Reply(uint32_t command, uint32_t value);
    void Commit();
    void MarkPayloadReceived();
    void EndJob();
    void FireTriggers(uint32_t command);
    bool Silenced(Clock::time_point now);

    BoardSettings settings_;
    // Its counts (wrongChecksums, cutConnections, endRequests) go down as the
    // faults are shown.
    FaultPlan faults_;

    std::vector<JobRecord> jobs_;
    bool jobOpen_ = false;
    int busyRepliesLeft_ = 0;
    // Status replies left until each committed drawing packet is printed.
    std::deque<int> printQueue_;
    uint32_t swathsPrinted_ = 0;

    uint64_t announcement_ = 0;
    std::optional<uint32_t> announcedBytes_;
    uint64_t connection_ = 0;
    std::vector<uint8_t> payload_;
    bool dataReceived_ = false;
    std::vector<CommittedPayload> committed_;

    bool stop_ = false;
    int holdRepliesLeft_ = 0;
    int silentRequestsLeft_ = 0;
    Clock::time_point silentUntil_{};
    std::map<uint32_t, int> seen_;
};

}  // namespace sim
