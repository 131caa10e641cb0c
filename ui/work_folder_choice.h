#pragma once

#include <optional>
#include <string>

class QWidget;

// The folder chooser of the settings dialogs, owned by owner and titled
// "Please choose a directory." (string 122), folders only: the chosen
// folder's path as the file system's bytes. Nothing when it was cancelled,
// or when the path is longer than "config.ini" keeps (a cut path would name
// another folder).
std::optional<std::string> ChooseWorkFolder(QWidget* owner);
