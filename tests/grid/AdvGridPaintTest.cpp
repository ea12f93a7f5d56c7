// The string grid's look: visual properties, the layered cell drawing and
// its events, the text and graphic painters, the paint gate, looks and
// styles, and pictures of whole grids to look at.

#include "AdvGridLook.h"
#include "AdvGridPaint.h"
#include "AdvGridSort.h"
#include "AdvGridTestKit.h"
#include "ClassesLists.h"
#include "GraphicsRecording.h"
#include "TestHarness.h"

#include <QImage>
#include <gtest/gtest.h>

unsigned AdvGridTextFlags(QString& Text, TAlignment HA, TVAlignment VA, bool WW, bool MultilineCells,
                          bool EnhTextSize);

namespace {

struct TFormFree {
    void operator()(TForm* f) const { Free(f); }
};
using TFormPtr = std::unique_ptr<TForm, TFormFree>;

TFormPtr MakeForm()
{
    TFormPtr f(Create<TForm>(nullptr));
    f->SetBounds(0, 0, 900, 600);
    return f;
}

// Counts the cells the grid draws.
class TCountingGrid : public TTestAdvGrid {
public:
    using TTestAdvGrid::TTestAdvGrid;
    int CellsDrawn = 0;
    void DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override
    {
        ++CellsDrawn;
        TTestAdvGrid::DrawGridCell(Canvas, ACol, ARow, ARect, AState);
    }
};

std::vector<const TCanvasOp*> OpsOf(const TRecordingCanvas& c, const QString& kind)
{
    std::vector<const TCanvasOp*> out;
    for (const TCanvasOp& op : c.Ops())
        if (op.Kind == kind) out.push_back(&op);
    return out;
}

QStringList TextsDrawn(const TRecordingCanvas& c)
{
    QStringList out;
    for (const TCanvasOp& op : c.Ops())
        if ((op.Kind == QLatin1String("DrawText") || op.Kind == QLatin1String("TextOut")) && !op.Text.isEmpty())
            out << op.Text;
    return out;
}

void PaintOne(TAdvStringGrid* g, TRecordingCanvas& c, int col, int row, TGridDrawState st = TGridDrawState())
{
    g->PaintCell(&c, col, row, g->CellRect(col, row), st);
}

} // namespace

// ---- visual properties -------------------------------------------------------------------------

TEST(AdvGridVisual, BandsFixedColoursSelectionAndLightening)
{
    auto g = NewFixtureGrid();
    g->Bands()->SetActive(true);
    g->Bands()->SetPrimaryColor(TColor(0x111111));
    g->Bands()->SetSecondaryColor(TColor(0x222222));
    g->SetSelectionColor(TColor(0x0000F0));
    g->SetSelectionColorMixer(true);
    g->SetColors(3, 5, TColor(0x00F000));
    g->SetColors(0, 2, TColor(0x0F0F0F));  // a plain fixed cell keeps its own colour
    g->AddCheckBox(0, 3, true, false);
    g->SetColors(0, 3, TColor(0x0F0F0F));  // a check-box cell in a fixed column does not
    struct TCase {
        int Col, Row;
        bool Selected;
        TColor Brush;
        bool Fixed;
    };
    const TCase cases[] = {
        {2, 1, false, TColor(0x111111), false},
        {2, 2, false, TColor(0x222222), false},
        {2, 3, false, TColor(0x111111), false},
        {2, 0, false, g->ZURGradientFrom(), true},
        {0, 2, false, TColor(0x0F0F0F), false},
        {0, 3, false, g->ZURGradientFrom(), true},
        {2, 2, true, TColor(0x111189), false},  // the band colour mixed in half and half
        {3, 5, true, TColor(0x007878), false},
    };
    for (const TCase& c : cases) {
        TBrush brush;
        TFont font;
        TColor to = clNone, m = clNone, mt = clNone;
        TAlignment ha;
        TVAlignment va;
        bool ww = true;
        TCellGradientDirection gd = GradientVertical;
        TGridDrawState st;
        if (c.Selected) st += gdSelected;
        g->GetVisualProperties(c.Col, c.Row, st, false, true, true, &brush, to, m, mt, &font, ha, va, ww, gd);
        EXPECT_EQ(brush.Color(), c.Brush) << c.Col << "," << c.Row;
        EXPECT_EQ(st.Contains(gdFixed), c.Fixed) << c.Col << "," << c.Row;
    }

    g->SetSelectionColorMixerFactor(150);
    EXPECT_EQ(g->SelectionColorMixerFactor(), 100);
    g->SetSelectionColorMixerFactor(-5);
    EXPECT_EQ(g->SelectionColorMixerFactor(), 0);
}

