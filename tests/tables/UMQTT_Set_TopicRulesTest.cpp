// The MQTT topics window's rules: the template's "$" parity and one row's
// checks, with hidden columns skipping theirs.

#include "UComon.h"
#include "UFormLook.h"
#include "ULanguage.h"
#include "UMQTT_Set_TopicRules.h"

#include <gtest/gtest.h>
#include <map>
#include <set>

TEST(MQTTRules, TemplateParity)
{
    const std::pair<const char*, bool> cases[] = {
        {"$", true}, {"$a$b$", true}, {"$VALUE$", false}, {"plain", false}, {"", false}, {"$A$\r\n$B$", false}};
    for (auto [text, faulty] : cases) EXPECT_EQ(Error_In_Topic_Template(QLatin1String(text)), faulty) << text;
}

namespace {

class MQTTRowRules : public ::testing::Test {
protected:
    void SetUp() override { FillEnglishTable(); }
    void TearDown() override { ResetSharedState(); }
    static QString Fault(TMQTTPage page, const std::map<int, QString>& changes, const std::set<int>& hidden = {})
    {
        std::map<int, QString> row = {{1, "a/b"}, {4, "Int"}, {5, "2"}, {6, "0"}, {9, "$VALUE$"}, {11, "$VALUE$"},
                                      {12, "N"}, {13, ""}};
        for (const auto& [c, t] : changes) row[c] = t;
        return MQTTRowFault(
            page, [&](int c) { return row.count(c) ? row.at(c) : QString(); },
            [&](int c) { return hidden.count(c) > 0; }, 1500);
    }
};

}  // namespace

TEST_F(MQTTRowRules, PublishChecks)
{
    const std::pair<std::map<int, QString>, QString> cases[] = {
        {{}, QString()},
        {{{4, " "}}, LangText(2352)},
        {{{4, "Float"}, {5, "2"}}, LangText(2354)},
        {{{4, "float"}, {5, "8"}}, QString()},
        {{{4, "Int"}, {5, "3"}}, LangText(2353)},
        {{{4, "String"}, {5, "0"}}, LangText(2355)},
        {{{4, "String"}, {5, ""}}, LangText(2355)},
        {{{6, "1499"}}, QString()},
        {{{6, "1500"}}, LangText(2356) + "1499"},
        {{{6, "-1"}}, LangText(2356) + "1499"},
        {{{9, "$"}}, LangText(2378)},
        {{{9, "$a$b$"}}, LangText(2378)},
        {{{12, "Y"}, {13, ""}}, LangText(2389)},
        {{{12, " y "}, {13, "1000000000"}}, QString()},
        {{{12, "Y"}, {13, "1000000001"}}, LangText(2389)},
    };
    for (const auto& [changes, message] : cases)
        EXPECT_EQ(Fault(MQTTPublishPage, changes), message) << message.toStdString();
}

TEST_F(MQTTRowRules, HiddenColumnsSkipTheirChecksButNotTheTimer)
{
    EXPECT_EQ(Fault(MQTTPublishPage, {{4, ""}, {6, "x"}, {9, "$"}}, {4, 6, 9}), QString());
    EXPECT_EQ(Fault(MQTTPublishPage, {{12, "Y"}}, {12, 13}), LangText(2389));
    EXPECT_EQ(Fault(MQTTSubscribePage, {{4, "Float"}, {5, "1"}}), LangText(2359));
    EXPECT_EQ(Fault(MQTTSubscribePage, {{6, "1500"}}), LangText(2361) + "1499");
    EXPECT_EQ(Fault(MQTTSubscribePage, {{11, "$"}}), LangText(2380));
    // The subscribe page has no timer; column 12 is its Swap.
    EXPECT_EQ(Fault(MQTTSubscribePage, {{12, "Y"}}), QString());
}
