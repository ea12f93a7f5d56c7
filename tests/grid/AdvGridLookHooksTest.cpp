// Measuring cell texts, the sort mark of the sort indicator cells, the
// highlight colours, the click and data-bound cell kinds, the automatic
// row insert and delete, and the version answers.

#include "AdvCGrid.h"
#include "AdvGridEditors.h"
#include "AdvGridPaint.h"
#include "AdvGridUnit.h"
#include "AdvObjPopup.h"
#include "AdvGridSort.h"
#include "AdvGridTestKit.h"
#include "AsgHTMLE.h"
#include "DateUtils.h"
#include "Forms.h"
#include "GraphicsRecording.h"

#include <QKeyEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// The grid font's metrics, as the measuring sees them.
struct TLookHooksMetrics {
    explicit TLookHooksMetrics(TAdvStringGrid* g) { cv.Font()->Assign(g->Font()); }
    int Width(const QString& s) const { return cv.TextWidth(s); }
    int Line() const { return cv.TextHeight(QStringLiteral("gh")); }
    TCanvas cv;
};

std::vector<const TCanvasOp*> LookHooksOps(const TRecordingCanvas& c, const QString& kind)
{
    std::vector<const TCanvasOp*> out;
    for (const TCanvasOp& op : c.Ops())
        if (op.Kind == kind) out.push_back(&op);
    return out;
}

} // namespace

// ---- measuring ----------------------------------------------------------------------------

TEST(AdvGridLookHooks, MeasuresPlainMultilineAndUrlTexts)
{
    auto g = NewFixtureGrid();
    const TLookHooksMetrics m(g.get());
    struct Case {
        const char* Name;
        QString Text;
        bool Multiline, UrlShow;
        QString WidestLine;
        int Lines;
    };
    const Case cases[] = {
        {"one line", "abc def", false, false, "abc def", 1},
        {"lines counted with MultilineCells", "ab\nlonger line\nc", true, false, "longer line", 3},
        {"one line without MultilineCells", "ab\ncd", false, false, "ab\ncd", 1},
        {"URL without its scheme", "http://example.test", false, true, "example.test", 1},
        {"empty", "", false, false, "", 0},
    };
    for (const Case& c : cases) {
        g->SetMultilineCells(c.Multiline);
        g->SetURLShow(c.UrlShow);
        g->SetCells(2, 3, c.Text);
        const TSize s = g->GetCellTextSize(2, 3);
        EXPECT_EQ(s.cx, c.Lines ? m.Width(c.WidestLine) : 0) << c.Name;
        EXPECT_EQ(s.cy, c.Lines * m.Line()) << c.Name;
    }
}

TEST(AdvGridLookHooks, WrappedMeasuringGrowsTheHeightAndKeepsTheEditedLastLine)
{
    auto g = NewFixtureGrid();
    const TLookHooksMetrics m(g.get());
    g->SetColWidths(2, 60);
    g->SetCells(2, 3, QStringLiteral("many words that will surely need a few lines"));
    const TSize wrapped = g->GetCellTextSize(2, 3, true, false);
    EXPECT_GT(wrapped.cy, 2 * m.Line());
    // The drop-down button's 17 pixels leave less room: more lines.
    EXPECT_GT(g->GetCellTextSize(2, 3, true, true).cy, wrapped.cy);
    EXPECT_LT(wrapped.cx, 60);

    // A text ending in a line feed: the empty last line counts while edited.
    g->SetColWidths(2, 200);
    g->SetCells(2, 3, QStringLiteral("one\n"));
    const int idle = g->GetCellTextSize(2, 3, true, false).cy;
    g->SetCol(2);
    g->SetRow(3);
    g->EditMode = true;
    const int edited = g->GetCellTextSize(2, 3, true, false).cy;
    g->EditMode = false;
    EXPECT_EQ(edited, 2 * m.Line());
    EXPECT_GE(edited, idle);
}

