#include <chrono>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "engine/file_word_sum.h"
#include "engine/plt_interpreter.h"
#include "platform/exclusive_read.h"
#include "platform/unique_fd.h"
#include "tests/support/other_user.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace std::chrono_literals;

// An interpreter set up as plot-slot preparation sets it, unscaled.
void PrepareUnscaled(CPltInterpreter& p, uint8_t flipY = 1) {
    p.m_fScaleX = 1.0f;
    p.m_fScaleY = 1.0f;
    p.m_nTextHeight = 100;
    p.m_bFlipY = flipY;
}

TEST(FileWordSum, AddsLittleEndianWordsWithTheLastPadded) {
    EXPECT_EQ(FileWordSum({}), 0u);
    const std::vector<uint8_t> five = {0x01, 0x02, 0x03, 0x04, 0x05};
    EXPECT_EQ(FileWordSum(five), 0x04030206u);
    const std::vector<uint8_t> wrapping = {0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00};
    EXPECT_EQ(FileWordSum(wrapping), 1u);
}

TEST(PltInterpreterLoad, ScalesShiftsAndFlipsTheDrawing) {
    TempDir dir;
    dir.Write("a.plt", "IN;PU10,20;PD30,60,50,40;");
    CPltInterpreter p;
    PrepareUnscaled(p);
    p.m_fScaleX = 2.0f;
    p.m_fScaleY = 0.5f;
    ASSERT_TRUE(p.Load(dir.File("a.plt").c_str(), 1));
    const Drawing& d = p.m_drawing;
    EXPECT_EQ(d.m_lines, (LineArray{{0, 20, 40, 0}, {40, 0, 80, 10}}));
    EXPECT_EQ(d.m_nLines, 2u);
    EXPECT_EQ(d.m_fMinX, 0.0f);
    EXPECT_EQ(d.m_fMinY, 0.0f);
    EXPECT_EQ(d.m_fMaxX, 80.0f);
    EXPECT_EQ(d.m_fMaxY, 20.0f);
    EXPECT_EQ(p.m_strPath, dir.File("a.plt"));
    EXPECT_EQ(p.m_file, -1);

    // SC at the end of the file applies to every line.
    dir.Write("b.plt", "PU0,0;PD-10,4;SC;");
    p.m_bFlipY = 0;
    ASSERT_TRUE(p.Load(dir.File("b.plt").c_str(), 1));
    EXPECT_EQ(p.m_drawing.m_lines, (LineArray{{10, 0, 0, 4}}));
    EXPECT_EQ(p.m_drawing.m_fMaxX, 10.0f);
    EXPECT_EQ(p.m_drawing.m_fMaxY, 4.0f);
}

TEST(PltInterpreterLoad, EmptyFileAndWordSumOfSlotZero) {
    TempDir dir;
    dir.Write("empty.plt", "");
    dir.Write("five.plt", "\x01\x02\x03\x04\x05");
    CPltInterpreter p;
    PrepareUnscaled(p);
    p.m_drawing.m_fMaxX = 5;
    p.m_nFileWordSum = 77;
    ASSERT_TRUE(p.Load(dir.File("empty.plt").c_str(), 0));
    EXPECT_EQ(p.m_nFileWordSum, 0u);
    EXPECT_TRUE(p.m_drawing.m_lines.empty());
    EXPECT_EQ(p.m_drawing.m_nLines, 0u);
    EXPECT_EQ(p.m_drawing.m_fMaxX, 0.0f);
    EXPECT_EQ(p.m_drawing.m_fMaxY, 0.0f);

    ASSERT_TRUE(p.Load(dir.File("five.plt").c_str(), 0));
    EXPECT_EQ(p.m_nFileWordSum, 0x04030206u);
    p.m_nFileWordSum = 9;
    ASSERT_TRUE(p.Load(dir.File("five.plt").c_str(), 2));
    EXPECT_EQ(p.m_nFileWordSum, 9u);
}

TEST(PltInterpreterLoad, FilesLongerThanAReadPieceAreReadWhole) {
    // The file is read 16 MiB at a time: a command and a word across that
    // boundary, and an odd length, read as in one piece.
    std::string text = "PU0,0;" + std::string((16u << 20) - 10, ' ') + "PD12345,678;\x05";
    const std::vector<uint8_t> bytes(text.begin(), text.end());
    TempDir dir;
    dir.Write("long.plt", text);
    CPltInterpreter p;
    PrepareUnscaled(p, 0);
    ASSERT_TRUE(p.Load(dir.File("long.plt").c_str(), 0));
    EXPECT_EQ(p.m_drawing.m_lines, (LineArray{{0, 0, 12345, 678}}));
    EXPECT_EQ(p.m_nFileWordSum, FileWordSum(bytes));
}

