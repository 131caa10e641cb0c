#include "ui/map_view.h"

#include <QPainter>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "core/document.h"
#include "core/numeric.h"
#include "res/resource_ids.h"

CMapView* g_pMapView = nullptr;

namespace {

constexpr int kMinViewSize = 100;
constexpr int kZoomStep = 20;
// Display All leaves the zoom alone for a ratio of size to client below this.
constexpr float kSmallestRatio = 0.0001f;
const QColor kBandPen(160, 0, 0);
const QColor kBandBrush(192, 192, 192);
const QColor kStartLine(255, 0, 0);
constexpr int kStartLineWidth = 3;

// Fills the view's rectangle [left, right) x [top, bottom) where it is on
// show in the client area whose top-left corner lies at origin.
void FillViewRect(QPainter& painter, QPoint origin, QSize client, int64_t left, int64_t top, int64_t right,
                  int64_t bottom, const QColor& colour) {
    left = std::max<int64_t>(left, origin.x());
    top = std::max<int64_t>(top, origin.y());
    right = std::min<int64_t>(right, int64_t{origin.x()} + client.width());
    bottom = std::min<int64_t>(bottom, int64_t{origin.y()} + client.height());
    if (left >= right || top >= bottom) return;
    painter.fillRect(static_cast<int>(left - origin.x()), static_cast<int>(top - origin.y()),
                     static_cast<int>(right - left), static_cast<int>(bottom - top), colour);
}

// The band of the packet being printed: the rectangle [left, right) x
// [0, bottom) outlined one pixel wide in the pen's colour, filled light gray.
void DrawBand(QPainter& painter, QPoint origin, QSize client, int64_t left, int64_t right, int64_t bottom) {
    FillViewRect(painter, origin, client, left, 0, right, bottom, kBandPen);
    FillViewRect(painter, origin, client, left + 1, 1, right - 1, bottom - 1, kBandBrush);
}

// The print job's progress as the worker leaves it, read once per paint.
struct PrintProgress {
    int32_t swathCount;
    int32_t currentSwath;
    int32_t passes;
};

PrintProgress ReadPrintProgress(const SwathPlan& plan) {
    return {plan.m_nSwathCount, plan.m_nCurrentSwath, plan.m_nPasses};
}

}  // namespace

