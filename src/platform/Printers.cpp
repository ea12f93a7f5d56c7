#include "Printers.h"

#include "Graphics.h"
#include "GraphicsPainter.h"
#include "Services.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

struct PrintersTexts {
    static QString NoPrinter() { return QStringLiteral("There is no printer to print on"); }
    static QString NotStarted(const QString& why) { return QStringLiteral("The print job could not be started: ") + why; }
};

std::shared_ptr<QPrinter> PrintersDefaultDevice()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) throw EPrinter(PrintersTexts::NoPrinter());
    return std::make_shared<QPrinter>(info, QPrinter::HighResolution);
}

// A canvas that measures only, for a printer that is not printing.
class PrintersIdleBackend : public TPainterBackend {
public:
    explicit PrintersIdleBackend(int dpi) : TPainterBackend(static_cast<QPainter*>(nullptr)), FDpi(dpi) {}
    int PixelsPerInch(TCanvas&) override { return FDpi; }

private:
    int FDpi;
};

} // namespace

TPrinter::TPrinter() = default;

TPrinter::TPrinter(QPrinter* device) : FDevice(device) {}

TPrinter::~TPrinter()
{
    if (FPrinting) Abort();
}

QPrinter* TPrinter::Device()
{
    if (!FDevice) {
        FOwned = Services().PrinterDevice ? Services().PrinterDevice() : PrintersDefaultDevice();
        if (!FOwned) throw EPrinter(PrintersTexts::NoPrinter());
        FDevice = FOwned.get();
    }
    return FDevice;
}

void TPrinter::ResetDevice()
{
    if (FPrinting || !FOwned) return;
    FCanvas.reset();
    FMeasure.reset();
    FOwned.reset();
    FDevice = nullptr;
}

void TPrinter::BeginDoc()
{
    Device();
    FCanvas.reset();
    FPrinting = true;
    FAborted = false;
    FPendingPage = false;
}

void TPrinter::Open()
{
    if (FPainter) return;
    QPrinter* d = Device();
    d->setDocName(FTitle);
    FPainter = std::make_unique<QPainter>();
    if (!FPainter->begin(d)) {
        FPainter.reset();
        FPrinting = false;
        const QString why = d->outputFileName().isEmpty() ? QStringLiteral("the printer does not answer")
                                                          : QStringLiteral("cannot write ") + d->outputFileName();
        throw EPrinter(PrintersTexts::NotStarted(why));
    }
    FCanvas = std::make_unique<TCanvas>(FPainter.get());
}

void TPrinter::Close()
{
    FCanvas.reset();
    if (FPainter) FPainter->end();
    FPainter.reset();
}

void TPrinter::EndDoc()
{
    if (!FPrinting) return;
    Open();
    Close();
    FPrinting = false;
}

void TPrinter::Abort()
{
    if (FPainter && FDevice) FDevice->abort();
    Close();
    FPrinting = false;
    FAborted = true;
}

void TPrinter::NewPage()
{
    if (!FPrinting) return;
    Open();
    FDevice->newPage();
}

TCanvas* TPrinter::Canvas()
{
    if (FPrinting) {
        Open();
        return FCanvas.get();
    }
    if (!FCanvas) {
        FCanvas = std::make_unique<TCanvas>();
        FCanvas->SetBackend(std::make_unique<PrintersIdleBackend>(XResolution()));
    }
    return FCanvas.get();
}

TCanvas* TPrinter::MeasureCanvas()
{
    const int dpi = XResolution();
    if (!FMeasure || FMeasure->PixelsPerInch() != dpi) {
        FMeasure = std::make_unique<TCanvas>();
        FMeasure->SetBackend(std::make_unique<PrintersIdleBackend>(dpi));
    }
    return FMeasure.get();
}

TPrinterOrientation TPrinter::Orientation()
{
    return Device()->pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
}

void TPrinter::SetOrientation(TPrinterOrientation v)
{
    Device()->setPageOrientation(v == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

int TPrinter::PageWidth()
{
    return Device()->pageLayout().paintRectPixels(Device()->resolution()).width();
}

int TPrinter::PageHeight()
{
    return Device()->pageLayout().paintRectPixels(Device()->resolution()).height();
}

int TPrinter::XResolution()
{
    return Device()->resolution();
}

int TPrinter::YResolution()
{
    return Device()->resolution();
}

TPrinter* Printer()
{
    static TPrinter printer;
    return &printer;
}
