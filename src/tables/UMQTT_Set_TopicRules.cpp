#include "UMQTT_Set_TopicRules.h"

#include "SysFormat.h"
#include "UFormLook.h"

namespace {

// The columns a page's checks read and their messages.
struct MQTTPageChecks {
    int DataTypeCol, DimensionCol, PositionCol, TemplateCol;
    int DataTypeMsg, IntMsg, FloatMsg, OtherMsg, PositionMsg, TemplateMsg;
    int OnTimerCol, TimeCol, TimeMsg;  // 0: the page has no timer
};
constexpr MQTTPageChecks MQTTChecks[2] = {
    {4, 5, 6, 9, 2352, 2353, 2354, 2355, 2356, 2378, 12, 13, 2389},
    {4, 5, 6, 11, 2357, 2358, 2359, 2360, 2361, 2380, 0, 0, 0},
};

}  // namespace

bool Error_In_Topic_Template(const QString& Str)
{
    return Str.count(u'$') % 2 != 0;
}

QString MQTTRowFault(TMQTTPage page, const std::function<QString(int col)>& cell,
                     const std::function<bool(int col)>& hidden, int byteLimit)
{
    const MQTTPageChecks& c = MQTTChecks[page];
    if (!hidden(c.DataTypeCol)) {
        const QString type = cell(c.DataTypeCol).trimmed().toUpper();
        if (type.isEmpty()) return LangText(c.DataTypeMsg);
        const int dim = StrToIntDef(cell(c.DimensionCol), -1);
        if (type == QStringLiteral("INT")) {
            if (dim != 1 && dim != 2 && dim != 4 && dim != 8) return LangText(c.IntMsg);
        } else if (type == QStringLiteral("FLOAT")) {
            if (dim != 4 && dim != 8) return LangText(c.FloatMsg);
        } else if (dim < 1) {
            return LangText(c.OtherMsg);
        }
    }
    if (!hidden(c.PositionCol)) {
        const int pos = StrToIntDef(cell(c.PositionCol), -1);
        if (pos < 0 || pos > byteLimit - 1) return LangText(c.PositionMsg) + QString::number(byteLimit - 1);
    }
    if (!hidden(c.TemplateCol) && Error_In_Topic_Template(cell(c.TemplateCol).trimmed()))
        return LangText(c.TemplateMsg);
    if (c.OnTimerCol && cell(c.OnTimerCol).trimmed().toUpper() == QStringLiteral("Y")) {
        const int time = StrToIntDef(cell(c.TimeCol), -1);
        if (time < 1 || time > 1000000000) return LangText(c.TimeMsg);
    }
    return QString();
}
