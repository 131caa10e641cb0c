#include <gtest/gtest.h>

#include <QAction>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <optional>
#include <thread>

#include "jobs/file_view.h"
#include "platform/single_instance.h"
#include "res/resource_ids.h"
#include "tests/support/other_user.h"
#include "tests/windows/job_list_fixture.h"
#include "ui/application.h"
#include "ui/main_status_bar.h"
#include "ui/map_view.h"
#include "ui/ui_thread_calls.h"

namespace {

using namespace res;
using namespace std::chrono_literals;

class MainFrameTest : public JobListFixture, public ::testing::Test {};

TEST_F(MainFrameTest, StatusTimerFillsThePanesAndProgressFollowsTheJob) {
    g_statusTexts.Set(STATUS_TEXT_PERCENT, "25%");
    g_statusTexts.Set(STATUS_TEXT_TASK, "Plotting");
    g_statusTexts.Set(STATUS_TEXT_POSITION, "/work/a.plt");
    g_statusTexts.Set(STATUS_TEXT_RUNSTATE, "Print");
    g_plotterStatus.m_bOnline = 1;
    view.OnTimer(CFileView::ID_TIMER_STATUS);
    EXPECT_EQ(g_pStatusBar->PaneText(2), "25%");
    EXPECT_EQ(g_pStatusBar->PaneText(3), "Online");
    EXPECT_EQ(g_pStatusBar->PaneText(4), "Plotting");
    EXPECT_EQ(g_pStatusBar->PaneText(5), "/work/a.plt");
    EXPECT_EQ(g_pStatusBar->PaneText(6), "Print");
    g_plotterStatus.m_bOnline = 0;
    view.OnTimer(CFileView::ID_TIMER_STATUS);
    EXPECT_EQ(g_pStatusBar->PaneText(3), "Offline");

    SwathPlan& plan = document->m_plan[SLOT_PRINT];
    plan.m_nSwathCount = 160;
    plan.m_nSwathsPrinted = 40;
    Frame().UpdateProgressBar();
    EXPECT_EQ(g_pStatusBar->ProgressBar()->value(), 0);  // no job busy
    g_plotterStatus.m_bBusy = 1;
    Frame().UpdateProgressBar();
    EXPECT_EQ(g_pStatusBar->ProgressBar()->value(), 25);

    // The worker's progress only repaints: it is carried out later, and the
    // worker does not wait for it.
    plan.m_nSwathsPrinted = 80;
    std::atomic<bool> returned{false};
    std::thread worker([&] {
        view.ShowProgress();
        view.InvalidatePreview();
        returned = true;
    });
    for (int wait = 0; wait < 500 && !returned.load(); ++wait) std::this_thread::sleep_for(10ms);
    const bool returnedAtOnce = returned.load();
    EXPECT_EQ(g_pStatusBar->ProgressBar()->value(), 25);
    while (!returned.load()) UiThreadCalls::Instance().RunPending();
    worker.join();
    UiThreadCalls::Instance().RunPending();
    EXPECT_TRUE(returnedAtOnce);
    EXPECT_EQ(g_pStatusBar->ProgressBar()->value(), 50);

    // The job has ended: the status tick brings the bar back to 0.
    g_plotterStatus.m_bBusy = 0;
    view.OnTimer(CFileView::ID_TIMER_STATUS);
    EXPECT_EQ(g_pStatusBar->ProgressBar()->value(), 0);
    EXPECT_EQ(ProgressPercent(500, 160, true), 100);
    EXPECT_EQ(ProgressPercent(40, 0, true), 0);
}

TEST_F(MainFrameTest, CommandsAreEnabledWhereTheActivePaneHandlesThem) {
    CMainFrame& frame = Frame();
    EXPECT_EQ(frame.windowTitle(), "Inkjet Plotter");
    EXPECT_TRUE(frame.CommandAction(ID_PLOT)->isEnabled());
    EXPECT_TRUE(frame.CommandAction(ID_APP_EXIT)->isEnabled());
    EXPECT_FALSE(frame.CommandAction(ID_ZOOM_IN)->isEnabled());
    EXPECT_FALSE(frame.CommandAction(ID_FILE_NEW)->isEnabled());

    frame.RouteCommand(ID_NEXT_PANE);
    EXPECT_EQ(frame.ActivePane(), frame.GetMapView());
    EXPECT_TRUE(frame.CommandAction(ID_ZOOM_IN)->isEnabled());
    EXPECT_FALSE(frame.CommandAction(ID_PLOT)->isEnabled());
    frame.RouteCommand(ID_PREV_PANE);
    EXPECT_EQ(frame.ActivePane(), frame.GetFileView());

    // A right click on the bars offers no menu that could hide the toolbar.
    frame.show();
    const QPoint onMenuBar(frame.menuBar()->width() - 5, frame.menuBar()->height() / 2);
    const QPoint inFrame = frame.menuBar()->mapTo(&frame, onMenuBar);
    ASSERT_EQ(frame.childAt(inFrame), frame.menuBar());
    QContextMenuEvent click(QContextMenuEvent::Mouse, inFrame, frame.menuBar()->mapToGlobal(onMenuBar));
    QApplication::sendEvent(&frame, &click);
    QWidget* popup = QApplication::activePopupWidget();
    EXPECT_EQ(popup, nullptr);
    if (popup != nullptr) popup->close();
}

// On Yes the job list's stop aborts the job (the program road test closes
// during a job with the worker running).
TEST_F(MainFrameTest, ExitAsksWhileAJobIsBusyAndClosesOnYes) {
    AddRow(texts().plotting, "a.plt");
    Frame().show();
    g_plotterStatus.m_bBusy = 1;
    Frame().OnAppExit();  // answered No
    EXPECT_TRUE(Frame().isVisible());
    EXPECT_EQ(g_abortJob.load(), 0);
    ASSERT_EQ(messages.Texts(), std::vector<std::string>{"Task is running. Do you realy want to interrupt the job?"});

    MessageRecorder yes(platform::MessageAnswer::Yes);
    Frame().OnAppExit();
    EXPECT_FALSE(Frame().isVisible());
}

TEST_F(MainFrameTest, CloseAsksOnlyWhileTheWorkerRunsTheJob) {
    AddRow(texts().plotting, "a.plt");
    g_plotterStatus.m_bBusy = 1;
    Frame().show();
    g_jobRunning = 1;
    EXPECT_FALSE(Frame().close());  // answered No
    EXPECT_EQ(messages.shown.size(), 1u);

    g_jobRunning = 0;
    EXPECT_TRUE(Frame().close());
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(g_abortJob.load(), 0);
}

TEST(SecondInstance, OnTheSameConfigurationIsRefusedForEveryUser) {
    TempDir folder;
    std::optional<platform::SingleInstanceLock> first(folder.path());
    ASSERT_TRUE(first->held());
    EXPECT_EQ(platform::SingleInstanceLock(folder.path()).state(), platform::SingleInstanceLock::State::HeldByAnother);
    MessageRecorder messages;
    CTOLVEXR5DServerApp second;
    second.m_strConfigFolder = folder.path();
    EXPECT_FALSE(second.InitInstance());
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{platform::LoadString(152)});
    EXPECT_EQ(second.MainFrame(), nullptr);

