#include "ui/settings_transfer.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/numeric.h"
#include "platform/c_numbers.h"
#include "res/settings_ids.h"

using namespace res;

namespace {

// USBPACKAGESIZE is edited in units of 512 bytes and kept within these.
constexpr int64_t kUsbBlock = 512;
constexpr int64_t kLeastUsbPackage = 2048;
constexpr int64_t kMostUsbPackage = 64512;
// A DPINumPerM this low is taken for a mistake.
constexpr int32_t kLeastWrongDpi = 1005;
constexpr int32_t kDefaultDpi = 6653;
// The head-clearing levels of the four radios.
constexpr int32_t kBeltWidths[] = {3, 12, 24, 48};

std::string Decimal(float value, int places) { return platform::FormatFixed(value, places); }

int32_t Whole(const ControlValues& values, unsigned id) { return WholeNumber(values.Text(id), kPageTextLimit); }

float Decimal(const ControlValues& values, unsigned id) { return DecimalNumber(values.Text(id), kPageTextLimit); }

// A scale value of 0 would divide by zero, and one beyond the float range
// would make a factor of 0 or infinity: both stand for 1.
float Scale(const ControlValues& values, unsigned id) {
    const double typed = platform::ReadDecimal(values.Text(id).substr(0, kPageTextLimit));
    if (!(std::abs(typed) <= std::numeric_limits<float>::max())) return 1.0f;
    const auto scale = static_cast<float>(typed);
    return scale == 0.0f ? 1.0f : scale;
}

void FillSystemPage(const PlotterConfig& c, ControlValues& v) {
    v.texts[IDC_LINE_WIDTH] = WholeText(c.ELineWidth);
    const unsigned headCountRadios[] = {IDC_ONE_HEAD, IDC_TWO_HEADS, IDC_THREE_HEADS, IDC_FOUR_HEADS};
    for (int n = 1; n <= 4; ++n) v.ticks[headCountRadios[n - 1]] = c.JetPrintHead == n;
    for (int s = 0; s < 4; ++s) {
        v.ticks[IDC_HEAD_OPEN[s]] = c.JetPrintHeadOpenStatus[2 * s] == 1;
        v.texts[IDC_HEAD_OFFSET[s]] = WholeText(c.JetPrintHeadValueX[2 * s]);
        v.texts[IDC_HEAD_OFFSET_CORRECT[s]] = WholeText(c.JetPrintHeadValueY[2 * s]);
    }
    v.texts[IDC_NOZZLE_WIDTH] = WholeText(c.JETPRINTHEADWIDTH);
    v.ticks[IDC_COMPRESSED] = c.DATACOMPRESS != 0;
}

void FillPlottingPage(const PlotterConfig& c, ControlValues& v) {
    v.texts[IDC_ORIGIN_POINT] = Decimal(c.EdLeftValue, 0);
    v.texts[IDC_XSCALE_T] = Decimal(c.XSCALE_T, 2);
    v.texts[IDC_YSCALE_T] = Decimal(c.YSCALE_T, 2);
    v.texts[IDC_XSCALE_R] = Decimal(c.XSCALE_R, 2);
    v.texts[IDC_YSCALE_R] = Decimal(c.YSCALE_R, 2);
    v.ticks[IDC_AUTO_PLOT] = c.PRINTAUTO != 0;
    v.ticks[IDC_AUTO_DELETE] = c.AUTODELETEFILE != 0;
    v.ticks[IDC_MIRROR] = c.PRINTMIRROR != 0;
    v.ticks[IDC_ROTATE90] = c.PRINTROTATION90 != 0;
    v.ticks[IDC_CLOCKWISE] = c.PRINTROTATION90_CLOCKWISE != 0;
    v.ticks[IDC_COUNTERCLOCKWISE] = c.PRINTROTATION90_UNCLOCKWISE != 0;
    v.ticks[IDC_INCREASE] = c.CrcAddorSub == 1;
    v.ticks[IDC_DECREASE] = c.CrcAddorSub == 0;
    v.texts[IDC_JOINT_CORRECTION] = WholeText(c.EdLRCrcValue);
    v.texts[IDC_LINE_CORRECT] = WholeText(c.XJUMP);
}

void FillAdvancedPage(const PlotterConfig& c, ControlValues& v) {
    v.texts[IDC_DPI_PER_METRE] = WholeText(c.DPINumPerM);
    v.texts[IDC_Y_STEP] = WholeText(c.EdStepB);
    v.texts[IDC_PLOTTING_WIDTH] = Decimal(c.MAXWIDTH, 1);
    v.ticks[IDC_LOW_SPEED] = c.UCSPEED == 0;
    v.ticks[IDC_MIDDLE_SPEED] = c.UCSPEED == 1;
    v.ticks[IDC_HIGH_SPEED] = c.UCSPEED == 2;
    v.ticks[IDC_ENABLE_SPEED] = c.ENSPEED != 0;
    v.texts[IDC_DATA_FLOW_VOLUME] = WholeText(c.USBPACKAGESIZE / static_cast<int32_t>(kUsbBlock));
    v.texts[IDC_OVERTIME] = WholeText(c.USBTIMEOUT);
}

void FillOthersPage(const PlotterConfig& c, ControlValues& v) {
    v.texts[IDC_WORK_FOLDER] = c.WORKPATH;
    v.texts[IDC_FONT_SIZE] = WholeText(c.PLTFONTSIZE);
    const unsigned clearRadios[] = {IDC_CLEAR_LOW, IDC_CLEAR_MIDDLE, IDC_CLEAR_HEAVY, IDC_CLEAR_HUGE};
    for (int i = 0; i < 4; ++i) v.ticks[clearRadios[i]] = c.BELTWIDTH == kBeltWidths[i];
    v.ticks[IDC_FAN_MIN] = c.FANPWMSETTING == 0;
    v.ticks[IDC_FAN_MIDDLE] = c.FANPWMSETTING == 1;
    v.ticks[IDC_FAN_MAX] = c.FANPWMSETTING != 0 && c.FANPWMSETTING != 1;
    v.ticks[IDC_PLOT_FILE_NAME] = c.PRINTFILENAME != 0;
}

void ReadSystemPage(const ControlValues& v, PlotterConfig& c) {
    c.ELineWidth = Whole(v, IDC_LINE_WIDTH);
    const int headCount = v.FirstTicked({IDC_ONE_HEAD, IDC_TWO_HEADS, IDC_THREE_HEADS, IDC_FOUR_HEADS});
    if (headCount >= 0) c.JetPrintHead = static_cast<uint8_t>(headCount + 1);
    c.JETPRINTHEADWIDTH = Whole(v, IDC_NOZZLE_WIDTH);
    for (int s = 0; s < 4; ++s) {
        const int a = 2 * s;
        const int b = a + 1;
        const bool open = v.Ticked(IDC_HEAD_OPEN[s]);
        c.JetPrintHeadOpenStatus[a] = open ? 1 : 0;
        c.JetPrintHeadValueX[a] = Whole(v, IDC_HEAD_OFFSET[s]);
        c.JetPrintHeadValueY[a] = Whole(v, IDC_HEAD_OFFSET_CORRECT[s]);
        // Column B of an open head lies one nozzle width beside column A.
        if (open) {
            c.JetPrintHeadOpenStatus[b] = 1;
            c.JetPrintHeadValueX[b] = SubtractWrapping(c.JetPrintHeadValueX[a], c.JETPRINTHEADWIDTH);
            c.JetPrintHeadValueY[b] = c.JetPrintHeadValueY[a];
        }
    }
    c.DATACOMPRESS = v.Ticked(IDC_COMPRESSED) ? 1 : 0;
}

void ReadAdvancedPage(const ControlValues& v, PlotterConfig& c) {
    const int32_t dpi = Whole(v, IDC_DPI_PER_METRE);
    c.DPINumPerM = dpi <= kLeastWrongDpi ? kDefaultDpi : dpi;
    c.EdStepB = Whole(v, IDC_Y_STEP);
    c.MAXWIDTH = Decimal(v, IDC_PLOTTING_WIDTH);
    const int speed = v.FirstTicked({IDC_LOW_SPEED, IDC_MIDDLE_SPEED, IDC_HIGH_SPEED});
    if (speed >= 0) c.UCSPEED = speed;
    c.ENSPEED = v.Ticked(IDC_ENABLE_SPEED) ? 1 : 0;
    const int64_t package = int64_t{Whole(v, IDC_DATA_FLOW_VOLUME)} * kUsbBlock;
    c.USBPACKAGESIZE = static_cast<int32_t>(std::clamp(package, kLeastUsbPackage, kMostUsbPackage));
    c.USBTIMEOUT = Whole(v, IDC_OVERTIME);
}

void ReadPlottingPage(const ControlValues& v, PlotterConfig& c) {
    c.EdLeftValue = Decimal(v, IDC_ORIGIN_POINT);
    c.XSCALE_T = Scale(v, IDC_XSCALE_T);
    c.XSCALE_R = Scale(v, IDC_XSCALE_R);
    c.YSCALE_T = Scale(v, IDC_YSCALE_T);
    c.YSCALE_R = Scale(v, IDC_YSCALE_R);
    c.XJUMP = std::max(Whole(v, IDC_LINE_CORRECT), 0);
    c.PRINTMIRROR = v.Ticked(IDC_MIRROR) ? 1 : 0;
    c.PRINTAUTO = v.Ticked(IDC_AUTO_PLOT) ? 1 : 0;
    c.AUTODELETEFILE = v.Ticked(IDC_AUTO_DELETE) ? 1 : 0;
    c.PRINTROTATION90 = v.Ticked(IDC_ROTATE90) ? 1 : 0;
    c.PRINTROTATION90_CLOCKWISE = v.Ticked(IDC_CLOCKWISE) ? 1 : 0;
    c.PRINTROTATION90_UNCLOCKWISE = v.Ticked(IDC_COUNTERCLOCKWISE) ? 1 : 0;
    c.EdLRCrcValue = Whole(v, IDC_JOINT_CORRECTION);
    const int sign = v.FirstTicked({IDC_INCREASE, IDC_DECREASE});
    if (sign >= 0) c.CrcAddorSub = sign == 0 ? 1 : 0;
}

void ReadOthersPage(const ControlValues& v, PlotterConfig& c) {
    c.PRINTFILENAME = v.Ticked(IDC_PLOT_FILE_NAME) ? 1 : 0;
    // The folder edit holds the folder's own bytes (it can only be chosen,
    // not typed), and they are kept whole: a cut path names another folder.
    c.WORKPATH = v.Text(IDC_WORK_FOLDER);
    c.PLTFONTSIZE = Whole(v, IDC_FONT_SIZE);
    const int clear = v.FirstTicked({IDC_CLEAR_LOW, IDC_CLEAR_MIDDLE, IDC_CLEAR_HEAVY, IDC_CLEAR_HUGE});
    if (clear >= 0) c.BELTWIDTH = kBeltWidths[clear];
    const int fans = v.FirstTicked({IDC_FAN_MIN, IDC_FAN_MIDDLE, IDC_FAN_MAX});
    if (fans >= 0) c.FANPWMSETTING = fans;
}

}  // namespace

