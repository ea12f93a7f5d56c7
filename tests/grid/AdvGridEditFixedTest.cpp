// Editing fixed cells from a header click, the validation that keeps a
// fixed-cell editor open, and the editors of the form controls in a cell's
// mini-HTML.
#include "AdvGridEditControls.h"
#include "AdvGridEditFixed.h"
#include "AdvGridEditTestKit.h"
#include "AsgHTMLEText.h"
#include "TestHarness.h"

#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

// A press of the left button at the centre of a cell.
void PressCell(EditFixture& f, int c, int r, Qt::MouseButton b = Qt::LeftButton)
{
    const TRect rc = f.Grid->CellRect(c, r);
    const QPoint p((rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2);
    QWidget* w = f.Grid->Widget();
    for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(t, QPointF(p), QPointF(w->mapToGlobal(p)), b, t == QEvent::MouseButtonPress ? b : Qt::NoButton,
                      Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
}

}  // namespace

TEST(GridFixedCellEdit, HeaderClickOpensTheEditorAndLeavingStores)
{
    struct Case {
        TGridFixedCellEdit Trigger;
        Qt::MouseButton Button;
        bool Opens;
    };
    const Case cases[] = {
        {fceLeftClick, Qt::LeftButton, true},
        {fceRightClick, Qt::RightButton, true},
        {fceRightClick, Qt::LeftButton, false},
        {fceNone, Qt::LeftButton, false},
    };
    for (const Case& k : cases) {
        EditFixture f;
        f.Grid->MouseActions()->SetFixedRowsEdit(k.Trigger);
        f.Grid->SetCells(2, 0, QStringLiteral("Head"));
        int done = 0;
        f.Grid->OnEditingDone = [&](TObject*) { ++done; };
        PressCell(f, 2, 0, k.Button);
        TGridTransEdit* e = f.Grid->FixedCellEdit();
        EXPECT_EQ(e->Visible(), k.Opens) << int(k.Trigger);
        if (!k.Opens) continue;
        EXPECT_EQ(e->Text(), QStringLiteral("Head"));
        const TRect rc = f.Grid->CellRect(2, 0);
        EXPECT_EQ(e->Left(), rc.Left + 1);
        EXPECT_EQ(e->Width(), rc.Width() - 2);
        EXPECT_EQ(f.Focus(), e);
        if (k.Trigger == fceLeftClick)
            TestHarness::GrabToPng(f.Form, TestHarness::GrabPath(QStringLiteral("editfixed-header")));
        // The text comes selected: typing replaces it.
        f.Type(QStringLiteral("X"));
        f.Key(Qt::Key_Return);  // swallowed: the edit goes on
        EXPECT_TRUE(e->Visible());
        f.Other->SetFocus();
        f.Pump();
        EXPECT_EQ(f.Grid->Cells(2, 0), QStringLiteral("X"));
        EXPECT_FALSE(e->Visible());
        EXPECT_EQ(done, 1);
    }
}

TEST(GridFixedCellEdit, RefusedTextKeepsTheEditorAndAnotherStartWaits)
{
    EditFixture f;
    f.Grid->SetCells(3, 0, QStringLiteral("Price"));
    f.Grid->OnCellValidate = [](TObject*, int, int, QString& v, bool& ok) { ok = !v.isEmpty(); };
    f.Grid->FocusCell(1, 2);
    f.Grid->StartFixedCellEdit(3, 0);
    TGridTransEdit* e = f.Grid->FixedCellEdit();
    ASSERT_TRUE(e->Visible());
    e->SetText(QString());
    EXPECT_FALSE(e->StopEdit());
    EXPECT_TRUE(e->Visible());
    EXPECT_EQ(f.Grid->Cells(3, 0), QStringLiteral("Price"));
    // The edited column becomes current (a fixed row cannot be).
    EXPECT_EQ(f.Grid->Col(), 3);
    EXPECT_EQ(f.Grid->Row(), 2);
    // A second fixed-cell edit does not start while the first is refused.
    f.Grid->StartFixedCellEdit(1, 0);
    EXPECT_EQ(e->Col(), 3);
    e->SetText(QStringLiteral("Cost"));
    f.Grid->StartFixedCellEdit(1, 0);
    EXPECT_EQ(f.Grid->Cells(3, 0), QStringLiteral("Cost"));
    EXPECT_EQ(e->Col(), 1);
}

TEST(GridFixedCellEdit, ComboKindsTakeTheFixedValues)
{
    EditFixture f;
    f.Grid->MouseActions()->SetFixedRowsEditor(fceComboList);
    f.Grid->MouseActions()->FixedComboValues()->Add(QStringLiteral("A"));
    f.Grid->MouseActions()->FixedComboValues()->Add(QStringLiteral("B"));
    f.Grid->OnFixedEdit = [](TObject*, int c, int, TGridFixedCellEditor&, TStrings* v) {
        if (c == 2) v->Add(QStringLiteral("C"));
    };
    QString changed;
    f.Grid->OnEditChange = [&](TObject*, int, int, const QString& v) { changed = v; };
    f.Grid->SetCells(2, 0, QStringLiteral("B"));
    f.Grid->StartFixedCellEdit(2, 0);
    TGridTransCombo* cb = f.Grid->FixedCellCombo();
    ASSERT_TRUE(cb->Visible());
    EXPECT_FALSE(f.Grid->FixedCellEdit()->Visible());
    EXPECT_EQ(cb->Style(), csDropDownList);
    EXPECT_EQ(cb->Items()->Count(), 3);
    EXPECT_EQ(cb->ItemIndex(), 1);
    cb->SetFocus();
    f.Key(Qt::Key_Down);
    EXPECT_EQ(changed, QStringLiteral("C"));
    EXPECT_TRUE(cb->StopEdit());
    EXPECT_EQ(f.Grid->Cells(2, 0), QStringLiteral("C"));
    // Column 0 follows the fixed columns' kind (a text edit by default).
    f.Grid->StartFixedCellEdit(0, 3);
    EXPECT_TRUE(f.Grid->FixedCellEdit()->Visible());
}

TEST(GridCellControlEdit, PasswordEditWritesTheTypedTextIntoTheTag)
{
    EditFixture f;
    const QString html = QStringLiteral("Pin: <CONTROL TYPE=\"PASSWORD\" ID=\"p1\" VALUE=\"\" MAXLEN=\"6\">");
    f.Grid->SetCells(1, 1, html);
    QStringList done;
    f.Grid->OnControlEditDone = [&](TObject*, int r, int c, const QString& id, const QString& type,
                                    const QString& v) {
        done << QStringLiteral("%1,%2 %3 %4 %5").arg(r).arg(c).arg(id, type, v);
    };
    const TRect rc = f.Grid->CellRect(1, 1);
    f.Grid->StartCellControlEdit(html, QStringLiteral("PASSWORD"), 1, 1, rc, QString(), QStringLiteral("p1"));
    TControlEdit* e = f.Grid->CellControlEdit();
    ASSERT_TRUE(e->Visible());
    EXPECT_EQ(e->PasswordChar(), QChar(u'*'));
    EXPECT_EQ(e->MaxLength(), 6);
    EXPECT_EQ(e->Left(), rc.Left + 1);
    EXPECT_EQ(e->Top(), rc.Top + 8);
    EXPECT_EQ(f.Focus(), e);
    f.Type(QStringLiteral("secret"));
    f.Key(Qt::Key_Return);
    EXPECT_FALSE(e->Visible());
    EXPECT_FALSE(f.Grid->CellControlEditing());
    EXPECT_EQ(f.Grid->ControlValues(1, 1, QStringLiteral("p1")), QStringLiteral("secret"));
    EXPECT_EQ(done, QStringList{QStringLiteral("1,1 p1 PASSWORD secret")});
    EXPECT_EQ(f.Focus(), f.Grid);
}

TEST(GridCellControlEdit, ComboListOnlyOrEditableByTheListEvent)
{
    for (bool editable : {false, true}) {
        EditFixture f;
        const QString html = QStringLiteral("<CONTROL TYPE=\"COMBO\" ID=\"c\" VALUE=\"two\">");
        f.Grid->SetCells(1, 1, html);
        f.Grid->OnControlComboList = [&](TObject*, int, int, const QString&, const QString&, const QString&,
                                         TStrings* v, bool& edit, int& count) {
            v->Add(QStringLiteral("one"));
            v->Add(QStringLiteral("two"));
            edit = editable;
            count = 4;
        };
        int selected = -1;
        f.Grid->OnControlComboSelect = [&](TObject*, int, int, int i, const QString&, const QString&) { selected = i; };
        f.Grid->StartCellControlEdit(html, QStringLiteral("combo"), 1, 1, f.Grid->CellRect(1, 1),
                                     QStringLiteral("two"), QStringLiteral("c"));
        TControlCombo* cb = f.Grid->CellControlCombo();
        ASSERT_TRUE(cb->Visible());
        EXPECT_EQ(cb->Style(), editable ? csDropDown : csDropDownList);
        EXPECT_EQ(cb->ItemIndex(), 1);
        EXPECT_EQ(cb->DropDownCount(), 4);
        cb->SetDroppedDown(false);
        f.Key(Qt::Key_Up);
        EXPECT_EQ(selected, 0);
        f.Grid->EndCellControlEdit(cb);
        EXPECT_EQ(f.Grid->ControlValues(1, 1, QStringLiteral("c")), QStringLiteral("one"));
        EXPECT_FALSE(cb->Visible());
    }
}

TEST(GridCellControlEdit, MaskControlTakesItsMaskAndOtherTypesOpenNothing)
{
    EditFixture f;
    const QString html = QStringLiteral("<CONTROL TYPE=\"MASK\" ID=\"m\" VALUE=\"\" PROP=\"00-00\">");
    f.Grid->SetCells(1, 1, html);
    f.Grid->StartCellControlEdit(html, QStringLiteral("CHECK"), 1, 1, f.Grid->CellRect(1, 1), QString(),
                                 QStringLiteral("m"));
    EXPECT_FALSE(f.Grid->CellControlEditing());
    f.Grid->StartCellControlEdit(html, QStringLiteral("MASK"), 1, 1, f.Grid->CellRect(1, 1), QString(),
                                 QStringLiteral("m"));
    TControlEdit* e = f.Grid->CellControlEdit();
    EXPECT_EQ(e->EditMask(), QStringLiteral("00-00"));
    f.Type(QStringLiteral("1a234"));
    f.Grid->EndCellControlEdit(e);
    EXPECT_EQ(f.Grid->ControlValues(1, 1, QStringLiteral("m")), QStringLiteral("12-34"));
}
