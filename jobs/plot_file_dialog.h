#pragma once

#include <QStringList>
#include <string>
#include <vector>

class QWidget;

// The name filters of a filter text in the platform's form, pairs of a
// description and ";"-separated patterns joined by "|" and ended by "||"
// ("Plot files(*.plt; *.hpg)|*.plt; *.hpg||"), in the form the file dialog
// takes: "Plot files(*.plt; *.hpg) (*.plt *.hpg)".
QStringList QtNameFilters(const std::string& filter);

// Asks for plot files to add (string 129 as the filter, several files
// allowed); their paths as the file system spells them, in the order the
// dialog returns them; nothing when the operator cancels.
std::vector<std::string> ChoosePlotFiles(QWidget* parent);
