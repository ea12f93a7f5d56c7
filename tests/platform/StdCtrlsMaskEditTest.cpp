// The edit's clipboard messages, password character and character under a
// point; the mask edit's mask typing, modified flag, formatting rectangle
// and selections with the caret at either end; the memo's length limit.
#include "ControlsTestKit.h"
#include "Names.h"
#include "StdCtrls.h"

#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

// An edit that records its clipboard messages and lets them through.
class TClipEdit : public TCustomMaskEdit {
public:
    using TCustomMaskEdit::TCustomMaskEdit;
    QStringList Messages;
    bool Swallow = false;
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_CUT) Messages << QStringLiteral("cut");
        if (m.Msg == WM_COPY) Messages << QStringLiteral("copy");
        if (m.Msg == WM_PASTE) Messages << QStringLiteral("paste");
        if (Swallow && (m.Msg == WM_CUT || m.Msg == WM_COPY || m.Msg == WM_PASTE)) return;
        TCustomMaskEdit::WndProc(m);
    }
    using TCustomMaskEdit::Edit;
};

struct MaskEditTest : ::testing::Test {
    void SetUp() override
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(10, 10, 300, 200);
        Edit = new TClipEdit(Form);
        Edit->SetParent(Form);
        Edit->SetBounds(10, 10, 150, 21);
        Form->Show();
        Edit->SetFocus();
    }
    void TearDown() override { Free(Form); }
    TForm* Form = nullptr;
    TClipEdit* Edit = nullptr;
};

TEST_F(MaskEditTest, EveryClipboardKeyBecomesItsMessage)
{
    const struct {
        int Key;
        Qt::KeyboardModifiers Mods;
        const char* Message;
    } keys[] = {
        {Qt::Key_X, Qt::ControlModifier, "cut"},      {Qt::Key_C, Qt::ControlModifier, "copy"},
        {Qt::Key_V, Qt::ControlModifier, "paste"},    {Qt::Key_Delete, Qt::ShiftModifier, "cut"},
        {Qt::Key_Insert, Qt::ControlModifier, "copy"}, {Qt::Key_Insert, Qt::ShiftModifier, "paste"},
    };
    Edit->Swallow = true;
    Clipboard().SetAsText(QStringLiteral("zz"));
    for (const auto& k : keys) {
        Edit->Messages.clear();
        Edit->SetText(QStringLiteral("abc"));
        Edit->SelectAll();
        Input::Key(Edit, k.Key, k.Mods);
        EXPECT_EQ(Edit->Messages, QStringList({QString::fromLatin1(k.Message)})) << k.Message;
        EXPECT_EQ(Edit->Text(), QStringLiteral("abc")) << "a swallowed message leaves the text";
    }
    // Let through, the messages do what the keys promise.
    Edit->Swallow = false;
    Edit->SetText(QStringLiteral("abc"));
    Edit->SetSelStart(3);
    Input::Key(Edit, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Edit->Text(), QStringLiteral("abczz"));
    EXPECT_TRUE(Edit->Modified());
    Edit->SelectAll();
    Input::Key(Edit, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(Edit->Text(), QString());
    EXPECT_EQ(Clipboard().AsText(), QStringLiteral("abczz"));
    Edit->SetReadOnly(true);
    Edit->PasteFromClipboard();
    EXPECT_EQ(Edit->Text(), QString()) << "no paste into a read-only edit";
}

TEST_F(MaskEditTest, TheContextMenusClipboardEntriesSendTheMessages)
{
    Edit->Swallow = true;
    Edit->SetText(QStringLiteral("abc"));
    Edit->SelectAll();
    Clipboard().SetAsText(QStringLiteral("zz"));
    QContextMenuEvent e(QContextMenuEvent::Mouse, QPoint(5, 5), Edit->Widget()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(Edit->Widget(), &e);
    QMenu* menu = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMenu*>(w); m && m->isVisible()) menu = m;
    ASSERT_TRUE(menu);
    // The entries show their shortcut after a tab.
    const QString copy = QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText);
    const QString paste = QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* a : menu->actions())
        if (a->text().endsWith(u'\t' + copy) || a->text().endsWith(u'\t' + paste)) a->trigger();
    menu->close();
    EXPECT_EQ(Edit->Messages, QStringList({"copy", "paste"}));
    EXPECT_EQ(Edit->Text(), QStringLiteral("abc"));
}

