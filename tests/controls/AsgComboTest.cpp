// The library's combo box: property rules, the focus colour, the paint
// decisions as tables, the drawn border and button on a grab, the list's
// close event and the attached label.
#include "AsgCombo.h"
#include "DialogResponder.h"
#include "EditorsFixture.h"
#include "TestHarness.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QImage>

namespace {

class ComboTest : public EditorTest {
protected:
    TAsgComboBox* NewCombo(int x = 20, int y = 20, int w = 121, int h = 21)
    {
        auto* c = Add<TAsgComboBox>(x, y, w, h);
        c->Items()->Add(QStringLiteral("one"));
        c->Items()->Add(QStringLiteral("two"));
        c->Items()->Add(QStringLiteral("three"));
        return c;
    }
    static QImage Grab(TControl* c) { return c->Widget()->grab().toImage(); }
    static TColor PixelAt(const QImage& img, int x, int y)
    {
        QRgb p = img.pixel(x, y);
        return TColor(qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16));
    }
};

TEST_F(ComboTest, ButtonWidthDropWidthAndSelectItem)
{
    TAsgComboBox* c = NewCombo();
    EXPECT_EQ(c->ButtonWidth(), 19);
    const struct { int write, expect; } rows[] = {{13, 19}, {14, 14}, {32, 32}, {33, 32}};
    for (auto r : rows) {
        c->SetButtonWidth(r.write);
        EXPECT_EQ(c->ButtonWidth(), r.expect) << r.write;
    }

    QAbstractItemView* view = static_cast<QComboBox*>(c->Widget())->view();
    int before = view->minimumWidth();
    c->SetDropWidth(0);
    EXPECT_EQ(view->minimumWidth(), before);
    c->SetDropWidth(250);
    EXPECT_EQ(view->minimumWidth(), 250);

    c->SetItemIndex(1);
    c->SelectItem(QStringLiteral("four"));
    EXPECT_EQ(c->ItemIndex(), 1);
    c->SelectItem(QStringLiteral("three"));
    EXPECT_EQ(c->ItemIndex(), 2);
}

TEST_F(ComboTest, ConstructionDefaults)
{
    TAsgComboBox* c = NewCombo();
    EXPECT_FALSE(c->Flat());
    EXPECT_TRUE(c->DisabledBorder());
    EXPECT_TRUE(c->IsThemed());
    EXPECT_EQ(c->LabelMargin(), 4);
    EXPECT_TRUE(c->FlatParentColor());
    for (TColor v : {c->FlatLineColor(), c->FocusColor(), c->FocusBorderColor(), c->BorderColor(), c->ButtonColor(),
                     c->ButtonColorHot(), c->ButtonColorDown(), c->ButtonTextColor(), c->ButtonTextColorHot(),
                     c->ButtonTextColorDown(), c->ButtonBorderColor()})
        EXPECT_EQ(v, clNone);
    EXPECT_EQ(c->ComboLabel(), nullptr);
    EXPECT_EQ(c->LabelCaption(), QString());
}

// A combo made at run time (as the grid makes its editor) never turns black.
TEST_F(ComboTest, FocusColourComesBack)
{
    Form->Show();
    auto* other = NewCombo(20, 60);
    TAsgComboBox* c = NewCombo();
    c->SetColor(clYellow);
    c->SetFocusColor(clRed);
    c->SetFocus();
    EXPECT_EQ(c->Color(), clRed);
    EXPECT_TRUE(c->HasFocus());
    other->SetFocus();
    EXPECT_EQ(c->Color(), clYellow);
    EXPECT_FALSE(c->HasFocus());

    // After Init the colour Init recorded comes back, whatever came later.
    c->SetColor(clWhite);
    c->Init();
    c->SetColor(clAqua);
    c->SetFocus();
    EXPECT_EQ(c->Color(), clRed);
    other->SetFocus();
    EXPECT_EQ(c->Color(), clWhite);
}

