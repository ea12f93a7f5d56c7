#include "BaseGrid.h"

#include "AdvUtil.h"

#include <algorithm>
#include <memory>

namespace {

const QString SInvalidCell = QStringLiteral("Invalid cell");

// The class of the cell graphics the bulk free owns.
const QString SCellGraphicClass = QStringLiteral("TCellGraphic");

int FontStyleBits(TFontStyles s) { return int(s.Bits()); }
TFontStyles FontStylesOf(int bits) { return TFontStyles::FromBits(uint64_t(unsigned(bits))); }

} // namespace

// ---- TCellProperties --------------------------------------------------------------

TCellProperties::TCellProperties(TBaseGrid* AOwner, int ACol, int ARow)
    : FOwnerGrid(AOwner), FOwnerCol(ACol), FOwnerRow(ARow)
{
}

void TCellProperties::RepaintOwnerCell()
{
    if (FOwnerGrid) FOwnerGrid->RepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetBrushColor(TColor v)
{
    FBrushColor = v;
    RepaintOwnerCell();
}

void TCellProperties::SetBrushColorTo(TColor v)
{
    FBrushColorTo = v;
    RepaintOwnerCell();
}

void TCellProperties::SetVAlignment(TVAlignment v)
{
    FVAlignment = v;
    RepaintOwnerCell();
}

void TCellProperties::SetWordWrap(bool v)
{
    FWordWrap = v;
    RepaintOwnerCell();
}

TPoint TCellProperties::GetBaseCell(int c, int r) const
{
    if (!FIsBaseCell && FCellSpanX != -1 && FCellSpanY != -1) return TPoint(c - FCellSpanX, r - FCellSpanY);
    return TPoint(c, r);
}

void TCellProperties::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TCellProperties*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    FIsBaseCell = s->FIsBaseCell;
    FCellSpanX = s->FCellSpanX;
    FCellSpanY = s->FCellSpanY;
    FOwnerRow = s->FOwnerRow;
    FOwnerCol = s->FOwnerCol;
    FObject = s->FObject;
    FAlignment = s->FAlignment;
    FBorderColor = s->FBorderColor;
    FBorderWidth = s->FBorderWidth;
    FBrushColor = s->FBrushColor;
    FBrushStyle = s->FBrushStyle;
    FFontColor = s->FFontColor;
    FFontStyle = s->FFontStyle;
    FFontName = s->FFontName;
    FFontSize = s->FFontSize;
    FReadOnly = s->FReadOnly;
    FEditor = s->FEditor;
    FVAlignment = s->FVAlignment;
    FWordWrap = s->FWordWrap;
    FNodeLevel = s->FNodeLevel;
    FControl = s->FControl;
}