    // A folder that cannot be opened gives no lock at all; it says why.
    const platform::SingleInstanceLock unmade(folder.File("missing"));
    EXPECT_EQ(unmade.state(), platform::SingleInstanceLock::State::Unavailable);
    EXPECT_NE(unmade.Why().find(folder.File("missing")), std::string::npos) << unmade.Why();

    // A copy of another user, in a folder it may read but not write.
    if (geteuid() != 0) GTEST_SKIP() << "needs root to run a copy as another user";
    const auto lockOfNobody = [&] {
        return RunAsNobody([&] { return static_cast<int>(platform::SingleInstanceLock(folder.path()).state()); });
    };
    for (const auto mode : {std::filesystem::perms(0755), std::filesystem::perms(0555)}) {
        std::filesystem::permissions(folder.path(), mode);
        EXPECT_EQ(lockOfNobody(), static_cast<int>(platform::SingleInstanceLock::State::HeldByAnother));
    }
    // The lock goes with its holder: the other user's copy takes it, and
    // once that copy has ended this one takes it again.
    first.reset();
    EXPECT_EQ(lockOfNobody(), static_cast<int>(platform::SingleInstanceLock::State::Held));
    EXPECT_TRUE(platform::SingleInstanceLock(folder.path()).held());
}

}  // namespace
