// Comparing cells: the automatic style, the explicit styles with prefix and
// suffix, blank placement in both directions, and the tie-breaks of the
// plain and the indexed row comparison.

#include "AdvGridSortCompare.h"
#include "AdvGridTestKit.h"

#include <gtest/gtest.h>

namespace {

// A grid whose column 1 compares with a chosen style, prefix and suffix.
class TStyledGrid : public TTestAdvGrid {
public:
    using TTestAdvGrid::TTestAdvGrid;
    TSortStyle Style = ssAutomatic;
    bool UseStyle = false;
    QString Prefix, Suffix;
    void GetFormat(int ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix) override
    {
        if (ACol != 1 || !UseStyle) return;
        AStyle = Style;
        APrefix = Prefix;
        ASuffix = Suffix;
    }
};

struct TStyledGridDeleter {
    void operator()(TStyledGrid* g) const { Free(g); }
};

std::unique_ptr<TStyledGrid, TStyledGridDeleter> NewStyledGrid()
{
    std::unique_ptr<TStyledGrid, TStyledGridDeleter> g(Create<TStyledGrid>(nullptr));
    g->SetColCount(4);
    g->SetRowCount(3);
    return g;
}

}  // namespace

TEST(SortCompare, AutomaticStyleLooksAtTheFirstText)
{
    struct Case {
        const char* T1;
        const char* T2;
        bool Box;
        bool NoCase;
        TSortStyle Want;
    };
    const Case cases[] = {
        {"10", "9", false, false, ssNumeric},
        {"1.5e3", "x", false, false, ssNumeric},
        {"abc", "10", false, false, ssAlphabetic},
        {"abc", "10", false, true, ssAlphaNoCase},
        {"01/02/2020", "03/04/2020", false, false, ssDate},
        {"01/02/2020 10:00", "03/04/2020", false, false, ssDateTime},
        {"1/2", "abc", false, false, ssAlphabetic},    // T2 without the separator
        {"123/4", "1/2", false, false, ssAlphabetic},  // separator too far in
        {"a/2", "1/2", false, false, ssAlphabetic},    // no digit before it
        {"1/", "1/2", false, false, ssAlphabetic},     // nothing after it
        {"12:30", "9:15", false, false, ssTime},
        {"12:30", "915", false, false, ssAlphabetic},
        {"x", "y", true, false, ssCheckBox},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 vs %2").arg(c.T1, c.T2).toStdString());
        EXPECT_EQ(ResolveAutomaticStyle(QString::fromUtf8(c.T1), QString::fromUtf8(c.T2), c.Box, c.NoCase), c.Want);
    }
    EXPECT_EQ(UpperAscii(QStringLiteral("abz\u00e9")), QStringLiteral("ABZ\u00e9"));
}

