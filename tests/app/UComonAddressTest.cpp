// Address, port and number helpers.
#include "FormatSettings.h"
#include "SerialPorts.h"
#include "UComon.h"

#include <gtest/gtest.h>
#include <memory>

TEST(SplitIpText, AcceptsOnlyFourOctetsInRange)
{
    struct Case {
        const char* Text;
        bool Valid;
    } cases[] = {
        {" 192.168.0.1 ", true},   {"192. 168 .0.1", true},  {"0x10.0.0.1", true},
        {"192.168.0", false},      {"192.168.0.1.5", false}, {"192.168.0.256", false},
        {"192.168..1", false},     {"99999999999.1.1.1", false}, {"a.b.c.d", false},
        {"", false},               {"-1.0.0.1", false},
    };
    for (const Case& c : cases) {
        QString a, b, cc, d;
        EXPECT_EQ(SplitIpText(QString::fromLatin1(c.Text), a, b, cc, d), c.Valid) << c.Text;
    }
    QString a, b, c, d;
    ASSERT_TRUE(SplitIpText(QStringLiteral(" 192. 168 .0.1 "), a, b, c, d));
    EXPECT_EQ(QStringList({a, b, c, d}), QStringList({"192", "168", "0", "1"}));
    // The parts are assigned as they are reached, also on failure.
    EXPECT_FALSE(SplitIpText(QStringLiteral("7.8"), a, b, c, d));
    EXPECT_EQ(a, QStringLiteral("7"));
}

TEST(IpTextToBytes, ReportsAnErrorAsTrue)
{
    struct Case {
        const char* Text;
        uint8_t B[4];
        bool Error;
    } cases[] = {
        {"192.168.2.205", {192, 168, 2, 205}, false},
        {"10.0.0", {10, 0, 0, 0}, true},
        {"300.1.1.1", {0, 1, 1, 1}, true},
        {"1.2.3.4.5", {1, 2, 3, 0}, true},
        {" 1.2.3.4 ", {1, 2, 3, 0}, true},
        {" 1.2.3.4", {1, 2, 3, 4}, false},
        {"$FF.0.0.1", {255, 0, 0, 1}, false},
        {"0x0A.0.0.1", {10, 0, 0, 1}, false},
    };
    for (const Case& c : cases) {
        uint8_t b[4] = {9, 9, 9, 9};
        EXPECT_EQ(IpTextToBytes(QString::fromLatin1(c.Text), b[0], b[1], b[2], b[3]), c.Error) << c.Text;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(b[i], c.B[i]) << c.Text << " octet " << i;
    }
    uint8_t b[4] = {9, 8, 7, 6};
    EXPECT_TRUE(IpTextToBytes(QString(), b[0], b[1], b[2], b[3]));
    EXPECT_EQ(b[0], 9);
    EXPECT_EQ(b[3], 6);
}

