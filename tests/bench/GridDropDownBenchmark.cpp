// Opening the list drop-downs and narrowing the open grid drop-down, side by
// side with the nearest Qt equivalents on the same rows of three columns:
//  - one opening of the multi-column drop-down and of the grid drop-down
//    (loading the list, sizing, placing, the first paint of the pop-up)
//    against a QComboBox whose view is a QTableView over a
//    QStandardItemModel (the model filled, showPopup, its first paint);
//  - narrowing the open grid drop-down by one typed character and back (the
//    character, a Backspace that removes the completed tail, a Backspace
//    that empties the entry) against QSortFilterProxyModel::
//    setFilterFixedString with the same two texts, case-insensitive, on a
//    shown view.
// The heap in use after filling and opening is reported for both sides.

#include "AdvDropDownForm.h"
#include "AdvGridDropDown.h"
#include "AdvMultiColumnDropDown.h"
#include "Forms.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <malloc.h>

extern int ListBenchCount;

namespace {

QStringList GridBenchRow(int i)
{
    return {QStringLiteral("Station %1 line").arg(i, 5, 10, QLatin1Char('0')), QStringLiteral("K%1").arg(i),
            QStringLiteral("zone %1").arg(i % 97)};
}

double GridBenchHeapMB()
{
    return double(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

template <class D>
void GridBenchFill(D* d)
{
    for (const char* h : {"Station", "Key", "Zone"}) d->Columns()->Add()->SetHeader(QString::fromLatin1(h));
    d->BeginUpdate();
    for (int i = 0; i < ListBenchCount; ++i) d->Items()->Add()->SetText(GridBenchRow(i));
    d->EndUpdate();
}

template <class D>
void GridBenchOpen(benchmark::State& state)
{
    const double before = GridBenchHeapMB();
    TForm* form = Create<TForm>(nullptr);
    form->SetBounds(0, 0, 400, 300);
    auto* d = Create<D>(form);
    d->SetParent(form);
    d->SetBounds(10, 10, 200, 21);
    GridBenchFill(d);
    form->Show();
    double heap = 0;
    for (auto _ : state) {
        d->ShowDropDown();
        QImage first = d->DropDownForm()->Widget()->grab().toImage();
        benchmark::DoNotOptimize(first);
        state.PauseTiming();
        if (heap == 0) heap = GridBenchHeapMB() - before;
        d->HideDropDown(true);
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["heap_MB"] = heap;
    Free(form);
}

void BM_Ours_MultiColumnOpen(benchmark::State& state)
{
    GridBenchOpen<AdvMultiColumnDropDown::TAdvMultiColumnDropDown>(state);
}

void BM_Ours_GridDropDownOpen(benchmark::State& state)
{
    GridBenchOpen<TAdvGridDropDown>(state);
}

QStandardItemModel* GridBenchModel(QObject* parent)
{
    auto* model = new QStandardItemModel(ListBenchCount, 3, parent);
    model->setHorizontalHeaderLabels({QStringLiteral("Station"), QStringLiteral("Key"), QStringLiteral("Zone")});
    for (int i = 0; i < ListBenchCount; ++i) {
        const QStringList row = GridBenchRow(i);
        for (int c = 0; c < 3; ++c) model->setItem(i, c, new QStandardItem(row[c]));
    }
    return model;
}

void GridBenchQtOpen(benchmark::State& state)
{
    const double before = GridBenchHeapMB();
    QComboBox combo;
    auto* view = new QTableView;
    view->verticalHeader()->hide();
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    combo.setView(view);
    combo.setGeometry(10, 10, 200, 21);
    combo.show();
    double heap = 0;
    for (auto _ : state) {
        QStandardItemModel* model = GridBenchModel(&combo);
        combo.setModel(model);
        combo.showPopup();
        QImage first = view->window()->grab().toImage();
        benchmark::DoNotOptimize(first);
        state.PauseTiming();
        if (heap == 0) heap = GridBenchHeapMB() - before;
        combo.hidePopup();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["heap_MB"] = heap;
}

void BM_Qt_MultiColumnOpen(benchmark::State& state)
{
    GridBenchQtOpen(state);
}

void BM_Qt_GridDropDownOpen(benchmark::State& state)
{
    GridBenchQtOpen(state);
}

void BM_Ours_NarrowDownKeystroke(benchmark::State& state)
{
    TForm* form = Create<TForm>(nullptr);
    form->SetBounds(0, 0, 400, 300);
    auto* d = Create<TAdvGridDropDown>(form);
    d->SetParent(form);
    d->SetBounds(10, 10, 200, 21);
    d->SetLookupMethod(AdvCustomGridDropDown::lmNarrowDown);
    GridBenchFill(d);
    form->Show();
    d->ShowDropDown();
    AdvCustomGridDropDown::TAdvColGrid* g = d->GetGrid();
    for (auto _ : state) {
        QChar typed(u'9');
        d->ControlKeyPress(g, typed);
        for (int i = 0; i < 2; ++i) {
            QChar back(char16_t(8));
            d->ControlKeyPress(g, back);
        }
        benchmark::DoNotOptimize(g->RowCount());
    }
    if (g->RowCount() != ListBenchCount + 1) state.SkipWithError("the filter stayed");
    d->HideDropDown(true);
    Free(form);
}

void BM_Qt_NarrowDownKeystroke(benchmark::State& state)
{
    QTableView view;
    QStandardItemModel* model = GridBenchModel(&view);
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(model);
    proxy.setFilterCaseSensitivity(Qt::CaseInsensitive);
    proxy.setFilterKeyColumn(0);
    view.setModel(&proxy);
    view.resize(260, 200);
    view.show();
    for (auto _ : state) {
        proxy.setFilterFixedString(QStringLiteral("9"));
        proxy.setFilterFixedString(QString());
        benchmark::DoNotOptimize(proxy.rowCount());
    }
}

BENCHMARK(BM_Ours_MultiColumnOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Qt_MultiColumnOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ours_GridDropDownOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Qt_GridDropDownOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Ours_NarrowDownKeystroke)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Qt_NarrowDownKeystroke)->Unit(benchmark::kMillisecond);

}  // namespace
