#include "UIEC61850_Variables.h"

#include "UComon.h"

TFIEC61850_Variables* FIEC61850_Variables = nullptr;

TFIEC61850_Variables::TFIEC61850_Variables(TComponent* AOwner) : TTitledForm(AOwner, 640, 337, 1500, 1501) {}

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
