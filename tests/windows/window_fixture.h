#pragma once

#include <QApplication>
#include <filesystem>
#include <memory>
#include <string>

#include "core/document.h"
#include "core/plotter_status.h"
#include "core/status_texts.h"
#include "link/job_abort.h"
#include "link/job_flags.h"
#include "platform/string_table.h"
#include "tests/support/message_recorder.h"
#include "tests/support/temp_dir.h"
#include "ui/command_target.h"
#include "ui/main_frame.h"

// The end of the command route for tests: handles nothing.
class NoApplication : public CommandTarget {
public:
    bool HandlesCommand(unsigned) const override { return false; }
    void OnCommand(unsigned) override {}
};

// A folder of its own with "config.ini" (the plotter on 127.0.0.1 and a work
// folder inside), its document, and, on demand, the main frame built as the
// program builds it. Messages are recorded, never shown. English texts.
class WindowFixture {
public:
    // One HP45 head in a head pair the packets accept.
    static constexpr const char* kOneHead =
        "[CTRPARAM]\r\nJetPrintHead=1\r\nPrint_Line=HP45JetPrintHead\r\n"
        "[JetPrintHeadOpenStatus]\r\nJetPrintHeadOpenStatus0=1\r\nJetPrintHeadOpenStatus1=1\r\n";

    explicit WindowFixture(const std::string& extraConfig = "") {
        ResetSharedFlags();
        platform::SetUiLanguage(platform::UiLanguage::English);
        g_statusTexts.Init();
        g_plotterStatus.LoadPositionFormat();
        std::filesystem::create_directory(WorkFolder());
        folder.Write("config.ini", "[PATH]\r\nWORKPATH=" + WorkFolder() + "\r\n[NET]\r\nIP_ADDR=127.0.0.1\r\n" +
                                       extraConfig);
        document = std::make_unique<CTOLVEXR5DServerDoc>(folder.path());
    }
    ~WindowFixture() {
        if (frame) frame->close();
        frame.reset();
        document.reset();
    }

    // The flags the threads share start every test cleared.
    static void ResetSharedFlags() {
        g_plotterStatus.m_bBusy = 0;
        g_plotterStatus.m_bJobReady = 0;
        g_plotterStatus.m_bOnline = 0;
        g_abortJob = 0;
        g_jobRunning = 0;
        g_quitWorker = 0;
        EndJobStart();
    }

    std::string WorkFolder() const { return folder.File("work"); }
    void AddPlotFile(const std::string& name, const std::string& contents = "IN;PU0,0;PD400,0,400,400;PU;") const {
        folder.Write("work/" + name, contents);
    }

    // The main frame with both panes; its views' first updates are left to
    // the test.
    CMainFrame& Frame() {
        if (!frame) {
            frame = std::make_unique<CMainFrame>(*document, application);
            frame->resize(1000, 700);
        }
        return *frame;
    }

    TempDir folder;
    MessageRecorder messages;
    NoApplication application;
    std::unique_ptr<CTOLVEXR5DServerDoc> document;
    std::unique_ptr<CMainFrame> frame;
};
