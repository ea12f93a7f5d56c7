// The string grid's keyboard and mouse, driven by synthesized events on a
// shown form: navigation, the Tab and Enter advance, clicks, sizing, moving
// and the wheel.

#include "AdvGridInputTestKit.h"
#include "AdvGridTestKit.h"
#include "Fakes.h"
#include "FormatSettings.h"
#include "Services.h"
#include "StdCtrls.h"
#include "TestHarness.h"

#include <gtest/gtest.h>

namespace {

struct Cell {
    int C, R;
    friend bool operator==(const Cell&, const Cell&) = default;
};

Cell Current(const TAdvStringGrid* g) { return Cell{g->Col(), g->Row()}; }

void PrintTo(const Cell& c, std::ostream* os) { *os << "(" << c.C << "," << c.R << ")"; }

} // namespace

// ---- keyboard navigation ------------------------------------------------------------

TEST(AdvGridKeys, ArrowsHomeEndAndTabMoveAsTheNavigationSettingsSay)
{
    struct Case {
        const char* Name;
        std::function<void(TInputGrid*)> Setup;
        int Key;
        Qt::KeyboardModifiers Mods;
        Cell Start;
        Cell Expected;
    };
    const Case cases[] = {
        {"right at the end stays by default", {}, Qt::Key_Right, {}, {7, 3}, {7, 3}},
        {"right at the end loops", [](TInputGrid* g) { g->Navigation()->SetCursorAdvance(caLoop); }, Qt::Key_Right, {},
         {7, 3}, {1, 3}},
        {"right at the end snakes down", [](TInputGrid* g) { g->Navigation()->SetCursorAdvance(caSnake); },
         Qt::Key_Right, {}, {7, 3}, {1, 4}},
        {"left at the start snakes up", [](TInputGrid* g) { g->Navigation()->SetCursorAdvance(caSnake); },
         Qt::Key_Left, {}, {1, 3}, {7, 2}},
        {"up on the first row snakes to the last row", [](TInputGrid* g) { g->Navigation()->SetCursorAdvance(caSnake); },
         Qt::Key_Up, {}, {3, 1}, {2, 19}},
        {"down at the bottom loops", [](TInputGrid* g) { g->Navigation()->SetCursorAdvance(caLoop); }, Qt::Key_Down, {},
         {3, 19}, {3, 1}},
        {"home: first cell", [](TInputGrid* g) { g->Navigation()->SetHomeEndKey(heFirstLastCell); }, Qt::Key_Home, {},
         {5, 7}, {1, 1}},
        {"end: last row", [](TInputGrid* g) { g->Navigation()->SetHomeEndKey(heFirstLastRow); }, Qt::Key_End, {},
         {5, 7}, {5, 19}},
        {"home: first column", {}, Qt::Key_Home, {}, {5, 7}, {1, 7}},
        {"end: last column", {}, Qt::Key_End, {}, {2, 7}, {7, 7}},
        {"down jumps over a user-fixed cell", [](TInputGrid* g) { g->UserFixed = {{2, 4}, {2, 5}}; }, Qt::Key_Down, {},
         {2, 3}, {2, 6}},
        {"down into user-fixed cells at the bottom stays",
         [](TInputGrid* g) { g->UserFixed = {{2, 18}, {2, 19}}; }, Qt::Key_Down, {}, {2, 17}, {2, 17}},
        {"tab goes right", [](TInputGrid* g) { g->SetOptions(g->Options() + goTabs); }, Qt::Key_Tab, {}, {2, 2}, {3, 2}},
        {"tab at the row end goes to the next row", [](TInputGrid* g) { g->SetOptions(g->Options() + goTabs); },
         Qt::Key_Tab, {}, {7, 2}, {1, 3}},
        {"tab skips a column that is no tab stop",
         [](TInputGrid* g) {
             g->SetOptions(g->Options() + goTabs);
             g->UserFixed = {{3, 2}};
         },
         Qt::Key_Tab, {}, {2, 2}, {4, 2}},
        {"shift+tab from the first tab stop goes to the last of the last row",
         [](TInputGrid* g) { g->SetOptions(g->Options() + goTabs); }, Qt::Key_Backtab, Qt::ShiftModifier, {1, 1},
         {7, 19}},
        {"tab on the last cell wraps to the first", [](TInputGrid* g) { g->SetOptions(g->Options() + goTabs); },
         Qt::Key_Tab, {}, {7, 19}, {1, 1}},
        {"tab skips read-only cells while editing",
         [](TInputGrid* g) {
             g->SetOptions(g->Options() + goTabs + goEditing);
             g->Navigation()->SetAdvanceAutoEdit(false);
             g->SetReadOnly(3, 2, true);
             g->SetReadOnly(4, 2, true);
         },
         Qt::Key_Tab, {}, {2, 2}, {5, 2}},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.Name);
        InputFixture f;
        if (tc.Setup) tc.Setup(f.Grid);
        f.Grid->MoveCurrentCell(tc.Start.C, tc.Start.R);
        f.Key(tc.Key, tc.Mods, tc.Key == Qt::Key_Tab || tc.Key == Qt::Key_Backtab ? QStringLiteral("\t") : QString());
        EXPECT_EQ(Current(f.Grid), tc.Expected);
    }
}

