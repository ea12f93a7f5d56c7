// Find, find next, replace and the incremental lookup.

#include "AdvGridFind.h"
#include "AdvGridTestKit.h"
#include "AdvObj.h"

#include <gtest/gtest.h>

namespace {

QString Pt(TPoint p) { return QStringLiteral("%1,%2").arg(p.X).arg(p.Y); }

// 4 x 4, one fixed row and column; the normal cells hold the given texts
// row by row (3 x 3).
TTestAdvGridPtr FindGrid(const QStringList& texts)
{
    TTestAdvGridPtr g = NewFixtureGrid(4, 4);
    for (int i = 0; i < texts.size(); ++i) g->SetCells(1 + i % 3, 1 + i / 3, texts[i]);
    return g;
}

QString Hits(TAdvStringGrid* g, const QString& s, TFindParams p)
{
    QStringList out{Pt(g->FindFirst(s, p))};
    for (int i = 0; i < 12 && g->SearchCell().X >= 0; ++i) out << Pt(g->FindNext());
    return out.join(QLatin1Char(' '));
}

}  // namespace

TEST(GridFind, HitsWalkInEitherOrderAndNeverWrap)
{
    TTestAdvGridPtr g = FindGrid({"ab", "x", "ab", "ab", "ab", "x", "x", "x", "ab"});
    EXPECT_EQ(Hits(g.get(), "ab", {}), "1,1 1,2 2,2 3,1 3,3 -1,-1");
    EXPECT_FALSE(g->FindBusy());
    EXPECT_EQ(Hits(g.get(), "ab", {fnDirectionLeftRight}), "1,1 3,1 1,2 2,2 3,3 -1,-1");
    EXPECT_EQ(Hits(g.get(), "ab", {fnBackward}), "3,3 3,1 2,2 1,2 1,1 -1,-1");
}

TEST(GridFind, FlagsNarrowWhatMatches)
{
    struct Case {
        const char* Name;
        QStringList Texts;
        const char* Search;
        TFindParams Params;
        const char* First;
    } cases[] = {
        {"start", {"cab", "abc"}, "ab", {fnMatchStart}, "2,1"},
        {"full", {"abc", "ab"}, "ab", {fnMatchFull}, "2,1"},
        {"any case", {"xAB"}, "ab", {}, "1,1"},
        {"with case", {"xAB", "ab"}, "ab", {fnMatchCase}, "2,1"},
        {"markup ignored", {"<b>bo</b>ld"}, "bold", {fnIgnoreHTMLTags}, "1,1"},
        {"markup counted", {"<b>bo</b>ld"}, "bold", {}, "-1,-1"},
        {"two quotes: empty cell", {"a", "", "c"}, "\"\"", {fnDirectionLeftRight}, "2,1"},
        {"expression", {"abc", "xyz"}, "x*z", {fnMatchRegular}, "2,1"},
        {"fixed cells", {"q"}, "0,2", {fnIncludeFixed}, "0,2"},
        {"fixed cells left out", {"q"}, "0,2", {}, "-1,-1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TTestAdvGridPtr g = FindGrid(c.Texts);
        EXPECT_EQ(Pt(g->FindFirst(QString::fromUtf8(c.Search), c.Params)), c.First);
    }
}

TEST(GridFind, RestrictionsHiddenCellsAndSelection)
{
    TTestAdvGridPtr g = FindGrid({"k", "k", "k", "k", "k", "k", "k", "k", "k"});
    g->SetFindRow(2);
    EXPECT_EQ(Pt(g->FindFirst("k", {fnFindInPresetRow, fnDirectionLeftRight})), "1,2");
    EXPECT_EQ(Pt(g->FindNext()), "2,2");
    g->SetFindCol(3);
    EXPECT_EQ(Pt(g->FindFirst("k", {fnFindInPresetCol})), "3,1");
    g->SetSelection(TGridRect{2, 2, 3, 3});
    EXPECT_EQ(Hits(g.get(), "k", {fnSelectedCells}), "2,2 2,3 3,2 3,3 -1,-1");

    TTestAdvGridPtr h = FindGrid({"a", "b", "c", "d", "e", "f", "g", "z", "i"});
    h->HideColumn(2);  // "h"-column real 2 holds b, e, z
    EXPECT_EQ(Pt(h->FindFirst("z", {})), "-1,-1");
    EXPECT_EQ(Pt(h->FindFirst("z", {fnIncludeHiddenColumns})), "2,3");
    h->UnHideColumn(2);
    h->HideRow(3);
    EXPECT_EQ(Pt(h->FindFirst("z", {})), "-1,-1");
    EXPECT_EQ(Pt(h->FindFirst("z", {fnIncludeHiddenRows})), "2,3");
}

TEST(GridFind, AutoGotoMakesTheHitCurrent)
{
    TTestAdvGridPtr g = FindGrid({"a", "b", "c", "d", "e", "f"});
    g->FindFirst("e", {fnAutoGoto});
    EXPECT_EQ(g->Col(), 2);
    EXPECT_EQ(g->Row(), 2);
}

TEST(GridFind, ReplaceIgnoresCaseInTheHitAndAlwaysEnds)
{
    TTestAdvGridPtr g = FindGrid({"cat Cat", "dog", "cat"});
    EXPECT_EQ(g->Replace("cat", "dog", {fnMatchCase}), 2);
    EXPECT_EQ(g->Cells(1, 1), "dog dog");
    EXPECT_EQ(g->Cells(3, 1), "dog");

    // The current row restriction finds the same cell again: one change.
    TTestAdvGridPtr h = FindGrid({"a", "x", "y"});
    h->SetRow(1);
    EXPECT_EQ(h->Replace("a", "aa", {fnFindInCurrentRow}), 1);
    EXPECT_EQ(h->Cells(1, 1), "aa");
}

TEST(GridFind, SearchLooksUpTheSortColumn)
{
    TTestAdvGridPtr g = FindGrid({"alpha", "Zulu", "x", "beta", "Yankee", "y"});
    EXPECT_EQ(g->Search("BE"), 2);  // sort settings hidden: the first normal column
    g->SortSettings()->SetShow(true);
    EXPECT_EQ(g->Search("BE"), -1);  // shown but not sorted
    g->SortSettings()->SetColumn(2);
    EXPECT_EQ(g->Search("YA"), 2);
    g->SortSettings()->SetIndexShow(true);
    g->SortIndexes()->AddIndex(2, true);
    EXPECT_EQ(g->Search("ZU"), 1);
}
