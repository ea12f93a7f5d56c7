#include "AdvColorPickerDropDownPanels.h"

#include "Forms.h"
#include "SysFormat.h"

#include <QBitmap>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

namespace {

struct PaletteRow {
    TItemPos Pos;
    unsigned Colors[10];
};
constexpr PaletteRow DefaultPalette[] = {
    {ipStandAlone,
     {0xFFFFFF, 0x000000, 0xEEECE1, 0x1F497D, 0x4F81BD, 0xC0504D, 0x9BBB59, 0x8064A2, 0x4BACC6, 0xF79646}},
    {ipTop, {0xF2F2F2, 0x7F7F7F, 0xDDD9C3, 0xC2CEDA, 0xDBE5F1, 0xF2DCDB, 0xEBF1DD, 0xE5E0EC, 0xDBEEF3, 0xFDEADA}},
    {ipMiddle,
     {0xD8D8D8, 0x595959, 0xC4BD97, 0x8DB3E2, 0xB8CCE4, 0xE5B9B7, 0xD7E3BC, 0xCCC1D9, 0xB7DDE8, 0xFBD5B5}},
    {ipMiddle,
     {0xBFBFBF, 0x3F3F3F, 0x938953, 0x548DD4, 0x95B3D7, 0xD99694, 0xC3D69B, 0xB2A2C7, 0x92CDDC, 0xFAC08F}},
    {ipMiddle,
     {0xA5A5A5, 0x262626, 0x494429, 0x17365D, 0x366092, 0x953734, 0x76923C, 0x5F497A, 0x31859B, 0xE36C09}},
    {ipBottom,
     {0x7F7F7F, 0x0C0C0C, 0x1D1B10, 0x0F243E, 0x244061, 0x632423, 0x4F6128, 0x3F3151, 0x205867, 0x974806}},
};
static_assert(std::size(DefaultPalette) * 10 == 60, "the default palette holds 60 colours");

// The cube's rows: the first centre's x and the colours, left to right.
struct CubeRow {
    int FirstX;
    std::initializer_list<unsigned> Colors;
};
const CubeRow CubeRows[] = {
    {55, {0x003366, 0x336699, 0x3366CC, 0x003399, 0x000099, 0x0000CC, 0x000066}},
    {49, {0x006666, 0x006699, 0x0099CC, 0x0066CC, 0x0033CC, 0x0000FF, 0x3333FF, 0x333399}},
    {43, {0x008080, 0x009999, 0x33CCCC, 0x00CCFF, 0x0099FF, 0x0066FF, 0x3366FF, 0x3333CC, 0x666699}},
    {37, {0x339966, 0x00CC99, 0x00FFCC, 0x00FFFF, 0x33CCFF, 0x3399FF, 0x6699FF, 0x6666FF, 0x6600FF, 0x6600CC}},
    {31, {0x339933, 0x00CC66, 0x00FF99, 0x66FFCC, 0x66FFFF, 0x66CCFF, 0x99CCFF, 0x9999FF, 0x9966FF, 0x9933FF,
          0x9900FF}},
    {25, {0x006600, 0x00CC00, 0x00FF00, 0x66FF99, 0x99FFCC, 0xCCFFFF, 0xCCECFF, 0xCCCCFF, 0xCC99FF, 0xCC66FF,
          0xCC00FF, 0x9900CC}},
    {19, {0x003300, 0x008000, 0x33CC33, 0x66FF66, 0x99FF99, 0xCCFFCC, 0xFFFFFF, 0xFFCCFF, 0xFF99FF, 0xFF66FF,
          0xFF00FF, 0xCC00CC, 0x660066}},
    {25, {0x336600, 0x009900, 0x66FF33, 0x99FF66, 0xCCFF99, 0xFFFFCC, 0xFFCCCC, 0xFF99CC, 0xFF66CC, 0xFF33CC,
          0xCC0099, 0x800080}},
    {31, {0x333300, 0x669900, 0x99FF33, 0xCCFF66, 0xFFFF99, 0xFFCC99, 0xFF9999, 0xFF6699, 0xFF3399, 0xCC3399,
          0x990099}},
    {37, {0x666633, 0x99CC00, 0xCCFF33, 0xFFFF66, 0xFFCC66, 0xFF9966, 0xFF7C80, 0xFF0066, 0xD60093, 0x993366}},
    {43, {0x808000, 0xCCCC00, 0xFFFF00, 0xFFCC00, 0xFF9933, 0xFF6600, 0xFF5050, 0xCC0066, 0x660033}},
    {49, {0x996633, 0xCC9900, 0xFF9900, 0xCC6600, 0xFF3300, 0xFF0000, 0xCC0000, 0x990033}},
    {55, {0x663300, 0x996600, 0xCC3300, 0x993300, 0x990000, 0x800000, 0xA50021}},
};
constexpr int CubeHalfWidth = 6, CubeUnit = 3, CubeStep = 2 * CubeHalfWidth;

// The six corners of a cell's hexagon.
std::vector<TPoint> Hexagon(int x, int y, int b, int a)
{
    return {TPoint(x - b, y - a), TPoint(x, y - 2 * a), TPoint(x + b, y - a),
            TPoint(x + b, y + a), TPoint(x, y + 2 * a), TPoint(x - b, y + a)};
}

}  // namespace

