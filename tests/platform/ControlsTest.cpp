// Controls: mouse order, capture, wheel, keys, timers, messages, the event
// boundary, alignment and notifications.
#include "ControlsTestKit.h"
#include "DialogResponder.h"
#include "Menus.h"

#include <QLineEdit>
#include <gtest/gtest.h>
#include <memory>

namespace {

struct FormFixture : ::testing::Test {
    void SetUp() override
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(10, 10, 300, 200);
    }
    void TearDown() override { Free(Form); }
    TLogControl* Add(const QString& tag, int x, int y, int w = 60, int h = 24)
    {
        auto* c = new TLogControl(Form, &Log, tag);
        c->SetParent(Form);
        c->SetBounds(x, y, w, h);
        return c;
    }
    TForm* Form = nullptr;
    QStringList Log;
};

using ControlsMouse = FormFixture;

TEST_F(ControlsMouse, DoubleClickArrivesInThePlatformOrder)
{
    struct Case {
        bool doubleClicks;
        QStringList expected;
    };
    const Case cases[] = {
        {true, {"a:down0 3,3", "click", "a:up0 3,3", "dblclick", "a:down0d 3,3", "a:up0 3,3"}},
        // Without double clicks the second press is a plain press (and a click).
        {false, {"a:down0 3,3", "click", "a:up0 3,3", "a:down0 3,3", "click", "a:up0 3,3"}},
    };
    for (const Case& tc : cases) {
        Log.clear();
        TLogControl* a = Add("a", 0, 0);
        unsigned style = a->ControlStyle();
        a->SetControlStyle(tc.doubleClicks ? style | csDoubleClicks : style & ~unsigned(csDoubleClicks));
        a->OnClick = [this](TObject*) { Log << "click"; };
        a->OnDblClick = [this](TObject*) { Log << "dblclick"; };
        Input::DoubleClick(a);
        EXPECT_EQ(Log, tc.expected) << "double clicks " << tc.doubleClicks;
        Free(a);
    }
}

TEST_F(ControlsMouse, CaptureKeepsTheReleaseAndOnlyAReleaseInsideClicks)
{
    TLogControl* a = Add("a", 10, 10);
    TLogControl* b = Add("b", 100, 10);
    int clicks = 0;
    a->OnClick = [&](TObject*) { ++clicks; };
    Input::Press(a, QPoint(5, 5));
    EXPECT_TRUE(a->MouseCapture());
    // The release arrives over b: it goes to a, in a's coordinates, no click.
    Input::Release(b, QPoint(5, 5));
    EXPECT_EQ(Log, (QStringList{"a:down0 5,5", "a:up0 95,5"}));
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(a->MouseCapture());
}

TEST_F(ControlsMouse, CaptureLossIsToldToTheHolder)
{
    Form->Show();
    TLogControl* a = Add("a", 10, 10);
    TLogControl* b = Add("b", 100, 10);
    auto count = [](TLogControl* c, unsigned msg) { return std::count(c->Messages.begin(), c->Messages.end(), msg); };

    a->SetMouseCapture(true);
    b->SetMouseCapture(true);  // taken by another control: told, no cancel mode
    EXPECT_EQ(count(a, WM_CAPTURECHANGED), 1);
    EXPECT_EQ(count(a, WM_CANCELMODE), 0);

    // A focus move away from the holder cancels its mode.
    a->SetFocus();
    EXPECT_EQ(count(b, WM_CANCELMODE), 1);
    EXPECT_EQ(GetCaptureControl(), nullptr);

    // So does a popup menu.
    a->SetMouseCapture(true);
    TPopupMenu menu(nullptr);
    ScopedPopupMenuHook hook([](TPopupMenu*, TPoint) { return nullptr; });
    menu.Popup(0, 0);
    EXPECT_EQ(count(a, WM_CANCELMODE), 1);
    EXPECT_FALSE(a->MouseCapture());
}

