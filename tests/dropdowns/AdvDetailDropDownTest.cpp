// The detail drop-down: the shared typing completion, choosing, keys,
// the mouse and the pop-up's drawing.
#include "AdvDetailDropDown.h"
#include "DropDownFixture.h"
#include "ExtCtrls.h"
#include "ImgList.h"
#include "TestHarness.h"

#include <QImage>

namespace {

using DetailDropDown = DropDownTest;

TEST(DropDownCompletion, Table)
{
    const QStringList items{"Apple", "abacus", "Abbey"};
    struct Case {
        const char* Text;
        int Caret;
        bool MatchCase;
        bool Some;
        bool Matched;
        const char* Result;
        int Item;
    };
    const Case cases[] = {
        {"ab", 2, false, true, true, "abacus", 1},   // the first in list order
        {"AB", 2, false, true, true, "ABacus", 1},   // the typed case stays
        {"Ab", 2, true, true, true, "Abbey", 2},
        {"AB", 2, true, true, false, "AB", -1},      // no match: the typed part
        {"abxyz", 3, false, true, false, "abx", -1}, // what stood after the caret goes
        {"ab", 0, false, false, false, "", -1},      // an empty key matches nothing
        {"", 0, false, false, false, "", -1},
    };
    for (const Case& c : cases) {
        const auto r = DropDownComplete(items, QString::fromLatin1(c.Text), c.Caret, c.MatchCase);
        ASSERT_EQ(r.has_value(), c.Some) << c.Text;
        if (!r) continue;
        EXPECT_EQ(r->Matched, c.Matched) << c.Text;
        EXPECT_EQ(r->Text, QString::fromLatin1(c.Result)) << c.Text;
        EXPECT_EQ(r->ItemIndex, c.Item) << c.Text;
        EXPECT_EQ(r->Anchor, r->Text.size());
        EXPECT_EQ(r->Caret, c.Matched ? c.Caret : int(r->Text.size()));
    }
    EXPECT_FALSE(DropDownComplete({}, QStringLiteral("a"), 1, false));
    // A long caption completes whole (no cap on the tail).
    const QString longCaption = QStringLiteral("x") + QString(400, QLatin1Char('y'));
    const auto r = DropDownComplete({longCaption}, QStringLiteral("x"), 1, false);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->Text, longCaption);
}

void AddFruit(TAdvDetailDropDown* d)
{
    for (const char* c : {"Apple", "abacus", "Abbey"}) {
        TDetailItem* i = d->Items()->Add();
        i->SetCaption(QString::fromLatin1(c));
        i->SetNotes(QStringLiteral("About <b>%1</b>").arg(QString::fromLatin1(c)));
    }
}

TEST_F(DetailDropDown, CreationAndChoosing)
{
    auto* d = Add<TAdvDetailDropDown>(20, 20);
    EXPECT_EQ(d->ItemHeight(), 22);
    EXPECT_EQ(d->ItemIndex(), -1);
    EXPECT_TRUE(d->EditorEnabled());
    EXPECT_TRUE(d->DropDownEnabled());
    EXPECT_EQ(d->KeyTimer()->Interval(), 500u);
    EXPECT_EQ(d->CaptionFont()->Name(), d->Font()->Name());
    AddFruit(d);
    int selects = 0;
    d->OnSelect = [&](TObject*) { ++selects; };
    d->SetItemIndex(2);
    EXPECT_EQ(d->Text(), QStringLiteral("Abbey"));
    EXPECT_EQ(d->SelLength(), 5);
    d->SetItemIndex(2);  // unchanged: no event
    d->SetItemIndex(3);  // out of range: ignored
    EXPECT_EQ(selects, 1);
    EXPECT_EQ(d->ItemIndex(), 2);
    d->SetItemIndex(-1);  // clears without an event
    EXPECT_EQ(d->Text(), QString());
    EXPECT_EQ(selects, 1);

    // A copied list keeps its notes.
    TDetailItems copy(nullptr);
    copy.Assign(d->Items());
    ASSERT_EQ(copy.Count(), 3);
    EXPECT_EQ(copy.Items(1)->Notes(), QStringLiteral("About <b>abacus</b>"));
    EXPECT_EQ(copy.IndexOf(QStringLiteral("abbey")), -1);
    EXPECT_EQ(copy.IndexOf(QStringLiteral("Abbey")), 2);
}

TEST_F(DetailDropDown, TypingCompletes)
{
    auto* d = Focused<TAdvDetailDropDown>();
    AddFruit(d);
    Type(d, QStringLiteral("ab"));
    EXPECT_EQ(d->Text(), QStringLiteral("abacus"));
    EXPECT_EQ(d->SelText(), QStringLiteral("acus"));
    EXPECT_EQ(d->ItemIndex(), 1);

    d->SetTextDirect(QString());
    Type(d, QStringLiteral("AB"));
    EXPECT_EQ(d->Text(), QStringLiteral("ABacus"));

    d->SetTextDirect(QString());
    d->SetMatchCase(true);
    Type(d, QStringLiteral("Ab"));
    EXPECT_EQ(d->Text(), QStringLiteral("Abbey"));

    // Backspace pauses the completion until another key.
    Key(d, Qt::Key_Backspace);
    EXPECT_EQ(d->Text(), QStringLiteral("Ab"));
    EXPECT_FALSE(d->CompletionEnabled());
    Key(d, Qt::Key_Backspace);
    EXPECT_EQ(d->Text(), QStringLiteral("A"));
    Type(d, QStringLiteral("p"));
    EXPECT_EQ(d->Text(), QStringLiteral("Apple"));
}

