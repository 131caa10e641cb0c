#include "ui/ip_address_edit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QRegularExpressionValidator>
#include <algorithm>

#include "ui/input_hint.h"

namespace {

constexpr int kFieldDigits = 3;
constexpr int kLastField = 3;
const char* const kOctetHint = "0-255";

bool AtStart(const QLineEdit& field) { return !field.hasSelectedText() && field.cursorPosition() == 0; }
bool AtEnd(const QLineEdit& field) { return !field.hasSelectedText() && field.cursorPosition() == field.text().size(); }
// Digits typed since the field was entered: not empty and not all selected.
bool HasTypedDigits(const QLineEdit& field) {
    return !field.text().isEmpty() && field.selectedText() != field.text();
}

}  // namespace

CIpAddressEdit::CIpAddressEdit(QWidget* parent) : QFrame(parent) {
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(0);
    // Leading zeros may be typed ("001"); the field shows the plain number
    // once it is left.
    const QRegularExpression octet("25[0-5]|2[0-4][0-9]|[01]?[0-9]?[0-9]|");
    for (int i = 0; i <= kLastField; ++i) {
        if (i > 0) layout->addWidget(new QLabel(".", this));
        auto* field = new QLineEdit(this);
        field->setFrame(false);
        field->setAlignment(Qt::AlignCenter);
        field->setMaxLength(kFieldDigits);
        field->setValidator(new QRegularExpressionValidator(octet, field));
        HintWhenInputRefused(*field, kOctetHint);
        field->setFixedWidth(field->fontMetrics().horizontalAdvance("0000") + 4);
        field->installEventFilter(this);
        if (i < kLastField) {
            connect(field, &QLineEdit::textEdited, this, [this, i, field](const QString& text) {
                if (text.size() == kFieldDigits && AtEnd(*field)) Enter(i + 1);
            });
        }
        m_fields[i] = field;
        layout->addWidget(field);
    }
    setFocusProxy(m_fields[0]);
}

void CIpAddressEdit::SetText(const std::string& text) { ShowFields(ParseAddressFields(text)); }

void CIpAddressEdit::ShowFields(const AddressFields& fields) {
    for (int i = 0; i <= kLastField; ++i)
        m_fields[i]->setText(fields[i] ? QString::number(*fields[i]) : QString());
}

bool CIpAddressEdit::IsBlank() const {
    return std::ranges::all_of(m_fields, [](const QLineEdit* field) { return field->text().isEmpty(); });
}

std::string CIpAddressEdit::Text() const {
    if (IsBlank()) return {};
    AddressFields fields;
    for (int i = 0; i <= kLastField; ++i) fields[i] = m_fields[i]->text().toInt();
    return FormatAddress(fields);
}

int CIpAddressEdit::FieldIndex(const QObject* object) const {
    const auto found = std::ranges::find(m_fields, object);
    return found == m_fields.end() ? -1 : static_cast<int>(found - m_fields.begin());
}

void CIpAddressEdit::Enter(int index) { m_fields[index]->setFocus(Qt::OtherFocusReason); }

bool CIpAddressEdit::eventFilter(QObject* watched, QEvent* event) {
    const int index = FieldIndex(watched);
    if (index < 0) return QFrame::eventFilter(watched, event);
    QLineEdit& field = *m_fields[index];
    switch (event->type()) {
        case QEvent::FocusIn: {
            // Focus moved here by Tab or by the program selects the old text;
            // coming back to the window keeps the cursor where it was.
            const Qt::FocusReason reason = static_cast<const QFocusEvent&>(*event).reason();
            if (reason != Qt::MouseFocusReason && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                field.selectAll();
            break;
        }
        case QEvent::MouseButtonPress:
            // A click selects the field's text, so that what is typed next
            // replaces it, also in the field being typed in.
            if (static_cast<const QMouseEvent&>(*event).button() != Qt::LeftButton) break;
            field.selectAll();
            return true;
        case QEvent::KeyPress:
            return OnFieldKey(index, static_cast<const QKeyEvent&>(*event));
        case QEvent::ContextMenu:
            ShowContextMenu(index, static_cast<const QContextMenuEvent&>(*event).globalPos());
            return true;
        case QEvent::FocusOut:
            if (!field.text().isEmpty()) field.setText(QString::number(field.text().toInt()));
            break;
        default:
            break;
    }
    return QFrame::eventFilter(watched, event);
}

bool CIpAddressEdit::OnFieldKey(int index, const QKeyEvent& key) {
    const QLineEdit& field = *m_fields[index];
    if (key.matches(QKeySequence::Paste)) {
        Paste(index);
        return true;
    }
    if (key.text() == ".") {
        // A "." in a field just entered belongs to the field before it.
        if (index < kLastField && HasTypedDigits(field)) Enter(index + 1);
        return true;
    }
    const bool backwards = key.key() == Qt::Key_Backspace || key.key() == Qt::Key_Left;
    if (backwards && index > 0 && AtStart(field)) {
        m_fields[index - 1]->setFocus(Qt::OtherFocusReason);
        m_fields[index - 1]->end(false);
        return true;
    }
    if (key.key() == Qt::Key_Right && index < kLastField && AtEnd(field)) {
        m_fields[index + 1]->setFocus(Qt::OtherFocusReason);
        m_fields[index + 1]->home(false);
        return true;
    }
    return false;
}

void CIpAddressEdit::Paste(int index) {
    const QString text = QGuiApplication::clipboard()->text().trimmed();
    if (!text.contains('.')) {
        m_fields[index]->paste();
        return;
    }
    const AddressFields fields = ParseAddressFields(text.toStdString());
    if (!IsWholeAddress(fields)) {
        ShowInputHint(*m_fields[index], kOctetHint);
        return;
    }
    ShowFields(fields);
    m_fields[kLastField]->setFocus(Qt::OtherFocusReason);
    m_fields[kLastField]->end(false);
}

void CIpAddressEdit::ShowContextMenu(int index, const QPoint& globalPosition) {
    QMenu* menu = m_fields[index]->createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction* action : menu->actions()) {
        if (action->objectName() != "edit-paste") continue;
        action->disconnect(m_fields[index]);
        connect(action, &QAction::triggered, this, [this, index] { Paste(index); });
    }
    menu->popup(globalPosition);
}
