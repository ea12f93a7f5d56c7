// The sort over keys converted once per sort must end exactly where the
// sort that reads every compared cell anew ends: the same order (ties
// included, the quick sort is not stable), the same comparison and exchange
// counts, the same cross-reference and current row, the same calls of the
// user's comparison handlers, and the same partial order when a handler
// raises midway.

#include "AdvGridLook.h"
#include "AdvGridSortCompare.h"
#include "AdvGridTestKit.h"
#include "FormatSettings.h"

#include <gtest/gtest.h>
#include <map>
#include <random>
#include <stdexcept>

namespace {

class TKeyGrid : public TTestAdvGrid {
public:
    using TTestAdvGrid::TTestAdvGrid;
    using TAdvStringGrid::FSortByKeys;
    std::map<int, TSortColumnFormat> Formats;  // columns with a style of their own
    void GetFormat(int ACol, TSortStyle& AStyle, QString& APrefix, QString& ASuffix) override
    {
        auto it = Formats.find(ACol);
        if (it != Formats.end()) {
            AStyle = it->second.Style;
            APrefix = it->second.Prefix;
            ASuffix = it->second.Suffix;
        }
        TTestAdvGrid::GetFormat(ACol, AStyle, APrefix, ASuffix);
    }
};

struct TKeyGridDeleter {
    void operator()(TKeyGrid* g) const { Free(g); }
};
using TKeyGridPtr = std::unique_ptr<TKeyGrid, TKeyGridDeleter>;

// Columns of numbers, dates, texts, times and a small tie breaker, with
// empty cells, texts that do not read, markup and many equal values. Column
// 0 names the row's first place, so every tie's final order shows.
const QStringList kNumbers = {"10", "9", "-3", "3.5", "1e3", "", "12abc", "x", "007", "$5", "$40", "1,200", " 4"};
const QStringList kDates = {"1/2/2020", "01/02/2020", "3/4/1999", "31/02/2020", "", "abc", "2/1/2020 10:00", "1/2"};
const QStringList kTexts = {"a", "A", "b", "B", "", "\u00e4", "<b>b</b>", "a b", "10", "<i>a</i>"};
const QStringList kTimes = {"10:00", "9:30", "", "12:30", "1:5x", "23:59:59"};
const QStringList kTies = {"1", "2"};

TKeyGridPtr NewKeyGrid(int Rows, unsigned Seed)
{
    TKeyGridPtr g(Create<TKeyGrid>(nullptr));
    g->SetColCount(6);
    g->SetRowCount(Rows + 1);
    g->SetFixedCols(1);
    g->SetFixedRows(1);
    std::mt19937 rnd(Seed);
    const QStringList* pools[] = {&kNumbers, &kDates, &kTexts, &kTimes, &kTies};
    for (int r = 1; r <= Rows; ++r) {
        g->SetCells(0, r, QString::number(r));
        for (int c = 1; c <= 5; ++c) {
            const QStringList& pool = *pools[c - 1];
            g->SetCells(c, r, pool[int(rnd() % unsigned(pool.size()))]);
        }
    }
    return g;
}

struct TSortResult {
    QStringList Cells;
    QList<int> Heights;
    QList<bool> Modified;
    QList<bool> Selected;
    QList<int> XRef;
    int Compares = 0;
    int Swaps = 0;
    int Row = 0;
    int HandlerCalls = 0;
    QString Error;
};

bool operator==(const TSortResult& a, const TSortResult& b)
{
    return a.Cells == b.Cells && a.Heights == b.Heights && a.Modified == b.Modified && a.Selected == b.Selected && a.XRef == b.XRef && a.Compares == b.Compares && a.Swaps == b.Swaps &&
           a.Row == b.Row && a.HandlerCalls == b.HandlerCalls && a.Error == b.Error;
}

void PrintTo(const TSortResult& r, std::ostream* os)
{
    *os << "compares " << r.Compares << ", swaps " << r.Swaps << ", row " << r.Row << ", handler calls "
        << r.HandlerCalls << ", error '" << r.Error.toStdString() << "', column 0: ";
    for (int i = 0; i < r.Cells.size(); i += 6) *os << r.Cells[i].toStdString() << ' ';
}

struct TSortCase {
    const char* Name;
    std::function<void(TKeyGrid*, int& Calls)> Setup;
    std::function<void(TKeyGrid*)> Sort;
};

TSortResult RunCase(const TSortCase& c, bool Keys, int Rows, unsigned Seed)
{
    auto g = NewKeyGrid(Rows, Seed);
    g->FSortByKeys = Keys;
    g->SetRow(Rows / 2);
    for (int r = 1; r <= Rows; r += 3) g->SetRowHeights(r, 20 + r);
    TSortResult res;
    if (c.Setup) c.Setup(g.get(), res.HandlerCalls);
    const int compares = g->Compares(), swaps = g->Swaps();
    try {
        c.Sort(g.get());
    } catch (const std::exception& e) {
        res.Error = QString::fromUtf8(e.what());
    }
    for (int r = 0; r < g->RowCount(); ++r) {
        for (int col = 0; col < g->ColCount(); ++col) res.Cells << g->Cells(col, r);
        res.Heights << g->RowHeights(r);
        res.Modified << g->RowModified(r);
        res.Selected << g->RowSelect(r);
    }
    for (int i = 0; i < g->SortRowXRef()->Count(); ++i) res.XRef << g->SortRowXRef()->Items(i);
    res.Compares = g->Compares() - compares;
    res.Swaps = g->Swaps() - swaps;
    res.Row = g->Row();
    return res;
}

void SetStyle(TKeyGrid* g, int Col, TSortStyle Style, const char* Prefix = "", const char* Suffix = "")
{
    g->Formats[Col] = TSortColumnFormat{Style, QString::fromUtf8(Prefix), QString::fromUtf8(Suffix)};
}

std::function<void(TKeyGrid*)> SortOn(int Col, TSortDirection Dir)
{
    return [Col, Dir](TKeyGrid* g) { g->Sort(Col, Dir); };
}

class SortKeysTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FormatSettings fs;
        fs.DecimalSeparator = u'.';
        fs.ThousandSeparator = u',';
        fs.DateSeparator = u'/';
        fs.ShortDateFormat = QStringLiteral("d/m/yyyy");
        fs.TimeSeparator = u':';
        FRegional = std::make_unique<ScopedFormatSettings>(fs);
    }
    std::unique_ptr<ScopedFormatSettings> FRegional;
};

}  // namespace

