// The grid's input: messages, keyboard, mouse, wheel, timers and its own
// scroll bars.

#include "Grids.h"

#include "OsProfile.h"
#include "SysFormat.h"

#include <QAbstractSlider>
#include <QEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

// Turns the actions of the two Qt scroll bars into scroll messages; the bars
// never move by themselves.
class TGridScrollBarBridge : public QObject {
public:
    explicit TGridScrollBarBridge(TCustomGrid* g) : FGrid(g) {}

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonRelease) {
            for (int bar = 0; bar < 2; ++bar)
                // The slider's release comes through sliderReleased.
                if (o == FGrid->FBars[bar] && !static_cast<QScrollBar*>(o)->isSliderDown())
                    GuardEvent([&]() { FGrid->ScrollBarReleased(bar, false); });
        }
        return false;
    }

private:
    TCustomGrid* FGrid;
};

namespace {

constexpr unsigned kSelectTimer = 1;
constexpr int kSelectTimerMs = 100;
constexpr int kSizingZone = 3;

} // namespace

// ---- messages ------------------------------------------------------------------

void TCustomGrid::WndProc(TMessage& m)
{
    switch (m.Msg) {
    case WM_VSCROLL:
    case WM_HSCROLL:
        ModifyScrollBar(m.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ, ScrollCodeOf(m.WParam), ScrollPosOf(m.WParam));
        m.Result = 0;
        return;
    case WM_TIMER:
        if (m.WParam == kSelectTimer && FGridState != gsNormal && FGridState != gsRowSizing
            && FGridState != gsColSizing) {
            // Beyond an edge of the scrolling area: one step towards it.
            const AxisView cv = ColView(), rv = RowView();
            const int fw = int(cv.FixedExtent()), fh = int(rv.FixedExtent());
            TGridCoord tl = FTopLeft;
            const bool rowsToo = FGridState != gsColMoving;
            const bool colsToo = FGridState != gsRowMoving;
            if (rowsToo) {
                if (FLastMouse.Y < fh) tl.Y = std::max(tl.Y - 1, FFixedRows);
                else if (FLastMouse.Y >= ClientH()) tl.Y = std::min(tl.Y + 1, MaxTopRow());
            }
            if (colsToo) {
                if (FLastMouse.X < fw) tl.X = std::max(tl.X - 1, FFixedCols);
                else if (FLastMouse.X >= ClientW()) tl.X = std::min(tl.X + 1, MaxLeftCol());
            }
            if (!(tl == FTopLeft)) {
                SetTopLeftInternal(tl.X, tl.Y);
                if (FGridState == gsSelecting) {
                    const int x = std::clamp(FLastMouse.X, fw, std::max(fw, ClientW() - 1));
                    const int y = std::clamp(FLastMouse.Y, fh, std::max(fh, ClientH() - 1));
                    ExtendSelectionTo(x, y);
                }
            }
        }
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateCell(FCurrent.X, FCurrent.Y);
        InvalidateRect(DrawingSelection());
        break;
    case WM_CANCELMODE:
        EndMouseMode(false, 0, 0);
        break;
    case WM_GETDLGCODE: {
        unsigned code = DLGC_WANTARROWS | DLGC_WANTCHARS;
        if (FOptions.Contains(goTabs)) code |= DLGC_WANTTAB;
        if (EditorShown()) code |= DLGC_WANTALLKEYS;
        m.Result = code;
        return;
    }
    case CM_WANTSPECIALKEY:
        // Enter opens and closes the editor. Escape is the grid's only while
        // the editor shows; else it belongs to the window (its cancel button).
        if (m.WParam == VK_RETURN && FOptions.Contains(goEditing) && !FOptions.Contains(goAlwaysShowEditor)) {
            m.Result = 1;
            return;
        }
        break;
    default:
        break;
    }
    TCustomControl::WndProc(m);
}

void TCustomGrid::TimerTick(unsigned id)
{
    Perform(WM_TIMER, id, 0);
}

void TCustomGrid::Resize()
{
    ForgetShownRange();
    UpdateScrollRange();
    UpdateEditorBounds();
    Invalidate();
    TCustomControl::Resize();
}

// ---- keyboard --------------------------------------------------------------------

