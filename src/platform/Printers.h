#pragma once
// The printer: one print job at a time on a QPrinter. The process-wide
// printer's device comes from Services().PrinterDevice (production: the
// system's default printer; tests: a PDF file in their temporary folder).
// A printer can also print into a QPrinter its caller hands over, as Qt's
// print preview dialog does in its paint request.

#include "SysUtils.h"

#include <QString>
#include <memory>

class QPrinter;
class QPainter;
class TCanvas;

enum TPrinterOrientation { poPortrait, poLandscape };

DECLARE_EXCEPTION(EPrinter, Exception)

class TPrinter {
public:
    // The device is asked for when first needed.
    TPrinter();
    // Prints into the caller's device, which must outlive the printer.
    explicit TPrinter(QPrinter* device);
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // Marks the job begun; the device opens at the first drawing, NewPage or
    // EndDoc, so a job begun and aborted before any of them leaves nothing.
    void BeginDoc();
    void EndDoc();
    void Abort();
    void NewPage();
    bool Printing() const { return FPrinting; }
    bool Aborted() const { return FAborted; }

    QString Title() const { return FTitle; }
    void SetTitle(const QString& v) { FTitle = v; }
    TPrinterOrientation Orientation();
    void SetOrientation(TPrinterOrientation v);
    // Printable area in device pixels and the device's resolution.
    int PageWidth();
    int PageHeight();
    int XResolution();
    int YResolution();
    // Drawing on it opens the device when a job is begun.
    TCanvas* Canvas();
    // A canvas that measures at the device's resolution and draws nothing,
    // and never opens the device (to lay pages out before printing them).
    TCanvas* MeasureCanvas();
    // The device, asked for from the services when none was given.
    QPrinter* Device();
    // Forgets a device the services gave, so the next use asks again.
    void ResetDevice();

private:
    void Open();
    void Close();
    std::shared_ptr<QPrinter> FOwned;
    QPrinter* FDevice = nullptr;
    std::unique_ptr<QPainter> FPainter;
    std::unique_ptr<TCanvas> FCanvas;
    std::unique_ptr<TCanvas> FMeasure;
    QString FTitle;
    bool FPrinting = false;
    bool FAborted = false;
    bool FPendingPage = false;
};

// The process-wide printer.
TPrinter* Printer();
