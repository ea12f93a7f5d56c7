// The platform grid's input: keyboard, mouse, the in-place editor, scroll
// bars, timers and the message path.
#include "DialogResponder.h"
#include "Fakes.h"
#include "GridsTestKit.h"
#include "Services.h"

#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QScrollBar>
#include <gtest/gtest.h>

namespace {

struct KeyCase {
    const char* name;
    TGridOptions add;
    TGridCoord start;
    Word key;
    TShiftState shift;
    TGridCoord cell;
    TGridRect sel;
    bool editor;
};

TEST(GridKeyboard, KeysMoveTheCurrentCell)
{
    const TGridOptions none;
    const KeyCase cases[] = {
        {"up at the top", none, {1, 1}, VK_UP, {}, {1, 1}, {1, 1, 1, 1}, false},
        {"down", none, {1, 1}, VK_DOWN, {}, {1, 2}, {1, 2, 1, 2}, false},
        {"right at the edge", none, {4, 1}, VK_RIGHT, {}, {4, 1}, {4, 1, 4, 1}, false},
        {"left", none, {3, 2}, VK_LEFT, {}, {2, 2}, {2, 2, 2, 2}, false},
        {"shift down extends", none, {1, 1}, VK_DOWN, {ssShift}, {1, 2}, {1, 1, 1, 2}, false},
        {"home", none, {3, 2}, VK_HOME, {}, {1, 2}, {1, 2, 1, 2}, false},
        {"end", none, {3, 2}, VK_END, {}, {4, 2}, {4, 2, 4, 2}, false},
        {"ctrl home keeps the column", none, {3, 3}, VK_HOME, {ssCtrl}, {3, 1}, {3, 1, 3, 1}, false},
        {"ctrl end", none, {3, 2}, VK_END, {ssCtrl}, {3, 4}, {3, 4, 3, 4}, false},
        {"row select end keeps the cell", {goRowSelect}, {2, 2}, VK_END, {}, {2, 2}, {1, 2, 4, 2}, false},
        {"tab without goTabs", none, {1, 1}, VK_TAB, {}, {1, 1}, {1, 1, 1, 1}, false},
        {"tab wraps to the next row", {goTabs}, {4, 1}, VK_TAB, {}, {1, 2}, {1, 2, 1, 2}, false},
        {"shift tab wraps back", {goTabs}, {1, 2}, VK_TAB, {ssShift}, {4, 1}, {4, 1, 4, 1}, false},
        {"tab at the end", {goTabs}, {4, 4}, VK_TAB, {}, {4, 4}, {4, 4, 4, 4}, false},
        {"f2 edits", {goEditing}, {2, 2}, VK_F2, {}, {2, 2}, {2, 2, 2, 2}, true},
        {"enter edits", {goEditing}, {2, 2}, VK_RETURN, {}, {2, 2}, {2, 2, 2, 2}, true},
        {"f2 without goEditing", none, {2, 2}, VK_F2, {}, {2, 2}, {2, 2, 2, 2}, false},
    };
    for (const KeyCase& k : cases) {
        GridFixture f;
        TProbeGrid* g = f.Grid;
        g->FocusMode = 1;
        g->SetOptions(g->Options() + k.add);
        g->FocusCell(k.start.X, k.start.Y, true);
        Word key = k.key;
        g->KeyDown(key, k.shift);
        EXPECT_EQ(g->Col(), k.cell.X) << k.name;
        EXPECT_EQ(g->Row(), k.cell.Y) << k.name;
        EXPECT_EQ(g->Selection(), k.sel) << k.name;
        EXPECT_EQ(g->EditorShown(), k.editor) << k.name;
    }
}

TEST(GridKeyboard, ShiftWithoutRangeSelectTabStopsAndClearedKeys)
{
    GridFixture f;
    TProbeGrid* g = f.Grid;
    g->FocusMode = 1;
    g->SetOptions((g->Options() - goRangeSelect) + goTabs);
    Word key = VK_DOWN;
    g->KeyDown(key, {ssShift});
    EXPECT_EQ(g->Selection(), GridRect(1, 2, 1, 2));
    g->SetTabStops(2, false);
    g->SetTabStops(3, false);
    key = VK_TAB;
    g->KeyDown(key, {});
    EXPECT_EQ(g->Col(), 4);
    g->OnKeyDown = [](TObject*, Word& k, TShiftState) { k = 0; };
    key = VK_UP;
    g->KeyDown(key, {});
    EXPECT_EQ(g->Row(), 2);
    const int clicks = g->Clicks;
    g->OnKeyDown = nullptr;
    key = VK_UP;
    g->KeyDown(key, {});
    EXPECT_EQ(g->Clicks, clicks + 1);
}

TEST(GridKeyboard, EnterTogglesAndEscapeCancels)
{
    GridFixture f;
    TProbeGrid* g = f.Grid;
    g->FocusMode = 1;
    g->SetOptions(g->Options() + goEditing);
    g->SetCells(2, 2, "old");
    g->FocusCell(2, 2, true);
    Word key = VK_RETURN;
    g->KeyDown(key, {});
    ASSERT_TRUE(g->EditorShown());
    g->InplaceEditor()->SetText("new");
    key = VK_ESCAPE;
    g->KeyDown(key, {});
    EXPECT_FALSE(g->EditorShown());
    EXPECT_TRUE(g->SetEditCalls.isEmpty());
    EXPECT_EQ(g->Cells(2, 2), "old");
    key = VK_RETURN;
    g->KeyDown(key, {});
    g->InplaceEditor()->SetText("new");
    key = VK_RETURN;
    g->KeyDown(key, {});
    EXPECT_FALSE(g->EditorShown());
    EXPECT_EQ(g->SetEditCalls, QStringList{"2,2=new"});
}

TEST(GridKeyboard, AWndProcThatFinishesKeyDownKeepsTheBaseFromMoving)
{
    GridFixture f;
    TProbeGrid* g = f.Grid;
    g->SetFocus();
    QTest::keyClick(g->Widget(), Qt::Key_Down);
    EXPECT_EQ(g->Row(), 2);
    g->Intercept = [](TMessage& m) { return m.Msg == WM_KEYDOWN; };
    QTest::keyClick(g->Widget(), Qt::Key_Down);
    EXPECT_EQ(g->Row(), 2);
}

// ---- mouse ---------------------------------------------------------------------

struct MouseGrid : GridFixture {
    MouseGrid()
    {
        Grid->FocusMode = 1;
        W = Grid->Widget();
    }
    void Press(QPoint p, Qt::KeyboardModifiers m = Qt::NoModifier, Qt::MouseButton b = Qt::LeftButton)
    {
        SendMouse(W, QEvent::MouseButtonPress, b, p, b, m);
    }
    void Move(QPoint p) { SendMouse(W, QEvent::MouseMove, Qt::NoButton, p, Qt::LeftButton); }
    void Release(QPoint p, Qt::MouseButton b = Qt::LeftButton)
    {
        SendMouse(W, QEvent::MouseButtonRelease, b, p, Qt::NoButton);
    }
    QWidget* W;
};

TEST(GridMouse, PressDragAndShiftPressSelect)
{
    MouseGrid m;
    TProbeGrid* g = m.Grid;
    m.Press(CellCenter(g, 2, 2));
    EXPECT_EQ(g->GridState(), gsSelecting);
    EXPECT_TRUE(g->TimerRunning(1));
    m.Move(CellCenter(g, 3, 4));
    m.Release(CellCenter(g, 3, 4));
    EXPECT_EQ(g->Selection(), GridRect(2, 2, 3, 4));
    EXPECT_EQ(g->GridState(), gsNormal);
    EXPECT_FALSE(g->TimerRunning(1));
    m.Press(CellCenter(g, 1, 1), Qt::ShiftModifier);
    m.Release(CellCenter(g, 1, 1));
    EXPECT_EQ(g->Selection(), GridRect(1, 1, 2, 2));
    EXPECT_EQ(g->Col(), 1);
    // Right button: nothing moves.
    m.Press(CellCenter(g, 4, 4), Qt::NoModifier, Qt::RightButton);
    m.Release(CellCenter(g, 4, 4), Qt::RightButton);
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 1);
}

