// The floating footer on a shown grid: what its settings do to the grid,
// the values it shows as cells change, what it paints in its styles, its
// hints and clicks.

#include "AdvGridFooter.h"
#include "AdvGridTestKit.h"
#include "GraphicsRecording.h"
#include "TestHarness.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

class TFooterGrid : public TAdvStringGrid {
public:
    explicit TFooterGrid(TComponent* AOwner) : TAdvStringGrid(AOwner) {}
    bool RightToLeft = false;
    bool UseRightToLeftAlignment() const override { return RightToLeft; }
    bool LastRowHidden() const { return FHideLastRow; }
    using TAdvStringGrid::CellChanged;
};

// A shown 8 x 12 grid, one fixed row and column, columns 60 wide, cells
// "c,r", a 25-pixel footer (not yet visible); wider than the grid.
struct FooterFixture {
    FooterFixture()
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, 320, 330);
        Grid = Create<TFooterGrid>(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(0, 0, 300, 300);
        FillFixture(Grid, 8, 12);
        for (int c = 0; c < 8; ++c) Grid->SetColWidths(c, 60);
        Footer()->SetHeight(25);
        Form->Show();
        PumpEvents();
    }
    ~FooterFixture() { Free(Form); }
    TFloatingFooter* Footer() const { return Grid->FloatingFooter(); }
    TFooterPanel* Panel() const { return Grid->FooterPanel(); }
    int Last() const { return Grid->RowCount() - 1; }

    TForm* Form;
    TFooterGrid* Grid;
};

}  // namespace

TEST(AdvGridFloatingFooter, VisibilityAndStyleDecideTheLastRow)
{
    struct Step {
        const char* What;
        bool Visible;
        TFooterStyle Style;
        int FixedFooters;
        bool LastRowHidden;
    };
    // Style changes leave FixedFooters alone; visibility sets it.
    const Step steps[] = {
        {"shown as totals", true, fsFixedLastRow, 1, true},
        {"previewing", true, fsColumnPreview, 1, false},
        {"back to totals", true, fsFixedLastRow, 1, true},
        {"hidden", false, fsFixedLastRow, 0, false},
        {"shown previewing", true, fsCustomPreview, 0, false},
    };
    FooterFixture f;
    for (const Step& s : steps) {
        if (s.Visible != f.Footer()->Visible()) {
            f.Footer()->SetFooterStyle(s.Style);
            f.Footer()->SetVisible(s.Visible);
        } else {
            f.Footer()->SetFooterStyle(s.Style);
        }
        EXPECT_EQ(f.Grid->FixedFooters(), s.FixedFooters) << s.What;
        EXPECT_EQ(f.Grid->LastRowHidden(), s.LastRowHidden) << s.What;
        EXPECT_EQ(f.Panel()->Visible(), s.Visible) << s.What;
    }
}

TEST(AdvGridFloatingFooter, PanelHeightIsOneLessExceptAtItsWindowStep)
{
    FooterFixture f;
    // The grid's window step left the hidden panel 0 high.
    EXPECT_EQ(f.Panel()->Height(), 0);
    f.Footer()->SetHeight(25);
    EXPECT_EQ(f.Panel()->Height(), 24);  // set through Height while hidden
    f.Footer()->SetVisible(true);
    EXPECT_EQ(f.Panel()->Height(), 24);
    // The panel sits under the cells at the grid's width.
    EXPECT_EQ(f.Panel()->Top() + f.Panel()->Height(), f.Grid->ClientHeight());
    EXPECT_EQ(f.Panel()->Width(), f.Grid->ClientWidth());
    int created = 0;
    f.Grid->OnCreatedFloatingFooter = [&](TObject*) { ++created; };
    f.Panel()->CreateWnd();
    EXPECT_EQ(f.Panel()->Height(), 25);
    EXPECT_EQ(created, 1);
    f.Footer()->SetVisible(false);
    EXPECT_EQ(f.Panel()->Height(), 0);

    // Assign copies the look but not the height, border or calculation switch.
    TFloatingFooter other(nullptr);
    other.SetHeight(40);
    other.SetFooterStyle(fsColumnPreview);
    other.SetVisible(true);
    other.SetBorderColor(clRed);
    other.SetEnableCalculation(false);
    f.Footer()->Assign(&other);
    EXPECT_EQ(f.Footer()->Height(), 25);
    EXPECT_EQ(f.Footer()->FooterStyle(), fsColumnPreview);
    EXPECT_TRUE(f.Footer()->Visible());
    EXPECT_EQ(f.Footer()->BorderColor(), clNone);
    EXPECT_TRUE(f.Footer()->EnableCalculation());
}

