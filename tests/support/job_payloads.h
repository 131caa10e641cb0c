#pragma once

#include <cstdint>
#include <span>

#include "core/document.h"
#include "engine/swath_packet.h"

// Builds and finishes every packet of the prepared print job in the order
// the job runner sends them: the head-clearing test pattern first, then the
// packets of swaths 0, passes, 2 x passes, ... until the data is finished.
// consume gets each payload (words 9 .. N - 1 as sent). False when a packet
// cannot be built.
template <typename Consume>
bool ForEachJobPayload(CTOLVEXR5DServerDoc& doc, Consume&& consume) {
    SwathPlan& plan = doc.m_plan[SLOT_PRINT];
    const CSwathRaster& raster = doc.m_raster[SLOT_PRINT];
    g_firstTransfer = 1;
    plan.m_nCurrentSwath = 0;
    while (!doc.IsPrintDataFinished()) {
        if (!doc.BuildSwathPacket(plan.m_nCurrentSwath) || !doc.FinishSwathPacket()) return false;
        const std::span<const uint16_t> packet(raster.m_pPacket.get(), static_cast<size_t>(plan.m_nSentWordCount));
        consume(packet.subspan(kSwathPacketHeaderWords));
        if (g_firstTransfer != 0) {
            g_firstTransfer = 0;
            plan.m_nCurrentSwath = 0;
        } else {
            plan.m_nCurrentSwath += plan.m_nPasses;
        }
    }
    return true;
}
