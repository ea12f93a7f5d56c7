// What the table-file engine tells the windows whose loading rules look at
// other cells of a row, and how it reads a string grid's check boxes.

#include "AdvGrid.h"
#include "UTableFile.h"

#include <gtest/gtest.h>

namespace {

TEST(TableFileRowRules, TheLoadTellsPerRowWhichAttributesWereAbsent)
{
    auto* grid = Create<TAdvStringGrid>(nullptr);
    grid->SetColCount(3);
    grid->SetRowCount(4);
    TTableFileLayout layout{QStringLiteral("T"), QStringLiteral("1.000"), {}};
    TTablePage page;
    page.Grid = grid;
    page.Columns = {{QStringLiteral("A"), QString()}, {QStringLiteral("B"), QStringLiteral("d")}};
    layout.Pages.push_back(page);
    const TTableLoadResult r
        = LoadTableBytes(layout, "<T><row A=\"1\" B=\"\"/><row B=\"x\"/><row/></T><!--SW_VERSION = 1.000-->");
    ASSERT_TRUE(r.Whole);
    ASSERT_EQ(r.Absent.size(), 1u);
    const std::vector<std::vector<bool>> expected = {{false, false}, {true, false}, {true, true}};
    EXPECT_EQ(r.Absent[0], expected);
    EXPECT_EQ(grid->Cells(2, 1), "");   // present and empty stays empty
    EXPECT_EQ(grid->Cells(2, 3), "d");  // absent takes the default
    Free(grid);
}

TEST(TableFileRowRules, AStringGridBoxIsUncheckedOnlyForExactlyN)
{
    auto* grid = Create<TAdvStringGrid>(nullptr);
    grid->SetColCount(3);
    grid->SetRowCount(6);
    for (int r = 1; r < 6; ++r)
        grid->AddCheckBox(1, r, false, false);
    TTableFileLayout layout{QStringLiteral("T"), QStringLiteral("1.000"), {}};
    TTablePage page;
    page.Grid = grid;
    page.Kind = TTableGridKind::CheckBoxGrid;
    page.Columns = {{QStringLiteral("Enable"), QStringLiteral("Y"), true}, {QStringLiteral("K"), QString()}};
    layout.Pages.push_back(page);
    LoadTableBytes(layout, "<T><row Enable=\"N\" K=\"a\"/><row Enable=\"n\" K=\"b\"/><row Enable=\"0\" K=\"c\"/>"
                           "<row K=\"d\"/><row Enable=\"Y\" K=\"e\"/></T>");
    const bool expected[] = {false, true, true, true, true};
    for (int r = 1; r <= 5; ++r) {
        bool checked = !expected[r - 1];
        EXPECT_TRUE(grid->GetCheckBoxState(1, r, checked));
        EXPECT_EQ(checked, expected[r - 1]) << r;
    }
    Free(grid);
}

}  // namespace