TEST(AdvGridVisual, LighteningASelectionNeverDarkensIt)
{
    auto g = NewFixtureGrid();
    g->MouseActions()->SetDisjunctRowSelect(true);
    g->SetRowSelect(4, true);
    g->SetRow(2);
    struct TCase {
        TColor Selection, Expected;
    };
    const TCase cases[] = {{TColor(0x640064), TColor(0x6B006B)}, {TColor(0xF0FAEF), TColor(0xFFFFFF)}};
    for (const TCase& c : cases) {
        g->SetSelectionColor(c.Selection);
        TBrush brush;
        TFont font;
        TColor to = clNone, m = clNone, mt = clNone;
        TAlignment ha;
        TVAlignment va;
        bool ww = true;
        TCellGradientDirection gd = GradientVertical;
        TGridDrawState st{gdSelected};
        g->GetVisualProperties(2, 4, st, false, true, true, &brush, to, m, mt, &font, ha, va, ww, gd);
        EXPECT_EQ(brush.Color(), c.Expected);
    }
}

TEST(AdvGridVisual, SpreadSheetSwitchesItsToolsOnWhateverTheValue)
{
    auto g = NewFixtureGrid();
    g->SetSpreadSheet(false);
    EXPECT_TRUE(g->SelectionRectangle());
    EXPECT_TRUE(g->SelectionResizer());
    EXPECT_TRUE(g->Options().Contains(goEditing));
    EXPECT_TRUE(g->MouseActions()->RangeSelectAndEdit());
}

// ---- the cell drawing -------------------------------------------------------------------------------

TEST(AdvGridPaint, LayersAndEventsRunInOrder)
{
    auto g = NewFixtureGrid();
    g->AddProgress(2, 2, clRed, clWhite);
    g->SetCells(2, 2, QStringLiteral("40"));
    TRecordingCanvas c;
    QStringList order;
    auto note = [&](const char* what) {
        order << QStringLiteral("%1@%2").arg(QLatin1String(what)).arg(c.Ops().size());
    };
    std::vector<int> cols;
    g->OnCustomCellBkgDraw = [&](TObject*, TCanvas*, int col, int, TGridDrawState, TRect, bool) {
        cols.push_back(col);
        note("bkg");
    };
    g->OnDrawCell = [&](TObject*, int, int, TRect, TGridDrawState) { note("draw"); };
    g->OnCustomCellDraw = [&](TObject*, TCanvas*, int, int, TGridDrawState, TRect, bool) { note("custom"); };
    PaintOne(g.get(), c, 2, 2);
    ASSERT_EQ(order.size(), 3);
    EXPECT_EQ(cols, std::vector<int>{2});
    const int bkg = order[0].section('@', 1).toInt(), draw = order[1].section('@', 1).toInt();
    EXPECT_TRUE(order[0].startsWith(QLatin1String("bkg")) && order[1].startsWith(QLatin1String("draw"))
                && order[2].startsWith(QLatin1String("custom")));
    // The progress bar's percentage text comes between the background event
    // and the first drawing event.
    int textAt = -1;
    for (int i = 0; i < int(c.Ops().size()); ++i)
        if (c.Ops()[size_t(i)].Text.contains(QLatin1String("40"))) textAt = i;
    EXPECT_GT(textAt, bkg - 1);
    EXPECT_LT(textAt, draw);

    // NoDefaultDraw with a drawing event: no text, the graphic still.
    g->SetNoDefaultDraw(true);
    g->SetCells(3, 3, QStringLiteral("hidden text"));
    TRecordingCanvas c2;
    PaintOne(g.get(), c2, 3, 3);
    EXPECT_FALSE(TextsDrawn(c2).contains(QStringLiteral("hidden text")));
}

