#include "ui/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QSplitter>
#include <algorithm>

#include "core/document.h"
#include "core/plotter_status.h"
#include "jobs/file_view.h"
#include "link/job_flags.h"
#include "platform/message_box.h"
#include "platform/string_table.h"
#include "res/resource_ids.h"
#include "ui/app_icons.h"
#include "ui/main_status_bar.h"
#include "ui/main_toolbar.h"
#include "ui/map_view.h"
#include "ui/ui_texts.h"

CMainFrame* g_pMainFrame = nullptr;

namespace {

constexpr unsigned kWindowTitle = 128;  // document template: its first field is the title
constexpr unsigned kInterruptQuestion = 160;
constexpr int kFileViewHeight = 200;
constexpr unsigned kSeparator = 0;

// The toolbar's entries in order; the origin group follows the last.
constexpr unsigned kToolBarEntries[] = {
    res::ID_FILE_OPEN,     res::ID_PLOT,     res::ID_ABORT,        kSeparator,          res::ID_USER_SETTINGS,
    res::ID_ZOOM_IN,       res::ID_ZOOM_OUT, res::ID_DISPLAY_ALL,  kSeparator,          res::ID_ADD_ONE,
    res::ID_SUBTRACT_ONE,  kSeparator,       res::ID_PLOT_PREVIEW, res::ID_APP_ABOUT,   kSeparator,
};

struct Accelerator {
    unsigned id;
    QList<QKeySequence> keys;
};

// Shift with a digit arrives as the digit's shifted symbol on most layouts;
// both forms are bound.
const Accelerator kAccelerators[] = {
    {res::ID_ZOOM_100, {QKeySequence(Qt::SHIFT | Qt::Key_1), QKeySequence(Qt::SHIFT | Qt::Key_Exclam)}},
    {res::ID_ZOOM_50, {QKeySequence(Qt::SHIFT | Qt::Key_5), QKeySequence(Qt::SHIFT | Qt::Key_Percent)}},
    {res::ID_ZOOM_IN, {QKeySequence(Qt::SHIFT | Qt::Key_A)}},
    {res::ID_ZOOM_OUT, {QKeySequence(Qt::SHIFT | Qt::Key_Z)}},
    {res::ID_FILE_OPEN, {QKeySequence(Qt::CTRL | Qt::Key_O)}},
    {res::ID_FILE_NEW, {QKeySequence(Qt::CTRL | Qt::Key_N)}},
    {res::ID_NEXT_PANE, {QKeySequence(Qt::Key_F6)}},
    {res::ID_PREV_PANE, {QKeySequence(Qt::SHIFT | Qt::Key_F6)}},
};

// Every command that has an action: the menu's, the toolbar's and the
// accelerators'.
constexpr unsigned kCommands[] = {
    res::ID_FILE_OPEN,   res::ID_MANUAL_PLOT,   res::ID_APP_EXIT,        res::ID_ZOOM_IN,     res::ID_ZOOM_OUT,
    res::ID_ZOOM_100,    res::ID_ZOOM_50,       res::ID_USER_SETTINGS,   res::ID_FACTORY_SETTINGS,
    res::ID_APP_ABOUT,   res::ID_PLOT,          res::ID_ABORT,           res::ID_DISPLAY_ALL, res::ID_ADD_ONE,
    res::ID_SUBTRACT_ONE, res::ID_PLOT_PREVIEW, res::ID_FILE_NEW,        res::ID_NEXT_PANE,   res::ID_PREV_PANE,
};

QString MenuText(unsigned item) { return UiItemText(res::IDR_MAINFRAME, item); }

bool IsWithin(const QWidget* widget, const QWidget* ancestor) {
    return widget != nullptr && ancestor != nullptr && (widget == ancestor || ancestor->isAncestorOf(widget));
}

}  // namespace

int ProgressPercent(int64_t swathsPrinted, int64_t swathCount, bool busy) {
    if (swathCount == 0 || !busy) return 0;
    return static_cast<int>(std::clamp<int64_t>(swathsPrinted * 100 / swathCount, 0, 100));
}

