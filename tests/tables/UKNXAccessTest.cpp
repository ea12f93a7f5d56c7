// The KNX access table: its row checks over a fixture row.

#include "UComon.h"
#include "UKNXAccess.h"
#include "ULanguage.h"

#include <gtest/gtest.h>

namespace {

class KNXAccessChecks : public ::testing::Test {
protected:
    void SetUp() override
    {
        FillEnglishTable();
        // A valid byte-mode row: Write to a three-level group address.
        Cells = {"",  "Y", "1.1.20", "1/2/3", "Write", "Normal", "None", "", "N", "N",
                 "N", "Y", "N",      "0",     "0",     "No",     "2",    "0", "text"};
    }
    void TearDown() override { ResetSharedState(); }
    QString Fault(QChar separator = u',') const
    {
        return KNXAccessRowFault([this](int c) { return Cells.value(c); }, 1500, separator);
    }
    QStringList Cells;
};

struct TKNXCase {
    std::vector<std::pair<int, const char*>> Edits;
    int Message;        // 0: passes
    const char* Tail;   // what follows the message
};

TEST_F(KNXAccessChecks, EachRuleAndItsMessage)
{
    const TKNXCase cases[] = {
        {{{knxSource, "0.0.0"}}, 0, ""},
        {{{knxSource, " 1.1.20 "}}, 0, ""},
        {{{knxSource, "1/2"}}, 1449, ""},
        {{{knxSource, "1.2"}}, 1449, ""},
        {{{knxDest, "32/1"}}, 1451, ""},
        {{{knxDest, "1.1.20"}}, 0, ""},
        {{{knxDest, "230.240"}}, 1450, ""},
        {{{knxApci, "read"}}, 0, ""},
        {{{knxApci, "1023"}}, 0, ""},
        {{{knxApci, "1024"}}, 1452, ""},
        {{{knxPriority, "normal"}}, 1453, ""},
        {{{knxPriority, " Normal"}}, 1453, ""},
        {{{knxFormat, "  "}}, 1454, ""},
        {{{knxMulFactor, "abc"}}, 1465, ""},
        {{{knxOnTimer, "N"}, {knxPollTime, "0"}}, 0, ""},
        {{{knxOnTimer, "y"}, {knxPollTime, "0"}}, 1455, ""},
        {{{knxOnTimer, "Y"}, {knxPollTime, "100000000"}}, 0, ""},
        {{{knxPosition, "1500"}}, 1456, "1499"},
        {{{knxPosition, ""}}, 1456, "1499"},
        {{{knxBitMode, "8"}}, 1457, ""},
        {{{knxBitMode, "no"}, {knxLength, "14"}}, 0, ""},
        {{{knxLength, "15"}}, 1458, "14"},
        {{{knxExtended, "y"}, {knxLength, "255"}}, 0, ""},
        {{{knxExtended, "Y"}, {knxLength, "256"}}, 1458, "255"},
        {{{knxBitMode, "3"}, {knxLength, "112"}}, 0, ""},
        {{{knxBitMode, "3"}, {knxLength, "113"}}, 1458, "112"},
        {{{knxBitMode, "0"}, {knxExtended, "Y"}, {knxLength, "2040"}}, 0, ""},
        // Start bit 3 and 112 bits take 15 bytes: at 1485 they end at 1500.
        {{{knxBitMode, "3"}, {knxLength, "112"}, {knxPosition, "1485"}}, 0, ""},
        {{{knxBitMode, "3"}, {knxLength, "112"}, {knxPosition, "1486"}}, 1459, "1500"},
        {{{knxPosition, "1490"}, {knxLength, "10"}}, 0, ""},
        {{{knxPosition, "1490"}, {knxLength, "11"}}, 1459, "1500"},
        {{{knxTimeOut, "100000001"}}, 1466, ""},
        {{{knxTimeOut, "100000000"}}, 0, ""},
    };
    for (const TKNXCase& c : cases) {
        SetUp();
        QString what;
        for (const auto& [col, text] : c.Edits) {
            Cells[col] = QString::fromUtf8(text);
            what += QStringLiteral("%1=%2 ").arg(col).arg(Cells[col]);
        }
        const QString expected = c.Message ? LangText(c.Message) + QLatin1String(c.Tail) : QString();
        EXPECT_EQ(Fault(), expected) << what.toStdString();
    }
}

TEST_F(KNXAccessChecks, AFactorReadsWithEitherSeparatorUnderEitherSystemSeparator)
{
    for (QChar separator : {u',', u'.'})
        for (const char* factor : {"", "1.5", "1,5"}) {
            Cells[knxMulFactor] = QString::fromUtf8(factor);
            EXPECT_EQ(Fault(separator), QString()) << factor;
        }
}

TEST_F(KNXAccessChecks, OnlyTheFourPrioritiesAsTheyAreWritten)
{
    for (const char* p : {"System", "Urgent", "Normal", "Low"})
        EXPECT_TRUE(IsKNXPriority(QString::fromUtf8(p)));
    for (const char* p : {"normal", "", "High", "Low "})
        EXPECT_FALSE(IsKNXPriority(QString::fromUtf8(p)));
}

}  // namespace
