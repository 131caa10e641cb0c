#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bench/marker_plot_file.h"
#include "core/document.h"
#include "engine/swath_packet.h"

namespace {

// A 10 m marker, 179.5 cm across the carriage, prepared as the print job of
// a document with `heads` HP45 heads, all open: one head packs four passes,
// four heads two.
class PreparedJob {
public:
    explicit PreparedJob(int heads) {
        folder_ = std::filesystem::temp_directory_path() /
                  ("tolvex-packet-bench-" + std::to_string(getpid()) + "-" + std::to_string(heads));
        std::filesystem::create_directories(folder_);
        std::ofstream(folder_ / "marker.plt", std::ios::binary) << MakeMarkerPlotFile(MarkerLayout{});
        std::ofstream ini(folder_ / "config.ini");
        ini << "[CTRPARAM]\nJetPrintHead=" << heads << "\n[JetPrintHeadOpenStatus]\n";
        for (int entry = 0; entry < 2 * heads; ++entry) ini << "JetPrintHeadOpenStatus" << entry << "=1\n";
        ini.close();

        doc_ = std::make_unique<CTOLVEXR5DServerDoc>(folder_.string());
        doc_->m_strSlotPath[SLOT_PRINT] = (folder_ / "marker.plt").string();
        ready_ = doc_->PreparePlotSlot(SLOT_PRINT) && doc_->PrepareSwathBuffers();
    }
    ~PreparedJob() {
        doc_.reset();
        std::filesystem::remove_all(folder_);
    }
    PreparedJob(const PreparedJob&) = delete;
    PreparedJob& operator=(const PreparedJob&) = delete;

    bool ready() const { return ready_; }
    CTOLVEXR5DServerDoc& doc() { return *doc_; }
    SwathPlan& plan() { return doc_->m_plan[SLOT_PRINT]; }
    // Bytes sent for one packet: the words after the header.
    int64_t PayloadBytes() { return 2 * int64_t{plan().m_nWordCount} - 18; }

private:
    std::filesystem::path folder_;
    std::unique_ptr<CTOLVEXR5DServerDoc> doc_;
    bool ready_ = false;
};

PreparedJob& Job(int heads) {
    static PreparedJob oneHead(1);
    static PreparedJob fourHeads(4);
    return heads == 1 ? oneHead : fourHeads;
}

void ReportCounters(benchmark::State& state, PreparedJob& job, int64_t packets) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["s_per_packet"] =
        benchmark::Counter(static_cast<double>(packets), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["words_N"] = job.plan().m_nWordCount;
    state.SetBytesProcessed(packets * job.PayloadBytes());
}

// Every packet of the job, in sending order: the test pattern, then the
// swaths, passes at a time.
void BM_WholeJob(benchmark::State& state) {
    PreparedJob& job = Job(static_cast<int>(state.range(0)));
    if (!job.ready()) {
        state.SkipWithError("the job could not be prepared");
        return;
    }
    int64_t packets = 0;
    for (auto _ : state) {
        g_firstTransfer = 1;
        job.plan().m_nCurrentSwath = 0;
        while (!job.doc().IsPrintDataFinished()) {
            if (!job.doc().BuildSwathPacket(job.plan().m_nCurrentSwath) || !job.doc().FinishSwathPacket()) {
                state.SkipWithError("a packet could not be built");
                return;
            }
            ++packets;
            if (g_firstTransfer != 0) {
                g_firstTransfer = 0;
                job.plan().m_nCurrentSwath = 0;
            } else {
                job.plan().m_nCurrentSwath += job.plan().m_nPasses;
            }
        }
    }
    state.counters["packets_per_job"] = static_cast<double>(packets) / static_cast<double>(state.iterations());
    ReportCounters(state, job, packets);
}
BENCHMARK(BM_WholeJob)->Arg(1)->Arg(4)->ArgName("heads")->Unit(benchmark::kMillisecond);

// One packet from the middle of the marker, built again and again.
void BM_MiddlePacket(benchmark::State& state) {
    PreparedJob& job = Job(static_cast<int>(state.range(0)));
    if (!job.ready()) {
        state.SkipWithError("the job could not be prepared");
        return;
    }
    g_firstTransfer = 0;
    const int32_t passes = job.plan().m_nPasses;
    const int32_t middle = job.plan().m_nSwathCount / 2 / passes * passes;
    for (auto _ : state) {
        if (!job.doc().BuildSwathPacket(middle) || !job.doc().FinishSwathPacket()) {
            state.SkipWithError("the packet could not be built");
            return;
        }
    }
    ReportCounters(state, job, static_cast<int64_t>(state.iterations()));
}
BENCHMARK(BM_MiddlePacket)->Arg(1)->Arg(4)->ArgName("heads")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
