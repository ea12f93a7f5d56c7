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
