#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "bench/marker_plot_file.h"
#include "core/document.h"

namespace {

// A plot file with a config.ini beside it, in a temporary folder of its own.
class BenchPlotFile {
public:
    BenchPlotFile(const std::string& name, const std::string& text) {
        folder_ = std::filesystem::temp_directory_path() / ("tolvex-bench-" + std::to_string(getpid()) + "-" + name);
        std::filesystem::create_directories(folder_);
        size_ = text.size();
        std::ofstream(path(), std::ios::binary) << text;
        std::ofstream(folder_ / "config.ini") << "[JetPrintHeadOpenStatus]\nJetPrintHeadOpenStatus0=1\n";
    }
    ~BenchPlotFile() { std::filesystem::remove_all(folder_); }

    std::string path() const { return (folder_ / "job.plt").string(); }
    std::string folder() const { return folder_.string(); }
    size_t size() const { return size_; }

private:
    std::filesystem::path folder_;
    size_t size_ = 0;
};

// The marker with its piece labels (text outlines make about a third of its
// lines), and the same marker without them.
const BenchPlotFile& Marker(bool labels) {
    static const BenchPlotFile labelled("labelled", MakeMarkerPlotFile(MarkerLayout{.labels = true}));
    static const BenchPlotFile plain("plain", MakeMarkerPlotFile(MarkerLayout{.labels = false}));
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

void PreparePrintSlot(benchmark::State& state, const BenchPlotFile& file) {
    CTOLVEXR5DServerDoc document(file.folder());
    document.m_strSlotPath[SLOT_PRINT] = file.path();
    for (auto _ : state) {
        if (!document.PreparePlotSlot(SLOT_PRINT)) state.SkipWithError("preparation failed");
        benchmark::DoNotOptimize(document.m_lineLists[SLOT_PRINT].m_nCount);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
    state.counters["lines"] = document.m_interpreter[SLOT_PRINT].m_drawing.m_nLines;
    state.counters["swaths"] = document.m_plan[SLOT_PRINT].m_nSwathCount.load();
    ReportPeakMemory(state);
}

void BM_PreparePrintSlot(benchmark::State& state) { PreparePrintSlot(state, Marker(true)); }
BENCHMARK(BM_PreparePrintSlot)->Unit(benchmark::kMillisecond);

// Files of a few bytes whose dash patterns ask for hundreds of millions of
// dashes on kilometre-long segments (the second there and back); run each alone to read its peak memory.
void BM_PrepareRunawayDashes(benchmark::State& state) {
    static const BenchPlotFile tenKilometres("runaway-10km", "IN;SP1;LT2,0.5;PU0,0;PD400000000,0;");
    static const BenchPlotFile there("runaway-25km", "IN;PU0,0;LT2.5,2;PD1000000000,0,0,0;");
    PreparePrintSlot(state, state.range(0) == 0 ? tenKilometres : there);
}
BENCHMARK(BM_PrepareRunawayDashes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
