#include "USet_PDO_Access.h"

#include "UComon.h"

TFSet_PDO_Access* FSet_PDO_Access = nullptr;

TFSet_PDO_Access::TFSet_PDO_Access(TComponent* AOwner) : TTitledForm(AOwner, 640, 337, 1900, 1901) {}

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
