#include "ui/tab_config_sheet.h"

CTabConfigSheet::CTabConfigSheet(QWidget* parent) : QTabWidget(parent) {}

bool CTabConfigSheet::AddPage(const QString& title, QWidget* page) {
    if (static_cast<int>(m_pages.size()) >= kMaxPages) return false;
    m_pages.push_back({title, page});
    return true;
}

void CTabConfigSheet::Init() {
    for (const Page& page : m_pages) addTab(page.page, page.title);
    setCurrentIndex(0);
}
