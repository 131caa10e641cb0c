#pragma once

#include <cstdint>

#include "ui/settings_page.h"

class CParamConfigDlg;
class CTOLVEXR5DServerDoc;

// The "Advanced" page: resolution, Y step, plotting width and the plot
// speed, whose radios change the configuration at once and, with the speed
// settings ticked, show the joint correction of the chosen speed on the
// "Plotting" page.
class CAdvancedConfigDlg : public CSettingsPage {
    Q_OBJECT
public:
    CAdvancedConfigDlg(CTOLVEXR5DServerDoc& document, CParamConfigDlg& plottingPage, QWidget* parent = nullptr);

    void OnBnClickedLowSpeed() { OnSpeedClicked(0); }
    void OnBnClickedMiddleSpeed() { OnSpeedClicked(1); }
    void OnBnClickedHighSpeed() { OnSpeedClicked(2); }

private:
    void OnSpeedClicked(int32_t speed);

    CTOLVEXR5DServerDoc& m_document;
    CParamConfigDlg& m_plottingPage;
};
