// The string grid's editor controls: the text editor's character filter,
// paste, completion and auto-advance; the combo; spin, button and unit
// edits; date pickers, check box and button; a picture of each open.
#include "AdvGridEditTestKit.h"
#include "AdvGridUnit.h"
#include "Clock.h"
#include "DateUtils.h"
#include "Fakes.h"
#include "FormatSettings.h"
#include "Names.h"
#include "Services.h"
#include "TestHarness.h"

#include <QScopeGuard>
#include <gtest/gtest.h>

namespace {

struct FixedClock : IClock {
    TDateTime Now() override { return EncodeDate(2024, 5, 17) + 0.5; }
    uint64_t TickCount64() override { return 0; }
    void Sleep(uint32_t) override {}
};

// Opens the editor of (1, 1) with the given type.
void OpenAs(EditFixture& f, TEditorType t, const QString& text)
{
    f.Grid->SetCells(1, 1, text);
    f.Grid->OnGetEditorType = [t](TObject*, int, int, TEditorType& e) { e = t; };
    f.Start(1, 1);
    f.Key(Qt::Key_F2);
}

// ---- the text editor -------------------------------------------------------------------

TEST(GridInplaceEdit, CharacterFilterByType)
{
    struct Case {
        const char* name;
        TEditorType type;
        const char* text;
        int selStart, selLength;
        QChar ch;
        const char* after;
        int beeps;
    };
    const Case cases[] = {
        {"normal takes all", edNormal, "ab", 2, 0, u'c', "abc", 0},
        {"numeric digit", edNumeric, "12", 2, 0, u'3', "123", 0},
        {"numeric minus after digits beeps", edNumeric, "12", 2, 0, u'-', "12", 1},
        {"numeric minus at 0", edNumeric, "12", 0, 0, u'-', "-12", 0},
        {"numeric second minus beeps", edNumeric, "-12", 0, 0, u'-', "-12", 1},
        {"numeric letter beeps", edNumeric, "1", 1, 0, u'a', "1", 1},
        {"positive numeric minus beeps", edPositiveNumeric, "1", 0, 0, u'-', "1", 1},
        {"float second separator dropped", edFloat, "1.5", 3, 0, u'.', "1.5", 0},
        {"float separator replaces a selected one", edFloat, "1.5", 1, 1, u'.', "1.5", 0},
        {"float thousand separator dropped", edFloat, "1", 1, 0, u',', "1", 0},
        {"float letter dropped silently", edFloat, "1", 1, 0, u'x', "1", 0},
        {"positive float minus dropped", edPositiveFloat, "1", 0, 0, u'-', "1", 0},
        {"upper case", edUpperCase, "a", 1, 0, u'b', "aB", 0},
        {"lower case", edLowerCase, "A", 1, 0, u'B', "Ab", 0},
        {"mixed case", edMixedCase, "john", 4, 0, u' ', "John ", 0},
        {"valid chars refuses", edValidChars, "A", 1, 0, u'G', "A", 1},
        {"valid chars takes", edValidChars, "A", 1, 0, u'F', "AF", 0},
    };
    for (const Case& k : cases) {
        TCountingBeepHook beeps;
        ScopedService hook(&PlatformServices::BeepHook, beeps);
        EditFixture f;
        f.Grid->SetValidChars(QStringLiteral("0123456789ABCDEF"));
        OpenAs(f, k.type, QString::fromUtf8(k.text));
        TInplaceEdit* ed = f.Grid->NormalEdit();
        ASSERT_TRUE(f.Grid->EditorShown()) << k.name;
        ed->SetSelStart(k.selStart);
        ed->SetSelLength(k.selLength);
        beeps.Reset();
        f.Key(Qt::Key_unknown, {}, QString(k.ch));
        EXPECT_EQ(ed->Text(), QString::fromUtf8(k.after)) << k.name;
        EXPECT_EQ(beeps.Count(), k.beeps) << k.name;
    }
}

TEST(GridInplaceEdit, PasteByType)
{
    struct Case {
        const char* name;
        TEditorType type;
        const char* clip;
        int limit;
        const char* after;
    };
    const Case cases[] = {
        {"trailing line end dropped", edNormal, "line\r\n", 0, "xline"},
        {"two lines kept", edNormal, "a\r\nb", 0, "xa\r\nb"},
        {"numeric refuses letters", edNumeric, "12a", 0, "x"},
        {"positive float refuses a minus", edPositiveFloat, "-1.5", 0, "x"},
        {"over the limit refused", edNormal, "abcdef", 3, "x"},
    };
    for (const Case& k : cases) {
        EditFixture f;
        f.Grid->SetMaxEditLength(k.limit);
        OpenAs(f, k.type, QStringLiteral("x"));
        auto* ed = dynamic_cast<TAdvInplaceEdit*>(f.Grid->NormalEdit());
        ASSERT_NE(ed, nullptr);
        ed->SetSelStart(1);
        ed->PasteText(QString::fromUtf8(k.clip));
        EXPECT_EQ(ed->Text().replace(QChar(u'\n'), QStringLiteral("\r\n")).replace(QStringLiteral("\r\r"), QStringLiteral("\r")),
                  QString::fromUtf8(k.after))
            << k.name;
    }
}

TEST(GridInplaceEdit, PasteEventsRefuseAndReplace)
{
    EditFixture f;
    OpenAs(f, edNormal, QString());
    auto* ed = dynamic_cast<TAdvInplaceEdit*>(f.Grid->NormalEdit());
    QString after;
    f.Grid->OnClipboardAfterPasteCell = [&](TObject*, int, int, const QString& v) { after = v; };
    f.Grid->OnClipboardPaste = [](TObject*, bool& allow) { allow = false; };
    ed->PasteText(QStringLiteral("no"));
    EXPECT_EQ(ed->Text(), QString());
    f.Grid->OnClipboardPaste = nullptr;
    f.Grid->OnClipboardBeforePasteCell = [](TObject*, int, int, bool&, QString& v) { v = QStringLiteral("other"); };
    ed->PasteText(QStringLiteral("yes"));
    EXPECT_EQ(ed->Text(), QStringLiteral("other"));
    EXPECT_EQ(after, QStringLiteral("other"));
}

TEST(GridInplaceEdit, LookupCompletesAndBackspaceDoesNot)
{
    EditFixture f;
    f.Grid->SetLookup(true);
    f.Grid->LookupItems()->Add(QStringLiteral("Apple"));
    f.Grid->LookupItems()->Add(QStringLiteral("Apricot"));
    OpenAs(f, edNormal, QString());
    TInplaceEdit* ed = f.Grid->NormalEdit();
    f.Key(Qt::Key_A, {}, QStringLiteral("a"));
    f.Key(Qt::Key_P, {}, QStringLiteral("p"));
    EXPECT_EQ(ed->Text(), QStringLiteral("apple"));
    EXPECT_EQ(ed->SelText(), QStringLiteral("ple"));
    f.Key(Qt::Key_Backspace, {}, QString(QChar(8)));
    EXPECT_EQ(ed->Text(), QStringLiteral("ap"));
}

TEST(GridInplaceEdit, AutoAdvanceAtMaxEditLength)
{
    EditFixture f;
    f.Grid->SetMaxEditLength(3);
    f.Grid->Navigation()->SetAdvanceAuto(true);
    f.Grid->Navigation()->SetAdvanceOnEnter(true);
    OpenAs(f, edNormal, QString());
    f.Grid->NormalEdit()->SetText(QString());
    f.Type(QStringLiteral("abc"));
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("abc"));
    EXPECT_FALSE(f.Grid->EditorShown());
}

