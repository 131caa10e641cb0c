#pragma once

#include <QString>
#include <string>

// The user-interface texts of the current language as Qt strings.
QString UiString(unsigned id);
QString UiItemText(unsigned resource, unsigned item);
// A command's flyby prompt (the text of its string before "\n") and its
// tooltip (the text after it; the whole text when it has no "\n").
QString CommandPrompt(unsigned id);
QString CommandTip(unsigned id);

// A byte text (a file name as the file system holds it) in readable form:
// UTF-8 when it is valid UTF-8, else GBK when it is valid GBK, else UTF-8
// with its bad bytes replaced.
QString DisplayText(const std::string& bytes);
