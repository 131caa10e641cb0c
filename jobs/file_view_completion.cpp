// The job list's half of a job's end.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

#include "core/document.h"
#include "core/status_texts.h"
#include "jobs/file_view.h"
#include "jobs/job_file_check.h"
#include "jobs/row_texts.h"
#include "platform/c_numbers.h"

namespace {

constexpr size_t kCounterDigits = 9;

// Deletes a finished job's file; false, said on standard error, when the
// file remains (a work folder the program may not write, an immutable file).
bool DeleteFinishedFile(const std::string& path) {
    struct stat status = {};
    if (unlink(path.c_str()) == 0 || lstat(path.c_str(), &status) != 0) return true;
    const int why = errno;
    std::cerr << "TOLVEXR5DServer: the finished file " << path << " cannot be deleted and is held: "
              << std::strerror(why) << std::endl;
    return false;
}

}  // namespace

void CFileView::CompleteFinishedJob() {
    const int row = m_rows.Find(COL_TASK_STATUS, m_texts.plotting);
    if (row < 0) return;
    const int runs = platform::Atoi(m_rows.Text(row, COL_PLOTTING_COUNTER).substr(0, kCounterDigits));
    if (runs >= 2 && m_bRepeatEnabled) {
        m_rows.SetText(row, COL_PLOTTING_COUNTER, std::to_string(runs - 1));
        m_rows.SetText(row, COL_TASK_STATUS, m_texts.waiting);
        return;
    }
    const std::string path = m_rows.Text(row, COL_FILE_NAME);
    m_document.m_strSlotPath[SLOT_PRINT].clear();

    if (!m_bRepeatEnabled) {
        m_rows.SetText(row, COL_TASK_STATUS, m_texts.notPlot);
        m_rows.SetText(row, COL_MORE_DETAILS, "");
        m_bRepeatEnabled = true;
    } else if (m_document.m_config.AUTODELETEFILE == 0) {
        m_rows.SetText(row, COL_TASK_STATUS, m_texts.notPlot);
        m_rows.SetText(row, COL_SIZE, kUnpreparedSize);
    } else {
        switch (CheckJobFile(path, m_document.m_config.FileWordSum)) {
            case JobFileState::Unchanged:
            case JobFileState::CannotOpen:
                if (DeleteFinishedFile(path)) {
                    m_rows.DeleteRow(row);
                } else {
                    // Held as with automatic deletion off: without its row
                    // the next scan would queue the file as new and print it
                    // again, without end.
                    m_rows.SetText(row, COL_TASK_STATUS, m_texts.notPlot);
                    m_rows.SetText(row, COL_SIZE, kUnpreparedSize);
                }
                break;
            case JobFileState::BeingWritten:
                // Written again under the same name: the row goes, the file
                // stays, and the next scan queues it afresh.
                m_rows.DeleteRow(row);
                break;
            case JobFileState::Changed:
                m_rows.SetText(row, COL_TASK_STATUS,
                               m_document.m_config.PRINTAUTO != 0 ? m_texts.waiting : m_texts.notPlot);
                break;
            case JobFileState::Unreadable:
                // Whether it changed cannot be told: it is kept and held.
                m_rows.SetText(row, COL_TASK_STATUS, m_texts.notPlot);
                break;
        }
    }
    g_statusTexts.Set(STATUS_TEXT_RUNSTATE, g_statusTexts.Finished());
}
