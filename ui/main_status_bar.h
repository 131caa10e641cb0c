#pragma once

#include <QStatusBar>
#include <array>

class QLabel;
class QProgressBar;

// The status bar: pane 0 shows the prompts ("Ready" when idle), pane 1 holds
// the progress bar, panes 2 to 6 the percentage, connection, task, position
// and run-state texts.
class CMainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kPaneCount = 7;

    explicit CMainStatusBar(QWidget* parent = nullptr);

    // Sets the text of pane 2 to 6 without repainting it.
    void SetPaneText(int pane, const QString& text);
    QString PaneText(int pane) const;
    QProgressBar* ProgressBar() const { return m_progress; }

private:
    std::array<QLabel*, kPaneCount> m_panes{};
    QProgressBar* m_progress = nullptr;
};

// The main frame's status bar, published when the frame is built.
extern CMainStatusBar* g_pStatusBar;
