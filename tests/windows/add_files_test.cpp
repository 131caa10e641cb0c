#include "jobs/add_files.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QFileDialog>
#include <QLineEdit>
#include <filesystem>

#include "jobs/file_view.h"
#include "jobs/plot_file_dialog.h"
#include "modal_dialog.h"
#include "window_fixture.h"

namespace {

using Names = std::vector<std::string>;

Names FolderNames(const std::string& folder) {
    Names names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::ranges::sort(names);
    return names;
}

TEST(AddFiles, EachCopyTakesTheFirstFreeNameAndNeverOverwrites) {
    TempDir work, outside;
    std::filesystem::create_directory(outside.File("sub"));
    std::filesystem::create_directory(work.File("x.plt"));
    for (const char* name : {"a.plt", "a.b.plt", "noext", "x.plt", "sub/a.plt"}) outside.Write(name, name);
    const auto add = [&](const std::string& source) { return AddFileToWorkFolder(source, work.path()).value_or("-"); };

    EXPECT_EQ(add(outside.File("a.plt")), work.File("a.plt"));
    EXPECT_EQ(add(outside.File("a.plt")), work.File("a_1.plt"));
    EXPECT_EQ(add(outside.File("sub/a.plt")), work.File("a_2.plt"));
    EXPECT_EQ(add(outside.File("a.b.plt")), work.File("a.b.plt"));
    EXPECT_EQ(add(outside.File("a.b.plt")), work.File("a.b_1.plt"));
    EXPECT_EQ(add(outside.File("noext")), work.File("noext"));
    EXPECT_EQ(add(outside.File("noext")), work.File("noext_1"));
    EXPECT_EQ(add(work.File("a_1.plt")), work.File("a_1_1.plt"));  // from the work folder itself
    EXPECT_EQ(add(outside.File("x.plt")), work.File("x_1.plt"));   // a folder holds the name
    EXPECT_EQ(work.Read("a_2.plt"), "sub/a.plt");
    EXPECT_EQ(work.Read("a_1_1.plt"), "a.plt");

    // The name was free when chosen, then another program took it.
    const std::string chosen = FreeWorkFolderPath(work.path() + "/", "c.plt");
    work.Write("c.plt", "theirs");
    EXPECT_FALSE(CopyFileExclusively(outside.File("a.plt"), chosen));
    EXPECT_EQ(work.Read("c.plt"), "theirs");
}

TEST(AddFiles, FailedCopiesLeaveNothing) {
    TempDir work, outside;
    ASSERT_EQ(mkfifo(outside.File("pipe.plt").c_str(), 0600), 0);
    std::filesystem::create_directory(outside.File("dir.plt"));
    for (const char* name : {"pipe.plt", "dir.plt", "missing.plt"}) {
        EXPECT_FALSE(AddFileToWorkFolder(outside.File(name), work.path())) << name;
    }
    // The disk fills up half-way through the copy.
    outside.Write("big.plt", std::string(200000, 'x'));
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 100000;
    const auto previousHandler = signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const auto copy = AddFileToWorkFolder(outside.File("big.plt"), work.path());
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(copy);
    EXPECT_EQ(FolderNames(work.path()), Names{});
}

TEST(AddFiles, TheCommandCopiesTheChosenFilesOnly) {
    EXPECT_EQ(QtNameFilters("Plot files(*.plt; *.PRT)|*.plt; *.PRT|B|*.b||"),
              (QStringList{"Plot files(*.plt; *.PRT) (*.plt *.PRT)", "B (*.b)"}));
    WindowFixture fixture;
    CFileView view(*fixture.document);
    TempDir outside;
    outside.Write("a.plt", "a");
    outside.Write("b.hpgl", "b");
    fixture.AddPlotFile("a.plt");

    OnNextModal<QFileDialog>([](QFileDialog& dialog) { dialog.reject(); });
    view.OnFileOpen();
    EXPECT_EQ(FolderNames(fixture.WorkFolder()), Names{"a.plt"});

    OnNextModal<QFileDialog>([&](QFileDialog& dialog) {
        dialog.setDirectory(QString::fromStdString(outside.path()));
        dialog.findChild<QLineEdit*>("fileNameEdit")->setText("\"a.plt\" \"b.hpgl\"");
        static_cast<QDialog&>(dialog).accept();
    });
    view.OnFileOpen();
    EXPECT_EQ(FolderNames(fixture.WorkFolder()), (Names{"a.plt", "a_1.plt", "b.hpgl"}));
    EXPECT_EQ(view.Rows().Count(), 0);
}

}  // namespace
