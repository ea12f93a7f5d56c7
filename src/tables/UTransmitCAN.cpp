#include "UTransmitCAN.h"

#include "UComon.h"
#include "UReceiveCAN.h"

TFTransmitCAN* FTransmitCAN = nullptr;

TFTransmitCAN::TFTransmitCAN(TComponent* AOwner) : TTitledForm(AOwner, 640, 337, 1800, 1801) {}

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
