#include "ui/work_folder_choice.h"

#include <QFile>
#include <QFileDialog>
#include <QStandardPaths>

#include "platform/ini_file.h"
#include "platform/message_box.h"
#include "ui/ui_texts.h"

namespace {

constexpr unsigned kChooseDirectoryTitle = 122;
constexpr unsigned kFolderTooLong = 171;

}  // namespace

std::optional<std::string> ChooseWorkFolder(QWidget* owner) {
    const QString folder =
        QFileDialog::getExistingDirectory(owner, UiString(kChooseDirectoryTitle),
                                          QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    if (folder.isEmpty()) return std::nullopt;
    std::string bytes = QFile::encodeName(folder).toStdString();
    if (!KeepableWorkFolder(bytes)) return std::nullopt;
    return bytes;
}

bool KeepableWorkFolder(const std::string& folder) {
    if (folder.size() <= platform::IniFile::kMaxTextLength) return true;
    platform::ShowMessage({UiString(kFolderTooLong).toStdString(), "", platform::MessageButtons::Ok,
                           platform::MessageIcon::Exclamation});
    return false;
}
