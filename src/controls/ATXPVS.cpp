#include "ATXPVS.h"

namespace ATXPVS {

TThemeEntries Theme;
namespace {
bool Loaded = false;
}

void InitThemeLibrary() { Theme.Load(Loaded); }
void FreeThemeLibrary() { Theme.Unload(Loaded); }
bool ThemeLibraryLoaded() { return Loaded; }

}  // namespace ATXPVS
