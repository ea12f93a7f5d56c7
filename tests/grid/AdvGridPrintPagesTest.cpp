// The page engine: pages, column bands, fitting, page events, the header
// and footer texts, and print jobs to PDF files and previews on images.

#include "AdvGridPrint.h"
#include "AdvGridTestKit.h"
#include "Clock.h"
#include "DateUtils.h"
#include "GraphicsPainter.h"
#include "GraphicsRecording.h"
#include "Printers.h"
#include "Services.h"
#include "TestHarness.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPageSize>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <limits>
#include <map>

namespace {

// A4 at 96 dots per inch, the preview's page.
const TRect PrintA4(0, 0, 794, 1123);

QString PrintPdfPath(const QString& name)
{
    return QDir(TestHarness::ProgramDir()).filePath(name);
}

std::shared_ptr<QPrinter> PrintPdfDevice(const QString& path)
{
    auto p = std::make_shared<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(path);
    p->setResolution(300);
    p->setPageSize(QPageSize(QPageSize::A4));
    return p;
}

int PrintPdfPages(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    return int(QString::fromLatin1(f.readAll()).count(QRegularExpression("/Type\\s*/Page[^s]")));
}

// Installs the PDF device of the process-wide printer for a test's scope.
struct PrintToPdf {
    explicit PrintToPdf(const QString& path)
        : Guard(&PlatformServices::PrinterDevice, [path] { return PrintPdfDevice(path); })
    {
        Printer()->ResetDevice();
    }
    ~PrintToPdf() { Printer()->ResetDevice(); }
    ScopedService<std::function<std::shared_ptr<QPrinter>()>> Guard;
};

TTestAdvGridPtr PrintGrid(int cols, int rows)
{
    TTestAdvGridPtr g = NewFixtureGrid(cols, rows);
    g->PrintSettings()->Font()->SetName("DejaVu Sans");
    g->PrintSettings()->Font()->SetSize(10);
    return g;
}

QStringList PrintTexts(const TRecordingCanvas& c)
{
    QStringList t;
    for (const TCanvasOp& op : c.Ops())
        if (op.Kind == "TextOut" || op.Kind == "TextRect") t << op.Text;
    return t;
}

} // namespace

TEST(PrintPages, CountAndDrawPassesAgreeAndFixedRowsRepeat)
{
    TTestAdvGridPtr g = PrintGrid(4, 150);
    g->PrintSettings()->SetRepeatFixedRows(true);
    TRecordingCanvas c;
    std::vector<int> pages;
    g->OnPrintPage = [&](TObject*, TCanvas*, int page, int, int) { pages.push_back(page); };
    g->PrintPreview(&c, PrintA4);
    const int n = g->PrintNrOfPages();
    ASSERT_GE(n, 3);
    // Page 2 drawn: it starts with the repeated fixed row.
    g->SetPreviewPage(2);
    c.ClearLog();
    g->PrintPreview(&c, PrintA4);
    EXPECT_EQ(g->PrintNrOfPages(), n);
    const QStringList texts = PrintTexts(c);
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts.first(), "0,0");
    EXPECT_FALSE(texts.contains("0,1"));
    ASSERT_FALSE(pages.empty());
    EXPECT_EQ(pages.front(), 1);
    EXPECT_EQ(pages.back(), 2);
}

TEST(PrintPages, LayoutScenarios)
{
    struct Case {
        const char* Name;
        int Cols;
        TFitToPage Fit;
        bool Centered;
    };
    const Case cases[] = {
        {"centred narrow", 3, fpNever, true},
        {"shrink keeps narrow widths", 3, fpShrink, true},
        {"grow fills the page", 3, fpGrow, false},
    };
    for (const Case& k : cases) {
        TTestAdvGridPtr g = PrintGrid(k.Cols, 5);
        g->PrintSettings()->SetFitToPage(k.Fit);
        g->PrintSettings()->SetCentered(k.Centered);
        g->PrintSettings()->SetLeftSize(100);
        g->PrintSettings()->SetRightSize(100);
        TRecordingCanvas c;
        g->PrintPreview(&c, PrintA4);
        const int W = g->PrintPageRect().Right;
        int sum = 0;
        for (int col = 0; col < k.Cols; ++col) sum += g->PrintColWidth(col) + 20;
        if (k.Fit == fpGrow) {
            EXPECT_NEAR(sum, W - 200, k.Cols + 1) << k.Name;
            EXPECT_EQ(g->PrintColOffset(0), 100) << k.Name;
        } else {
            EXPECT_LT(sum, W / 2) << k.Name;
            EXPECT_EQ(g->PrintColOffset(0), (W - g->PrintPageWidth()) / 2) << k.Name;
        }
    }
}