// ---------------------------------------------------------------------------
// The colour cube

TAdvColorCubePanel::TAdvColorCubePanel(TComponent* AOwner)
    : TAdvCustomColorSelectorPanel(AOwner)
{
    InitCells();
    SetShowRGBHint(true);
}

void TAdvColorCubePanel::InitCells()
{
    size_t n = 0;
    int y = 20;
    for (const CubeRow& row : CubeRows) {
        int x = row.FirstX;
        for (unsigned c : row.Colors) {
            if (n < std::size(FCells)) FCells[n++] = TCubeCell{x, y, RgbHex(c)};
            x += CubeStep;
        }
        y += 10;
    }
}

void TAdvColorCubePanel::ResetHot()
{
    FHotCell = -1;
    SetBounds(Left(), Top(), 182, 160);
}

void TAdvColorCubePanel::SetShowRGBHint(bool v)
{
    FShowRGBHint = v;
    SetShowHint(v);
}

void TAdvColorCubePanel::SetSelectedColor(TColor v)
{
    FSelectedColor = v;
    FSelectedCell = -1;
    for (int i = 1; i <= CellCount; ++i) {
        if (Cell(i).Color == v) {
            FSelectedCell = i;
            break;
        }
    }
}

int TAdvColorCubePanel::CellAtPoint(int X, int Y) const
{
    for (int i = 1; i <= CellCount; ++i) {
        const int dx = X - Cell(i).X, dy = Y - Cell(i).Y;
        if (dx * dx + dy * dy <= 36) return i;
    }
    return -1;
}

void TAdvColorCubePanel::DrawCell(int Number)
{
    if (Number < 1 || Number > CellCount) return;
    TCanvas* c = Canvas();
    const TCubeCell& cell = Cell(Number);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(cell.Color);
    c->Pen()->SetColor(cell.Color);
    c->Polygon(Hexagon(cell.X, cell.Y, CubeHalfWidth, CubeUnit));
    auto frame = [&](TColor outer) {
        c->Brush()->SetStyle(bsClear);
        c->Pen()->SetColor(outer);
        c->Polygon(Hexagon(cell.X, cell.Y, 5, 3));
        c->Pen()->SetColor(clWhite);
        c->Polygon(Hexagon(cell.X, cell.Y, 4, 2));
    };
    if (Number == FHotCell) frame(clRed);
    if (Number == FSelectedCell) frame(clBlack);
}

