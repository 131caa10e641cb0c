#pragma once

#include <QMainWindow>
#include <cstdint>
#include <map>

#include "ui/command_target.h"

class CFileView;
class CMainStatusBar;
class CMapView;
class CTOLVEXR5DServerDoc;
class QAction;
class QMenu;
class QSplitter;

// The program's main window: menu, toolbar with the origin group, the job list
// over the preview, and the status bar with the progress bar. It routes every
// command to the active pane first, then to itself, then to the application.
class CMainFrame : public QMainWindow, public CommandTarget {
    Q_OBJECT
public:
    CMainFrame(CTOLVEXR5DServerDoc& document, CommandTarget& application, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CFileView* GetFileView() const { return m_pFileView; }
    CMapView* GetMapView() const { return m_pMapView; }

    // Carries the command to the first element of the route that handles it.
    void RouteCommand(unsigned id);
    bool IsCommandHandled(unsigned id) const;
    // The action of a menu, toolbar or accelerator command; null for others.
    QAction* CommandAction(unsigned id) const;

    // The pane that commands reach first: the job list at start, then the
    // pane the operator last activated (click, F6, Shift+F6).
    CommandTarget* ActivePane() const { return m_pActivePane; }
    void SetActivePane(CommandTarget* pane);

    // Places the progress bar and sets it from the print job's progress.
    void UpdateProgressBar();
    // Exit: asks while a job is busy, aborts it on Yes, then ends the program.
    void OnAppExit();

    bool HandlesCommand(unsigned id) const override;
    void OnCommand(unsigned id) override;

    // No menu of the bars: the toolbar is fixed and cannot be hidden.
    QMenu* createPopupMenu() override { return nullptr; }

protected:
    // Close: asks while the worker runs a job, aborts it on Yes, then ends the
    // program once the job list has stopped its worker.
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void UpdateCommandStates();
    void OnFocusChanged(QWidget* now);
    // The operator's Yes to "Task is running. Do you realy want to interrupt the job?".
    bool ConfirmInterrupt() const;

    CTOLVEXR5DServerDoc& m_document;
    CommandTarget& m_application;
    QSplitter* m_wndSplitter = nullptr;
    CFileView* m_pFileView = nullptr;
    CMapView* m_pMapView = nullptr;
    CMainStatusBar* m_wndStatusBar = nullptr;
    CommandTarget* m_pActivePane = nullptr;
    std::map<unsigned, QAction*> m_actions;
    bool m_bExiting = false;
    bool m_bViewsDestroyed = false;
};

// The main window, while it exists; the worker's paint requests reach it here.
extern CMainFrame* g_pMainFrame;

// The progress bar's position: swaths printed x 100 / swath count while a job
// is busy and has swaths, else 0; kept within 0..100.
int ProgressPercent(int64_t swathsPrinted, int64_t swathCount, bool busy);