TEST(AdvGridKeys, TabOnTheLastCellAddsARowWithAdvanceInsert)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetOptions(g->Options() + goTabs);
    g->Navigation()->SetAdvanceInsert(true);
    QStringList events;
    g->OnAutoAddRow = [&](TObject*, int r) { events << QStringLiteral("added %1").arg(r); };
    g->MoveCurrentCell(7, 19);
    f.Key(Qt::Key_Tab, {}, QStringLiteral("\t"));
    EXPECT_EQ(g->RowCount(), 21);
    EXPECT_EQ(Current(g), (Cell{1, 20}));
    EXPECT_EQ(events, QStringList{"added 20"});

    // Refused: back to the first row, nothing added.
    g->OnCanAddRow = [](TObject*, bool& can) { can = false; };
    g->MoveCurrentCell(7, 20);
    f.Key(Qt::Key_Tab, {}, QStringLiteral("\t"));
    EXPECT_EQ(g->RowCount(), 21);
    EXPECT_EQ(Current(g), (Cell{1, 1}));
}

TEST(AdvGridKeys, TabOnTheLastTabStopHandsTheFocusOnWithTabToNextAtEnd)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    auto* edit = Create<TEdit>(f.Form);
    edit->SetParent(f.Form);
    edit->SetBounds(0, 402, 100, 16);
    g->SetTabOrder(0);
    g->SetOptions(g->Options() + goTabs);
    g->Navigation()->SetTabToNextAtEnd(true);
    g->SetFocus();
    g->MoveCurrentCell(7, 19);
    f.Key(Qt::Key_Tab, {}, QStringLiteral("\t"));
    PumpEvents();
    EXPECT_EQ(Current(g), (Cell{1, 1}));
    EXPECT_TRUE(edit->Focused());
}

TEST(AdvGridKeys, MoveScrollOnlyScrollsWithoutMovingTheCellOrFiringOnKeyDown)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetRowCount(100);
    g->Navigation()->SetMoveScrollOnly(true);
    int keyDowns = 0;
    g->OnKeyDown = [&](TObject*, Word&, TShiftState) { ++keyDowns; };
    f.Key(Qt::Key_Down);
    f.Key(Qt::Key_Down);
    EXPECT_EQ(g->TopRow(), 3);
    EXPECT_EQ(Current(g), (Cell{1, 1}));
    f.Key(Qt::Key_Home);
    EXPECT_EQ(g->TopRow(), 1);
    EXPECT_EQ(keyDowns, 0);
}

TEST(AdvGridKeys, CtrlDownWithCursorMoveRowsMovesTheSelectedRows)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->Navigation()->SetCursorMoveRows(true);
    g->SetSelection(TGridRect{1, 3, 7, 5});
    f.Key(Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(g->Cells(1, 3), "1,6");
    EXPECT_EQ(g->Cells(1, 4), "1,3");
    EXPECT_EQ(g->Cells(1, 6), "1,5");
    EXPECT_EQ(g->Selection(), (TGridRect{1, 4, 7, 6}));

    g->SetSelection(TGridRect{2, 8, 2, 8});
    f.Key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(g->Cells(1, 7), "1,8");
    EXPECT_EQ(g->Row(), 7);
}

TEST(AdvGridKeys, InsertAndDeleteRowsWithTheirEvents)
{
    InputFixture f(4, 4);
    TInputGrid* g = f.Grid;
    g->Navigation()->SetAllowInsertRow(true);
    g->Navigation()->SetAllowDeleteRow(true);
    QStringList events;
    g->OnAutoInsertRow = [&](TObject*, int r) { events << QStringLiteral("ins %1").arg(r); };
    g->OnAutoDeleteRow = [&](TObject*, int r) { events << QStringLiteral("del %1").arg(r); };
    bool refuse = false;
    g->OnCanDeleteRow = [&](TObject*, int, bool& can) { can = !refuse; };

    g->MoveCurrentCell(1, 2);
    f.Key(Qt::Key_Insert);
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->Cells(1, 2), "");
    EXPECT_EQ(g->Cells(1, 3), "1,2");
    g->Navigation()->SetInsertPosition(pInsertAfter);
    g->MoveCurrentCell(1, 4);
    f.Key(Qt::Key_Insert);
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_EQ(g->Cells(1, 5), "");
    EXPECT_EQ(g->Row(), 5);

    refuse = true;
    f.Key(Qt::Key_Delete);
    EXPECT_EQ(g->RowCount(), 6);
    refuse = false;
    g->MoveCurrentCell(1, 1);
    f.Key(Qt::Key_Delete);
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->Cells(1, 1), "");  // the inserted empty row moved up
    EXPECT_EQ(events, (QStringList{"ins 2", "ins 5", "del 1"}));

    // The only normal row is cleared, not removed.
    g->SetRowCount(2);
    g->SetCells(1, 1, "keep?");
    g->MoveCurrentCell(1, 1);
    f.Key(Qt::Key_Delete);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->Cells(1, 1), "");
    EXPECT_EQ(events.last(), "del 1");
}

