#pragma once
// A string grid on a shown form, driven by synthesized key and mouse events
// sent to its widget, with a spy subclass that records the calls the input
// makes into the other grid parts.

#include "AdvGrid.h"
#include "AdvGridLook.h"
#include "AdvGridSort.h"
#include "Forms.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStringList>
#include <QWheelEvent>
#include <QWidget>
#include <functional>
#include <set>
#include <utility>

class TInputGrid : public TAdvStringGrid {
public:
    explicit TInputGrid(TComponent* AOwner) : TAdvStringGrid(AOwner) {}

    QStringList Calls;                      // what the input asked of the other parts
    std::set<std::pair<int, int>> UserFixed;  // (col, row) fixed by the application
    std::set<int> CheckBoxCols;              // real columns whose cells hold a check box
    std::set<int> ButtonCols;                // real columns whose cells hold a button
    std::function<int(const QString&)> SearchAnswer;

    bool IsFixed(int ACol, int ARow) override
    {
        return UserFixed.count({ACol, ARow}) > 0 || TAdvStringGrid::IsFixed(ACol, ARow);
    }
    bool HasCheckBox(int ACol, int) override { return CheckBoxCols.count(ACol) > 0; }
    bool HasButton(int ACol, int) override { return ButtonCols.count(ACol) > 0; }
    bool IsControlCell(int ACol, int ARow) override { return HasCheckBox(ACol, ARow) || HasButton(ACol, ARow); }
    bool DoToggleCheckBox(int ACol, int ARow, bool) override { Calls << QStringLiteral("toggle %1,%2").arg(ACol).arg(ARow); return true; }
    void CheckBoxClick(int ACol, int ARow, bool) override { Calls << QStringLiteral("checkclick %1,%2").arg(ACol).arg(ARow); }
    // The button: the right half of the cell.
    TRect GetCellButtonRect(int ACol, int ARow) override
    {
        const TRect r = CellRect(DisplColIndex(ACol), ARow);
        return TRect(r.Left + (r.Right - r.Left) / 2, r.Top, r.Right, r.Bottom);
    }
    void DoButtonClick(int ACol, int ARow) override { Calls << QStringLiteral("button %1,%2").arg(ACol).arg(ARow); }
    void SortOnHeaderClick(int ACol, TShiftState) override { Calls << QStringLiteral("sort %1").arg(ACol); }
    void AutoSizeCol(int ACol, int Padding) override { Calls << QStringLiteral("autosize %1,%2").arg(ACol).arg(Padding); }
    int Search(const QString& Text) override
    {
        Calls << QStringLiteral("search %1").arg(Text);
        return SearchAnswer ? SearchAnswer(Text) : -1;
    }
    void CopySelectionToClipboard() override { Calls << QStringLiteral("copy"); }
    void CutSelectionToClipboard() override { Calls << QStringLiteral("cut"); }
    void PasteSelectionFromClipboard() override { Calls << QStringLiteral("paste"); }

    using TAdvStringGrid::TimerTick;
};

// A 640 x 400 form with the grid filling most of it; the grid has the focus.
struct InputFixture {
    explicit InputFixture(int cols = 8, int rows = 20)
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, 660, 420);
        Grid = Create<TInputGrid>(Form);
        Grid->SetParent(Form);
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(TScrollStyle::ssNone);
        Grid->SetBounds(0, 0, 640, 400);
        Grid->SetColCount(cols);
        Grid->SetRowCount(rows);
        Grid->SetFixedCols(1);
        Grid->SetFixedRows(1);
        Grid->SetDefaultColWidth(64);
        Grid->SetDefaultRowHeight(20);
        for (int c = 0; c < cols; ++c) Grid->SetColWidths(c, 64);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) Grid->SetCells(c, r, QStringLiteral("%1,%2").arg(c).arg(r));
        Form->Show();
        Grid->SetFocus();
    }
    ~InputFixture() { Free(Form); }
    QWidget* W() const { return Grid->Widget(); }

    void Key(int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString()) const
    {
        QKeyEvent press(QEvent::KeyPress, qtKey, mods, text);
        QApplication::sendEvent(W(), &press);
        QKeyEvent release(QEvent::KeyRelease, qtKey, mods, text);
        QApplication::sendEvent(W(), &release);
        // A sent press of a modifier key sets Qt's own modifier state (its
        // shortcut pass), which no sent release clears: a plain press sent to
        // a bystander widget does, so that the key is not down for the tests
        // that follow.
        if (qtKey == Qt::Key_Shift || qtKey == Qt::Key_Control || qtKey == Qt::Key_Alt) {
            QWidget bystander;
            QKeyEvent reset(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier);
            QApplication::sendEvent(&bystander, &reset);
        }
    }
    void Mouse(QEvent::Type t, QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::MouseButtons held = Qt::LeftButton,
               Qt::KeyboardModifiers mods = Qt::NoModifier) const
    {
        QMouseEvent e(t, QPointF(p), QPointF(W()->mapToGlobal(p)), b, held, mods);
        QApplication::sendEvent(W(), &e);
    }
    void Press(QPoint p) const { Mouse(QEvent::MouseButtonPress, p); }
    void MoveTo(QPoint p, Qt::MouseButtons held = Qt::LeftButton) const
    {
        Mouse(QEvent::MouseMove, p, Qt::NoButton, held);
    }
    void Release(QPoint p) const { Mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton); }
    // A press and release of one button, with the modifiers held throughout.
    void Click(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers mods = Qt::NoModifier) const
    {
        Mouse(QEvent::MouseButtonPress, p, b, b, mods);
        Mouse(QEvent::MouseButtonRelease, p, b, Qt::NoButton, mods);
    }
    void DoubleClick(QPoint p) const
    {
        Press(p);
        Release(p);
        Mouse(QEvent::MouseButtonDblClick, p);
        Release(p);
    }
    void Wheel(int notches, Qt::KeyboardModifiers mods = Qt::NoModifier) const
    {
        const QPoint p(100, 100);
        QWheelEvent e(QPointF(p), QPointF(W()->mapToGlobal(p)), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      mods, Qt::NoScrollPhase, false);
        QApplication::sendEvent(W(), &e);
    }
    // A point in a cell: dx from its left edge (negative: from its right
    // edge), in the vertical middle.
    QPoint At(int c, int r, int dx) const
    {
        const TRect rc = Grid->CellRect(c, r);
        return QPoint(dx >= 0 ? rc.Left + dx : rc.Right + dx, (rc.Top + rc.Bottom) / 2);
    }
    // The vertical line between column c and the next one, dx beside it.
    QPoint Edge(int c, int r, int dx) const
    {
        const TRect rc = Grid->CellRect(c, r);
        return QPoint(rc.Right + dx, (rc.Top + rc.Bottom) / 2);
    }

    TForm* Form;
    TInputGrid* Grid;
};
