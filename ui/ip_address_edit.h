#pragma once

#include <QFrame>
#include <array>
#include <optional>
#include <string>

class QLineEdit;

// An IPv4 address control: four fields of 0 to 255 between dots. "." or a
// third digit moves to the next field.
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
    std::array<QLineEdit*, 4> m_fields{};
};
