// The grid base's cell painter: hidden last row, merged areas once per
// pass, selection bars, colour precedence, grid lines and the clip.

#include "BaseGridTestKit.h"
#include "GraphicsRecording.h"
#include "TestHarness.h"

#include <QDir>
#include <QImage>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

QImage Render(TTestGrid* g)
{
    QImage img(g->Widget()->size(), QImage::Format_RGB32);
    img.fill(Qt::magenta);
    g->Widget()->render(&img, QPoint(), QRegion(g->Widget()->rect()), QWidget::DrawChildren);
    return img;
}

TColor PixelAt(const QImage& img, int x, int y)
{
    const QRgb p = img.pixel(x, y);
    return TColor(qRed(p) | (qGreen(p) << 8) | (qBlue(p) << 16));
}

int DrawnCount(const TTestGrid* g, int c, int r)
{
    int n = 0;
    for (const auto& d : g->DrawnCells) n += d.Col == c && d.Row == r;
    return n;
}

// The colour of the first fill the painter made.
TColor FirstFill(const TRecordingCanvas& rc)
{
    for (const TCanvasOp& op : rc.Ops())
        if (op.Kind == QLatin1String("FillRect")) return op.BrushColor;
    return clNone;
}

std::vector<const TCanvasOp*> Lines(const TRecordingCanvas& rc)
{
    std::vector<const TCanvasOp*> out;
    for (const TCanvasOp& op : rc.Ops())
        if (op.Kind == QLatin1String("Line")) out.push_back(&op);
    return out;
}

} // namespace

TEST(BaseGridPaint, HiddenLastRowShowsEmpty)
{
    TGridForm f;
    TTestGrid* g = f.Grid;
    g->FHideLastRow = true;
    g->SetCells(2, 5, QStringLiteral("secret"));
    TRecordingCanvas rc;
    const TRect r = g->CellRect(2, 5);
    g->PaintCellContent(&rc, 2, 5, r, TGridDrawState(), true);
    ASSERT_EQ(rc.Ops().size(), 1u);
    EXPECT_EQ(rc.Ops()[0].Kind, QStringLiteral("Rectangle"));
    EXPECT_EQ(rc.Ops()[0].Rect, r);
    EXPECT_EQ(rc.Ops()[0].BrushColor, g->Color());
    EXPECT_EQ(rc.Ops()[0].PenColor, g->Color());
    EXPECT_TRUE(g->DrawnCells.empty());
}

TEST(BaseGridPaint, MergedAreaPaintsOncePerPassAndFromItsBaseWhenScrolled)
{
    TGridForm f(400, 200);
    TTestGrid* g = f.Grid;
    g->SetColCount(10);
    g->UseCellColors = true;
    g->MergeCells(2, 2, 3, 2);  // columns 2..4, rows 2..3
    g->GetCellProperties(2, 2)->SetBrushColor(clRed);
    g->DrawnCells.clear();
    Render(g);
    // The base is in view and paints itself; the covered cells add one
    // redirected paint of the area.
    EXPECT_EQ(DrawnCount(g, 2, 2), 2);
    for (int c = 3; c <= 4; ++c)
        for (int r = 2; r <= 3; ++r) EXPECT_EQ(DrawnCount(g, c, r), 0);

    // Only a covered cell in view: the area still paints from its base,
    // clipped at the fixed column.
    g->SetLeftCol(4);
    ASSERT_EQ(g->LeftCol(), 4);
    g->DrawnCells.clear();
    QImage img = Render(g);
    ASSERT_EQ(DrawnCount(g, 2, 2), 1);
    for (const auto& d : g->DrawnCells) {
        if (d.Col == 2 && d.Row == 2) {
            EXPECT_EQ(d.Rect.Left, g->CellRect(2, 2).Left + 1);
        }
    }
    EXPECT_LT(g->CellRect(2, 2).Left, 0);
    EXPECT_EQ(PixelAt(img, 70, 60), clRed);          // column 4, inside the area
    EXPECT_NE(PixelAt(img, 30, 60), clRed);          // the fixed column is not painted over
    g->DrawnCells.clear();
    Render(g);
    EXPECT_EQ(DrawnCount(g, 2, 2), 1);  // the next pass paints it again
}

