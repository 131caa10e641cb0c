#include "ui/main_toolbar.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <mutex>
#include <string>

#include "core/document.h"
#include "platform/c_numbers.h"
#include "res/resource_ids.h"
#include "ui/input_hint.h"
#include "ui/ui_texts.h"

CMainToolBar* g_wndMainToolBar = nullptr;

namespace {

constexpr unsigned kOriginPointLabel = 166;
constexpr unsigned kMillimetres = 167;
constexpr int kGroupWidth = 305;
constexpr int kLabelWidth = 80;
constexpr int kEditWidth = 30;
constexpr int kUnitWidth = 30;

// A width that holds text, at least minimum.
int FittingWidth(const QWidget& widget, const QString& text, int minimum) {
    return std::max(minimum, widget.fontMetrics().horizontalAdvance(text) + 4);
}

}  // namespace

CMainToolBar::CMainToolBar(QWidget* parent) : QToolBar(parent) {
    setMovable(false);
    setFloatable(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
}

void CMainToolBar::AddOriginGroup() {
    auto* group = new QWidget(this);
    auto* layout = new QHBoxLayout(group);
    layout->setContentsMargins(3, 0, 0, 0);
    layout->setSpacing(3);

    m_wndOriginLabel = new QLabel(UiString(kOriginPointLabel), group);
    m_wndOriginLabel->setFixedWidth(FittingWidth(*m_wndOriginLabel, m_wndOriginLabel->text(), kLabelWidth));
    layout->addWidget(m_wndOriginLabel);

    m_wndOriginEdit = new QLineEdit(group);
    m_wndOriginEdit->setObjectName("originEdit");
    m_wndOriginEdit->setAlignment(Qt::AlignCenter);
    AcceptDigitsOnly(*m_wndOriginEdit);
    m_wndOriginEdit->setFixedWidth(FittingWidth(*m_wndOriginEdit, "00000", kEditWidth));
    m_wndOriginEdit->installEventFilter(this);
    layout->addWidget(m_wndOriginEdit);
    layout->addSpacing(2);

    m_wndUnitLabel = new QLabel(UiString(kMillimetres), group);
    m_wndUnitLabel->setFixedWidth(FittingWidth(*m_wndUnitLabel, m_wndUnitLabel->text(), kUnitWidth));
    layout->addWidget(m_wndUnitLabel);
    layout->addStretch();

    group->setFixedWidth(std::max(kGroupWidth, group->sizeHint().width()));
    addWidget(group)->setProperty("commandId", res::ID_ORIGIN_EDIT);
}

void CMainToolBar::TakeOverOrigin(CTOLVEXR5DServerDoc& document) {
    const std::string text = m_wndOriginEdit->text().toStdString();
    const float origin = platform::ReadDecimalFloat(text);
    float taken = 0;
    {
        std::lock_guard lock(document.m_configLock);
        // The edit shows whole millimetres: a stored 250.4 shown as "250" is
        // not cut to 250.
        if (text == platform::FormatFixed(document.m_config.EdLeftValue, 0)) return;
        if (!::TakeOverOrigin(document.m_config, origin)) return;
        taken = document.m_config.EdLeftValue;
    }
    m_wndOriginEdit->setText(QString::fromStdString(platform::FormatFixed(taken, 0)));
    document.SaveConfig();
}

void ShowOriginInToolbar(CTOLVEXR5DServerDoc& document) {
    if (g_wndMainToolBar == nullptr || g_wndMainToolBar->m_wndOriginEdit == nullptr) return;
    float origin = 0;
    {
        std::lock_guard lock(document.m_configLock);
        origin = document.m_config.EdLeftValue;
    }
    g_wndMainToolBar->m_wndOriginEdit->setText(QString::fromStdString(platform::FormatFixed(origin, 0)));
}

bool CMainToolBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_wndOriginEdit && event->type() == QEvent::FocusOut) emit originFocusLost();
    return QToolBar::eventFilter(watched, event);
}
