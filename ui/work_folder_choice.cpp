#include "ui/work_folder_choice.h"

#include <QFile>
#include <QFileDialog>
#include <QStandardPaths>

#include "platform/ini_file.h"
#include "ui/ui_texts.h"

namespace {

constexpr unsigned kChooseDirectoryTitle = 122;

}  // namespace

std::optional<std::string> ChooseWorkFolder(QWidget* owner) {
    const QString folder =
        QFileDialog::getExistingDirectory(owner, UiString(kChooseDirectoryTitle),
                                          QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    if (folder.isEmpty()) return std::nullopt;
    const QByteArray bytes = QFile::encodeName(folder);
    if (static_cast<size_t>(bytes.size()) > platform::IniFile::kMaxTextLength) return std::nullopt;
    return bytes.toStdString();
}
