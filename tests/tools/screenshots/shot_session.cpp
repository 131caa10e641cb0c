#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QWidget>
#include <fstream>

#include "core/document.h"
#include "core/plotter_status.h"
#include "core/status_texts.h"
#include "jobs/file_view.h"
#include "link/job_flags.h"
#include "shots.h"
#include "tests/support/temp_dir.h"
#include "ui/command_target.h"
#include "ui/main_frame.h"
#include "ui/map_view.h"
#include "ui/qt_translations.h"

namespace {

// A sample drawing: a frame, a diagonal and a circle of chords.
std::string SamplePlotFile(int size) {
    std::string text = "IN;SP1;PU0,0;PD" + std::to_string(size * 3) + ",0," + std::to_string(size * 3) + "," +
                       std::to_string(size) + ",0," + std::to_string(size) + ",0,0;PU;PD" +
                       std::to_string(size * 3) + "," + std::to_string(size) + ";PU;";
    return text;
}

}  // namespace

// The end of the command route: the screenshots issue no command.
class ShotApplication : public CommandTarget {
public:
    bool HandlesCommand(unsigned) const override { return false; }
    void OnCommand(unsigned) override {}
};

ShotSession::ShotSession(const QString& outputFolder, platform::UiLanguage language)
    : m_outputFolder(outputFolder),
      m_languageTag(platform::LanguageTag(language)),
      m_folder(std::make_unique<TempDir>()),
      m_application(std::make_unique<ShotApplication>()) {
    platform::SetUiLanguage(language);
    LoadQtTranslations(language);
    g_statusTexts.Init();
    g_plotterStatus.LoadPositionFormat();
    m_workFolder = m_folder->path() + "/work";
    QDir().mkpath(QString::fromStdString(m_workFolder));
    for (const char* name : {"shirt_front.plt", "shirt_back.plt", "sleeve.hpgl", "collar_2.plt"}) {
        std::ofstream(m_workFolder + "/" + name) << SamplePlotFile(4000);
    }
    m_folder->Write("config.ini", "[PRINT]\r\nPRINTAUTO=0\r\nAUTODELETEFILE=1\r\n[PATH]\r\nWORKPATH=" +
                                      m_workFolder + "\r\n[NET]\r\nIP_ADDR=127.0.0.1\r\n");
    m_document = std::make_unique<CTOLVEXR5DServerDoc>(m_folder->path());
}

ShotSession::~ShotSession() {
    if (m_frame) m_frame->GetFileView()->OnDestroy();
}

CTOLVEXR5DServerDoc& ShotSession::Document() { return *m_document; }

const std::string& ShotSession::WorkFolder() const { return m_workFolder; }

const std::string& ShotSession::Folder() const { return m_folder->path(); }

CMainFrame& ShotSession::MainFrame() {
    if (!m_frame) {
        g_quitWorker = 1;
        m_frame = std::make_unique<CMainFrame>(*m_document, *m_application);
        m_frame->resize(1200, 800);
        m_frame->GetFileView()->OnInitialUpdate();
        m_frame->GetMapView()->OnInitialUpdate();
        m_frame->show();
        QApplication::processEvents();
    }
    return *m_frame;
}

void ShotSession::Save(QWidget& widget, const QString& name) {
    if (!widget.isVisible()) widget.adjustSize();
    widget.show();
    QApplication::processEvents();
    widget.grab().save(m_outputFolder + "/" + m_languageTag + "-" + name + ".png");
}
