// Cells checked through an attached checker, cells filled in bulk, and
// cells read and written as dates.

#include "AdvGridTestKit.h"
#include "DateUtils.h"
#include "SysUtils.h"

#include <gtest/gtest.h>

namespace {

// Corrects to upper case and counts its range brackets.
class TUpperChecker : public TAdvStringGridCheck {
public:
    TUpperChecker() { SetUseCorrect(true); }
    QString Correct(int, int, const QString& S) override { return S.toUpper(); }
    QString MarkError(int, int, const QString& S) override { return QStringLiteral("<e>") + S + QStringLiteral("</e>"); }
    void StartCheck() override { ++Starts; }
    void StopCheck() override { ++Stops; }
    int Starts = 0;
    int Stops = 0;
};

QString AllCells(TAdvStringGrid* g)
{
    QStringList rows;
    for (int r = 0; r < g->RowCount(); ++r) rows << RowText(g, r);
    return rows.join(QLatin1Char('/'));
}

}  // namespace

TEST(AdvGridCellCheck, ACheckerCorrectsOrMarksCells)
{
    auto g = NewFixtureGrid(3, 3);
    // Without a checker every check passes and nothing changes.
    const QString before = AllCells(g.get());
    EXPECT_TRUE(g->CheckGrid(false));
    EXPECT_TRUE(g->CheckCell(1, 1));
    EXPECT_EQ(AllCells(g.get()), before);

    TUpperChecker checker;
    g->SetCellChecker(&checker);
    g->SetCells(1, 1, QStringLiteral("abc"));
    g->SetCells(2, 1, QStringLiteral("DEF"));
    EXPECT_FALSE(g->CheckCell(1, 1));
    EXPECT_EQ(g->Cells(1, 1), "ABC");
    EXPECT_TRUE(g->CheckCell(2, 1));
    // With both flags, the marked original is kept.
    checker.SetUseMarkError(true);
    g->SetCells(1, 2, QStringLiteral("x"));
    EXPECT_FALSE(g->CheckCell(1, 2));
    EXPECT_EQ(g->Cells(1, 2), "<e>x</e>");
}

TEST(AdvGridCellCheck, RangesCheckEveryCellAndRestoreTheCurrentOne)
{
    auto g = NewFixtureGrid(4, 4);
    TUpperChecker checker;
    checker.SetGotoCell(true);
    g->SetCellChecker(&checker);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) g->SetCells(c, r, QStringLiteral("c%1r%2").arg(c).arg(r));
    g->SetCells(1, 1, QStringLiteral("C1R1"));  // the first cell passes, later ones fail
    g->GotoCell(2, 2);
    EXPECT_FALSE(g->CheckGrid(false));
    EXPECT_EQ(AllCells(g.get()), "c0r0|c1r0|c2r0|c3r0/c0r1|C1R1|C2R1|C3R1/c0r2|C1R2|C2R2|C3R2/c0r3|C1R3|C2R3|C3R3");
    EXPECT_EQ(g->Col(), 2);
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(checker.Starts, 1);
    EXPECT_EQ(checker.Stops, 1);
    // Row and column ranges, with and without the fixed cells.
    checker.SetGotoCell(false);
    EXPECT_TRUE(g->CheckRow(false, 3));
    EXPECT_FALSE(g->CheckCol(true, 0));
    EXPECT_EQ(g->Cells(0, 0), "C0R0");
    // A checker that goes away is no longer asked.
    g->SetCellChecker(nullptr);
    EXPECT_TRUE(g->CheckGrid(true));
}

TEST(AdvGridCellCheck, FillsWriteEveryCellOfTheirRange)
{
    auto g = NewFixtureGrid(3, 3);
    g->LinearFill(false);
    EXPECT_EQ(AllCells(g.get()), "0,0|1,0|2,0/0,1|1:1|2:1/0,2|1:2|2:2");
    g->FormatFill(true, QStringLiteral("%d-%d"));
    EXPECT_EQ(AllCells(g.get()), "0-0|1-0|2-0/0-1|1-1|2-1/0-2|1-2|2-2");
    // A format that does not take two integers writes nothing.
    const QString before = AllCells(g.get());
    EXPECT_THROW(g->FormatFill(false, QStringLiteral("%s")), EConvertError);
    EXPECT_EQ(AllCells(g.get()), before);
    g->TextFill(false, QStringLiteral("t"));
    EXPECT_EQ(AllCells(g.get()), "0-0|1-0|2-0/0-1|t|t/0-2|t|t");

    auto big = NewFixtureGrid(10, 30);
    big->RandomFill(false, 5);
    for (int r = 1; r < 30; ++r)
        for (int c = 1; c < 10; ++c) {
            const int v = big->Ints(c, r);
            EXPECT_TRUE(v >= 0 && v <= 4) << v;
        }
    big->RandomFill(false, 0);
    EXPECT_EQ(big->Cells(5, 5), "0");
    EXPECT_EQ(big->Cells(0, 5), "0,5");
}

TEST(AdvGridCellCheck, DatesFollowTheNullSettingAndRefuseOtherTexts)
{
    auto g = NewFixtureGrid(3, 3);
    g->SetDates(1, 1, 0);
    EXPECT_EQ(g->Cells(1, 1), DateToStr(0));
    g->SetShowNullDates(false);
    g->SetDates(1, 1, 0);
    EXPECT_EQ(g->Cells(1, 1), "");
    const TDateTime day = EncodeDate(2012, 9, 14);
    g->SetDates(1, 1, day);
    EXPECT_DOUBLE_EQ(g->Dates(1, 1), day);
    g->SetCells(2, 2, QStringLiteral("abc"));
    EXPECT_THROW(g->Dates(2, 2), EConvertError);
    EXPECT_THROW(g->Times(2, 2), EConvertError);
    EXPECT_EQ(g->Cells(2, 2), "abc");
}
