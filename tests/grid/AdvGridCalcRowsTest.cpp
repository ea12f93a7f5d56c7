// Numbering columns and rows, calculations across a row, the application's
// own column calculation and the progress the calculations report.

#include "AdvGridTestKit.h"
#include "SysUtils.h"

#include <gtest/gtest.h>

namespace {

class TProgressGrid : public TAdvStringGrid {
public:
    explicit TProgressGrid(TComponent* AOwner) : TAdvStringGrid(AOwner) {}
    QStringList Reported;
    void ExportNotification(TGridExportState AState, int ARow) override
    {
        static const char* names[] = {"start", "new", "done", "sel", "fail", "next"};
        Reported << QStringLiteral("%1 %2").arg(QLatin1String(names[AState])).arg(ARow);
    }
};

QString ColumnOf(TAdvStringGrid* g, int c)
{
    QStringList parts;
    for (int r = 0; r < g->RowCount(); ++r) parts << g->Cells(c, r);
    return parts.join(QLatin1Char('|'));
}

}  // namespace

TEST(AdvGridNumbering, ColumnsAndRowsNumberFromEitherEnd)
{
    struct Case {
        TSortDirection Direction;
        int Start;
        int Offset;
        const char* Column;  // column 1 of rows 0..5 (row 0 fixed)
    };
    const Case cases[] = {
        {sdAscending, 1, 0, "h|x|2|3|4|5"},
        {sdDescending, 1, 0, "h|5|4|3|2|x"},
        {sdAscending, 0, 10, "h|11|12|13|14|15"},
    };
    for (const Case& c : cases) {
        auto g = NewFixtureGrid(6, 6);
        for (int r = 0; r < 6; ++r) g->SetCells(1, r, r == 0 ? QStringLiteral("h") : QStringLiteral("x"));
        g->SetAutoNumberDirection(c.Direction);
        g->SetAutoNumberStart(c.Start);
        g->SetAutoNumberOffset(c.Offset);
        g->AutoNumberCol(1);
        EXPECT_EQ(ColumnOf(g.get(), 1), QString::fromLatin1(c.Column)) << c.Direction << c.Start;
    }
    // Across a row, descending: mirrored over the normal columns.
    auto g = NewFixtureGrid(5, 3);
    g->SetAutoNumberDirection(sdDescending);
    g->AutoNumberRow(2);
    EXPECT_EQ(RowText(g.get(), 2), "0,2|4|3|2|1");
}

TEST(AdvGridNumbering, RenumberingAfterInsertAndDeleteStaysContinuous)
{
    auto g = NewFixtureGrid(3, 5);
    g->AutoNumberCol(0);
    EXPECT_EQ(ColumnOf(g.get(), 0), "0,0|1|2|3|4");
    g->InsertRows(2, 2);
    g->AutoNumberCol(0);
    EXPECT_EQ(ColumnOf(g.get(), 0), "0,0|1|2|3|4|5|6");
    g->RemoveRows(1, 3);
    g->AutoNumberCol(0);
    EXPECT_EQ(ColumnOf(g.get(), 0), "0,0|1|2|3");
}

TEST(AdvGridCalcRows, RowAggregatesSkipWhatDoesNotConvert)
{
    auto g = NewFixtureGrid(6, 3);
    const char* values[] = {"3", "x", "9", "6", "12"};
    for (int c = 1; c <= 5; ++c) g->SetCells(c, 1, QString::fromLatin1(values[c - 1]));
    EXPECT_DOUBLE_EQ(g->RowSum(1, 1, 5), 30);
    EXPECT_DOUBLE_EQ(g->RowAvg(1, 1, 5), 6);  // every column of the range divides
    EXPECT_DOUBLE_EQ(g->RowMin(1, 1, 5), 3);
    EXPECT_DOUBLE_EQ(g->RowMax(1, 1, 5), 12);
    EXPECT_DOUBLE_EQ(g->RowSum(1, 5, 1), 0);
    EXPECT_DOUBLE_EQ(g->RowAvg(1, 5, 1), 0);
    EXPECT_DOUBLE_EQ(g->RowMin(1, 3, 1), 9);  // an empty range answers its first cell
    // The first cell of a minimum must convert.
    g->SetCells(2, 1, QStringLiteral("12-3"));
    EXPECT_THROW(g->RowMin(1, 2, 5), Exception);
    EXPECT_THROW(g->RowMax(1, 2, 5), Exception);
    EXPECT_DOUBLE_EQ(g->RowMax(1, 1, 5), 12);  // later, it is left out
    // A merge covers cells: only the base counts.
    g->MergeCells(3, 1, 2, 1);
    EXPECT_DOUBLE_EQ(g->RowSum(1, 1, 5), 24);
}

TEST(AdvGridCalcRows, CustomCalculationAndProgress)
{
    auto g = NewFixtureGrid(3, 6);
    EXPECT_DOUBLE_EQ(g->ColumnCustomCalc(1, -1, -1), 0);
    g->OnColumnCalc = [](TObject*, int ACol, int FromRow, int ToRow, double& Res) { Res = ACol * 100 + FromRow * 10 + ToRow; };
    EXPECT_DOUBLE_EQ(g->ColumnCustomCalc(2, 1, 4), 214);

    TProgressGrid* p = Create<TProgressGrid>(nullptr);
    FillFixture(p, 3, 5);
    for (int r = 1; r < 5; ++r) p->SetInts(1, r, r);
    p->MergeCells(1, 2, 1, 2);  // row 3 is covered and not counted
    EXPECT_DOUBLE_EQ(p->ColumnSum(1, -1, -1), 1 + 2 + 4);
    EXPECT_EQ(p->Reported, QStringList({"start 1", "next 1", "next 2", "next 4", "done -1"}));
    p->Reported.clear();
    p->ColumnDistinct(1, 1, 2);
    EXPECT_EQ(p->Reported, QStringList({"start 1", "done -1"}));
    Free(p);
}

TEST(AdvGridCalcRows, ColumnSumReadsEveryKindOfTextAsTheCellReaderDoes)
{
    // Plain decimals take a short way; everything else the cell reader's.
    const char* texts[] = {"12", "-3.25", "1e3", "<b>7</b>", "n/a", "1.", ".5", "12 kg", "-", "0.75", "12-3", "", "٣"};
    const int n = int(std::size(texts));
    auto g = NewFixtureGrid(3, n + 1);
    for (int r = 1; r <= n; ++r) g->SetCells(1, r, QString::fromUtf8(texts[r - 1]));
    double expected = 0;
    for (int r = 1; r <= n; ++r) {
        try {
            expected += g->Floats(1, r);
        } catch (const Exception&) {
        }
    }
    EXPECT_DOUBLE_EQ(g->ColumnSum(1, -1, -1), expected);
}