TEST(AdvGridLookHooks, RotatedAndZoomedAndMarkupExtents)
{
    auto g = NewFixtureGrid();
    const TLookHooksMetrics m(g.get());
    g->SetCells(2, 3, QStringLiteral("turned"));
    const int w = m.Width(QStringLiteral("turned")), h = m.Line();
    g->AddRotated(2, 3, 90, QStringLiteral("turned"));
    const TSize s = g->GetCellTextSize(2, 3);
    EXPECT_EQ(s.cx, h + 12);
    EXPECT_EQ(s.cy, w + 12);
    g->RemoveRotated(2, 3);

    // A small font under the strongest zoom still measures at 1 point.
    g->Font()->SetSize(2);
    g->Zoom(-10);
    EXPECT_GT(g->GetCellTextSize(2, 3).cx, 0);
    g->Zoom(10);

    // Markup is measured without its tags and with 2 pixels each way.
    auto h2 = NewFixtureGrid();
    const TLookHooksMetrics m10(h2.get());
    h2->SetCells(2, 4, QStringLiteral("<b>bold</b> text"));
    const TSize html = h2->GetCellTextSize(2, 4);
    EXPECT_GT(html.cx, m10.Width(QStringLiteral("bold text")) - 4);
    EXPECT_LT(html.cx, m10.Width(QStringLiteral("<b>bold</b> text")));
    EXPECT_GE(html.cy, m10.Line());
}

TEST(AdvGridLookHooks, FontPropertiesTakeTheCellFontAndTheColourHook)
{
    auto g = NewFixtureGrid();
    g->FixedFont()->SetName(QStringLiteral("Courier"));
    g->SetFontSizes(2, 3, 17);
    g->OnGetCellColor = [](TObject*, int ARow, int ACol, TGridDrawState, TBrush*, TFont* AFont) {
        if (ACol == 2 && ARow == 3) AFont->SetColor(TColor(0x123456));
    };
    TFont f;
    TBrush b;
    TGridDrawState st;
    g->GetFontProperties(2, 2, 3, st, &f, &b, false);
    EXPECT_EQ(f.Size(), 17);
    EXPECT_EQ(f.Color(), TColor(0x123456));
    EXPECT_FALSE(st.Contains(gdFixed));
    TGridDrawState fst;
    g->GetFontProperties(0, 0, 3, fst, &f, &b, false);
    EXPECT_EQ(f.Name(), QStringLiteral("Courier"));
    EXPECT_TRUE(fst.Contains(gdFixed));
    // Asking never creates a property object.
    EXPECT_EQ(g->GridObjects(4, 4), nullptr);
    g->GetFontProperties(4, 4, 4, st, &f, &b, false);
    EXPECT_EQ(g->GridObjects(4, 4), nullptr);
}

// ---- the sort mark ------------------------------------------------------------------------

TEST(AdvGridLookHooks, SortGlyphOnlyInTheSortIndicatorCellOfTheSortColumn)
{
    auto g = NewFixtureGrid();
    g->SortSettings()->SetShow(true);
    g->SortSettings()->SetColumn(2);
    EXPECT_TRUE(g->IsSortIndicatorCell(2, 0));
    EXPECT_FALSE(g->IsSortIndicatorCell(2, 1));
    struct Case {
        const char* Name;
        int Col;
        TSortDirection Dir;
        bool Drawn;
    };
    const Case cases[] = {
        {"ascending", 2, sdAscending, true},
        {"descending", 2, sdDescending, true},
        {"another column", 3, sdAscending, false},
    };
    // The mark: three 8-pixel lines, white and grey, beyond the fixed look.
    auto markLines = [&](int col) {
        TRecordingCanvas cv;
        g->PaintCell(&cv, col, 0, g->CellRect(col, 0), TGridDrawState() + gdFixed);
        int n = 0;
        for (const TCanvasOp* op : LookHooksOps(cv, QStringLiteral("Line")))
            if ((op->PenColor == clWhite || op->PenColor == TColor(0x808080)) && op->Points.size() == 2
                && std::abs(op->Points[1].X - op->Points[0].X) <= 8 && std::abs(op->Points[1].Y - op->Points[0].Y) <= 8
                && !(op->Points[1].X == op->Points[0].X && op->Points[1].Y == op->Points[0].Y))
                ++n;
        return n;
    };
    for (const Case& c : cases) {
        g->SortSettings()->SetDirection(c.Dir);
        const int baseline = markLines(4);
        EXPECT_EQ(markLines(c.Col) - baseline, c.Drawn ? 3 : 0) << c.Name;
    }
    // One fixed row and a single normal row: no indicator cell.
    g->SetRowCount(2);
    EXPECT_FALSE(g->IsSortIndicatorCell(2, 0));
}

