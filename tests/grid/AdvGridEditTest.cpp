// In-place editing of the string grid: the editing cycle end to end, with
// the text editor and the combo as the table windows use them, validation
// and undo, editability, and the combo item list.
#include "AdvGridEditTestKit.h"
#include "AdvGridUnit.h"
#include "BaseGridUndo.h"
#include "DialogResponder.h"
#include "Fakes.h"
#include "Services.h"
#include "TestHarness.h"

#include <QScopeGuard>
#include <gtest/gtest.h>

namespace {

// The table windows' layout: a hidden column, then a text, a pick-list and
// an editable combo column.
struct TableRoad : EditFixture {
    TableRoad()
    {
        for (int r = 1; r < 6; ++r) {
            Grid->SetCells(1, r, QStringLiteral("hidden%1").arg(r));
            Grid->SetCells(2, r, QStringLiteral("t%1").arg(r));
        }
        Grid->SetCells(3, 2, QStringLiteral("beta"));
        Grid->HideColumn(1);
        Grid->OnGetEditorType = [](TObject*, int c, int, TEditorType& e) {
            if (c == 3) e = edComboList;
            if (c == 4) e = edComboEdit;
        };
        Grid->OnGetEditorProp = [this](TObject*, int c, int, TEditLink*) {
            if (c != 3 && c != 4) return;
            Grid->ClearComboString();
            for (const char* s : {"alpha", "beta", "gamma"}) Grid->AddComboString(QString::fromLatin1(s));
        };
        Grid->OnEditingDone = [this](TObject*) { Log << QStringLiteral("done"); };
        Grid->OnEditCellDone = [this](TObject*, int c, int r) { Log << QStringLiteral("celldone %1,%2").arg(c).arg(r); };
        Grid->OnComboChange = [this](TObject*, int c, int r, int i, const QString& s) {
            Log << QStringLiteral("combo %1,%2 %3 %4").arg(c).arg(r).arg(i).arg(s);
        };
    }
    QStringList Log;
};

TEST(GridEditCycle, TypedCharacterOpensTheTextEditorAndEnterStores)
{
    TableRoad f;
    f.Start(1, 1);  // displayed column 1 = real column 2
    f.Key(Qt::Key_X, {}, QStringLiteral("x"));
    ASSERT_TRUE(f.Grid->EditorShown());
    EXPECT_EQ(f.Grid->NormalEdit()->Text(), QStringLiteral("x"));
    f.Key(Qt::Key_Y, {}, QStringLiteral("y"));
    f.Key(Qt::Key_Return, {}, QStringLiteral("\r"));
    EXPECT_FALSE(f.Grid->EditorShown());
    EXPECT_EQ(f.Grid->Cells(2, 1), QStringLiteral("xy"));
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("hidden1"));
    EXPECT_EQ(f.Log, QStringList{QStringLiteral("done")});
    f.Pump();
    EXPECT_EQ(f.Log, (QStringList{QStringLiteral("done"), QStringLiteral("celldone 2,1")}));
}

TEST(GridEditCycle, EscapeBringsTheOldTextBack)
{
    TableRoad f;
    f.Start(1, 2);
    f.Key(Qt::Key_F2);
    ASSERT_TRUE(f.Grid->EditorShown());
    f.Grid->NormalEdit()->SetText(QStringLiteral("changed"));
    f.Key(Qt::Key_Escape, {}, QString(QChar(27)));
    EXPECT_FALSE(f.Grid->EditorShown());
    EXPECT_EQ(f.Grid->Cells(2, 2), QStringLiteral("t2"));
}

TEST(GridEditCycle, ListedComboItemIsSelectedAndDownEnterStoresTheNext)
{
    TableRoad f;
    f.Start(2, 2);
    f.Key(Qt::Key_F2);
    TGridCombo* cb = f.Grid->Combobox();
    ASSERT_TRUE(cb->Visible());
    EXPECT_EQ(cb->ItemIndex(), 1);
    EXPECT_EQ(f.Focus(), cb);
    f.Key(Qt::Key_Down);
    EXPECT_EQ(cb->ItemIndex(), 2);
    f.Key(Qt::Key_Return, {}, QStringLiteral("\r"));
    EXPECT_FALSE(cb->Visible());
    EXPECT_EQ(f.Grid->Cells(3, 2), QStringLiteral("gamma"));
    EXPECT_EQ(f.Log.filter(QStringLiteral("combo")), QStringList{QStringLiteral("combo 3,2 2 gamma")});
    f.Pump();
    EXPECT_TRUE(f.Log.contains(QStringLiteral("celldone 3,2")));
}