TEST(PrintPages, WideGridsSplitIntoBandsOfAtLeastTwoColumns)
{
    TTestAdvGridPtr g = PrintGrid(6, 3);
    for (int c = 0; c < 6; ++c) g->SetCells(c, 1, QString(120, QLatin1Char('W')));
    TRecordingCanvas c;
    std::vector<std::pair<int, int>> bands;
    g->OnPrintPageDone = [&](TObject*, TCanvas*, int, int, int, int, int) {
        bands.emplace_back(g->PrintColStart(), g->PrintColEnd());
    };
    g->PrintSettings()->SetPageNr(ppBottomRight);
    QStringList numbers;
    g->OnPrintGetPageNum = [&](TObject*, int, int, QString& s) { numbers << s; };
    for (int p = 1; p <= 3; ++p) {
        g->SetPreviewPage(p);
        g->PrintPreview(&c, PrintA4);
    }
    EXPECT_EQ(g->PrintNrOfPages(), 3);
    ASSERT_FALSE(bands.empty());
    for (auto [a, b] : bands) EXPECT_GE(b - a, 1);
    EXPECT_EQ(numbers, QStringList({"1-1", "1-2", "1-3"}));
}

TEST(PrintPages, ManyColumnsTallRowsCancelAndForcedBreaksAllEnd)
{
    {
        TTestAdvGridPtr g = PrintGrid(600, 3);
        TRecordingCanvas c;
        g->PrintPreview(&c, PrintA4);
        EXPECT_GT(g->PrintNrOfPages(), 20);
    }
    {
        // A row taller than the page prints cut, alone on its page.
        TTestAdvGridPtr g = PrintGrid(3, 4);
        g->SetMultilineCells(true);
        g->SetCells(1, 2, QStringList(QVector<QString>(200, "x").toList()).join("\n"));
        TRecordingCanvas c;
        g->PrintPreview(&c, PrintA4);
        EXPECT_EQ(g->PrintNrOfPages(), 3);
    }
    {
        // Cancelled after page 1: the run ends there.
        TTestAdvGridPtr g = PrintGrid(3, 300);
        std::vector<int> done;
        g->OnPrintPageDone = [&](TObject*, TCanvas*, int, int, int page, int, int) { done.push_back(page); };
        g->OnPrintCancel = [](TObject*, int page, bool& cancel) { cancel = page == 1; };
        TRecordingCanvas c;
        g->SetPreviewPage(1);
        g->PrintPreview(&c, PrintA4);
        EXPECT_EQ(done, std::vector<int>({1}));
    }
    {
        TTestAdvGridPtr g = PrintGrid(3, 10);
        g->OnPrintNewPage = [](TObject*, int row, bool& np) { np = row == 4; };
        TRecordingCanvas c;
        g->PrintPreview(&c, PrintA4);
        EXPECT_EQ(g->PrintNrOfPages(), 2);
    }
}

