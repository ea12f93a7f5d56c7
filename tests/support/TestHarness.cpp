#include "TestHarness.h"
#include "Controls.h"

#include "Clock.h"
#include "Fakes.h"
#include "FormatSettings.h"
#include "Services.h"
#include "TempProgramDir.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
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
    PlatformServices& s = Services();
    // No test may reach an address but 127.0.0.1, whatever it installs.
    s.LoopbackOnly = true;
    // Test time: waits and time-outs run without wall-clock delay; a test that
    // needs the real clock installs a SystemClock for its scope.
    s.Clock = std::make_shared<TestClock>();
    // The fixed regional settings; tests that depend on others set them.
    s.Regional = std::make_shared<const FormatSettings>();
    s.Profile = MakeFixedOsProfile();
    s.Http = std::make_shared<TFakeHttpClient>();
    s.Icmp = std::make_shared<TFakeIcmpClient>();
    s.Launcher = std::make_shared<TRecordingProcessLauncher>();
    s.Opener = std::make_shared<TRecordingUrlOpener>();
    s.SerialProbe = std::make_shared<TFixedSerialPortProbe>();
    s.BeepHook = TCountingBeepHook();
    InstallTempProgramDir();
}

QString ProgramDir()
{
    return CurrentTempProgramDir();
}

QString ProgramPath(const QString& name)
{
    return ProgramDir() + u'/' + name;
}

QString GrabDir()
{
    return qEnvironmentVariable("CALYPTOR_GRAB_DIR");
}

QString SourcePath(const QString& relative)
{
    QString root = qEnvironmentVariable("CALYPTOR_SOURCE_DIR");
    if (root.isEmpty()) {
        QDir dir(QCoreApplication::applicationDirPath());
        do {
            if (QFileInfo::exists(dir.filePath(QStringLiteral("tests/support/TestHarness.h")))) {
                root = dir.absolutePath();
                break;
            }
        } while (dir.cdUp());
    }
    return root + u'/' + relative;
}

QString GrabPath(const QString& name)
{
    const QString dir = GrabDir();
    if (dir.isEmpty()) return ProgramDir() + u'/' + name;
    QDir().mkpath(dir);
    return dir + u'/' + name;
}

bool GrabToPng(QWidget* w, const QString& path)
{
    if (!w) return false;
    return w->grab().save(path, "PNG");
}

bool GrabToPng(TControl* c, const QString& path)
{
    if (!c || !c->Widget()) return false;
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->Realign();
    return GrabToPng(c->Widget(), path);
}

}  // namespace TestHarness
