// Where the pop-up opens and how large it is, on fake screens.
#include "AdvDropDownBars.h"
#include "DropDownFixture.h"

namespace {

using DropDownPlacement = DropDownTest;

// The drop-down's top-left on the screen.
TPoint ScreenTopLeft(TAdvCustomDropDown* d)
{
    return d->Parent()->ClientToScreen(TPoint(d->Left(), d->Top()));
}

TEST_F(DropDownPlacement, BelowAboveAndTheStrictBoundaryFromTheTop)
{
    ShowForm();
    auto* d = Add<TTestListDropDown>(20, 20);
    d->SetDropDownHeight(100);
    const TPoint p = ScreenTopLeft(d);
    const int screenHeight = 768;
    // The edit's top chooses: below while top + pop-up height < screen height.
    const struct {
        TDropPosition Position;
        int EditTop;  // screen y of the edit's top
        bool Below;
    } cases[] = {
        {dpAuto, 300, true},
        {dpAuto, screenHeight - 101, true},   // fits, measured from the top
        {dpAuto, screenHeight - 100, false},  // exactly the screen height: above
        {dpDown, screenHeight - 50, true},
        {dpUp, 300, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.Position) << " at " << c.EditTop);
        d->SetTop(d->Top() + c.EditTop - ScreenTopLeft(d).Y);
        d->SetDropPosition(c.Position);
        d->ShowDropDown();
        TDropDownForm* f = d->DropDownForm();
        ASSERT_TRUE(f->Visible());
        EXPECT_EQ(f->Left(), p.X);
        if (c.Below)
            EXPECT_EQ(f->Top(), c.EditTop + d->Height() - 1);
        else
            EXPECT_EQ(f->Top(), c.EditTop - 100);
        d->HideDropDown(false);
    }
}

TEST_F(DropDownPlacement, OnlyTheRightEdgeIsCorrectedAndOnlyRightOfZero)
{
    // A second monitor left of the primary one.
    Screens->Monitors = {{TRect(0, 0, 1024, 768), TRect(0, 0, 1024, 728)},
                         {TRect(-800, 0, 0, 600), TRect(-800, 0, 0, 560)}};
    ShowForm();
    auto* d = Add<TTestListDropDown>(20, 20);
    d->SetDropDownWidth(300);
    d->SetDropDownHeight(100);
    const struct {
        int ScreenLeft;
        int FormLeft;
    } cases[] = {
        {100, 100},             // room enough
        {900, 1024 - 300},      // straddles the right edge: moved left
        {-200, -200},           // on the monitor with a negative left: never moved
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ScreenLeft);
        d->SetLeft(d->Left() + c.ScreenLeft - ScreenTopLeft(d).X);
        d->ShowDropDown();
        EXPECT_EQ(d->DropDownForm()->Left(), c.FormLeft);
        d->HideDropDown(false);
    }
}

TEST_F(DropDownPlacement, SizeFromContentBordersBarsAndMinimum)
{
    ShowForm();
    auto* d = Add<TTestListDropDown>(20, 20);
    d->SetDropDownBorderWidth(2);
    d->DropDownHeader()->SetVisible(false);
    d->DropDownFooter()->SetVisible(false);
    d->List->SetBounds(0, 0, 150, 80);
    d->ShowDropDown();
    EXPECT_EQ(d->DropDownForm()->Width(), 150);
    EXPECT_EQ(d->DropDownForm()->Height(), 80 + 2 * 2);
    d->HideDropDown(false);

    d->DropDownHeader()->SetVisible(true);
    d->DropDownFooter()->SetVisible(true);
    d->ShowDropDown();
    const int bars = d->DropDownHeader()->Height() + d->DropDownFooter()->Height();
    EXPECT_EQ(d->DropDownForm()->Height(), d->List->Height() + bars + 4);
    ASSERT_TRUE(d->DropDownForm()->Header());
    EXPECT_TRUE(d->DropDownForm()->Header()->Visible());
    EXPECT_EQ(d->DropDownForm()->Header()->Top(), 2) << "the bars sit inside the border";
    d->HideDropDown(false);

    d->SetDropDownWidth(250);
    d->SetDropDownHeight(120);
    d->ShowDropDown();
    EXPECT_EQ(d->DropDownForm()->Width(), 250);
    EXPECT_EQ(d->DropDownForm()->Height(), 120);
    d->HideDropDown(false);

    d->SetDropDownWidth(20);
    d->SetDropDownHeight(10);
    d->ShowDropDown();
    EXPECT_EQ(d->DropDownForm()->Width(), 80);
    EXPECT_EQ(d->DropDownForm()->Height(), 50);
    d->HideDropDown(false);
}

TEST_F(DropDownPlacement, AUserResizeIsKeptAContentSizeIsNot)
{
    ShowForm();
    auto* d = Add<TTestListDropDown>(20, 20);
    d->DropDownHeader()->SetVisible(false);
    d->DropDownFooter()->SetVisible(false);
    int sizings = 0;
    d->DropDownForm()->OnSizing = [&](TObject*) { ++sizings; };

    // Shown and hidden without a resize: nothing is remembered.
    d->ShowDropDown();
    const int contentHeight = d->DropDownForm()->Height();
    d->HideDropDown(false);
    EXPECT_EQ(d->UserDropDownWidth(), -1);
    d->List->SetHeight(120);
    d->ShowDropDown();
    EXPECT_EQ(d->DropDownForm()->Height(), 120 + 2) << "the content decides again";
    EXPECT_NE(d->DropDownForm()->Height(), contentHeight);

    // The user resizes the shown pop-up (the window system does it).
    d->DropDownForm()->Widget()->resize(260, 180);
    QApplication::processEvents();
    EXPECT_EQ(sizings, 1);
    d->HideDropDown(false);
    EXPECT_EQ(d->UserDropDownWidth(), 260);
    EXPECT_EQ(d->UserDropDownHeight(), 180);
    d->ShowDropDown();
    EXPECT_EQ(d->DropDownForm()->Width(), 260);
    EXPECT_EQ(d->DropDownForm()->Height(), 180);
    d->HideDropDown(false);

    // A written width forgets the remembered width only.
    d->SetDropDownWidth(200);
    d->ShowDropDown();
    EXPECT_EQ(d->DropDownForm()->Width(), 200);
    EXPECT_EQ(d->DropDownForm()->Height(), 180);
    d->HideDropDown(false);
}

TEST_F(DropDownPlacement, TheSizingCornerOfASizeablePopup)
{
    auto* d = Add<TTestListDropDown>(20, 20);
    TDropDownForm* f = d->DropDownForm();
    f->SetBounds(0, 0, 100, 60);
    EXPECT_EQ(f->HitTest(TPoint(95, 55)), HTNOWHERE) << "not sizeable";
    f->SetSizeable(true);
    const struct {
        int X, Y;
        intptr_t Answer;
    } cases[] = {{95, 55, HTBOTTOMRIGHT}, {91, 51, HTBOTTOMRIGHT}, {90, 55, HTNOWHERE},
                 {95, 50, HTNOWHERE},     {10, 10, HTNOWHERE}};
    for (const auto& c : cases) EXPECT_EQ(f->HitTest(TPoint(c.X, c.Y)), c.Answer) << c.X << "," << c.Y;
}

}  // namespace
