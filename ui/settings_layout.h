#pragma once

class QGridLayout;
class QLineEdit;
class QWidget;

// Layout helpers of the settings dialogs.

// One row of a form grid: label in column 0, edit in column 1 (sized for a
// number), unit in column 2 (if any).
void AddEditRow(QGridLayout& grid, int row, QWidget* label, QLineEdit* edit, QWidget* unit = nullptr);

// The edit, sized for a number of about ten digits.
QLineEdit* NarrowEdit(QLineEdit* edit);
