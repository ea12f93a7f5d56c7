// Program entry: no command line and no environment are read. The main
// window's creation sets up the shared state; closing it ends the run.
#include "AppWindows.h"
#include "Forms.h"
#include "ProductionServices.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Calyptor"));
    InstallProductionServices();

    CreateAppWindows();
    Application->Run();
    DestroyAppWindows();
    return 0;
}
