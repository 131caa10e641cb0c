#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <future>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "sim/address_guard.h"
#include "sim/plotter_model.h"
#include "sim/reply_faults.h"
#include "sim/stand_in_plotter.h"
#include "platform/unique_fd.h"
#include "sim/wire_format.h"

namespace {

using namespace std::chrono_literals;
using sim::PlotterModel;
using sim::ReplyFate;
using Bytes = std::vector<uint8_t>;

Bytes Words(std::initializer_list<uint32_t> words) {
    Bytes bytes;
    for (const uint32_t word : words)
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(word >> (8 * i)));
    return bytes;
}

Bytes RequestBytes(uint32_t command, uint32_t value) { return Words({command, value, command + value, 0}); }

uint32_t WordAt(const Bytes& bytes, std::size_t index) {
    uint32_t word = 0;
    for (int i = 3; i >= 0; --i) word = word << 8 | bytes[index * 4 + static_cast<std::size_t>(i)];
    return word;
}

struct Reply {
    uint32_t code, value, position, check;
};

Reply Decode(const Bytes& bytes) { return {WordAt(bytes, 0), WordAt(bytes, 1), WordAt(bytes, 2), WordAt(bytes, 3)}; }

// The PC's side of both channels, on loopback.
class Client {
public:
    explicit Client(const sim::StandInPlotter& plotter, const char* address = "127.0.0.1")
        : socket_(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)), plotter_(plotter) {
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(socket_.Get(), reinterpret_cast<const sockaddr*>(&local), sizeof local);
        const int on = 1;
        setsockopt(socket_.Get(), SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
        inet_pton(AF_INET, address, &target_);
    }

    void SendRaw(const Bytes& bytes) const {
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(plotter_.CommandPort());
        to.sin_addr = target_;
        sendto(socket_.Get(), bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    }

    // The next datagram (up to 64 bytes), waiting at most timeout.
    std::optional<Bytes> Receive(std::chrono::milliseconds timeout = 1000ms) const {
        pollfd ready{socket_.Get(), POLLIN, 0};
        if (poll(&ready, 1, static_cast<int>(timeout.count())) != 1) return std::nullopt;
        Bytes bytes(64);
        const ssize_t length = recv(socket_.Get(), bytes.data(), bytes.size(), 0);
        if (length < 0) return std::nullopt;
        bytes.resize(static_cast<std::size_t>(length));
        return bytes;
    }

    std::optional<Reply> Query(uint32_t command, uint32_t value) const {
        SendRaw(RequestBytes(command, value));
        const auto bytes = Receive();
        if (!bytes || bytes->size() != 16) return std::nullopt;
        return Decode(*bytes);
    }

    // A data connection that has sent payload; closed when the result goes.
    platform::UniqueFd SendPayload(const Bytes& payload) const {
        platform::UniqueFd connection(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_port = htons(plotter_.DataPort());
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        EXPECT_EQ(connect(connection.Get(), reinterpret_cast<const sockaddr*>(&to), sizeof to), 0);
        EXPECT_EQ(send(connection.Get(), payload.data(), payload.size(), MSG_NOSIGNAL), static_cast<ssize_t>(payload.size()));
        return connection;
    }

private:
    platform::UniqueFd socket_;
    const sim::StandInPlotter& plotter_;
    in_addr target_{};
};

sim::StandInOptions OnFreePorts(sim::FaultPlan faults = {}) {
    sim::StandInOptions options;
    options.commandPort = 0;
    options.dataPort = 0;
    options.faults = faults;
    return options;
}

bool DataReceived(const sim::StandInPlotter& plotter) {
    return plotter.WaitUntil([](const sim::StandInView& view) {
        return (view.board.PeekStatusWord() & sim::kStatusDataReceived) != 0;
    }, 2s);
}

const auto kNow = PlotterModel::Clock::now();

uint32_t Status(PlotterModel& board) { return *board.Handle(sim::kCmdGetStatus, 0, kNow).value; }

TEST(PlotterModelTest, RunsAJobFromBeginToDone) {
    PlotterModel board({.passes = 4, .busyReplies = 2, .printReplies = 2}, {});
    board.Handle(sim::kCmdReset, 0, kNow);
    board.Handle(sim::kCmdJobBegin, 1, kNow);
    board.Handle(sim::kCmdJobBegin, 1, kNow);  // a repeat whose reply was lost: the same job
    EXPECT_EQ(Status(board), sim::kStatusBusy);
    EXPECT_EQ(Status(board), sim::kStatusBusy);
    EXPECT_EQ(Status(board), 0u);
    for (const auto& [command, value] : {std::pair{4u, 3u}, {1u, 2000u}, {2u, 80u}, {16u, 7u}, {4u, 3u}})
        EXPECT_EQ(board.Handle(command, value, kNow).value, value);
    board.Handle(sim::kCmdPrintStart, 1, kNow);

    const auto transfer = [&](const Bytes& payload) {
        board.Handle(sim::kCmdDataLength, static_cast<uint32_t>(payload.size()), kNow);
        const auto ticket = board.OpenConnection();
        board.ReceivePayload(ticket, payload);
        EXPECT_EQ(Status(board) & sim::kStatusDataReceived, sim::kStatusDataReceived);
        board.Handle(sim::kCmdDataCommit, 0, kNow);
        board.Handle(sim::kCmdDataCommit, 0, kNow);  // repeated: nothing new to commit
    };
    transfer(Words({0x11}));  // the test pattern prints no swath
    EXPECT_EQ(Status(board), 0u);
    EXPECT_EQ(board.Handle(sim::kCmdGetProgress, 0, kNow).value, 0u);
    transfer(Words({0x22}));  // swaths 0 to 3 of 3: progress stops at the swath count
    EXPECT_EQ(Status(board), 0u);
    EXPECT_EQ(board.Handle(sim::kCmdGetProgress, 0, kNow).value, 0u);
    EXPECT_EQ(Status(board), sim::kStatusJobDone);
    // The position moves only as swaths print.
    const sim::Answer progress = board.Handle(sim::kCmdGetProgress, 0, kNow);
    EXPECT_EQ(progress.value, 3u);
    EXPECT_EQ(progress.position, 3u);

    ASSERT_EQ(board.Jobs().size(), 1u);
    EXPECT_EQ(board.Jobs()[0].settings, (std::map<uint32_t, uint32_t>{{1, 2000}, {2, 80}, {4, 3}, {16, 7}}));
    EXPECT_EQ(board.Jobs()[0].receivedPayloads, 2);
    EXPECT_EQ(board.Jobs()[0].committedPackets, 2);
    EXPECT_FALSE(board.Jobs()[0].ended);
    ASSERT_EQ(board.Committed().size(), 2u);
    EXPECT_EQ(board.Committed()[1].bytes, Words({0x22}));
    EXPECT_EQ(board.Committed()[1].job, 0);

    // The reset ends the job with what it printed.
    board.Handle(sim::kCmdReset, 0, kNow);
    EXPECT_TRUE(board.Jobs()[0].ended);
    EXPECT_TRUE(board.Jobs()[0].done);
    EXPECT_EQ(board.Jobs()[0].swathsPrinted, 3u);
    EXPECT_EQ(Status(board), 0u);
    EXPECT_EQ(board.Handle(sim::kCmdGetProgress, 0, kNow).value, 0u);
    board.Handle(sim::kCmdJobBegin, 1, kNow);
    EXPECT_EQ(board.Jobs().size(), 2u);
    board.Handle(sim::kCmdReset, 0, kNow);  // aborted before it printed
    EXPECT_TRUE(board.Jobs()[1].ended);
    EXPECT_FALSE(board.Jobs()[1].done);
}

TEST(PlotterModelTest, PayloadBelongsToTheCurrentAnnouncementAndConnection) {
    PlotterModel board({}, {});
    EXPECT_EQ(sim::PayloadWordSum(Bytes{0xFF, 0xFF, 0x01, 0x00}), 0x00010000u);
    EXPECT_EQ(sim::PayloadWordSum(Bytes{0x01, 0x02, 0x03}), 0x0204u);

    board.Handle(sim::kCmdDataLength, 4, kNow);
    const auto stale = board.OpenConnection();
    board.Handle(sim::kCmdDataLength, 4, kNow);  // a new attempt: the old connection no longer counts
    board.ReceivePayload(stale, Bytes{1, 2, 3, 4});
    board.CloseConnection(stale);
    EXPECT_EQ(board.PeekStatusWord(), 0u);

    auto ticket = board.OpenConnection();
    EXPECT_FALSE(ticket.cutAfter);
    board.ReceivePayload(ticket, Bytes{1, 0, 2, 0, 9, 9});  // bytes beyond the announcement are not payload
    EXPECT_EQ(board.PeekStatusWord(), sim::kStatusDataReceived);
    EXPECT_EQ(board.Handle(sim::kCmdDataChecksum, 0, kNow).value, 3u);

    board.Handle(sim::kCmdDataLength, 6, kNow);
    ticket = board.OpenConnection();
    board.ReceivePayload(ticket, Bytes{5, 0});
    EXPECT_EQ(board.PeekStatusWord(), 0u);
    board.CloseConnection(ticket);  // closed early: what arrived is the payload
    EXPECT_EQ(board.PeekStatusWord(), sim::kStatusDataReceived);
    EXPECT_EQ(board.Handle(sim::kCmdDataChecksum, 0, kNow).value, 5u);

    board.CutConnections(1);
    board.FailChecksums(1);
    board.Handle(sim::kCmdDataLength, 7, kNow);
    EXPECT_EQ(board.OpenConnection().cutAfter, 3u);
    EXPECT_FALSE(board.OpenConnection().cutAfter);
    EXPECT_EQ(board.Handle(sim::kCmdDataChecksum, 0, kNow).value, 1u);  // the empty payload's sum + 1
    EXPECT_EQ(board.Handle(sim::kCmdDataChecksum, 0, kNow).value, 0u);

    board.Handle(sim::kCmdDataLength, 0, kNow);
    board.OpenConnection();  // an empty payload is complete at once
    EXPECT_EQ(board.PeekStatusWord(), sim::kStatusDataReceived);
}

TEST(PlotterModelTest, FaultsStartWhereTheyAreTold) {
    sim::FaultPlan faults;
    faults.stopAfter = sim::Trigger{sim::kCmdPrintStart, 1};
    faults.holdReplies = 2;
    faults.holdAfter = sim::Trigger{sim::kCmdGetStatus, 2};
    faults.endRequests = 2;
    faults.silentRequests = 2;
    faults.silentAfter = sim::Trigger{sim::kCmdGetProgress, 1};
    faults.answerAddressChange = false;
    PlotterModel board({.passes = 4, .busyReplies = 0, .printReplies = 1}, faults);

    EXPECT_EQ(Status(board), sim::kStatusEndRequest);  // only while idle
    board.Handle(sim::kCmdJobBegin, 1, kNow);
    board.Handle(sim::kCmdSwathCount, 5, kNow);
    EXPECT_EQ(Status(board), 0u);  // the second status request: the hold starts after it
    EXPECT_EQ(Status(board), sim::kStatusHold);
    EXPECT_EQ(Status(board), sim::kStatusHold);
    EXPECT_EQ(Status(board), 0u);
    board.Handle(sim::kCmdPrintStart, 1, kNow);
    EXPECT_EQ(Status(board), sim::kStatusStop);

    board.Handle(sim::kCmdGetProgress, 0, kNow);
    const int statusSeen = board.RequestsSeen(sim::kCmdGetStatus);
    EXPECT_TRUE(board.Handle(sim::kCmdGetStatus, 0, kNow).silent);
    EXPECT_TRUE(board.Handle(sim::kCmdGetStatus, 0, kNow).silent);
    EXPECT_EQ(board.RequestsSeen(sim::kCmdGetStatus), statusSeen);
    const auto address = board.Handle(sim::kCmdSetAddress, 0x0100007F, kNow);
    EXPECT_FALSE(address.silent);
    EXPECT_FALSE(address.value);

    board.Handle(sim::kCmdReset, 0, kNow);  // clears the stop
    EXPECT_EQ(Status(board), sim::kStatusEndRequest);
    EXPECT_EQ(Status(board), 0u);

    board.GoSilentUntil(kNow + 1s);
    EXPECT_TRUE(board.Handle(sim::kCmdGetStatus, 0, kNow).silent);
    EXPECT_FALSE(board.Handle(sim::kCmdGetStatus, 0, kNow + 1s).silent);
    board.AnswerAddressChange(true);
    EXPECT_EQ(board.Handle(sim::kCmdSetAddress, 0x0100007F, kNow + 1s).value, 0x0100007Fu);
}

TEST(AddressGuardTest, KnowsLoopbackAddresses) {
    EXPECT_TRUE(sim::IsLoopbackAddress("127.0.0.1"));
    EXPECT_TRUE(sim::IsLoopbackAddress("127.200.3.4"));
    EXPECT_FALSE(sim::IsLoopbackAddress("128.0.0.1"));
    EXPECT_FALSE(sim::IsLoopbackAddress("0.0.0.0"));
    EXPECT_FALSE(sim::IsLoopbackAddress("localhost"));
}

TEST(StandInPlotterTest, AnswersEveryValidRequestToItsSender) {
    sim::StandInPlotter plotter(OnFreePorts());
    Client client(plotter);

    // A first reply, a second and a third for the ping, a job setting and an
    // id the board does not know.
    auto reply = client.Query(sim::kCmdGetStatus, 0x87654321);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->code, 12u);
    EXPECT_EQ(reply->value, 0u);
    EXPECT_EQ(reply->check, reply->code + reply->value + reply->position);
    const uint32_t firstPosition = reply->position;
    client.SendRaw(Bytes{4, 0, 0, 0, 0x0A, 0, 0, 0, 0x0E, 0, 0, 0, 0, 0, 0, 0});
    const auto raw = client.Receive();
    ASSERT_TRUE(raw);
    ASSERT_EQ(raw->size(), 16u);
    reply = Decode(*raw);
    EXPECT_EQ(reply->code, 4u);
    EXPECT_EQ(reply->value, 10u);
    EXPECT_EQ(reply->position, firstPosition);  // an idle plotter's position stands still
    EXPECT_EQ(reply->check, reply->code + reply->value + reply->position);
    reply = client.Query(6, 0xFFFFFFF0);  // the check wraps modulo 2^32
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->value, 0xFFFFFFF0u);
    EXPECT_EQ(reply->check, reply->code + reply->value + reply->position);

    Bytes badCheck = RequestBytes(12, 0);
    badCheck[8] = 13;
    Bytes longer = RequestBytes(12, 0);
    longer.push_back(0);
    Bytes shorter = RequestBytes(12, 0);
    shorter.pop_back();
    for (const Bytes& invalid : {badCheck, longer, shorter}) {
        client.SendRaw(invalid);
        EXPECT_FALSE(client.Receive(150ms));
    }

    const auto requests = plotter.Requests();
    ASSERT_EQ(requests.size(), 6u);
    EXPECT_EQ(requests[0].value, 0x87654321u);
    EXPECT_EQ(requests[1].fate, ReplyFate::Sent);
    EXPECT_EQ(requests[3].command, 12u);
    for (std::size_t i = 3; i < 6; ++i) EXPECT_EQ(requests[i].fate, ReplyFate::Invalid);

    const auto before = std::chrono::steady_clock::now();
    plotter.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 500ms);
}

