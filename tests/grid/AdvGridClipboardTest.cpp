// Copy, cut and paste of the string grid through the offscreen clipboard,
// with smart fill and the SelectionAsText property.
#include "AdvGridTestKit.h"

#include "AdvObj.h"
#include "BaseGridUndo.h"
#include "Names.h"
#include "asgdd.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

bool OffscreenClipboard() { return QGuiApplication::platformName() == QLatin1String("offscreen"); }

void Select(TAdvStringGrid* g, int l, int t, int r, int b) { g->SetSelection(TGridRect{l, t, r, b}); }

QString Column(TAdvStringGrid* g, int c, int from, int to)
{
    QStringList parts;
    for (int r = from; r <= to; ++r) parts << g->Cells(c, r);
    return parts.join(u' ');
}

}  // namespace

TEST(GridClipboard, TextFormOfRectangles)
{
    auto g = NewFixtureGrid(4, 4);
    g->SetCells(1, 1, QStringLiteral("a"));
    g->SetCells(2, 1, QStringLiteral("b"));
    g->SetCells(1, 2, QStringLiteral("c"));
    g->SetCells(2, 2, QStringLiteral("d"));
    g->SetCells(3, 3, QStringLiteral("x\r\ny"));
    struct Case {
        TGridRect rect;
        bool excel;
        const char* text;
    };
    const Case cases[] = {
        {{1, 1, 2, 2}, false, "a\tb\r\nc\td\r\n"},
        {{1, 1, 2, 1}, false, "a\tb"},
        {{3, 3, 3, 3}, false, "\"x\ny\""},
        {{3, 3, 3, 3}, true, "\"x\vy\""},
        {{2, 1, 1, 1}, false, ""},
    };
    for (const Case& c : cases) {
        g->SetExcelClipboardFormat(c.excel);
        EXPECT_EQ(g->ClipTextOf(c.rect, false), QString::fromLatin1(c.text));
        EXPECT_EQ(g->LastClipTopLeft(), TPoint(c.rect.Left, c.rect.Top));
    }
    int cols = 0, extra = 0;
    struct Size {
        const char* text;
        int cols, extra;
    };
    for (const Size s : {Size{"a\tb\r\nc\td\r\n", 2, 1}, Size{"a\tb\r\nc\td", 2, 1}, Size{"x", 1, 0},
                         Size{"a\t\t\r\n\r\nb", 3, 1}}) {
        TAdvStringGrid::TextBlockSize(QString::fromLatin1(s.text), cols, extra);
        EXPECT_EQ(cols, s.cols) << s.text;
        EXPECT_EQ(extra, s.extra) << s.text;
    }
}

TEST(GridClipboard, CopyCutAndPasteCycleBetweenTwoGrids)
{
    if (!OffscreenClipboard()) GTEST_SKIP() << "the clipboard of a desktop is not touched";
    auto a = NewFixtureGrid(4, 4);
    auto b = NewFixtureGrid(4, 4);
    for (TAdvStringGrid* g : {static_cast<TAdvStringGrid*>(a.get()), static_cast<TAdvStringGrid*>(b.get())}) {
        g->SetOptions(g->Options() + goEditing);
        g->Navigation()->SetAllowRTFClipboard(true);
    }
    a->SetCells(1, 1, QStringLiteral("{\\rtf1 bold}"));
    a->SetCells(2, 2, QStringLiteral("two\r\nlines"));
    a->SetReadOnly(2, 1, true);
    TAdvGridUndoRedo undo(nullptr);
    undo.SetGrid(a.get());
    a->SetUndoRedo(&undo);

    Select(a.get(), 1, 1, 2, 2);
    a->CutSelectionToClipboard();
    EXPECT_EQ(a->LastClipOperation(), coCut);
    // The text form carries what a rich-text cell reads; the rich-text form its source.
    EXPECT_EQ(Clipboard().AsText(), QStringLiteral("bold\t2,1\r\n1,2\t\"two\nlines\"\r\n"));
    EXPECT_EQ(QString::fromLatin1(Clipboard().GetData(CF_RTF()).constData()), QStringLiteral("{\\rtf1 bold}"));
    EXPECT_EQ(RowText(a.get(), 1), QStringLiteral("0,1||2,1|3,1"));  // the read-only cell stays
    EXPECT_EQ(RowText(a.get(), 2), QStringLiteral("0,2|||3,2"));
    undo.Undo();
    EXPECT_EQ(a->Cells(2, 2), QStringLiteral("two\r\nlines"));
    EXPECT_EQ(a->Cells(1, 1), QStringLiteral("{\\rtf1 bold}"));

    // Rich text wins when the grid takes it: one cell.
    Select(b.get(), 2, 2, 2, 2);
    b->PasteSelectionFromClipboard();
    EXPECT_EQ(b->Cells(2, 2), QStringLiteral("{\\rtf1 bold}"));
    b->Navigation()->SetAllowRTFClipboard(false);
    b->PasteSelectionFromClipboard();
    EXPECT_EQ(RowText(b.get(), 2), QStringLiteral("0,2|1,2|bold|2,1"));
    EXPECT_EQ(RowText(b.get(), 3), QStringLiteral("0,3|1,3|1,2|two\r\nlines"));
    EXPECT_EQ(b->RowCount(), 4 + 1);  // the final line end asks for a row below
    a->SetUndoRedo(nullptr);
}