TEST(AdvGridPaint, PasswordCellsNeverShowTheirCharacters)
{
    auto g = NewFixtureGrid();
    g->SetCells(2, 2, QStringLiteral("secret"));
    g->OnIsPasswordCell = [](TObject*, int r, int c, bool& pw) { pw = c == 2 && r == 2; };
    for (bool selected : {false, true}) {
        TRecordingCanvas c;
        TGridDrawState st;
        if (selected) st += gdSelected;
        PaintOne(g.get(), c, 2, 2, st);
        const QStringList texts = TextsDrawn(c);
        EXPECT_TRUE(texts.contains(QStringLiteral("******"))) << selected;
        EXPECT_FALSE(texts.join(QString()).contains(QLatin1String("secret"))) << selected;
    }
}

TEST(AdvGridPaint, TextFlagsFollowAlignmentAndWrapping)
{
    struct TCase {
        TAlignment HA;
        TVAlignment VA;
        bool WW, Multi, Enh;
        unsigned Flags;
        QString Shown;
    };
    const unsigned base = DT_NOPREFIX | DT_EXPANDTABS;
    const TCase cases[] = {
        {taLeftJustify, vtaTop, false, false, false, base | DT_SINGLELINE, QStringLiteral("one")},
        {taRightJustify, vtaCenter, false, false, true, base | DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS,
         QStringLiteral("one")},
        {taCenter, vtaBottom, true, false, false, base | DT_CENTER | DT_BOTTOM | DT_EDITCONTROL | DT_WORDBREAK,
         QStringLiteral("one\ntwo")},
        {taLeftJustify, vtaTop, true, false, true, base | DT_END_ELLIPSIS | DT_EDITCONTROL | DT_WORDBREAK,
         QStringLiteral("one\ntwo")},
        {taLeftJustify, vtaTop, false, true, false, base | DT_EDITCONTROL | DT_WORDBREAK, QStringLiteral("one\ntwo")},
    };
    for (const TCase& c : cases) {
        QString text = QStringLiteral("one\ntwo");
        EXPECT_EQ(AdvGridTextFlags(text, c.HA, c.VA, c.WW, c.Multi, c.Enh), c.Flags) << int(c.HA) << int(c.VA);
        EXPECT_EQ(text, c.Shown);
    }
}

TEST(AdvGridPaint, FormattedCellsTakeTheEventsFormatWhenItFits)
{
    auto g = NewFixtureGrid();
    QString fmt;
    g->OnGetFloatFormat = [&](TObject*, int, int, bool&, QString& f) { f = fmt; };
    struct TCase {
        QString Text, Format, Shown;
    };
    const TCase cases[] = {
        {QStringLiteral("3.14159"), QStringLiteral("%.1f"), QStringLiteral("3.1")},
        {QStringLiteral("42"), QStringLiteral("%d"), QStringLiteral("42")},
        {QStringLiteral("42"), QStringLiteral("%s%s%s"), QStringLiteral("42")},
        {QStringLiteral("abc"), QStringLiteral("%.1f"), QStringLiteral("abc")},
    };
    for (const TCase& c : cases) {
        g->SetCells(2, 2, c.Text);
        fmt = c.Format;
        EXPECT_EQ(g->GetFormattedCell(2, 2), c.Shown) << c.Format.toStdString();
    }
}

