// The drop-down cycle as a user drives it: what opens the pop-up in which
// state, the order of the events, the keys that close it, the guard against
// reopening by the click that closed it, and what closes it from outside.
#include "../platform/ControlsTestKit.h"
#include "DropDownFixture.h"

#include "Dialogs.h"
#include "DialogResponder.h"
#include "asgddEvents.h"

#include <QMimeData>

namespace {

using DropDownCycle = DropDownTest;

enum TTrigger { trButton, trAltDown, trF4, trShowDropDown, trTextClick };
enum TState { stNormal, stReadOnly, stDisabled, stEditorOff, stRefusing };

struct CycleCase {
    TTrigger Trigger;
    TState State;
    bool Opens;
};

const char* TriggerName(TTrigger t)
{
    static const char* names[] = {"button", "Alt+Down", "F4", "ShowDropDown", "click on text"};
    return names[t];
}

const char* StateName(TState s)
{
    static const char* names[] = {"normal", "read-only", "disabled", "editor off", "OnDropDown refusing"};
    return names[s];
}

TEST_F(DropDownCycle, TriggerByStateOpensAndReportsInOrder)
{
    const CycleCase cases[] = {
        {trButton, stNormal, true},          {trAltDown, stNormal, true},        {trF4, stNormal, true},
        {trShowDropDown, stNormal, true},    {trTextClick, stNormal, false},     {trButton, stReadOnly, false},
        {trAltDown, stReadOnly, false},      {trF4, stReadOnly, false},          {trShowDropDown, stReadOnly, false},
        {trButton, stDisabled, false},       {trShowDropDown, stDisabled, false}, {trButton, stEditorOff, true},
        {trAltDown, stEditorOff, true},      {trF4, stEditorOff, true},          {trTextClick, stEditorOff, true},
        {trButton, stRefusing, false},       {trAltDown, stRefusing, false},     {trShowDropDown, stRefusing, false},
    };
    ShowForm();
    for (const CycleCase& c : cases) {
        SCOPED_TRACE(std::string(TriggerName(c.Trigger)) + " / " + StateName(c.State));
        Clock->Advance(1000);
        auto* d = Add<TTestListDropDown>(20, 20);
        QStringList events;
        d->OnBeforeDropDown = [&](TObject*) { events << QStringLiteral("BeforeDropDown"); };
        d->OnDropDown = [&](TObject*, bool& accept) {
            events << QStringLiteral("DropDown");
            if (c.State == stRefusing) accept = false;
        };
        d->OnBeforeDropUp = [&](TObject*) { events << QStringLiteral("BeforeDropUp"); };
        d->OnDropUp = [&](TObject*, bool cancelled) {
            events << QStringLiteral("DropUp(%1)").arg(cancelled ? "cancel" : "keep");
        };
        if (c.State == stReadOnly) d->SetReadOnly(true);
        if (c.State == stEditorOff) d->SetEditorEnabled(false);
        if (c.State != stDisabled) d->SetFocus();
        if (c.State == stDisabled) d->SetEnabled(false);
        switch (c.Trigger) {
        case trButton: ClickButton(d); break;
        case trAltDown: Key(d, Qt::Key_Down, Qt::AltModifier); break;
        case trF4: Key(d, Qt::Key_F4); break;
        case trShowDropDown: d->ShowDropDown(); break;
        case trTextClick: Click(d, TPoint(10, 10)); break;
        }
        EXPECT_EQ(d->DroppedDown(), c.Opens);
        EXPECT_EQ(d->DropDownForm()->Visible(), c.Opens);
        if (c.Opens) {
            EXPECT_EQ(events, QStringList({"BeforeDropDown", "DropDown"}));
            Key(d->List, Qt::Key_Return);
            EXPECT_FALSE(d->DroppedDown());
            EXPECT_FALSE(d->DropDownForm()->Visible());
            EXPECT_EQ(events, QStringList({"BeforeDropDown", "DropDown", "BeforeDropUp", "DropUp(keep)"}));
        } else if (c.State == stRefusing) {
            // The pop-up was prepared, then refused.
            EXPECT_EQ(events, QStringList({"BeforeDropDown", "DropDown"}));
            EXPECT_TRUE(d->Log.contains(QStringLiteral("BeforeDropDown")));
        } else {
            EXPECT_TRUE(events.isEmpty());
        }
        Free(d);
    }
}

TEST_F(DropDownCycle, AltArrowsToggleOnceWhereverTyped)
{
    auto* d = Focused<TTestListDropDown>();
    Key(d, Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(d->DroppedDown());
    EXPECT_EQ(d->Log.count(QStringLiteral("BeforeDropDown")), 1);
    // Alt+Up in the pop-up's list comes back to the edit and closes it once.
    ASSERT_TRUE(d->List->Focused());
    Key(d->List, Qt::Key_Up, Qt::AltModifier);
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->Log.count(QStringLiteral("BeforeDropDown")), 1);
    EXPECT_EQ(d->Log.count(QStringLiteral("AfterDropUp")), 1);
    EXPECT_TRUE(d->Focused());
}

TEST_F(DropDownCycle, EscapeCancelsToTheLastSetTextAndEnterKeeps)
{
    auto* d = Focused<TTestListDropDown>();
    d->SetText(QStringLiteral("Serial"));
    bool cancelled = false;
    d->OnDropUp = [&](TObject*, bool c) { cancelled = c; };

    Key(d, Qt::Key_F4);
    d->SetTextDirect(QStringLiteral("Profibus"));
    Key(d->List, Qt::Key_Escape);
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(d->Text(), QStringLiteral("Serial"));

    Key(d, Qt::Key_F4);
    d->SetTextDirect(QStringLiteral("Profibus"));
    Key(d->List, Qt::Key_Return);
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(d->Text(), QStringLiteral("Profibus"));
}

TEST_F(DropDownCycle, TheClickThatClosesDoesNotReopenWithinAQuarterSecond)
{
    auto* d = Focused<TTestListDropDown>();
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    // The press on the button deactivates the pop-up; its release finds
    // the pop-up closed a moment ago.
    ClickButton(d);
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->DropDownForm()->DeActivateTime(), GetTickCount());

