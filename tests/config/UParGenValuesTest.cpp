// The general-parameter values apart from the window: reading ParGen.xml
// over the defaults, writing it, and the checks run on OK.
#include "Files.h"
#include "TestProject.h"
#include "UComon.h"
#include "UParGenValues.h"
#include "USaveBincc.h"
#include "XmlDoc.h"

#include <gtest/gtest.h>
#include <map>
#include <vector>

namespace {


class ParGenFile : public ::testing::Test {
protected:
    void SetUp() override { TestProject::Start(); }
    void TearDown() override { ResetSharedState(); }

    TParGenLoad Load(const QByteArray& xml)
    {
        TestProject::Write(ParGen_File, xml);
        return LoadParGenFile(FDoc, ParGen_File);
    }

    TXmlDocument FDoc;
};

// A Par_Gen root holding the given elements in the given order.
QByteArray ParGenXml(const std::vector<std::pair<const char*, QString>>& elements, const char* prolog = "")
{
    QString xml = QString::fromUtf8(prolog) + QStringLiteral("<Par_Gen>");
    for (const auto& [name, text] : elements)
        xml += QStringLiteral("<%1>%2</%1>").arg(QLatin1String(name), text.toHtmlEscaped());
    return (xml + QStringLiteral("</Par_Gen><!--SW_VERSION = 1.000-->")).toUtf8();
}

}  // namespace

TEST_F(ParGenFile, NewProjectFileHasTheExactShapeAndGivesTheEditorsBank)
{
    ASSERT_TRUE(SaveParGenFile(FDoc, ParGen_File, TParGenValues()).Ok);

    const QByteArray raw = TestProject::Read(ParGen_File);
    EXPECT_FALSE(raw.startsWith("<?xml"));
    EXPECT_FALSE(raw.startsWith("\xEF\xBB\xBF"));

    TXmlDocument back;
    ASSERT_TRUE(back.LoadFromBytes(raw).Ok);
    const QList<TXmlNode> top = back.Nodes();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0].NodeType(), TXmlNodeType::Element);
    EXPECT_EQ(top[0].Name(), "Par_Gen");
    EXPECT_EQ(top[1].NodeType(), TXmlNodeType::Comment);
    EXPECT_EQ(top[1].Value(), "SW_VERSION = 1.000");

    const TXmlNode root = top[0];
    ASSERT_EQ(root.ChildElementCount(), ParGenFieldCount);
    for (int i = 0; i < ParGenFieldCount; ++i) {
        EXPECT_EQ(root.ChildElementAt(i).Name(), QLatin1String(ParGenFieldInfo(i).Element)) << i;
        EXPECT_EQ(root.ChildElementAt(i).Text(), TestProject::NewProjectTexts[i]) << ParGenFieldInfo(i).Element;
    }

    // The bank builder reads the same file into the record the device gets.
    const TBankResult built = BuildConfigurationBanks();
    ASSERT_TRUE(built.Ok) << built.Reason.toStdString();
    EXPECT_EQ(General_Parameters.Checksum, 4189u);
}

