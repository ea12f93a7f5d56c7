// A masked edit takes from the clipboard only what its mask allows; the
// grid's in-place editor turns every clipboard path into the clipboard
// messages, so that a derived editor can refuse or replace a paste.
#include "ControlsTestKit.h"
#include "Grids.h"
#include "GridsMask.h"
#include "Names.h"
#include "Services.h"
#include "StdCtrls.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <gtest/gtest.h>

namespace {

// Counts the beeps of the test.
struct BeepCounter {
    BeepCounter()
    {
        Old = Services().BeepHook;
        Services().BeepHook = [this](unsigned) { ++Count; };
    }
    ~BeepCounter() { Services().BeepHook = Old; }
    int Count = 0;
    decltype(Services().BeepHook) Old;
};

// An in-place editor that records the clipboard messages it gets.
class TSpyInplaceEdit : public TInplaceEdit {
public:
    using TInplaceEdit::TInplaceEdit;
    using TInplaceEdit::SetParent;
    QStringList Messages;
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_CUT) Messages << QStringLiteral("cut");
        if (m.Msg == WM_COPY) Messages << QStringLiteral("copy");
        if (m.Msg == WM_PASTE) Messages << QStringLiteral("paste");
        TInplaceEdit::WndProc(m);
    }
};

struct InplaceFixture {
    InplaceFixture()
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(10, 10, 300, 200);
        Edit = new TSpyInplaceEdit(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(10, 10, 150, 24);
        Form->Show();
        Edit->SetFocus();
    }
    ~InplaceFixture() { Free(Form); }
    TForm* Form;
    TSpyInplaceEdit* Edit;
};

}  // namespace

TEST(MaskPaste, ModelTakesAllOrNothing)
{
    struct Case {
        const char* Mask;
        const char* Before;  // shown text
        int SelStart, SelLength;
        const char* Clip;
        bool Taken;
        const char* After;  // shown text
        int Caret;
    };
    const Case cases[] = {
        {"00-00;1;_", "__-__", 0, 0, "1234", true, "12-34", 5},
        {"00-00;1;_", "__-__", 0, 0, "12-34", true, "12-34", 5},      // the literal in the text matches
        {"00-00;1;_", "__-__", 0, 0, "12-34\r\n", true, "12-34", 5},  // a trailing line break is dropped
        {"00-00;1;_", "__-__", 0, 0, "12a4", false, "__-__", 0},      // a letter in a digit position
        {"00-00;1;_", "__-__", 0, 0, "123456", false, "__-__", 0},    // longer than the mask
        {"00-00;1;_", "12-34", 3, 2, "9", true, "12-9_", 4},          // the selection is blanked first
        {">LL;1;_", "__", 0, 0, "ab", true, "AB", 2},                  // case conversion as typed
        {"00-00;1;_", "12-34", 0, 0, "", true, "12-34", 0},
    };
    for (const Case& c : cases) {
        TEditMaskModel m(QString::fromLatin1(c.Mask));
        m.SetEditText(QString::fromLatin1(c.Before));
        m.SetSel(c.SelStart, c.SelLength);
        EXPECT_EQ(m.PasteText(QString::fromLatin1(c.Clip)), c.Taken) << c.Mask << " " << c.Clip;
        EXPECT_EQ(m.EditText(), QString::fromLatin1(c.After)) << c.Mask << " " << c.Clip;
        if (c.Taken) {
            EXPECT_EQ(m.SelStart(), c.Caret) << c.Clip;
        }
    }
}