TEST(StandInPlotterTest, TakesAnnouncedPayloadsOverTcp) {
    sim::StandInPlotter plotter(OnFreePorts());
    Client client(plotter);
    const Bytes payload{0xFF, 0xFF, 0x01, 0x00, 0x34, 0x12};

    ASSERT_TRUE(client.Query(sim::kCmdDataLength, 6));
    {
        const auto connection = client.SendPayload(payload);
        ASSERT_TRUE(DataReceived(plotter));
        EXPECT_EQ(client.Query(sim::kCmdGetStatus, 0)->value, sim::kStatusDataReceived);
    }
    EXPECT_EQ(client.Query(sim::kCmdDataChecksum, 0)->value, 0x00011234u);
    ASSERT_TRUE(client.Query(sim::kCmdDataCommit, 0));
    EXPECT_EQ(client.Query(sim::kCmdGetStatus, 0)->value, 0u);
    ASSERT_EQ(plotter.Committed().size(), 1u);
    EXPECT_EQ(plotter.Committed()[0].bytes, payload);

    // The PC closes after four of ten bytes: the four count as the payload.
    ASSERT_TRUE(client.Query(sim::kCmdDataLength, 10));
    client.SendPayload(Bytes{1, 0, 2, 0});
    ASSERT_TRUE(DataReceived(plotter));
    EXPECT_EQ(client.Query(sim::kCmdDataChecksum, 0)->value, 3u);

    // The stand-in cuts the connection after half of the eight bytes.
    plotter.Modify([](PlotterModel& board) { board.CutConnections(1); });
    ASSERT_TRUE(client.Query(sim::kCmdDataLength, 8));
    const auto connection = client.SendPayload(Bytes{1, 0, 2, 0, 3, 0, 4, 0});
    ASSERT_TRUE(DataReceived(plotter));
    EXPECT_EQ(client.Query(sim::kCmdDataChecksum, 0)->value, 3u);
    ASSERT_TRUE(client.Query(sim::kCmdDataCommit, 0));
    ASSERT_EQ(plotter.Committed().size(), 2u);
    EXPECT_EQ(plotter.Committed()[1].bytes, (Bytes{1, 0, 2, 0}));
}

