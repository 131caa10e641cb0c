#include "engine/swath_raster.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <new>

CSwathRaster::CSwathRaster() {
    for (int k = 0; k < 8; ++k) m_abBitMask[k] = static_cast<uint8_t>(1u << k);
}

bool CSwathRaster::AllocateBuffers() {
    if (m_pPlan == nullptr || m_pPlan->m_pConfig == nullptr) return false;
    // No nozzles gives an empty row block: there is nothing to draw into, but
    // clearing it still succeeds.
    const int32_t rowCount = std::max(m_pPlan->m_pConfig->TotalNozzles, 0);
    const int32_t bytesPerRow = m_pPlan->m_nBytesPerRow;
    const int32_t wordCount = m_pPlan->m_nWordCount;
    if (bytesPerRow < 0 || wordCount < 0) return false;

    // Each buffer is dropped before its replacement is requested, so a failure
    // leaves that buffer absent rather than paired with the wrong geometry.
    try {
        m_pRows.reset();
        m_nRowCount = 0;
        m_nBytesPerRow = 0;
        m_pRows = std::make_unique<uint8_t[]>(static_cast<size_t>(rowCount) * static_cast<size_t>(bytesPerRow));
        m_nRowCount = rowCount;
        m_nBytesPerRow = bytesPerRow;

        m_pFireWords.reset();
        m_pPacket.reset();
        m_nWordCount = 0;
        m_pFireWords = std::make_unique<uint16_t[]>(static_cast<size_t>(wordCount));
        m_nWordCount = wordCount;
        m_pPacket = std::make_unique<uint16_t[]>(static_cast<size_t>(wordCount));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void CSwathRaster::FreeBuffers() {
    m_pRows.reset();
    m_nRowCount = 0;
    m_nBytesPerRow = 0;
    m_pFireWords.reset();
    m_pPacket.reset();
    m_nWordCount = 0;
}

bool CSwathRaster::ClearRows() {
    if (m_pPlan == nullptr || m_pPlan->m_pConfig == nullptr || !m_pRows) return false;
    std::memset(m_pRows.get(), 0, static_cast<size_t>(m_nRowCount) * static_cast<size_t>(m_nBytesPerRow));
    return true;
}

bool CSwathRaster::ClearFireWords() {
    if (!m_pFireWords) return false;
    std::fill_n(m_pFireWords.get(), m_nWordCount, uint16_t{0});
    return true;
}

void CSwathRaster::SetSpan(int x, int row, int count, int skip) {
    // Callers pass neither a negative row nor a negative column; should one
    // come anyway, a row above the raster is left alone and a span starting
    // left of the row keeps only its part inside it.
    if (!m_pRows || m_nBytesPerRow < 1 || row < 0 || m_nRowCount < 1) return;
    if (row >= m_nRowCount) row = m_nRowCount - 1;
    const int64_t first = std::max(x, 0);
    const int64_t end = int64_t{x} + count;
    if (end <= first) return;

    uint8_t* bytes = Row(row);
    const int64_t lastByte = m_nBytesPerRow - 1;
    const int64_t firstByte = first / 8;
    const int64_t endByte = end / 8;
    const bool withinOneByte = firstByte == endByte;
    const int64_t headEnd = withinOneByte ? end : (first + 7) / 8 * 8;

    // Bits from .. to - 1 of one byte; each call counts its own skips.
    const auto setBits = [this, skip](uint8_t& byte, int from, int to) {
        if (skip <= 0) {
            byte |= static_cast<uint8_t>(((1u << (to - from)) - 1u) << from);
            return;
        }
        int counter = 0;
        for (int bit = from; bit < to; ++bit) {
            if (counter == skip) {
                counter = 0;
                continue;
            }
            byte |= m_abBitMask[bit];
            ++counter;
        }
    };

    const int headFrom = static_cast<int>(first % 8);
    setBits(bytes[std::min(firstByte, lastByte)], headFrom, headFrom + static_cast<int>(headEnd - first));

    // The upper bound is clamped before use, so this step never sets the last
    // byte of a row; only head and tail bits land there.
    const int64_t wholeFrom = headEnd / 8;
    const int64_t wholeTo = std::min(endByte, lastByte);
    if (skip <= 0) {
        if (wholeTo > wholeFrom) std::memset(bytes + wholeFrom, 0xFF, static_cast<size_t>(wholeTo - wholeFrom));
    } else {
        int counter = 0;
        for (int64_t b = wholeFrom; b < wholeTo; ++b) {
            if (counter == skip) {
                counter = 0;
                continue;
            }
            bytes[b] = 0xFF;
            ++counter;
        }
    }

    if (!withinOneByte) setBits(bytes[std::min(endByte, lastByte)], 0, static_cast<int>(end % 8));
}

bool CSwathRaster::RasteriseSwath(const LineArray& lines, int n) {
    if (!ClearRows()) return false;
    if (n >= m_pPlan->m_nSwathCount) return true;
    // Formed in 64 bits: the product of two 32-bit values may not fit in one.
    const float top = static_cast<float>(int64_t{m_pPlan->m_nSwathHeight} * n);
    for (const LineF& line : lines) {
        // Above the swath's top edge y becomes 0; x is kept as it is.
        const float y1 = std::max(line.y1 - top, 0.0f);
        const float y2 = std::max(line.y2 - top, 0.0f);
        DrawLine(line.x1, y1, line.x2, y2);
    }
    return true;
}
