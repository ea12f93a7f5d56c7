#include "US7_Protocol_Set_Access.h"

#include "AdvCGrid.h"
#include "ClassesLists.h"
#include "ComCtrls.h"
#include "SysFormat.h"
#include "UComon.h"
#include "USaveBincc.h"
#include "UTableColumns.h"

TFS7_Protocol_Set_Access* FS7_Protocol_Set_Access = nullptr;

namespace {

constexpr int ReadPage = 0;
constexpr int WritePage = 1;
constexpr int PositionLimit = 1500;

QStringList ChoiceTexts(std::span<const TS7Choice> choices)
{
    QStringList texts;
    for (const TS7Choice& c : choices)
        texts << QLatin1String(c.Text);
    return texts;
}

// The columns both pages share up to Poll Time; h holds their header entries.
std::vector<TTableColumnSpec> CommonColumns(const int (&h)[13])
{
    return {
        TableCheckColumn(h[0], 50, TableEnableColor, "Enable", QStringLiteral("Y")),
        TableTextColumn(h[1], 100, TableAddressColor, "PLC_Address"),
        TableTextColumn(h[2], 60, TableAddressColor, "PLC_Port"),
        TableListColumn(h[3], ChoiceTexts(PlcTypeChoices()), 80, TableAddressColor, "PLC_Type"),
        TableTextColumn(h[4], 45, TableAddressColor, "Rack", QStringLiteral("0")),
        TableTextColumn(h[5], 45, TableAddressColor, "Slot", QStringLiteral("0")),
        TableListColumn(h[6], ChoiceTexts(S7DataTypeChoices()), 70, TableAddressColor, "Data_Type"),
        TableListColumn(h[7], ChoiceTexts(S7BlockTypeChoices()), 90, TableAddressColor, "Data_Identifier"),
        TableTextColumn(h[8], 80, TableAddressColor, "DB_Number"),
        TableListColumn(h[9], ChoiceTexts(S7AreaChoices()), 115, TableAddressColor, "PLC_Area"),
        TableTextColumn(h[10], 60, TableAddressColor, "PLC_Add"),
        TableListColumn(h[11], TableNumberTexts(0, 8), 60, TableAddressColor, "PLC_Bit"),
        TableTextColumn(h[12], 64, TableTimingColor, "PollTime"),
    };
}

TTableGridSpec ReadGrid()
{
    TTableGridSpec g;
    g.Name = QStringLiteral("ACG_S7_Read");
    g.TabName = QStringLiteral("TS_S7_Read");
    g.TabCaption = 1214;
    g.Section = QStringLiteral("S7_Protocol_Read");
    g.DataRows = 512;
    g.FixedHeader = 1216;
    g.Columns = CommonColumns({1217, 1218, 1219, 1220, 1313, 1314, 1221, 1222, 1289, 1290, 1291, 1292, 1223});
    g.Columns.push_back(TableListColumn(1224, {}, 60, TablePlacementColor, "Position"));
    g.Columns.push_back(TableListColumn(1225, TableNumberTexts(0, 8), 64, TablePlacementColor, "Bit"));
    g.Columns.push_back(TableCheckColumn(1226, 40, TableConversionColor, "Swap"));
    g.Columns.push_back(TableCheckColumn(1227, 80, TableConversionColor, "SwapWord"));
    g.Columns.push_back(TableTextColumn(1228, 204, clWhite, "Mnemonic"));
    g.Hints = {1244, 1245, 1246, 1247, 1317, 1318, 1248, 1249, 1297,
               1298, 1299, 1300, 1250, 1251, 1252, 1253, 1254, 1255};
    return g;
}

TTableGridSpec WriteGrid()
{
    TTableGridSpec g;
    g.Name = QStringLiteral("ACG_S7_Write");
    g.TabName = QStringLiteral("TS_S7_Write");
    g.TabCaption = 1215;
    g.Section = QStringLiteral("S7_Protocol_Write");
    g.DataRows = 512;
    g.FixedHeader = 1229;
    g.Columns = CommonColumns({1230, 1231, 1232, 1233, 1315, 1316, 1234, 1235, 1293, 1294, 1295, 1296, 1236});
    g.Columns.push_back(TableCheckColumn(1237, 70, TableTimingColor, "OnChange"));
    g.Columns.push_back(TableCheckColumn(1238, 56, TableTimingColor, "OnCMD"));
    g.Columns.push_back(TableListColumn(1239, {}, 60, TablePlacementColor, "Position"));
    g.Columns.push_back(TableListColumn(1240, TableNumberTexts(0, 8), 64, TablePlacementColor, "Bit"));
    g.Columns.push_back(TableCheckColumn(1241, 40, TableConversionColor, "Swap"));
    g.Columns.push_back(TableCheckColumn(1242, 80, TableConversionColor, "SwapWord"));
    g.Columns.push_back(TableTextColumn(1243, 78, clWhite, "Mnemonic"));
    g.Hints = {1256, 1257, 1258, 1259, 1319, 1320, 1260, 1261, 1301, 1302,
               1303, 1304, 1262, 1263, 1264, 1265, 1266, 1267, 1268, 1269};
    return g;
}

// The checks of an enabled row, in order. The columns and messages are per
// page; a range's bounds too, where the maximum may be the page's position
// limit - 1 (then the message ends with it).
enum class TRule { Address, Endpoint, Range, NotEmpty };

struct TS7Check {
    TRule Rule;
    int Col[2];      // read, write
    int Message[2];
    int Min[2] = {0, 0};
    int Max[2] = {0, 0};
    bool PositionLimit = false;
};

const TS7Check Checks[] = {
    {TRule::Address, {2, 2}, {1271, 1279}},
    {TRule::Range, {3, 3}, {1272, 1280}, {0, 0}, {65535, 65535}},
    {TRule::Endpoint, {2, 2}, {1287, 1288}},
    {TRule::NotEmpty, {4, 4}, {1273, 1281}},
    {TRule::Range, {5, 5}, {1321, 1323}, {0, 0}, {3, 3}},
    {TRule::Range, {6, 6}, {1322, 1324}, {0, 0}, {31, 31}},
    {TRule::NotEmpty, {7, 7}, {1274, 1282}},
    {TRule::NotEmpty, {8, 8}, {1275, 1283}},
    {TRule::Range, {9, 9}, {1305, 1309}, {0, 0}, {65535, 65535}},
    {TRule::NotEmpty, {10, 10}, {1306, 1310}},
    {TRule::Range, {11, 11}, {1307, 1311}, {0, 0}, {65535, 65535}},
    {TRule::NotEmpty, {12, 12}, {1308, 1312}},
    {TRule::Range, {13, 13}, {1276, 1284}, {1, 0}, {100000000, 100000000}},
    {TRule::Range, {14, 16}, {1277, 1285}, {0, 0}, {0, 0}, true},
    {TRule::NotEmpty, {15, 17}, {1278, 1286}},
};

// An integer cell read whole and untrimmed; what does not read is -1.
int CellInt(const QString& text)
{
    int v = -1;
    return TryStrToInt(text, v) ? v : -1;
}

}  // namespace

