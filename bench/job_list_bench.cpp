// The job list's costs on the user-interface thread: a job's start from a
// large plot file, the scan of a crowded work folder, and the program's
// start-up to its first shown window. Offscreen, no plotter.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStandardPaths>
#include <clocale>
#include <filesystem>
#include <fstream>

#include "bench/marker_plot_file.h"
#include "core/document.h"
#include "core/plotter_status.h"
#include "jobs/file_view.h"
#include "ui/application.h"
#include "ui/command_target.h"
#include "ui/main_frame.h"

namespace {

namespace fs = std::filesystem;

class NoApplication : public CommandTarget {
public:
    bool HandlesCommand(unsigned) const override { return false; }
    void OnCommand(unsigned) override {}
};

// A folder with "config.ini" (one head, the plotter on 127.0.0.1) and an
// empty work folder.
class BenchFolder {
public:
    BenchFolder() {
        m_path = fs::temp_directory_path() / ("tolvex-job-list-bench-" + std::to_string(getpid()));
        fs::create_directories(m_path / "work");
        std::ofstream(m_path / "config.ini")
            << "[CTRPARAM]\nJetPrintHead=1\n[JetPrintHeadOpenStatus]\nJetPrintHeadOpenStatus0=1\n"
               "JetPrintHeadOpenStatus1=1\n[PRINT]\nPRINTAUTO=1\n[PATH]\nWORKPATH="
            << (m_path / "work").string() << "\n[NET]\nIP_ADDR=127.0.0.1\n";
    }
    ~BenchFolder() { fs::remove_all(m_path); }
    std::string path() const { return m_path.string(); }
    fs::path work() const { return m_path / "work"; }

private:
    fs::path m_path;
};

// The main frame's job list over a document of its own, first update not run;
// the document is published, as the first update would, so that a job can be
// handed over.
struct JobList {
    BenchFolder folder;
    CTOLVEXR5DServerDoc document{folder.path()};
    NoApplication application;
    CMainFrame frame{document, application};
    CFileView& view = *frame.GetFileView();
    JobList() {
        view.LoadTexts();
        g_pDocument = &document;
    }
    ~JobList() { g_pDocument = nullptr; }
    JobList(const JobList&) = delete;
    JobList& operator=(const JobList&) = delete;
};

// A 10 m x 180 cm marker lands in the work folder: the scan finds it, starts
// it (slot 0 prepared and split, swath buffers, the job handed over) and
// prepares the output preview of slot 2.
void BM_MarkerFromWorkFolderToWorker(benchmark::State& state) {
    JobList list;
    std::ofstream(list.folder.work() / "marker.plt", std::ios::binary) << MakeMarkerPlotFile(MarkerLayout{});
    for (auto _ : state) {
        state.PauseTiming();
        list.view.Rows().DeleteRow(0);
        g_plotterStatus.m_bBusy = 0;
        g_plotterStatus.m_bJobReady = 0;
        state.ResumeTiming();
        list.view.ScanWorkFolder(false);
        if (g_plotterStatus.m_bJobReady.load() == 0) state.SkipWithError("the job did not start");
    }
    g_plotterStatus.m_bBusy = 0;
    g_plotterStatus.m_bJobReady = 0;
}
BENCHMARK(BM_MarkerFromWorkFolderToWorker)->Unit(benchmark::kMillisecond)->UseRealTime();

// A scan of a work folder with 5,000 plot files, each already a row, while a
// job is busy (nothing starts).
void BM_ScanOf5000KnownFiles(benchmark::State& state) {
    JobList list;
    for (int file = 0; file < 5000; ++file) {
        std::ofstream(list.folder.work() / ("piece_" + std::to_string(file) + ".plt"));
    }
    list.view.ScanWorkFolder(true);
    g_plotterStatus.m_bBusy = 1;
    for (auto _ : state) list.view.ScanWorkFolder(false);
    g_plotterStatus.m_bBusy = 0;
    state.counters["rows"] = list.view.Rows().Count();
}
BENCHMARK(BM_ScanOf5000KnownFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

// The program's start: the document with its "config.ini", the main frame,
// the job list's first update (socket, first scan, timers, worker), shown.
void BM_StartUpToFirstShownWindow(benchmark::State& state) {
    BenchFolder folder;
    for (auto _ : state) {
        CTOLVEXR5DServerApp application;
        application.m_strConfigFolder = folder.path();
        if (!application.InitInstance()) state.SkipWithError("the program did not start");
        QApplication::processEvents();
        state.PauseTiming();
        application.ExitInstance();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToFirstShownWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
