#include "Grids.h"

#include "Beep.h"
#include "OsProfile.h"
#include "SysFormat.h"

#include <QScrollBar>
#include <algorithm>

namespace {

const QString kIndexOutOfRange = QStringLiteral("Grid index out of range");
const QString kFixedColsTooBig = QStringLiteral("Fixed column count must be less than column count");
const QString kFixedRowsTooBig = QStringLiteral("Fixed row count must be less than row count");

TGridRect Normalized(TGridCoord a, TGridCoord b)
{
    return TGridRect{std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

} // namespace

TGridAxisView TCustomGrid::ColView() const { return TGridAxisView{FCols, FFixedCols, FTopLeft.X, ClientW()}; }
TGridAxisView TCustomGrid::RowView() const { return TGridAxisView{FRows, FFixedRows, FTopLeft.Y, ClientH()}; }

TCustomGrid::TCustomGrid(TComponent* AOwner) : TCustomControl(AOwner)
{
    FCols.SetLineWidth(FGridLineWidth);
    FRows.SetLineWidth(FGridLineWidth);
    FCols.SetCount(5, FDefaultColWidth);
    FRows.SetCount(5, FDefaultRowHeight);
    FTabStops.assign(5, true);
    FCurrent = FAnchor = FTopLeft = TGridCoord{1, 1};
    FColor = clWindow;
    SetTabStop(true);
    SetControlStyle((ControlStyle() | csOpaque) & ~unsigned(csCaptureMouse | csClickEvents));
    Widget()->setAttribute(Qt::WA_OpaquePaintEvent);
    Widget()->setFocusPolicy(Qt::StrongFocus);
    Widget()->setMouseTracking(true);
    // Drags passing over reach DragOver (a grid scrolls under a drag).
    Widget()->setAcceptDrops(true);
    SetBounds(0, 0, 320, 120);
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::AfterConstruction()
{
    TCustomControl::AfterConstruction();
    UpdateScrollRange();
}

// ---- counts and sizes --------------------------------------------------------

void TCustomGrid::SetColCount(int v) { SetCount(true, v); }
void TCustomGrid::SetRowCount(int v) { SetCount(false, v); }

void TCustomGrid::SetCount(bool cols, int v)
{
    v = std::max(v, 1);
    const int oldCols = ColCount(), oldRows = RowCount();
    if ((cols ? oldCols : oldRows) == v) return;
    int& fixed = cols ? FFixedCols : FFixedRows;
    if (fixed >= v) fixed = v - 1;
    // A count change that removes the current cell ends the edit, storing.
    if (EditorShown() && (cols ? FCurrent.X : FCurrent.Y) >= v) HideEditorEx(false);
    if (cols) {
        FCols.SetCount(v, FDefaultColWidth);
        FTabStops.resize(size_t(v), true);
    } else {
        FRows.SetCount(v, FDefaultRowHeight);
    }
    CountChanged(oldCols, oldRows);
}

void TCustomGrid::CountChanged(int oldCols, int oldRows)
{
    auto clampInside = [&](TGridCoord& p) {
        const bool wasInside = p.X < oldCols && p.Y < oldRows;
        if (!wasInside) return;  // set outside on purpose: stays outside
        p.X = std::clamp(p.X, FFixedCols, ColCount() - 1);
        p.Y = std::clamp(p.Y, FFixedRows, RowCount() - 1);
    };
    clampInside(FCurrent);
    clampInside(FAnchor);
    FTopLeft.X = std::clamp(FTopLeft.X, FFixedCols, ColCount() - 1);
    FTopLeft.Y = std::clamp(FTopLeft.Y, FFixedRows, RowCount() - 1);
    SizeChanged(oldCols, oldRows);
    LayoutChanged();
}

void TCustomGrid::LayoutChanged()
{
    ForgetShownRange();
    UpdateScrollRange();
    UpdateEditorBounds();
    Invalidate();
}

void TCustomGrid::SizesChanged(bool cols)
{
    if (cols) ColWidthsChanged();
    else RowHeightsChanged();
    LayoutChanged();
}

void TCustomGrid::InsertAxisLines(bool cols, int At, int N)
{
    TGridAxis& axis = cols ? FCols : FRows;
    if (N < 1 || At < 0 || At > axis.Count()) return;
    const int oldCols = ColCount(), oldRows = RowCount();
    axis.Insert(At, N, cols ? FDefaultColWidth : FDefaultRowHeight);
    if (cols) FTabStops.insert(FTabStops.begin() + At, size_t(N), true);
    CountChanged(oldCols, oldRows);
}

void TCustomGrid::DeleteAxisLines(bool cols, int At, int N)
{
    TGridAxis& axis = cols ? FCols : FRows;
    if (N < 1 || At < 0 || At >= axis.Count()) return;
    N = std::min(N, axis.Count() - At);
    // At least one line stays, as with the counts.
    if (N >= axis.Count()) N = axis.Count() - 1;
    if (N < 1) return;
    const int oldCols = ColCount(), oldRows = RowCount();
    if (EditorShown() && (cols ? FCurrent.X : FCurrent.Y) >= At) HideEditorEx(false);
    axis.Erase(At, N);
    if (cols) FTabStops.erase(FTabStops.begin() + At, FTabStops.begin() + At + N);
    int& fixed = cols ? FFixedCols : FFixedRows;
    if (fixed >= axis.Count()) fixed = axis.Count() - 1;
    CountChanged(oldCols, oldRows);
}

void TCustomGrid::DeleteAxisRows(const std::vector<int>& Rows)
{
    if (Rows.empty() || Rows.front() < 0 || Rows.back() >= RowCount() || int(Rows.size()) >= RowCount()) return;
    const int oldCols = ColCount(), oldRows = RowCount();
    if (EditorShown() && FCurrent.Y >= Rows.front()) HideEditorEx(false);
    FRows.EraseSet(Rows);
    if (FFixedRows >= FRows.Count()) FFixedRows = FRows.Count() - 1;
    CountChanged(oldCols, oldRows);
}

void TCustomGrid::InsertAxisRows(const std::vector<int>& At, const std::vector<int>& Heights)
{
    if (At.empty()) return;
    const int oldCols = ColCount(), oldRows = RowCount();
    FRows.InsertSet(At, Heights);
    const bool sized = std::any_of(Heights.begin(), Heights.end(), [this](int h) { return h != FDefaultRowHeight; });
    if (sized) RowHeightsChanged();
    CountChanged(oldCols, oldRows);
}

void TCustomGrid::ExchangeAxisSizes(bool cols, int A, int B)
{
    TGridAxis& axis = cols ? FCols : FRows;
    if (A < 0 || B < 0 || A >= axis.Count() || B >= axis.Count() || A == B) return;
    axis.Exchange(A, B);
    SizesChanged(cols);
}

void TCustomGrid::PermuteAxisSizes(bool cols, int At, const std::vector<int>& From)
{
    TGridAxis& axis = cols ? FCols : FRows;
    if (At < 0 || From.empty() || At + int(From.size()) > axis.Count()) return;
    axis.Permute(At, From);
    SizesChanged(cols);
}

void TCustomGrid::SetFixedCols(int v) { SetFixed(true, v); }
void TCustomGrid::SetFixedRows(int v) { SetFixed(false, v); }

void TCustomGrid::SetFixed(bool cols, int v)
{
    v = std::max(v, 0);
    if (v >= (cols ? ColCount() : RowCount())) throw EInvalidGridOperation(cols ? kFixedColsTooBig : kFixedRowsTooBig);
    int& fixed = cols ? FFixedCols : FFixedRows;
    if (v == fixed) return;
    // A view at the first scrollable line shows the lines that stop being
    // fixed; otherwise they would sit left of (above) the view, unreachable.
    int& first = cols ? FTopLeft.X : FTopLeft.Y;
    if (v < fixed && first == fixed) first = v;
    fixed = v;
    CountChanged(ColCount(), RowCount());
    int& cur = cols ? FCurrent.X : FCurrent.Y;
    int& anchor = cols ? FAnchor.X : FAnchor.Y;
    cur = std::max(cur, v);
    anchor = std::max(anchor, v);
}

void TCustomGrid::SetDefaultColWidth(int v)
{
    FDefaultColWidth = std::max(v, 0);
    FCols.SetAll(FDefaultColWidth);
    SizesChanged(true);
}

void TCustomGrid::SetDefaultRowHeight(int v)
{
    FDefaultRowHeight = std::max(v, 0);
    FRows.SetAll(FDefaultRowHeight);
    SizesChanged(false);
}

int TCustomGrid::ColWidths(int i) const
{
    return i >= 0 && i < ColCount() ? FCols.Size(i) : FDefaultColWidth;
}

int TCustomGrid::RowHeights(int i) const
{
    return i >= 0 && i < RowCount() ? FRows.Size(i) : FDefaultRowHeight;
}

void TCustomGrid::SetColWidths(int i, int v) { SetSize(true, i, v); }
void TCustomGrid::SetRowHeights(int i, int v) { SetSize(false, i, v); }

void TCustomGrid::SetSize(bool cols, int i, int v)
{
    TGridAxis& axis = cols ? FCols : FRows;
    if (i < 0 || i >= axis.Count()) throw EInvalidGridOperation(kIndexOutOfRange);
    if (axis.SetSize(i, v)) SizesChanged(cols);
}

void TCustomGrid::SetGridLineWidth(int v)
{
    FGridLineWidth = std::max(v, 0);
    FCols.SetLineWidth(FOptions.Contains(goVertLine) ? FGridLineWidth : 0);
    FRows.SetLineWidth(FOptions.Contains(goHorzLine) ? FGridLineWidth : 0);
    LayoutChanged();
}

bool TCustomGrid::TabStops(int c) const
{
    return c >= 0 && c < ColCount() ? FTabStops[size_t(c)] : true;
}

void TCustomGrid::SetTabStops(int c, bool v)
{
    if (c < 0 || c >= ColCount()) throw EInvalidGridOperation(kIndexOutOfRange);
    FTabStops[size_t(c)] = v;
}

void TCustomGrid::SetOptions(TGridOptions v)
{
    if (v == FOptions) return;
    ForgetShownRange();
    const TGridOptions old = FOptions;
    FOptions = v;
    if (old.Contains(goEditing) && !v.Contains(goEditing)) HideEditorEx(false);
    if (!old.Contains(goRowSelect) && v.Contains(goRowSelect)) HideEditorEx(false);
    FCols.SetLineWidth(v.Contains(goVertLine) ? FGridLineWidth : 0);
    FRows.SetLineWidth(v.Contains(goHorzLine) ? FGridLineWidth : 0);
    UpdateScrollRange();
    const bool always = v.Contains(goEditing) && v.Contains(goAlwaysShowEditor);
    if (always && !(old.Contains(goEditing) && old.Contains(goAlwaysShowEditor))) {
        FEditorMode = true;
        ShowEditor();
    }
    UpdateEditorBounds();
    Invalidate();
}

void TCustomGrid::SetDefaultDrawing(bool v)
{
    FDefaultDrawing = v;
    Invalidate();
}

void TCustomGrid::SetScrollBars(TScrollStyle v)
{
    if (v == FScrollBars) return;
    FScrollBars = v;
    UpdateScrollRange();
    Invalidate();
}

void TCustomGrid::SetBorderStyle(TBorderStyle v)
{
    if (v == FBorderStyle) return;
    FBorderStyle = v;
    LayoutChanged();
}

void TCustomGrid::SetCtl3D(bool v)
{
    if (v == FCtl3D) return;
    FCtl3D = v;
    LayoutChanged();
}

void TCustomGrid::SetFixedColor(TColor v)
{
    FFixedColor = v;
    Invalidate();
}

// ---- geometry ----------------------------------------------------------------

int TCustomGrid::BorderWidth() const
{
    if (FBorderStyle == bsNone) return 0;
    return FCtl3D ? 2 : 1;
}

int TCustomGrid::ClientW() const
{
    const int w = Width() - 2 * BorderWidth() - (FBarShown[SB_VERT] ? ScrollBarExtent(SB_VERT) : 0);
    return std::max(w, 0);
}

int TCustomGrid::ClientH() const
{
    const int h = Height() - 2 * BorderWidth() - (FBarShown[SB_HORZ] ? ScrollBarExtent(SB_HORZ) : 0);
    return std::max(h, 0);
}

TRect TCustomGrid::ClientRect() const
{
    return TRect(0, 0, ClientW(), ClientH());
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const
{
    const AxisView cv = ColView(), rv = RowView();
    long long x, y;
    if (!cv.Offset(ACol, x) || !rv.Offset(ARow, y)) return TRect(0, 0, 0, 0);
    const int w = FCols.Size(ACol), h = FRows.Size(ARow);
    if (w <= 0 || h <= 0) return TRect(0, 0, 0, 0);
    return TRect(int(x), int(y), int(std::min<long long>(x + w, cv.Client)), int(std::min<long long>(y + h, rv.Client)));
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const
{
    return TGridCoord{ColView().IndexAt(X), RowView().IndexAt(Y)};
}

void TCustomGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const
{
    const TGridCoord c = MouseCoord(X, Y);
    ACol = c.X;
    ARow = c.Y;
}

int TCustomGrid::VisibleColCount() const { return ColView().VisibleCount(); }
int TCustomGrid::VisibleRowCount() const { return RowView().VisibleCount(); }
int TCustomGrid::MaxLeftCol() const { return ColView().Max(); }
int TCustomGrid::MaxTopRow() const { return RowView().Max(); }
int TCustomGrid::GridWidth() const { return int(FCols.Prefix(ColCount())); }
int TCustomGrid::GridHeight() const { return int(FRows.Prefix(RowCount())); }

// ---- current cell, selection, view -----------------------------------------

bool TCustomGrid::IsNormalCell(int ACol, int ARow) const
{
    return ACol >= FFixedCols && ACol < ColCount() && ARow >= FFixedRows && ARow < RowCount();
}

TGridCoord TCustomGrid::ClampedCurrent() const
{
    return TGridCoord{std::clamp(FCurrent.X, FFixedCols, ColCount() - 1),
                      std::clamp(FCurrent.Y, FFixedRows, RowCount() - 1)};
}

TGridRect TCustomGrid::Selection() const
{
    TGridRect r = Normalized(FAnchor, FCurrent);
    if (FOptions.Contains(goRowSelect)) {
        r.Left = FFixedCols;
        r.Right = ColCount() - 1;
    }
    return r;
}

bool TCustomGrid::SelectionInside() const
{
    return IsNormalCell(FCurrent.X, FCurrent.Y) && IsNormalCell(FAnchor.X, FAnchor.Y);
}

TGridRect TCustomGrid::DrawingSelection() const
{
    if (!SelectionInside()) return TGridRect{-1, -1, -2, -2};
    return Selection();
}

void TCustomGrid::SetSelection(const TGridRect& v)
{
    const TGridRect oldSel = DrawingSelection();
    const TGridCoord oldCur = FCurrent;
    FAnchor = TGridCoord{v.Left, v.Top};
    FCurrent = TGridCoord{v.Right, v.Bottom};
    if (!SelectionInside() && EditorShown()) HideEditorEx(false);
    InvalidateSelectionChange(oldSel, oldCur);
}

void TCustomGrid::SetCol(int v)
{
    if (v == FCurrent.X) return;
    FocusCell(v, FCurrent.Y, true);
}

void TCustomGrid::SetRow(int v)
{
    if (v == FCurrent.Y) return;
    FocusCell(FCurrent.X, v, true);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor)
{
    MoveColRow(ACol, ARow, MoveAnchor, true);
    Click();
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    if (!IsNormalCell(ACol, ARow)) throw EInvalidGridOperation(kIndexOutOfRange);
    if (!SelectCell(ACol, ARow)) return;
    const bool cellChanges = ACol != FCurrent.X || ARow != FCurrent.Y;
    if (cellChanges && EditorShown()) {
        HideEditorEx(false);
        if (EditorShown()) return;  // the editor refused to close (incomplete mask)
    }
    const TGridRect oldSel = DrawingSelection();
    const TGridCoord oldCur = FCurrent;
    FCurrent = TGridCoord{ACol, ARow};
    if (MoveAnchor || !FOptions.Contains(goRangeSelect)) FAnchor = FCurrent;
    if (Show) ScrollToShow(ACol, ARow);
    InvalidateSelectionChange(oldSel, oldCur);
    UpdateScrollPos();
    if (FOptions.Contains(goEditing) && FOptions.Contains(goAlwaysShowEditor)) {
        FEditorMode = true;
        ShowEditor();
    }
}

void TCustomGrid::ScrollToShow(int ACol, int ARow)
{
    TGridCoord tl = FTopLeft;
    auto axis = [](const AxisView& v, int i, int& first) {
        if (i < v.Fixed) return;
        if (i < first) {
            first = i;
            return;
        }
        first = std::max(first, v.FirstShowing(i));
        first = std::min(first, i);
    };
    const AxisView cv = ColView(), rv = RowView();
    axis(cv, ACol, tl.X);
    axis(rv, ARow, tl.Y);
    SetTopLeftInternal(tl.X, tl.Y);
}

void TCustomGrid::SetTopRow(int v)
{
    SetTopLeftInternal(FTopLeft.X, std::clamp(v, FFixedRows, RowCount() - 1));
}

void TCustomGrid::SetLeftCol(int v)
{
    SetTopLeftInternal(std::clamp(v, FFixedCols, ColCount() - 1), FTopLeft.Y);
}

void TCustomGrid::SetTopLeftInternal(int leftCol, int topRow)
{
    if (leftCol == FTopLeft.X && topRow == FTopLeft.Y) return;
    ForgetShownRange();
    const bool rowsMoved = topRow != FTopLeft.Y;
    const bool colsMoved = leftCol != FTopLeft.X;
    FTopLeft = TGridCoord{leftCol, topRow};
    // One repaint of the scrolling areas (the fixed bands that scroll with them).
    const AxisView cv = ColView(), rv = RowView();
    const int fw = int(cv.FixedExtent()), fh = int(rv.FixedExtent());
    if (colsMoved) InvalidateClient(TRect(fw, 0, ClientW(), ClientH()));
    if (rowsMoved) InvalidateClient(TRect(0, fh, ClientW(), ClientH()));
    UpdateEditorBounds();
    UpdateScrollPos();
    TopLeftChanged();
}

void TCustomGrid::InvalidateClient(const TRect& r)
{
    const TRect c = ClientRect();
    QRect q = r.ToQRect() & c.ToQRect();
    if (q.isEmpty() || !Widget()) return;
    Widget()->update(q.translated(BorderWidth(), BorderWidth()));
}

void TCustomGrid::InvalidateCell(int ACol, int ARow)
{
    InvalidateRect(TGridRect{ACol, ARow, ACol, ARow});
}

void TCustomGrid::InvalidateRow(int ARow)
{
    InvalidateRect(TGridRect{0, ARow, ColCount() - 1, ARow});
}

void TCustomGrid::InvalidateCol(int ACol)
{
    InvalidateRect(TGridRect{ACol, 0, ACol, RowCount() - 1});
}

int TCustomGrid::ShownLast(bool cols) const
{
    int& last = FShownLast[cols ? 0 : 1];
    if (last != -2) return last;
    const AxisView v = cols ? ColView() : RowView();
    if (v.Client <= 0) return last = -1;
    const int i = v.IndexAt(v.Client - 1);
    return last = i < 0 ? v.A.Count() - 1 : i;
}

void TCustomGrid::InvalidateRect(const TGridRect& g)
{
    auto outOfView = [this](bool cols, int from, int to) {
        if (from < (cols ? FFixedCols : FFixedRows)) return false;
        return to < (cols ? FTopLeft.X : FTopLeft.Y) || from > ShownLast(cols);
    };
    if (!Widget() || outOfView(true, g.Left, g.Right) || outOfView(false, g.Top, g.Bottom)) return;
    // The visible part only: clamp each axis to what the view shows.
    auto span = [](const AxisView& v, int from, int to, long long& a, long long& b) {
        from = std::max(from, 0);
        to = std::min(to, v.A.Count() - 1);
        if (from > to) return false;
        a = -1;
        b = -1;
        // The fixed part.
        if (from < v.Fixed) {
            a = v.A.Prefix(from);
            b = v.A.Prefix(std::min(to + 1, v.Fixed));
        }
        if (to >= v.Fixed && to >= v.First) {
            const int f = std::max(from, std::max(v.First, v.Fixed));
            const long long base = v.A.Prefix(v.Fixed) - v.A.Prefix(v.First);
            if (a < 0) a = base + v.A.Prefix(f);
            b = base + v.A.Prefix(to + 1);
        }
        if (a < 0) return false;
        a = std::min<long long>(a, v.Client);
        b = std::min<long long>(b, v.Client);
        return b > a;
    };
    long long x0, x1, y0, y1;
    if (!span(ColView(), g.Left, g.Right, x0, x1) || !span(RowView(), g.Top, g.Bottom, y0, y1)) return;
    InvalidateClient(TRect(int(x0), int(y0), int(x1), int(y1)));
}

void TCustomGrid::InvalidateSelectionChange(const TGridRect& oldSel, TGridCoord oldCur)
{
    const TGridRect newSel = DrawingSelection();
    if (oldSel == newSel && oldCur == FCurrent) return;
    InvalidateRect(oldSel);
    InvalidateRect(newSel);
    InvalidateCell(oldCur.X, oldCur.Y);
    InvalidateCell(FCurrent.X, FCurrent.Y);
}

bool TCustomGrid::Focused() const
{
    if (TWinControl::Focused()) return true;
    return FEditor && FEditor->TWinControl::Focused();
}

// ---- moving and deleting --------------------------------------------------

int RotatedIndex(int t, int from, int to)
{
    if (t == from) return to;
    if (from < to && t > from && t <= to) return t - 1;
    if (to < from && t >= to && t < from) return t + 1;
    return t;
}

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || FromIndex >= ColCount() || ToIndex < 0 || ToIndex >= ColCount())
        throw EInvalidGridOperation(kIndexOutOfRange);
    if (FromIndex == ToIndex) return;
    FCols.Move(FromIndex, ToIndex);
    {
        const bool stop = FTabStops[size_t(FromIndex)];
        FTabStops.erase(FTabStops.begin() + FromIndex);
        FTabStops.insert(FTabStops.begin() + ToIndex, stop);
    }
    FCurrent.X = RotatedIndex(FCurrent.X, FromIndex, ToIndex);
    FAnchor.X = RotatedIndex(FAnchor.X, FromIndex, ToIndex);
    if (FEditorCell.X >= 0) FEditorCell.X = RotatedIndex(FEditorCell.X, FromIndex, ToIndex);
    ColumnMoved(FromIndex, ToIndex);
    SizesChanged(true);
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex < 0 || FromIndex >= RowCount() || ToIndex < 0 || ToIndex >= RowCount())
        throw EInvalidGridOperation(kIndexOutOfRange);
    if (FromIndex == ToIndex) return;
    FRows.Move(FromIndex, ToIndex);
    FCurrent.Y = RotatedIndex(FCurrent.Y, FromIndex, ToIndex);
    FAnchor.Y = RotatedIndex(FAnchor.Y, FromIndex, ToIndex);
    if (FEditorCell.Y >= 0) FEditorCell.Y = RotatedIndex(FEditorCell.Y, FromIndex, ToIndex);
    RowMoved(FromIndex, ToIndex);
    SizesChanged(false);
}

void TCustomGrid::DeleteColumn(int ACol)
{
    MoveColumn(ACol, ColCount() - 1);
    SetColCount(ColCount() - 1);
}

void TCustomGrid::DeleteRow(int ARow)
{
    MoveRow(ARow, RowCount() - 1);
    SetRowCount(RowCount() - 1);
}

// ---- virtual operations: base behaviour -----------------------------------

void TCustomGrid::SizeChanged(int, int) {}

void TCustomGrid::TopLeftChanged()
{
    if (OnTopLeftChanged) OnTopLeftChanged(this);
}

void TCustomGrid::ColumnMoved(int, int) {}
void TCustomGrid::RowMoved(int, int) {}
void TCustomGrid::DrawCell(int, int, TRect, TGridDrawState) {}

bool TCustomGrid::SelectCell(int ACol, int ARow)
{
    bool can = true;
    if (OnSelectCell) OnSelectCell(this, ACol, ARow, can);
    return can;
}

QString TCustomGrid::GetEditText(int ACol, int ARow)
{
    QString v;
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, v);
    return v;
}

void TCustomGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

QString TCustomGrid::GetEditMask(int ACol, int ARow)
{
    QString v;
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, v);
    return v;
}

