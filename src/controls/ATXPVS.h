#pragma once
// Theme access of the drop-down controls: a table of its own, of the same
// kind and with the same implementation as the grid's (AdvXPVS), loaded and
// freed on its own.

#include "AdvXPVS.h"

namespace ATXPVS {
extern TThemeEntries Theme;
void InitThemeLibrary();
void FreeThemeLibrary();
bool ThemeLibraryLoaded();
}  // namespace ATXPVS
