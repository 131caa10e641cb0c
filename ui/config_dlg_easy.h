#pragma once

#include <QDialog>
#include <cstdint>

class CTOLVEXR5DServerDoc;

// The common settings dialog.
class CConfigDlgEasy : public QDialog {
    Q_OBJECT
public:
    explicit CConfigDlgEasy(CTOLVEXR5DServerDoc& document, QWidget* parent = nullptr);

    // Opened during a job: shows the settings without letting them change.
    uint8_t m_bPlotting = 0;

private:
    CTOLVEXR5DServerDoc& m_document;
};
