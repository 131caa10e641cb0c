#include "jobs/file_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <algorithm>

#include "core/document.h"
#include "core/plotter_status.h"
#include "core/status_texts.h"
#include "jobs/context_menu_states.h"
#include "link/command_channel.h"
#include "link/job_flags.h"
#include "link/worker_thread.h"
#include "platform/c_numbers.h"
#include "platform/message_box.h"
#include "platform/string_table.h"
#include "res/resource_ids.h"
#include "ui/main_frame.h"
#include "ui/main_status_bar.h"
#include "ui/main_toolbar.h"
#include "ui/map_view.h"
#include "ui/ui_texts.h"
#include "ui/ui_thread_calls.h"

CFileView* g_pFileView = nullptr;
WorkerThread* g_pWorkerThread = nullptr;

namespace {

constexpr int kColumnWidths[JOB_COLUMN_COUNT] = {100, 300, 150, 300, 150};
constexpr int kStatusInterval = 2000;
constexpr int kFirstScanDelay = 100;
constexpr int kScanInterval = 3000;
constexpr unsigned kOnline = 138;
constexpr unsigned kOffline = 139;
// The panes the status timer fills, in its order, each with the status text
// of the same number.
constexpr int kStatusPanes[] = {STATUS_TEXT_CONNECTION, STATUS_TEXT_TASK, STATUS_TEXT_POSITION,
                                STATUS_TEXT_RUNSTATE, STATUS_TEXT_PERCENT};

// The context menu's entries in order; 0 is a separator.
constexpr unsigned kContextMenu[] = {
    res::ID_PLOT,     res::ID_ABORT,        res::ID_DELETE_FILE,    0,
    res::ID_PREVIEW,  res::ID_PLOT_PREVIEW, res::ID_SECT_PREVIEW,   res::ID_FINAL_VIEW,
    0,                res::ID_MOVE_UP,      res::ID_MOVE_DOWN,      res::ID_MOVE_TO_FIRST,
    0,                res::ID_ADD_ONE,      res::ID_SUBTRACT_ONE,
};

// The commands of the job list's message map.
constexpr unsigned kCommands[] = {
    res::ID_PLOT,         res::ID_ABORT,           res::ID_DELETE_FILE,     res::ID_PREVIEW,
    res::ID_PLOT_PREVIEW, res::ID_MOVE_UP,         res::ID_MOVE_DOWN,       res::ID_MOVE_TO_FIRST,
    res::ID_ADD_ONE,      res::ID_SUBTRACT_ONE,    res::ID_MANUAL_PLOT,     res::ID_FACTORY_SETTINGS,
    res::ID_USER_SETTINGS, res::ID_FILE_OPEN,
};

}  // namespace

CFileView::CFileView(CTOLVEXR5DServerDoc& document, QWidget* parent) : QTableView(parent), m_document(document) {
    setObjectName("fileView");
    setModel(&m_rows);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setShowGrid(true);
    setWordWrap(false);
    // A long path keeps its file name in sight; the tooltip holds it whole.
    setTextElideMode(Qt::ElideMiddle);
    // The horizontal bar counts pixels, not columns, so that its thumb shows
    // how much of the row is hidden and where the list stands.
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    // The selection mark follows its row when rows above it come and go, and
    // is lost with its own row.
    connect(&m_rows, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int) {
        if (m_nSelectionMark >= first) ++m_nSelectionMark;
    });
    connect(&m_rows, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex&, int first, int) {
        if (m_nSelectionMark == first) {
            m_nSelectionMark = -1;
        } else if (m_nSelectionMark > first) {
            --m_nSelectionMark;
        }
    });

    m_statusTimer.setInterval(kStatusInterval);
    connect(&m_statusTimer, &QTimer::timeout, this, [this] { OnTimer(ID_TIMER_STATUS); });
    m_scanTimer.setSingleShot(true);
    connect(&m_scanTimer, &QTimer::timeout, this, [this] { OnTimer(ID_TIMER_SCAN); });
}

CFileView::~CFileView() { OnDestroy(); }

void CFileView::LoadTexts() { m_texts = JobTexts::Load(); }

