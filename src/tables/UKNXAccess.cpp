#include "UKNXAccess.h"

#include "AdvCGrid.h"
#include "ClassesLists.h"
#include "UComon.h"
#include "UComonRows.h"
#include "UTableColumns.h"

TFKNXAccess* FKNXAccess = nullptr;

namespace {

constexpr int KNXPositionLimit = 1500;
constexpr TColor KNXActiveCellColor = 15387318;

TTableGridSpec KNXGrid()
{
    TTableGridSpec g;
    g.Name = QStringLiteral("ACG_KNX_in_Write");
    g.Section = QStringLiteral("KNX_in_Write");
    g.DataRows = 1024;
    g.FixedHeader = 1414;
    QStringList bitModes = {QStringLiteral("No")};
    bitModes << TableNumberTexts(0, 8);
    g.Columns = {
        TableCheckColumn(1415, 50, TableEnableColor, "Enable", QStringLiteral("Y")),
        TableTextColumn(1416, 70, TableAddressColor, "Source_Address"),
        TableTextColumn(1417, 80, TableAddressColor, "Destination_Address"),
        TableComboEditColumn(1418, {"Read", "Write"}, 60, TableAddressColor, "APCI"),
        TableListColumn(1419, {"System", "Urgent", "Normal", "Low"}, 75, TableAddressColor, "Priority",
                        QStringLiteral("Normal")),
        TableListColumn(1420,
                        {"None", "Swap16", "Swap32", "Swap All", "Int to Float", "Float to Int",
                         "Float16 to Float32", "Float16 to Int", "Float16 to Int * 10", "Float16 to Int * 100"},
                        110, TableConversionColor, "Format", QStringLiteral("None")),
        TableTextColumn(1461, 85, TableConversionColor, "MultiplicationFactor", QString()),
        TableCheckColumn(1421, 50, TableConversionColor, "Extended"),
        TableCheckColumn(1422, 52, TableConversionColor, "ReTest"),
        TableCheckColumn(1423, 71, TableTimingColor, "On_Command", QStringLiteral("N")),
        TableCheckColumn(1424, 62, TableTimingColor, "On_Change"),
        TableCheckColumn(1425, 67, TableTimingColor, "On_Timer", QStringLiteral("N")),
        TableTextColumn(1426, 55, TableTimingColor, "Poll_Time"),
        TableListColumn(1427, {}, 55, TablePlacementColor, "Position"),
        TableListColumn(1428, bitModes, 55, TablePlacementColor, "Bit_Mode"),
        TableTextColumn(1429, 96, TablePlacementColor, "Length"),
        TableTextColumn(1462, 65, TableConversion2Color, "TimeOut", QStringLiteral("0")),
        TableTextColumn(1430, 96, clWhite, "Mnemonic"),
    };
    g.Hints = {1431, 1432, 1433, 1434, 1435, 1436, 1463, 1437, 1438,
               1440, 1441, 1442, 1443, 1444, 1445, 1446, 1464, 1447};
    return g;
}

}  // namespace

TFKNXAccess::TFKNXAccess(TComponent* AOwner)
    : TTableForm(AOwner, 1141, {1400, 1448, 1460}),
      Hint(new TStringList)
{
    BuildGrids({KNXGrid()});
    ACG_KNX_in_Write = PageGrid(0);
    ACG_KNX_in_Write->SetActiveCellColor(KNXActiveCellColor);
}

TFKNXAccess::~TFKNXAccess()
{
    delete Hint;
}

QString TFKNXAccess::TablePath() const
{
    return KNX_SetAccess_File;
}

bool& TFKNXAccess::CopyFlag(int page)
{
    (void)page;
    // Copying here also clears the flag of the read side, which has no page.
    Do_Copy_In_Read = false;
    return Do_Copy_In_Write;
}

void TFKNXAccess::SetLimits()
{
    Max_Num_Byte = KNXPositionLimit;
    FillNumberChoices(0, knxPosition, Max_Num_Byte);
}

