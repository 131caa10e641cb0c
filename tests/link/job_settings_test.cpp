#include <utility>
#include <vector>

#include "tests/link/channel_fixture.h"

namespace {

using Sent = std::vector<std::pair<uint32_t, uint32_t>>;

Sent CommandsAndValues(const std::vector<CommandPacket>& requests) {
    Sent sent;
    for (const auto& request : requests) sent.emplace_back(request.command, request.value);
    return sent;
}

class JobSettingsTest : public ChannelTest {
protected:
    void SetUp() override {
        ChannelTest::SetUp();
        SwathPlan& plan = document_->m_plan[SLOT_PRINT];
        plan.m_pConfig = &Config();
        plan.m_nSwathCount = 12;
        plan.m_nRightEnd = 5210;
        plan.m_nLeftMargin = 400;
        plan.m_nYStep = 640;
        plan.m_nStepSpeed = -3;
        PlotterConfig& config = Config();
        config.FANPWMSETTING = 1;
        config.FANPWMVALLOW = 11;
        config.FANPWMVALMID = 22;
        config.FANPWMVALHIGH = 33;
        config.PRINTERSPDVALLOW = 101;
        config.PRINTERSPDVALMID = 102;
        config.PRINTERSPDVALHIGH = 103;
        config.RASTER_VAL = 16000;
        config.MOTOR_BUF_L = 170;
        config.MOTOR_BUF_R = 180;
    }
};

TEST_F(JobSettingsTest, SendsNineSettingsInOrderOrTenWithThePrinterSpeed) {
    AnsweringPlotter plotter(AnsweringPlotter::Echo);
    Config().ENSPEED = 0;
    SendJobSettings();
    EXPECT_EQ(CommandsAndValues(plotter.Requests(9)),
              (Sent{{4, 12}, {1, 5210}, {2, 400}, {7, 640}, {20, 0xFFFFFFFD}, {13, 22}, {16, 16000}, {17, 170},
                    {18, 180}}));

    Config().ENSPEED = 1;
    Config().FANPWMSETTING = 0;
    Config().UCSPEED = 2;
    SendJobSettings();
    Config().FANPWMSETTING = -1;
    Config().UCSPEED = 0;
    SendJobSettings();
    const Sent withSpeed = CommandsAndValues(plotter.Requests(29));
    ASSERT_EQ(withSpeed.size(), 29u);
    EXPECT_EQ(Sent(withSpeed.begin() + 9, withSpeed.begin() + 19),
              (Sent{{4, 12}, {1, 5210}, {2, 400}, {7, 640}, {20, 0xFFFFFFFD}, {13, 11}, {15, 103}, {16, 16000},
                    {17, 170}, {18, 180}}));
    // A fan setting other than 0 and 1 takes the high value; speed 0 the low one.
    EXPECT_EQ(withSpeed[24], (std::pair<uint32_t, uint32_t>{13, 33}));
    EXPECT_EQ(withSpeed[25], (std::pair<uint32_t, uint32_t>{15, 101}));
    EXPECT_EQ(DrainCommandSocket(), 0);
}

TEST_F(JobSettingsTest, RepeatsACommandUntilItsOwnCodeComesBackValid) {
    Config().ENSPEED = 0;
    AnsweringPlotter plotter([](const CommandPacket& request, int index) -> std::optional<ReplyPacket> {
        switch (index) {
            case 1: return ReplyPacket::For(CMD_GET_PROGRESS, 0, 0);  // the right end answered with another code
            case 4: {
                ReplyPacket invalid = ReplyPacket::For(CMD_Y_STEP, 0, 0);
                ++invalid.check;
                return invalid;
            }
            case 6: return std::nullopt;  // the step speed goes unanswered once
            default: return AnsweringPlotter::Echo(request, index);
        }
    });
    SendJobSettings();
    std::vector<uint32_t> commands;
    for (const auto& request : plotter.Requests(12)) commands.push_back(request.command);
    EXPECT_EQ(commands, (std::vector<uint32_t>{4, 1, 1, 2, 7, 7, 20, 20, 13, 16, 17, 18}));
}

TEST_F(JobSettingsTest, AfterAnAbortTheRemainingSettingsAreSentOnceAndNotAwaited) {
    Config().ENSPEED = 1;
    // The Y step is never answered; the operator aborts at its second try.
    int ySteps = 0;
    AnsweringPlotter plotter([&ySteps](const CommandPacket& request, int) -> std::optional<ReplyPacket> {
        if (request.command != CMD_Y_STEP) return AnsweringPlotter::Echo(request, 0);
        if (++ySteps == 2) g_abortJob = 1;
        return std::nullopt;
    });
    SendJobSettings();
    std::vector<uint32_t> commands;
    for (const auto& request : plotter.Requests(11)) commands.push_back(request.command);
    EXPECT_EQ(commands, (std::vector<uint32_t>{4, 1, 2, 7, 7, 20, 13, 15, 16, 17, 18}));
    // Their six answers were left unread.
    EXPECT_EQ(DrainCommandSocket(), 6);

    // Aborted before it starts, the sequence only sends.
    const auto started = std::chrono::steady_clock::now();
    SendJobSettings();
    EXPECT_LT(std::chrono::steady_clock::now() - started, kReplyWait);
    EXPECT_EQ(plotter.Requests(21).size(), 21u);
}

}  // namespace