void CFileView::OnInitialUpdate() {
    if (m_bInitialUpdateDone) return;
    m_bInitialUpdateDone = true;
    for (int column = 0; column < JOB_COLUMN_COUNT; ++column) setColumnWidth(column, kColumnWidths[column]);
    LoadTexts();
    g_pDocument = &m_document;
    g_pFileView = this;
    if (m_document.m_config.PRINTAUTO == 1) OpenStartUpFileManager();
    OpenCommandSocket();
    ScanWorkFolder(true);
    m_statusTimer.start();
    m_scanTimer.start(kFirstScanDelay);
    if (g_wndMainToolBar != nullptr && g_wndMainToolBar->m_wndOriginEdit != nullptr) {
        g_wndMainToolBar->m_wndOriginEdit->setText(
            QString::fromStdString(platform::FormatFixed(m_document.m_config.EdLeftValue, 0)));
    }
    g_pJobListLink = this;
    m_worker = std::make_unique<WorkerThread>();
    m_worker->Start();
    g_pWorkerThread = m_worker.get();
}

void CFileView::OnDestroy() {
    if (m_bDestroyed || !m_bInitialUpdateDone) return;
    m_bDestroyed = true;
    m_statusTimer.stop();
    m_scanTimer.stop();
    if (m_worker) {
        // The worker's calls into the windows and its message boxes wait for
        // this thread: they are answered until it has left, so that its job
        // still ends properly.
        m_worker->Stop([] { UiThreadCalls::Instance().RunPending(); });
        m_worker.reset();
    }
    g_pWorkerThread = nullptr;
    if (g_pJobListLink == this) g_pJobListLink = nullptr;
    m_document.ReleaseSlotBuffers();
    if (g_pFileView == this) g_pFileView = nullptr;
    if (g_pDocument == &m_document) g_pDocument = nullptr;
}

void CFileView::OnTimer(unsigned id) {
    if (id == ID_TIMER_STATUS) {
        g_statusTexts.Set(STATUS_TEXT_CONNECTION,
                          platform::LoadString(g_plotterStatus.m_bOnline.load() != 0 ? kOnline : kOffline));
        UpdateStatusBar();
    } else if (id == ID_TIMER_SCAN) {
        m_scanTimer.stop();
        ScanWorkFolder(false);
        if (!m_bDestroyed) m_scanTimer.start(kScanInterval);
    }
}

void CFileView::UpdateStatusBar() {
    if (g_pStatusBar == nullptr) return;
    for (const int kind : kStatusPanes) {
        g_pStatusBar->SetPaneText(kind, QString::fromStdString(g_statusTexts.Get(kind)));
    }
    // The worker's last paint of a job comes while the job is still busy; the
    // bar falls to 0 here, with the percentage beside it.
    if (g_pMainFrame != nullptr) g_pMainFrame->UpdateProgressBar();
    g_pStatusBar->repaint();
}

