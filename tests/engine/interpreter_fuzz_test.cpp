#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "engine/plt_interpreter.h"
#include "tests/fuzz/interpreter_fuzz_steps.h"

namespace {

// Ends the test program when the guarded work outlasts its limit: a hang
// must fail the run instead of stalling it.
class Watchdog {
public:
    explicit Watchdog(std::chrono::seconds limit)
        : thread_([this, limit] {
              std::unique_lock lock(mutex_);
              if (!done_changed_.wait_for(lock, limit, [this] { return done_; })) {
                  std::fputs("interpreter fuzz test hung\n", stderr);
                  std::abort();
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        done_changed_.notify_one();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_changed_;
    bool done_ = false;
    std::thread thread_;
};

TEST(InterpreterFuzz, ReplaysTheCorpus) {
    const std::filesystem::path corpus = std::filesystem::path(TOLVEX_SOURCE_DIR) / "tests/data/interpreter_corpus";
    ASSERT_TRUE(std::filesystem::is_directory(corpus)) << corpus;
    Watchdog watchdog(std::chrono::seconds(60));
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        CPltInterpreter p;
        fuzz_steps::PrepareForSlot(p);
        ASSERT_TRUE(p.Load(entry.path().c_str(), 0)) << entry.path();
        fuzz_steps::TurnBothWays(p);
        EXPECT_TRUE(fuzz_steps::IsSane(p.m_drawing)) << entry.path();
        ++files;
    }
    EXPECT_GT(files, 0);
}

// Plot-file-like noise: mostly command letters, numbers (some huge or not
// numbers at all), separators and terminators.
std::vector<uint8_t> RandomPlotBytes(std::mt19937& random) {
    static const std::string kLetters = "PDUASCIPNHLBTMRGdpusc";
    static const std::string kPunctuation = ",; \t\n\r\x03!-.";
    static const char* const kNumbers[] = {"2147483647", "-2147483648", "99999999999", "1e38",  "-1e39",
                                           "nan",        "inf",         "1e-30",       "0.001", "65535"};
    std::vector<uint8_t> bytes;
    const size_t pieces = std::uniform_int_distribution<size_t>(0, 120)(random);
    std::uniform_int_distribution<int> kind(0, 99);
    for (size_t i = 0; i < pieces; ++i) {
        const int k = kind(random);
        std::string piece;
        if (k < 30) {
            piece = kLetters[random() % kLetters.size()];
        } else if (k < 60) {
            piece = std::to_string(static_cast<int>(random() % 2000) - 500);
        } else if (k < 85) {
            piece = kPunctuation[random() % kPunctuation.size()];
        } else if (k < 93) {
            piece = kNumbers[random() % std::size(kNumbers)];
        } else {
            piece = static_cast<char>(random() % 256);
        }
        bytes.insert(bytes.end(), piece.begin(), piece.end());
    }
    return bytes;
}

TEST(InterpreterFuzz, SurvivesRandomPlotFiles) {
    Watchdog watchdog(std::chrono::seconds(60));
    std::mt19937 random(20240611);
    for (int run = 0; run < 6000; ++run) {
        const std::vector<uint8_t> bytes = RandomPlotBytes(random);
        CPltInterpreter p;
        fuzz_steps::PrepareForSlot(p);
        ASSERT_TRUE(fuzz_steps::ParseBytes(p, bytes)) << run;
        fuzz_steps::TurnBothWays(p);
        ASSERT_TRUE(fuzz_steps::IsSane(p.m_drawing)) << std::string(bytes.begin(), bytes.end());
        // The same bytes again, as the next file of the same interpreter.
        fuzz_steps::PrepareForSlot(p);
        ASSERT_TRUE(fuzz_steps::ParseBytes(p, bytes)) << run;
        ASSERT_TRUE(fuzz_steps::IsSane(p.m_drawing)) << std::string(bytes.begin(), bytes.end());
    }
}

}  // namespace
