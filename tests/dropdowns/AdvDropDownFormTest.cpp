// The drop button's looks (own colours, the visual style only through a
// loaded theme table, the classic look), its own width, and the pop-up's
// background and border.
#include "DropDownFixture.h"
#include "GraphicsRecording.h"

namespace {

using DropDownButton = DropDownTest;

struct ThemeCall {
    int Part, State;
    TRect Rect;
};

// The drop-down theme table loaded, its drawing recorded.
class RecordingTheme {
public:
    RecordingTheme()
    {
        ATXPVS::FreeThemeLibrary();
        ATXPVS::InitThemeLibrary();
        ATXPVS::Theme.DrawThemeBackground = [this](HTHEME, TCanvas*, int part, int state, const TRect& r,
                                                   const TRect*) {
            Calls.push_back({part, state, r});
            return HRESULT(0);
        };
    }
    ~RecordingTheme() { ATXPVS::FreeThemeLibrary(); }
    std::vector<ThemeCall> Calls;
};

bool HasArrow(const TRecordingCanvas& c, TColor color)
{
    for (const TCanvasOp& op : c.Ops())
        if (op.Kind == QLatin1String("Polygon") && op.BrushColor == color
            && op.Points == std::vector<TPoint>({TPoint(5, 7), TPoint(11, 7), TPoint(8, 10)}))
            return true;
    return false;
}

TEST_F(DropDownButton, OwnColoursByState)
{
    auto* d = Add<TTestListDropDown>(20, 20);
    d->SetBorderColor(clNavy);
    TDropDownEditButton* b = d->Button();
    b->SetButtonColor(clAqua);
    b->SetButtonColorHot(clYellow);
    b->SetButtonColorDown(clRed);
    b->SetButtonTextColor(clBlack);
    b->SetButtonTextColorDown(clWhite);
    TAdvDropDownSpeedButton* inner = b->InnerButton();
    const struct {
        bool Hot, Down;
        TColor Fill, Arrow;
    } cases[] = {
        {false, false, clAqua, clBlack},
        {true, false, clYellow, clBlack},    // no hot text colour: the plain one
        {true, true, clRed, clWhite},        // pressed wins
    };
    for (const auto& c : cases) {
        inner->Perform(c.Hot ? CM_MOUSEENTER : CM_MOUSELEAVE);
        inner->SetDown(c.Down);
        TRecordingCanvas canvas;
        inner->PaintDropDownStyle(&canvas);
        ASSERT_FALSE(canvas.Ops().empty());
        EXPECT_EQ(canvas.Ops()[0].Kind, QStringLiteral("FillRect"));
        EXPECT_EQ(canvas.Ops()[0].BrushColor, c.Fill);
        EXPECT_EQ(canvas.Ops()[1].Kind, QStringLiteral("Line"));
        EXPECT_EQ(canvas.Ops()[1].PenColor, clNavy) << "the left edge in the drop-down's border colour";
        EXPECT_TRUE(HasArrow(canvas, c.Arrow));
    }
}

TEST_F(DropDownButton, VisualStyleOnlyThroughTheLoadedTable)
{
    auto* d = Add<TTestListDropDown>(20, 20);
    TAdvDropDownSpeedButton* inner = d->Button()->InnerButton();
    {
        // Not loaded: the classic look with its black arrow.
        TRecordingCanvas canvas;
        inner->PaintDropDownStyle(&canvas);
        EXPECT_TRUE(HasArrow(canvas, clBlack));
    }
    RecordingTheme theme;
    const struct {
        bool ReadOnly, Hot, Down;
        int State;
    } cases[] = {
        {false, false, false, CBXS_NORMAL},
        {false, true, false, CBXS_HOT},
        {false, true, true, CBXS_PRESSED},
        {true, false, false, CBXS_DISABLED},
    };
    for (const auto& c : cases) {
        d->SetReadOnly(c.ReadOnly);
        inner->Perform(c.Hot ? CM_MOUSEENTER : CM_MOUSELEAVE);
        inner->SetDown(c.Down);
        theme.Calls.clear();
        TRecordingCanvas canvas;
        inner->PaintDropDownStyle(&canvas);
        ASSERT_EQ(theme.Calls.size(), 1u);
        EXPECT_EQ(theme.Calls[0].Part, CP_DROPDOWNBUTTON);
        EXPECT_EQ(theme.Calls[0].State, c.State);
        TRect expected = inner->ClientRect();
        expected.Left += 1;  // the inset from Vista on
        EXPECT_EQ(theme.Calls[0].Rect, expected);
        EXPECT_FALSE(HasArrow(canvas, clBlack));
    }
    // A profile without visual styles active: the classic look again.
    OsProfile plain;
    plain.VisualStylesActive = false;
    ScopedService<std::shared_ptr<const OsProfile>> profile(&PlatformServices::Profile,
                                                            std::make_shared<OsProfile>(plain));
    d->SetReadOnly(false);
    theme.Calls.clear();
    TRecordingCanvas canvas;
    inner->PaintDropDownStyle(&canvas);
    EXPECT_TRUE(theme.Calls.empty());
    EXPECT_TRUE(HasArrow(canvas, clBlack));
}

TEST_F(DropDownButton, TheButtonTakesItsOwnWidthAndClicksOnALeftRelease)
{
    auto* d = Add<TTestListDropDown>(20, 20);
    TDropDownEditButton* b = d->Button();
    b->SetBounds(0, 0, 40, 17);
    EXPECT_EQ(b->Width(), 16);
    EXPECT_EQ(b->InnerButton()->Width(), 16);
    int clicks = 0;
    b->OnClick = [&](TObject* sender) {
        EXPECT_EQ(sender, b);
        ++clicks;
    };
    b->InnerButton()->Perform(WM_RBUTTONUP, 0, MakeLParam(3, 3));
    EXPECT_EQ(clicks, 0);
    b->InnerButton()->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(3, 3));
    b->InnerButton()->Perform(WM_LBUTTONUP, 0, MakeLParam(3, 3));
    EXPECT_EQ(clicks, 1);
}

