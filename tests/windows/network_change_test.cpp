// The plotter's address change and the joint correction set during a job,
// against a stand-in plotter. Only ever run inside a private network
// namespace (scripts/in-private-netns): the change broadcasts.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <arpa/inet.h>
#include <chrono>
#include <cstring>
#include <functional>

#include "link/command_channel.h"
#include "platform/ini_file.h"
#include "res/settings_ids.h"
#include "tests/link/fake_plotter.h"
#include "tests/link/worker_fixture.h"
#include "tests/windows/address_typing.h"
#include "tests/windows/window_fixture.h"
#include "ui/config_dlg_easy.h"
#include "ui/ip_address_edit.h"
#include "ui/main_config_dlg.h"
#include "ui/network_setting.h"
#include "ui/param_config_dlg.h"
#include "ui/tab_config_sheet.h"

namespace {

using namespace res;
using namespace std::chrono_literals;

// Enough ticks for any answer the tests wait for.
constexpr int kTickLimit = 30;

// The value of command 19 for a dotted address: the first octet in the
// lowest byte.
uint32_t AddressValue(const char* dotted) {
    in_addr address{};
    inet_pton(AF_INET, dotted, &address);
    uint8_t octets[4];
    std::memcpy(octets, &address.s_addr, sizeof octets);
    return octets[0] | uint32_t{octets[1]} << 8 | uint32_t{octets[2]} << 16 | uint32_t{octets[3]} << 24;
}

class AddressChange : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (g_commandSocket < 0) OpenCommandSocket();
        g_channelTiming = {20ms, 5ms};
    }
    void SetUp() override {
        g_pDocument = fixture.document.get();
        SetBroadcast(0);
        DrainCommandSocket();
        g_missCount = 0;
        ShowDialog();
        dialog.TabSheet().setCurrentWidget(&Page());
    }
    void TearDown() override {
        g_bIpChangeRunning = 0;
        SetBroadcast(0);
        g_pDocument = nullptr;
    }

    void ShowDialog() {
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
    CNetworkSetting& Page() { return dialog.NetworkPage(); }
    bool SpinnerShown() { return Page().Controls().Control(IDC_SPINNER)->isVisible(); }
    std::string SavedAddress() const {
        return platform::IniFile::Load(fixture.folder.File("config.ini")).GetText("NET", "IP_ADDR", "absent");
    }
    // Types the address over the one shown and clicks Set.
    void StartChange(const char* address) {
        TypeAddress(Page().AddressControl(), address);
        QTest::mouseClick(static_cast<QWidget*>(Page().Controls().Control(IDC_SET_IP)), Qt::LeftButton);
    }
    // Ticks until the change ends; the ticks it took, or kTickLimit + 1.
    int TickUntilEnd() {
        for (int tick = 1; tick <= kTickLimit; ++tick) {
            Page().OnTimer();
            if (g_bIpChangeRunning == 0) return tick;
        }
        return kTickLimit + 1;
    }

    WindowFixture fixture;
    CMainConfigDlg dialog{*fixture.document};
};

TEST_F(AddressChange, AnsweredAfterSomeTicksTheNewAddressIsInMemoryUntilSave) {
    sim::StandInOptions options;
    options.address = "0.0.0.0";
    options.faults.silentRequests = 2;
    sim::StandInPlotter plotter(options);

    StartChange("127.0.0.5");
    EXPECT_EQ(g_bIpChangeRunning, 1);
    EXPECT_EQ(g_broadcast, 1);
    EXPECT_TRUE(SpinnerShown());
    EXPECT_FALSE(Page().Controls().Control(IDC_SET_IP)->isEnabled());
    EXPECT_FALSE(Page().AddressControl().isEnabled());
    Page().OnTimer();
    EXPECT_EQ(static_cast<QLabel*>(Page().Controls().Control(IDC_SPINNER))->text(), "/");

    EXPECT_EQ(TickUntilEnd(), 2);
    EXPECT_EQ(fixture.messages.Texts(), std::vector<std::string>{"Done!"});
    EXPECT_EQ(g_broadcast, 0);
    EXPECT_FALSE(SpinnerShown());
    EXPECT_TRUE(Page().Controls().Control(IDC_SET_IP)->isEnabled());
    EXPECT_EQ(fixture.document->m_config.IP_ADDR, "127.0.0.5");
    EXPECT_EQ(SavedAddress(), "127.0.0.1");
    const auto requests = plotter.Requests();
    ASSERT_FALSE(requests.empty());
    EXPECT_EQ(requests.back().command, CMD_SET_IP);
    EXPECT_EQ(requests.back().value, AddressValue("127.0.0.5"));

    dialog.OnBnClickedSave();
    EXPECT_EQ(SavedAddress(), "127.0.0.5");
}

TEST_F(AddressChange, AnAddressTypedKeyByKeyIsTheOneSentAndSaved) {
    sim::StandInOptions options;
    options.address = "0.0.0.0";
    sim::StandInPlotter plotter(options);
    for (const TypedAddress& typed : kTypedAddresses) {
        Page().AddressControl().SetText(typed.old);
        StartChange(typed.keys);
        ASSERT_LE(TickUntilEnd(), kTickLimit) << typed.keys;
        EXPECT_EQ(plotter.Requests().back().value, AddressValue(typed.address)) << typed.keys;
        dialog.OnBnClickedSave();
        EXPECT_EQ(SavedAddress(), typed.address);
        ShowDialog();
    }
}

