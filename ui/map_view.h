#pragma once

#include <QAbstractScrollArea>

#include "ui/command_target.h"

class CTOLVEXR5DServerDoc;

// The preview pane below the job list: draws the prepared plot slot that the
// document's PreviewMode names, with a zoom in percent.
class CMapView : public QAbstractScrollArea, public CommandTarget {
    Q_OBJECT
public:
    explicit CMapView(CTOLVEXR5DServerDoc& document, QWidget* parent = nullptr);
    ~CMapView() override;

    // Publishes g_pMapView.
    void OnInitialUpdate();

    int Zoom() const { return m_nZoom; }
    void SetZoom(int percent);
    // Repaints the whole view at the next paint.
    void Invalidate();
    // Repaints the whole view at once.
    void RedrawNow();

    bool HandlesCommand(unsigned id) const override;
    void OnCommand(unsigned id) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CTOLVEXR5DServerDoc& m_document;
    int m_nZoom = 100;
};

// The one preview, valid from its first update until the frame goes.
extern CMapView* g_pMapView;
