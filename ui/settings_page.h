#pragma once

#include <QWidget>

#include "ui/dialog_controls.h"

struct ControlValues;

// A page of the settings dialog: its controls by id, filled from and read
// into the values of the configuration. Esc and Enter pressed anywhere on
// the page do nothing, so that they never close the settings dialog.
class CSettingsPage : public QWidget {
    Q_OBJECT
public:
    CSettingsPage(unsigned templateId, QWidget* parent);

    DialogControls& Controls() { return m_controls; }
    virtual void ShowValues(const ControlValues& values);
    virtual void CollectValues(ControlValues& values) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

    DialogControls m_controls;
};