const TPropertyList& TCellProperties::Properties()
{
    using P = TCellProperties;
    static const TPropertyList list =
        TPropertyList()
            .Boolean<P>(QStringLiteral("IsBaseCell"), &P::IsBaseCell, &P::SetIsBaseCell)
            .Integer<P>(QStringLiteral("CellSpanX"), &P::CellSpanX, &P::SetCellSpanX)
            .Integer<P>(QStringLiteral("CellSpanY"), &P::CellSpanY, &P::SetCellSpanY)
            .Integer<P>(QStringLiteral("OwnerCol"), &P::OwnerCol, &P::SetOwnerCol)
            .Integer<P>(QStringLiteral("OwnerRow"), &P::OwnerRow, &P::SetOwnerRow)
            .Enum<P, TAlignment>(QStringLiteral("Alignment"), &P::Alignment, &P::SetAlignment,
                                 {QStringLiteral("taLeftJustify"), QStringLiteral("taRightJustify"),
                                  QStringLiteral("taCenter")})
            .Color<P>(QStringLiteral("BorderColor"), &P::BorderColor, &P::SetBorderColor)
            .Integer<P>(QStringLiteral("BorderWidth"), &P::BorderWidth, &P::SetBorderWidth)
            .Color<P>(QStringLiteral("BrushColor"), &P::BrushColor, &P::SetBrushColor)
            .Color<P>(QStringLiteral("BrushColorTo"), &P::BrushColorTo, &P::SetBrushColorTo)
            .Enum<P, TBrushStyle>(QStringLiteral("BrushStyle"), &P::BrushStyle, &P::SetBrushStyle,
                                  {QStringLiteral("bsSolid"), QStringLiteral("bsClear"),
                                   QStringLiteral("bsHorizontal"), QStringLiteral("bsVertical"),
                                   QStringLiteral("bsFDiagonal"), QStringLiteral("bsBDiagonal"),
                                   QStringLiteral("bsCross"), QStringLiteral("bsDiagCross")})
            // The user value: the stream keeps indexes and small numbers.
            .Integer<P>(
                QStringLiteral("CellObject"), [](const P& p) { return int(p.CellObject()); },
                [](P& p, int v) { p.SetCellObject(v); })
            .Color<P>(QStringLiteral("FontColor"), &P::FontColor, &P::SetFontColor)
            .String<P>(QStringLiteral("FontName"), &P::FontName, &P::SetFontName)
            .Integer<P>(QStringLiteral("FontSize"), &P::FontSize, &P::SetFontSize)
            .Set<P, int>(
                QStringLiteral("FontStyle"), [](const P& p) { return FontStyleBits(p.FontStyle()); },
                [](P& p, int v) { p.SetFontStyle(FontStylesOf(v)); },
                {QStringLiteral("fsBold"), QStringLiteral("fsItalic"), QStringLiteral("fsUnderline"),
                 QStringLiteral("fsStrikeOut")})
            .Enum<P, TEditorType>(QStringLiteral("Editor"), &P::Editor, &P::SetEditor)
            .Enum<P, TCellGradientDirection>(QStringLiteral("GradientDirection"), &P::GradientDirection,
                                             &P::SetGradientDirection,
                                             {QStringLiteral("GradientVertical"), QStringLiteral("GradientHorizontal")})
            .Boolean<P>(QStringLiteral("ReadOnly"), &P::ReadOnly, &P::SetReadOnly)
            .Enum<P, TVAlignment>(QStringLiteral("VAlignment"), &P::VAlignment, &P::SetVAlignment,
                                  {QStringLiteral("vtaTop"), QStringLiteral("vtaCenter"), QStringLiteral("vtaBottom")})
            .Boolean<P>(QStringLiteral("WordWrap"), &P::WordWrap, &P::SetWordWrap)
            .Integer<P>(QStringLiteral("NodeLevel"), &P::NodeLevel, &P::SetNodeLevel)
            .Object<P, TControl>(QStringLiteral("Control"), &P::Control, &P::SetControl)
            .NotStored(QStringLiteral("OwnerCol"))
            .NotStored(QStringLiteral("OwnerRow"));
    return list;
}

// ---- TBaseGrid: creation and tear-down ------------------------------------------

TBaseGrid::TBaseGrid(TComponent* AOwner) : TObjStringGrid(AOwner)
{
    SetGridLineWidth(1);
    SetDefaultDrawing(false);
}

TBaseGrid::~TBaseGrid()
{
    // Every property object the store holds, also in hidden columns and
    // beyond lowered counts, whatever FHasCellProps says; the store still
    // exists here.
    std::vector<std::pair<int, int>> cells;
    StoreForEachObject([&](int c, int r, TObject*) { cells.emplace_back(c, r); });
    for (auto [c, r] : cells) {
        TCellProperties* p = GridObjects(c, r);
        TObjStringGrid::SetObjects(c, r, nullptr);
        FreeProps(p);
    }
}

void TBaseGrid::FreeProps(TCellProperties* p)
{
    if (!p) return;
    TObject* g = p->GraphicObject();
    if (g && g->ClassName() == SCellGraphicClass) Free(g);
    Free(p);
}

// ---- cell store ---------------------------------------------------------------------

TCellProperties* TBaseGrid::GridObjects(int c, int r) const
{
    // The slot only ever holds property objects (see SetGridObjects).
    return static_cast<TCellProperties*>(TObjStringGrid::Objects(c, r));
}