TEST(GridEditCycle, EmptyComboCellTakesItemZeroWhenLeft)
{
    TableRoad f;
    f.Start(2, 3);
    f.Key(Qt::Key_F2);
    TGridCombo* cb = f.Grid->Combobox();
    ASSERT_TRUE(cb->Visible());
    EXPECT_EQ(cb->ItemIndex(), 0);
    EXPECT_EQ(f.Log.filter(QStringLiteral("combo")), QStringList{QStringLiteral("combo 3,3 0 alpha")});
    f.Other->SetFocus();  // a click elsewhere
    EXPECT_FALSE(cb->Visible());
    EXPECT_EQ(f.Grid->Cells(3, 3), QStringLiteral("alpha"));
    EXPECT_EQ(f.Log.filter(QStringLiteral("combo")).size(), 1);
}

TEST(GridEditCycle, EditableComboKeepsTypedText)
{
    TableRoad f;
    f.Start(3, 1);
    f.Key(Qt::Key_F2);
    TGridCombo* cb = f.Grid->Combobox();
    ASSERT_TRUE(cb->Visible());
    EXPECT_EQ(cb->Style(), csDropDown);
    cb->SetText(QStringLiteral("free text"));
    f.Key(Qt::Key_Return, {}, QStringLiteral("\r"));
    EXPECT_EQ(f.Grid->Cells(4, 1), QStringLiteral("free text"));
}

TEST(GridEditCycle, FocusLossStoresValidatesAndReportsOnce)
{
    TableRoad f;
    int validations = 0;
    f.Grid->OnCellValidate = [&](TObject*, int, int, QString&, bool&) { ++validations; };
    f.Start(1, 1);
    f.Key(Qt::Key_F2);
    f.Grid->NormalEdit()->SetText(QStringLiteral("left"));
    f.Other->SetFocus();
    EXPECT_FALSE(f.Grid->EditorShown());
    EXPECT_EQ(f.Grid->Cells(2, 1), QStringLiteral("left"));
    EXPECT_EQ(validations, 1);
    f.Pump();
    EXPECT_EQ(f.Log, (QStringList{QStringLiteral("done"), QStringLiteral("celldone 2,1")}));
}

TEST(GridEditCycle, MovingToAnotherCellValidatesTheOpenEdit)
{
    TableRoad f;
    QStringList seen;
    f.Grid->OnCellValidate = [&](TObject*, int c, int r, QString& v, bool&) {
        seen << QStringLiteral("%1,%2=%3").arg(c).arg(r).arg(v);
    };
    f.Start(1, 1);
    f.Key(Qt::Key_F2);
    f.Grid->NormalEdit()->SetText(QStringLiteral("moved"));
    f.Grid->MoveCurrentCell(1, 4);
    EXPECT_EQ(f.Grid->Cells(2, 1), QStringLiteral("moved"));
    EXPECT_EQ(f.Grid->Cells(2, 4), QStringLiteral("t4"));
    EXPECT_EQ(seen, QStringList{QStringLiteral("2,1=moved")});
}

// ---- validation ----------------------------------------------------------------------

enum Outcome { Accept, RefuseKeep, RefuseReplace };

struct ValidationCase {
    const char* name;
    TEditorType editor;
    Outcome outcome;
};

// Puts NewText into the open editor of the type.
void SetEditorText(TEditTestGrid* g, TEditorType t, const QString& text)
{
    switch (t) {
    case edComboEdit: g->Combobox()->SetText(text); break;
    case edSpinEdit: g->SpinEdit()->SetText(text); break;
    case edEditBtn: g->BtnEdit()->SetText(text); break;
    default: g->NormalEdit()->SetText(text); break;
    }
}