TEST(GridInplaceEdit, NotificationHooksAreCalled)
{
    EditFixture f;
    OpenAs(f, edNormal, QString());
    f.Grid->Calls.clear();
    f.Key(Qt::Key_Equal, {}, QStringLiteral("="));
    EXPECT_TRUE(f.Grid->Calls.contains(QStringLiteral("keymsg")));
    EXPECT_TRUE(f.Grid->Calls.contains(QStringLiteral("formula 1")));
    f.Grid->Calls.clear();
    f.Other->SetFocus();
    EXPECT_TRUE(f.Grid->Calls.contains(QStringLiteral("formula 0")));
    EXPECT_TRUE(f.Grid->Calls.contains(QStringLiteral("caret = -1,-1")));
}

TEST(GridInplaceEdit, AltBackspaceHeldWhileFocusMovesStoresNothing)
{
    EditFixture f;
    OpenAs(f, edNormal, QStringLiteral("old"));
    auto* ed = dynamic_cast<TAdvInplaceEdit*>(f.Grid->NormalEdit());
    ed->SetText(QStringLiteral("new"));
    ed->Perform(WM_SYSKEYDOWN, VK_BACK, 0);
    f.Other->SetFocus();
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("old"));
    // The key-up went elsewhere: the next edit still stores.
    f.Grid->HideInplaceEdit();
    f.Start(1, 2);
    f.Key(Qt::Key_F2);
    ASSERT_FALSE(ed->AltBack());
    ed->SetText(QStringLiteral("stored"));
    f.Other->SetFocus();
    EXPECT_EQ(f.Grid->Cells(1, 2), QStringLiteral("stored"));
}