TEST(PltInterpreterLoad, StateCarriesOverToTheNextFile) {
    TempDir dir;
    dir.Write("first.plt", "LT2,10;DI0,1;PU50,60;PD10,");
    dir.Write("second.plt", "2");
    dir.Write("third.plt", "0;PD100,0;");
    CPltInterpreter p;
    PrepareUnscaled(p, 0);
    ASSERT_TRUE(p.Load(dir.File("first.plt").c_str(), 1));
    EXPECT_TRUE(p.m_drawing.m_lines.empty());
    ASSERT_TRUE(p.Load(dir.File("second.plt").c_str(), 1));
    // The dash pattern and the label angle start afresh with each file; the
    // pen, the command and its half-read parameter go on.
    ASSERT_TRUE(p.Load(dir.File("third.plt").c_str(), 1));
    EXPECT_EQ(p.m_fLabelAngle, 0.0f);
    EXPECT_EQ(p.m_drawing.m_lines, (LineArray{{40, 60, 0, 20}, {0, 20, 90, 0}}));
}

TEST(PltInterpreterLoad, FailuresLeaveThePreviousResult) {
    TempDir dir;
    dir.Write("good.plt", "PD10,10;");
    CPltInterpreter p;
    PrepareUnscaled(p);
    ASSERT_TRUE(p.Load(dir.File("good.plt").c_str(), 1));

    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(p.Load(nullptr, 1));
    EXPECT_FALSE(p.Load("a.p", 1));
    EXPECT_LT(std::chrono::steady_clock::now() - start, 400ms);

    p.m_openRetry = {3, 10ms};
    EXPECT_FALSE(p.Load(dir.File("missing.plt").c_str(), 1));
    EXPECT_EQ(p.m_strPath, dir.File("good.plt"));
    EXPECT_EQ(p.m_drawing.m_lines.size(), 1u);

    // A folder opens but cannot be read: the descriptor stays open until the
    // next Load.
    EXPECT_FALSE(p.Load(dir.path().c_str(), 1));
    EXPECT_GE(p.m_file, 0);
    const int folder = p.m_file;
    ASSERT_TRUE(p.Load(dir.File("good.plt").c_str(), 1));
    EXPECT_EQ(p.m_file, -1);
    EXPECT_EQ(fcntl(folder, F_GETFD), -1);

    // A length beyond 32 bits is refused rather than read in part.
    {
        std::ofstream(dir.File("huge.plt")) << "PD1,1;";
    }
    ASSERT_EQ(truncate(dir.File("huge.plt").c_str(), (int64_t{1} << 32) + 6), 0);
    EXPECT_FALSE(p.Load(dir.File("huge.plt").c_str(), 0));
}

TEST(PltInterpreterLoad, WaitsWhileTheFileIsOpenForWriting) {
    TempDir dir;
    dir.Write("busy.plt", "PD10,10;");
    const std::string path = dir.File("busy.plt");
    CPltInterpreter p;
    PrepareUnscaled(p);
    {
        std::ofstream writer(path, std::ios::app);
        p.m_openRetry = {3, 10ms};
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(p.Load(path.c_str(), 1));
        EXPECT_GE(std::chrono::steady_clock::now() - start, 20ms);
        EXPECT_EQ(p.m_file, -1);
    }

    const int writer = open(path.c_str(), O_WRONLY);
    ASSERT_GE(writer, 0);
    std::thread closer([writer] {
        std::this_thread::sleep_for(50ms);
        close(writer);
    });
    p.m_openRetry = {20, 10ms};
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(p.Load(path.c_str(), 1));
    EXPECT_GE(std::chrono::steady_clock::now() - start, 40ms);
    closer.join();
    EXPECT_EQ(p.m_drawing.m_lines.size(), 1u);

    // A writer opening the file during the brief lease must not end us.
    struct sigaction action = {};
    sigaction(SIGIO, nullptr, &action);
    EXPECT_EQ(action.sa_handler, SIG_IGN);
}

// Another user's file cannot be leased: it is taken as still being written
// while it was modified within the last two seconds, or stamped just ahead.
TEST(PltInterpreterLoad, FileOfAnotherUserIsJudgedByItsModificationTime) {
    if (geteuid() != 0) GTEST_SKIP() << "acting as another user needs root";
    TempDir dir;
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
    dir.Write("job.plt", "PD10,10;");
    const std::string path = dir.File("job.plt");
    const auto openAsNobody = [&] {
        return RunAsNobody([&] {
            const platform::UniqueFd file(platform::OpenForReadingWithoutWriters(path));
            return file ? 0 : errno;
        });
    };
    const auto stampAhead = [&](time_t seconds) {
        const struct timespec times[2] = {{0, UTIME_OMIT}, {time(nullptr) + seconds, 0}};
        return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
    };
    platform::UniqueFd writer(open(path.c_str(), O_WRONLY | O_APPEND));
    EXPECT_EQ(openAsNobody(), EAGAIN);
    ASSERT_TRUE(writer.Close());
    ASSERT_TRUE(stampAhead(1));
    EXPECT_EQ(openAsNobody(), EAGAIN);
    ASSERT_TRUE(AgeFile(path));
    EXPECT_EQ(openAsNobody(), 0);
    ASSERT_TRUE(stampAhead(3600));
    EXPECT_EQ(openAsNobody(), 0);

    // Its own user still has the lease: a writer is seen whatever the time
    // stamp, and a file just written but left alone opens at once.
    ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
    writer.Reset(open(path.c_str(), O_WRONLY | O_APPEND));
    ASSERT_TRUE(AgeFile(path));
    EXPECT_EQ(openAsNobody(), EAGAIN);
    ASSERT_TRUE(writer.Close());
    ASSERT_TRUE(stampAhead(0));
    EXPECT_EQ(openAsNobody(), 0);
}

