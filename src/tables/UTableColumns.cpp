#include "UTableColumns.h"

TTableColumnSpec TableTextColumn(int header, int width, TColor color, const char* attribute,
                                 std::optional<QString> def)
{
    return {header, edNormal, {}, width, color, taLeftJustify, QLatin1String(attribute), std::move(def)};
}

TTableColumnSpec TableListColumn(int header, const QStringList& choices, int width, TColor color,
                                 const char* attribute, std::optional<QString> def)
{
    return {header, edComboList, choices, width, color, taLeftJustify, QLatin1String(attribute), std::move(def)};
}

TTableColumnSpec TableComboEditColumn(int header, const QStringList& choices, int width, TColor color,
                                      const char* attribute, std::optional<QString> def)
{
    return {header, edComboEdit, choices, width, color, taLeftJustify, QLatin1String(attribute), std::move(def)};
}

TTableColumnSpec TableCheckColumn(int header, int width, TColor color, const char* attribute,
                                  std::optional<QString> def)
{
    return {header, edDataCheckBox, {}, width, color, taCenter, QLatin1String(attribute), std::move(def)};
}

QStringList TableNumberTexts(int first, int count)
{
    QStringList out;
    out.reserve(count);
    for (int i = 0; i < count; ++i)
        out << QString::number(first + i);
    return out;
}

std::vector<int> TableEntryRange(int first, int last)
{
    std::vector<int> out;
    for (int n = first; n <= last; ++n)
        out.push_back(n);
    return out;
}
