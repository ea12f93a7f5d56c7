// Scroll bar types: flat bars on the grid's own scroll bars and the thin
// painted bars of the metro type, whose thumb follows the grid and scrolls
// it when dragged.

#include "AdvGridHints.h"
#include "AdvGridLook.h"
#include "AdvGridScrollBars.h"
#include "AdvGridTestKit.h"
#include "FlatScrollBars.h"
#include "TestHarness.h"
#include "ToolTips.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct TScrollGridForm {
    TScrollGridForm(int Rows, int Cols = 6)
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, 600, 500);
        Grid = Create<TTestAdvGrid>(Form);
        Grid->SetParent(Form);
        Grid->SetBorderStyle(bsNone);
        FillFixture(Grid, Cols, Rows);
        Grid->SetDefaultRowHeight(15);
        Grid->SetBounds(0, 0, 400, 336);
        Form->Show();
        PumpEvents();
    }
    ~TScrollGridForm() { Free(Form); }
    void Mouse(TScrollControl* s, QEvent::Type t, int X, int Y)
    {
        const Qt::MouseButton b = t == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(t, QPointF(X, Y), s->Widget()->mapToGlobal(QPointF(X, Y)), b, held, Qt::NoModifier);
        QApplication::sendEvent(s->Widget(), &e);
    }
    TForm* Form = nullptr;
    TTestAdvGrid* Grid = nullptr;
};

}  // namespace

TEST(AdvGridScrollType, MetroMakesThinBarsAndBackTakesThemAway)
{
    TScrollGridForm f(100);
    f.Grid->SetScrollType(ssMetro);
    TScrollControl* v = f.Grid->VertScrollControl();
    TScrollControl* h = f.Grid->HorzScrollControl();
    ASSERT_NE(v, nullptr);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(v->Parent(), f.Grid);
    EXPECT_EQ(v->Width(), 6);
    EXPECT_EQ(v->Align(), alRight);
    EXPECT_EQ(h->Height(), 6);
    EXPECT_EQ(h->Align(), alBottom);
    EXPECT_EQ(v->Direction(), sdVertical);
    EXPECT_EQ(h->Direction(), sdHorizontal);
    EXPECT_EQ(f.Grid->ScrollBars(), TScrollStyle::ssNone);
    f.Grid->SetScrollType(ssMetro);
    EXPECT_EQ(f.Grid->VertScrollControl(), v) << "the same value makes nothing new";
    f.Grid->SetScrollType(ssNormal);
    EXPECT_EQ(f.Grid->VertScrollControl(), nullptr);
    EXPECT_EQ(f.Grid->HorzScrollControl(), nullptr);
    EXPECT_EQ(f.Grid->ScrollBars(), TScrollStyle::ssBoth);
}