void TCustomGrid::KeyMove(int c, int r, TShiftState Shift)
{
    c = std::clamp(c, FFixedCols, ColCount() - 1);
    r = std::clamp(r, FFixedRows, RowCount() - 1);
    const bool keepAnchor = Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect);
    if (c == FCurrent.X && r == FCurrent.Y && SelectionInside()) {
        Click();
        return;
    }
    MoveColRow(c, r, !keepAnchor, true);
    Click();
}

void TCustomGrid::TabMove(bool backward)
{
    const TGridCoord cur = ClampedCurrent();
    int c = cur.X, r = cur.Y;
    for (;;) {
        if (backward) {
            if (--c < FFixedCols) {
                if (--r < FFixedRows) return;
                c = ColCount() - 1;
            }
        } else {
            if (++c >= ColCount()) {
                if (++r >= RowCount()) return;
                c = FFixedCols;
            }
        }
        if (TabStops(c)) break;
        if (c == cur.X && r == cur.Y) return;
    }
    MoveColRow(c, r, true, true);
    Click();
}

void TCustomGrid::KeyDown(Word& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);  // OnKeyDown first
    if (Key == 0) return;
    const TGridCoord cur = ClampedCurrent();
    const bool rowSelect = FOptions.Contains(goRowSelect);
    const bool ctrl = Shift.Contains(ssCtrl);
    switch (Key) {
    case VK_UP: KeyMove(cur.X, cur.Y - 1, Shift); break;
    case VK_DOWN: KeyMove(cur.X, cur.Y + 1, Shift); break;
    case VK_LEFT:
        if (rowSelect) SetLeftCol(std::max(FTopLeft.X - 1, FFixedCols));
        else KeyMove(cur.X - 1, cur.Y, Shift);
        break;
    case VK_RIGHT:
        if (rowSelect) SetLeftCol(std::min(FTopLeft.X + 1, MaxLeftCol()));
        else KeyMove(cur.X + 1, cur.Y, Shift);
        break;
    case VK_PRIOR:
    case VK_NEXT: {
        const int page = std::max(VisibleRowCount(), 1) * (Key == VK_NEXT ? 1 : -1);
        const int top = std::clamp(FTopLeft.Y + page, FFixedRows, MaxTopRow());
        SetTopLeftInternal(FTopLeft.X, top);
        KeyMove(cur.X, cur.Y + page, Shift);
        break;
    }
    case VK_HOME:
        if (ctrl) KeyMove(cur.X, FFixedRows, Shift);
        else if (rowSelect) SetLeftCol(FFixedCols);
        else KeyMove(FFixedCols, cur.Y, Shift);
        break;
    case VK_END:
        if (ctrl) KeyMove(cur.X, RowCount() - 1, Shift);
        else if (rowSelect) SetLeftCol(MaxLeftCol());
        else KeyMove(ColCount() - 1, cur.Y, Shift);
        break;
    case VK_TAB:
        if (FOptions.Contains(goTabs) && !Shift.Contains(ssAlt)) TabMove(Shift.Contains(ssShift));
        break;
    case VK_F2:
        if (FOptions.Contains(goEditing)) SetEditorMode(true);
        break;
    case VK_RETURN:
        if (FOptions.Contains(goEditing) && !FOptions.Contains(goAlwaysShowEditor)) {
            SetEditorMode(!EditorShown());
            Key = 0;
        }
        break;
    case VK_ESCAPE:
        if (EditorShown()) {
            HideEditorEx(true);
            FEditorMode = false;
            Key = 0;
        }
        break;
    default: break;
    }
}

void TCustomGrid::KeyPress(QChar& Key)
{
    TCustomControl::KeyPress(Key);  // OnKeyPress first
    if (Key.isNull() || !FOptions.Contains(goEditing) || EditorShown()) return;
    const bool typable = Key == QChar(8) || Key.unicode() >= 32;
    if (!typable || !IsNormalCell(FCurrent.X, FCurrent.Y)) return;
    ShowEditorChar(Key);
    if (EditorShown()) Key = QChar();
}

void TCustomGrid::KeyUp(Word& Key, TShiftState Shift)
{
    TCustomControl::KeyUp(Key, Shift);
}

// ---- mouse -----------------------------------------------------------------------