void TAdvColorCubePanel::RepaintCell(int Number)
{
    if (Number < 1 || Number > CellCount) return;
    const TCubeCell& cell = Cell(Number);
    InvalidateRect(TRect(cell.X - 7, cell.Y - 7, cell.X + 8, cell.Y + 8));
}

void TAdvColorCubePanel::Paint()
{
    for (int i = 1; i <= CellCount; ++i) DrawCell(i);
}

void TAdvColorCubePanel::MouseMove(TShiftState Shift, int X, int Y)
{
    TAdvCustomColorSelectorPanel::MouseMove(Shift, X, Y);
    const int cell = CellAtPoint(X, Y);
    if (cell > 0 && cell != FHotCell) {
        const int old = FHotCell;
        FHotCell = cell;
        RepaintCell(old);
        RepaintCell(cell);
        if (FShowRGBHint) {
            const TColor c = Cell(cell).Color;
            SetHint(Format(QStringLiteral("Red: %d,  Green: %d,  Blue: %d"),
                           {GetRValue(c), GetGValue(c), GetBValue(c)}));
            if (Application) Application->CancelHint();
        }
    } else if (cell < 0 && FShowRGBHint) {
        SetHint(QString());
        if (Application) Application->CancelHint();
    }
}

void TAdvColorCubePanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TAdvCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
    const int cell = CellAtPoint(X, Y);
    if (cell < 0) return;
    RepaintCell(FSelectedCell);
    FSelectedColor = Cell(cell).Color;
    FSelectedCell = cell;
    RepaintCell(cell);
    if (OnSelect) OnSelect(this);
}

// ---------------------------------------------------------------------------
// The spectrum

namespace {
constexpr int SpectrumSize = 128;
}

TColor TAdvColorSpectrumPanel::SpectrumColor(int X, int Y)
{
    // Hue once around the circle across the width; the upper half blends
    // white into the full colour, the lower half the full colour into black.
    const double h = 6.0 * X / SpectrumSize;
    const int sector = int(h) % 6;
    const double f = h - int(h);
    double r = 0, g = 0, b = 0;
    switch (sector) {
    case 0: r = 1, g = f; break;
    case 1: r = 1 - f, g = 1; break;
    case 2: g = 1, b = f; break;
    case 3: g = 1 - f, b = 1; break;
    case 4: r = f, b = 1; break;
    default: r = 1, b = 1 - f; break;
    }
    auto channel = [&](double full) {
        double v;
        if (Y < SpectrumSize / 2)
            v = 1 + (full - 1) * Y / (SpectrumSize / 2 - 1.0);
        else
            v = full * (SpectrumSize - 1 - Y) / (SpectrumSize / 2 - 1.0);
        return std::clamp(int(v * 255 + 0.5), 0, 255);
    };
    return TColor(channel(r) | (channel(g) << 8) | (channel(b) << 16));
}

TAdvColorSpectrumPanel::TAdvColorSpectrumPanel(TComponent* AOwner)
    : TAdvCustomColorSelectorPanel(AOwner), FPicture(std::make_unique<TBitmap>(SpectrumSize, SpectrumSize))
{
    for (int y = 0; y < SpectrumSize; ++y)
        for (int x = 0; x < SpectrumSize; ++x) FPicture->Canvas()->SetPixels(x, y, SpectrumColor(x, y));
    RegisterCursor(crPipette, PipetteCursor());
    SetCursor(crPipette);
}