TEST(AdvGridKeys, ClipboardShortcutsCallTheClipboardOnlyWhenAllowedAndNeverTypeIntoTheCell)
{
    struct Case {
        bool Allowed;
        int Key;
        Qt::KeyboardModifiers Mods;
        QString Text;
        QStringList Expected;
    };
    const Case cases[] = {
        {true, Qt::Key_C, Qt::ControlModifier, QString(QChar(3)), {"copy"}},
        {true, Qt::Key_V, Qt::ControlModifier, QString(QChar(22)), {"paste"}},
        {true, Qt::Key_X, Qt::ControlModifier, QString(QChar(24)), {"cut"}},
        {true, Qt::Key_Insert, Qt::ShiftModifier, QString(), {"paste"}},
        {true, Qt::Key_Delete, Qt::ShiftModifier, QString(), {"cut"}},
        {false, Qt::Key_C, Qt::ControlModifier, QString(QChar(3)), {}},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.Key);
        InputFixture f;
        TInputGrid* g = f.Grid;
        g->SetOptions(g->Options() + goEditing);
        g->Navigation()->SetAllowClipboardShortCuts(tc.Allowed);
        g->MoveCurrentCell(2, 2);
        f.Key(tc.Key, tc.Mods, tc.Text);
        EXPECT_EQ(g->Calls, tc.Expected);
        if (tc.Allowed) {
            EXPECT_FALSE(g->EditorShown());
            EXPECT_EQ(g->Cells(2, 2), "2,2");
        }
    }
    InputFixture f;
    f.Grid->Navigation()->SetAllowClipboardShortCuts(true);
    f.Grid->OnClipboardCopy = [](TObject*, bool& allow) { allow = false; };
    f.Key(Qt::Key_C, Qt::ControlModifier, QString(QChar(3)));
    EXPECT_TRUE(f.Grid->Calls.isEmpty());
}

TEST(AdvGridKeys, IncrementalLookupCollectsTypedKeysWithinFourTicks)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->Navigation()->SetAutoGotoWhenSorted(true);
    g->Navigation()->SetAutoGotoIncremental(true);
    g->SearchAnswer = [](const QString& t) { return t == "AB" ? 7 : t == "A" ? 3 : -1; };
    auto type = [&](int key, const QString& text) { f.Key(key, {}, text); };
    type(Qt::Key_A, "a");
    EXPECT_EQ(g->Row(), 3);
    g->TimerTick(TAdvStringGrid::GridTimerID);
    type(Qt::Key_B, "b");
    EXPECT_EQ(g->Row(), 7);
    EXPECT_EQ(g->SearchInc, "ab");
    type(Qt::Key_Backspace, "\b");
    EXPECT_EQ(g->SearchInc, "a");
    type(Qt::Key_Home, QString());
    EXPECT_EQ(g->SearchInc, "a");
    type(Qt::Key_End, QString());
    EXPECT_EQ(g->SearchInc, "");
    type(Qt::Key_A, "a");
    for (int i = 0; i < 4; ++i) g->TimerTick(TAdvStringGrid::GridTimerID);
    type(Qt::Key_B, "b");
    EXPECT_EQ(g->Calls.last(), "search B");  // a new lookup
    EXPECT_EQ(g->SearchInc, "");              // no match empties the buffer
}

TEST(AdvGridKeys, SpaceTogglesACheckBoxOnlyWhenEditableOrAlwaysActive)
{
    struct Case {
        bool Editing, RangeSelectAndEdit, AlwaysActive, Toggles;
    };
    const Case cases[] = {
        {false, false, false, false},
        {true, false, false, true},
        {false, true, false, true},
        {false, false, true, true},
    };
    for (const Case& tc : cases) {
        InputFixture f;
        TInputGrid* g = f.Grid;
        if (tc.AlwaysActive && !g->ControlLook()) continue;  // the control look is not built yet
        g->CheckBoxCols = {3};
        // Moving onto a control cell switches editing on by itself; the
        // settings under test are the ones in force when Space comes.
        g->MoveCurrentCell(3, 2);
        g->SetOptions(tc.Editing ? g->Options() + goEditing : g->Options() - goEditing);
        g->MouseActions()->SetRangeSelectAndEdit(tc.RangeSelectAndEdit);
        if (tc.AlwaysActive) g->ControlLook()->SetCheckAlwaysActive(true);
        f.Key(Qt::Key_Space, {}, " ");
        EXPECT_EQ(g->Calls.contains("toggle 3,2"), tc.Toggles)
            << tc.Editing << tc.RangeSelectAndEdit << tc.AlwaysActive;
        EXPECT_EQ(g->Calls.contains("checkclick 3,2"), tc.Toggles);
        EXPECT_FALSE(g->EditorShown());
    }
}