// ---- TDrawGrid, TStringGrid ---------------------------------------------------

void TDrawGrid::DrawCell(int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    if (OnDrawCell) OnDrawCell(this, ACol, ARow, ARect, AState);
}

void TDrawGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (OnColumnMoved) OnColumnMoved(this, FromIndex, ToIndex);
}

void TDrawGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (OnRowMoved) OnRowMoved(this, FromIndex, ToIndex);
}

void TStringGrid::SetCells(int ACol, int ARow, const QString& v)
{
    if (FStore.SetText(ACol, ARow, v)) InvalidateCell(ACol, ARow);
}

void TStringGrid::SetObjects(int ACol, int ARow, TObject* v)
{
    FStore.SetObject(ACol, ARow, v);
}

void TStringGrid::StoreInsertRows(int At, int N) { FStore.InsertRows(At, N); }
std::vector<TGridStoreLine> TStringGrid::StoreDeleteRows(int At, int N) { return FStore.DeleteRows(At, N); }
void TStringGrid::StoreInsertCols(int At, int N) { FStore.InsertCols(At, N); }
std::vector<TGridStoreLine> TStringGrid::StoreDeleteCols(int At, int N) { return FStore.DeleteCols(At, N); }

void TStringGrid::InsertRowBlock(int At, int N)
{
    if (N < 1 || At < 0 || At > RowCount()) return;
    FStore.InsertRows(At, N);
    InsertAxisLines(false, At, N);
}

