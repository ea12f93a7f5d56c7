// The discrete colour selector: the default palette's layout, selecting
// by colour, the keys and the frames of hot and selected boxes.
#include "AdvColorPickerDropDownPanels.h"
#include "DropDownFixture.h"
#include "TestHarness.h"

namespace {

class ColorSelector : public DropDownTest {
protected:
    TCustomColorSelector* Palette()
    {
        auto* s = Add<TCustomColorSelector>(20, 20, 10, 10);
        s->LoadDefaultPalette();
        s->UpdateLayout();
        return s;
    }
};

TEST_F(ColorSelector, DefaultPaletteLayout)
{
    auto* s = Palette();
    ASSERT_EQ(s->Items()->Count(), 60);
    struct Case {
        int Index;
        TRect Rect;
    };
    const Case cases[] = {{0, {4, 4, 16, 16}}, {9, {148, 4, 160, 16}}, {10, {4, 20, 16, 32}}, {59, {148, 68, 160, 80}}};
    for (const Case& c : cases) EXPECT_EQ(s->Items()->Items(c.Index)->BoxRect(), c.Rect) << c.Index;
    EXPECT_EQ(TSize(s->Width(), s->Height()), TSize(165, 84));
    EXPECT_EQ(s->ItemAtPos(16, 4), -1);
    EXPECT_EQ(s->ItemAtPos(20, 4), 1);

    TCustomColorSelector* one = Add<TCustomColorSelector>(0, 0, 10, 10);
    one->UpdateLayout();
    EXPECT_EQ(TSize(one->Width(), one->Height()), TSize(100, 50));
    one->Items()->Add()->SetColor(clRed);
    one->UpdateLayout();
    EXPECT_EQ(TSize(one->Width(), one->Height()), TSize(21, 20));
}

TEST_F(ColorSelector, SelectingByColourAndIndex)
{
    auto* s = Palette();
    int selects = 0;
    s->OnItemSelect = [&](TObject*) { ++selects; };
    s->SetSelectedColor(TColor(0x7F7F7F));
    EXPECT_EQ(s->ItemIndex(), 11);
    EXPECT_EQ(selects, 1);
    s->SetSelectedColor(TColor(0x123456));
    EXPECT_EQ(s->ItemIndex(), -1);
    EXPECT_EQ(s->SelectedColor(), TColor(0x123456));
    // An index past the boxes is ignored.
    s->SetItemIndex(60);
    EXPECT_EQ(s->ItemIndex(), -1);
    s->SetItemIndex(3);
    EXPECT_EQ(s->SelectedColor(), TColor(0x7D491F));
}

TEST_F(ColorSelector, Keys)
{
    auto* s = Palette();
    struct Case {
        int From;
        Word Key;
        bool EditorEnabled, DroppedDown;
        int To;
    };
    const Case cases[] = {
        {5, VK_UP, false, true, 5},     {15, VK_UP, false, true, 5},   {-1, VK_DOWN, false, true, 0},
        {5, VK_DOWN, false, true, 15},  {55, VK_DOWN, false, true, 55}, {5, VK_DOWN, false, false, 6},
        {5, VK_LEFT, true, false, 5},   {5, VK_LEFT, false, false, 4},  {5, VK_RIGHT, true, true, 6},
        {5, VK_HOME, false, true, 0},   {5, VK_NEXT, false, true, 59},  {0, VK_UP, false, false, 0},
    };
    for (const Case& c : cases) {
        s->SetItemIndex(-1);
        s->SetItemIndex(c.From);
        s->HandleKey(c.Key, c.EditorEnabled, c.DroppedDown);
        EXPECT_EQ(s->ItemIndex(), c.To) << c.From << " key " << c.Key;
    }
}

TEST_F(ColorSelector, FramesOfHotAndSelectedBoxes)
{
    auto* s = Palette();
    ShowForm();
    auto pixel = [&](int i) {
        const TRect r = s->Items()->Items(i)->BoxRect();
        return s->Widget()->grab().toImage().pixelColor(r.Left, r.Top + 5);
    };
    s->SetItemHot(2);
    EXPECT_EQ(pixel(2), QColor(0xF2, 0x94, 0x36));
    s->SetItemIndex(2);
    EXPECT_EQ(pixel(2), QColor(0xFF, 0x00, 0x00));
    s->SetItemHot(-1);
    EXPECT_EQ(pixel(2), QColor(0xFF, 0x00, 0x00));
    const QString path = TestHarness::GrabPath(QStringLiteral("color-selector.png"));
    TestHarness::GrabToPng(s, path);
}

}  // namespace

namespace {

using ColorCube = DropDownTest;

TEST_F(ColorCube, CellsHitsAndSelection)
{
    auto* cube = Add<TAdvColorCubePanel>(10, 10, 10, 10);
    cube->ResetHot();
    EXPECT_EQ(TSize(cube->Width(), cube->Height()), TSize(182, 160));
    struct CellCase {
        int Number, X, Y;
        TColor Color;
    };
    const CellCase cells[] = {{1, 55, 20, 0x663300}, {64, 91, 80, 0xFFFFFF}, {127, 127, 140, 0x2100A5}};
    for (const CellCase& c : cells) {
        EXPECT_EQ(cube->Cell(c.Number).X, c.X) << c.Number;
        EXPECT_EQ(cube->Cell(c.Number).Y, c.Y) << c.Number;
        EXPECT_EQ(cube->Cell(c.Number).Color, c.Color) << c.Number;
    }
    struct Hit {
        int X, Y, Cell;
    };
    const Hit hits[] = {{61, 20, 1}, {62, 20, 2}, {61, 23, -1}, {61, 24, 9}};
    for (const Hit& h : hits) EXPECT_EQ(cube->CellAtPoint(h.X, h.Y), h.Cell) << h.X << "," << h.Y;

    cube->SetSelectedColor(TColor(0x800080));
    EXPECT_EQ(cube->SelectedCell(), 82);
    cube->SetSelectedColor(TColor(0x010203));
    EXPECT_EQ(cube->SelectedCell(), -1);
    EXPECT_EQ(cube->SelectedColor(), TColor(0x010203));
}

TEST_F(ColorCube, MouseShowsTheColourAndChoosesIt)
{
    auto* cube = Add<TAdvColorCubePanel>(10, 10, 10, 10);
    cube->ResetHot();
    ShowForm();
    int selects = 0;
    cube->OnSelect = [&](TObject*) { ++selects; };
    cube->Perform(WM_MOUSEMOVE, 0, MakeLParam(127, 140));
    EXPECT_EQ(cube->HotCell(), 127);
    EXPECT_EQ(cube->Hint(), QStringLiteral("Red: 165,  Green: 0,  Blue: 33"));
    cube->Perform(WM_MOUSEMOVE, 0, MakeLParam(61, 23));
    EXPECT_EQ(cube->HotCell(), 127);
    EXPECT_TRUE(cube->Hint().isEmpty());
    Click(cube, TPoint(91, 80));
    EXPECT_EQ(cube->SelectedColor(), clWhite);
    EXPECT_EQ(cube->SelectedCell(), 64);
    EXPECT_EQ(selects, 1);
    const QString path = TestHarness::GrabPath(QStringLiteral("color-cube.png"));
    TestHarness::GrabToPng(cube, path);
}

}  // namespace
