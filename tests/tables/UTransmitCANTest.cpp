// The CAN transmit frames window: its row checks over a fixture row.

#include "UComon.h"
#include "ULanguage.h"
#include "UTransmitCAN.h"

#include <gtest/gtest.h>

namespace {

QStringList TransmitRow()
{
    return {"", "Y", "100", "2.0A (11 bits)", "8", "Y", "N", "N", "abc",
            "None", "", "0", "1", "2", "3", "4", "5", ""};
}

TEST(TransmitCANChecks, EachRuleAndItsMessage)
{
    FillEnglishTable();
    struct TCase {
        std::vector<std::pair<int, const char*>> Edits;
        int Message;
        bool ByteTail;
    };
    const TCase cases[] = {
        {{}, 0, false},
        {{{cantCobId, "2048"}}, 1848, false},
        {{{cantCobId, "$1FFFFFFF"}, {cantType, "2.0B (29 bits)"}}, 0, false},
        {{{cantCobId, "$20000000"}, {cantType, "2.0B (29 bits)"}}, 1849, false},
        {{{cantDim, "9"}}, 1850, false},
        // The period is looked at only for a frame sent on a timer.
        {{{cantOnTimer, " y "}}, 1851, false},
        {{{cantOnTimer, "Y"}, {cantTime, "100000000"}}, 0, false},
        {{{cantOnTimer, "Y"}, {cantTime, "100000001"}}, 1851, false},
        {{{cantByte1 + 7, "1800"}}, 1860, true},
        {{{cantByte1 + 7, "1799"}}, 0, false},
        {{{cantByte1 + 1, "1500"}}, 0, false},
        {{{cantByte1 + 1, "x"}}, 1854, true},
        {{{cantByte1, "-1"}}, 1852, true},
        // No send condition at all is allowed.
        {{{cantOnChange, "N"}, {cantOnCMD, "N"}}, 0, false},
    };
    for (const TCase& c : cases) {
        QStringList cells = TransmitRow();
        for (const auto& [col, text] : c.Edits)
            cells[col] = QString::fromUtf8(text);
        const QString fault = TransmitCANRowFault([&](int col) { return cells.value(col); }, 1800);
        const QString expected = !c.Message ? QString()
            : c.ByteTail                    ? LangText(c.Message) + QStringLiteral("1799") + LangText(1853)
                                            : LangText(c.Message);
        EXPECT_EQ(fault, expected) << cells.join('|').toStdString();
    }
    ResetSharedState();
}

}  // namespace