TEST_F(SortKeysTest, KeyedSortEndsWhereTheSortOverTheRowsEnds)
{
    const TSortCase cases[] = {
        {"numbers, automatic", nullptr, SortOn(1, sdAscending)},
        {"numbers, descending", nullptr, SortOn(1, sdDescending)},
        {"dates, automatic", nullptr, SortOn(2, sdAscending)},
        {"texts", nullptr, SortOn(3, sdAscending)},
        {"texts without case", [](TKeyGrid* g, int&) { g->SortSettings()->SetIgnoreCase(true); },
         SortOn(3, sdDescending)},
        {"times", nullptr, SortOn(4, sdAscending)},
        {"ties only, Full off", [](TKeyGrid* g, int&) { g->SortSettings()->SetFull(false); },
         SortOn(5, sdAscending)},
        {"blanks last, descending",
         [](TKeyGrid* g, int&) {
             g->SortSettings()->SetIgnoreBlanks(true);
             g->SortSettings()->SetBlankPos(blLast);
         },
         SortOn(2, sdDescending)},
        {"blanks first on numbers", [](TKeyGrid* g, int&) { g->SortSettings()->SetIgnoreBlanks(true); },
         SortOn(1, sdAscending)},
        {"no automatic format", [](TKeyGrid* g, int&) { g->SortSettings()->SetAutoFormat(false); },
         SortOn(1, sdAscending)},
        {"stored texts", [](TKeyGrid* g, int&) { g->SortSettings()->SetSortOnVirtualCells(false); },
         SortOn(2, sdAscending)},
        {"money with prefix, financial neighbour",
         [](TKeyGrid* g, int&) {
             SetStyle(g, 1, ssNumeric, "$");
             SetStyle(g, 2, ssFinancial);
         },
         SortOn(1, sdAscending)},
        {"alpha-numeric", [](TKeyGrid* g, int&) { SetStyle(g, 1, ssAlphaNumericNoCase); }, SortOn(1, sdAscending)},
        {"short dates day first", [](TKeyGrid* g, int&) { SetStyle(g, 2, ssShortDateEU); }, SortOn(2, sdAscending)},
        {"short dates month first", [](TKeyGrid* g, int&) { SetStyle(g, 2, ssShortDateUS); },
         SortOn(2, sdDescending)},
        {"date and time, time", [](TKeyGrid* g, int&) {
             SetStyle(g, 2, ssDateTime);
             SetStyle(g, 4, ssTime);
         },
         SortOn(2, sdAscending)},
        {"locale collation", [](TKeyGrid* g, int&) { SetStyle(g, 3, ssAnsiAlphaNoCase); }, SortOn(3, sdAscending)},
        {"markup removed", [](TKeyGrid* g, int&) { SetStyle(g, 3, ssHTML); }, SortOn(3, sdAscending)},
        {"custom handler, called per comparison",
         [](TKeyGrid* g, int& Calls) {
             SetStyle(g, 3, ssCustom);
             g->OnCustomCompare = [&Calls](TObject*, const QString& a, const QString& b, int& Res) {
                 ++Calls;
                 Res = a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
             };
         },
         SortOn(3, sdAscending)},
        {"raw handler reads the rows",
         [](TKeyGrid* g, int& Calls) {
             SetStyle(g, 5, ssRaw);
             g->OnRawCompare = [g, &Calls](TObject*, int ACol, int Row1, int Row2, int& Res) {
                 ++Calls;
                 Res = g->Cells(ACol, Row1).compare(g->Cells(ACol, Row2));
                 Res = Res > 0 ? 1 : (Res < 0 ? -1 : 0);
             };
         },
         SortOn(1, sdAscending)},
        {"check boxes",
         [](TKeyGrid* g, int&) {
             for (int r = 1; r < g->RowCount(); ++r) g->AddCheckBox(5, r, r % 3 == 0, false);
         },
         SortOn(5, sdAscending)},
        {"modified marks travel with their rows",
         [](TKeyGrid* g, int&) {
             g->ShowModified()->SetEnabled(true);
             for (int r = 1; r < g->RowCount(); r += 4) g->SetRowModified(r, true);
         },
         SortOn(2, sdDescending)},
        {"selected rows travel with their rows",
         [](TKeyGrid* g, int&) {
             g->MouseActions()->SetDisjunctRowSelect(true);
             g->Navigation()->SetMoveRowOnSort(true);
             for (int r = 1; r < g->RowCount(); r += 5) g->SetRowSelect(r, true);
         },
         SortOn(1, sdAscending)},
        {"one column moves", [](TKeyGrid* g, int&) { g->SortSettings()->SetSingleColumn(true); },
         SortOn(1, sdAscending)},
        {"ignored tie-break column", [](TKeyGrid* g, int&) { g->IgnoreColumns()->Add(2); }, SortOn(5, sdAscending)},
        {"indexed: texts ascending, numbers descending",
         [](TKeyGrid* g, int&) {
             g->SortIndexes()->AddIndex(3, true);
             g->SortIndexes()->AddIndex(1, false);
         },
         [](TKeyGrid* g) { g->QSortIndexed(); }},
        {"indexed without Full",
         [](TKeyGrid* g, int&) {
             g->SortSettings()->SetFull(false);
             g->SortIndexes()->AddIndex(5, false);
             g->SortIndexes()->AddIndex(2, true);
         },
         [](TKeyGrid* g) { g->QSortIndexed(); }},
        {"node groups",
         [](TKeyGrid* g, int&) {
             g->SortSettings()->SetColumn(1);
             g->AddNode(1, 20);
             g->AddNode(21, 25);
         },
         [](TKeyGrid* g) { g->QSortGroup(); }},
        {"a handler raising midway leaves the rows as far as the sort got",
         [](TKeyGrid* g, int& Calls) {
             SetStyle(g, 3, ssCustom);
             g->OnCustomCompare = [&Calls](TObject*, const QString& a, const QString& b, int& Res) {
                 if (++Calls == 150) throw std::runtime_error("stop");
                 Res = a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
             };
         },
         SortOn(3, sdAscending)},
    };
    for (const TSortCase& c : cases)
        for (unsigned seed : {1u, 2u}) {
            SCOPED_TRACE(std::string(c.Name) + ", seed " + std::to_string(seed));
            const TSortResult plain = RunCase(c, false, 60, seed);
            const TSortResult keyed = RunCase(c, true, 60, seed);
            EXPECT_EQ(keyed, plain);
            EXPECT_GT(plain.Compares, 0);
        }
}

TEST_F(SortKeysTest, NumbersThatDoNotReadCountByTheirLeadingNumber)
{
    // "12abc" is 12 against a number, "x" is 0; two such texts are equal.
    auto g = NewKeyGrid(4, 1);
    SetStyle(g.get(), 1, ssNumeric);
    const char* texts[] = {"12abc", "5", "x", "-2.5e1q"};
    for (int r = 0; r < 4; ++r) g->SetCells(1, r + 1, QString::fromUtf8(texts[r]));
    EXPECT_EQ(g->CompareCells(1, 1, 2, sdAscending), 1);
    EXPECT_EQ(g->CompareCells(1, 3, 2, sdAscending), -1);
    EXPECT_EQ(g->CompareCells(1, 4, 2, sdAscending), -1);  // -25 against 5
    EXPECT_EQ(g->CompareCells(1, 1, 3, sdAscending), 0);
    EXPECT_EQ(g->CompareCells(1, 4, 3, sdAscending), 0);
}