TEST_F(ComboTest, ButtonHoverBounds)
{
    const struct { int x; bool hover; } rows[] = {{121 - 19, false}, {121 - 19 + 1, true}, {120, true}, {121, false}};
    for (auto r : rows) EXPECT_EQ(ButtonHoverAt(r.x, 121, 19), r.hover) << r.x;

    TAsgComboBox* c = NewCombo();
    Input::Mouse(c->Widget(), QEvent::MouseMove, Qt::NoButton, QPoint(110, 5), Qt::NoButton);
    EXPECT_TRUE(c->ButtonHover());
    Input::Mouse(c->Widget(), QEvent::MouseMove, Qt::NoButton, QPoint(50, 5), Qt::NoButton);
    EXPECT_FALSE(c->ButtonHover());
}

TEST_F(ComboTest, ThemedButtonState)
{
    // enabled, button down, dropped, hover -> state
    const struct { bool en, down, dropped, hover; int state; } rows[] = {
        {false, true, true, true, CBXS_DISABLED},
        {true, true, true, false, CBXS_PRESSED},
        {true, false, false, true, CBXS_HOT},
        {true, false, true, true, CBXS_NORMAL},  // released over the button while dropped
        {true, true, false, true, CBXS_NORMAL},
        {true, false, false, false, CBXS_NORMAL},
    };
    for (auto r : rows)
        EXPECT_EQ(DropButtonThemeState(r.en, r.down, r.dropped, r.hover), r.state)
            << r.en << r.down << r.dropped << r.hover;
}

TEST_F(ComboTest, PaintModeAndBorderDecisions)
{
    auto in = [](auto f) {
        TComboPaintInput i;
        f(i);
        return i;
    };
    const struct { const char* name; TComboPaintInput input; bool own; } rows[] = {
        {"plain", in([](auto&) {}), false},
        {"vista alone", in([](auto& i) { i.IsVista = true; i.Flat = true; i.BorderColor = clRed; }), false},
        {"vista with button colour", in([](auto& i) { i.IsVista = true; i.ButtonColor = clRed; }), true},
        {"flat", in([](auto& i) { i.Flat = true; }), true},
        {"button colour", in([](auto& i) { i.ButtonColor = clRed; }), true},
        {"border colour", in([](auto& i) { i.BorderColor = clRed; }), true},
        {"focus border, focused", in([](auto& i) { i.FocusBorderColor = clRed; i.HasFocus = true; }), true},
        {"focus border, not focused", in([](auto& i) { i.FocusBorderColor = clRed; }), false},
        {"disabled themed no border",
         in([](auto& i) { i.Enabled = false; i.DoVisualStyles = true; i.DisabledBorder = false; }), true},
        {"disabled themed with border", in([](auto& i) { i.Enabled = false; i.DoVisualStyles = true; }), false},
        {"disabled unthemed", in([](auto& i) { i.Enabled = false; i.DisabledBorder = false; }), false},
    };
    for (const auto& r : rows) EXPECT_EQ(ComboPaintsItself(r.input), r.own) << r.name;

    // enabled, flat, border, focus border, vista -> skipped
    EXPECT_TRUE(ComboBordersSkipped(true, false, clNone, clNone, false));
    EXPECT_FALSE(ComboBordersSkipped(false, false, clNone, clNone, false));
    EXPECT_FALSE(ComboBordersSkipped(true, true, clNone, clNone, false));
    EXPECT_TRUE(ComboBordersSkipped(false, true, clNone, clRed, true));
    EXPECT_FALSE(ComboBordersSkipped(true, false, clRed, clNone, true));

    // enabled, themed, disabled border, border, focus border, focus -> rule
    EXPECT_EQ(ControlBorderRule(false, true, false, clRed, clNone, false), cbrDisabledThemed);
    EXPECT_EQ(ControlBorderRule(false, false, false, clRed, clNone, false), cbrBorderColor);
    EXPECT_EQ(ControlBorderRule(true, true, true, clRed, clBlue, true), cbrFocusBorder);
    EXPECT_EQ(ControlBorderRule(true, true, true, clRed, clBlue, false), cbrBorderColor);
    EXPECT_EQ(ControlBorderRule(true, true, true, clNone, clBlue, false), cbrFocusBorder);
    EXPECT_EQ(ControlBorderRule(true, true, true, clNone, clNone, true), cbrDefault);
}

