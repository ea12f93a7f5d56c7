#pragma once
// What the benchmarks share: the command line (--quick picks the small
// workload CI runs and is kept from Google Benchmark), the headless
// application with the DejaVu font both sides draw in, a stopwatch, the
// grid texts "R<row>C<col>", and the closing table of ours against Qt with
// the ratio ours/Qt.

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QString>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

// The program's arguments without --quick. Keep it alive as long as the
// application that was given Argc() and Argv().
class BenchArgs {
public:
    BenchArgs(int argc, char** argv)
    {
        for (int i = 0; i < argc; ++i) {
            if (std::strcmp(argv[i], "--quick") == 0) FQuick = true;
            else FArgs.push_back(argv[i]);
        }
        FArgc = int(FArgs.size());
        FArgs.push_back(nullptr);
    }
    bool Quick() const { return FQuick; }
    int& Argc() { return FArgc; }
    char** Argv() { return FArgs.data(); }

    // Google Benchmark's run over what it finds on the command line.
    void RunBenchmarks(benchmark::BenchmarkReporter* Reporter = nullptr)
    {
        benchmark::Initialize(&FArgc, FArgs.data());
        benchmark::RunSpecifiedBenchmarks(Reporter);
        benchmark::Shutdown();
    }

private:
    bool FQuick = false;
    int FArgc = 0;
    std::vector<char*> FArgs;
};

// Offscreen unless the caller's environment names a platform.
inline void BenchOffscreen()
{
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The application font both grids draw in (after the application exists).
inline void BenchDejaVuFont()
{
    QFontDatabase::addApplicationFont(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
}

// Seconds f takes.
template <class F>
double BenchTimed(F&& f)
{
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

inline double BenchRatio(double Ours, double Qt)
{
    return Qt > 0 ? Ours / Qt : 0.0;
}

// The counters ours_<Unit>, qt_<Unit> (per iteration; Unit "ms" or "us")
// and ratio, from the seconds both sides took over all iterations.
inline void BenchRatioCounters(benchmark::State& State, double OursSeconds, double QtSeconds, const char* Unit)
{
    const double scale = std::strcmp(Unit, "us") == 0 ? 1e6 : 1e3;
    const double n = State.iterations() > 0 ? double(State.iterations()) : 1.0;
    State.counters[std::string("ours_") + Unit] = OursSeconds / n * scale;
    State.counters[std::string("qt_") + Unit] = QtSeconds / n * scale;
    State.counters["ratio"] = BenchRatio(OursSeconds, QtSeconds);
}

// A cell's text in the grid benchmarks, row and column counted as given.
inline QString BenchCellText(int Row, int Col)
{
    return QStringLiteral("R%1C%2").arg(Row).arg(Col);
}

// The closing table: a case a line with both figures (seconds times Scale,
// in Unit), the ratio and the target.
class BenchRatioTable {
public:
    BenchRatioTable(int NameWidth, const char* Unit, double Scale, int NumberWidth = 12, int Decimals = 2)
        : FNameWidth(NameWidth), FNumberWidth(NumberWidth), FDecimals(Decimals), FScale(Scale)
    {
        char ours[32], qt[32];
        std::snprintf(ours, sizeof ours, "ours (%s)", Unit);
        std::snprintf(qt, sizeof qt, "Qt (%s)", Unit);
        std::printf("%-*s %*s %*s %8s  %s\n", FNameWidth, "case", FNumberWidth, ours, FNumberWidth, qt, "ratio",
                    "target");
    }
    void Row(const char* Name, double OursSeconds, double QtSeconds, const char* Target) const
    {
        std::printf("%-*s %*.*f %*.*f %8.2f  %s\n", FNameWidth, Name, FNumberWidth, FDecimals, OursSeconds * FScale,
                    FNumberWidth, FDecimals, QtSeconds * FScale, BenchRatio(OursSeconds, QtSeconds), Target);
    }

private:
    int FNameWidth, FNumberWidth, FDecimals;
    double FScale;
};
