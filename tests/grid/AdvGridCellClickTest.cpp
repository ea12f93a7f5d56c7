// Clicks on cell objects: the radio of a radio group chosen by the point
// of a press, and the radio and check-box mouse-up events of the release.

#include "AdvGridInputTestKit.h"
#include "AdvGridLook.h"

#include <gtest/gtest.h>

TEST(AdvGridCellClick, APressInAVerticalRadioGroupSelectsTheCaptionUnderIt)
{
    struct Case {
        const char* What;
        int Line2;     // the point's distance below the cell's top in half caption lines
        int Expected;  // the radio index after the press (the group starts at 0)
    };
    const Case cases[] = {
        {"first caption", 1, 0},
        {"second caption", 3, 1},
        {"third caption", 5, 2},
        {"on the line between two captions nothing", 2, 0},
    };
    for (const Case& c : cases) {
        InputFixture f;
        TInputGrid* g = f.Grid;
        g->SetRowHeights(2, 80);
        g->ControlLook()->SetRadioAlwaysActive(true);
        TStringList captions;
        captions.Add(QStringLiteral("one"));
        captions.Add(QStringLiteral("two"));
        captions.Add(QStringLiteral("three"));
        g->AddRadio(2, 2, 0, 0, &captions);
        g->Canvas()->Font()->Assign(g->Font());
        const int line = std::max(16, g->Canvas()->TextHeight(QStringLiteral("gh")));
        QStringList events;
        g->OnRadioClick = [&](TObject*, int col, int row, int idx) { events << QStringLiteral("click %1,%2 %3").arg(col).arg(row).arg(idx); };
        g->OnRadioMouseUp = [&](TObject*, int col, int row, int idx) { events << QStringLiteral("up %1,%2 %3").arg(col).arg(row).arg(idx); };
        const TRect r = g->CellRect(2, 2);
        const QPoint p(r.Left + 5, r.Top + c.Line2 * line / 2);
        f.Click(p);
        int idx = -5;
        EXPECT_TRUE(g->GetRadioIdx(2, 2, idx));
        EXPECT_EQ(idx, c.Expected) << c.What;
        QStringList expected;
        if (c.Line2 % 2) expected << QStringLiteral("click 2,2 %1").arg(c.Expected);
        expected << QStringLiteral("up 2,2 %1").arg(c.Expected);
        EXPECT_EQ(events, expected) << c.What;
        EXPECT_EQ(g->Col(), 2) << c.What;
        EXPECT_EQ(g->Row(), 2) << c.What;
    }
}

TEST(AdvGridCellClick, ARadioGroupThatCannotBeEditedIgnoresThePress)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetRowHeights(2, 80);
    TStringList captions;
    captions.Add(QStringLiteral("one"));
    captions.Add(QStringLiteral("two"));
    g->AddRadio(2, 2, 0, 0, &captions);
    int clicks = 0;
    g->OnRadioClick = [&](TObject*, int, int, int) { ++clicks; };
    const TRect r = g->CellRect(2, 2);
    f.Click(QPoint(r.Left + 5, r.Top + 24));
    int idx = -5;
    g->GetRadioIdx(2, 2, idx);
    EXPECT_EQ(idx, 0);
    EXPECT_EQ(clicks, 0);
}