CMainFrame::CMainFrame(CTOLVEXR5DServerDoc& document, CommandTarget& application, QWidget* parent)
    : QMainWindow(parent), m_document(document), m_application(application) {
    g_pMainFrame = this;
    setWindowTitle(UiString(kWindowTitle).section('\n', 0, 0));
    setWindowIcon(MainIcon());
    // Three quarters of the screen, as a new main window is given on the
    // desktop the program comes from.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) resize(screen->availableSize() * 3 / 4);

    m_wndSplitter = new QSplitter(Qt::Vertical, this);
    m_wndSplitter->setChildrenCollapsible(false);
    m_pFileView = new CFileView(document, m_wndSplitter);
    m_pMapView = new CMapView(document, m_wndSplitter);
    m_wndSplitter->addWidget(m_pFileView);
    m_wndSplitter->addWidget(m_pMapView);
    m_wndSplitter->setStretchFactor(1, 1);
    m_wndSplitter->setSizes({kFileViewHeight, 1});
    setCentralWidget(m_wndSplitter);
    m_pActivePane = m_pFileView;

    CreateActions();
    CreateMenus();
    CreateToolBar();
    m_wndStatusBar = new CMainStatusBar(this);
    setStatusBar(m_wndStatusBar);
    g_pStatusBar = m_wndStatusBar;
    UpdateCommandStates();

    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { OnFocusChanged(now); });
}

CMainFrame::~CMainFrame() {
    if (g_pStatusBar == m_wndStatusBar) g_pStatusBar = nullptr;
    if (g_wndMainToolBar != nullptr && g_wndMainToolBar->parent() == this) g_wndMainToolBar = nullptr;
    if (g_pMainFrame == this) g_pMainFrame = nullptr;
}

void CMainFrame::CreateActions() {
    for (const unsigned id : kCommands) {
        auto* action = new QAction(this);
        action->setProperty("commandId", id);
        const QString menuText = MenuText(id);
        action->setText(menuText.isEmpty() ? CommandTip(id) : menuText);
        action->setToolTip(CommandTip(id));
        action->setStatusTip(CommandPrompt(id));
        action->setIcon(CommandIcon(id));
        connect(action, &QAction::triggered, this, [this, id] { RouteCommand(id); });
        addAction(action);
        m_actions[id] = action;
    }
    for (const auto& accelerator : kAccelerators) m_actions.at(accelerator.id)->setShortcuts(accelerator.keys);
}

void CMainFrame::CreateMenus() {
    QMenu* print = menuBar()->addMenu(MenuText(res::POPUP_PRINT));
    print->addAction(CommandAction(res::ID_FILE_OPEN));
    print->addAction(CommandAction(res::ID_MANUAL_PLOT));
    print->addSeparator();
    print->addAction(CommandAction(res::ID_APP_EXIT));

    QMenu* view = menuBar()->addMenu(MenuText(res::POPUP_VIEW));
    QMenu* scale = view->addMenu(MenuText(res::POPUP_DISPLAY_SCALE));
    scale->addAction(CommandAction(res::ID_ZOOM_IN));
    scale->addAction(CommandAction(res::ID_ZOOM_OUT));
    scale->addSeparator();
    scale->addAction(CommandAction(res::ID_ZOOM_100));
    scale->addAction(CommandAction(res::ID_ZOOM_50));

    QMenu* settings = menuBar()->addMenu(MenuText(res::POPUP_SETTINGS));
    settings->addAction(CommandAction(res::ID_USER_SETTINGS));
    settings->addAction(CommandAction(res::ID_FACTORY_SETTINGS));

    QMenu* help = menuBar()->addMenu(MenuText(res::POPUP_HELP));
    help->addAction(CommandAction(res::ID_APP_ABOUT));
}