// The demonstration's log gets one line per job: the stand-in reports each
// job once, at the reset that ends it, with its payloads.
TEST(StandInPlotterTest, ReportsEachJobOnceAtItsEnd) {
    auto options = OnFreePorts();
    std::promise<std::pair<std::size_t, sim::JobRecord>> reported;
    int reports = 0;
    options.onJobEnd = [&](std::size_t index, const sim::JobRecord& job) {
        if (reports++ == 0) reported.set_value({index, job});
    };
    sim::StandInPlotter plotter(options);
    Client client(plotter);

    ASSERT_TRUE(client.Query(sim::kCmdReset, 0));
    ASSERT_TRUE(client.Query(sim::kCmdJobBegin, 1));
    ASSERT_TRUE(client.Query(sim::kCmdDataLength, 4));
    client.SendPayload(Words({7}));
    ASSERT_TRUE(DataReceived(plotter));
    ASSERT_TRUE(client.Query(sim::kCmdDataCommit, 0));
    auto report = reported.get_future();
    EXPECT_EQ(report.wait_for(100ms), std::future_status::timeout);
    ASSERT_TRUE(client.Query(sim::kCmdReset, 0));
    ASSERT_TRUE(client.Query(sim::kCmdReset, 0));  // no job open: nothing to report
    ASSERT_TRUE(client.Query(sim::kCmdGetStatus, 0));
    ASSERT_EQ(report.wait_for(2s), std::future_status::ready);
    const auto [index, job] = report.get();
    EXPECT_EQ(index, 0u);
    EXPECT_EQ(job.receivedPayloads, 1);
    EXPECT_EQ(job.committedPackets, 1);
    EXPECT_TRUE(job.ended);
    plotter.Stop();
    EXPECT_EQ(reports, 1);
}

