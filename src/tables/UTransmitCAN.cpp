#include "UTransmitCAN.h"

#include "AdvCGrid.h"
#include "ClassesLists.h"
#include "UComon.h"
#include "UTableColumns.h"

TFTransmitCAN* FTransmitCAN = nullptr;

namespace {

TTableGridSpec TransmitCANGrid(int canType, int sendType)
{
    TTableGridSpec g;
    g.Name = QStringLiteral("ACG_CAN_Transmit");
    g.DataRows = 512;
    g.FixedHeader = 1808;
    const QString none;  // an absent attribute leaves its cell empty
    const QString yes = QStringLiteral("Y"), no = QStringLiteral("N");
    g.Columns = {
        TableCheckColumn(1809, 50, TableEnableColor, "Enable", yes),
        TableTextColumn(1810, 90, TableAddressColor, "COBID", none),
        TableListColumn(1811, {CANFrameTypes[0], CANFrameTypes[1]}, 90, TableAddressColor, "CAN_Type",
                        QLatin1String(CANFrameTypes[canType == 0 ? 0 : 1])),
        TableTextColumn(1812, 70, TableAddressColor, "Dim", none),
        TableCheckColumn(1813, 65, TableTimingColor, "OnChange", sendType == 0 ? yes : no),
        TableCheckColumn(1862, 50, TableTimingColor, "OnCMD", no),
        TableCheckColumn(1814, 55, TableTimingColor, "OnTimer", sendType == 1 ? yes : no),
        // An absent period follows the row's OnTimer (FormShow).
        TableTextColumn(1815, 70, TableTimingColor, "Time", none),
    };
    for (int k = 1; k <= 8; ++k)
        g.Columns.push_back(TableListColumn(1815 + k, {}, 48, TablePlacementColor,
                                            QStringLiteral("Byte%1").arg(k).toLatin1().constData(), none));
    g.Columns.push_back(TableTextColumn(1824, 110, clWhite, "Mnemonic", none));
    g.Hints = {1831, 1832, 1833, 1834, 1835, 1863, 1836, 1837, 1838,
               1839, 1840, 1841, 1842, 1843, 1844, 1845, 1846};
    return g;
}

}  // namespace

TFTransmitCAN::TFTransmitCAN(TComponent* AOwner)
    : TCANFrameForm(AOwner, 1100, {1800, 1847, 1861, 1825}, cantByte1),
      Hint_TransmitCAN(new TStringList)
{
    BuildGrids({TransmitCANGrid(CAN_Type, Send_Type)});
    ACG_CAN_Transmit = PageGrid(0);
}

TFTransmitCAN::~TFTransmitCAN()
{
    delete Hint_TransmitCAN;
}

QString TFTransmitCAN::TablePath() const
{
    return CAN_Send_Frames_File;
}

void TFTransmitCAN::SetLimits()
{
    MAX_Byte = ByteLimit();
    Hint_TransmitCAN->Clear();
    for (int entry : Spec(0).Hints)
        Hint_TransmitCAN->Add(LangText(entry));
    TCANFrameForm::SetLimits();
}

void TFTransmitCAN::FormShow()
{
    TCANFrameForm::FormShow();
    // A row without a period: Send_Time when the row is sent on a timer
    // (its OnTimer exactly "Y"), else none.
    const TTableLoadResult& load = LastLoad();
    if (load.Absent.empty())
        return;
    for (size_t i = 0; i < load.Absent[0].size(); ++i) {
        const int row = int(i) + 1;
        if (load.Absent[0][i][cantTime - 1] && ACG_CAN_Transmit->Cells(cantOnTimer, row) == QLatin1String("Y"))
            ACG_CAN_Transmit->SetCells(cantTime, row, QString::number(Send_Time));
    }
}

bool TFTransmitCAN::Controllo_dati()
{
    return ValidationWalk([this](int page, int row) {
        TAdvColumnGrid* grid = PageGrid(page);
        return TransmitCANRowFault([grid, row](int col) { return grid->Cells(col, row); }, MAX_Byte);
    });
}

// ---- the row checks ----

namespace {

constexpr TCANFrameRule TransmitCANRule{cantCobId, cantType, cantDim, cantByte1, 1848, 1849, 1850, 1852, 1854, 1853};

}  // namespace

QString TransmitCANRowFault(const TRowCells& cell, int maxByte)
{
    QString fault = CANFrameHeadFault(cell, TransmitCANRule);
    // A frame sent on a timer needs its period; without the timer it is not looked at.
    if (fault.isEmpty() && cell(cantOnTimer).trimmed().toUpper() == QLatin1String("Y")
        && !TableIntIn(cell(cantTime), 0, 100000000))
        fault = LangText(1851);
    if (fault.isEmpty())
        fault = CANFrameBytesFault(cell, TransmitCANRule, maxByte);
    return fault;
}