TEST_F(ControlsMouse, WheelCountsWholeStepsAndHandsTheRestToTheParent)
{
    auto* panel = new TLogControl(Form);
    panel->SetParent(Form);
    panel->SetBounds(0, 0, 200, 100);
    auto* a = new TLogControl(Form);
    a->SetParent(panel);
    a->SetBounds(0, 0, 50, 50);
    int up = 0, down = 0, parentDown = 0;
    a->OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& h) { ++up; h = true; };
    a->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& h) { ++down; h = false; };
    panel->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool& h) { ++parentDown; h = true; };

    // Not handled by a: the parent gets the wheel message.
    Input::Wheel(a, -120);
    EXPECT_EQ(down, 1);
    EXPECT_EQ(parentDown, 1);

    Input::Wheel(a, 40);
    Input::Wheel(a, 40);
    EXPECT_EQ(up, 0);
    Input::Wheel(a, 40);
    EXPECT_EQ(up, 1);
    Input::Wheel(a, 240);
    EXPECT_EQ(up, 3);
}

TEST_F(ControlsMouse, RightClickShowsThePopupMenuThroughTheSeam)
{
    TLogControl* a = Add("a", 10, 10);
    TPopupMenu menu(Form);
    auto* first = new TMenuItem(nullptr);
    first->SetCaption("&First");
    auto* second = new TMenuItem(nullptr);
    second->SetCaption("Second");
    menu.Items()->Add(first);
    menu.Items()->Add(second);
    a->SetPopupMenu(&menu);
    QStringList seen;
    first->OnClick = [&](TObject*) { seen << "first"; };
    second->OnClick = [&](TObject*) { seen << "second"; };
    menu.OnPopup = [&](TObject*) { seen << "popup"; };

    TPoint at;
    TMenuItem* choice = second;
    ScopedPopupMenuHook hook([&](TPopupMenu* m, TPoint p) {
        EXPECT_EQ(m, &menu);
        at = p;
        return choice;
    });
    Input::Click(a, QPoint(4, 6), Qt::RightButton);
    EXPECT_EQ(seen, (QStringList{"popup", "second"}));
    EXPECT_EQ(at, a->ClientToScreen(TPoint(4, 6)));
    EXPECT_EQ(menu.PopupComponent(), a);

    // Choosing nothing, or a disabled item, clicks nothing.
    seen.clear();
    choice = nullptr;
    menu.Popup(1, 1);
    choice = first;
    first->SetEnabled(false);
    menu.Popup(1, 1);
    EXPECT_EQ(seen, (QStringList{"popup", "popup"}));
    EXPECT_EQ(menu.Items()->Find("first"), first);
}

// ---- keys

using ControlsKeys = FormFixture;

TEST_F(ControlsKeys, KeysBecomeVirtualKeysAndCharacters)
{
    struct Case {
        int key;
        Qt::KeyboardModifiers mods;
        QString text;
        Word vk;
        int ch;  // -1: no character
    };
    const Case cases[] = {
        {Qt::Key_A, Qt::NoModifier, "a", 'A', 'a'},
        {Qt::Key_A, Qt::ShiftModifier, "A", 'A', 'A'},
        {Qt::Key_C, Qt::ControlModifier, "", 'C', 3},
        {Qt::Key_V, Qt::ControlModifier, "\x16", 'V', 22},
        {Qt::Key_X, Qt::ControlModifier, "", 'X', 24},
        {Qt::Key_Backspace, Qt::NoModifier, "", VK_BACK, 8},
        {Qt::Key_Delete, Qt::NoModifier, "", VK_DELETE, -1},
        {Qt::Key_F2, Qt::NoModifier, "", VK_F2, -1},
        {Qt::Key_5, Qt::KeypadModifier, "5", VK_NUMPAD0 + 5, '5'},
        {Qt::Key_Period, Qt::KeypadModifier, ".", VK_DECIMAL, '.'},
        {Qt::Key_Period, Qt::NoModifier, ".", VK_OEM_PERIOD, '.'},
    };
    TLogControl* a = Add("a", 0, 0);
    a->SetWantKeys(DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS);
    Form->Show();
    a->SetFocus();
    for (const Case& tc : cases) {
        Log.clear();
        intptr_t keyData = 0;
        a->OnMessage = [&](TMessage& m) { if (m.Msg == WM_CHAR) keyData = m.LParam; };
        Input::Key(Form->Widget(), tc.key, tc.mods, tc.text);
        QStringList want{QStringLiteral("a:keydown %1").arg(tc.vk)};
        if (tc.ch >= 0) want << QStringLiteral("a:char %1").arg(tc.ch);
        want << QStringLiteral("a:keyup %1").arg(tc.vk);
        EXPECT_EQ(Log, want) << "key " << tc.key;
        if (tc.ch >= 0) {
            EXPECT_EQ((keyData & KF_KEYPAD_BIT) != 0, bool(tc.mods & Qt::KeypadModifier)) << tc.key;
        }
    }
}

