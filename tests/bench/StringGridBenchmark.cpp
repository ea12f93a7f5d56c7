// The string grid against QTableWidget on the same data in the same run:
// filling 100,000 x 10 cells, reading them all back, the heap each grid
// needs per cell, 1,000 single-row insertions and removals in the middle,
// and 1,000 hide/unhide pairs of one column. Both grids are shown offscreen
// at 1280 x 800 with the same font; the texts are made before any timing.
// After the runs a table gives both times, the ratio ours/Qt and the target.
//   QT_QPA_PLATFORM=offscreen build/release/tests/bench_stringgrid
//   ... --quick   (10,000 rows, 100 operations: what CI runs)

#include "AdvGrid.h"
#include "BenchCommon.h"
#include "Forms.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHeaderView>
#include <QTableWidget>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <malloc.h>
#include <map>
#include <memory>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define STRINGGRID_BENCH_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define STRINGGRID_BENCH_SANITIZED 1
#endif
#endif

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;
constexpr int kCols = 10;

int gRows = 100000;
int gOps = 1000;
std::vector<QString> gTexts;  // row-major, made before any timing

struct Figure {
    double Seconds = 0;
    long long Bytes = -1;
};
std::map<std::string, Figure> gResults;

long long HeapInUse()
{
#ifdef STRINGGRID_BENCH_SANITIZED
    return -1;
#else
    return (long long)mallinfo2().uordblks;
#endif
}

const QString& Text(int r, int c) { return gTexts[size_t(r) * kCols + size_t(c)]; }

struct Ours {
    Ours()
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, kWidth + 20, kHeight + 20);
        Grid = Create<TAdvStringGrid>(Form);
        Grid->SetParent(Form);
        Grid->Font()->SetName(QStringLiteral("DejaVu Sans"));
        Grid->Font()->SetHeight(-12);
        Grid->SetBounds(0, 0, kWidth, kHeight);
        Grid->SetColCount(kCols + 1);
        Grid->SetRowCount(gRows + 1);
        Grid->SetFixedCols(1);
        Grid->SetFixedRows(1);
        Form->Show();
        QApplication::processEvents();
    }
    ~Ours() { Free(Form); }
    void Fill()
    {
        for (int r = 0; r < gRows; ++r)
            for (int c = 0; c < kCols; ++c) Grid->SetCells(c + 1, r + 1, Text(r, c));
    }
    long long ReadAll()
    {
        long long n = 0;
        for (int r = 1; r <= gRows; ++r)
            for (int c = 1; c <= kCols; ++c) n += Grid->Cells(c, r).size();
        return n;
    }
    void InsertRemove()
    {
        const int at = gRows / 2;
        for (int i = 0; i < gOps; ++i) Grid->InsertRows(at, 1);
        for (int i = 0; i < gOps; ++i) Grid->RemoveRows(at, 1);
    }
    void HideUnhide()
    {
        for (int i = 0; i < gOps; ++i) {
            Grid->HideColumn(5);
            Grid->UnHideColumn(5);
        }
    }
    TForm* Form;
    TAdvStringGrid* Grid;
};

struct Theirs {
    Theirs()
    {
        Table = std::make_unique<QTableWidget>(gRows, kCols);
        Table->resize(kWidth, kHeight);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(12);
        Table->setFont(f);
        Table->show();
        QApplication::processEvents();
    }
    void Fill()
    {
        for (int r = 0; r < gRows; ++r)
            for (int c = 0; c < kCols; ++c) Table->setItem(r, c, new QTableWidgetItem(Text(r, c)));
    }
    long long ReadAll()
    {
        long long n = 0;
        for (int r = 0; r < gRows; ++r)
            for (int c = 0; c < kCols; ++c) n += Table->item(r, c)->text().size();
        return n;
    }
    void InsertRemove()
    {
        const int at = gRows / 2;
        for (int i = 0; i < gOps; ++i) Table->insertRow(at);
        for (int i = 0; i < gOps; ++i) Table->removeRow(at);
    }
    void HideUnhide()
    {
        for (int i = 0; i < gOps; ++i) {
            Table->setColumnHidden(4, true);
            Table->setColumnHidden(4, false);
        }
    }
    std::unique_ptr<QTableWidget> Table;
};

template <class G>
void BM_Cases(benchmark::State& state, const char* who)
{
    for (auto _ : state) {
        G g;
        const long long before = HeapInUse();
        const double fill = BenchTimed([&] { g.Fill(); });
        const long long after = HeapInUse();
        long long sink = 0;
        const double read = BenchTimed([&] { sink = g.ReadAll(); });
        benchmark::DoNotOptimize(sink);
        const double ins = BenchTimed([&] { g.InsertRemove(); });
        const double hide = BenchTimed([&] { g.HideUnhide(); });
        state.SetIterationTime(fill + read + ins + hide);
        const std::string w = who;
        gResults["fill " + w] = {fill, before >= 0 && after >= 0 ? after - before : -1};
        gResults["read " + w] = {read, -1};
        gResults["insert/remove " + w] = {ins, -1};
        gResults["hide/unhide " + w] = {hide, -1};
    }
}

void BM_Ours(benchmark::State& state) { BM_Cases<Ours>(state, "ours"); }
void BM_QTableWidget(benchmark::State& state) { BM_Cases<Theirs>(state, "qt"); }

void PrintTable()
{
    struct Row {
        const char* name;
        const char* target;
    };
    const Row rows[] = {{"fill", "at most 0.5x"}, {"read", "at most 0.5x"}, {"insert/remove", "at most 1.0x"},
                        {"hide/unhide", "reported"}};
    std::printf("\n%d rows x %d columns, %d row insertions/removals, %d hide/unhide pairs\n", gRows, kCols, gOps, gOps);
    const BenchRatioTable table(16, "ms", 1000);
    for (const Row& r : rows)
        table.Row(r.name, gResults[std::string(r.name) + " ours"].Seconds, gResults[std::string(r.name) + " qt"].Seconds,
                  r.target);
    const Figure o = gResults["fill ours"], q = gResults["fill qt"];
    const double cells = double(gRows) * kCols;
    if (o.Bytes < 0 || q.Bytes < 0) {
        std::printf("%-16s %12s %12s %8s  %s\n", "bytes per cell", "n/a", "n/a", "n/a", "at most 0.5x");
    } else {
        std::printf("%-16s %12.1f %12.1f %8.2f  %s\n", "bytes per cell", o.Bytes / cells, q.Bytes / cells,
                    BenchRatio(double(o.Bytes), double(q.Bytes)), "at most 0.5x");
    }
}

} // namespace

BENCHMARK(BM_Ours)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();
BENCHMARK(BM_QTableWidget)->Unit(benchmark::kMillisecond)->Iterations(1)->UseManualTime();

int main(int argc, char** argv)
{
    BenchArgs args(argc, argv);
    if (args.Quick()) {
        gRows = 10000;
        gOps = 100;
    }
    BenchOffscreen();
    QApplication app(args.Argc(), args.Argv());
    BenchDejaVuFont();
    gTexts.reserve(size_t(gRows) * kCols);
    for (int r = 0; r < gRows; ++r)
        for (int c = 0; c < kCols; ++c) gTexts.push_back(BenchCellText(r + 1, c + 1));
    args.RunBenchmarks();
    PrintTable();
    return 0;
}