TEST(PrintPages, HeaderAndFooterTexts)
{
    ScopedService<std::shared_ptr<IClock>> clock(&PlatformServices::Clock, std::make_shared<TestClock>());
    static_cast<TestClock*>(Services().Clock.get())->SetNow(EncodeDate(2026, 3, 4) + EncodeTime(13, 45, 0, 0));
    TTestAdvGridPtr g = PrintGrid(3, 200);
    TPrintSettings* ps = g->PrintSettings();
    ps->SetPageNr(ppBottomRight);
    ps->SetTime(ppTopLeft);
    ps->SetDate(ppTopLeft);
    ps->SetTitle(ppTopCenter);
    TStringList title;
    title.SetText("one\rtwo\rthree");
    ps->SetTitleLines(&title);
    TRecordingCanvas c;
    g->SetPreviewPage(3);
    g->PrintPreview(&c, PrintA4);
    const int n = g->PrintNrOfPages();
    const QStringList t = PrintTexts(c);
    EXPECT_TRUE(t.contains(QStringLiteral("  3/%1 ").arg(n))) << t.join("|").toStdString();
    EXPECT_TRUE(t.contains("04/03/2026 13:45 ")) << t.join("|").toStdString();
    EXPECT_TRUE(t.contains("one"));
    EXPECT_TRUE(t.contains("two"));
    EXPECT_TRUE(t.contains("three"));

    ps->SetPageNumSep("");
    ps->SetPageNumberOffset(10);
    ps->SetTitleText("Report");
    g->SetPreviewPage(1);
    c.ClearLog();
    g->PrintPreview(&c, PrintA4);
    const QStringList u = PrintTexts(c);
    EXPECT_TRUE(u.contains("  11 "));
    EXPECT_TRUE(u.contains(" Report"));
    EXPECT_FALSE(u.contains("one"));
}

TEST(PrintPages, CellBordersFollowTheBorderSetting)
{
    struct Case {
        TPrintBorders B;
        int Lines; // four cells, and the page's bottom line for pbHorizontal
    };
    for (const Case k : {Case{pbSingle, 16}, Case{pbHorizontal, 9}, Case{pbVertical, 8}, Case{pbNoborder, 0}}) {
        TTestAdvGridPtr g = PrintGrid(2, 2);
        g->PrintSettings()->SetBorders(k.B);
        TRecordingCanvas c;
        g->PrintPreview(&c, PrintA4);
        int lines = 0;
        for (const TCanvasOp& op : c.Ops()) lines += op.Kind == "Line";
        EXPECT_EQ(lines, k.Lines) << int(k.B);
    }
}

TEST(PrintPages, MergedCellPrintsOnceAcross)
{
    TTestAdvGridPtr g = PrintGrid(3, 3);
    g->SetCells(1, 1, "merged");
    g->MergeCells(1, 1, 2, 1);
    TRecordingCanvas c;
    g->PrintPreview(&c, PrintA4);
    const QStringList t = PrintTexts(c);
    EXPECT_EQ(t.count("merged"), 1);
    EXPECT_FALSE(t.contains("2,1"));
}

TEST(PrintJob, ThreePagesToPdfAndOnePageForARange)
{
    const QString path = PrintPdfPath("three.pdf");
    PrintToPdf pdf(path);
    TTestAdvGridPtr g = PrintGrid(4, 150);
    g->PrintSettings()->SetTitleText("Three pages");
    g->PrintSettings()->SetTitle(ppTopCenter);
    g->PrintSettings()->SetPageNr(ppBottomRight);
    g->Print();
    const int n = g->PrintNrOfPages();
    EXPECT_GE(n, 3);
    EXPECT_EQ(PrintPdfPages(path), n);

    const QString two = PrintPdfPath("two.pdf");
    PrintToPdf pdf2(two);
    g->OnPrintStart = [](TObject*, int, int& from, int& to) { from = to = 2; };
    g->Print();
    EXPECT_EQ(PrintPdfPages(two), 1);

    // An empty range prints nothing and leaves no file.
    const QString none = PrintPdfPath("none.pdf");
    PrintToPdf pdf3(none);
    g->OnPrintStart = [](TObject*, int, int& from, int& to) { from = 0, to = 0; };
    g->Print();
    EXPECT_FALSE(QFile::exists(none));
}

TEST(PrintJob, UnwritableTargetRaisesAndTheGridStays)
{
    PrintToPdf pdf(PrintPdfPath("no/such/folder/x.pdf"));
    TTestAdvGridPtr g = PrintGrid(3, 5);
    try {
        g->Print();
        FAIL();
    } catch (const EPrinter& e) {
        EXPECT_TRUE(e.Message().startsWith("The print job could not be started: ")) << e.what();
    }
    EXPECT_EQ(g->Cells(1, 1), "1,1");
    EXPECT_FALSE(Printer()->Printing());
}