TEST(CheckKnxAddress, GroupAndIndividualForms)
{
    struct Case {
        const char* Text;
        bool Group;
        bool AllowZero;
        int Result;
    } cases[] = {
        {"31/7/255", true, false, 0},  {"0/0/0", true, false, 1},    {"31/2047", true, false, 0},
        {"32/0", true, false, 1},      {"1.2/3", true, false, 1},    {"4096", true, false, 0},
        {"0", true, false, 1},         {"1/2/3/4", true, false, 1},  {"0/0", true, false, 1},
        {"0/8/1", true, false, 1},     {"65536", true, false, 1},
        {"15.15.255", false, false, 0}, {"0.0.0", false, false, 1}, {"0.0.0", false, true, 0},
        {"16.0.1", false, false, 1},   {"1/1/1", false, false, 1},   {"1.2.3.4", false, false, 1},
        {" 1 . 2 . 3 ", false, false, 0}, {"65535", false, false, 0},
        // Two parts: the address's high and low byte.
        {"230.240", false, false, 0},  {" 1 . 2 ", false, false, 0}, {"255.255", false, false, 0},
        {"256.0", false, false, 1},    {"1.256", false, false, 1},  {"1.x", false, false, 1},
        {"1.", false, false, 1},       {"0.0", false, false, 1},    {"0.0", false, true, 0},
        {"65536", false, false, 1},    {"1.x.3", false, false, 1},
        // The plain number is not split, so not trimmed: a blank after the
        // digits does not read, one before them is skipped. Parts are trimmed.
        {"4096 ", true, false, 1},     {" 4096", true, false, 0},    {"4096 ", false, false, 1},
        {" 31 / 2047 ", true, false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckKnxAddress(QString::fromLatin1(c.Text), c.Group, c.AllowZero), c.Result)
            << c.Text << (c.Group ? " group" : " individual") << (c.AllowZero ? " zero allowed" : "");
    EXPECT_TRUE(HasNoDot(QStringLiteral("1/2/3")));
    EXPECT_FALSE(HasNoDot(QStringLiteral("1.2.3")));
}

TEST(TextToSingle, ReadsWithEitherSeparator)
{
    struct Case {
        const char* Text;
        bool Ok;
        float Value;
    } cases[] = {
        {"1.5", true, 1.5f},   {"1,5", true, 1.5f},   {" -0,25 ", true, -0.25f}, {"1e3", true, 1000.0f},
        {"abc", false, 1.0f},  {"", false, 1.0f},     {"1.2.3", false, 1.0f},    {"inf", false, 1.0f},
        {"nan", false, 1.0f},  {"0x1p3", false, 1.0f}, {"1e39", false, 1.0f},    {"1 000", false, 1.0f},
        // Beyond the 32-bit float range toward zero too: 0 or a denormal would be stored.
        {"1e-50", false, 1.0f}, {"-1e-50", false, 1.0f}, {"1e-40", false, 1.0f}, {"-1e39", false, 1.0f},
        {"1.2e-38", true, 1.2e-38f}, {"3.4e38", true, 3.4e38f}, {"0", true, 0.0f}, {"-0,0e-60", true, 0.0f},
    };
    for (QChar sep : {QChar(u','), QChar(u'.')}) {
        for (const Case& c : cases) {
            float v = -7.0f;
            EXPECT_EQ(TextToSingle(QString::fromLatin1(c.Text), sep, v), c.Ok) << c.Text;
            EXPECT_FLOAT_EQ(v, c.Value) << c.Text << " with " << char(sep.unicode());
        }
    }
}

TEST(GetDecimalSeparator, FallsBackToTheComma)
{
    const std::pair<QString, QChar> cases[] = {
        {",", u','}, {".", u'.'}, {"", u','}, {"'", u','}, {".,", u'.'},
    };
    for (const auto& [raw, expected] : cases) {
        FormatSettings fs;
        fs.RawDecimalSeparator = raw;
        ScopedFormatSettings scope(fs);
        EXPECT_EQ(GetDecimalSeparator(), expected) << raw.toStdString();
    }
}

namespace {

class TFakeProbe : public ISerialPortProbe {
public:
    explicit TFakeProbe(QList<int> ports) : FPorts(std::move(ports)) {}
    QList<int> PresentPorts(int maxNumber) override
    {
        AskedFor = maxNumber;
        QList<int> r;
        for (int n : FPorts) {
            if (n <= maxNumber)
                r.append(n);
        }
        return r;
    }
    int AskedFor = 0;

private:
    QList<int> FPorts;
};

}  // namespace

TEST(ListComPorts, ListsThePresentPortsAscending)
{
    auto probe = std::make_shared<TFakeProbe>(QList<int>{3, 1});
    ScopedService<std::shared_ptr<ISerialPortProbe>> guard(&PlatformServices::SerialProbe, probe);
    std::unique_ptr<TStringList> list(ListComPorts());
    ASSERT_EQ(list->Count(), 2);
    EXPECT_EQ(list->Strings(0), QStringLiteral("1"));
    EXPECT_EQ(list->Strings(1), QStringLiteral("3"));
    EXPECT_EQ(probe->AskedFor, 256);
}