TEST(AdvGridPaint, NumericObjectsPaintTextsThatDoNotReadAsZero)
{
    auto g = NewFixtureGrid();
    g->AddProgress(1, 2, clRed, clWhite);
    g->AddRating(2, 2, 5, clRed, clSilver);
    g->AddDataImage(3, 2, 0, haLeft, vaTop);
    g->AddProgress(4, 2, clRed, clWhite);
    g->AddProgress(4, 3, clRed, clWhite);
    g->SetCells(1, 2, QStringLiteral("abc"));
    g->SetCells(2, 2, QStringLiteral("abc"));
    g->SetCells(3, 2, QStringLiteral("abc"));
    g->SetCells(4, 2, QStringLiteral("-5"));
    g->SetCells(4, 3, QStringLiteral("150"));
    for (int c = 1; c <= 4; ++c) {
        TRecordingCanvas rc;
        EXPECT_NO_THROW(PaintOne(g.get(), rc, c, 2)) << c;
    }
    TRecordingCanvas high;
    EXPECT_NO_THROW(PaintOne(g.get(), high, 4, 3));
    EXPECT_EQ(TAdvStringGrid::Limit(-5), 0);
    EXPECT_EQ(TAdvStringGrid::Limit(150), 100);
}

TEST(AdvGridPaint, RatingRoundsToHalfStars)
{
    auto g = NewFixtureGrid();
    g->SetColWidths(2, 120);
    g->AddRating(2, 2, 5, clRed, clSilver);
    g->SetCells(2, 2, QStringLiteral("2.5"));
    TRecordingCanvas c;
    PaintOne(g.get(), c, 2, 2);
    int red = 0, silver = 0;
    for (const TCanvasOp* op : OpsOf(c, QStringLiteral("Polygon"))) {
        if (op->BrushColor == clRed) ++red;
        if (op->BrushColor == clSilver) ++silver;
    }
    EXPECT_EQ(red, 3);     // two full stars and the half
    EXPECT_EQ(silver, 3);  // the third star's outline under the half, and two more
}

TEST(AdvGridPaint, FocusRectangleOnlyOnTheCurrentCellsBase)
{
    auto g = NewFixtureGrid();
    auto form = MakeForm();
    g->SetParent(form.get());
    form->Show();
    g->SetFocus();
    PumpEvents();
    g->MergeCells(2, 2, 2, 2);
    g->FocusCell(2, 2);
    struct TCase {
        int Col, Row;
        bool RowSelect;
        bool Focus;
    };
    const TCase cases[] = {{2, 2, false, true}, {3, 3, false, true}, {4, 4, false, false}, {2, 2, true, false}};
    for (const TCase& c : cases) {
        TGridOptions o = g->Options();
        if (c.RowSelect) o += goRowSelect;
        else o -= goRowSelect;
        g->SetOptions(o);
        TRecordingCanvas rc;
        PaintOne(g.get(), rc, c.Col, c.Row);
        EXPECT_EQ(!OpsOf(rc, QStringLiteral("DrawFocusRect")).empty(), c.Focus) << c.Col << "," << c.Row;
    }
    g->SetParent(nullptr);
}

TEST(AdvGridPaint, UpdateGateAndVisibleCellsOnly)
{
    auto form = MakeForm();
    TTestAdvGridPtr small(Create<TCountingGrid>(nullptr));
    TTestAdvGridPtr large(Create<TCountingGrid>(nullptr));
    for (TAdvStringGrid* g : {small.get(), large.get()}) {
        g->SetParent(form.get());
        g->SetBounds(0, 0, 400, 300);
        g->SetColCount(5);
    }
    small->SetRowCount(100);
    large->SetRowCount(100000);
    QImage a(400, 300, QImage::Format_ARGB32), b(400, 300, QImage::Format_ARGB32);
    small->Widget()->render(&a);
    large->Widget()->render(&b);
    auto* cs = static_cast<TCountingGrid*>(small.get());
    auto* cl = static_cast<TCountingGrid*>(large.get());
    EXPECT_GT(cs->CellsDrawn, 0);
    EXPECT_EQ(cs->CellsDrawn, cl->CellsDrawn);

    cl->CellsDrawn = 0;
    large->BeginUpdate();
    large->Widget()->render(&b);
    EXPECT_EQ(cl->CellsDrawn, 0);
    large->EndUpdate();
    small->SetParent(nullptr);
    large->SetParent(nullptr);
}

