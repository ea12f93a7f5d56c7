// The header and footer bar appearances and their buttons: values after
// construction, which changes notify, and what Assign and AssignColors copy.

#include "AdvDropDownAppearance.h"
#include "PropertyChecks.h"

#include <gtest/gtest.h>

using PropertyChecks::Printable;
using PropertyChecks::TMaker;

namespace {

template <class T>
TMaker AppearanceMaker()
{
    return [] { return std::shared_ptr<TPersistent>(std::make_shared<T>(nullptr)); };
}

template <class TButtons>
TMaker ButtonMaker()
{
    return [] {
        auto buttons = std::make_shared<TButtons>(nullptr);
        return std::shared_ptr<TPersistent>(buttons, buttons->Add());
    };
}

const QStringList AppearanceCommon = {"Color=clSilver", "ColorTo=clWhite", "Caption=\"\""};
const QStringList AppearanceRest = {"GradientDirection=gdVertical", "Visible=true", "Height=22",
                                    "BorderColor=clBlack", "BorderWidth=1", "ImageIndex=-1",
                                    "ButtonAlignment=baRight", "Buttons=Items()"};
const QStringList ButtonCommon = {"Caption=\"\"", "ImageIndex=-1", "Enabled=true", "Width=0", "Height=0"};

struct TAppearanceCase {
    const char* Name;
    TMaker Make;
    TMaker Foreign;
    QStringList Defaults;
    bool ForeignRaises;
};

std::vector<TAppearanceCase> AppearanceCases()
{
    return {
        {"THeaderAppearance", AppearanceMaker<THeaderAppearance>(), AppearanceMaker<TFooterAppearance>(),
         AppearanceCommon + QStringList{"Font=Font(Tahoma,-11,0,clWindowText)"} + AppearanceRest, false},
        {"TFooterAppearance", AppearanceMaker<TFooterAppearance>(), AppearanceMaker<THeaderAppearance>(),
         AppearanceCommon + QStringList{"Font=Font(DejaVu Sans,-11,0,clWindowText)"} + AppearanceRest +
             QStringList{"SizeGrip=true"},
         false},
        {"THeaderButton", ButtonMaker<THeaderButtons>(), ButtonMaker<TFooterButtons>(), ButtonCommon, true},
        {"TFooterButton", ButtonMaker<TFooterButtons>(), ButtonMaker<THeaderButtons>(),
         ButtonCommon + QStringList{"ModalResult=0"}, true},
    };
}

}  // namespace

TEST(DropDownAppearance, ValuesAfterConstruction)
{
    for (const TAppearanceCase& c : AppearanceCases()) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(Printable(PropertyChecks::Values(c.Make().get())), Printable(c.Defaults));
    }
}

TEST(DropDownAppearance, AssignCopiesEverythingFromItsOwnClassOnly)
{
    for (const TAppearanceCase& c : AppearanceCases()) {
        SCOPED_TRACE(c.Name);
        PropertyChecks::ExpectAssignEach(c.Make, {});

        auto target = c.Make();
        auto other = c.Foreign();
        PropertyChecks::Change(other.get(), 0);
        const QStringList before = PropertyChecks::Values(target.get());
        if (c.ForeignRaises) {
            EXPECT_THROW(target->Assign(other.get()), EConvertError);
            EXPECT_THROW(target->Assign(nullptr), EConvertError);
        } else {
            EXPECT_NO_THROW(target->Assign(other.get()));
            EXPECT_NO_THROW(target->Assign(nullptr));
        }
        EXPECT_EQ(Printable(PropertyChecks::Values(target.get())), Printable(before));
    }
}

TEST(DropDownAppearance, EveryPropertyTravelsThroughTheList)
{
    for (const TAppearanceCase& c : AppearanceCases()) {
        SCOPED_TRACE(c.Name);
        PropertyChecks::ExpectListRoundTrip(c.Make);
    }
}

