#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <chrono>
#include <memory>
#include <thread>

#include "link/swath_transfer.h"
#include "platform/unique_fd.h"
#include "tests/link/reply_after_read.h"
#include "tests/link/worker_fixture.h"

namespace {

using namespace std::chrono_literals;
using platform::MessageAnswer;

// The plotter's reply to an earlier command, arriving after its own query.
void SendLateReply(uint32_t code, uint32_t value) {
    const platform::UniqueFd socket(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    sockaddr_in channel{};
    channel.sin_family = AF_INET;
    channel.sin_port = htons(kLocalPort);
    channel.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const PacketBytes reply = ReplyPacket::For(code, value, 0).Encode();
    sendto(socket.Get(), reply.data(), reply.size(), 0, reinterpret_cast<const sockaddr*>(&channel), sizeof channel);
}

class SwathTransferTest : public WorkerTest {
protected:
    AbortWatchdog watchdog_;

    // A finished packet of words words in the print slot: the header, then
    // payload word i = payloadWord(i).
    template <typename PayloadWord>
    void FillPacket(int32_t words, PayloadWord payloadWord) {
        LoadCase("job_four_pass");
        CSwathRaster& raster = doc_->m_raster[SLOT_PRINT];
        raster.m_pPacket = std::make_unique<uint16_t[]>(static_cast<size_t>(words));
        raster.m_nWordCount = words;
        doc_->m_plan[SLOT_PRINT].m_nSentWordCount = words;
        for (int32_t i = kSwathPacketHeaderWords; i < words; ++i)
            raster.m_pPacket[i] = payloadWord(i - kSwathPacketHeaderWords);
    }

    Bytes PayloadBytes() const {
        const uint16_t* packet = doc_->m_raster[SLOT_PRINT].m_pPacket.get();
        Bytes bytes;
        for (int32_t i = kSwathPacketHeaderWords; i < doc_->m_plan[SLOT_PRINT].m_nSentWordCount; ++i) {
            bytes.push_back(static_cast<uint8_t>(packet[i] & 0xFF));
            bytes.push_back(static_cast<uint8_t>(packet[i] >> 8));
        }
        return bytes;
    }

    // The commands the plotter saw, a repeated query counted once.
    std::vector<uint32_t> Commands() const {
        std::vector<uint32_t> commands;
        for (const auto& request : plotter_->Requests())
            if (commands.empty() || commands.back() != request.command) commands.push_back(request.command);
        return commands;
    }
};

TEST(PayloadSumTest, AddsWordsModulo2To32WithoutA16BitWrap) {
    EXPECT_EQ(PayloadSum(std::vector<uint16_t>{0xFFFF, 0x0001}), 0x00010000u);
    EXPECT_EQ(PayloadSum(std::vector<uint16_t>(1000, 0)), 0u);
    EXPECT_EQ(PayloadSum(std::vector<uint16_t>(65538, 0xFFFF)), 0xFFFFu * 65538u);
}

// A reply is taken by the one who asked: the progress and the plotter's
// payload sum are the values of the replies their waits accepted, even when
// the other thread stores a reply of its own right after every read.
TEST_F(SwathTransferTest, TheProgressAndThePayloadSumAreThoseOfTheAcceptedReplies) {
    FillPacket(500, [](int32_t i) { return static_cast<uint16_t>(i * 3); });
    SwathPlan& plan = doc_->m_plan[SLOT_PRINT];
    plan.m_nSwathCount = 6;
    const ReplyAfterRead addressCheck({CMD_SET_IP, 0x0100007F});
    {
        AnsweringPlotter plotter([](const CommandPacket& request, int) -> std::optional<ReplyPacket> {
            return ReplyPacket::For(request.command, 3, 0);
        });
        EXPECT_TRUE(ReportProgress());
    }
    EXPECT_EQ(plan.m_nSwathsPrinted, 3);
    EXPECT_EQ(g_statusTexts.Get(STATUS_TEXT_PERCENT), "50%");
    StartPlotter();
    EXPECT_TRUE(SendSwathData());
    EXPECT_EQ(CommittedBytes(), std::vector<Bytes>{PayloadBytes()});
    EXPECT_EQ(g_plotterStatus.LastReply().code, CMD_SET_IP);
}

TEST_F(SwathTransferTest, AnnouncesSendsConfirmsAndCommitsOnePayload) {
    StartPlotter();
    // All zero: the sum 0 that the plotter reports matches.
    FillPacket(1000, [](int32_t) { return uint16_t{0}; });
    EXPECT_TRUE(SendSwathData());
    FillPacket(1000, [](int32_t i) { return static_cast<uint16_t>(0xFFFF - i * 7); });
    EXPECT_TRUE(SendSwathData());

    const auto announcements = RequestsOf(CMD_DATA_LENGTH);
    ASSERT_EQ(announcements.size(), 2u);
    EXPECT_EQ(announcements[0].value, 1982u);
    EXPECT_EQ(announcements[1].value, 1982u);
    EXPECT_EQ(CommittedBytes(), (std::vector<Bytes>{Bytes(1982, 0), PayloadBytes()}));
    EXPECT_EQ(Commands(), (std::vector<uint32_t>{9, 12, 10, 11, 9, 12, 10, 11}));
    EXPECT_EQ(g_plotterStatus.LastReply().code, CMD_DATA_COMMIT);
}

TEST_F(SwathTransferTest, TheEleventhFailedAttemptInARowAsksWhetherToTryMore) {
    sim::StandInPlotter& plotter = StartPlotter();
    LoadCase("job_four_pass");
    PrepareJob();
    const Bytes pattern = EnginePayloads().front();
    // A connection cut after half of the test pattern leaves a payload whose
    // sum differs: every cut connection is one failed attempt.
    ASSERT_NE(std::count(pattern.begin() + std::ssize(pattern) / 2, pattern.end(), 0), std::ssize(pattern) / 2);
    std::vector<int> attemptsWhenAsked;
    std::vector<platform::MessageRequest> questions;
    MessageAnswer answer = MessageAnswer::No;
    const platform::MessageHandler previous = platform::SetMessageHandler([&](const platform::MessageRequest& request) {
        questions.push_back(request);
        attemptsWhenAsked.push_back(Runs(CMD_DATA_LENGTH));
        return answer;
    });

    // "No" gives the packet up: SendSwathData fails, SendNextSwath still
    // reports the packet as handed on.
    plotter.Modify([](sim::PlotterModel& board) { board.CutConnections(11); });
    EXPECT_TRUE(SendNextSwath());
    plotter.Modify([](sim::PlotterModel& board) { board.CutConnections(11); });
    EXPECT_FALSE(SendSwathData());
    EXPECT_EQ(attemptsWhenAsked, (std::vector<int>{11, 22}));
    EXPECT_TRUE(plotter.Committed().empty());

    // "Yes" grants ten more attempts: the twelfth failure asks nothing, the
    // thirteenth attempt commits.
    answer = MessageAnswer::Yes;
    plotter.Modify([](sim::PlotterModel& board) { board.CutConnections(12); });
    EXPECT_TRUE(SendSwathData());
    platform::SetMessageHandler(previous);
    EXPECT_EQ(attemptsWhenAsked, (std::vector<int>{11, 22, 33}));
    EXPECT_EQ(Runs(CMD_DATA_LENGTH), 35);
    EXPECT_EQ(CommittedBytes(), std::vector<Bytes>{pattern});

    ASSERT_EQ(questions.size(), 3u);
    EXPECT_EQ(questions[0].text, "connect error.Please check the USB cable!Do you want to try more?");
    EXPECT_EQ(questions[0].caption, "Information");
    EXPECT_EQ(questions[0].buttons, platform::MessageButtons::YesNo);
}

TEST_F(SwathTransferTest, ACommitAnsweredOnlyByALateEarlierReplyIsSentAgain) {
    sim::StandInOptions options;
    // The first commit never reaches the plotter ...
    options.faults.silentRequests = 1;
    options.faults.silentAfter = sim::Trigger{CMD_DATA_CHECKSUM, 1};
    // ... while a late status reply waits in the socket.
    options.onRequest = [](const sim::RequestRecord& request) {
        if (request.command == CMD_DATA_CHECKSUM) SendLateReply(CMD_GET_STATUS, STATUS_DATA_RECEIVED);
    };
    StartPlotter(std::move(options));
    FillPacket(500, [](int32_t i) { return static_cast<uint16_t>(i); });

    EXPECT_TRUE(SendSwathData());
    const auto commits = RequestsOf(CMD_DATA_COMMIT);
    ASSERT_EQ(commits.size(), 2u);
    EXPECT_EQ(commits[0].fate, sim::ReplyFate::Silent);
    EXPECT_EQ(CommittedBytes(), std::vector<Bytes>{PayloadBytes()});
}

TEST_F(SwathTransferTest, APayloadTheKernelTakesInPartsOrThePlotterCutsIsSentWholeOrNotCommitted) {
    // The first connection is closed after half of the payload. All words
    // are 0, so the half that arrived has the right sum; it must not be
    // committed all the same. A small payload is already in the kernel's
    // buffers when the plotter cuts the connection; far more than the
    // loopback socket buffers hold (a few megabytes) is sent in parts, and
    // sending the rest fails instead of raising SIGPIPE.
    for (const int32_t words : {1000, 8 * 1024 * 1024}) {
        SCOPED_TRACE(words);
        sim::StandInOptions options;
        options.faults.cutConnections = 1;
        StartPlotter(std::move(options));
        FillPacket(words, [](int32_t) { return uint16_t{0}; });
        // The stand-in's sum over the large payload takes longer than the
        // shortened reply wait.
        g_channelTiming.replyWait = 250ms;

        // As in the program: a write to a closed connection raises SIGPIPE,
        // which would end the process.
        const auto previousHandler = std::signal(SIGPIPE, SIG_DFL);
        EXPECT_TRUE(SendSwathData());
        std::signal(SIGPIPE, previousHandler);
        EXPECT_EQ(RequestsOf(CMD_DATA_LENGTH).size(), 2u);
        const auto committed = plotter_->Committed();
        ASSERT_EQ(committed.size(), 1u);
        EXPECT_EQ(committed[0].bytes.size(), 2u * static_cast<uint32_t>(words) - 18);
        plotter_->Stop();
    }
}

// A data port that refuses the connection, or never accepts it, neither
// ends the program nor waits for an acknowledgement that cannot come: the
// attempt fails at once, or after the connect timeout, and the packet is
// announced again after the pause. The eleventh failure in a row asks the
// operator, unless the job is aborted by then.
TEST_F(SwathTransferTest, AConnectionThatCannotBeMadeIsAFailedAttempt) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(kDataPort);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    for (const bool listening : {false, true}) {
        SCOPED_TRACE(listening ? "never accepts" : "refuses");
        g_abortJob = 0;
        const std::size_t asked = messages_.Shown().size();
        // A listener whose backlog is full: further connection requests go
        // unanswered.
        const platform::UniqueFd listener(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
        const platform::UniqueFd queued(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
        if (listening) {
            const int on = 1;
            setsockopt(listener.Get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
            ASSERT_EQ(bind(listener.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
            ASSERT_EQ(listen(listener.Get(), 0), 0);
            ASSERT_EQ(connect(queued.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        }
        sim::StandInOptions options;
        options.dataPort = 0;
        // The operator aborts while the second connection waits.
        if (listening) {
            options.onRequest = [announcements = std::make_shared<int>(0)](const sim::RequestRecord& request) {
                if (request.command != CMD_DATA_LENGTH || ++*announcements != 2) return;
                std::this_thread::sleep_for(kReplyWait + 100ms);
                g_abortJob = 1;
            };
        }
        StartPlotter(std::move(options));
        FillPacket(100, [](int32_t i) { return static_cast<uint16_t>(i + 1); });

        const auto previousHandler = std::signal(SIGPIPE, SIG_DFL);
        EXPECT_FALSE(SendSwathData());
        std::signal(SIGPIPE, previousHandler);
        const auto announcements = RequestsOf(CMD_DATA_LENGTH);
        ASSERT_EQ(announcements.size(), listening ? 2u : 11u);
        EXPECT_TRUE(RequestsOf(CMD_GET_STATUS).empty());
        const auto between = announcements[1].time - announcements[0].time;
        EXPECT_GE(between, (listening ? g_workerTiming.connectTimeout : 0ms) + g_workerTiming.mismatchPause);
        EXPECT_LT(between, (listening ? g_workerTiming.connectTimeout : 0ms) + g_workerTiming.mismatchPause + 200ms);
        EXPECT_EQ(messages_.Shown().size() - asked, listening ? 0u : 1u);
        EXPECT_TRUE(plotter_->Committed().empty());
        plotter_->Stop();
    }
}

TEST_F(SwathTransferTest, SendNextSwathShowsProgressFirstAndStopsOnAbort) {
    LoadCase("job_four_pass");
    PrepareJob();
    SwathPlan& plan = doc_->m_plan[SLOT_PRINT];
    ASSERT_EQ(plan.m_nSwathCount, 6);
    {
        // Three of six swaths printed; the announcement is answered, then
        // the operator aborts.
        AnsweringPlotter plotter([](const CommandPacket& request, int) -> std::optional<ReplyPacket> {
            if (request.command == CMD_DATA_LENGTH) g_abortJob = 1;
            return ReplyPacket::For(request.command, request.command == CMD_GET_PROGRESS ? 3 : request.value, 0);
        });
        EXPECT_TRUE(SendNextSwath());
        std::vector<uint32_t> commands;
        for (const auto& request : plotter.Requests(2)) commands.push_back(request.command);
        EXPECT_EQ(commands, (std::vector<uint32_t>{CMD_GET_PROGRESS, CMD_DATA_LENGTH}));
        EXPECT_EQ(plan.m_nSwathsPrinted, 3);
        EXPECT_EQ(g_statusTexts.Get(STATUS_TEXT_PERCENT), "50%");
        EXPECT_EQ(g_statusTexts.Get(STATUS_TEXT_TASK), "Plotting");
        EXPECT_EQ(jobList_.progressShown, 1);
        EXPECT_EQ(jobList_.previewInvalidations, 1);
    }
    plan.m_nSentWordCount = 0;
    g_abortJob = 0;
    {
        // The progress is never answered; the abort ends the wait and
        // nothing is prepared or sent.
        AnsweringPlotter plotter([](const CommandPacket&, int index) -> std::optional<ReplyPacket> {
            if (index == 2) g_abortJob = 1;
            return std::nullopt;
        });
        EXPECT_FALSE(SendNextSwath());
        std::vector<uint32_t> commands;
        for (const auto& request : plotter.Requests(3)) commands.push_back(request.command);
        EXPECT_EQ(commands, (std::vector<uint32_t>(3, CMD_GET_PROGRESS)));
        EXPECT_EQ(plan.m_nSentWordCount, 0);
        EXPECT_EQ(jobList_.previewInvalidations, 1);
    }
    g_abortJob = 0;
    g_statusTexts.Set(STATUS_TEXT_PERCENT, "7%");
    plan.m_nSwathCount = 0;
    {
        // Without swaths no progress is asked and no percent set; the data
        // count as finished.
        AnsweringPlotter plotter(AnsweringPlotter::Echo);
        EXPECT_FALSE(SendNextSwath());
        EXPECT_TRUE(plotter.Requests(1).empty());
        EXPECT_EQ(g_statusTexts.Get(STATUS_TEXT_PERCENT), "7%");
        EXPECT_EQ(g_plotterStatus.m_wUpdate & UPDATE_ALL_DATA_SENT, UPDATE_ALL_DATA_SENT);
    }
}

}  // namespace
