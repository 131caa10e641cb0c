#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "jobs/file_view.h"
#include "link/command_channel.h"
#include "platform/ini_file.h"
#include "res/settings_ids.h"
#include "tests/windows/window_fixture.h"
#include "ui/advanced_config_dlg.h"
#include "ui/config_dlg_easy.h"
#include "ui/ip_address_edit.h"
#include "ui/main_config_dlg.h"
#include "ui/main_toolbar.h"
#include "ui/network_setting.h"
#include "ui/others_config_dlg.h"
#include "ui/param_config_dlg.h"
#include "ui/system_config_dlg.h"
#include "ui/tab_config_sheet.h"

namespace {

using namespace res;

// Runs act on the first modal dialog of type D once open() has shown it;
// a dialog that act left open is then closed without storing.
template <typename D>
void WhileModal(const std::function<void()>& open, const std::function<void(D&)>& act) {
    bool acted = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        acted = true;
        act(*dialog);
        if (dialog->isVisible()) static_cast<QDialog*>(dialog)->done(QDialog::Rejected);
    });
    open();
    EXPECT_TRUE(acted);
}

class SettingsDialog : public ::testing::Test {
protected:
    void TearDown() override {
        g_plotterStatus.m_bBusy = 0;
        g_bIpChangeRunning = 0;
        g_broadcast = 0;
    }
    std::string Saved(const char* section, const char* key) const {
        return platform::IniFile::Load(fixture.folder.File("config.ini")).GetText(section, key, "absent");
    }
    void OpenFromJobList(const std::function<void(CMainConfigDlg&)>& act) {
        CFileView& view = *fixture.Frame().GetFileView();
        WhileModal<CMainConfigDlg>([&] { view.OnFactorySettings(); }, act);
    }

    WindowFixture fixture{"[PRINT]\nENSPEED=1\n[CTRPARAM]\nEdLRCrcValueLow=4\nEdLRCrcValueMiddle=5\n"};
};

TEST_F(SettingsDialog, OpenedDuringAJobOnlyTheJointCorrectionChanges) {
    g_plotterStatus.m_bBusy = 1;
    OpenFromJobList([&](CMainConfigDlg& dialog) {
        EXPECT_FALSE(dialog.SaveButton().isEnabled());
        const auto expectEnabled = [](const DialogControls& controls, std::initializer_list<unsigned> ids,
                                      bool enabled) {
            for (const unsigned id : ids) EXPECT_EQ(controls.Control(id)->isEnabled(), enabled) << id;
        };
        expectEnabled(dialog.SystemPage().Controls(),
                      {IDC_LINE_WIDTH, IDC_ONE_HEAD, IDC_TWO_HEADS, IDC_THREE_HEADS, IDC_FOUR_HEADS, IDC_HEAD_OPEN[3],
                       IDC_HEAD_OFFSET[0], IDC_HEAD_OFFSET_CORRECT[2], IDC_NOZZLE_WIDTH, IDC_COMPRESSED},
                      false);
        expectEnabled(dialog.PlottingPage().Controls(),
                      {IDC_ORIGIN_POINT, IDC_XSCALE_T, IDC_XSCALE_R, IDC_YSCALE_T, IDC_YSCALE_R, IDC_LINE_CORRECT,
                       IDC_MIRROR, IDC_ROTATE90, IDC_CLOCKWISE, IDC_COUNTERCLOCKWISE, IDC_AUTO_PLOT, IDC_AUTO_DELETE},
                      false);
        expectEnabled(dialog.PlottingPage().Controls(),
                      {IDC_JOINT_CORRECTION, IDC_INCREASE, IDC_DECREASE, IDC_SET_JOINT_CORRECTION}, true);
        expectEnabled(dialog.AdvancedPage().Controls(),
                      {IDC_DPI_PER_METRE, IDC_Y_STEP, IDC_PLOTTING_WIDTH, IDC_ENABLE_SPEED, IDC_LOW_SPEED,
                       IDC_MIDDLE_SPEED, IDC_HIGH_SPEED, IDC_DATA_FLOW_VOLUME, IDC_OVERTIME},
                      false);
        expectEnabled(dialog.OthersPage().Controls(),
                      {IDC_WORK_FOLDER, IDC_BROWSE, IDC_FONT_SIZE, IDC_CLEAR_LOW, IDC_CLEAR_HUGE, IDC_FAN_MIN,
                       IDC_FAN_MAX, IDC_PLOT_FILE_NAME},
                      false);
        expectEnabled(dialog.NetworkPage().Controls(), {IDC_PLOTTER_IP, IDC_SET_IP}, false);

        dialog.TabSheet().tabBar()->setCurrentIndex(1);
        EXPECT_TRUE(dialog.PlottingPage().isVisible());
        dialog.PlottingPage().Controls().EditOf(IDC_JOINT_CORRECTION)->setText("12");
        dialog.PlottingPage().Controls().ButtonOf(IDC_SET_JOINT_CORRECTION)->click();
        EXPECT_EQ(Saved("CTRPARAM", "EdLRCrcValue"), "12");
        EXPECT_EQ(Saved("CTRPARAM", "EdLRCrcValueLow"), "12");
        dialog.OnBnClickedCancel();
    });
}