TEST_F(ParGenFile, LoadingSetsEachFieldFromItsElementOverTheDefaults)
{
    struct Case {
        const char* what;
        QByteArray xml;
        std::map<int, QString> expected;  // fields that differ from the defaults
    };
    const QByteArray allChanged = ParGenXml({
        {"S7_Protocol_IP1", "10"}, {"S7_Protocol_IP2", "1"}, {"S7_Protocol_IP3", "2"}, {"S7_Protocol_IP4", "3"},
        {"S7_Protocol_SM1", "255"}, {"S7_Protocol_SM2", "255"}, {"S7_Protocol_SM3", "0"}, {"S7_Protocol_SM4", "0"},
        {"S7_Protocol_GAT1", "10"}, {"S7_Protocol_GAT2", "1"}, {"S7_Protocol_GAT3", "2"}, {"S7_Protocol_GAT4", "254"},
        {"S7_Protocol_EN_GAT", "1"}, {"S7_Protocol_TimeOut", "500"}, {"S7_Protocol_Enable_Reset_TimeOut", "1"},
        {"S7_Protocol_Reset_TimeOut", "60"}, {"Eth_Conn_Device_Name", "<A&B> \u20AC"},
        {"Eth_Conn_DHCP_Cable", "1"}, {"Eth_Conn_DHCP_WiFi", "1"}, {"Eth_Conn_Enable_DNS", "1"},
        {"Eth_Conn_Primary_DNS1", "1"}, {"Eth_Conn_Primary_DNS2", "2"}, {"Eth_Conn_Primary_DNS3", "3"},
        {"Eth_Conn_Primary_DNS4", "4"}, {"Eth_Conn_Secondary_DNS1", "5"}, {"Eth_Conn_Secondary_DNS2", "6"},
        {"Eth_Conn_Secondary_DNS3", "7"}, {"Eth_Conn_Secondary_DNS4", "abc"},
        {"SERIAL_SERIAL", "1"}, {"SERIAL_BAUDRATE", "3"}, {"SERIAL_PARITY", "2"}, {"SERIAL_STOPBITS", "1"}});
    std::map<int, QString> allExpected;
    {
        TXmlDocument d;
        d.LoadFromBytes(allChanged);
        for (int i = 0; i < ParGenFieldCount; ++i)
            allExpected[i] = d.DocumentElement().ChildElementAt(i).Text();
    }
    const std::vector<Case> cases = {
        {"every element, none default", allChanged, allExpected},
        {"no element", ParGenXml({}), {}},
        {"parity abc", ParGenXml({{"SERIAL_PARITY", "abc"}}), {}},
        {"parity empty", ParGenXml({{"SERIAL_PARITY", ""}}), {}},
        {"parity -1", ParGenXml({{"SERIAL_PARITY", "-1"}}), {}},
        {"parity 7", ParGenXml({{"SERIAL_PARITY", "7"}}), {}},
        {"baud rate 9", ParGenXml({{"SERIAL_BAUDRATE", "9"}}), {}},
        {"baud rate in hex", ParGenXml({{"SERIAL_BAUDRATE", "$2"}}), {{pgBaudrate, "2"}}},
        {"check box exactly 1", ParGenXml({{"Eth_Conn_Enable_DNS", "1"}}), {{pgEnableDns, "1"}}},
        {"check box ' 1'", ParGenXml({{"Eth_Conn_Enable_DNS", " 1"}}), {}},
        {"check box 01", ParGenXml({{"Eth_Conn_Enable_DNS", "01"}}), {}},
        {"check box true", ParGenXml({{"Eth_Conn_Enable_DNS", "true"}}), {}},
        {"gateway on, reset off", ParGenXml({{"S7_Protocol_EN_GAT", "1"}, {"S7_Protocol_Enable_Reset_TimeOut", "0"}}),
         {{pgS7_EnGat, "1"}}},
        {"an empty element is not a missing one", ParGenXml({{"S7_Protocol_TimeOut", ""}}), {{pgS7_TimeOut, ""}}},
        {"declaration and leading comment", ParGenXml({{"S7_Protocol_IP4", "77"}}, "<?xml version=\"1.0\"?><!-- hand made -->"),
         {{pgS7_IP4, "77"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TParGenLoad load = Load(c.xml);
        EXPECT_TRUE(load.Ok) << load.Reason.toStdString();
        TParGenValues expected;
        for (const auto& [field, text] : c.expected)
            expected[field] = text;
        for (int i = 0; i < ParGenFieldCount; ++i)
            EXPECT_EQ(load.Values[i], expected[i]) << ParGenFieldInfo(i).Element;
    }
}

TEST_F(ParGenFile, MissingAndUnreadableFilesGiveTheDefaults)
{
    TParGenLoad none = LoadParGenFile(FDoc, ParGen_File);
    EXPECT_TRUE(none.Ok);
    EXPECT_EQ(none.Values, TParGenValues());

    for (const QByteArray& bad : {QByteArray("<Par_Gen><S7_Protocol_IP1>10</S7_Protocol_IP1>"), QByteArray(""),
                                  QByteArray("<!-- only a comment -->")}) {
        SCOPED_TRACE(bad.toStdString());
        const TParGenLoad load = Load(bad);
        EXPECT_FALSE(load.Ok);
        EXPECT_FALSE(load.Reason.isEmpty());
        EXPECT_EQ(load.Values, TParGenValues());
    }
}

TEST(ParGenChecks, FirstFailingCheckInOrder)
{
    struct Case {
        std::map<int, QString> changes;  // "1"/"0" for check boxes, indexes for lists
        int message;                     // 0: passes
    };
    const std::vector<Case> cases = {
        {{}, 0},
        {{{pgS7_IP1, "256"}}, 451},
        {{{pgS7_IP2, "abc"}}, 452},
        {{{pgS7_IP4, "-1"}}, 454},
        {{{pgS7_IP3, ""}}, 453},
        // The bank builder's reader: "0xFF" is 255, "$100" is 256.
        {{{pgS7_IP1, "0xFF"}}, 0},
        {{{pgS7_IP1, "$100"}}, 451},
        {{{pgS7_SM1, "256"}}, 455},
        {{{pgS7_SM4, "256"}}, 458},
        {{{pgS7_GAT1, "300"}}, 0},
        {{{pgS7_GAT1, "300"}, {pgS7_EnGat, "1"}}, 459},
        {{{pgS7_GAT3, "300"}, {pgS7_EnGat, "1"}}, 461},
        {{{pgPriDns1, "999"}}, 0},
        {{{pgPriDns1, "999"}, {pgEnableDns, "1"}}, 948},
        {{{pgPriDns4, "999"}, {pgEnableDns, "1"}}, 951},
        {{{pgSecDns2, "999"}, {pgEnableDns, "1"}}, 953},
        {{{pgSecDns1, "999"}, {pgPriDns3, "999"}, {pgEnableDns, "1"}}, 950},
        {{{pgS7_TimeOut, "0"}}, 958},
        {{{pgS7_TimeOut, "60001"}}, 958},
        {{{pgS7_TimeOut, "1"}}, 0},
        {{{pgS7_TimeOut, "60000"}}, 0},
        {{{pgS7_TimeOut, "0xFF"}}, 0},
        {{{pgS7_TimeOut, " 100"}}, 0},
        {{{pgS7_TimeOut, "100 "}}, 958},
        {{{pgS7_TimeOut, "$100"}}, 0},
        {{{pgS7_ResetTimeOut, "5"}}, 0},
        {{{pgS7_ResetTimeOut, "5"}, {pgS7_EnResetTimeOut, "1"}}, 962},
        {{{pgS7_ResetTimeOut, "3601"}, {pgS7_EnResetTimeOut, "1"}}, 962},
        {{{pgS7_ResetTimeOut, "10"}, {pgS7_EnResetTimeOut, "1"}}, 0},
        {{{pgStopBits, "1"}, {pgParity, "1"}}, 488},
        {{{pgStopBits, "1"}, {pgParity, "2"}}, 488},
        {{{pgStopBits, "1"}, {pgParity, "0"}}, 0},
        // Several faults: the earliest in the order wins.
        {{{pgStopBits, "1"}, {pgParity, "1"}, {pgS7_TimeOut, "0"}, {pgS7_SM2, "999"}, {pgS7_IP3, "999"}}, 453},
        {{{pgS7_IP1, "999"}, {pgSecDns4, "x"}, {pgEnableDns, "1"}}, 955},
        {{{pgS7_TimeOut, "0"}, {pgS7_GAT2, "-5"}, {pgS7_EnGat, "1"}}, 460},
    };
    for (const Case& c : cases) {
        TParGenValues v;
        QString trace;
        for (const auto& [field, text] : c.changes) {
            v[field] = text;
            trace += QStringLiteral("%1=%2 ").arg(QLatin1String(ParGenFieldInfo(field).Element), text);
        }
        EXPECT_EQ(ParGenFirstFault(v), c.message) << trace.toStdString();
    }
}