TEST(GridInplaceEdit, CellColourFontAndAlignment)
{
    EditFixture f;
    f.Grid->SetColors(1, 1, clYellow);
    f.Grid->SetFontColors(1, 1, clRed);
    f.Grid->SetAlignments(1, 1, taRightJustify);
    OpenAs(f, edNormal, QStringLiteral("12"));
    auto* ed = dynamic_cast<TAdvInplaceEdit*>(f.Grid->NormalEdit());
    EXPECT_EQ(ed->Color(), clYellow);
    EXPECT_EQ(ed->Font()->Color(), clRed);
    EXPECT_TRUE(ed->VAlign());
}

// ---- the combo ----------------------------------------------------------------------------

struct ComboFixture : EditFixture {
    explicit ComboFixture(TEditorType t = edComboList, const QString& text = QString())
    {
        for (const char* s : {"alpha", "beta", "gamma"}) Grid->AddComboString(QString::fromLatin1(s));
        Grid->OnComboChange = [this](TObject*, int, int, int i, const QString&) { Changes << i; };
        OpenAs(*this, t, text);
    }
    QList<int> Changes;
};

TEST(GridComboEditor, ListStyleLoadsByCellText)
{
    struct Case {
        const char* name;
        const char* text;
        int preset;
        bool empty;
        int index;
        QList<int> changes;
    };
    const Case cases[] = {
        {"listed", "beta", -1, false, 1, {}},
        {"tags stripped", "<b>gamma</b>", -1, false, 2, {}},
        {"neither, no preset", "delta", -1, false, 0, {0}},
        {"neither, preset", "delta", 2, false, 2, {}},
        {"empty list", "delta", -1, true, -1, {}},
    };
    for (const Case& k : cases) {
        EditFixture f;
        if (!k.empty)
            for (const char* s : {"alpha", "beta", "gamma"}) f.Grid->AddComboString(QString::fromLatin1(s));
        QList<int> changes;
        f.Grid->OnComboChange = [&](TObject*, int, int, int i, const QString&) { changes << i; };
        f.Grid->SetComboSelection(k.preset);
        OpenAs(f, edComboList, QString::fromUtf8(k.text));
        EXPECT_EQ(f.Grid->Combobox()->ItemIndex(), k.index) << k.name;
        EXPECT_EQ(changes, k.changes) << k.name;
    }
}

