// The IEC 61850 variables window: its row checks over a fixture row.

#include "UComon.h"
#include "UIEC61850_Variables.h"
#include "ULanguage.h"

#include <gtest/gtest.h>

namespace {

QStringList IECRow()
{
    return {"", "Y", "Temp", "Int", "2", "N", "0", "", "None", "None", "N", "N", ""};
}

TEST(IEC61850Checks, EachRuleAndItsMessage)
{
    FillEnglishTable();
    struct TCase {
        std::vector<std::pair<int, const char*>> Edits;
        int Message;
        const char* Tail;
    };
    const TCase cases[] = {
        {{}, 0, ""},
        {{{iecLength, "0"}}, 1541, ""},
        {{{iecLength, "5"}}, 1541, ""},
        {{{iecLength, ""}}, 1541, ""},
        {{{iecPosition, "1437"}}, 0, ""},
        {{{iecPosition, "1438"}}, 1530, "1437"},
        {{{iecType, "Int"}, {iecStartBit, " "}}, 0, ""},
        {{{iecType, "Digital (Bit)"}, {iecStartBit, " "}}, 1538, ""},
        {{{iecType, "Digital (Bit)"}, {iecStartBit, "3"}}, 0, ""},
        {{{iecConversion, ""}}, 1539, ""},
        {{{iecMoltFactor, ""}}, 1540, ""},
        {{{iecMoltFactor, " none "}}, 0, ""},
        {{{iecMoltFactor, "1,5"}}, 0, ""},
        {{{iecMoltFactor, "1.5"}}, 0, ""},
        {{{iecMoltFactor, "x"}}, 1540, ""},
        // Name, Type, Read Only, Swap and Mnemonic are not examined.
        {{{iecName, ""}, {iecType, "Other"}, {iecSwap, "?"}}, 0, ""},
    };
    for (const TCase& c : cases) {
        QStringList cells = IECRow();
        for (const auto& [col, text] : c.Edits)
            cells[col] = QString::fromUtf8(text);
        const QString fault = IEC61850RowFault([&](int col) { return cells.value(col); }, 1438, u',');
        EXPECT_EQ(fault, c.Message ? LangText(c.Message) + QLatin1String(c.Tail) : QString())
            << cells.join('|').toStdString();
    }
    ResetSharedState();
}

}  // namespace
