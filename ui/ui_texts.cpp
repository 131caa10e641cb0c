#include "ui/ui_texts.h"

#include <QStringDecoder>

#include "platform/string_table.h"
#include "platform/text_encoding.h"

QString UiString(unsigned id) { return QString::fromStdString(platform::LoadString(id)); }

QString UiItemText(unsigned resource, unsigned item) {
    return QString::fromStdString(platform::LoadItemText(resource, item));
}

QString CommandPrompt(unsigned id) { return UiString(id).section('\n', 0, 0); }

QString CommandTip(unsigned id) {
    const QString text = UiString(id);
    return text.contains('\n') ? text.section('\n', 1) : text;
}

QString DisplayText(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) return text;
    if (const auto gbk = platform::GbkToUtf8(bytes)) return QString::fromStdString(*gbk);
    return text;
}
