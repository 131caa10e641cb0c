#include "ui/input_hint.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolTip>

void ShowInputHint(QWidget& field, const QString& accepted) {
    QToolTip::showText(field.mapToGlobal(QPoint(0, field.height())), accepted, &field);
}

void HintWhenInputRefused(QLineEdit& edit, const QString& accepted) {
    QObject::connect(&edit, &QLineEdit::inputRejected, &edit, [&edit, accepted] { ShowInputHint(edit, accepted); });
}

void AcceptDigitsOnly(QLineEdit& edit) {
    edit.setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), &edit));
    HintWhenInputRefused(edit, "0-9");
}