QCursor TAdvColorSpectrumPanel::PipetteCursor()
{
    // The tube from the tip up to the right, a collar across it and the bulb
    // at the top right; drawn black, with a one-pixel white rim from the mask.
    QPainterPath shape;
    shape.moveTo(1, 30);
    shape.lineTo(4, 24);
    shape.lineTo(19, 9);
    shape.lineTo(22, 12);
    shape.lineTo(7, 27);
    shape.closeSubpath();
    shape.addPolygon(QPolygonF({QPointF(16, 9), QPointF(19, 6), QPointF(25, 12), QPointF(22, 15)}));
    shape.addEllipse(QPointF(24.5, 7.5), 5, 5);
    shape.setFillRule(Qt::WindingFill);
    QBitmap bits(32, 32), mask(32, 32);
    bits.fill(Qt::color0);
    mask.fill(Qt::color0);
    {
        QPainter p(&mask);
        p.setPen(QPen(Qt::color1, 3));
        p.setBrush(Qt::color1);
        p.drawPath(shape);
    }
    {
        QPainter p(&bits);
        p.setPen(QPen(Qt::color1, 1));
        p.setBrush(Qt::color1);
        p.drawPath(shape);
    }
    return QCursor(bits, mask, 1, 30);
}

TAdvColorSpectrumPanel::~TAdvColorSpectrumPanel() = default;

void TAdvColorSpectrumPanel::ArrangeSpectrum()
{
    SetBounds(Left(), Top(), 150, 174);
    const int left = (Width() - SpectrumSize) / 2;
    FPictureRect = TRect(left, 10, left + SpectrumSize, 10 + SpectrumSize);
    const int B = FPictureRect.Bottom;
    FSelectedRect = TRect(left - 1, B + 8, left + SpectrumSize / 2 - 2, B + 28);
    FHotRect = TRect(FSelectedRect.Right + 4, FSelectedRect.Top, left + SpectrumSize + 1, FSelectedRect.Bottom);
    FHotColor = clNone;
    Invalidate();
}

TColor TAdvColorSpectrumPanel::PixelAt(int X, int Y) const
{
    if (!FPictureRect.Contains(TPoint(X, Y))) return clNone;
    return FPicture->Canvas()->Pixels(X - FPictureRect.Left, Y - FPictureRect.Top);
}

void TAdvColorSpectrumPanel::Paint()
{
    TCanvas* c = Canvas();
    c->Draw(FPictureRect.Left, FPictureRect.Top, FPicture.get());
    c->Brush()->SetStyle(bsClear);
    const TRect& p = FPictureRect;
    c->Pen()->SetColor(clWhite);
    c->Rectangle(TRect(p.Left - 1, p.Top - 1, p.Right + 1, p.Bottom + 1));
    c->Pen()->SetColor(RgbHex(0x808080));
    c->Rectangle(TRect(p.Left - 2, p.Top - 2, p.Right + 2, p.Bottom + 2));
    auto swatch = [&](const TRect& r, TColor color) {
        c->Brush()->SetStyle(bsClear);
        c->Pen()->SetColor(RgbHex(0x808080));
        c->Rectangle(TRect(r.Left - 1, r.Top - 1, r.Right + 1, r.Bottom + 1));
        c->Pen()->SetColor(clWhite);
        if (color != clNone) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(color);
        }
        c->Rectangle(r);
    };
    swatch(FSelectedRect, FSelectedColor);
    swatch(FHotRect, FHotColor);
}

void TAdvColorSpectrumPanel::MouseMove(TShiftState Shift, int X, int Y)
{
    TAdvCustomColorSelectorPanel::MouseMove(Shift, X, Y);
    if (!FPictureRect.Contains(TPoint(X, Y))) return;
    FHotColor = PixelAt(X, Y);
    InvalidateRect(FHotRect);
}

void TAdvColorSpectrumPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TAdvCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
    if (!FPictureRect.Contains(TPoint(X, Y))) return;
    // The pixel under the click, also without a move over it first.
    FHotColor = PixelAt(X, Y);
    FSelectedColor = FHotColor;
    InvalidateRect(FSelectedRect);
    InvalidateRect(FHotRect);
    if (OnSelect) OnSelect(this);
}

// ---------------------------------------------------------------------------
// Boxes and look

void TColorBoxItem::SetColor(TColor v)
{
    if (v == FColor) return;
    FColor = v;
    Changed(false);
}