TEST(BaseGridPaint, SelectionBarEndsAndColours)
{
    TGridForm f;
    TTestGrid* g = f.Grid;
    g->SetSelectionStyle(ssVista);
    g->SetSelection(GridRect(2, 2, 4, 2));
    g->FocusMode = 1;
    struct Case {
        int col;
        bool leftRound, rightRound;
    };
    const TColor grid = ColorToRGB(g->Color());
    for (const Case& k : {Case{2, true, false}, Case{3, false, false}, Case{4, false, true}}) {
        TBitmap bmp(g->ClientWidth(), g->ClientHeight());
        const TRect r = g->CellRect(k.col, 2);
        g->PaintCellContent(bmp.Canvas(), k.col, 2, r, TGridDrawState{gdSelected}, true);
        EXPECT_EQ(bmp.Canvas()->Pixels(r.Left, r.Top) == grid, k.leftRound) << k.col;
        EXPECT_EQ(bmp.Canvas()->Pixels(r.Right - 2, r.Top) == grid, k.rightRound) << k.col;
        EXPECT_EQ(bmp.Canvas()->Pixels(r.Left + 3, r.Top + 2), TColor(0xFDF8F1)) << k.col;
    }
    // A one-column selection has both ends rounded.
    g->SetSelection(GridRect(3, 2, 3, 2));
    {
        TBitmap bmp(g->ClientWidth(), g->ClientHeight());
        const TRect r = g->CellRect(3, 2);
        g->PaintCellContent(bmp.Canvas(), 3, 2, r, TGridDrawState{gdSelected}, true);
        EXPECT_EQ(bmp.Canvas()->Pixels(r.Left, r.Top), grid);
        EXPECT_EQ(bmp.Canvas()->Pixels(r.Right - 2, r.Top), grid);
    }
    // Without the focus the bar is grey, unless goDrawFocusSelected.
    g->FocusMode = 0;
    for (bool drawFocus : {false, true}) {
        TGridOptions o = g->Options();
        if (drawFocus) o += goDrawFocusSelected;
        g->SetOptions(o);
        TBitmap bmp(g->ClientWidth(), g->ClientHeight());
        const TRect r = g->CellRect(3, 2);
        g->PaintCellContent(bmp.Canvas(), 3, 2, r, TGridDrawState{gdSelected}, true);
        EXPECT_EQ(bmp.Canvas()->Pixels(r.Left + 3, r.Top + 2), drawFocus ? TColor(0xFDF8F1) : TColor(0xF8F8F8));
    }
    // ssDefault leaves a selected cell to the colours of the look hook.
    g->SetSelectionStyle(ssDefault);
    g->UseCellColors = true;
    g->GetCellProperties(3, 2)->SetBrushColor(clAqua);
    TRecordingCanvas rc;
    g->PaintCellContent(&rc, 3, 2, g->CellRect(3, 2), TGridDrawState{gdSelected}, true);
    EXPECT_EQ(FirstFill(rc), clAqua);
}

