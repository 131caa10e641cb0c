#include "jobs/buf_file_manager_dlg.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <filesystem>

#include "jobs/file_view.h"
#include "jobs/work_folder.h"
#include "link/job_flags.h"
#include "modal_dialog.h"
#include "window_fixture.h"

namespace {

using Names = std::vector<std::string>;

QTableWidget& List(CDlgBufFileManger& dialog) { return *dialog.findChild<QTableWidget*>("fileList"); }
void Press(CDlgBufFileManger& dialog, const char* button) { dialog.findChild<QPushButton*>(button)->click(); }
void Check(CDlgBufFileManger& dialog, int row) { List(dialog).item(row, 0)->setCheckState(Qt::Checked); }

class FileManagerTest : public ::testing::Test {
protected:
    FileManagerTest() { dialog.m_strWorkPath = fixture.WorkFolder(); }
    void AddFiles(const Names& names) {
        for (const std::string& name : names) fixture.AddPlotFile(name);
    }
    std::string PathOf(const std::string& name) const { return WorkFolderPath(fixture.WorkFolder()) + name; }
    Names Paths(const Names& names) const {
        Names paths;
        for (const std::string& name : names) paths.push_back(PathOf(name));
        return paths;
    }
    // The listed paths, each with "+" in front when checked.
    Names Rows() {
        Names rows;
        for (int row = 0; row < List(dialog).rowCount(); ++row) {
            const bool checked = List(dialog).item(row, 0)->checkState() == Qt::Checked;
            rows.push_back((checked ? "+" : "") +
                           List(dialog).item(row, 1)->data(Qt::UserRole).toString().toStdString());
        }
        return rows;
    }

    WindowFixture fixture;
    CDlgBufFileManger dialog;
};

TEST_F(FileManagerTest, ListsThePlotFilesInTheScansOrderWithoutItsLowerCasePrt) {
    AddFiles({"b.plt", "a.PLT", "c.prt", "D.PRT", "e.hpgl", "f.pmd", "notes.txt"});
    std::filesystem::create_directory(fixture.WorkFolder() + "/g.pla");
    EXPECT_TRUE(dialog.OnInitDialog());
    EXPECT_EQ(Rows(), Paths({"a.PLT", "b.plt", "g.pla", "e.hpgl", "c.prt", "D.PRT", "f.pmd"}));

    // Without plot files it ends at once; without a work path it waits.
    TempDir other;
    CDlgBufFileManger empty, noPath;
    empty.m_strWorkPath = other.path();
    EXPECT_EQ(empty.exec(), QDialog::Accepted);
    EXPECT_TRUE(noPath.OnInitDialog());
    Press(noPath, "plotButton");
    EXPECT_EQ(noPath.result(), QDialog::Accepted);
    EXPECT_TRUE(noPath.m_arrFiles.empty());
}

TEST_F(FileManagerTest, ChecksDeletionsAndTheResult) {
    AddFiles({"a.plt", "b.plt", "c.plt", "d.plt"});
    dialog.OnInitDialog();
    Press(dialog, "selectAllButton");
    for (const std::string& row : Rows()) EXPECT_EQ(row.front(), '+');
    Press(dialog, "unselectButton");
    Check(dialog, 1);
    Check(dialog, 2);
    Press(dialog, "deleteButton");
    EXPECT_EQ(Rows(), Paths({"a.plt", "d.plt"}));
    EXPECT_FALSE(std::filesystem::exists(PathOf("b.plt")));
    EXPECT_FALSE(std::filesystem::exists(PathOf("c.plt")));

    // A double-click toggles the row under the cursor, none below the rows.
    dialog.show();
    QWidget* area = List(dialog).viewport();
    for (const QPoint at :
         {List(dialog).visualItemRect(List(dialog).item(1, 1)).center(), QPoint(20, area->height() - 5)}) {
        QTest::mouseClick(area, Qt::LeftButton, {}, at);
        QTest::mouseDClick(area, Qt::LeftButton, {}, at);
    }
    EXPECT_EQ(Rows(), (Names{PathOf("a.plt"), "+" + PathOf("d.plt")}));
    Press(dialog, "plotButton");
    EXPECT_EQ(dialog.m_arrFiles, Paths({"a.plt"}));

    Press(dialog, "deleteAllButton");
    EXPECT_TRUE(Rows().empty());
    EXPECT_TRUE(std::filesystem::is_empty(fixture.WorkFolder()));
    Press(dialog, "plotButton");
    EXPECT_TRUE(dialog.m_arrFiles.empty());
}

TEST_F(FileManagerTest, CloseBoxReturnsWhatPlotReturnsEscapeNothing) {
    AddFiles({"a.plt", "b.plt", "c.plt"});
    OnNextModal<CDlgBufFileManger>([](CDlgBufFileManger& shown) {
        Check(shown, 1);
        shown.close();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.m_arrFiles, Paths({"a.plt", "c.plt"}));

    CDlgBufFileManger escaped;
    escaped.m_strWorkPath = fixture.WorkFolder();
    OnNextModal<CDlgBufFileManger>([](CDlgBufFileManger& shown) { QTest::keyClick(&shown, Qt::Key_Escape); });
    EXPECT_EQ(escaped.exec(), QDialog::Rejected);
    EXPECT_TRUE(escaped.m_arrFiles.empty());
}

// The job list's first update with automatic printing on: the files left
// unchecked are held, the first scan queues the others.
TEST(StartUpFileManager, UncheckedFilesAreHeldTheScanQueuesTheRest) {
    for (const bool escape : {false, true}) {
        WindowFixture fixture("[PRINT]\r\nPRINTAUTO=1\r\n");
        for (const char* name : {"a.plt", "b.plt", "c.plt"}) fixture.AddPlotFile(name);
        CFileView view(*fixture.document);
        g_quitWorker = 1;  // no job starts here
        OnNextModal<CDlgBufFileManger>([escape](CDlgBufFileManger& dialog) {
            Check(dialog, 1);
            if (escape) {
                QTest::keyClick(&dialog, Qt::Key_Escape);
            } else {
                Press(dialog, "plotButton");
            }
        });
        view.OnInitialUpdate();
        view.OnDestroy();
        g_quitWorker = 0;

        const JobTexts& texts = view.Texts();
        const std::string folder = WorkFolderPath(fixture.WorkFolder());
        const auto row = [&](const std::string& state, const char* name) {
            return JobRow{state, folder + name, "1", "* * *", ""};
        };
        std::vector<JobRow> expected{row(texts.notPlot, "a.plt"), row(texts.notPlot, "c.plt"),
                                     row(texts.waiting, "b.plt")};
        if (escape) expected = {row(texts.waiting, "a.plt"), row(texts.waiting, "b.plt"), row(texts.waiting, "c.plt")};
        std::vector<JobRow> rows;
        for (int index = 0; index < view.Rows().Count(); ++index) rows.push_back(view.Rows().Row(index));
        EXPECT_EQ(rows, expected) << (escape ? "Escape" : "Plot");
    }
}

}  // namespace
