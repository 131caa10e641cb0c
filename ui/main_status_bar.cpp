#include "ui/main_status_bar.h"

#include <QLabel>
#include <QProgressBar>
#include <algorithm>

#include "ui/ui_texts.h"

CMainStatusBar* g_pStatusBar = nullptr;

namespace {

constexpr unsigned kIdlePrompt = 57345;
// The pane ids, whose strings are the panes' initial texts; pane 0 has none.
constexpr unsigned kPaneIds[CMainStatusBar::kPaneCount] = {0, 145, 59146, 59147, 59143, 59144, 59145};
// Fixed texts that the connection, task and run-state panes show later
// ("Online", "Offline"; "Plotting", "Finished"; "Print", "Stopped  ").
constexpr unsigned kLaterTexts[CMainStatusBar::kPaneCount][2] = {{}, {}, {}, {138, 139}, {141, 123}, {}, {165, 163}};
constexpr int kPercentPaneWidth = 60;
constexpr int kProgressPane = 1;
constexpr int kPercentPane = 2;

}  // namespace

CMainStatusBar::CMainStatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
    m_panes[0] = new QLabel(UiString(kIdlePrompt), this);
    addWidget(m_panes[0], 1);
    for (int pane = kProgressPane; pane < kPaneCount; ++pane) {
        const QString initial = UiString(kPaneIds[pane]);
        // A pane is as wide as its initial text, or as the widest fixed text
        // it shows later; a longer text (a job's path) is cut, its whole
        // text shown as the tooltip.
        int textWidth = fontMetrics().horizontalAdvance(initial);
        for (const unsigned later : kLaterTexts[pane]) {
            if (later != 0) textWidth = std::max(textWidth, fontMetrics().horizontalAdvance(UiString(later)));
        }
        const int width = pane == kPercentPane ? kPercentPaneWidth : textWidth + 8;
        if (pane == kProgressPane) {
            m_progress = new QProgressBar(this);
            m_progress->setObjectName("progressBar");
            m_progress->setRange(0, 100);
            m_progress->setValue(0);
            m_progress->setTextVisible(false);
            m_progress->setFixedWidth(width);
            addPermanentWidget(m_progress);
            continue;
        }
        m_panes[pane] = new QLabel(initial, this);
        m_panes[pane]->setFixedWidth(width);
        m_panes[pane]->setFrameShape(QFrame::Panel);
        m_panes[pane]->setFrameShadow(QFrame::Sunken);
        addPermanentWidget(m_panes[pane]);
    }
}

void CMainStatusBar::SetPaneText(int pane, const QString& text) {
    if (pane <= kProgressPane || pane >= kPaneCount) return;
    m_panes[pane]->setText(text);
    m_panes[pane]->setToolTip(text);
}

QString CMainStatusBar::PaneText(int pane) const {
    return pane >= 0 && pane < kPaneCount && m_panes[pane] != nullptr ? m_panes[pane]->text() : QString();
}
