#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <memory>
#include <string>

#include "core/document.h"
#include "platform/ini_file.h"
#include "res/settings_ids.h"
#include "tests/support/temp_dir.h"
#include "ui/settings_transfer.h"

namespace {

using namespace res;

// A document on a "config.ini" of the test's own; the settings pages opened
// on it and saved as the dialog does.
class SettingsTransfer : public ::testing::Test {
protected:
    void Load(const std::string& ini) {
        folder.Write("config.ini", ini);
        document = std::make_unique<CTOLVEXR5DServerDoc>(folder.path());
    }
    PlotterConfig& Config() { return document->m_config; }
    ControlValues Open() { return FillSettingsPages(Config()); }
    void Save(const ControlValues& values) {
        ReadSettingsPages(values, Config());
        document->SaveConfig();
    }
    std::string Saved(const char* section, const char* key) const {
        return platform::IniFile::Load(folder.File("config.ini")).GetText(section, key, "absent");
    }

    TempDir folder;
    std::unique_ptr<CTOLVEXR5DServerDoc> document;
};

TEST_F(SettingsTransfer, ATickedHeadRowDerivesColumnBAClearedOneLeavesIt) {
    Load("[PRINT]\nJETPRINTHEADWIDTH=29\n[JetPrintHeadOpenStatus]\nJetPrintHeadOpenStatus4=1\nJetPrintHeadOpenStatus5=1\n"
         "[JetPrintHeadValueX]\nJetPrintHeadValueX5=77\n[JetPrintHeadValueY]\nJetPrintHeadValueY5=8\n");
    ControlValues values = Open();
    EXPECT_TRUE(values.Ticked(IDC_HEAD_OPEN[2]));
    values.ticks[IDC_HEAD_OPEN[2]] = false;
    values.texts[IDC_HEAD_OFFSET[2]] = "40";
    values.texts[IDC_HEAD_OFFSET_CORRECT[2]] = "5";
    Save(values);
    const auto entry = [&](int i) {
        const std::string n = std::to_string(i);
        return Saved("JetPrintHeadOpenStatus", ("JetPrintHeadOpenStatus" + n).c_str()) + " " +
               Saved("JetPrintHeadValueX", ("JetPrintHeadValueX" + n).c_str()) + " " +
               Saved("JetPrintHeadValueY", ("JetPrintHeadValueY" + n).c_str());
    };
    EXPECT_EQ(entry(4), "0 40 5");
    EXPECT_EQ(entry(5), "1 77 8");

    values.ticks[IDC_HEAD_OPEN[2]] = true;
    Save(values);
    EXPECT_EQ(entry(4), "1 40 5");
    EXPECT_EQ(entry(5), "1 11 5");
    EXPECT_EQ(entry(3), "0 0 0");
}

TEST_F(SettingsTransfer, NumbersShowInTheirFormatsAndSaveAsShown) {
    Load("[PRINT]\nMAXWIDTH=180.5\nUSBPACKAGESIZE=5000\n[CTRPARAM]\nXSCALE_T=1.2345\nEdLeftValue=300.4\n");
    ControlValues values = Open();
    EXPECT_EQ(values.Text(IDC_PLOTTING_WIDTH), "180.5");
    EXPECT_EQ(values.Text(IDC_XSCALE_T), "1.23");
    EXPECT_EQ(values.Text(IDC_ORIGIN_POINT), "300");
    EXPECT_EQ(values.Text(IDC_DATA_FLOW_VOLUME), "9");
    EXPECT_EQ(values.Text(IDC_DPI_PER_METRE), "6653");
    values.texts[IDC_DPI_PER_METRE] = "8000";
    Save(values);
    EXPECT_EQ(Saved("PRINT", "MAXWIDTH"), "180.5");
    EXPECT_EQ(Saved("CTRPARAM", "XSCALE_T"), "1.2300");
    EXPECT_EQ(Saved("CTRPARAM", "EdLeftValue"), "300.000000");
    EXPECT_EQ(Saved("PRINT", "USBPACKAGESIZE"), "4608");
    // The margin follows the new origin and the new resolution.
    EXPECT_EQ(Config().LeftMarginDots, 2400);
    EXPECT_FLOAT_EQ(Config().XFactor, 1.23f);
    EXPECT_FLOAT_EQ(Config().DotsPerUnit, static_cast<float>(8000 * 0.025 / 1000));

    Load("[PRINT]\nUSBPACKAGESIZE=64512\n");
    EXPECT_EQ(Open().Text(IDC_DATA_FLOW_VOLUME), "126");
}

TEST_F(SettingsTransfer, EnteredValuesTakeTheirClampsAndReplacements) {
    Load("");
    struct Case {
        unsigned control;
        const char* entered;
        std::function<double(const PlotterConfig&)> stored;
        double expected;
    };
    const auto usb = [](const PlotterConfig& c) { return c.USBPACKAGESIZE; };
    const auto dpi = [](const PlotterConfig& c) { return c.DPINumPerM; };
    const auto scale = [](const PlotterConfig& c) { return c.YSCALE_R; };
    const auto width = [](const PlotterConfig& c) { return c.MAXWIDTH; };
    const auto origin = [](const PlotterConfig& c) { return c.EdLeftValue; };
    constexpr double kLargest = std::numeric_limits<float>::max();
    const Case cases[] = {
        {IDC_DATA_FLOW_VOLUME, "3", usb, 2048},
        {IDC_DATA_FLOW_VOLUME, "200", usb, 64512},
        {IDC_DATA_FLOW_VOLUME, "126", usb, 64512},
        {IDC_DATA_FLOW_VOLUME, "99999999999", usb, 64512},
        {IDC_DPI_PER_METRE, "1005", dpi, 6653},
        {IDC_DPI_PER_METRE, "1006", dpi, 1006},
        {IDC_DPI_PER_METRE, "-7000", dpi, 6653},
        {IDC_YSCALE_R, "0", scale, 1.0},
        {IDC_YSCALE_R, "cm", scale, 1.0},
        {IDC_YSCALE_R, "2.5cm", scale, 2.5},
        {IDC_YSCALE_R, "nan", scale, 1.0},
        {IDC_YSCALE_R, "0x10", scale, 1.0},
        {IDC_YSCALE_R, "1e40", scale, 1.0},
        {IDC_PLOTTING_WIDTH, "-inf", width, 0},
        {IDC_PLOTTING_WIDTH, "1e40", width, kLargest},
        {IDC_ORIGIN_POINT, "-1e999", origin, -kLargest},
        {IDC_LINE_CORRECT, "-3", [](const PlotterConfig& c) { return c.XJUMP; }, 0},
        {IDC_LINE_CORRECT, " +4x", [](const PlotterConfig& c) { return c.XJUMP; }, 4},
    };
    for (const Case& c : cases) {
        ControlValues values = Open();
        values.texts[c.control] = c.entered;
        ReadSettingsPages(values, Config());
        EXPECT_EQ(c.stored(Config()), c.expected) << c.control << " " << c.entered;
    }
}

TEST_F(SettingsTransfer, RadioGroupsWithoutAMatchingRadioKeepTheirKey) {
    Load("[PRINT]\nBELTWIDTH=7\nPRINTROTATION90_CLOCKWISE=1\nPRINTROTATION90_UNCLOCKWISE=1\n");
    Config().FANPWMSETTING = 5;
    const ControlValues values = Open();
    for (const unsigned radio : {IDC_CLEAR_LOW, IDC_CLEAR_MIDDLE, IDC_CLEAR_HEAVY, IDC_CLEAR_HUGE})
        EXPECT_FALSE(values.Ticked(radio));
    EXPECT_TRUE(values.Ticked(IDC_FAN_MAX));
    EXPECT_TRUE(values.Ticked(IDC_CLOCKWISE));
    EXPECT_TRUE(values.Ticked(IDC_COUNTERCLOCKWISE));
    Save(values);
    EXPECT_EQ(Saved("PRINT", "BELTWIDTH"), "7");
    EXPECT_EQ(Saved("PRINT", "FANPWMSETTING"), "2");
    EXPECT_EQ(Saved("PRINT", "PRINTROTATION90_CLOCKWISE"), "1");
    EXPECT_EQ(Saved("PRINT", "PRINTROTATION90_UNCLOCKWISE"), "1");
}

TEST_F(SettingsTransfer, SpeedSlotsOnOpeningOnSpeedRadiosOnSaveAndOnSet) {
    Load("[PRINT]\nENSPEED=1\nUCSPEED=0\n[CTRPARAM]\nEdLRCrcValueLow=1\nEdLRCrcValueMiddle=2\nEdLRCrcValueHigh=3\n");
    Config().EdLRCrcValue = 50;
    ControlValues values = Open();
    EXPECT_EQ(Config().EdLRCrcValue, 1);
    EXPECT_EQ(values.Text(IDC_JOINT_CORRECTION), "1");

    ChooseSpeed(Config(), 1, true);
    EXPECT_EQ(Config().EdLRCrcValue, 2);
    ChooseSpeed(Config(), 2, false);
    EXPECT_EQ(Config().EdLRCrcValue, 2);
    EXPECT_EQ(Config().UCSPEED, 2);

    // Save stores the typed correction for the speed too, so that the next
    // load gives it back; without the speed settings the slots stay.
    values.ticks = {{IDC_ENABLE_SPEED, true}, {IDC_MIDDLE_SPEED, true}};
    values.texts[IDC_JOINT_CORRECTION] = "7";
    Save(values);
    EXPECT_EQ(Saved("CTRPARAM", "EdLRCrcValue"), "7");
    EXPECT_EQ(Saved("CTRPARAM", "EdLRCrcValueMiddle"), "7");
    document->LoadConfig();
    EXPECT_EQ(Open().Text(IDC_JOINT_CORRECTION), "7");
    values.ticks = {{IDC_HIGH_SPEED, true}};
    values.texts[IDC_JOINT_CORRECTION] = "8";
    Save(values);
    EXPECT_EQ(Saved("CTRPARAM", "EdLRCrcValue"), "8");
    EXPECT_EQ(Saved("CTRPARAM", "EdLRCrcValueHigh"), "3");

    Config().ENSPEED = 1;
    Config().UCSPEED = 1;
    SetJointCorrection(Config(), std::nullopt, 6);
    EXPECT_EQ(Config().EdLRCrcValue, 6);
    EXPECT_EQ(Config().EdLRCrcValueMiddle, 6);
    Config().ENSPEED = 0;
    SetJointCorrection(Config(), 0, 9);
    EXPECT_EQ(Config().EdLRCrcValueMiddle, 6);
    EXPECT_EQ(Config().CrcAddorSub, 0);
}

// Saving a new head count leaves the head geometry as loading the saved file
// gives it, so that the next job does not mix the old and new counts.
TEST_F(SettingsTransfer, ANewHeadCountRecomputesTheHeadGeometry) {
    Load("[CTRPARAM]\nJetPrintHead=1\n");
    ControlValues values = Open();
    values.ticks[IDC_ONE_HEAD] = false;
    values.ticks[IDC_TWO_HEADS] = true;
    Save(values);
    const PlotterConfig& saved = Config();
    EXPECT_EQ(saved.JetPrintHead, 2);
    EXPECT_EQ(saved.TotalNozzles, 300);
    EXPECT_EQ(saved.TotalRows, 308);
    EXPECT_EQ(saved.YStep, 2192);
    EXPECT_FLOAT_EQ(saved.RowsPerUnit, 300.0f / (40.0f * 17.45f * 2.0f));
}

TEST_F(SettingsTransfer, TheAddressAndTheWorkFolderAreKeptWhole) {
    const std::string folder99 = "/" + std::string(98, 'f');
    Load("[PATH]\nWORKPATH=" + folder99 + "\n[NET]\nIP_ADDR=127.0.0.7\n");
    ControlValues values = Open();
    EXPECT_EQ(values.Text(IDC_PLOTTER_IP), "127.0.0.7");
    values.texts[IDC_PLOTTER_IP] = "";
    Save(values);
    EXPECT_EQ(Saved("NET", "IP_ADDR"), "127.0.0.7");
    EXPECT_EQ(Saved("PATH", "WORKPATH"), folder99);
    values.texts[IDC_PLOTTER_IP] = "127.0.0.9";
    Save(values);
    EXPECT_EQ(Saved("NET", "IP_ADDR"), "127.0.0.9");
}

}  // namespace
