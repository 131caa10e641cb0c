#pragma once

#include <netinet/in.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "sim/fault_plan.h"
#include "sim/plotter_model.h"
#include "sim/reply_faults.h"
#include "sim/request_record.h"
#include "platform/unique_fd.h"

namespace sim {

struct StandInOptions {
    // Dotted IPv4 address to listen on: a loopback address, or any address
    // (0.0.0.0 to hear broadcasts too) where only loopback interfaces exist.
    std::string address = "127.0.0.1";
    // 0 picks a free port; CommandPort() and DataPort() tell which.
    uint16_t commandPort = 8000;
    uint16_t dataPort = 5001;
    BoardSettings board;
    FaultPlan faults;
    // Called on the command thread after each request has been handled.
    std::function<void(const RequestRecord&)> onRequest;
    // Called on the command thread when a reset has ended a job, with the
    // job's index into Jobs() and its record.
    std::function<void(std::size_t, const JobRecord&)> onJobEnd;
};

// What a wait condition may look at, read under the stand-in's lock.
struct StandInView {
    const PlotterModel& board;
    const std::vector<RequestRecord>& requests;
};

// A stand-in for the plotter's control board: answers the UDP command channel
// and takes swath payloads over TCP, on threads of its own, replying only to
// the sender of each request. Every accessor may be called from any thread.
class StandInPlotter {
public:
    // Binds both ports and starts serving. Throws std::invalid_argument for an
    // address it may not listen on, std::system_error when a socket cannot be
    // set up.
    explicit StandInPlotter(StandInOptions options);
    ~StandInPlotter();
    StandInPlotter(const StandInPlotter&) = delete;
    StandInPlotter& operator=(const StandInPlotter&) = delete;

    // Stops both threads and closes the sockets; returns within a fraction of
    // a second. Replies still waiting to be sent late are not sent.
    void Stop();

    uint16_t CommandPort() const { return commandPort_; }
    uint16_t DataPort() const { return dataPort_; }

    std::vector<RequestRecord> Requests() const;
    std::vector<CommittedPayload> Committed() const;
    std::vector<JobRecord> Jobs() const;
    uint32_t StatusWord() const;
    uint32_t SwathsPrinted() const;

    // Runs change on the board under the lock, e.g. to switch on a fault.
    void Modify(const std::function<void(PlotterModel&)>& change);

    // Waits until condition holds, at most timeout; false when it did not.
    bool WaitUntil(const std::function<bool(const StandInView&)>& condition,
                   std::chrono::milliseconds timeout) const;

private:
    struct LateReply {
        std::chrono::steady_clock::time_point due;
        sockaddr_in peer{};
        std::vector<uint8_t> bytes;
    };
    struct DataConnection {
        platform::UniqueFd socket;
        ConnectionTicket ticket;
        std::size_t received = 0;
    };

    void ServeCommands();
    void ReceiveRequest();
    // Whether a datagram waits in the command socket.
    bool RequestWaiting() const;
    void SendReply(const sockaddr_in& peer, const std::vector<uint8_t>& bytes) const;
    void ServeData();
    void AcceptConnection();
    void ReadConnection();
    // Closes the data connection; a cut one is reset (RST), as a board
    // that drops a connection midway does, whatever it had read.
    void EndConnection(bool cut = false);

    const StandInOptions options_;
    platform::UniqueFd commandSocket_;
    platform::UniqueFd dataSocket_;
    uint16_t commandPort_ = 0;
    uint16_t dataPort_ = 0;

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    PlotterModel board_;
    ReplyFaults replyFaults_;
    std::vector<RequestRecord> requests_;

    // Touched only by the command thread.
    std::deque<LateReply> lateReplies_;
    // Touched only by the data thread.
    std::optional<DataConnection> connection_;

    std::atomic<bool> stopping_{false};
    std::thread commandThread_;
    std::thread dataThread_;
};

}  // namespace sim