TEST_F(DropDownButton, PopupBackgroundAndBorder)
{
    auto* d = Add<TTestListDropDown>(20, 20);
    TDropDownForm* f = d->DropDownForm();
    f->SetBounds(0, 0, 100, 60);
    d->SetDropDownBorderWidth(2);
    d->SetDropDownBorderColor(clNavy);
    d->SetDropDownColor(clRed);
    d->SetDropDownColorTo(clNone);
    TRecordingCanvas solid;
    f->DrawBackground(&solid);
    ASSERT_EQ(solid.Ops().size(), 2u);
    EXPECT_EQ(solid.Ops()[0].Kind, QStringLiteral("FillRect"));
    EXPECT_EQ(solid.Ops()[0].Rect, TRect(2, 2, 98, 58));
    EXPECT_EQ(solid.Ops()[1].Kind, QStringLiteral("Rectangle"));
    EXPECT_EQ(solid.Ops()[1].Rect, TRect(1, 1, 100, 60)) << "left and top moved in by half the width";
    EXPECT_EQ(solid.Ops()[1].PenWidth, 2);
    EXPECT_EQ(solid.Ops()[1].PenColor, clNavy);
    EXPECT_EQ(solid.Ops()[1].BrushStyle, bsClear);

    d->SetDropDownColorTo(clBlue);
    TRecordingCanvas gradient;
    f->DrawBackground(&gradient);
    EXPECT_EQ(gradient.Ops().size(), 80u + 1u) << "80 bands, then the border";
    EXPECT_EQ(gradient.Ops().front().BrushColor, clRed);

    d->SetDropDownBorderWidth(0);
    d->SetDropDownColor(clNone);
    TRecordingCanvas nothing;
    f->DrawBackground(&nothing);
    EXPECT_TRUE(nothing.Ops().empty());
}

}  // namespace
