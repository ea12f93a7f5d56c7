// The filter matcher over 100,000 cell texts of 200 characters for four
// conditions, and a 64-step gradient into a 200 x 20 cell. Run by hand in
// the optimised build: bench_advutil
#include "AdvUtil.h"
#include "AdvUtilPaint.h"
#include "FormatSettings.h"
#include "GridTestFormat.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <random>
#include <vector>

namespace {

// 100,000 values of 200 characters: mostly letters, some numbers and dates
// padded to the length (so they are text), in a fixed random order.
const std::vector<QString>& Cells()
{
    static const std::vector<QString> cells = [] {
        std::mt19937 rng(42);
        std::uniform_int_distribution<int> letter(0, 25), kind(0, 9);
        std::vector<QString> v;
        v.reserve(100000);
        for (int i = 0; i < 100000; ++i) {
            QString s;
            const int k = kind(rng);
            if (k == 0)
                s = QString::number(i % 97) + u' ';
            else if (k == 1)
                s = QStringLiteral("%1/6/2023 ").arg(1 + i % 28);
            while (s.size() < 200)
                s += QChar(u'a' + letter(rng));
            v.push_back(s);
        }
        return v;
    }();
    return cells;
}

void MatchCells(benchmark::State& state, const char* condition)
{
    ScopedFormatSettings fs(GridTestFormat());
    const QString c = QString::fromLatin1(condition);
    const auto& cells = Cells();
    for (auto _ : state) {
        int hits = 0;
        for (const QString& v : cells)
            hits += MatchFilter(c, v, false);
        benchmark::DoNotOptimize(hits);
    }
    state.SetLabel("per 100,000 cells");
}

BENCHMARK_CAPTURE(MatchCells, greater5, ">5")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MatchCells, abc, "a*b*c")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MatchCells, june, ">1/6/2023&<1/7/2023")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MatchCells, stars, "*a*a*a*a*a*a*a*a*b")->Unit(benchmark::kMillisecond);

void GradientCell(benchmark::State& state)
{
    TBitmap bmp(200, 20);
    for (auto _ : state)
        DrawGradient(bmp.Canvas(), clBlue, clWhite, true, TRect(0, 0, 200, 20), 64);
    state.SetLabel("per cell");
}
BENCHMARK(GradientCell)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