TEST(GridComboEditor, WheelStopsAtBothEnds)
{
    ComboFixture f(edComboList, QStringLiteral("gamma"));
    TGridCombo* cb = f.Grid->Combobox();
    QWheelEvent down(QPointF(3, 3), QPointF(3, 3), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(cb->Widget(), &down);
    EXPECT_EQ(cb->ItemIndex(), 2);
    for (int i = 0; i < 4; ++i) {
        QWheelEvent up(QPointF(3, 3), QPointF(3, 3), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
        QApplication::sendEvent(cb->Widget(), &up);
    }
    EXPECT_EQ(cb->ItemIndex(), 0);
    EXPECT_EQ(f.Changes, (QList<int>{1, 0}));
}

TEST(GridComboEditor, RefusedEnterKeepsTheEditableComboOpen)
{
    EditFixture f;
    f.Grid->OnCellValidate = [](TObject*, int, int, QString& v, bool& ok) {
        ok = false;
        v = QStringLiteral("fixed");
    };
    OpenAs(f, edComboEdit, QStringLiteral("x"));
    TGridCombo* cb = f.Grid->Combobox();
    cb->SetText(QStringLiteral("bad"));
    f.Key(Qt::Key_Return, {}, QStringLiteral("\r"));
    EXPECT_TRUE(cb->Visible());
    EXPECT_EQ(cb->Text(), QStringLiteral("fixed"));
}

TEST(GridComboEditor, EscapeRestoresAndLookupHistoryAdds)
{
    ComboFixture f(edComboEdit, QStringLiteral("beta"));
    f.Grid->SetLookupHistory(true);
    TGridCombo* cb = f.Grid->Combobox();
    cb->SetText(QStringLiteral("zeta"));
    f.Key(Qt::Key_Escape, {}, QString(QChar(27)));
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("beta"));
    f.Start(1, 1);
    f.Key(Qt::Key_F2);
    cb->SetText(QStringLiteral("zeta"));
    f.Other->SetFocus();
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("zeta"));
    EXPECT_GE(cb->Items()->IndexOf(QStringLiteral("zeta")), 0);
}

TEST(GridComboEditor, SizeDropDownWidthBelowAndAboveTheCount)
{
    EditFixture f;
    f.Grid->Font()->SetName(QStringLiteral("DejaVu Sans"));
    f.Grid->Font()->SetSize(9);
    OpenAs(f, edComboList, QString());
    TGridCombo* cb = f.Grid->Combobox();
    const QString wide = QString(40, QChar(u'W'));
    const int T = QFontMetrics(f.Grid->Font()->ToQFont()).horizontalAdvance(wide);
    cb->Items()->Clear();
    cb->Items()->Add(wide);
    cb->SetDropDownCount(8);
    cb->SizeDropDownWidth();
    EXPECT_EQ(cb->DropWidth(), T + 8);
    for (int i = 0; i < 9; ++i) cb->Items()->Add(QStringLiteral("x"));
    cb->SizeDropDownWidth();
    EXPECT_EQ(cb->DropWidth(), T + 25);
}

// ---- spin, button and unit edits ------------------------------------------------------

TEST(GridSpinEditor, ValuesFromTheCellText)
{
    ScopedService clock(&PlatformServices::Clock, std::shared_ptr<IClock>(std::make_shared<FixedClock>()));
    FormatSettings fs = DefaultFormatSettings();
    fs.DecimalSeparator = u',';
    fs.ThousandSeparator = u'.';
    ScopedFormatSettings regional(fs);
    struct Case {
        const char* name;
        TEditorType type;
        const char* text;
        const char* stored;
    };
    const Case cases[] = {
        {"digits then letters", edSpinEdit, "12abc", "12"},
        {"not a number", edSpinEdit, "abc", "0"},
        {"money text", edFloatSpinEdit, "€ 1.234,50", "1234,50"},
        {"empty date is now", edDateSpinEdit, "", "17/05/2024"},
    };
    for (const Case& k : cases) {
        EditFixture f;
        f.Grid->SpinEdit()->SetMaxFloatValue(10000);
        OpenAs(f, k.type, QString::fromUtf8(k.text));
        ASSERT_TRUE(f.Grid->SpinEdit()->Visible()) << k.name;
        f.Grid->HideInplaceEdit();
        EXPECT_EQ(f.Grid->Cells(1, 1), QString::fromUtf8(k.stored)) << k.name;
    }
}

