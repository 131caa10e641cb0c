#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "platform/ini_file.h"
#include "res/settings_ids.h"
#include "tests/windows/window_fixture.h"
#include "ui/common_settings_transfer.h"
#include "ui/config_dlg_easy.h"
#include "ui/main_toolbar.h"

namespace {

using namespace res;
using Boxes = std::array<bool, 4>;

TEST(MovableInkBoxes, TheFirstRunOfOpenBoxesAsLongAsTheHeadCount) {
    struct Case {
        int32_t heads;
        int32_t open[8];
        Boxes movable;
    };
    const Case cases[] = {
        {2, {1, 0, 0, 0, 1, 0, 1, 0}, {false, false, true, true}},
        {2, {1, 0, 1, 0, 0, 0, 0, 0}, {true, true, false, false}},
        {1, {0, 0, 0, 0, 2, 0, 1, 0}, {false, false, true, false}},
        {3, {1, 0, 0, 0, 1, 0, 1, 0}, {false, false, false, false}},
        {3, {0, 0, 1, 0, 1, 0, 1, 0}, {false, true, true, true}},
        {4, {1, 0, 1, 0, 1, 0, 1, 0}, {true, true, true, true}},
        {4, {1, 0, 1, 0, 1, 0, 0, 0}, {false, false, false, false}},
        {0, {1, 0, 1, 0, 1, 0, 1, 0}, {false, false, false, false}},
        {5, {1, 0, 1, 0, 1, 0, 1, 0}, {false, false, false, false}},
    };
    for (const Case& c : cases) EXPECT_EQ(MovableInkBoxes(c.heads, c.open), c.movable) << int{c.heads};
}

class CommonSettings : public ::testing::Test {
protected:
    std::string Saved(const char* section, const char* key) const {
        return platform::IniFile::Load(fixture.folder.File("config.ini")).GetText(section, key, "absent");
    }
    PlotterConfig& Config() { return fixture.document->m_config; }

