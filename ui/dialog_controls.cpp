#include "ui/dialog_controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "ui/control_values.h"
#include "ui/input_hint.h"
#include "ui/ui_texts.h"

DialogControls::DialogControls(QWidget& owner, unsigned templateId, bool buttonsTakeEnter)
    : m_owner(owner), m_template(templateId), m_buttonsTakeEnter(buttonsTakeEnter) {}

QLabel* DialogControls::Static(unsigned item) {
    auto* label = new QLabel(UiItemText(m_template, item), &m_owner);
    Add(item, label);
    return label;
}

QGroupBox* DialogControls::Group(unsigned item) const {
    return new QGroupBox(UiItemText(m_template, item), &m_owner);
}

void DialogControls::Add(unsigned id, QWidget* control) {
    control->setObjectName(QString::number(id));
    m_others[id] = control;
}

QLineEdit* DialogControls::Edit(unsigned id, EditKind kind) {
    auto* edit = new QLineEdit(&m_owner);
    edit->setObjectName(QString::number(id));
    if (kind == EditKind::Digits) AcceptDigitsOnly(*edit);
    edit->setReadOnly(kind == EditKind::ReadOnly);
    m_edits[id] = edit;
    return edit;
}

QCheckBox* DialogControls::Check(unsigned id) {
    auto* box = new QCheckBox(UiItemText(m_template, id), &m_owner);
    box->setObjectName(QString::number(id));
    m_buttons[id] = box;
    return box;
}

QRadioButton* DialogControls::Radio(unsigned id) {
    auto* radio = new QRadioButton(UiItemText(m_template, id), &m_owner);
    radio->setObjectName(QString::number(id));
    radio->setAutoExclusive(false);
    m_buttons[id] = radio;
    return radio;
}

QPushButton* DialogControls::Button(unsigned id) {
    auto* button = new QPushButton(UiItemText(m_template, id), &m_owner);
    button->setObjectName(QString::number(id));
    button->setAutoDefault(m_buttonsTakeEnter);
    m_buttons[id] = button;
    return button;
}

void DialogControls::MakeRadioGroup(std::initializer_list<unsigned> ids) {
    std::vector<QAbstractButton*> group;
    for (const unsigned id : ids) group.push_back(ButtonOf(id));
    for (QAbstractButton* radio : group) {
        QObject::connect(radio, &QAbstractButton::clicked, radio, [radio, group] {
            for (QAbstractButton* other : group) other->setChecked(other == radio);
        });
    }
}

QWidget* DialogControls::Control(unsigned id) const {
    if (const auto edit = m_edits.find(id); edit != m_edits.end()) return edit->second;
    if (const auto button = m_buttons.find(id); button != m_buttons.end()) return button->second;
    const auto other = m_others.find(id);
    return other == m_others.end() ? nullptr : other->second;
}

QLineEdit* DialogControls::EditOf(unsigned id) const { return m_edits.at(id); }

QAbstractButton* DialogControls::ButtonOf(unsigned id) const { return m_buttons.at(id); }

void DialogControls::Enable(std::initializer_list<unsigned> ids, bool enabled) const {
    for (const unsigned id : ids) Control(id)->setEnabled(enabled);
}

void DialogControls::Show(const ControlValues& values) const {
    for (const auto& [id, edit] : m_edits)
        if (const auto text = values.texts.find(id); text != values.texts.end())
            edit->setText(QString::fromStdString(text->second));
    for (const auto& [id, button] : m_buttons)
        if (const auto tick = values.ticks.find(id); tick != values.ticks.end()) button->setChecked(tick->second);
}

void DialogControls::Collect(ControlValues& values) const {
    for (const auto& [id, edit] : m_edits) values.texts[id] = edit->text().toStdString();
    for (const auto& [id, button] : m_buttons)
        if (button->isCheckable()) values.ticks[id] = button->isChecked();
}
