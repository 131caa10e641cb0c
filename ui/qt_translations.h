#pragma once

#include "platform/string_table.h"

// Loads Qt's own texts (the buttons of message boxes, the file and folder
// dialogs) in the user-interface language, so that the windows Qt draws for
// the program speak the same language as the program's own. English needs
// nothing; a missing translation leaves Qt's English texts.
void LoadQtTranslations(platform::UiLanguage language);
