// The R7arir access window's hot path against QTableWidget on the same
// full file (512 read and 512 write rows, every attribute filled), in the
// same run: showing the window (clearing both grids, refilling the two
// position lists, loading the file) and OK (validation and the safe write).
// A table after the runs gives both times, the ratio ours/Qt and the target.
//   QT_QPA_PLATFORM=offscreen build/release/tests/bench_tables
//   ... --quick   (one repetition: what CI runs)

#include "AdvGridUnit.h"
#include "BenchCommon.h"
#include "Forms.h"
#include "UComon.h"
#include "ULanguage.h"
#include "US7_Protocol_Set_Access.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

namespace {

QString gDir;
std::map<std::string, double> gResults;

const char* ReadNames[] = {"Enable", "PLC_Address", "PLC_Port", "PLC_Type", "Rack", "Slot", "Data_Type",
                           "Data_Identifier", "DB_Number", "PLC_Area", "PLC_Add", "PLC_Bit", "PollTime",
                           "Position", "Bit", "Swap", "SwapWord", "Mnemonic"};
const char* WriteNames[] = {"Enable", "PLC_Address", "PLC_Port", "PLC_Type", "Rack", "Slot", "Data_Type",
                            "Data_Identifier", "DB_Number", "PLC_Area", "PLC_Add", "PLC_Bit", "PollTime",
                            "OnChange", "OnCMD", "Position", "Bit", "Swap", "SwapWord", "Mnemonic"};

QByteArray FullFile()
{
    QByteArray xml = "<S7_Protocol>\n";
    for (int s = 0; s < 2; ++s) {
        xml += s == 0 ? "  <S7_Protocol_Read>\n" : "  <S7_Protocol_Write>\n";
        for (int i = 0; i < 512; ++i) {
            const QByteArray ip = "10.0.0." + QByteArray::number(i % 10 + 1);
            xml += "    <row Enable=\"Y\" PLC_Address=\"" + ip + "\" PLC_Port=\"102\" PLC_Type=\"S71200\" Rack=\"0\""
                   " Slot=\"1\" Data_Type=\"Word\" Data_Identifier=\"DB\" DB_Number=\"10\" PLC_Area=\"Inputs (I)\""
                   " PLC_Add=\"20\" PLC_Bit=\"0\" PollTime=\"500\"";
            if (s == 1)
                xml += " OnChange=\"Y\" OnCMD=\"N\"";
            xml += " Position=\"" + QByteArray::number(i) + "\" Bit=\"0\" Swap=\"Y\" SwapWord=\"N\" Mnemonic=\"Row "
                   + QByteArray::number(i + 1) + "\"/>\n";
        }
        xml += s == 0 ? "  </S7_Protocol_Read>\n" : "  </S7_Protocol_Write>\n";
    }
    return xml + "</S7_Protocol>\n<!--SW_VERSION = 1.004-->\n";
}

void BM_Ours(benchmark::State& state)
{
    S7_Protocol_File = gDir + QStringLiteral("/S7_Protocol.xml");
    auto* w = Create<TFS7_Protocol_Set_Access>(Application);
    for (auto _ : state) {
        QFile f(S7_Protocol_File);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(FullFile());
        f.close();
        const double show = BenchTimed([&] { w->FormShow(); });
        const double ok = BenchTimed([&] { w->Btn_OKClick(); });
        if (w->ModalResult() != mrOk)
            state.SkipWithError("OK did not pass");
        w->SetModalResult(mrNone);
        state.SetIterationTime(show + ok);
        gResults["show ours"] += show;
        gResults["ok ours"] += ok;
    }
    delete w;
}

void BM_QTableWidget(benchmark::State& state)
{
    const QString path = gDir + QStringLiteral("/qt.xml");
    QTableWidget read(513, 19), write(513, 21);
    QTableWidget* tables[2] = {&read, &write};
    QStringList positions[2];
    for (auto _ : state) {
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(FullFile());
        f.close();
        const double show = BenchTimed([&] {
            for (QTableWidget* t : tables) {
                t->setUpdatesEnabled(false);
                for (int r = 1; r < 513; ++r) {
                    t->setItem(r, 0, new QTableWidgetItem(QString::number(r)));
                    t->setItem(r, 1, new QTableWidgetItem(QStringLiteral("Y")));
                    for (int c = 2; c < t->columnCount(); ++c)
                        t->setItem(r, c, new QTableWidgetItem(QString()));
                }
                t->setUpdatesEnabled(true);
            }
            for (QStringList& p : positions) {
                p.clear();
                for (int i = 0; i < 1500; ++i)
                    p << QString::number(i);
            }
            QFile in(path);
            in.open(QIODevice::ReadOnly);
            QXmlStreamReader x(&in);
            int page = -1, row = 0;
            while (!x.atEnd()) {
                if (x.readNext() != QXmlStreamReader::StartElement)
                    continue;
                if (x.name() == QLatin1String("S7_Protocol_Read") || x.name() == QLatin1String("S7_Protocol_Write")) {
                    ++page;
                    row = 0;
                } else if (page >= 0 && x.name() == QLatin1String("row")) {
                    ++row;
                    const QXmlStreamAttributes a = x.attributes();
                    const int n = page == 0 ? 18 : 20;
                    for (int c = 0; c < n; ++c)
                        tables[page]->item(row, c + 1)->setText(
                            a.value(QLatin1String(page == 0 ? ReadNames[c] : WriteNames[c])).toString());
                }
            }
        });
        const double ok = BenchTimed([&] {
            QSaveFile out(path);
            out.open(QIODevice::WriteOnly);
            QXmlStreamWriter x(&out);
            x.setAutoFormatting(true);
            x.writeStartElement(QStringLiteral("S7_Protocol"));
            for (int p = 0; p < 2; ++p) {
                x.writeStartElement(p == 0 ? QStringLiteral("S7_Protocol_Read") : QStringLiteral("S7_Protocol_Write"));
                const int n = p == 0 ? 18 : 20;
                for (int r = 1; r < 513 && !tables[p]->item(r, 2)->text().trimmed().isEmpty(); ++r) {
                    x.writeStartElement(QStringLiteral("row"));
                    for (int c = 0; c < n; ++c)
                        x.writeAttribute(QLatin1String(p == 0 ? ReadNames[c] : WriteNames[c]),
                                         tables[p]->item(r, c + 1)->text());
                    x.writeEndElement();
                }
                x.writeEndElement();
            }
            x.writeEndElement();
            x.writeComment(QStringLiteral("SW_VERSION = 1.004"));
            out.commit();
        });
        state.SetIterationTime(show + ok);
        gResults["show qt"] += show;
        gResults["ok qt"] += ok;
    }
}

int gRepeats = 5;

void PrintTable()
{
    std::printf("\n512 read and 512 write rows, %d repetitions (totals)\n", gRepeats);
    const BenchRatioTable table(8, "ms", 1000);
    for (const char* name : {"show", "ok"})
        table.Row(name, gResults[std::string(name) + " ours"], gResults[std::string(name) + " qt"], "at most 1.5x");
}

}  // namespace

int main(int argc, char** argv)
{
    BenchArgs args(argc, argv);
    if (args.Quick()) gRepeats = 1;
    BenchOffscreen();
    QApplication app(args.Argc(), args.Argv());
    QTemporaryDir dir;
    gDir = dir.path();
    AdvGridUnitInit();
    FillEnglishTable();
    benchmark::RegisterBenchmark("BM_Ours", BM_Ours)->Unit(benchmark::kMillisecond)->Iterations(gRepeats)->UseManualTime();
    benchmark::RegisterBenchmark("BM_QTableWidget", BM_QTableWidget)
        ->Unit(benchmark::kMillisecond)->Iterations(gRepeats)->UseManualTime();
    args.RunBenchmarks();
    PrintTable();
    return 0;
}
