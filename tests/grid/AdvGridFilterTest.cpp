// The filter collection's conditions, and the filter drop-down settings'
// glyph notification.

#include "AdvGridFilter.h"
#include "HoldersTestKit.h"

#include <gtest/gtest.h>

TEST(Filter, AddJoinsWithAndAfterTheFirstInsertKeepsTheFirstOperation)
{
    TFilter filter(nullptr);
    TFilterData* first = filter.Add();
    EXPECT_EQ(first->Operation(), foNONE);
    TFilterData* second = filter.Add();
    EXPECT_EQ(second->Operation(), foAND);
    EXPECT_EQ(first->Operation(), foNONE);
    TFilterData* inserted = filter.Insert(1);
    EXPECT_EQ(inserted->Operation(), foSHORT);
    ASSERT_EQ(filter.Count(), 3);
    EXPECT_EQ(filter.Items(1), inserted);
    EXPECT_EQ(filter.Items(2), second);

    // A cleared filter starts again with foNONE.
    filter.Clear();
    EXPECT_EQ(filter.Add()->Operation(), foNONE);
}

TEST(Filter, ConditionsBelongToTheGridAndCopyWithTheirCollection)
{
    THolderGridForm f;
    TFilter filter(f.Grid);
    EXPECT_EQ(filter.GetOwner(), f.Grid);
    TFilterData* d = filter.Add();
    // Columns of wide tables are not cut to 16 bits.
    d->SetColumn(40000);
    d->SetCondition("a*");
    d->SetMethod(fmLiteral);
    filter.Add()->SetColumn(2);

    TFilter copy(nullptr);
    copy.Assign(&filter);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.Items(0)->Column(), 40000);
    EXPECT_EQ(copy.Items(0)->Condition(), "a*");
    EXPECT_EQ(copy.Items(0)->Method(), fmLiteral);
    EXPECT_EQ(copy.Items(0)->Operation(), foNONE);
    EXPECT_EQ(copy.Items(1)->Operation(), foAND);
    EXPECT_EQ(copy.Items(1)->Column(), 2);
}

TEST(FilterDropDown, AGlyphChangeRepaintsTheGrid)
{
    THolderGridForm f;
    TFilterDropDown dd(f.Grid);
    EXPECT_EQ(dd.GetOwner(), f.Grid);

    // By default a glyph change repaints the whole grid.
    TBitmap glyph(16, 16);
    dd.SetGlyph(&glyph);
    EXPECT_TRUE(f.Flush().contains(f.Grid->CellRect(4, 4).ToQRect()));

    int changes = 0;
    dd.OnChange = [&](TObject* s) { changes += s == &dd; };
    dd.GlyphActive()->SetSize(4, 4);  // a change of the bitmap itself
    dd.SetGlyph(&glyph);
    EXPECT_EQ(changes, 2);
    dd.Font()->SetName("Courier New");
    dd.SetWidth(80);
    dd.SetColor(clRed);
    EXPECT_EQ(changes, 2);

    // Assign copies the pictures (which notifies) but never the event.
    TFilterDropDown other(nullptr);
    int otherChanges = 0;
    other.OnChange = [&](TObject*) { ++otherChanges; };
    dd.Assign(&other);
    EXPECT_TRUE(dd.Glyph()->Empty());
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(otherChanges, 0);
    other.SetGlyph(&glyph);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(otherChanges, 1);
}