TEST(GridSpinEditor, AllowEmptyValueEmptiesTheCell)
{
    EditFixture f;
    f.Grid->SpinEdit()->SetAllowEmptyValue(true);
    OpenAs(f, edSpinEdit, QStringLiteral("5"));
    f.Grid->SpinEdit()->SetText(QStringLiteral("  "));
    f.Grid->HideInplaceEdit();
    EXPECT_EQ(f.Grid->Cells(1, 1), QString());
}

TEST(GridSpinEditor, PageHomeEndKeys)
{
    struct Case {
        int key;
        int value;
    };
    const Case cases[] = {{Qt::Key_PageUp, 11}, {Qt::Key_PageDown, 9}, {Qt::Key_Home, 100}, {Qt::Key_End, 0}};
    for (const Case& k : cases) {
        EditFixture f;
        QList<bool> clicks;
        f.Grid->OnSpinClick = [&](TObject*, int, int, int, bool up) { clicks << up; };
        OpenAs(f, edSpinEdit, QStringLiteral("10"));
        f.Key(k.key);
        EXPECT_EQ(f.Grid->SpinEdit()->Value(), k.value) << k.key;
        EXPECT_EQ(clicks.size(), 1) << k.key;
    }
}

TEST(GridSpinEditor, EscapeWithAutoEditReopensOnTheSameCell)
{
    EditFixture f;
    f.Grid->Navigation()->SetAdvanceOnEnter(true);
    f.Grid->Navigation()->SetAdvanceAutoEdit(true);
    OpenAs(f, edSpinEdit, QStringLiteral("3"));
    f.Grid->SpinEdit()->SetValue(8);
    f.Key(Qt::Key_Escape, {}, QString(QChar(27)));
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("3"));
    EXPECT_TRUE(f.Grid->SpinEdit()->Visible());
    EXPECT_EQ(f.Grid->Row(), 1);
}

TEST(GridButtonEdit, EllipsisF4AndPaste)
{
    EditFixture f;
    f.Grid->HideColumn(1);  // displayed column 1 is real column 2
    int ellipsCol = -1;
    f.Grid->OnEllipsClick = [&](TObject*, int c, int, QString& s) {
        ellipsCol = c;
        s = QStringLiteral("picked");
    };
    f.Grid->SetCells(2, 1, QStringLiteral("12"));
    f.Grid->OnGetEditorType = [](TObject*, int, int, TEditorType& e) { e = edNumericEditBtn; };
    f.Start(1, 1);
    f.Key(Qt::Key_F2);
    TGridEditBtn* e = f.Grid->BtnEdit();
    ASSERT_TRUE(e->Visible());
    f.Key(Qt::Key_F4);
    EXPECT_EQ(ellipsCol, 1);
    EXPECT_EQ(e->Text(), QStringLiteral("picked"));
    e->SetText(QStringLiteral("12"));
    e->SetSelStart(2);
    Clipboard().SetAsText(QStringLiteral("ab"));
    e->Perform(WM_PASTE);
    EXPECT_EQ(e->Text(), QStringLiteral("12"));
    Clipboard().SetAsText(QStringLiteral("34"));
    e->Perform(WM_PASTE);
    EXPECT_EQ(e->Text(), QStringLiteral("1234"));
}

TEST(GridButtonEdit, StopEditAfterClick)
{
    for (bool stop : {false, true}) {
        EditFixture f;
        f.Grid->BtnEdit()->SetStopEditAfterClick(stop);
        OpenAs(f, edEditBtn, QStringLiteral("v"));
        f.Grid->BtnEdit()->ClickButton(nullptr);
        EXPECT_EQ(f.Grid->BtnEdit()->Visible(), !stop);
        if (stop) {
            EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("v"));
        }
    }
}

