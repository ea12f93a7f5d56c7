// The push button control: creation values, setters, the painted face in
// each style and state, mouse, keys, default and cancel keys, accelerators,
// modal results and the hot-track fade.
#include "LbButton.h"

#include "Forms.h"
#include "ImgList.h"
#include "Menus.h"
#include "TestHarness.h"

#include <QApplication>
#include <algorithm>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QDir>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

// The colours the main window gives its buttons.
constexpr TColor FormColor = 15595512;   // 248, 247, 237
constexpr TColor OrangeDown = 33023;     // 255, 128, 0
constexpr TColor YellowHot = 65535;      // 255, 255, 0
constexpr TColor GreyLight = 8421504;

class TTestLbButton : public TLbButton {
public:
    using TLbButton::HotTrackTick;
    using TLbButton::TLbButton;
};

// A focusable control that answers to a given class name (the default and
// cancel keys look at the focused control's class name).
class TNamedControl : public TCustomControl {
public:
    TNamedControl(TComponent* AOwner, const QString& name) : TCustomControl(AOwner), FName(name)
    {
        SetTabStop(true);
    }
    QString ClassName() const override { return FName; }

private:
    QString FName;
};

void SendMouse(TControl* c, QEvent::Type t, Qt::MouseButton b, QPoint p)
{
    Qt::MouseButtons held = t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(b);
    QMouseEvent e(t, QPointF(p), QPointF(c->Widget()->mapToGlobal(p)), b, held, Qt::NoModifier);
    QApplication::sendEvent(c->Widget(), &e);
}

void Press(TControl* c, QPoint p = QPoint(10, 10), Qt::MouseButton b = Qt::LeftButton)
{
    SendMouse(c, QEvent::MouseButtonPress, b, p);
}

void Release(TControl* c, QPoint p = QPoint(10, 10), Qt::MouseButton b = Qt::LeftButton)
{
    SendMouse(c, QEvent::MouseButtonRelease, b, p);
}

void SendKey(TControl* c, QEvent::Type t, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
             const QString& text = QString(), bool autoRepeat = false)
{
    QKeyEvent e(t, key, mods, text, autoRepeat);
    QApplication::sendEvent(c->Widget(), &e);
}

void TypeKey(TControl* c, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString())
{
    SendKey(c, QEvent::KeyPress, key, mods, text);
    SendKey(c, QEvent::KeyRelease, key, mods, text);
}

// Renders the control alone into an image with alpha (nothing behind it).
QImage Render(TControl* c)
{
    QImage img(c->Width(), c->Height(), QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    c->Widget()->render(&img, QPoint(), QRegion(), QWidget::RenderFlags());
    return img;
}

bool WaitUntil(const std::function<bool()>& done, int ms = 3000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

struct LbButtonFixture : ::testing::Test {
    void SetUp() override
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(10, 10, 400, 300);
        Form->SetColor(FormColor);
    }
    void TearDown() override { Free(Form); }

    template <class T = TLbButton>
    T* Add(int x = 8, int y = 8, const QString& caption = QString())
    {
        auto* b = new T(Form);
        b->SetParent(Form);
        b->SetBounds(x, y, 100, 23);
        b->SetCaption(caption);
        return b;
    }
    // A button as the main window sets one up.
    TLbButton* AddStyled(TLbButtonStyle style)
    {
        TLbButton* b = Add();
        b->SetColor(FormColor);
        b->SetColorWhenDown(OrangeDown);
        b->SetHotTrackColor(YellowHot);
        b->SetLightColor(GreyLight);
        b->SetStyle(style);
        return b;
    }
    TForm* Form = nullptr;
};

}  // namespace

// ---- creation and setters ----------------------------------------------------

