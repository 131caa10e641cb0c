#include "jobs/start_position_dlg.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <limits>

#include "jobs/file_view.h"
#include "jobs/row_texts.h"
#include "jobs/work_folder.h"
#include "modal_dialog.h"
#include "window_fixture.h"

namespace {

void TypeAndPress(CStartPositionDlg& dialog, const char* text, const char* button) {
    dialog.findChild<QLineEdit*>("startPositionEdit")->setText(text);
    dialog.findChild<QPushButton*>(button)->click();
}

// Manual Plot on the only row, a held file.
class StartPositionTest : public ::testing::Test {
protected:
    StartPositionTest() : view(*fixture.document) {
        view.LoadTexts();
        fixture.AddPlotFile("a.plt");
        view.Rows().AppendRow(NewJobRow(view.Texts().notPlot, WorkFolderPath(fixture.WorkFolder()) + "a.plt"));
        view.SetSelectionMark(0);
    }
    std::string Text(int column) { return view.Rows().Text(0, column); }

    WindowFixture fixture;
    CFileView view;
};

TEST_F(StartPositionTest, PlotQueuesTheRowOnlyAboveTheThreshold) {
    struct Case {
        const char* typed;
        float stored;
        const char* details;  // empty: the row stays held
    };
    for (const Case& c :
         {Case{"12.5", 12.5f, "Begin at 12.50cm"}, Case{"12.5xyz", 12.5f, "Begin at 12.50cm"}, Case{"", 0.0f, ""},
          Case{"-5", -5.0f, ""}, Case{"0.0001", 0.0001f, ""}, Case{"0.00011", 0.00011f, "Begin at 0.00cm"},
          Case{"0x10", 0.0f, ""}, Case{"inf", 0.0f, ""}, Case{"nan", 0.0f, ""},
          Case{"1e40", std::numeric_limits<float>::max(), "Begin at 340282346638528859811704183484516925440.00cm"}}) {
        view.Rows().SetText(0, COL_TASK_STATUS, view.Texts().notPlot);
        view.Rows().SetText(0, COL_MORE_DETAILS, "");
        OnNextModal<CStartPositionDlg>([&](CStartPositionDlg& dialog) { TypeAndPress(dialog, c.typed, "plotButton"); });
        view.OnManualPlot();
        EXPECT_EQ(view.m_fStartPosition, c.stored) << c.typed;
        EXPECT_EQ(Text(COL_MORE_DETAILS), c.details) << c.typed;
        EXPECT_EQ(Text(COL_TASK_STATUS), *c.details ? view.Texts().waiting : view.Texts().notPlot) << c.typed;
    }
}

TEST_F(StartPositionTest, SetShowsTheStartAndCancelKeepsIt) {
    CTOLVEXR5DServerDoc& document = *fixture.document;
    OnNextModal<CStartPositionDlg>([&](CStartPositionDlg& dialog) {
        TypeAndPress(dialog, "0.0001", "setButton");
        EXPECT_EQ(Text(COL_MORE_DETAILS), "");
        EXPECT_EQ(document.PreviewMode, PREVIEW_NOTHING);
        TypeAndPress(dialog, "7", "setButton");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(Text(COL_MORE_DETAILS), "Begin at 7.00cm");
        EXPECT_EQ(document.PreviewMode, PREVIEW_OUTPUT);
        EXPECT_EQ(document.m_plan[SLOT_OUTPUT_PREVIEW].m_fStartPosition, 7.0f);
        TypeAndPress(dialog, "9", "cancelButton");
    });
    view.OnManualPlot();
    EXPECT_EQ(view.m_fStartPosition, 7.0f);
    EXPECT_EQ(Text(COL_MORE_DETAILS), "Begin at 7.00cm");
    EXPECT_EQ(Text(COL_TASK_STATUS), view.Texts().notPlot);
}

}  // namespace
