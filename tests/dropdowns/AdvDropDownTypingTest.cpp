// The typing completion the detail, multi-column and grid drop-downs share:
// the same keystrokes give the same text, selection and item in each.
#include "AdvDetailDropDown.h"
#include "AdvGridDropDown.h"
#include "AdvMultiColumnDropDown.h"
#include "DropDownFixture.h"

#include <functional>

namespace {

using DropDownTyping = DropDownTest;

// In one case: the multi-column and grid editors take the item's own case
// when the key is released, the detail editor keeps the typed one.
const char* const TypingWords[] = {"apple", "abacus", "abbey"};

struct TypingEditor {
    const char* Name;
    std::function<TAdvCustomDropDown*()> Make;
    std::function<int(TAdvCustomDropDown*)> Item;
};

template <class T>
void TypingAddRows(T* d)
{
    if (d->Columns()->Count() == 0) d->Columns()->Add()->SetHeader(QStringLiteral("Name"));
    d->BeginUpdate();
    for (const char* w : TypingWords) d->Items()->Add()->SetText({QString::fromLatin1(w)});
    d->EndUpdate();
}

}  // namespace

TEST_F(DropDownTyping, SameCompletionInEveryListEditor)
{
    struct Step {
        const char* Typed;   // "\b" is Backspace; a leading '!' empties the edit first
        const char* Text;
        const char* Selected;
        int Item;
    };
    const Step steps[] = {
        {"!ab", "abacus", "acus", 1},
        {"!x", "x", "", 1},          // no candidate: the text stays, the item too
        {"!ab", "abacus", "acus", 1},
        {"\b", "ab", "", 1},         // Backspace takes the completed tail and pauses the completion
        {"\b", "a", "", 1},
        {"p", "apple", "ple", 0},    // another key completes again
    };
    const TypingEditor editors[] = {
        {"detail",
         [this]() -> TAdvCustomDropDown* {
             auto* d = Focused<TAdvDetailDropDown>();
             for (const char* w : TypingWords) d->Items()->Add()->SetCaption(QString::fromLatin1(w));
             return d;
         },
         [](TAdvCustomDropDown* d) { return static_cast<TAdvDetailDropDown*>(d)->ItemIndex(); }},
        {"multi-column",
         [this]() -> TAdvCustomDropDown* {
             auto* d = Focused<AdvMultiColumnDropDown::TAdvMultiColumnDropDown>();
             TypingAddRows(d);
             return d;
         },
         [](TAdvCustomDropDown* d) { return static_cast<AdvMultiColumnDropDown::TAdvMultiColumnDropDown*>(d)->ItemIndex(); }},
        {"grid",
         [this]() -> TAdvCustomDropDown* {
             auto* d = Focused<TAdvGridDropDown>();
             TypingAddRows(d);
             return d;
         },
         [](TAdvCustomDropDown* d) { return static_cast<TAdvGridDropDown*>(d)->ItemIndex(); }},
    };
    for (const TypingEditor& e : editors) {
        TAdvCustomDropDown* d = e.Make();
        for (const Step& s : steps) {
            QString typed = QString::fromLatin1(s.Typed);
            if (typed.startsWith(u'!')) {
                d->SetTextDirect(QString());
                typed.remove(0, 1);
            }
            for (QChar c : typed) {
                if (c == u'\b') Key(d, Qt::Key_Backspace);
                else Type(d, QString(c));
            }
            EXPECT_EQ(d->TControl::Text(), QString::fromLatin1(s.Text)) << e.Name << " " << s.Typed;
            EXPECT_EQ(d->SelText(), QString::fromLatin1(s.Selected)) << e.Name << " " << s.Typed;
            EXPECT_EQ(e.Item(d), s.Item) << e.Name << " " << s.Typed;
        }
        Free(d);
    }
}

