#pragma once

#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <mutex>
#include <span>
#include <string>

#include "core/plotter_config.h"
#include "engine/plt_interpreter.h"
#include "engine/swath_line_lists.h"
#include "engine/swath_plan.h"
#include "engine/swath_raster.h"
#include "platform/glyph_outline.h"

// The program's one document: the configuration record, the path of
// "config.ini" and the plot slots (0 print, 1 preview, 2 output preview),
// plus the values by which the job list tells the preview what to draw.
class CTOLVEXR5DServerDoc {
public:
    // The document of the running program: "config.ini" in the program's folder.
    CTOLVEXR5DServerDoc();
    // A document whose "config.ini" lives in appDir.
    explicit CTOLVEXR5DServerDoc(std::string appDir);
    ~CTOLVEXR5DServerDoc();

    CTOLVEXR5DServerDoc(const CTOLVEXR5DServerDoc&) = delete;
    CTOLVEXR5DServerDoc& operator=(const CTOLVEXR5DServerDoc&) = delete;

    // Fill m_config from "config.ini" and write it back. Both take
    // m_configLock themselves: no caller may hold it. SaveConfig is false
    // when nothing was written (see SaveConfigFile).
    bool LoadConfig();
    bool SaveConfig();

    // When a job is handed to the worker: m_jobConfig := m_config, and plot
    // slot 0's plan (and so its raster) reads m_jobConfig from then on. On
    // the user-interface thread, after PreparePlotSlot(0).
    void TakeJobConfig();
    // Before each packet of the job, on the worker thread: the joint
    // correction (EdLRCrcValue, CrcAddorSub) as m_config holds it now, so
    // that one set during the job reaches the next packet.
    void TakeJointCorrection();

    // Empties the drawings and frees the buffers of the three plot slots;
    // harmless when repeated.
    void ReleaseSlotBuffers();

    // Interprets the plot file of slot (0 print, 1 preview, 2 output preview)
    // and turns, tiles, cuts, plans and (slot 0) splits it into swaths. False
    // when the file cannot be loaded, the drawing is shorter than the start
    // offset, or it cannot be planned, tiled or split.
    bool PreparePlotSlot(int slot);
    // The drawing's size in metres and, unless slot is 1, the too-wide flag.
    void ComputePlotSize(Drawing* drawing, int slot);
    // Lays a drawing wider than MAXWIDTH out in strips; false, with the
    // drawing unchanged, when MAXWIDTH leaves no usable strip.
    bool TileWideDrawing(Drawing* drawing);

    // Appends to lines the outline segments of text (8-bit GBK text) in the
    // named face, height in plotter units, from origin (x, y), at angle
    // degrees.
    void AddTextOutline(LineArray& lines, const std::string& face, int32_t height, int32_t x, int32_t y,
                        const std::string& text, float angle);
    // Appends one glyph outline record to lines (see AppendGlyphCurve).
    void AddGlyphCurve(LineArray& lines, uint16_t type, std::span<const platform::FixedPoint> points, int32_t ox,
                       int32_t oy, int32_t& cx, int32_t& cy);

    // Swath packets of the print slot.
    bool PrepareSwathBuffers();
    bool IsPrintDataFinished();
    bool BuildSwathPacket(int n);
    bool FinishSwathPacket();
    // The local time that the job's starting and finishing labels print;
    // empty: the system clock.
    std::function<std::tm()> m_labelClock;

    std::string m_strAppDir;
    std::string m_strIniPath;
    PlotterConfig m_config;
    // Guards the fields of m_config that both threads touch while a job
    // runs: the worker reads IP_ADDR, EdLRCrcValue and CrcAddorSub and sets
    // RawData under it; the user-interface thread changes those fields, and
    // reads RawData, only under it (LoadConfig and SaveConfig take it
    // themselves). Never held across a message box, a channel call or any
    // other wait.
    std::mutex m_configLock;
    // The configuration the running job prints with (TakeJobConfig); only
    // the worker touches it while the job runs.
    PlotterConfig m_jobConfig;
    uint8_t m_bCutAtStart = 0;
    int32_t PreviewMode = 0;
    uint8_t m_bTooWide = 0;
    std::string m_strSlotPath[3];
    SwathPlan m_plan[3];
    CPltInterpreter m_interpreter[3];
    CSwathLineLists m_lineLists[3];
    CSwathRaster m_raster[3];
    uint8_t m_bSlotPrepared[3] = {};
    // Counts the preparations of each slot: a slot's drawing changes only
    // when its count moves, so the preview indexes the lines once per count.
    uint32_t m_nSlotPreparations[3] = {};
    std::atomic<uint8_t> m_bPreviewShowsJob{0};  // cleared by the worker at a job end
};

// The document, published by the job list when it starts.
extern CTOLVEXR5DServerDoc* g_pDocument;

// The plot slots.
enum : int { SLOT_PRINT = 0, SLOT_PREVIEW = 1, SLOT_OUTPUT_PREVIEW = 2 };

// What PreviewMode says the preview draws.
enum : int32_t { PREVIEW_NOTHING = 0, PREVIEW_FILE = 1, PREVIEW_OUTPUT = 5 };
