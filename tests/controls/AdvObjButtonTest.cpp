#include "AdvObjButton.h"
#include "Forms.h"
#include "OsProfile.h"
#include "Services.h"

#include "../platform/ControlsTestKit.h"

#include <gtest/gtest.h>

namespace {

TBitmap* SolidGlyph(TBitmap* b, int w, int h, QRgb colour, QRgb background)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(background);
    for (int y = 1; y < h - 1; ++y)
        for (int x = 1; x < w - 1; ++x) img.setPixel(x, y, colour);
    b->SetImage(img);
    return b;
}

QRgb PixelOf(TBitmap* b, int x, int y) { return b->Image().pixel(x, y) & 0xFFFFFF; }

struct ButtonForm : public ::testing::Test {
    void SetUp() override
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, 300, 100);
    }
    void TearDown() override { Free(Form); }

    TAdvGridButton* AddButton(int left, int clicksSlot = -1)
    {
        auto* b = new TAdvGridButton(Form);
        b->SetParent(Form);
        b->SetLeft(left);
        b->SetCaption("Go");
        if (clicksSlot >= 0) b->OnClick = [this, clicksSlot](TObject*) { ++Clicks[size_t(clicksSlot)]; };
        return b;
    }

    TForm* Form = nullptr;
    std::array<int, 4> Clicks{};
};

}  // namespace

TEST(AdvGridButton, LooksSetTheirColoursAndThemeAdaptPicksByScheme)
{
    struct Case {
        int Look;
        TColor Color, ColorTo, Hot, HotTo, Down, DownTo, Checked, CheckedTo, DownBorder, HotBorder;
        bool Rounded;
    };
    const std::vector<Case> cases = {
        {0, TColor(0xedf1f1), TColor(0xdfebeb), TColor(0xfafcfc), TColor(0xe5eced), TColor(0xe0e6e7),
         TColor(0xd8e0e1), TColor(0xffffff), clNone, TColor(0xaf987a), TColor(0xc3cece), true},
        {1, clBtnFace, clNone, TColor(0xeed2c1), clNone, TColor(0xe2b598), clNone, TColor(0xe8e6e1), clNone,
         TColor(0xc56a31), TColor(0xc56a31), false},
        {2, TColor(0xfdeada), TColor(0xe4ae88), TColor(0xccf4ff), TColor(0x91d0ff), TColor(0x4e91fe),
         TColor(0x8ed3ff), TColor(0x8ed3ff), TColor(0x55adff), TColor(0), TColor(0), false},
        {3, TColor(0xcff0ea), TColor(0x8cc0b1), TColor(0xccf4ff), TColor(0x91d0ff), TColor(0x4e91fe),
         TColor(0x8ed3ff), TColor(0x8ed3ff), TColor(0x55adff), TColor(0), TColor(0), false},
        {4, TColor(0xece2e1), TColor(0xb39698), TColor(0xccf4ff), TColor(0x91d0ff), TColor(0x4e91fe),
         TColor(0x8ed3ff), TColor(0x8ed3ff), TColor(0x55adff), TColor(0), TColor(0), false},
        {5, clBtnFace, clNone, clBtnFace, clNone, TColor(0xd8d3d2), clNone, TColor(0xcac7c7), clNone, clNone,
         clNone, false},
        {6, TColor(0xcaffff), TColor(0xa6ffff), TColor(0xa8f0fd), TColor(0x7ce9fc), TColor(0x4de0fb),
         TColor(0x7ae9fc), TColor(0xb5e6f2), TColor(0x9cdded), TColor(0x808080), TColor(0x808080), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Look);
        TAdvGridButton b(nullptr);
        b.SetFlat(false);
        b.SetBorderColor(clRed);
        b.SetLook(c.Look);
        EXPECT_EQ(b.Look(), c.Look);
        EXPECT_EQ(b.Color(), c.Color);
        EXPECT_EQ(b.ColorTo(), c.ColorTo);
        EXPECT_EQ(b.ColorHot(), c.Hot);
        EXPECT_EQ(b.ColorHotTo(), c.HotTo);
        EXPECT_EQ(b.ColorDown(), c.Down);
        EXPECT_EQ(b.ColorDownTo(), c.DownTo);
        EXPECT_EQ(b.ColorChecked(), c.Checked);
        EXPECT_EQ(b.ColorCheckedTo(), c.CheckedTo);
        EXPECT_EQ(b.BorderDownColor(), c.DownBorder);
        EXPECT_EQ(b.BorderHotColor(), c.HotBorder);
        EXPECT_EQ(b.BorderColor(), clNone);
        EXPECT_TRUE(b.Flat());
        EXPECT_EQ(b.Rounded(), c.Rounded);
        b.SetLook(9);
        EXPECT_EQ(b.Look(), c.Look);
        EXPECT_EQ(b.Color(), c.Color);
    }

    const std::vector<std::pair<QString, int>> schemes = {
        {"", 1}, {"NormalColor", 2}, {"HomeStead", 3}, {"Metallic", 4}};
    for (const auto& [scheme, look] : schemes) {
        SCOPED_TRACE(scheme.toStdString());
        auto p = std::make_shared<OsProfile>();
        p->ThemeColorScheme = scheme;
        ScopedService<std::shared_ptr<const OsProfile>> profile(&PlatformServices::Profile, p);
        TAdvGridButton b(nullptr);
        b.SetAutoThemeAdapt(true);
        EXPECT_EQ(b.Look(), look);
    }
}

