#include "engine/swath_plan.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <optional>

#include "core/numeric.h"
#include "platform/message_box.h"
#include "platform/string_table.h"

namespace {

constexpr unsigned kNozzleConfigurationIncorrect = 162;
constexpr unsigned kFrameworkCaption = 57344;

// Head k, counted from 1, is open when its column A entry is 1.
bool HeadOpen(const PlotterConfig& config, int head) { return config.JetPrintHeadOpenStatus[2 * (head - 1)] == 1; }

// The pair of adjacent head positions (b, b + 1) whose fire bits the
// four-pass packets keep; 0 when the head count needs no pair, nothing when
// the open heads form no usable pair.
std::optional<int32_t> SelectHeadPair(const PlotterConfig& config) {
    // 64-bit: a record without a nozzle count, or INT32_MIN / -1, must not trap.
    const int64_t heads = config.NozzlesPerHead != 0 ? int64_t{config.TotalRows} / config.NozzlesPerHead : 0;
    if (heads == 1) {
        if (HeadOpen(config, 1) || HeadOpen(config, 2)) return 1;
        if (HeadOpen(config, 3) || HeadOpen(config, 4)) return 3;
        return std::nullopt;
    }
    if (heads == 2) {
        if (HeadOpen(config, 1) && HeadOpen(config, 2)) return 1;
        if (!HeadOpen(config, 1) && HeadOpen(config, 2) && HeadOpen(config, 3)) return 2;
        if (HeadOpen(config, 3) && HeadOpen(config, 4)) return 3;
        return std::nullopt;
    }
    return 0;
}

bool AllFitInt32(std::initializer_list<int64_t> values) {
    return std::ranges::all_of(values, [](int64_t value) {
        return value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max();
    });
}

}  // namespace

SwathPlan::SwathPlan() { Reset(); }

void SwathPlan::Reset() {
    m_nSwathHeight = 0;
    m_nSwathCount = 0;
    m_nLines = 0;
    m_fMinX = m_fMinY = m_fMaxX = m_fMaxY = 0;
    m_nWidthDots = 0;
    m_nHeightDots = 0;
    m_nBytesPerRow = 0;
    m_nStride = 0;
    m_nColumns = 0;
    m_nWordCount = 0;
    m_nCurrentSwath = 0;
    m_nLeftMargin = 400;
    m_nRightEnd = 400;
    m_nYStep = 1;
    m_nStepSpeed = 0;
}

bool SwathPlan::Setup(PlotterConfig* config, const Drawing* drawing) {
    m_pConfig = config;
    // Products in double from the stored floats; the settings and the drawing
    // may hold any number, so every truncation is checked before use.
    const auto widthDots = TruncateToInt32(double{drawing->m_fMaxX} * config->MmPerUnit * config->DPINumPerM / 1000);
    const auto heightDots = TruncateToInt32(double{config->MmPerUnit} * drawing->m_fMaxY * config->DPINumPerM / 1000);
    const auto swathHeight =
        TruncateToInt32(static_cast<double>(config->UnitsPerMm) * config->EdLineSection * config->JetPrintHead);
    // The swath count divides by the height, and the line lists index by it.
    if (!widthDots || !heightDots || !swathHeight || *swathHeight < 1) {
        Reset();
        return false;
    }
    // A fraction of a plotter unit past a swath boundary adds no swath.
    const auto coveredHeight = TruncateToInt32(*swathHeight + double{drawing->m_fMaxY} - 1.0);
    // The label swath is added behind the last one, so the count must leave room for it.
    if (!coveredHeight || *coveredHeight / *swathHeight == std::numeric_limits<int32_t>::max()) {
        Reset();
        return false;
    }

    m_nLines = drawing->m_nLines;
    m_fMinX = drawing->m_fMinX;
    m_fMinY = drawing->m_fMinY;
    m_fMaxX = drawing->m_fMaxX;
    m_fMaxY = drawing->m_fMaxY;
    m_fWidthM = drawing->m_fWidthM;
    m_fHeightM = drawing->m_fHeightM;
    m_nWidthDots = *widthDots;
    m_nHeightDots = *heightDots;
    m_nSwathHeight = *swathHeight;
    m_nLabelSwath = *coveredHeight / *swathHeight;
    m_nSwathCount = m_nLabelSwath + 1;

    config->FourPass = config->JetPrintHead < 3 ? 1 : 0;
    m_nPasses = config->FourPass == 1 ? 4 : 2;

    config->HeadPairSelector = 0;
    if (config->FourPass == 1) {
        if (const auto pair = SelectHeadPair(*config)) {
            config->HeadPairSelector = *pair;
        } else {
            // Only a notice: the packets then keep no fire bits, but the plan stands.
            platform::ShowMessage({platform::LoadString(kNozzleConfigurationIncorrect),
                                   platform::LoadString(kFrameworkCaption), platform::MessageButtons::Ok,
                                   platform::MessageIcon::Exclamation});
        }
    }
    return true;
}

bool SwathPlan::ComputeBufferGeometry() {
    if (m_pConfig == nullptr) return false;
    PlotterConfig& config = *m_pConfig;

    int32_t largestHeadOffset = 0;
    for (int entry = 0; entry < 8; ++entry) {
        if (config.JetPrintHeadOpenStatus[entry] == 1)
            largestHeadOffset = std::max(largestHeadOffset, config.JetPrintHeadValueX[entry]);
    }

    // Each step of the 32-bit geometry is formed in 64 bits and must fit back.
    const int64_t rowDots = int64_t{config.ELineWidth} + m_nWidthDots + 7;
    const int64_t bytesPerRow = rowDots / 8;
    const int64_t columns = bytesPerRow * 8 + largestHeadOffset + 250;
    const int64_t rightEnd = config.LeftMarginDots + columns;
    const int64_t wordCount = config.RowsPerHead * (columns + 100);
    if (!AllFitInt32({int64_t{config.ELineWidth} + m_nWidthDots, rowDots, bytesPerRow * 8,
                      bytesPerRow * 8 + largestHeadOffset, columns, rightEnd, columns + 100, wordCount}))
        return false;

    m_nYStep = config.YStep;
    m_nStepSpeed = config.StepSPD;
    m_nCurrentSwath = 0;
    m_nBytesPerRow = static_cast<int32_t>(bytesPerRow);
    m_nLeftMargin = config.LeftMarginDots;
    m_nRightEnd = static_cast<int32_t>(rightEnd);
    m_nColumns = static_cast<int32_t>(columns);
    m_nStride = config.RowsPerHead;
    m_nWordCount = static_cast<int32_t>(wordCount);
    // Nothing else writes the corrections, so the nozzle mapping reads zeros.
    for (auto& head : config.NozzleCorrection) std::ranges::fill(head, 0);
    return true;
}

bool SwathPlan::HasPrintData() const { return m_nWidthDots >= 1 && m_nHeightDots >= 1 && m_nSwathCount >= 1; }