TEST(GridClipboard, PasteAtTheEdgeStaysInsideTheGrid)
{
    if (!OffscreenClipboard()) GTEST_SKIP() << "the clipboard of a desktop is not touched";
    Clipboard().SetAsText(QStringLiteral("p\tq\r\nr\ts"));
    for (const bool grow : {false, true}) {
        auto g = NewFixtureGrid(3, 3);
        g->SetOptions(g->Options() + goEditing);
        g->Navigation()->SetAllowClipboardColGrow(grow);
        g->Navigation()->SetAllowClipboardRowGrow(grow);
        Select(g.get(), 2, 2, 2, 2);
        g->PasteSelectionFromClipboard();
        EXPECT_EQ(g->Cells(2, 2), QStringLiteral("p"));
        EXPECT_EQ(g->ColCount(), grow ? 4 : 3);
        EXPECT_EQ(g->RowCount(), grow ? 4 : 3);
        if (grow) {
            EXPECT_EQ(g->Cells(3, 3), QStringLiteral("s"));
        }
        EXPECT_EQ(g->TotalColCount(), g->ColCount());
    }
    // No edit rights: nothing at all.
    auto g = NewFixtureGrid(3, 3);
    Select(g.get(), 1, 1, 1, 1);
    g->PasteSelectionFromClipboard();
    EXPECT_EQ(g->Cells(1, 1), QStringLiteral("1,1"));
}

TEST(GridClipboard, SmartFillContinuesSeriesAndRepeatsBlocks)
{
    if (!OffscreenClipboard()) GTEST_SKIP() << "the clipboard of a desktop is not touched";
    struct Case {
        const char* clip;
        int cols, rows;  // the selection from (1, 1)
        const char* column1;
    };
    const Case cases[] = {
        {"1\r\n3\r\n", 1, 5, "1 3 5 7 9"},
        {"1.5\r\n2\r\n", 1, 4, "1.50 2.00 2.50 3.00"},
        {"a\r\nb\r\n", 1, 5, "a b a b a"},
        {"z", 3, 3, "z z z"},
        {"10\r\n8\r\n", 1, 4, "10 8 6 4"},
        {"15/01/2026\r\n15/02/2026\r\n", 1, 3, "15/01/2026 15/02/2026 15/03/2026"},
        {"31/01/2026\r\n28/02/2026\r\n", 1, 3, "31/01/2026 28/02/2026 28/03/2026"},
        {"a\tb\r\nc\td\r\n", 2, 2, "a c"},
    };
    for (const Case& c : cases) {
        auto g = NewFixtureGrid(5, 8);
        g->SetOptions(g->Options() + goEditing);
        g->Navigation()->SetAllowSmartClipboard(true);
        Clipboard().SetAsText(QString::fromLatin1(c.clip));
        Select(g.get(), 1, 1, c.cols, c.rows);
        g->PasteSelectionFromClipboard();
        EXPECT_EQ(Column(g.get(), 1, 1, c.rows), QString::fromLatin1(c.column1)) << c.clip;
        EXPECT_EQ(g->Cells(1, c.rows + 1), QStringLiteral("1,%1").arg(c.rows + 1)) << c.clip;
        if (c.cols == 3) {
            EXPECT_EQ(Column(g.get(), 3, 1, 3), QStringLiteral("z z z"));
        }
    }
}

TEST(GridClipboard, SelectionAsTextWritesAndGrowsByOneRow)
{
    auto g = NewFixtureGrid(3, 5);
    Select(g.get(), 1, 3, 1, 3);
    g->SetSelectionAsText(QStringLiteral("a\tb\r\n\"m\vn\"\r\nlast"));
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_EQ(g->ColCount(), 3);
    EXPECT_EQ(Column(g.get(), 1, 3, 5), QStringLiteral("a \"m\vn\" last"));
    EXPECT_EQ(g->Cells(2, 3), QStringLiteral("b"));
    g->SetSelectionAsText(QStringLiteral("\"x\ny\""));
    EXPECT_EQ(g->Cells(1, 3), QStringLiteral("x\r\ny"));
    Select(g.get(), 1, 1, 2, 1);
    EXPECT_EQ(g->SelectionAsText(), QStringLiteral("1,1\t2,1"));
}