CMapView::CMapView(CTOLVEXR5DServerDoc& document, QWidget* parent) : QAbstractScrollArea(parent), m_document(document) {
    setObjectName("mapView");
    setFocusPolicy(Qt::StrongFocus);
    // The horizontal bar stays: the scale follows the client's height, and a
    // bar that came and went with the drawing's width would change it.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

CMapView::~CMapView() {
    if (g_pMapView == this) g_pMapView = nullptr;
}

void CMapView::OnInitialUpdate() {
    g_pMapView = this;
    SetViewSize(viewport()->width(), viewport()->height());
}

void CMapView::SetZoom(int percent) { m_nZoom = percent; }

void CMapView::Invalidate() { viewport()->update(); }

void CMapView::RedrawNow() { viewport()->repaint(); }

void CMapView::OnDisplayAll() {
    const int slot = m_document.m_bSlotPrepared[SLOT_PREVIEW]          ? SLOT_PREVIEW
                     : m_document.m_bSlotPrepared[SLOT_OUTPUT_PREVIEW] ? SLOT_OUTPUT_PREVIEW
                                                                       : -1;
    if (slot < 0) return;
    const Drawing& drawing = m_document.m_interpreter[slot].m_drawing;
    const int cw = viewport()->width();
    const int ch = viewport()->height();
    const float rx = drawing.m_fMaxX / static_cast<float>(cw);
    const float ry = drawing.m_fMaxY / static_cast<float>(ch);
    // Also refuses what an empty client or a broken size makes of them.
    if (!(rx >= kSmallestRatio && ry >= kSmallestRatio) || std::isinf(rx) || std::isinf(ry)) return;
    // W / H > cw / ch exactly: both products fit the long double's 64 bits.
    const bool wider = static_cast<long double>(drawing.m_fMaxX) * ch > static_cast<long double>(cw) * drawing.m_fMaxY;
    // A very wide drawing would need less than the smallest zoom, which the
    // pane shows as nothing at all.
    SetZoom(wider ? std::clamp(TruncateToInt32Clamped(100.0 * ry / rx), kMinZoom, kMaxZoom) : 100);
    Invalidate();
}

void CMapView::OnZoom100() {
    SetZoom(100);
    Invalidate();
}

void CMapView::OnZoom50() {
    SetZoom(50);
    Invalidate();
}

void CMapView::OnZoomIn() {
    SetZoom(static_cast<int>(std::clamp<int64_t>(int64_t{m_nZoom} + kZoomStep, kMinZoom, kMaxZoom)));
    Invalidate();
}

void CMapView::OnZoomOut() {
    SetZoom(static_cast<int>(std::clamp<int64_t>(int64_t{m_nZoom} - kZoomStep, kMinZoom, kMaxZoom)));
    Invalidate();
}

void CMapView::SetViewSize(int cx, int cy) {
    m_viewSize = QSize(std::max(cx, kMinViewSize), std::max(cy, kMinViewSize));
    UpdateScrollBars();
}

void CMapView::UpdateScrollBars() {
    const QSize client = viewport()->size();
    const auto set = [](QScrollBar* bar, int view, int page) {
        bar->setRange(0, std::max(0, view - page));
        bar->setPageStep(std::max(1, page));
        bar->setSingleStep(std::max(1, page / 10));
    };
    set(horizontalScrollBar(), m_viewSize.width(), client.width());
    set(verticalScrollBar(), m_viewSize.height(), client.height());
}

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

void CMapView::OnCommand(unsigned id) {
    switch (id) {
        case res::ID_DISPLAY_ALL:
            OnDisplayAll();
            break;
        case res::ID_ZOOM_100:
            OnZoom100();
            break;
        case res::ID_ZOOM_50:
            OnZoom50();
            break;
        case res::ID_ZOOM_IN:
            OnZoomIn();
            break;
        case res::ID_ZOOM_OUT:
            OnZoomOut();
            break;
        default:
            break;
    }
}

int CMapView::ShownSlot() const {
    int slot = -1;
    if (m_document.PreviewMode == PREVIEW_FILE) slot = SLOT_PREVIEW;
    if (m_document.PreviewMode == PREVIEW_OUTPUT) slot = SLOT_OUTPUT_PREVIEW;
    return slot >= 0 && m_document.m_bSlotPrepared[slot] ? slot : -1;
}

void CMapView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::white);
    const int slot = ShownSlot();
    if (slot < 0) return;
    const Drawing& drawing = m_document.m_interpreter[slot].m_drawing;
    const QSize client = viewport()->size();
    const PreviewScale scale(drawing.m_fMaxY, client.height(), m_nZoom);
    if (client.isEmpty() || !scale.IsUsable()) return;

    // The view's size, and for the output preview without a job the scroll
    // to the page of the start line, before anything is drawn at the final
    // scroll position.
    const int cx = std::max(scale.WholePixels(drawing.m_fMaxX), client.width());
    const int cy = std::max(scale.WholePixels(drawing.m_fMaxY), client.height());
    const bool showsJob = m_document.m_bPreviewShowsJob.load() != 0;
    const uint32_t startOffset = m_document.m_plan[SLOT_OUTPUT_PREVIEW].m_nStartOffset;
    const bool startLine = slot == SLOT_OUTPUT_PREVIEW && !showsJob && startOffset > 0;
    const int64_t startX = scale.WholePixels(startOffset);
    {
        const QScopedValueRollback layingOut(m_bLayingOut, true);
        SetViewSize(cx, cy);
        if (startLine) {
            horizontalScrollBar()->setValue(static_cast<int>(startX / client.width() * client.width()));
            verticalScrollBar()->setValue(0);
        }
    }
    const QPoint origin(horizontalScrollBar()->value(), verticalScrollBar()->value());

    // The band or the start line under the lines.
    if (slot == SLOT_OUTPUT_PREVIEW && showsJob) {
        const PrintProgress progress = ReadPrintProgress(m_document.m_plan[SLOT_PRINT]);
        if (progress.swathCount >= 1) {
            const float perSwath = static_cast<float>(scale.Pixels(drawing.m_fMaxX) / progress.swathCount);
            DrawBand(painter, origin, client, TruncateToInt32Clamped(double{perSwath} * progress.currentSwath),
                     TruncateToInt32Clamped(double{perSwath} * (int64_t{progress.currentSwath} + progress.passes)), cy);
        }
    } else if (startLine) {
        FillViewRect(painter, origin, client, startX - kStartLineWidth / 2, 0, startX + kStartLineWidth / 2 + 1, cy,
                     kStartLine);
    }

    painter.drawImage(QPoint(0, 0), m_lineLayer.LinesOnShow(slot, m_document.m_nSlotPreparations[slot], drawing.m_lines,
                                                            scale, origin, client));
}

void CMapView::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta != 0) {
        QScrollBar* bar = event->buttons() & Qt::RightButton ? horizontalScrollBar() : verticalScrollBar();
        bar->triggerAction(delta > 0 ? QAbstractSlider::SliderPageStepSub : QAbstractSlider::SliderPageStepAdd);
    }
    QAbstractScrollArea::wheelEvent(event);
}

void CMapView::resizeEvent(QResizeEvent*) { UpdateScrollBars(); }

void CMapView::scrollContentsBy(int, int) {
    if (!m_bLayingOut) viewport()->update();
}
