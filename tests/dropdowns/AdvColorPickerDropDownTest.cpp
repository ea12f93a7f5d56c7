// The colour-picker drop-down: choosing by index and colour, the colour
// texts, and the list, palette and cube pop-ups used with keys and mouse.
#include "AdvColorPickerDropDown.h"
#include "DropDownFixture.h"
#include "TestHarness.h"

namespace {

using ColorPicker = DropDownTest;

constexpr TColor Red = 0x0000FF;

TEST_F(ColorPicker, ChoosingByIndexAndColour)
{
    auto* d = Add<TAdvColorPickerDropDown>(20, 20);
    EXPECT_EQ(d->Colors()->Count(), 0);
    EXPECT_FALSE(d->EditorEnabled());
    EXPECT_EQ(d->DropDownHeight(), 200);
    d->AddDefaultColors();
    ASSERT_EQ(d->Colors()->Count(), 16);
    int selects = 0;
    d->OnSelect = [&](TObject*) { ++selects; };
    d->SetItemIndex(3);
    EXPECT_EQ(d->SelectedColor(), RgbHex(0x808000));
    EXPECT_EQ(d->SelectedColorText(), QStringLiteral("Olive"));
    d->SetSelectedColor(Red);
    EXPECT_EQ(d->ItemIndex(), 9);
    EXPECT_EQ(selects, 2);
    d->SetItemIndex(16);
    EXPECT_EQ(d->ItemIndex(), 9);
    // A colour without an entry clears the index and is written by value.
    d->SetColorValueText(cvtHTML);
    d->SetSelectedColor(RgbHex(0x123456));
    EXPECT_EQ(d->ItemIndex(), -1);
    EXPECT_EQ(d->SelectedColorText(), QStringLiteral("#123456"));
}

TEST_F(ColorPicker, ColourTexts)
{
    auto* d = Add<TAdvColorPickerDropDown>(20, 20);
    d->SetSelectedColor(Red);
    struct Case {
        TColorValueText Kind;
        const char* Text;
    };
    const Case cases[] = {{cvtNone, ""},
                          {cvtHex, "0000FF"},
                          {cvtWebName, "red"},
                          {cvtRGB, "Red:255,Green:0,Blue:0"},
                          {cvtHTML, "#FF0000"}};
    for (const Case& c : cases) {
        d->SetColorValueText(c.Kind);
        EXPECT_EQ(d->SelectedColorText(), QString::fromLatin1(c.Text)) << c.Kind;
    }
    // Shared values name the alphabetically first; every CSS name is known.
    const std::pair<unsigned, const char*> names[] = {
        {0x00FFFF, "aqua"},          {0xFF00FF, "fuchsia"},     {0xA9A9A9, "darkgray"},
        {0xF0F8FF, "aliceblue"},     {0x663399, "rebeccapurple"}, {0x9ACD32, "yellowgreen"},
        {0x123ABC, "#123ABC"},       {0x0000FE, "#0000FE"},
    };
    for (const auto& [rgb, name] : names) EXPECT_EQ(WebColorName(RgbHex(rgb)), QString::fromLatin1(name)) << name;
}

TEST_F(ColorPicker, ListWithKeysAndMouse)
{
    auto* d = Focused<TAdvColorPickerDropDown>();
    d->AddDefaultColors();
    Click(d, TPoint(10, 10));
    ASSERT_TRUE(d->DroppedDown());
    for (int i = 0; i < 3; ++i) Key(d->DropDownForm(), Qt::Key_Down);
    EXPECT_TRUE(d->DropDownForm()->Visible());
    Key(d->DropDownForm(), Qt::Key_Return);
    EXPECT_FALSE(d->DropDownForm()->Visible());
    EXPECT_EQ(d->SelectedColorText(), QStringLiteral("Green"));
    QApplication::processEvents();
    TestHarness::GrabToPng(d, TestHarness::GrabPath(QStringLiteral("color-picker-edit.png")));

    // A click on "Red" chooses and closes.
    Click(d, TPoint(10, 10));
    ASSERT_TRUE(d->DroppedDown());
    TestHarness::GrabToPng(d->DropDownForm(), TestHarness::GrabPath(QStringLiteral("color-picker-list.png")));
    TCustomItemSelector* p = d->ItemSelector()->SelectorPanel();
    const TRect r = p->GetItemRect(9);
    Click(p, TPoint(r.Left + 4, r.Top + 4));
    EXPECT_FALSE(d->DropDownForm()->Visible());
    EXPECT_EQ(d->ItemIndex(), 9);

    // Esc after moving restores the entry.
    Click(d, TPoint(10, 10));
    Key(d->DropDownForm(), Qt::Key_Down);
    EXPECT_EQ(d->ItemIndex(), 10);
    Key(d->DropDownForm(), Qt::Key_Escape);
    EXPECT_EQ(d->ItemIndex(), 9);
}

TEST_F(ColorPicker, PaletteAndCube)
{
    auto* d = Focused<TAdvColorPickerDropDown>();
    d->SetColorSelectionStyle(csDiscrete);
    Click(d, TPoint(10, 10));
    ASSERT_TRUE(d->DroppedDown());
    TCustomColorSelector* s = d->ColorSelector();
    TestHarness::GrabToPng(d->DropDownForm(), TestHarness::GrabPath(QStringLiteral("color-picker-palette.png")));
    const TRect box = s->Items()->Items(11)->BoxRect();
    Click(s, TPoint(box.Left + 3, box.Top + 3));
    EXPECT_FALSE(d->DropDownForm()->Visible());
    EXPECT_EQ(d->SelectedColor(), TColor(0x7F7F7F));
    Click(d, TPoint(10, 10));
    Key(d->DropDownForm(), Qt::Key_Down);
    EXPECT_EQ(s->ItemIndex(), 21);
    Key(d->DropDownForm(), Qt::Key_Escape);

    d->SetColorSelectionStyle(csColorCube);
    Click(d, TPoint(10, 10));
    ASSERT_TRUE(d->DroppedDown());
    TestHarness::GrabToPng(d->DropDownForm(), TestHarness::GrabPath(QStringLiteral("color-picker-cube.png")));
    TAdvColorCubePanel* cube = d->CubePanel();
    Click(cube, TPoint(cube->Cell(64).X, cube->Cell(64).Y));
    EXPECT_FALSE(d->DropDownForm()->Visible());
    EXPECT_EQ(d->SelectedColor(), clWhite);
    EXPECT_EQ(d->ItemIndex(), -1);

    // The spectrum: a click without a move before it takes the pixel clicked.
    d->SetColorSelectionStyle(csSpectrum);
    Click(d, TPoint(10, 10));
    ASSERT_TRUE(d->DroppedDown());
    TAdvColorSpectrumPanel* sp = d->SpectrumPanel();
    // The pipette, registered with the screen under its number, is shown.
    EXPECT_EQ(sp->Cursor(), TAdvColorSpectrumPanel::crPipette);
    EXPECT_EQ(sp->Widget()->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(sp->Widget()->cursor().hotSpot(), QPoint(1, 30));
    {
        const QImage pip = sp->Widget()->cursor().bitmap().toImage();
        EXPECT_EQ(pip.size(), QSize(32, 32));
        pip.scaled(128, 128).save(TestHarness::GrabPath(QStringLiteral("pipette-cursor.png")));
        EXPECT_EQ(pip.pixelIndex(2, 29), 1) << "the tip is drawn";
        EXPECT_EQ(pip.pixelIndex(30, 30), 0) << "the lower right corner is empty";
    }
    EXPECT_EQ(sp->HotColor(), clNone);
    EXPECT_EQ(sp->SelectedSwatch(), TRect(10, 146, 73, 166));
    EXPECT_EQ(sp->HotSwatch(), TRect(77, 146, 140, 166));
    TestHarness::GrabToPng(d->DropDownForm(), TestHarness::GrabPath(QStringLiteral("color-picker-spectrum.png")));
    Click(sp, TPoint(11 + 40, 10 + 64));
    EXPECT_FALSE(d->DropDownForm()->Visible());
    EXPECT_EQ(d->SelectedColor(), TAdvColorSpectrumPanel::SpectrumColor(40, 64));
    EXPECT_NE(d->SelectedColor(), clNone);
}

TEST_F(ColorPicker, SpectrumPicture)
{
    struct Case {
        int X, Y;
        TColor Color;
    };
    const Case cases[] = {{0, 0, clWhite}, {0, 64, clRed}, {64, 127, clBlack}, {0, 63, clRed}};
    for (const Case& c : cases)
        EXPECT_EQ(TAdvColorSpectrumPanel::SpectrumColor(c.X, c.Y), c.Color) << c.X << "," << c.Y;
}

}  // namespace