TEST_F(LbButtonFixture, CreationValues)
{
    Form->Font()->SetName(QStringLiteral("Verdana"));
    Form->Font()->SetHeight(-11);
    TLbButton* b = Add();
    EXPECT_EQ(b->Alignment(), taCenter);
    EXPECT_EQ(b->ShadowColor(), TColor(8421504));
    EXPECT_EQ(b->LightColor(), TColor(16777215));
    EXPECT_EQ(b->ColorWhenDown(), clNone);
    EXPECT_EQ(b->HotTrackColor(), clNone);
    EXPECT_EQ(b->Color(), clBtnFace);
    EXPECT_TRUE(b->Enabled());
    EXPECT_FALSE(b->Flat());
    EXPECT_FALSE(b->WordWrap());
    EXPECT_TRUE(b->Glyph()->Empty());
    EXPECT_EQ(b->Kind(), bkCustom);
    EXPECT_EQ(b->Layout(), blGlyphLeft);
    EXPECT_EQ(b->ModalResult(), mrNone);
    EXPECT_EQ(b->NumGlyphs(), 0);
    EXPECT_FALSE(b->UseHotTrackFont());
    EXPECT_EQ(b->ColorStyle(), lcsCustom);
    EXPECT_EQ(b->Style(), bsNormal);
    EXPECT_FALSE(b->Default());
    EXPECT_FALSE(b->Cancel());
    EXPECT_FALSE(b->SlowDecease());
    EXPECT_EQ(b->HotTrackStep(), 0);
    EXPECT_TRUE(b->TabStop());
    EXPECT_EQ(b->HotTrackFont()->Name(), QStringLiteral("Verdana"));

    auto* loose = new TLbButton(nullptr);
    EXPECT_EQ(loose->Width(), 100);
    EXPECT_EQ(loose->Height(), 23);
    Free(loose);
}

TEST_F(LbButtonFixture, GlyphKindAndModalResultSetters)
{
    TLbButton* b = Add();
    TBitmap strip(36, 18);
    b->SetKind(bkOK);
    b->SetGlyph(&strip);
    EXPECT_EQ(b->NumGlyphs(), 2);
    EXPECT_EQ(b->Kind(), bkCustom);
    EXPECT_EQ(b->Glyph()->Width(), 36);

    TBitmap flat(36, 0);
    b->SetGlyph(&flat);
    EXPECT_EQ(b->NumGlyphs(), 0);
    b->SetGlyph(&strip);
    b->SetGlyph(nullptr);
    EXPECT_EQ(b->NumGlyphs(), 0);
    EXPECT_TRUE(b->Glyph()->Empty());

    struct Kind {
        TLbButtonKind kind;
        TModalResult result;
        QString caption;
        int height;
    };
    const Kind kinds[] = {
        {bkOK, 1, "OK", 18},          {bkCancel, 2, "Abbrechen", 18},    {bkHelp, 0, "Hilfe", 18},
        {bkYes, 6, "Ja", 18},         {bkNo, 7, "Nein", 18},             {bkClose, 0, "Schlie\u00DFen", 18},
        {bkAbort, 3, "Abbrechen", 18}, {bkRetry, 4, "Wiederholen", 18}, {bkIgnore, 5, "Ignorieren", 18},
        {bkAll, 12, "Alle", 19},
    };
    for (const Kind& k : kinds) {
        SCOPED_TRACE(k.caption.toStdString());
        b->SetKind(k.kind);
        EXPECT_EQ(b->Kind(), k.kind);
        EXPECT_EQ(b->ModalResult(), k.result);
        EXPECT_EQ(b->NumGlyphs(), 2);
        EXPECT_EQ(b->Caption(), k.caption);
        EXPECT_EQ(b->Glyph()->Width(), 36);
        EXPECT_EQ(b->Glyph()->Height(), k.height);
    }
    b->SetKind(bkOK);
    b->SetModalResult(mrOk);
    EXPECT_EQ(b->Kind(), bkCustom);
    b->SetKind(bkCustom);
    EXPECT_EQ(b->Caption(), QStringLiteral("OK"));
}

TEST_F(LbButtonFixture, KindPicturesHaveTheirKeyColourBottomLeft)
{
    RegisterLbButtonResources();
    for (const char* name : {"LBOK", "LBCANCEL", "LBHELP", "LBYES", "LBNO", "LBCLOSE", "LBABORT", "LBRETRY",
                             "LBIGNORE", "LBALL"}) {
        SCOPED_TRACE(name);
        TBitmap bmp;
        bmp.LoadFromResourceName(QString::fromLatin1(name));
        const QImage img = bmp.Image();
        const int h = img.height();
        // Both images: the key colour in the bottom-left corner and a symbol
        // of other colours.
        for (int i = 0; i < 2; ++i) {
            const QRgb key = img.pixel(i * 18, h - 1);
            int other = 0;
            for (int y = 0; y < h; ++y)
                for (int x = i * 18; x < i * 18 + 18; ++x) other += img.pixel(x, y) != key;
            EXPECT_GT(other, 10) << "image " << i;
        }
    }
    TBitmap arrow;
    arrow.LoadFromResourceName(QStringLiteral("LBARROW"));
    EXPECT_EQ(arrow.Width(), 5);
    EXPECT_EQ(arrow.Height(), 3);
    EXPECT_NE(arrow.Image().pixel(0, 2), arrow.Image().pixel(2, 2));
}

