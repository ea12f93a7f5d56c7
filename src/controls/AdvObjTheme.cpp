#include "AdvObjTheme.h"

#include "AdvStyleIF.h"

bool AdvObjThemed()
{
    if (!IsWinXPOrLater() || !IsComCtl6OrLater()) return false;
    AdvXPVS::InitThemeLibrary();
    return AdvXPVS::Theme.IsThemeActive && AdvXPVS::Theme.IsThemeActive();
}

bool AdvObjDrawThemeButton(TWinControl* Window, TCanvas* Canvas, int Part, int State, const TRect& R)
{
    AdvXPVS::InitThemeLibrary();
    TThemeEntries& t = AdvXPVS::Theme;
    if (!t.OpenThemeData || !t.DrawThemeBackground) return false;
    const HTHEME theme = t.OpenThemeData(Window, QStringLiteral("button"));
    if (!theme) return false;
    const HRESULT r = t.DrawThemeBackground(theme, Canvas, Part, State, R, nullptr);
    t.CloseThemeData(theme);
    return r == S_OK;
}
