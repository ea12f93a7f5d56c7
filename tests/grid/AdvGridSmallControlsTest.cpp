// The string grid's small controls and hooks: controls placed in cells,
// the snapshot form, the column-move button, version numbers, the arrow
// colour and the small relays.

#include "AdvGridSmallControls.h"
#include "AdvGridTestKit.h"
#include "GraphicsRecording.h"
#include "StdCtrls.h"

#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A shown 8 x 30 grid with columns 60 wide and rows 20 high.
struct ShownGrid {
    ShownGrid()
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, 320, 240);
        Grid = Create<TAdvStringGrid>(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(0, 0, 300, 220);
        FillFixture(Grid, 8, 30);
        Grid->SetDefaultRowHeight(20);
        for (int c = 0; c < 8; ++c) Grid->SetColWidths(c, 60);
        Form->Show();
        PumpEvents();
    }
    ~ShownGrid() { Free(Form); }
    TForm* Form;
    TAdvStringGrid* Grid;
};

}  // namespace

TEST(AdvGridSmallControls, CellControlsFollowTheirCells)
{
    ShownGrid s;
    TAdvStringGrid* g = s.Grid;
    auto* edit = new TEdit(s.Form);
    g->SetCellControls(2, 3, edit);
    g->CellControlsUpdate(true);
    const TRect cell = g->CellRect(2, 3);
    EXPECT_TRUE(edit->Visible());
    EXPECT_EQ(TRect(edit->Left(), edit->Top(), edit->Left() + edit->Width(), edit->Top() + edit->Height()),
              TRect(cell.Left - 1, cell.Top - 1, cell.Right, cell.Bottom));
    // Scrolled out of view it hides; back in view it returns to its cell.
    g->SetTopRow(10);
    g->CellControlsUpdate(false);
    EXPECT_FALSE(edit->Visible());
    g->SetTopRow(1);
    g->CellControlsUpdate(false);
    EXPECT_TRUE(edit->Visible());
    EXPECT_EQ(edit->Left(), cell.Left - 1);
    EXPECT_EQ(edit->Top(), cell.Top - 1);

    // With a column hidden before it, a control in the last real column is
    // listed and follows its cell; a control in a hidden column hides.
    auto* last = new TEdit(s.Form);
    g->SetCellControls(7, 1, last);
    g->HideColumn(2);
    g->SetLeftCol(3);
    g->CellControlsUpdate(true);
    EXPECT_FALSE(edit->Visible());
    EXPECT_TRUE(last->Visible());
    const TRect lastCell = g->CellRect(g->DisplColIndex(7), 1);
    EXPECT_EQ(last->Left(), lastCell.Left - 1);
    g->UnHideColumn(2);
}

TEST(AdvGridSmallControls, SelectionToFormIsAnUnshownTranslucentSnapshot)
{
    ShownGrid s;
    TForm* form = s.Grid->SelectionToForm(TGridRect{2, 3, 2, 3});
    ASSERT_NE(form, nullptr);
    const TRect cell = s.Grid->CellRect(2, 3);
    EXPECT_EQ(form->Width(), cell.Width() + 1);
    EXPECT_EQ(form->Height(), cell.Height() + 1);
    EXPECT_FALSE(form->Visible());
    EXPECT_NEAR(form->Widget()->windowOpacity(), 192 / 255.0, 0.01);
    EXPECT_TRUE(form->Widget()->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(form->Widget()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // Two cells across: both widths.
    TForm* wide = s.Grid->SelectionToForm(TGridRect{3, 2, 2, 2});
    EXPECT_EQ(wide->Width(), s.Grid->CellRect(3, 2).Right - s.Grid->CellRect(2, 2).Left + 1);
    Free(form);
    Free(wide);
}

TEST(AdvGridSmallControls, DragButtonCaptionsFitOrCarryMarkup)
{
    ShownGrid s;
    THeaderDragButton* b = s.Grid->HeaderDragButton();
    ASSERT_NE(b, nullptr);
    EXPECT_FALSE(b->Visible());
    EXPECT_FALSE(b->Enabled());
    EXPECT_EQ(b->Grid(), s.Grid);
    b->SetBounds(0, 0, 60, 20);
    struct Case {
        const char* Caption;
        bool Markup;
    };
    for (const Case c : {Case{"A caption far too long for the button", false}, Case{"<b>Bold</b> head", true}}) {
        b->SetCaption(QString::fromLatin1(c.Caption));
        TRecordingCanvas canvas;
        b->PaintOn(&canvas);
        bool ellipsis = false, raw = false;
        QString texts;
        for (const TCanvasOp& op : canvas.Ops()) {
            if (op.Kind == QLatin1String("DrawText") && op.Text == b->Caption()) {
                raw = true;
                ellipsis = (op.Flags & DT_END_ELLIPSIS) != 0;
            }
            texts += op.Text;
        }
        EXPECT_EQ(raw, !c.Markup) << c.Caption;
        EXPECT_EQ(ellipsis, !c.Markup) << c.Caption;
        if (c.Markup) {
    EXPECT_TRUE(texts.contains(QLatin1String("Bold"))) << texts.toStdString();
        }
    }
}

TEST(AdvGridSmallControls, VersionArrowsAndSmallHooks)
{
    auto g = NewFixtureGrid(4, 6);
    EXPECT_EQ(g->GetVersionNr(), 100794627);
    EXPECT_EQ(g->GetVersionString(), "6.2.1.3 Sep, 2012");

    g->SetArrowColor(clRed);
    EXPECT_EQ(g->ArrowColor(), clRed);

    g->GotoCell(2, 4);
    g->GotoFirstRow();
    EXPECT_EQ(g->Row(), 1);

    struct Case {
        THoverFixedCells Setting;
        bool FixedColumnCell;  // (0, 3)
        bool FixedRowCell;     // (2, 0)
    };
    const Case cases[] = {
        {hfNone, false, false}, {hfAll, true, true}, {hfFixedColumns, true, false}, {hfFixedRows, false, true}};
    for (const Case& c : cases) {
        g->SetHoverFixedCells(c.Setting);
        EXPECT_EQ(g->HoverFixedCell(0, 3), c.FixedColumnCell) << c.Setting;
        EXPECT_EQ(g->HoverFixedCell(2, 0), c.FixedRowCell) << c.Setting;
        EXPECT_FALSE(g->HoverFixedCell(2, 3)) << c.Setting;
    }

    // The button editors' relays name the real current column.
    EXPECT_EQ(g->DoEllipsClick(0, 0, QStringLiteral("x")), "x");
    g->OnEllipsClick = [](TObject*, int c, int r, QString& v) { v = QStringLiteral("%1/%2/%3").arg(c).arg(r).arg(v); };
    QString unit;
    g->OnUnitChanged = [&](TObject*, int c, int r, const QString& u) { unit = QStringLiteral("%1/%2/%3").arg(c).arg(r).arg(u); };
    g->HideColumn(1);
    g->GotoCell(2, 3);
    EXPECT_EQ(g->DoEllipsClick(0, 0, QStringLiteral("x")), "3/3/x");
    g->DoUnitChange(0, 0, QStringLiteral("mm"));
    EXPECT_EQ(unit, "2/3/mm");
    g->UnHideColumn(1);

    // Loading ends with the column widths remembered.
    g->SetColWidths(2, 77);
    g->InitOrigColSizes();
    ASSERT_EQ(g->OrigColSizes()->Count(), 4);
    EXPECT_EQ(g->OrigColSizes()->Items(2), 77);
}