void TCustomGrid::CalcSizingState(int X, int Y, TGridState& State, int& Index, int& SizingPos, int& SizingOfs)
{
    State = gsNormal;
    Index = -1;
    const AxisView cv = ColView(), rv = RowView();
    const int fw = int(cv.FixedExtent()), fh = int(rv.FixedExtent());
    auto nearEdge = [&](const AxisView& v, int pos, int& index, int& edge) {
        const int i = v.IndexAt(pos);
        // The edge of the cell under the point, or of the one before it.
        for (int k : {i, i - 1}) {
            long long at;
            if (k < 0 || !v.Offset(k, at)) continue;
            const int e = int(at) + v.A.Size(k);
            if (std::abs(pos - e) <= kSizingZone) {
                index = k;
                edge = e;
                return true;
            }
        }
        return false;
    };
    int index, edge;
    if (FOptions.Contains(goColSizing) && Y >= 0 && Y < fh && nearEdge(cv, X, index, edge)) {
        State = gsColSizing;
        Index = index;
        SizingPos = edge;
        SizingOfs = edge - X;
    } else if (FOptions.Contains(goRowSizing) && X >= 0 && X < fw && nearEdge(rv, Y, index, edge)) {
        State = gsRowSizing;
        Index = index;
        SizingPos = edge;
        SizingOfs = edge - Y;
    }
}

void TCustomGrid::ExtendSelectionTo(int X, int Y)
{
    const TGridCoord c = MouseCoord(X, Y);
    if (c.X < FFixedCols || c.Y < FFixedRows) return;
    if (c == FCurrent) return;
    MoveColRow(c.X, c.Y, false, false);
}

