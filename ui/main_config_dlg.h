#pragma once

#include <QDialog>

class CTOLVEXR5DServerDoc;

// The settings dialog with its five pages.
class CMainConfigDlg : public QDialog {
    Q_OBJECT
public:
    explicit CMainConfigDlg(CTOLVEXR5DServerDoc& document, QWidget* parent = nullptr);

    // Opened during a job: shows the settings without letting them change.
    bool m_bReadOnly = false;

private:
    CTOLVEXR5DServerDoc& m_document;
};
