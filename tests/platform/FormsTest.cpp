// Forms: focus and key dispatch, modal results, showing and closing.
#include "ControlsTestKit.h"
#include "DialogResponder.h"
#include "TestHarness.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct DialogForm : ::testing::Test {
    void SetUp() override
    {
        Form = Create<TForm>(nullptr);
        Form->SetCaption("Dialog");
        Form->SetBounds(0, 0, 280, 120);
        Edit1 = AddEdit("e1", 10);
        Edit2 = AddEdit("e2", 40);
        Ok = AddButton("&OK", 10, mrOk);
        Ok->Default = true;
        Cancel = AddButton("Cancel", 100, mrCancel);
        Cancel->Cancel = true;
        Save = AddButton("&Save", 190, mrNone);
    }
    void TearDown() override { Free(Form); }
    TLogControl* AddEdit(const QString& tag, int top)
    {
        auto* e = new TLogControl(Form, &Log, tag);
        e->SetParent(Form);
        e->SetBounds(10, top, 150, 22);
        e->SetWantKeys(DLGC_WANTCHARS | DLGC_WANTARROWS);
        return e;
    }
    TTestButton* AddButton(const QString& caption, int left, TModalResult mr)
    {
        auto* b = new TTestButton(Form);
        b->SetParent(Form);
        b->SetBounds(left, 80, 80, 25);
        b->SetCaption(caption);
        b->ModalResult = mr;
        return b;
    }
    void Type(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString())
    {
        Input::Key(Form->Widget(), key, mods, text);
    }
    TForm* Form = nullptr;
    TLogControl* Edit1 = nullptr;
    TLogControl* Edit2 = nullptr;
    TTestButton* Ok = nullptr;
    TTestButton* Cancel = nullptr;
    TTestButton* Save = nullptr;
    QStringList Log;
};

TEST_F(DialogForm, TabMovesTheFocusInTabOrderWithEnterAndExit)
{
    Form->Show();
    EXPECT_EQ(Form->FocusedControl(), Edit1);  // the first tab stop
    EXPECT_TRUE(Edit1->Focused());
    TWinControl* previous = nullptr;
    Edit2->OnMessage = [&](TMessage& m) {
        if (m.Msg == WM_SETFOCUS) previous = reinterpret_cast<TWinControl*>(m.WParam);
    };
    Log.clear();
    Type(Qt::Key_Tab);
    EXPECT_EQ(Form->FocusedControl(), Edit2);
    EXPECT_EQ(previous, Edit1);
    EXPECT_EQ(Form->PreviousFocusedControl(), Edit1);
    // Tab's key-down is the form's; its release reaches the new control.
    EXPECT_EQ(Log, (QStringList{"e1:exit", "e2:enter", "e2:keyup 9"}));

    // Tab order, not creation order; Shift+Tab goes back; it wraps.
    Save->SetTabOrder(0);
    Type(Qt::Key_Tab);
    EXPECT_EQ(Form->FocusedControl(), Ok);
    Type(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Form->FocusedControl(), Edit2);
    Ok->SetFocus();
    Type(Qt::Key_Tab);
    Type(Qt::Key_Tab);
    EXPECT_EQ(Form->FocusedControl(), Save);
    // Disabled and hidden controls are skipped.
    Edit1->SetEnabled(false);
    Type(Qt::Key_Tab);
    EXPECT_EQ(Form->FocusedControl(), Edit2);
}

TEST_F(DialogForm, WindowActivationIsNoEnter)
{
    Form->Show();
    Log.clear();
    Form->Hide();
    Form->Show();
    EXPECT_EQ(Form->FocusedControl(), Edit1);
    EXPECT_TRUE(Log.isEmpty()) << Log.join(", ").toStdString();
}

