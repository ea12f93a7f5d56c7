// The time-picker drop-down: time <-> text, stepping fields with the keys,
// typed text, and the clock in the pop-up with OK and cancel.

#include "AdvTimePickerDropDown.h"
#include "DateUtils.h"
#include "DropDownFixture.h"
#include "TestHarness.h"

namespace {

using TimePicker = DropDownTest;

QString HMS(TDateTime t)
{
    return FormatDateTime(QStringLiteral("hh:nn:ss"), t);
}

TEST_F(TimePicker, TimeToTextAndShowSeconds)
{
    auto* d = Add<TAdvTimePickerDropDown>(20, 20);
    EXPECT_EQ(d->Text(), QStringLiteral("00:00:00"));
    int changes = 0;
    d->OnTimeChange = [&](TObject*) { ++changes; };
    d->SetTime(EncodeTime(10, 30, 45, 0));
    EXPECT_EQ(d->Text(), QStringLiteral("10:30:45"));
    EXPECT_EQ(changes, 0) << "setting the time directly reports nothing";
    d->SetShowSeconds(false);
    EXPECT_EQ(d->Text(), QStringLiteral("10:30"));
    EXPECT_EQ(HMS(d->Time()), QStringLiteral("10:30:00"));
    d->SetShowSeconds(true);
    EXPECT_EQ(d->Text(), QStringLiteral("10:30:00"));
}

TEST_F(TimePicker, UpAndDownStepTheFieldUnderTheCaret)
{
    auto* d = Focused<TAdvTimePickerDropDown>();
    d->SetEditorEnabled(true);
    d->SetTime(EncodeTime(0, 59, 0, 0) + 3);  // a date part that stepping drops
    int changes = 0;
    d->OnTimeChange = [&](TObject*) { ++changes; };
    struct Case {
        int caret;
        Qt::Key key;
        const char* expected;
    } cases[] = {
        {1, Qt::Key_Up, "23:59:00"},   {1, Qt::Key_Down, "00:59:00"}, {1, Qt::Key_Down, "01:59:00"},
        {3, Qt::Key_Down, "01:00:00"}, {3, Qt::Key_Up, "01:59:00"},   {6, Qt::Key_Up, "01:59:59"},
        {6, Qt::Key_Down, "01:59:00"},
    };
    int n = 0;
    for (const Case& c : cases) {
        d->SetSelStart(c.caret);
        Key(d, c.key);
        EXPECT_EQ(d->Text(), QString::fromLatin1(c.expected)) << c.caret;
        EXPECT_EQ(d->SelStart(), c.caret);
        EXPECT_EQ(++n, changes);
    }
    EXPECT_LT(d->Time(), 1.0) << "the date part is dropped";
}

TEST_F(TimePicker, TypedTextSetsTheTime)
{
    auto* d = Focused<TAdvTimePickerDropDown>();
    d->SetEditorEnabled(true);
    d->SetShowSeconds(false);
    struct Case {
        const char* text;
        const char* expected;
    } cases[] = {{"12:34", "12:34:00"}, {"07:05", "07:05:00"}, {"25:00", "07:05:00"}};
    for (const Case& c : cases) {
        d->SetSelStart(0);
        Type(d, QString::fromLatin1(c.text).remove(u':'));
        EXPECT_EQ(HMS(d->Time()), QString::fromLatin1(c.expected)) << c.text;
    }
}

TEST_F(TimePicker, ClockInThePopUpWithOkAndCancel)
{
    auto* d = Focused<TAdvTimePickerDropDown>();
    d->SetAnimation(false);
    d->WatchAppearance()->SetBackgroundColor(RGBColor(0xF0, 0xF8, 0xFF));
    d->SetTime(EncodeTime(9, 15, 0, 0));
    d->ShowDropDown();
    TAdvWatch* w = d->Watch();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(d->DroppedDown());
    EXPECT_EQ(HMS(w->Time()), QStringLiteral("09:15:00"));
    EXPECT_EQ(w->Appearance()->BackgroundColor(), RGBColor(0xF0, 0xF8, 0xFF)) << "copied on opening";
    TestHarness::GrabToPng(d->DropDownForm(), TestHarness::GrabPath(QStringLiteral("time-picker-open.png")));

    // PageUp reaches the clock, not the edit.
    Key(d->DropDownForm(), Qt::Key_PageUp);
    EXPECT_EQ(HMS(w->Time()), QStringLiteral("10:15:00"));
    d->HideDropDown(false);
    EXPECT_EQ(HMS(d->Time()), QStringLiteral("10:15:00"));
    EXPECT_EQ(d->Text(), QStringLiteral("10:15:00"));

    // A cancel puts the clock back to the editor's time.
    d->ShowDropDown();
    w->SetShowAMPM(true);
    w->OnChange = nullptr;  // the clock does not report this change
    w->SetTime(EncodeTime(11, 0, 0, 0));
    d->HideDropDown(true);
    EXPECT_EQ(HMS(d->Time()), QStringLiteral("10:15:00"));
    EXPECT_EQ(HMS(w->Time()), QStringLiteral("10:15:00"));
}

}  // namespace
