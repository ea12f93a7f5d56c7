// The selection resizer: a drag from the handle at the bottom-right of the
// selection copies the selection at the press and pastes it into the grown
// selection at the release, with its two events around the paste.

#include "AdvGridInputTestKit.h"
#include "TestHarness.h"

#include <gtest/gtest.h>

namespace {

QString SelResizeRectText(const TGridRect& r)
{
    return QStringLiteral("%1,%2-%3,%4").arg(r.Left).arg(r.Top).arg(r.Right).arg(r.Bottom);
}

// A 2 x 2 selection at (1,1) with the resizer shown.
void SelResizeSetUp(TInputGrid* g)
{
    g->SetOptions(g->Options() + goRangeSelect);
    g->SetSelectionRectangle(true);
    g->SetSelectionResizer(true);
    g->SetSelection(TGridRect{1, 1, 2, 2});
}

}  // namespace

TEST(AdvGridSelResize, DragFromTheHandleCopiesThenPastesIntoTheGrownSelection)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    SelResizeSetUp(g);
    g->OnSelectionResize = [&](TObject*, const TGridRect& o, const TGridRect& n) {
        g->Calls << "resize " + SelResizeRectText(o) + " " + SelResizeRectText(n);
    };
    g->OnSelectionResized = [&](TObject*, const TGridRect& o, const TGridRect& n) {
        g->Calls << QStringLiteral("resized %1 %2 %3").arg(SelResizeRectText(o), SelResizeRectText(n)).arg(g->MouseResizing());
    };
    const TRect corner = g->CellRect(2, 2);
    const QPoint handle(corner.Right - 3, corner.Bottom - 3);
    TestHarness::GrabToPng(f.Form, TestHarness::GrabPath("selresize-handle.png"));
    f.Press(handle);
    EXPECT_TRUE(g->MouseResizing());
    EXPECT_EQ(g->Calls, QStringList{"copy"});
    EXPECT_EQ(SelResizeRectText(g->Selection()), "1,1-2,2") << "the press keeps the selection";
    f.MoveTo(f.At(4, 5, 10));
    EXPECT_EQ(SelResizeRectText(g->Selection()), "1,1-4,5") << "the drag grows it from its top-left cell";
    f.Release(f.At(4, 5, 10));
    EXPECT_FALSE(g->MouseResizing());
    EXPECT_EQ(g->Calls, (QStringList{"copy", "resize 1,1-2,2 1,1-4,5", "paste", "resized 1,1-2,2 1,1-4,5 0"}));
}

TEST(AdvGridSelResize, OnlyThePressOnTheHandleStartsTheResizer)
{
    struct Case {
        const char* What;
        bool Resizer;
        int Dx, Dy;  // from the selection's bottom-right cell's bottom-right corner
        bool Starts;
    };
    const Case cases[] = {
        {"inside the handle", true, -1, -1, true},
        {"the handle's far corner", true, -6, -6, true},
        {"just outside the handle", true, -7, -3, false},
        {"with the resizer off", false, -3, -3, false},
    };
    for (const Case& c : cases) {
        InputFixture f;
        TInputGrid* g = f.Grid;
        SelResizeSetUp(g);
        g->SetSelectionResizer(c.Resizer);
        const TRect corner = g->CellRect(2, 2);
        f.Press(QPoint(corner.Right + c.Dx, corner.Bottom + c.Dy));
        EXPECT_EQ(g->MouseResizing(), c.Starts) << c.What;
        EXPECT_EQ(g->Calls.contains("copy"), c.Starts) << c.What;
        f.Release(QPoint(corner.Right + c.Dx, corner.Bottom + c.Dy));
        EXPECT_FALSE(g->MouseResizing()) << c.What;
        EXPECT_EQ(g->Calls.contains("paste"), c.Starts) << c.What;
    }
}
