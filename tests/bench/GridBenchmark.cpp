// The platform string grid against Qt's QTableWidget doing the same work:
// filling 100,000 x 10 cells, paging down with a render after each page, and
// rendering the whole view at the top, the middle and the end of the rows.
// Run by hand in the optimised build, headless:
//   QT_QPA_PLATFORM=offscreen build/release/tests/bench_grid

#include "BenchCommon.h"
#include "Forms.h"
#include "Grids.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QTableWidget>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;
constexpr int kCols = 10;
constexpr int kColWidth = 100;
constexpr int kRowHeight = 24;

QString CellText(int c, int r) { return BenchCellText(r, c); }

struct Ours {
    explicit Ours(int rows, bool fill = true)
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, kWidth + 20, kHeight + 20);
        Grid = Create<TStringGrid>(Form);
        Grid->SetParent(Form);
        Grid->Font()->SetName(QStringLiteral("DejaVu Sans"));
        Grid->Font()->SetHeight(-12);
        Grid->SetBounds(0, 0, kWidth, kHeight);
        Grid->SetColCount(kCols + 1);
        Grid->SetRowCount(rows + 1);
        Grid->SetDefaultColWidth(kColWidth);
        Grid->SetDefaultRowHeight(kRowHeight - 1);  // plus the 1-pixel line: rows of 24 pixels
        Grid->SetColWidths(0, kColWidth);
        if (fill) Fill();
        Form->Show();
        Image = QImage(kWidth, kHeight, QImage::Format_RGB32);
    }
    ~Ours() { Free(Form); }
    void Fill()
    {
        for (int r = 1; r <= Grid->RowCount() - 1; ++r)
            for (int c = 1; c <= kCols; ++c) Grid->SetCells(c, r, CellText(c, r));
    }
    void Render() { Grid->Widget()->render(&Image); }
    TForm* Form;
    TStringGrid* Grid;
    QImage Image;
};

struct Theirs {
    explicit Theirs(int rows, bool fill = true)
    {
        Table = std::make_unique<QTableWidget>(rows, kCols);
        Table->resize(kWidth, kHeight);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(12);
        Table->setFont(f);
        Table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        Table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        Table->horizontalHeader()->setDefaultSectionSize(kColWidth);
        Table->verticalHeader()->setDefaultSectionSize(kRowHeight);
        Table->verticalHeader()->setFixedWidth(kColWidth);
        if (fill) Fill();
        Table->show();
        Image = QImage(kWidth, kHeight, QImage::Format_RGB32);
    }
    void Fill()
    {
        for (int r = 0; r < Table->rowCount(); ++r)
            for (int c = 0; c < kCols; ++c) Table->setItem(r, c, new QTableWidgetItem(CellText(c + 1, r + 1)));
    }
    void Render() { Table->render(&Image); }
    std::unique_ptr<QTableWidget> Table;
    QImage Image;
};

// (1) Filling 100,000 x 10 cells with distinct short texts (the widget's
// construction and destruction are not timed).
template <class Widget>
void BM_Fill(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto w = std::make_unique<Widget>(100000, false);
        state.ResumeTiming();
        w->Fill();
        state.PauseTiming();
        w.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 100000 * kCols);
}

// (2) One page down and a render, back to the top at the end.
void BM_PageDownRender_Ours(benchmark::State& state)
{
    Ours o(100000);
    for (auto _ : state) {
        if (o.Grid->TopRow() >= o.Grid->MaxTopRow()) o.Grid->SetTopRow(1);
        o.Grid->Perform(WM_VSCROLL, ScrollWParam(SB_PAGEDOWN, 0), 0);
        o.Render();
    }
}

void BM_PageDownRender_QTableWidget(benchmark::State& state)
{
    Theirs t(100000);
    QScrollBar* sb = t.Table->verticalScrollBar();
    for (auto _ : state) {
        if (sb->value() >= sb->maximum()) sb->setValue(0);
        sb->triggerAction(QAbstractSlider::SliderPageStepAdd);
        t.Render();
    }
}

// (3) A render of the full view at the top (0), the middle (1), the end (2).
void BM_Render_Ours(benchmark::State& state)
{
    const int rows = int(state.range(1));
    Ours o(rows);
    const int where = int(state.range(0));
    o.Grid->SetTopRow(where == 0 ? 1 : where == 1 ? rows / 2 : o.Grid->MaxTopRow());
    for (auto _ : state) o.Render();
}

void BM_Render_QTableWidget(benchmark::State& state)
{
    const int rows = int(state.range(1));
    Theirs t(rows);
    QScrollBar* sb = t.Table->verticalScrollBar();
    const int where = int(state.range(0));
    sb->setValue(where == 0 ? 0 : where == 1 ? sb->maximum() / 2 : sb->maximum());
    for (auto _ : state) t.Render();
}

} // namespace

BENCHMARK_TEMPLATE(BM_Fill, Ours)->Name("BM_Fill_Ours")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_TEMPLATE(BM_Fill, Theirs)->Name("BM_Fill_QTableWidget")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PageDownRender_Ours)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PageDownRender_QTableWidget)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Render_Ours)->Unit(benchmark::kMicrosecond)->ArgsProduct({{0, 1, 2}, {100000}})->Args({2, 1000});
BENCHMARK(BM_Render_QTableWidget)->Unit(benchmark::kMicrosecond)->ArgsProduct({{0, 1, 2}, {100000}})->Args({2, 1000});

int main(int argc, char** argv)
{
    BenchArgs args(argc, argv);
    BenchOffscreen();
    QApplication app(args.Argc(), args.Argv());
    BenchDejaVuFont();
    args.RunBenchmarks();
    return 0;
}
