#include "ui/settings_layout.h"

#include <QGridLayout>
#include <QLineEdit>

namespace {

constexpr int kNumberDigits = 10;

}  // namespace

void AddEditRow(QGridLayout& grid, int row, QWidget* label, QLineEdit* edit, QWidget* unit) {
    grid.addWidget(label, row, 0);
    grid.addWidget(NarrowEdit(edit), row, 1);
    if (unit != nullptr) grid.addWidget(unit, row, 2);
}

QLineEdit* NarrowEdit(QLineEdit* edit) {
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QString(kNumberDigits, '0')) + 12);
    return edit;
}