TEST(GridMouse, BorderIsTakenOffTheCoordinates)
{
    MouseGrid m;
    TProbeGrid* g = m.Grid;
    g->SetBorderStyle(bsSingle);
    const QPoint c = CellCenter(g, 3, 2) + QPoint(2, 2);
    m.Press(c);
    m.Release(c);
    EXPECT_EQ(g->Col(), 3);
    EXPECT_EQ(g->Row(), 2);
}

TEST(GridMouse, ColumnSizingAppliesOnReleaseOnly)
{
    MouseGrid m;
    TProbeGrid* g = m.Grid;
    g->SetOptions(g->Options() + goColSizing);
    const TRect r = g->CellRect(2, 0);
    const QPoint start(r.Right - 2, 10);
    m.Press(start);
    EXPECT_EQ(g->GridState(), gsColSizing);
    m.Move(start + QPoint(30, 0));
    m.Release(start + QPoint(30, 0));
    EXPECT_EQ(g->ColWidths(2), 64 + 30);
    EXPECT_EQ(g->ColWidthsChanges, 1);
    // Losing the capture mid-size changes nothing.
    m.Press(start);
    m.Move(start + QPoint(30, 0));
    CancelCapture();
    EXPECT_EQ(g->GridState(), gsNormal);
    m.Release(start + QPoint(30, 0));
    EXPECT_EQ(g->ColWidths(2), 94);
    EXPECT_EQ(g->ColWidthsChanges, 1);
}