TEST(AdvGridLookHooks, SortIndexShowsThePlaceOfEachSortedColumn)
{
    auto g = NewFixtureGrid();
    g->SortSettings()->SetShow(true);
    g->SortSettings()->SetIndexShow(true);
    g->SortIndexes()->AddIndex(3, true);
    g->SortIndexes()->AddIndex(2, false);
    for (const auto& [col, text] : {std::pair{3, "1"}, std::pair{2, "2"}}) {
        TRecordingCanvas cv;
        g->PaintCell(&cv, col, 0, g->CellRect(col, 0), TGridDrawState() + gdFixed);
        const auto polys = LookHooksOps(cv, QStringLiteral("Polygon"));
        ASSERT_FALSE(polys.empty()) << col;
        EXPECT_EQ(polys.back()->BrushColor, g->SortSettings()->IndexColor());
        QStringList texts;
        for (const TCanvasOp* op : LookHooksOps(cv, QStringLiteral("TextOut"))) texts << op->Text;
        EXPECT_TRUE(texts.contains(QString::fromLatin1(text))) << col << texts.join(QLatin1Char(',')).toStdString();
    }
}

// ---- colours, offsets, cell kinds ---------------------------------------------------------

TEST(AdvGridLookHooks, HighlightColoursReachTheMarkupRendererAndOffsetsStore)
{
    auto g = NewFixtureGrid();
    g->SetHighlightColor(TColor(0x0000AA));
    g->SetHighlightTextColor(TColor(0x00BB00));
    EXPECT_EQ(g->HighlightTextColor(), TColor(0x00BB00));
    EXPECT_EQ(HTMLHighlightColor(), TColor(0x0000AA));
    EXPECT_EQ(HTMLHighlightTextColor(), TColor(0x00BB00));
    g->SetHighlightColor(clHighlight);
    g->SetHighlightTextColor(clHighlightText);

    g->UpdateXYOffset(5, 7);
    EXPECT_EQ(g->XYOffset(), TPoint(5, 7));
    g->SetXYOffset(TPoint(2, 2));
    EXPECT_EQ(g->XYOffset(), TPoint(2, 2));

    const int rows = g->RowCount();
    g->AddRowAtEnd();
    EXPECT_EQ(g->RowCount(), rows + 1);
}

TEST(AdvGridLookHooks, ClickAndDataBoundCellKinds)
{
    auto g = NewFixtureGrid();
    g->AddCheckBox(1, 1, false, false);
    g->AddCheckBox(2, 1, false, true);
    g->AddButton(3, 1, 20, 16, QStringLiteral("b"), haLeft, vaTop);
    g->AddComment(5, 1, QStringLiteral("note"));
    struct Case {
        int Col, Row;
        bool Click, DataBound;
    };
    const Case cases[] = {
        {1, 1, true, false}, {2, 1, true, true}, {3, 1, true, false},
        {5, 1, false, false}, {2, 2, false, false}, {-1, 1, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(g->HasClickGraphic(c.Col, c.Row), c.Click) << c.Col << "," << c.Row;
        EXPECT_EQ(g->IsDataBoundCell(c.Col, c.Row), c.DataBound) << c.Col << "," << c.Row;
    }
}

// ---- automatic rows -----------------------------------------------------------------------

TEST(AdvGridLookHooks, AutomaticRowInsertAndDelete)
{
    auto g = NewFixtureGrid(3, 4);
    int deleted = -1;
    g->OnAutoDeleteRow = [&](TObject*, int ARow) { deleted = ARow; };
    g->InsertRowAt(2);
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->Cells(1, 2), QString());
    EXPECT_EQ(g->Cells(1, 3), QStringLiteral("1,2"));
    g->DeleteRowAt(2);
    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(deleted, 2);
    EXPECT_EQ(g->Cells(1, 2), QStringLiteral("1,2"));

    // The only normal row stays, emptied.
    g->SetRowCount(2);
    g->DeleteRowAt(1);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->Cells(1, 1), QString());
    g->SetFixedRowAlways(true);
    g->SetRowCount(3);
    g->DeleteRowAt(1);
    EXPECT_EQ(g->RowCount(), 2);
}

