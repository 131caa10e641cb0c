#pragma once

#include <atomic>
#include <cstdint>

#include "core/plotter_config.h"
#include "engine/drawing.h"

// The geometry of one prepared drawing as the plotter prints it, swath by
// swath, and the progress of printing it. Plotter units along the drawing,
// dots across the carriage (X), swaths along the paper feed (Y).
class SwathPlan {
public:
    SwathPlan();

    // Clears the geometry at the start of a plot-slot preparation; the start
    // position and offset, the progress and the pass values survive.
    void Reset();
    // Plans the drawing with config and writes the config's FourPass and
    // HeadPairSelector. False when the drawing cannot be planned: a swath
    // height below 1 plotter unit, or a size beyond the 32-bit range.
    bool Setup(PlotterConfig* config, const Drawing* drawing);
    // The raster and packet geometry of the print slot, at job start. False
    // when it does not fit the 32-bit range.
    bool ComputeBufferGeometry();
    // Whether the planned drawing gives the plotter anything to print: at
    // least one swath over a drawing at least one dot wide and high. A job
    // without it sends no packet, not even the test pattern.
    bool HasPrintData() const;

    PlotterConfig* m_pConfig = nullptr;
    int32_t m_nSwathHeight = 0;  // plotter units
    // The job's progress fields (swath count, current swath, swaths printed,
    // passes) are atomics: the worker writes them while the progress bar and
    // the preview read them, and an abort sets the current swath.
    std::atomic<int32_t> m_nSwathCount{0};  // including the label swath
    int32_t m_nLabelSwath = 0;
    // Copy of the drawing's header.
    uint32_t m_nLines = 0;
    float m_fMinX = 0;
    float m_fMinY = 0;
    float m_fMaxX = 0;
    float m_fMaxY = 0;
    float m_fWidthM = 0;
    float m_fHeightM = 0;
    int32_t m_nWidthDots = 0;
    int32_t m_nHeightDots = 0;
    int32_t m_nBytesPerRow = 0;
    int32_t m_nStride = 0;     // firing slots per head
    int32_t m_nColumns = 0;    // firing columns of one swath
    int32_t m_nWordCount = 0;  // 16-bit words of one swath packet
    int32_t m_nSentWordCount = 0;
    int32_t m_nLeftMargin = 0;  // dots
    int32_t m_nRightEnd = 0;    // dots
    std::atomic<int32_t> m_nCurrentSwath{0};
    std::atomic<int32_t> m_nSwathsPrinted{0};
    std::atomic<int32_t> m_nPasses{0};
    int32_t m_nYStep = 0;
    uint8_t m_bReversePass = 0;
    int32_t m_nStepSpeed = 0;
    float m_fStartPosition = 0;  // cm
    uint32_t m_nStartOffset = 0;  // plotter units
};
