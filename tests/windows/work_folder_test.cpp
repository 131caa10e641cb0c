#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/file_word_sum.h"
#include "jobs/job_file_check.h"
#include "jobs/row_texts.h"
#include "jobs/work_folder.h"
#include "platform/string_table.h"
#include "tests/support/temp_dir.h"

namespace {

using Names = std::vector<std::string>;

TEST(WorkFolderPath, AppendsOneSlashWhenMissing) {
    EXPECT_EQ(WorkFolderPath("/data/jobs"), "/data/jobs/");
    EXPECT_EQ(WorkFolderPath("/data/jobs/"), "/data/jobs/");
    EXPECT_EQ(WorkFolderPath(""), "/");
}

TEST(FindPlotFiles, PatternByPatternIgnoringCaseThenByName) {
    TempDir folder;
    for (const char* name : {"b.plt", "A.PLT", "a.plt", "c.hpgl", "d.Hpg", "e.prt", "notes.txt", "x.plt.bak",
                             "\xC3\xE6\xC1\xCF.pmd"}) {
        folder.Write(name, "x");
    }
    std::filesystem::create_directory(folder.File("dir.pla"));
    std::filesystem::create_directory(folder.File("sub"));
    folder.Write("sub/inner.plt", "x");

    // "A.PLT" and "a.plt" differ only in case: ordered by their bytes.
    // "e.prt" is found by "*.prt" and again by "*.PRT".
    EXPECT_EQ(FindPlotFiles(folder.path(), kScanPatterns),
              (Names{"A.PLT", "a.plt", "b.plt", "d.Hpg", "dir.pla", "c.hpgl", "e.prt", "e.prt",
                     "\xC3\xE6\xC1\xCF.pmd"}));
}

TEST(FindPlotFiles, MissingFolderFindsNothing) {
    EXPECT_TRUE(FindPlotFiles("/nonexistent-folder/", kScanPatterns).empty());
}

// The file is read in chunks; the sum must be that of the whole file, its
// last word padded, for sizes around the chunk boundary.
TEST(JobFileCheck, ChunkedSumEqualsTheWholeFilesSum) {
    TempDir folder;
    for (const size_t size : {size_t{0}, size_t{5}, size_t{65536}, size_t{65539}, size_t{200003}}) {
        std::string contents(size, '\0');
        for (size_t i = 0; i < size; ++i) contents[i] = static_cast<char>(i * 7 + 3);
        folder.Write("job.plt", contents);
        const uint32_t sum = FileWordSum({reinterpret_cast<const uint8_t*>(contents.data()), contents.size()});
        EXPECT_EQ(CheckJobFile(folder.File("job.plt"), sum), JobFileState::Unchanged) << size;
        EXPECT_EQ(CheckJobFile(folder.File("job.plt"), sum + 1), JobFileState::Changed) << size;
    }
    EXPECT_EQ(CheckJobFile(folder.File("gone.plt"), 0), JobFileState::CannotOpen);
}

TEST(StartPositionTexts, WrittenTextReadsBackAndGivesTruncatedOffsets) {
    const float mmPerUnit = 0.025f;
    struct Case {
        float centimetres;
        const char* text;
        uint32_t units;
    };
    for (const Case& c : {Case{12.5f, "Begin at 12.50cm", 4999}, Case{1.0f, "Begin at 1.00cm", 399},
                          Case{7.0f, "Begin at 7.00cm", 2799}}) {
        const std::string text = StartPositionText(platform::LoadString(150), c.centimetres);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(ParseStartPositionText(text), c.centimetres);
        EXPECT_EQ(StartOffsetUnits(c.centimetres, mmPerUnit), c.units) << c.text;
    }
    EXPECT_EQ(ParseStartPositionText("Begin at  3.5cm"), 3.5f);
    EXPECT_EQ(ParseStartPositionText("Start at 3cm"), std::nullopt);
    EXPECT_EQ(ParseStartPositionText("Begin at cm"), std::nullopt);
    EXPECT_EQ(StartOffsetUnits(-5.0f, mmPerUnit), 0u);
    EXPECT_EQ(StartOffsetUnits(1e30f, mmPerUnit), UINT32_MAX);
    EXPECT_EQ(SizeText(1.5f, 10.0f), "Width=1.5000(M), Length=10.0000(M)");
}

}  // namespace
