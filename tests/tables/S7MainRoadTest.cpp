// The program's main road, as a user takes it: a new project, the R7arir
// access table filled on both pages and saved, opened again, and the device
// update building bank 2 from the saved file.

#include "S7TableKit.h"
#include "UNew_Project.h"

#include <QFile>
#include <map>

namespace {

// The device codes of the choice texts, the entry layout and the flags, as
// the gateway documents them (kept here on purpose, apart from the builder).
const std::map<QString, int> PlcTypes{{"Logo0BA8", 1}, {"S7200", 0}, {"S7300", 10},
                                      {"S7400", 20},   {"S71200", 30}, {"S71500", 40}};
const std::map<QString, int> DataTypes{{"Bit", 1}, {"Byte", 2}, {"Char", 3}, {"Word", 4},
                                       {"Int", 5}, {"DWord", 6}, {"DInt", 7}, {"Real", 8}};
const std::map<QString, int> Blocks{{"OB", 8}, {"DB", 10}, {"SDB", 11}, {"FC", 12},
                                    {"SFC", 13}, {"FB", 14}, {"SFB", 15}};
const std::map<QString, int> Areas{{"Direct peripheral access (P)", 0x80}, {"Inputs (I)", 0x81},
                                   {"Output (Q)", 0x82}, {"Flags (M) (Merker)", 0x83}};

int Num(const QString& s)
{
    bool ok = false;
    int v = s.startsWith('$') ? s.mid(1).toInt(&ok, 16) : s.toInt(&ok, 10);
    return ok ? v : 0;
}

void Le(std::vector<uint8_t>& e, int at, uint32_t v, int width)
{
    for (int i = 0; i < width; ++i)
        e[size_t(at + i)] = uint8_t(v >> (8 * i));
}

// The 28 bytes of one enabled row (cells from column 1 in grid order).
std::vector<uint8_t> Entry(const QStringList& c, bool write)
{
    const int o = write ? 2 : 0;  // write rows hold On Change and On CMD before Position
    std::vector<uint8_t> e(28, 0);
    const QStringList ip = c[1].split('.');
    Le(e, 0, uint32_t(Num(ip[0])) << 24 | uint32_t(Num(ip[1])) << 16 | uint32_t(Num(ip[2])) << 8 | uint32_t(Num(ip[3])), 4);
    Le(e, 4, uint32_t(Num(c[12])), 4);
    Le(e, 8, uint32_t(Num(c[10])), 2);
    Le(e, 10, uint32_t(Num(c[8])), 2);
    Le(e, 12, uint32_t(Num(c[2])), 2);
    Le(e, 14, uint32_t(Num(c[13 + o])), 2);
    e[18] = uint8_t(Num(c[14 + o]));
    e[19] = uint8_t(PlcTypes.at(c[3]));
    e[20] = uint8_t(DataTypes.at(c[6]));
    e[21] = uint8_t(Blocks.at(c[7]));
    int flags = 0;
    if (write) {
        flags |= 0x20;
        if (c[13] == "Y") flags |= 0x01;
        if (c[14] == "Y") flags |= 0x10;
    }
    if (c[15 + o] == "Y") flags |= 0x04;
    if (c[16 + o] == "Y") flags |= 0x08;
    e[23] = uint8_t(flags);
    e[24] = uint8_t(Num(c[11]));
    e[25] = uint8_t(Areas.at(c[9]));
    e[26] = uint8_t(Num(c[4]) * 32 + Num(c[5]));
    return e;
}

const std::vector<uint8_t> GoldenBytes{0x7D, 0x01, 0xA8, 0xC0, 0xF4, 0x01, 0x00, 0x00, 0x14, 0x00,
                                       0x0A, 0x00, 0x66, 0x00, 0x03, 0x00, 0x00, 0x00, 0x00, 0x1E,
                                       0x04, 0x0A, 0x00, 0x04, 0x00, 0x81, 0x01, 0x00};

QByteArray FileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class S7MainRoad : public AppWindowsFixture {};

TEST_F(S7MainRoad, FromANewProjectToBankTwo)
{
    Start();
    {
        DialogResponder r;
        r.ExpectModal(QStringLiteral("TFNew_Project"), [](TCustomForm*) {
            FNew_Project->E_New_Proj->SetText(QStringLiteral("Road"));
            FNew_Project->Btn_OK->Click();
        });
        FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_New);
    }
    ASSERT_FALSE(S7_Protocol_File.isEmpty());
    TFS7_Protocol_Set_Access* w = FS7_Protocol_Set_Access;
    TAdvColumnGrid* rd = w->ACG_S7_Read;
    TAdvColumnGrid* wr = w->ACG_S7_Write;

    const QStringList golden{"Y", "192.168.1.125", "102", "S71200", "0", "1", "Word", "DB", "10",
                             "Inputs (I)", "20", "0", "500", "3", "0", "Y", "", "Golden"};
    const QStringList second{"N", "10.0.0.2", "102", "S7300", "0", "2", "Int", "DB", "1",
                             "Flags (M) (Merker)", "4", "1", "1000", "10", "0", "", "", "off"};
    QStringList third = golden;
    third[1] = "010.0.0.3";
    third[13] = "4";
    third[17] = "copy";
    const QStringList out1{"Y", "192.168.1.125", "$66", "S71500", "1", "3", "DInt", "DB", "2",
                           "Output (Q)", "100", "2", "0", "Y", "", "1499", "5", "", "Y", "w1"};
    const QStringList out2{"Y", "10.0.0.9", "102", "Logo0BA8", "0", "0", "Bit", "FB", "0",
                           "Direct peripheral access (P)", "0", "7", "250", "", "Y", "0", "0", "Y", "", "w2"};