TEST(GridMouse, HeaderDragMovesAColumn)
{
    MouseGrid m;
    TProbeGrid* g = m.Grid;
    g->SetOptions(g->Options() + goColMoving);
    for (int c = 0; c < 5; ++c) g->SetCells(c, 2, QString::number(c));
    m.Press(CellCenter(g, 1, 0));
    EXPECT_EQ(g->GridState(), gsColMoving);
    m.Move(CellCenter(g, 2, 0));
    m.Move(CellCenter(g, 3, 0) + QPoint(20, 0));
    m.Release(CellCenter(g, 3, 0) + QPoint(20, 0));
    ASSERT_EQ(g->ColumnMoves.size(), 1u);
    EXPECT_EQ(g->ColumnMoves[0], std::make_pair(1, 3));
    EXPECT_EQ(g->Cells(3, 2), "1");
    EXPECT_EQ(g->Cells(1, 2), "2");
    // Released on the same column: no move.
    m.Press(CellCenter(g, 2, 0));
    m.Move(CellCenter(g, 2, 0) + QPoint(3, 0));
    m.Release(CellCenter(g, 2, 0) + QPoint(3, 0));
    EXPECT_EQ(g->ColumnMoves.size(), 1u);
}

TEST(GridMouse, SecondPressAndDoubleClickOpenTheEditor)
{
    MouseGrid m;
    TProbeGrid* g = m.Grid;
    g->SetOptions(g->Options() + goEditing);
    const QPoint p = CellCenter(g, 2, 2);
    m.Press(p);
    m.Release(p);
    EXPECT_FALSE(g->EditorShown());
    m.Press(p);
    m.Release(p);
    EXPECT_TRUE(g->EditorShown());
    // A press on another cell while editing stores and moves.
    g->InplaceEditor()->SetText("edited");
    m.Press(CellCenter(g, 3, 3));
    m.Release(CellCenter(g, 3, 3));
    EXPECT_FALSE(g->EditorShown());
    EXPECT_EQ(g->Cells(2, 2), "edited");
    EXPECT_EQ(g->Col(), 3);
}

TEST(GridMouse, DoubleClickTogglesTheEditor)
{
    MouseGrid m;
    TProbeGrid* g = m.Grid;
    g->SetOptions(g->Options() + goEditing);
    const QPoint p = CellCenter(g, 2, 2);
    int dbl = 0;
    g->OnDblClick = [&](TObject*) { ++dbl; };
    m.Press(p);
    m.Release(p);
    SendMouse(m.W, QEvent::MouseButtonDblClick, Qt::LeftButton, p, Qt::LeftButton);
    m.Release(p);
    EXPECT_EQ(dbl, 1);
    EXPECT_TRUE(g->EditorShown());
    SendMouse(m.W, QEvent::MouseButtonDblClick, Qt::LeftButton, p, Qt::LeftButton);
    m.Release(p);
    EXPECT_FALSE(g->EditorShown());
}

