#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>
#include <fstream>

#include "bench/marker_plot_file.h"
#include "core/document.h"

namespace {

// A marker file, written once to a temporary folder of its own.
class MarkerFile {
public:
    explicit MarkerFile(const MarkerLayout& layout) {
        folder_ = std::filesystem::temp_directory_path() /
                  ("tolvex-bench-" + std::to_string(getpid()) + (layout.labels ? "-labelled" : "-plain"));
        std::filesystem::create_directories(folder_);
        const std::string text = MakeMarkerPlotFile(layout);
        size_ = text.size();
        std::ofstream(path(), std::ios::binary) << text;
        std::ofstream(folder_ / "config.ini") << "[JetPrintHeadOpenStatus]\nJetPrintHeadOpenStatus0=1\n";
    }
    ~MarkerFile() { std::filesystem::remove_all(folder_); }

    std::string path() const { return (folder_ / "marker.plt").string(); }
    std::string folder() const { return folder_.string(); }
    size_t size() const { return size_; }

private:
    std::filesystem::path folder_;
    size_t size_ = 0;
};

// The marker with its piece labels (text outlines make about a third of its
// lines), and the same marker without them.
const MarkerFile& Marker(bool labels) {
    static const MarkerFile labelled(MarkerLayout{.labels = true});
    static const MarkerFile plain(MarkerLayout{.labels = false});
    return labels ? labelled : plain;
}

void ReportPeakMemory(benchmark::State& state) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_InterpretMarker(benchmark::State& state) {
    const auto& marker = Marker(state.range(0) != 0);
    CPltInterpreter interpreter;
    interpreter.m_fScaleX = interpreter.m_fScaleY = 1.0f;
    for (auto _ : state) {
        if (!interpreter.Load(marker.path().c_str(), 1)) state.SkipWithError("the marker file did not load");
        benchmark::DoNotOptimize(interpreter.m_drawing.m_nLines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * marker.size()));
    state.counters["lines"] = interpreter.m_drawing.m_nLines;
    ReportPeakMemory(state);
}
BENCHMARK(BM_InterpretMarker)->ArgName("labels")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PreparePrintSlot(benchmark::State& state) {
    const auto& marker = Marker(true);
    CTOLVEXR5DServerDoc document(marker.folder());
    document.m_strSlotPath[SLOT_PRINT] = marker.path();
    for (auto _ : state) {
        if (!document.PreparePlotSlot(SLOT_PRINT)) state.SkipWithError("preparation failed");
        benchmark::DoNotOptimize(document.m_lineLists[SLOT_PRINT].m_nCount);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * marker.size()));
    state.counters["swaths"] = document.m_plan[SLOT_PRINT].m_nSwathCount.load();
    ReportPeakMemory(state);
}
BENCHMARK(BM_PreparePrintSlot)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
