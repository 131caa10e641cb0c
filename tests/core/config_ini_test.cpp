#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <sstream>

#include "core/config_ini.h"
#include "core/document.h"
#include "tests/support/temp_dir.h"

namespace {

PlotterConfig LoadFrom(const TempDir& dir, const std::string& ini) {
    dir.Write("config.ini", ini);
    PlotterConfig config;
    EXPECT_TRUE(LoadConfigFile(config, dir.File("config.ini")));
    return config;
}

int CountLines(const std::string& text, const std::string& prefix) {
    std::istringstream in(text);
    int count = 0;
    for (std::string line; std::getline(in, line);) count += line.rfind(prefix, 0) == 0;
    return count;
}

TEST(ConfigLoad, MissingFileGivesTheDefaultsAndTheirDerivedValues) {
    TempDir dir;
    PlotterConfig c;
    ASSERT_TRUE(LoadConfigFile(c, dir.File("config.ini")));

    EXPECT_EQ(c.DPINumPerM, 6653);
    EXPECT_EQ(std::bit_cast<uint32_t>(c.DotsPerUnit), 0x3e2a511au);  // 0.166325
    EXPECT_EQ(c.HeadType, HEAD_TYPE_HP45);
    EXPECT_EQ(c.JetPrintHead, 1);
    EXPECT_EQ(c.NozzlesPerHead, 150);
    EXPECT_EQ(c.RowsPerHead, 154);
    EXPECT_EQ(c.TotalNozzles, 150);
    EXPECT_EQ(c.TotalRows, 154);
    EXPECT_EQ(c.YStep, 1096);
    EXPECT_EQ(c.LeftMarginDots, 1995);  // 300 mm x 6653 / 1000 = 1995.9, cut toward zero
    // 150 / (40 x 17.45 x 1) with every step rounded to float; forming the
    // product in double would give the float below it (0x3e5c0eab).
    EXPECT_EQ(std::bit_cast<uint32_t>(c.RowsPerUnit), 0x3e5c0eacu);
    EXPECT_EQ(c.XFactor, 1.0f);
    EXPECT_EQ(c.YFactor, 1.0f);
    EXPECT_EQ(c.PRINTROTATION90_CLOCKWISE, 1);
    EXPECT_EQ(c.PRINTROTATION90_UNCLOCKWISE, 0);
    EXPECT_EQ(c.PRINTFILENAME, 1);
    EXPECT_EQ(c.FANPWMSETTING, 2);
    EXPECT_EQ(c.FANPWMVALLOW, 600);
    EXPECT_EQ(c.WORKPATH, "/");
    EXPECT_EQ(c.MAXWIDTH, 180.0f);
    EXPECT_EQ(c.PLTFONTSIZE, 144);
    EXPECT_EQ(c.MODEL, "KIRO2600");
    EXPECT_EQ(c.RasterRatioHigh, 0);
    EXPECT_EQ(c.RasterRatioLow, 3);
    EXPECT_EQ(c.YIDLESPEED, 36000);
    EXPECT_EQ(c.XSIDECORRECT, 80);
    EXPECT_FALSE(c.IP_ADDR.empty());
    // Values the file does not hold keep what the record was reset to.
    EXPECT_EQ(c.FlipY, 1);
    EXPECT_EQ(c.ELineWidth, 2);
}

TEST(ConfigLoad, FixUpsAndClamps) {
    TempDir dir;
    auto c = LoadFrom(dir,
                      "[CTRPARAM]\nDPINumPerM=1005\nDPINumPerMDisk4=1006\nDPINumPerMLinear=-5\n"
                      "[PRINT]\nFANPWMSETTING=3\nFANPWMVALLOW=3600\nFANPWMVALMID=-1\nFANPWMVALHIGH=3599\n"
                      "FACTORYLCDTYPE=2\nFACTORYMENULANGUAGE=-1\nMODEL=" + std::string(50, 'M') + "\n");
    EXPECT_EQ(c.DPINumPerM, 6653);
    EXPECT_EQ(c.DPINumPerMDisk4, 1006);
    EXPECT_EQ(c.DPINumPerMLinear, 6653);
    EXPECT_EQ(c.FANPWMSETTING, 2);
    EXPECT_EQ(c.FANPWMVALLOW, 3599);
    EXPECT_EQ(c.FANPWMVALMID, 3599);
    EXPECT_EQ(c.FANPWMVALHIGH, 3599);
    EXPECT_EQ(c.FACTORYLCDTYPE, 0);
    EXPECT_EQ(c.FACTORYMENULANGUAGE, -1);
    EXPECT_EQ(c.MODEL, std::string(39, 'M'));

    c = LoadFrom(dir, "[PRINT]\nFANPWMSETTING=-1\n");
    EXPECT_EQ(c.FANPWMSETTING, 2);
}

TEST(ConfigLoad, FlagsTellNonZeroFromExactlyOne) {
    TempDir dir;
    auto c = LoadFrom(dir, "[PRINT]\nPRINTAUTO=2\nENMOTORSETTING=2\nPRINTFILENAME=0\nENXMOTORSETTING=1\n"
                           "[CTRPARAM]\nJetPrintHead=258\n");
    EXPECT_EQ(c.PRINTAUTO, 1);
    EXPECT_EQ(c.ENMOTORSETTING, 0);
    EXPECT_EQ(c.PRINTFILENAME, 0);
    EXPECT_EQ(c.ENXMOTORSETTING, 1);
    EXPECT_EQ(c.JetPrintHead, 2);  // low 8 bits of 258
}

TEST(ConfigLoad, SpeedSlotReplacesJointCorrectionOnlyWithSpeedSettingsOn) {
    TempDir dir;
    const std::string slots = "[CTRPARAM]\nEdLRCrcValue=5\nEdLRCrcValueLow=11\nEdLRCrcValueMiddle=22\nEdLRCrcValueHigh=33\n";
    EXPECT_EQ(LoadFrom(dir, slots + "[PRINT]\nENSPEED=1\nUCSPEED=1\n").EdLRCrcValue, 22);
    EXPECT_EQ(LoadFrom(dir, slots + "[PRINT]\nENSPEED=1\nUCSPEED=2\n").EdLRCrcValue, 33);
    EXPECT_EQ(LoadFrom(dir, slots + "[PRINT]\nENSPEED=1\nUCSPEED=3\n").EdLRCrcValue, 5);
    EXPECT_EQ(LoadFrom(dir, slots + "[PRINT]\nENSPEED=2\nUCSPEED=1\n").EdLRCrcValue, 5);
}

TEST(ConfigLoad, HeadNameMatchesExactlyWhileKeyNamesIgnoreCase) {
    TempDir dir;
    auto c = LoadFrom(dir, "[ctrparam]\nprint_line=XAAR128PlusJetPrintHead\nJETPRINTHEAD=3\n");
    EXPECT_EQ(c.HeadType, HEAD_TYPE_XAAR128PLUS);
    EXPECT_EQ(c.TotalNozzles, 384);
    EXPECT_EQ(c.TotalRows, 384);

    c = LoadFrom(dir, "[CTRPARAM]\nPrint_Line=hp45jetprinthead\n");
    EXPECT_EQ(c.HeadType, HEAD_TYPE_NONE);
    EXPECT_EQ(c.NozzlesPerHead, 128);
    EXPECT_EQ(c.RowsPerHead, 128);
    SaveConfigFile(c, dir.File("config.ini"));
    EXPECT_NE(dir.Read("config.ini").find("Print_Line=JetPrintHeadNull\n"), std::string::npos);
}

TEST(ConfigLoad, PathTooShortReadsOnlyThePrintFlags) {
    PlotterConfig c;
    c.DPINumPerM = 1234;
    EXPECT_FALSE(LoadConfigFile(c, "/x"));
    EXPECT_EQ(c.PRINTROTATION90_CLOCKWISE, 1);  // the flags are read first, with their defaults
    EXPECT_EQ(c.DPINumPerM, 1234);
    EXPECT_TRUE(c.WORKPATH.empty());
}

TEST(ConfigSave, FreshFileHoldsEveryWrittenKeyInTableOrder) {
    TempDir dir;
    PlotterConfig c;
    LoadConfigFile(c, dir.File("config.ini"));
    SaveConfigFile(c, dir.File("config.ini"));
    const auto text = dir.Read("config.ini");

    std::istringstream in(text);
    int keys = 0;
    for (std::string line; std::getline(in, line);) keys += line.find('=') != std::string::npos;
    EXPECT_EQ(keys, 110);
    EXPECT_EQ(CountLines(text, "["), 8);
    EXPECT_EQ(text.rfind("[PRINT]\nPRINTAUTO=0\nAUTODELETEFILE=0\n", 0), 0u);
    EXPECT_NE(text.find("EdLeftValue=300.000000\n"), std::string::npos);
    EXPECT_NE(text.find("EdLineSection=17.4500\n"), std::string::npos);
    EXPECT_NE(text.find("XSCALE_T=1.0000\n"), std::string::npos);
    EXPECT_NE(text.find("MAXWIDTH=180.0\n"), std::string::npos);
    EXPECT_NE(text.find("FACTORYRASTERRATIO=3\n"), std::string::npos);
    EXPECT_EQ(text.find("StepSPD"), std::string::npos);
    EXPECT_EQ(text.find("MODEL"), std::string::npos);
    // PRINT keys after the first section's are appended to it: one [PRINT].
    EXPECT_EQ(CountLines(text, "[PRINT]"), 1);
    EXPECT_EQ(text.find("[NET]\nIP_ADDR="), text.rfind('['));
}

TEST(ConfigSave, RasterRatioAndLongTextsRoundTrip) {
    TempDir dir;
    auto c = LoadFrom(dir, "[PRINT]\nFACTORYRASTERRATIO=7\n");
    EXPECT_EQ(c.RasterRatioHigh, 1);
    EXPECT_EQ(c.RasterRatioLow, 3);
    c.WORKPATH = "/" + std::string(119, 'w');
    SaveConfigFile(c, dir.File("config.ini"));
    const auto text = dir.Read("config.ini");
    EXPECT_NE(text.find("FACTORYRASTERRATIO=7\n"), std::string::npos);
    EXPECT_NE(text.find("WORKPATH=/" + std::string(98, 'w') + "\n"), std::string::npos);
}

TEST(ConfigSave, SaveThenLoadKeepsEveryWrittenValue) {
    TempDir dir;
    PlotterConfig saved;
    LoadConfigFile(saved, dir.File("config.ini"));
    saved.PRINTAUTO = 1;
    saved.AUTODELETEFILE = 1;
    saved.PRINTMIRROR = 1;
    saved.PRINTROTATION90 = 1;
    saved.PRINTROTATION90_CLOCKWISE = 0;
    saved.PRINTROTATION90_UNCLOCKWISE = 1;
    saved.WORKPATH = "/srv/plots";
    saved.XSCALE_T = 1000.5f;
    saved.XSCALE_R = 999.25f;
    saved.YSCALE_T = 2.0f;
    saved.YSCALE_R = 4.0f;
    saved.DPINumPerM = 11811;
    saved.JetPrintHead = 4;
    saved.CrcAddorSub = 0;
    saved.HeadType = HEAD_TYPE_XAAR128PLUS;
    saved.EdStepB = 900;
    saved.EdLRCrcValue = -7;
    saved.EdLeftValue = 123.456f;
    saved.EdLineSection = 8.5f;
    saved.ELineWidth = 3;
    for (int i = 0; i < 8; ++i) {
        saved.JetPrintHeadOpenStatus[i] = i % 2;
        saved.JetPrintHeadValueX[i] = 10 * i - 30;
        saved.JetPrintHeadValueY[i] = -i;
    }
    saved.WashPass = 9;
    saved.MAXWIDTH = 160.5f;
    saved.UCSPEED = 2;
    saved.EdLRCrcValueHigh = 44;
    saved.FANPWMSETTING = 1;
    saved.FANPWMVALMID = 1234;
    saved.RasterRatioHigh = 5;
    saved.RasterRatioLow = 2;
    saved.FACTORYLCDTYPE = 1;
    saved.IP_ADDR = "10.1.2.3";
    SaveConfigFile(saved, dir.File("config.ini"));

    PlotterConfig loaded;
    ASSERT_TRUE(LoadConfigFile(loaded, dir.File("config.ini")));
    EXPECT_EQ(loaded.PRINTAUTO, 1);
    EXPECT_EQ(loaded.AUTODELETEFILE, 1);
    EXPECT_EQ(loaded.PRINTMIRROR, 1);
    EXPECT_EQ(loaded.PRINTROTATION90, 1);
    EXPECT_EQ(loaded.PRINTROTATION90_CLOCKWISE, 0);
    EXPECT_EQ(loaded.PRINTROTATION90_UNCLOCKWISE, 1);
    EXPECT_EQ(loaded.WORKPATH, "/srv/plots");
    EXPECT_EQ(loaded.XSCALE_T, 1000.5f);
    EXPECT_EQ(loaded.XSCALE_R, 999.25f);
    EXPECT_EQ(loaded.XFactor, 1000.5f / 999.25f);
    EXPECT_EQ(loaded.YFactor, 0.5f);
    EXPECT_EQ(loaded.DPINumPerM, 11811);
    EXPECT_EQ(loaded.JetPrintHead, 4);
    EXPECT_EQ(loaded.CrcAddorSub, 0);
    EXPECT_EQ(loaded.HeadType, HEAD_TYPE_XAAR128PLUS);
    EXPECT_EQ(loaded.TotalNozzles, 512);
    EXPECT_EQ(loaded.YStep, 3600);
    EXPECT_EQ(loaded.EdLeftValue, 123.456f);  // six decimals are enough for this one
    EXPECT_EQ(loaded.LeftMarginDots, 1458);    // 123.456 x 11811 / 1000 = 1458.13
    EXPECT_EQ(loaded.EdLineSection, 8.5f);
    EXPECT_EQ(loaded.ELineWidth, 3);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(loaded.JetPrintHeadOpenStatus[i], i % 2);
        EXPECT_EQ(loaded.JetPrintHeadValueX[i], 10 * i - 30);
        EXPECT_EQ(loaded.JetPrintHeadValueY[i], -i);
    }
    EXPECT_EQ(loaded.WashPass, 9);
    EXPECT_EQ(loaded.MAXWIDTH, 160.5f);
    EXPECT_EQ(loaded.UCSPEED, 2);
    EXPECT_EQ(loaded.EdLRCrcValue, -7);  // ENSPEED is off
    EXPECT_EQ(loaded.EdLRCrcValueHigh, 44);
    EXPECT_EQ(loaded.FANPWMSETTING, 1);
    EXPECT_EQ(loaded.FANPWMVALMID, 1234);
    EXPECT_EQ(loaded.RasterRatioHigh, 5);
    EXPECT_EQ(loaded.RasterRatioLow, 2);
    EXPECT_EQ(loaded.FACTORYLCDTYPE, 1);
    EXPECT_EQ(loaded.IP_ADDR, "10.1.2.3");
}

