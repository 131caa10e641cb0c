#include "ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

const char* QtLanguageTag(platform::UiLanguage language) {
    switch (language) {
        case platform::UiLanguage::TraditionalChinese:
            return "zh_TW";
        case platform::UiLanguage::Turkish:
            return "tr";
        case platform::UiLanguage::SimplifiedChinese:
            return "zh_CN";
        case platform::UiLanguage::English:
            break;
    }
    return nullptr;
}

}  // namespace

void LoadQtTranslations(platform::UiLanguage language) {
    static QTranslator* installed = nullptr;
    if (installed != nullptr) {
        QCoreApplication::removeTranslator(installed);
        delete installed;
        installed = nullptr;
    }
    const char* tag = QtLanguageTag(language);
    if (tag == nullptr) return;
    auto* translator = new QTranslator;
    if (!translator->load(QString("qtbase_") + tag, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
}
