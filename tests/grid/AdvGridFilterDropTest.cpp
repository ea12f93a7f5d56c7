// The filter drop-down: the value list, the choices of both lists, the
// placement, and the way through the mouse and Enter.

#include "AdvGridFilter.h"
#include "AdvGridInputTestKit.h"
#include "TestHarness.h"

#include <gtest/gtest.h>

namespace {

// The input fixture with column 2 holding the given values in rows 1..
struct DropFixture : InputFixture {
    explicit DropFixture(const QStringList& values) : InputFixture(5, int(values.size()) + 1)
    {
        for (int i = 0; i < values.size(); ++i) Grid->SetCells(2, i + 1, values[i]);
        Grid->SetFilterDropDownAuto(true);
        Grid->SetFilterDropDownRow(0);
    }
    QString Shown() const
    {
        QStringList out;
        for (int r = Grid->FixedRows(); r < Grid->RowCount(); ++r) out << Grid->Cells(2, r);
        return out.join(QLatin1Char('|'));
    }
    QString ListItems(TCustomListBox* l) const
    {
        QStringList out;
        for (int i = 0; i < l->Count(); ++i) out << l->Items()->Strings(i);
        return out.join(QLatin1Char('|'));
    }
};

}  // namespace

TEST(GridFilterDrop, ValueListAndShownNames)
{
    DropFixture f({"a", "b b", "a", ""});
    ASSERT_TRUE(f.Grid->HasColumnFilter(2));
    QStringList entries;
    for (int i = 0; i < f.Grid->FilterList()->Count(); ++i) entries << f.Grid->FilterList()->Strings(i);
    EXPECT_EQ(entries.join('|'), "(All)||a|b b=\"b b\"");
    f.Grid->ShowFilterList(2);
    EXPECT_EQ(f.ListItems(f.Grid->DropList()), "(All)||a|b b");
    EXPECT_EQ(f.Grid->FilterColumn(), 2);
    EXPECT_TRUE(f.Grid->DropList()->Visible());
    EXPECT_EQ(f.Grid->DropList()->ItemIndex(), 0);
}

TEST(GridFilterDrop, ChoosingFiltersAndAllShowsEverythingAgain)
{
    DropFixture f({"a", "b b", "a", "c"});
    int done = 0;
    f.Grid->OnFilterDone = [&](TObject*) { ++done; };
    f.Grid->ShowFilterList(2);
    f.Grid->FilterListSelect(2);  // b b
    EXPECT_EQ(f.Shown(), "b b");
    EXPECT_EQ(f.Grid->Filter()->GetColFilter(2)->Condition(), "\"b b\"");
    EXPECT_EQ(f.Grid->FilterColumn(), -1);
    EXPECT_EQ(done, 1);
    // The list still offers the values filtered away.
    f.Grid->ShowFilterList(2);
    EXPECT_EQ(f.ListItems(f.Grid->DropList()), "(All)|a|b b|c");
    f.Grid->FilterListSelect(0);
    EXPECT_EQ(f.Shown(), "a|b b|a|c");
    EXPECT_FALSE(f.Grid->Filter()->HasFilter(2));

    // With FilterIncremental the hidden values are left out.
    f.Grid->ShowFilterList(2);
    f.Grid->FilterListSelect(1);
    f.Grid->SetFilterIncremental(true);
    ASSERT_TRUE(f.Grid->HasColumnFilter(2));
    EXPECT_EQ(f.Grid->FilterList()->Count(), 2);
    // A choice with no open column only resets it.
    f.Grid->FilterListSelect(1);
    EXPECT_EQ(f.Grid->FilterColumn(), -1);
    EXPECT_EQ(f.Shown(), "a|a");
}

TEST(GridFilterDrop, CheckListKeepsEveryTickedValue)
{
    DropFixture f({"a", "b", "c", "a"});
    f.Grid->SetFilterDropDownCheck(true);
    f.Grid->ShowFilterList(2);
    TDropCheckList* l = f.Grid->DropCheckList();
    ASSERT_TRUE(l->Visible());
    l->ToggleChecked(1);  // a
    l->ToggleChecked(3);  // c
    EXPECT_EQ(f.Shown(), "a|c|a");
    EXPECT_TRUE(l->Visible());
    ASSERT_EQ(f.Grid->Filter()->Count(), 2);
    EXPECT_EQ(f.Grid->Filter()->Items(1)->Operation(), foOR);
    // Opening again ticks what the conditions hold.
    f.Grid->HideFilterLists();
    f.Grid->ShowFilterList(2);
    EXPECT_TRUE(l->Checked(1) && l->Checked(3) && !l->Checked(2));
    l->SetChecked(1, false);
    l->SetChecked(3, false);
    l->ToggleChecked(0);  // the clear entry: an empty condition keeps all
    EXPECT_EQ(f.Shown(), "a|b|c|a");
}

TEST(GridFilterDrop, RowRefusedAtFixedRowsAndListPlacedInside)
{
    DropFixture f({"a", "b"});
    f.Grid->SetFilterDropDownRow(1);
    EXPECT_EQ(f.Grid->FilterDropDownRow(), 0);
    // The last column's list passes the right edge: aligned to the column's right.
    f.Grid->SetColWidths(4, 400);
    f.Grid->FilterDropDown()->SetWidth(150);
    for (int r = 1; r < f.Grid->RowCount(); ++r) f.Grid->SetCells(4, r, "v");
    f.Grid->ShowFilterList(4);
    const TRect cell = f.Grid->CellRect(4, 0);
    TDropList* l = f.Grid->DropList();
    EXPECT_EQ(l->Top(), cell.Top + 16);
    EXPECT_EQ(l->Left() + l->Width(), cell.Right);
    // A list wider than everything stops at 0.
    f.Grid->FilterDropDown()->SetWidth(5000);
    f.Grid->ShowFilterList(4);
    EXPECT_EQ(l->Left(), 0);
}

TEST(GridFilterDrop, MouseOpensEnterFiltersSecondClickCloses)
{
    DropFixture f({"a", "b", "a"});
    const TRect cell = f.Grid->CellRect(2, 0);
    const QPoint glyph(cell.Right - 8, cell.Top + 5);
    f.Click(glyph);
    TDropList* l = f.Grid->DropList();
    ASSERT_TRUE(l->Visible());
    EXPECT_EQ(f.Grid->FilterColumn(), 2);
    TestHarness::GrabToPng(f.Form, TestHarness::GrabPath("filter-dropdown.png"));
    // A second click on the glyph closes it.
    f.Click(glyph);
    EXPECT_FALSE(l->Visible());
    EXPECT_EQ(f.Grid->FilterColumn(), -1);
    // Open again, pick "b" with the keys and Enter.
    f.Click(glyph);
    ASSERT_TRUE(l->Visible());
    l->SetItemIndex(2);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::sendEvent(l->Widget(), &press);
    EXPECT_FALSE(l->Visible());
    EXPECT_EQ(f.Shown(), "b");
    // A click elsewhere closes an open list without filtering.
    f.Click(glyph);
    f.Click(f.At(1, 1, 5));
    EXPECT_FALSE(l->Visible());
    EXPECT_EQ(f.Grid->FilterColumn(), -1);
}