TEST(GridClipboard, ClipboardKeysRunOnlyWhenAllowed)
{
    if (!OffscreenClipboard()) GTEST_SKIP() << "the clipboard of a desktop is not touched";
    auto g = NewFixtureGrid(4, 4);
    g->SetOptions(g->Options() + goEditing);
    Select(g.get(), 1, 1, 2, 1);
    Clipboard().SetAsText(QStringLiteral("before"));
    EXPECT_FALSE(g->ClipboardShortCut(Word('C'), TShiftState{ssCtrl}));
    EXPECT_EQ(Clipboard().AsText(), QStringLiteral("before"));
    g->Navigation()->SetAllowClipboardShortCuts(true);
    struct Case {
        Word key;
        TShiftState shift;
        bool handled;
    };
    const Case cases[] = {{Word('C'), TShiftState{ssCtrl}, true}, {VK_INSERT, TShiftState{ssCtrl}, true},
                          {Word('C'), TShiftState{}, false},      {VK_INSERT, TShiftState{ssAlt}, false}};
    for (const Case& c : cases) {
        Clipboard().SetAsText(QStringLiteral("before"));
        EXPECT_EQ(g->ClipboardShortCut(c.key, c.shift), c.handled);
        EXPECT_EQ(Clipboard().AsText(), c.handled ? QStringLiteral("1,1\t2,1") : QStringLiteral("before"));
    }
    EXPECT_TRUE(g->ClipboardShortCut(VK_DELETE, TShiftState{ssShift}));  // cut
    EXPECT_EQ(RowText(g.get(), 1), QStringLiteral("0,1|||3,1"));
    Select(g.get(), 1, 2, 1, 2);
    EXPECT_TRUE(g->ClipboardShortCut(VK_INSERT, TShiftState{ssShift}));  // paste
    EXPECT_EQ(RowText(g.get(), 2), QStringLiteral("0,2|1,1|2,1|3,2"));
}

TEST(GridClipboard, CopyAsHTMLPutsThePageAndTheText)
{
    if (!OffscreenClipboard()) GTEST_SKIP() << "the clipboard of a desktop is not touched";
    auto g = NewFixtureGrid(3, 3);
    g->SetCells(1, 1, QStringLiteral("caf\u00e9"));
    g->CopyToClipBoardAsHTML();
    const unsigned html = RegisterClipboardFormat(QStringLiteral("HTML Format"));
    ASSERT_TRUE(Clipboard().HasFormat(html));
    const QByteArray page = Clipboard().GetData(html);
    EXPECT_TRUE(page.startsWith("<!DOCTYPE")) << page.left(40).toStdString();
    EXPECT_TRUE(page.contains("caf\xe9")) << "8-bit bytes";
    EXPECT_TRUE(page.endsWith("</html>"));
    EXPECT_TRUE(Clipboard().AsText().startsWith(QLatin1String("Version:1.0\r\n")));
    EXPECT_TRUE(Clipboard().AsText().contains(QStringLiteral("caf\u00e9")));
}