void TBaseGrid::SetGridObjects(int c, int r, TCellProperties* v) { TObjStringGrid::SetObjects(c, r, v); }

bool TBaseGrid::HasCellProperties(int ACol, int ARow) const
{
    return ACol >= 0 && ACol < TotalColCount() && ARow >= 0 && ARow < RowCount() && GridObjects(ACol, ARow);
}

QString TBaseGrid::GetCellEx(int c, int r)
{
    // One store lookup for the text and the property object.
    TPoint at(c, r);
    const TGridStoreCell* cell = StoreCell(c, r);
    QString s;
    if (cell && cell->Object && c < TotalColCount() && r < RowCount()) {
        at = static_cast<const TCellProperties*>(cell->Object)->GetBaseCell(c, r);
        s = GridCells(at.X, at.Y);
    } else if (cell) {
        s = cell->Text;
    }
    if (at.Y < FNormalRowCount) {
        GetDisplText(at.X, at.Y, s);
        if (OnGetDisplWideText) {
            QString wide = DecodeWideText(s);
            GetDisplWideText(at.X, at.Y, wide);
            s = EncodeWideText(wide);
        }
    }
    return s;
}

void TBaseGrid::SetCellEx(int c, int r, const QString& v)
{
    if (HasCellProperties(c, r)) {
        const TPoint b = GridObjects(c, r)->GetBaseCell(c, r);
        SetGridCells(b.X, b.Y, v);
        CellTextChanged(b.X, b.Y);
        if (Parent()) RepaintCell(c, r);
    } else {
        SetGridCells(c, r, v);
    }
    if (FHideLastRow && r == RowCount() - 1) LastRowChanged();
}

intptr_t TBaseGrid::GetObjectEx(int c, int r) const
{
    const TCellProperties* p = GridObjects(c, r);
    return p ? p->CellObject() : 0;
}

void TBaseGrid::SetObjectEx(int c, int r, intptr_t v)
{
    // An empty cell gets a space while its object is set, as the platform
    // grid kept objects only with text.
    const bool empty = GetCellEx(c, r).isEmpty();
    if (empty) SetCellEx(c, r, QStringLiteral(" "));
    GetCellProperties(c, r)->SetCellObject(v);
    if (empty) SetCellEx(c, r, QString());
}

TObject* TBaseGrid::GetGraphicObjectEx(int c, int r) const { return GraphicObjectOf(GridObjects(c, r)); }

void TBaseGrid::SetGraphicObjectEx(int c, int r, TObject* v)
{
    if (HasState(csDestroying)) return;
    const bool empty = GetCellEx(c, r).isEmpty();
    if (empty) SetCellEx(c, r, QStringLiteral(" "));
    GetCellProperties(c, r)->SetGraphicObject(v);
    if (empty) SetCellEx(c, r, QString());
}

// ---- property objects ---------------------------------------------------------------

TCellProperties* TBaseGrid::GetCellProperties(int c, int r)
{
    if (c < 0 || r < 0) throw Exception(SInvalidCell);
    if (TCellProperties* p = GridObjects(c, r)) return p;
    auto props = std::make_unique<TCellProperties>(this, c, r);
    TFont font;
    TBrush brush;
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = FWordWrap;
    TCellGradientDirection gd = GradientVertical;
    GetCellDefaults(c, r, &font, &brush, colorTo, mirror, mirrorTo, ha, va, ww, gd);
    TCellProperties* p = props.get();
    p->FCalcType = acNONE;
    p->FAlignment = ha;
    p->FVAlignment = va;
    p->FWordWrap = ww;
    p->FFontName = font.Name();
    p->FFontSize = font.Size();
    p->FFontStyle = font.Style();
    p->FFontColor = font.Color();
    p->FBrushColor = brush.Color();
    p->FBrushColorTo = colorTo;
    p->FGradientDirection = gd;
    SetGridObjects(c, r, props.release());
    FHasCellProps = true;
    return p;
}