TEST_F(ControlsKeys, OnlyKeyPressZeroingSuppressesTheCharacter)
{
    // A ready-made Qt edit behind the control: what reaches it is typed.
    auto* edit = new TWinControl(Form, new QLineEdit());
    edit->SetParent(Form);
    edit->SetBounds(0, 0, 100, 20);
    edit->SetWantKeys(DLGC_WANTCHARS | DLGC_WANTARROWS);
    auto* line = static_cast<QLineEdit*>(edit->Widget());
    Form->Show();
    edit->SetFocus();
    edit->OnKeyDown = [](TObject*, Word& k, TShiftState) { if (k == 'A') k = 0; };
    edit->OnKeyPress = [](TObject*, QChar& c) {
        if (c == QLatin1Char('b')) c = QChar();
        if (c == QLatin1Char('c')) c = QLatin1Char('C');
    };
    Input::Key(Form->Widget(), Qt::Key_A, Qt::NoModifier, "a");
    Input::Key(Form->Widget(), Qt::Key_B, Qt::NoModifier, "b");
    Input::Key(Form->Widget(), Qt::Key_C, Qt::NoModifier, "c");
    EXPECT_EQ(line->text(), QStringLiteral("aC"));
    Input::Key(Form->Widget(), Qt::Key_Backspace);
    EXPECT_EQ(line->text(), QStringLiteral("a"));
}

TEST_F(ControlsKeys, PostedKeyIsDeliveredLaterAsIfTyped)
{
    TLogControl* a = Add("a", 0, 0);
    a->SetWantKeys(DLGC_WANTCHARS);
    a->PostKey('Q', {}, QLatin1Char('q'));
    EXPECT_TRUE(Log.isEmpty());
    QApplication::processEvents();
    EXPECT_EQ(Log, (QStringList{"a:keydown 81", "a:char 113"}));
}

// ---- messages, timers and the event boundary

using ControlsMessages = FormFixture;

TEST_F(ControlsMessages, PostedMessagesPassWndProcFromTheEventLoop)
{
    TLogControl* a = Add("a", 0, 0);
    std::vector<std::pair<uintptr_t, intptr_t>> got;
    a->OnMessage = [&](TMessage& m) { if (m.Msg == WM_USER + 7) got.emplace_back(m.WParam, m.LParam); };
    PostMessage(a, WM_USER + 7, 5, -6);
    EXPECT_TRUE(got.empty());
    QApplication::processEvents();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], (std::pair<uintptr_t, intptr_t>(5, -6)));
    // A message posted to a control that is gone by then is dropped.
    TLogControl* b = Add("b", 0, 0);
    PostMessage(b, WM_USER + 7, 1, 1);
    Free(b);
    QApplication::processEvents();
    EXPECT_EQ(got.size(), 1u);
}

TEST_F(ControlsMessages, BroadcastStopsAtTheFirstAnswer)
{
    TLogControl* a = Add("a", 0, 0);
    TLogControl* b = Add("b", 0, 0);
    TLogControl* c = Add("c", 0, 0);
    b->OnMessage = [](TMessage& m) { if (m.Msg == WM_USER) m.Result = 9; };
    TMessage m{WM_USER, 0, 0, 0};
    Form->Broadcast(m);
    EXPECT_EQ(m.Result, 9);
    EXPECT_EQ(std::count(a->Messages.begin(), a->Messages.end(), WM_USER), 1);
    EXPECT_EQ(std::count(c->Messages.begin(), c->Messages.end(), WM_USER), 0);
}

class TTimerControl : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<std::pair<unsigned, qint64>> Ticks;
    QElapsedTimer Clock;

protected:
    void TimerTick(unsigned id) override { Ticks.emplace_back(id, Clock.elapsed()); }
};

