// The string grid's column sizing and column sum against Qt on the same
// data in the same run: AutoSizeCol over 512 and 100,000 rows of texts of 5
// to 40 characters against QTableView::resizeColumnToContents (every row
// measured), and ColumnSum over 100,000 decimal texts (one in ten not a
// number) against summing QTableWidgetItem::text().toDouble(). Each case
// times both sides and reports ours, Qt's and the ratio ours/Qt as counters.
// Part of bench_grid:
//   QT_QPA_PLATFORM=offscreen build/release/tests/bench_grid --benchmark_filter=Calc

#include "AdvGrid.h"
#include "BenchCommon.h"
#include "Forms.h"

#include <QHeaderView>
#include <QTableWidget>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <random>

namespace {

using CalcClock = std::chrono::steady_clock;

QStringList CalcTexts(int rows, bool numbers)
{
    std::mt19937 rnd(7);
    QStringList out;
    out.reserve(rows);
    for (int r = 0; r < rows; ++r) {
        if (numbers) {
            out << (r % 10 == 9 ? QStringLiteral("n/a") : QString::number(double(rnd() % 100000) / 100, 'f', 2));
        } else {
            const int len = 5 + int(rnd() % 36);
            QString s;
            for (int i = 0; i < len; ++i) s += QChar(QLatin1Char(char('a' + rnd() % 26)));
            out << s;
        }
    }
    return out;
}

struct CalcPair {
    CalcPair(const QStringList& texts)
    {
        const int rows = int(texts.size());
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, 640, 480);
        Grid = Create<TAdvStringGrid>(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(0, 0, 620, 460);
        Grid->Font()->SetName(QStringLiteral("DejaVu Sans"));
        Grid->SetColCount(3);
        Grid->SetRowCount(rows + 1);
        for (int r = 0; r < rows; ++r) Grid->SetCells(1, r + 1, texts[r]);
        Table = std::make_unique<QTableWidget>(rows + 1, 3);
        Table->setFont(Grid->Font()->ToQFont());
        Table->horizontalHeader()->setResizeContentsPrecision(-1);
        for (int r = 0; r < rows; ++r) Table->setItem(r + 1, 1, new QTableWidgetItem(texts[r]));
    }
    ~CalcPair() { Free(Form); }
    TForm* Form;
    TAdvStringGrid* Grid;
    std::unique_ptr<QTableWidget> Table;
};

void CalcReport(benchmark::State& state, double ours, double theirs)
{
    BenchRatioCounters(state, ours, theirs, "ms");
}

double CalcSeconds(CalcClock::time_point a, CalcClock::time_point b) { return std::chrono::duration<double>(b - a).count(); }

void BM_Calc_AutoSizeCol(benchmark::State& state)
{
    CalcPair p(CalcTexts(int(state.range(0)), false));
    double ours = 0, theirs = 0;
    for (auto _ : state) {
        p.Grid->SetColWidths(1, 10);
        const auto t0 = CalcClock::now();
        p.Grid->AutoSizeCol(1, 0);
        const auto t1 = CalcClock::now();
        p.Table->setColumnWidth(1, 10);
        const auto t2 = CalcClock::now();
        p.Table->resizeColumnToContents(1);
        const auto t3 = CalcClock::now();
        ours += CalcSeconds(t0, t1);
        theirs += CalcSeconds(t2, t3);
        state.SetIterationTime(CalcSeconds(t0, t1));
    }
    CalcReport(state, ours, theirs);
}

void BM_Calc_ColumnSum(benchmark::State& state)
{
    CalcPair p(CalcTexts(int(state.range(0)), true));
    double ours = 0, theirs = 0, a = 0, b = 0;
    for (auto _ : state) {
        const auto t0 = CalcClock::now();
        a = p.Grid->ColumnSum(1, -1, -1);
        const auto t1 = CalcClock::now();
        double sum = 0;
        for (int r = 1; r < p.Table->rowCount(); ++r) sum += p.Table->item(r, 1)->text().toDouble();
        b = sum;
        const auto t2 = CalcClock::now();
        ours += CalcSeconds(t0, t1);
        theirs += CalcSeconds(t1, t2);
        state.SetIterationTime(CalcSeconds(t0, t1));
    }
    benchmark::DoNotOptimize(a);
    benchmark::DoNotOptimize(b);
    CalcReport(state, ours, theirs);
}

}  // namespace

BENCHMARK(BM_Calc_AutoSizeCol)->Arg(512)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Calc_ColumnSum)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);