TEST(GridUnitEdit, SplitAndJoined)
{
    EditFixture f;
    f.Grid->OnGetEditorProp = [&](TObject*, int, int, TEditLink*) {
        f.Grid->BtnUnitEdit()->Units()->Clear();
        f.Grid->BtnUnitEdit()->Units()->Add(QStringLiteral("mm"));
        f.Grid->BtnUnitEdit()->Units()->Add(QStringLiteral("cm"));
    };
    OpenAs(f, edUnitEditBtn, QStringLiteral("12mm"));
    EXPECT_EQ(f.Grid->BtnUnitEdit()->Text(), QStringLiteral("12"));
    EXPECT_EQ(f.Grid->BtnUnitEdit()->UnitID(), QStringLiteral("mm"));
    f.Grid->BtnUnitEdit()->SetText(QStringLiteral("15"));
    f.Grid->HideInplaceEdit();
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("15mm"));
}

// ---- dates, check box, button ----------------------------------------------------------

TEST(GridDateEditor, LoadTable)
{
    ScopedService clock(&PlatformServices::Clock, std::shared_ptr<IClock>(std::make_shared<FixedClock>()));
    const TDateTime now = EncodeDate(2024, 5, 17);
    struct Case {
        const char* name;
        const char* text;
        TDateTime min, max;
        bool custom;
        TDateTime date;
    };
    const Case cases[] = {
        {"empty", "", 0, 0, false, now},
        {"unreadable", "no date", 0, 0, false, now},
        {"after MaxDate", "01/01/2030", 0, EncodeDate(2025, 1, 1), false, EncodeDate(2024, 12, 31)},
        {"at MinDate", "01/01/2020", EncodeDate(2020, 1, 1), 0, false, EncodeDate(2020, 1, 2)},
        {"custom reader", "x", 0, 0, true, EncodeDate(2001, 2, 3)},
    };
    for (const Case& k : cases) {
        EditFixture f;
        TGridDatePicker* d = f.Grid->DateTimePicker();
        d->SetMinDate(k.min);
        d->SetMaxDate(k.max);
        if (k.custom) f.Grid->OnCustomStrToDate = [](TObject*, const QString&, TDateTime& v) { v = EncodeDate(2001, 2, 3); };
        OpenAs(f, edDateEdit, QString::fromUtf8(k.text));
        ASSERT_TRUE(d->Visible()) << k.name;
        EXPECT_EQ(int(d->Date()), int(k.date)) << k.name;
    }
}

TEST(GridDateEditor, FieldAdvance)
{
    struct Case {
        TDateTimeKind kind;
        const char* format;
        int field;
        bool done;
    };
    const Case cases[] = {
        {dtkTime, "", 3, true},         {dtkTime, "", 4, true},          {dtkDate, "dd/MM/yyyy", 2, false},
        {dtkDate, "dd/MM/yyyy", 0, true}, {dtkDate, "yyyy-MM-dd", 0, false}, {dtkDate, "dd.yyyy.MM", 1, false},
        {dtkDate, "", 0, true},         {dtkDate, "", 2, false},
    };
    for (const Case& k : cases)
        EXPECT_EQ(TGridDatePicker::FieldDone(k.kind, QString::fromLatin1(k.format), k.field), k.done)
            << k.format << " " << k.field;
}

TEST(GridDateEditor, TimeEditorCoversTheCell)
{
    EditFixture f;
    OpenAs(f, edTimeEdit, QStringLiteral("10:30"));
    TGridDatePicker* d = f.Grid->DateTimePicker();
    const TRect r = f.Grid->CellRect(1, 1);
    EXPECT_EQ(d->Width(), r.Width() - 1);
    EXPECT_EQ(d->Height(), r.Height() - 1);
}

TEST(GridDateEditor, DateAndTimeEscapeRestoresAndLeavingStores)
{
    ScopedService clock(&PlatformServices::Clock, std::shared_ptr<IClock>(std::make_shared<FixedClock>()));
    EditFixture f;
    OpenAs(f, edDateTimeEdit, QString());
    TGridDateTimePicker* d = f.Grid->DateAndTimePicker();
    ASSERT_TRUE(d->Visible());
    const TDateTime original = d->DateTime();
    d->SetDateTime(EncodeDate(2000, 1, 1));
    f.Key(Qt::Key_Escape, {}, QString(QChar(27)));
    EXPECT_DOUBLE_EQ(d->DateTime(), original);
    EXPECT_EQ(f.Grid->Cells(1, 1), DateTimeEditorText(original));
}

