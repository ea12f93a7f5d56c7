#pragma once
// The values of settings objects without a property list as "Name=value"
// texts, for tables of expected values.

#include "ColorNames.h"

#include <QString>
#include <string>
#include <type_traits>

// "Name=value" of a getter: numbers in decimal, enumerations by ordinal,
// Booleans as true/false, texts quoted; HOLDER_COLOR names colours.
template <class V>
std::string HolderValueText(const char* Name, const V& v)
{
    QString text;
    if constexpr (std::is_same_v<V, bool>)
        text = v ? "true" : "false";
    else if constexpr (std::is_same_v<V, QString>)
        text = '"' + v + '"';
    else
        text = QString::number(int(v));
    return std::string(Name) + "=" + text.toStdString();
}
#define HOLDER_VALUE(Obj, Name) HolderValueText(#Name, (Obj).Name())
#define HOLDER_COLOR(Obj, Name) (std::string(#Name "=") + ColorToString((Obj).Name()).toStdString())
