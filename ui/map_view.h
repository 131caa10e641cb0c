#pragma once

#include <QAbstractScrollArea>
#include <QSize>

#include "ui/command_target.h"
#include "ui/preview_line_layer.h"

class CTOLVEXR5DServerDoc;

// The preview pane below the job list: draws the prepared plot slot that the
// document's PreviewMode names (1 the file, slot 1; 5 the output, slot 2),
// its height filling the pane at a zoom of 100 percent. During a job the
// output preview marks the packet being printed, otherwise the chosen start.
class CMapView : public QAbstractScrollArea, public CommandTarget {
    Q_OBJECT
public:
    static constexpr int kMinZoom = 20;
    static constexpr int kMaxZoom = 1000;

    explicit CMapView(CTOLVEXR5DServerDoc& document, QWidget* parent = nullptr);
    ~CMapView() override;

    // Publishes g_pMapView; the view's size becomes the client's.
    void OnInitialUpdate();

    int Zoom() const { return m_nZoom; }
    void SetZoom(int percent);
    // Repaints the whole view at the next paint.
    void Invalidate();
    // Repaints the whole view at once.
    void RedrawNow();

    void OnDisplayAll();
    void OnZoom100();
    void OnZoom50();
    void OnZoomIn();
    void OnZoomOut();

    // The scroll sizes: (cx, cy), each at least 100 pixels.
    void SetViewSize(int cx, int cy);
    QSize ViewSize() const { return m_viewSize; }

    bool HandlesCommand(unsigned id) const override;
    void OnCommand(unsigned id) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // The viewport's size changed.
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // The slot on show: 1 or 2 when PreviewMode names it and it is prepared;
    // -1 for the white pane alone.
    int ShownSlot() const;
    void UpdateScrollBars();

    CTOLVEXR5DServerDoc& m_document;
    int m_nZoom = 100;
    QSize m_viewSize{100, 100};
    PreviewLineLayer m_lineLayer;
    bool m_bLayingOut = false;  // a paint sets the scroll sizes and position
};

// The one preview, valid from its first update until the frame goes.
extern CMapView* g_pMapView;