TEST(BaseGridPaint, ColourPrecedenceOfHoverActiveRowAndSelection)
{
    TGridForm f;
    TTestGrid* g = f.Grid;
    g->SetHoverRowColor(clYellow);
    g->SetActiveRowColor(clLime);
    g->SetCol(2);
    g->SetRow(3);
    struct Case {
        const char* name;
        bool hover;
        THoverRowCells cells;
        int col;
        TGridDrawState state;
        bool active;
        bool showSel;
        TColor expected;
    };
    const THoverRowCells def{hcNormal, hcSelected};
    const Case cases[] = {
        {"plain", false, def, 3, {}, false, true, g->Color()},
        {"hover normal", true, def, 3, {}, false, true, clYellow},
        {"hover selected", true, def, 3, {gdSelected}, false, true, clYellow},
        {"hover selected not wanted", true, {hcNormal}, 3, {gdSelected}, false, true, g->Color()},
        {"hover without hcNormal", true, {hcSelected}, 3, {}, false, true, clYellow},
        {"hover fixed", true, def, 0, {gdFixed}, false, true, g->FixedColor()},
        {"hover fixed wanted", true, {hcFixed}, 0, {gdFixed}, false, true, clYellow},
        {"active wins", true, def, 3, {}, true, true, clLime},
        {"active current cell", false, def, 2, {}, true, true, g->Color()},
        {"active current cell, selection hidden", false, def, 2, {}, true, false, clLime},
        {"active fixed column", false, def, 0, {gdFixed}, true, true, g->FixedColor()},
    };
    for (const Case& k : cases) {
        g->SetHoverRow(k.hover);
        g->FHoverRowIdx = 3;
        g->SetHoverRowCells(k.cells);
        g->SetActiveRowShow(k.active);
        g->FShowSel = k.showSel;
        TRecordingCanvas rc;
        g->PaintCellContent(&rc, k.col, 3, g->CellRect(k.col, 3), k.state, true);
        EXPECT_EQ(FirstFill(rc), ColorToRGB(k.expected)) << k.name;
    }

    // A selected cell painted elsewhere: active-row colour, no content.
    g->SetHoverRow(false);
    g->SetActiveRowShow(false);
    g->DrawnCells.clear();
    TRecordingCanvas rc;
    const TRect target(5, 5, 65, 29);
    g->PaintCellExt(&rc, 4, 4, target, TGridDrawState{gdSelected});
    EXPECT_EQ(FirstFill(rc), clLime);
    EXPECT_EQ(rc.Ops().front().Rect, target);
    EXPECT_TRUE(g->DrawnCells.empty());
}

TEST(BaseGridPaint, GridLinesOfNormalAndFixedCells)
{
    TGridForm f;
    TTestGrid* g = f.Grid;
    g->SetGridLineWidth(3);
    {
        TRecordingCanvas rc;
        const TRect r = g->CellRect(2, 2);
        g->PaintCellContent(&rc, 2, 2, r, TGridDrawState(), true);
        const auto lines = Lines(rc);
        ASSERT_EQ(lines.size(), 2u);
        for (const TCanvasOp* l : lines) {
            EXPECT_EQ(l->PenWidth, 3);
            EXPECT_EQ(l->PenColor, TColor(0xC0C0C0));
        }
        EXPECT_EQ(lines[0]->Points, (std::vector<TPoint>{TPoint(r.Left - 1, r.Bottom - 2), TPoint(r.Right - 1, r.Bottom - 2)}));
        EXPECT_EQ(lines[1]->Points, (std::vector<TPoint>{TPoint(r.Right - 2, r.Bottom - 2), TPoint(r.Right - 2, r.Top - 2)}));
        ASSERT_EQ(g->DrawnCells.size(), 1u);
        EXPECT_EQ(g->DrawnCells[0].Rect, TRect(r.Left + 3, r.Top + 3, r.Right - 3, r.Bottom - 3));
    }
    {
        TRecordingCanvas rc;
        const TRect r = g->CellRect(0, 2);
        g->PaintCellContent(&rc, 0, 2, r, TGridDrawState{gdFixed}, true);
        const auto lines = Lines(rc);
        ASSERT_EQ(lines.size(), 2u);
        for (const TCanvasOp* l : lines) {
            EXPECT_EQ(l->PenWidth, 1);
            EXPECT_EQ(l->PenColor, TColor(0x808080));
        }
        EXPECT_EQ(lines[0]->Points, (std::vector<TPoint>{TPoint(r.Left, r.Bottom - 1), TPoint(r.Right, r.Bottom - 1)}));
        EXPECT_EQ(g->DrawnCells.back().Rect, TRect(r.Left, r.Top, r.Right - 1, r.Bottom - 2));
    }
    {
        g->Nodes = true;  // column 0 has no bottom line
        TRecordingCanvas rc;
        g->PaintCellContent(&rc, 0, 2, g->CellRect(0, 2), TGridDrawState{gdFixed}, true);
        const auto lines = Lines(rc);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0]->Points[0].X, lines[0]->Points[1].X);  // the right line only
    }
}

