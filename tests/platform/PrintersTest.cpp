// The printer: the device opens only when something is printed, so a job
// begun and aborted leaves nothing behind; errors name their cause.

#include "Graphics.h"
#include "Printers.h"
#include "Services.h"
#include "TestHarness.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <gtest/gtest.h>

namespace {

std::shared_ptr<QPrinter> PrintersTestPdf(const QString& path)
{
    auto p = std::make_shared<QPrinter>(QPrinter::HighResolution);
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setOutputFileName(path);
    p->setResolution(300);
    return p;
}

} // namespace

TEST(Printers, DeviceOpensOnlyWhenDrawnOn)
{
    const QString path = QDir(TestHarness::ProgramDir()).filePath("job.pdf");
    QPrinter device(QPrinter::HighResolution);
    device.setOutputFormat(QPrinter::PdfFormat);
    device.setOutputFileName(path);
    device.setResolution(300);
    TPrinter printer(&device);
    EXPECT_EQ(printer.XResolution(), 300);
    EXPECT_GT(printer.PageWidth(), 2000);
    printer.BeginDoc();
    printer.Abort();
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_TRUE(printer.Aborted());

    printer.BeginDoc();
    printer.Canvas()->TextOut(100, 100, "hello");
    printer.NewPage();
    printer.EndDoc();
    EXPECT_FALSE(printer.Printing());
    EXPECT_TRUE(QFile::exists(path));
}

TEST(Printers, ServicesGiveTheDeviceAndErrorsAreWorded)
{
    {
        ScopedService<std::function<std::shared_ptr<QPrinter>()>> none(&PlatformServices::PrinterDevice,
                                                                        [] { return std::shared_ptr<QPrinter>(); });
        TPrinter printer;
        try {
            printer.BeginDoc();
            FAIL();
        } catch (const EPrinter& e) {
            EXPECT_EQ(e.Message(), "There is no printer to print on");
        }
    }
    const QString bad = QDir(TestHarness::ProgramDir()).filePath("missing/dir/x.pdf");
    ScopedService<std::function<std::shared_ptr<QPrinter>()>> pdf(&PlatformServices::PrinterDevice,
                                                                   [bad] { return PrintersTestPdf(bad); });
    TPrinter printer;
    printer.BeginDoc();
    EXPECT_THROW(printer.EndDoc(), EPrinter);
    EXPECT_FALSE(printer.Printing());
}
