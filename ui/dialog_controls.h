#pragma once

#include <initializer_list>
#include <map>

class QAbstractButton;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
struct ControlValues;

// The controls of one dialog template: made with their texts in the user
// interface's language and found again by control id, as a dialog finds
// its items. The controls are children of the owner.
class DialogControls {
public:
    enum class EditKind { Text, Digits, ReadOnly };

    // Enter presses the focused push button only when buttonsTakeEnter is
    // true; a page of the settings dialog lets no button take it.
    DialogControls(QWidget& owner, unsigned templateId, bool buttonsTakeEnter = true);

    // A static text (item: its control id, or its place for a text without
    // one) and a group box.
    QLabel* Static(unsigned item);
    QGroupBox* Group(unsigned item) const;
    // Any other control, to be found by its id.
    void Add(unsigned id, QWidget* control);

    QLineEdit* Edit(unsigned id, EditKind kind = EditKind::Text);
    QCheckBox* Check(unsigned id);
    QRadioButton* Radio(unsigned id);
    QPushButton* Button(unsigned id);
    // Makes radios one group: clicking one clears the others, while ticks
    // set by the program stand as set, so that several may show ticked.
    void MakeRadioGroup(std::initializer_list<unsigned> ids);

    QWidget* Control(unsigned id) const;
    QLineEdit* EditOf(unsigned id) const;
    QAbstractButton* ButtonOf(unsigned id) const;
    void Enable(std::initializer_list<unsigned> ids, bool enabled) const;

    // Every edit's text and every box's tick that values hold / into values.
    void Show(const ControlValues& values) const;
    void Collect(ControlValues& values) const;

private:
    QWidget& m_owner;
    unsigned m_template;
    bool m_buttonsTakeEnter;
    std::map<unsigned, QLineEdit*> m_edits;
    std::map<unsigned, QAbstractButton*> m_buttons;
    std::map<unsigned, QWidget*> m_others;
};