    auto put = [](TAdvColumnGrid* g, int row, const QStringList& cells) {
        for (int c = 0; c < cells.size(); ++c)
            g->SetCells(c + 1, row, cells[c]);
    };
    auto rowOf = [](TAdvColumnGrid* g, int row, int cols) {
        QStringList out;
        for (int c = 1; c <= cols; ++c)
            out << g->Cells(c, row);
        return out;
    };

    DialogResponder r;
    r.ExpectModal(QStringLiteral("TFS7_Protocol_Set_Access"), [&](TCustomForm*) {
        put(rd, 1, golden);
        rd->SetRow(2);
        w->Btn_InsRowClick();
        put(rd, 2, second);
        rd->SetRow(1);
        w->Btn_CopyRow->Click();
        rd->SetRow(3);
        w->Btn_PasteRow->Click();
        rd->SetCells(2, 3, third[1]);
        rd->SetCells(14, 3, third[13]);
        rd->SetCells(18, 3, third[17]);
        rd->SetCells(5, 3, QStringLiteral("4"));
        w->PageControl1->SetActivePageIndex(1);
        put(wr, 1, out1);
        put(wr, 2, out2);
        {
            DialogResponder inner;
            inner.ExpectMessage(QStringLiteral("Error row 3!! [R7arir Read] Rack must be between 0 and 3"), mrOk,
                                mtError);
            w->Btn_OK->Click();
            EXPECT_EQ(inner.Pending(), 0);
        }
        EXPECT_EQ(w->ModalResult(), mrNone);
        EXPECT_FALSE(FileExists(S7_Protocol_File));
        EXPECT_EQ(rowOf(wr, 2, 20), out2);
        rd->SetCells(5, 3, QStringLiteral("0"));
        w->Btn_OK->Click();
        EXPECT_EQ(w->ModalResult(), mrOk);
    });
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_S7_Protocol_Access);
    EXPECT_EQ(r.Pending(), 0);

    // The file holds the rows in column order.
    TXmlDocument doc;
    ASSERT_TRUE(doc.LoadFromFile(S7_Protocol_File).Ok);
    const char* readNames[] = {"Enable", "PLC_Address", "PLC_Port", "PLC_Type", "Rack", "Slot",
                               "Data_Type", "Data_Identifier", "DB_Number", "PLC_Area", "PLC_Add",
                               "PLC_Bit", "PollTime", "Position", "Bit", "Swap", "SwapWord", "Mnemonic"};
    const TXmlNode readSection = doc.DocumentElement().ChildElement(QStringLiteral("S7_Protocol_Read"));
    ASSERT_EQ(readSection.ChildElementCount(), 3);
    const QStringList expectedRead[3] = {golden, second, third};
    for (int i = 0; i < 3; ++i) {
        const auto attrs = readSection.ChildElementAt(i).Attributes();
        ASSERT_EQ(attrs.size(), 18);
        for (int a = 0; a < 18; ++a) {
            EXPECT_EQ(attrs[a].first, QLatin1String(readNames[a]));
            EXPECT_EQ(attrs[a].second, expectedRead[i][a]) << "row " << i + 1 << " " << readNames[a];
        }
    }
    const TXmlNode writeSection = doc.DocumentElement().ChildElement(QStringLiteral("S7_Protocol_Write"));
    ASSERT_EQ(writeSection.ChildElementCount(), 2);
    EXPECT_EQ(writeSection.ChildElementAt(0).Attributes()[13].first, QStringLiteral("OnChange"));
    EXPECT_EQ(writeSection.ChildElementAt(0).Attributes()[2].second, QStringLiteral("$66"));

    // Opened again: the same cells; Cancel leaves the file as it is.
    const QByteArray saved = FileBytes(S7_Protocol_File);
    DialogResponder again;
    again.ExpectModal(QStringLiteral("TFS7_Protocol_Set_Access"), [&](TCustomForm*) {
        EXPECT_EQ(rowOf(rd, 1, 18), golden);
        EXPECT_EQ(rowOf(rd, 2, 18), second);
        EXPECT_EQ(rowOf(rd, 3, 18), third);
        EXPECT_EQ(rowOf(wr, 1, 20), out1);
        EXPECT_EQ(rowOf(wr, 2, 20), out2);
        EXPECT_EQ(rd->Cells(2, 4), QString());
        w->Btn_Cancel->Click();
    });
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_S7_Protocol_Access);
    EXPECT_EQ(again.Pending(), 0);
    EXPECT_EQ(FileBytes(S7_Protocol_File), saved);

    // The device update builds bank 2 from the file.
    DialogResponder update;
    update.ExpectModal(QStringLiteral("TFBoot"), CancelIt);
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_CreateBin);
    EXPECT_EQ(update.Pending(), 0);
    const QByteArray bank2 = FileBytes(Project_Path + QStringLiteral("/bin/bank2.bin"));
    ASSERT_EQ(bank2.size(), 28672);
    std::vector<uint8_t> expected(28672, 0);
    const std::vector<uint8_t> entries[] = {Entry(golden, false), Entry(third, false), Entry(out1, true),
                                            Entry(out2, true)};
    for (size_t i = 0; i < std::size(entries); ++i)
        std::copy(entries[i].begin(), entries[i].end(), expected.begin() + long(i * 28));
    EXPECT_EQ(entries[0], GoldenBytes);
    EXPECT_EQ(std::vector<uint8_t>(bank2.begin(), bank2.end()), expected);
    const QByteArray bank1 = FileBytes(Project_Path + QStringLiteral("/bin/bank1.bin"));
    ASSERT_EQ(bank1.size(), 2048);
    EXPECT_EQ(uint8_t(bank1[0x658]) | uint8_t(bank1[0x659]) << 8, 4);
}
