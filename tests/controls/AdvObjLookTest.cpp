// A picture of the footer controls, the arrows and the focus glow, to look
// at: set CALYPTOR_GRAB_DIR to keep "advobj_look.png" there.

#include "AdvObjButton.h"
#include "AdvObjCheckBox.h"
#include "AdvObjPopup.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "TestHarness.h"

#include "../platform/ControlsTestKit.h"

#include <QDir>
#include <QPainter>
#include <gtest/gtest.h>

TEST(AdvObjLook, FooterControlsArrowsAndGlow)
{
    auto* form = Create<TForm>(nullptr);
    form->SetBounds(0, 0, 420, 330);
    form->SetColor(clBtnFace);

    TBitmap glyph;
    {
        QImage img(12, 12, QImage::Format_RGB32);
        img.fill(qRgb(255, 0, 255));
        QPainter p(&img);
        p.setBrush(QColor(20, 90, 200));
        p.setPen(Qt::NoPen);
        p.drawEllipse(1, 1, 9, 9);
        p.end();
        glyph.SetImage(img);
    }

    // Seven looks in rows; columns: normal, hot, down, checked, disabled.
    std::vector<TAdvGridButton*> pressed;
    for (int look = 0; look <= 6; ++look) {
        for (int face = 0; face < 5; ++face) {
            auto* b = new TAdvGridButton(form);
            b->SetParent(form);
            b->SetBounds(8 + face * 62, 8 + look * 26, 58, 22);
            b->SetLook(look);
            b->SetCaption(QStringLiteral("Look %1").arg(look));
            switch (face) {
            case 1: b->Perform(CM_MOUSEENTER); break;
            case 2: pressed.push_back(b); break;
            case 3:
                b->SetStyle(tasCheck);
                b->SetDown(true);
                break;
            case 4: b->SetEnabled(false); break;
            default: break;
            }
        }
    }
    form->Show();

    auto* withGlyph = new TAdvGridButton(form);
    withGlyph->SetParent(form);
    withGlyph->SetBounds(8, 196, 80, 22);
    withGlyph->SetLook(1);
    withGlyph->SetCaption("Find");
    withGlyph->SetGlyph(&glyph);
    withGlyph->Perform(CM_MOUSEENTER);

    auto* dropDown = new TAdvGridButton(form);
    dropDown->SetParent(form);
    dropDown->SetBounds(96, 196, 80, 22);
    dropDown->SetLook(2);
    dropDown->SetCaption("Menu");
    dropDown->SetDropDownButton(true);
    dropDown->Perform(CM_MOUSEENTER);

    auto* plain = new TAdvGridButton(form);
    plain->SetParent(form);
    plain->SetBounds(184, 196, 80, 22);
    plain->SetFlat(false);
    plain->SetCaption("Classic");

    const std::vector<std::pair<QString, std::function<void(TAdvCheckBox*)>>> boxes = {
        {"Unchecked", [](TAdvCheckBox*) {}},
        {"Checked", [](TAdvCheckBox* b) { b->SetChecked(true); }},
        {"Grayed", [](TAdvCheckBox* b) { b->SetState(cbGrayed); }},
        {"Disabled", [](TAdvCheckBox* b) { b->SetChecked(true); b->SetEnabled(false); }},
        {"Right aligned", [](TAdvCheckBox* b) { b->SetAlignment(taRightJustify); }},
    };
    for (size_t i = 0; i < boxes.size(); ++i) {
        auto* b = new TAdvCheckBox(form);
        b->SetParent(form);
        b->SetBounds(8 + int(i % 3) * 130, 226 + int(i / 3) * 24, 120, 20);
        b->SetCaption(boxes[i].first);
        boxes[i].second(b);
    }
    auto* panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(268, 250, 140, 30);
    panel->SetColor(TColor(0x80C0FF));
    auto* transparent = new TAdvCheckBox(form);
    transparent->SetParent(panel);
    transparent->SetBounds(6, 5, 120, 20);
    transparent->SetCaption("Transparent");
    transparent->SetTransparent(true);

    // Pressed last: a button holding the mouse keeps the others from turning hot.
    for (TAdvGridButton* b : pressed) b->Perform(CM_MOUSEENTER);
    Input::Wait(30);
    // Each press lets go of the mouse so that the next one reaches its button.
    for (TAdvGridButton* b : pressed) {
        Input::Press(b, QPoint(5, 5));
        ReleaseCapture();
        EXPECT_EQ(b->State(), bsDown);
    }
    const QImage formImage = form->Widget()->grab().toImage();

    // The four arrows, each through its window shape.
    QImage sheet(420, 420, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    p.drawImage(0, 0, formImage);
    const TArrowDirection dirs[4] = {arrUp, arrDown, arrLeft, arrRight};
    for (int i = 0; i < 4; ++i) {
        auto* a = new TArrowWindow(form, dirs[i]);
        const QImage arrow = a->Widget()->grab().toImage();
        p.save();
        p.translate(10 + i * 24, 344);
        p.scale(2, 2);
        p.setClipRegion(a->Widget()->mask());
        p.drawImage(0, 0, arrow);
        p.restore();
    }

    // The grid's focus glow: the mask merged with its colour, at opacity 230.
    TBitmap mask, colour;
    MakeRoundRectMask(&mask, 120, 40, 4, 5, 3.0);
    colour.SetPixelFormat(pf24bit);
    colour.SetSize(120, 40);
    colour.Canvas()->Brush()->SetColor(TColor(0xFDD397));
    colour.Canvas()->FillRect(TRect(0, 0, 120, 40));
    TGridAlphaMask glow;
    glow.MergeMask(&mask, &colour, TColor(0xFDD397));
    glow.SetOpacity(230);
    const QImage glowImage = glow.PremultipliedImage();
    p.fillRect(QRect(140, 330, 160, 70), QColor(60, 60, 60));
    p.setOpacity(glow.Opacity() / 255.0);
    p.drawImage(160, 345, glowImage);
    p.end();

    EXPECT_EQ(qAlpha(glowImage.pixel(60, 20)), 0);   // the inside is clear
    EXPECT_GT(qAlpha(glowImage.pixel(60, 4)), 100);  // the ring shows
    EXPECT_EQ(glowImage.format(), QImage::Format_ARGB32_Premultiplied);

    EXPECT_TRUE(sheet.save(TestHarness::GrabPath("advobj_look.png")));

    Free(form);
}