void TColorBoxItem::Assign(TPersistent* Source)
{
    if (auto* s = dynamic_cast<TColorBoxItem*>(Source)) {
        SetColor(s->FColor);
        return;
    }
    TCollectionItem::Assign(Source);
}

TColorBoxItems::TColorBoxItems(TPersistent* AOwner)
    : TCollection(ItemClassOf<TColorBoxItem>()), FOwner(AOwner)
{
}

void TColorBoxItems::Update(TCollectionItem* Item)
{
    if (Item && OnChange) OnChange(this);
}

void TColorBoxAppearance::Reset()
{
    TColorBoxAppearance defaults;
    Assign(&defaults);
}

void TColorBoxAppearance::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TColorBoxAppearance*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    FBorderColor = s->FBorderColor;
    FOuterBorderColorHot = s->FOuterBorderColorHot;
    FInnerBorderColorHot = s->FInnerBorderColorHot;
    FOuterBorderColorSelected = s->FOuterBorderColorSelected;
    FInnerBorderColorSelected = s->FInnerBorderColorSelected;
}

// ---------------------------------------------------------------------------
// The selector

TCustomColorSelector::TCustomColorSelector(TComponent* AOwner)
    : TAdvCustomColorSelectorPanel(AOwner), FItems(std::make_unique<TColorBoxItems>(this)),
      FAppearance(std::make_unique<TColorBoxAppearance>())
{
    SetItemColorStyle(scOffice2007);
    SetParentColor(true);
}

TCustomColorSelector::~TCustomColorSelector() = default;

void TCustomColorSelector::SetItemColorStyle(TSelectionColorStyle v)
{
    if (v == FItemColorStyle) return;
    FItemColorStyle = v;
    if (v != scCustom) FAppearance->Reset();
}

#define LAYOUT_SETTER(Name, Field)                    \
    void TCustomColorSelector::Set##Name(int v)       \
    {                                                 \
        if (v == Field) return;                       \
        Field = v;                                    \
        UpdateLayout();                               \
    }
LAYOUT_SETTER(Columns, FColumns)
LAYOUT_SETTER(ColumnGap, FColumnGap)
LAYOUT_SETTER(ColorBoxWidth, FColorBoxWidth)
LAYOUT_SETTER(ColorBoxHeight, FColorBoxHeight)
#undef LAYOUT_SETTER

void TCustomColorSelector::LoadDefaultPalette()
{
    FItems->Clear();
    FItemIndex = FItemHot = -1;
    for (const PaletteRow& row : DefaultPalette) {
        for (unsigned c : row.Colors) {
            TColorBoxItem* item = FItems->Add();
            item->SetColor(RgbHex(c));
            item->SetColorBoxPos(row.Pos);
        }
    }
}

TRect TCustomColorSelector::GetItemsRect() const
{
    TRect r = ClientRect();
    r.Left += FOffSetX, r.Right -= FOffSetX, r.Top += FOffSetY, r.Bottom -= FOffSetY;
    return r;
}

void TCustomColorSelector::UpdateLayout()
{
    if (FItems->Count() == 0) {
        SetBounds(Left(), Top(), 100, 50);
        return;
    }
    FItemHot = -1;
    const TSize size = GetColorBoxSize();
    const int w = size.cx, h = size.cy;
    const TRect items = GetItemsRect();
    const int x0 = items.Left, y0 = items.Top;
    int x = x0, y = y0, counter = 0, widest = 0;
    bool gap = false;
    for (int i = 0; i < FItems->Count(); ++i) {
        TColorBoxItem* item = FItems->Items(i);
        item->SetBoxRect(TRect(x, y, x + w, y + h));
        ++counter;
        if (i == FItems->Count() - 1) break;
        if (item->ColorBoxPos() == ipStandAlone) gap = true;
        if (counter >= FColumns) {
            widest = std::max(widest, x);
            x = x0;
            y += gap ? h + FColumnGap : h;
            counter = 0;
            gap = false;
        } else {
            x += w + FColumnGap;
        }
    }
    widest = std::max(widest, x);
    SetBounds(Left(), Top(), widest + w + x0 + 1, y + h + y0);
    Invalidate();
}

