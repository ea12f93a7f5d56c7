// Times one full paint pass of a screenful of grid-base cells (40 rows x 15
// columns plus the fixed row and column) on an offscreen image, without and
// with merged areas. Run by hand in the optimised build, headless:
//   QT_QPA_PLATFORM=offscreen build/release/tests/bench_basegrid
// Prints the median of repeated passes.

#include "BaseGrid.h"
#include "Forms.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kCols = 15;
constexpr int kRows = 40;
constexpr int kColWidth = 64;
constexpr int kRowHeight = 20;
constexpr int kPasses = 200;

double MedianPassMs(bool merged)
{
    TForm* form = Create<TForm>(nullptr);
    form->SetBounds(0, 0, (kCols + 1) * kColWidth + 40, (kRows + 1) * kRowHeight + 40);
    auto* grid = Create<TBaseGrid>(form);
    grid->SetParent(form);
    grid->SetBorderStyle(bsNone);
    grid->SetScrollBars(TScrollStyle::ssNone);
    grid->SetColCount(kCols + 1);
    grid->SetRowCount(kRows + 1);
    grid->SetDefaultColWidth(kColWidth);
    grid->SetDefaultRowHeight(kRowHeight);
    grid->SetBounds(0, 0, (kCols + 1) * kColWidth, (kRows + 1) * kRowHeight);
    for (int r = 0; r <= kRows; ++r)
        for (int c = 0; c <= kCols; ++c) grid->SetCells(c, r, QStringLiteral("R%1C%2").arg(r).arg(c));
    if (merged)  // areas of 3 x 2 over the whole view
        for (int r = 1; r + 1 <= kRows; r += 2)
            for (int c = 1; c + 2 <= kCols; c += 3) grid->MergeCells(c, r, 3, 2);
    form->Show();
    QImage img(grid->Widget()->size(), QImage::Format_RGB32);
    std::vector<double> times;
    for (int i = 0; i < kPasses; ++i) {
        QElapsedTimer t;
        t.start();
        grid->Widget()->render(&img);
        times.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    Free(form);
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::printf("one paint pass, %d x %d cells: plain %.2f ms, merged 3 x 2 areas %.2f ms\n", kRows, kCols,
                MedianPassMs(false), MedianPassMs(true));
    return 0;
}
