#pragma once

#include <cstdint>
#include <memory>

#include "engine/line_f.h"
#include "engine/swath_plan.h"

// The bitmap of one swath: one bit row per nozzle of the configured heads,
// one bit per dot column, least significant bit first. It also owns the fire
// words that the nozzle mapping fills from the rows and the packet that the
// swath packet builder fills from the fire words.
class CSwathRaster {
public:
    CSwathRaster();

    // Rows for every nozzle (the plan's bytes per row each), fire words and
    // packet (the plan's word count each), all zeroed. Needs the plan's buffer
    // geometry. False as soon as one allocation fails; what was allocated
    // stays until FreeBuffers.
    bool AllocateBuffers();
    void FreeBuffers();
    bool ClearRows();
    bool ClearFireWords();

    // Sets count bits of row from dot column x, leaving one unit out after
    // every skip units when skip > 0. Rows and bytes past the end are clamped.
    void SetSpan(int x, int row, int count, int skip);
    // Draws one line, thickened by ELineWidth, in plotter units relative to
    // the swath's top edge.
    void DrawLine(float x1, float y1, float x2, float y2);
    // Clears the rows and draws the lines of swath n. False when the rows are
    // missing.
    bool RasteriseSwath(const LineArray& lines, int n);

    // Turns the rows of the pass into fire words, in the heads' firing order.
    void MapNozzles();
    void MapNozzlesThunk();

    // The bytes of row r (0 <= r < m_nRowCount); rows must be allocated.
    uint8_t* Row(int r) { return m_pRows.get() + static_cast<size_t>(r) * m_nBytesPerRow; }
    const uint8_t* Row(int r) const { return m_pRows.get() + static_cast<size_t>(r) * m_nBytesPerRow; }

    uint8_t m_abBitMask[8];
    SwathPlan* m_pPlan = nullptr;
    // All rows in one block, row after row. The geometry is kept as it was
    // allocated, so a later change of the plan never reaches past the buffers.
    std::unique_ptr<uint8_t[]> m_pRows;
    int32_t m_nRowCount = 0;
    int32_t m_nBytesPerRow = 0;
    std::unique_ptr<uint16_t[]> m_pFireWords;
    std::unique_ptr<uint16_t[]> m_pPacket;
    int32_t m_nWordCount = 0;  // words of the fire-word and packet buffers
    uint8_t m_abHeadSlot[4] = {};
    uint8_t m_nHeadCount = 0;
};