TEST(AdvGridFloatingFooter, ValuesFollowTheCells)
{
    struct Case {
        const char* What;
        TColumnCalcType Type;
        std::vector<const char*> Values;  // rows 1.. of column 2; the last row is the footer
        const char* Shown;
    };
    const Case cases[] = {
        {"count of 9 normal rows", acCOUNT, {}, "9"},
        {"average divides by every row", acAVG, {"2", "", "4"}, "2.00"},
        {"distinct texts ignore case", acDISTINCT, {"a", "A", "b"}, "2.00"},
        {"sum skips what is no number", acSUM, {"1", "2", "x"}, "3.00"},
    };
    for (const Case& c : cases) {
        FooterFixture f;
        const int rows = c.Values.empty() ? 11 : int(c.Values.size()) + 2;
        f.Grid->SetRowCount(rows);
        for (int r = 1; r < rows - 1 && !c.Values.empty(); ++r) f.Grid->SetCells(2, r, QString::fromLatin1(c.Values[r - 1]));
        f.Footer()->SetVisible(true);
        f.Footer()->SetColumnCalc(2, c.Type);
        EXPECT_EQ(f.Footer()->GetColumnCalc(2), c.Type) << c.What;
        EXPECT_EQ(f.Grid->Cells(2, f.Last()), QString::fromLatin1(c.Shown))
            << c.What;
    }

    // An edit of a cell moves the total; hidden rows count when asked.
    FooterFixture f;
    f.Grid->SetRowCount(5);
    for (int r = 1; r <= 3; ++r) f.Grid->SetInts(1, r, r * 10);
    f.Footer()->SetVisible(true);
    EXPECT_EQ(f.Footer()->GetColumnCalc(1), acNONE);
    f.Footer()->SetColumnCalc(1, acSUM);
    EXPECT_EQ(f.Grid->Cells(1, 4), "60.00");
    f.Grid->SetInts(1, 2, 50);
    f.Grid->CellChanged(1, 2);
    EXPECT_EQ(f.Grid->Cells(1, 4), "90.00");
    // One hidden row: the range reaches the footer's own row, which must
    // not count its old total.
    f.Grid->HideRow(3);
    f.Grid->CalcFooter(1);
    EXPECT_EQ(f.Grid->Cells(1, f.Last()), "90.00");
    f.Footer()->SetCalculateHiddenRows(false);
    f.Grid->CalcFooter(1);
    EXPECT_EQ(f.Grid->Cells(1, f.Last()), "60.00");
}

TEST(AdvGridFloatingFooter, TemplateTakesColumnsOfTheRow)
{
    const QStringList row = {"c0", "c1", "17", "c3"};
    auto cell = [&](int c) { return row.value(c); };
    struct Case {
        const char* Template;
        const char* Shown;
    };
    const Case cases[] = {
        {"a<#2>b<#x>c<#9", "a17bc<#9"},
        {"<#0>/<#3>", "c0/c3"},
        {"<#4><#-1><#99999999999>end", "end"},  // past the columns, negative, too large
        {"plain", "plain"},
        {"<#>", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ExpandFooterTemplate(QString::fromLatin1(c.Template), cell, 4), QString::fromLatin1(c.Shown))
            << c.Template;
}

TEST(AdvGridFloatingFooter, HintsAndClicksNameTheColumnUnderTheMouse)
{
    FooterFixture f;
    f.Footer()->SetVisible(true);
    QStringList asked;
    f.Grid->OnGridHint = [&](TObject*, int ARow, int ACol, QString& h) {
        asked << QStringLiteral("%1,%2").arg(ACol).arg(ARow);
        h = QStringLiteral("hint");
    };
    QString hint;
    EXPECT_EQ(f.Panel()->HintRequest(130, hint), 1);  // ShowHint off: asked, refused
    EXPECT_EQ(f.Panel()->LastHintX(), -1);
    f.Footer()->SetShowHint(true);
    EXPECT_EQ(f.Panel()->HintRequest(130, hint), 0);
    EXPECT_EQ(f.Panel()->LastHintX(), 2);
    EXPECT_EQ(asked, QStringList({"2,11", "2,11"}));
    EXPECT_EQ(f.Panel()->ColumnAt(5000), -1);

    // Scrolled: the footer's columns follow the grid's left column.
    f.Grid->SetLeftCol(3);
    EXPECT_EQ(f.Panel()->ColumnAt(30), 0);
    EXPECT_EQ(f.Panel()->ColumnAt(70), 3);

    QStringList events;
    f.Grid->OnClick = [&](TObject*) { events << "click"; };
    f.Grid->OnClickCell = [&](TObject*, int ARow, int ACol) { events << QStringLiteral("cell %1,%2").arg(ACol).arg(ARow); };
    QWidget* w = f.Panel()->Widget();
    const QPoint p(130, 5);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(p), QPointF(w->mapToGlobal(p)), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &release);
    EXPECT_EQ(events, QStringList({"click", "cell 4,11"}));
}

