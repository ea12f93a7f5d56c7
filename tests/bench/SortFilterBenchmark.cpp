// Sorting and filtering 100,000 rows of the string grid against
// QSortFilterProxyModel over a QStandardItemModel holding the same values
// (QString, int and QDate), in the same run and on the same data:
//   - QSort ascending on the text, the integer and the date column
//     (automatic styles) against QSortFilterProxyModel::sort on the column;
//   - one case-insensitive wildcard condition on an integer column applied
//     with FilterActive := True against setFilterRegularExpression of the
//     same wildcard with rowCount() read.
// Only the operation is timed: the original order (QUnSort, sort(-1)) and
// the unfiltered rows come back outside the timing. Each pair is checked
// once to give the same keys (sort) or the same number of rows (filter).
// Prints the ratio ours / proxy per case after the benchmarks, from the
// fastest iteration of each side (other load on the machine only ever adds
// time); figures from a sanitized build mean nothing.
//   QT_QPA_PLATFORM=offscreen build/release/tests/bench_sortfilter
//   ... --quick   (10,000 rows: what CI runs)

#include "AdvGrid.h"
#include "AdvGridFilter.h"
#include "AdvGridSort.h"
#include "FormatSettings.h"
#include "Forms.h"
#include "SortFilterData.h"

#include <QApplication>
#include <QDate>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace SortFilterData;

TAdvStringGrid* gGrid = nullptr;
QStandardItemModel* gModel = nullptr;
QSortFilterProxyModel* gProxy = nullptr;

// ---- the operations, each leaving the data as it found it -------------------------

double SortOurs(int Col)
{
    gGrid->SortSettings()->SetColumn(Col);
    gGrid->SortSettings()->SetDirection(sdAscending);
    const auto t0 = std::chrono::steady_clock::now();
    gGrid->QSort();
    return Seconds(t0);
}

void UnSortOurs() { gGrid->QUnSort(); }

double SortProxy(int Col)
{
    const auto t0 = std::chrono::steady_clock::now();
    gProxy->sort(Col, Qt::AscendingOrder);
    benchmark::DoNotOptimize(gProxy->rowCount());
    return Seconds(t0);
}

void UnSortProxy() { gProxy->sort(-1); }

const QString kWildcard = QStringLiteral("*3*7*");
constexpr int kFilterCol = 1;

double FilterOurs()
{
    TFilterData* d = gGrid->Filter()->Add();
    d->SetColumn(kFilterCol);
    d->SetCondition(kWildcard);
    d->SetCaseSensitive(false);
    const auto t0 = std::chrono::steady_clock::now();
    gGrid->SetFilterActive(true);
    return Seconds(t0);
}

void UnFilterOurs()
{
    gGrid->SetFilterActive(false);
    gGrid->RemoveAllFilters();
    gGrid->Filter()->Clear();
}

double FilterProxy()
{
    gProxy->setFilterKeyColumn(kFilterCol);
    const auto t0 = std::chrono::steady_clock::now();
    gProxy->setFilterRegularExpression(QRegularExpression(QRegularExpression::wildcardToRegularExpression(kWildcard),
                                                          QRegularExpression::CaseInsensitiveOption));
    benchmark::DoNotOptimize(gProxy->rowCount());
    return Seconds(t0);
}

void UnFilterProxy() { gProxy->setFilterRegularExpression(QRegularExpression()); }

// ---- the checks made once before any timing ------------------------------------------

QString ProxyKey(int r, int Col)
{
    const QVariant v = gProxy->index(r, Col).data(Qt::DisplayRole);
    if (v.typeId() == QMetaType::QDate) return v.toDate().toString(QString::fromLatin1(kDateFormat));
    return v.toString();
}