TEST(ControlTimers, IdsTickApartRestartAndStop)
{
    TTimerControl c(nullptr);
    c.Clock.start();
    c.SetTimer(1, 20);
    c.SetTimer(2, 90);
    Input::Wait(200);
    int ones = 0, twos = 0;
    for (auto& [id, at] : c.Ticks) (id == 1 ? ones : twos)++;
    EXPECT_GE(ones, 4);
    EXPECT_GE(twos, 1);
    EXPECT_LT(twos, ones);
    c.KillTimer(1);
    c.KillTimer(2);
    c.KillTimer(3);  // not running: nothing
    EXPECT_FALSE(c.TimerRunning(1));
    c.Ticks.clear();
    Input::Wait(60);
    EXPECT_TRUE(c.Ticks.empty());

    // Setting a running id again starts its wait again.
    c.Clock.restart();
    c.SetTimer(5, 120);
    Input::Wait(80);
    c.SetTimer(5, 120);
    Input::Wait(80);
    EXPECT_TRUE(c.Ticks.empty()) << "restarted timer ticked early";
    Input::Wait(150);
    ASSERT_FALSE(c.Ticks.empty());
    EXPECT_GE(c.Ticks.front().second, 190);
}

TEST_F(ControlsMessages, ExceptionInAMouseHandlerGivesOneDialog)
{
    TLogControl* a = Add("a", 0, 0);
    a->OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) { throw EConvertError("Bad number"); };
    DialogResponder r;
    r.ExpectMessage("Bad number", mrOk, mtError);
    Input::Click(a);
    EXPECT_EQ(r.Pending(), 0);
    EXPECT_EQ(r.Seen().size(), 1);
    // A silent exception shows nothing.
    a->OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) { Abort(); };
    Input::Click(a);
    EXPECT_EQ(r.Seen().size(), 1);
}

TEST_F(ControlsMessages, APaintThatKeepsFailingGivesOneDialog)
{
    TLogControl* a = Add("a", 0, 0);
    int paints = 0;
    bool fail = true;
    a->OnPaintHook = [&]() {
        ++paints;
        if (fail) throw Exception("Paint failed");
    };
    Form->Show();
    DialogResponder r;
    r.ExpectMessage("Paint failed");
    for (int i = 0; i < 4; ++i) {
        a->Repaint();
        QApplication::processEvents();
    }
    EXPECT_GE(paints, 4);
    EXPECT_EQ(r.Seen().size(), 1);
    // After a good paint a new failure is reported again.
    fail = false;
    a->Repaint();
    fail = true;
    r.ExpectMessage("Paint failed");
    a->Repaint();
    QApplication::processEvents();
    EXPECT_EQ(r.Seen().size(), 2);
}

// ---- bounds, alignment, notifications

using ControlsLayout = FormFixture;

TEST_F(ControlsLayout, AlignAndAnchorsFollowTheParent)
{
    Form->SetBounds(0, 0, 300, 200);
    TLogControl* top = Add("top", 0, 0, 10, 30);
    TLogControl* bottom = Add("bottom", 0, 0, 10, 20);
    TLogControl* left = Add("left", 0, 0, 40, 10);
    TLogControl* client = Add("client", 0, 0, 10, 10);
    top->SetAlign(alTop);
    bottom->SetAlign(alBottom);
    left->SetAlign(alLeft);
    client->SetAlign(alClient);
    TLogControl* right = Add("right", 250, 100, 40, 20);
    right->SetAnchors(TAnchors{akRight, akBottom});
    TLogControl* wide = Add("wide", 10, 100, 100, 20);
    wide->SetAnchors(TAnchors{akLeft, akTop, akRight});

    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 300, 30));
    EXPECT_EQ(bottom->BoundsRect(), Rect(0, 180, 300, 200));
    EXPECT_EQ(left->BoundsRect(), Rect(0, 30, 40, 180));
    EXPECT_EQ(client->BoundsRect(), Rect(40, 30, 300, 180));

    Form->SetBounds(0, 0, 400, 250);
    EXPECT_EQ(top->BoundsRect(), Rect(0, 0, 400, 30));
    EXPECT_EQ(client->BoundsRect(), Rect(40, 30, 400, 230));
    EXPECT_EQ(right->BoundsRect(), Rect(350, 150, 390, 170));
    EXPECT_EQ(wide->BoundsRect(), Rect(10, 100, 210, 120));
    // Hiding an aligned control gives its room to the others.
    top->Hide();
    EXPECT_EQ(client->BoundsRect(), Rect(40, 0, 400, 230));
}