TEST(GridMouse, TimerScrollsWhileDraggingBelowTheGrid)
{
    MouseGrid m;
    TProbeGrid* g = m.Grid;
    g->SetRowCount(100);
    m.Press(CellCenter(g, 2, 3));
    m.Move(CellCenter(g, 2, 5));
    g->DeliverTimer(1);  // inside: nothing
    EXPECT_EQ(g->TopRow(), 1);
    m.Move(QPoint(CellCenter(g, 2, 5).x(), 400));
    const int bottomBefore = g->Selection().Bottom;
    g->DeliverTimer(1);
    EXPECT_EQ(g->TopRow(), 2);
    EXPECT_GT(g->Selection().Bottom, bottomBefore);
    m.Release(QPoint(CellCenter(g, 2, 5).x(), 400));
    EXPECT_FALSE(g->TimerRunning(1));
    g->DeliverTimer(1);
    EXPECT_EQ(g->TopRow(), 2);
}

TEST(GridMouse, WheelMovesTheRow)
{
    MouseGrid m;
    TProbeGrid* g = m.Grid;
    QWheelEvent down(QPointF(50, 50), QPointF(m.W->mapToGlobal(QPoint(50, 50))), QPoint(), QPoint(0, -240),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m.W, &down);
    EXPECT_EQ(g->Row(), 3);
}

// ---- the editor ------------------------------------------------------------------

struct EditorGrid : GridFixture {
    EditorGrid()
    {
        Grid->FocusMode = 1;
        Grid->SetOptions(Grid->Options() + goEditing);
        Grid->SetRowCount(50);
        for (int r = 1; r < 50; ++r) Grid->SetCells(2, r, QStringLiteral("text %1").arg(r));
        Grid->FocusCell(2, 2, true);
    }
};

TEST(GridEditor, LoadsOnceSelectsAllAndStoresOnceOnHide)
{
    EditorGrid e;
    TProbeGrid* g = e.Grid;
    g->ShowEditor();
    TInplaceEdit* ed = g->InplaceEditor();
    ASSERT_NE(ed, nullptr);
    EXPECT_EQ(ed->Text(), "text 2");
    EXPECT_EQ(ed->SelLength(), 6);
    EXPECT_EQ(g->UpdateContentsCalls, 1);
    g->ShowEditor();  // same cell, still shown: no reload
    EXPECT_EQ(g->UpdateContentsCalls, 1);
    ed->SetText("changed");
    g->HideEditor();
    EXPECT_EQ(g->SetEditCalls, QStringList{"2,2=changed"});
    g->ShowEditor();  // after a hide: loads again
    EXPECT_EQ(g->UpdateContentsCalls, 2);
    g->SetRow(5);
    g->ShowEditor();
    EXPECT_EQ(ed->Text(), "text 5");
    EXPECT_EQ(g->Creates, 1);
    EXPECT_EQ(g->SetEditCalls.size(), 2);
}

TEST(GridEditor, ShowEditorCharAndAlwaysShowEditor)
{
    EditorGrid e;
    TProbeGrid* g = e.Grid;
    g->ShowEditorChar(u'x');
    EXPECT_EQ(g->InplaceEditor()->Text(), "x");
    g->ShowEditorChar(QChar(8));
    EXPECT_EQ(g->InplaceEditor()->Text(), "");
    g->HideEditor();
    g->SetOptions(g->Options() + goAlwaysShowEditor);
    EXPECT_TRUE(g->EditorShown());
    g->SetRow(7);
    EXPECT_TRUE(g->EditorShown());
    EXPECT_EQ(g->InplaceEditor()->Text(), "text 7");
}

TEST(GridEditor, CanEditShowRefusals)
{
    EditorGrid e;
    TProbeGrid* g = e.Grid;
    g->FocusMode = 0;
    g->ShowEditor();
    EXPECT_FALSE(g->EditorShown());
    g->FocusMode = 1;
    g->SetOptions(g->Options() + goRowSelect);
    g->ShowEditor();
    EXPECT_FALSE(g->EditorShown());
    g->SetOptions(g->Options() - goRowSelect);
    g->SetSelection(GridRect(5, 50, 5, 50));  // outside
    g->ShowEditor();
    EXPECT_FALSE(g->EditorShown());
}

