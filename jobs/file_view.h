#pragma once

#include <QTableView>
#include <QTimer>
#include <memory>
#include <string>

#include "jobs/job_row_model.h"
#include "jobs/job_texts.h"
#include "link/job_list_link.h"
#include "ui/command_target.h"

class CTOLVEXR5DServerDoc;
class QMenu;
class WorkerThread;

// The job list: the upper pane of the main window and the job queue itself.
// Every plot file the program knows is one row; the view owns the operator's
// commands on rows, the status and scan timers, the start of the plotter link
// and its orderly stop. The worker thread reaches it through JobListLink;
// every such call is carried out on the user-interface thread (UiThreadCalls),
// the worker waiting for all but the two that only repaint.
class CFileView : public QTableView, public CommandTarget, public JobListLink {
    Q_OBJECT
public:
    static constexpr unsigned ID_TIMER_STATUS = 1001;
    static constexpr unsigned ID_TIMER_SCAN = 1002;

    explicit CFileView(CTOLVEXR5DServerDoc& document, QWidget* parent = nullptr);
    ~CFileView() override;

    // The first update: columns, texts, the start-up file manager, the
    // command socket, the first scan, the timers, the origin edit and the
    // worker. Runs once per run; later calls do nothing.
    void OnInitialUpdate();
    // Stops the timers and the worker (serving the worker's calls until it
    // has left) and releases the slot buffers. Harmless when repeated.
    void OnDestroy();
    void LoadTexts();

    JobRowModel& Rows() { return m_rows; }
    const JobTexts& Texts() const { return m_texts; }
    // The row commands act on: the row last clicked or moved to; -1 for none.
    int SelectionMark() const { return m_nSelectionMark; }
    void SetSelectionMark(int row);

    // The context menu for the selected row, its items enabled by the row's
    // state; null without a selection.
    std::unique_ptr<QMenu> CreateContextMenu();

    bool HandlesCommand(unsigned id) const override;
    void OnCommand(unsigned id) override;

    void OnPlot();
    void OnAbort();
    void OnDeleteFile();
    void OnPreview();
    void OnPlotPreview();
    void OnMoveUp();
    void OnMoveDown();
    void OnMoveToFirst();
    void OnAddOne();
    void OnSubtractOne();
    void OnManualPlot();
    void OnFactorySettings();
    void OnUserSettings();
    void OnFileOpen();
    void OnKillFocusOrigin();
    void OnTimer(unsigned id);

    // Aborts the job of the first "Plotting" row, if there is one.
    void AbortCurrentJob();
    // The start-position dialog's Set: a held row takes the start position,
    // then the output preview shows it.
    void SetStartPositionAndPreview();

    void ScanWorkFolder(bool bScanOnly);

    // JobListLink, called from the worker thread.
    void OnJobFinished() override;
    void ShowProgress() override;
    void PaintMainFrame() override;
    void InvalidatePreview() override;
    void RedrawPreviewAndStatusBar() override;
    void EnableOriginEdit() override;

    // Start position in centimetres chosen in the start-position dialog.
    float m_fStartPosition = 0;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool IsPlotting(int row) const;
    void MoveSelectedRow(int target);
    void ChangeCounter(int step);
    void StartJob(int row);
    // A job whose start failed: its row held, the job list free again.
    void HoldUnstartedJob(const std::string& path);
    void OpenStartUpFileManager();
    void CompleteFinishedJob();
    void SetSizeText(int row, int slot);
    void SetOriginEditEnabled(bool enabled);
    void UpdateStatusBar();
    // A message box with the program's caption, and one with "Notice".
    static void ShowFrameworkMessage(const std::string& text);
    void ShowNotice(const std::string& text);

    CTOLVEXR5DServerDoc& m_document;
    JobRowModel m_rows;
    JobTexts m_texts;
    int m_nSelectionMark = -1;
    QTimer m_statusTimer;
    QTimer m_scanTimer;
    std::unique_ptr<WorkerThread> m_worker;
    // While a settings dialog is open the scan starts no job.
    int m_nSettingsDialogsOpen = 0;
    bool m_bInitialUpdateDone = false;
    bool m_bDestroyed = false;
};

// The job list and its worker thread, published by its first update.
extern CFileView* g_pFileView;
extern WorkerThread* g_pWorkerThread;