ControlValues FillSettingsPages(PlotterConfig& config) {
    ControlValues values;
    FillSystemPage(config, values);
    FillPlottingPage(config, values);
    FillOthersPage(config, values);
    FillAdvancedPage(config, values);
    if (config.ENSPEED != 0) {
        if (const int32_t* slot = SpeedSlot(config, config.UCSPEED)) config.EdLRCrcValue = *slot;
        values.texts[IDC_JOINT_CORRECTION] = WholeText(config.EdLRCrcValue);
    }
    values.texts[IDC_PLOTTER_IP] = config.IP_ADDR;
    return values;
}

void ReadSettingsPages(const ControlValues& values, PlotterConfig& config) {
    ReadSystemPage(values, config);
    ReadAdvancedPage(values, config);
    ReadPlottingPage(values, config);
    // Loading takes the joint correction from the slot of the speed, so the
    // saved correction goes there too.
    if (config.ENSPEED == 1) {
        if (int32_t* slot = SpeedSlot(config, config.UCSPEED)) *slot = config.EdLRCrcValue;
    }
    ReadOthersPage(values, config);
    const std::string address = values.Text(IDC_PLOTTER_IP);
    if (!address.empty()) config.IP_ADDR = address;
    DeriveConfigValues(config);
}

void ChooseSpeed(PlotterConfig& config, int32_t speed, bool speedSettingsTicked) {
    if (speedSettingsTicked) {
        if (const int32_t* slot = SpeedSlot(config, speed)) config.EdLRCrcValue = *slot;
    }
    config.UCSPEED = speed;
}

void SetJointCorrection(PlotterConfig& config, std::optional<uint8_t> sign, int32_t value) {
    if (sign) config.CrcAddorSub = *sign;
    config.EdLRCrcValue = value;
    if (config.ENSPEED == 1) {
        if (int32_t* slot = SpeedSlot(config, config.UCSPEED)) *slot = value;
    }
}
