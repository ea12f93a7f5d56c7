#include "AdvObjTheme.h"

#include "GraphUtils.h"
#include "OsProfile.h"

bool AdvObjThemed()
{
    const OsProfile& p = GetOsProfile();
    return p.IsWinXPOrLater() && p.IsComCtl6OrLater() && p.VisualStylesActive;
}

int AdvObjXPColorScheme()
{
    const OsProfile& p = GetOsProfile();
    if (!p.IsWinXPOrLater() || !p.VisualStylesActive) return 0;
    const QString& name = p.ThemeColorScheme;
    if (name.compare(QLatin1String("NormalColor"), Qt::CaseInsensitive) == 0) return 1;
    if (name.compare(QLatin1String("HomeStead"), Qt::CaseInsensitive) == 0) return 2;
    if (name.compare(QLatin1String("Metallic"), Qt::CaseInsensitive) == 0) return 3;
    return 0;
}

// The themed parts look like the classic frame controls here, with the
// theme's state numbers mapped onto the frame states.
void AdvObjDrawThemeButton(TCanvas* Canvas, int Part, int State, const TRect& R)
{
    TRect r = R;
    if (Part == BP_CHECKBOX) {
        // States 1-4 unchecked, 5-8 checked, 9-12 mixed; within each:
        // normal, hot, pressed, disabled.
        const int kind = (State - 1) / 4;
        const int sub = (State - 1) % 4;
        unsigned flags = DFCS_BUTTONCHECK;
        if (kind == 1) flags |= DFCS_CHECKED;
        if (kind == 2) flags |= DFCS_CHECKED | DFCS_INACTIVE;
        if (sub == 1) flags |= DFCS_HOT;
        if (sub == 2) flags |= DFCS_PUSHED;
        if (sub == 3) flags |= DFCS_INACTIVE;
        DrawFrameControl(Canvas, r, DFC_BUTTON, flags);
        return;
    }
    unsigned flags = DFCS_BUTTONPUSH;
    if (State == PBS_PRESSED) flags |= DFCS_PUSHED;
    if (State == PBS_HOT) flags |= DFCS_HOT;
    if (State == PBS_DISABLED) flags |= DFCS_INACTIVE;
    DrawFrameControl(Canvas, r, DFC_BUTTON, flags);
}
