#include "ui/ip_address_edit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "ui/network_addresses.h"

namespace {

constexpr int kFieldDigits = 3;

}  // namespace

CIpAddressEdit::CIpAddressEdit(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(0);
    const QRegularExpression octet("25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9]|");
    for (int i = 0; i < 4; ++i) {
        if (i > 0) layout->addWidget(new QLabel(".", this));
        auto* field = new QLineEdit(this);
        field->setFrame(false);
        field->setAlignment(Qt::AlignCenter);
        field->setMaxLength(kFieldDigits);
        field->setValidator(new QRegularExpressionValidator(octet, field));
        field->setFixedWidth(field->fontMetrics().horizontalAdvance("0000") + 4);
        field->installEventFilter(this);
        if (i < 3) {
            connect(field, &QLineEdit::textEdited, this, [this, i](const QString& text) {
                if (text.size() == kFieldDigits) m_fields[i + 1]->setFocus();
            });
        }
        m_fields[i] = field;
        layout->addWidget(field);
    }
    setFocusProxy(m_fields[0]);
}

void CIpAddressEdit::SetText(const std::string& text) {
    const AddressFields fields = ParseAddressFields(text);
    for (int i = 0; i < 4; ++i) m_fields[i]->setText(fields[i] ? QString::number(*fields[i]) : QString());
}

bool CIpAddressEdit::IsBlank() const {
    for (const QLineEdit* field : m_fields)
        if (!field->text().isEmpty()) return false;
    return true;
}

std::string CIpAddressEdit::Text() const {
    if (IsBlank()) return {};
    AddressFields fields;
    for (int i = 0; i < 4; ++i) fields[i] = m_fields[i]->text().toInt();
    return FormatAddress(fields);
}

bool CIpAddressEdit::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->text() == ".") {
        for (int i = 0; i < 3; ++i) {
            if (watched == m_fields[i]) {
                m_fields[i + 1]->setFocus();
                m_fields[i + 1]->selectAll();
                return true;
            }
        }
    }
    return QFrame::eventFilter(watched, event);
}