TEST_F(LbButtonFixture, ColourPresets)
{
    struct Preset {
        TLbColorStyle preset;
        TColor color, light, shadow, down, hot;
        TLbButtonStyle style;
        bool flat;
        TColor font;
    };
    const Preset presets[] = {
        {lcsGold, 49344, 65535, 32896, clNone, 57311, bsModern, false, clBlack},
        {lcsChrome, 12632256, 16777215, 8421504, clNone, clNone, bsModern, false, clBlack},
        {lcsBlue, 16744448, 16776960, 16711680, clNone, clNone, bsModern, false, clBlack},
        {lcsRed, 255, 12632319, 192, clNone, clNone, bsModern, false, clBlack},
        {lcsUltraFlat1, clBtnFace, 11899524, 11899524, 11899524, 14603222, bsNormal, true, clBlack},
        {lcsUltraFlat2, clBtnFace, 0, 0, 2415292, 9238244, bsNormal, true, clBlack},
        {lcsUltraFlatXP, 13752539, 11899524, 11899525, 11899525, 13811126, bsNormal, true, clBlack},
        {lcsAqua, 15519380, 16574164, 0, clNone, clNone, bsModern, false, clBlack},
        {lcsDefault, clBtnFace, 16777215, 8421504, clNone, clNone, bsNormal, false, clBlack},
        {lcsQuicken, 6303744, 12632256, 12632256, 11363625, 13545116, bsQuicken, false, clWhite},
    };
    TLbButton* b = Add();
    for (const Preset& p : presets) {
        SCOPED_TRACE(int(p.preset));
        // Start from something every preset must overwrite.
        b->SetStyle(bsShape);
        b->SetFlat(!p.flat);
        b->Font()->SetColor(clRed);
        b->SetColorStyle(p.preset);
        EXPECT_EQ(b->Color(), p.color);
        EXPECT_EQ(b->LightColor(), p.light);
        EXPECT_EQ(b->ShadowColor(), p.shadow);
        EXPECT_EQ(b->ColorWhenDown(), p.down);
        EXPECT_EQ(b->HotTrackColor(), p.hot);
        EXPECT_EQ(b->Style(), p.style);
        EXPECT_EQ(b->Flat(), p.flat);
        EXPECT_EQ(b->Font()->Color(), p.font);
        EXPECT_EQ(b->ColorStyle(), lcsCustom);
    }
    // The custom preset changes nothing.
    b->SetStyle(bsOld);
    b->SetColorStyle(lcsCustom);
    EXPECT_EQ(b->Style(), bsOld);
}

TEST_F(LbButtonFixture, ActionImageBecomesTheGlyphOfAButtonWithout)
{
    TImageList images;
    images.SetSize(16, 16);
    TBitmap picture(16, 16);
    picture.Canvas()->Brush()->SetColor(clBlue);
    picture.Canvas()->FillRect(TRect(0, 0, 16, 16));
    images.Add(&picture);
    TAction action;
    action.SetImages(&images);
    action.SetImageIndex(0);

    TLbButton* plain = Add();
    plain->SetAction(&action);
    EXPECT_EQ(plain->Glyph()->Width(), 16);
    EXPECT_EQ(plain->Glyph()->Height(), 16);
    EXPECT_EQ(plain->NumGlyphs(), 1);
    EXPECT_EQ(plain->Glyph()->Image().pixelColor(8, 8), QColor(0, 0, 255));

    TLbButton* withGlyph = Add(8, 40);
    TBitmap own(36, 18);
    withGlyph->SetGlyph(&own);
    withGlyph->SetAction(&action);
    EXPECT_EQ(withGlyph->Glyph()->Width(), 36);
    EXPECT_EQ(withGlyph->NumGlyphs(), 2);

    // An index outside the list gives no glyph; a later valid one does.
    TLbButton* late = Add(8, 70);
    TAction other;
    other.SetImages(&images);
    other.SetImageIndex(5);
    late->SetAction(&other);
    EXPECT_TRUE(late->Glyph()->Empty());
    other.SetImageIndex(0);
    EXPECT_EQ(late->NumGlyphs(), 1);
    plain->SetAction(nullptr);
    late->SetAction(nullptr);
    withGlyph->SetAction(nullptr);
}

// ---- the painted face ----------------------------------------------------------