TEST(PltInterpreterLoad, FileWrittenSlowlyByAnotherUserLoadsWhole) {
    if (geteuid() != 0) GTEST_SKIP() << "acting as another user needs root";
    TempDir dir;
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
    const std::string path = dir.File("job.plt");
    const std::vector<std::string> pieces = {"PU0,0;PD100,0;", "PD100,100;", "PD0,100;", "PD0,0;"};
    platform::UniqueFd writer(open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644));
    ASSERT_TRUE(writer);
    const auto writePiece = [&](const std::string& piece) {
        return write(writer.Get(), piece.data(), piece.size()) == static_cast<ssize_t>(piece.size());
    };
    ASSERT_TRUE(writePiece(pieces[0]));
    const int lines = RunAsNobody(
        [&] {
            CPltInterpreter p;
            PrepareUnscaled(p);
            p.m_openRetry = {10, 500ms};
            return p.Load(path.c_str(), 0) ? static_cast<int>(p.m_drawing.m_lines.size()) : 100;
        },
        [&] {
            for (size_t i = 1; i < pieces.size(); ++i) {
                std::this_thread::sleep_for(200ms);
                writePiece(pieces[i]);
            }
            writer.Close();
        });
    EXPECT_EQ(lines, 4);
}

TEST(PltInterpreterTransform, MirrorX) {
    CPltInterpreter p;
    p.m_drawing.m_lines = {{0, 0, 10, 5}, {10, 5, 30, 20}};
    p.m_drawing.m_nLines = 2;
    p.m_drawing.m_fMaxX = 40;
    p.MirrorX();
    EXPECT_EQ(p.m_drawing.m_lines, (LineArray{{0, 0, 10, 5}, {10, 5, 30, 20}}));

    p.m_bMirror = 1;
    p.MirrorX();
    EXPECT_EQ(p.m_drawing.m_lines, (LineArray{{40, 0, 30, 5}, {30, 5, 10, 20}}));
    EXPECT_EQ(p.m_drawing.m_fMaxX, 40.0f);

    // Only the first m_nLines lines are walked, and never beyond the array.
    p.m_drawing.m_nLines = 1;
    p.m_drawing.m_fMaxX = 30;
    p.MirrorX();
    EXPECT_EQ(p.m_drawing.m_lines, (LineArray{{-10, 0, 0, 5}, {30, 5, 10, 20}}));
    EXPECT_EQ(p.m_drawing.m_fMaxX, 0.0f);
    p.m_drawing.m_nLines = 99;
    p.MirrorX();
    EXPECT_EQ(p.m_drawing.m_lines, (LineArray{{10, 0, 0, 5}, {-30, 5, -10, 20}}));

    CPltInterpreter empty;
    empty.m_bMirror = 1;
    empty.m_drawing.m_fMaxX = 12;
    empty.MirrorX();
    EXPECT_EQ(empty.m_drawing.m_fMaxX, 0.0f);
}

TEST(PltInterpreterTransform, Rotate90) {
    const auto make = [](CPltInterpreter& p, uint8_t rotate, uint8_t mirror) {
        p.m_drawing.m_lines = {{0, 0, 10, 5}};
        p.m_drawing.m_nLines = 1;
        p.m_drawing.m_fMinX = -1;
        p.m_bRotate90 = rotate;
        p.m_bMirror = mirror;
        p.Rotate90();
    };
    CPltInterpreter still;
    make(still, 0, 0);
    EXPECT_EQ(still.m_drawing.m_lines, (LineArray{{0, 0, 10, 5}}));
    EXPECT_EQ(still.m_drawing.m_fMaxX, 10.0f);
    EXPECT_EQ(still.m_drawing.m_fMaxY, 5.0f);
    EXPECT_EQ(still.m_drawing.m_fMinX, -1.0f);
    still.m_drawing.m_fMaxX = 30;
    still.Rotate90();
    EXPECT_EQ(still.m_drawing.m_fMaxX, 30.0f);

    CPltInterpreter turned;
    make(turned, 1, 0);
    EXPECT_EQ(turned.m_drawing.m_lines, (LineArray{{5, 0, 0, 10}}));
    EXPECT_EQ(turned.m_drawing.m_fMaxX, 5.0f);
    EXPECT_EQ(turned.m_drawing.m_fMaxY, 10.0f);

    CPltInterpreter mirrored;
    make(mirrored, 1, 1);
    EXPECT_EQ(mirrored.m_drawing.m_lines, (LineArray{{0, 10, 5, 0}}));
    EXPECT_EQ(mirrored.m_drawing.m_fMaxX, 5.0f);
    EXPECT_EQ(mirrored.m_drawing.m_fMaxY, 10.0f);
}

}  // namespace
