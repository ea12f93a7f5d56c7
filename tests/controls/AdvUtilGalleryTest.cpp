// Every cell painter side by side on one picture, for a look (the picture
// goes to the test's folder, or to $CALYPTOR_GRAB_DIR when set).
#include "AdvUtilPaint.h"
#include "AdvXPVS.h"
#include "TestHarness.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

TEST(AdvUtilGallery, AllPainters)
{
    AdvXPVS::InitThemeLibrary();
    TBitmap bmp(640, 360);
    TCanvas* c = bmp.Canvas();
    FillRectColor(c, TRect(0, 0, 640, 360), clWhite);
    // Row 1: gradients both ways, a mirror gradient, the four frame kinds.
    DrawGradient(c, clBlue, clWhite, true, TRect(5, 5, 85, 25), 64);
    DrawGradient(c, clRed, clYellow, false, TRect(90, 5, 170, 25), 64);
    DrawMirrorGradient(c, TRect(175, 5, 255, 25), 0xF5D9C2, 0xE8B894, 0xDBA06B, 0xF5E3D2, true, false, clNavy, true);
    for (int kind = 0; kind < 4; ++kind)
        DrawGradientButtonFrame(c, TRect(260 + kind * 90, 5, 345 + kind * 90, 27), kind, 0xF5D9C2, 0xE8B894, 0xDBA06B,
                                0xF5E3D2, 0x8B5A3B, clWhite, 0xE0C0A0, 0xB09080, 0x806050);
    // Rows 2-5: combo, push and spin buttons in the four kinds and states.
    TColorTones tones;
    tones.Background = {0xF0E0D0, 0x906040, clBlack};
    tones.Hover = {0xA0E0FF, 0x906040, clBlack};
    tones.Selected = {0x60A0F0, 0x906040, clBlack};
    tones.Disabled = {clSilver, clGray, clGray};
    for (int kind = 0; kind < 4; ++kind)
        for (int state = 0; state < 4; ++state) {
            const int x = 5 + state * 155, y = 35 + kind * 24;
            c->Brush()->SetColor(clBlack);
            c->FrameRect(TRect(x, y, x + 150, y + 21));
            DrawComboButton(c, nullptr, TRect(x, y, x + 50, y + 21), tones, state, kind);
            DrawThemedButton(c, nullptr, TRect(x + 55, y + 1, x + 100, y + 20), tones, state, kind);
            DrawSpinButtons(c, nullptr, TRect(x + 105, y + 1, x + 150, y + 21), tones, state, kind);
        }
    // Row 6: progress bars (classic, smooth levels, stacked, blocks), a pie,
    // range indicators with a negative and a positive value.
    DrawProgressBar(c, TRect(5, 140, 125, 160), clLime, false, clBlack, QStringLiteral("%d items"), 10, 0, 2, 2, 7.6,
                    clBlack, clWhite, clBlack);
    TProgressLevels lv;
    lv.ShowBorder = true;
    lv.Level0ColorTo = 0xC0FFC0;
    lv.Level1ColorTo = 0xC0FFFF;
    lv.Level3ColorTo = 0xC0C0FF;
    DrawLevelProgressBar(c, TRect(130, 140, 250, 160), 80, lv);
    lv.Stacked = true;
    DrawLevelProgressBar(c, TRect(255, 140, 375, 160), 95, lv);
    lv.Stacked = false;
    lv.CompletionSmooth = false;
    DrawLevelProgressBar(c, TRect(380, 140, 500, 160), 45, lv);
    lv.Vertical = true;
    lv.CompletionSmooth = true;
    DrawLevelProgressBar(c, TRect(505, 120, 525, 200), 60, lv);
    DrawProgressPie(c, TRect(535, 130, 565, 160), clLime, false, 30);
    DrawRangeIndicator(c, TRect(5, 170, 125, 190), -40, clGreen, clRed, true, 100);
    DrawRangeIndicator(c, TRect(130, 170, 250, 190), 70, clGreen, clRed, true, 100);
    // Row 7: the 19 shapes.
    for (int s = csRectangle; s <= csHalfStar; ++s)
        DrawCellShape(c, 5 + s * 32, 210, clNavy, 0xFFC080, TCellShape(s), 24, 28);
    // Row 8: error underline, drop triangle, node glyphs.
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    c->TextOut(8, 261, QStringLiteral("Ths text has an eror"));
    DrawErrorUnderline(nullptr, c, QStringLiteral("Ths text has an eror"), 3, 0, 14, TRect(5, 260, 200, 280));
    DrawErrorUnderline(nullptr, c, QStringLiteral("Ths text has an eror"), 4, 16, 14, TRect(5, 260, 200, 280));
    DrawDropTriangle(c, 220, 265, clBlack);
    int x = 240;
    for (const char* g : {"ASGLEAFCLOSE", "ASGLEAFOPEN", "XPNODEC", "XPNODEO"}) {
        DrawResourceBitmap(c, clWhite, TRect(x, 262, x + 11, 273), QString::fromLatin1(g));
        x += 16;
    }
    AdvXPVS::FreeThemeLibrary();

    const QImage img = bmp.Image();
    EXPECT_EQ(img.pixelColor(5, 15), QColor(0, 0, 255));  // the gradient starts blue
    EXPECT_TRUE(img.save(TestHarness::GrabPath(QStringLiteral("gallery.png"))));
}

}  // namespace