TEST_F(SettingsDialog, OpenedWhileIdleStaysEditableWhenAJobStarts) {
    OpenFromJobList([&](CMainConfigDlg& dialog) {
        g_plotterStatus.m_bBusy = 1;
        dialog.SystemPage().Controls().EditOf(IDC_LINE_WIDTH)->setText("5");
        ASSERT_TRUE(dialog.SaveButton().isEnabled());
        dialog.SaveButton().click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
    });
    EXPECT_EQ(Saved("CTRPARAM", "ELineWidth"), "5");
}

// What a digits-only edit refuses shows a hint at the edit; the digits stay.
TEST_F(SettingsDialog, DigitsOnlyEditsHintAtARefusedKey) {
    fixture.Frame();
    CMainConfigDlg dialog(*fixture.document);
    CConfigDlgEasy common(*fixture.document);
    for (QLineEdit* edit : {dialog.SystemPage().Controls().EditOf(IDC_LINE_WIDTH),
                            dialog.SystemPage().Controls().EditOf(IDC_NOZZLE_WIDTH),
                            dialog.PlottingPage().Controls().EditOf(IDC_JOINT_CORRECTION),
                            dialog.AdvancedPage().Controls().EditOf(IDC_Y_STEP),
                            common.Controls().EditOf(IDC_EASY_JOINT_CORRECTION), g_wndMainToolBar->m_wndOriginEdit}) {
        edit->clear();
        QToolTip::showText(QPoint(), "no hint yet");
        QTest::keyClicks(edit, "12.5");
        EXPECT_EQ(edit->text(), "125");
        EXPECT_EQ(QToolTip::text(), "0-9") << edit->objectName().toStdString();
    }
}

// One origin: a save in either dialog shows it in the toolbar, so that the
// common settings dialog's take-over does not bring back the old one.
TEST_F(SettingsDialog, OpeningReadsTheFileAndSaveShowsTheOriginInTheToolbar) {
    fixture.Frame();
    QLineEdit& toolbarOrigin = *g_wndMainToolBar->m_wndOriginEdit;
    toolbarOrigin.setText("300");
    fixture.document->m_config.EdLeftValue = 123;
    {
        CMainConfigDlg dialog(*fixture.document);
        dialog.show();
        QLineEdit& origin = *dialog.PlottingPage().Controls().EditOf(IDC_ORIGIN_POINT);
        EXPECT_EQ(origin.text(), "300");
        origin.setText("250.4");
        dialog.OnBnClickedSave();
    }
    EXPECT_EQ(Saved("CTRPARAM", "EdLeftValue"), "250.399994");
    EXPECT_EQ(fixture.document->m_config.LeftMarginDots, 1665);
    EXPECT_EQ(toolbarOrigin.text(), "250");
    CConfigDlgEasy easy(*fixture.document);
    easy.show();
    EXPECT_EQ(Saved("CTRPARAM", "EdLeftValue"), "250.399994");
    easy.Controls().EditOf(IDC_EASY_ORIGIN_POINT)->setText("260");
    easy.OnBnClickedSaveAndExit();
    EXPECT_EQ(toolbarOrigin.text(), "260");
}

