// Program entry.
#include "ProductionServices.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Calyptor"));
    InstallProductionServices();
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("CF52104"));
    w.resize(640, 480);
    w.show();
    return app.exec();
}
