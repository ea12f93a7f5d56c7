// The page engine draws in tenths of a millimetre on a canvas in its metric
// mapping mode: where the first row lands on a recording and on a preview
// image, and rich-text cells printed with their own sizes, styles and
// colours.

#include "AdvGridPrint.h"
#include "AdvGridTestKit.h"
#include "GraphicsPainter.h"
#include "GraphicsRecording.h"
#include "TestHarness.h"

#include <QImage>
#include <gtest/gtest.h>
#include <map>

namespace {

// A4 at 96 dots per inch, the preview's page.
const TRect PrintMappingA4(0, 0, 794, 1123);

TTestAdvGridPtr PrintMappingGrid(int cols, int rows)
{
    TTestAdvGridPtr g = NewFixtureGrid(cols, rows);
    g->PrintSettings()->Font()->SetName("DejaVu Sans");
    g->PrintSettings()->Font()->SetSize(10);
    // Rows start 10 mm below the top, columns 10 mm from the left edge.
    g->PrintSettings()->SetHeaderSize(100);
    g->PrintSettings()->SetCentered(false);
    g->PrintSettings()->SetLeftSize(100);
    return g;
}

QImage PrintMappingPreview(TAdvStringGrid* g, const QString& grab)
{
    QImage img(PrintMappingA4.Width(), PrintMappingA4.Height(), QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        TCanvas canvas;
        canvas.BindImage(&img);
        g->PrintPreview(&canvas, PrintMappingA4);
    }
    img.save(TestHarness::GrabPath(grab));
    return img;
}

bool PrintMappingDark(const QImage& img, int x, int y)
{
    return qGray(img.pixel(x, y)) < 128;
}

} // namespace

TEST(PrintMapping, FirstRowLandsAtItsMillimetresOnTheRecordingAndThePreview)
{
    TTestAdvGridPtr g = PrintMappingGrid(4, 150);
    TRecordingCanvas rec;
    g->PrintPreview(&rec, PrintMappingA4);
    // The page in 0.1 mm: 794 x 1123 pixels at 96 dots per inch.
    EXPECT_EQ(g->PrintPageRect(), TRect(0, 0, 2101, -2971));
    const int pages = g->PrintNrOfPages();
    EXPECT_GE(pages, 3);
    // The first cell's rectangle and its top line, in the page's units.
    const TCanvasOp* first = nullptr;
    const TCanvasOp* line = nullptr;
    const TCanvasOp* cell = nullptr;
    for (const TCanvasOp& op : rec.Ops()) {
        if (!first && op.Kind == "TextRect" && op.Text == "0,0") first = &op;
        if (!cell && op.Kind == "TextRect" && op.Text == "1,1") cell = &op;
        if (!line && op.Kind == "Line") line = &op;
    }
    ASSERT_TRUE(first && line && cell);
    EXPECT_EQ(first->Rect.Left, 100);
    EXPECT_EQ(first->Rect.Top, -100);
    EXPECT_LT(first->Rect.Bottom, first->Rect.Top);
    // The cell's font in 0.1 mm: 8 points are 2.8 mm.
    EXPECT_EQ(g->Font()->Size(), 8);
    EXPECT_EQ(cell->FontHeight, -28);
    EXPECT_EQ(line->Points.at(0).Y, -100);

    // On the image the same lines fall on the pixels of 10 mm (38 at 96
    // dots per inch), nothing above or left of them.
    const QImage img = PrintMappingPreview(g.get(), "print-mapping-page1.png");
    EXPECT_EQ(g->PrintNrOfPages(), pages);
    int topLine = -1, leftLine = -1;
    for (int y = 0; y < 200 && topLine < 0; ++y)
        if (PrintMappingDark(img, 60, y)) topLine = y;
    for (int x = 0; x < 200 && leftLine < 0; ++x)
        if (PrintMappingDark(img, x, 60)) leftLine = x;
    EXPECT_EQ(topLine, 38);
    EXPECT_EQ(leftLine, 38);
}

