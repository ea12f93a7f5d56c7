// The SNMP tables window's rules: names and descriptions, one row's checks
// in order, and the uniqueness of the descriptions.

#include "UComon.h"
#include "UFormLook.h"
#include "ULanguage.h"
#include "USNMP_Trap_AccessRules.h"

#include <gtest/gtest.h>
#include <map>

TEST(SNMPRules, NameAndDescriptionCharacters)
{
    struct Case {
        const char* Text;
        bool Name, Desc;  // faulty as a community name (type 0), as a description (type 1)
    };
    const Case cases[] = {{"Abc1", false, true}, {"abc1", false, false}, {"a_b", true, true},
                          {"a b", true, true},   {" Abc", true, true},   {"1ab", false, true},
                          {"", false, false}};
    for (const Case& c : cases) {
        EXPECT_EQ(Check_Error_CommName_Desc(QString::fromUtf8(c.Text), 0), c.Name) << c.Text;
        EXPECT_EQ(Check_Error_CommName_Desc(QString::fromUtf8(c.Text), 1), c.Desc) << c.Text;
    }
    EXPECT_TRUE(Check_Error_CommName_Desc(QStringLiteral("\u00e8"), 0));
}

namespace {

class SNMPRowRules : public ::testing::Test {
protected:
    void SetUp() override { FillEnglishTable(); }
    void TearDown() override { ResetSharedState(); }
    // A passing read row with the changes given (column -> text).
    static QString ReadFault(const std::map<int, QString>& changes, TSNMPPage page = SNMPReadPage)
    {
        std::map<int, QString> row;
        if (page == SNMPReadPage)
            row = {{1, "Y"}, {2, "Tundra"}, {3, "Int"}, {6, "N"}, {7, ""}, {8, "0"}, {9, "0"},
                   {10, "16"}, {11, "temp1"}, {12, "192.168.1.125"}, {13, "None"}};
        else
            row = {{1, "Y"}, {2, "Tundra"}, {3, "Int"}, {4, "0"}, {5, "0"}, {6, "16"}, {7, "temp1"}, {8, "None"}};
        for (const auto& [c, t] : changes) row[c] = t;
        return SNMPRowFault(page, [&](int c) { return row.count(c) ? row.at(c) : QString(); });
    }
};

}  // namespace

TEST_F(SNMPRowRules, ReadRowChecks)
{
    const std::pair<std::map<int, QString>, int> cases[] = {
        {{}, 0},
        {{{2, " Abc"}}, 2276},
        {{{3, " "}}, 2261},
        {{{3, "String"}, {9, "3"}}, 2265},
        {{{3, "Int"}, {10, "64"}}, 0},
        {{{3, "Int"}, {10, "65"}}, 2266},
        {{{3, "String"}, {10, "16"}}, 0},
        {{{3, "String"}, {10, "17"}}, 2267},
        {{{6, "N"}, {7, ""}}, 0},
        {{{6, "Y"}, {7, "0"}}, 2262},
        {{{6, "y"}, {7, "1000000001"}}, 2262},
        {{{6, "Y"}, {7, "1"}}, 0},
        {{{6, "Y"}, {7, "1000000000"}}, 0},
        {{{8, " "}}, 2263},
        {{{9, ""}}, 2264},
        {{{11, "Abc"}}, 2277},
        {{{11, "1ab"}}, 2277},
        {{{11, ""}}, 0},
        {{{12, "1.2.3"}}, 2268},
        {{{13, ""}}, 2285},
    };
    for (const auto& [changes, message] : cases)
        EXPECT_EQ(ReadFault(changes), message ? LangText(message) : QString()) << message;
}

TEST_F(SNMPRowRules, WriteRowChecks)
{
    const std::pair<std::map<int, QString>, int> cases[] = {
        {{}, 0},
        {{{2, "a_b"}}, 2278},
        {{{3, "String"}, {5, "3"}}, 2272},
        {{{7, "Abc"}}, 2279},
        {{{8, ""}}, 2286},
    };
    for (const auto& [changes, message] : cases)
        EXPECT_EQ(ReadFault(changes, SNMPWritePage), message ? LangText(message) : QString()) << message;
}

TEST(SNMPRules, DescriptionsRepeat)
{
    EXPECT_FALSE(SNMPDescriptionsRepeat({"temp", "Temp", "press"}));
    EXPECT_TRUE(SNMPDescriptionsRepeat({"temp", "press", "temp"}));
    EXPECT_TRUE(SNMPDescriptionsRepeat({"", "a", ""}));
    EXPECT_FALSE(SNMPDescriptionsRepeat({}));
}