void TFKNXAccess::FormShow()
{
    TTableForm::FormShow();
    // A priority the gateway does not know loads as "Normal".
    const int loaded = LastLoad().Absent.empty() ? 0 : int(LastLoad().Absent[0].size());
    for (int r = 1; r <= loaded; ++r)
        if (!IsKNXPriority(ACG_KNX_in_Write->Cells(knxPriority, r)))
            ACG_KNX_in_Write->SetCells(knxPriority, r, QStringLiteral("Normal"));
}

void TFKNXAccess::Delete_Row(int Num_Row, TAdvColumnGrid* SGA)
{
    GridDeleteRow(Num_Row, SGA);
}

void TFKNXAccess::DeleteRow(int page, int row)
{
    Delete_Row(row, PageGrid(page));
}

void TFKNXAccess::DataCellHint(int page, int ARow, int ACol, QString& HintStr)
{
    // A data cell shows its own text as hint.
    HintStr = PageGrid(page)->Cells(ACol, ARow);
}

bool TFKNXAccess::Controllo_dati()
{
    const QChar separator = GetDecimalSeparator();
    return ValidationWalk([this, separator](int page, int row) {
        TAdvColumnGrid* grid = PageGrid(page);
        return KNXAccessRowFault([grid, row](int col) { return grid->Cells(col, row); }, Max_Num_Byte, separator);
    });
}

// ---- the row checks ----

namespace {

const char* const KNXPriorities[] = {"System", "Urgent", "Normal", "Low"};

// The length limit and the bytes a row takes of the data array, by its Bit
// Mode and Extended cells: in bit mode the length counts bits.
struct TKNXSpan {
    bool BitMode;
    bool Extended;
    int MaxLength;
};
constexpr TKNXSpan KNXSpans[] = {
    {true, true, 2040},
    {true, false, 112},
    {false, true, 255},
    {false, false, 14},
};

int KNXMaxLength(bool bitMode, bool extended)
{
    for (const TKNXSpan& s : KNXSpans)
        if (s.BitMode == bitMode && s.Extended == extended)
            return s.MaxLength;
    return 0;
}

}  // namespace

bool IsKNXPriority(const QString& text)
{
    for (const char* p : KNXPriorities)
        if (text == QLatin1String(p))
            return true;
    return false;
}

QString KNXAccessRowFault(const TRowCells& cell, int maxNumByte, QChar separator)
{
    if (CheckKnxAddress(cell(knxSource).trimmed(), false, true) != 0)
        return LangText(1449);
    const QString dest = cell(knxDest).trimmed();
    const bool group = HasNoDot(dest);
    if (CheckKnxAddress(dest, group, true) != 0)
        return LangText(group ? 1451 : 1450);
    const QString apci = cell(knxApci).toUpper();
    if (apci != QLatin1String("READ") && apci != QLatin1String("WRITE") && !TableIntIn(cell(knxApci), 0, 1023))
        return LangText(1452);
    if (!IsKNXPriority(cell(knxPriority)))
        return LangText(1453);
    if (cell(knxFormat).trimmed().isEmpty())
        return LangText(1454);
    float factor = 0;
    const QString mul = cell(knxMulFactor);
    if (!mul.trimmed().isEmpty() && !TextToSingle(mul, separator, factor))
        return LangText(1465);
    if (cell(knxOnTimer).toUpper() == QLatin1String("Y") && !TableIntIn(cell(knxPollTime), 1, 100000000))
        return LangText(1455);
    const int position = TableCellInt(cell(knxPosition));
    if (position < 0 || position > maxNumByte - 1)
        return LangText(1456) + QString::number(maxNumByte - 1);
    const bool bitMode = cell(knxBitMode).toUpper() != QLatin1String("NO");
    const int startBit = bitMode ? TableCellInt(cell(knxBitMode)) : 0;
    if (bitMode && (startBit < 0 || startBit > 7))
        return LangText(1457);
    const int maxLength = KNXMaxLength(bitMode, cell(knxExtended).toUpper() == QLatin1String("Y"));
    const int length = TableCellInt(cell(knxLength));
    if (length < 1 || length > maxLength)
        return LangText(1458) + QString::number(maxLength);
    const int used = bitMode ? (length + startBit + 7) / 8 : length;
    if (position + used > maxNumByte)
        return LangText(1459) + QString::number(maxNumByte);
    if (!TableIntIn(cell(knxTimeOut), 0, 100000000))
        return LangText(1466);
    return QString();
}