TEST(AdvGridPaint, SizingLineDrawnTwiceLeavesNothing)
{
    auto g = NewFixtureGrid();
    g->DrawColSizingLine(40);
    EXPECT_EQ(g->SizingLineCount(), 1);
    g->DrawColSizingLine(40);
    EXPECT_EQ(g->SizingLineCount(), 0);
}

// ---- looks and styles ----------------------------------------------------------------------------------

TEST(AdvGridLookStyles, LookWritesItsColoursOnce)
{
    auto g = NewFixtureGrid();
    g->SetLook(glZUR);
    EXPECT_EQ(g->SearchFooter()->Color(), clNone);
    EXPECT_EQ(g->SelectionColor(), RGBColor(182, 202, 234));
    EXPECT_EQ(g->ControlLook()->FixedGradientTo(), TColor(0xC0C0C0));
    g->SetLook(glStandard);
    EXPECT_EQ(g->FixedColor(), clBtnFace);
    EXPECT_EQ(g->SelectionTextColor(), clHighlightText);
    g->SetSelectionColor(TColor(0x123456));
    g->SetLook(glCustom);
    EXPECT_EQ(g->SelectionColor(), TColor(0x123456));
    EXPECT_EQ(g->BorderColor(), RGBColor(127, 157, 185));
    EXPECT_EQ(TAdvStringGrid::GetLookName(glCustom), QString());
    EXPECT_EQ(TAdvStringGrid::GetLookName(glOffice2007), QStringLiteral("glOffice2007"));
}

TEST(AdvGridLookStyles, StyleTableSetsLookFixedActiveSelectionAndLines)
{
    auto g = NewFixtureGrid();
    struct TCase {
        TAdvGridStyle Style;
        TGridLook Look;
        TColor FixedFrom, Active, Selection, Lines;
        TGridSelectionStyle SelStyle;
    };
    const TCase cases[] = {
        {gsOffice2003Blue, glXP, 0xFCE1CB, 0x94E6FB, 0x94E6FB, 0xC0C0C0, ssDefault},
        {gsOffice2007Luna, glOffice2007, 0xFBF9F6, 0x9DD8F9, 0x5EC1F1, 0xF1EDEB, ssOffice2007},
        {gsWindowsVista, glVista, clWhite, 0xFDF8F1, 0xEACAB6, 0xECECF0, ssVista},
        {gsWindows7, glWin7, 0xFDFCFA, 0xFCEBDC, 0xEACAB6, 0xECECF0, ssWin7},
        {gsOffice2010Black, glOffice2007, 0x6A6A6A, 0x5BD5FF, 0xFFDBB7, 0xC0C0C0, ssDefault},
        {gsCustom, glOffice2007, 0x6A6A6A, 0x5BD5FF, clHighlight, 0xC0C0C0, ssDefault},
    };
    for (const TCase& c : cases) {
        g->SetStyle(c.Style);
        EXPECT_EQ(g->Look(), c.Look) << int(c.Style);
        EXPECT_EQ(g->ZURGradientFrom(), c.FixedFrom) << int(c.Style);
        EXPECT_EQ(g->ActiveCellColor(), c.Active) << int(c.Style);
        EXPECT_EQ(g->SelectionColor(), c.Selection) << int(c.Style);
        EXPECT_EQ(g->GridLineColor(), c.Lines) << int(c.Style);
        EXPECT_EQ(g->SelectionStyle(), c.SelStyle) << int(c.Style);
        if (c.Style != gsCustom) {
            EXPECT_EQ(g->SearchFooter()->Color(), g->ZURGradientFrom());
            EXPECT_EQ(g->SearchFooter()->ColorTo(), g->ZURGradientMirrorTo());
        }
    }
}

// ---- pictures ----------------------------------------------------------------------------------------------