TEST(GridEditor, ScrollingTheCellOutAndBackKeepsTheEdit)
{
    EditorGrid e;
    TProbeGrid* g = e.Grid;
    g->ShowEditor();
    g->InplaceEditor()->SetText("typing");
    g->SetTopRow(20);
    EXPECT_FALSE(g->InplaceEditor()->Widget()->isVisible());
    EXPECT_TRUE(g->EditorShown());
    g->SetTopRow(1);
    EXPECT_TRUE(g->InplaceEditor()->Widget()->isVisible());
    EXPECT_EQ(g->InplaceEditor()->Text(), "typing");
    EXPECT_TRUE(g->SetEditCalls.isEmpty());
    const TRect r = g->CellRect(2, 2);
    EXPECT_EQ(g->InplaceEditor()->Left(), r.Left);
    EXPECT_EQ(g->InplaceEditor()->Top(), r.Top);
}

TEST(GridEditor, KeysInTheEditorReachTheGrid)
{
    EditorGrid e;
    TProbeGrid* g = e.Grid;
    g->ShowEditor();
    QWidget* w = g->InplaceEditor()->Widget();
    g->KeysSeen.clear();
    QTest::keyClick(w, Qt::Key_A);
    EXPECT_TRUE(g->KeysSeen.contains("press a"));
    EXPECT_EQ(g->InplaceEditor()->Text(), "a");
    QTest::keyClick(w, Qt::Key_Up);
    EXPECT_TRUE(g->KeysSeen.contains(QStringLiteral("down %1").arg(VK_UP)));
    EXPECT_EQ(g->Row(), 1);
    EXPECT_EQ(g->Cells(2, 2), "a");

    TCountingBeepHook beeps;
    ScopedService hook(&PlatformServices::BeepHook, beeps);
    g->Accept = [](QChar k) { return k.isDigit(); };
    g->ShowEditor();
    g->InplaceEditor()->SetText("");
    QTest::keyClick(w, Qt::Key_Q);
    QTest::keyClick(w, Qt::Key_7);
    EXPECT_EQ(g->InplaceEditor()->Text(), "7");
    EXPECT_EQ(beeps.Count(), 1);
}

TEST(GridEditor, MaskRefusesMisfitsAndAnIncompleteLeave)
{
    EditorGrid e;
    TProbeGrid* g = e.Grid;
    TCountingBeepHook beeps;
    ScopedService hook(&PlatformServices::BeepHook, beeps);
    g->OnGetEditMask = [](TObject*, int, int, QString& m) { m = QStringLiteral("00:00;1;_"); };
    g->SetCells(2, 2, "");
    g->ShowEditor();
    QWidget* w = g->InplaceEditor()->Widget();
    g->InplaceEditor()->SetSelStart(0);
    g->InplaceEditor()->SetSelLength(0);
    QTest::keyClick(w, Qt::Key_1);
    QTest::keyClick(w, Qt::Key_X);
    QTest::keyClick(w, Qt::Key_2);
    EXPECT_EQ(g->InplaceEditor()->EditText(), "12:__");
    EXPECT_EQ(beeps.Count(), 1);
    g->HideEditor();
    EXPECT_TRUE(g->EditorShown());
    EXPECT_EQ(beeps.Count(), 2);
    EXPECT_EQ(g->InplaceEditor()->SelStart(), 3);
    QTest::keyClick(w, Qt::Key_3);
    QTest::keyClick(w, Qt::Key_4);
    g->HideEditor();
    EXPECT_FALSE(g->EditorShown());
    EXPECT_EQ(g->Cells(2, 2), "12:34");
}

TEST(GridEditor, PasswordCellsShowTheirCharacterAndKeepTheText)
{
    EditorGrid e;
    TProbeGrid* g = e.Grid;
    g->SetCells(2, 2, "abc");
    g->ShowEditor();
    TInplaceEdit* ed = g->InplaceEditor();
    QWidget* w = ed->Widget();
    ed->SetPasswordChar(u'*');
    EXPECT_EQ(ed->EditText(), "***");
    EXPECT_EQ(ed->Text(), "abc");
    ed->SetSelStart(3);
    QTest::keyClick(w, Qt::Key_D);
    QTest::keyClick(w, Qt::Key_Backspace);
    QTest::keyClick(w, Qt::Key_Backspace);
    QTest::keyClick(w, Qt::Key_X);
    EXPECT_EQ(ed->EditText(), "***");
    EXPECT_EQ(ed->Text(), "abx");
    g->HideEditor();
    EXPECT_EQ(g->Cells(2, 2), "abx");
}

// ---- scroll bars -------------------------------------------------------------------

