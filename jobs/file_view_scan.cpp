// The work-folder scan and the job start.
#include <unordered_set>

#include "core/document.h"
#include "core/plotter_status.h"
#include "core/status_texts.h"
#include "jobs/file_view.h"
#include "jobs/row_texts.h"
#include "jobs/work_folder.h"
#include "link/job_abort.h"
#include "link/job_hand_over.h"
#include "platform/string_table.h"
#include "ui/map_view.h"

namespace {

constexpr unsigned kIncorrectPosition = 143;

}  // namespace

void CFileView::ScanWorkFolder(bool bScanOnly) {
    const std::string folderPath = WorkFolderPath(m_document.m_config.WORKPATH);
    const std::string& newState = m_document.m_config.PRINTAUTO != 0 ? m_texts.waiting : m_texts.notPlot;

    // A set of the rows' paths gives the same answer as comparing each found
    // path with every row, without the cost of that for large folders.
    std::unordered_set<std::string> known;
    known.reserve(static_cast<size_t>(m_rows.Count()));
    for (int row = 0; row < m_rows.Count(); ++row) known.insert(m_rows.Text(row, COL_FILE_NAME));
    for (const std::string& name : FindPlotFiles(folderPath, kScanPatterns)) {
        const std::string path = folderPath + name;
        if (known.insert(path).second) m_rows.AppendRow(NewJobRow(newState, path));
    }

    // A settings dialog opened while idle stays editable: no job may start
    // under it.
    if (bScanOnly || m_nSettingsDialogsOpen > 0 || g_plotterStatus.m_bBusy.load() != 0) return;
    for (int row = 0; row < m_rows.Count(); ++row) {
        const std::string state = m_rows.Text(row, COL_TASK_STATUS);
        if (state == m_texts.plotting) {
            g_plotterStatus.m_bBusy = 1;
            SetOriginEditEnabled(false);
            return;
        }
        if (state != m_texts.notPlot) {
            StartJob(row);
            return;
        }
    }
}

void CFileView::StartJob(int row) {
    g_plotterStatus.m_bBusy = 1;
    SetOriginEditEnabled(false);
    m_rows.SetText(row, COL_TASK_STATUS, m_texts.plotting);
    // From here to the hand-over an abort holds the job: the preparation may
    // show a message box, under which the operator's commands and the
    // window's close run.
    BeginJobStart();

    const std::string path = m_rows.Text(row, COL_FILE_NAME);
    for (std::string& slotPath : m_document.m_strSlotPath) slotPath = path;
    g_statusTexts.Set(STATUS_TEXT_POSITION, path);

    const std::string details = m_rows.Text(row, COL_MORE_DETAILS);
    // A text that does not read back as a start position starts at 0.
    const float startPosition = details.empty() ? 0.0f : ParseStartPositionText(details).value_or(0.0f);
    const uint32_t startOffset = StartOffsetUnits(startPosition, m_document.m_config.MmPerUnit);
    for (SwathPlan& plan : m_document.m_plan) {
        plan.m_fStartPosition = startPosition;
        plan.m_nStartOffset = startOffset;
    }
    // The progress bar reads the swaths printed against the new job's swath
    // count from here on; the last job's count must not carry over.
    m_document.m_plan[SLOT_PRINT].m_nSwathsPrinted = 0;

    if (!m_document.PreparePlotSlot(SLOT_PRINT)) {
        ShowFrameworkMessage(platform::LoadString(kIncorrectPosition));
        HoldUnstartedJob(path);
        return;
    }
    // A drawing without a dot across or along (an empty file, bytes that hold
    // no plot command) gives no packet, and the plotter would wait for its
    // data for ever. Held as a failed start, but without a message: an
    // unattended queue goes on with the next file.
    if (!m_document.m_plan[SLOT_PRINT].HasPrintData()) {
        HoldUnstartedJob(path);
        return;
    }
    if (!HandOverJob()) {
        HoldUnstartedJob(path);
        return;
    }

    m_document.m_bCutAtStart = 1;
    if (m_document.PreparePlotSlot(SLOT_OUTPUT_PREVIEW)) {
        m_document.m_bPreviewShowsJob = 1;
        m_document.PreviewMode = PREVIEW_OUTPUT;
        if (g_pMapView != nullptr) g_pMapView->Invalidate();
        SetSizeText(m_rows.Find(COL_FILE_NAME, path), SLOT_PRINT);
    }
}

void CFileView::HoldUnstartedJob(const std::string& path) {
    EndJobStart();
    // The operator may have moved rows while a message was open.
    const int heldRow = m_rows.Find(COL_FILE_NAME, path);
    m_rows.SetText(heldRow, COL_TASK_STATUS, m_texts.notPlot);
    m_rows.SetText(heldRow, COL_MORE_DETAILS, "");
    g_plotterStatus.m_bBusy = 0;
    SetOriginEditEnabled(true);
}
