#include <QApplication>
#include <QScrollBar>
#include <fstream>

#include "bench/marker_plot_file.h"
#include "core/document.h"
#include "jobs/file_view.h"
#include "jobs/row_texts.h"
#include "shots.h"
#include "tests/support/message_recorder.h"
#include "ui/main_frame.h"
#include "ui/map_view.h"

namespace {

// Paints until the scroll bars that the paint shows or hides have settled.
void Settle(CMapView& preview) {
    for (int pass = 0; pass < 3; ++pass) {
        preview.RedrawNow();
        QApplication::processEvents();
    }
}

// Shows the preview at zoom, scrolled so that the view's pixel x lies a
// third into the pane.
void ShowAt(CMapView& preview, int zoom, int x) {
    preview.SetZoom(zoom);
    Settle(preview);
    preview.horizontalScrollBar()->setValue(x - preview.viewport()->width() / 3);
    Settle(preview);
}

}  // namespace

void TakePreviewShots(ShotSession& session) {
    // A head table that the plan refuses would only bring a notice: recorded.
    const MessageRecorder messages;
    CMainFrame& frame = session.MainFrame();
    CFileView& jobList = *frame.GetFileView();
    CMapView& preview = *frame.GetMapView();
    CTOLVEXR5DServerDoc& document = session.Document();
    document.m_config.JetPrintHeadOpenStatus[0] = 1;

    // A 2 m marker held with a start 50 cm in.
    const std::string path = session.WorkFolder() + "/marker_2m.plt";
    std::ofstream(path, std::ios::binary) << MakeMarkerPlotFile(
        {.lengthUnits = 80000, .widthUnits = 71800, .pieceColumns = 8, .pieceRows = 5, .pointsPerOutline = 160});
    const JobTexts& texts = jobList.Texts();
    const int row =
        jobList.Rows().AppendRow({texts.notPlot, path, "1", "* * *", StartPositionText(texts.startFormat, 50.0f)});
    jobList.SetSelectionMark(row);

    jobList.OnPreview();
    Settle(preview);
    session.Save(frame, "preview-file-zoom100");
    ShowAt(preview, 300, 0);
    session.Save(frame, "preview-file-zoom300");

    // The start line, and the scroll to its page.
    jobList.OnPlotPreview();
    Settle(preview);
    session.Save(frame, "preview-output-start-zoom100");
    preview.SetZoom(300);
    Settle(preview);
    session.Save(frame, "preview-output-start-zoom300");

    // The same file printing from its start: slot 2 cut there, a third of its
    // swaths sent, the band on the packet being sent.
    SwathPlan& output = document.m_plan[SLOT_OUTPUT_PREVIEW];
    output.m_nStartOffset = 0;
    document.m_bCutAtStart = 1;
    if (document.PreparePlotSlot(SLOT_OUTPUT_PREVIEW)) {
        document.m_bPreviewShowsJob = 1;
        SwathPlan& print = document.m_plan[SLOT_PRINT];
        print.m_nSwathCount = output.m_nSwathCount.load();
        print.m_nPasses = output.m_nPasses.load();
        print.m_nCurrentSwath = output.m_nSwathCount.load() / 3;
        const Drawing& drawing = document.m_interpreter[SLOT_OUTPUT_PREVIEW].m_drawing;
        const double widthAt100 = drawing.m_fMaxX / (drawing.m_fMaxY / preview.viewport()->height());
        ShowAt(preview, 100, 0);
        session.Save(frame, "preview-output-band-zoom100");
        // At zoom 300 the band lies where the drawing ends at zoom 100.
        ShowAt(preview, 300, static_cast<int>(widthAt100));
        session.Save(frame, "preview-output-band-zoom300");
        document.m_bPreviewShowsJob = 0;
        print.m_nSwathCount = 0;
    }
    document.m_bCutAtStart = 0;
}