TEST(BaseGridPaint, CallersClipSurvivesAndForeignPaintsStayInTheirRectangle)
{
    TGridForm f;
    TTestGrid* g = f.Grid;
    g->SetColCount(10);
    g->MergeCells(2, 2, 3, 2);
    g->SetLeftCol(4);
    ASSERT_LT(g->CellRect(2, 2).Left, g->FixedColsWidth());
    TRecordingCanvas rc;
    const TRect callerClip(0, 0, 300, 150);
    rc.SelectClipRect(callerClip);
    g->PaintCell(&rc, 2, 2, g->CellRect(2, 2), TGridDrawState());
    ASSERT_TRUE(rc.ClipRegion().has_value());
    EXPECT_EQ(*rc.ClipRegion(), QRegion(callerClip.ToQRect()));

    // A covered cell painted elsewhere: the base's look inside ARect only,
    // the paint number untouched.
    const int before = g->GetCellProperties(2, 2)->PaintID();
    TRecordingCanvas ext;
    const TRect target(10, 10, 70, 34);
    g->PaintCellExt(&ext, 3, 3, target, TGridDrawState());
    EXPECT_EQ(g->GetCellProperties(2, 2)->PaintID(), before);
    ASSERT_FALSE(ext.Ops().empty());
    for (const TCanvasOp& op : ext.Ops()) {
        if (op.Kind == QLatin1String("Line")) {
            // The start pixel lies inside; the end point itself is not drawn.
            EXPECT_TRUE(target.Contains(op.Points[0])) << op.ToString().toStdString();
            TRect reach = target;
            reach.Inflate(1, 1);
            EXPECT_TRUE(reach.Contains(op.Points[1])) << op.ToString().toStdString();
        } else if (!op.Rect.IsEmpty()) {
            EXPECT_GE(op.Rect.Left, target.Left) << op.ToString().toStdString();
            EXPECT_LE(op.Rect.Right, target.Right) << op.ToString().toStdString();
            EXPECT_GE(op.Rect.Top, target.Top) << op.ToString().toStdString();
            EXPECT_LE(op.Rect.Bottom, target.Bottom) << op.ToString().toStdString();
        }
    }
}

// A look at the grid: merged area under the fixed band, per-cell colours, a
// Vista selection over three columns, hover and active rows, 3-pixel lines.
TEST(BaseGridPaint, ShowcaseGrab)
{
    TGridForm f(520, 260);
    TTestGrid* g = f.Grid;
    g->SetColCount(12);
    g->SetRowCount(9);
    g->SetDefaultColWidth(70);
    g->UseCellColors = true;
    g->SetGridLineWidth(3);
    for (int c = 0; c < 12; ++c) g->SetCells(c, 0, QStringLiteral("Col %1").arg(c));
    for (int r = 1; r < 9; ++r) g->SetCells(0, r, QStringLiteral("Row %1").arg(r));
    g->MergeCells(1, 1, 3, 2);
    g->SetCells(1, 1, QStringLiteral("merged 3 x 2"));
    g->GetCellProperties(1, 1)->SetBrushColor(0xB0E0FF);
    g->GetCellProperties(1, 1)->SetBrushColorTo(0x60A0FF);
    g->GetCellProperties(5, 4)->SetBrushColor(0xC0FFC0);
    g->SetCells(5, 4, QStringLiteral("green"));
    g->SetCells(4, 3, QStringLiteral("sel"));
    g->SetLeftCol(2);
    g->FocusMode = 1;
    g->SetOptions(g->Options() + goDrawFocusSelected + goRangeSelect);
    g->SetSelectionStyle(ssVista);
    g->SetSelection(GridRect(3, 3, 5, 3));
    g->SetHoverRow(true);
    g->FHoverRowIdx = 6;
    g->SetHoverRowColor(0xE0F0FF);
    g->SetActiveRowShow(true);
    g->SetActiveRowColor(0xD0FFFF);
    const QString path = TestHarness::GrabPath(QStringLiteral("basegrid_showcase.png"));
    ASSERT_TRUE(TestHarness::GrabToPng(g, path));
    const QImage img(path);
    ASSERT_FALSE(img.isNull());
    // The merged area's right part shows right of the fixed column, the fixed
    // column keeps its own colour.
    EXPECT_NE(img.pixelColor(20, 40), img.pixelColor(100, 40));
}