TEST_F(AddressChange, AReplyWithAnotherAddressDoesNotEndIt) {
    FakePlotter plotter("0.0.0.0");
    StartChange("127.0.0.6");
    plotter.Reply(ReplyPacket::For(CMD_SET_IP, AddressValue("127.0.0.7"), 0));
    Page().OnTimer();
    EXPECT_EQ(g_bIpChangeRunning, 1);
    EXPECT_TRUE(SpinnerShown());
    plotter.Reply(ReplyPacket::For(CMD_SET_IP, AddressValue("127.0.0.6"), 0));
    Page().OnTimer();
    EXPECT_EQ(g_bIpChangeRunning, 0);
    EXPECT_EQ(fixture.messages.Texts(), std::vector<std::string>{"Done!"});
}

TEST_F(AddressChange, CancelledDuringTheChangeBroadcastingStopsWithoutAMessage) {
    sim::StandInOptions options;
    options.address = "0.0.0.0";
    options.faults.answerAddressChange = false;
    sim::StandInPlotter plotter(options);
    StartChange("127.0.0.8");
    Page().OnTimer();
    Page().OnTimer();
    dialog.OnBnClickedCancel();
    EXPECT_EQ(g_bIpChangeRunning, 0);
    EXPECT_EQ(g_broadcast, 0);
    // A tick still due when the dialog closed ends the page's side.
    Page().OnTimer();
    EXPECT_FALSE(SpinnerShown());
    EXPECT_TRUE(Page().Controls().Control(IDC_SET_IP)->isEnabled());
    EXPECT_TRUE(fixture.messages.Texts().empty());
    EXPECT_EQ(fixture.document->m_config.IP_ADDR, "127.0.0.8");
    EXPECT_EQ(SavedAddress(), "127.0.0.1");
}

TEST_F(AddressChange, TheSetButtonPressedTwiceStartsOneChange) {
    sim::StandInOptions options;
    options.address = "0.0.0.0";
    options.faults.answerAddressChange = false;
    sim::StandInPlotter plotter(options);
    StartChange("127.0.0.9");
    StartChange("127.0.0.10");
    EXPECT_EQ(fixture.document->m_config.IP_ADDR, "127.0.0.9");
    EXPECT_EQ(g_bIpChangeRunning, 1);
    dialog.OnBnClickedCancel();
}

// A joint correction set with either dialog's "Set" while a job runs reaches
// the job's next packet.
class JointCorrectionDuringAJob : public WorkerTest {
protected:
    void RunJobSettingCorrectionWith(const std::function<void(int32_t corrected)>& set) {
        const int32_t corrected = doc_->m_config.EdLRCrcValue + 5;
        const std::vector<Bytes> before = EnginePayloads();
        const std::vector<Bytes> after =
            EnginePayloads([&](PlotterConfig& config) { config.EdLRCrcValue = corrected; });
        ASSERT_EQ(before.size(), 3u);
        ASSERT_NE(before[1], after[1]);
        // The plotter holds the job after the test pattern until the
        // correction is set.
        sim::StandInOptions options;
        options.faults.holdAfter = sim::Trigger{sim::kCmdDataCommit, 1};
        options.faults.holdReplies = 1'000'000;
        sim::StandInPlotter& plotter = StartPlotter(std::move(options));
        HandJobToWorker();
        ASSERT_TRUE(worker_.Start());
        ASSERT_TRUE(plotter.WaitUntil([](const sim::StandInView& view) { return !view.board.Committed().empty(); },
                                      kJobTimeout));
        set(corrected);
        plotter.Modify([](sim::PlotterModel& board) { board.HoldFor(0); });
        EXPECT_TRUE(jobList_.WaitForFinishes(1, kJobTimeout));
        worker_.Stop();
        EXPECT_EQ(CommittedBytes(), (std::vector<Bytes>{before[0], after[1], after[2]}));
    }
};

TEST_F(JointCorrectionDuringAJob, SetOnThePlottingPage) {
    LoadCase("job_four_pass");
    CMainConfigDlg settings(*doc_);
    settings.m_bReadOnly = true;
    settings.show();
    RunJobSettingCorrectionWith([&](int32_t corrected) {
        DialogControls& controls = settings.PlottingPage().Controls();
        controls.EditOf(IDC_JOINT_CORRECTION)->setText(QString::number(corrected));
        controls.ButtonOf(IDC_SET_JOINT_CORRECTION)->click();
    });
}

TEST_F(JointCorrectionDuringAJob, SetInTheCommonSettings) {
    LoadCase("job_four_pass");
    CConfigDlgEasy common(*doc_);
    common.m_bPlotting = 1;
    common.show();
    RunJobSettingCorrectionWith([&](int32_t corrected) {
        common.Controls().EditOf(IDC_EASY_JOINT_CORRECTION)->setText(QString::number(corrected));
        common.Controls().ButtonOf(IDC_EASY_SET_JOINT_CORRECTION)->click();
    });
}

}  // namespace