TEST(ConfigSave, FormatsShortenDecimals) {
    TempDir dir;
    PlotterConfig saved;
    LoadConfigFile(saved, dir.File("config.ini"));
    saved.EdLineSection = 17.456789f;
    saved.MAXWIDTH = 99.96f;
    SaveConfigFile(saved, dir.File("config.ini"));
    PlotterConfig loaded;
    LoadConfigFile(loaded, dir.File("config.ini"));
    EXPECT_EQ(loaded.EdLineSection, 17.4568f);
    EXPECT_EQ(loaded.MAXWIDTH, 100.0f);
}

TEST(ConfigSave, KeepsUnknownKeysCommentsAndBlankLines) {
    TempDir dir;
    const std::string head = "; plotter settings\n[PRINT]\nPRINTAUTO=1\nLOCALNOTE=keep me\n\n[VENDOR]\nx=1\n";
    auto c = LoadFrom(dir, head);
    SaveConfigFile(c, dir.File("config.ini"));
    const auto text = dir.Read("config.ini");
    EXPECT_EQ(text.rfind("; plotter settings\n[PRINT]\nPRINTAUTO=1\nLOCALNOTE=keep me\n", 0), 0u);
    EXPECT_NE(text.find("\n\n[VENDOR]\nx=1\n"), std::string::npos);
    EXPECT_EQ(CountLines(text, "PRINTAUTO="), 1);
}