TFS7_Protocol_Set_Access::TFS7_Protocol_Set_Access(TComponent* AOwner)
    : TTableForm(AOwner, 1350, {1200, 1270, 1460}),
      Hint_S7_Set_Access_Read(new TStringList),
      Hint_S7_Set_Access_Write(new TStringList)
{
    BuildGrids({ReadGrid(), WriteGrid()});
    TS_S7_Read = PageSheet(ReadPage);
    TS_S7_Write = PageSheet(WritePage);
    ACG_S7_Read = PageGrid(ReadPage);
    ACG_S7_Write = PageGrid(WritePage);
    array_ip_Port.assign(S7MaxEndpoints, TIPPort());
}

TFS7_Protocol_Set_Access::~TFS7_Protocol_Set_Access()
{
    delete Hint_S7_Set_Access_Read;
    delete Hint_S7_Set_Access_Write;
}

QString TFS7_Protocol_Set_Access::TablePath() const
{
    return S7_Protocol_File;
}

void TFS7_Protocol_Set_Access::SetLimits()
{
    NByte_IN = PositionLimit;
    NByte_OUT = PositionLimit;
    FillNumberChoices(ReadPage, 14, NByte_IN);
    FillNumberChoices(WritePage, 16, NByte_OUT);
}

int TFS7_Protocol_Set_Access::Check_IP_Port(uint8_t b1, uint8_t b2, uint8_t b3, uint8_t b4, int p)
{
    const TIPPort wanted{b1, b2, b3, b4, p};
    for (size_t i = 0; i < array_ip_Port.size(); ++i) {
        TIPPort& e = array_ip_Port[i];
        if (e.IP1 == -1) {
            e = wanted;
            return int(i);
        }
        if (e.IP1 == wanted.IP1 && e.IP2 == wanted.IP2 && e.IP3 == wanted.IP3 && e.IP4 == wanted.IP4
            && e.Port == wanted.Port)
            return int(i);
    }
    return -1;
}

QString TFS7_Protocol_Set_Access::CheckRow(int page, int row)
{
    TAdvColumnGrid* grid = PageGrid(page);
    for (const TS7Check& check : Checks) {
        const QString cell = grid->Cells(check.Col[page], row);
        bool pass = true;
        int max = check.Max[page];
        if (check.PositionLimit)
            max = (page == ReadPage ? NByte_IN : NByte_OUT) - 1;
        switch (check.Rule) {
        case TRule::Address: {
            uint8_t b1, b2, b3, b4;
            pass = !IpTextToBytes(cell, b1, b2, b3, b4);
            break;
        }
        case TRule::Endpoint: {
            uint8_t b1 = 0, b2 = 0, b3 = 0, b4 = 0;
            IpTextToBytes(cell, b1, b2, b3, b4);
            pass = Check_IP_Port(b1, b2, b3, b4, CellInt(grid->Cells(3, row))) != -1;
            break;
        }
        case TRule::Range: {
            const int v = CellInt(cell);
            pass = v >= check.Min[page] && v <= max;
            break;
        }
        case TRule::NotEmpty:
            pass = !cell.trimmed().isEmpty();
            break;
        }
        if (!pass) {
            QString message = LangText(check.Message[page]);
            if (check.PositionLimit)
                message += QString::number(max);
            return message;
        }
    }
    return QString();
}

bool TFS7_Protocol_Set_Access::Controllo_dati()
{
    array_ip_Port.assign(S7MaxEndpoints, TIPPort());
    return ValidationWalk([this](int page, int row) { return CheckRow(page, row); });
}
