// Filtering and finding in 100,000 rows of the string grid against
// QSortFilterProxyModel over a QStandardItemModel holding the same values,
// in the same run: one case-insensitive wildcard condition on an integer
// column (FilterActive on against setFilterRegularExpression of the same
// wildcard and rowCount()), and every hit of a text walked with FindFirst /
// FindNext against QAbstractItemModel::match over the same column. Both
// sides are checked once to keep the same rows, in an untimed first run
// that also warms both up. Prints both times (the fastest of three runs)
// and the ratio ours / Qt; figures from a sanitized build mean nothing.
//   QT_QPA_PLATFORM=offscreen build/release/tests/bench_filter
//   ... --quick   (10,000 rows: what CI runs)

#include "AdvGrid.h"
#include "AdvGridFilter.h"
#include "AdvGridFind.h"
#include "BenchCommon.h"
#include "Forms.h"
#include "SortFilterData.h"

#include <QApplication>
#include <QDate>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using namespace SortFilterData;

struct Result {
    double Seconds;
    int Count;
};

Result FilterOurs(TAdvStringGrid* g, const QString& Wildcard)
{
    TFilterData* d = g->Filter()->Add();
    d->SetColumn(1);
    d->SetCondition(Wildcard);
    d->SetCaseSensitive(false);
    const auto t0 = std::chrono::steady_clock::now();
    g->SetFilterActive(true);
    const Result res{Seconds(t0), g->RowCount() - g->FixedRows()};
    g->SetFilterActive(false);
    g->RemoveAllFilters();
    g->RemoveAllFilters();
    return res;
}

Result FilterQt(QSortFilterProxyModel* p, const QString& Wildcard)
{
    p->setFilterKeyColumn(1);
    const auto t0 = std::chrono::steady_clock::now();
    p->setFilterRegularExpression(QRegularExpression(
        QRegularExpression::wildcardToRegularExpression(Wildcard), QRegularExpression::CaseInsensitiveOption));
    const int n = p->rowCount();
    const Result res{Seconds(t0), n};
    p->setFilterRegularExpression(QRegularExpression());
    return res;
}

Result FindOurs(TAdvStringGrid* g, const QString& s)
{
    const auto t0 = std::chrono::steady_clock::now();
    int hits = 0;
    g->SetFindCol(0);
    for (TPoint p = g->FindFirst(s, {fnFindInPresetCol}); p.X >= 0; p = g->FindNext()) ++hits;
    return {Seconds(t0), hits};
}

Result FindQt(QStandardItemModel* m, const QString& s)
{
    const auto t0 = std::chrono::steady_clock::now();
    const QModelIndexList hits =
        m->match(m->index(0, 0), Qt::DisplayRole, s, -1, Qt::MatchContains);
    return {Seconds(t0), int(hits.size())};
}

}  // namespace

int main(int argc, char** argv)
{
    BenchArgs args(argc, argv);
    if (args.Quick()) Rows = 10000;
    QApplication app(args.Argc(), args.Argv());
    MakeTexts();
    GridPtr g = MakeGrid();
    auto model = MakeModel();
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(model.get());

    std::printf("%d rows x %d columns, the same data on both sides\n", Rows, kCols);
    std::printf("%-24s %12s %12s %8s %8s\n", "operation", "ours [s]", "Qt [s]", "ours/Qt", "kept");
    const QString wildcard = QStringLiteral("*3*7*");
    Result ours = FilterOurs(g.get(), wildcard);  // the check, untimed
    Result qt = FilterQt(&proxy, wildcard);
    ours.Seconds = qt.Seconds = 1e30;
    for (int run = 0; run < 3; ++run) {
        ours.Seconds = std::min(ours.Seconds, FilterOurs(g.get(), wildcard).Seconds);
        qt.Seconds = std::min(qt.Seconds, FilterQt(&proxy, wildcard).Seconds);
    }
    if (ours.Count != qt.Count) std::printf("MISMATCH: filter keeps %d rows, proxy %d\n", ours.Count, qt.Count);
    std::printf("%-24s %12.4f %12.4f %8.2f %8d\n", "filter *3*7* (integers)", ours.Seconds, qt.Seconds,
                BenchRatio(ours.Seconds, qt.Seconds), ours.Count);
    const Result fo = FindOurs(g.get(), QStringLiteral("name12"));
    const Result fq = FindQt(model.get(), QStringLiteral("name12"));
    if (fo.Count != fq.Count) std::printf("MISMATCH: find hits %d cells, match %d\n", fo.Count, fq.Count);
    std::printf("%-24s %12.4f %12.4f %8.2f %8d\n", "find all \"name12\"", fo.Seconds, fq.Seconds,
                BenchRatio(fo.Seconds, fq.Seconds), fo.Count);
    return 0;
}
