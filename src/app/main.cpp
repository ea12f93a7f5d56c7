// Program entry.
#include "ProductionServices.h"
#include "UComon.h"
#include "ULanguage.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Calyptor"));
    InstallProductionServices();

    // The shared state every window reads, set up before the first window.
    SetProgramFolders();
    ReadSettingsFile();
    Update_Read_Back = true;
    Software_Code = QStringLiteral("CF52104");
    Software_Desc = QStringLiteral("R7arir / Serial - Converter");
    SetupLanguage();
    if (!Project_Name.isEmpty() && DirectoryExists(Projects_Dir + u'/' + Project_Name))
        Project_Path = Projects_Dir + u'/' + Project_Name;
    else
        Project_Name.clear();
    Set_Files();

    QMainWindow w;
    w.setWindowTitle(Software_Code);
    w.resize(640, 480);
    w.show();
    const int rc = app.exec();
    WriteSettingsFile();  // a failure loses only this run's choices
    return rc;
}
