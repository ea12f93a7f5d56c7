// The CAN receive frames window: its row checks over a fixture row.

#include "UComon.h"
#include "ULanguage.h"
#include "UReceiveCAN.h"

#include <gtest/gtest.h>

namespace {

QStringList ReceiveRow()
{
    return {"", "Y", "100", "2.0A (11 bits)", "2", "0", "None", "", "5000", "", "", "", "", "", ""};
}

TEST(ReceiveCANChecks, EachRuleAndItsMessage)
{
    FillEnglishTable();
    struct TCase {
        std::vector<std::pair<int, const char*>> Edits;
        int Message;
        const char* Tail;
    };
    const TCase cases[] = {
        {{}, 0, ""},
        {{{canrCobId, "2048"}}, 1745, ""},
        {{{canrCobId, "2048"}, {canrType, "2.0B (29 bits)"}}, 0, ""},
        {{{canrCobId, "2048"}, {canrType, ""}}, 0, ""},
        {{{canrCobId, "536870912"}, {canrType, ""}}, 1746, ""},
        {{{canrCobId, "$1FFFFFFF"}, {canrType, "2.0B (29 bits)"}}, 0, ""},
        {{{canrCobId, "$7FF"}}, 0, ""},
        {{{canrCobId, "0x7FF"}}, 0, ""},
        {{{canrCobId, "7FF"}}, 1745, ""},
        {{{canrDim, "0"}}, 1747, ""},
        {{{canrDim, "9"}}, 1747, ""},
        {{{canrDim, ""}}, 1747, ""},
        {{{canrTimeOut, "100000000"}}, 0, ""},
        {{{canrTimeOut, "100000001"}}, 1748, ""},
        // Byte3 holds 5000: looked at only within a Dimension of 3.
        {{{canrDim, "3"}}, 1752, "1499"},
        {{{canrByte1, "none"}}, 1749, "1499"},
        {{{canrByte1, "1499"}, {canrDim, "1"}}, 0, ""},
        {{{canrByte1, "1500"}, {canrDim, "1"}}, 1749, "1499"},
    };
    for (const TCase& c : cases) {
        QStringList cells = ReceiveRow();
        for (const auto& [col, text] : c.Edits)
            cells[col] = QString::fromUtf8(text);
        const QString fault = ReceiveCANRowFault([&](int col) { return cells.value(col); }, 1500);
        EXPECT_EQ(fault, c.Message ? LangText(c.Message) + QLatin1String(c.Tail) + (QLatin1String(c.Tail).isEmpty() ? QString() : LangText(1750)) : QString())
            << cells.join('|').toStdString();
    }
    ResetSharedState();
}

}  // namespace