TEST(AdvGridKeys, KeypadPointTypesTheLocaleSeparatorWithExcelStyle)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetOptions(g->Options() + goEditing);
    g->SetExcelStyleDecimalSeparator(true);
    FormatSettings fs = DefaultFormatSettings();
    fs.DecimalSeparator = u',';
    ScopedFormatSettings comma(fs);
    f.Key(Qt::Key_Period, Qt::KeypadModifier, ".");
    ASSERT_TRUE(g->EditorShown());
    EXPECT_EQ(g->InplaceEditor()->Text(), ",");
    g->HideEditor();
    g->MoveCurrentCell(3, 3);
    f.Key(Qt::Key_Period, {}, ".");
    ASSERT_TRUE(g->EditorShown());
    EXPECT_EQ(g->InplaceEditor()->Text(), ".");
}

// ---- the Enter advance --------------------------------------------------------------

TEST(AdvGridKeys, AdvanceCellFollowsDirectionLoopInsertAndReadOnlyCells)
{
    struct Case {
        const char* Name;
        std::function<void(TInputGrid*)> Setup;
        Cell Start;
        Cell Expected;
        int Rows;
        int Cols;
    };
    const Case cases[] = {
        {"left to right", {}, {3, 4}, {4, 4}, 20, 8},
        {"end of row to next row", {}, {7, 4}, {1, 5}, 20, 8},
        {"last cell loops", {}, {7, 19}, {1, 1}, 20, 8},
        {"last cell without loop stays", [](TInputGrid* g) { g->Navigation()->SetAdvanceOnEnterLoop(false); },
         {7, 19}, {7, 19}, 20, 8},
        {"last cell with insert adds a row", [](TInputGrid* g) { g->Navigation()->SetAdvanceInsert(true); }, {7, 19},
         {1, 20}, 21, 8},
        {"in row loops in the row",
         [](TInputGrid* g) { g->Navigation()->SetAdvanceDirection(adLeftRightInRow); }, {7, 4}, {1, 4}, 20, 8},
        {"top to bottom", [](TInputGrid* g) { g->Navigation()->SetAdvanceDirection(adTopBottom); }, {3, 4}, {3, 5}, 20,
         8},
        {"top to bottom wraps to the next column",
         [](TInputGrid* g) { g->Navigation()->SetAdvanceDirection(adTopBottom); }, {3, 19}, {4, 1}, 20, 8},
        {"top to bottom with insert adds a column",
         [](TInputGrid* g) {
             g->Navigation()->SetAdvanceDirection(adTopBottom);
             g->Navigation()->SetAdvanceInsert(true);
         },
         {7, 19}, {8, 1}, 20, 9},
        {"read-only cells are skipped",
         [](TInputGrid* g) {
             g->SetReadOnly(4, 4, true);
             g->SetReadOnly(5, 4, true);
         },
         {3, 4}, {6, 4}, 20, 8},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.Name);
        InputFixture f;
        TInputGrid* g = f.Grid;
        g->SetOptions(g->Options() + goEditing);
        g->Navigation()->SetAdvanceOnEnter(true);
        if (tc.Setup) tc.Setup(g);
        g->MoveCurrentCell(tc.Start.C, tc.Start.R);
        g->AdvanceCell(tc.Start.C, tc.Start.R, false, false, true, false, false);
        EXPECT_EQ(Current(g), tc.Expected);
        EXPECT_EQ(g->RowCount(), tc.Rows);
        EXPECT_EQ(g->ColCount(), tc.Cols);
    }
}

TEST(AdvGridKeys, AdvanceOverReadOnlyCellsReportsItsOriginAndEndsWhereItBegan)
{
    InputFixture f(4, 3);
    TInputGrid* g = f.Grid;
    g->SetOptions(g->Options() + goEditing);
    g->Navigation()->SetAdvanceOnEnter(true);
    g->SetReadOnly(2, 1, true);
    QStringList events;
    g->OnAutoAdvance = [&](TObject*, int orow, int ocol, int& nrow, int& ncol, bool&) {
        events << QStringLiteral("%1,%2->%3,%4").arg(ocol).arg(orow).arg(ncol).arg(nrow);
    };
    g->MoveCurrentCell(1, 1);
    g->AdvanceCell(1, 1, false, false, true, false, false);
    EXPECT_EQ(Current(g), (Cell{3, 1}));
    EXPECT_EQ(events, QStringList{"1,1->3,1"});

    // Nothing editable anywhere: the advance comes round and stops.
    for (int r = 1; r < 3; ++r)
        for (int c = 1; c < 4; ++c) g->SetReadOnly(c, r, true);
    g->AdvanceCell(3, 1, false, false, true, false, false);
    EXPECT_EQ(Current(g), (Cell{3, 1}));
}

TEST(AdvGridKeys, EnterInTheEditorStoresTheTextAndAdvances)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetOptions(g->Options() + goEditing);
    g->Navigation()->SetAdvanceOnEnter(true);
    g->Navigation()->SetAdvanceAutoEdit(false);
    g->MoveCurrentCell(2, 3);
    f.Key(Qt::Key_X, {}, "x");
    ASSERT_TRUE(g->EditorShown());
    QWidget* ew = g->InplaceEditor()->Widget();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::sendEvent(ew, &press);
    EXPECT_EQ(g->Cells(2, 3), "x");
    EXPECT_EQ(Current(g), (Cell{3, 3}));
}

// ---- clicks -------------------------------------------------------------------------

