#include "ui/application.h"

#include <QApplication>
#include <QSettings>
#include <iostream>

#include "core/document.h"
#include "core/plotter_status.h"
#include "core/status_texts.h"
#include "jobs/file_view.h"
#include "platform/message_box.h"
#include "platform/program_folder.h"
#include "platform/single_instance.h"
#include "platform/string_table.h"
#include "res/resource_ids.h"
#include "ui/about_dialog.h"
#include "ui/main_frame.h"
#include "ui/map_view.h"
#include "ui/qt_message_box.h"
#include "ui/qt_translations.h"
#include "ui/ui_texts.h"

namespace {

constexpr unsigned kAlreadyRunning = 152;
constexpr unsigned kApplicationName = 57344;
constexpr const char* kRegistryKey = "TOLVEXR5DServer";
constexpr const char* kRecentFileSection = "Recent File List";
constexpr int kRecentFileCount = 4;

QString RecentFileKey(int index) { return QString("File%1").arg(index + 1); }

}  // namespace

CTOLVEXR5DServerApp::CTOLVEXR5DServerApp()
    : m_strConfigFolder(platform::ProgramFolder()) {
    platform::SetUiLanguage(platform::LanguageFromEnvironment());
}

CTOLVEXR5DServerApp::~CTOLVEXR5DServerApp() { ExitInstance(); }

bool CTOLVEXR5DServerApp::InitInstance() {
    LoadQtTranslations(platform::CurrentUiLanguage());
    m_hInstanceMutex = std::make_unique<platform::SingleInstanceLock>(m_strConfigFolder);
    if (m_hInstanceMutex->state() == platform::SingleInstanceLock::State::HeldByAnother) {
        m_hInstanceMutex.reset();
        platform::ShowMessage({platform::LoadString(kAlreadyRunning), "", platform::MessageButtons::Ok,
                               platform::MessageIcon::Exclamation});
        return false;
    }
    if (!m_hInstanceMutex->held()) {
        std::cerr << "TOLVEXR5DServer: starting without the check for another copy: " << m_hInstanceMutex->Why()
                  << '\n';
    }

    QCoreApplication::setOrganizationName(kRegistryKey);
    QCoreApplication::setApplicationName(UiString(kApplicationName));
    QSettings profile;
    profile.beginGroup(kRecentFileSection);
    for (int index = 0; index < kRecentFileCount; ++index) {
        const QString file = profile.value(RecentFileKey(index)).toString();
        if (!file.isEmpty()) m_recentFiles.append(file);
    }
    profile.endGroup();

    g_statusTexts.Init();
    g_plotterStatus.LoadPositionFormat();

    m_pDocument = std::make_unique<CTOLVEXR5DServerDoc>(m_strConfigFolder);
    m_pMainWnd = std::make_unique<CMainFrame>(*m_pDocument, *this);
    m_pMainWnd->GetFileView()->OnInitialUpdate();
    m_pMainWnd->GetMapView()->OnInitialUpdate();
    m_pMainWnd->show();
    return true;
}

void CTOLVEXR5DServerApp::ExitInstance() {
    if (!m_hInstanceMutex) return;
    if (m_pMainWnd) m_pMainWnd->GetFileView()->OnDestroy();
    m_pMainWnd.reset();
    m_pDocument.reset();
    QSettings profile;
    profile.beginGroup(kRecentFileSection);
    for (int index = 0; index < kRecentFileCount; ++index) {
        if (index < m_recentFiles.size()) {
            profile.setValue(RecentFileKey(index), m_recentFiles[index]);
        } else {
            profile.remove(RecentFileKey(index));
        }
    }
    profile.endGroup();
    m_hInstanceMutex.reset();
}

int CTOLVEXR5DServerApp::Run() {
    InstallQtMessageHandler();
    if (!InitInstance()) return 0;
    const int exitCode = QApplication::exec();
    ExitInstance();
    return exitCode;
}

void CTOLVEXR5DServerApp::OnAppAbout() {
    CAboutDlg about(m_pMainWnd.get());
    about.exec();
}

void CTOLVEXR5DServerApp::OnFileOpen() {
    if (g_pFileView != nullptr) g_pFileView->OnFileOpen();
}

bool CTOLVEXR5DServerApp::HandlesCommand(unsigned id) const {
    return id == res::ID_APP_ABOUT || id == res::ID_FILE_OPEN;
}

void CTOLVEXR5DServerApp::OnCommand(unsigned id) {
    if (id == res::ID_APP_ABOUT) {
        OnAppAbout();
    } else if (id == res::ID_FILE_OPEN) {
        OnFileOpen();
    }
}
