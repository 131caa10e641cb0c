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

void DeriveConfigValues(PlotterConfig& c) {
    c.XFactor = c.XSCALE_T / c.XSCALE_R;
    c.YFactor = c.YSCALE_T / c.YSCALE_R;
    c.DotsPerUnit = static_cast<float>(static_cast<double>(c.DPINumPerM) * c.MmPerUnit / 1000.0);

    const bool hp45 = c.HeadType == HEAD_TYPE_HP45;
    c.NozzlesPerHead = hp45 ? 150 : 128;
    c.RowsPerHead = hp45 ? 154 : 128;
    c.TotalNozzles = c.NozzlesPerHead * c.JetPrintHead;
    c.TotalRows = c.RowsPerHead * c.JetPrintHead;

    c.YStep = MultiplyWrapping(c.EdStepB, c.JetPrintHead);
    c.LeftMarginDots = LeftMarginDotsFor(c.EdLeftValue, c.DPINumPerM);

    // Every step in single precision, as the raster rows depend on it.
    const float rowsPerSwath = static_cast<float>(c.UnitsPerMm) * c.EdLineSection * static_cast<float>(c.JetPrintHead);
    c.RowsPerUnit = static_cast<float>(c.TotalNozzles) / rowsPerSwath;
}

int32_t* SpeedSlot(PlotterConfig& config, int32_t ucspeed) {
    switch (ucspeed) {
        case 0: return &config.EdLRCrcValueLow;
        case 1: return &config.EdLRCrcValueMiddle;
        case 2: return &config.EdLRCrcValueHigh;
        default: return nullptr;
    }
}

bool TakeOverOrigin(PlotterConfig& config, float origin) {
    if (origin == config.EdLeftValue) return false;
    config.EdLeftValue = std::max(origin, 0.0f);
    config.LeftMarginDots = LeftMarginDotsFor(config.EdLeftValue, config.DPINumPerM);
    return true;
}