TEST_F(MaskEditTest, MaskTypingFillsPositionsAndSkipsLiterals)
{
    Edit->SetEditMask(QStringLiteral("!90:00:00;1; "));
    Edit->SetText(QStringLiteral("00:00:00"));
    EXPECT_FALSE(Edit->Modified());
    Edit->SetSelStart(0);
    for (QChar ch : QStringLiteral("1234"))
        Input::Key(Edit, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    EXPECT_EQ(Edit->Text(), QStringLiteral("12:34:00"));
    EXPECT_EQ(Edit->SelStart(), 6);
    EXPECT_TRUE(Edit->Modified());
    Input::Key(Edit, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("x"));
    EXPECT_EQ(Edit->Text(), QStringLiteral("12:34:00")) << "a letter fits no digit position";
    Input::Key(Edit, Qt::Key_Backspace);
    EXPECT_EQ(Edit->Text(), QStringLiteral("12:3 :00")) << "Backspace blanks without shifting";
    Edit->SetText(QStringLiteral("07:08:09"));
    EXPECT_FALSE(Edit->Modified());
    EXPECT_EQ(Edit->SelStart(), 0) << "the program's text puts the caret at the start";
}

TEST_F(MaskEditTest, SelectionWithTheCaretAtEitherEnd)
{
    Edit->SetText(QStringLiteral("abcdef"));
    Edit->SetSelection(5, 2);
    EXPECT_EQ(Edit->SelStart(), 2);
    EXPECT_EQ(Edit->SelLength(), 3);
    EXPECT_EQ(Edit->Edit()->cursorPosition(), 2);
    Edit->SetSelection(1, 4);
    EXPECT_EQ(Edit->Edit()->cursorPosition(), 4);
    Edit->SetSelection(3, 99);
    EXPECT_EQ(Edit->SelLength(), 3) << "kept inside the text";
}

TEST_F(MaskEditTest, PasswordCharacterFormattingRectangleAndCharacterUnderAPoint)
{
    Edit->SetText(QStringLiteral("secret"));
    Edit->SetPasswordChar(u'*');
    EXPECT_EQ(Edit->Edit()->echoMode(), QLineEdit::Password);
    EXPECT_EQ(Edit->Text(), QStringLiteral("secret"));
    Edit->SetPasswordChar(QChar());
    EXPECT_EQ(Edit->Edit()->echoMode(), QLineEdit::Normal);
    Edit->SetEditRectangle(TRect(1, 0, 120, 21));
    EXPECT_EQ(Edit->Edit()->textMargins(), QMargins(1, 0, 30, 0));
    EXPECT_EQ(Edit->CharFromPos(TPoint(1, 5)), 0);
    EXPECT_EQ(Edit->CharFromPos(TPoint(140, 5)), 6) << "past the text: its end";
    EXPECT_EQ(Edit->CharFromPos(TPoint(5, 50)), -1);
}

TEST_F(MaskEditTest, MemoRefusesTypingBeyondItsLimit)
{
    auto* memo = new TMemo(Form);
    memo->SetParent(Form);
    memo->SetBounds(10, 40, 150, 80);
    memo->SetMaxLength(6);
    memo->SetFocus();
    for (QChar ch : QStringLiteral("abcd"))
        Input::Key(memo, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    Input::Key(memo, Qt::Key_Return);
    EXPECT_EQ(memo->Text(), QStringLiteral("abcd\r\n")) << "a line break counts two";
    Input::Key(memo, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("e"));
    EXPECT_EQ(memo->Text(), QStringLiteral("abcd\r\n"));
    memo->SetText(QStringLiteral("a longer text set by the program"));
    EXPECT_EQ(memo->Lines()->Count(), 1) << "the program's text is not limited";
}

}  // namespace