TEST(AdvGridMouse, CanClickCellRefusingChangesNothing)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    int clicks = 0;
    g->OnClickCell = [&](TObject*, int, int) { ++clicks; };
    g->OnCanClickCell = [](TObject*, int, int, bool& allow) { allow = false; };
    f.Click(f.At(4, 5, 10));
    EXPECT_EQ(Current(g), (Cell{1, 1}));
    EXPECT_EQ(clicks, 0);
    g->OnCanClickCell = nullptr;
    f.Click(f.At(4, 5, 10));
    EXPECT_EQ(Current(g), (Cell{4, 5}));
    EXPECT_EQ(clicks, 1);
}

TEST(AdvGridMouse, ClickOnACheckBoxTogglesThenFiresMouseDownThenClick)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetOptions(g->Options() + goEditing);
    g->CheckBoxCols = {3};
    g->AddCheckBox(3, 2, false, false);  // the hit test asks the cell's own box
    g->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { g->Calls << "mousedown"; };
    g->OnClick = [&](TObject*) { g->Calls << "click"; };
    f.Press(f.At(3, 2, 10));
    EXPECT_EQ(g->Calls, (QStringList{"toggle 3,2", "checkclick 3,2", "mousedown", "click"}));
    EXPECT_EQ(Current(g), (Cell{3, 2}));
    f.Release(f.At(3, 2, 10));
    EXPECT_FALSE(g->EditorShown());
}

TEST(AdvGridMouse, CellButtonClicksOnPressAndFiresOnlyOnAReleaseOverIt)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetOptions(g->Options() + goEditing);
    g->ButtonCols = {4};
    QStringList clicks;
    g->OnClickCell = [&](TObject*, int r, int c) { clicks << QStringLiteral("%1,%2").arg(c).arg(r); };
    f.Press(f.At(4, 2, -5));
    EXPECT_EQ(clicks, QStringList{"4,2"});
    EXPECT_TRUE(g->Calls.isEmpty());
    f.Release(f.At(4, 2, -5));
    EXPECT_EQ(g->Calls, QStringList{"button 4,2"});

    f.Press(f.At(4, 3, -5));
    f.Release(f.At(5, 3, 10));
    EXPECT_EQ(g->Calls, QStringList{"button 4,2"});
}

TEST(AdvGridMouse, DirectEditOpensTheEditorOnlyMoreThanThreePixelsInside)
{
    for (int dx : {3, 4}) {
        InputFixture f;
        TInputGrid* g = f.Grid;
        g->SetOptions(g->Options() + goEditing);
        g->MouseActions()->SetDirectEdit(true);
        f.Click(f.At(3, 4, dx));
        EXPECT_EQ(Current(g), (Cell{3, 4}));
        EXPECT_EQ(g->EditorShown(), dx == 4) << dx;
    }
    // Without direct editing a second click on the current cell opens it.
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetOptions(g->Options() + goEditing);
    f.Click(f.At(3, 4, 10));
    EXPECT_FALSE(g->EditorShown());
    f.Click(f.At(3, 4, 10));
    EXPECT_TRUE(g->EditorShown());
}

TEST(AdvGridMouse, AnchorsOpenOnlyWebLinksAndCellReferencesMoveInsideTheGrid)
{
    auto opener = std::make_shared<TRecordingUrlOpener>();
    ScopedService<std::shared_ptr<IUrlOpener>> guard(&PlatformServices::Opener, opener);
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetURLShow(true);
    g->SetCells(2, 2, "http://example.com/a");
    g->SetCells(2, 3, "file:///bin/sh");
    g->SetCells(2, 4, "CELL://R5C6");
    g->SetCells(2, 5, "CELL://R99C99");
    g->SetCells(2, 6, "CELL://nonsense");
    f.Click(f.At(2, 2, 10));
    f.Click(f.At(2, 3, 10));
    EXPECT_EQ(opener->Urls, QStringList{"http://example.com/a"});
    f.Click(f.At(2, 4, 10));
    EXPECT_EQ(Current(g), (Cell{6, 5}));
    f.Click(f.At(2, 5, 10));
    f.Click(f.At(2, 6, 10));
    EXPECT_EQ(Current(g), (Cell{6, 5}));

    QStringList anchors;
    g->OnAnchorClick = [&](TObject*, int, int, const QString& a, bool& autoHandle) {
        anchors << a;
        autoHandle = false;
    };
    f.Click(f.At(2, 2, 10));
    EXPECT_EQ(anchors, QStringList{"http://example.com/a"});
    EXPECT_EQ(opener->Urls.size(), 1);
}

// ---- header clicks --------------------------------------------------------------------

