// The grid's background: a picture (tiled or at a fixed place) or a
// gradient, in the strips no cell covers and behind the cells the settings
// name. Tiles continue across cells because their phase comes from the
// running column and row position sums, so adjacent cells read as one
// picture. Every clip is intersected with the caller's and restored.

#include "AdvGrid.h"

#include "AdvDropDownPaint.h"
#include "AdvGridLook.h"
#include "AdvGridPaint.h"
#include "AdvGridFooter.h"
#include "AdvUtilPaint.h"

#include <optional>

namespace {

// Narrows the canvas clip to Area for its lifetime, then puts back what the
// caller had.
class TBackgroundClip {
public:
    TBackgroundClip(TCanvas* Canvas, const QRegion& Area) : FKeeper(Canvas)
    {
        Canvas->SelectClipRegion(FKeeper.Saved() ? (*FKeeper.Saved() & Area) : Area);
    }

private:
    TCanvasClipKeeper FKeeper;
};

bool BackgroundIsGradient(TBackGroundDisplay d)
{
    return d == bdGradientHorz || d == bdGradientVert;
}

// Tiles of Picture over Rect from (Rect.Left - 1, Rect.Top - 1), the first
// column and row of tiles shifted into the picture by the phases.
void BackgroundTile(TCanvas* Canvas, TBitmap* Picture, const TRect& Rect, int PhaseX, int PhaseY)
{
    const int w = Picture->Width(), h = Picture->Height();
    if (w <= 0 || h <= 0 || Rect.Width() <= 0 || Rect.Height() <= 0) return;
    TBackgroundClip clip(Canvas, QRegion(Rect.ToQRect()));
    for (int y = Rect.Top - 1 - PhaseY; y < Rect.Bottom; y += h)
        for (int x = Rect.Left - 1 - PhaseX; x < Rect.Right; x += w) Canvas->Draw(x, y, Picture);
}

}  // namespace

bool TAdvStringGrid::BackgroundCovers(bool FixedCell) const
{
    const TBackGroundCells cells = FBackGround->Cells();
    return cells == bcAll || (FixedCell ? cells == bcFixed : cells == bcNormal);
}

void TAdvStringGrid::PaintBackground()
{
    TBackGround* bg = FBackGround;
    if (TopRow() + VisibleRowCount() < RowCount() && LeftCol() + VisibleColCount() < ColCount()) return;
    if (BackgroundIsGradient(bg->Display()) && bg->ColorTo() == clNone) return;
    const TRect client = ClientRect();
    const int gl = GridLineWidth();
    QRegion area;
    TRect last = CellRect(ColCount() - 1, TopRow());
    last.Inflate(gl, gl);
    if (last.Right < client.Right && ColCount() - 1 < LeftCol() + VisibleColCount())
        area += QRect(last.Right, client.Top, client.Right - last.Right, client.Height());
    last = CellRect(LeftCol(), RowCount() - 1);
    last.Inflate(gl, gl);
    if (last.Bottom < client.Bottom && RowCount() - 1 < TopRow() + VisibleRowCount())
        area += QRect(client.Left, last.Bottom, client.Width(), client.Bottom - last.Bottom);
    TRect paint = client;
    if (FSearchFooter && FSearchFooter->Visible()) paint.Bottom -= 32;
    if (FFloatingFooter && FFloatingFooter->Visible() && FFooterPanel) paint.Bottom -= FFooterPanel->Height();
    if (area.isEmpty()) return;

    TCanvas* cv = Canvas();
    TBackgroundClip clip(cv, area);
    TBitmap* pic = bg->Bitmap();
    const bool picture = pic && !pic->Empty();
    if (!picture && BackgroundIsGradient(bg->Display())) {
        DrawDropDownGradient(cv, bg->Color(), bg->ColorTo(), 128, paint, bg->Display() == bdGradientHorz);
    } else if (picture && bg->Display() != bdTile) {
        DrawBackgroundFixed(cv, paint);
    } else if (picture) {
        TRect tiles = paint;
        if (bg->Cells() == bcNormal) {
            const TRect first = CellRect(FixedCols(), FixedRows());
            tiles.Left = first.Left;
            tiles.Top = first.Top;
        }
        tiles.Left += XYOffset().X;
        tiles.Top += XYOffset().Y;
        if (bg->Cells() != bcFixed) DrawBackgroundTiled(cv, tiles);
    }
}