TEST(PrintJob, PreviewOfPageTwoOnAnImage)
{
    TTestAdvGridPtr g = PrintGrid(4, 150);
    g->SetCells(1, 60, "page two");
    g->PrintSettings()->SetTitleText("Preview");
    g->PrintSettings()->SetTitle(ppTopCenter);
    g->PrintSettings()->SetPageNr(ppBottomRight);
    QImage img(794, 1123, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        TCanvas canvas;
        canvas.SetBackend(std::make_unique<TPainterBackend>(&img));
        g->SetPreviewPage(2);
        g->PrintPreview(&canvas, PrintA4);
    }
    img.save(TestHarness::GrabPath("print-preview-page2.png"));
    int dark = 0;
    for (int y = 0; y < img.height(); y += 2)
        for (int x = 0; x < img.width(); x += 2) dark += qGray(img.pixel(x, y)) < 128;
    EXPECT_GT(dark, 500);
}

TEST(PrintJob, PagesShowInQtsPreviewDialog)
{
    TTestAdvGridPtr g = PrintGrid(5, 40);
    g->SetCells(2, 3, "merged cell");
    g->MergeCells(2, 3, 2, 1);
    g->PrintSettings()->SetTitleText("Preview dialog");
    g->PrintSettings()->SetTitle(ppTopCenter);
    g->PrintSettings()->SetPageNr(ppBottomRight);
    QPrinter device(QPrinter::ScreenResolution);
    device.setPageSize(QPageSize(QPageSize::A4));
    QPrintPreviewDialog dialog(&device);
    int requests = 0;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&](QPrinter* p) {
        ++requests;
        TPrinter printer(p);
        g->PrintOn(&printer);
    });
    dialog.resize(700, 800);
    dialog.show();
    PumpEvents();
    EXPECT_GE(requests, 1);
    EXPECT_TRUE(TestHarness::GrabToPng(&dialog, TestHarness::GrabPath("print-preview-dialog.png")));
    dialog.close();
}

TEST(PrintJob, NonFiniteFitScaleEndsTheRunCleanly)
{
    PrintToPdf pdf(PrintPdfPath("nan.pdf"));
    TTestAdvGridPtr g = PrintGrid(3, 5);
    g->PrintSettings()->SetFitToPage(fpCustom);
    g->OnFitToPage = [](TObject*, double& scale, bool&) { scale = std::numeric_limits<double>::quiet_NaN(); };
    EXPECT_ANY_THROW(g->Print());
    EXPECT_FALSE(Printer()->Printing());
    EXPECT_EQ(g->Fontscalefactor(), 1.0);
}

TEST(PrintPages, SelectedRowsAndMultilineCells)
{
    TTestAdvGridPtr g = PrintGrid(3, 10);
    g->MouseActions()->SetDisjunctRowSelect(true);
    g->SetRowSelect(3, true);
    g->SetRowSelect(5, true);
    TRecordingCanvas c;
    g->PrintPreviewSelectedRows(&c, PrintA4);
    QStringList t = PrintTexts(c);
    EXPECT_TRUE(t.contains("1,3"));
    EXPECT_TRUE(t.contains("2,5"));
    EXPECT_FALSE(t.contains("1,4"));
    EXPECT_FALSE(t.contains("1,0"));
    g->PrintSettings()->SetFixedCellsAlways(true);
    c.ClearLog();
    g->PrintPreviewSelectedRows(&c, PrintA4);
    EXPECT_TRUE(PrintTexts(c).contains("1,0"));

    TTestAdvGridPtr m = PrintGrid(3, 4);
    m->SetCells(1, 2, "top\nbottom");
    for (bool multi : {true, false}) {
        m->SetMultilineCells(multi);
        c.ClearLog();
        m->PrintPreview(&c, PrintA4);
        t = PrintTexts(c);
        EXPECT_EQ(t.contains("top") && t.contains("bottom"), multi);
        EXPECT_EQ(t.contains("top\nbottom"), !multi);
    }
}

