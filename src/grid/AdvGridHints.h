#pragma once
// The string grid's balloon tooltip settings and the window of its HTML
// hints.

#include "AdvObj.h"
#include "Controls.h"
#include "Hints.h"

#include <cstdint>

class TBaseGrid;
class TCustomImageList;
class TPictureContainer;

class TBalloonSettings : public TPersistent {
public:
    DECLARE_CLASSNAME(TBalloonSettings)
    explicit TBalloonSettings(TBaseGrid* AOwner) : FGrid(AOwner) {}
    TPersistent* GetOwner() override;

    // The tooltip window has been set up (not published).
    ADVOBJ_PLAIN_BOOL(Init, false)
    ADVOBJ_PLAIN_PROPERTY(TColor, BackgroundColor, clNone)
    ADVOBJ_PLAIN_PROPERTY(TColor, TextColor, clNone)
    // Milliseconds; -1 leaves the platform's value.
    ADVOBJ_PLAIN_PROPERTY(int, ReshowDelay, -1)
    ADVOBJ_PLAIN_PROPERTY(int, InitialDelay, -1)
    ADVOBJ_PLAIN_PROPERTY(int, AutoHideDelay, -1)
    // 0 opaque; otherwise the window's alpha is 255 - Transparency.
    ADVOBJ_PLAIN_PROPERTY(uint8_t, Transparency, 0)

public:
    bool Enable() const { return FEnable; }
    // Stores, then tells the grid (OnEnableChange).
    void SetEnable(bool v);

    // Set by the grid.
    TNotifyEvent OnEnableChange;

    // Copies colours, delays and Enable (without the event); Transparency
    // stays.
    void Assign(TPersistent* Source) override;

private:
    TBaseGrid* FGrid;
    bool FEnable = false;
};

// The window of the grid's hints and of its scroll position hint: mini-HTML
// with the grid's images, or an encoded wide text on one line in the font
// of the grid that prepared the last hint.
class THTMLHintWindow : public THintWindow {
public:
    DECLARE_CLASSNAME(THTMLHintWindow)
    explicit THTMLHintWindow(TComponent* AOwner);

    TRect CalcHintRect(int MaxWidth, const QString& AHint, TObject* AData) override;
    void ActivateHint(TRect Rect, const QString& AHint) override;
    void ActivateHintData(TRect Rect, const QString& AHint, TObject* AData) override;

    int TextWidth() const { return FTextWidth; }
    int TextHeight() const { return FTextHeight; }
    QString WideCaption() const { return FWideCaption; }

    // The font name of encoded wide hints, for every hint window.
    static QString HintFontName();
    static void SetHintFontName(const QString& Name);

protected:
    void Paint() override;

private:
    TSize Measure(int MaxWidth, const QString& AHint);

    TCustomImageList* FImages = nullptr;
    TPictureContainer* FPictureContainer = nullptr;
    int FTextHeight = 0;
    int FTextWidth = 0;
    QString FWideCaption;
};
