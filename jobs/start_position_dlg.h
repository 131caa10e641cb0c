#pragma once

#include <QDialog>

class CFileView;
class QLineEdit;

// A start position counts only above this many centimetres.
inline constexpr double kLeastStartPosition = 0.0001;

// Asks for the start position of a held file in centimetres. Plot stores it
// in the view and ends with OK; Set stores it and shows the output preview
// with the start marked; Cancel ends without storing.
class CStartPositionDlg : public QDialog {
    Q_OBJECT
public:
    explicit CStartPositionDlg(QWidget* parent = nullptr);

    void OnBnClickedPlot();
    void OnBnClickedSet();
    void OnBnClickedCancel();

    CFileView* m_pView = nullptr;

private:
    // The edit's leading number (0 without one) into the view's
    // m_fStartPosition.
    void StoreStartPosition();

    QLineEdit* m_edit;
};