TEST(MaskPaste, MaskEditPastesThroughItsMask)
{
    BeepCounter beeps;
    TForm* form = Create<TForm>(nullptr);
    auto done = qScopeGuard([&] { Free(form); });
    auto* e = new TCustomMaskEdit(form);
    e->SetParent(form);
    form->Show();
    e->SetFocus();
    e->SetEditMask(QStringLiteral("00/00/0000;1;_"));
    Clipboard().SetAsText(QStringLiteral("24122026"));
    Input::Key(e, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(e->Text(), QStringLiteral("24/12/2026"));
    EXPECT_TRUE(e->Modified());
    e->SetText(QString());
    Clipboard().SetAsText(QStringLiteral("hello"));
    e->PasteFromClipboard();
    EXPECT_EQ(e->Text(), QStringLiteral("__/__/____"));
    EXPECT_EQ(beeps.Count, 1);
    // A cut blanks the positions instead of shifting the rest.
    e->SetText(QStringLiteral("24/12/2026"));
    e->SetSelStart(0);
    e->SetSelLength(2);
    e->CutToClipboard();
    EXPECT_EQ(e->Text(), QStringLiteral("__/12/2026"));
    EXPECT_EQ(Clipboard().AsText(), QStringLiteral("24"));
    // Without a mask the edit pastes as it stands.
    e->SetEditMask(QString());
    e->SetText(QStringLiteral("a"));
    e->SetSelStart(1);
    Clipboard().SetAsText(QStringLiteral("bc"));
    e->PasteFromClipboard();
    EXPECT_EQ(e->Text(), QStringLiteral("abc"));
}

TEST(InplacePaste, EveryClipboardPathSendsItsMessage)
{
    InplaceFixture f;
    f.Edit->SetText(QStringLiteral("abc"));
    f.Edit->SelectAll();
    Clipboard().SetAsText(QStringLiteral("zz"));
    const struct {
        int Key;
        Qt::KeyboardModifiers Mods;
        const char* Message;
    } keys[] = {
        {Qt::Key_C, Qt::ControlModifier, "copy"},
        {Qt::Key_Insert, Qt::ControlModifier, "copy"},
        {Qt::Key_V, Qt::ControlModifier, "paste"},
        {Qt::Key_Insert, Qt::ShiftModifier, "paste"},
        {Qt::Key_X, Qt::ControlModifier, "cut"},
        {Qt::Key_Delete, Qt::ShiftModifier, "cut"},
    };
    for (const auto& k : keys) {
        f.Edit->Messages.clear();
        Input::Key(f.Edit, k.Key, k.Mods);
        EXPECT_EQ(f.Edit->Messages, QStringList{QString::fromLatin1(k.Message)}) << k.Message;
    }
    // The context menu's entries.
    f.Edit->Messages.clear();
    f.Edit->SetText(QStringLiteral("abc"));
    f.Edit->SelectAll();
    Clipboard().SetAsText(QStringLiteral("zz"));
    QWidget* viewport = static_cast<QPlainTextEdit*>(f.Edit->Widget())->viewport();
    QContextMenuEvent ev(QContextMenuEvent::Mouse, QPoint(5, 5), viewport->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(viewport, &ev);
    QMenu* menu = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMenu*>(w); m && m->isVisible()) menu = m;
    ASSERT_TRUE(menu);
    const QString paste = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* a : menu->actions())
        if (a->text().endsWith(u'\t' + paste)) a->trigger();
    menu->close();
    EXPECT_EQ(f.Edit->Messages, QStringList{QStringLiteral("paste")});
    EXPECT_EQ(f.Edit->Text(), QStringLiteral("zz"));
    // Drops would insert text past the message.
    EXPECT_FALSE(viewport->acceptDrops());
}

TEST(InplacePaste, MaskedEditorTakesOnlyWhatTheMaskAllows)
{
    BeepCounter beeps;
    InplaceFixture f;
    f.Edit->SetEditMask(QStringLiteral("00-00;1;_"));
    f.Edit->SetSelStart(0);
    Clipboard().SetAsText(QStringLiteral("x1"));
    f.Edit->Perform(WM_PASTE);
    EXPECT_EQ(f.Edit->EditText(), QStringLiteral("__-__"));
    EXPECT_EQ(beeps.Count, 1);
    Clipboard().SetAsText(QStringLiteral("12-34"));
    f.Edit->Perform(WM_PASTE);
    EXPECT_EQ(f.Edit->EditText(), QStringLiteral("12-34"));
    f.Edit->SetReadOnly(true);
    f.Edit->SetSelStart(0);
    Clipboard().SetAsText(QStringLiteral("99"));
    f.Edit->Perform(WM_PASTE);
    EXPECT_EQ(f.Edit->EditText(), QStringLiteral("12-34"));
    // A password cell's text is not copied out.
    f.Edit->SetReadOnly(false);
    f.Edit->SetEditMask(QString());
    f.Edit->SetPasswordChar(u'*');
    f.Edit->SetText(QStringLiteral("pin"));
    f.Edit->SelectAll();
    Clipboard().SetAsText(QStringLiteral("before"));
    f.Edit->Perform(WM_COPY);
    EXPECT_EQ(Clipboard().AsText(), QStringLiteral("before"));
}