TEST(GridCheckEditor, SpaceTogglesOncePerPressAndStoresNothing)
{
    EditFixture f;
    OpenAs(f, edCheckBox, QStringLiteral("caption"));
    TGridCheckBox* c = f.Grid->EditCheckBox();
    ASSERT_TRUE(c->Visible());
    EXPECT_FALSE(c->Checked());
    c->Perform(WM_KEYDOWN, VK_SPACE, 0);
    c->Perform(WM_KEYDOWN, VK_SPACE, 0);  // auto-repeat
    c->Perform(WM_KEYUP, VK_SPACE, 0);
    EXPECT_TRUE(c->Checked());
    f.Grid->HideInplaceEdit();
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("caption"));
}

TEST(GridButtonEditor, ClickSpaceAndEscape)
{
    EditFixture f;
    OpenAs(f, edButton, QStringLiteral("press"));
    TGridButton* b = f.Grid->Btn();
    ASSERT_TRUE(b->Visible());
    f.Grid->OnEllipsClick = [](TObject*, int, int, QString& s) { s = QStringLiteral("chosen"); };
    b->Perform(WM_KEYDOWN, VK_SPACE, 0);
    b->Perform(WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("chosen"));  // OnEllipsClick's answer
    f.Key(Qt::Key_Escape, {}, QString(QChar(27)));
    EXPECT_FALSE(b->Visible());
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("press"));
}

TEST(GridButtonEditor, TypedSpaceOpensTheButtonWithoutClicking)
{
    EditFixture f;
    int clicks = 0;
    f.Grid->SetCells(1, 1, QStringLiteral("b"));
    f.Grid->OnGetEditorType = [](TObject*, int, int, TEditorType& e) { e = edButton; };
    f.Start(1, 1);
    f.Grid->ShowInplaceEdit();
    TGridButton* b = f.Grid->Btn();
    ASSERT_TRUE(b->Visible());
    b->OnClick = [&](TObject*) { ++clicks; };
    b->Perform(WM_KEYUP, VK_SPACE, 0);  // the release of the Space that opened it
    EXPECT_EQ(clicks, 0);
    b->Perform(WM_KEYDOWN, VK_SPACE, 0);
    b->Perform(WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(clicks, 1);
}

// ---- a picture of each editor open --------------------------------------------------------

TEST(GridEditorsLook, EachEditorOpenOverItsCell)
{
    const struct {
        const char* name;
        TEditorType type;
        const char* text;
    } shots[] = {
        {"text", edNormal, "Station 12"},   {"combo", edComboList, "beta"},     {"spin", edSpinEdit, "42"},
        {"button-edit", edEditBtn, "file.txt"}, {"unit", edUnitEditBtn, "12mm"}, {"date", edDateEdit, "17/05/2024"},
        {"time", edTimeEdit, "10:30"},       {"check", edCheckBox, "On"},       {"button", edButton, "Press"},
        {"datetime", edDateTimeEdit, "17/05/2024 10:30"},
    };
    for (const auto& s : shots) {
        EditFixture f(4, 5);
        f.Grid->SetDefaultColWidth(150);
        f.Grid->SetColors(1, 1, TColor(0xE0FFFF));
        for (const char* it : {"alpha", "beta", "gamma"}) f.Grid->AddComboString(QString::fromLatin1(it));
        OpenAs(f, s.type, QString::fromUtf8(s.text));
        if (s.type == edComboList) f.Grid->Combobox()->SetDroppedDown(true);
        if (s.type == edDateEdit) f.Grid->DateTimePicker()->SetDroppedDown(true);
        f.Pump();
        EXPECT_TRUE(f.Grid->EditActive() || f.Grid->EditorShown()) << s.name;
        if (!TestHarness::GrabDir().isEmpty())
            TestHarness::GrabToPng(f.Form->Widget(), TestHarness::GrabPath(QStringLiteral("edit-%1.png").arg(QString::fromLatin1(s.name))));
        f.Grid->HideInplaceEdit();
    }
}

}  // namespace
