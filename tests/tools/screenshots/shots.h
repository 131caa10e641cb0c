#pragma once

#include <QString>
#include <memory>
#include <string>

#include "platform/string_table.h"

class CMainFrame;
class CTOLVEXR5DServerDoc;
class QWidget;
class TempDir;

// One language's screenshots: a folder with its own "config.ini" (plotter on
// 127.0.0.1), a work folder with sample plot files, the document, and the
// main window on demand. Pictures go to OUTDIR/<language>-<name>.png.
class ShotSession {
public:
    ShotSession(const QString& outputFolder, platform::UiLanguage language);
    ~ShotSession();
    ShotSession(const ShotSession&) = delete;
    ShotSession& operator=(const ShotSession&) = delete;

    CTOLVEXR5DServerDoc& Document();
    // The main window, built and laid out at 1200 x 800 the first time;
    // its worker is told to quit at once, so no job ever starts.
    CMainFrame& MainFrame();
    const std::string& WorkFolder() const;
    const std::string& Folder() const;

    // Lays the widget out, grabs it and writes the picture.
    void Save(QWidget& widget, const QString& name);

private:
    QString m_outputFolder;
    QString m_languageTag;
    std::unique_ptr<TempDir> m_folder;
    std::string m_workFolder;
    std::unique_ptr<CTOLVEXR5DServerDoc> m_document;
    std::unique_ptr<class ShotApplication> m_application;
    std::unique_ptr<CMainFrame> m_frame;
};

// The windows of each part of the program.
void TakeMainWindowShots(ShotSession& session);
void TakeJobDialogShots(ShotSession& session);
void TakeSettingsShots(ShotSession& session);
void TakePreviewShots(ShotSession& session);
