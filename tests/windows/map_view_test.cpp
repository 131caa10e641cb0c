#include <gtest/gtest.h>

#include <QTest>
#include <QWheelEvent>

#include "jobs/file_view.h"
#include "res/resource_ids.h"
#include "tests/windows/preview_fixture.h"

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;

bool AllWhite(const QImage& picture) {
    QImage white(picture.size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    return picture == white;
}

using MapViewTest = PreviewTest;

TEST_F(MapViewTest, ZoomCommandsKeepTheZoomWithin20And1000) {
    struct Step {
        int from;
        unsigned command;
        int to;
    };
    for (const Step& step :
         {Step{990, res::ID_ZOOM_IN, 1000}, Step{1000, res::ID_ZOOM_IN, 1000}, Step{30, res::ID_ZOOM_OUT, 20},
          Step{20, res::ID_ZOOM_OUT, 20}, Step{300, res::ID_ZOOM_100, 100}, Step{300, res::ID_ZOOM_50, 50}}) {
        view.SetZoom(step.from);
        view.OnCommand(step.command);
        EXPECT_EQ(view.Zoom(), step.to) << step.from << " " << step.command;
    }
}

TEST_F(MapViewTest, DisplayAllFitsTheWidthOfARelativelyWiderDrawing) {
    SetClient({1000, 600});
    struct Case {
        int slot;
        float width, height;
        int zoom;  // from 300
    };
    for (const Case& c : {Case{-1, 0, 0, 300}, Case{SLOT_OUTPUT_PREVIEW, 3000, 1000, 55},
                          Case{SLOT_PREVIEW, 1000, 1000, 100}, Case{SLOT_PREVIEW, 3000, 0.01f, 300},
                          Case{SLOT_PREVIEW, 30000, 1, 20}}) {
        if (c.slot >= 0) Show(c.slot, {}, c.width, c.height);
        view.SetZoom(300);
        view.OnCommand(res::ID_DISPLAY_ALL);
        EXPECT_EQ(view.Zoom(), c.zoom) << c.width << " x " << c.height;
    }
}

TEST_F(MapViewTest, ModeWhoseSlotIsNotPreparedShowsWhiteOnly) {
    SetClient({400, 300});
    Show(SLOT_OUTPUT_PREVIEW, {{0, 0, 1000, 500}}, 1000, 500);
    document.PreviewMode = PREVIEW_FILE;
    EXPECT_TRUE(AllWhite(Picture()));
    document.PreviewMode = PREVIEW_OUTPUT;
    EXPECT_FALSE(AllWhite(Picture()));
}

TEST_F(MapViewTest, ViewSizeFollowsTheZoomWithAFloorOf100) {
    SetClient({60, 40});
    Show(SLOT_PREVIEW, {}, 10, 10);
    view.RedrawNow();
    EXPECT_EQ(view.ViewSize(), QSize(100, 100));
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 40);

    SetClient({400, 200});
    Show(SLOT_PREVIEW, {}, 3000, 1000);  // 5 units a pixel
    view.SetZoom(300);
    view.RedrawNow();
    EXPECT_EQ(view.ViewSize(), QSize(1800, 600));
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 1800 - view.viewport()->width());
}

TEST_F(MapViewTest, PointsAreCutToWholeUnitsThenToWholePixels) {
    // s = 1000 / 700 as a float, 1.42857146: 10 units are 6.99999 pixels.
    SetClient({500, 700});
    Show(SLOT_PREVIEW, {{10.9f, 100, 10.9f, 300}}, 1000, 1000);
    QImage picture = Picture();
    // x: trunc(10.9) = 10 -> 6, where 10.9 / s would give 7; y: 69 to 209.
    for (const auto& [x, y, colour] : {std::tuple{6, 69, kBlack}, std::tuple{6, 209, kBlack}, std::tuple{6, 68, kWhite},
                                       std::tuple{6, 210, kWhite}, std::tuple{7, 150, kWhite}}) {
        EXPECT_EQ(picture.pixel(x, y), colour) << x << "," << y;
    }
    view.SetZoom(140);  // trunc(6.99999 x 1.4) = 9
    picture = Picture();
    EXPECT_EQ(picture.pixel(9, 97), kBlack);
    EXPECT_EQ(picture.pixel(10, 150), kWhite);
}