std::vector<TGridStoreLine> TStringGrid::DeleteRowBlock(int At, int N)
{
    if (N < 1 || At < 0 || At >= RowCount()) return {};
    N = std::min(N, RowCount() - At);
    if (N >= RowCount()) N = RowCount() - 1;
    if (N < 1) return {};
    std::vector<TGridStoreLine> lines = FStore.DeleteRows(At, N);
    DeleteAxisLines(false, At, N);
    return lines;
}

std::vector<TGridStoreLine> TStringGrid::DeleteRowSet(std::vector<int> Rows)
{
    if (!std::is_sorted(Rows.begin(), Rows.end())) std::sort(Rows.begin(), Rows.end());
    Rows.erase(std::unique(Rows.begin(), Rows.end()), Rows.end());
    Rows.erase(Rows.begin(), std::lower_bound(Rows.begin(), Rows.end(), 0));
    Rows.erase(std::lower_bound(Rows.begin(), Rows.end(), RowCount()), Rows.end());
    if (int(Rows.size()) >= RowCount()) Rows.resize(size_t(std::max(RowCount() - 1, 0)));
    if (Rows.empty()) return {};
    std::vector<TGridStoreLine> lines = FStore.DeleteRowSet(Rows);
    DeleteAxisRows(Rows);
    return lines;
}

