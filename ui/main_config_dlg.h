#pragma once

#include <QDialog>
#include <cstdint>

class CAdvancedConfigDlg;
class CNetworkSetting;
class COthersConfigDlg;
class CParamConfigDlg;
class CSystemConfigDlg;
class CTabConfigSheet;
class CTOLVEXR5DServerDoc;
class QPushButton;

// The settings dialog with its five pages: "System", "Plotting",
// "Advanced", "Others", "Net". Opening reads "config.ini" again and fills
// the pages; Save reads them back and writes "config.ini"; Cancel, Esc,
// Enter and the close box store nothing and put back the speed choice that
// the "Advanced" page changed in memory. Every ending stops a running
// change of the plotter's address.
class CMainConfigDlg : public QDialog {
    Q_OBJECT
public:
    explicit CMainConfigDlg(CTOLVEXR5DServerDoc& document, QWidget* parent = nullptr);
    ~CMainConfigDlg() override;

    // Opened during a job: only the joint correction can change (with its
    // own "Set"). Set by the opener before the dialog is shown.
    bool m_bReadOnly = false;

    void ReloadSettings();
    void FillPagesFromSettings();
    void ReadPagesIntoSettings();
    void OnBnClickedSave();
    void OnBnClickedCancel() { reject(); }

    CTabConfigSheet& TabSheet() const { return *m_tabSheet; }
    CSystemConfigDlg& SystemPage() const { return *m_systemPage; }
    CParamConfigDlg& PlottingPage() const { return *m_plottingPage; }
    CAdvancedConfigDlg& AdvancedPage() const { return *m_advancedPage; }
    COthersConfigDlg& OthersPage() const { return *m_othersPage; }
    CNetworkSetting& NetworkPage() const { return *m_networkPage; }
    QPushButton& SaveButton() const { return *m_saveButton; }

    void reject() override;
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnInitDialog();
    void DisableForReadOnly();
    // The speed choice as "config.ini" holds it: on opening and after "Set".
    void KeepSavedSpeedChoice();

    CTOLVEXR5DServerDoc& m_document;
    CTabConfigSheet* m_tabSheet = nullptr;
    CSystemConfigDlg* m_systemPage = nullptr;
    CParamConfigDlg* m_plottingPage = nullptr;
    CAdvancedConfigDlg* m_advancedPage = nullptr;
    COthersConfigDlg* m_othersPage = nullptr;
    CNetworkSetting* m_networkPage = nullptr;
    QPushButton* m_saveButton = nullptr;
    bool m_initialised = false;
    int32_t m_savedSpeed = 0;
    int32_t m_savedJointCorrection = 0;
};