void CheckSort(const char* Name, int Col)
{
    SortOurs(Col);
    SortProxy(Col);
    int first = -1;
    for (int r = 0; r < Rows && first < 0; ++r)
        if (gGrid->Cells(Col, r + 1) != ProxyKey(r, Col)) first = r;
    if (first >= 0)
        std::printf("MISMATCH: sorting the %s column differs at row %d: %s / %s\n", Name, first,
                    qPrintable(gGrid->Cells(Col, first + 1)), qPrintable(ProxyKey(first, Col)));
    UnSortOurs();
    UnSortProxy();
}

void CheckFilter()
{
    FilterOurs();
    FilterProxy();
    const int ours = gGrid->RowCount() - gGrid->FixedRows();
    const int proxy = gProxy->rowCount();
    if (ours != proxy) std::printf("MISMATCH: the filter keeps %d rows, the proxy %d\n", ours, proxy);
    UnFilterOurs();
    UnFilterProxy();
}

// ---- the benchmarks --------------------------------------------------------------------

std::map<std::string, double> gBest;  // fastest seconds per operation by case and side

template <class Run, class Undo>
void Timed(benchmark::State& State, const std::string& Key, Run run, Undo undo)
{
    double best = -1;
    for (auto _ : State) {
        const double s = run();
        State.SetIterationTime(s);
        if (best < 0 || s < best) best = s;
        undo();
    }
    if (best >= 0) gBest[Key] = best;
}

void BM_SortOurs(benchmark::State& State)
{
    const int col = int(State.range(0));
    Timed(State, "sort ours " + std::to_string(col), [col] { return SortOurs(col); }, UnSortOurs);
}

void BM_SortProxy(benchmark::State& State)
{
    const int col = int(State.range(0));
    Timed(State, "sort proxy " + std::to_string(col), [col] { return SortProxy(col); }, UnSortProxy);
}

void BM_FilterOurs(benchmark::State& State) { Timed(State, "filter ours", FilterOurs, UnFilterOurs); }
void BM_FilterProxy(benchmark::State& State) { Timed(State, "filter proxy", FilterProxy, UnFilterProxy); }

struct SortCase {
    const char* Name;
    int Col;
};
const SortCase kSortCases[] = {{"text", 0}, {"integer", 1}, {"date", 2}};

}  // namespace

BENCHMARK(BM_SortOurs)->Arg(0)->Arg(1)->Arg(2)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortProxy)->Arg(0)->Arg(1)->Arg(2)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterOurs)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FilterProxy)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0) Rows = 10000;
        else args.push_back(argv[i]);
    }
    int n = int(args.size());
    QApplication app(argc, argv);
    // Dates read day first with four-digit years, as the data is written.
    FormatSettings fs;
    fs.ShortDateFormat = QStringLiteral("d/m/yyyy");
    fs.DateSeparator = u'/';
    const ScopedFormatSettings regional(fs);
    MakeTexts();
    GridPtr grid = MakeGrid();
    grid->SortSettings()->SetAutoFormat(true);
    auto model = MakeModel();
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(model.get());
    gGrid = grid.get();
    gModel = model.get();
    gProxy = &proxy;

    for (const SortCase& c : kSortCases) CheckSort(c.Name, c.Col);
    CheckFilter();

    benchmark::Initialize(&n, args.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    std::printf("\n%d rows x %d columns, the same data on both sides\n", Rows, kCols);
    std::printf("%-28s %12s %12s %8s\n", "operation", "ours [ms]", "proxy [ms]", "ours/proxy");
    auto line = [](const std::string& Label, const std::string& Ours, const std::string& Proxy) {
        const auto o = gBest.find(Ours), p = gBest.find(Proxy);
        if (o == gBest.end() || p == gBest.end()) return;  // filtered out on the command line
        std::printf("%-28s %12.2f %12.2f %8.2f\n", Label.c_str(), o->second * 1e3, p->second * 1e3,
                    p->second > 0 ? o->second / p->second : 0.0);
    };
    for (const SortCase& c : kSortCases)
        line(std::string("sort ") + c.Name, "sort ours " + std::to_string(c.Col), "sort proxy " + std::to_string(c.Col));
    line("filter *3*7* (integers)", "filter ours", "filter proxy");
    return 0;
}