bool EditorOpen(TEditTestGrid* g, TEditorType t)
{
    switch (t) {
    case edComboEdit: return g->Combobox()->Visible();
    case edSpinEdit: return g->SpinEdit()->Visible();
    case edEditBtn: return g->BtnEdit()->Visible();
    default: return g->EditorShown();
    }
}

TEST(GridValidation, EditorsByOutcome)
{
    const ValidationCase cases[] = {
        {"text valid", edNormal, Accept},          {"text refused", edNormal, RefuseKeep},
        {"text replaced", edNormal, RefuseReplace}, {"combo valid", edComboEdit, Accept},
        {"combo refused", edComboEdit, RefuseKeep}, {"combo replaced", edComboEdit, RefuseReplace},
        {"spin valid", edSpinEdit, Accept},         {"spin refused", edSpinEdit, RefuseKeep},
        {"spin replaced", edSpinEdit, RefuseReplace}, {"button valid", edEditBtn, Accept},
        {"button refused", edEditBtn, RefuseKeep},   {"button replaced", edEditBtn, RefuseReplace},
    };
    for (const ValidationCase& k : cases) {
        EditFixture f;
        auto* undo = new TAdvGridUndoRedo(f.Form);
        f.Grid->SetUndoRedo(undo);
        f.Grid->SetCells(2, 1, QStringLiteral("7"));
        f.Grid->OnGetEditorType = [&](TObject*, int, int, TEditorType& e) { e = k.editor; };
        int calls = 0;
        f.Grid->OnCellValidate = [&](TObject*, int c, int r, QString& v, bool& valid) {
            ++calls;
            EXPECT_EQ(c, 2) << k.name;
            EXPECT_EQ(r, 1) << k.name;
            if (k.outcome != Accept) valid = false;
            if (k.outcome == RefuseReplace) v = QStringLiteral("5");
        };
        f.Start(2, 1);
        f.Key(Qt::Key_F2);
        ASSERT_TRUE(EditorOpen(f.Grid, k.editor)) << k.name;
        SetEditorText(f.Grid, k.editor, QStringLiteral("42"));
        f.Key(Qt::Key_Return, {}, QStringLiteral("\r"));
        EXPECT_EQ(calls, 1) << k.name;
        const QString expected = k.outcome == Accept ? QStringLiteral("42")
                                 : k.outcome == RefuseKeep ? QStringLiteral("7") : QStringLiteral("5");
        EXPECT_EQ(f.Grid->Cells(2, 1), expected) << k.name;
        EXPECT_EQ(EditorOpen(f.Grid, k.editor), k.outcome != Accept) << k.name;
        EXPECT_EQ(f.Grid->Col(), 2) << k.name;
        EXPECT_EQ(f.Grid->Row(), 1) << k.name;
        EXPECT_EQ(f.Grid->Modified(), k.outcome == Accept) << k.name;
        EXPECT_EQ(f.Grid->LastValidation(), k.outcome == Accept) << k.name;
        if (k.outcome == Accept) {
            ASSERT_EQ(undo->Items()->Count(), 1) << k.name;
            undo->Undo();
            EXPECT_EQ(f.Grid->Cells(2, 1), QStringLiteral("7")) << k.name << " (undo writes the old text)";
        } else {
            EXPECT_EQ(undo->Items()->Count(), 0) << k.name;
        }
    }
}

TEST(GridValidation, RefusedValueShowsTheBalloon)
{
    EditFixture f;
    f.Grid->SetInvalidEntryTitle(QStringLiteral("Wrong value"));
    f.Grid->SetInvalidEntryText(QStringLiteral("Enter a number"));
    f.Grid->OnCellValidate = [](TObject*, int, int, QString&, bool& valid) { valid = false; };
    f.Start(1, 1);
    f.Key(Qt::Key_F2);
    f.Grid->NormalEdit()->SetText(QStringLiteral("abc"));
    f.Key(Qt::Key_Return, {}, QStringLiteral("\r"));
    EXPECT_TRUE(f.Grid->EditorShown());
    const TRect cell = f.Grid->CellRect(1, 1);
    EXPECT_EQ(f.Grid->NormalEdit()->Width(), cell.Width() - 1);
    EXPECT_EQ(f.Grid->NormalEdit()->Left(), cell.Left + f.Grid->BorderWidth());
    ASSERT_NE(InvalidEntryBalloon(), nullptr);
    EXPECT_TRUE(InvalidEntryBalloon()->Visible());
    const QString dir = TestHarness::GrabDir();
    if (!dir.isEmpty()) {
        TestHarness::GrabToPng(f.Form->Widget(), TestHarness::GrabPath(QStringLiteral("edit-balloon-form.png")));
        TestHarness::GrabToPng(InvalidEntryBalloon(), TestHarness::GrabPath(QStringLiteral("edit-balloon.png")));
    }
    HideInvalidEntryBalloon();
}

