// Filtering and finding in 100,000 rows of the string grid against
// QSortFilterProxyModel over a QStandardItemModel holding the same values,
// in the same run: one case-insensitive wildcard condition on an integer
// column (FilterActive on against setFilterRegularExpression of the same
// wildcard and rowCount()), and every hit of a text walked with FindFirst /
// FindNext against QAbstractItemModel::match over the same column. Both
// sides are checked once to keep the same rows. Prints both times and the
// ratio ours / Qt; figures from a sanitized build mean nothing.
//   QT_QPA_PLATFORM=offscreen build/release/tests/bench_filter
//   ... --quick   (10,000 rows: what CI runs)

#include "AdvGrid.h"
#include "AdvGridFilter.h"
#include "AdvGridFind.h"
#include "Forms.h"

#include <QApplication>
#include <QDate>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kCols = 5;
int gRows = 100000;
std::vector<QString> gTexts;  // row-major: text, integer, date, text, integer

const QString& Text(int r, int c) { return gTexts[size_t(r) * kCols + size_t(c)]; }

void MakeTexts()
{
    std::mt19937 rnd(27);
    gTexts.clear();
    gTexts.reserve(size_t(gRows) * kCols);
    for (int r = 0; r < gRows; ++r) {
        gTexts.push_back(QStringLiteral("name%1").arg(rnd() % 1000000));
        gTexts.push_back(QString::number(rnd() % 1000000));
        const QDate d = QDate(1990, 1, 1).addDays(int(rnd() % 12000));
        gTexts.push_back(d.toString(QStringLiteral("d/M/yyyy")));
        gTexts.push_back(QStringLiteral("w%1").arg(rnd() % 5000));
        gTexts.push_back(QString::number(rnd() % 1000));
    }
}

double Seconds(const std::chrono::steady_clock::time_point& t0)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

using GridPtr = std::unique_ptr<TAdvStringGrid, void (*)(TAdvStringGrid*)>;

GridPtr MakeGrid()
{
    GridPtr g(Create<TAdvStringGrid>(nullptr), [](TAdvStringGrid* p) { Free(p); });
    g->SetColCount(kCols);
    g->SetRowCount(gRows + 1);
    g->SetFixedCols(0);
    g->SetFixedRows(1);
    for (int r = 0; r < gRows; ++r)
        for (int c = 0; c < kCols; ++c) g->SetCells(c, r + 1, Text(r, c));
    return g;
}

std::unique_ptr<QStandardItemModel> MakeModel()
{
    auto m = std::make_unique<QStandardItemModel>(gRows, kCols);
    for (int r = 0; r < gRows; ++r)
        for (int c = 0; c < kCols; ++c) {
            auto* it = new QStandardItem;
            if (c == 1 || c == 4) it->setData(Text(r, c).toInt(), Qt::DisplayRole);
            else if (c == 2) it->setData(QDate::fromString(Text(r, c), QStringLiteral("d/M/yyyy")), Qt::DisplayRole);
            else it->setText(Text(r, c));
            m->setItem(r, c, it);
        }
    return m;
}

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
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--quick") == 0) gRows = 10000;
    QApplication app(argc, argv);
    MakeTexts();
    GridPtr g = MakeGrid();
    auto model = MakeModel();
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(model.get());

    std::printf("%d rows x %d columns, the same data on both sides\n", gRows, kCols);
    std::printf("%-24s %12s %12s %8s %8s\n", "operation", "ours [s]", "Qt [s]", "ours/Qt", "kept");
    const QString wildcard = QStringLiteral("*3*7*");
    const Result ours = FilterOurs(g.get(), wildcard);
    const Result qt = FilterQt(&proxy, wildcard);
    if (ours.Count != qt.Count) std::printf("MISMATCH: filter keeps %d rows, proxy %d\n", ours.Count, qt.Count);
    std::printf("%-24s %12.4f %12.4f %8.2f %8d\n", "filter *3*7* (integers)", ours.Seconds, qt.Seconds,
                qt.Seconds > 0 ? ours.Seconds / qt.Seconds : 0.0, ours.Count);
    const Result fo = FindOurs(g.get(), QStringLiteral("name12"));
    const Result fq = FindQt(model.get(), QStringLiteral("name12"));
    if (fo.Count != fq.Count) std::printf("MISMATCH: find hits %d cells, match %d\n", fo.Count, fq.Count);
    std::printf("%-24s %12.4f %12.4f %8.2f %8d\n", "find all \"name12\"", fo.Seconds, fq.Seconds,
                fq.Seconds > 0 ? fo.Seconds / fq.Seconds : 0.0, fo.Count);
    return 0;
}
