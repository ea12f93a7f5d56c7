// The grid's multi-column and grid drop-down cell editors: opening on the
// cell's item, picking with keys and the mouse, Enter storing the lookup
// text, Esc keeping the cell.
#include "AdvDropDownForm.h"
#include "AdvGridDropDownEditors.h"
#include "AdvGridEditTestKit.h"
#include "AdvMultiColumnDropDownGrid.h"
#include "TestHarness.h"

#include <QMouseEvent>
#include <QKeyEvent>
#include <gtest/gtest.h>

namespace {

void OpenListEditor(EditFixture& f, TEditorType t, const QString& text)
{
    f.Grid->SetCells(1, 1, text);
    f.Grid->OnGetEditorType = [t](TObject*, int, int, TEditorType& e) { e = t; };
    f.Start(1, 1);
    f.Key(Qt::Key_F2);
    f.Pump();
}

const char* const ListEditorNames[] = {"Austria", "Belgium", "Canada", "Denmark"};

void FillMultiColumn(AdvMultiColumnDropDown::TAdvMultiColumnDropDown* d)
{
    d->Columns()->Add()->SetHeader(QStringLiteral("Country"));
    d->Columns()->Add()->SetHeader(QStringLiteral("Code"));
    for (const char* n : ListEditorNames) {
        const QString name = QString::fromLatin1(n);
        d->Items()->Add()->SetText({name, name.left(2).toUpper()});
    }
    d->EndUpdate();
}

void FillGridDropDown(TCustomAdvGridDropDown* d)
{
    d->Columns()->Add()->SetHeader(QStringLiteral("Country"));
    d->Columns()->Add()->SetHeader(QStringLiteral("Code"));
    for (const char* n : ListEditorNames) {
        const QString name = QString::fromLatin1(n);
        d->Items()->Add()->SetText({name, name.left(2).toUpper()});
    }
    d->EndUpdate();
}

// A key to the open list (the pop-up holds the focus, not the grid's form).
void ListKey(TWinControl* list, Qt::Key k)
{
    QKeyEvent down(QEvent::KeyPress, k, Qt::NoModifier);
    QApplication::sendEvent(list->Widget(), &down);
    QKeyEvent up(QEvent::KeyRelease, k, Qt::NoModifier);
    QApplication::sendEvent(list->Widget(), &up);
    QApplication::processEvents();
}

// A release of the left button over a point of a control's widget.
void ClickAt(TControl* c, TPoint p)
{
    QWidget* w = c->Widget();
    const QPointF at(p.X, p.Y);
    QMouseEvent press(QEvent::MouseButtonPress, at, w->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, w->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

TEST(GridListDropDownEditors, GettersAndOpeningOnTheCellsItem)
{
    EditFixture f;
    TGridGridDropDown* m = f.Grid->GridDropDown();
    TGridAdvGridDropDown* g = f.Grid->AdvGridDropDown();
    EXPECT_EQ(m, f.Grid->GridDropDown());
    EXPECT_TRUE(g->EditorEnabled());
    EXPECT_EQ(g->Grid(), g->GetGrid());
    EXPECT_EQ(g->FGrid, f.Grid);
    FillMultiColumn(m);
    FillGridDropDown(g);

    struct Case {
        TEditorType Type;
        const char* Cell;
        int Item;
    };
    const Case cases[] = {
        {edGridDropDown, "Canada", 2},
        {edGridDropDown, "canada", -1},  // the multi-column list wants the exact text
        {edGridDropDown, "", 0},
        {edAdvGridDropDown, "Canada", 2},
        {edAdvGridDropDown, "be", 1},  // the first lookup text it begins with
        {edAdvGridDropDown, "", 0},
    };
    for (const Case& c : cases) {
        OpenListEditor(f, c.Type, QString::fromLatin1(c.Cell));
        TAdvCustomDropDown* d = c.Type == edGridDropDown ? static_cast<TAdvCustomDropDown*>(m) : g;
        ASSERT_TRUE(d->Visible()) << c.Cell;
        EXPECT_TRUE(d->EditorEnabled());
        const int item = c.Type == edGridDropDown ? m->ItemIndex() : g->ItemIndex();
        EXPECT_EQ(item, c.Item) << c.Type << " " << c.Cell;
        EXPECT_EQ(d->Text(), QString::fromLatin1(c.Cell));
        f.Key(Qt::Key_Escape);
        f.Pump();
        EXPECT_EQ(f.Grid->Cells(1, 1), QString::fromLatin1(c.Cell));
    }
    EXPECT_TRUE(g->GetGrid()->FixedRowAlways());
}

TEST(GridListDropDownEditors, MultiColumnPicksWithKeysAndMouse)
{
    EditFixture f;
    TGridGridDropDown* d = f.Grid->GridDropDown();
    FillMultiColumn(d);
    OpenListEditor(f, edGridDropDown, QStringLiteral("Belgium"));
    f.Key(Qt::Key_Down, Qt::AltModifier);
    f.Pump();
    ASSERT_TRUE(d->DroppedDown());
    TestHarness::GrabToPng(f.Form, TestHarness::GrabPath(QStringLiteral("grid-multicolumn-editor.png")));
    ListKey(d->ListGrid(), Qt::Key_Down);
    // Enter in the list reaches the editor: the choice ends the edit.
    ListKey(d->ListGrid(), Qt::Key_Return);
    f.Pump();
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->Text(), QStringLiteral("Canada"));
    EXPECT_FALSE(d->Visible());
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("Canada"));

    // Opened at once with DirectComboDrop, a click takes a row.
    f.Grid->MouseActions()->SetDirectComboDrop(true);
    OpenListEditor(f, edGridDropDown, QString());
    ASSERT_TRUE(d->DroppedDown());
    AdvMultiColumnDropDown::TAdvColGrid* list = d->ListGrid();
    const TRect r = list->CellBounds(0, 4);
    ClickAt(list, TPoint(r.Left + 5, r.Top + 5));
    f.Pump();
    EXPECT_FALSE(d->DroppedDown());
    f.Key(Qt::Key_Return);
    f.Pump();
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("Denmark"));
}