TEST_F(DialogForm, EnterAndEscapeGoToDefaultAndCancelUnlessClaimed)
{
    Form->Show();
    Type(Qt::Key_Return);
    EXPECT_EQ(Ok->Clicks, 1);
    Type(Qt::Key_Escape);
    EXPECT_EQ(Cancel->Clicks, 1);
    // A control that claims Enter and Escape keeps them.
    Edit1->SetWantKeys(DLGC_WANTCHARS | DLGC_WANTALLKEYS);
    Log.clear();
    Type(Qt::Key_Return);
    Type(Qt::Key_Escape);
    EXPECT_EQ(Ok->Clicks, 1);
    EXPECT_EQ(Cancel->Clicks, 1);
    EXPECT_TRUE(Log.contains("e1:keydown 13"));
    EXPECT_TRUE(Log.contains("e1:char 27"));
}

TEST_F(DialogForm, AcceleratorsWhenTheFocusedControlTakesNoCharacters)
{
    Form->Show();
    // The edit takes characters: "s" is typed, Alt+S is the accelerator.
    Type(Qt::Key_S, Qt::NoModifier, "s");
    EXPECT_EQ(Save->Clicks, 0);
    EXPECT_TRUE(Log.contains("e1:char 115"));
    Type(Qt::Key_S, Qt::AltModifier, "s");
    EXPECT_EQ(Save->Clicks, 1);
    // On a button a plain letter is the accelerator.
    Cancel->SetFocus();
    Type(Qt::Key_S, Qt::NoModifier, "s");
    EXPECT_EQ(Save->Clicks, 2);
    EXPECT_FALSE(IsAccel('X', "&Save"));
    EXPECT_FALSE(IsAccel('S', "Fish && Chips"));
    EXPECT_TRUE(IsAccel('c', "Fish && &Chips"));
}

TEST_F(DialogForm, KeyPreviewSeesKeysFirst)
{
    Form->SetKeyPreview(true);
    QStringList order;
    Form->OnKeyDown = [&](TObject*, Word& k, TShiftState) {
        order << "form";
        if (k == VK_F5) k = 0;
    };
    Form->OnKeyPress = [&](TObject*, QChar& c) { order << "form char"; if (c == QLatin1Char('x')) c = QChar(); };
    Form->Show();
    Log.clear();
    Type(Qt::Key_F5);
    Type(Qt::Key_X, Qt::NoModifier, "x");
    EXPECT_EQ(order, (QStringList{"form", "form", "form char"}));
    EXPECT_EQ(Log, (QStringList{"e1:keyup 116", "e1:keydown 88", "e1:keyup 88"}));
}

TEST_F(DialogForm, ShowModalReturnsTheResultOfTheButtonThatClosedIt)
{
    DialogResponder r;
    r.ExpectModal("TForm", [this](TCustomForm* f) {
        EXPECT_TRUE(f->Visible());
        EXPECT_TRUE(f->FormState() & fsModal);
        Input::Click(Ok);
    });
    EXPECT_EQ(Form->ShowModal(), mrOk);
    EXPECT_FALSE(Form->Visible());

    // CloseQuery refusing keeps the form open until the next try.
    bool allow = false;
    Form->OnCloseQuery = [&](TObject*, bool& can) { can = allow; };
    r.ExpectModal("TForm", [&](TCustomForm* f) {
        Input::Click(Ok);
        EXPECT_FALSE(f->ModalStep());
        EXPECT_TRUE(f->Visible());
        allow = true;
        Type(Qt::Key_Escape);
    });
    EXPECT_EQ(Form->ShowModal(), mrCancel);

    // A drive that finishes the closing itself closes the form once.
    int closes = 0;
    Form->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
    r.ExpectModal("TForm", [](TCustomForm* f) {
        f->SetModalResult(mrYes);
        EXPECT_TRUE(f->ModalStep());
    });
    EXPECT_EQ(Form->ShowModal(), mrYes);
    EXPECT_EQ(closes, 1);

    // Close on a modal form cancels it.
    r.ExpectModal("", [](TCustomForm* f) { f->Close(); });
    EXPECT_EQ(Form->ShowModal(), mrCancel);
    // A visible form cannot become modal.
    Form->Show();
    EXPECT_THROW(Form->ShowModal(), EInvalidOperation);
}