void TStringGrid::InsertRowSet(std::vector<int>& At, std::vector<TGridStoreLine>&& Lines, const std::vector<int>& Heights)
{
    if (At.empty()) return;
    // Ascending final indexes that never leave a gap behind the rows so far.
    const int count = RowCount();
    for (size_t k = 0; k < At.size(); ++k) {
        const int lo = k > 0 ? At[k - 1] + 1 : 0;
        At[k] = std::clamp(At[k], lo, count + int(k));
    }
    FStore.InsertRowSet(At, std::move(Lines));
    InsertAxisRows(At, Heights);
}

void TStringGrid::InsertColBlock(int At, int N)
{
    if (N < 1 || At < 0 || At > ColCount()) return;
    FStore.InsertCols(At, N);
    InsertAxisLines(true, At, N);
}

std::vector<TGridStoreLine> TStringGrid::DeleteColBlock(int At, int N)
{
    if (N < 1 || At < 0 || At >= ColCount()) return {};
    N = std::min(N, ColCount() - At);
    if (N >= ColCount()) N = ColCount() - 1;
    if (N < 1) return {};
    std::vector<TGridStoreLine> lines = FStore.DeleteCols(At, N);
    DeleteAxisLines(true, At, N);
    return lines;
}

void TStringGrid::ExchangeRows(int A, int B)
{
    if (A < 0 || B < 0 || A == B) return;
    FStore.ExchangeRows(A, B);
    if (A < RowCount() && B < RowCount()) ExchangeAxisSizes(false, A, B);
    InvalidateRow(A);
    InvalidateRow(B);
}

