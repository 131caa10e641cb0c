#pragma once

#include <QDialog>

class CFileView;

// Asks for the start position of a held file in centimetres. Plot stores it
// in the view and ends with OK; Set stores it and shows the output preview
// with the start marked; Cancel ends without storing.
class CStartPositionDlg : public QDialog {
    Q_OBJECT
public:
    explicit CStartPositionDlg(QWidget* parent = nullptr);

    CFileView* m_pView = nullptr;
};
