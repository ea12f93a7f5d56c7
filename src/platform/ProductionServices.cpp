#include "ProductionServices.h"

#include "Beep.h"
#include "Clock.h"
#include "DataAccess.h"
#include "Files.h"
#include "FormatSettings.h"
#include "Http.h"
#include "Icmp.h"
#include "NetSandbox.h"
#include "OsProfile.h"
#include "Process.h"
#include "SerialPorts.h"
#include "Services.h"
#include "Shell.h"

// One line per service, in the order of the services object.
void InstallProductionServices()
{
    PlatformServices& s = Services();
    s.Clock = std::make_shared<SystemClock>();
    // The regional settings are read once, at start.
    s.Regional = std::make_shared<const FormatSettings>(FormatSettingsFromLocale(QLocale::system()));
    s.ProgramDirOverride.clear();  // the executable's own folder
    s.Profile = std::make_shared<const OsProfile>(MakeProductionOsProfile());
    s.RegistryFile = ProgramDir() + QStringLiteral("/registry.ini");
    s.IniBaseDir = ProgramDir();
    s.Http = std::make_shared<TQtHttpClient>();
    s.Icmp = std::make_shared<TIcmpClient>();
    s.Launcher = std::make_shared<TPosixProcessLauncher>();
    s.FileWriter = std::make_shared<TSystemFileWriter>();
    s.Opener = std::make_shared<TDesktopUrlOpener>();
    s.Sockets = std::make_shared<TSystemSocketGate>();
    s.SerialProbe = std::make_shared<TSysfsSerialPortProbe>();
    s.BeepHook = ApplicationBeep;
    s.DatabaseConnection = AccessConnectionText;
    s.LoopbackOnly = false;
}