TEST(DropDownAppearance, OnlyVisibleAndTheButtonsNotify)
{
    TComponent owner;
    THeaderAppearance a(&owner);
    int changes = 0, buttonChanges = 0;
    a.OnChange = [&](TObject* s) { changes += s == &a; };
    a.OnButtonsChanged = [&](TObject* s) { buttonChanges += s == &a; };

    a.SetVisible(true);
    a.SetColor(clRed);
    a.SetHeight(30);
    a.SetCaption("x");
    EXPECT_EQ(changes, 0);
    a.SetVisible(false);
    a.SetVisible(false);
    EXPECT_EQ(changes, 1);

    // Adding, deleting and the silent properties fire nothing; Caption,
    // Enabled and Width do when they change.
    THeaderButton* b = a.Buttons()->Add();
    a.Buttons()->Insert(0);
    a.Buttons()->Delete(0);
    b->SetHeight(12);
    b->SetImageIndex(3);
    b->SetCaption("");
    b->SetEnabled(true);
    b->SetWidth(0);
    EXPECT_EQ(buttonChanges, 0);
    b->SetCaption("OK");
    b->SetEnabled(false);
    b->SetWidth(40);
    EXPECT_EQ(buttonChanges, 3);

    // The collections answer the appearance's owner.
    EXPECT_EQ(a.GetOwner(), &owner);
    EXPECT_EQ(a.Buttons()->GetOwner(), &owner);
    TFooterAppearance f(&owner);
    EXPECT_EQ(f.Buttons()->GetOwner(), &owner);
    EXPECT_EQ(f.Buttons()->Add()->ModalResult(), mrNone);
}

TEST(DropDownAppearance, AssignSetsVisibleAfterTheLookAndBeforeTheButtons)
{
    TFooterAppearance src(nullptr), dst(nullptr);
    src.SetHeight(40);
    src.SetSizeGrip(false);
    src.SetVisible(false);
    src.SetButtonAlignment(baLeft);
    src.Buttons()->Add()->SetCaption("Close");

    // What the target holds when Visible tells it changed.
    int seenHeight = 0, seenButtons = -1;
    bool seenSizeGrip = true;
    TButtonAlignment seenAlignment = baLeft;
    dst.OnChange = [&](TObject*) {
        seenHeight = dst.Height();
        seenSizeGrip = dst.SizeGrip();
        seenAlignment = dst.ButtonAlignment();
        seenButtons = dst.Buttons()->Count();
    };
    int buttonChanges = 0;
    dst.OnButtonsChanged = [&](TObject*) { ++buttonChanges; };
    dst.Assign(&src);
    EXPECT_EQ(seenHeight, 40);
    EXPECT_FALSE(seenSizeGrip);
    EXPECT_EQ(seenAlignment, baRight);
    EXPECT_EQ(seenButtons, 0);
    EXPECT_EQ(dst.ButtonAlignment(), baLeft);
    ASSERT_EQ(dst.Buttons()->Count(), 1);
    EXPECT_EQ(dst.Buttons()->Items(0)->Caption(), "Close");
    EXPECT_EQ(buttonChanges, 0);

    // The buttons are copies.
    src.Buttons()->Items(0)->SetCaption("Changed");
    EXPECT_EQ(dst.Buttons()->Items(0)->Caption(), "Close");

    // An unchanged Visible tells nothing.
    seenHeight = 0;
    dst.Assign(&src);
    EXPECT_EQ(seenHeight, 0);
}

