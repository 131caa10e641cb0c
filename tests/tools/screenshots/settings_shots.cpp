#include <QString>
#include <algorithm>

#include "core/document.h"

#include "shots.h"
#include "ui/config_dlg_easy.h"
#include "ui/main_config_dlg.h"
#include "ui/main_frame.h"
#include "ui/tab_config_sheet.h"

void TakeSettingsShots(ShotSession& session) {
    CMainFrame& frame = session.MainFrame();
    // Two heads, on the first two head positions, with their offsets.
    PlotterConfig& config = session.Document().m_config;
    config.JetPrintHead = 2;
    const int32_t open[8] = {1, 1, 1, 1, 0, 0, 0, 0};
    const int32_t x[8] = {0, -29, 1210, 1181, 0, 0, 0, 0};
    std::ranges::copy(open, config.JetPrintHeadOpenStatus);
    std::ranges::copy(x, config.JetPrintHeadValueX);
    session.Document().SaveConfig();
    for (const bool readOnly : {false, true}) {
        const QString mode = readOnly ? "-read-only" : "";
        CMainConfigDlg settings(session.Document(), &frame);
        settings.m_bReadOnly = readOnly;
        settings.show();
        const char* pages[] = {"system", "plotting", "advanced", "others", "net"};
        for (int page = 0; page < settings.TabSheet().count(); ++page) {
            settings.TabSheet().setCurrentIndex(page);
            session.Save(settings, QString("settings-%1%2").arg(pages[page], mode));
        }
        settings.close();

        CConfigDlgEasy common(session.Document(), &frame);
        common.m_bPlotting = readOnly ? 1 : 0;
        session.Save(common, "common-settings" + mode);
        common.close();
    }
}