TEST_F(ComboTest, DrawnBorderAndButtonPixels)
{
    Form->Show();
    // Disabled with themes and no disabled border: one frame in RGB(127, 157, 185).
    TAsgComboBox* disabled = NewCombo(20, 20);
    disabled->SetDisabledBorder(false);
    disabled->SetEnabled(false);
    EXPECT_EQ(PixelAt(Grab(disabled), 0, 10), TColor(0x00B99D7F));
    EXPECT_EQ(PixelAt(Grab(disabled), 60, 0), TColor(0x00B99D7F));

    TAsgComboBox* bordered = NewCombo(20, 60);
    bordered->SetBorderColor(clRed);
    QImage b = Grab(bordered);
    EXPECT_EQ(PixelAt(b, 0, 10), clRed);
    EXPECT_EQ(PixelAt(b, 120, 10), clRed);
    EXPECT_EQ(PixelAt(b, 60, 20), clRed);

    // Own button colours: the fill, and the arrow's tip row.
    TAsgComboBox* own = NewCombo(20, 100);
    own->SetButtonColor(clLime);
    own->SetButtonTextColor(clBlue);
    own->SetButtonBorderColor(clBlack);
    QImage o = Grab(own);
    // R: left = 121 - 19 + 2 + 1 - 1 = 104, top 2; triangle at (108, 9)..(114, 9) down to (111, 12).
    EXPECT_EQ(PixelAt(o, 117, 5), clLime);
    EXPECT_EQ(PixelAt(o, 111, 10), clBlue);
    EXPECT_EQ(PixelAt(o, 104, 10), clBlack);
    // Hovered without a hot colour: the plain button colour, not an unset one.
    Input::Mouse(own->Widget(), QEvent::MouseMove, Qt::NoButton, QPoint(110, 5), Qt::NoButton);
    ASSERT_TRUE(own->ButtonHover());
    EXPECT_EQ(PixelAt(Grab(own), 117, 5), clLime);

    // csSimple: no button; right to left: none of our drawing.
    TAsgComboBox* simple = NewCombo(20, 140);
    simple->SetStyle(csSimple);
    simple->SetButtonColor(clLime);
    EXPECT_NE(PixelAt(Grab(simple), 117, 5), clLime);
    TAsgComboBox* rtl = NewCombo(20, 180);
    rtl->Widget()->setLayoutDirection(Qt::RightToLeft);
    rtl->SetButtonColor(clLime);
    QImage r = Grab(rtl);
    for (int x = 100; x < 121; ++x) EXPECT_NE(PixelAt(r, x, 5), clLime) << x;
}

TEST_F(ComboTest, DropUpFiresOncePerClose)
{
    Form->Show();
    TAsgComboBox* c = NewCombo();
    int ups = 0, downs = 0;
    c->OnDropUp = [&](TObject* s) {
        EXPECT_EQ(s, c);
        ++ups;
    };
    c->OnDropDown = [&](TObject*) { ++downs; };
    c->SetDroppedDown(true);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 0);
    c->SetDroppedDown(false);
    EXPECT_EQ(ups, 1);
    c->SetDroppedDown(true);
    c->SetDroppedDown(false);
    EXPECT_EQ(ups, 2);
}

TEST_F(ComboTest, DropUpHandlerThatThrowsIsReported)
{
    Form->Show();
    TAsgComboBox* c = NewCombo();
    c->OnDropUp = [](TObject*) { throw Exception(QStringLiteral("handler failed")); };
    DialogResponder r;
    r.ExpectMessage(QStringLiteral("handler failed"));
    c->SetDroppedDown(true);
    c->SetDroppedDown(false);
    EXPECT_EQ(r.Pending(), 0);
    c->SetItemIndex(0);
    EXPECT_EQ(c->ItemIndex(), 0);
}

