// The BACnet objects window's rules: the row checks by type, the proposed
// lengths and the description-length option of the general parameters.

#include "TestHarness.h"
#include "UBACnetSlaveSetAccessRules.h"
#include "UComon.h"
#include "UFormLook.h"
#include "ULanguage.h"

#include <QFile>
#include <gtest/gtest.h>
#include <map>

namespace {

class BACnetRules : public ::testing::Test {
protected:
    void SetUp() override { FillEnglishTable(); }
    void TearDown() override { ResetSharedState(); }
    // type, unit, position, bit, length
    static QString Fault(TBACnetPage page, const char* type, const char* unit, const char* pos, const char* bit,
                         const char* len)
    {
        const std::map<int, QString> row = {{BACnetCol::DataType, QLatin1String(type)},
                                            {BACnetCol::EngUnit, QLatin1String(unit)},
                                            {BACnetCol::Position, QLatin1String(pos)},
                                            {BACnetCol::StartBit, QLatin1String(bit)},
                                            {BACnetCol::Length, QLatin1String(len)}};
        return BACnetRowFault(page, [&](int c) { return row.count(c) ? row.at(c) : QString(); }, 1500);
    }
};

}  // namespace

TEST_F(BACnetRules, RowChecks)
{
    struct Case {
        TBACnetPage Page;
        const char *Type, *Unit, *Pos, *Bit, *Len;
        int Message;  // 0: passes
    };
    const Case cases[] = {
        {BACnetReadPage, "Binary Input", "0", "0", "", "4", 2545},
        {BACnetReadPage, "Binary Input", "0", "1499", "0", "", 0},
        {BACnetReadPage, "Binary Value", "0", "0", "  ", "", 2545},  // blanks are empty
        {BACnetWritePage, "Binary Value", "0", "0", " ", "", 2557},
        {BACnetReadPage, "Analog Input", "0", "1497", "", "4", 2546},
        {BACnetReadPage, "Analog Input", "0", "1496", "", "4", 0},
        {BACnetReadPage, "Large Analog Value", "0", "0", "", "8", 0},
        {BACnetReadPage, "Large Analog Value", "0", "0", "", "9", 2537},
        {BACnetReadPage, "Large Analog Value", "0", "0", "", "", 2537},
        {BACnetReadPage, "Integer Value", "0", "0", "", "", 0},
        {BACnetReadPage, "Access Door", "0", "0", "", "2", 2543},
        {BACnetReadPage, "Analog Input", "65535", "0", "", "1", 0},
        {BACnetReadPage, "Analog Input", "65536", "0", "", "1", 2533},
        {BACnetReadPage, "Analog Input", "", "0", "", "1", 2533},
        {BACnetReadPage, "Analog Input", "1", "1500", "", "1", 2534},
        {BACnetWritePage, "Analog Input", "", "0", "", "1", 2547},
        {BACnetWritePage, "Binary Out", "1", "3", "", "", 2557},
        {BACnetWritePage, "Integer Value", "1", "3", "", "5", 2553},
        {BACnetWritePage, "Large Analog Value", "1", "1493", "", "8", 2558},
        // Compared exactly: another spelling has no range, only the last byte.
        {BACnetReadPage, "analog input", "1", "0", "", "40", 0},
        {BACnetReadPage, "Analog Out", "1", "1490", "", "20", 2546},
    };
    for (const Case& c : cases) {
        QString expected = c.Message ? LangText(c.Message) : QString();
        if (c.Message == 2534) expected += QStringLiteral("1499");
        EXPECT_EQ(Fault(c.Page, c.Type, c.Unit, c.Pos, c.Bit, c.Len), expected) << c.Type << ' ' << c.Pos;
    }
}

TEST_F(BACnetRules, TypesAndProposals)
{
    EXPECT_EQ(BACnetPageTypes(BACnetReadPage).size(), 13);
    EXPECT_EQ(BACnetPageTypes(BACnetWritePage).size(), 10);
    EXPECT_EQ(BACnetPageTypes(BACnetWritePage).first(), QStringLiteral("Analog Out"));
    EXPECT_EQ(BACnetPageTypes(BACnetReadPage).last(), QStringLiteral("Accumulator"));
    EXPECT_EQ(BACnetProposedLength(QStringLiteral("Large Analog Value")), QStringLiteral("8"));
    EXPECT_EQ(BACnetProposedLength(QStringLiteral("BINARY OUT")), QStringLiteral("1"));
    EXPECT_EQ(BACnetProposedLength(QStringLiteral("Access Door")), QStringLiteral("1"));
    EXPECT_EQ(BACnetProposedLength(QStringLiteral("Analog Input")), QString());
    EXPECT_EQ(BACnetTooManyObjects(true), QStringLiteral("Error!! Too many Requests. Max requests 1000"));
}

TEST_F(BACnetRules, DescriptionLengthOption)
{
    const QString path = TestHarness::ProgramDir() + QStringLiteral("/ParGen.xml");
    struct Case {
        const char* Name;
        const char* Content;  // null: no file
        bool On;
        bool Error;
    };
    const Case cases[] = {
        {"on", "<ParGen><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit></ParGen>", true, false},
        {"other text", "<ParGen><BACnet_Desc_Chars_Limit>yes</BACnet_Desc_Chars_Limit></ParGen>", false, false},
        {"no element", "<ParGen><Other>1</Other></ParGen>", false, false},
        {"no file", nullptr, false, false},
        {"unparsable", "<ParGen><BACnet_Desc_Chars_Limit>1</ParGen>", false, true},
    };
    for (const Case& c : cases) {
        QFile::remove(path);
        if (c.Content) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.Content);
        }
        QString error;
        EXPECT_EQ(ReadBACnetDescLimit(path, error), c.On) << c.Name;
        EXPECT_EQ(!error.isEmpty(), c.Error) << c.Name;
        if (c.Error) {
            EXPECT_TRUE(error.startsWith(QStringLiteral("Error! The file ") + path + QStringLiteral(" cannot be read: ")));
            EXPECT_TRUE(error.endsWith(QStringLiteral(". Each BACnet page has 2000 rows.")));
        }
    }
    QFile::remove(path);
}
