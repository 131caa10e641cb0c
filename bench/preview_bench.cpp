// The preview of a 10 m x 179.5 cm garment marker (about two million
// segments) in a 1600 x 800 client area, on Qt's offscreen platform: the
// index of the slot's lines, first paints at three zooms, the paint after
// each packet, a page scroll, and the whole Preview command of a job row.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>
#include <memory>

#include "bench/marker_plot_file.h"
#include "core/document.h"
#include "jobs/file_view.h"
#include "tests/support/temp_dir.h"
#include "ui/map_view.h"
#include "ui/preview_line_index.h"

namespace {

constexpr QSize kClient(1600, 800);

// The marker in a folder of its own, a document and the preview, shown.
class MarkerPreview {
public:
    MarkerPreview() {
        m_folder.Write("marker.plt", MakeMarkerPlotFile(MarkerLayout{}));
        m_folder.Write("config.ini", "[JetPrintHeadOpenStatus]\nJetPrintHeadOpenStatus0=1\n");
        m_document = std::make_unique<CTOLVEXR5DServerDoc>(m_folder.path());
        for (int slot = 0; slot < 3; ++slot) m_document->m_strSlotPath[slot] = Path();
        m_view = std::make_unique<CMapView>(*m_document);
        m_view->show();
        m_view->OnInitialUpdate();
    }

    std::string Path() const { return m_folder.File("marker.plt"); }
    CTOLVEXR5DServerDoc& Document() { return *m_document; }
    CMapView& View() { return *m_view; }

    // Prepares slot (1 file preview, 2 output preview) unless it is the
    // prepared one, shows it at zoom, scrolled to the start, with the client
    // area at 1600 x 800; the first paint is done.
    bool Show(int slot, int zoom) {
        if (!m_document->m_bSlotPrepared[slot] && !m_document->PreparePlotSlot(slot)) return false;
        m_document->PreviewMode = slot == SLOT_PREVIEW ? PREVIEW_FILE : PREVIEW_OUTPUT;
        m_view->SetZoom(zoom);
        // The first paints may bring the vertical bar.
        for (int pass = 0; pass < 4; ++pass) {
            m_view->resize(kClient + m_view->size() - m_view->viewport()->size());
            QApplication::processEvents();
            m_view->horizontalScrollBar()->setValue(0);
            m_view->verticalScrollBar()->setValue(0);
            m_view->RedrawNow();
        }
        return m_view->viewport()->size() == kClient;
    }

private:
    TempDir m_folder;
    std::unique_ptr<CTOLVEXR5DServerDoc> m_document;
    std::unique_ptr<CMapView> m_view;
};

// Built by the first benchmark that needs it; main lets it go while the
// application, which its window needs, still exists.
std::unique_ptr<MarkerPreview>& MarkerHolder() {
    static std::unique_ptr<MarkerPreview> marker;
    return marker;
}

MarkerPreview& Marker() {
    std::unique_ptr<MarkerPreview>& marker = MarkerHolder();
    if (!marker) marker = std::make_unique<MarkerPreview>();
    return *marker;
}

constexpr double kMiB = 1024.0 * 1024.0;

void BM_IndexBuild(benchmark::State& state) {
    MarkerPreview& marker = Marker();
    if (!marker.Show(SLOT_PREVIEW, 100)) state.SkipWithError("the marker could not be shown");
    const LineArray& lines = marker.Document().m_interpreter[SLOT_PREVIEW].m_drawing.m_lines;
    PreviewLineIndex index;
    for (auto _ : state) {
        index.Build(lines);
        benchmark::DoNotOptimize(index.LineCount());
    }
    state.counters["lines"] = static_cast<double>(lines.size());
    state.counters["index_MiB"] = static_cast<double>(index.MemoryBytes()) / kMiB;
    state.counters["lines_MiB"] = static_cast<double>(lines.size() * sizeof(LineF)) / kMiB;
}
BENCHMARK(BM_IndexBuild)->Unit(benchmark::kMillisecond);

// The first paint after a zoom change: every line on show drawn again.
void BM_FirstPaint(benchmark::State& state) {
    MarkerPreview& marker = Marker();
    const int zoom = static_cast<int>(state.range(0));
    if (!marker.Show(SLOT_PREVIEW, zoom)) state.SkipWithError("the marker could not be shown");
    CMapView& view = marker.View();
    for (auto _ : state) {
        state.PauseTiming();
        view.SetZoom(zoom + 1);
        view.RedrawNow();
        view.SetZoom(zoom);
        state.ResumeTiming();
        view.RedrawNow();
    }
}
BENCHMARK(BM_FirstPaint)->ArgName("zoom")->Arg(100)->Arg(20)->Arg(1000)->Unit(benchmark::kMillisecond);

// The worker's repaint after a packet: the band moves by the pass count.
void BM_PaintAfterBandMove(benchmark::State& state) {
    MarkerPreview& marker = Marker();
    if (!marker.Show(SLOT_OUTPUT_PREVIEW, 100)) state.SkipWithError("the marker could not be shown");
    CTOLVEXR5DServerDoc& document = marker.Document();
    SwathPlan& plan = document.m_plan[SLOT_PRINT];
    plan.m_nSwathCount = 400;
    plan.m_nPasses = 2;
    plan.m_nCurrentSwath = 0;
    document.m_bPreviewShowsJob = 1;
    marker.View().RedrawNow();
    for (auto _ : state) {
        plan.m_nCurrentSwath = (plan.m_nCurrentSwath + plan.m_nPasses) % plan.m_nSwathCount;
        marker.View().RedrawNow();
    }
    document.m_bPreviewShowsJob = 0;
}
BENCHMARK(BM_PaintAfterBandMove)->Unit(benchmark::kMillisecond);

// A page to the right at zoom 1000, back to the start at the end.
void BM_ScrollOnePageAtZoom1000(benchmark::State& state) {
    MarkerPreview& marker = Marker();
    if (!marker.Show(SLOT_PREVIEW, 1000)) state.SkipWithError("the marker could not be shown");
    QScrollBar* bar = marker.View().horizontalScrollBar();
    for (auto _ : state) {
        bar->setValue(bar->value() >= bar->maximum() ? 0 : bar->value() + bar->pageStep());
        marker.View().RedrawNow();
    }
    state.counters["pages"] = static_cast<double>(bar->maximum()) / bar->pageStep() + 1;
}
BENCHMARK(BM_ScrollOnePageAtZoom1000)->Unit(benchmark::kMillisecond);

// Preview on the marker's row: slot 1 prepared, indexed and painted.
void BM_PreviewCommand(benchmark::State& state) {
    MarkerPreview& marker = Marker();
    if (!marker.Show(SLOT_PREVIEW, 100)) state.SkipWithError("the marker could not be shown");
    CFileView jobList(marker.Document());
    jobList.Rows().AppendRow({"", marker.Path(), "1", "* * *", ""});
    jobList.SetSelectionMark(0);
    for (auto _ : state) {
        jobList.OnPreview();
        marker.View().RedrawNow();
    }
    if (!marker.Document().m_bSlotPrepared[SLOT_PREVIEW]) state.SkipWithError("the preview was not prepared");
}
BENCHMARK(BM_PreviewCommand)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    MarkerHolder().reset();
    return 0;
}
