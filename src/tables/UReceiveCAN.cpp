#include "UReceiveCAN.h"

#include "AdvCGrid.h"
#include "ClassesLists.h"
#include "UComon.h"
#include "UTableColumns.h"

TFReceiveCAN* FReceiveCAN = nullptr;

// ---------------------------------------------------------------------------
// What both frame windows share

TCANFrameForm::TCANFrameForm(TComponent* AOwner, int clientWidth, const TTableBand& band, int firstByteCol)
    : TTableForm(AOwner, clientWidth, band), FFirstByteCol(firstByteCol)
{
}

void TCANFrameForm::SetLimits()
{
    QStringList texts = {QStringLiteral("None")};
    texts << TableNumberTexts(0, ByteLimit());
    for (int k = 0; k < 8; ++k) {
        TStrings* items = PageGrid(0)->Columns()->Items(FFirstByteCol + k)->ComboItems();
        items->BeginUpdate();
        items->Clear();
        for (const QString& t : texts)
            items->Add(t);
        items->EndUpdate();
    }
}

void TCANFrameForm::FormShow()
{
    TTableForm::FormShow();
    if (PageGrid(0)->CanFocus())
        PageGrid(0)->SetFocus();
}

bool TCANFrameForm::RowEnabled(int page, int row)
{
    return PageGrid(page)->Cells(canrEnable, row).trimmed().toUpper() == QLatin1String("Y");
}

void TCANFrameForm::DataCellHint(int page, int ARow, int ACol, QString& HintStr)
{
    (void)page; (void)ARow; (void)ACol;
    // Only the headers explain themselves: a cell's text is never its hint.
    HintStr.clear();
}

// ---------------------------------------------------------------------------
// The receive window

namespace {

TTableGridSpec ReceiveCANGrid()
{
    TTableGridSpec g;
    g.Name = QStringLiteral("ACG_CAN_Receive");
    g.DataRows = 512;
    g.FixedHeader = 1708;
    const QString none;  // an absent attribute leaves its cell empty
    g.Columns = {
        TableCheckColumn(1709, 50, TableEnableColor, "Enable", QStringLiteral("Y")),
        TableTextColumn(1710, 90, TableAddressColor, "COBID", none),
        TableListColumn(1711, {CANFrameTypes[0], CANFrameTypes[1]}, 90, TableAddressColor, "CAN_Type", none),
        TableTextColumn(1712, 70, TableAddressColor, "Dim", none),
        TableTextColumn(1713, 75, TableTimingColor, "TimeOut", QStringLiteral("0")),
    };
    for (int k = 1; k <= 8; ++k)
        g.Columns.push_back(TableListColumn(1713 + k, {}, 48, TablePlacementColor,
                                            QStringLiteral("Byte%1").arg(k).toLatin1().constData(), none));
    g.Columns.push_back(TableTextColumn(1722, 185, clWhite, "Mnemonic", none));
    g.Hints = {1729, 1730, 1731, 1732, 1734, 1735, 1736, 1737, 1738, 1739, 1740, 1741, 1742, 1743};
    return g;
}

}  // namespace

TFReceiveCAN::TFReceiveCAN(TComponent* AOwner)
    : TCANFrameForm(AOwner, 1010, {1700, 1744, 1758, 1723}, canrByte1),
      Hint_ReceiveCAN(new TStringList)
{
    BuildGrids({ReceiveCANGrid()});
    ACG_CAN_Receive = PageGrid(0);
}

TFReceiveCAN::~TFReceiveCAN()
{
    delete Hint_ReceiveCAN;
}

QString TFReceiveCAN::TablePath() const
{
    return CAN_Rec_Frames_File;
}

void TFReceiveCAN::SetLimits()
{
    MAX_Byte = ByteLimit();
    TCANFrameForm::SetLimits();
}

bool TFReceiveCAN::Controllo_dati()
{
    return ValidationWalk([this](int page, int row) {
        TAdvColumnGrid* grid = PageGrid(page);
        return ReceiveCANRowFault([grid, row](int col) { return grid->Cells(col, row); }, MAX_Byte);
    });
}

// ---- the row checks ----

const char* const CANFrameTypes[2] = {"2.0A (11 bits)", "2.0B (29 bits)"};

namespace {

constexpr TCANFrameRule ReceiveCANRule{canrCobId, canrType, canrDim, canrByte1, 1745, 1746, 1747, 1749, 1751, 1750};

}  // namespace

QString CANFrameHeadFault(const TRowCells& cell, const TCANFrameRule& rule)
{
    if (cell(rule.TypeCol).trimmed() == QLatin1String(CANFrameTypes[0])) {
        if (!TableIntIn(cell(rule.CobIdCol), 0, 2047))
            return LangText(rule.CobId11Msg);
    } else if (!TableIntIn(cell(rule.CobIdCol), 0, 536870911)) {
        return LangText(rule.CobId29Msg);
    }
    if (!TableIntIn(cell(rule.DimCol), 1, 8))
        return LangText(rule.DimMsg);
    return QString();
}

QString CANFrameBytesFault(const TRowCells& cell, const TCANFrameRule& rule, int limit)
{
    const int dim = TableCellInt(cell(rule.DimCol));
    for (int k = 1; k <= dim && k <= 8; ++k)
        if (!TablePositionOrNone(cell(rule.FirstByteCol + k - 1), limit))
            return LangText(k == 1 ? rule.Byte1Msg : rule.Byte2Msg + k - 2) + QString::number(limit - 1)
                + LangText(rule.OrNoneMsg);
    return QString();
}

QString ReceiveCANRowFault(const TRowCells& cell, int maxByte)
{
    QString fault = CANFrameHeadFault(cell, ReceiveCANRule);
    if (fault.isEmpty() && !TableIntIn(cell(canrTimeOut), 0, 100000000))
        fault = LangText(1748);
    if (fault.isEmpty())
        fault = CANFrameBytesFault(cell, ReceiveCANRule, maxByte);
    return fault;
}
