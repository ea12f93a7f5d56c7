// The calculator and the four colour pickers on one form, and each pop-up
// opened once with a marked-up header caption and a footer with OK, Cancel
// and the size grip, grabbed to PNG files to look at.
#include "AdvCalculatorDropdown.h"
#include "AdvColorPickerDropDown.h"
#include "AdvDropDownBars.h"
#include "DropDownFixture.h"
#include "TestHarness.h"

namespace {

using EditorsShowcase = DropDownTest;

void WithBars(TAdvCustomDropDown* d, const QString& caption)
{
    d->DropDownHeader()->SetVisible(true);
    d->DropDownHeader()->SetCaption(caption);
    d->DropDownFooter()->SetVisible(true);
    auto* ok = d->DropDownFooter()->Buttons()->Add();
    ok->SetCaption(QStringLiteral("OK"));
    ok->SetModalResult(mrOk);
    auto* cancel = d->DropDownFooter()->Buttons()->Add();
    cancel->SetCaption(QStringLiteral("Cancel"));
    cancel->SetModalResult(mrCancel);
}

TEST_F(EditorsShowcase, EveryEditorOpenOnce)
{
    Form->SetBounds(100, 100, 420, 240);
    auto* calc = Add<TAdvCalculatorDropdown>(20, 20);
    calc->SetFloatValue(42);
    WithBars(calc, QStringLiteral("<b>Calculator</b> <font color=\"clNavy\">pad</font>"));
    const TColorSelectionStyle styles[] = {csList, csDiscrete, csColorCube, csSpectrum};
    const char* names[] = {"list", "palette", "cube", "spectrum"};
    TAdvColorPickerDropDown* pickers[4];
    for (int i = 0; i < 4; ++i) {
        auto* p = Add<TAdvColorPickerDropDown>(20, 50 + 30 * i);
        p->SetColorSelectionStyle(styles[i]);
        p->AddDefaultColors();
        p->SetSelectedColor(TColor(0x008000 >> (i * 2)));
        p->SetColorValueText(cvtHTML);
        WithBars(p, QStringLiteral("<b>Colour</b> <i>%1</i>").arg(QString::fromLatin1(names[i])));
        pickers[i] = p;
    }
    ShowForm();
    pickers[0]->SetFocus();
    QApplication::processEvents();
    EXPECT_TRUE(TestHarness::GrabToPng(Form, TestHarness::GrabPath(QStringLiteral("editors-form.png"))));

    calc->SetFocus();
    calc->ShowDropDown();
    ASSERT_TRUE(calc->DroppedDown());
    EXPECT_TRUE(calc->DropDownForm()->Footer()->SizeGripVisible());
    EXPECT_TRUE(TestHarness::GrabToPng(calc->DropDownForm(),
                                       TestHarness::GrabPath(QStringLiteral("editors-calculator-bars.png"))));
    calc->HideDropDown(true);
    for (int i = 0; i < 4; ++i) {
        pickers[i]->SetFocus();
        pickers[i]->ShowDropDown();
        ASSERT_TRUE(pickers[i]->DroppedDown()) << names[i];
        EXPECT_TRUE(TestHarness::GrabToPng(
            pickers[i]->DropDownForm(),
            TestHarness::GrabPath(QStringLiteral("editors-color-%1.png").arg(QString::fromLatin1(names[i])))));
        pickers[i]->HideDropDown(true);
    }
}

}  // namespace
