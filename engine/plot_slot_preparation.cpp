#include "engine/plot_slot_preparation.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "core/document.h"
#include "engine/wide_drawing_tiling.h"

CPltInterpreter* g_pCurrentInterpreter = nullptr;
SwathPlan* g_pCurrentSwathPlan = nullptr;

namespace {

// Removes the part of the drawing before offset (plotter units along the
// feed). Lines wholly before it go; a line that crosses it keeps its old x
// and starts at y = 1; the new origin lies one unit past the offset. False
// when the drawing is shorter than the offset.
bool CutAtStartOffset(Drawing& drawing, uint32_t offset) {
    if (drawing.m_fMaxY < static_cast<double>(offset)) return false;
    // offset + 1 wraps as the 32-bit unsigned value it is.
    const double shift = static_cast<uint32_t>(offset + 1u);
    auto& lines = drawing.m_lines;
    const auto end = lines.begin() + std::min<size_t>(drawing.m_nLines, lines.size());
    const auto kept = std::remove_if(lines.begin(), end, [&](LineF& line) {
        if (line.y2 < line.y1) {
            std::swap(line.x1, line.x2);
            std::swap(line.y1, line.y2);
        }
        if (static_cast<double>(offset) > line.y2) return true;
        line.y1 = line.y1 < static_cast<double>(offset) ? 1.0f : static_cast<float>(line.y1 - shift);
        line.y2 = static_cast<float>(line.y2 - shift);
        return false;
    });
    lines.erase(kept, end);
    drawing.m_nLines = static_cast<uint32_t>(lines.size());
    drawing.m_fMaxY = static_cast<float>(drawing.m_fMaxY - static_cast<double>(offset));
    return true;
}

}  // namespace

bool CTOLVEXR5DServerDoc::PreparePlotSlot(int slot) {
    CPltInterpreter& interpreter = m_interpreter[slot];
    SwathPlan& plan = m_plan[slot];
    CSwathLineLists& lists = m_lineLists[slot];
    Drawing& drawing = interpreter.m_drawing;
    g_pCurrentInterpreter = &interpreter;
    g_pCurrentSwathPlan = &plan;
    m_bSlotPrepared[slot] = 0;
    ++m_nSlotPreparations[slot];

    interpreter.m_nTextHeight = m_config.PLTFONTSIZE;
    interpreter.m_fScaleX = m_config.XFactor;
    interpreter.m_fScaleY = m_config.YFactor;
    interpreter.m_bFlipY = m_config.FlipY;
    interpreter.m_bRotate90 = m_config.PRINTROTATION90;
    interpreter.m_bMirror = m_config.PRINTMIRROR;

    m_bPreviewShowsJob = 0;
    plan.Reset();

    if (!interpreter.Load(m_strSlotPath[slot].c_str(), slot)) return false;
    if (slot == SLOT_PRINT) m_config.FileWordSum = interpreter.m_nFileWordSum;

    if (interpreter.m_bMirror == 1) interpreter.MirrorX();
    if (interpreter.m_bRotate90 == 1) {
        interpreter.Rotate90();
        if (m_config.PRINTROTATION90_UNCLOCKWISE == 1) {
            interpreter.Rotate90();
            interpreter.Rotate90();
        }
    }
    // Every drawing gets this quarter turn: the file's X axis runs along the
    // paper feed.
    interpreter.m_bRotate90 = 1;
    interpreter.Rotate90();

    ComputePlotSize(&drawing, slot);
    if (slot != SLOT_PREVIEW && m_bTooWide == 1) {
        interpreter.m_bRotate90 = 1;
        interpreter.Rotate90();
        interpreter.m_bRotate90 = 0;
        if (!TileWideDrawing(&drawing)) return false;
    }

    const bool cut = (slot == SLOT_PRINT && plan.m_nStartOffset > 0) || (slot == SLOT_OUTPUT_PREVIEW && m_bCutAtStart == 1);
    if (cut) {
        if (!CutAtStartOffset(drawing, plan.m_nStartOffset)) return false;
        // Plan 0 keeps the length from the start position on; the job row's
        // size shows it.
        SwathPlan& printPlan = m_plan[SLOT_PRINT];
        printPlan.m_fHeightM = static_cast<float>(printPlan.m_fHeightM -
                                                  static_cast<double>(plan.m_nStartOffset) * m_config.MmPerUnit * 0.001);
    }

    if (!plan.Setup(&m_config, &drawing)) return false;
    lists.m_pPlan = &plan;
    if (!lists.Allocate()) return false;

    if (slot == SLOT_PRINT) {
        m_bSlotPrepared[0] = 1;
        m_bSlotPrepared[1] = m_bSlotPrepared[2] = 0;
        // Lists that could not take every piece would print part of the
        // drawing as if it were all of it.
        if (!lists.SplitLines(&drawing)) {
            m_bSlotPrepared[0] = 0;
            return false;
        }
        return true;
    }
    m_bSlotPrepared[0] = 0;
    m_bSlotPrepared[1] = slot == SLOT_PREVIEW;
    m_bSlotPrepared[2] = slot == SLOT_OUTPUT_PREVIEW;
    // With the fixed quarter turn above these make a full circle: the preview
    // shows the file as mirrored and turned by the configured rotation only.
    interpreter.m_bRotate90 = 1;
    for (int turn = 0; turn < 3; ++turn) interpreter.Rotate90();
    interpreter.m_bRotate90 = 0;
    return true;
}

void CTOLVEXR5DServerDoc::ComputePlotSize(Drawing* drawing, int slot) {
    drawing->m_fWidthM = static_cast<float>(static_cast<double>(drawing->m_fMaxX) * m_config.MmPerUnit / 1000.0);
    drawing->m_fHeightM = static_cast<float>(static_cast<double>(drawing->m_fMaxY) * m_config.MmPerUnit / 1000.0);
    if (slot != SLOT_PREVIEW)
        m_bTooWide = static_cast<double>(m_config.MAXWIDTH) < static_cast<double>(drawing->m_fWidthM) * 100.0;
}

bool CTOLVEXR5DServerDoc::TileWideDrawing(Drawing* drawing) {
    const std::size_t budget = g_pCurrentInterpreter != nullptr ? g_pCurrentInterpreter->m_nMaxLines : DrawingLineBudget();
    return ::TileWideDrawing(*drawing, m_config, budget);
}