void TAdvStringGrid::DrawBackgroundFixed(TCanvas* Canvas, const TRect& Rect)
{
    TBitmap* pic = FBackGround->Bitmap();
    if (!pic || pic->Empty()) return;
    const TRect at(FBackGround->Left(), FBackGround->Top(), FBackGround->Left() + pic->Width(),
                   FBackGround->Top() + pic->Height());
    const QRect part = at.ToQRect() & Rect.ToQRect();
    if (part.isEmpty()) return;
    TBackgroundClip clip(Canvas, QRegion(part));
    Canvas->Draw(at.Left, at.Top, pic);
}

void TAdvStringGrid::DrawBackgroundTiled(TCanvas* Canvas, const TRect& Rect)
{
    TBitmap* pic = FBackGround->Bitmap();
    if (pic && !pic->Empty()) BackgroundTile(Canvas, pic, Rect, 0, 0);
}

void TAdvStringGrid::PaintCellBackgroundFixed(TCanvas* Canvas, const TRect& Rect)
{
    DrawBackgroundFixed(Canvas, Rect);
}

void TAdvStringGrid::PaintCellBackgroundTiled(TCanvas* Canvas, const TRect& Rect, int ACol, int ARow)
{
    TBitmap* pic = FBackGround->Bitmap();
    if (!pic || pic->Empty() || pic->Width() <= 0 || pic->Height() <= 0) return;
    const bool normal = FBackGround->Cells() == bcNormal;
    const int fromCol = normal ? FixedCols() : 0, fromRow = normal ? FixedRows() : 0;
    const long long dx = ColOffset(ACol) - ColOffset(std::min(ACol, fromCol));
    const long long dy = RowOffset(ARow) - RowOffset(std::min(ARow, fromRow));
    BackgroundTile(Canvas, pic, Rect, int(dx % pic->Width()), int(dy % pic->Height()));
}

void TAdvStringGrid::PaintCellBackgroundGradient(TCanvas* Canvas, const TRect& Rect)
{
    TBackGround* bg = FBackGround;
    const bool vert = bg->Display() == bdGradientVert;
    const int size = vert ? Height() : Width();
    const int a = vert ? Rect.Top : Rect.Left, b = vert ? Rect.Bottom : Rect.Right;
    const TColor from = BlendColorStep(bg->Color(), bg->ColorTo(), 0, a, size);
    const TColor to = BlendColorStep(bg->Color(), bg->ColorTo(), 0, b, size);
    Canvas->Brush()->SetColor(to);
    Canvas->Pen()->SetColor(to);
    DrawDropDownGradient(Canvas, from, to, 128, Rect, !vert);
}

void TAdvStringGrid::PaintCellBackground(TCellDrawContext& c)
{
    TBackGround* bg = FBackGround;
    const bool fixed = c.State.Contains(gdFixed);
    if (!BackgroundCovers(fixed)) return;
    const bool selected = c.State.Contains(gdSelected);
    TBitmap* pic = bg->Bitmap();
    const TColor own = Colors(c.RealCol, c.Row);
    if (pic && !pic->Empty() && own == clNone && !(ShowSelection() && selected)) {
        const TBrushStyle keep = c.Canvas->Brush()->Style();
        TRect r = c.Rect;
        r.Left -= GridLineWidth() - 1;
        r.Top -= GridLineWidth() - 1;
        if (bg->Display() != bdTile) PaintCellBackgroundFixed(c.Canvas, r);
        else PaintCellBackgroundTiled(c.Canvas, r, c.DisplayCol, c.Row);
        c.Canvas->Brush()->SetStyle(keep);
        return;
    }
    if (!BackgroundIsGradient(bg->Display()) || bg->ColorTo() == clNone) return;
    static constexpr TCellType boxed[] = {ctCheckBox, ctDataCheckBox, ctRadio, ctButton, ctRadioButton};
    const bool boxCell = c.Graphic && std::find(std::begin(boxed), std::end(boxed), c.Graphic->CellType())
                                          != std::end(boxed);
    if (own != clNone && !boxCell) return;
    const bool focused = c.State.Contains(gdFocused);
    if (ShowSelection() && ((selected && !focused) || (focused && Options().Contains(goDrawFocusSelected)))) return;
    const TRect r(c.Rect.Left - 1, c.Rect.Top - GridLineWidth(), c.Rect.Right, c.Rect.Bottom + GridLineWidth() - 1);
    const TColor brush = c.Canvas->Brush()->Color();
    PaintCellBackgroundGradient(c.Canvas, r);
    c.Canvas->Brush()->SetColor(brush);
}