namespace {

void FillShowcase(TAdvStringGrid* g, TStringList* radios)
{
    g->SetColCount(8);
    g->SetRowCount(9);
    g->SetDefaultRowHeight(24);
    for (int c = 0; c < 8; ++c) g->SetColWidths(c, c == 0 ? 40 : 96);
    const char* heads[] = {"", "Name", "Check", "Tri", "Progress", "Level", "Rating", "Object"};
    for (int c = 0; c < 8; ++c) g->SetCells(c, 0, QString::fromLatin1(heads[c]));
    for (int r = 1; r < 9; ++r) {
        g->SetCells(0, r, QString::number(r));
        g->SetCells(1, r, QStringLiteral("Row %1").arg(r));
    }
    g->AddCheckBoxColumn(2, false, true);
    g->SetCheckBoxState(2, 2, true);
    g->SetCheckBoxState(2, 4, true);
    g->AddCheckBox(3, 1, cbGrayed);
    g->AddCheckBox(3, 2, cbChecked);
    g->AddCheckBox(3, 3, cbUnchecked);
    g->AddProgress(4, 1, clNone, clNone);
    g->SetCells(4, 1, QStringLiteral("65"));
    g->AddAdvProgress(5, 1, 0, 100);
    g->SetCells(5, 1, QStringLiteral("80"));
    g->AddRating(6, 1, 5, clRed, clSilver);
    g->SetCells(6, 1, QStringLiteral("3.5"));
    g->AddComment(1, 2, QStringLiteral("note"));
    g->AddButton(7, 1, 80, 20, QStringLiteral("Press"), haLeft, vaTop);
    g->AddRotated(7, 3, 45, QStringLiteral("rotated"));
    g->SetRowHeights(3, 40);
    g->AddRadio(4, 3, 1, 0, radios);
    g->SetColWidths(4, 150);
    g->SetCells(1, 5, QStringLiteral("<b>bold</b> and <i>italic</i> <font color=\"clRed\">red</font>"));
    g->SetCells(1, 6, QStringLiteral("https://example.org"));
    g->SetURLShow(true);
    g->AddRadioButton(6, 4, true);
    g->AddRadioButton(6, 5, false);
    g->SortSettings()->SetColumn(1);
    g->SetRowColor(7, TColor(0xCCFFCC));
    g->SelectRange(1, 3, 6, 6);
}

} // namespace

TEST(AdvGridPaint, GrabShowcaseInEveryStyle)
{
    auto form = MakeForm();
    TStringList radios;
    radios.Add(QStringLiteral("A"));
    radios.Add(QStringLiteral("B"));
    radios.Add(QStringLiteral("C"));
    const std::pair<const char*, TAdvGridStyle> styles[] = {
        {"office2003blue", gsOffice2003Blue}, {"office2007luna", gsOffice2007Luna}, {"windowsxp", gsWindowsXP},
        {"vista", gsWindowsVista},            {"windows7", gsWindows7},             {"office2010black", gsOffice2010Black}};
    for (const auto& [name, style] : styles) {
        TTestAdvGridPtr g(Create<TTestAdvGrid>(nullptr));
        g->SetParent(form.get());
        g->SetBounds(0, 0, 820, 250);
        FillShowcase(g.get(), &radios);
        g->SetStyle(style);
        const QString path = TestHarness::GrabPath(QStringLiteral("look-%1.png").arg(QLatin1String(name)));
        ASSERT_TRUE(TestHarness::GrabToPng(g.get(), path));
        EXPECT_FALSE(QImage(path).isNull());
        g->SetParent(nullptr);
    }
    const TGridLook looks[] = {glStandard, glSoft, glClassic, glZUR, glXP, glListView};
    for (TGridLook l : looks) {
        TTestAdvGridPtr g(Create<TTestAdvGrid>(nullptr));
        g->SetParent(form.get());
        g->SetBounds(0, 0, 820, 250);
        FillShowcase(g.get(), &radios);
        g->SetLook(glCustom);
        g->SetLook(l);
        g->ControlLook()->SetControlStyle(l == glZUR ? csZUR : l == glXP ? csWinXP : csClassic);
        const QString path = TestHarness::GrabPath(QStringLiteral("look-%1.png").arg(TAdvStringGrid::GetLookName(l)));
        ASSERT_TRUE(TestHarness::GrabToPng(g.get(), path));
        g->SetParent(nullptr);
    }
}
