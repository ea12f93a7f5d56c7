#include "UTableChecks.h"



int TableCellInt(const QString& text)
{
    int v = -1;
    return TryStrToInt(text, v) ? v : -1;
}

bool TableIntIn(const QString& text, int lo, int hi)
{
    const int v = TableCellInt(text);
    return v >= lo && v <= hi;
}

bool TablePositionOrNone(const QString& text, int limit)
{
    const QString t = text.trimmed();
    return t.isEmpty() || t == QLatin1String("None") || TableIntIn(text, 0, limit - 1);
}

QString TableFormatText(const QString& format, std::initializer_list<FormatArg> args)
{
    try {
        return Format(format, args);
    } catch (const std::exception&) {
        return format;
    }
}
