#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

#include "ui/dialog_controls.h"

class CTOLVEXR5DServerDoc;

// The common settings dialog: the ink box positions (moved by +/- in
// memory), page width, line width, work folder, origin, joint correction
// and the plotting flags. Opening takes over the toolbar's origin; Save And
// Exit stores and saves everything (not while the folder is too long for
// "config.ini") and shows the origin in the toolbar, Set the joint
// correction (with the moves so far); Cancel, Esc and the close box read
// "config.ini" again, dropping every change not saved.
class CConfigDlgEasy : public QDialog {
    Q_OBJECT
public:
    explicit CConfigDlgEasy(CTOLVEXR5DServerDoc& document, QWidget* parent = nullptr);

    // Opened during a job: only the joint correction can change. Set by the
    // opener before the dialog is shown.
    uint8_t m_bPlotting = 0;

    DialogControls& Controls() { return m_controls; }
    void UpdateControls();
    // box: 0 to 3.
    void OnBnClickedBoxPlus(int box);
    void OnBnClickedBoxMinus(int box);
    void OnBnClickedSaveAndExit();
    void OnBnClickedCancel() { reject(); }
    void OnBnClickedBrowse();
    void OnBnClickedSetJointCorrection();

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnInitDialog();
    void TakeOverToolbarOrigin();
    void EnableInkBoxes();
    void MoveBox(int box, int32_t step);
    void ShowWorkFolder(std::string folder);
    // The folder edit's text as bytes: the shown folder's own bytes while
    // the edit shows it unchanged.
    std::string WorkFolderText() const;

    CTOLVEXR5DServerDoc& m_document;
    DialogControls m_controls;
    std::string m_workFolder;
    bool m_initialised = false;
};