TEST(GridClipboard, PasteCutAndFillWriteOnlyCellsTheApplicationLetsEdit)
{
    if (!OffscreenClipboard()) GTEST_SKIP() << "the clipboard of a desktop is not touched";
    using TOp = void (*)(TAdvStringGrid*);
    const TOp paste = [](TAdvStringGrid* g) { g->PasteSelectionFromClipboard(); };
    const TOp cut = [](TAdvStringGrid* g) { g->CutSelectionToClipboard(); };
    const TOp cutRange = [](TAdvStringGrid* g) { g->CutToClipboard(); };
    struct Case {
        const char* name;
        bool editing, rangeEdit, always, smart;
        const char* clip;
        TGridRect sel;
        TOp op;
        const char* row1;
        const char* row2;
    };
    // Column 2 is refused by the application's OnCanEditCell.
    const Case cases[] = {
        {"paste", true, false, false, false, "a\tb\r\nc\td", {1, 1, 1, 1}, paste, "0,1|a|2,1|3,1", "0,2|c|2,2|3,2"},
        {"paste, range-select editing only", false, true, false, false, "a\tb\r\nc\td", {1, 1, 1, 1}, paste,
         "0,1|a|2,1|3,1", "0,2|c|2,2|3,2"},
        {"paste, no edit rights", false, false, false, false, "a\tb\r\nc\td", {1, 1, 1, 1}, paste, "0,1|1,1|2,1|3,1",
         "0,2|1,2|2,2|3,2"},
        {"paste, clipboard always", true, false, true, false, "a\tb\r\nc\td", {1, 1, 1, 1}, paste, "0,1|a|b|3,1",
         "0,2|c|d|3,2"},
        {"fill one value", true, false, false, true, "z", {1, 1, 3, 2}, paste, "0,1|z|2,1|z", "0,2|z|2,2|z"},
        {"repeat a block", true, false, false, true, "p\tq\r\n", {1, 1, 3, 1}, paste, "0,1|p|2,1|p", "0,2|1,2|2,2|3,2"},
        {"cut the selection", true, false, false, false, "", {1, 1, 2, 2}, cut, "0,1||2,1|3,1", "0,2||2,2|3,2"},
        {"cut the save range", true, false, false, false, "", {1, 1, 1, 1}, cutRange, "0,1||2,1|", "0,2||2,2|"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto g = NewFixtureGrid(4, 4);
        if (c.editing) g->SetOptions(g->Options() + goEditing);
        g->MouseActions()->SetRangeSelectAndEdit(c.rangeEdit);
        g->Navigation()->SetAllowClipboardAlways(c.always);
        g->Navigation()->SetAllowSmartClipboard(c.smart);
        g->OnCanEditCell = [](TObject*, int, int ACol, bool& CanEdit) {
            if (ACol == 2) CanEdit = false;
        };
        Clipboard().SetAsText(QString::fromLatin1(c.clip));
        Select(g.get(), c.sel.Left, c.sel.Top, c.sel.Right, c.sel.Bottom);
        c.op(g.get());
        EXPECT_EQ(RowText(g.get(), 1), QString::fromLatin1(c.row1));
        EXPECT_EQ(RowText(g.get(), 2), QString::fromLatin1(c.row2));
        EXPECT_EQ(RowText(g.get(), 0), QStringLiteral("0,0|1,0|2,0|3,0"));  // fixed cells stay
    }
}

TEST(GridClipboard, CopyCutAndPasteTakeWholeMergedAreas)
{
    if (!OffscreenClipboard()) GTEST_SKIP() << "the clipboard of a desktop is not touched";
    struct Case {
        TGridRect sel, widened;
    };
    // One area of 2 x 2 cells at (2, 2).
    const Case cases[] = {
        {{1, 1, 2, 2}, {1, 1, 3, 3}},  // the bottom-right cell is the base cell
        {{3, 3, 4, 4}, {2, 2, 4, 4}},  // the top-left cell is a covered one
        {{3, 2, 3, 3}, {2, 2, 3, 3}},  // inside the area
        {{1, 1, 1, 4}, {1, 1, 1, 4}},  // beside it
    };
    for (const Case& c : cases) {
        auto g = NewFixtureGrid(6, 6);
        g->SetOptions(g->Options() + goEditing);
        g->MergeCells(2, 2, 2, 2);
        Select(g.get(), c.sel.Left, c.sel.Top, c.sel.Right, c.sel.Bottom);
        g->CopySelectionToClipboard();
        EXPECT_EQ(g->Selection(), c.widened);
        const QString text = Clipboard().AsText();
        EXPECT_EQ(text.count(QStringLiteral("\r\n")), c.widened.Bottom - c.widened.Top + 1) << text.toStdString();
        EXPECT_TRUE(text.startsWith(g->Cells(c.widened.Left, c.widened.Top))) << text.toStdString();

        // The cut empties the whole area and reports the selection it was given.
        TGridRect reported{-1, -1, -1, -1};
        g->OnCellsChanged = [&](TObject*, const TGridRect& r) { reported = r; };
        Select(g.get(), c.sel.Left, c.sel.Top, c.sel.Right, c.sel.Bottom);
        g->CutSelectionToClipboard();
        EXPECT_EQ(reported, c.sel);
        EXPECT_EQ(g->Selection(), c.widened);
        for (int r = c.widened.Top; r <= c.widened.Bottom; ++r)
            for (int k = c.widened.Left; k <= c.widened.Right; ++k) EXPECT_EQ(g->Cells(k, r), QString()) << k << "," << r;
        EXPECT_EQ(g->Cells(5, 5), QStringLiteral("5,5"));

        // The paste widens the same way before it writes.
        g->OnCellsChanged = nullptr;
        Select(g.get(), c.sel.Left, c.sel.Top, c.sel.Right, c.sel.Bottom);
        g->PasteSelectionFromClipboard();
        EXPECT_EQ(g->Selection(), c.widened);
    }
}
