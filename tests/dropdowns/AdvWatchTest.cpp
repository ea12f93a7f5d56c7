// The analogue clock: geometry and hit zones, clicks, keys, the glide of
// the hands, the appearance's change notification, presets and schemes.

#include "AdvWatch.h"
#include "DateUtils.h"
#include "DropDownFixture.h"
#include "Messages.h"
#include "SysUtils.h"
#include "TestHarness.h"

namespace {

using Watch = DropDownTest;

QString HM(TDateTime t)
{
    return FormatDateTime(QStringLiteral("hh:nn"), t);
}

// Runs the glide to its end (bounded).
int RunGlide(TAdvWatch* w)
{
    int ticks = 0;
    while (w->Animating() && ticks < 200) {
        w->AnimationTimerTick();
        ++ticks;
    }
    return ticks;
}

TEST_F(Watch, GeometryAndHitZonesOfTheDefaultClock)
{
    auto* w = Add<TAdvWatch>(10, 10, 180, 180);
    EXPECT_EQ(w->GetFaceRect(), TRect(10, 10, 170, 170));
    EXPECT_EQ(w->GetCenterPoint(), TPoint(90, 90));
    EXPECT_EQ(w->GetRadius(), 80.0);
    const TRect b = w->GetAMPMRect();
    EXPECT_GT(b.Top, 90);
    EXPECT_EQ(b.Left + b.Width() / 2, 90);
    w->SetShowAMPM(false);
    EXPECT_EQ(w->GetAMPMRect(), TRect(-1, -1, -1, -1));

    struct Case {
        int x, y, minute, amHour;
    } cases[] = {
        {90, 90, 23, 5},   // the centre itself: dx and dy count as 1
        {90, 20, 0, 0},    // straight up
        {160, 90, 15, 3},  // right
        {90, 160, 30, 6},  // down
        {20, 90, 45, 9},   // left
        {35, 35, 53, 11},  // upper left: 7.5 goes to 8
        {145, 35, 7, 1},   // upper right
    };
    for (const Case& c : cases) {
        EXPECT_EQ(w->MinuteAtPoint(c.x, c.y), c.minute) << c.x << "," << c.y;
        EXPECT_EQ(w->HourAtPoint(c.x, c.y), c.amHour) << c.x << "," << c.y;
    }
    // In the afternoon half the hours shift by twelve, 12 o'clock is noon.
    w->SetTime(EncodeTime(15, 0, 0, 0));
    EXPECT_FALSE(w->IsAM());
    EXPECT_EQ(w->HourAtPoint(90, 20), 12);
    EXPECT_EQ(w->HourAtPoint(160, 90), 15);
}

TEST_F(Watch, ClicksSetMinuteHourAndHalfOfDay)
{
    auto* w = Add<TAdvWatch>(10, 10, 180, 180);
    ShowForm();
    w->SetAnimation(false);
    w->SetTime(EncodeTime(4, 10, 30, 0));
    int changes = 0;
    w->OnChange = [&](TObject*) { ++changes; };

    Click(w, TPoint(2, 178));  // a corner, outside the face: a minute
    EXPECT_EQ(HM(w->Time()), QStringLiteral("04:37"));
    Click(w, TPoint(160, 90));  // on the face at 3 o'clock: the hour
    EXPECT_EQ(HM(w->Time()), QStringLiteral("03:37"));
    EXPECT_EQ(changes, 0) << "direct changes report only on reaching the last target";
    const TRect b = w->GetAMPMRect();
    Click(w, TPoint(b.Left + 2, b.Top + 2));
    EXPECT_EQ(HM(w->Time()), QStringLiteral("15:37"));
    EXPECT_FALSE(w->IsAM());
    EXPECT_EQ(FormatDateTime(QStringLiteral("ss"), w->Time()), QStringLiteral("30")) << "seconds kept";

    // A running clock ignores the mouse.
    w->Settings()->SetAuto(true);
    const TDateTime before = w->Time();
    Click(w, TPoint(90, 20));
    EXPECT_EQ(w->Time(), before);
}

TEST_F(Watch, TheHalfOfDayBoxRollsOneRowPerFrameOnlyWhenAnimatedAndColoured)
{
    auto* w = Add<TAdvWatch>(10, 10, 180, 180);
    w->SetTime(EncodeTime(4, 10, 0, 0));
    ShowForm();
    const TRect b = w->GetAMPMRect();
    const int H = b.Height() - 2;
    const TPoint box(b.Left + 2, b.Top + 2);

    w->Appearance()->SetAMPMColor(clNone);
    Click(w, box);
    EXPECT_FALSE(w->Rolling()) << "no colour, no roll";
    Click(w, box);  // back to AM

    w->Appearance()->SetAMPMColor(RGBColor(0xFF, 0xE0, 0x80));
    Click(w, box);
    ASSERT_TRUE(w->Rolling());
    EXPECT_FALSE(w->IsAM());
    // The 10 ms timer may already have shown a frame or two while the click
    // was delivered: to PM the strip moves down from AM (offset 0) one row a
    // frame, H frames in all.
    EXPECT_EQ(w->RollOffset(), H - w->RollFramesLeft());
    EXPECT_LE(w->RollOffset(), 3);
    while (w->RollOffset() < H / 2) w->RollTimerTick();
    // A frame in the middle of the roll shows the strip's colour inside the box.
    const QImage mid = w->Widget()->grab().toImage();
    mid.save(TestHarness::GrabPath(QStringLiteral("watch-ampm-roll.png")));
    EXPECT_EQ(QColor(mid.pixel(b.Left + 2, b.Top + H / 2)).rgb() & 0xFFFFFF, 0xFFE080u);
    while (w->Rolling()) w->RollTimerTick();
    EXPECT_EQ(w->RollOffset(), H) << "ends on the PM half of the strip";

    Click(w, box);  // back to AM: from the PM half upward
    EXPECT_TRUE(w->IsAM());
    ASSERT_TRUE(w->Rolling());
    EXPECT_EQ(w->RollOffset(), w->RollFramesLeft());
    while (w->Rolling()) w->RollTimerTick();
    EXPECT_EQ(w->RollOffset(), 0);

    // A time set from outside changes the half without a roll.
    w->SetTime(EncodeTime(20, 0, 0, 0));
    EXPECT_FALSE(w->IsAM());
    EXPECT_FALSE(w->Rolling());
}

TEST_F(Watch, KeysStepHoursAndMinutes)
{
    auto* w = Add<TAdvWatch>(10, 10, 180, 180);
    w->SetAnimation(false);
    struct Case {
        int h, m;
        Word key;
        const char* expected;
    } cases[] = {
        {14, 5, 0x41, "02:05"}, {14, 5, 0x61, "02:05"}, {2, 5, 0x50, "14:05"}, {2, 5, 0x41, "02:05"},
        {23, 5, VK_PRIOR, "00:05"}, {0, 5, VK_NEXT, "23:05"}, {9, 5, VK_HOME, "12:05"}, {9, 5, VK_END, "09:00"},
        {0, 0, VK_LEFT, "23:59"}, {7, 30, VK_LEFT, "07:29"}, {7, 59, VK_RIGHT, "08:00"}, {7, 5, VK_UP, "07:05"},
    };
    for (const Case& c : cases) {
        w->SetTime(EncodeTime(c.h, c.m, 0, 0));
        w->HandleKey(c.key);
        EXPECT_EQ(HM(w->Time()), QString::fromLatin1(c.expected)) << c.h << ":" << c.m << " key " << c.key;
    }
}

TEST_F(Watch, GlidesReachTheTargetAndReportOnce)
{
    auto* w = Add<TAdvWatch>(10, 10, 180, 180);
    int changes = 0;
    w->OnChange = [&](TObject*) { ++changes; };
    struct Case {
        int h, m;
        bool minute;
        int target;
        const char* expected;
    } cases[] = {
        {10, 45, true, 0, "11:00"},  // forward through 12 o'clock: the hour advances once
        {10, 20, true, 0, "10:00"},  // backwards: the hour stays
        {10, 20, true, 50, "10:50"},
        {2, 20, false, 11, "11:20"},
        {20, 20, false, 1, "01:20"},
    };
    for (const Case& c : cases) {
        w->SetTime(EncodeTime(c.h, c.m, 0, 0));
        changes = 0;
        if (c.minute)
            w->SetMinute(uint8_t(c.target));
        else
            w->SetHour(uint8_t(c.target));
        EXPECT_TRUE(w->Animating());
        const int ticks = RunGlide(w);
        EXPECT_FALSE(w->Animating());
        EXPECT_GT(ticks, 1) << "a glide takes steps";
        EXPECT_EQ(HM(w->Time()), QString::fromLatin1(c.expected));
        EXPECT_EQ(changes, 1);
    }
    try {
        w->SetMinute(60);
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid time"));
    }
}

TEST_F(Watch, AppearanceNotifiesOnRealChanges)
{
    TWatchAppearance a, b;
    int n = 0;
    a.OnChange = [&](TObject*) { ++n; };
    a.SetBackgroundColor(a.BackgroundColor());
    EXPECT_EQ(n, 0);
    a.SetBackgroundColor(clRed);
    EXPECT_EQ(n, 1);
    TFont f;
    f.Assign(a.HourFont());
    a.SetHourFont(&f);
    EXPECT_EQ(n, 2) << "a font write always notifies";
    a.SetAMPMColor(clRed);
    EXPECT_EQ(n, 2);

    b.Assign(&a);
    b.SetBorderWidth(7);
    n = 0;
    a.Assign(&b);
    EXPECT_EQ(n, 0);
    EXPECT_EQ(a.BorderWidth(), 7);
    EXPECT_EQ(a.AMPMColor(), clRed);
    b.SetTickMarks(tmHours);
    a.Assign(&b);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(a.TickMarks(), tmHours);
}

TEST_F(Watch, StylePresetsAndColorSchemes)
{
    auto* w = Add<TAdvWatch>(10, 10, 180, 180);
    w->SetStyle(wsSuperNova);
    EXPECT_EQ(w->Appearance()->HourMarkLength(), 40);
    EXPECT_EQ(w->Appearance()->MinuteMarkLength(), 60);
    EXPECT_FALSE(w->ShowAMPM());
    w->SetStyle(wsSports);
    EXPECT_EQ(w->Appearance()->CenterPointSize(), 50);
    EXPECT_EQ(w->Appearance()->HourFont()->Name(), QStringLiteral("Times New Roman"));
    w->SetShowAMPM(false);
    w->SetStyle(wsTower);
    EXPECT_FALSE(w->ShowAMPM()) << "Tower leaves the box alone";
    EXPECT_EQ(w->Appearance()->AMPMColor(), RGBColor(0xFE, 0xF0, 0xB1)) << "= the background written before";
    EXPECT_EQ(w->Appearance()->BackgroundColorTo(), RGBColor(0xE8, 0xCC, 0x5B)) << "the later write wins";
    w->SetAnimationFactor(3);
    w->SetStyle(wsClassic);
    EXPECT_TRUE(w->ShowAMPM());
    EXPECT_EQ(w->AnimationFactor(), 10);
    EXPECT_TRUE(w->Appearance()->HourFont()->Style().Contains(fsBold));
    w->Appearance()->SetBorderWidth(9);
    w->SetStyle(wsClassic);
    EXPECT_EQ(w->Appearance()->BorderWidth(), 9) << "the same style again changes nothing";
    w->SetStyle(wsFluorescent);
    EXPECT_EQ(w->Appearance()->HourMarkStyle(), hmsQuartDblLine);
    EXPECT_EQ(w->Appearance()->Shape(), wsRoundRect);

    TWatchAppearance a;
    a.SetBackgroundColor(clRed);
    ApplyWatchColorScheme(a, TVisualStyle::tsCustom);
    EXPECT_EQ(a.BackgroundColor(), clRed);
    EXPECT_EQ(a.CenterPointOuterBorderColor(), clBlack);
    EXPECT_EQ(a.HourFont()->Color(), clBlack);
    ApplyWatchColorScheme(a, TVisualStyle::tsWindows7);
    EXPECT_EQ(a.BackgroundColor(), RGBColor(0xFA, 0xFB, 0xFD));
    EXPECT_EQ(a.BackgroundColorTo(), RGBColor(0xEB, 0xF3, 0xFD));
    EXPECT_EQ(a.MinutePointer(), RGBColor(0xB8, 0xD6, 0xFB));
    ApplyWatchColorScheme(a, TVisualStyle::tsOffice2007Obsidian);
    EXPECT_EQ(a.HourFont()->Color(), RGBColor(0xF0, 0xF1, 0xF2));
    EXPECT_EQ(a.BackgroundColorTo(), a.BackgroundColor());
}

TEST_F(Watch, PaintsFaceAndHands)
{
    auto* w = Add<TAdvWatch>(10, 10, 180, 180);
    w->SetAnimation(false);
    w->SetTime(EncodeTime(15, 0, 0, 0));  // hour hand to 3, minute hand up
    ShowForm();
    ASSERT_TRUE(TestHarness::GrabToPng(w, TestHarness::GrabPath(QStringLiteral("watch-classic.png"))));
    QImage img = w->Widget()->grab().toImage();
    // Minute hand straight up from the centre, hour hand to the right; the
    // lower left of the face stays white.
    EXPECT_EQ(QColor(img.pixel(90, 50)).rgb() & 0xFFFFFF, 0u);
    EXPECT_EQ(QColor(img.pixel(120, 90)).rgb() & 0xFFFFFF, 0u);
    EXPECT_EQ(QColor(img.pixel(60, 120)).rgb() & 0xFFFFFF, 0xFFFFFFu);

    // The face is cached between paints: a new time moves the hands over it,
    // and the box colour, a plain store that notifies nobody, still shows.
    w->SetTime(EncodeTime(21, 0, 0, 0));  // hour hand to 9
    w->Appearance()->SetAMPMColor(RGBColor(0x80, 0xFF, 0x80));
    const TRect box = w->GetAMPMRect();
    img = w->Widget()->grab().toImage();
    EXPECT_EQ(QColor(img.pixel(60, 90)).rgb() & 0xFFFFFF, 0u);
    EXPECT_EQ(QColor(img.pixel(120, 90)).rgb() & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(QColor(img.pixel(box.Left + 1, box.Top + 1)).rgb() & 0xFFFFFF, 0x80FF80u);
    for (TWatchStyle s : {wsTower, wsEmerald, wsBlueStar, wsSports}) {
        w->SetStyle(s);
        TestHarness::GrabToPng(w, TestHarness::GrabPath(QStringLiteral("watch-style-%1.png").arg(int(s))));
    }
}

}  // namespace
