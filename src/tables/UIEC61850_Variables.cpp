#include "UIEC61850_Variables.h"

#include "AdvCGrid.h"
#include "ClassesLists.h"
#include "UComon.h"
#include "UTableColumns.h"

TFIEC61850_Variables* FIEC61850_Variables = nullptr;

namespace {

TTableGridSpec IECGrid()
{
    TTableGridSpec g;
    g.Name = QStringLiteral("ACG");
    g.DataRows = 50;
    g.FixedHeader = 1514;
    const QString none;  // an absent attribute leaves its cell empty
    g.Columns = {
        TableCheckColumn(1515, 50, TableEnableColor, "Enable", QStringLiteral("Y")),
        TableTextColumn(1516, 250, TableAddressColor, "Name", none),
        TableListColumn(1517, {"Int", "Float", "Digital (Bit)"}, 80, TableTimingColor, "Type", none),
        TableTextColumn(1518, 65, TableTimingColor, "Length", none),
        TableCheckColumn(1519, 65, TableConversionColor, "ReadOnly", QStringLiteral("N")),
        TableTextColumn(1520, 80, TablePlacementColor, "Position", none),
        TableListColumn(1532, TableNumberTexts(0, 8), 60, TablePlacementColor, "StartBit", none),
        TableListColumn(1533, {"None", "Int to Float", "Float to Int"}, 75, TableConversion2Color, "Conversion",
                        none),
        TableComboEditColumn(1534, {"None"}, 75, TableConversion2Color, "MultiplicationFactor", none),
        TableCheckColumn(1542, 45, TableConversion2Color, "Swap", QStringLiteral("N")),
        TableCheckColumn(1543, 80, TableConversion2Color, "SwapWord", QStringLiteral("N")),
        TableTextColumn(1521, 128, clWhite, "Mnemonic", none),
    };
    g.Hints = {1522, 1523, 1524, 1525, 1526, 1527, 1535, 1536, 1537, 1544, 1545, 1528};
    return g;
}

}  // namespace

TFIEC61850_Variables::TFIEC61850_Variables(TComponent* AOwner)
    : TTableForm(AOwner, 1055, {1500, 1529, 1531}),
      Hint_List(new TStringList)
{
    BuildGrids({IECGrid()});
    ACG = PageGrid(0);
    ACG->OnComboChange = [this](TObject* s, int c, int r, int i, const QString& t) { ComboChange(s, c, r, i, t); };
}

TFIEC61850_Variables::~TFIEC61850_Variables()
{
    delete Hint_List;
}

QString TFIEC61850_Variables::TablePath() const
{
    return IEC61850_Variables_File;
}

void TFIEC61850_Variables::ComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection)
{
    (void)Sender; (void)ACol; (void)ARow; (void)AItemIndex; (void)ASelection;
}

bool TFIEC61850_Variables::Controllo_dati()
{
    const QChar separator = GetDecimalSeparator();
    return ValidationWalk([this, separator](int page, int row) {
        TAdvColumnGrid* grid = PageGrid(page);
        return IEC61850RowFault([grid, row](int col) { return grid->Cells(col, row); }, NByte_IN, separator);
    });
}

QString IEC61850RowFault(const TRowCells& cell, int nByteIn, QChar separator)
{
    if (!TableIntIn(cell(iecLength), 1, 4))
        return LangText(1541);
    if (!TableIntIn(cell(iecPosition), 0, nByteIn - 1))
        return LangText(1530) + QString::number(nByteIn - 1);
    if (cell(iecType) == QLatin1String("Digital (Bit)") && cell(iecStartBit).trimmed().isEmpty())
        return LangText(1538);
    if (cell(iecConversion).trimmed().isEmpty())
        return LangText(1539);
    const QString factor = cell(iecMoltFactor);
    float value = 0;
    if (factor.trimmed().toUpper() != QLatin1String("NONE") && !TextToSingle(factor, separator, value))
        return LangText(1540);
    return QString();
}
