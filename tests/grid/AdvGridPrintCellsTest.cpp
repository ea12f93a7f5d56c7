// Printed cells with more than plain text: turned text, mini-markup,
// gradients and cell graphics, drawn by the screen's painters scaled to the
// page, on the recording canvas, on a preview image and in a PDF file.

#include "AdvGridPrint.h"
#include "AdvGridTestKit.h"
#include "GraphicsPainter.h"
#include "GraphicsRecording.h"
#include "Printers.h"
#include "Services.h"
#include "TestHarness.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <set>

namespace {

const TRect PrintCellsA4(0, 0, 794, 1123);

// A grid with one cell of each kind the page shows beyond plain text.
TTestAdvGridPtr PrintCellsGrid()
{
    TTestAdvGridPtr g = NewFixtureGrid(4, 5);
    g->PrintSettings()->Font()->SetName("DejaVu Sans");
    g->PrintSettings()->Font()->SetSize(10);
    g->PrintSettings()->SetPrintGraphics(true);
    g->SetEnableHTML(true);
    g->SetRowHeights(1, 60);
    g->AddRotated(1, 1, 90, QStringLiteral("turned"));
    g->SetCells(2, 1, QStringLiteral("<b>bold</b> <font color=\"clRed\">red</font>"));
    g->CellProperties(3, 1)->SetBrushColor(TColor(0xFF0000));
    g->CellProperties(3, 1)->SetBrushColorTo(TColor(0x00FFFF));
    g->SetCells(1, 2, QString());
    g->AddCheckBox(1, 2, true, false);
    g->CellProperties(1, 2)->SetAlignment(taRightJustify);
    g->SetCells(2, 2, QStringLiteral("40"));
    g->AddProgress(2, 2, clBlue, clWhite);
    g->SetCells(3, 3, "{\\rtf1\\ansi{\\colortbl ;\\red0\\green128\\blue0;}{\\i\\cf1 rich}}");
    g->SetColWidths(1, 90);
    g->SetColWidths(2, 160);
    return g;
}

// The recorded operations of a preview of page 1.
std::vector<TCanvasOp> PrintCellsOps(TAdvStringGrid* g)
{
    TRecordingCanvas c;
    g->PrintPreview(&c, PrintCellsA4);
    return c.Ops();
}

}  // namespace

TEST(PrintCells, TurnedTextMarkupGradientAndGraphicsReachThePage)
{
    TTestAdvGridPtr g = PrintCellsGrid();
    const std::vector<TCanvasOp> ops = PrintCellsOps(g.get());

    int turned = 0, images = 0, markupAsText = 0;
    std::set<TColor> fills;
    for (const TCanvasOp& op : ops) {
        if ((op.Kind == "TextOut" || op.Kind == "TextRect") && op.Text == "turned") turned += op.FontOrientation == 900;
        if ((op.Kind == "TextOut" || op.Kind == "TextRect") && op.Text.contains("<b>")) ++markupAsText;
        if (op.Kind == "DrawImage") ++images;
        if (op.Kind == "FillRect") fills.insert(op.BrushColor);
    }
    EXPECT_EQ(turned, 1);
    EXPECT_EQ(markupAsText, 0);
    // The markup, the check box and the progress bar, each painted once.
    EXPECT_EQ(images, 3);
    // The gradient runs from the brush colour to the gradient colour.
    EXPECT_TRUE(fills.count(TColor(0xFF0000)));
    EXPECT_GT(fills.size(), size_t(8));

    // Without PrintGraphics the graphics stay off the page; the markup stays.
    g->PrintSettings()->SetPrintGraphics(false);
    int without = 0;
    for (const TCanvasOp& op : PrintCellsOps(g.get())) without += op.Kind == "DrawImage";
    EXPECT_EQ(without, 1);
}

TEST(PrintCells, TurnedTextIsPlacedByTheScreensRuleWithYUp)
{
    // A cell turned by 90 degrees, left and top aligned, starts at the cell's
    // left edge and reads upward from the bottom of its text: the start point
    // lies a text width below the cell's top (in 0.1 mm, y upward).
    TTestAdvGridPtr g = PrintCellsGrid();
    int x = -1, y = 1, textWidth = 0;
    TRecordingCanvas c;
    g->PrintPreview(&c, PrintCellsA4);
    for (const TCanvasOp& op : c.Ops())
        if (op.Kind == "TextOut" && op.Text == "turned") {
            x = op.Points.at(0).X;
            y = op.Points.at(0).Y;
        }
    ASSERT_GE(x, 0);
    for (const TCanvasOp& op : c.Ops())
        if (op.Kind == "TextRect" && op.Text == "0,1") {
            // The row's top and the text width in the same font, both in 0.1 mm.
            TCanvas m;
            m.SetMapMode(MM_LOMETRIC);
            m.Font()->SetName(op.FontName);
            m.Font()->SetHeight(op.FontHeight);
            textWidth = m.TextWidth("turned");
            EXPECT_LT(y, op.Rect.Top - textWidth / 2);
            EXPECT_GT(y, op.Rect.Bottom);
        }
    EXPECT_GT(textWidth, 0);
}

