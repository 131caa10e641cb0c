// The job list's commands on its rows.
#include <unistd.h>

#include <QLineEdit>
#include <mutex>

#include "core/document.h"
#include "jobs/file_view.h"
#include "jobs/row_texts.h"
#include "link/job_abort.h"
#include "platform/c_numbers.h"
#include "platform/string_table.h"
#include "ui/main_toolbar.h"
#include "ui/map_view.h"
#include "ui/wait_cursor.h"

namespace {

constexpr unsigned kChooseAFile = 146;
constexpr int kMinimumRuns = 1;
constexpr int kMaximumRuns = 10;
constexpr size_t kCounterDigits = 9;

}  // namespace

void CFileView::OnPlot() {
    const int row = m_nSelectionMark;
    if (row < 0) {
        ShowFrameworkMessage(platform::LoadString(kChooseAFile));
        return;
    }
    if (m_rows.Text(row, COL_TASK_STATUS) == m_texts.notPlot) m_rows.SetText(row, COL_TASK_STATUS, m_texts.waiting);
}

void CFileView::OnAbort() {
    const int row = m_nSelectionMark;
    if (row < 0) return;
    const std::string state = m_rows.Text(row, COL_TASK_STATUS);
    if (state == m_texts.waiting) {
        m_rows.SetText(row, COL_TASK_STATUS, m_texts.notPlot);
        m_rows.SetText(row, COL_MORE_DETAILS, "");
    } else {
        AbortCurrentJob();
    }
}

void CFileView::AbortCurrentJob() {
    if (m_rows.Find(COL_TASK_STATUS, m_texts.plotting) >= 0) AbortJob();
}

void CFileView::OnDeleteFile() {
    const int row = m_nSelectionMark;
    if (row < 0) return;
    if (IsPlotting(row)) {
        ShowNotice(m_texts.plotterWorking);
        return;
    }
    unlink(m_rows.Text(row, COL_FILE_NAME).c_str());
    m_rows.DeleteRow(row);
}

void CFileView::SetSizeText(int row, int slot) {
    const SwathPlan& plan = m_document.m_plan[slot];
    m_rows.SetText(row, COL_SIZE, SizeText(plan.m_fWidthM, plan.m_fHeightM));
}

void CFileView::OnPreview() {
    const int row = m_nSelectionMark;
    if (row < 0) return;
    {
        const WaitCursor wait;
        const std::string path = m_rows.Text(row, COL_FILE_NAME);
        m_document.m_bCutAtStart = 0;
        m_document.PreviewMode = PREVIEW_FILE;
        m_document.m_strSlotPath[SLOT_PREVIEW] = path;
        if (g_pMapView != nullptr) g_pMapView->SetZoom(100);
        m_document.PreparePlotSlot(SLOT_PREVIEW);
        // A message box during the preparation let the job's end remove
        // rows: the row is found again by its path.
        SetSizeText(m_rows.Find(COL_FILE_NAME, path), SLOT_PREVIEW);
    }
    if (g_pMapView != nullptr) g_pMapView->Invalidate();
}

void CFileView::OnPlotPreview() {
    const int row = m_nSelectionMark;
    if (row < 0) return;
    {
        const WaitCursor wait;
        SwathPlan& plan = m_document.m_plan[SLOT_OUTPUT_PREVIEW];
        const std::string details = m_rows.Text(row, COL_MORE_DETAILS);
        // A text that does not read back as a start position starts at 0.
        plan.m_fStartPosition = details.empty() ? 0.0f : ParseStartPositionText(details).value_or(0.0f);
        plan.m_nStartOffset = StartOffsetUnits(plan.m_fStartPosition, m_document.m_config.MmPerUnit);
        const std::string path = m_rows.Text(row, COL_FILE_NAME);
        m_document.m_bCutAtStart = 0;
        m_document.PreviewMode = PREVIEW_OUTPUT;
        m_document.m_strSlotPath[SLOT_OUTPUT_PREVIEW] = path;
        if (g_pMapView != nullptr) g_pMapView->SetZoom(100);
        m_document.PreparePlotSlot(SLOT_OUTPUT_PREVIEW);
        // As in the preview; a row that has gone is no job.
        const int shown = m_rows.Find(COL_FILE_NAME, path);
        m_document.m_bPreviewShowsJob = IsPlotting(shown) ? 1 : 0;
        SetSizeText(shown, SLOT_OUTPUT_PREVIEW);
    }
    if (g_pMapView != nullptr) g_pMapView->Invalidate();
}

void CFileView::MoveSelectedRow(int target) {
    const int row = m_nSelectionMark;
    if (row < 0) return;
    if (IsPlotting(row)) {
        ShowFrameworkMessage(m_texts.doNotMove);
        return;
    }
    const JobRow texts = m_rows.Row(row);
    m_rows.DeleteRow(row);
    SetSelectionMark(m_rows.InsertRow(target, texts));
    setFocus();
}

void CFileView::OnMoveUp() {
    if (m_nSelectionMark > 0) MoveSelectedRow(m_nSelectionMark - 1);
}

void CFileView::OnMoveDown() {
    if (m_nSelectionMark >= 0) MoveSelectedRow(m_nSelectionMark + 1);
}

void CFileView::OnMoveToFirst() { MoveSelectedRow(0); }

void CFileView::ChangeCounter(int step) {
    const int row = m_nSelectionMark;
    if (row < 0 || IsPlotting(row)) return;
    const int runs = platform::Atoi(m_rows.Text(row, COL_PLOTTING_COUNTER).substr(0, kCounterDigits));
    if ((step > 0 && runs < kMaximumRuns) || (step < 0 && runs > kMinimumRuns)) {
        m_rows.SetText(row, COL_PLOTTING_COUNTER, std::to_string(runs + step));
    }
}

void CFileView::OnAddOne() { ChangeCounter(+1); }

void CFileView::OnSubtractOne() { ChangeCounter(-1); }

void CFileView::OnKillFocusOrigin() {
    if (g_wndMainToolBar != nullptr && g_wndMainToolBar->m_wndOriginEdit != nullptr) {
        g_wndMainToolBar->TakeOverOrigin(m_document);
    }
}