TEST_F(MapViewTest, BandOfThePacketMovesByThePassCountEachPacket) {
    SetClient({1000, 400});
    Show(SLOT_OUTPUT_PREVIEW, {}, 2000, 800);  // 1000 pixels wide
    document.m_bPreviewShowsJob = 1;
    document.m_plan[SLOT_OUTPUT_PREVIEW].m_nStartOffset = 300;  // no start line during a job
    SwathPlan& print = document.m_plan[SLOT_PRINT];
    print.m_nSwathCount = 16;  // 62.5 pixels a swath
    print.m_nPasses = 2;
    for (const int current : {0, 2, 4}) {
        print.m_nCurrentSwath = current;
        const int left = static_cast<int>(62.5 * current);
        const int right = static_cast<int>(62.5 * (current + 2));
        const QImage picture = Picture();
        EXPECT_EQ(picture.pixel(left, 200), 0xFFA00000) << current;
        EXPECT_EQ(picture.pixel(right - 1, 399), 0xFFA00000);
        EXPECT_EQ(picture.pixel(left + 1, 1), 0xFFC0C0C0);
        EXPECT_EQ(picture.pixel(right, 200), kWhite);
    }
    print.m_nSwathCount = 0;
    EXPECT_TRUE(AllWhite(Picture()));
}

TEST_F(MapViewTest, StartLineIsDrawnRedAndTheViewScrollsToItsPage) {
    SetClient({500, 300});
    Show(SLOT_OUTPUT_PREVIEW, {{0, 150, 6000, 150}}, 6000, 600);  // 2 units a pixel
    view.SetZoom(300);
    document.m_plan[SLOT_OUTPUT_PREVIEW].m_nStartOffset = 1234;  // 1851 pixels at zoom 300
    ScrollTo(0, 200);
    const QImage picture = Picture();
    EXPECT_EQ(Origin(), QPoint(1500, 0));  // the page of 1851 in pages of 500
    EXPECT_EQ(picture.pixel(349, 10), kWhite);
    for (const int x : {350, 351, 352}) EXPECT_EQ(picture.pixel(x, 10), 0xFFFF0000) << x;
    EXPECT_EQ(picture.pixel(353, 10), kWhite);
    EXPECT_EQ(picture.pixel(351, 225), kBlack) << "the lines lie over the start line";
}

TEST_F(MapViewTest, WheelUpPagesUpOrWithTheRightButtonHeldLeft) {
    Show(SLOT_PREVIEW, {}, 8000, 600);
    view.SetZoom(500);
    SetClient({400, 300});
    for (const Qt::MouseButton button : {Qt::NoButton, Qt::RightButton}) {
        ScrollTo(2000, 600);
        QWheelEvent up({10, 10}, view.mapToGlobal(QPointF(10, 10)), {}, {0, 120}, button, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.viewport(), &up);
        // The scroll area's own wheel handling scrolls some lines up after the page.
        if (button == Qt::RightButton) {
            EXPECT_EQ(Origin().x(), 2000 - view.horizontalScrollBar()->pageStep());
        } else {
            EXPECT_EQ(Origin().x(), 2000);
            EXPECT_LE(Origin().y(), 600 - view.verticalScrollBar()->pageStep());
        }
    }
}

TEST_F(MapViewTest, AClickMakesThePreviewThePaneThatZoomCommandsReach) {
    CMainFrame& frame = window.Frame();
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    CMapView& preview = *frame.GetMapView();
    QTest::mouseClick(preview.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_EQ(frame.ActivePane(), &preview);
    frame.RouteCommand(res::ID_ZOOM_IN);
    EXPECT_EQ(preview.Zoom(), 120);
    frame.RouteCommand(res::ID_NEXT_PANE);
    frame.RouteCommand(res::ID_ZOOM_IN);
    EXPECT_EQ(preview.Zoom(), 120) << "the job list is active";
}

TEST_F(MapViewTest, PreviewOfARowPaintsThePreparedFileAtZoom100) {
    window.AddPlotFile("square.plt", "IN;PU0,0;PD4000,0,4000,2000,0,2000,0,0;PU;");
    CFileView jobList(document);
    jobList.Rows().AppendRow({"", window.WorkFolder() + "/square.plt", "1", "* * *", ""});
    jobList.SetSelectionMark(0);
    SetClient({600, 400});
    view.SetZoom(300);
    jobList.OnPreview();
    EXPECT_EQ(view.Zoom(), 100);
    const QImage picture = Picture();
    // The height fills the client: the top edge on row 0, the bottom edge
    // (2000 units, 5 a pixel) on row 400, just below it.
    EXPECT_EQ(picture.pixel(100, 0), kBlack);
    EXPECT_EQ(picture.pixel(0, 200), kBlack);
    EXPECT_EQ(picture.pixel(100, 399), kWhite);
}

}  // namespace