struct ScrollGrid : GridFixture {
    ScrollGrid() : GridFixture(300, 20 * 25 + 25 + 16)
    {
        Grid->SetScrollBars(TScrollStyle::ssVertical);
        Grid->SetRowCount(102);
        Bar = Grid->ScrollBarWidget(SB_VERT);
    }
    void Send(int code, int pos = 0) { Grid->Perform(WM_VSCROLL, ScrollWParam(code, pos), 0); }
    QScrollBar* Bar;
};

TEST(GridScrollBars, PositionsMapOnThe127Scale)
{
    ScrollGrid s;
    TProbeGrid* g = s.Grid;
    ASSERT_TRUE(g->ScrollBarVisible(SB_VERT));
    EXPECT_EQ(g->VisibleRowCount(), 20);
    EXPECT_EQ(g->MaxTopRow(), 82);
    s.Send(SB_THUMBPOSITION, 64);
    EXPECT_EQ(g->TopRow(), 42);
    struct Case { int top, pos; };
    for (const Case& k : {Case{1, 0}, Case{82, 127}, Case{42, 64}, Case{2, 2}}) {
        g->SetTopRow(k.top);
        EXPECT_EQ(g->GetScrollInfo(SB_VERT).Pos, k.pos) << k.top;
        EXPECT_EQ(s.Bar->value(), k.pos) << k.top;
    }
}

TEST(GridScrollBars, EachCodeMovesTheTopRow)
{
    ScrollGrid s;
    TProbeGrid* g = s.Grid;
    struct Case { int code, pos, from, to; };
    const Case cases[] = {
        {SB_LINEDOWN, 0, 1, 2}, {SB_LINEUP, 0, 1, 1},  {SB_PAGEDOWN, 0, 1, 21}, {SB_PAGEUP, 0, 30, 10},
        {SB_BOTTOM, 0, 1, 82},  {SB_TOP, 0, 50, 1},    {SB_PAGEDOWN, 0, 80, 82}, {SB_ENDSCROLL, 0, 7, 7},
        {SB_THUMBTRACK, 64, 1, 1},
    };
    for (const Case& k : cases) {
        g->SetTopRow(k.from);
        s.Send(k.code, k.pos);
        EXPECT_EQ(g->TopRow(), k.to) << k.code << " from " << k.from;
    }
    g->SetOptions(g->Options() + goThumbTracking);
    g->SetTopRow(1);
    s.Send(SB_THUMBTRACK, 64);
    EXPECT_EQ(g->TopRow(), 42);
}

TEST(GridScrollBars, ProportionalInfoStaysUntilTheNextRangeUpdate)
{
    ScrollGrid s;
    TProbeGrid* g = s.Grid;
    g->SetScrollInfo(SB_VERT, TScrollInfo{0, 1000, 874, 5});
    EXPECT_EQ(s.Bar->maximum(), 127);
    EXPECT_EQ(s.Bar->pageStep(), 874);
    g->SetTopRow(3);  // a position update keeps the range
    EXPECT_EQ(g->GetScrollInfo(SB_VERT).Max, 1000);
    g->UpdateScrollRange();
    EXPECT_EQ(g->GetScrollInfo(SB_VERT).Max, 127);
    EXPECT_EQ(g->GetScrollInfo(SB_VERT).Page, 0);
}

TEST(GridScrollBars, BarActionsBecomeMessagesAndTheBarWaits)
{
    ScrollGrid s;
    TProbeGrid* g = s.Grid;
    g->Intercept = [](TMessage& m) { return m.Msg == WM_VSCROLL; };  // the grid refuses every scroll
    struct Case { QAbstractSlider::SliderAction action; int code; };
    const Case cases[] = {
        {QAbstractSlider::SliderSingleStepAdd, SB_LINEDOWN}, {QAbstractSlider::SliderSingleStepSub, SB_LINEUP},
        {QAbstractSlider::SliderPageStepAdd, SB_PAGEDOWN},   {QAbstractSlider::SliderPageStepSub, SB_PAGEUP},
        {QAbstractSlider::SliderToMinimum, SB_TOP},          {QAbstractSlider::SliderToMaximum, SB_BOTTOM},
    };
    for (const Case& k : cases) {
        g->ScrollCodes.clear();
        s.Bar->triggerAction(k.action);
        ASSERT_EQ(g->ScrollCodes.size(), 1u);
        EXPECT_EQ(g->ScrollCodes[0], k.code);
        EXPECT_EQ(s.Bar->value(), 0);
    }
    g->Intercept = nullptr;
    s.Bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(g->TopRow(), 21);
    EXPECT_EQ(s.Bar->value(), MulDiv(20, 127, 81));
}