TEST(AdvGridMouse, HeaderClickSortsOnlyOnAWholeClickAwayFromTheEdges)
{
    if (!InputFixture().Grid->SortSettings()) GTEST_SKIP() << "the sort settings are not built yet";
    struct Case {
        const char* Name;
        int Rows;
        int PressDx;    // from the cell's left edge
        int ReleaseCol;
        QStringList Expected;
    };
    const Case cases[] = {
        {"a click sorts", 20, 10, 3, {"sort 3"}},
        {"two rows never sort", 2, 10, 3, {}},
        {"press and release on different cells", 20, 10, 4, {}},
        {"3 pixels from the edge is sizing", 20, 3, 3, {}},
        {"4 pixels from the edge sorts", 20, 4, 3, {"sort 3"}},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.Name);
        InputFixture f(8, tc.Rows);
        TInputGrid* g = f.Grid;
        g->SetOptions(g->Options() + goColSizing);
        g->SortSettings()->SetShow(true);
        f.Press(f.At(3, 0, tc.PressDx));
        f.Release(f.At(tc.ReleaseCol, 0, tc.PressDx));
        EXPECT_EQ(g->Calls, tc.Expected);
    }
    InputFixture f;
    f.Grid->SortSettings()->SetShow(true);
    f.Grid->OnCanSort = [](TObject*, int, bool& doSort) { doSort = false; };
    f.Click(f.At(3, 0, 10));
    EXPECT_TRUE(f.Grid->Calls.isEmpty());
}

// ---- sizing ---------------------------------------------------------------------------

TEST(AdvGridMouse, PressesBesideAHeaderEdgeNameTheColumnLeftOfIt)
{
    for (int dx : {-2, 2}) {
        InputFixture f;
        f.Press(f.Edge(3, 0, dx));
        EXPECT_EQ(f.Grid->ColClicked(), 3) << dx;
        f.Release(f.Edge(3, 0, dx));
    }
}

TEST(AdvGridMouse, DraggingAHeaderEdgeSizesTheColumnWithHintAndEvents)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetOptions(g->Options() + goColSizing);
    g->SetColWidths(2, 80);
    QStringList events;
    g->OnColumnSizing = [&](TObject*, int c, int w) { events << QStringLiteral("sizing %1 %2").arg(c).arg(w); };
    g->OnEndColumnSize = [&](TObject*, int c) { events << QStringLiteral("end %1").arg(c); };
    g->OnUpdateColumnSize = [&](TObject*, int c, int& w) {
        events << QStringLiteral("update %1 %2").arg(c).arg(w);
        w = 100;
    };
    const QPoint start = f.Edge(2, 0, -1);
    f.Press(start);
    f.MoveTo(start + QPoint(10, 0));
    EXPECT_EQ(g->SizingHint(), "cw=<b>90</b>");
    TestHarness::GrabToPng(g, TestHarness::GrabPath("advgrid-input-sizing.png"));
    f.Release(start + QPoint(10, 0));
    EXPECT_EQ(events, (QStringList{"sizing 2 90", "end 2", "update 2 90"}));
    EXPECT_EQ(g->ColWidths(2), 100);
    EXPECT_EQ(g->SizingHint(), "");

    // Released outside the grid: the sizing is dropped.
    events.clear();
    const QPoint edge = f.Edge(3, 0, -1);
    f.Press(edge);
    f.MoveTo(QPoint(700, edge.y()));
    f.Release(QPoint(700, edge.y()));
    EXPECT_EQ(g->ColWidths(3), 64);
    EXPECT_FALSE(events.contains("end 3"));
}

TEST(AdvGridMouse, AllColumnSizeScalesTheOtherNormalColumns)
{
    InputFixture f(5, 5);
    TInputGrid* g = f.Grid;
    g->SetOptions(g->Options() + goColSizing);
    g->MouseActions()->SetAllColumnSize(true);
    g->SetColWidths(3, 30);
    const QPoint start = f.Edge(2, 0, -1);
    f.Press(start);
    f.MoveTo(start + QPoint(32, 0));
    f.Release(start + QPoint(32, 0));
    EXPECT_EQ(g->ColWidths(2), 96);
    EXPECT_EQ(g->ColWidths(1), 96);
    EXPECT_EQ(g->ColWidths(3), 45);
    EXPECT_EQ(g->ColWidths(4), 96);
    EXPECT_EQ(g->ColWidths(0), 64);  // fixed columns keep their width
}

TEST(AdvGridMouse, DoubleClickOnAHeaderEdgeFitsTheColumn)
{
    struct Case {
        int Col;
        int Dx;  // from the cell's left edge; negative: beyond the last column
        QStringList Expected;
    };
    const Case cases[] = {
        {3, 3, {"autosize 2,0"}},
        {3, 4, {}},
        {3, -1, {"autosize 7,0"}},
    };
    for (const Case& tc : cases) {
        InputFixture f;
        TInputGrid* g = f.Grid;
        g->SetOptions(g->Options() + goColSizing);
        QPoint p = f.At(tc.Col, 0, tc.Dx);
        if (tc.Dx < 0) {
            g->SetBounds(0, 0, 640, 400);
            p = f.Edge(7, 0, 2);
        }
        f.DoubleClick(p);
        EXPECT_EQ(g->Calls, tc.Expected) << tc.Dx;
    }
}

TEST(AdvGridMouse, DoubleClickOnACellFiresOnDblClickCell)
{
    InputFixture f;
    QStringList cells;
    f.Grid->OnDblClickCell = [&](TObject*, int r, int c) { cells << QStringLiteral("%1,%2").arg(c).arg(r); };
    f.DoubleClick(f.At(4, 6, 10));
    EXPECT_EQ(cells, QStringList{"4,6"});
}