TEST(PrintMapping, RichTextCellsPrintWithTheirSizesStylesAndColours)
{
    TTestAdvGridPtr g = PrintMappingGrid(3, 4);
    g->SetCells(1, 1,
                "{\\rtf1\\ansi{\\fonttbl{\\f0 DejaVu Sans;}}{\\colortbl ;\\red255\\green0\\blue0;}"
                "\\f0\\fs20 small {\\b\\cf1 bold red}}");
    g->SetCells(1, 2, "{\\rtf1\\ansi{\\fonttbl{\\f0 DejaVu Sans;}}\\f0\\fs60 Big}");
    std::map<int, int> heights;
    g->OnPrintSetRowHeight = [&](TObject*, int row, int& h) { heights[row] = h; };
    TRecordingCanvas rec;
    g->PrintPreview(&rec, PrintMappingA4);
    // A 30-point line needs about three times the room of a 10-point one.
    ASSERT_TRUE(heights.count(1) && heights.count(2));
    EXPECT_GT(heights[2], 2 * heights[1]);
    EXPECT_LT(heights[1], heights[3] * 3 / 2);
    // Recorded as their text, never as the markup.
    QStringList texts;
    for (const TCanvasOp& op : rec.Ops())
        if (op.Kind == "DrawText" || op.Kind == "TextRect" || op.Kind == "TextOut") texts << op.Text;
    EXPECT_TRUE(texts.contains("small bold red"));
    EXPECT_TRUE(texts.contains("Big"));
    for (const QString& t : texts) EXPECT_FALSE(t.contains("\\rtf")) << t.toStdString();

    // On the preview image the red run is red and the big word is tall.
    const QImage img = PrintMappingPreview(g.get(), "print-mapping-rich.png");
    int red = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb v = img.pixel(x, y);
            red += qRed(v) > 200 && qGreen(v) < 80 && qBlue(v) < 80;
        }
    EXPECT_GT(red, 20);
}

TEST(PrintMapping, TheCustomCellSizeHandlerHasTheLastWordOnAPrintedCell)
{
    TTestAdvGridPtr g = PrintMappingGrid(3, 4);
    g->SetCells(1, 3, "<b>markup</b>");  // mini-markup is measured apart and not offered
    std::map<int, int> heights;
    g->OnPrintSetRowHeight = [&](TObject*, int row, int& h) { heights[row] = h; };
    QStringList asked;
    g->OnCustomCellSize = [&](TObject*, TCanvas* canvas, int col, int row, TPoint& size, bool printing) {
        asked << QStringLiteral("%1,%2 %3 %4").arg(col).arg(row).arg(printing).arg(canvas != nullptr);
        if (col == 1 && row == 2) size.Y = 300;  // 3 cm
    };
    TRecordingCanvas rec;
    g->PrintPreview(&rec, PrintMappingA4);
    EXPECT_TRUE(asked.contains(QStringLiteral("1,2 1 1")));
    EXPECT_FALSE(asked.contains(QStringLiteral("1,3 1 1")));
    ASSERT_TRUE(heights.count(1) && heights.count(2));
    EXPECT_GE(heights[2], 300);
    EXPECT_LT(heights[1], 100);
}

TEST(PrintMapping, AMarkupTitleIsDrawnUnderTheHeaderAndMovesTheRowsDown)
{
    // The first dark pixel row of the preview, left of the page's middle.
    const auto firstInk = [](const QImage& img) {
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width() / 2; ++x)
                if (PrintMappingDark(img, x, y)) return y;
        return -1;
    };
    const auto lastInk = [](const QImage& img) {
        for (int y = img.height() - 1; y >= 0; --y)
            for (int x = 0; x < img.width(); ++x)
                if (PrintMappingDark(img, x, y)) return y;
        return -1;
    };
    TTestAdvGridPtr plain = PrintMappingGrid(3, 4);
    const QImage without = PrintMappingPreview(plain.get(), "print-mapping-no-title.png");
    TTestAdvGridPtr g = PrintMappingGrid(3, 4);
    g->PrintSettings()->SetTitle(ppTopLeft);
    g->PrintSettings()->TitleLines()->Add("<b>Monthly</b>");
    g->PrintSettings()->TitleLines()->Add("<font size=\"14\">report</font>");
    const QImage with = PrintMappingPreview(g.get(), "print-mapping-html-title.png");
    ASSERT_GE(firstInk(without), 0);
    EXPECT_NEAR(firstInk(with), firstInk(without), 10);  // the title takes the rows' place
    EXPECT_GT(lastInk(with), lastInk(without) + 5);      // and pushes them down
}

TEST(PrintMapping, TheSettingsFontsPrintUnlessTheDisplayFontsAreAsked)
{
    const auto rowHeight = [](bool display) {
        TTestAdvGridPtr g = PrintMappingGrid(3, 4);
        g->PrintSettings()->Font()->SetSize(24);
        g->PrintSettings()->FixedFont()->SetSize(24);
        g->PrintSettings()->SetUseDisplayFont(display);
        int h = 0;
        g->OnPrintSetRowHeight = [&](TObject*, int row, int& height) {
            if (row == 2) h = height;
        };
        TRecordingCanvas rec;
        g->PrintPreview(&rec, PrintMappingA4);
        return h;
    };
    const int display = rowHeight(true), own = rowHeight(false);
    EXPECT_GT(display, 0);
    EXPECT_GT(own, display * 3 / 2);  // 24 points against the grid's own font
}