TEST(GridScrollBars, PressAndReleaseOnTheBarParts)
{
    ScrollGrid s;
    TProbeGrid* g = s.Grid;
    QStyleOptionSlider opt;
    opt.initFrom(s.Bar);
    opt.orientation = Qt::Vertical;
    opt.minimum = s.Bar->minimum();
    opt.maximum = s.Bar->maximum();
    opt.sliderPosition = s.Bar->sliderPosition();
    opt.sliderValue = s.Bar->value();
    opt.pageStep = s.Bar->pageStep();
    opt.singleStep = s.Bar->singleStep();
    auto centre = [&](QStyle::SubControl sc) {
        return s.Bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, sc, s.Bar).center();
    };
    const QPoint add = centre(QStyle::SC_ScrollBarAddLine);
    QTest::mousePress(s.Bar, Qt::LeftButton, {}, add);
    QTest::mouseRelease(s.Bar, Qt::LeftButton, {}, add);
    EXPECT_EQ(g->ScrollCodes, (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));
    EXPECT_EQ(g->TopRow(), 2);

    g->SetTopRow(1);
    g->ScrollCodes.clear();
    const QPoint page = centre(QStyle::SC_ScrollBarAddPage);
    QTest::mousePress(s.Bar, Qt::LeftButton, {}, page);
    QTest::mouseRelease(s.Bar, Qt::LeftButton, {}, page);
    EXPECT_EQ(g->ScrollCodes, (std::vector<int>{SB_PAGEDOWN, SB_ENDSCROLL}));

    g->SetTopRow(1);
    g->ScrollCodes.clear();
    const QPoint thumb = centre(QStyle::SC_ScrollBarSlider);
    QTest::mousePress(s.Bar, Qt::LeftButton, {}, thumb);
    SendMouse(s.Bar, QEvent::MouseMove, Qt::NoButton, thumb + QPoint(0, 100), Qt::LeftButton);
    EXPECT_EQ(g->TopRow(), 1);  // without goThumbTracking the view waits
    QTest::mouseRelease(s.Bar, Qt::LeftButton, {}, thumb + QPoint(0, 100));
    ASSERT_GE(g->ScrollCodes.size(), 3u);
    EXPECT_EQ(g->ScrollCodes.front(), SB_THUMBTRACK);
    EXPECT_EQ(g->ScrollCodes[g->ScrollCodes.size() - 2], SB_THUMBPOSITION);
    EXPECT_EQ(g->ScrollCodes.back(), SB_ENDSCROLL);
    EXPECT_GT(g->TopRow(), 1);
}

// ---- timers and the event boundary ------------------------------------------------

TEST(GridMessages, EveryTickPassesWndProcWithItsId)
{
    GridFixture f;
    TProbeGrid* g = f.Grid;
    g->SetTimer(1, 5);
    g->SetTimer(111, 5);
    QTest::qWait(60);
    g->KillTimer(1);
    g->KillTimer(111);
    EXPECT_NE(std::find(g->Timers.begin(), g->Timers.end(), 1u), g->Timers.end());
    EXPECT_NE(std::find(g->Timers.begin(), g->Timers.end(), 111u), g->Timers.end());
}

TEST(GridMessages, ExceptionsInHandlersAreReportedOnce)
{
    GridFixture f;
    TProbeGrid* g = f.Grid;
    // A window not yet on screen paints later, when the message is no longer expected.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.Form->Widget()));
    {
        DialogResponder r;
        r.ExpectMessage("paint failed");
        g->OnDraw = [](int, int, TRect, TGridDrawState) { throw Exception("paint failed"); };
        g->Widget()->repaint();
        g->Widget()->repaint();
        QTest::qWait(20);
        EXPECT_EQ(r.Pending(), 0);
        g->OnDraw = nullptr;
    }
    {
        DialogResponder r;
        r.ExpectMessage("key failed");
        g->OnKeyDown = [](TObject*, Word&, TShiftState) { throw Exception("key failed"); };
        g->SetFocus();
        QTest::keyClick(g->Widget(), Qt::Key_Down);
        QTest::qWait(20);
        EXPECT_EQ(r.Pending(), 0);
    }
}

} // namespace
