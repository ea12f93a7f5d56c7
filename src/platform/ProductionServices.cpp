#include "ProductionServices.h"

#include "Files.h"
#include "Services.h"

// One line per service, in the order of the services object.
void InstallProductionServices()
{
    PlatformServices& s = Services();
    s.ProgramDirOverride.clear();  // the executable's own folder
    s.RegistryFile = ProgramDir() + QStringLiteral("/registry.ini");
    s.IniBaseDir = ProgramDir();
}
