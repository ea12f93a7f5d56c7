// The date pickers: format translation, the automatic advance and paint
// decisions as tables, the value of the date-and-time picker with its time
// part, the check box and the label.
#include "AdvDateTimePicker.h"
#include "AsgDateTimePicker.h"
#include "EditorsFixture.h"
#include "Names.h"
#include "StdCtrls.h"

#include <QApplication>
#include <QDateTimeEdit>

namespace {

class PickerTest : public EditorTest {};

TEST_F(PickerTest, FormatTranslation)
{
    const struct { const char* picker; const char* qt; } rows[] = {
        {"dd.MM.yyyy", "dd'.'MM'.'yyyy"},
        {"d/M/yy", "d'/'M'/'yy"},
        {"HH:mm:ss", "HH':'mm':'ss"},
        {"h:mm tt", "h':'mm' 'AP"},
        {"'Day' d", "'Day 'd"},
        {"dddd", "dddd"},
    };
    for (auto r : rows) EXPECT_EQ(PickerFormatToQt(QString::fromLatin1(r.picker)), QString::fromLatin1(r.qt)) << r.picker;
    EXPECT_EQ(DefaultPickerQtFormat(dtkDate), QStringLiteral("dd'.'MM'.'yyyy"));
    EXPECT_EQ(DefaultPickerQtFormat(dtkTime), QStringLiteral("HH':'mm':'ss"));
}

TEST_F(PickerTest, AutoTabRules)
{
    // Recorded and new hour, minute, second.
    EXPECT_FALSE(TimeAutoTabAdvances(1, 0, 0, 1, 0, 0));
    EXPECT_TRUE(TimeAutoTabAdvances(1, 0, 0, 2, 0, 0));
    EXPECT_TRUE(TimeAutoTabAdvances(1, 5, 0, 1, 6, 0));
    EXPECT_TRUE(TimeAutoTabAdvances(1, 5, 7, 1, 5, 8));

    // Format's last character x which field changed.
    const struct { const char* format; int y, m, d; TDateAutoTab action; } rows[] = {
        {"dd.MM.yyyy", 2025, 3, 15, datTimePart}, {"dd.MM.yyyy", 2024, 4, 15, datNextField},
        {"dd.MM.yyyy", 2024, 3, 16, datNextField}, {"yyyy-MM-dd", 2024, 3, 16, datTimePart},
        {"yyyy-MM-dd", 2025, 3, 15, datNextField}, {"MM/yyyy/dd", 2024, 4, 15, datNextField},
        {"yy-dd-MM", 2024, 4, 15, datTimePart},   {"", 2024, 3, 16, datNextField},
        {"", 2024, 4, 15, datNextField},           {"", 2025, 3, 15, datTimePart},
        {"dd.MM.yyyy", 2024, 3, 15, datStay},      {"", 2024, 3, 15, datStay},
    };
    for (auto r : rows)
        EXPECT_EQ(DateAutoTabAction(QString::fromLatin1(r.format), 2024, 3, 15, r.y, r.m, r.d), r.action)
            << r.format << " " << r.y << "-" << r.m << "-" << r.d;
}

TEST_F(PickerTest, TimePickerAdvancesByTheRuleOnly)
{
    Form->Show();
    auto* p = new TCustomDateTimePicker(Form);
    p->SetParent(Form);
    p->SetKind(dtkTime);
    p->SetFormat(QStringLiteral("HH:mm:ss"));
    p->SetAutoTab(true);
    p->SetFocus();
    // A digit records the time and posts the advance check; what the field
    // holds when the check runs decides.
    auto typeDigit = [&](QChar digit, TDateTime after) {
        p->SetTime(EncodeTime(1, 30, 0, 0));
        p->SetCurrentField(0);
        p->Perform(WM_CHAR, digit.unicode());
        p->SetTime(after);
        QApplication::processEvents();
        QApplication::processEvents();
        return p->CurrentField();
    };
    EXPECT_EQ(typeDigit(u'1', EncodeTime(1, 30, 0, 0)), 0);
    EXPECT_EQ(typeDigit(u'2', EncodeTime(2, 30, 0, 0)), 1);

    // Without AutoTab nothing moves on.
    p->SetAutoTab(false);
    EXPECT_EQ(typeDigit(u'2', EncodeTime(2, 30, 0, 0)), 0);
    EXPECT_EQ(RegisteredName(DTPShiftFocusMessage()), QStringLiteral("DTPShiftFocus"));
}

TEST_F(PickerTest, PaintDecisions)
{
    const TFlatPickerTraits asg{true, clNone, false, true, 15, false};
    const TFlatPickerTraits custom{false, 0, true, false, 4, true};
    // traits, MetroStyle, designing, suppressed -> Metro active
    EXPECT_TRUE(PickerMetroActive(asg, true, false, false));
    EXPECT_FALSE(PickerMetroActive(asg, true, true, false));
    EXPECT_FALSE(PickerMetroActive(custom, true, false, true));
    EXPECT_TRUE(PickerMetroActive(custom, true, false, false));
    EXPECT_FALSE(PickerMetroActive(custom, false, false, false));
    // Ctl3D, Metro, Vista -> own painting
    EXPECT_FALSE(PickerPaintsOwn(true, false, true));
    EXPECT_TRUE(PickerPaintsOwn(true, true, true));
    EXPECT_TRUE(PickerPaintsOwn(false, false, true));
    EXPECT_FALSE(PickerPaintsOwn(false, true, false));
    // Metro, suppressed, enabled, border, focus border -> own borders
    EXPECT_FALSE(PickerDrawsBorders(true, false, true, clNone, clNone));
    EXPECT_TRUE(PickerDrawsBorders(true, false, true, clRed, clNone));
    EXPECT_TRUE(PickerDrawsBorders(true, false, false, clNone, clNone));
    EXPECT_FALSE(PickerDrawsBorders(true, true, false, clRed, clNone));
    EXPECT_FALSE(PickerDrawsBorders(false, false, false, clRed, clNone));
    // Flat border: the library picker needs a border colour.
    EXPECT_FALSE(PickerDrawsFlatBorder(asg, false, clNone));
    EXPECT_TRUE(PickerDrawsFlatBorder(asg, false, clRed));
    EXPECT_TRUE(PickerDrawsFlatBorder(custom, false, clNone));
    EXPECT_FALSE(PickerDrawsFlatBorder(custom, true, clNone));
    // Pen colour.
    EXPECT_EQ(FlatBorderPenColor(pbsNone, true, clAqua, true, clRed), clAqua);
    EXPECT_EQ(FlatBorderPenColor(pbsSingle, true, clAqua, true, clRed), TColor(0x00B99D7F));
    EXPECT_EQ(FlatBorderPenColor(pbsSingle, true, clAqua, false, clRed), clRed);
    EXPECT_EQ(FlatBorderPenColor(pbsNone, false, clAqua, false, clRed), clRed);

    auto* a = new TAsgDateTimePicker(Form);
    EXPECT_TRUE(a->Ctl3D());
    EXPECT_EQ(a->BorderColor(), clNone);
    EXPECT_EQ(a->Version(), QStringLiteral("1.0.0.0"));
    EXPECT_EQ(a->ButtonWidth(), 19);
    auto* c = new TCustomDateTimePicker(Form);
    EXPECT_FALSE(c->Ctl3D());
    EXPECT_EQ(c->BorderColor(), TColor(0));
    c->SetMetroStyle(true);
    EXPECT_FALSE(c->MetroActive());
}

TEST_F(PickerTest, TimePartBoundsTable)
{
    const struct { TTimePartCase c; bool bevel; TRect expect; } rows[] = {
        {{false, true, true, true, false}, false, Bounds(200 - 71 - 21, -2, 71, 21)},
        {{true, false, true, true, false}, true, Bounds(200 - 71 - 4 - 23, -2, 71, 17)},
        {{true, true, false, true, false}, false, Bounds(200 - 71 - 23, -2, 71, 21)},
        {{true, true, true, false, false}, true, Bounds(200 - 71 - 4 - 21, 2, 71, 13)},
        {{true, true, true, true, true}, false, Bounds(200 - 71 - 21, 1, 71, 19)},
        {{true, true, true, true, false}, true, Bounds(200 - 71 - 4 - 34, 1, 71, 15)},
    };
    for (const auto& r : rows) EXPECT_EQ(TimePartBounds(200, 21, 40, r.bevel, r.c), r.expect);
}

TEST_F(PickerTest, DateAndTimeValues)
{
    auto* p = new TAdvDateTimePicker(Form);
    p->SetParent(Form);
    p->SetBounds(20, 20, 200, 21);
    ASSERT_NE(p->TimePicker(), nullptr);
    EXPECT_EQ(p->Kind(), dkDateTime);
    EXPECT_EQ(p->Version(), QStringLiteral("1.2.0.0"));
    const TDateTime day = EncodeDate(2024, 3, 15);
    p->SetDateTime(day + EncodeTime(12, 0, 1, 500));
    EXPECT_DOUBLE_EQ(p->DateTime(), day + EncodeTime(12, 0, 1, 0));
    p->SetDateTime(day + EncodeTime(12, 0, 1, 0));
    EXPECT_DOUBLE_EQ(p->DateTime(), day + EncodeTime(12, 0, 1, 0));

    p->SetDate(EncodeDate(2024, 5, 1));
    EXPECT_DOUBLE_EQ(p->DateTime(), EncodeDate(2024, 5, 1) + EncodeTime(12, 0, 1, 0));
    EXPECT_DOUBLE_EQ(p->Time(), EncodeTime(12, 0, 1, 0));

    p->SetKind(dkDate);
    EXPECT_EQ(p->TimePicker(), nullptr);
    EXPECT_DOUBLE_EQ(p->DateTime(), EncodeDate(2024, 5, 1) + EncodeTime(12, 0, 1, 0));
}

TEST_F(PickerTest, KindSwitchInsideTheTimeChangeRunsClean)
{
    Form->Show();
    auto* p = new TAdvDateTimePicker(Form);
    p->SetParent(Form);
    p->SetBounds(20, 20, 200, 21);
    ASSERT_NE(p->TimePicker(), nullptr);
    int changes = 0;
    p->OnTimeChange = [&](TObject*) {
        ++changes;
        p->SetKind(dkDate);
    };
    auto* edit = static_cast<QDateTimeEdit*>(p->TimePicker()->Widget());
    edit->setTime(QTime(5, 6, 7));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(p->TimePicker(), nullptr);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(PickerTest, CheckBoxDrivesTheTimePart)
{
    auto* p = new TAdvDateTimePicker(Form);
    p->SetParent(Form);
    p->SetBounds(20, 20, 200, 21);
    p->SetShowCheckbox(true);
    int downs = 0, ups = 0;
    p->OnDropDown = [&](TObject*) { ++downs; };
    p->OnCloseUp = [&](TObject*) { ++ups; };
    p->SetChecked(false);
    p->SetDateTime(EncodeDate(2024, 1, 2));
    EXPECT_FALSE(p->TimePicker()->Enabled());
    p->SetChecked(true);
    p->SetDateTime(EncodeDate(2024, 1, 2));
    EXPECT_TRUE(p->TimePicker()->Enabled());
    p->SetNoValue();
    EXPECT_FALSE(p->TimePicker()->Enabled());

    Form->Show();
    p->SetDroppedDown(true);
    p->SetDroppedDown(false);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
}

TEST_F(PickerTest, LabelClicks)
{
    auto* p = new TAdvDateTimePicker(Form);
    p->SetParent(Form);
    p->SetBounds(120, 20, 200, 21);
    p->SetLabelCaption(QStringLiteral("Date"));
    ASSERT_NE(p->PickerLabel(), nullptr);
    int clicks = 0, doubles = 0;
    p->OnLabelClick = [&](TObject* s) {
        EXPECT_EQ(s, p);
        ++clicks;
    };
    p->OnLabelDblClick = [&](TObject*) { ++doubles; };
    Form->Show();
    Input::DoubleClick(p->PickerLabel());
    EXPECT_GE(clicks, 1);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(p->PickerLabel()->Top(), 20);
}

}  // namespace