TEST(PrintJob, PrinterCanvasIsMetricAtThePrintersResolution)
{
    const QString path = PrintPdfPath("mapping.pdf");
    std::vector<TPoint> firstRowOnDevice;
    std::map<int, int> lastRows;
    TTestAdvGridPtr g = PrintGrid(4, 150);
    // Rows start 10 mm below the top, columns 10 mm from the left edge.
    g->PrintSettings()->SetHeaderSize(100);
    g->PrintSettings()->SetCentered(false);
    g->PrintSettings()->SetLeftSize(100);
    {
        PrintToPdf pdf(path);
        g->OnPrintPage = [&](TObject*, TCanvas* c, int, int, int) {
            EXPECT_EQ(c->MapMode(), MM_LOMETRIC);
            firstRowOnDevice.push_back(c->LPtoDP(TPoint(100, -100)));
        };
        g->OnPrintPageDone = [&](TObject*, TCanvas*, int lastRow, int, int page, int, int) {
            lastRows[page] = lastRow;
        };
        g->Print();
    }
    const int n = g->PrintNrOfPages();
    ASSERT_GE(n, 3);
    EXPECT_EQ(PrintPdfPages(path), n);
    // 10 mm are 118 pixels at 300 dots per inch.
    ASSERT_FALSE(firstRowOnDevice.empty());
    EXPECT_EQ(firstRowOnDevice.front(), TPoint(118, 118));
    EXPECT_EQ(int(lastRows.size()), n);

    // The counting pass measured as the printer draws: a preview at the
    // printer's resolution on its page breaks the rows at the same places.
    QPrinter probe(QPrinter::HighResolution);
    probe.setResolution(300);
    probe.setPageSize(QPageSize(QPageSize::A4));
    const QRect page = probe.pageLayout().paintRectPixels(300);
    TRecordingCanvas rec(TRect(0, 0, page.width(), page.height()));
    rec.SetPixelsPerInch(300);
    std::map<int, int> previewRows;
    g->OnPrintPage = nullptr;
    g->OnPrintPageDone = [&](TObject*, TCanvas*, int lastRow, int, int p, int, int) { previewRows[p] = lastRow; };
    // Every page is laid out (and reported) while page 1 is drawn.
    g->SetPreviewPage(1);
    g->PrintPreview(&rec, TRect(0, 0, page.width(), page.height()));
    EXPECT_EQ(g->PrintNrOfPages(), n);
    EXPECT_EQ(previewRows, lastRows);
}

TEST(PrintPages, TheLinesAndTheCellMeasuringLeaveTheCanvasFontAsTheyFoundIt)
{
    TTestAdvGridPtr g = PrintGrid(3, 120);
    TPrintSettings* ps = g->PrintSettings();
    ps->HeaderFont()->SetName("DejaVu Serif");
    ps->FooterFont()->SetName("DejaVu Sans Mono");
    ps->SetPageNr(ppBottomRight);
    ps->SetTitle(ppTopLeft);
    ps->SetTitleText("Title");
    // Page 2: its first row was measured on page 1, so nothing sets the
    // canvas font between the lines and that row's cell lines.
    TRecordingCanvas c;
    g->SetPreviewPage(2);
    g->PrintPreview(&c, PrintA4);
    // The two fonts write the lines' texts and nothing else: the cell
    // lines drawn after them carry the canvas font of before.
    int lineTexts = 0, leaked = 0;
    for (const TCanvasOp& op : c.Ops()) {
        const bool lineFont = op.FontName == "DejaVu Serif" || op.FontName == "DejaVu Sans Mono";
        if (op.Kind == "TextOut" || op.Kind == "TextRect") lineTexts += lineFont;
        else leaked += lineFont;
    }
    EXPECT_GE(lineTexts, 2);
    EXPECT_EQ(leaked, 0);

    // Measuring a cell leaves no font behind either: a page ends, as it
    // began, on the print settings' font, not on the last measured cell's.
    g->Font()->SetName("DejaVu Serif");
    QStringList fonts;
    g->OnPrintPage = [&](TObject*, TCanvas* Canvas, int, int, int) { fonts << Canvas->Font()->Name(); };
    g->OnPrintPageDone = [&](TObject*, TCanvas* Canvas, int, int, int, int, int) { fonts << Canvas->Font()->Name(); };
    g->PrintPreview(&c, PrintA4);
    ASSERT_FALSE(fonts.isEmpty());
    EXPECT_EQ(fonts.count(ps->Font()->Name()), fonts.size()) << fonts.join("|").toStdString();
}