TEST_F(ControlsLayout, ParentFontAndColourReachTheChildrenUntilTheyHaveTheirOwn)
{
    TLogControl* a = Add("a", 0, 0);
    a->SetParentColor(true);
    TLogControl* b = Add("b", 0, 0);
    Form->Font()->SetName("DejaVu Sans");
    Form->Font()->SetHeight(-15);
    Form->SetColor(clYellow);
    EXPECT_EQ(a->Font()->Height(), -15);
    EXPECT_EQ(b->Font()->Name(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(a->Color(), clYellow);
    EXPECT_NE(b->Color(), clYellow);
    b->Font()->SetHeight(-20);
    EXPECT_FALSE(b->ParentFont());
    Form->Font()->SetHeight(-9);
    EXPECT_EQ(a->Font()->Height(), -9);
    EXPECT_EQ(b->Font()->Height(), -20);
    // The notifications pass WndProc.
    b->SetEnabled(false);
    b->SetVisible(false);
    for (unsigned msg : {CM_FONTCHANGED, CM_ENABLEDCHANGED, CM_VISIBLECHANGED})
        EXPECT_NE(std::find(b->Messages.begin(), b->Messages.end(), msg), b->Messages.end()) << msg;
    EXPECT_NE(std::find(a->Messages.begin(), a->Messages.end(), CM_PARENTCOLORCHANGED), a->Messages.end());
}

}  // namespace

namespace {

TEST(ControlsWindows, AuxiliaryWindowsNeverTakeTheFocus)
{
    TCustomControl hint(nullptr);
    hint.SetBounds(100, 120, 80, 20);
    hint.MakeAuxiliaryWindow(true);
    QWidget* w = hint.Widget();
    EXPECT_TRUE(w->isWindow());
    EXPECT_FALSE(hint.Visible());
    Qt::WindowFlags f = w->windowFlags();
    EXPECT_TRUE(f.testFlag(Qt::Tool));
    EXPECT_TRUE(f.testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(f.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(f.testFlag(Qt::WindowTransparentForInput));
    EXPECT_TRUE(w->testAttribute(Qt::WA_ShowWithoutActivating));
    hint.Show();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->geometry(), QRect(100, 120, 80, 20));

    TCustomControl list(nullptr);
    list.MakeDropDownWindow();
    EXPECT_EQ(list.Widget()->windowType(), Qt::Popup);
}

TEST(ControlsWindows, RedrawLockAndButtonState)
{
    auto* f = Create<TForm>(nullptr);
    auto* c = new TLogControl(f);
    c->SetParent(f);
    c->Perform(WM_SETREDRAW, 0);
    EXPECT_FALSE(c->Widget()->updatesEnabled());
    EXPECT_TRUE(c->RedrawLocked());
    c->Perform(WM_SETREDRAW, 1);
    EXPECT_TRUE(c->Widget()->updatesEnabled());

    bool downInHandler = false;
    c->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        downInHandler = GetAsyncKeyState(VK_LBUTTON) < 0;
    };
    Input::Press(c, QPoint(2, 2));
    EXPECT_TRUE(downInHandler);
    Input::Release(c, QPoint(2, 2));
    EXPECT_FALSE(GetAsyncKeyState(VK_LBUTTON) < 0);
    Free(f);
}

}  // namespace

namespace {

TEST(ControlsHover, EnterAndLeaveOncePerCrossingAndHints)
{
    auto* f = Create<TForm>(nullptr);
    auto* c = new TLogControl(f);
    c->SetParent(f);
    QStringList seen;
    c->OnMouseEnter = [&](TObject*) { seen << "enter"; };
    c->OnMouseLeave = [&](TObject*) { seen << "leave"; };
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(c->Widget(), &enter);
    QApplication::sendEvent(c->Widget(), &enter);
    QApplication::sendEvent(c->Widget(), &leave);
    EXPECT_EQ(seen, (QStringList{"enter", "leave"}));

    // Hints show (their short part) only with ShowHint, which children take
    // from their parent until they have their own.
    c->SetHint("Save|Saves the table to its file");
    EXPECT_TRUE(c->ParentShowHint());
    EXPECT_TRUE(c->Widget()->toolTip().isEmpty());
    f->SetShowHint(true);
    EXPECT_EQ(c->Widget()->toolTip(), QStringLiteral("Save"));
    c->SetShowHint(false);
    EXPECT_FALSE(c->ParentShowHint());
    EXPECT_TRUE(c->Widget()->toolTip().isEmpty());
    Free(f);
}

}  // namespace
