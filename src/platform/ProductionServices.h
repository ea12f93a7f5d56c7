#pragma once
// Installs the production versions of the replaceable services. main()
// calls it once, first thing after the application object exists.

void InstallProductionServices();