// Requests and connections are taken in the order they arrive, however late
// the commands are served: a connection made after a repeated announcement
// carries that announcement's payload.
TEST(StandInPlotterTest, AConnectionBelongsToTheAnnouncementSentBeforeIt) {
    std::promise<void> release;
    sim::StandInOptions options = OnFreePorts();
    // The commands are served late from the first announcement on.
    options.onRequest = [released = release.get_future().share(), held = std::make_shared<bool>(false)](
                            const sim::RequestRecord& request) {
        if (request.command == sim::kCmdDataLength && !std::exchange(*held, true)) released.wait();
    };
    sim::StandInPlotter plotter(std::move(options));
    Client client(plotter);
    const Bytes payload{1, 0, 2, 0, 3, 0};

    client.SendRaw(RequestBytes(sim::kCmdDataLength, 6));
    const bool firstServed =
        plotter.WaitUntil([](const sim::StandInView& view) { return view.requests.size() == 1; }, 2s);
    // Its reply was late: the announcement goes again, then the payload.
    client.SendRaw(RequestBytes(sim::kCmdDataLength, 6));
    const auto connection = client.SendPayload(payload);
    // Room for a stand-in that ties the connection at once.
    plotter.WaitUntil(
        [](const sim::StandInView& view) { return (view.board.PeekStatusWord() & sim::kStatusDataReceived) != 0; },
        100ms);
    release.set_value();
    EXPECT_TRUE(firstServed);
    EXPECT_TRUE(DataReceived(plotter));
    // The two announcements' replies, then the sum of the payload.
    EXPECT_TRUE(client.Receive() && client.Receive());
    EXPECT_EQ(client.Query(sim::kCmdDataChecksum, 0)->value, 6u);
}