TEST_F(SettingsDialog, ASpeedRadioChangesTheConfigurationAtOnceAndCancelPutsItBack) {
    PlotterConfig& config = fixture.document->m_config;
    for (const bool closeBox : {false, true}) {
        CMainConfigDlg dialog(*fixture.document);
        dialog.show();
        QLineEdit& joint = *dialog.PlottingPage().Controls().EditOf(IDC_JOINT_CORRECTION);
        EXPECT_EQ(joint.text(), "4");
        QTest::mouseClick(dialog.AdvancedPage().Controls().ButtonOf(IDC_MIDDLE_SPEED), Qt::LeftButton);
        EXPECT_EQ(joint.text(), "5");
        EXPECT_EQ(config.UCSPEED, 1);
        // Without the speed settings a radio leaves the typed correction.
        dialog.AdvancedPage().Controls().ButtonOf(IDC_ENABLE_SPEED)->click();
        joint.setText("9");
        QTest::mouseClick(dialog.AdvancedPage().Controls().ButtonOf(IDC_HIGH_SPEED), Qt::LeftButton);
        EXPECT_EQ(joint.text(), "9");
        closeBox ? (void)dialog.close() : dialog.OnBnClickedCancel();
        EXPECT_EQ(config.UCSPEED, 0);
        EXPECT_EQ(config.EdLRCrcValue, 4);
    }
    {
        CMainConfigDlg dialog(*fixture.document);
        dialog.show();
        QTest::mouseClick(dialog.AdvancedPage().Controls().ButtonOf(IDC_MIDDLE_SPEED), Qt::LeftButton);
        dialog.PlottingPage().Controls().ButtonOf(IDC_SET_JOINT_CORRECTION)->click();
        dialog.OnBnClickedCancel();
    }
    EXPECT_EQ(config.UCSPEED, 1);
    // A later save elsewhere writes what was saved.
    CConfigDlgEasy easy(*fixture.document);
    easy.show();
    easy.OnBnClickedSaveAndExit();
    EXPECT_EQ(Saved("PRINT", "UCSPEED"), "1");
    EXPECT_EQ(Saved("CTRPARAM", "EdLRCrcValue"), "5");
}

