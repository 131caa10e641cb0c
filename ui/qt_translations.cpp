#include "ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

void LoadQtTranslations(platform::UiLanguage language) {
    static std::unique_ptr<QTranslator> installed;
    if (installed) QCoreApplication::removeTranslator(installed.get());
    installed.reset();
    if (language == platform::UiLanguage::English) return;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QString("qtbase_") + platform::LanguageTag(language),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return;
    }
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
}
