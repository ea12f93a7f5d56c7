// Sorting 100,000 rows of the string grid against QTableWidget::sortItems on
// the same data in the same run: one text column and one number column,
// each sorted ascending from the same shuffled order. Prints both times and
// the ratio ours/Qt; figures from a sanitized build mean nothing.
//   QT_QPA_PLATFORM=offscreen build/release/tests/bench_sort
//   ... --quick   (10,000 rows: what CI runs)

#include "AdvGrid.h"
#include "BenchCommon.h"
#include "Forms.h"

#include <QApplication>
#include <QTableWidget>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kCols = 4;
int gRows = 100000;
std::vector<QString> gTexts;  // row-major, made before any timing

const QString& Text(int r, int c)
{
    return gTexts[size_t(r) * kCols + size_t(c)];
}

void MakeTexts()
{
    std::mt19937 rnd(27);
    gTexts.clear();
    gTexts.reserve(size_t(gRows) * kCols);
    for (int r = 0; r < gRows; ++r) {
        gTexts.push_back(QStringLiteral("name%1").arg(rnd() % 1000000));
        gTexts.push_back(QString::number(int(rnd() % 2000000) - 1000000));
        gTexts.push_back(QStringLiteral("x%1").arg(r));
        gTexts.push_back(QStringLiteral("y"));
    }
}

double Seconds(const std::chrono::steady_clock::time_point& t0)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

double SortOurs(int Col)
{
    std::unique_ptr<TAdvStringGrid, void (*)(TAdvStringGrid*)> g(Create<TAdvStringGrid>(nullptr),
                                                                 [](TAdvStringGrid* p) { Free(p); });
    g->SetColCount(kCols);
    g->SetRowCount(gRows + 1);
    g->SetFixedCols(0);
    g->SetFixedRows(1);
    for (int r = 0; r < gRows; ++r)
        for (int c = 0; c < kCols; ++c) g->SetCells(c, r + 1, Text(r, c));
    g->SortSettings()->SetFull(false);
    const auto t0 = std::chrono::steady_clock::now();
    g->Sort(Col, sdAscending);
    const double s = Seconds(t0);
    benchmark::DoNotOptimize(g->Cells(Col, 1));
    return s;
}

double SortQt(int Col)
{
    QTableWidget t(gRows, kCols);
    for (int r = 0; r < gRows; ++r)
        for (int c = 0; c < kCols; ++c) {
            auto* it = new QTableWidgetItem;
            // Numbers compare as numbers, like the grid's automatic style.
            if (c == 1)
                it->setData(Qt::DisplayRole, Text(r, c).toInt());
            else
                it->setText(Text(r, c));
            t.setItem(r, c, it);
        }
    const auto t0 = std::chrono::steady_clock::now();
    t.sortItems(Col, Qt::AscendingOrder);
    const double s = Seconds(t0);
    benchmark::DoNotOptimize(t.item(0, Col));
    return s;
}

}  // namespace

int main(int argc, char** argv)
{
    BenchArgs args(argc, argv);
    if (args.Quick()) gRows = 10000;
    QApplication app(args.Argc(), args.Argv());
    MakeTexts();
    std::printf("%d rows x %d columns, sorted ascending once from the same order\n", gRows, kCols);
    std::printf("%-10s %12s %12s %8s\n", "column", "ours [s]", "Qt [s]", "ours/Qt");
    const struct {
        const char* Name;
        int Col;
    } runs[] = {{"text", 0}, {"number", 1}};
    for (const auto& run : runs) {
        const double ours = SortOurs(run.Col);
        const double qt = SortQt(run.Col);
        std::printf("%-10s %12.4f %12.4f %8.2f\n", run.Name, ours, qt, BenchRatio(ours, qt));
    }
    return 0;
}
