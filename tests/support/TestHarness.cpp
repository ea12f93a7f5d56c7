#include "TestHarness.h"

#include "TempProgramDir.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QPixmap>
#include <QWidget>

namespace TestHarness {

void InstallFont()
{
    const char* candidates[] = {
        "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    };
    for (const char* path : candidates) {
        int id = QFontDatabase::addApplicationFont(QString::fromLatin1(path));
        if (id >= 0) {
            QStringList fam = QFontDatabase::applicationFontFamilies(id);
            if (!fam.isEmpty()) {
                QFont f(fam.first());
                f.setPixelSize(11);
                QApplication::setFont(f);
            }
            return;
        }
    }
}

void InstallTestServices()
{
    InstallTempProgramDir();
}

QString ProgramDir()
{
    return CurrentTempProgramDir();
}

bool GrabToPng(QWidget* w, const QString& path)
{
    if (!w) return false;
    return w->grab().save(path, "PNG");
}

}  // namespace TestHarness
