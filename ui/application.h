#pragma once

#include <QStringList>
#include <memory>
#include <string>

#include "ui/command_target.h"

class CMainFrame;
class CTOLVEXR5DServerDoc;

namespace platform {
class SingleInstanceLock;
}

// The application: chooses the user-interface language, makes sure only one
// copy runs, creates the document and the main frame with the job list and
// the preview, and handles About and Add Files at the end of the command
// route.
class CTOLVEXR5DServerApp : public CommandTarget {
public:
    // Chooses the user-interface language from the environment.
    CTOLVEXR5DServerApp();
    ~CTOLVEXR5DServerApp() override;
    CTOLVEXR5DServerApp(const CTOLVEXR5DServerApp&) = delete;
    CTOLVEXR5DServerApp& operator=(const CTOLVEXR5DServerApp&) = delete;

    // Needs the QApplication. True when the program is to run its event
    // loop; false when it is to end at once (another copy runs on the same
    // configuration). A lock that cannot be had at all is told on standard
    // error, and the program runs.
    bool InitInstance();
    // Writes the profile back and lets the windows and the document go;
    // harmless when repeated.
    void ExitInstance();
    // Shows messages in Qt boxes from now on, then InitInstance, the event
    // loop and ExitInstance; the program's exit code.
    int Run();

    void OnAppAbout();
    void OnFileOpen();

    bool HandlesCommand(unsigned id) const override;
    void OnCommand(unsigned id) override;

    CMainFrame* MainFrame() const { return m_pMainWnd.get(); }
    CTOLVEXR5DServerDoc* Document() const { return m_pDocument.get(); }

    // The folder of "config.ini", which the single-instance lock locks; the
    // program's own unless set before InitInstance.
    std::string m_strConfigFolder;

private:
    std::unique_ptr<platform::SingleInstanceLock> m_hInstanceMutex;
    std::unique_ptr<CTOLVEXR5DServerDoc> m_pDocument;
    std::unique_ptr<CMainFrame> m_pMainWnd;
    QStringList m_recentFiles;
};
