#pragma once

#include <cstdint>

#include "ui/settings_page.h"

class CTOLVEXR5DServerDoc;

// The "Plotting" page: scale correction, origin, line skip, the turning and
// queueing flags, and the joint correction with its own "Set", which
// stores and saves it at once (also while the dialog is read-only).
class CParamConfigDlg : public CSettingsPage {
    Q_OBJECT
public:
    explicit CParamConfigDlg(CTOLVEXR5DServerDoc& document, QWidget* parent = nullptr);

    void OnBnClickedSetJointCorrection();
    // Edit 1008 shows value.
    void ShowJointCorrection(int32_t value);

signals:
    // "Set" wrote the configuration in memory to "config.ini".
    void configurationSaved();

private:
    CTOLVEXR5DServerDoc& m_document;
};