TEST(SortCompare, CellPairsByStyle)
{
    struct Case {
        const char* Name;
        bool UseStyle;
        TSortStyle Style;
        const char* Prefix;
        const char* T1;
        const char* T2;
        bool IgnoreCase;
        int Want;
    };
    const Case cases[] = {
        {"numbers automatically", false, ssAutomatic, "", "10", "9", false, 1},
        {"code units: B before a", false, ssAutomatic, "", "B", "a", false, -1},
        {"ignore case: a before B", false, ssAutomatic, "", "B", "a", true, 1},
        {"dates automatically", false, ssAutomatic, "", "03/04/2020", "01/02/2020", false, 1},
        {"prefixed money", true, ssNumeric, "$", "$5", "$40", false, -1},
        {"an empty cell counts as 0", true, ssNumeric, "$", "", "$-1", false, 1},
        {"two non-numbers are equal", true, ssNumeric, "", "abc", "xyz", false, 0},
        {"financial thousands", true, ssFinancial, "", "1,200.5", "999", false, 1},
        {"numbers of alpha-numeric", true, ssAlphaNumeric, "", "10", "9", false, 1},
        {"texts of alpha-numeric", true, ssAlphaNumeric, "", "10", "9x", false, -1},
        {"no case, ASCII only", true, ssAlphaNoCase, "", "abc", "ABD", false, -1},
        {"day first", true, ssShortDateEU, "", "02/01/2020", "01/02/2020", false, -1},
        {"month first", true, ssShortDateUS, "", "02/01/2020", "01/02/2020", false, 1},
        {"a broken date counts as 0", true, ssShortDateEU, "", "31/02/2020", "01/01/1990", false, -1},
        {"time", true, ssTime, "", "10:00", "9:30", false, 1},
        {"custom without a handler", true, ssCustom, "", "a", "b", false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        auto g = NewStyledGrid();
        g->UseStyle = c.UseStyle;
        g->Style = c.Style;
        g->Prefix = QString::fromUtf8(c.Prefix);
        g->SortSettings()->SetIgnoreCase(c.IgnoreCase);
        g->SetCells(1, 1, QString::fromUtf8(c.T1));
        g->SetCells(1, 2, QString::fromUtf8(c.T2));
        const int before = g->Compares();
        EXPECT_EQ(g->CompareCells(1, 1, 2, sdAscending), c.Want);
        EXPECT_EQ(g->CompareCells(1, 2, 1, sdAscending), -c.Want);
        EXPECT_EQ(g->Compares(), before + 2);
    }
}

TEST(SortCompare, EventsDecideCustomAndRawStyles)
{
    auto g = NewStyledGrid();
    g->UseStyle = true;
    g->SetCells(1, 1, QStringLiteral("one"));
    g->SetCells(1, 2, QStringLiteral("three"));
    g->Style = ssCustom;
    g->OnCustomCompare = [](TObject*, const QString& a, const QString& b, int& Res) {
        Res = a.size() < b.size() ? -1 : 1;
    };
    EXPECT_EQ(g->CompareCells(1, 1, 2, sdAscending), -1);
    g->Style = ssRaw;
    int seen = -1;
    g->OnRawCompare = [&](TObject*, int ACol, int Row1, int Row2, int& Res) {
        seen = ACol * 100 + Row1 * 10 + Row2;
        Res = 1;
    };
    EXPECT_EQ(g->CompareCells(1, 2, 1, sdAscending), 1);
    EXPECT_EQ(seen, 121);
}

TEST(SortCompare, BlanksGoWhereBlankPosSaysInBothDirections)
{
    struct Case {
        bool Ignore;
        TSortBlankPosition Pos;
        TSortDirection Dir;
        int Want;  // empty row 1 against "b" in row 2
    };
    const Case cases[] = {
        {false, blLast, sdAscending, -1},  // simply the smallest text
        {false, blLast, sdDescending, -1}, {true, blFirst, sdAscending, -1}, {true, blFirst, sdDescending, 1},
        {true, blLast, sdAscending, 1},    {true, blLast, sdDescending, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(&c - cases));
        auto g = NewStyledGrid();
        g->SortSettings()->SetIgnoreBlanks(c.Ignore);
        g->SortSettings()->SetBlankPos(c.Pos);
        g->SetCells(1, 2, QStringLiteral("b"));
        EXPECT_EQ(g->CompareCells(1, 1, 2, c.Dir), c.Want);
        EXPECT_EQ(g->CompareCells(1, 2, 1, c.Dir), -c.Want);
    }
}

TEST(SortCompare, TiesAreBrokenToTheRightOrByTheIndexList)
{
    auto g = NewStyledGrid();
    // Rows 1 and 2 equal in columns 0..2 except column 0.
    g->SetCells(0, 1, QStringLiteral("a"));
    g->SetCells(0, 2, QStringLiteral("b"));
    g->SetCells(2, 1, QStringLiteral("same"));
    g->SetCells(2, 2, QStringLiteral("same"));
    g->SetCells(3, 1, QStringLiteral("z"));
    g->SetCells(3, 2, QStringLiteral("y"));
    EXPECT_EQ(g->CompareRows(2, 1, 2), 1);  // decided by column 3
    g->SortSettings()->SetFull(false);
    EXPECT_EQ(g->CompareRows(2, 1, 2), 0);
    g->SortSettings()->SetFull(true);

    g->SortIndexes()->AddIndex(2, true);
    g->SortIndexes()->AddIndex(0, false);  // column 0 descending
    EXPECT_EQ(g->CompareRowsIndexed(0, 1, 2), 1);
    EXPECT_EQ(g->CompareRowsIndexed(0, 2, 1), -1);
    g->SortSettings()->SetFull(false);
    EXPECT_EQ(g->CompareRowsIndexed(0, 1, 2), 0);
}