TEST(GridValidation, ThrowingHandlerLeavesTheGridUsable)
{
    EditFixture f;
    DialogResponder responder;
    responder.ExpectMessage(QStringLiteral("boom"));
    bool raise = true;
    f.Grid->OnCellValidate = [&](TObject*, int, int, QString&, bool&) {
        if (raise) throw Exception(QStringLiteral("boom"));
    };
    f.Start(1, 1);
    f.Key(Qt::Key_F2);
    f.Grid->NormalEdit()->SetText(QStringLiteral("x"));
    f.Key(Qt::Key_Return, {}, QStringLiteral("\r"));
    EXPECT_FALSE(f.Grid->FValidating);
    EXPECT_EQ(responder.Pending(), 0);
    raise = false;
    f.Grid->HideInplaceEdit();
    f.Start(1, 2);
    f.Key(Qt::Key_F2);
    ASSERT_TRUE(f.Grid->EditorShown());
    f.Grid->NormalEdit()->SetText(QStringLiteral("y"));
    f.Key(Qt::Key_Return, {}, QStringLiteral("\r"));
    EXPECT_EQ(f.Grid->Cells(1, 2), QStringLiteral("y"));
}

TEST(GridValidation, UnchangedTextValidatesOnlyWhenAlwaysValidate)
{
    for (bool always : {false, true}) {
        EditFixture f;
        f.Grid->SetCells(1, 1, QStringLiteral("same"));
        f.Grid->SetAlwaysValidate(always);
        int calls = 0;
        f.Grid->OnCellValidate = [&](TObject*, int, int, QString&, bool&) { ++calls; };
        f.Start(1, 1);
        f.Key(Qt::Key_F2);
        f.Key(Qt::Key_Return, {}, QStringLiteral("\r"));
        EXPECT_EQ(calls, always ? 1 : 0);
        EXPECT_FALSE(f.Grid->Modified());
    }
}

TEST(GridValidation, ValidateWithoutAnEditChangesNothing)
{
    EditFixture f;
    f.Grid->SetCells(1, 1, QStringLiteral("a"));
    EXPECT_TRUE(f.Grid->ValidateCell(QStringLiteral("b")));
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("a"));
}

// ---- editability --------------------------------------------------------------------

TEST(GridEditability, CanEditShowPerType)
{
    struct Case {
        const char* name;
        TEditorType editor;
        bool dateEditors;
        bool answer;
        bool editMode;
    };
    const Case cases[] = {
        {"text", edNormal, true, true, true},
        {"pick list", edComboList, true, false, true},
        {"data check box", edDataCheckBox, true, false, false},
        {"none", edNone, true, false, false},
        {"custom without a link", edCustom, true, false, false},
        {"date, editors unavailable", edDateEdit, false, false, false},
        {"date", edDateEdit, true, false, true},
    };
    for (const Case& k : cases) {
        EditFixture f;
        SetDateTimeEditorsAvailable(k.dateEditors);
        auto restore = qScopeGuard([]() { SetDateTimeEditorsAvailable(true); });
        f.Grid->OnGetEditorType = [&](TObject*, int, int, TEditorType& e) { e = k.editor; };
        f.Start(1, 1);
        f.Key(Qt::Key_F2);
        EXPECT_EQ(f.Grid->EditorShown(), k.answer) << k.name;
        EXPECT_EQ(f.Grid->EditMode, k.editMode) << k.name;
        EXPECT_EQ(f.Grid->FEditing, k.editMode) << k.name;
        EXPECT_EQ(f.Grid->CurrentEditor(), k.editor) << k.name;
    }
}