// A key typed over a completed tail: the completion starts again from the
// typed letters, whatever their case, and never keeps the old tail's letters.
TEST_F(DropDownTyping, ThirdLetterAfterACompletionCompletesAgain)
{
    const QStringList three{"apple", "abacus", "abbey"};
    const QStringList one{"abacus"};
    struct Case {
        const QStringList* Words;
        const char* Typed;
        const char* Text;      // compared without case: the detail editor keeps the typed one
        const char* Selected;
    };
    const Case cases[] = {
        {&three, "abb", "abbey", "ey"},
        {&three, "AB", "abacus", "acus"},
        {&three, "aba", "abacus", "cus"},
        {&three, "abx", "abx", ""},  // no candidate: the typed text stays
        {&one, "abb", "abb", ""},
        {&one, "AB", "abacus", "acus"},
        {&one, "ABA", "abacus", "cus"},
    };
    const std::function<TAdvCustomDropDown*(const QStringList&)> makers[] = {
        [this](const QStringList& words) -> TAdvCustomDropDown* {
            auto* d = Focused<TAdvDetailDropDown>();
            for (const QString& w : words) d->Items()->Add()->SetCaption(w);
            return d;
        },
        [this](const QStringList& words) -> TAdvCustomDropDown* {
            auto* d = Focused<AdvMultiColumnDropDown::TAdvMultiColumnDropDown>();
            d->Columns()->Add()->SetHeader(QStringLiteral("Name"));
            d->BeginUpdate();
            for (const QString& w : words) d->Items()->Add()->SetText({w});
            d->EndUpdate();
            return d;
        },
        [this](const QStringList& words) -> TAdvCustomDropDown* {
            auto* d = Focused<TAdvGridDropDown>();
            d->Columns()->Add()->SetHeader(QStringLiteral("Name"));
            d->BeginUpdate();
            for (const QString& w : words) d->Items()->Add()->SetText({w});
            d->EndUpdate();
            return d;
        },
    };
    const char* const names[] = {"detail", "multi-column", "grid"};
    for (int e = 0; e < 3; ++e) {
        for (const Case& c : cases) {
            TAdvCustomDropDown* d = makers[e](*c.Words);
            Type(d, QString::fromLatin1(c.Typed));
            EXPECT_EQ(d->TControl::Text().toLower(), QString::fromLatin1(c.Text)) << names[e] << " " << c.Typed;
            EXPECT_EQ(d->SelText().toLower(), QString::fromLatin1(c.Selected)) << names[e] << " " << c.Typed;
            Free(d);
        }
    }
}

// Fast typing: the next key goes down before the last one comes up, so the
// releases arrive after the following key's completion.
TEST_F(DropDownTyping, OverlappingKeysCompleteAsSeparateOnes)
{
    struct Step {
        bool Down;
        char Key;
    };
    const Step abb[] = {{true, 'a'}, {true, 'b'}, {false, 'a'}, {true, 'b'}, {false, 'b'}, {false, 'b'}};
    const std::function<TAdvCustomDropDown*()> makers[] = {
        [this]() -> TAdvCustomDropDown* {
            auto* d = Focused<AdvMultiColumnDropDown::TAdvMultiColumnDropDown>();
            TypingAddRows(d);
            return d;
        },
        [this]() -> TAdvCustomDropDown* {
            auto* d = Focused<TAdvGridDropDown>();
            TypingAddRows(d);
            return d;
        },
    };
    for (const auto& make : makers) {
        TAdvCustomDropDown* d = make();
        for (const Step& s : abb) {
            const Qt::Key k = Qt::Key(Qt::Key_A + (s.Key - 'a'));
            if (s.Down) QTest::keyPress(d->Widget(), k, Qt::NoModifier);
            else QTest::keyRelease(d->Widget(), k, Qt::NoModifier);
            QApplication::processEvents();
        }
        EXPECT_EQ(d->TControl::Text(), QStringLiteral("abbey"));
        EXPECT_EQ(d->SelText(), QStringLiteral("ey"));
        Free(d);
    }
}
