// screenshots OUTDIR: writes a PNG picture of every window of the program in
// each of its four languages, drawn offscreen, for a developer to look at.
#include <QApplication>
#include <QDir>
#include <clocale>
#include <cstdio>

#include "platform/string_table.h"
#include "shots.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshots OUTDIR\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const QString output = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(output);
    for (const auto language : {platform::UiLanguage::English, platform::UiLanguage::Turkish,
                                platform::UiLanguage::SimplifiedChinese, platform::UiLanguage::TraditionalChinese}) {
        ShotSession session(output, language);
        TakeMainWindowShots(session);
        TakeJobDialogShots(session);
        TakeSettingsShots(session);
        TakePreviewShots(session);
    }
    return 0;
}
