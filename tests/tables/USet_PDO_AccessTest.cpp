// The CANopen PDO window: its row checks on both pages.

#include "UComon.h"
#include "ULanguage.h"
#include "USet_PDO_Access.h"

#include <gtest/gtest.h>

namespace {

TEST(PDOChecks, EachRuleAndItsMessageByPage)
{
    FillEnglishTable();
    struct TCase {
        std::vector<std::pair<int, const char*>> Edits;
        int Receive, Transmit;  // the message on each page, 0: passes
        bool Limit;
    };
    const TCase cases[] = {
        {{}, 0, 0, false},
        {{{pdoCobId, "0x7FF"}}, 0, 0, false},
        {{{pdoCobId, "$7FF"}}, 0, 0, false},
        {{{pdoCobId, "0x800"}}, 1969, 1980, false},
        {{{pdoDim, "0"}}, 1970, 1981, false},
        // Addresses are required up to the Dimension only, and no "None".
        {{{pdoAddr1 + 3, ""}}, 0, 0, false},
        {{{pdoAddr1 + 2, ""}}, 1973, 1984, true},
        {{{pdoAddr1, "None"}}, 1971, 1982, true},
        {{{pdoAddr1, "1500"}}, 1971, 1982, true},
        {{{pdoTime, "65535"}}, 0, 0, false},
        {{{pdoTime, "65536"}}, 1979, 0, false},
        {{{pdoTime, ""}}, 1979, 1990, false},
        {{{pdoTime, "100000001"}}, 1979, 1990, false},
    };
    for (const TCase& c : cases)
        for (int page : {pdoReceivePage, pdoTransmitPage}) {
            QStringList cells = {"", "384", "3", "0", "1", "1499", "", "", "", "", "", "100", "N", ""};
            for (const auto& [col, text] : c.Edits)
                cells[col] = QString::fromUtf8(text);
            const int message = page == pdoReceivePage ? c.Receive : c.Transmit;
            const QString expected
                = message ? LangText(message) + (c.Limit ? QStringLiteral("1499") : QString()) : QString();
            EXPECT_EQ(PDORowFault([&](int col) { return cells.value(col); }, page, 1500), expected)
                << page << " " << cells.join('|').toStdString();
        }
    ResetSharedState();
}

}  // namespace