void TBaseGrid::SetCellProperties(int c, int r, TCellProperties* Value)
{
    if (c < 0 || r < 0) throw Exception(SInvalidCell);
    TCellProperties* old = GridObjects(c, r);
    if (old == Value) return;
    SetGridObjects(c, r, Value);
    Free(old);
}

TCellProperties* TBaseGrid::ReleaseCellProperties(int c, int r)
{
    TCellProperties* p = GridObjects(c, r);
    if (p) SetGridObjects(c, r, nullptr);
    return p;
}

void TBaseGrid::FreeCellPropertiesRange(int FromCol, int FromRow, int ToCol, int ToRow)
{
    for (int c = std::max(FromCol, 0); c <= ToCol; ++c)
        for (int r = std::max(FromRow, 0); r <= ToRow; ++r)
            if (TCellProperties* p = ReleaseCellProperties(c, r)) FreeProps(p);
}

void TBaseGrid::FreeCellProperties(int ACol, int ARow) { Free(ReleaseCellProperties(ACol, ARow)); }

void TBaseGrid::FreeAllCellProperties() { FreeCellPropertiesRange(0, 0, ColCount() - 1, RowCount() - 1); }

bool TBaseGrid::CheckBaseCell(int ACol, int ARow, int& BaseCol, int& BaseRow) const
{
    BaseCol = ACol;
    BaseRow = ARow;
    if (!HasCellProperties(ACol, ARow)) return true;
    const TCellProperties* p = GridObjects(ACol, ARow);
    if (p->IsBaseCell()) return true;
    const TPoint b = p->GetBaseCell(ACol, ARow);
    BaseCol = b.X;
    BaseRow = b.Y;
    return false;
}

void TBaseGrid::SnapToBaseCell()
{
    int bc, br;
    if (CheckBaseCell(Col(), Row(), bc, br)) return;
    // Only into the normal cells: a merge reaching into the fixed band keeps
    // the current cell where the platform put it.
    if (bc < FixedCols() || br < FixedRows()) return;
    SetCol(bc);
    SetRow(br);
}

void TBaseGrid::ClearColCells(int ACol)
{
    for (int r = 0; r < RowCount(); ++r) {
        SetGridObjects(ACol, r, nullptr);
        SetCellEx(ACol, r, QString());
    }
}

void TBaseGrid::ClearRowCells(int ARow)
{
    for (int c = 0; c < TotalColCount(); ++c) {
        SetGridObjects(c, ARow, nullptr);
        SetCellEx(c, ARow, QString());
    }
}

void TBaseGrid::ClearCell(int ACol, int ARow)
{
    SetCellEx(ACol, ARow, QString());
    SetGridObjects(ACol, ARow, nullptr);
}

// ---- merged cells -----------------------------------------------------------------

bool TBaseGrid::IsBaseCell(int ACol, int ARow) const
{
    return !HasCellProperties(ACol, ARow) || GridObjects(ACol, ARow)->IsBaseCell();
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow)) return false;
    const TCellProperties* p = GridObjects(ACol, ARow);
    return p->CellSpanX() > 0 || p->CellSpanY() > 0;
}

bool TBaseGrid::IsMergedNonBaseCell(int ACol, int ARow) const
{
    return IsMergedCell(ACol, ARow) && !IsBaseCell(ACol, ARow);
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow)) return false;
    const TPoint b = BaseCell(ACol, ARow);
    const TCellProperties* bp = GridObjects(b.X, b.Y);
    return bp && bp->CellSpanX() > 0;
}

bool TBaseGrid::IsYMergedCell(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow)) return false;
    const TPoint b = BaseCell(ACol, ARow);
    const TCellProperties* bp = GridObjects(b.X, b.Y);
    return bp && bp->CellSpanY() > 0;
}

TPoint TBaseGrid::BaseCell(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow)) return TPoint(ACol, ARow);
    return GridObjects(ACol, ARow)->GetBaseCell(ACol, ARow);
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow)) return TPoint(0, 0);
    const TCellProperties* p = GridObjects(ACol, ARow);
    if (p->CellSpanX() == -1 || p->CellSpanY() == -1) return TPoint(0, 0);
    const TPoint b = p->GetBaseCell(ACol, ARow);
    const TCellProperties* bp = GridObjects(b.X, b.Y);
    return bp ? TPoint(bp->CellSpanX(), bp->CellSpanY()) : TPoint(0, 0);
}