TEST_F(DialogForm, AModalFormOverAnotherTakesTheFocusWithoutExits)
{
    Form->Show();
    EXPECT_TRUE(Edit1->Focused());
    auto* modal = Create<TForm>(nullptr);
    auto* inner = new TLogControl(modal, &Log, "m");
    inner->SetParent(modal);
    Log.clear();
    DialogResponder r;
    r.ExpectModal("TForm", [&](TCustomForm* f) {
        EXPECT_FALSE(Edit1->Focused());
        EXPECT_TRUE(inner->Focused());
        f->SetModalResult(mrOk);
    });
    EXPECT_EQ(modal->ShowModal(), mrOk);
    EXPECT_TRUE(Edit1->Focused());
    EXPECT_EQ(Screen->ActiveForm(), Form);
    // Only the modal form's own control entered; the first form saw no exit.
    EXPECT_EQ(Log, QStringList{"m:enter"});
    Free(modal);
}

TEST_F(DialogForm, ShowModalRunsItsOwnEventLoop)
{
    // No hook: the real nested loop runs until a result is set.
    TCustomForm::TModalHook saved = TCustomForm::ModalHook();
    TCustomForm::ModalHook() = nullptr;
    QueueCall([this]() { Input::Click(Cancel); });
    TModalResult mr = Form->ShowModal();
    TCustomForm::ModalHook() = saved;
    EXPECT_EQ(mr, mrCancel);
}

TEST(Forms, CreatedHiddenShownCentredAndTheMainFormEndsTheRun)
{
    QStringList events;
    struct TMyForm : TForm {
        explicit TMyForm(QStringList* ev) : TForm(nullptr)
        {
            SetClientWidth(200);
            SetClientHeight(100);
            SetPosition(poScreenCenter);
            OnCreate = [ev](TObject*) { *ev << "create"; };
            OnShow = [ev](TObject*) { *ev << "show"; };
            OnClose = [ev](TObject*, TCloseAction&) { *ev << "close"; };
        }
    };
    auto* f = Create<TMyForm>(&events);
    EXPECT_EQ(events, QStringList{"create"});
    EXPECT_FALSE(f->Visible());
    EXPECT_FALSE(f->Widget()->isVisible());
    f->Show();
    EXPECT_EQ(f->Width(), 200);
    QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(f->Left(), area.x() + (area.width() - 200) / 2);
    EXPECT_EQ(f->Top(), area.y() + (area.height() - 100) / 2);
    EXPECT_EQ(Screen->ActiveForm(), f);

    // Closing the main form ends the run.
    TApplication app;
    TApplication* saved = Application;
    Application = &app;
    app.SetMainForm(f);
    QueueCall([f]() { f->Close(); });
    app.Run();
    Application = saved;
    EXPECT_TRUE(app.Terminated());
    EXPECT_FALSE(f->Visible());
    EXPECT_EQ(events, (QStringList{"create", "show", "close"}));
    Free(f);
}

TEST(Forms, ReleaseFreesTheFormAfterItsHandler)
{
    auto* f = Create<TForm>(nullptr);
    bool destroyed = false;
    f->OnDestroy = [&](TObject*) { destroyed = true; };
    f->OnClose = [](TObject*, TCloseAction& a) { a = caFree; };
    f->Show();
    bool destroyedInHandler = true;
    QTimer::singleShot(0, [&]() {
        f->Close();
        destroyedInHandler = destroyed;
    });
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_FALSE(destroyedInHandler);
    EXPECT_TRUE(destroyed);
}

TEST_F(DialogForm, GrabbedFormShowsItsControls)
{
    Edit1->SetCaption("first edit");
    Edit2->SetCaption("second");
    // Hidden (as created) and shown: the same picture.
    for (bool shown : {false, true}) {
        if (shown) Form->Show();
        const QString path = TestHarness::GrabPath(shown ? "form-shown.png" : "form-hidden.png");
        ASSERT_TRUE(TestHarness::GrabToPng(Form, path));
        QImage img(path);
        ASSERT_FALSE(img.isNull());
        EXPECT_EQ(img.size(), QSize(280, 120));
        // The edit's frame is drawn black at its place.
        EXPECT_EQ(img.pixelColor(10, 10), QColor(Qt::black)) << "shown " << shown;
        EXPECT_EQ(img.pixelColor(5, 5), ToQColor(clBtnFace)) << "shown " << shown;
    }
}

}  // namespace

