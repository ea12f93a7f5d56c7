// The BACnet engineering units: the code-to-name table, the categories the
// picker lists them in, and the picker driven as the objects window drives it.

#include "DialogResponder.h"
#include "TestHarness.h"
#include "UBACnet_Eng_Unit.h"
#include "UComon.h"
#include "ULanguage.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <set>

TEST(BACnetEngUnitNames, NamesByCode)
{
    const std::pair<int, const char*> cases[] = {
        {0, "square-meters"}, {62, "degrees-Celsius"}, {95, "no-units"}, {98, "percent"},
        {166, "meters-per-second-per-second"}, {207, "per-mille"}, {236, "minutes-per-degree-kelvin"},
        {141, "watts-per-square-meter-degree-kelvin"}, {234, "pH"}, {185, "square-meters-per-Newton"},
        {51, "housepower"}, {77, "feet-per-meters"}, {103, "radiants"},
        {128, "btus-per-kilogram-degree-Kelvin"}, {139, "megajoules-hours-per-square-meter"},
        {140, "megajoules-hours-per-square-foot"}, {190, "microsiemens"}, {172, "ohm-meters"},
        {181, "degrees-Kelvin-per-hour"}, {-1, "unknown"}, {237, "unknown"}, {300, "unknown"}};
    for (auto [code, name] : cases)
        EXPECT_EQ(Desc_Unit(code), QLatin1String(name)) << code;
}

// Every name is lower-case words joined by "-", except the scales' and the
// newton's capitals in the listed codes, and "pH".
TEST(BACnetEngUnitNames, CapitalsOnlyWhereListed)
{
    const std::set<int> scales = {62, 63, 64, 65, 66, 91, 92, 93, 94, 102, 120, 121, 127, 128, 151, 152,
                                  176, 181, 182, 189};
    const QRegularExpression lower(QStringLiteral("^[a-z0-9]+(-[a-z0-9]+)*$"));
    const QRegularExpression scale(QStringLiteral("(^|-)(Celsius|Fahrenheit|Kelvin)(-|$)"));
    for (int code = 0; code <= BACnetEngUnitLast; ++code) {
        const QString name = Desc_Unit(code);
        if (code == 234) {
            EXPECT_EQ(name, QStringLiteral("pH"));
        } else if (code == 185) {
            EXPECT_EQ(name, QStringLiteral("square-meters-per-Newton"));
        } else if (scales.count(code)) {
            EXPECT_TRUE(scale.match(name).hasMatch()) << code << ' ' << name.toStdString();
            QString rest = name;
            rest.replace(scale, QStringLiteral("-x-"));
            rest.remove(QRegularExpression(QStringLiteral("^-|-$")));
            EXPECT_TRUE(lower.match(rest).hasMatch()) << code << ' ' << name.toStdString();
        } else {
            EXPECT_TRUE(lower.match(name).hasMatch()) << code << ' ' << name.toStdString();
        }
    }
}

TEST(BACnetEngUnitNames, CategoriesCoverEveryCodeOnce)
{
    const std::pair<const char*, int> expected[] = {
        {"Acceleration", 1}, {"Area", 4}, {"Currency", 10}, {"Electrical", 35}, {"Energy", 15},
        {"Enthalpy", 5}, {"Entropy", 4}, {"Force", 1}, {"Frequency", 6}, {"Humidity", 2},
        {"Length", 7}, {"Light", 7}, {"Mass", 5}, {"Mass Flow", 9}, {"Power", 8}, {"Pressure", 12},
        {"Temperature", 9}, {"Time", 9}, {"Torque", 1}, {"Velocity", 9}, {"Volume", 6},
        {"Volumetric Flow", 13}, {"Other", 59}};
    const auto& categories = BACnetUnitCategories();
    ASSERT_EQ(categories.size(), std::size(expected));
    std::vector<int> seen(BACnetEngUnitLast + 1, 0);
    for (size_t i = 0; i < categories.size(); ++i) {
        EXPECT_EQ(categories[i].Name, QLatin1String(expected[i].first));
        EXPECT_EQ(int(categories[i].Units.size()), expected[i].second) << expected[i].first;
        for (const TBACnetUnitItem& u : categories[i].Units) {
            ASSERT_GE(u.Code, 0);
            ASSERT_LE(u.Code, BACnetEngUnitLast);
            ++seen[size_t(u.Code)];
        }
    }
    for (int code = 0; code <= BACnetEngUnitLast; ++code)
        EXPECT_EQ(seen[size_t(code)], 1) << code;
}

namespace {

class BACnetEngUnitPicker : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSharedState();
        FillEnglishTable();
        Picker = Create<TFBACnet_Eng_Unit>(nullptr);
    }
    void TearDown() override
    {
        Free(Picker);
        ResetSharedState();
    }
    // Opens the picker as the objects window does on a cell holding code and
    // runs drive on it; answers the edit's text on OK, nothing on Cancel.
    std::optional<QString> Pick(const QString& code, const std::function<void(TFBACnet_Eng_Unit*)>& drive)
    {
        Picker->E_Selected_EU->SetText(code);
        bool ok = false;
        const int number = code.toInt(&ok);
        Picker->Label5->SetCaption(QStringLiteral("-> ") + Desc_Unit(ok ? number : -1));
        DialogResponder r;
        r.ExpectModal(QStringLiteral("TFBACnet_Eng_Unit"), [&](TCustomForm* f) {
            drive(static_cast<TFBACnet_Eng_Unit*>(f));
            if (f->ModalResult() == mrNone) f->SetModalResult(mrCancel);
        });
        const TModalResult result = Picker->ShowModal();
        EXPECT_EQ(r.Pending(), 0);
        if (result != mrOk) return std::nullopt;
        return Picker->E_Selected_EU->Text();
    }
    static void Choose(TFBACnet_Eng_Unit* p, const char* category, const char* unit)
    {
        p->CB_Select_Type->SetItemIndex(p->CB_Select_Type->Items()->IndexOf(QLatin1String(category)));
        p->CB_Select_TypeSelect();
        const int u = p->CB_Select_Unit->Items()->IndexOf(QLatin1String(unit));
        ASSERT_GE(u, 0) << unit;
        p->CB_Select_Unit->SetItemIndex(u);
    }
    TFBACnet_Eng_Unit* Picker = nullptr;
};

}  // namespace