int TCustomGrid::DropIndexAt(bool cols, int pos) const
{
    const AxisView v = cols ? ColView() : RowView();
    const int i = v.IndexAt(pos);
    if (i < v.Fixed) return v.Fixed;
    return i;
}

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FLastMouse = TPoint(X, Y);
    if (Button == mbLeft) {
        FHadFocusAtPress = Focused();
        if (!Focused() && CanFocus() && !(FEditor && FEditor->TWinControl::Focused())) {
            try {
                SetFocus();
            } catch (const EInvalidOperation&) {
            }
        }
        TGridState st;
        int index, pos, ofs;
        CalcSizingState(X, Y, st, index, pos, ofs);
        const TGridCoord cell = MouseCoord(X, Y);
        if (Shift.Contains(ssDouble)) {
            if (FOptions.Contains(goEditing) && IsNormalCell(cell.X, cell.Y)) SetEditorMode(!EditorShown());
        } else if (st != gsNormal) {
            FGridState = st;
            FSizingIndex = index;
            FSizingPos = pos;
            FSizingOfs = ofs;
            SetMouseCapture(true);
            Invalidate();
        } else if (cell.X >= 0 && cell.Y >= 0) {
            if (cell.Y < FFixedRows && cell.X >= FFixedCols && FOptions.Contains(goColMoving)) {
                FGridState = gsColMoving;
                FMoveFrom = cell.X;
                FMovePos = -1;
                SetMouseCapture(true);
                SetTimer(kSelectTimer, kSelectTimerMs);
            } else if (cell.X < FFixedCols && cell.Y >= FFixedRows && FOptions.Contains(goRowMoving)) {
                FGridState = gsRowMoving;
                FMoveFrom = cell.Y;
                FMovePos = -1;
                SetMouseCapture(true);
                SetTimer(kSelectTimer, kSelectTimerMs);
            } else if (IsNormalCell(cell.X, cell.Y)) {
                if (Shift.Contains(ssShift) && FOptions.Contains(goRangeSelect)) {
                    MoveColRow(cell.X, cell.Y, false, true);
                } else if (cell == FCurrent && FHadFocusAtPress && FOptions.Contains(goEditing)
                           && !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl)) {
                    SetEditorMode(true);
                } else {
                    MoveColRow(cell.X, cell.Y, true, true);
                    if (FOptions.Contains(goRangeSelect)) {
                        FGridState = gsSelecting;
                        SetMouseCapture(true);
                        SetTimer(kSelectTimer, kSelectTimerMs);
                    }
                }
            }
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    FLastMouse = TPoint(X, Y);
    switch (FGridState) {
    case gsSelecting: ExtendSelectionTo(X, Y); break;
    case gsColSizing:
    case gsRowSizing: {
        const int p = (FGridState == gsColSizing ? X : Y) + FSizingOfs;
        if (p != FSizingPos) {
            FSizingPos = p;
            Invalidate();
        }
        break;
    }
    case gsColMoving:
    case gsRowMoving: {
        const bool cols = FGridState == gsColMoving;
        const AxisView v = cols ? ColView() : RowView();
        const int pos = std::clamp(cols ? X : Y, int(v.FixedExtent()), std::max(0, v.Client - 1));
        const int i = v.IndexAt(pos);
        if (i < 0) break;
        long long at = 0;
        v.Offset(i, at);
        // The boundary nearest the pointer: before or after the cell under it.
        const bool after = pos - at > v.A.Size(i) / 2;
        int drop = i;
        if (after && i < FMoveFrom) drop = i + 1;
        if (!after && i > FMoveFrom) drop = i - 1;
        drop = std::clamp(drop, v.Fixed, v.A.Count() - 1);
        const int line = int(after ? at + v.A.Extent(i) : at);
        if (drop != FMovePos || line != FSizingPos) {
            FMovePos = drop;
            FSizingPos = line;
            Invalidate();
        }
        break;
    }
    case gsNormal: {
        TGridState st;
        int index, pos, ofs;
        CalcSizingState(X, Y, st, index, pos, ofs);
        // The control's own cursor may be one registered with the screen, so
        // it is looked up as a whole cursor, not as a standard shape.
        const QCursor want = st == gsColSizing   ? QCursor(Qt::SplitHCursor)
                             : st == gsRowSizing ? QCursor(Qt::SplitVCursor)
                                                 : CursorOf(Cursor());
        const QCursor have = Widget()->cursor();
        if (have.shape() != want.shape() || (want.shape() == Qt::BitmapCursor && have.hotSpot() != want.hotSpot()))
            Widget()->setCursor(want);
        break;
    }
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomGrid::EndMouseMode(bool apply, int X, int Y)
{
    const TGridState st = FGridState;
    KillTimer(kSelectTimer);
    if (st == gsNormal) return;
    FGridState = gsNormal;
    if (apply) {
        if (st == gsColSizing || st == gsRowSizing) {
            const bool cols = st == gsColSizing;
            const AxisView v = cols ? ColView() : RowView();
            long long at = 0;
            if (v.Offset(FSizingIndex, at)) {
                const int size = std::max(0, (cols ? X : Y) + FSizingOfs - int(at));
                if (cols) SetColWidths(FSizingIndex, size);
                else SetRowHeights(FSizingIndex, size);
            }
        } else if ((st == gsColMoving || st == gsRowMoving) && FMovePos >= 0 && FMovePos != FMoveFrom) {
            if (st == gsColMoving) MoveColumn(FMoveFrom, FMovePos);
            else MoveRow(FMoveFrom, FMovePos);
        }
    }
    FMovePos = -1;
    FMoveFrom = -1;
    if (MouseCapture()) SetMouseCapture(false);
    if (st != gsSelecting) Invalidate();
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FLastMouse = TPoint(X, Y);
    if (Button == mbLeft) EndMouseMode(true, X, Y);
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft) Click();
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    if (TCustomControl::DoMouseWheelDown(Shift, MousePos)) return true;
    const TGridCoord cur = ClampedCurrent();
    if (cur.Y < RowCount() - 1) MoveColRow(cur.X, cur.Y + 1, true, true);
    return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    if (TCustomControl::DoMouseWheelUp(Shift, MousePos)) return true;
    const TGridCoord cur = ClampedCurrent();
    if (cur.Y > FFixedRows) MoveColRow(cur.X, cur.Y - 1, true, true);
    return true;
}

// ---- scroll bars -------------------------------------------------------------------

void TCustomGrid::UpdateScrollRange()
{
    ForgetShownRange();
    if (!Widget()) return;
    if (!FBridge) {
        FBridge = new TGridScrollBarBridge(this);
        FBridge->setParent(Widget());
        for (int bar = 0; bar < 2; ++bar) {
            auto* sb = new QScrollBar(bar == SB_VERT ? Qt::Vertical : Qt::Horizontal, Widget());
            sb->setFocusPolicy(Qt::NoFocus);
            sb->setTracking(false);
            sb->hide();
            sb->installEventFilter(FBridge);
            QObject::connect(sb, &QAbstractSlider::actionTriggered, FBridge,
                             [this, bar](int action) { GuardEvent([&]() { ScrollBarAction(bar, action); }); });
            // Without tracking a drag reports through sliderMoved only.
            QObject::connect(sb, &QAbstractSlider::sliderMoved, FBridge, [this, bar](int) {
                GuardEvent([&]() { ScrollBarAction(bar, QAbstractSlider::SliderMove); });
            });
            QObject::connect(sb, &QAbstractSlider::sliderReleased, FBridge,
                             [this, bar]() { GuardEvent([&]() { ScrollBarReleased(bar, true); }); });
            FBars[bar] = sb;
        }
    }
    // Which bars show: each by need; the second decision may change the first.
    const bool allowV = FScrollBars == TScrollStyle::ssVertical || FScrollBars == TScrollStyle::ssBoth;
    const bool allowH = FScrollBars == TScrollStyle::ssHorizontal || FScrollBars == TScrollStyle::ssBoth;
    FBarShown[SB_VERT] = FBarShown[SB_HORZ] = false;
    for (int pass = 0; pass < 3; ++pass) {
        const bool v = allowV && MaxTopRow() > FFixedRows;
        const bool h = allowH && MaxLeftCol() > FFixedCols;
        if (v == FBarShown[SB_VERT] && h == FBarShown[SB_HORZ]) break;
        FBarShown[SB_VERT] = v;
        FBarShown[SB_HORZ] = h;
    }
    FBarEnabled[SB_VERT] = FBarEnabled[SB_HORZ] = true;
    FScroll[SB_VERT] = FScroll[SB_HORZ] = TScrollInfo{};
    LayoutScrollBars();
    UpdateScrollPos();
}

void TCustomGrid::UpdateScrollPos()
{
    const int maxTop = MaxTopRow(), maxLeft = MaxLeftCol();
    FScroll[SB_VERT].Pos = maxTop > FFixedRows
                               ? std::clamp(MulDiv(FTopLeft.Y - FFixedRows, 127, maxTop - FFixedRows), 0, 127)
                               : 0;
    FScroll[SB_HORZ].Pos = maxLeft > FFixedCols
                               ? std::clamp(MulDiv(FTopLeft.X - FFixedCols, 127, maxLeft - FFixedCols), 0, 127)
                               : 0;
    ApplyScrollBar(SB_VERT);
    ApplyScrollBar(SB_HORZ);
}

void TCustomGrid::LayoutScrollBars()
{
    if (!FBars[0]) return;
    const int b = BorderWidth();
    FBars[SB_VERT]->setGeometry(b + ClientW(), b, ScrollBarExtent(SB_VERT), ClientH());
    FBars[SB_HORZ]->setGeometry(b, b + ClientH(), ClientW(), ScrollBarExtent(SB_HORZ));
    for (int bar = 0; bar < 2; ++bar) {
        FBars[bar]->setVisible(FBarShown[bar]);
        FBars[bar]->setEnabled(FBarEnabled[bar]);
    }
}

void TCustomGrid::ApplyScrollBar(int Bar)
{
    QScrollBar* sb = FBars[Bar];
    if (!sb) return;
    const TScrollInfo& i = FScroll[Bar];
    const QSignalBlocker block(sb);
    sb->setMinimum(i.Min);
    sb->setMaximum(i.Page > 0 ? i.Max - i.Page + 1 : i.Max);
    sb->setPageStep(std::max(i.Page, 1));
    sb->setSingleStep(1);
    sb->setValue(i.Pos);
    sb->setSliderPosition(i.Pos);
}

void TCustomGrid::SetScrollInfo(int Bar, const TScrollInfo& Info)
{
    if (Bar != SB_HORZ && Bar != SB_VERT) return;
    FScroll[Bar] = Info;
    ApplyScrollBar(Bar);
}

TScrollInfo TCustomGrid::GetScrollInfo(int Bar) const
{
    return Bar == SB_HORZ || Bar == SB_VERT ? FScroll[Bar] : TScrollInfo{};
}

void TCustomGrid::ShowScrollBar(int Bar, bool Show)
{
    if (Bar != SB_HORZ && Bar != SB_VERT) return;
    if (FBarShown[Bar] == Show) return;
    FBarShown[Bar] = Show;
    LayoutScrollBars();
    UpdateEditorBounds();
    Invalidate();
}

void TCustomGrid::EnableScrollBar(int Bar, bool Enable)
{
    if (Bar != SB_HORZ && Bar != SB_VERT) return;
    FBarEnabled[Bar] = Enable;
    LayoutScrollBars();
}

bool TCustomGrid::ScrollBarVisible(int Bar) const { return (Bar == 0 || Bar == 1) && FBarShown[Bar]; }
bool TCustomGrid::ScrollBarEnabled(int Bar) const { return (Bar == 0 || Bar == 1) && FBarEnabled[Bar]; }
QScrollBar* TCustomGrid::ScrollBarWidget(int Bar) const { return Bar == 0 || Bar == 1 ? FBars[Bar] : nullptr; }

int TCustomGrid::ScrollBarExtent(int Bar) const
{
    const int own = (Bar == SB_HORZ || Bar == SB_VERT) ? FBarExtent[Bar] : 0;
    return own > 0 ? own : GetOsProfile().ScrollBarExtent;
}

void TCustomGrid::SetScrollBarExtent(int Bar, int Extent)
{
    if (Bar != SB_HORZ && Bar != SB_VERT) return;
    Extent = std::max(Extent, 0);
    if (FBarExtent[Bar] == Extent) return;
    FBarExtent[Bar] = Extent;
    LayoutScrollBars();
    UpdateEditorBounds();
    Invalidate();
}

void TCustomGrid::ScrollBarAction(int Bar, int Action)
{
    QScrollBar* sb = FBars[Bar];
    const int pos = sb->sliderPosition();
    int code = -1;
    switch (Action) {
    case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
    case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
    case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
    default: return;
    }
    FBarLastAction[Bar] = code;
    // The bar's own move is undone; the grid sets the position it accepts.
    if (code != SB_THUMBTRACK) sb->setSliderPosition(FScroll[Bar].Pos);
    Perform(Bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, ScrollWParam(code, pos), 0);
}

void TCustomGrid::ScrollBarReleased(int Bar, bool slider)
{
    const unsigned msg = Bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    if (slider) Perform(msg, ScrollWParam(SB_THUMBPOSITION, FBars[Bar]->sliderPosition()), 0);
    if (FBarLastAction[Bar] >= 0 || slider) Perform(msg, ScrollWParam(SB_ENDSCROLL, 0), 0);
    FBarLastAction[Bar] = -1;
    ApplyScrollBar(Bar);
}

void TCustomGrid::ModifyScrollBar(int Bar, int Code, int Pos)
{
    const bool vert = Bar == SB_VERT;
    const int fixed = vert ? FFixedRows : FFixedCols;
    const int maxFirst = vert ? MaxTopRow() : MaxLeftCol();
    const int cur = vert ? FTopLeft.Y : FTopLeft.X;
    const int page = std::max(vert ? VisibleRowCount() : VisibleColCount(), 1);
    int next = cur;
    switch (Code) {
    case SB_LINEUP: next = cur - 1; break;
    case SB_LINEDOWN: next = cur + 1; break;
    case SB_PAGEUP: next = cur - page; break;
    case SB_PAGEDOWN: next = cur + page; break;
    case SB_TOP: next = fixed; break;
    case SB_BOTTOM: next = maxFirst; break;
    case SB_THUMBTRACK:
        if (!FOptions.Contains(goThumbTracking)) return;
        [[fallthrough]];
    case SB_THUMBPOSITION: next = MulDiv(Pos, maxFirst - fixed, 127) + fixed; break;
    default: return;
    }
    // User scrolling stays within the last full view.
    next = std::clamp(next, fixed, std::max(maxFirst, fixed));
    if (vert) SetTopLeftInternal(FTopLeft.X, next);
    else SetTopLeftInternal(next, FTopLeft.Y);
    UpdateScrollPos();
}
