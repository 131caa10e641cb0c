#include "ui/settings_page.h"

#include <QKeyEvent>

CSettingsPage::CSettingsPage(unsigned templateId, QWidget* parent) : QWidget(parent), m_controls(*this, templateId, false) {}

void CSettingsPage::ShowValues(const ControlValues& values) { m_controls.Show(values); }

void CSettingsPage::CollectValues(ControlValues& values) const { m_controls.Collect(values); }

void CSettingsPage::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}
