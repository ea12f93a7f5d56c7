// A form with every editor control, grabbed to a PNG to look at.
#include "ASGEdit.h"
#include "AdvDateTimePicker.h"
#include "AsgDateTimePicker.h"
#include "AsgCombo.h"
#include "ClassesLists.h"
#include "EditorsFixture.h"
#include "TestHarness.h"
#include "asgspin.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QImage>

namespace {

using EditorsShowcase = EditorTest;

TEST_F(EditorsShowcase, AllEditorsOnOneForm)
{
    Form->SetBounds(10, 10, 520, 330);
    Form->SetColor(clBtnFace);
    auto combo = [&](int x, int y) {
        auto* c = Add<TAsgComboBox>(x, y, 140, 21);
        c->Items()->Add(QStringLiteral("Ethernet"));
        c->Items()->Add(QStringLiteral("Serial"));
        c->SetItemIndex(0);
        return c;
    };
    combo(100, 10);
    TAsgComboBox* flat = combo(100, 40);
    flat->SetFlat(true);
    flat->SetBorderColor(clNavy);
    flat->SetButtonColor(clSkyBlue);
    flat->SetButtonColorHot(clAqua);
    flat->SetButtonTextColor(clNavy);
    flat->SetButtonBorderColor(clNavy);
    TAsgComboBox* disabled = combo(100, 70);
    disabled->SetEnabled(false);
    TAsgComboBox* labelled = combo(100, 100);
    labelled->SetLabelPosition(lpLeftCenter);
    labelled->SetLabelCaption(QStringLiteral("Port:"));
    TAsgComboBox* top = combo(100, 150);
    top->SetLabelPosition(lpTopLeft);
    top->SetLabelCaption(QStringLiteral("Baud rate"));

    auto* integer = Add<TAsgSpinEdit>(300, 10, 100, 21);
    integer->SetValue(42);
    auto* real = Add<TAsgSpinEdit>(300, 40, 100, 21);
    real->SetSpinType(sptFloat);
    real->SetDirection(spHorizontal);
    real->SetSpinFlat(true);
    real->SetPrecision(2);
    real->SetFloatValue(3.25);
    auto* date = Add<TAsgSpinEdit>(300, 70, 100, 21);
    date->SetSpinType(sptDate);
    date->SetDateValue(EncodeDate(2024, 3, 15));
    auto* time = Add<TAsgSpinEdit>(300, 100, 100, 21);
    time->SetSpinType(sptTime);
    time->SetTimeValue(EncodeTime(10, 20, 30, 0));

    auto* btn = Add<TAsgEditBtn>(300, 140, 140, 21);
    btn->SetButtonCaption(QStringLiteral("..."));
    btn->SetText(QStringLiteral("C:/gateway"));
    auto* unit = Add<TAsgUnitEditBtn>(300, 170, 140, 21);
    TStringList units;
    units.Add(QStringLiteral("m"));
    units.Add(QStringLiteral("mm"));
    unit->SetUnits(&units);
    unit->SetTextAndUnit(QStringLiteral("12mm"));

    auto* metro = Add<TAsgDateTimePicker>(100, 200, 140, 21);
    metro->SetMetroStyle(true);
    metro->SetBorderColor(clNavy);
    metro->ButtonColors().Color = clSkyBlue;
    metro->ButtonColors().TextColor = clNavy;
    metro->ButtonColors().BorderColor = clNavy;
    metro->SetDateTime(EncodeDate(2024, 3, 15));
    auto* both = Add<TAdvDateTimePicker>(100, 240, 200, 21);
    both->SetLabelCaption(QStringLiteral("Start:"));
    both->SetLabelPosition(lpLeftCenter);
    both->SetDateTime(EncodeDate(2024, 3, 15) + EncodeTime(10, 20, 30, 0));
    auto* checked = Add<TAdvDateTimePicker>(100, 280, 200, 21);
    checked->SetShowCheckbox(true);
    checked->SetDateTime(EncodeDate(2024, 3, 15) + EncodeTime(10, 20, 30, 0));
    checked->SetChecked(false);
    checked->SetDateTime(EncodeDate(2024, 3, 15) + EncodeTime(10, 20, 30, 0));

    Form->Show();
    const QString path = TestHarness::GrabPath(QStringLiteral("editors.png"));
    ASSERT_TRUE(TestHarness::GrabToPng(Form, path));
    QImage img(path);
    EXPECT_FALSE(img.isNull());

    // The flat combo with its list open.
    flat->SetDroppedDown(true);
    QWidget* list = static_cast<QComboBox*>(flat->Widget())->view()->window();
    ASSERT_TRUE(TestHarness::GrabToPng(list, TestHarness::GrabPath(QStringLiteral("editors-dropped.png"))));
    EXPECT_TRUE(flat->DroppedDown());
    flat->SetDroppedDown(false);
}

}  // namespace
