#pragma once

class QLineEdit;
class QString;
class QWidget;

// A short tip under a field that refused a key, saying what the field takes
// ("0-9"), so that a refused key is not lost without a sign.
void ShowInputHint(QWidget& field, const QString& accepted);
// The edit shows that tip whenever it refuses what was typed or pasted.
void HintWhenInputRefused(QLineEdit& edit, const QString& accepted);
// The edit takes digits only.
void AcceptDigitsOnly(QLineEdit& edit);
