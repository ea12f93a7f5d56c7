#include "UReceiveCAN.h"

#include "UComon.h"

TFReceiveCAN* FReceiveCAN = nullptr;

TFReceiveCAN::TFReceiveCAN(TComponent* AOwner) : TTitledForm(AOwner, 640, 337, 1700, 1701) {}

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
