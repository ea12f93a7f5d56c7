// The KNX access window's hot path against QTableWidget on the same full
// KNX_SetAccess.xml (1024 rows, every attribute filled), in the same run:
// showing the window (clearing the grid, refilling the 1500 positions,
// loading the file) and OK (validation and the safe write). Its table of
// both times and ratios is printed when the program ends.

#include "BenchCommon.h"
#include "Forms.h"
#include "UComon.h"
#include "UKNXAccess.h"

#include <QFile>
#include <QSaveFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

namespace {

const char* KNXBenchNames[] = {"Enable", "Source_Address", "Destination_Address", "APCI", "Priority", "Format",
                               "MultiplicationFactor", "Extended", "ReTest", "On_Command", "On_Change", "On_Timer",
                               "Poll_Time", "Position", "Bit_Mode", "Length", "TimeOut", "Mnemonic"};
constexpr int KNXBenchRows = 1024;
constexpr int KNXBenchRepeats = 3;

struct TKNXBenchTimes {
    std::map<std::string, double> Sums;
    ~TKNXBenchTimes()
    {
        if (Sums.empty())
            return;
        std::printf("\nKNX: %d rows, %d repetitions (totals)\n", KNXBenchRows, KNXBenchRepeats);
        const BenchRatioTable table(8, "ms", 1000);
        const char* targets[] = {"at most 1.5x", "at most 2x"};
        int i = 0;
        for (const char* name : {"show", "ok"})
            table.Row(name, Sums[std::string(name) + " ours"], Sums[std::string(name) + " qt"], targets[i++]);
        std::printf("(of OK, the validation alone: %.2f ms)\n", Sums["check ours"] * 1000);
    }
};
TKNXBenchTimes KNXBenchResults;

const QString& KNXBenchDir()
{
    static QTemporaryDir dir;
    static const QString path = dir.path();
    return path;
}

void KNXBenchWriteFile(const QString& path)
{
    QByteArray xml = "<BACnet_to_KNX>\n  <KNX_in_Write>\n";
    for (int i = 0; i < KNXBenchRows; ++i)
        xml += "    <row Enable=\"Y\" Source_Address=\"1.1." + QByteArray::number(i % 250 + 1)
               + "\" Destination_Address=\"1/2/" + QByteArray::number(i % 250)
               + "\" APCI=\"Write\" Priority=\"Normal\" Format=\"None\" MultiplicationFactor=\"1.5\" Extended=\"N\""
                 " ReTest=\"N\" On_Command=\"N\" On_Change=\"Y\" On_Timer=\"Y\" Poll_Time=\"1000\" Position=\""
               + QByteArray::number(i) + "\" Bit_Mode=\"No\" Length=\"2\" TimeOut=\"0\" Mnemonic=\"Row "
               + QByteArray::number(i + 1) + "\"/>\n";
    xml += "  </KNX_in_Write>\n</BACnet_to_KNX>\n<!--SW_VERSION = 1.001-->\n";
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(xml);
}

void BM_KNX_Ours(benchmark::State& state)
{
    KNX_SetAccess_File = KNXBenchDir() + QStringLiteral("/KNX_SetAccess.xml");
    auto* w = Create<TFKNXAccess>(Application);
    for (auto _ : state) {
        KNXBenchWriteFile(KNX_SetAccess_File);
        const double show = BenchTimed([&] { w->FormShow(); });
        // The validation alone, to tell it from the write in the OK figure.
        KNXBenchResults.Sums["check ours"] += BenchTimed([&] { w->Controllo_dati(); });
        const double ok = BenchTimed([&] { w->Btn_OKClick(); });
        if (w->ModalResult() != mrOk)
            state.SkipWithError("OK did not pass");
        w->SetModalResult(mrNone);
        state.SetIterationTime(show + ok);
        KNXBenchResults.Sums["show ours"] += show;
        KNXBenchResults.Sums["ok ours"] += ok;
    }
    delete w;
}

void BM_KNX_QTableWidget(benchmark::State& state)
{
    const QString path = KNXBenchDir() + QStringLiteral("/qt.xml");
    QTableWidget table(KNXBenchRows + 1, 19);
    QStringList positions;
    for (auto _ : state) {
        KNXBenchWriteFile(path);
        const double show = BenchTimed([&] {
            table.setUpdatesEnabled(false);
            for (int r = 1; r <= KNXBenchRows; ++r) {
                table.setItem(r, 0, new QTableWidgetItem(QString::number(r)));
                table.setItem(r, 1, new QTableWidgetItem(QStringLiteral("Y")));
                for (int c = 2; c < 19; ++c)
                    table.setItem(r, c, new QTableWidgetItem(QString()));
            }
            table.setUpdatesEnabled(true);
            positions.clear();
            for (int i = 0; i < 1500; ++i)
                positions << QString::number(i);
            QFile in(path);
            in.open(QIODevice::ReadOnly);
            QXmlStreamReader x(&in);
            int row = 0;
            while (!x.atEnd()) {
                if (x.readNext() != QXmlStreamReader::StartElement || x.name() != QLatin1String("row"))
                    continue;
                ++row;
                const QXmlStreamAttributes a = x.attributes();
                for (int c = 0; c < 18; ++c)
                    table.item(row, c + 1)->setText(a.value(QLatin1String(KNXBenchNames[c])).toString());
            }
        });
        const double ok = BenchTimed([&] {
            QSaveFile out(path);
            out.open(QIODevice::WriteOnly);
            QXmlStreamWriter x(&out);
            x.setAutoFormatting(true);
            x.writeStartElement(QStringLiteral("BACnet_to_KNX"));
            x.writeStartElement(QStringLiteral("KNX_in_Write"));
            for (int r = 1; r <= KNXBenchRows && !table.item(r, 2)->text().trimmed().isEmpty(); ++r) {
                x.writeStartElement(QStringLiteral("row"));
                for (int c = 0; c < 18; ++c)
                    x.writeAttribute(QLatin1String(KNXBenchNames[c]), table.item(r, c + 1)->text());
                x.writeEndElement();
            }
            x.writeEndElement();
            x.writeEndElement();
            x.writeComment(QStringLiteral("SW_VERSION = 1.001"));
            out.commit();
        });
        state.SetIterationTime(show + ok);
        KNXBenchResults.Sums["show qt"] += show;
        KNXBenchResults.Sums["ok qt"] += ok;
    }
}

}  // namespace

BENCHMARK(BM_KNX_Ours)->Unit(benchmark::kMillisecond)->Iterations(KNXBenchRepeats)->UseManualTime();
BENCHMARK(BM_KNX_QTableWidget)->Unit(benchmark::kMillisecond)->Iterations(KNXBenchRepeats)->UseManualTime();