TEST(DropDownAppearance, AssignColorsCopiesTheColoursTheFontAndTheDirectionOnly)
{
    THeaderAppearance src(nullptr), dst(nullptr);
    src.SetColor(clRed);
    src.SetColorTo(clNone);
    src.SetBorderColor(clBlue);
    src.Font()->SetName("Courier New");
    src.SetGradientDirection(gdHorizontal);
    src.SetCaption("caption");
    src.SetHeight(40);
    src.SetBorderWidth(3);
    src.SetImageIndex(2);
    src.SetVisible(false);
    src.Buttons()->Add();

    dst.AssignColors(&src);
    EXPECT_EQ(dst.Color(), clRed);
    EXPECT_EQ(dst.ColorTo(), clNone);
    EXPECT_EQ(dst.BorderColor(), clBlue);
    EXPECT_EQ(dst.Font()->Name(), "Courier New");
    EXPECT_EQ(dst.GradientDirection(), gdHorizontal);
    EXPECT_EQ(dst.Caption(), "");
    EXPECT_EQ(dst.Height(), 22);
    EXPECT_EQ(dst.BorderWidth(), 1);
    EXPECT_EQ(dst.ImageIndex(), -1);
    EXPECT_TRUE(dst.Visible());
    EXPECT_EQ(dst.Buttons()->Count(), 0);

    TFooterAppearance footer(nullptr);
    footer.AssignColors(&src);
    dst.AssignColors(&footer);
    EXPECT_EQ(footer.Color(), clSilver);
    EXPECT_EQ(dst.Color(), clRed);
}

namespace {

// The bar buttons' appearance.

TEST(DropDownButtonAppearance, ValuesAfterConstruction)
{
    TAdvButtonAppearance a;
    EXPECT_EQ(a.BorderColor(), clNone);
    EXPECT_EQ(a.BorderColorHot(), clGray);
    EXPECT_EQ(a.BorderColorDown(), clNavy);
    EXPECT_EQ(a.BorderColorDisabled(), clGray);
    EXPECT_EQ(a.BorderColorChecked(), clBlue);
    EXPECT_EQ(a.Color(), clNone);
    EXPECT_EQ(a.ColorTo(), clNone);
    EXPECT_EQ(a.ColorDisabled(), 15921906);
    EXPECT_EQ(a.ColorDisabledTo(), clNone);
    EXPECT_EQ(a.ColorDown(), 16111818);
    EXPECT_EQ(a.ColorDownTo(), 16367008);
    EXPECT_EQ(a.ColorHot(), 16117985);
    EXPECT_EQ(a.ColorHotTo(), 16372402);
    // The checked colours are the hot ones darkened by 10 % red and green.
    EXPECT_EQ(a.ColorChecked(), 16111818);
    EXPECT_EQ(a.ColorCheckedTo(), 16367008);
    EXPECT_EQ(a.Font()->Name(), QStringLiteral("Tahoma"));
    EXPECT_EQ(a.Gradient(), gdVertical);
}

TEST(DropDownButtonAppearance, SettersNotifyOnAChangeOnlyAndAssignGoesThroughThemInOrder)
{
    TAdvButtonAppearance a, b;
    int changes = 0;
    a.OnChange = [&](TObject*) { ++changes; };
    a.SetColorHot(a.ColorHot());
    a.SetGradient(gdVertical);
    EXPECT_EQ(changes, 0);
    a.SetColorHot(clRed);
    a.SetGradient(gdHorizontal);
    a.SetFont(b.Font());
    EXPECT_EQ(changes, 2) << "the font is copied without a notification";

    // Two differences: two notifications; the font stays.
    b.SetColor(clYellow);
    b.SetBorderColorChecked(clLime);
    b.SetColorHot(clRed);
    b.SetGradient(gdHorizontal);
    b.Font()->SetName(QStringLiteral("Courier"));
    QList<TColor> seen;
    changes = 0;
    a.OnChange = [&](TObject*) {
        ++changes;
        seen << a.Color() << a.BorderColorChecked();
    };
    a.Assign(&b);
    EXPECT_EQ(changes, 2);
    // Color comes first, BorderColorChecked later.
    EXPECT_EQ(seen, QList<TColor>({clYellow, clBlue, clYellow, clLime}));
    EXPECT_EQ(a.Font()->Name(), QStringLiteral("Tahoma"));
    THeaderAppearance other(nullptr);
    EXPECT_THROW(a.Assign(&other), EConvertError);
}

}  // namespace
