#include "core/plotter_config.h"

#include <algorithm>

#include "core/numeric.h"

PlotterConfig::PlotterConfig() { Reset(); }

void PlotterConfig::Reset() {
    HeadType = HEAD_TYPE_NONE;
    JetPrintHead = 4;
    CrcAddorSub = 1;
    std::ranges::fill(JetPrintHeadOpenStatus, 0);
    std::ranges::fill(JetPrintHeadValueX, 0);
    std::ranges::fill(JetPrintHeadValueY, 0);
    for (auto& head : NozzleCorrection) std::ranges::fill(head, 0);
    SpeedH = SpeedM = SpeedL = 0;
    XFactor = YFactor = 1.0f;
    WORKPATH.clear();
    DPINumPerM = 6653;
    DotsPerUnit = 1.0f;
    RowsPerUnit = 1.0f;
    UnitsPerMm = 40;
    MmPerUnit = 0.025f;
    EdStepB = 0;
    YStep = 0;
    EdLineSection = 0.0f;
    ELineWidth = 2;
    FlipY = 1;
    PRINTROTATION90 = 0;
    PRINTMIRROR = 0;
    RawData = 0;
}

int32_t LeftMarginDotsFor(float edLeftValue, int32_t dpiNumPerM) {
    return TruncateToInt32Clamped(static_cast<double>(edLeftValue) * dpiNumPerM / 1000.0);
}
