// The row checks of the CANopen SDO client and server windows.

#include "UComon.h"
#include "UFormLook.h"
#include "ULanguage.h"
#include "USet_SDO_Client_AccessRules.h"

#include <gtest/gtest.h>
#include <map>

namespace {

class SdoRules : public ::testing::Test {
protected:
    void SetUp() override { FillEnglishTable(); }
    void TearDown() override { ResetSharedState(); }
    static QString Fault(const std::vector<TSdoStep>& steps, std::map<int, QString> row)
    {
        return SdoRowFault(steps, [&](int c) { return row.count(c) ? row.at(c) : QString(); }, 1500);
    }
    // A passing client read row (ID, Index, Sub, NByte, Poll, B1..B4).
    static std::map<int, QString> ClientRow(std::map<int, QString> changes)
    {
        std::map<int, QString> row = {{1, "1"}, {2, "4096"}, {3, "0"}, {4, "1"}, {5, "100"}, {6, "0"}};
        for (const auto& [c, t] : changes) row[c] = t;
        return row;
    }
};

}  // namespace

TEST_F(SdoRules, ClientChecks)
{
    const std::pair<std::map<int, QString>, QString> cases[] = {
        {{}, QString()},
        {{{2, "0x0FFF"}}, LangText(2062)},
        {{{2, "0x1000"}}, QString()},
        {{{2, "$FFFF"}}, QString()},
        {{{1, "0"}}, LangText(2061)},
        {{{4, "3"}}, LangText(2064)},
        {{{5, "0"}}, LangText(2065)},
        {{{6, "1500"}}, LangText(2066) + "1499"},
        // N Byte 2 asks Add Byte1 and Add Byte2 only.
        {{{4, "2"}, {7, "5"}}, QString()},
        {{{4, "2"}}, LangText(2067) + "1499"},
        {{{4, "4"}, {7, "1"}, {8, "2"}}, LangText(2069) + "1499"},
    };
    for (const auto& [changes, message] : cases)
        EXPECT_EQ(Fault(SdoClientSteps(0), ClientRow(changes)), message) << message.toStdString();
    // The write page allows a poll time of 0; its addresses start one column later.
    std::map<int, QString> write = {{1, "1"}, {2, "4096"}, {3, "0"}, {4, "1"}, {5, "0"}, {6, "Y"}, {7, "3"}};
    EXPECT_EQ(Fault(SdoClientSteps(1), write), QString());
    write[7] = "";
    EXPECT_EQ(Fault(SdoClientSteps(1), write), LangText(2075) + "1499");
}

TEST_F(SdoRules, ServerChecks)
{
    const std::pair<const char*, int> indexes[] = {
        {"0x1FFF", 2151}, {"0x6000", 2151}, {"0x2000", 0}, {"0x5FFF", 0}, {"8192", 0}, {"24575", 0}};
    for (auto [index, message] : indexes) {
        const std::map<int, QString> row = {{1, index}, {2, "0"}, {3, "1"}, {4, "0"}};
        EXPECT_EQ(Fault(SdoServerSteps(0), row), message ? LangText(message) : QString()) << index;
    }
    std::map<int, QString> row = {{1, "8192"}, {2, "0"}, {3, "4"}, {4, "0"}, {5, "1"}, {6, "2"}};
    EXPECT_EQ(Fault(SdoServerSteps(1), row), LangText(2164) + "1499");
    row[7] = "3";
    EXPECT_EQ(Fault(SdoServerSteps(1), row), QString());
    row[1] = "0x6000";
    EXPECT_EQ(Fault(SdoServerSteps(1), row), LangText(2158));
}