TEST_F(DetailDropDown, EnterTakesOnlyAnExactCaption)
{
    auto* d = Focused<TAdvDetailDropDown>();
    AddFruit(d);
    int selects = 0;
    d->OnSelect = [&](TObject*) { ++selects; };
    d->SetTextDirect(QStringLiteral("apple"));
    Key(d, Qt::Key_Return);
    EXPECT_EQ(d->ItemIndex(), -1);
    d->SetTextDirect(QStringLiteral("Abbey"));
    Key(d, Qt::Key_Return);
    EXPECT_EQ(d->ItemIndex(), 2);
    EXPECT_EQ(selects, 1);
}

TEST_F(DetailDropDown, KeysAndMouseInThePopup)
{
    auto* d = Focused<TAdvDetailDropDown>();
    AddFruit(d);
    Key(d, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(d->DroppedDown());
    Key(d->DropDownForm(), Qt::Key_Down);
    Key(d->DropDownForm(), Qt::Key_Down);
    EXPECT_TRUE(d->DroppedDown());
    Key(d->DropDownForm(), Qt::Key_Return);
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->ItemIndex(), 1);
    EXPECT_EQ(d->Text(), QStringLiteral("abacus"));

    // A click on "Abbey" chooses it and closes.
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    TCustomItemSelector* p = d->ItemSelector()->SelectorPanel();
    const TRect r = p->GetItemRect(2);
    Click(p, TPoint(r.Left + 6, r.Top + 6));
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->ItemIndex(), 2);
    EXPECT_EQ(d->Text(), QStringLiteral("Abbey"));

    // Esc after moving restores the item chosen before the opening.
    ClickButton(d);
    Key(d->DropDownForm(), Qt::Key_Up);
    EXPECT_EQ(d->ItemIndex(), 1);
    Key(d->DropDownForm(), Qt::Key_Escape);
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->ItemIndex(), 2);

    // Closed, the arrows move the choice.
    Key(d, Qt::Key_Up);
    EXPECT_EQ(d->ItemIndex(), 1);
}

TEST_F(DetailDropDown, TypeAheadWithinTheKeyTimer)
{
    auto* d = Focused<TAdvDetailDropDown>();
    AddFruit(d);
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    Key(d->DropDownForm(), Qt::Key_A);
    Key(d->DropDownForm(), Qt::Key_B);
    EXPECT_EQ(d->TypeAhead(), QStringLiteral("AB"));
    EXPECT_EQ(d->ItemSelector()->ItemIndex(), 1);
    EXPECT_TRUE(d->DroppedDown());
    // The tick ends the burst: the next letter starts a new text.
    d->KeyTimerTick();
    EXPECT_TRUE(d->TypeAhead().isEmpty());
    Key(d->DropDownForm(), Qt::Key_A, Qt::ShiftModifier);
    EXPECT_EQ(d->TypeAhead(), QStringLiteral("A"));
    EXPECT_EQ(d->ItemSelector()->ItemIndex(), 0);
    Key(d->DropDownForm(), Qt::Key_Escape);
}

TEST_F(DetailDropDown, PopupDrawsImagesPicturesAndNotes)
{
    auto* d = Focused<TAdvDetailDropDown>(20, 20, 220);
    TImageList images;
    images.SetSize(16, 16);
    TBitmap strip;
    strip.SetSize(32, 16);
    strip.Canvas()->Brush()->SetColor(TColor(0xC07030));
    strip.Canvas()->FillRect(TRect(0, 0, 16, 16));
    strip.Canvas()->Brush()->SetColor(TColor(0x2040C0));
    strip.Canvas()->FillRect(TRect(16, 0, 32, 16));
    images.Add(&strip);
    d->SetImages(&images);
    d->SetItemHeight(36);
    d->SetDropDownHeight(130);
    AddFruit(d);
    d->Items()->Items(0)->SetImageIndex(0);
    d->Items()->Items(1)->SetImageIndex(1);
    TBitmap bmp;
    bmp.SetSize(16, 16);
    bmp.Canvas()->Brush()->SetColor(clGreen);
    bmp.Canvas()->FillRect(TRect(0, 0, 16, 16));
    TPicture pic;
    pic.SetGraphic(&bmp);
    d->Items()->Items(2)->SetImage(&pic);
    d->SetItemIndex(1);
    int drawn = 0;
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    QApplication::processEvents();
    TestHarness::GrabToPng(d->DropDownForm(), TestHarness::GrabPath(QStringLiteral("detail-dropdown-list.png")));
    Key(d->DropDownForm(), Qt::Key_Escape);

    // The event replaces the built-in drawing.
    d->OnDrawSelectedImage = [&](TObject*, TCanvas*, TRect) { ++drawn; };
    ClickButton(d);
    QApplication::processEvents();
    TestHarness::GrabToPng(d->DropDownForm(), TestHarness::GrabPath(QStringLiteral("detail-dropdown-custom.png")));
    EXPECT_GE(drawn, 3);
    Key(d->DropDownForm(), Qt::Key_Escape);
    d->SetImages(nullptr);
}

}  // namespace
