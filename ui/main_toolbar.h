#pragma once

#include <QToolBar>

class CTOLVEXR5DServerDoc;
class QLabel;
class QLineEdit;

// The main toolbar; its last entry is the origin group: "Origin Point:", the
// edit that holds EdLeftValue in whole millimetres, and "mm".
class CMainToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit CMainToolBar(QWidget* parent = nullptr);

    // Builds the origin group in a 305-pixel gap at the end of the toolbar.
    void AddOriginGroup();
    // Takes the origin edit's millimetres into the document's configuration
    // (below 0: 0, with the left margin in dots), shows the value taken and
    // saves "config.ini"; nothing when it equals the stored origin or shows
    // it as this edit does.
    void TakeOverOrigin(CTOLVEXR5DServerDoc& document);

    QLineEdit* m_wndOriginEdit = nullptr;
    QLabel* m_wndOriginLabel = nullptr;
    QLabel* m_wndUnitLabel = nullptr;

signals:
    // The origin edit lost the keyboard focus.
    void originFocusLost();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The one main toolbar, built by the main frame.
extern CMainToolBar* g_wndMainToolBar;

// The origin edit of the main toolbar, when there is one, shows the
// document's origin: after a settings dialog saved it, so that the next
// take-over does not bring back the old one.
void ShowOriginInToolbar(CTOLVEXR5DServerDoc& document);
