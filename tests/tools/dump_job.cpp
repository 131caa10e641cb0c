// dump-job PLOTFILE CONFIG_INI START_CM OUTDIR
//
// Prepares PLOTFILE as the print job of a document configured by CONFIG_INI,
// starting START_CM centimetres into the drawing, and writes what the job
// would send: packet-000.bin, packet-001.bin, ... (each payload, the words
// after the header, little-endian, in sending order: the test pattern
// first), sums.txt (each payload's sum of 16-bit words, one a line) and
// plan.json (the swath plan and the drawing's extents).
// Exit codes: 0 done, 1 preparation or output failed, 2 usage.

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/document.h"
#include "core/numeric.h"
#include "tests/support/job_payloads.h"

namespace fs = std::filesystem;

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

std::optional<double> ParseCentimetres(const char* text) {
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text, &end);
    if (end == text || *end != '\0' || errno == ERANGE || !std::isfinite(value) || value < 0) return std::nullopt;
    return value;
}

// A folder of its own for the document's config.ini, removed at exit.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "dump-job-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

std::string Number(double value) {
    if (!std::isfinite(value)) return "null";
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

std::string PlanJson(const SwathPlan& plan, const Drawing& drawing) {
    const std::pair<const char*, double> planFields[] = {
        {"swathHeight", plan.m_nSwathHeight},     {"swathCount", plan.m_nSwathCount},
        {"labelSwath", plan.m_nLabelSwath},       {"lines", plan.m_nLines},
        {"minX", plan.m_fMinX},                   {"minY", plan.m_fMinY},
        {"maxX", plan.m_fMaxX},                   {"maxY", plan.m_fMaxY},
        {"widthM", plan.m_fWidthM},               {"heightM", plan.m_fHeightM},
        {"widthDots", plan.m_nWidthDots},         {"heightDots", plan.m_nHeightDots},
        {"bytesPerRow", plan.m_nBytesPerRow},     {"stride", plan.m_nStride},
        {"columns", plan.m_nColumns},             {"wordCount", plan.m_nWordCount},
        {"leftMargin", plan.m_nLeftMargin},       {"rightEnd", plan.m_nRightEnd},
        {"passes", plan.m_nPasses},               {"yStep", plan.m_nYStep},
        {"stepSpeed", plan.m_nStepSpeed},         {"startPosition", plan.m_fStartPosition},
        {"startOffset", plan.m_nStartOffset},
    };
    const std::pair<const char*, double> drawingFields[] = {
        {"lines", drawing.m_nLines}, {"minX", drawing.m_fMinX},     {"minY", drawing.m_fMinY},
        {"maxX", drawing.m_fMaxX},   {"maxY", drawing.m_fMaxY},     {"widthM", drawing.m_fWidthM},
        {"heightM", drawing.m_fHeightM},
    };
    const auto object = [](std::span<const std::pair<const char*, double>> fields) {
        std::string text = "{";
        for (const auto& [name, value] : fields)
            text += std::string(text.size() > 1 ? ", " : "") + "\"" + name + "\": " + Number(value);
        return text + "}";
    };
    return "{\"plan\": " + object(planFields) + ",\n \"drawing\": " + object(drawingFields) + "}\n";
}

bool WritePayload(const fs::path& file, std::span<const uint16_t> payload) {
    std::vector<char> bytes;
    bytes.reserve(payload.size() * 2);
    for (const uint16_t word : payload) {
        bytes.push_back(static_cast<char>(word & 0xFF));
        bytes.push_back(static_cast<char>(word >> 8));
    }
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: dump-job PLOTFILE CONFIG_INI START_CM OUTDIR\n");
        return kExitUsage;
    }
    const std::string plotFile = argv[1];
    const std::string configIni = argv[2];
    const std::optional<double> startCm = ParseCentimetres(argv[3]);
    const fs::path outDir = argv[4];
    if (!startCm) {
        std::fprintf(stderr, "dump-job: START_CM must be a number of centimetres, 0 or more\n");
        return kExitUsage;
    }

    ScratchFolder folder;
    std::error_code error;
    if (folder.path().empty() || !fs::copy_file(configIni, fs::path(folder.path()) / "config.ini", error)) {
        std::fprintf(stderr, "dump-job: cannot use %s as config.ini\n", configIni.c_str());
        return kExitFailed;
    }
    // The job start would wait for a file still being written; a missing one
    // fails at once here.
    if (!fs::is_regular_file(plotFile, error)) {
        std::fprintf(stderr, "dump-job: no plot file %s\n", plotFile.c_str());
        return kExitFailed;
    }

    CTOLVEXR5DServerDoc doc(folder.path());
    SwathPlan& plan = doc.m_plan[SLOT_PRINT];
    plan.m_fStartPosition = static_cast<float>(*startCm);
    const std::optional<int32_t> startOffset =
        TruncateToInt32(static_cast<double>(plan.m_fStartPosition) * 10.0 / doc.m_config.MmPerUnit);
    if (!startOffset || *startOffset < 0) {
        std::fprintf(stderr, "dump-job: START_CM lies beyond any drawing\n");
        return kExitUsage;
    }
    plan.m_nStartOffset = static_cast<uint32_t>(*startOffset);
    doc.m_strSlotPath[SLOT_PRINT] = plotFile;
    if (!doc.PreparePlotSlot(SLOT_PRINT) || !doc.PrepareSwathBuffers()) {
        std::fprintf(stderr, "dump-job: the job could not be prepared\n");
        return kExitFailed;
    }

    fs::create_directories(outDir, error);
    std::ofstream planJson(outDir / "plan.json");
    planJson << PlanJson(plan, doc.m_interpreter[SLOT_PRINT].m_drawing);
    std::ofstream sums(outDir / "sums.txt");
    int packet = 0;
    bool written = true;
    const bool built = ForEachJobPayload(doc, [&](std::span<const uint16_t> payload) {
        char name[32];
        std::snprintf(name, sizeof name, "packet-%03d.bin", packet++);
        written = WritePayload(outDir / name, payload) && written;
        uint32_t sum = 0;
        for (const uint16_t word : payload) sum += word;
        sums << sum << '\n';
    });
    sums.flush();
    planJson.flush();
    if (!built || !written || !sums || !planJson) {
        std::fprintf(stderr, "dump-job: %s\n",
                     built ? "cannot write to the output folder" : "a packet could not be built");
        return kExitFailed;
    }
    return 0;
}
