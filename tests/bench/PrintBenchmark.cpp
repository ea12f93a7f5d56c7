// Print preview of the string grid against Qt's text document on the same
// texts in the same run: a grid of 10,000 rows x 5 columns of short texts
// (fixed seed) previewed on page 1 of an A4 page at 96 dots per inch (which
// lays out every page twice: the counting pass and the drawing pass, drawing
// only page 1), against a QTextDocument holding the same texts in a
// QTextTable laid out on the same page size (pageCount()) and drawing its
// first page into the same kind of image; building the document is outside
// the timing. The grid is also printed once to a PDF file (time only).
//   QT_QPA_PLATFORM=offscreen build/release/tests/bench_print
//   ... --quick   (1,000 rows: what CI runs)

#include "AdvGrid.h"
#include "AdvGridPrint.h"
#include "Graphics.h"
#include "GraphicsPainter.h"
#include "Printers.h"

#include <QAbstractTextDocumentLayout>
#include "BenchTable.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kCols = 5;
int gRows = 10000;

struct GridDeleter {
    void operator()(TAdvStringGrid* g) const { Free(g); }
};
std::unique_ptr<TAdvStringGrid, GridDeleter> gGrid;
std::unique_ptr<QTextDocument> gDoc;

void Generate()
{
    std::mt19937 rng(20261211);
    gGrid.reset(Create<TAdvStringGrid>(nullptr));
    gGrid->SetColCount(kCols);
    gGrid->SetRowCount(gRows);
    gDoc = std::make_unique<QTextDocument>();
    gDoc->setPageSize(QSizeF(794, 1123));
    QTextCursor cur(gDoc.get());
    QTextTable* table = cur.insertTable(gRows, kCols);
    for (int r = 0; r < gRows; ++r)
        for (int c = 0; c < kCols; ++c) {
            const QString s = QStringLiteral("v%1").arg(rng() % 100000);
            gGrid->SetCells(c, r, s);
            table->cellAt(r, c).firstCursorPosition().insertText(s);
        }
}

void BM_GridPreview(benchmark::State& state)
{
    QImage img(794, 1123, QImage::Format_RGB32);
    for (auto _ : state) {
        img.fill(Qt::white);
        TCanvas canvas;
        canvas.SetBackend(std::make_unique<TPainterBackend>(&img));
        gGrid->SetPreviewPage(1);
        gGrid->PrintPreview(&canvas, TRect(0, 0, 794, 1123));
        benchmark::DoNotOptimize(gGrid->PrintNrOfPages());
    }
}

void BM_DocumentPreview(benchmark::State& state)
{
    QImage img(794, 1123, QImage::Format_RGB32);
    for (auto _ : state) {
        img.fill(Qt::white);
        gDoc->markContentsDirty(0, gDoc->characterCount());
        benchmark::DoNotOptimize(gDoc->pageCount());
        QPainter p(&img);
        p.setClipRect(QRect(0, 0, 794, 1123));
        gDoc->drawContents(&p, QRectF(0, 0, 794, 1123));
    }
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--quick") == 0) gRows = 1000;
    Generate();
    benchmark::RegisterBenchmark("GridPreview", BM_GridPreview)->Unit(benchmark::kMillisecond)->UseRealTime();
    benchmark::RegisterBenchmark("DocumentPreview", BM_DocumentPreview)->Unit(benchmark::kMillisecond)->UseRealTime();
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i)
        if (std::strcmp(argv[i], "--quick") != 0) args.push_back(argv[i]);
    int bargc = int(args.size());
    benchmark::Initialize(&bargc, args.data());
    BenchTableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    QTemporaryDir dir;
    QPrinter device(QPrinter::HighResolution);
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setOutputFileName(dir.filePath(QStringLiteral("grid.pdf")));
    TPrinter printer(&device);
    QElapsedTimer t;
    t.start();
    gGrid->PrintOn(&printer);
    const double pdf = t.elapsed() / 1000.0;

    const double doc = reporter.Seconds("DocumentPreview");
    const double ratio = doc > 0 ? reporter.Seconds("GridPreview") / doc : 0;
    std::printf("\nPreview of page 1, %d x %d cells (%d pages)\n", gRows, kCols, gGrid->PrintNrOfPages());
    std::printf("grid %.3f s, text document %.3f s, ratio %.2f (target <= 0.5)\n", reporter.Seconds("GridPreview"),
                reporter.Seconds("DocumentPreview"), ratio);
    std::printf("print to PDF: %.3f s\n", pdf);
    gGrid.reset();
    gDoc.reset();
    benchmark::Shutdown();
    return 0;
}
