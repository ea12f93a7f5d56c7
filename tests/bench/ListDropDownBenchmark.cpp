// One completion keystroke in a list drop-down's edit over 10,000 distinct
// texts: the detail drop-down's change handling (the typing completion the
// list editors share) against QCompleter's inline completion of a QLineEdit
// over the same texts, in the same run. Prints both times and the ratio.
//   QT_QPA_PLATFORM=offscreen build/release/tests/bench_listdropdown
//   ... --quick   (1,000 texts: what CI runs)

#include "AdvDetailDropDown.h"
#include "BenchCommon.h"
#include "Forms.h"

#include <QApplication>
#include <QCompleter>
#include <QLineEdit>
#include <QStringListModel>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

// The rows of every case (GridDropDownBenchmark.cpp reads it too).
int ListBenchCount = 10000;

namespace {

QStringList ListBenchTexts()
{
    QStringList l;
    for (int i = 0; i < ListBenchCount; ++i) l << QStringLiteral("Station %1 line").arg(i, 5, 10, QLatin1Char('0'));
    return l;
}

// Typed parts that match near the end of the list, alternated so that no
// side answers from a cache of the last prefix.
QString ListBenchKey(int n)
{
    return QStringLiteral("station %1").arg(ListBenchCount - 3 - (n & 1), 5, 10, QLatin1Char('0'));
}

void BM_Ours_CompletionKeystroke(benchmark::State& state)
{
    TForm* form = Create<TForm>(nullptr);
    auto* d = Create<TAdvDetailDropDown>(form);
    d->SetParent(form);
    d->SetBounds(10, 10, 200, 21);
    for (const QString& t : ListBenchTexts()) d->Items()->Add()->SetCaption(t);
    form->Show();
    const QString keys[] = {ListBenchKey(0), ListBenchKey(1)};
    int n = 0;
    for (auto _ : state) {
        const QString& key = keys[n++ & 1];
        state.PauseTiming();
        d->SetTextDirect(key);
        d->SetSelection(int(key.size()), int(key.size()));
        state.ResumeTiming();
        d->HandleChange();
        benchmark::DoNotOptimize(d->ItemIndex());
    }
    if (d->ItemIndex() < ListBenchCount - 4) state.SkipWithError("wrong completion");
    Free(form);
}

void BM_Qt_CompletionKeystroke(benchmark::State& state)
{
    QLineEdit edit;
    QStringListModel model(ListBenchTexts());
    QCompleter completer(&model);
    completer.setCompletionMode(QCompleter::InlineCompletion);
    completer.setCaseSensitivity(Qt::CaseInsensitive);
    edit.setCompleter(&completer);
    edit.show();
    const QString keys[] = {ListBenchKey(0), ListBenchKey(1)};
    int n = 0;
    for (auto _ : state) {
        const QString& key = keys[n++ & 1];
        completer.setCompletionPrefix(key);
        const QString done = completer.currentCompletion();
        edit.setText(done);
        edit.setSelection(int(done.size()), int(key.size()) - int(done.size()));
        benchmark::DoNotOptimize(done);
    }
}

BENCHMARK(BM_Ours_CompletionKeystroke)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Qt_CompletionKeystroke)->Unit(benchmark::kMicrosecond);

class ListBenchReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        // In microseconds whatever unit a case prints in.
        for (const Run& r : runs)
            Times[r.benchmark_name()] = r.GetAdjustedRealTime() * 1e6 / benchmark::GetTimeUnitMultiplier(r.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> Times;
};

}  // namespace

int main(int argc, char** argv)
{
    BenchArgs args(argc, argv);
    if (args.Quick()) ListBenchCount = 1000;
    QApplication app(args.Argc(), args.Argv());
    ListBenchReporter reporter;
    args.RunBenchmarks(&reporter);
    // Every BM_Ours_X beside its BM_Qt_X.
    std::printf("\n%-28s %12s %12s %8s %8s\n", "case (rows)", "ours us", "Qt us", "ratio", "target");
    for (const auto& [name, ours] : reporter.Times) {
        if (name.rfind("BM_Ours_", 0) != 0) continue;
        const std::string what = name.substr(8);
        const auto qt = reporter.Times.find("BM_Qt_" + what);
        if (qt == reporter.Times.end() || qt->second <= 0) continue;
        std::printf("%-28s %12.2f %12.2f %8.2f %8s\n",
                    (what + " (" + std::to_string(ListBenchCount) + ")").c_str(), ours, qt->second,
                    BenchRatio(ours, qt->second), "<= 2");
    }
    return 0;
}
