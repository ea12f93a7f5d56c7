// The memo drop-down: the edit's text from the lines, the memo's keys, and
// the pop-up driven as a user does.
#include "AdvDropDownPaint.h"
#include "AdvMemoDropDown.h"
#include "ClassesLists.h"
#include "DropDownFixture.h"

namespace {

using MemoDropDown = DropDownTest;

TEST_F(MemoDropDown, TheEditShowsTheLines)
{
    auto* d = Add<TAdvMemoDropDown>(20, 20, 150);
    TCanvas measure;
    measure.Font()->Assign(d->Font());
    const int room = d->GetEditRect().Width();
    const QString longLine = QStringLiteral("A first line much too long for the edit to show whole");
    ASSERT_GE(GetTextExtent(&measure, longLine).cx, room);
    const struct {
        bool EditorEnabled;
        QString Lines;
        QString Shown;
    } cases[] = {
        {false, QStringLiteral("One"), QStringLiteral("One")},
        {false, QStringLiteral("One\r\nTwo"), QStringLiteral("One...")},
        {false, longLine + QStringLiteral("\r\nTwo"), FitTextToWidth(&measure, longLine, room, true)},
        {true, QStringLiteral("One\r\nTwo"), QStringLiteral("One\r\nTwo\r\n")},
        {false, QString(), QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Lines.toStdString());
        d->SetEditorEnabled(c.EditorEnabled);
        d->MemoText()->SetText(c.Lines);
        EXPECT_EQ(d->Text(), c.Shown);
    }
    EXPECT_TRUE(d->Text().isEmpty());
    // The shortened line ends in "..." and fits.
    d->SetEditorEnabled(false);
    d->MemoText()->SetText(longLine);
    EXPECT_TRUE(d->Text().endsWith(QStringLiteral("...")));
    EXPECT_LT(GetTextExtent(&measure, d->Text()).cx, room);
}

TEST_F(MemoDropDown, TypedTextBecomesTheLines)
{
    auto* d = Focused<TAdvMemoDropDown>();
    d->SetEditorEnabled(true);
    d->MemoText()->SetText(QStringLiteral("old"));
    d->SelectAll();
    Type(d, QStringLiteral("new"));
    ASSERT_EQ(d->MemoText()->Count(), 1);
    EXPECT_EQ(d->MemoText()->Strings(0), QStringLiteral("new"));
    EXPECT_EQ(d->Text(), QStringLiteral("new")) << "the edit is not rewritten from the lines";
}

TEST_F(MemoDropDown, TypeTwoLinesAndKeepThemThenCancelAChange)
{
    auto* d = Focused<TAdvMemoDropDown>();
    d->SetEditorEnabled(false);
    Key(d, Qt::Key_F4);
    ASSERT_TRUE(d->DroppedDown());
    TMemo* memo = d->Memo();
    ASSERT_TRUE(memo->Focused());
    Type(memo, QStringLiteral("Alpha"));
    Key(memo, Qt::Key_Return);
    EXPECT_TRUE(d->DroppedDown()) << "Enter makes a new line";
    Type(memo, QStringLiteral("Beta"));
    Key(memo, Qt::Key_Up, Qt::AltModifier);
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->MemoText()->Count(), 2);
    EXPECT_EQ(d->Text(), QStringLiteral("Alpha..."));
    EXPECT_EQ(d->SelStart(), 0);

    Key(d, Qt::Key_F4);
    ASSERT_TRUE(d->DroppedDown());
    Type(memo, QStringLiteral("Gamma"));
    Key(memo, Qt::Key_Escape);
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->Text(), QStringLiteral("Alpha..."));
    EXPECT_EQ(d->MemoText()->Text(), QStringLiteral("Alpha\r\nBeta\r\n")) << "a cancel keeps the lines";
}

TEST_F(MemoDropDown, AutoDropOpensOnTabbingInButNotWhenTheFocusReturns)
{
    ShowForm();
    auto* first = Add<TEdit>(20, 200, 80, 21);
    auto* d = Add<TAdvMemoDropDown>(20, 20);
    d->SetAutoDrop(true);
    first->SetFocus();
    Key(first, Qt::Key_Tab);
    EXPECT_TRUE(d->DroppedDown());
    Key(d->Memo(), Qt::Key_F4);
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_TRUE(d->Focused());
    QApplication::processEvents();
    EXPECT_FALSE(d->DroppedDown());
}

TEST_F(MemoDropDown, MemoSettingsReachTheMemo)
{
    auto* d = Focused<TAdvMemoDropDown>();
    d->SetMaxLength(5);
    d->SetMemoScrollBars(ssVertical);
    d->ShowDropDown();
    TMemo* memo = d->Memo();
    EXPECT_EQ(memo->MaxLength(), 5);
    EXPECT_EQ(memo->ScrollBars(), ssVertical);
    // Read-only at once, scroll bars only at the next opening.
    d->SetMemoReadOnly(true);
    EXPECT_TRUE(memo->ReadOnly());
    d->SetMemoScrollBars(ssNone);
    EXPECT_EQ(memo->ScrollBars(), ssVertical);
    d->HideDropDown(false);
    d->SetMemoReadOnly(false);
    d->ShowDropDown();
    EXPECT_EQ(memo->ScrollBars(), ssNone);
    EXPECT_FALSE(memo->ReadOnly());
    Type(memo, QStringLiteral("abcdefg"));
    EXPECT_EQ(memo->Text(), QStringLiteral("abcde")) << "typing beyond MaxLength is refused";
    d->HideDropDown(true);
}

}  // namespace