void TCustomColorSelector::InvalidateItem(int Index)
{
    if (Valid(Index)) InvalidateRect(FItems->Items(Index)->BoxRect());
}

void TCustomColorSelector::RepaintItem(int Index)
{
    if (!Valid(Index) || !Widget()->isVisible()) return;
    Widget()->repaint(FItems->Items(Index)->BoxRect().ToQRect());
}

void TCustomColorSelector::DrawColorBox(int Index, TCanvas* ACanvas)
{
    if (!Valid(Index) || !ACanvas) return;
    TColorBoxItem* item = FItems->Items(Index);
    TRect R = item->BoxRect();
    if (R.Left < 0 && R.Right < 0) return;
    const TColorBoxAppearance& a = *FAppearance;
    TColor outer = a.BorderColor(), inner = clNone;
    bool framed = false;
    if (Index == FItemHot) outer = a.OuterBorderColorHot(), inner = a.InnerBorderColorHot(), framed = true;
    if (Index == FItemIndex)
        outer = a.OuterBorderColorSelected(), inner = a.InnerBorderColorSelected(), framed = true;
    if (item->Color() != clNone) {
        ACanvas->Pen()->SetColor(item->Color());
        ACanvas->Brush()->SetStyle(bsSolid);
        ACanvas->Brush()->SetColor(item->Color());
        ACanvas->Rectangle(R);
    }
    if (framed) {
        ACanvas->Brush()->SetStyle(bsClear);
        if (outer != clNone) {
            ACanvas->Pen()->SetColor(outer);
            ACanvas->Rectangle(R);
            R.Left += 1, R.Top += 1, R.Right -= 1, R.Bottom -= 1;
        }
        if (inner != clNone) {
            ACanvas->Pen()->SetColor(inner);
            ACanvas->Rectangle(R);
        }
        return;
    }
    ACanvas->Pen()->SetColor(a.BorderColor());
    switch (item->ColorBoxPos()) {
    case ipStandAlone:
        ACanvas->MoveTo(R.Left, R.Bottom);
        ACanvas->LineTo(R.Left, R.Top);
        ACanvas->LineTo(R.Right, R.Top);
        ACanvas->LineTo(R.Right, R.Bottom);
        ACanvas->LineTo(R.Left, R.Bottom);
        break;
    case ipTop:
        ACanvas->MoveTo(R.Left, R.Bottom);
        ACanvas->LineTo(R.Left, R.Top);
        ACanvas->LineTo(R.Right, R.Top);
        ACanvas->LineTo(R.Right, R.Bottom);
        break;
    case ipMiddle:
        ACanvas->MoveTo(R.Left, R.Top);
        ACanvas->LineTo(R.Left, R.Bottom);
        ACanvas->MoveTo(R.Right, R.Top);
        ACanvas->LineTo(R.Right, R.Bottom);
        break;
    case ipBottom:
        ACanvas->MoveTo(R.Left, R.Top);
        ACanvas->LineTo(R.Left, R.Bottom);
        ACanvas->LineTo(R.Right, R.Bottom);
        ACanvas->MoveTo(R.Right, R.Top);
        ACanvas->LineTo(R.Right, R.Bottom + 1);
        break;
    }
}

int TCustomColorSelector::ItemAtPos(int X, int Y) const
{
    for (int i = 0; i < FItems->Count(); ++i) {
        const TRect r = FItems->Items(i)->BoxRect();
        if (X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom) return i;
    }
    return -1;
}