TEST(GridEditability, CanEditCellSwitchesEditingPerCell)
{
    EditFixture f;
    f.Grid->OnCanEditCell = [](TObject*, int r, int, bool& can) { can = r != 2; };
    f.Start(1, 1);
    EXPECT_TRUE(f.Grid->Options().Contains(goEditing));
    f.Grid->MoveCurrentCell(1, 2);
    EXPECT_FALSE(f.Grid->Options().Contains(goEditing));
    EXPECT_TRUE(f.Grid->FEditDisable);
    f.Grid->MoveCurrentCell(1, 3);
    EXPECT_TRUE(f.Grid->Options().Contains(goEditing));
    EXPECT_FALSE(f.Grid->FEditDisable);
}

TEST(GridEditability, ControlCellNeverOpensAnEditor)
{
    EditFixture f;
    f.Grid->CreateCellGraphic(1, 1)->SetCellType(ctCheckBox);
    f.Start(1, 1);
    f.Key(Qt::Key_F2);
    EXPECT_FALSE(f.Grid->EditorShown());
    EXPECT_FALSE(f.Grid->EditMode);
}

TEST(GridEditability, IsEditableMatrix)
{
    struct Case {
        bool editing, rangeSelectAndEdit, editDisable, canEdit, fixed, answer;
    };
    const Case cases[] = {
        {true, false, false, true, false, true},   {false, false, false, true, false, false},
        {false, true, false, true, false, true},   {false, false, true, true, false, true},
        {true, false, false, false, false, false}, {true, false, false, true, true, false},
        {false, false, false, false, true, false},
    };
    for (const Case& k : cases) {
        EditFixture f;
        TGridOptions o = f.Grid->Options();
        if (k.editing) o.Include(goEditing);
        else o.Exclude(goEditing);
        f.Grid->SetOptions(o);
        f.Grid->MouseActions()->SetRangeSelectAndEdit(k.rangeSelectAndEdit);
        f.Grid->FEditDisable = k.editDisable;
        f.Grid->OnCanEditCell = [&](TObject*, int, int, bool& can) { can = k.canEdit; };
        f.Grid->OnIsFixedCell = [&](TObject*, int, int, bool& fx) { fx = k.fixed; };
        EXPECT_EQ(f.Grid->IsEditable(2, 2), k.answer)
            << k.editing << k.rangeSelectAndEdit << k.editDisable << k.canEdit << k.fixed;
    }
}

// ---- the combo item list ------------------------------------------------------------

TEST(GridComboList, SelectionAndIndexOfAbsentTexts)
{
    EditFixture f;
    f.Grid->AddComboString(QStringLiteral("one"));
    f.Grid->AddComboString(QStringLiteral("two"));
    EXPECT_TRUE(f.Grid->SetComboSelectionString(QStringLiteral("two")));
    EXPECT_FALSE(f.Grid->SetComboSelectionString(QStringLiteral("three")));
    f.Grid->SetCells(1, 1, QStringLiteral("three"));
    EXPECT_EQ(f.Grid->GetComboIndex(1, 1), -1);
    f.Grid->SetCells(1, 1, QStringLiteral("two"));
    EXPECT_EQ(f.Grid->GetComboIndex(1, 1), 1);
    EXPECT_TRUE(f.Grid->RemoveComboString(QStringLiteral("one")));
    EXPECT_FALSE(f.Grid->RemoveComboString(QStringLiteral("one")));
    EXPECT_EQ(f.Grid->GetComboCount(), 1);
}

TEST(GridComboList, SetComboIndexBeyondTheItemsRaisesAndChangesNothing)
{
    EditFixture f;
    f.Grid->AddComboString(QStringLiteral("one"));
    f.Grid->SetCells(1, 1, QStringLiteral("keep"));
    EXPECT_THROW(f.Grid->SetComboIndex(1, 1, 5), EStringListError);
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("keep"));
    f.Grid->SetComboIndex(1, 1, 0);
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("one"));
}

}  // namespace
