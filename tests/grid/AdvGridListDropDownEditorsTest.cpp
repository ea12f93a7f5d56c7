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

// The same columns and items in either list editor.
template <class D>
void FillListEditor(D* d)
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
    FillListEditor(m);
    FillListEditor(g);

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

// What the two list editors differ in for a test: the editor, its list.
struct ListEditorCase {
    TEditorType Type;
    const char* Grab;
};

TAdvCustomDropDown* ListEditor(EditFixture& f, TEditorType t)
{
    if (t == edGridDropDown) return f.Grid->GridDropDown();
    return f.Grid->AdvGridDropDown();
}

TWinControl* ListOf(EditFixture& f, TEditorType t)
{
    if (t == edGridDropDown) return f.Grid->GridDropDown()->ListGrid();
    return f.Grid->AdvGridDropDown()->Grid();
}

TEST(GridListDropDownEditors, PickWithKeysTypingAndMouse)
{
    const ListEditorCase cases[] = {{edGridDropDown, "grid-multicolumn-editor"},
                                    {edAdvGridDropDown, "grid-griddropdown-editor"}};
    for (const ListEditorCase& c : cases) {
        EditFixture f;
        FillListEditor(f.Grid->GridDropDown());
        FillListEditor(f.Grid->AdvGridDropDown());
        TAdvCustomDropDown* d = ListEditor(f, c.Type);
        OpenListEditor(f, c.Type, QStringLiteral("Belgium"));
        f.Key(Qt::Key_Down, Qt::AltModifier);
        f.Pump();
        ASSERT_TRUE(d->DroppedDown()) << c.Type;
        const QString grab = QString::fromLatin1(c.Grab);
        TestHarness::GrabToPng(f.Form, TestHarness::GrabPath(grab + QStringLiteral(".png")));
        TestHarness::GrabToPng(d->DropDownForm(), TestHarness::GrabPath(grab + QStringLiteral("-popup.png")));
        ListKey(ListOf(f, c.Type), Qt::Key_Down);
        // Enter in the list reaches the editor: the choice ends the edit.
        ListKey(ListOf(f, c.Type), Qt::Key_Return);
        f.Pump();
        EXPECT_FALSE(d->DroppedDown());
        EXPECT_EQ(d->Text(), QStringLiteral("Canada")) << c.Type;
        EXPECT_FALSE(d->Visible());
        EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("Canada")) << c.Type;

        // Typing completes in the edit; Enter stores the completed text.
        OpenListEditor(f, c.Type, QString());
        f.Type(QStringLiteral("d"));
        EXPECT_EQ(d->Text(), QStringLiteral("Denmark")) << c.Type;
        f.Key(Qt::Key_Return);
        f.Pump();
        EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("Denmark")) << c.Type;

        // Opened at once with DirectComboDrop, a click takes a row.
        f.Grid->MouseActions()->SetDirectComboDrop(true);
        OpenListEditor(f, c.Type, QString());
        ASSERT_TRUE(d->DroppedDown()) << c.Type;
        auto* list = static_cast<TCustomGrid*>(ListOf(f, c.Type));
        const TRect r = list->CellRect(0, 1);
        ClickAt(list, TPoint(r.Left + 5, r.Top + 5));
        f.Pump();
        EXPECT_FALSE(d->DroppedDown());
        f.Key(Qt::Key_Return);
        f.Pump();
        EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("Austria")) << c.Type;
    }
}

// A grid window with one column per drop-down editor type: each editor
// opens over its own cell with its pop-up shown (grabbed to look at).
TEST(GridListDropDownEditors, NineEditorsEachOverItsCell)
{
    const TEditorType types[] = {edTrackbarDropDown, edMemoDropDown,       edCalculatorDropDown,
                                 edTimePickerDropDown, edDetailDropDown,   edGridDropDown,
                                 edColorPickerDropDown, edImagePickerDropDown, edAdvGridDropDown};
    EditFixture f(10, 4);
    for (int c = 0; c < 10; ++c) f.Grid->SetColWidths(c, c == 0 ? 20 : 66);
    f.Grid->MouseActions()->SetDirectComboDrop(true);
    f.Grid->OnGetEditorType = [&types](TObject*, int c, int, TEditorType& e) {
        if (c >= 1 && c <= 9) e = types[c - 1];
    };
    FillListEditor(f.Grid->GridDropDown());
    FillListEditor(f.Grid->AdvGridDropDown());
    f.Grid->DetailPickerDropDown()->Items()->Add()->SetCaption(QStringLiteral("Ethernet"));
    for (int c = 1; c <= 9; ++c) {
        f.Grid->SetCells(c, 1, c == 6 || c == 9 ? QStringLiteral("Belgium") : QStringLiteral("7"));
        f.Start(c, 1);
        f.Key(Qt::Key_F2);
        f.Pump();
        TAdvCustomDropDown* const editors[] = {
            f.Grid->TrackbarDropDown(),  f.Grid->MemoDropDown(),     f.Grid->CalculatorDropDown(),
            f.Grid->TimePickerDropDown(), f.Grid->DetailPickerDropDown(), f.Grid->GridDropDown(),
            f.Grid->ColorPickerDropDown(), f.Grid->ImagePickerDropDown(), f.Grid->AdvGridDropDown()};
        TAdvCustomDropDown* d = editors[c - 1];
        EXPECT_TRUE(d->Visible()) << c;
        EXPECT_EQ(d->BoundsRect().Left, f.Grid->CellRect(c, 1).Left) << c;
        EXPECT_TRUE(d->DroppedDown()) << c;
        const QString name = QStringLiteral("grid-nine-editors-%1").arg(c);
        TestHarness::GrabToPng(f.Form, TestHarness::GrabPath(name + QStringLiteral(".png")));
        if (d->DropDownForm())
            TestHarness::GrabToPng(d->DropDownForm(), TestHarness::GrabPath(name + QStringLiteral("-popup.png")));
        d->HideDropDown(true);
        d->SetFocus();
        f.Key(Qt::Key_Escape);
        f.Pump();
        EXPECT_FALSE(d->Visible()) << c;
    }
}

}  // namespace
