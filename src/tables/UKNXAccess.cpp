#include "UKNXAccess.h"

#include "UComon.h"

TFKNXAccess* FKNXAccess = nullptr;

TFKNXAccess::TFKNXAccess(TComponent* AOwner) : TTitledForm(AOwner, 640, 337, 1400, 1401) {}

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