TEST_F(SettingsDialog, EscAndEnterOnAPageDoNothingEnterOnTheDialogCancels) {
    CMainConfigDlg dialog(*fixture.document);
    dialog.show();
    QLineEdit& lineWidth = *dialog.SystemPage().Controls().EditOf(IDC_LINE_WIDTH);
    lineWidth.setText("9");
    for (QWidget* target : std::initializer_list<QWidget*>{
             &lineWidth, dialog.PlottingPage().Controls().EditOf(IDC_JOINT_CORRECTION),
             dialog.OthersPage().Controls().Control(IDC_BROWSE), dialog.NetworkPage().AddressControl().Field(2)}) {
        QTest::keyClick(target, Qt::Key_Escape);
        QTest::keyClick(target, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible()) << target->objectName().toStdString();
    }
    QTest::keyClick(dialog.TabSheet().tabBar(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(Saved("CTRPARAM", "ELineWidth"), "absent");
}

TEST_F(SettingsDialog, EveryEndingStopsARunningAddressChange) {
    const std::function<void(CMainConfigDlg&)> endings[] = {
        [](CMainConfigDlg& dialog) { dialog.OnBnClickedSave(); },
        [](CMainConfigDlg& dialog) { dialog.OnBnClickedCancel(); },
        [](CMainConfigDlg& dialog) { dialog.close(); },
    };
    for (const auto& end : endings) {
        for (const bool running : {true, false}) {
            CMainConfigDlg dialog(*fixture.document);
            dialog.show();
            g_bIpChangeRunning = running ? 1 : 0;
            g_broadcast = 1;
            end(dialog);
            EXPECT_FALSE(dialog.isVisible());
            EXPECT_EQ(g_bIpChangeRunning, 0);
            // Broadcasting is switched off only when a change was running.
            EXPECT_EQ(g_broadcast, running ? 0 : 1);
        }
    }
}

// The address control cannot show a field above 255: a Save that never
// touched it keeps the stored text.
TEST_F(SettingsDialog, TheAddressIsStoredOnlyWhenItsControlWasEdited) {
    fixture.folder.Write("config.ini", "[PATH]\nWORKPATH=" + fixture.WorkFolder() + "\n[NET]\nIP_ADDR=127.0.0.300\n");
    for (const char* typed : {"", "7"}) {
        CMainConfigDlg dialog(*fixture.document);
        dialog.show();
        QTest::keyClicks(dialog.NetworkPage().AddressControl().Field(3), typed);
        dialog.OnBnClickedSave();
        EXPECT_EQ(Saved("NET", "IP_ADDR"), *typed ? "127.0.0.7" : "127.0.0.300");
    }
}

TEST(TabConfigSheet, HoldsSixteenPages) {
    CTabConfigSheet sheet;
    for (int page = 0; page < CTabConfigSheet::kMaxPages; ++page) EXPECT_TRUE(sheet.AddPage("page", new QWidget(&sheet)));
    EXPECT_FALSE(sheet.AddPage("seventeenth", new QWidget(&sheet)));
    sheet.Init();
    EXPECT_EQ(sheet.count(), CTabConfigSheet::kMaxPages);
    EXPECT_EQ(sheet.currentIndex(), 0);
}

TEST_F(SettingsDialog, BrowseTakesAChosenFolderThatConfigIniCanKeep) {
    const std::string deep = fixture.folder.File(std::string(110, 'd'));
    std::filesystem::create_directory(deep);
    const std::string chosen = fixture.folder.File("chosen");
    std::filesystem::create_directory(chosen);
    CMainConfigDlg dialog(*fixture.document);
    dialog.show();
    COthersConfigDlg& others = dialog.OthersPage();
    const QString before = others.Controls().EditOf(IDC_WORK_FOLDER)->text();
    const auto browse = [&](const std::function<void(QFileDialog&)>& choose) {
        WhileModal<QFileDialog>([&] { others.OnBnClickedBrowse(); }, choose);
    };
    browse([](QFileDialog& chooser) { chooser.reject(); });
    EXPECT_EQ(others.Controls().EditOf(IDC_WORK_FOLDER)->text(), before);
    browse([&](QFileDialog& chooser) {
        chooser.selectFile(QString::fromStdString(deep));
        static_cast<QDialog&>(chooser).accept();
    });
    EXPECT_EQ(others.Controls().EditOf(IDC_WORK_FOLDER)->text(), before);
    EXPECT_EQ(fixture.messages.Texts(),
              std::vector<std::string>{"The directory path is too long: at most 99 bytes can be kept."});
    browse([&](QFileDialog& chooser) {
        chooser.selectFile(QString::fromStdString(chosen));
        static_cast<QDialog&>(chooser).accept();
    });
    EXPECT_EQ(others.Controls().EditOf(IDC_WORK_FOLDER)->text().toStdString(), chosen);
    dialog.OnBnClickedSave();
    EXPECT_EQ(Saved("PATH", "WORKPATH"), chosen);
}

}  // namespace