TEST_F(LbButtonFixture, FaceAndFrameByStyleAndState)
{
    Form->Show();
    enum State { Normal, Hot, Pressed, DisabledPressed, FlatIdle, PlainNormal, PlainPressed };
    struct Case {
        const char* name;
        TLbButtonStyle style;
        State state;
        TPoint at;  // negative: from the right/bottom edge
        QColor expected;
    };
    const QColor face(248, 247, 237), hot(255, 255, 0), down(255, 128, 0), white(255, 255, 255),
        grey(128, 128, 128);
    const Case cases[] = {
        {"normal interior", bsNormal, Normal, {50, 11}, face},
        {"hot interior", bsNormal, Hot, {50, 11}, hot},
        {"pressed interior", bsNormal, Pressed, {50, 11}, down},
        {"disabled pressed interior", bsNormal, DisabledPressed, {50, 11}, face},
        {"encarta normal interior", bsEncarta, Normal, {50, 11}, face},
        {"encarta hot interior", bsEncarta, Hot, {50, 11}, hot},
        {"encarta pressed interior", bsEncarta, Pressed, {50, 11}, down},
        {"encarta disabled pressed", bsEncarta, DisabledPressed, {50, 11}, face},
        {"old pressed interior", bsOld, Pressed, {50, 11}, down},
        {"quicken hot interior", bsQuicken, Hot, {50, 11}, hot},
        {"light frame left", bsNormal, PlainNormal, {0, 11}, white},
        {"shadow frame right", bsNormal, PlainNormal, {-1, 11}, grey},
        {"pressed frame left", bsNormal, PlainPressed, {0, 11}, grey},
        {"pressed frame right", bsNormal, PlainPressed, {-1, 11}, white},
        {"flat idle left", bsNormal, FlatIdle, {0, 11}, face},
        {"flat idle right", bsNormal, FlatIdle, {-1, 11}, face},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TLbButton* b = AddStyled(c.style);
        if (c.state == PlainNormal || c.state == PlainPressed) {
            b->SetLightColor(clWhite);
            b->SetColorWhenDown(clNone);
        }
        if (c.state == FlatIdle) b->SetFlat(true);
        if (c.state == Hot) b->Perform(CM_MOUSEENTER);
        if (c.state == DisabledPressed) b->SetEnabled(false);
        if (c.state == Pressed || c.state == PlainPressed || c.state == DisabledPressed) Press(b);
        const QImage img = Render(b);
        const int x = c.at.X < 0 ? img.width() + c.at.X : c.at.X;
        const int y = c.at.Y < 0 ? img.height() + c.at.Y : c.at.Y;
        EXPECT_EQ(img.pixelColor(x, y), c.expected);
        Release(b, QPoint(-50, -50));
        Free(b);
    }
}

TEST_F(LbButtonFixture, StylesWithARoundOutlineLeaveTheCornerSeeThrough)
{
    Form->Show();
    for (TLbButtonStyle style : {bsModern, bsQuicken, bsShape}) {
        TLbButton* b = AddStyled(style);
        EXPECT_EQ(Render(b).pixelColor(0, 0).alpha(), 0) << "style " << style;
        Free(b);
    }
    TLbButton* b = AddStyled(bsEncarta);
    EXPECT_EQ(Render(b).pixelColor(0, 0).alpha(), 255);
}

TEST_F(LbButtonFixture, PopupArrowOnlyWithAPopupMenu)
{
    Form->Show();
    TPopupMenu menu;
    TLbButton* b = AddStyled(bsEncarta);
    const int x = b->Width() - 11, y = b->Height() / 2 - 1;
    EXPECT_EQ(Render(b).pixelColor(x, y), QColor(248, 247, 237));
    b->SetPopupMenu(&menu);
    EXPECT_EQ(Render(b).pixelColor(x, y), QColor(0, 0, 0));
    b->SetPopupMenu(nullptr);
}

TEST_F(LbButtonFixture, NothingIsPaintedWhileLoading)
{
    Form->Show();
    TLbButton* b = AddStyled(bsEncarta);
    b->BeginLoading();
    EXPECT_EQ(Render(b).pixelColor(50, 11).alpha(), 0);
    b->EndLoading();
    EXPECT_EQ(Render(b).pixelColor(50, 11), QColor(248, 247, 237));
}

// ---- mouse and keys -------------------------------------------------------------

