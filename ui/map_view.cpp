#include "ui/map_view.h"

#include <QPainter>

#include "res/resource_ids.h"

CMapView* g_pMapView = nullptr;

CMapView::CMapView(CTOLVEXR5DServerDoc& document, QWidget* parent) : QAbstractScrollArea(parent), m_document(document) {
    setFocusPolicy(Qt::StrongFocus);
}

CMapView::~CMapView() {
    if (g_pMapView == this) g_pMapView = nullptr;
}

void CMapView::OnInitialUpdate() { g_pMapView = this; }

void CMapView::SetZoom(int percent) { m_nZoom = percent; }

void CMapView::Invalidate() { viewport()->update(); }

void CMapView::RedrawNow() { viewport()->repaint(); }

bool CMapView::HandlesCommand(unsigned id) const {
    switch (id) {
        case res::ID_DISPLAY_ALL:
        case res::ID_ZOOM_100:
        case res::ID_ZOOM_50:
        case res::ID_ZOOM_IN:
        case res::ID_ZOOM_OUT:
            return true;
        default:
            return false;
    }
}

void CMapView::OnCommand(unsigned) { Invalidate(); }

void CMapView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::white);
}
