#include "USet_PDO_Access.h"

#include "AdvCGrid.h"
#include "ClassesLists.h"
#include "UComon.h"
#include "UTableColumns.h"

TFSet_PDO_Access* FSet_PDO_Access = nullptr;

namespace {

// The columns both pages share: COB-ID, Dimension and the eight addresses;
// first is the header entry of COB-ID. No attribute has a default.
std::vector<TTableColumnSpec> PDOCommonColumns(int first)
{
    std::vector<TTableColumnSpec> columns = {
        TableTextColumn(first, 65, clWindow, "COB-ID"),
        TableTextColumn(first + 1, 65, clWindow, "Dimension"),
    };
    for (int k = 1; k <= 8; ++k)
        columns.push_back(TableTextColumn(first + 1 + k, 45, clWindow,
                                          QStringLiteral("Address_B%1").arg(k).toLatin1().constData()));
    return columns;
}

TTableGridSpec PDOReceiveGrid()
{
    TTableGridSpec g;
    g.Name = QStringLiteral("sga");
    g.TabName = QStringLiteral("TS_Receive_PDO");
    g.TabCaption = 1914;
    g.Section = QStringLiteral("Receive_PDO");
    g.DataRows = 30;
    g.FixedHeader = 1916;
    g.Columns = PDOCommonColumns(1917);
    g.Columns.push_back(TableTextColumn(1927, 65, clWindow, "TimeOut"));
    g.Columns.push_back(TableTextColumn(1928, 173, clWindow, "Mnemonic"));
    g.Hints = TableEntryRange(1943, 1954);
    return g;
}

TTableGridSpec PDOTransmitGrid()
{
    TTableGridSpec g;
    g.Name = QStringLiteral("sgb");
    g.TabName = QStringLiteral("TS_Transmit_PDO");
    g.TabCaption = 1915;
    g.Section = QStringLiteral("Transmit_PDO");
    g.DataRows = 30;
    g.FixedHeader = 1929;
    g.Columns = PDOCommonColumns(1930);
    g.Columns.push_back(TableTextColumn(1940, 65, clWindow, "Send_Time"));
    g.Columns.push_back(TableCheckColumn(1941, 68, clWindow, "On_Change"));
    g.Columns.push_back(TableTextColumn(1942, 105, clWindow, "Mnemonic"));
    g.Hints = TableEntryRange(1955, 1967);
    return g;
}

}  // namespace

TFSet_PDO_Access::TFSet_PDO_Access(TComponent* AOwner)
    : TCANopenTableForm(AOwner, 798, {1900, 1968, 1991}),
      Hint_PDO_Receive(new TStringList),
      Hint_PDO_Transmit(new TStringList)
{
    BuildPages(PDOReceiveGrid(), PDOTransmitGrid());
    TS_Receive_PDO = PageSheet(0);
    TS_Transmit_PDO = PageSheet(1);
}

TFSet_PDO_Access::~TFSet_PDO_Access()
{
    delete Hint_PDO_Receive;
    delete Hint_PDO_Transmit;
}

QString TFSet_PDO_Access::TablePath() const
{
    return PDO_CANopen_File;
}

QString TFSet_PDO_Access::RowFault(int page, const TRowCells& cell)
{
    return PDORowFault(cell, page, PageSize(page));
}

// ---- the row checks ----

namespace {

// A page's entries and the range of its last checked column.
struct TPDOPageRule {
    int CobIdMsg, DimMsg, Addr1Msg, TimeMsg;
    int TimeMax;
};
constexpr TPDOPageRule PDOPageRules[2] = {
    {1969, 1970, 1971, 1979, 65535},
    {1980, 1981, 1982, 1990, 100000000},
};

}  // namespace

QString PDORowFault(const TRowCells& cell, int page, int size)
{
    const TPDOPageRule& rule = PDOPageRules[page == pdoTransmitPage ? 1 : 0];
    if (!TableIntIn(cell(pdoCobId), 0, 2047))
        return LangText(rule.CobIdMsg);
    if (!TableIntIn(cell(pdoDim), 1, 8))
        return LangText(rule.DimMsg);
    // Every byte within the Dimension has a place: no "None" here.
    const int dim = TableCellInt(cell(pdoDim));
    for (int k = 1; k <= dim; ++k)
        if (!TableIntIn(cell(pdoAddr1 + k - 1), 0, size - 1))
            return LangText(rule.Addr1Msg + k - 1) + QString::number(size - 1);
    if (!TableIntIn(cell(pdoTime), 0, rule.TimeMax))
        return LangText(rule.TimeMsg);
    return QString();
}