TPoint TBaseGrid::CellExt(int ACol, int ARow) const
{
    if (!HasCellProperties(ACol, ARow)) return TPoint(0, 0);
    const TCellProperties* p = GridObjects(ACol, ARow);
    if (p->CellSpanX() == -1 || p->CellSpanY() == -1) return TPoint(0, 0);
    const TPoint b = p->GetBaseCell(ACol, ARow);
    const TPoint s = CellSpan(ACol, ARow);
    return TPoint(b.X + s.X - ACol, b.Y + s.Y - ARow);
}

TGridRect TBaseGrid::FullCell(int c, int r) const
{
    const TPoint b = BaseCell(c, r);
    const TPoint s = CellSpan(c, r);
    return TGridRect{b.X, b.Y, b.X + s.X, b.Y + s.Y};
}

int TBaseGrid::MinRowSpan(int ARow) const
{
    int result = RowCount();
    for (int c = 0; c < ColCount(); ++c) {
        const int y = CellSpan(c, ARow).Y;
        if (y > 0 && y < result) result = y;
    }
    return result;
}

int TBaseGrid::MaxRowSpan(int ARow) const
{
    int result = 0;
    for (int c = 0; c < ColCount(); ++c) result = std::max(result, CellSpan(c, ARow).Y);
    return result;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2) const
{
    bool found = false;
    for (int c = 0; c < ColCount(); ++c) {
        if (CellSpan(c, ARow1).Y <= 0 || CellSpan(c, ARow2).Y <= 0) continue;
        found = true;
        if (BaseCell(c, ARow1).Y != BaseCell(c, ARow2).Y) return false;
    }
    return found;
}

bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2) const
{
    bool found = false;
    for (int r = 0; r < RowCount(); ++r) {
        const int x1 = CellSpan(ACol1, r).X, x2 = CellSpan(ACol2, r).X;
        if (x1 > 0 && x2 > 0) {
            found = true;
            if (BaseCell(ACol1, r).X != BaseCell(ACol2, r).X) return false;
        } else if (x1 != x2) {
            return false;
        }
    }
    return found;
}

void TBaseGrid::SplitArea(int bc, int br, int sx, int sy)
{
    const int lastC = std::min(bc + sx, TotalColCount() - 1), lastR = std::min(br + sy, RowCount() - 1);
    for (int i = std::max(bc, 0); i <= lastC; ++i)
        for (int j = std::max(br, 0); j <= lastR; ++j) {
            TCellProperties* p = GetCellProperties(i, j);
            p->SetIsBaseCell(true);
            p->SetCellSpanX(-1);
            p->SetCellSpanY(-1);
        }
    for (int i = std::max(bc, 0); i <= lastC; ++i)
        for (int j = std::max(br, 0); j <= lastR; ++j) RepaintCell(i, j);
}

void TBaseGrid::SplitOverlappingAreas(const TGridRect& r)
{
    for (int i = r.Left; i <= r.Right; ++i)
        for (int j = r.Top; j <= r.Bottom; ++j) {
            if (!HasCellProperties(i, j)) continue;
            const TCellProperties* p = GridObjects(i, j);
            if (p->CellSpanX() == -1 || p->CellSpanY() == -1) continue;
            const TGridRect area = FullCell(i, j);
            const bool inside = area.Left >= r.Left && area.Right <= r.Right && area.Top >= r.Top
                                && area.Bottom <= r.Bottom;
            if (!inside) SplitArea(area.Left, area.Top, area.Right - area.Left, area.Bottom - area.Top);
        }
}

