#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/document.h"
#include "platform/program_folder.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(Document, ReadsAndWritesConfigIniInItsFolder) {
    TempDir dir;
    dir.Write("config.ini", "[CTRPARAM]\nDPINumPerM=7000\n");
    CTOLVEXR5DServerDoc doc(dir.path());
    EXPECT_EQ(doc.m_strIniPath, dir.path() + "/config.ini");
    EXPECT_EQ(doc.m_config.DPINumPerM, 7000);

    doc.m_config.DPINumPerM = 8000;
    EXPECT_TRUE(doc.SaveConfig());
    CTOLVEXR5DServerDoc reread(dir.path());
    EXPECT_EQ(reread.m_config.DPINumPerM, 8000);
}

// While it lives, the calling thread opens files as an unprivileged user:
// tests run as root, whom permission bits alone do not keep from a file.
class UnprivilegedFileAccess {
public:
    UnprivilegedFileAccess() : root_(geteuid() == 0) {
        if (root_) setfsuid(65534);
    }
    ~UnprivilegedFileAccess() {
        if (root_) setfsuid(0);
    }
    UnprivilegedFileAccess(const UnprivilegedFileAccess&) = delete;
    UnprivilegedFileAccess& operator=(const UnprivilegedFileAccess&) = delete;

private:
    bool root_;
};

// Keys the program reads but never writes (StepSPD, MODEL) would be lost if
// a save from the defaults replaced a file that could not be read.
TEST(Document, AConfigIniThatCannotBeReadIsKeptAndTheSaveFails) {
    TempDir dir;
    const std::string kept = "[CTRPARAM]\nStepSPD=77\n[PRINT]\nMODEL=X9\n";
    dir.Write("config.ini", kept);
    const std::string file = dir.File("config.ini");
    ASSERT_EQ(chmod(dir.path().c_str(), 0777), 0);
    ASSERT_EQ(chmod(file.c_str(), 0), 0);
    {
        const UnprivilegedFileAccess unprivileged;
        const int probe = open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (probe >= 0) close(probe);
        ASSERT_LT(probe, 0) << "the file stays readable here";
        CTOLVEXR5DServerDoc doc(dir.path());
        EXPECT_EQ(doc.m_config.StepSPD, 0);
        EXPECT_FALSE(doc.SaveConfig());
    }
    ASSERT_EQ(chmod(file.c_str(), 0644), 0);
    EXPECT_EQ(dir.Read("config.ini"), kept);
}

TEST(Document, StartsWithNothingToPreview) {
    TempDir dir;
    CTOLVEXR5DServerDoc doc(dir.path());
    EXPECT_EQ(doc.PreviewMode, PREVIEW_NOTHING);
    EXPECT_EQ(doc.m_bCutAtStart, 0);
    EXPECT_EQ(doc.m_bPreviewShowsJob.load(), 0);
    for (int slot = 0; slot < 3; ++slot) {
        EXPECT_EQ(doc.m_bSlotPrepared[slot], 0);
        EXPECT_TRUE(doc.m_strSlotPath[slot].empty());
    }
}

TEST(Document, ProgramDocumentUsesTheExecutablesFolder) {
    CTOLVEXR5DServerDoc doc;
    EXPECT_FALSE(doc.m_strAppDir.empty());
    EXPECT_EQ(doc.m_strIniPath, platform::ProgramFolder() + "/config.ini");

    CTOLVEXR5DServerDoc rootless("");
    EXPECT_EQ(rootless.m_strIniPath, "/config.ini");
    EXPECT_EQ(platform::FolderOf("/opt/plotter/server"), "/opt/plotter");
    EXPECT_EQ(platform::FolderOf("server"), "");
}

}  // namespace