TEST_F(LbButtonFixture, MouseClicks)
{
    Form->Show();
    struct Case {
        const char* name;
        std::function<void(TLbButton*)> act;
        int clicks;
    };
    const Case cases[] = {
        {"press and release inside", [](TLbButton* b) { Press(b); Release(b); }, 1},
        {"press inside, release outside", [](TLbButton* b) { Press(b); Release(b, QPoint(300, 200)); }, 1},
        {"press, disable, release", [](TLbButton* b) { Press(b); b->SetEnabled(false); Release(b); }, 0},
        {"right button",
         [](TLbButton* b) {
             Press(b, QPoint(10, 10), Qt::RightButton);
             EXPECT_FALSE(b->Pressed());
             Release(b, QPoint(10, 10), Qt::RightButton);
         },
         0},
        {"double click",
         [](TLbButton* b) {
             Press(b);
             Release(b);
             SendMouse(b, QEvent::MouseButtonDblClick, Qt::LeftButton, QPoint(10, 10));
             Release(b);
         },
         2},
        {"disabled", [](TLbButton* b) { b->SetEnabled(false); Press(b); Release(b); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TLbButton* b = Add();
        int clicks = 0;
        b->OnClick = [&](TObject* sender) {
            EXPECT_EQ(sender, b);
            ++clicks;
        };
        c.act(b);
        EXPECT_EQ(clicks, c.clicks);
        EXPECT_FALSE(b->Pressed());
        Free(b);
    }
}

TEST_F(LbButtonFixture, SpaceAndEnterClickOnceOnRelease)
{
    Form->Show();
    TLbButton* b = Add();
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    b->SetFocus();
    for (int key : {int(Qt::Key_Space), int(Qt::Key_Return)}) {
        clicks = 0;
        const QString text = key == Qt::Key_Space ? QStringLiteral(" ") : QStringLiteral("\r");
        SendKey(b, QEvent::KeyPress, key, Qt::NoModifier, text);
        EXPECT_TRUE(b->Pressed());
        EXPECT_EQ(clicks, 0);
        SendKey(b, QEvent::KeyRelease, key, Qt::NoModifier, text);
        EXPECT_EQ(clicks, 1) << "key " << key;
    }
    // A held Space repeats presses and releases marked as repeats: one click.
    clicks = 0;
    SendKey(b, QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    for (int i = 0; i < 3; ++i) {
        SendKey(b, QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ", true);
        SendKey(b, QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ", true);
    }
    SendKey(b, QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(clicks, 1);

    // A release whose press this button did not see does not click: the key
    // went down elsewhere, or the focus left the button while it was held.
    TLbButton* other = Add(8, 40);
    for (int key : {int(Qt::Key_Space), int(Qt::Key_Return)}) {
        clicks = 0;
        b->SetFocus();
        SendKey(b, QEvent::KeyRelease, key);
        EXPECT_EQ(clicks, 0) << "stray release of key " << key;
        SendKey(b, QEvent::KeyPress, key);
        other->SetFocus();
        b->SetFocus();
        SendKey(b, QEvent::KeyRelease, key);
        EXPECT_EQ(clicks, 0) << "focus left while key " << key << " was held";
        EXPECT_FALSE(b->Pressed());
    }
}

TEST_F(LbButtonFixture, ModalResultClosesTheModalForm)
{
    TLbButton* b = Add();
    b->SetModalResult(mrCancel);
    for (bool bySpace : {false, true}) {
        TCustomForm::ModalHook() = [&](TCustomForm* f) {
            EXPECT_EQ(f, Form);
            if (bySpace) {
                b->SetFocus();
                TypeKey(b, Qt::Key_Space, Qt::NoModifier, " ");
            } else {
                Press(b);
                Release(b);
            }
            return true;
        };
        Form->SetModalResult(mrNone);
        EXPECT_EQ(Form->ShowModal(), mrCancel) << "by space " << bySpace;
    }
    TCustomForm::ModalHook() = nullptr;
}

TEST_F(LbButtonFixture, DefaultAndCancelKeys)
{
    struct Case {
        const char* name;
        const char* focusedClass;  // "" : the other TLbButton is focused
        int key;
        Qt::KeyboardModifiers mods;
        std::function<void(TLbButton* def)> prepare;
        int defaultClicks, cancelClicks, otherClicks;
    };
    const Case cases[] = {
        {"edit + Enter", "TEdit", Qt::Key_Return, Qt::NoModifier, nullptr, 1, 0, 0},
        {"another button + Enter", "", Qt::Key_Return, Qt::NoModifier, nullptr, 0, 0, 1},
        {"platform button + Enter", "TButton", Qt::Key_Return, Qt::NoModifier, nullptr, 0, 0, 0},
        {"check box + Enter", "TCheckBox", Qt::Key_Return, Qt::NoModifier, nullptr, 1, 0, 0},
        {"radio button + Enter", "TRadioButton", Qt::Key_Return, Qt::NoModifier, nullptr, 1, 0, 0},
        {"edit + Escape", "TEdit", Qt::Key_Escape, Qt::NoModifier, nullptr, 0, 1, 0},
        {"another button + Escape", "", Qt::Key_Escape, Qt::NoModifier, nullptr, 0, 1, 0},
        {"edit + Ctrl+Escape", "TEdit", Qt::Key_Escape, Qt::ControlModifier, nullptr, 0, 0, 0},
        {"hidden default", "TEdit", Qt::Key_Return, Qt::NoModifier, [](TLbButton* d) { d->SetVisible(false); },
         0, 0, 0},
        {"disabled default", "TEdit", Qt::Key_Return, Qt::NoModifier, [](TLbButton* d) { d->SetEnabled(false); },
         0, 0, 0},
    };
    Form->Show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TLbButton* def = Add(8, 8, QStringLiteral("OK"));
        def->SetDefault(true);
        TLbButton* cancel = Add(120, 8, QStringLiteral("Cancel"));
        cancel->SetCancel(true);
        TLbButton* other = Add(240, 8, QStringLiteral("Other"));
        TWinControl* focused = other;
        TNamedControl* named = nullptr;
        if (*c.focusedClass) {
            named = new TNamedControl(Form, QString::fromLatin1(c.focusedClass));
            named->SetParent(Form);
            named->SetBounds(8, 60, 100, 23);
            focused = named;
        }
        if (c.prepare) c.prepare(def);
        focused->SetFocus();
        ASSERT_EQ(Form->ActiveControl(), focused);
        int d = 0, k = 0, o = 0;
        def->OnClick = [&](TObject*) { ++d; };
        cancel->OnClick = [&](TObject*) { ++k; };
        other->OnClick = [&](TObject*) { ++o; };
        const QString text = c.key == Qt::Key_Return ? QStringLiteral("\r") : QStringLiteral("\x1b");
        TypeKey(focused, c.key, c.mods, text);
        EXPECT_EQ(d, c.defaultClicks);
        EXPECT_EQ(k, c.cancelClicks);
        EXPECT_EQ(o, c.otherClicks);
        Free(def);
        Free(cancel);
        Free(other);
        if (named) Free(named);
    }
}

TEST_F(LbButtonFixture, AcceleratorClicksAnEnabledButtonOnly)
{
    Form->Show();
    auto* edit = new TNamedControl(Form, QStringLiteral("TEdit"));
    edit->SetParent(Form);
    edit->SetBounds(8, 60, 100, 23);
    for (bool enabled : {true, false}) {
        TLbButton* b = Add(8, 8, QStringLiteral("&Next"));
        b->SetEnabled(enabled);
        int clicks = 0;
        b->OnClick = [&](TObject*) { ++clicks; };
        edit->SetFocus();
        TypeKey(edit, Qt::Key_N, Qt::AltModifier, QStringLiteral("n"));
        EXPECT_EQ(clicks, enabled ? 1 : 0) << "enabled " << enabled;
        Free(b);
    }
}

TEST_F(LbButtonFixture, EnterAndExitEventsOnlyForAnEnabledButton)
{
    Form->Show();
    for (bool enabled : {true, false}) {
        TLbButton* b = Add();
        b->SetEnabled(enabled);
        QStringList log;
        b->OnMouseEnter = [&](TObject*) { log << "enter"; };
        b->OnMouseExit = [&](TObject*) { log << "exit"; };
        b->Perform(CM_MOUSEENTER);
        EXPECT_EQ(b->CursorOnButton(), enabled);
        b->Perform(CM_MOUSELEAVE);
        EXPECT_EQ(log, enabled ? QStringList({"enter", "exit"}) : QStringList()) << "enabled " << enabled;
        EXPECT_EQ(b->HotTrackStep(), 0);
        Free(b);
    }
}

TEST_F(LbButtonFixture, PopupMenuShowsBelowTheButtonOnClick)
{
    Form->Show();
    TPopupMenu menu;
    TPoint shownAt(-1, -1);
    ScopedPopupMenuHook hook([&](TPopupMenu* m, TPoint p) -> TMenuItem* {
        EXPECT_EQ(m, &menu);
        shownAt = p;
        return nullptr;
    });
    TLbButton* b = Add(30, 40);
    b->SetPopupMenu(&menu);
    Press(b);
    Release(b);
    EXPECT_EQ(shownAt, b->ClientToScreen(TPoint(0, b->Height())));
    b->SetPopupMenu(nullptr);
}

// ---- the fade -------------------------------------------------------------------

TEST_F(LbButtonFixture, FadeStepsBackOverEightTicks)
{
    Form->Show();
    auto* b = Add<TTestLbButton>();
    b->SetSlowDecease(true);
    b->Perform(CM_MOUSEENTER);
    EXPECT_EQ(b->HotTrackStep(), 8);
    b->Perform(CM_MOUSELEAVE);
    EXPECT_TRUE(b->Fading());
    for (int expected = 7; expected >= 1; --expected) {
        b->HotTrackTick();
        EXPECT_EQ(b->HotTrackStep(), expected);
        EXPECT_TRUE(b->Fading());
    }
    b->HotTrackTick();
    EXPECT_EQ(b->HotTrackStep(), 0);
    EXPECT_FALSE(b->Fading());

    // The timer itself runs the fade to its end.
    b->Perform(CM_MOUSEENTER);
    b->Perform(CM_MOUSELEAVE);
    EXPECT_TRUE(WaitUntil([&] { return !b->Fading(); }));
    EXPECT_EQ(b->HotTrackStep(), 0);
}

TEST_F(LbButtonFixture, MouseEnterAndSwitchingOffStopTheFade)
{
    Form->Show();
    auto* b = Add<TTestLbButton>();
    b->SetSlowDecease(true);
    b->Perform(CM_MOUSEENTER);
    b->Perform(CM_MOUSELEAVE);
    b->HotTrackTick();
    b->HotTrackTick();
    b->Perform(CM_MOUSEENTER);
    EXPECT_FALSE(b->Fading());
    EXPECT_EQ(b->HotTrackStep(), 8);

    b->Perform(CM_MOUSELEAVE);
    b->HotTrackTick();
    ASSERT_TRUE(b->Fading());
    b->SetSlowDecease(false);
    EXPECT_FALSE(b->Fading());
    EXPECT_EQ(b->HotTrackStep(), 0);

    // Without the fade, leaving restores the plain colour at once.
    b->Perform(CM_MOUSEENTER);
    b->Perform(CM_MOUSELEAVE);
    EXPECT_EQ(b->HotTrackStep(), 0);
    EXPECT_FALSE(b->Fading());
}

// Counts the fade ticks of every button of its kind, alive or not.
class TTickCountingButton : public TLbButton {
public:
    using TLbButton::TLbButton;
    static inline int Ticks = 0;

protected:
    void TimerTick(unsigned id) override
    {
        ++Ticks;
        TLbButton::TimerTick(id);
    }
};

TEST_F(LbButtonFixture, FormOfManyFadingButtonsIsDestroyedCleanly)
{
    Form->Show();
    std::vector<TTickCountingButton*> buttons;
    for (int i = 0; i < 120; ++i) {
        auto* b = Add<TTickCountingButton>((i % 6) * 60, (i / 6) * 12);
        b->SetSlowDecease(true);
        b->Perform(CM_MOUSEENTER);
        b->Perform(CM_MOUSELEAVE);
        buttons.push_back(b);
    }
    TTickCountingButton::Ticks = 0;
    EXPECT_TRUE(std::all_of(buttons.begin(), buttons.end(), [](TLbButton* b) { return b->Fading(); }));
    EXPECT_TRUE(WaitUntil([] { return TTickCountingButton::Ticks > 0; }));
    Free(Form);
    Form = nullptr;
    // Destroying the form stopped every fade: no tick comes any more.
    TTickCountingButton::Ticks = 0;
    WaitUntil([] { return false; }, 4 * TLbButton::FadeInterval);
    EXPECT_EQ(TTickCountingButton::Ticks, 0);
    Form = Create<TForm>(nullptr);
}

// ---- a look at every style, state and layout -------------------------------------

TEST_F(LbButtonFixture, ShowcaseOfStylesStatesAndLayoutsIsGrabbed)
{
    Form->SetBounds(0, 0, 700, 580);
    Form->Show();
    const int left = 90, colW = 112, rowH = 30;
    QStringList rowNames;
    std::vector<TLbButton*> focusColumn, pressColumn;
    auto styled = [&](int col, int row, int w, int h, const QString& caption) {
        TLbButton* b = Add(left + col * colW, 8 + row * rowH, caption);
        b->SetBounds(b->Left(), b->Top(), w, h);
        b->SetColor(FormColor);
        b->SetColorWhenDown(OrangeDown);
        b->SetHotTrackColor(YellowHot);
        b->SetLightColor(GreyLight);
        return b;
    };
    const char* styleNames[] = {"bsNormal", "bsEncarta", "bsModern", "bsOld", "bsShape", "bsQuicken"};
    const char* stateNames[] = {"Normal", "Hot", "Pressed", "Disabled", "Focused"};
    int row = 0;
    for (int s = 0; s < 6; ++s, ++row) {
        rowNames << styleNames[s];
        for (int state = 0; state < 5; ++state) {
            TLbButton* b = styled(state, row, 104, 24, QString::fromLatin1(stateNames[state]));
            b->SetKind(bkOK);
            b->SetCaption(QString::fromLatin1(stateNames[state]));
            b->SetStyle(TLbButtonStyle(s));
            if (state == 1) b->Perform(CM_MOUSEENTER);
            if (state == 2) pressColumn.push_back(b);
            if (state == 3) b->SetEnabled(false);
            if (state == 4) focusColumn.push_back(b);
        }
    }
    const char* layoutNames[] = {"GlyphLeft", "GlyphRight", "GlyphTop", "GlyphBottom"};
    const char* alignNames[] = {"Left", "Right", "Centre"};
    int y = 8 + row * rowH;
    for (int l = 0; l < 4; ++l) {
        const int h = l < 2 ? 26 : 44;
        rowNames << layoutNames[l];
        for (int a = 0; a < 3; ++a) {
            TLbButton* b = Add(left + a * 150, y, QString::fromLatin1(alignNames[a]));
            b->SetBounds(b->Left(), y, 144, h);
            b->SetColor(FormColor);
            b->SetHotTrackColor(YellowHot);
            b->SetLightColor(GreyLight);
            b->SetStyle(bsEncarta);
            b->SetKind(bkRetry);
            b->SetCaption(QString::fromLatin1(alignNames[a]));
            b->SetLayout(TLbButtonLayout(l));
            b->SetAlignment(TAlignment(a == 0 ? taLeftJustify : a == 1 ? taRightJustify : taCenter));
        }
        y += h + 6;
    }
    rowNames << "Misc";
    const QString longCaption = QStringLiteral("A caption far too long for its button");
    TLbButton* wrap = styled(0, 0, 104, 40, longCaption);
    wrap->SetBounds(left, y, 104, 40);
    wrap->SetWordWrap(true);
    TLbButton* cut = styled(0, 0, 104, 24, longCaption);
    cut->SetBounds(left + colW, y, 104, 24);
    TLbButton* flat = styled(0, 0, 104, 24, QStringLiteral("Flat"));
    flat->SetBounds(left + 2 * colW, y, 104, 24);
    flat->SetFlat(true);
    TLbButton* flatHot = styled(0, 0, 104, 24, QStringLiteral("Flat hot"));
    flatHot->SetBounds(left + 3 * colW, y, 104, 24);
    flatHot->SetFlat(true);
    flatHot->Perform(CM_MOUSEENTER);
    TPopupMenu menu;
    TLbButton* popup = styled(0, 0, 104, 24, QStringLiteral("Menu"));
    popup->SetBounds(left + 4 * colW, y, 104, 24);
    popup->SetPopupMenu(&menu);
    // The about box's OK: 81 x 22, a two-image strip.
    TLbButton* about = styled(0, 0, 81, 22, QStringLiteral("OK"));
    about->SetKind(bkOK);
    about->SetBounds(left + 2 * colW, y + 30, 81, 22);
    about->SetStyle(bsEncarta);
    about->SetNumGlyphs(2);
    about->SetModalResult(mrOk);

    // The pressed and focused columns: one such button per grab, each
    // copied in (the mouse and the focus are with one control at a time).
    QImage shot = Form->Widget()->grab().toImage();
    auto copyIn = [&](TLbButton* b) {
        const QImage state = Form->Widget()->grab().toImage();
        QPainter p(&shot);
        const QRect r(b->Left(), b->Top(), b->Width(), b->Height());
        p.drawImage(r.topLeft(), state.copy(r));
    };
    for (TLbButton* b : pressColumn) {
        Press(b);
        copyIn(b);
        Release(b, QPoint(-50, -50));
    }
    for (TLbButton* b : focusColumn) {
        b->SetFocus();
        copyIn(b);
    }
    {
        QPainter p(&shot);
        p.setPen(Qt::black);
        for (int i = 0; i < 6; ++i) p.drawText(4, 8 + i * rowH + 16, rowNames[i]);
        int ly = 8 + 6 * rowH;
        for (int l = 0; l < 4; ++l) {
            p.drawText(4, ly + 16, rowNames[6 + l]);
            ly += (l < 2 ? 26 : 44) + 6;
        }
        p.drawText(4, ly + 16, rowNames[10]);
    }
    const QString path = TestHarness::GrabPath(QStringLiteral("LbButtonShowcase.png"));
    ASSERT_TRUE(shot.save(path, "PNG"));
}