void TStringGrid::PermuteRows(int At, const std::vector<int>& From)
{
    if (At < 0 || From.empty()) return;
    FStore.PermuteRows(At, From);
    if (At + int(From.size()) <= RowCount()) PermuteAxisSizes(false, At, From);
    Invalidate();
}

void TStringGrid::ExchangeCols(int A, int B)
{
    if (A < 0 || B < 0 || A == B) return;
    FStore.ExchangeCols(A, B);
    if (A < ColCount() && B < ColCount()) ExchangeAxisSizes(true, A, B);
    InvalidateCol(A);
    InvalidateCol(B);
}

QString TStringGrid::GetEditText(int ACol, int ARow)
{
    QString v = Cells(ACol, ARow);
    if (OnGetEditText) OnGetEditText(this, ACol, ARow, v);
    return v;
}

void TStringGrid::SetEditText(int ACol, int ARow, const QString& Value)
{
    SetCells(ACol, ARow, Value);
    if (OnSetEditText) OnSetEditText(this, ACol, ARow, Value);
}

void TStringGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    FStore.MoveCol(FromIndex, ToIndex);
    TDrawGrid::ColumnMoved(FromIndex, ToIndex);
}

void TStringGrid::RowMoved(int FromIndex, int ToIndex)
{
    FStore.MoveRow(FromIndex, ToIndex);
    TDrawGrid::RowMoved(FromIndex, ToIndex);
}
