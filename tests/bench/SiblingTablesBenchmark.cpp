// The two largest table windows against QTableWidget in the same run:
// showing the BACnet objects window over a full file (2 x 2000 rows: row
// counts, the two 1500-item position lists, clearing, loading) against
// reading the same file with QXmlStreamReader into two QTableWidgets; and
// OK on the full MQTT table (2 x 1024 rows: validation and the safe write)
// against writing the same rows with QXmlStreamWriter.
//   QT_QPA_PLATFORM=offscreen build/release/tests/bench_sibling_tables
//   ... --quick   (one repetition: what CI runs)

#include "AdvCGrid.h"
#include "AdvGridUnit.h"
#include "BenchCommon.h"
#include "Forms.h"
#include "UBACnetSlaveSetAccess.h"
#include "UComon.h"
#include "ULanguage.h"
#include "UMQTT_Set_Topic.h"

#include <QApplication>
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
int gRepeats = 5;

const char* BACnetNames[] = {"Data_Type", "Eng_Unit", "Position", "Bit", "Length", "Swap", "Mnemonic"};
const char* PubNames[] = {"Topic", "Retained", "QoS", "DataType", "Dimension", "Position", "IPAddress",
                          "InputTemplate", "Template", "OnChange", "OnTimer", "Time", "Mnemonic"};
const char* SubNames[] = {"Topic", "Retained", "QoS", "DataType", "Dimension", "Position",
                          "IPAddress", "Port", "EthType", "InputTemplate", "Template", "Mnemonic"};

QByteArray FullBACnetFile()
{
    QByteArray xml = "<BACnet_to_Modbus>\n";
    for (int s = 0; s < 2; ++s) {
        xml += s == 0 ? "  <BACnet_in_Read>\n" : "  <BACnet_in_Write>\n";
        for (int i = 0; i < 2000; ++i)
            xml += "    <row Data_Type=\"Analog Value\" Eng_Unit=\"62\" Position=\"" + QByteArray::number(i % 1500)
                   + "\" Bit=\"0\" Length=\"1\" Swap=\"N\" Mnemonic=\"Object " + QByteArray::number(i + 1) + "\"/>\n";
        xml += s == 0 ? "  </BACnet_in_Read>\n" : "  </BACnet_in_Write>\n";
    }
    return xml + "</BACnet_to_Modbus>\n<!--SW_VERSION = 1.003-->\n";
}

void WriteBACnetFile(const QString& path)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(FullBACnetFile());
}

void BM_BACnetShowOurs(benchmark::State& state)
{
    BACnet_Slave_File = gDir + QStringLiteral("/BACnet_Slave.xml");
    WriteBACnetFile(BACnet_Slave_File);
    auto* w = Create<TFBACnetSlaveSetAccess>(Application);
    for (auto _ : state) {
        const double t = BenchTimed([&] { w->FormShow(); });
        if (w->ACG_BACnet_in_Write->Cells(7, 2000) != QStringLiteral("Object 2000"))
            state.SkipWithError("the file was not loaded whole");
        state.SetIterationTime(t);
        gResults["bacnet show ours"] += t;
    }
    delete w;
}

void BM_BACnetShowQt(benchmark::State& state)
{
    const QString path = gDir + QStringLiteral("/qt_bacnet.xml");
    WriteBACnetFile(path);
    QTableWidget read(2001, 8), write(2001, 8);
    QTableWidget* tables[2] = {&read, &write};
    QStringList positions[2];
    for (auto _ : state) {
        const double t = BenchTimed([&] {
            for (QTableWidget* tw : tables) {
                tw->setUpdatesEnabled(false);
                tw->setRowCount(2001);
                for (int r = 1; r < 2001; ++r) {
                    tw->setItem(r, 0, new QTableWidgetItem(QString::number(r)));
                    for (int c = 1; c < 8; ++c) tw->setItem(r, c, new QTableWidgetItem(QString()));
                }
                tw->setUpdatesEnabled(true);
            }
            for (QStringList& p : positions) {
                p.clear();
                for (int i = 0; i < 1500; ++i) p << QString::number(i);
            }
            QFile in(path);
            in.open(QIODevice::ReadOnly);
            QXmlStreamReader x(&in);
            int page = -1, row = 0;
            while (!x.atEnd()) {
                if (x.readNext() != QXmlStreamReader::StartElement) continue;
                if (x.name() == QLatin1String("BACnet_in_Read") || x.name() == QLatin1String("BACnet_in_Write")) {
                    ++page;
                    row = 0;
                } else if (page >= 0 && x.name() == QLatin1String("row")) {
                    ++row;
                    const QXmlStreamAttributes a = x.attributes();
                    for (int c = 0; c < 7; ++c)
                        tables[page]->item(row, c + 1)->setText(a.value(QLatin1String(BACnetNames[c])).toString());
                }
            }
        });
        state.SetIterationTime(t);
        gResults["bacnet show qt"] += t;
    }
}