TEST_F(ComboTest, LabelPlacementTable)
{
    // A control at (200, 100) sized 121 x 21, a label 40 x 14, margin 4.
    const TRect ctl = Bounds(200, 100, 121, 21);
    const struct { TLabelPosition pos; int left, top; } rows[] = {
        {lpLeftTop, 156, 100},        {lpLeftCenter, 156, 103},     {lpLeftBottom, 156, 107},
        {lpTopLeft, 200, 82},         {lpBottomLeft, 200, 125},     {lpLeftTopLeft, 196, 100},
        {lpLeftCenterLeft, 196, 103}, {lpLeftBottomLeft, 196, 107}, {lpTopCenter, 240, 82},
        {lpBottomCenter, 240, 125},   {lpRightTop, 325, 100},       {lpRightCenter, 325, 103},
        {lpRighBottom, 325, 107},
    };
    for (auto r : rows) {
        TPoint p = LabelPlacement(r.pos, ctl, 40, 14, 4);
        EXPECT_EQ(p.X, r.left) << int(r.pos);
        EXPECT_EQ(p.Y, r.top) << int(r.pos);
    }
    // A label taller than the control centres with truncation toward zero.
    EXPECT_EQ(LabelPlacement(lpLeftCenter, Bounds(0, 0, 10, 10), 4, 13, 0).Y, -1);
}

TEST_F(ComboTest, LabelFollowsTheControl)
{
    Form->Show();
    TAsgComboBox* c = NewCombo(200, 100);
    c->SetLabelPosition(lpTopLeft);
    c->SetLabelCaption(QStringLiteral("Name"));
    TLabel* l = c->ComboLabel();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->Parent(), Form);
    EXPECT_EQ(l->Left(), 200);
    EXPECT_EQ(l->Top(), 100 - l->Height() - 4);
    c->SetBounds(220, 150, 121, 21);
    EXPECT_EQ(l->Left(), 220);

    c->SetEnabled(false);
    EXPECT_FALSE(l->Enabled());
    c->SetEnabled(true);
    EXPECT_TRUE(l->Enabled());
    c->SetLabelAlwaysEnabled(true);
    c->SetEnabled(false);
    EXPECT_TRUE(l->Enabled());
    c->SetEnabled(true);

    c->SetVisible(false);
    EXPECT_FALSE(l->Visible());
    c->SetVisible(true);
    EXPECT_TRUE(l->Visible());

    auto* other = NewCombo(20, 20);
    c->SetFocusLabel(true);
    c->SetFocus();
    EXPECT_TRUE(l->Font()->Style().Contains(fsBold));
    other->SetFocus();
    EXPECT_FALSE(l->Font()->Style().Contains(fsBold));
}

TEST_F(ComboTest, FlatColours)
{
    Form->SetColor(clAqua);
    TAsgComboBox* c = NewCombo();
    c->SetColor(clYellow);
    c->SetFlat(true);
    EXPECT_EQ(c->Color(), clAqua);
    c->SetColor(clYellow);
    c->SetEnabled(false);
    EXPECT_TRUE(c->ParentColor());
    EXPECT_EQ(c->Color(), clAqua);
    c->SetEnabled(true);
    EXPECT_FALSE(c->ParentColor());
    EXPECT_EQ(c->Color(), clYellow);
    c->SetFlat(false);
    EXPECT_EQ(c->Color(), clWindow);
}

TEST_F(ComboTest, LoadingRecordsTheColourAndInits)
{
    auto* c = new TAsgComboBox(Form);
    c->BeginLoading();
    c->SetColor(clYellow);
    c->SetFocusColor(clRed);
    c->SetDropWidth(300);
    c->SetParent(Form);
    c->EndLoading();
    EXPECT_EQ(c->Color(), clYellow);
    EXPECT_EQ(static_cast<QComboBox*>(c->Widget())->view()->minimumWidth(), 300);
    Form->Show();
    auto* other = NewCombo(20, 60);
    c->SetFocus();
    c->SetColor(clLime);
    other->SetFocus();
    EXPECT_EQ(c->Color(), clYellow);
}

}  // namespace