void TCustomColorSelector::SetItemIndex(int I)
{
    // An index past the boxes would select nothing that exists.
    if (I >= FItems->Count()) return;
    if (FItemIndex >= 0 && I != FItemIndex) {
        const int old = FItemIndex;
        FItemIndex = -1;
        InvalidateItem(old);
    }
    FItemIndex = I;
    if (I < 0) return;
    FSelectedColor = FItems->Items(I)->Color();
    RepaintItem(I);
    if (OnItemSelect) OnItemSelect(this);
}

void TCustomColorSelector::SetItemHot(int I)
{
    if (I == FItemHot) return;
    if (FItemHot >= 0) {
        const int old = FItemHot;
        FItemHot = -1;
        InvalidateItem(old);
    }
    FItemHot = I;
    if (I >= 0) RepaintItem(I);
}

void TCustomColorSelector::SetSelectedColor(TColor V)
{
    if (V == FSelectedColor) return;
    FSelectedColor = V;
    if (V == clNone) SetItemIndex(-1);
    for (int i = 0; i < FItems->Count(); ++i) {
        if (FItems->Items(i)->Color() == V) {
            SetItemIndex(i);
            return;
        }
    }
    SetItemIndex(-1);
}

void TCustomColorSelector::SelectFirst()
{
    if (FItems->Count() > 0) SetItemIndex(0);
}

void TCustomColorSelector::SelectLast()
{
    if (FItems->Count() > 0) SetItemIndex(FItems->Count() - 1);
}

void TCustomColorSelector::SelectNext()
{
    if (FItemIndex + 1 < FItems->Count()) SetItemIndex(FItemIndex + 1);
}

void TCustomColorSelector::SelectPrevious()
{
    if (FItemIndex - 1 >= 0) SetItemIndex(FItemIndex - 1);
}

void TCustomColorSelector::HotNext()
{
    if (FItemHot + 1 < FItems->Count()) SetItemHot(FItemHot + 1);
}

void TCustomColorSelector::HotPrevious()
{
    if (FItemHot - 1 >= 0) SetItemHot(FItemHot - 1);
}

void TCustomColorSelector::HandleKey(Word Key, bool EditorEnabled, bool DroppedDown)
{
    if (!Enabled() || Key < VK_PRIOR || Key > VK_DOWN) return;
    const bool closedEditor = EditorEnabled && !DroppedDown;
    auto selectRow = [&](int delta) {
        const int target = FItemIndex < 0 ? 0 : FItemIndex + delta;
        if (Valid(target)) SetItemIndex(target);
    };
    switch (Key) {
    case VK_PRIOR:
    case VK_HOME:
        SelectFirst();
        break;
    case VK_NEXT:
    case VK_END:
        SelectLast();
        break;
    case VK_LEFT:
        if (!closedEditor) SelectPrevious();
        break;
    case VK_RIGHT:
        if (!closedEditor) SelectNext();
        break;
    case VK_UP:
        if (DroppedDown)
            selectRow(-FColumns);
        else
            SelectPrevious();
        break;
    case VK_DOWN:
        if (DroppedDown)
            selectRow(FColumns);
        else
            SelectNext();
        break;
    default:
        break;
    }
}

void TCustomColorSelector::Paint()
{
    for (int i = 0; i < FItems->Count(); ++i) DrawColorBox(i, Canvas());
}

void TCustomColorSelector::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TAdvCustomColorSelectorPanel::MouseDown(Button, Shift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (i >= 0) SetItemIndex(i);
}

void TCustomColorSelector::MouseMove(TShiftState Shift, int X, int Y)
{
    TAdvCustomColorSelectorPanel::MouseMove(Shift, X, Y);
    const int i = ItemAtPos(X, Y);
    if (i != FItemHot) SetItemHot(i);
}

void TCustomColorSelector::MouseLeave()
{
    TAdvCustomColorSelectorPanel::MouseLeave();
    SetItemHot(-1);
}
