#pragma once

#include <optional>
#include <string>

class QWidget;

// The folder chooser of the settings dialogs, owned by owner and titled
// "Please choose a directory." (string 122), folders only: the chosen
// folder's path as the file system's bytes. Nothing when it was cancelled,
// or when the path is longer than "config.ini" keeps (see KeepableWorkFolder).
std::optional<std::string> ChooseWorkFolder(QWidget* owner);

// Whether "config.ini" keeps folder whole; a cut path would name another
// folder. When it does not, the operator is told so.
bool KeepableWorkFolder(const std::string& folder);
