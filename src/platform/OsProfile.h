#pragma once
// The profile of the operating system the controls believe they run on.
//
// The controls were written against Windows and ask for its version, the
// common-controls version, visual styles and a few metrics. Linux has none
// of these, so one fixed profile answers: a Windows 7 class system with
// visual styles active. Tests replace it through Services().Profile.

#include <QString>

struct OsProfile {
    bool NTFamily = true;
    int MajorVersion = 6;
    int MinorVersion = 1;
    // The file version of comctl32.dll.
    int ComCtlMajor = 6;
    int ComCtlMinor = 10;
    bool VisualStylesPresent = true;
    bool VisualStylesActive = true;
    // The current theme's colour scheme name ("" gives scheme 0).
    QString ThemeColorScheme;
    // The application-wide custom style; "Windows" means none.
    QString AppStyleName = QStringLiteral("Windows");
    bool RightToLeftLocale = false;
    bool IsLibrary = false;
    // The flat scroll-bar functions of comctl32; absent, so callers skip them.
    bool FlatScrollBarsPresent = false;
    int ScreenDpi = 96;
    // Width of a sunken or raised 3-D edge.
    int EdgeMetric = 2;
    int WheelScrollLines = 3;
    int ScrollBarExtent = 16;

    // Version tests as the controls phrase them.
    bool IsWinXPOrLater() const;
    bool IsVistaOrLater() const;
    bool IsWin7OrLater() const;
    bool IsComCtl6OrLater() const;
};

// The installed profile, or the fixed defaults when none is installed.
const OsProfile& GetOsProfile();

// The profile production installs: the fixed defaults with the wheel scroll
// lines and the scroll-bar thickness taken from Qt (needs a QApplication).
OsProfile MakeProductionOsProfile();

// The most significant 32 bits of a file's version (major in the high word,
// minor in the low word) for "comctl32.dll" (any letter case) from the
// profile; -1 for every other file, which has no version information here.
int GetFileVersionMS(const QString& fileName);