void TBaseGrid::MergeCells(int c, int r, int spanx, int spany)
{
    ++FMergeCount;
    if (spanx < 1 || spany < 1) return;
    // Clipped to the grid: an area past it would span cells that do not exist.
    const TGridRect area{std::max(c, 0), std::max(r, 0), std::min(c + spanx - 1, TotalColCount() - 1),
                         std::min(r + spany - 1, RowCount() - 1)};
    if (area.Right < area.Left || area.Bottom < area.Top) return;
    SplitOverlappingAreas(area);
    for (int i = area.Left; i <= area.Right; ++i)
        for (int j = area.Top; j <= area.Bottom; ++j) {
            TCellProperties* p = GetCellProperties(i, j);
            const bool base = i == area.Left && j == area.Top;
            p->SetIsBaseCell(base);
            p->SetCellSpanX(base ? area.Right - area.Left : i - area.Left);
            p->SetCellSpanY(base ? area.Bottom - area.Top : j - area.Top);
        }
    for (int i = area.Left; i <= area.Right; ++i)
        for (int j = area.Top; j <= area.Bottom; ++j) RepaintCell(i, j);
}

void TBaseGrid::SplitCells(int c, int r)
{
    if (c >= 0 && r >= 0) {
        const TPoint b = GetCellProperties(c, r)->GetBaseCell(c, r);
        if (b.X >= 0 && b.Y >= 0) {
            const TCellProperties* bp = GetCellProperties(b.X, b.Y);
            SplitArea(b.X, b.Y, bp->CellSpanX(), bp->CellSpanY());
        }
    }
    --FMergeCount;
}

// ---- geometry -----------------------------------------------------------------------

int TBaseGrid::ColW(int c) const { return c >= 0 && c < ColCount() ? ColWidths(c) : 0; }
int TBaseGrid::RowH(int r) const { return r >= 0 && r < RowCount() ? RowHeights(r) : 0; }

int TBaseGrid::FixedColsWidth() const
{
    int w = 0;
    for (int c = 0; c < FixedCols(); ++c) w += ColW(c);
    return w;
}

int TBaseGrid::FixedRowsHeight() const
{
    int h = 0;
    for (int r = 0; r < FixedRows(); ++r) h += RowH(r);
    return h;
}

TRect TBaseGrid::CalcCellRect(int ACol, int ARow) const
{
    // Along one axis: fixed indexes from 0, the others from the start of the
    // scrolling band at the first scrolled index (negative before it). The
    // walk is only as long as the distance from the view.
    auto offset = [](int i, int fixed, int first, int fixedExtent, auto size) {
        int at = 0;
        if (i < fixed) {
            for (int k = 0; k < i; ++k) at += size(k);
            return at;
        }
        at = fixedExtent;
        if (i >= first)
            for (int k = first; k < i; ++k) at += size(k);
        else
            for (int k = i; k < first; ++k) at -= size(k);
        return at;
    };
    auto colW = [this](int k) { return ColW(k); };
    auto rowH = [this](int k) { return RowH(k); };
    const int x = offset(ACol, FixedCols(), LeftCol(), FixedColsWidth(), colW);
    const int y = offset(ARow, FixedRows(), TopRow(), FixedRowsHeight(), rowH);
    return TRect(x, y, x + ColW(ACol), y + RowH(ARow));
}

TRect TBaseGrid::CellRect(int c, int r) const
{
    const TCellProperties* p = GridObjects(c, r);
    if (p && (p->CellSpanX() != -1 || p->CellSpanY() != -1)) {
        const TPoint b = p->GetBaseCell(c, r);
        const TCellProperties* bp = GridObjects(b.X, b.Y);
        const TPoint s = bp ? TPoint(std::max(bp->CellSpanX(), 0), std::max(bp->CellSpanY(), 0)) : TPoint(0, 0);
        TRect r1 = CalcCellRect(b.X, b.Y);
        if (r1.Width() == 0) r1.Right += 1;
        TRect r2 = CalcCellRect(b.X + s.X, b.Y + s.Y);
        if (r2.Width() == 0) r2.Left -= 1;
        return TRect(std::min(r1.Left, r2.Left), std::min(r1.Top, r2.Top), std::max(r1.Right, r2.Right),
                     std::max(r1.Bottom, r2.Bottom));
    }
    if (p && p->Control()) return CalcCellRect(c, r);
    TRect rc = TObjStringGrid::CellRect(c, r);
    if (rc.IsEmpty()) return rc;
    rc.Right = rc.Left + ColW(c);
    rc.Bottom = rc.Top + RowH(r);
    return rc;
}

