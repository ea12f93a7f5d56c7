#include "USNMP_Trap_AccessRules.h"

#include "SysFormat.h"
#include "UComonAddress.h"
#include "UFormLook.h"

namespace {

struct SNMPPageMessages {
    int Community, Type, Time, Position, StartBit, StartBitString, Bits, Bytes, Description, IpAddress, Conversion;
};
// The write page has no time and no IP address (0).
constexpr SNMPPageMessages SNMPMessages[2] = {
    {2276, 2261, 2262, 2263, 2264, 2265, 2266, 2267, 2277, 2268, 2285},
    {2278, 2269, 0, 2270, 2271, 2272, 2273, 2274, 2279, 0, 2286},
};

bool SNMPIsAlnum(QChar ch)
{
    const char16_t u = ch.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

}  // namespace

bool Check_Error_CommName_Desc(const QString& str, int Check_Type)
{
    if (str.isEmpty()) return false;
    for (QChar ch : str)
        if (!SNMPIsAlnum(ch)) return true;
    if (Check_Type == 1 && !(str[0].unicode() >= u'a' && str[0].unicode() <= u'z')) return true;
    return false;
}

const TSNMPColumns& SNMPColumns(TSNMPPage page)
{
    static const TSNMPColumns columns[2] = {
        {1, 2, 3, 6, 7, 8, 9, 10, 11, 12, 13},
        {1, 2, 3, 0, 0, 4, 5, 6, 7, 0, 8},
    };
    return columns[page];
}

QString SNMPRowFault(TSNMPPage page, const std::function<QString(int col)>& cell)
{
    const TSNMPColumns& c = SNMPColumns(page);
    const SNMPPageMessages& m = SNMPMessages[page];
    // The name is tested as typed: a blank is a fault.
    if (Check_Error_CommName_Desc(cell(c.Community), 0)) return LangText(m.Community);
    const QString type = cell(c.Type);
    if (type.trimmed().isEmpty()) return LangText(m.Type);
    const bool integer = type.toUpper() == QStringLiteral("INT");
    if (c.OnTimer && cell(c.OnTimer).toUpper() == QStringLiteral("Y")) {
        const int time = StrToIntDef(cell(c.Time), -1);
        if (time < 1 || time > 1000000000) return LangText(m.Time);
    }
    if (cell(c.Position).trimmed().isEmpty()) return LangText(m.Position);
    const QString bit = cell(c.StartBit).trimmed();
    if (bit.isEmpty()) return LangText(m.StartBit);
    if (!integer && bit != QStringLiteral("0")) return LangText(m.StartBitString);
    const int bits = StrToIntDef(cell(c.NumBits), -1);
    if (integer && (bits < 1 || bits > 64)) return LangText(m.Bits);
    if (!integer && (bits < 1 || bits > 16)) return LangText(m.Bytes);
    if (Check_Error_CommName_Desc(cell(c.Description), 1)) return LangText(m.Description);
    if (c.IpAddress) {
        QString o1, o2, o3, o4;
        if (!SplitIpText(cell(c.IpAddress), o1, o2, o3, o4)) return LangText(m.IpAddress);
    }
    if (cell(c.Conversion).trimmed().isEmpty()) return LangText(m.Conversion);
    return QString();
}

bool SNMPDescriptionsRepeat(const QStringList& descriptions)
{
    for (qsizetype i = 0; i < descriptions.size(); ++i)
        for (qsizetype j = i + 1; j < descriptions.size(); ++j)
            if (descriptions[i] == descriptions[j]) return true;
    return false;
}