TEST(GridListDropDownEditors, GridDropDownPicksWithKeysAndMouse)
{
    EditFixture f;
    TGridAdvGridDropDown* d = f.Grid->AdvGridDropDown();
    FillGridDropDown(d);
    OpenListEditor(f, edAdvGridDropDown, QStringLiteral("Belgium"));
    f.Key(Qt::Key_Down, Qt::AltModifier);
    f.Pump();
    ASSERT_TRUE(d->DroppedDown());
    TestHarness::GrabToPng(f.Form, TestHarness::GrabPath(QStringLiteral("grid-griddropdown-editor.png")));
    TestHarness::GrabToPng(d->DropDownForm(), TestHarness::GrabPath(QStringLiteral("grid-griddropdown-popup.png")));
    ListKey(d->Grid(), Qt::Key_Down);
    // Enter in the list reaches the editor: the choice ends the edit.
    ListKey(d->Grid(), Qt::Key_Return);
    f.Pump();
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->Text(), QStringLiteral("Canada"));
    EXPECT_FALSE(d->Visible());
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("Canada"));

    // Typing completes in the edit; Enter stores the completed text.
    OpenListEditor(f, edAdvGridDropDown, QString());
    f.Type(QStringLiteral("d"));
    EXPECT_EQ(d->Text(), QStringLiteral("Denmark"));
    f.Key(Qt::Key_Return);
    f.Pump();
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("Denmark"));

    // Opened at once with DirectComboDrop, a click takes a row.
    f.Grid->MouseActions()->SetDirectComboDrop(true);
    OpenListEditor(f, edAdvGridDropDown, QString());
    ASSERT_TRUE(d->DroppedDown());
    TAdvStringGrid* list = d->Grid();
    const TRect r = list->CellRect(0, 1);
    ClickAt(list, TPoint(r.Left + 5, r.Top + 5));
    f.Pump();
    EXPECT_FALSE(d->DroppedDown());
    f.Key(Qt::Key_Return);
    f.Pump();
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("Austria"));
}

}  // namespace