TEST(AdvGridScrollType, FlatPropertiesReachTheBars)
{
    TScrollGridForm f(100, 30);
    f.Grid->SetScrollType(ssFlat);
    EXPECT_TRUE(f.Grid->IsFlatScroll());
    EXPECT_EQ(FlatSB_GetScrollProp(f.Grid, WSB_PROP_VSTYLE), FSB_FLAT_MODE);
    EXPECT_EQ(FlatSB_GetScrollProp(f.Grid, WSB_PROP_HSTYLE), FSB_FLAT_MODE);
    EXPECT_FALSE(FlatSBStyleSheet(f.Grid, SB_VERT).isEmpty());
    EXPECT_EQ(FlatSB_GetScrollProp(f.Grid, WSB_PROP_VBKGCOLOR), -1) << "ScrollColor clNone sets no colour";
    f.Grid->SetScrollColor(clRed);
    EXPECT_EQ(FlatSB_GetScrollProp(f.Grid, WSB_PROP_VBKGCOLOR), clRed);
    EXPECT_EQ(FlatSB_GetScrollProp(f.Grid, WSB_PROP_HBKGCOLOR), clRed);
    const int systemBar = f.Grid->ScrollBarExtent(SB_VERT);
    f.Grid->SetScrollWidth(9);
    EXPECT_EQ(FlatSB_GetScrollProp(f.Grid, WSB_PROP_CXVSCROLL), 9);
    // The bar takes its own width and leaves the rest to the cells.
    EXPECT_EQ(f.Grid->ScrollBarWidget(SB_VERT)->width(), 9);
    EXPECT_EQ(f.Grid->ScrollBarWidget(SB_VERT)->x(), 400 - 9);
    f.Grid->SetScrollType(ssEncarta);
    EXPECT_EQ(FlatSB_GetScrollProp(f.Grid, WSB_PROP_VSTYLE), FSB_ENCARTA_MODE);
    EXPECT_TRUE(FlatSBStyleSheet(f.Grid, SB_VERT).contains(QLatin1String(":hover")));

    // A horizontal flat bar never shows while ScrollBars has only the vertical one.
    f.Grid->SetScrollBars(TScrollStyle::ssVertical);
    f.Grid->ShowScrollBar(SB_HORZ, false);
    f.Grid->UpdateFlatScrollBars();
    EXPECT_FALSE(f.Grid->ScrollBarVisible(SB_HORZ));
    EXPECT_TRUE(f.Grid->ScrollBarVisible(SB_VERT));

    f.Grid->SetScrollType(ssNormal);
    EXPECT_FALSE(f.Grid->IsFlatScroll());
    EXPECT_EQ(f.Grid->ScrollBarExtent(SB_VERT), systemBar) << "a plain bar has the system's width again";
    EXPECT_TRUE(FlatSBStyleSheet(f.Grid, SB_VERT).isEmpty());
    EXPECT_EQ(FlatSB_GetScrollProp(f.Grid, WSB_PROP_VSTYLE), -1);
}

TEST(AdvGridScrollControl, ThumbFollowsTheTopRow)
{
    struct Case {
        int Rows;
        int Top;
    };
    const Case cases[] = {{1001, 1}, {1001, 500}, {41, 1}, {41, 21}};
    for (const Case& c : cases) {
        TScrollGridForm f(c.Rows);
        f.Grid->SetScrollType(ssMetro);
        PumpEvents();
        TScrollControl* v = f.Grid->VertScrollControl();
        ASSERT_NE(v, nullptr);
        f.Grid->SetTopRow(c.Top);
        const int fixedH = f.Grid->RowHeights(0);
        const int track = v->TrackLength();
        EXPECT_EQ(track, v->Height() - fixedH);
        int start = 0, len = 0;
        v->ThumbPlace(start, len);
        const int visible = f.Grid->VisibleRowCount();
        const int wantLen = std::max(20, int(std::lround(double(track) * visible / c.Rows)));
        EXPECT_EQ(len, wantLen) << c.Rows;
        const int top = f.Grid->TopRow();
        int wantStart = fixedH + int(std::lround(double(track) * (top - 1) / (c.Rows - 1)));
        if (wantStart + len > v->Height()) wantStart = v->Height() - len;
        EXPECT_EQ(start, wantStart) << c.Rows << " top " << top;
    }
}