TPoint TBaseGrid::CellSize(int c, int r) const
{
    TRect rc;
    if (IsMergedCell(c, r)) {
        const TGridRect a = FullCell(c, r);
        const TRect r1 = CalcCellRect(a.Left, a.Top), r2 = CalcCellRect(a.Right, a.Bottom);
        rc = TRect(std::min(r1.Left, r2.Left), std::min(r1.Top, r2.Top), std::max(r1.Right, r2.Right),
                   std::max(r1.Bottom, r2.Bottom));
    } else {
        rc = CalcCellRect(c, r);
    }
    return TPoint(rc.Width(), rc.Height());
}

void TBaseGrid::RepaintCell(int c, int r)
{
    if (!Widget() || HasState(csDestroying)) return;
    TRect rc = CellRect(c, r);
    if (rc.IsEmpty()) return;
    rc.Offset(BorderWidth(), BorderWidth());
    InvalidateRect(rc);
}

void TBaseGrid::RepaintMergedFixedCols()
{
    if (FixedCols() == 0) return;
    for (int r = TopRow(); r <= TopRow() + VisibleRowCount(); ++r)
        for (int c = 0; c < FixedCols(); ++c)
            if (IsMergedCell(c, r)) RepaintCell(c, r);
}

void TBaseGrid::RepaintMergedFixedRows()
{
    if (FixedRows() == 0) return;
    for (int c = LeftCol(); c <= LeftCol() + VisibleColCount(); ++c)
        for (int r = 0; r < FixedRows(); ++r)
            if (IsMergedCell(c, r)) RepaintCell(c, r);
}

// ---- hooks: base behaviour ----------------------------------------------------------

bool TBaseGrid::IsFixed(int, int) { return false; }
int TBaseGrid::GetRowIndent(int) { return 0; }
bool TBaseGrid::HasNodes() { return false; }
void TBaseGrid::LastRowChanged() {}

void TBaseGrid::GetDisplText(int ACol, int ARow, QString& Value)
{
    if (OnGetDisplText) OnGetDisplText(this, ACol, ARow, Value);
}

void TBaseGrid::GetDisplWideText(int ACol, int ARow, QString& Value)
{
    if (OnGetDisplWideText) OnGetDisplWideText(this, ACol, ARow, Value);
}

void TBaseGrid::GetCellDefaults(int, int, TFont* AFont, TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor,
                                TColor& AMirrorColorTo, TAlignment& HA, TVAlignment& VA, bool& WW,
                                TCellGradientDirection& GD)
{
    AFont->Assign(Font());
    ABrush->SetColor(Color());
    AColorTo = clNone;
    AMirrorColor = clNone;
    AMirrorColorTo = clNone;
    HA = taLeftJustify;
    VA = vtaTop;
    WW = FWordWrap;
    GD = GradientVertical;
}

void TBaseGrid::CellTextChanged(int, int) {}
bool TBaseGrid::HasCellBorders() { return false; }
bool TBaseGrid::UsesStyleEngine() { return false; }

void TBaseGrid::GetVisualProperties(int, int, TGridDrawState&, bool, bool, bool, TBrush*, TColor&, TColor&,
                                    TColor&, TFont*, TAlignment&, TVAlignment&, bool&, TCellGradientDirection&)
{
}

int TBaseGrid::DisplColIndex(int ACol) const { return ACol; }
int TBaseGrid::TotalColCount() const { return ColCount(); }

// ---- properties -----------------------------------------------------------------------

void TBaseGrid::SetDefaultDrawing(bool v)
{
    FDefaultDrawing = v;
    // The painter draws every cell; the platform's own drawing stays off.
    TObjStringGrid::SetDefaultDrawing(false);
}