TEST(PrintCells, PreviewImageShowsTheCheckBoxAtTheRightAndTheMarkupInk)
{
    TTestAdvGridPtr g = PrintCellsGrid();
    // Where the cells are: the plain neighbours' text rectangles.
    TRect rowTwo, colTwo;
    for (const TCanvasOp& op : PrintCellsOps(g.get())) {
        if (op.Kind == "TextRect" && op.Text == "0,2") rowTwo = op.Rect;
        if (op.Kind == "TextRect" && op.Text == "2,0") colTwo = op.Rect;
    }
    ASSERT_NE(rowTwo.Top, rowTwo.Bottom);
    // From the page's 0.1 mm to the image's pixels.
    TCanvas map;
    map.SetMapMode(MM_LOMETRIC);
    const auto toPixels = [&](const TRect& r) {
        const TRect d = map.LPtoDP(r);
        return TRect(std::min(d.Left, d.Right), std::min(d.Top, d.Bottom), std::max(d.Left, d.Right),
                     std::max(d.Top, d.Bottom));
    };
    rowTwo = toPixels(rowTwo);
    colTwo = toPixels(colTwo);
    QImage img(794, 1123, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        TCanvas canvas;
        canvas.SetBackend(std::make_unique<TPainterBackend>(&img));
        g->PrintPreview(&canvas, PrintCellsA4);
    }
    img.save(TestHarness::GrabPath("print-cells-preview.png"));
    // Column 1 of row 2 lies right of column 0's rectangle; the box stands
    // in its right half.
    const int cellLeft = rowTwo.Right, cellRight = colTwo.Left;
    int leftInk = 0, rightInk = 0;
    for (int y = rowTwo.Top + 1; y < rowTwo.Bottom - 1; ++y)
        for (int x = cellLeft + 2; x < cellRight - 2; ++x)
            if (qGray(img.pixel(x, y)) < 160) (x < (cellLeft + cellRight) / 2 ? leftInk : rightInk)++;
    EXPECT_EQ(leftInk, 0);
    EXPECT_GT(rightInk, 10);
}

TEST(PrintCells, APdfPageShowsTheTurnedAndMarkupCells)
{
    const QString pdf = QDir(TestHarness::ProgramDir()).filePath("print-cells.pdf");
    ScopedService<std::function<std::shared_ptr<QPrinter>()>> device(&PlatformServices::PrinterDevice, [pdf] {
        auto p = std::make_shared<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(pdf);
        p->setResolution(300);
        p->setPageSize(QPageSize(QPageSize::A4));
        return p;
    });
    Printer()->ResetDevice();
    TTestAdvGridPtr g = PrintCellsGrid();
    g->Print();
    Printer()->ResetDevice();
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_GT(QFile(pdf).size(), 1000);

    // Rendered for a look when the renderer is there.
    const QString renderer = QStandardPaths::findExecutable("pdftoppm");
    const QString dir = QString::fromLocal8Bit(qgetenv("CALYPTOR_GRAB_DIR"));
    if (renderer.isEmpty() || dir.isEmpty()) return;
    QProcess p;
    p.start(renderer, {"-png", "-r", "100", "-f", "1", "-l", "1", pdf, QDir(dir).filePath("print-cells-pdf")});
    EXPECT_TRUE(p.waitForFinished(60000));
}

TEST(PrintCells, AFilePictureIsReadFromItsFileWhenItPrints)
{
    TTestAdvGridPtr g = NewFixtureGrid(3, 3);
    g->PrintSettings()->SetPrintGraphics(true);
    g->SetRowHeights(1, 40);
    const QString file = QDir(TestHarness::ProgramDir()).filePath("cell-picture.png");
    QImage red(12, 12, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(file));
    g->CreateFilePicture(1, 1, false, noStretch, 0, haLeft, vaTop)->SetFilename(file);
    int images = 0;
    for (const TCanvasOp& op : PrintCellsOps(g.get())) images += op.Kind == "DrawImage";
    EXPECT_EQ(images, 1);
    // A file gone since: the print stops with the file's error.
    ASSERT_TRUE(QFile::remove(file));
    EXPECT_THROW(PrintCellsOps(g.get()), Exception);
}