TEST(AdvGridLookHooks, VersionOfTheStringAndColumnGrid)
{
    auto g = NewFixtureGrid();
    EXPECT_EQ(g->VersionNr(), 100794627);
    EXPECT_EQ(g->VersionString(), QStringLiteral("6.2.1.3 Sep, 2012"));
    TAdvColumnGrid* cg = Create<TAdvColumnGrid>(nullptr);
    EXPECT_EQ(cg->VersionNr(), 0x03010301);
    EXPECT_EQ(cg->VersionString(), QStringLiteral("3.1.3.1 Aug, 2012"));
    Free(cg);
}

// ---- the focus frame ----------------------------------------------------------------------

TEST(AdvGridLookHooks, FocusFrameGlowsAroundTheCellWithTheCellCutOut)
{
    TForm* form = Create<TForm>(nullptr);
    form->SetBounds(50, 60, 600, 400);
    TAdvStringGrid* g = Create<TAdvStringGrid>(form);
    g->SetParent(form);
    g->SetBounds(10, 10, 500, 300);
    FillFixture(g, 6, 10);
    const TRect cell = g->CellRect(2, 3);
    g->ShowFocusHelper(cell);
    TGridFocusWindow* w = g->FocusWindow();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->Visible());
    EXPECT_EQ(FocusFrameGrid(), g);
    const TPoint at = g->ClientToScreen(TPoint(cell.Left - 4, cell.Top - 4));
    EXPECT_EQ(TPoint(w->Left(), w->Top()), at);
    EXPECT_EQ(w->Width(), cell.Width() + 9);
    EXPECT_EQ(w->Height(), cell.Height() + 9);
    const QRegion mask = w->Widget()->mask();
    EXPECT_TRUE(mask.contains(QPoint(1, 1)));
    EXPECT_TRUE(mask.contains(QPoint(cell.Width() + 6, cell.Height() + 6)));
    EXPECT_FALSE(mask.contains(QPoint(4 + cell.Width() / 2, 4 + cell.Height() / 2)));
    // Without an edit running, a move of the window takes the frame away.
    g->MoveFocusHelper();
    EXPECT_FALSE(w->Visible());
    EXPECT_EQ(FocusFrameGrid(), nullptr);
    g->ShowFocusHelper(cell);
    g->HideFocusHelper();
    EXPECT_FALSE(w->Visible());
    EXPECT_EQ(FocusFrameGrid(), nullptr);
    Free(form);
}

// ---- the border of the soft and office looks ----------------------------------------------

TEST(AdvGridLookHooks, NonClientBorderByLookFlatBorderAndFit)
{
    struct Case {
        const char* Name;
        TGridLook Look;
        bool Flat;
        TBorderStyle Border;
        bool Fit;
        int Frames;
    };
    const Case cases[] = {
        {"soft, fitted: frame and outer frame", glSoft, false, bsSingle, true, 2},
        {"office, not fitted: one frame", glOffice2007, false, bsSingle, false, 1},
        {"XP", glXP, false, bsSingle, true, 2},
        {"standard: none", glStandard, false, bsSingle, true, 0},
        {"classic: none", glClassic, false, bsSingle, true, 0},
        {"custom: none", glCustom, false, bsSingle, true, 0},
        {"flat: none", glSoft, true, bsSingle, true, 0},
        {"no border: none", glSoft, false, bsNone, true, 0},
    };
    for (const Case& c : cases) {
        auto g = NewFixtureGrid();
        g->SetBounds(0, 0, 200, 120);
        g->SetLook(c.Look);
        g->SetFlat(c.Flat);
        g->SetBorderStyle(c.Border);
        g->SetFitCellsInGrid(c.Fit);
        TRecordingCanvas cv;
        g->PaintNCBorder(&cv);
        const auto frames = LookHooksOps(cv, QStringLiteral("Polyline"));
        ASSERT_EQ(int(frames.size()), c.Frames) << c.Name;
        if (c.Frames == 0) continue;
        EXPECT_EQ(frames[0]->PenColor, g->BorderColor()) << c.Name;
        const int in = c.Fit ? 1 : 0;
        EXPECT_EQ(frames[0]->Points[0], TPoint(in, in)) << c.Name;
        EXPECT_EQ(frames[0]->Points[2], TPoint(200 - 1 - in, 120 - 1 - in)) << c.Name;
    }
}

// ---- date pickers -------------------------------------------------------------------------

namespace {

class TLookHooksPickerGrid : public TTestAdvGrid {
public:
    using TTestAdvGrid::TTestAdvGrid;
    int Hides = 0;
    void HideInplaceEdit() override
    {
        ++Hides;
        TTestAdvGrid::HideInplaceEdit();
    }
};

} // namespace

