#include "engine/swath_packet.h"

#include <algorithm>
#include <ctime>
#include <span>
#include <string>

#include "core/document.h"
#include "engine/swath_labels.h"
#include "engine/swath_packing.h"
#include "engine/test_pattern.h"
#include "platform/text_encoding.h"

std::atomic<uint8_t> g_firstTransfer{1};
std::atomic<uint8_t> g_forceEnd{0};

namespace {

// The raster's buffers exist and were allocated for the plan as it stands, so
// no pass can write past them.
bool BuffersFitPlan(const CSwathRaster& raster, const SwathPlan& plan) {
    return raster.m_pPlan == &plan && plan.m_pConfig != nullptr && raster.m_pRows && raster.m_pFireWords &&
           raster.m_pPacket && raster.m_nBytesPerRow == plan.m_nBytesPerRow &&
           raster.m_nWordCount == plan.m_nWordCount && raster.m_nWordCount >= kSwathPacketHeaderWords;
}

// localtime_r: the worker forms labels while the windows may ask for the
// time too, and std::localtime hands every thread the same record.
std::tm SystemLocalTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    return localtime_r(&now, &local) != nullptr ? local : std::tm{};
}

// Rasterises, maps and packs the passes of one packet into its payload.
struct PassPacker {
    CSwathRaster& raster;
    SwathPlan& plan;
    std::span<uint16_t> payload;
    bool fourPass;
    int32_t headPairSelector;

    int passes() const { return fourPass ? 4 : 2; }

    // Pass p draws lines as swath rasterIndex of the plan; odd passes run
    // right to left.
    bool Pack(const LineArray& lines, int rasterIndex, int pass) const {
        plan.m_bReversePass = pass % 2;
        if (!raster.RasteriseSwath(lines, rasterIndex)) return false;
        raster.MapNozzlesThunk();
        const std::span<const uint16_t> fireWords(raster.m_pFireWords.get(), payload.size());
        if (fourPass)
            PackFourPassWords(payload, fireWords, pass, headPairSelector);
        else
            PackTwoPassWords(payload, fireWords, pass);
        return true;
    }

    // A label drawn Y up, printed upright in pass p.
    bool PackLabel(LineArray label, int pass) const {
        FlipLabelIntoPass(label, pass, plan.m_nSwathHeight);
        return Pack(label, pass, pass);
    }
};

// The outline of a label text (UTF-8) from (x, the label line).
LineArray LabelLines(CTOLVEXR5DServerDoc& doc, int32_t x, const std::string& text) {
    LineArray lines;
    doc.AddTextOutline(lines, kLabelFace, kLabelHeight, x, kLabelY, platform::Utf8ToGbk(text), 0.0f);
    return lines;
}

// Every pass gets the stripes across its whole height; passes 0 and 1 also
// the starting label, if there is one.
bool PackTestPattern(const PassPacker& packer, int32_t beltWidth, const LineArray& startingLabel) {
    for (int p = 0; p < packer.passes(); ++p) {
        LineArray lines = TestPatternStripes(packer.fourPass, beltWidth, p, packer.plan.m_nSwathHeight);
        if (p < 2 && !startingLabel.empty()) {
            LineArray label = startingLabel;
            FlipLabelIntoPass(label, p, packer.plan.m_nSwathHeight);
            lines.insert(lines.end(), label.begin(), label.end());
        }
        if (!packer.Pack(lines, p, p)) return false;
    }
    return true;
}

// The lines of swath k; none past the last swath.
const LineArray& SwathLines(const CSwathLineLists& lists, int64_t k) {
    static const LineArray noLines;
    return lists.m_pLists && k >= 0 && k < lists.m_nCount ? lists.List(static_cast<int32_t>(k)) : noLines;
}

}  // namespace

bool CTOLVEXR5DServerDoc::PrepareSwathBuffers() {
    SwathPlan& plan = m_plan[SLOT_PRINT];
    CSwathRaster& raster = m_raster[SLOT_PRINT];
    raster.m_pPlan = &plan;
    if (plan.ComputeBufferGeometry() && raster.AllocateBuffers()) return true;
    // Half-made buffers would not fit the plan; the packet builder then
    // refuses every packet instead of writing into them.
    raster.FreeBuffers();
    return false;
}

bool CTOLVEXR5DServerDoc::IsPrintDataFinished() {
    const SwathPlan& plan = m_plan[SLOT_PRINT];
    if (plan.HasPrintData() && plan.m_nCurrentSwath < plan.m_nSwathCount && g_forceEnd == 0) return false;
    g_forceEnd = 0;
    return true;
}

bool CTOLVEXR5DServerDoc::BuildSwathPacket(int n) {
    SwathPlan& plan = m_plan[SLOT_PRINT];
    CSwathRaster& raster = m_raster[SLOT_PRINT];
    if (plan.m_nHeightDots < 1 || plan.m_nWidthDots < 1 || n >= plan.m_nSwathCount) return false;
    if (!BuffersFitPlan(raster, plan)) return false;

    // Pass 0 assigns every payload word, so only the header is written here.
    const std::span<uint16_t> packet(raster.m_pPacket.get(), static_cast<size_t>(raster.m_nWordCount));
    WriteSwathPacketHeader(packet.first<kSwathPacketHeaderWords>());

    // The plan's configuration: the job's own copy while a job runs.
    const PlotterConfig& config = *plan.m_pConfig;
    const bool fourPass = config.FourPass == 1;
    const PassPacker packer{raster, plan, packet.subspan(kSwathPacketHeaderWords), fourPass, config.HeadPairSelector};
    const bool labelled = fourPass && config.PRINTFILENAME != 0;
    const std::string fileName = PrintFileName(m_strSlotPath[SLOT_PRINT]);
    const auto labelTime = [this] { return m_labelClock ? m_labelClock() : SystemLocalTime(); };

    if (g_firstTransfer != 0) {
        const LineArray startingLabel =
            labelled ? LabelLines(*this, StartingLabelX(config.BELTWIDTH),
                                  StartingLabelText(config.MODEL, fileName, labelTime()))
                     : LineArray{};
        return PackTestPattern(packer, config.BELTWIDTH, startingLabel);
    }

    for (int p = 0; p < packer.passes(); ++p) {
        const int64_t swath = int64_t{n} + p;
        // A swath index at or past the count rasterises empty.
        const int rasterIndex = static_cast<int>(std::min<int64_t>(swath, plan.m_nSwathCount));
        const bool packed =
            labelled && swath == plan.m_nLabelSwath
                ? packer.PackLabel(LabelLines(*this, kFinishingLabelX, FinishingLabelText(fileName, labelTime())), p)
                : packer.Pack(SwathLines(m_lineLists[SLOT_PRINT], swath), rasterIndex, p);
        if (!packed) return false;
    }
    return true;
}

bool CTOLVEXR5DServerDoc::FinishSwathPacket() {
    CSwathRaster& raster = m_raster[SLOT_PRINT];
    // Without a packet there is nothing the transfer could send.
    if (!raster.m_pPacket || raster.m_nWordCount < kSwathPacketHeaderWords) return false;
    const std::span<uint16_t> packet(raster.m_pPacket.get(), static_cast<size_t>(raster.m_nWordCount));
    SwapMiddleNibbles(packet.subspan(kSwathPacketHeaderWords));
    m_plan[SLOT_PRINT].m_nSentWordCount = raster.m_nWordCount;
    return true;
}