TEST(AdvGridButton, LayoutPlacesGlyphAndText)
{
    const TRect client(0, 0, 100, 30);
    struct Case {
        const char* Name;
        TButtonLayout Layout;
        int Margin, Spacing;
        TSize Glyph, Text;
        bool Rtl;
        TPoint GlyphPos, TextPos;
    };
    const std::vector<Case> cases = {
        // (100 - (16 + 40)) / 3 = 14 for margin and spacing.
        {"spread", blGlyphLeft, -1, -1, TSize(16, 16), TSize(40, 14), false, TPoint(14, 7), TPoint(44, 8)},
        // margin (100 - (16 + 4 + 40) + 1) / 2 = 20.
        {"centred", blGlyphLeft, -1, 4, TSize(16, 16), TSize(40, 14), false, TPoint(20, 7), TPoint(40, 8)},
        // spacing (100 - 2 - 16 - 40) / 2 = 21.
        {"spacing only", blGlyphLeft, 2, -1, TSize(16, 16), TSize(40, 14), false, TPoint(2, 7), TPoint(39, 8)},
        {"glyph right", blGlyphRight, 3, 4, TSize(16, 16), TSize(40, 14), false, TPoint(81, 7), TPoint(37, 8)},
        {"right to left swaps", blGlyphLeft, 3, 4, TSize(16, 16), TSize(40, 14), true, TPoint(81, 7), TPoint(37, 8)},
        // Vertical: across (100 - 16 + 1) / 2 = 42, (100 - 40 + 1) / 2 = 30.
        {"glyph top", blGlyphTop, 1, 2, TSize(16, 10), TSize(40, 14), false, TPoint(42, 1), TPoint(30, 13)},
        {"glyph bottom", blGlyphBottom, 1, 2, TSize(16, 10), TSize(40, 14), false, TPoint(42, 19), TPoint(30, 3)},
        // An empty caption makes the spacing 0: margin (100 - 16 + 1) / 2 = 42.
        {"empty caption", blGlyphLeft, -1, 4, TSize(16, 16), TSize(0, 0), false, TPoint(42, 7), TPoint(58, 15)},
        // An empty glyph: the text alone, centred.
        {"empty glyph", blGlyphLeft, -1, 4, TSize(0, 0), TSize(40, 14), false, TPoint(30, 15), TPoint(30, 8)},
        // Negative spare length divides toward zero: (100 - 120) / 3 = -6.
        {"too wide", blGlyphLeft, -1, -1, TSize(20, 16), TSize(100, 14), false, TPoint(-6, 7), TPoint(8, 8)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const TButtonContentLayout l =
            CalcButtonLayout(client, c.Glyph, c.Text, c.Layout, c.Margin, c.Spacing, c.Rtl, TPoint(0, 0));
        EXPECT_EQ(l.GlyphPos.X, c.GlyphPos.X);
        EXPECT_EQ(l.GlyphPos.Y, c.GlyphPos.Y);
        EXPECT_EQ(l.TextBounds.Left, c.TextPos.X);
        EXPECT_EQ(l.TextBounds.Top, c.TextPos.Y);
        EXPECT_EQ(l.TextBounds.Width(), c.Text.cx);
    }
    // The client's corner and the press offset move both.
    const TButtonContentLayout moved = CalcButtonLayout(TRect(5, 6, 105, 36), TSize(16, 16), TSize(40, 14),
                                                        blGlyphLeft, 2, 4, false, TPoint(1, 1));
    EXPECT_EQ(moved.GlyphPos.X, 5 + 2 + 1);
    EXPECT_EQ(moved.GlyphPos.Y, 6 + 7 + 1);

    TAdvGridButton b(nullptr);
    b.SetMargin(-2);
    EXPECT_EQ(b.Margin(), -1);
    b.SetMargin(3);
    EXPECT_EQ(b.Margin(), 3);
}

TEST(AdvGridButton, DisabledGlyphAndShadowFollowTheGlyph)
{
    struct Case {
        QRgb In;
        int Grey;
    };
    for (const Case& c : {Case{0xFFFFFF, 223}, Case{0x000000, 96}, Case{qRgb(30, 60, 90), 126}}) {
        TBitmap src, dst;
        SolidGlyph(&src, 3, 3, c.In, c.In);
        MakeDisabledGlyph(&src, &dst);
        EXPECT_EQ(PixelOf(&dst, 1, 1), qRgb(c.Grey, c.Grey, c.Grey) & 0xFFFFFF);
    }

    TAdvGridButton b(nullptr);
    TBitmap g1, g2;
    SolidGlyph(&g1, 6, 6, qRgb(255, 0, 0), qRgb(0, 255, 0));
    SolidGlyph(&g2, 8, 8, qRgb(0, 0, 255), qRgb(255, 0, 255));
    b.SetGlyph(&g1);
    EXPECT_EQ(b.GlyphDisabled()->Width(), 6);
    // Shadow: the silhouette grey on the see-through colour.
    EXPECT_EQ(PixelOf(b.GlyphShade(), 2, 2), 0x808080u);
    EXPECT_EQ(PixelOf(b.GlyphShade(), 0, 5), qRgb(0, 255, 0) & 0xFFFFFF);

    b.SetGlyph(&g2);
    EXPECT_EQ(b.GlyphDisabled()->Width(), 8);
    const int grey = 96 + (255 / 3) / 2;
    EXPECT_EQ(PixelOf(b.GlyphDisabled(), 3, 3), qRgb(grey, grey, grey) & 0xFFFFFF);
    EXPECT_EQ(b.GlyphShade()->Width(), 8);
    EXPECT_EQ(PixelOf(b.GlyphShade(), 0, 7), qRgb(255, 0, 255) & 0xFFFFFF);

    // A disabled glyph the caller set stays, before or after the glyph.
    TBitmap own;
    SolidGlyph(&own, 5, 5, qRgb(1, 2, 3), qRgb(1, 2, 3));
    b.SetGlyphDisabled(&own);
    b.SetGlyph(&g1);
    EXPECT_EQ(b.GlyphDisabled()->Width(), 5);

    // While loading, Shaded builds nothing; Loaded does.
    TAdvGridButton l(nullptr);
    l.SetShaded(false);
    l.SetGlyph(&g1);
    EXPECT_TRUE(l.GlyphShade()->Empty());
    l.BeginLoading();
    l.SetShaded(true);
    EXPECT_TRUE(l.GlyphShade()->Empty());
    l.EndLoading();
    EXPECT_EQ(l.GlyphShade()->Width(), 6);
}

TEST_F(ButtonForm, MouseSequences)
{
    Form->Show();
    {
        SCOPED_TRACE("click inside");
        TAdvGridButton* b = AddButton(0, 0);
        Input::Press(b, QPoint(5, 5));
        EXPECT_EQ(b->State(), bsDown);
        Input::Release(b, QPoint(5, 5));
        EXPECT_EQ(b->State(), bsUp);
        EXPECT_EQ(Clicks[0], 1);
        EXPECT_FALSE(b->Down());
    }
    {
        SCOPED_TRACE("release outside, then out and back in");
        TAdvGridButton* b = AddButton(30, 1);
        Input::Press(b, QPoint(5, 5));
        Input::DragTo(b, QPoint(50, 5));
        EXPECT_EQ(b->State(), bsUp);
        Input::Release(b, QPoint(50, 5));
        EXPECT_EQ(Clicks[1], 0);
        Input::Press(b, QPoint(5, 5));
        Input::DragTo(b, QPoint(50, 5));
        Input::DragTo(b, QPoint(6, 6));
        EXPECT_EQ(b->State(), bsDown);
        Input::Release(b, QPoint(6, 6));
        EXPECT_EQ(Clicks[1], 1);
        EXPECT_EQ(b->State(), bsUp);
    }
    {
        SCOPED_TRACE("check style toggles");
        TAdvGridButton* b = AddButton(60, 2);
        b->SetStyle(tasCheck);
        Input::Click(b, QPoint(5, 5));
        EXPECT_TRUE(b->Down());
        Input::Click(b, QPoint(5, 5));
        EXPECT_FALSE(b->Down());
        EXPECT_EQ(Clicks[2], 2);
    }
    {
        SCOPED_TRACE("disabled ignores the press; Down on an ungrouped button stays False");
        TAdvGridButton* b = AddButton(90, 3);
        b->SetEnabled(false);
        Input::Click(b, QPoint(5, 5));
        EXPECT_EQ(Clicks[3], 0);
        b->SetEnabled(true);
        b->SetDown(true);
        EXPECT_FALSE(b->Down());
    }
}

TEST_F(ButtonForm, ExclusiveGroups)
{
    Form->Show();
    TAdvGridButton* b[3];
    for (int i = 0; i < 3; ++i) {
        b[i] = AddButton(i * 30, i);
        b[i]->SetGroupIndex(1);
    }
    b[0]->SetDown(true);
    EXPECT_EQ(b[0]->State(), bsExclusive);
    Input::Click(b[1], QPoint(5, 5));
    EXPECT_TRUE(b[1]->Down());
    EXPECT_FALSE(b[0]->Down());
    EXPECT_EQ(b[0]->State(), bsUp);
    EXPECT_EQ(Clicks[1], 1);

    // The last one down cannot be raised without AllowAllUp.
    Input::Click(b[1], QPoint(5, 5));
    EXPECT_TRUE(b[1]->Down());
    // AllowAllUp spreads to the group.
    b[2]->SetAllowAllUp(true);
    EXPECT_TRUE(b[1]->AllowAllUp());
    Input::Click(b[1], QPoint(5, 5));
    EXPECT_FALSE(b[1]->Down());
    EXPECT_EQ(Clicks[1], 3);
}

TEST_F(ButtonForm, DropDownPartAndAccelerator)
{
    Form->Show();
    TAdvGridButton* b = AddButton(0, 0);
    b->SetWidth(60);
    b->SetDropDownButton(true);
    auto* menu = new TPopupMenu(Form);
    b->SetDropDownMenu(menu);
    int dropped = 0;
    b->OnDropDown = [&dropped](TObject*) { ++dropped; };
    TPoint shownAt(-1, -1);
    {
        ScopedPopupMenuHook hook([&](TPopupMenu* m, TPoint p) -> TMenuItem* {
            EXPECT_EQ(m, menu);
            shownAt = p;
            return nullptr;
        });
        Input::Click(b, QPoint(55, 5));
    }
    EXPECT_EQ(dropped, 1);
    EXPECT_EQ(Clicks[0], 0);
    const TPoint corner = b->ClientToScreen(TPoint(0, b->Height()));
    EXPECT_EQ(shownAt.X, corner.X);
    EXPECT_EQ(shownAt.Y, corner.Y);
    Input::Click(b, QPoint(20, 5));
    EXPECT_EQ(Clicks[0], 1);

    // The menu going away clears the reference.
    Free(menu);
    EXPECT_EQ(b->DropDownMenu(), nullptr);

    // The accelerator clicks an enabled, visible button.
    b->SetCaption("&Find");
    EXPECT_NE(b->Perform(CM_DIALOGCHAR, 'f'), 0);
    EXPECT_EQ(Clicks[0], 2);
    b->SetEnabled(false);
    EXPECT_EQ(b->Perform(CM_DIALOGCHAR, 'f'), 0);
    EXPECT_EQ(Clicks[0], 2);
}

TEST_F(ButtonForm, DoubleClickOnlyWhileDownAndTheActionLink)
{
    Form->Show();
    TAdvGridButton* b = AddButton(0);
    int doubles = 0;
    b->OnDblClick = [&doubles](TObject*) { ++doubles; };
    b->DblClick();
    EXPECT_EQ(doubles, 0);
    b->SetGroupIndex(2);
    b->SetDown(true);
    b->DblClick();
    EXPECT_EQ(doubles, 1);

    // The action's caption reaches the button while the button shows it.
    auto* action = new TAction(Form);
    action->SetCaption("Go");
    int executed = 0;
    action->OnExecute = [&executed](TObject*) { ++executed; };
    TAdvGridButton* linked = AddButton(40);
    linked->SetAction(action);
    action->SetCaption("Again");
    EXPECT_EQ(linked->Caption(), "Again");
    linked->SetCaption("Own");
    action->SetCaption("Later");
    EXPECT_EQ(linked->Caption(), "Own");
    Input::Click(linked, QPoint(5, 5));
    EXPECT_EQ(executed, 1);
    Free(action);
    EXPECT_EQ(linked->Action(), nullptr);
}