TEST(StandInPlotterTest, HearsBroadcastAddressChangesOnAnyAddress) {
    auto options = OnFreePorts();
    options.address = "0.0.0.0";
    sim::StandInPlotter plotter(options);
    Client client(plotter, "255.255.255.255");
    const uint32_t address = 0x0100007F;  // 127.0.0.1, first octet in the first byte

    const auto reply = client.Query(sim::kCmdSetAddress, address);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->code, 19u);
    EXPECT_EQ(reply->value, address);

    plotter.Modify([](PlotterModel& board) { board.AnswerAddressChange(false); });
    client.SendRaw(RequestBytes(sim::kCmdSetAddress, address));
    EXPECT_FALSE(client.Receive(150ms));
    EXPECT_EQ(plotter.Requests().back().fate, ReplyFate::Unanswered);
}

TEST(StandInPlotterTest, ShapesFaultyReplies) {
    sim::FaultPlan faults;
    faults.badCheckOdds = 1;
    {
        sim::StandInPlotter plotter(OnFreePorts(faults));
        const auto reply = Client(plotter).Query(sim::kCmdGetStatus, 0);
        ASSERT_TRUE(reply);
        EXPECT_EQ(reply->check, reply->code + reply->value + reply->position + 1);
    }
    faults.badCheckOdds = 0;
    faults.oversizeOdds = 1;
    sim::StandInPlotter plotter(OnFreePorts(faults));
    Client client(plotter);
    client.SendRaw(RequestBytes(sim::kCmdGetStatus, 0));
    auto bytes = client.Receive();
    ASSERT_TRUE(bytes);
    ASSERT_EQ(bytes->size(), 17u);
    bytes->pop_back();
    const Reply reply = Decode(*bytes);
    EXPECT_EQ(reply.check, reply.code + reply.value + reply.position);
}