namespace {

TEST(FormsFocus, QtFocusChangesAreFocusMovesInsideTheForm)
{
    auto* f = Create<TForm>(nullptr);
    f->SetBounds(0, 0, 200, 100);
    QStringList log;
    auto edit = [&](int top, const QString& name) {
        auto* e = new TWinControl(f, new QLineEdit());
        e->SetParent(f);
        e->SetTabStop(true);
        e->SetBounds(5, top, 150, 22);
        e->OnEnter = [&log, name](TObject*) { log << name + " enter"; };
        e->OnExit = [&log, name](TObject*) { log << name + " exit"; };
        return e;
    };
    TWinControl* a = edit(5, "a");
    TWinControl* b = edit(40, "b");
    f->Show();
    QApplication::processEvents();
    EXPECT_EQ(f->FocusedControl(), a);
    // The user clicks into b: Qt moves its focus, the form follows.
    b->Widget()->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), b->Widget());
    EXPECT_EQ(f->FocusedControl(), b);
    EXPECT_EQ(log, (QStringList{"a enter", "a exit", "b enter"}));
    Free(f);
}

}  // namespace

namespace {

TEST_F(DialogForm, ActiveControlIsFocusedWhenTheFormShows)
{
    Form->SetActiveControl(Edit2);  // hidden: only remembered
    EXPECT_FALSE(Edit2->Focused());
    Form->Show();
    EXPECT_EQ(Form->FocusedControl(), Edit2);
    Form->SetActiveControl(Ok);
    EXPECT_TRUE(Ok->Focused());
    EXPECT_FALSE(Edit2->Focused());
    Edit1->Hide();
    EXPECT_THROW(Form->SetActiveControl(Edit1), EInvalidOperation);
    EXPECT_THROW(Edit1->SetFocus(), EInvalidOperation);
    EXPECT_TRUE(Ok->Focused());
}

TEST(Forms, BorderStyleGivesTheWindowKind)
{
    struct Case {
        TFormBorderStyle style;
        Qt::WindowType type;
        bool frameless;
    };
    const Case cases[] = {
        {bsSizeable, Qt::Window, false},
        {bsSingle, Qt::Window, false},
        {bsDialog, Qt::Dialog, false},
        {bsToolWindow, Qt::Tool, false},
        {bsNone, Qt::Window, true},
    };
    for (const Case& tc : cases) {
        auto* f = Create<TForm>(nullptr);
        f->SetBorderStyle(tc.style);
        f->SetBorderIcons(TBorderIcons{biSystemMenu});
        f->Show();
        EXPECT_EQ(f->Widget()->windowType(), tc.type) << tc.style;
        EXPECT_EQ(f->Widget()->windowFlags().testFlag(Qt::FramelessWindowHint), tc.frameless) << tc.style;
        EXPECT_FALSE(f->Widget()->windowFlags().testFlag(Qt::WindowMinimizeButtonHint)) << tc.style;
        f->SetCaption("Title");
        EXPECT_EQ(f->Widget()->windowTitle(), QStringLiteral("Title"));
        Free(f);
    }
}

}  // namespace

// A form that belongs to another stays a window of its own when its owner
// goes first, and its owner's window does not take it along.
TEST(FormOwnerWindow, OwnedFormOutlivesItsOwner)
{
    TForm* owner = Create<TForm>(nullptr);
    TForm* owned = Create<TForm>(nullptr);
    owned->SetOwnerWindow(owner);
    EXPECT_EQ(owned->Widget()->parentWidget(), owner->Widget());
    EXPECT_TRUE(owned->Widget()->isWindow());
    owned->SetOwnerWindow(owned);  // a form cannot belong to itself
    EXPECT_EQ(owned->OwnerWindow(), owner);
    Free(owner);
    EXPECT_EQ(owned->OwnerWindow(), nullptr);
    EXPECT_EQ(owned->Widget()->parentWidget(), nullptr);
    EXPECT_TRUE(owned->Widget()->isWindow());
    owned->SetCaption(QStringLiteral("still here"));
    EXPECT_EQ(owned->Widget()->windowTitle(), QStringLiteral("still here"));
    Free(owned);
}
