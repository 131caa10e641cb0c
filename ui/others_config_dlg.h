#pragma once

#include <string>

#include "ui/settings_page.h"

// The "Others" page: the work folder (chosen with "Browse", never typed),
// the label font size, the head-clearing level, the fans and the file-name
// label.
class COthersConfigDlg : public CSettingsPage {
    Q_OBJECT
public:
    explicit COthersConfigDlg(QWidget* parent = nullptr);

    void ShowValues(const ControlValues& values) override;
    void CollectValues(ControlValues& values) const override;

    void OnBnClickedBrowse();

private:
    void ShowWorkFolder(std::string folder);

    // The folder as its bytes: the edit shows it in readable form.
    std::string m_workFolder;
};
