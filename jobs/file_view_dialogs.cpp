// The job list's dialogs: adding files, the start position, the start-up
// file manager, and the two settings dialogs.
#include "core/document.h"
#include "core/plotter_status.h"
#include "jobs/add_files.h"
#include "jobs/buf_file_manager_dlg.h"
#include "jobs/file_view.h"
#include "jobs/plot_file_dialog.h"
#include "jobs/row_texts.h"
#include "jobs/start_position_dlg.h"
#include "ui/config_dlg_easy.h"
#include "ui/main_config_dlg.h"

namespace {

// Counts an open settings dialog for as long as it lives.
class OpenDialogCount {
public:
    explicit OpenDialogCount(int& count) : m_count(count) { ++m_count; }
    ~OpenDialogCount() { --m_count; }
    OpenDialogCount(const OpenDialogCount&) = delete;
    OpenDialogCount& operator=(const OpenDialogCount&) = delete;

private:
    int& m_count;
};

}  // namespace

void CFileView::OnFileOpen() {
    // The list is left alone: the next scan finds the copies. A file that
    // cannot be copied is passed over without a word.
    for (const std::string& source : ChoosePlotFiles(this)) AddFileToWorkFolder(source, m_document.m_config.WORKPATH);
}

void CFileView::OpenStartUpFileManager() {
    CDlgBufFileManger dialog(this);
    dialog.m_strWorkPath = m_document.m_config.WORKPATH;
    if (dialog.exec() != QDialog::Accepted) return;
    for (const std::string& path : dialog.m_arrFiles) m_rows.AppendRow(NewJobRow(m_texts.notPlot, path));
}

void CFileView::OnManualPlot() {
    m_fStartPosition = 0;
    const int row = m_nSelectionMark;
    if (row < 0) {
        ShowFrameworkMessage(m_texts.noSelection);
        return;
    }
    const std::string state = m_rows.Text(row, COL_TASK_STATUS);
    if (state == m_texts.plotting || state == m_texts.waiting) {
        ShowFrameworkMessage(m_texts.rowIsBusy);
        return;
    }
    const std::string path = m_rows.Text(row, COL_FILE_NAME);
    CStartPositionDlg dialog(this);
    dialog.m_pView = this;
    if (dialog.exec() != QDialog::Accepted) return;
    if (state != m_texts.notPlot || !(m_fStartPosition > kLeastStartPosition)) return;
    // The timers ran while the dialog was open: the row is found again by
    // its path, in case a job's end removed a row above it.
    const int held = m_rows.Find(COL_FILE_NAME, path);
    m_rows.SetText(held, COL_MORE_DETAILS, StartPositionText(m_texts.startFormat, m_fStartPosition));
    m_rows.SetText(held, COL_TASK_STATUS, m_texts.waiting);
}

void CFileView::SetStartPositionAndPreview() {
    const int row = m_nSelectionMark;
    if (row < 0) return;
    if (m_rows.Text(row, COL_TASK_STATUS) == m_texts.notPlot) {
        m_rows.SetText(row, COL_MORE_DETAILS, StartPositionText(m_texts.startFormat, m_fStartPosition));
    }
    OnPlotPreview();
}

void CFileView::OnFactorySettings() {
    CMainConfigDlg dialog(m_document, this);
    dialog.m_bReadOnly = g_plotterStatus.m_bBusy.load() != 0;
    const OpenDialogCount open(m_nSettingsDialogsOpen);
    dialog.exec();
}

void CFileView::OnUserSettings() {
    CConfigDlgEasy dialog(m_document, this);
    dialog.m_bPlotting = g_plotterStatus.m_bBusy.load();
    const OpenDialogCount open(m_nSettingsDialogsOpen);
    dialog.exec();
}