// ---- moving -----------------------------------------------------------------------------

namespace {

struct MoveFixture : InputFixture {
    MoveFixture() : InputFixture(5, 6)
    {
        Grid->SetOptions(Grid->Options() + goColMoving);
        const int widths[] = {10, 20, 30, 40, 64};
        for (int c = 0; c < 5; ++c) Grid->SetColWidths(c, widths[c]);
        Grid->OnColumnMoved = [this](TObject*, int a, int b) { Moves << QStringLiteral("%1>%2").arg(a).arg(b); };
    }
    QString Widths() const
    {
        QStringList w;
        for (int c = 0; c < Grid->ColCount(); ++c) w << QString::number(Grid->ColWidths(c));
        return w.join(' ');
    }
    void Drag(int from, int to, int dxTo, bool release = true)
    {
        Press(At(from, 0, 5));
        MoveTo(At(from, 0, 8));
        MoveTo(At(to, 0, dxTo));
        if (release) Release(At(to, 0, dxTo));
    }
    QStringList Moves;
};

} // namespace

TEST(AdvGridMove, EnhancedHeaderDragShowsArrowsAndMovesOnce)
{
    MoveFixture f;
    TInputGrid* g = f.Grid;
    g->HideRow(4);  // a hidden row's texts move with the columns
    f.Drag(1, 3, 15, false);
    EXPECT_EQ(Screen->Cursor(), crDrag);
    EXPECT_TRUE(g->ArrowWindow(1)->Visible());
    TestHarness::GrabToPng(g, TestHarness::GrabPath("advgrid-input-column-move.png"));
    f.Release(f.At(3, 0, 15));
    EXPECT_EQ(f.Widths(), "10 30 40 20 64");
    EXPECT_EQ(g->Cells(3, 2), "1,2");
    EXPECT_EQ(g->Cells(1, 2), "2,2");
    EXPECT_EQ(f.Moves, QStringList{"1>3"});
    EXPECT_FALSE(g->ArrowWindow(1)->Visible());
    EXPECT_EQ(Screen->Cursor(), crDefault);
    g->UnHideRowsAll();
    EXPECT_EQ(g->Cells(3, 4), "1,4");
}

TEST(AdvGridMove, RefusedMovesMoveNothing)
{
    {
        MoveFixture f;
        int moving = 0;
        f.Grid->OnColumnMove = [](TObject*, int, bool& allow) { allow = false; };
        f.Grid->OnColumnMoving = [&](TObject*, int, bool&) { ++moving; };
        f.Drag(1, 3, 15, false);
        EXPECT_EQ(f.Grid->GridState(), gsNormal);  // ended at once
        f.Release(f.At(3, 0, 15));
        EXPECT_EQ(moving, 0);
        EXPECT_EQ(f.Widths(), "10 20 30 40 64");
        EXPECT_TRUE(f.Moves.isEmpty());
    }
    {
        MoveFixture f;
        f.Grid->OnColumnMoving = [](TObject*, int, bool& allow) { allow = false; };
        f.Drag(1, 3, 15, false);
        EXPECT_EQ(Screen->Cursor(), crNoDrop);
        f.Release(f.At(3, 0, 15));
        EXPECT_EQ(f.Widths(), "10 20 30 40 64");
        EXPECT_TRUE(f.Moves.isEmpty());
        EXPECT_EQ(Screen->Cursor(), crDefault);
    }
    {
        // The right button during the move is swallowed; a lost capture ends
        // the move without moving.
        MoveFixture f;
        int menus = 0;
        f.Grid->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int, int) { menus += b == mbRight; };
        f.Drag(1, 3, 15, false);
        f.Mouse(QEvent::MouseButtonRelease, f.At(3, 0, 15), Qt::RightButton, Qt::LeftButton);
        EXPECT_EQ(menus, 0);
        f.Grid->Perform(WM_CANCELMODE);
        f.Release(f.At(3, 0, 15));
        EXPECT_EQ(f.Widths(), "10 20 30 40 64");
        EXPECT_TRUE(f.Moves.isEmpty());
        EXPECT_FALSE(f.Grid->ArrowWindow(1)->Visible());
    }
}

TEST(AdvGridMove, ThePlatformDragMovesWidthsAndColOnce)
{
    MoveFixture f;
    TInputGrid* g = f.Grid;
    g->SetEnhRowColMove(false);
    g->MoveCurrentCell(1, 2);
    f.Drag(1, 3, 35);
    EXPECT_EQ(f.Widths(), "10 30 40 20 64");
    EXPECT_EQ(g->Col(), 3);
    EXPECT_EQ(f.Moves, QStringList{"1>3"});
}

