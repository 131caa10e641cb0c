#pragma once

#include <cstdint>
#include <string>

// Head types as "Print_Line" names them.
enum : uint8_t { HEAD_TYPE_NONE = 0, HEAD_TYPE_XAAR128PLUS = 1, HEAD_TYPE_HP45 = 2 };

// Every setting of the program, as stored in "config.ini", and the values
// derived from them for the raster engine. Text fields hold 8-bit text as
// read from the file; they are written back with at most 99 characters.
struct PlotterConfig {
    PlotterConfig();

    // The values a record has before "config.ini" is read.
    void Reset();

    uint8_t HeadType = 0;
    uint8_t JetPrintHead = 0;
    uint8_t CrcAddorSub = 0;
    int32_t NozzlesPerHead = 0;
    int32_t TotalNozzles = 0;
    int32_t RowsPerHead = 0;
    int32_t TotalRows = 0;
    // Entry 2s is nozzle column A, entry 2s+1 column B of head position s.
    int32_t JetPrintHeadOpenStatus[8] = {};
    int32_t JetPrintHeadValueX[8] = {};
    int32_t JetPrintHeadValueY[8] = {};
    int32_t NozzleCorrection[8][150] = {};
    int32_t SpeedH = 0;
    int32_t SpeedM = 0;
    int32_t SpeedL = 0;
    float XFactor = 0;
    float YFactor = 0;
    float XSCALE_T = 0;
    float YSCALE_T = 0;
    float XSCALE_R = 0;
    float YSCALE_R = 0;
    std::string WORKPATH;
    std::string MODEL;
    std::string IP_ADDR;
    int32_t DPINumPerM = 0;
    int32_t DPINumPerMDisk4 = 0;
    int32_t DPINumPerMLinear = 0;
    int32_t DPINumPerMDisk6 = 0;
    float DotsPerUnit = 0;
    float RowsPerUnit = 0;
    int32_t UnitsPerMm = 0;
    float MmPerUnit = 0;
    int32_t EdStepB = 0;
    int32_t YStep = 0;
    int32_t EdLRCrcValue = 0;
    int32_t EdLRCrcValueLow = 0;
    int32_t EdLRCrcValueMiddle = 0;
    int32_t EdLRCrcValueHigh = 0;
    int32_t LeftMarginDots = 0;
    float EdLeftValue = 0;
    int32_t EdJumpValue = 0;
    float EdLineSection = 0;
    int32_t ELineWidth = 0;
    uint8_t FlipY = 0;
    uint8_t PRINTROTATION90 = 0;
    uint8_t PRINTMIRROR = 0;
    uint8_t PRINTAUTO = 0;
    uint8_t AUTODELETEFILE = 0;
    uint8_t PRINTROTATION90_CLOCKWISE = 0;
    uint8_t PRINTROTATION90_UNCLOCKWISE = 0;
    int32_t WashBegin = 0;
    int32_t WashEnd = 0;
    int32_t WashCnt = 0;
    int32_t WashFreq = 0;
    int32_t FlashJetPOS = 0;
    int32_t FlashJetTime = 0;
    int32_t WashPass = 0;
    int32_t WaitPos = 0;
    int32_t WashEnable = 0;
    uint8_t FourPass = 0;
    int32_t HeadPairSelector = 0;
    float MAXWIDTH = 0;
    int32_t USBPACKAGESIZE = 0;
    int32_t USBTIMEOUT = 0;
    int32_t JETPRINTHEADWIDTH = 0;
    uint8_t DATACOMPRESS = 0;
    uint8_t RawData = 0;
    int32_t PLTFONTSIZE = 0;
    int32_t UCSPEED = 0;
    uint8_t ENSPEED = 0;
    int32_t YIDLESPEED = 0;
    int32_t YSTARTSPEED = 0;
    int32_t YMAXSPEED = 0;
    int32_t YACCSPEED = 0;
    int32_t YOFFSET = 0;
    uint8_t ENMOTORSETTING = 0;
    int32_t BELTWIDTH = 0;
    int32_t XJUMP = 0;
    int32_t XIDLESPEED = 0;
    int32_t XLOWSPEEDMIN = 0;
    int32_t XLOWSPEEDMAX = 0;
    int32_t XMIDSPEEDMIN = 0;
    int32_t XMIDSPEEDMAX = 0;
    int32_t XHIGHSPEEDMIN = 0;
    int32_t XHIGHSPEEDMAX = 0;
    int32_t XACC = 0;
    int32_t XNOACC = 0;
    int32_t XUNACC = 0;
    int32_t XSIDECORRECT = 0;
    uint8_t ENXMOTORSETTING = 0;
    uint8_t FACTORYRESTOREENABLE = 0;
    int32_t FACTORYWIDTHMAX = 0;
    int32_t FACTORYIDLETIMEOUT = 0;
    int32_t FACTORYPRINTTIMEOUT = 0;
    int32_t RasterRatioHigh = 0;
    int32_t RasterRatioLow = 0;
    int32_t FACTORYLCDTYPE = 0;
    int32_t FACTORYMENULANGUAGE = 0;
    int32_t FANPWMSETTING = 0;
    int32_t FANPWMVALLOW = 0;
    int32_t FANPWMVALMID = 0;
    int32_t FANPWMVALHIGH = 0;
    int32_t PRINTERSPDVALLOW = 0;
    int32_t PRINTERSPDVALMID = 0;
    int32_t PRINTERSPDVALHIGH = 0;
    int32_t RASTER_VAL = 0;
    int32_t MOTOR_BUF_L = 0;
    int32_t MOTOR_BUF_R = 0;
    uint8_t PRINTFILENAME = 0;
    uint32_t FileWordSum = 0;
    int32_t StepSPD = 0;
};

// The left margin in dots of an origin of edLeftValue millimetres at
// dpiNumPerM dots per metre: the product formed in double, truncated toward
// zero (clamped to the 32-bit range).
int32_t LeftMarginDotsFor(float edLeftValue, int32_t dpiNumPerM);

// The values derived from the settings, as loading derives them: the scale
// factors, dots and nozzle rows per plotter unit, the head geometry, the Y
// step and the left margin. The joint correction is left as it is.
void DeriveConfigValues(PlotterConfig& config);

// The joint correction kept for plot speed ucspeed: EdLRCrcValueLow,
// EdLRCrcValueMiddle or EdLRCrcValueHigh for 0, 1, 2; null for any other.
int32_t* SpeedSlot(PlotterConfig& config, int32_t ucspeed);

// The toolbar's origin taken over (millimetres): false, with nothing changed,
// when it equals EdLeftValue; else EdLeftValue := origin (below 0: 0) and the
// left margin in dots from it.
bool TakeOverOrigin(PlotterConfig& config, float origin);