// The cells of a full MQTT row of a page (real columns 1 ..).
QStringList MQTTRow(int page, int i)
{
    const QString topic = QStringLiteral("plant/line%1/value").arg(i);
    if (page == 0)
        return {topic, "N", "0", "Int", "2", QString::number(i % 1499), "", "", "$VALUE$", "Y", "N", "N", "", "",
                "", "", QStringLiteral("pub %1").arg(i)};
    return {topic, "N", "1", "Float", "4", QString::number(i % 1499), "", "", "", "", "$VALUE$", "", "",
            QStringLiteral("sub %1").arg(i)};
}

void BM_MQTTOkOurs(benchmark::State& state)
{
    MQTT_Set_Topic_File = gDir + QStringLiteral("/MQTT_Set_Topic.xml");
    QFile::remove(MQTT_Set_Topic_File);
    auto* w = Create<TFMQTT_Set_Topic>(Application);
    w->FormShow();
    for (int p = 0; p < 2; ++p) {
        TAdvColumnGrid* g = p == 0 ? w->ACG_Pub : w->ACG_Sub;
        for (int r = 1; r <= 1024; ++r) {
            const QStringList cells = MQTTRow(p, r);
            for (int c = 0; c < cells.size(); ++c) g->SetCells(c + 1, r, cells[c]);
        }
    }
    for (auto _ : state) {
        const double t = BenchTimed([&] { w->Btn_OKClick(); });
        if (w->ModalResult() != mrOk) state.SkipWithError("OK did not pass");
        w->SetModalResult(mrNone);
        state.SetIterationTime(t);
        gResults["mqtt ok ours"] += t;
    }
    delete w;
}

void BM_MQTTOkQt(benchmark::State& state)
{
    const QString path = gDir + QStringLiteral("/qt_mqtt.xml");
    QTableWidget pub(1025, 18), sub(1025, 15);
    QTableWidget* tables[2] = {&pub, &sub};
    for (int p = 0; p < 2; ++p)
        for (int r = 1; r <= 1024; ++r) {
            const QStringList cells = MQTTRow(p, r);
            for (int c = 0; c < cells.size(); ++c) tables[p]->setItem(r, c + 1, new QTableWidgetItem(cells[c]));
        }
    // The stored columns of each page (real indexes).
    const std::vector<int> stored[2] = {{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 13, 17},
                                        {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 14}};
    for (auto _ : state) {
        const double t = BenchTimed([&] {
            QSaveFile out(path);
            out.open(QIODevice::WriteOnly);
            QXmlStreamWriter x(&out);
            x.setAutoFormatting(true);
            x.writeStartElement(QStringLiteral("MQTT_Set_Topic"));
            for (int p = 0; p < 2; ++p) {
                x.writeStartElement(p == 0 ? QStringLiteral("MQTT_Publish") : QStringLiteral("MQTT_Subscribe"));
                for (int r = 1; r < 1025 && !tables[p]->item(r, 1)->text().trimmed().isEmpty(); ++r) {
                    x.writeStartElement(QStringLiteral("row"));
                    for (size_t k = 0; k < stored[p].size(); ++k)
                        x.writeAttribute(QLatin1String(p == 0 ? PubNames[k] : SubNames[k]),
                                         tables[p]->item(r, stored[p][k])->text());
                    x.writeEndElement();
                }
                x.writeEndElement();
            }
            x.writeEndElement();
            x.writeComment(QStringLiteral("SW_VERSION = 1.000"));
            out.commit();
        });
        state.SetIterationTime(t);
        gResults["mqtt ok qt"] += t;
    }
}

void PrintTable()
{
    std::printf("\n%d repetitions (totals)\n", gRepeats);
    const BenchRatioTable table(12, "ms", 1000);
    const std::pair<const char*, const char*> cases[] = {{"bacnet show", "at most 1.5x"}, {"mqtt ok", "at most 2x"}};
    for (auto [name, target] : cases)
        table.Row(name, gResults[std::string(name) + " ours"], gResults[std::string(name) + " qt"], target);
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
    for (auto [name, fn] : {std::pair{"BM_BACnetShowOurs", &BM_BACnetShowOurs}, {"BM_BACnetShowQt", &BM_BACnetShowQt},
                            {"BM_MQTTOkOurs", &BM_MQTTOkOurs}, {"BM_MQTTOkQt", &BM_MQTTOkQt}})
        benchmark::RegisterBenchmark(name, fn)->Unit(benchmark::kMillisecond)->Iterations(gRepeats)->UseManualTime();
    args.RunBenchmarks();
    PrintTable();
    AdvGridUnitDone();
    return 0;
}
