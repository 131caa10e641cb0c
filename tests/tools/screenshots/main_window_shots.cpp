#include <QApplication>
#include <QMenu>
#include <QProgressBar>
#include <QScrollBar>
#include <memory>

#include "core/document.h"
#include "core/plotter_status.h"
#include "core/status_texts.h"
#include "jobs/file_view.h"
#include "jobs/row_texts.h"
#include "platform/string_table.h"
#include "shots.h"
#include "ui/about_dialog.h"
#include "ui/main_frame.h"
#include "ui/main_status_bar.h"

void TakeMainWindowShots(ShotSession& session) {
    CMainFrame& frame = session.MainFrame();
    CFileView& view = *frame.GetFileView();
    JobRowModel& rows = view.Rows();
    const JobTexts& texts = view.Texts();

    // A job printing: the first row plots its first of two runs, two rows
    // wait, one is held with a start position.
    rows.SetText(0, COL_TASK_STATUS, texts.plotting);
    rows.SetText(0, COL_PLOTTING_COUNTER, "2");
    rows.SetText(0, COL_SIZE, SizeText(1.7995f, 10.0f));
    rows.SetText(1, COL_TASK_STATUS, texts.waiting);
    rows.SetText(2, COL_TASK_STATUS, texts.waiting);
    rows.SetText(3, COL_MORE_DETAILS, StartPositionText(texts.startFormat, 12.5f));
    view.SetSelectionMark(0);

    g_statusTexts.Set(STATUS_TEXT_PERCENT, "40%");
    g_statusTexts.Set(STATUS_TEXT_TASK, g_statusTexts.Plotting());
    g_statusTexts.Set(STATUS_TEXT_POSITION, rows.Text(0, COL_FILE_NAME));
    g_statusTexts.Set(STATUS_TEXT_RUNSTATE, g_statusTexts.Print());
    g_plotterStatus.m_bOnline = 1;
    view.OnTimer(CFileView::ID_TIMER_STATUS);
    g_pStatusBar->ProgressBar()->setValue(40);
    QApplication::processEvents();
    session.Save(frame, "main-window");

    // A window narrower than the columns, scrolled fully left and fully
    // right: the thumb stands at that end, sized by the part in sight.
    frame.resize(800, 600);
    QScrollBar* bar = view.horizontalScrollBar();
    bar->setValue(bar->minimum());
    session.Save(frame, "job-list-scrolled-left");
    bar->setValue(bar->maximum());
    session.Save(frame, "job-list-scrolled-right");
    bar->setValue(bar->minimum());
    frame.resize(1200, 800);

    const std::unique_ptr<QMenu> plottingMenu = view.CreateContextMenu();
    session.Save(*plottingMenu, "context-menu-plotting-row");
    view.SetSelectionMark(3);
    const std::unique_ptr<QMenu> heldMenu = view.CreateContextMenu();
    session.Save(*heldMenu, "context-menu-held-row");

    CAboutDlg about(&frame);
    session.Save(about, "about");
    g_plotterStatus.m_bOnline = 0;
}