TEST(ConfigLoad, HostileFilesLoadWithoutFault) {
    TempDir dir;
    // Values whose derived factors are infinite or undefined, and numbers far
    // outside every range: the record loads, whatever it then holds.
    auto c = LoadFrom(dir,
                      "[CTRPARAM]\nXSCALE_R=0\nYSCALE_R=0\nEdLineSection=0\nJetPrintHead=0\n"
                      "EdLeftValue=1e300\nEdStepB=99999999999\nDPINumPerM=99999999999\n"
                      "[PRINT]\nFACTORYRASTERRATIO=-99999999999\nMAXWIDTH=nan\n");
    EXPECT_TRUE(std::isinf(c.XFactor));
    EXPECT_TRUE(std::isnan(c.RowsPerUnit));
    EXPECT_EQ(c.LeftMarginDots, INT32_MAX);
    EXPECT_EQ(c.EdStepB, INT32_MAX);

    c = LoadFrom(dir, "[CTRPARAM]\nEdLeftValue=-1e300\nDPINumPerM=7000\n");
    EXPECT_EQ(c.EdLeftValue, -std::numeric_limits<float>::max());
    EXPECT_EQ(c.LeftMarginDots, INT32_MIN);

    // Only decimal numbers are read: no infinity, NaN or hexadecimal.
    c = LoadFrom(dir, "[CTRPARAM]\nXSCALE_T=inf\nEdLineSection=0x10\nEdLeftValue=-nan\n[PRINT]\nMAXWIDTH=12.5e1cm\n");
    EXPECT_EQ(c.XSCALE_T, 0.0f);
    EXPECT_EQ(c.EdLineSection, 0.0f);
    EXPECT_EQ(c.EdLeftValue, 0.0f);
    EXPECT_EQ(c.MAXWIDTH, 125.0f);

    std::mt19937 random(20261207);
    const std::string pieces[] = {"[PRINT]", "[CTRPARAM", "[NET]]", "=", "==", "EdLeftValue=", "JetPrintHead=",
                                  "XSCALE_R=", "99999999999999999999", "-", "1e39", "\r", "\n", "\n", "\n",
                                  std::string(5000, 'x'), std::string("\0\x80\xff", 3), "DPINumPerM", ";", " "};
    for (int file = 0; file < 200; ++file) {
        std::string text;
        const int count = static_cast<int>(random() % 60);
        for (int i = 0; i < count; ++i) text += pieces[random() % std::size(pieces)];
        dir.Write("config.ini", text);
        PlotterConfig config;
        LoadConfigFile(config, dir.File("config.ini"));
        SaveConfigFile(config, dir.File("config.ini"));
        LoadConfigFile(config, dir.File("config.ini"));
    }
}

}  // namespace
