// The drop-down button of header cells: which press opens the menu, what
// the menu and its handler are told, and that neither the press selects
// nor the release sorts.

#include "AdvGridInputTestKit.h"
#include "Menus.h"
#include "TestHarness.h"

#include <gtest/gtest.h>

namespace {

struct DropFixture : InputFixture {
    DropFixture()
    {
        Grid->SetHoverFixedCells(hfAll);
        Grid->ControlLook()->SetFixedDropDownButton(true);
        Menu = Create<TPopupMenu>(Form);
        Grid->SetFixedDropDownMenu(Menu);
        Grid->SortSettings()->SetShow(true);
        Grid->SetRow(5);
        Grid->SetCol(2);
    }
    TPopupMenu* Menu;
};

} // namespace

TEST(AdvGridFixedDropDown, APressOnTheButtonShowsTheMenuUnderItAndSelectsNothing)
{
    struct Case {
        int Dx;          // from the header cell's right edge
        bool ColSizing;  // goColSizing on: the last pixels are the sizing edge
        bool Shown;
        bool Sorts;      // the release sorts: outside the button and the sizing edge
    };
    const Case cases[] = {{-8, false, true, false}, {-15, false, true, false}, {-16, false, false, true},
                          {-1, false, true, false}, {-1, true, false, false}, {-3, true, true, false}};
    for (const Case& c : cases) {
        DropFixture f;
        TInputGrid* g = f.Grid;
        if (c.ColSizing) g->SetOptions(g->Options() + goColSizing);
        TPopupMenu* shown = nullptr;
        TPoint at;
        bool openWhileShown = false;
        g->SetLook(glXP);
        ScopedPopupMenuHook hook([&](TPopupMenu* m, TPoint p) -> TMenuItem* {
            shown = m;
            at = p;
            openWhileShown = g->FixedDropDownDown();
            EXPECT_TRUE(TestHarness::GrabToPng(f.W(), TestHarness::GrabPath(QStringLiteral("fixed-dropdown-open.png"))));
            return nullptr;
        });
        const QPoint p = f.At(3, 0, c.Dx);
        f.Click(p);
        EXPECT_EQ(shown != nullptr, c.Shown) << c.Dx << " " << c.ColSizing;
        EXPECT_EQ(g->Calls.filter("sort").size(), c.Sorts ? 1 : 0) << c.Dx;
        if (!c.Shown) continue;
        EXPECT_EQ(f.Menu->Tag(), 3);
        EXPECT_TRUE(openWhileShown);
        const TRect r = g->CellRect(3, 0);
        const QPoint screen = f.W()->mapToGlobal(QPoint(r.Right - 16, r.Bottom));
        EXPECT_EQ(at, TPoint(screen.x(), screen.y()));
        EXPECT_EQ(g->Row(), 5) << "the press on the button selects nothing";
        EXPECT_EQ(g->Col(), 2);
        EXPECT_FALSE(g->FixedDropDownDown()) << "the release lifts the button";
    }
}

TEST(AdvGridFixedDropDown, TheHandlerMayGiveAnotherMenuOrNoneAndTheUsersCloseEventStays)
{
    DropFixture f;
    TInputGrid* g = f.Grid;
    auto* other = Create<TPopupMenu>(f.Form);
    int userCloses = 0;
    other->OnClose = [&](TObject*) { ++userCloses; };
    QStringList asked;
    TPopupMenu* give = other;
    g->OnFixedDropDownClick = [&](TObject*, int col, int row, TPopupMenu*& menu, bool&) {
        asked << QStringLiteral("%1,%2 %3").arg(col).arg(row).arg(menu == f.Menu ? "default" : "other");
        menu = give;
    };
    QList<TPopupMenu*> shown;
    ScopedPopupMenuHook hook([&](TPopupMenu* m, TPoint) -> TMenuItem* {
        shown << m;
        return nullptr;
    });
    f.Click(f.At(4, 0, -6));
    give = nullptr;
    f.Click(f.At(4, 0, -6));
    EXPECT_EQ(asked, QStringList({"4,0 default", "4,0 default"}));
    EXPECT_EQ(shown, QList<TPopupMenu*>({other}));
    EXPECT_EQ(userCloses, 1);
    ASSERT_TRUE(other->OnClose);
    other->OnClose(other);
    EXPECT_EQ(userCloses, 2) << "the grid gives the menu's own close event back";
    EXPECT_EQ(g->Row(), 5);
}

// Without a menu the button still owns its zone (no sort); a column that
// refuses the button has no zone, and its header sorts as anywhere else.
TEST(AdvGridFixedDropDown, WithoutAMenuNothingDropsDownAndARefusingColumnSorts)
{
    for (int variant = 0; variant < 2; ++variant) {
        DropFixture f;
        TInputGrid* g = f.Grid;
        if (variant == 0) g->SetFixedDropDownMenu(nullptr);
        else g->OnCanShowFixedDropDown = [](TObject*, int, bool& can) { can = false; };
        bool shown = false;
        ScopedPopupMenuHook hook([&](TPopupMenu*, TPoint) -> TMenuItem* {
            shown = true;
            return nullptr;
        });
        f.Click(f.At(3, 0, -6));
        EXPECT_FALSE(shown) << variant;
        EXPECT_EQ(g->Calls.filter("sort"), variant == 0 ? QStringList() : QStringList({"sort 3"})) << variant;
    }
}

TEST(AdvGridFixedDropDown, AFreedMenuIsForgotten)
{
    DropFixture f;
    Free(f.Menu);
    EXPECT_EQ(f.Grid->FixedDropDownMenu(), nullptr);
    ScopedPopupMenuHook hook([&](TPopupMenu*, TPoint) -> TMenuItem* { return nullptr; });
    f.Click(f.At(3, 0, -6));  // no use of the freed menu
}

// The hovered header cell draws pressed between press and release.
TEST(AdvGridFixedDropDown, AHoveredHeaderCellDrawsPressedWhileTheButtonIsDown)
{
    DropFixture f;
    TInputGrid* g = f.Grid;
    g->SetLook(glXP);
    g->ControlLook()->SetFixedDropDownButton(false);
    const QPoint p = f.At(3, 0, 20);
    f.MoveTo(p, Qt::NoButton);
    const TRect r = g->CellRect(3, 0);
    auto cellImage = [&] { return f.W()->grab(QRect(r.Left, r.Top, r.Width(), r.Height())).toImage(); };
    const QImage hovered = cellImage();
    f.Press(p);
    const QImage pressed = cellImage();
    f.Release(p);
    EXPECT_NE(pressed, hovered);
    EXPECT_EQ(cellImage(), hovered);
}