void CMainFrame::CreateToolBar() {
    auto* toolBar = new CMainToolBar(this);
    toolBar->setObjectName("mainToolBar");
    toolBar->setIconSize(QSize(24, 24));
    for (const unsigned entry : kToolBarEntries) {
        if (entry == kSeparator) {
            toolBar->addSeparator();
        } else {
            toolBar->addAction(CommandAction(entry));
        }
    }
    toolBar->AddOriginGroup();
    addToolBar(Qt::TopToolBarArea, toolBar);
    g_wndMainToolBar = toolBar;
    // The origin edit's loss of focus is the job list's, whichever pane is
    // active: the value typed there is never dropped.
    connect(toolBar, &CMainToolBar::originFocusLost, m_pFileView, &CFileView::OnKillFocusOrigin);
}

QAction* CMainFrame::CommandAction(unsigned id) const {
    const auto found = m_actions.find(id);
    return found != m_actions.end() ? found->second : nullptr;
}

bool CMainFrame::IsCommandHandled(unsigned id) const {
    return (m_pActivePane != nullptr && m_pActivePane->HandlesCommand(id)) || HandlesCommand(id) ||
           m_application.HandlesCommand(id);
}

void CMainFrame::RouteCommand(unsigned id) {
    for (CommandTarget* target : {m_pActivePane, static_cast<CommandTarget*>(this), &m_application}) {
        if (target != nullptr && target->HandlesCommand(id)) {
            target->OnCommand(id);
            return;
        }
    }
}

void CMainFrame::SetActivePane(CommandTarget* pane) {
    if (pane == m_pActivePane) return;
    m_pActivePane = pane;
    UpdateCommandStates();
}

void CMainFrame::UpdateCommandStates() {
    for (const auto& [id, action] : m_actions) action->setEnabled(IsCommandHandled(id));
}

void CMainFrame::OnFocusChanged(QWidget* now) {
    if (IsWithin(now, m_pFileView)) {
        SetActivePane(m_pFileView);
    } else if (IsWithin(now, m_pMapView)) {
        SetActivePane(m_pMapView);
    }
}

bool CMainFrame::HandlesCommand(unsigned id) const {
    return id == res::ID_APP_EXIT || id == res::ID_NEXT_PANE || id == res::ID_PREV_PANE;
}

void CMainFrame::OnCommand(unsigned id) {
    if (id == res::ID_APP_EXIT) {
        OnAppExit();
        return;
    }
    // Two panes: next and previous both move to the other one.
    QWidget* other = m_pActivePane == m_pFileView ? static_cast<QWidget*>(m_pMapView) : m_pFileView;
    SetActivePane(other == m_pFileView ? static_cast<CommandTarget*>(m_pFileView) : m_pMapView);
    other->setFocus(Qt::OtherFocusReason);
}

void CMainFrame::UpdateProgressBar() {
    if (m_wndStatusBar == nullptr) return;
    const SwathPlan& plan = m_document.m_plan[SLOT_PRINT];
    m_wndStatusBar->ProgressBar()->setValue(
        ProgressPercent(plan.m_nSwathsPrinted.load(), plan.m_nSwathCount.load(), g_plotterStatus.m_bBusy.load() == 1));
}

bool CMainFrame::ConfirmInterrupt() const {
    return platform::ShowMessage({platform::LoadString(kInterruptQuestion), "", platform::MessageButtons::YesNo,
                                  platform::MessageIcon::Question}) == platform::MessageAnswer::Yes;
}

// Neither Exit nor Close aborts the job itself: the job list's stop raises the
// worker's quit flag and then aborts it. In that order the worker sends
// nothing more of the job but the reset; an abort alone would first let the
// rest of the job's settings go out.
void CMainFrame::OnAppExit() {
    if (g_plotterStatus.m_bBusy.load() == 1 && !ConfirmInterrupt()) return;
    m_bExiting = true;
    close();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (!m_bExiting && g_jobRunning.load() == 1 && !ConfirmInterrupt()) {
        event->ignore();
        return;
    }
    if (!m_bViewsDestroyed) {
        m_bViewsDestroyed = true;
        m_pFileView->OnDestroy();
    }
    event->accept();
}