TEST(AdvGridScrollControl, ClicksPageAndDragScrolls)
{
    TScrollGridForm f(200);
    f.Grid->SetScrollType(ssMetro);
    PumpEvents();
    TScrollControl* v = f.Grid->VertScrollControl();
    ASSERT_NE(v, nullptr);
    const int visible = f.Grid->VisibleRowCount();
    int start = 0, len = 0;
    v->ThumbPlace(start, len);
    f.Mouse(v, QEvent::MouseButtonPress, 3, start + len + 10);
    f.Mouse(v, QEvent::MouseButtonRelease, 3, start + len + 10);
    EXPECT_EQ(f.Grid->TopRow(), 1 + visible) << "a page forward";
    v->ThumbPlace(start, len);
    f.Mouse(v, QEvent::MouseButtonPress, 3, start - 2);
    f.Mouse(v, QEvent::MouseButtonRelease, 3, start - 2);
    EXPECT_EQ(f.Grid->TopRow(), 1) << "a page back";

    v->ThumbPlace(start, len);
    f.Mouse(v, QEvent::MouseButtonPress, 3, start + 2);
    EXPECT_TRUE(v->Dragging());
    const int span = v->Height() - f.Grid->RowHeights(0);
    f.Mouse(v, QEvent::MouseMove, 3, start + 2 + 50);
    EXPECT_EQ(f.Grid->TopRow(), 1 + int(std::lround(50.0 / span * 200)));
    f.Mouse(v, QEvent::MouseMove, 3, start + 2 + 5000);
    EXPECT_EQ(f.Grid->TopRow(), 200 - f.Grid->VisibleRowCount()) << "not past the end";
    f.Mouse(v, QEvent::MouseButtonRelease, 3, start + 2 + 5000);
    EXPECT_FALSE(v->Dragging());
    const int after = f.Grid->TopRow();
    f.Mouse(v, QEvent::MouseMove, 3, 10);
    EXPECT_EQ(f.Grid->TopRow(), after) << "no drag after the release";
}

TEST(AdvGridScrollControl, GrabAGridWithBalloonBackgroundAndMetroBars)
{
    TScrollGridForm f(60, 8);
    QImage tile(24, 24, QImage::Format_RGB32);
    tile.fill(QColor(0xF4, 0xF8, 0xFF));
    for (int i = 0; i < 24; ++i) tile.setPixelColor(i, i, QColor(0xC8, 0xD8, 0xF0));
    TBitmap pic;
    pic.SetImage(tile);
    f.Grid->BackGround()->SetBitmap(&pic);
    f.Grid->BackGround()->SetCells(bcNormal);
    for (int r = 3; r < 60; r += 2) f.Grid->SetCells(2, r, QString());
    f.Grid->SetCells(1, 2, QStringLiteral("{\\rtf1{\\colortbl ;\\red200\\green0\\blue0;}{\\b\\cf1 rich} text}"));
    f.Grid->AddBalloon(3, 2, QStringLiteral("Balloon"), QStringLiteral("A balloon over its cell"), biInfo);
    f.Grid->SetScrollType(ssMetro);
    f.Grid->Balloon()->SetEnable(true);
    PumpEvents();
    TScrollControl* v = f.Grid->VertScrollControl();
    ASSERT_NE(v, nullptr);
    EXPECT_TRUE(v->Widget()->isVisible());
    EXPECT_EQ(v->Left() + v->Width(), f.Grid->ClientWidth())
        << v->Left() << "," << v->Top() << " " << v->Width() << "x" << v->Height() << " widget "
        << v->Widget()->geometry().x() << "," << v->Widget()->geometry().y() << " "
        << v->Widget()->geometry().width() << "x" << v->Widget()->geometry().height();
    const TRect cr = f.Grid->CellRect(3, 2);
    ASSERT_TRUE(f.Grid->BalloonToolTip()->ShowFor(TPoint((cr.Left + cr.Right) / 2, (cr.Top + cr.Bottom) / 2)));
    PumpEvents();
    EXPECT_TRUE(TestHarness::GrabToPng(f.Grid, TestHarness::GrabPath(QStringLiteral("grid-metro-background.png"))));
    // The thumb shows in the thin bar at the right edge.
    QImage img(f.Grid->Width(), f.Grid->Height(), QImage::Format_RGB32);
    f.Grid->Widget()->render(&img);
    int start = 0, len = 0;
    v->ThumbPlace(start, len);
    const int x = v->Left() + v->Width() / 2;
    EXPECT_EQ(img.pixelColor(x, start + len / 2), ToQColor(clSilver)) << start << "+" << len;
    EXPECT_TRUE(TestHarness::GrabToPng(f.Grid->BalloonToolTip(),
                                       TestHarness::GrabPath(QStringLiteral("grid-metro-balloon.png"))));
}