    Clock->Advance(250);
    ClickButton(d);
    EXPECT_FALSE(d->DroppedDown()) << "250 ms are not more than 250 ms";
    // That click found it closed: it did not deactivate anything.
    Clock->Advance(1);
    ClickButton(d);
    EXPECT_TRUE(d->DroppedDown());
}

TEST_F(DropDownCycle, TheReopenGuardHoldsAcrossTheWrapOfTheTickCount)
{
    Clock->SetTickCount(0xFFFFFFFFull - 99);  // 100 ms before the 32-bit wrap
    auto* d = Focused<TTestListDropDown>();
    ClickButton(d);
    ClickButton(d);  // closes at the tick before the wrap
    ASSERT_FALSE(d->DroppedDown());
    Clock->Advance(200);  // past the wrap: the tick is small again
    ASSERT_LT(GetTickCount(), 1000u);
    ClickButton(d);
    EXPECT_FALSE(d->DroppedDown());
    Clock->Advance(51);
    ClickButton(d);
    EXPECT_TRUE(d->DroppedDown());
}

TEST_F(DropDownCycle, DeactivationByWhereTheClickLands)
{
    struct Row {
        const char* Where;
        bool CancelOnDeActivate;
        bool StaysOpen;
        const char* TextAfter;
    };
    const Row rows[] = {
        {"own list", true, true, "typed"},
        {"other control", false, false, "typed"},
        {"other control", true, false, "set"},
    };
    ShowForm();
    QStringList log;
    auto* other = new TLogControl(Form, &log, QStringLiteral("other"));
    other->SetParent(Form);
    other->SetBounds(20, 200, 100, 21);
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.Where) + (r.CancelOnDeActivate ? " cancel" : " keep"));
        Clock->Advance(1000);
        auto* d = Add<TTestListDropDown>(20, 20);
        d->SetFocus();
        d->SetText(QStringLiteral("set"));
        d->ShowDropDown();
        d->DropDownForm()->SetCancelOnDeActivate(r.CancelOnDeActivate);
        d->SetTextDirect(QStringLiteral("typed"));
        if (QString::fromLatin1(r.Where) == QLatin1String("own list"))
            Click(d->List, TPoint(10, 10));
        else
            Click(other, TPoint(5, 5));
        EXPECT_EQ(d->DroppedDown(), r.StaysOpen);
        EXPECT_EQ(d->Text(), QString::fromLatin1(r.TextAfter));
        if (!r.StaysOpen)
            EXPECT_TRUE(log.contains(QStringLiteral("other:down0 5,5"))) << "the click reaches its control";
        log.clear();
        Free(d);
    }
}

// A modal window opened from inside the pop-up.
class TAskForm : public TForm {
public:
    explicit TAskForm(TComponent* AOwner) : TForm(AOwner)
    {
        SetBorderStyle(bsDialog);
        SetBounds(300, 300, 200, 100);
    }
};

TEST_F(DropDownCycle, BlockActivateKeepsThePopupOpenThroughADialogAndADrag)
{
    auto* d = Focused<TTestListDropDown>();
    d->ShowDropDown();
    ASSERT_TRUE(d->DroppedDown());
    d->DropDownForm()->SetBlockActivate(true);

    // A modal window, answered by the responder after a click of its own.
    {
        DialogResponder responder;
        responder.ExpectModal(QStringLiteral("TForm"), [&](TCustomForm* f) {
            Click(f, TPoint(20, 20));
            f->SetModalResult(mrOk);
        });
        auto* ask = Create<TAskForm>(Form);
        EXPECT_EQ(ask->ShowModal(), mrOk);
        Free(ask);
    }
    QApplication::processEvents();
    EXPECT_TRUE(d->DroppedDown());

    // A drag loop that runs while the user clicks elsewhere.
    TDragRunner old = SetDragRunner([&](std::unique_ptr<QMimeData>, Qt::DropActions, TASGDropSource*) {
        Click(Form, TPoint(300, 250));
        return Qt::IgnoreAction;
    });
    TASGDropSource source;
    uint32_t effect = 0;
    BeginTextDragDrop(&source, QStringLiteral("Serial"), QString(), effect, 1, nullptr);
    SetDragRunner(old);
    EXPECT_TRUE(d->DroppedDown());

    d->DropDownForm()->SetBlockActivate(false);
    Click(Form, TPoint(300, 250));
    EXPECT_FALSE(d->DroppedDown());
}

TEST_F(DropDownCycle, OpeningTakesTheFocusWithKillFocusNotExit)
{
    auto* d = Focused<TTestListDropDown>();
    d->SetEditType(etFloat);
    d->SetPrecision(2);
    d->SetTextDirect(QStringLiteral("3.14159"));
    d->Log.clear();
    d->ShowDropDown();
    EXPECT_TRUE(d->Log.contains(QStringLiteral("KillFocus")));
    EXPECT_FALSE(d->Log.contains(QStringLiteral("DoExit")));
    EXPECT_EQ(d->Text(), QStringLiteral("3.14")) << "leaving the edit formats its number";
    EXPECT_FALSE(d->Focused());
    EXPECT_TRUE(d->List->Focused());
    Key(d->List, Qt::Key_Return);
    EXPECT_TRUE(d->Focused());
    EXPECT_FALSE(d->Log.contains(QStringLiteral("DoExit")));
}

}  // namespace