void TBaseGrid::SetGridLineWidth(int v)
{
    FGridLineWidth = v;
    // The painter draws the lines inside the cells.
    TObjStringGrid::SetGridLineWidth(0);
    Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor v)
{
    FGridLineColor = v;
    Invalidate();
}

void TBaseGrid::SetGridFixedLineColor(TColor v)
{
    FGridFixedLineColor = v;
    Invalidate();
}

void TBaseGrid::SetActiveRowShow(bool v) { StoreAndInvalidate(FActiveRowShow, v); }
void TBaseGrid::SetActiveRowColor(TColor v) { StoreAndInvalidate(FActiveRowColor, v); }
void TBaseGrid::SetActiveRowColorTo(TColor v) { StoreAndInvalidate(FActiveRowColorTo, v); }
void TBaseGrid::SetActiveRowMirrorColor(TColor v) { StoreAndInvalidate(FActiveRowMirrorColor, v); }
void TBaseGrid::SetActiveRowMirrorColorTo(TColor v) { StoreAndInvalidate(FActiveRowMirrorColorTo, v); }
void TBaseGrid::SetSelectionStyle(TGridSelectionStyle v) { StoreAndInvalidate(FSelectionStyle, v); }

void TBaseGrid::SetUndoRedo(TAdvGridUndoRedo* v)
{
    FUndoRedo = v;
    if (!v) return;
    FreeNotification(v);
    v->SetGrid(this);
}

void TBaseGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    TObjStringGrid::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FUndoRedo) FUndoRedo = nullptr;
}

// ---- navigation -----------------------------------------------------------------------

void TBaseGrid::KeyDown(Word& Key, TShiftState Shift)
{
    const int cc = Col(), cr = Row();
    if (HasCellProperties(cc, cr)) {
        const TCellProperties* p = GridObjects(cc, cr);
        const TPoint b = p->GetBaseCell(cc, cr);
        const TCellProperties* bp = GridObjects(b.X, b.Y);
        if (bp) {
            switch (Key) {
            case VK_RIGHT: {
                const int v = b.X + bp->CellSpanX();
                if (v >= cc && cc < ColCount() - 1 && b.X < ColCount() - 1 && v < ColCount()) SetCol(v);
                break;
            }
            case VK_DOWN: {
                const int v = b.Y + bp->CellSpanY();
                if (v >= cr && cr < RowCount() - 1 && b.Y < RowCount() - 1 && v < RowCount()) SetRow(v);
                break;
            }
            case VK_LEFT:
            case VK_UP:
                // From a covered cell the step starts at the base, so it lands
                // just left of or above the area.
                if (!p->IsBaseCell() && b.X >= FixedCols() && b.Y >= FixedRows()) {
                    SetCol(b.X);
                    SetRow(b.Y);
                }
                break;
            default: break;
            }
        }
    }
    if (Key == VK_NEXT && VisibleRowCount() + TopRow() - FixedRows() == RowCount() - 1 && FHideLastRow
        && RowCount() > 1)
        SetRow(RowCount() - 2);
    TObjStringGrid::KeyDown(Key, Shift);
    SnapToBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    const bool result = TObjStringGrid::DoMouseWheelDown(Shift, MousePos);
    if (VisibleRowCount() < Row() - TopRow() && Row() < RowCount() - 1 && FHideLastRow) SetTopRow(TopRow() + 1);
    SnapToBaseCell();
    return result;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    const bool result = TObjStringGrid::DoMouseWheelUp(Shift, MousePos);
    SnapToBaseCell();
    return result;
}

void TBaseGrid::TopLeftChanged()
{
    TObjStringGrid::TopLeftChanged();
    RepaintMergedFixedCols();
    RepaintMergedFixedRows();
}

bool TBaseGrid::SelectCell(int ACol, int ARow)
{
    if (UseRightToLeftAlignment()) {
        const bool result = TObjStringGrid::SelectCell(ACol, ARow);
        Invalidate();
        return result;
    }
    RepaintCell(Col(), Row());
    const bool result = TObjStringGrid::SelectCell(ACol, ARow);
    RepaintCell(ACol, ARow);
    return result;
}