TEST(AdvGridLookHooks, DatePickerRelaysChangeCloseUpAndDropDown)
{
    TTestAdvGridPtr g(Create<TLookHooksPickerGrid>(nullptr));
    FillFixture(g.get(), 6, 10);
    g->SetCol(2);
    g->SetRow(3);
    TGridDatePicker* d = g->DateTimePicker();
    EXPECT_TRUE(d->ShowToday());
    EXPECT_TRUE(d->ShowTodayCircle());
    EXPECT_FALSE(d->WeekNumbers());

    QStringList edits;
    std::vector<TDateTime> picked;
    g->OnEditChange = [&](TObject*, int ACol, int ARow, const QString& Value) {
        edits << QStringLiteral("%1,%2 %3").arg(ACol).arg(ARow).arg(Value);
    };
    g->OnDateTimeChange = [&](TObject*, int, int, TDateTime ADateTime) { picked.push_back(ADateTime); };
    // The user steps the day: the picker tells its grid, which tells the events.
    d->SetEnabled(true);
    d->SetDate(EncodeDate(2024, 3, 9));
    d->SetCurrentField(0);
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QCoreApplication::sendEvent(d->Widget(), &up);
    const TDateTime now = d->Date();
    ASSERT_FALSE(edits.isEmpty());
    EXPECT_EQ(edits.last(), QStringLiteral("2,3 ") + DateToStr(now));
    ASSERT_FALSE(picked.empty());
    EXPECT_EQ(int(picked.back()), int(now));
    // No date: the event reports 0.
    TNMDateTimeChange none;
    none.Code = DTN_DATETIMECHANGE;
    none.From = d;
    g->Perform(WM_NOTIFY, 0, reinterpret_cast<intptr_t>(&none));
    EXPECT_EQ(picked.back(), TDateTime(0));

    // Dropping down applies the options and the least size + 2.
    d->SetShowToday(false);
    d->SetWeekNumbers(true);
    int drops = 0;
    g->OnDatePickerDropDown = [&](TObject*, int ARow, int ACol) { drops += ARow == 3 && ACol == 2; };
    g->DatePickerDropDown(d);
    EXPECT_EQ(d->CalendarStyle(), MCS_NOTODAY | MCS_WEEKNUMBERS);
    const TSize least = d->CalendarMinSize();
    EXPECT_EQ(d->CalendarSize().cx, least.cx + 2);
    EXPECT_EQ(d->CalendarSize().cy, least.cy + 2);
    EXPECT_EQ(drops, 1);

    // Closing up ends the edit only with DirectDateClose.
    auto* pg = static_cast<TLookHooksPickerGrid*>(g.get());
    int closes = 0;
    g->OnDatePickerCloseUp = [&](TObject*, int, int) { ++closes; };
    g->DatePickerCloseUp(d);
    EXPECT_EQ(pg->Hides, 0);
    g->MouseActions()->SetDirectDateClose(true);
    g->DatePickerCloseUp(d);
    EXPECT_EQ(pg->Hides, 1);
    EXPECT_EQ(closes, 2);
}

// ---- editing hooks ------------------------------------------------------------------------

TEST(AdvGridLookHooks, EditProcessAndFixedDropDownPermission)
{
    auto g = NewFixtureGrid();
    g->SetCol(2);
    g->SetRow(3);
    g->EditMode = true;
    g->EditProcessChange(QStringLiteral("typed"));
    EXPECT_EQ(g->Cells(2, 3), QStringLiteral("2,3"));
    g->SetShowEditProcess(true);
    g->EditProcessChange(QStringLiteral("typed"));
    EXPECT_EQ(g->Cells(2, 3), QStringLiteral("typed"));
    g->EditMode = false;
    g->EditProcessChange(QStringLiteral("later"));
    EXPECT_EQ(g->Cells(2, 3), QStringLiteral("typed"));

    EXPECT_TRUE(g->CanShowFixedDropDown(2));
    g->OnCanShowFixedDropDown = [](TObject*, int ACol, bool& CanShow) { CanShow = ACol != 2; };
    EXPECT_FALSE(g->CanShowFixedDropDown(2));
    EXPECT_TRUE(g->CanShowFixedDropDown(3));
}