TEST(AdvGridMove, ColAndSortColumnFollowTheRotation)
{
    struct Case {
        int From, To, Index, Expected;
    };
    const Case cases[] = {
        {1, 3, 1, 3}, {1, 3, 2, 1}, {1, 3, 3, 2}, {1, 3, 4, 4},
        {3, 1, 3, 1}, {3, 1, 1, 2}, {3, 1, 2, 3}, {3, 1, 4, 4},
    };
    for (const Case& tc : cases) {
        MoveFixture f;
        TInputGrid* g = f.Grid;
        g->MoveCurrentCell(tc.Index, 2);
        if (g->SortSettings()) g->SortSettings()->SetColumn(tc.Index);
        g->MoveColumn(tc.From, tc.To);
        EXPECT_EQ(g->Col(), tc.Expected) << tc.From << ">" << tc.To << " at " << tc.Index;
        if (g->SortSettings()) {
            EXPECT_EQ(g->SortSettings()->Column(), tc.Expected);
        }
        EXPECT_EQ(f.Moves.size(), 1);
    }
}

TEST(AdvGridMove, SynchronisedGridsMoveOnceEach)
{
    MoveFixture f;
    auto* other = Create<TInputGrid>(f.Form);
    other->SetParent(f.Form);
    other->SetColCount(5);
    for (int c = 0; c < 5; ++c) other->SetCells(c, 1, QString::number(c));
    int otherMoves = 0;
    other->OnColumnMoved = [&](TObject*, int, int) { ++otherMoves; };
    f.Grid->SyncGrid()->SetGrid(other);
    f.Grid->SyncGrid()->SetMoveColumn(true);
    other->SyncGrid()->SetGrid(f.Grid);
    other->SyncGrid()->SetMoveColumn(true);
    f.Grid->MoveColumn(1, 3);
    EXPECT_EQ(f.Moves.size(), 1);
    EXPECT_EQ(otherMoves, 1);
    EXPECT_EQ(other->Cells(3, 1), "1");
}

// ---- wheel and zoom --------------------------------------------------------------------

TEST(AdvGridScroll, WheelMovesOrScrollsByItsStepAndFiresItsEventOnlyWithAnIncrement)
{
    struct Case {
        const char* Name;
        TWheelAction Action;
        int Increment;
        int Notches;  // negative: toward the user
        int ExpectedRow;  // -1: the lines per notch below row 5
        int ExpectedTop;  // -1: unchanged
        int WheelDowns;
    };
    const Case cases[] = {
        {"move by the lines per notch", waMoveSelection, 0, -1, -1, -2, 0},
        {"move by the increment", waMoveSelection, 2, -1, 7, -2, 1},
        {"move up by the increment", waMoveSelection, 2, 1, 3, -2, 0},
        {"scroll keeps the cell", waScroll, 2, -1, 5, 3, 1},
    };
    for (const Case& tc : cases) {
        SCOPED_TRACE(tc.Name);
        InputFixture f(8, 100);
        TInputGrid* g = f.Grid;
        g->MouseActions()->SetWheelAction(tc.Action);
        g->MouseActions()->SetWheelIncrement(tc.Increment);
        int downs = 0;
        g->OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool&) { ++downs; };
        g->MoveCurrentCell(2, 5);
        const int top = g->TopRow();
        f.Wheel(tc.Notches);
        EXPECT_EQ(g->Row(), tc.ExpectedRow < 0 ? 5 + g->WheelScrl() : tc.ExpectedRow);
        if (tc.ExpectedTop >= 0) {
            EXPECT_EQ(g->TopRow(), tc.ExpectedTop);
        }
        else if (tc.Action == waScroll) EXPECT_EQ(g->TopRow(), top);
        EXPECT_EQ(downs, tc.WheelDowns);
    }
}

TEST(AdvGridScroll, CtrlWheelZoomsEveryColumnAndRowWithinTheLimit)
{
    InputFixture f(4, 4);
    TInputGrid* g = f.Grid;
    const int step = g->WheelScrl();
    ASSERT_GT(step, 0);
    g->SetColWidths(3, 2);
    f.Wheel(-1, Qt::ControlModifier);
    EXPECT_EQ(g->ColWidths(1), 64 + step);
    EXPECT_EQ(g->RowHeights(2), 20 + step);
    EXPECT_EQ(g->ZoomFactor(), step);
    while (g->ZoomFactor() + step <= 10) f.Wheel(-1, Qt::ControlModifier);
    const int width = g->ColWidths(1);
    f.Wheel(-1, Qt::ControlModifier);  // beyond the limit: nothing
    EXPECT_EQ(g->ColWidths(1), width);

    InputFixture z(4, 4);
    z.Grid->SetColWidths(2, 2);
    z.Grid->Zoom(-2);
    EXPECT_EQ(z.Grid->ColWidths(2), 2);  // would reach 0: kept
    EXPECT_EQ(z.Grid->ColWidths(1), 62);
}

TEST(AdvGridScroll, SizeWithFormGrowsTheGridByTheFormsChange)
{
    InputFixture f;
    TInputGrid* g = f.Grid;
    g->SetSizeWithForm(true);
    f.Form->SetBounds(0, 0, 700, 450);
    PumpEvents();
    EXPECT_EQ(g->Width(), 680);
    EXPECT_EQ(g->Height(), 430);
    g->SetSizeWithForm(false);
    f.Form->SetBounds(0, 0, 600, 450);
    PumpEvents();
    EXPECT_EQ(g->Width(), 680);
}
