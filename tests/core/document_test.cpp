#include <gtest/gtest.h>

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