// Sends requests the way the PC does (one at a time, each read after
// 100 ms) and notes which window each reply arrived in (-1: never).
struct SeededRun {
    std::vector<ReplyFate> fates;
    std::vector<int> arrivedInWindow;
};

SeededRun RunSeeded(uint32_t seed) {
    constexpr int kRequests = 16;
    sim::FaultPlan faults;
    faults.seed = seed;
    faults.dropOdds = 0.25;
    faults.lateOdds = 0.25;
    faults.lateDelay = 150ms;  // halfway through the next window
    sim::StandInPlotter plotter(OnFreePorts(faults));
    Client client(plotter);
    SeededRun run;
    run.arrivedInWindow.assign(kRequests, -1);
    const auto collect = [&](int window, std::chrono::milliseconds length) {
        const auto end = std::chrono::steady_clock::now() + length;
        while (true) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
            if (left <= 0ms) return;
            const auto bytes = client.Receive(left);
            if (!bytes) return;
            const uint32_t value = Decode(*bytes).value;
            if (value < kRequests) run.arrivedInWindow[value] = window;
        }
    };
    for (int i = 0; i < kRequests; ++i) {
        client.SendRaw(RequestBytes(16, static_cast<uint32_t>(i)));  // a setting: the reply echoes i
        collect(i, 100ms);
    }
    collect(kRequests, 400ms);
    for (const auto& request : plotter.Requests()) run.fates.push_back(request.fate);
    return run;
}

// Each reply came as its fate says: in its own window, in a later one, or never.
void ExpectArrivalsMatchFates(const SeededRun& run) {
    for (std::size_t i = 0; i < run.fates.size(); ++i) {
        const int window = run.arrivedInWindow[i];
        switch (run.fates[i]) {
            case ReplyFate::Sent:
                EXPECT_EQ(window, static_cast<int>(i)) << i;
                break;
            case ReplyFate::SentLate:
                EXPECT_GT(window, static_cast<int>(i)) << i;
                break;
            case ReplyFate::Dropped:
                EXPECT_EQ(window, -1) << i;
                break;
            default:
                ADD_FAILURE() << "unexpected fate of request " << i;
        }
    }
}

TEST(StandInPlotterTest, DropsAndDelaysRepliesReproduciblyForASeed) {
    const SeededRun first = RunSeeded(5);
    const SeededRun again = RunSeeded(5);
    ASSERT_EQ(first.fates.size(), 16u);
    EXPECT_EQ(first.fates, again.fates);
    ExpectArrivalsMatchFates(first);
    ExpectArrivalsMatchFates(again);
    EXPECT_GT(std::count(first.fates.begin(), first.fates.end(), ReplyFate::Dropped), 0);
    EXPECT_GT(std::count(first.fates.begin(), first.fates.end(), ReplyFate::SentLate), 0);

    sim::FaultPlan otherSeed;
    otherSeed.seed = 6;
    otherSeed.dropOdds = otherSeed.lateOdds = 0.25;
    sim::ReplyFaults other(otherSeed);
    std::vector<ReplyFate> otherFates;
    for (std::size_t i = 0; i < first.fates.size(); ++i) otherFates.push_back(other.Draw());
    EXPECT_NE(first.fates, otherFates);
}

}  // namespace