TEST_F(BACnetEngUnitPicker, CreatedWithTextsAndFirstCategory)
{
    EXPECT_EQ(Picker->ClientWidth(), 548);
    EXPECT_EQ(Picker->ClientHeight(), 306);
    EXPECT_EQ(Picker->Caption(), QStringLiteral("BACnet Engineering Unit"));
    EXPECT_EQ(Picker->Label1->Caption(), QStringLiteral("Selected BACnet Engineering Unit"));
    EXPECT_EQ(Picker->CB_Select_Type->Items()->Count(), 23);
    EXPECT_EQ(Picker->CB_Select_Type->ItemIndex(), 0);
    EXPECT_EQ(Picker->CB_Select_Type->Style(), csDropDownList);
    EXPECT_EQ(Picker->CB_Select_Unit->Style(), csDropDownList);
}

TEST_F(BACnetEngUnitPicker, ChoicesGiveCodeAndLabel)
{
    struct Case {
        const char* Category;
        const char* Unit;
        const char* Code;
        const char* Label;
    };
    const Case cases[] = {
        {"Temperature", "degrees-Kelvin-per-hour", "181", "-> degrees-Kelvin-per-hour"},
        {"Other", "per-mille", "207", "-> per-mille"},
        {"Electrical", "ohms-meters", "172", "-> ohm-meters"},
        {"Other", "megajoules-per-square-meter", "139", "-> megajoules-hours-per-square-meter"},
    };
    for (const Case& c : cases) {
        const auto got = Pick(QStringLiteral("62"), [&](TFBACnet_Eng_Unit* p) {
            EXPECT_EQ(p->Label5->Caption(), QStringLiteral("-> degrees-Celsius"));
            Choose(p, c.Category, c.Unit);
            // Choosing alone changes nothing.
            EXPECT_EQ(p->E_Selected_EU->Text(), QStringLiteral("62"));
            p->Btn_Select_Eng_Unit->Click();
            EXPECT_EQ(p->Label5->Caption(), QLatin1String(c.Label));
            p->Btn_OK->Click();
        });
        EXPECT_EQ(got, std::optional<QString>(QLatin1String(c.Code))) << c.Unit;
    }
}

TEST_F(BACnetEngUnitPicker, TemperatureThirdItem)
{
    const auto got = Pick(QString(), [&](TFBACnet_Eng_Unit* p) {
        EXPECT_EQ(p->Label5->Caption(), QStringLiteral("-> unknown"));
        p->CB_Select_Type->SetItemIndex(16);
        p->CB_Select_TypeSelect();
        EXPECT_EQ(p->CB_Select_Unit->ItemIndex(), 0);
        p->CB_Select_Unit->SetItemIndex(2);
        p->Btn_Select_Eng_Unit->Click();
        p->Btn_OK->Click();
    });
    EXPECT_EQ(got, std::optional<QString>(QStringLiteral("181")));
}

TEST_F(BACnetEngUnitPicker, OkWithoutSelectingAndCancel)
{
    EXPECT_EQ(Pick(QStringLiteral("300"), [](TFBACnet_Eng_Unit* p) {
                  EXPECT_EQ(p->Label5->Caption(), QStringLiteral("-> unknown"));
                  p->Btn_OK->Click();
              }),
              std::optional<QString>(QStringLiteral("300")));
    EXPECT_EQ(Pick(QStringLiteral("62"), [](TFBACnet_Eng_Unit* p) {
                  Choose(p, "Other", "per-mille");
                  p->Btn_Select_Eng_Unit->Click();
                  p->Btn_Cancel->Click();
              }),
              std::nullopt);
}

TEST_F(BACnetEngUnitPicker, CategoryStaysBetweenShowings)
{
    Pick(QStringLiteral("1"), [](TFBACnet_Eng_Unit* p) {
        Choose(p, "Pressure", "bars");
        p->Btn_Cancel->Click();
    });
    Pick(QStringLiteral("1"), [](TFBACnet_Eng_Unit* p) {
        EXPECT_EQ(p->CB_Select_Type->Items()->Strings(p->CB_Select_Type->ItemIndex()), QStringLiteral("Pressure"));
        EXPECT_EQ(p->CB_Select_Unit->Items()->Count(), 12);
        EXPECT_EQ(p->CB_Select_Unit->ItemIndex(), 0);
        EXPECT_TRUE(TestHarness::GrabToPng(p, TestHarness::GrabPath(QStringLiteral("bacnet-eng-unit.png"))));
        p->Btn_Cancel->Click();
    });
}