TEST(AdvGridFloatingFooter, TotalsPaintScrolledColumnsThroughTheEventAndFixedOnesAsCells)
{
    for (const bool rtl : {false, true}) {
        FooterFixture f;
        f.Grid->RightToLeft = rtl;
        f.Footer()->SetVisible(true);
        f.Footer()->SetBorderColor(clRed);
        f.Grid->SetCells(0, f.Last(), QStringLiteral("Total"));
        std::vector<std::pair<int, TRect>> painted;
        f.Grid->OnFooterPaint = [&](TObject* s, int col, TCanvas*, TRect r) {
            EXPECT_EQ(s, f.Panel());
            painted.emplace_back(col, r);
        };
        TRecordingCanvas canvas;
        const int right = f.Panel()->PaintOn(&canvas);
        const int cw = f.Panel()->ClientWidth();
        ASSERT_GE(painted.size(), 2u);
        EXPECT_EQ(painted.front().first, 1);  // the fixed column goes through the cell painter
        // Column 1 from x = 60, 59 wide; the fixed lines take the top pixel
        // and, in the XP look, the left one.
        const TRect expected(61, 1, 119, f.Panel()->ClientHeight());
        const TRect r1 = painted.front().second;
        EXPECT_EQ(r1.Top, expected.Top);
        EXPECT_EQ(r1.Bottom, expected.Bottom);
        if (!rtl) {
            EXPECT_EQ(r1.Left, expected.Left);
            EXPECT_EQ(r1.Right, expected.Right);
        } else {
            EXPECT_EQ(r1.Left, cw - expected.Right);
            EXPECT_EQ(r1.Right, cw - expected.Left);
        }
        bool totalText = false, border = false;
        for (const TCanvasOp& op : canvas.Ops()) {
            if (op.Text.contains(QLatin1String("Total"))) totalText = true;
            if (op.Kind == QLatin1String("Line") && op.PenColor == clRed && op.Points.size() == 2
                && op.Points[0].Y == 0 && op.Points[1].Y == 0)
                border = true;
        }
        EXPECT_TRUE(totalText) << rtl;
        EXPECT_TRUE(border) << rtl;
        EXPECT_GE(right, cw);
    }
}

TEST(AdvGridFloatingFooter, PreviewsShowTheCurrentRow)
{
    FooterFixture f;
    f.Footer()->SetFooterStyle(fsCustomPreview);
    f.Footer()->SetCustomTemplate(QStringLiteral("Row <#1> of <#2>"));
    f.Footer()->SetVisible(true);
    f.Grid->SetRow(4);
    TRecordingCanvas canvas;
    f.Panel()->PaintOn(&canvas);
    QString drawn;
    for (const TCanvasOp& op : canvas.Ops()) drawn += op.Text;
    EXPECT_TRUE(drawn.contains(QLatin1String("1,4"))) << drawn.toStdString();
    EXPECT_TRUE(drawn.contains(QLatin1String("2,4"))) << drawn.toStdString();

    // The column preview hands the chosen column to the paint event.
    f.Footer()->SetFooterStyle(fsColumnPreview);
    f.Footer()->SetColumn(3);
    int column = -1;
    f.Grid->OnFooterPaint = [&](TObject*, int col, TCanvas*, TRect) { column = col; };
    f.Panel()->PaintOn(&canvas);
    EXPECT_EQ(column, 3);
}

TEST(AdvGridFloatingFooter, AGridWithSumsLooksRight)
{
    FooterFixture f;
    f.Form->SetBounds(0, 0, 340, 240);
    f.Grid->SetBounds(0, 0, 330, 230);
    f.Grid->SetColCount(5);
    f.Grid->SetRowCount(8);
    f.Grid->SetCells(0, 0, QString());
    const char* heads[] = {"", "Item", "Qty", "Price", "Total"};
    for (int c = 0; c < 5; ++c) f.Grid->SetCells(c, 0, QString::fromLatin1(heads[c]));
    for (int r = 1; r < 7; ++r) {
        f.Grid->SetCells(0, r, QString::number(r));
        f.Grid->SetCells(1, r, QStringLiteral("Part %1").arg(r));
        f.Grid->SetInts(2, r, r * 3);
        f.Grid->SetInts(3, r, 10 + r);
        f.Grid->SetInts(4, r, r * 3 * (10 + r));
    }
    f.Grid->SetCells(0, 7, QStringLiteral("Sum"));
    f.Grid->SetCells(1, 7, QString());
    f.Footer()->SetVisible(true);
    f.Footer()->SetBorderColor(clBlack);
    for (int c = 2; c <= 4; ++c) f.Footer()->SetColumnCalc(c, acSUM);
    EXPECT_EQ(f.Grid->Cells(2, 7), "63.00");
    EXPECT_EQ(f.Grid->Cells(4, 7), "903.00");
    PumpEvents();
    const QString path = TestHarness::GrabPath(QStringLiteral("floating_footer.png"));
    ASSERT_TRUE(TestHarness::GrabToPng(f.Form, path));
}
