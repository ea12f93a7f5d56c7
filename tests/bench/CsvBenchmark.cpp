// CSV load and save of the string grid against the practical limit on the
// same file in the same run: the file read whole, decoded and split by a
// plain loop at CR LF and at the delimiter (no quote handling), and the same
// fields joined by a plain loop and written whole through the same safe
// write. The grid is 200,000 x 10 cells from a fixed seed; about one cell
// in ten holds the delimiter, one in twenty a double quote and one in twenty
// a line break. After the runs a table gives both times and the ratios.
//   QT_QPA_PLATFORM=offscreen build/release/tests/bench_csv
//   ... --quick   (20,000 rows: what CI runs)

#include "AdvGrid.h"
#include "Files.h"
#include "TextFiles.h"

#include "BenchCommon.h"
#include "BenchTable.h"

#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kCols = 10;
int gRows = 200000;
QString gFile;
QString gOut;

struct GridDeleter {
    void operator()(TAdvStringGrid* g) const { Free(g); }
};
using GridPtr = std::unique_ptr<TAdvStringGrid, GridDeleter>;

GridPtr NewGrid()
{
    GridPtr g(Create<TAdvStringGrid>(nullptr));
    g->SetFixedRows(0);
    g->SetFixedCols(0);
    g->SetColCount(kCols);
    g->SetRowCount(2);
    return g;
}

void Generate()
{
    std::mt19937 rng(20261210);
    GridPtr g = NewGrid();
    g->SetRowCount(gRows);
    for (int r = 0; r < gRows; ++r)
        for (int c = 0; c < kCols; ++c) {
            QString s = QStringLiteral("cell %1 %2 %3").arg(r).arg(c).arg(rng() % 100000);
            const unsigned k = rng() % 20;
            if (k < 2) s.insert(4, u',');
            if (k == 2) s.insert(2, u'"');
            if (k == 3) s.insert(5, QStringLiteral("\r\n"));
            g->SetCells(c, r, s);
        }
    g->SaveToCSV(gFile, true);
}

void BM_GridLoad(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        GridPtr g = NewGrid();
        state.ResumeTiming();
        g->LoadFromCSV(gFile);
        benchmark::DoNotOptimize(g->RowCount());
        state.PauseTiming();
        g.reset();
        state.ResumeTiming();
    }
}

void BM_LimitLoad(benchmark::State& state)
{
    for (auto _ : state) {
        const QString text = DecodeText(ReadFileBytes(gFile)).Text;
        std::vector<QString> fields;
        fields.reserve(size_t(gRows) * kCols);
        qsizetype start = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar ch = text[i];
            if (ch == u',' || ch == u'\r') {
                fields.push_back(text.mid(start, i - start));
                if (ch == u'\r') ++i;
                start = i + 1;
            }
        }
        benchmark::DoNotOptimize(fields.data());
    }
}

GridPtr gLoaded;

void BM_GridSave(benchmark::State& state)
{
    for (auto _ : state) gLoaded->SaveToCSV(gOut, true);
}

void BM_LimitSave(benchmark::State& state)
{
    for (auto _ : state) {
        QString out;
        for (int r = 0; r < gLoaded->RowCount(); ++r) {
            for (int c = 0; c < kCols; ++c) {
                if (c) out += u',';
                out += gLoaded->GridCells(c, r);
            }
            out += QLatin1String("\r\n");
        }
        const QByteArray bytes = QByteArray("\xEF\xBB\xBF") + out.toUtf8();
        benchmark::DoNotOptimize(SafeWriteFile(gOut, bytes).Ok);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    BenchArgs args(argc, argv);
    QApplication app(args.Argc(), args.Argv());
    if (args.Quick()) gRows = 20000;
    QTemporaryDir dir;
    gFile = dir.filePath(QStringLiteral("grid.csv"));
    gOut = dir.filePath(QStringLiteral("out.csv"));
    Generate();
    gLoaded = NewGrid();
    gLoaded->LoadFromCSV(gFile);
    benchmark::RegisterBenchmark("GridLoad", BM_GridLoad)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("LimitLoad", BM_LimitLoad)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("GridSave", BM_GridSave)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("LimitSave", BM_LimitSave)->Unit(benchmark::kMillisecond)->UseRealTime();
    BenchTableReporter reporter;
    args.RunBenchmarks(&reporter);
    const double load = BenchRatio(reporter.Seconds("GridLoad"), reporter.Seconds("LimitLoad"));
    const double save = BenchRatio(reporter.Seconds("GridSave"), reporter.Seconds("LimitSave"));
    std::printf("\nCSV of %d x %d cells (%lld bytes)\n", gRows, kCols, (long long)ReadFileBytes(gFile).size());
    std::printf("load: grid %.3f s, limit %.3f s, ratio %.2f (target <= 3)\n", reporter.Seconds("GridLoad"),
                reporter.Seconds("LimitLoad"), load);
    std::printf("save: grid %.3f s, limit %.3f s, ratio %.2f (target <= 2)\n", reporter.Seconds("GridSave"),
                reporter.Seconds("LimitSave"), save);
    gLoaded.reset();
    return 0;
}
