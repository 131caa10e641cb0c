#pragma once

#include "ui/settings_page.h"

// The "System" page: line width, head count, the four head rows with their
// offsets, nozzle width.
class CSystemConfigDlg : public CSettingsPage {
    Q_OBJECT
public:
    explicit CSystemConfigDlg(QWidget* parent = nullptr);
};