    WindowFixture fixture{
        "[CTRPARAM]\nJetPrintHead=2\n[JetPrintHeadOpenStatus]\nJetPrintHeadOpenStatus0=1\nJetPrintHeadOpenStatus4=1\n"
        "JetPrintHeadOpenStatus6=1\n[JetPrintHeadValueX]\nJetPrintHeadValueX4=100\nJetPrintHeadValueX5=71\n"};
};

TEST_F(CommonSettings, OpeningTakesOverAChangedToolbarOrigin) {
    fixture.Frame();
    QLineEdit& toolbarOrigin = *g_wndMainToolBar->m_wndOriginEdit;
    toolbarOrigin.setText("300");
    const std::string before = fixture.folder.Read("config.ini");
    {
        CConfigDlgEasy dialog(*fixture.document);
        dialog.show();
    }
    EXPECT_EQ(fixture.folder.Read("config.ini"), before);

    toolbarOrigin.setText("-5");
    CConfigDlgEasy dialog(*fixture.document);
    dialog.show();
    EXPECT_EQ(Config().EdLeftValue, 0.0f);
    EXPECT_EQ(Config().LeftMarginDots, 0);
    EXPECT_EQ(toolbarOrigin.text(), "0");
    EXPECT_EQ(Saved("CTRPARAM", "EdLeftValue"), "0.000000");
    EXPECT_EQ(dialog.Controls().EditOf(IDC_EASY_ORIGIN_POINT)->text(), "0");
}

TEST_F(CommonSettings, OnlyTheRunOfOpenBoxesMovesAndOnlyWhileIdle) {
    for (const uint8_t plotting : {0, 1}) {
        CConfigDlgEasy dialog(*fixture.document);
        dialog.m_bPlotting = plotting;
        dialog.show();
        const DialogControls& c = dialog.Controls();
        for (int box = 0; box < 4; ++box) {
            const bool movable = plotting == 0 && box >= 2;
            for (const unsigned id : {IDC_BOX_POSITION[box], IDC_BOX_PLUS[box], IDC_BOX_MINUS[box]})
                EXPECT_EQ(c.Control(id)->isEnabled(), movable) << id << " plotting " << int{plotting};
        }
        for (const unsigned id : {IDC_PAGE_WIDTH, IDC_EASY_LINE_WIDTH, IDC_SAVE_AND_EXIT, IDC_PLOTTING_DIRECTORY,
                                  IDC_CHOOSE_DIRECTORY, IDC_EASY_ORIGIN_POINT, IDC_EASY_MIRROR, IDC_EASY_AUTO_PLOT,
                                  IDC_EASY_AUTO_DELETE, IDC_EASY_ROTATE90, IDC_EASY_CLOCKWISE,
                                  IDC_EASY_COUNTERCLOCKWISE})
            EXPECT_EQ(c.Control(id)->isEnabled(), plotting == 0) << id;
        for (const unsigned id : {IDC_EASY_JOINT_CORRECTION, IDC_EASY_SET_JOINT_CORRECTION, unsigned{IDCANCEL}})
            EXPECT_TRUE(c.Control(id)->isEnabled()) << id;
    }
}

TEST_F(CommonSettings, SaveAndExitStoresNumbersWithinTheirRanges) {
    const std::tuple<unsigned, const char*, const char*, const char*> cases[] = {
        {IDC_EASY_LINE_WIDTH, "25", "ELineWidth", "10"},     {IDC_EASY_LINE_WIDTH, "0", "ELineWidth", "1"},
        {IDC_EASY_LINE_WIDTH, "abc", "ELineWidth", "1"},     {IDC_EASY_LINE_WIDTH, "7", "ELineWidth", "7"},
        {IDC_EASY_ORIGIN_POINT, "inf", "EdLeftValue", "0.000000"},
        {IDC_EASY_ORIGIN_POINT, "1e40", "EdLeftValue", "340282346638528859811704183484516925440.000000"},
        {IDC_EASY_ORIGIN_POINT, "5e2mm", "EdLeftValue", "500.000000"},
    };
    for (const auto& [control, entered, key, stored] : cases) {
        CConfigDlgEasy dialog(*fixture.document);
        dialog.show();
        dialog.Controls().EditOf(control)->setText(entered);
        dialog.OnBnClickedSaveAndExit();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(Saved("CTRPARAM", key), stored) << entered;
    }
    EXPECT_EQ(Config().LeftMarginDots, 3326);
}

TEST_F(CommonSettings, AFolderLongerThanConfigIniKeepsIsRefusedWithAMessage) {
    const std::string stored = Config().WORKPATH;
    CConfigDlgEasy dialog(*fixture.document);
    dialog.show();
    dialog.Controls().EditOf(IDC_PLOTTING_DIRECTORY)->setText(QString(100, 'f'));
    dialog.OnBnClickedSaveAndExit();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(fixture.messages.Texts(),
              std::vector<std::string>{"The directory path is too long: at most 99 bytes can be kept."});
    EXPECT_EQ(Config().WORKPATH, stored);
    EXPECT_EQ(Saved("PATH", "WORKPATH"), stored);
}

TEST_F(CommonSettings, MovesAreDroppedByCancelAndSavedBySet) {
    {
        CConfigDlgEasy dialog(*fixture.document);
        dialog.show();
        for (int press = 0; press < 3; ++press) dialog.Controls().ButtonOf(IDC_BOX_PLUS[2])->click();
        EXPECT_EQ(dialog.Controls().EditOf(IDC_BOX_POSITION[2])->text(), "103");
        EXPECT_EQ(Config().JetPrintHeadValueX[5], 74);
        dialog.OnBnClickedCancel();
    }
    EXPECT_EQ(Config().JetPrintHeadValueX[4], 100);
    EXPECT_EQ(Config().JetPrintHeadValueX[5], 71);
    EXPECT_EQ(Saved("JetPrintHeadValueX", "JetPrintHeadValueX4"), "100");

    CConfigDlgEasy dialog(*fixture.document);
    dialog.show();
    dialog.Controls().ButtonOf(IDC_BOX_MINUS[2])->click();
    dialog.OnBnClickedSetJointCorrection();
    EXPECT_EQ(Saved("JetPrintHeadValueX", "JetPrintHeadValueX4"), "99");
    EXPECT_EQ(Saved("JetPrintHeadValueX", "JetPrintHeadValueX5"), "70");
    EXPECT_TRUE(dialog.isVisible());
}

// The moves show in the position edits only: the others keep what was typed
// and Save And Exit stores it.
TEST_F(CommonSettings, MovesLeaveWhatWasTypedElsewhere) {
    CConfigDlgEasy dialog(*fixture.document);
    dialog.show();
    DialogControls& c = dialog.Controls();
    c.EditOf(IDC_PAGE_WIDTH)->setText("150.5");
    c.ButtonOf(IDC_EASY_MIRROR)->setChecked(true);
    c.ButtonOf(IDC_BOX_MINUS[2])->click();
    EXPECT_EQ(c.EditOf(IDC_BOX_POSITION[2])->text(), "99");
    dialog.OnBnClickedSaveAndExit();
    EXPECT_EQ(Saved("PRINT", "MAXWIDTH"), "150.5");
    EXPECT_EQ(Saved("PRINT", "PRINTMIRROR"), "1");
    EXPECT_EQ(Saved("JetPrintHeadValueX", "JetPrintHeadValueX4"), "99");
}

TEST_F(CommonSettings, SetStoresTheCorrectionInTheSlotOfTheSpeed) {
    Config().ENSPEED = 1;
    Config().UCSPEED = 2;
    Config().CrcAddorSub = 0;
    CConfigDlgEasy dialog(*fixture.document);
    dialog.show();
    dialog.Controls().EditOf(IDC_EASY_JOINT_CORRECTION)->setText("7");
    dialog.OnBnClickedSetJointCorrection();
    EXPECT_EQ(Saved("CTRPARAM", "EdLRCrcValue"), "7");
    EXPECT_EQ(Saved("CTRPARAM", "EdLRCrcValueHigh"), "7");
    EXPECT_EQ(Saved("CTRPARAM", "CrcAddorSub"), "1");
}

}  // namespace
