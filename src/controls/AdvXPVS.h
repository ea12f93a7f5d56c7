#pragma once
// Theme access of the grid and its controls: the entry points through which
// they draw buttons, check boxes, combo and spin buttons, header items and
// progress bars in the visual style.
//
// The visual style is Qt's application style. The table of entry points is
// empty (every entry unset) until InitThemeLibrary fills it, and stays empty
// when the OS profile reports no visual-styles library. Only the five entry
// points this system calls exist. The drop-down controls use the second,
// separate table of ATXPVS; both are of the one type TThemeEntries and share
// this implementation.

#include "HResult.h"
#include "Types.h"

#include <QString>
#include <cstdint>
#include <functional>

class TCanvas;
class TWinControl;

// A theme handle: 0 for none. Handles name a theme class and own nothing,
// so a handle that is never closed leaks nothing.
using HTHEME = uintptr_t;

struct TThemeEntries {
    // The theme of a class ("button", "combobox", "spin", "header",
    // "Progress"; any case) for a control, 0 for any other class.
    std::function<HTHEME(TWinControl* Control, const QString& ClassList)> OpenThemeData;
    std::function<HRESULT(HTHEME Theme)> CloseThemeData;
    // Draws a part in a state into Rect (clipped to Clip when given).
    std::function<HRESULT(HTHEME Theme, TCanvas* Canvas, int PartId, int StateId, const TRect& Rect,
                       const TRect* Clip)>
        DrawThemeBackground;
    std::function<bool()> IsThemeActive;
    // File, colour-scheme and size names of the current theme.
    std::function<HRESULT(QString& FileName, QString& ColorName, QString& SizeName)> GetCurrentThemeName;

    // Every entry set (loaded) or every entry cleared.
    void Bind();
    void Clear();
    // Bind when the profile has the visual-styles library and the table is
    // not loaded yet; Unload clears a loaded table.
    void Load(bool& loaded);
    void Unload(bool& loaded);
};

// Loads the table when the profile has the visual-styles library; a second
// call does nothing. FreeThemeLibrary clears it again.
namespace AdvXPVS {
extern TThemeEntries Theme;
void InitThemeLibrary();
void FreeThemeLibrary();
bool ThemeLibraryLoaded();
}  // namespace AdvXPVS

// Parts and states the system draws.
inline constexpr int BP_PUSHBUTTON = 1, BP_RADIOBUTTON = 2, BP_CHECKBOX = 3;
inline constexpr int PBS_NORMAL = 1, PBS_HOT = 2, PBS_PRESSED = 3, PBS_DISABLED = 4, PBS_DEFAULTED = 5;
inline constexpr int RBS_UNCHECKEDNORMAL = 1, RBS_CHECKEDNORMAL = 5;
inline constexpr int CBS_UNCHECKEDNORMAL = 1, CBS_CHECKEDNORMAL = 5, CBS_MIXEDNORMAL = 9;
inline constexpr int CP_DROPDOWNBUTTON = 1;
inline constexpr int CBXS_NORMAL = 1, CBXS_HOT = 2, CBXS_PRESSED = 3, CBXS_DISABLED = 4;
inline constexpr int SPNP_UP = 1, SPNP_DOWN = 2, SPNP_UPHORZ = 3, SPNP_DOWNHORZ = 4;
inline constexpr int UPS_NORMAL = 1, UPS_HOT = 2, UPS_PRESSED = 3, UPS_DISABLED = 4;
inline constexpr int DNS_NORMAL = 1, DNS_HOT = 2, DNS_PRESSED = 3, DNS_DISABLED = 4;
inline constexpr int HP_HEADERITEM = 1, HP_HEADERITEMRIGHT = 3;
inline constexpr int HIS_NORMAL = 1, HIS_HOT = 2, HIS_PRESSED = 3;
inline constexpr int PP_BAR = 1, PP_BARVERT = 2, PP_CHUNK = 3, PP_CHUNKVERT = 4;
