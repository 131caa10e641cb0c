#pragma once

#include <QFrame>
#include <array>
#include <string>

#include "ui/network_addresses.h"

class QKeyEvent;
class QLineEdit;

// An IPv4 address control: four fields of 0 to 255 between dots, typed as
// an address is typed anywhere. A third digit or a "." after digits moves to
// the next field; a field entered so or by Tab, and a field clicked, has its
// old text selected, so new digits replace it. Backspace, Left and Right
// cross into the neighbouring field at a field's edge, a pasted dotted
// address fills all four fields, and a refused key (a digit that would pass
// 255, a letter) shows the hint "0-255".
class CIpAddressEdit : public QFrame {
    Q_OBJECT
public:
    explicit CIpAddressEdit(QWidget* parent = nullptr);

    // Shows a dotted address; fields that text does not give stay empty.
    void SetText(const std::string& text);
    // Blank when every field is empty.
    bool IsBlank() const;
    // The dotted address, an empty field counting as 0; empty when blank.
    std::string Text() const;
    QLineEdit* Field(int index) const { return m_fields[index]; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowFields(const AddressFields& fields);
    int FieldIndex(const QObject* object) const;
    // Handles the keys that move between fields; false leaves the key to the field.
    bool OnFieldKey(int index, const QKeyEvent& key);
    // Focus into the field, its old text selected to be typed over.
    void Enter(int index);
    void Paste(int index);
    void ShowContextMenu(int index, const QPoint& globalPosition);

    std::array<QLineEdit*, 4> m_fields{};
};
