#include "ui/common_settings_transfer.h"

#include <algorithm>

#include "core/numeric.h"
#include "platform/c_numbers.h"
#include "res/settings_ids.h"
#include "ui/settings_transfer.h"

using namespace res;

namespace {

constexpr int32_t kThinnestLine = 1;
constexpr int32_t kWidestLine = 10;

int32_t Whole(const ControlValues& values, unsigned id) { return WholeNumber(values.Text(id), kLongTextLimit); }

float Decimal(const ControlValues& values, unsigned id) { return DecimalNumber(values.Text(id), kLongTextLimit); }

}  // namespace

ControlValues FillCommonSettings(PlotterConfig& c) {
    if (c.ENSPEED != 0) {
        if (const int32_t* slot = SpeedSlot(c, c.UCSPEED)) c.EdLRCrcValue = *slot;
    }
    ControlValues v;
    for (int box = 0; box < 4; ++box) v.texts[IDC_BOX_POSITION[box]] = WholeText(c.JetPrintHeadValueX[2 * box]);
    v.texts[IDC_PAGE_WIDTH] = platform::FormatFixed(c.MAXWIDTH, 1);
    v.texts[IDC_EASY_LINE_WIDTH] = WholeText(c.ELineWidth);
    v.texts[IDC_PLOTTING_DIRECTORY] = c.WORKPATH;
    v.texts[IDC_EASY_ORIGIN_POINT] = platform::FormatFixed(c.EdLeftValue, 0);
    v.texts[IDC_EASY_JOINT_CORRECTION] = WholeText(c.EdLRCrcValue);
    v.ticks[IDC_EASY_AUTO_PLOT] = c.PRINTAUTO != 0;
    v.ticks[IDC_EASY_AUTO_DELETE] = c.AUTODELETEFILE != 0;
    v.ticks[IDC_EASY_ROTATE90] = c.PRINTROTATION90 != 0;
    v.ticks[IDC_EASY_MIRROR] = c.PRINTMIRROR != 0;
    v.ticks[IDC_EASY_CLOCKWISE] = c.PRINTROTATION90_CLOCKWISE != 0;
    v.ticks[IDC_EASY_COUNTERCLOCKWISE] = c.PRINTROTATION90_UNCLOCKWISE != 0;
    return v;
}

void ReadCommonSettings(const ControlValues& v, PlotterConfig& c) {
    c.MAXWIDTH = Decimal(v, IDC_PAGE_WIDTH);
    c.ELineWidth = std::clamp(Whole(v, IDC_EASY_LINE_WIDTH), kThinnestLine, kWidestLine);
    c.WORKPATH = v.Text(IDC_PLOTTING_DIRECTORY);
    c.EdLeftValue = Decimal(v, IDC_EASY_ORIGIN_POINT);
    c.LeftMarginDots = LeftMarginDotsFor(c.EdLeftValue, c.DPINumPerM);
    SetJointCorrection(c, 1, Whole(v, IDC_EASY_JOINT_CORRECTION));
    c.PRINTMIRROR = v.Ticked(IDC_EASY_MIRROR) ? 1 : 0;
    c.PRINTAUTO = v.Ticked(IDC_EASY_AUTO_PLOT) ? 1 : 0;
    c.AUTODELETEFILE = v.Ticked(IDC_EASY_AUTO_DELETE) ? 1 : 0;
    c.PRINTROTATION90 = v.Ticked(IDC_EASY_ROTATE90) ? 1 : 0;
    c.PRINTROTATION90_CLOCKWISE = v.Ticked(IDC_EASY_CLOCKWISE) ? 1 : 0;
    c.PRINTROTATION90_UNCLOCKWISE = v.Ticked(IDC_EASY_COUNTERCLOCKWISE) ? 1 : 0;
}

std::array<bool, 4> MovableInkBoxes(int32_t jetPrintHead, const int32_t (&openStatus)[8]) {
    std::array<bool, 4> movable{};
    if (jetPrintHead < 1 || jetPrintHead > 4) return movable;
    const auto open = [&](int box) { return openStatus[2 * box] != 0; };
    for (int first = 0; first + jetPrintHead <= 4; ++first) {
        bool allOpen = true;
        for (int box = first; box < first + jetPrintHead; ++box) allOpen = allOpen && open(box);
        if (!allOpen) continue;
        for (int box = first; box < first + jetPrintHead; ++box) movable[box] = true;
        break;
    }
    return movable;
}

void MoveInkBox(PlotterConfig& config, int box, int32_t step) {
    for (const int entry : {2 * box, 2 * box + 1})
        config.JetPrintHeadValueX[entry] = AddWrapping(config.JetPrintHeadValueX[entry], step);
}