void CFileView::SetSelectionMark(int row) {
    m_nSelectionMark = row >= 0 && row < m_rows.Count() ? row : -1;
    if (m_nSelectionMark < 0) return;
    const QModelIndex cell = m_rows.index(m_nSelectionMark, 0);
    selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

bool CFileView::IsPlotting(int row) const { return m_rows.Text(row, COL_TASK_STATUS) == m_texts.plotting; }

bool CFileView::HandlesCommand(unsigned id) const { return std::ranges::find(kCommands, id) != std::end(kCommands); }

void CFileView::OnCommand(unsigned id) {
    switch (id) {
        case res::ID_PLOT: return OnPlot();
        case res::ID_ABORT: return OnAbort();
        case res::ID_DELETE_FILE: return OnDeleteFile();
        case res::ID_PREVIEW: return OnPreview();
        case res::ID_PLOT_PREVIEW: return OnPlotPreview();
        case res::ID_MOVE_UP: return OnMoveUp();
        case res::ID_MOVE_DOWN: return OnMoveDown();
        case res::ID_MOVE_TO_FIRST: return OnMoveToFirst();
        case res::ID_ADD_ONE: return OnAddOne();
        case res::ID_SUBTRACT_ONE: return OnSubtractOne();
        case res::ID_MANUAL_PLOT: return OnManualPlot();
        case res::ID_FACTORY_SETTINGS: return OnFactorySettings();
        case res::ID_USER_SETTINGS: return OnUserSettings();
        case res::ID_FILE_OPEN: return OnFileOpen();
        default: return;
    }
}

std::unique_ptr<QMenu> CFileView::CreateContextMenu() {
    const int row = m_nSelectionMark;
    if (row < 0) return nullptr;
    const bool plotting = IsPlotting(row);
    const bool running = g_jobRunning.load() == 1;
    auto menu = std::make_unique<QMenu>(UiItemText(res::IDR_JOB_CONTEXT_MENU, res::POPUP_OPERATIONS), this);
    for (const unsigned id : kContextMenu) {
        if (id == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(UiItemText(res::IDR_JOB_CONTEXT_MENU, id));
        action->setData(id);
        action->setEnabled(ContextMenuItemEnabled(id, plotting, running, row, m_rows.Count()));
    }
    return menu;
}

void CFileView::contextMenuEvent(QContextMenuEvent* event) {
    const std::unique_ptr<QMenu> menu = CreateContextMenu();
    if (!menu) return;
    const QAction* chosen = menu->exec(event->globalPos());
    if (chosen != nullptr) OnCommand(chosen->data().toUInt());
}

void CFileView::mousePressEvent(QMouseEvent* event) {
    const QModelIndex cell = indexAt(event->position().toPoint());
    if (cell.isValid()) m_nSelectionMark = cell.row();
    QTableView::mousePressEvent(event);
}

void CFileView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) OnPreview();
    QTableView::mouseDoubleClickEvent(event);
}

void CFileView::keyPressEvent(QKeyEvent* event) {
    // The list has no copy command of its own.
    if (event->matches(QKeySequence::Copy)) {
        event->ignore();
        return;
    }
    const QModelIndex before = currentIndex();
    QTableView::keyPressEvent(event);
    if (currentIndex() != before && currentIndex().isValid()) m_nSelectionMark = currentIndex().row();
}

void CFileView::SetOriginEditEnabled(bool enabled) {
    if (g_wndMainToolBar != nullptr && g_wndMainToolBar->m_wndOriginEdit != nullptr) {
        g_wndMainToolBar->m_wndOriginEdit->setEnabled(enabled);
    }
}

void CFileView::ShowFrameworkMessage(const std::string& text) {
    platform::ShowMessage({text, "", platform::MessageButtons::Ok, platform::MessageIcon::Exclamation});
}

void CFileView::ShowNotice(const std::string& text) {
    platform::ShowMessage({text, m_texts.notice, platform::MessageButtons::Ok, platform::MessageIcon::Exclamation});
}

void CFileView::OnJobFinished() {
    UiThreadCalls::Instance().Run([this] { CompleteFinishedJob(); });
}

// The progress and the preview's invalidation only repaint: they are posted,
// so that a long paint or preparation on the user-interface thread does not
// pause the print.
void CFileView::ShowProgress() {
    UiThreadCalls::Instance().Post([] {
        if (g_pStatusBar != nullptr) g_pStatusBar->update();
        if (g_pMainFrame != nullptr) g_pMainFrame->UpdateProgressBar();
    });
}

void CFileView::PaintMainFrame() {
    UiThreadCalls::Instance().Run([] {
        if (g_pMainFrame != nullptr) g_pMainFrame->UpdateProgressBar();
    });
}

void CFileView::InvalidatePreview() {
    UiThreadCalls::Instance().Post([] {
        if (g_pMapView != nullptr) g_pMapView->Invalidate();
    });
}

void CFileView::RedrawPreviewAndStatusBar() {
    UiThreadCalls::Instance().Run([] {
        if (g_pMapView != nullptr) g_pMapView->RedrawNow();
        if (g_pStatusBar != nullptr) g_pStatusBar->repaint();
    });
}

void CFileView::EnableOriginEdit() {
    UiThreadCalls::Instance().Run([this] { SetOriginEditEnabled(true); });
}
