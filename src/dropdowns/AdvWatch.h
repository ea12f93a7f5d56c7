#pragma once
// The analogue clock: a face that shows a time of day and sets it with the
// mouse (a click on the face picks the hour, on the ring outside it the
// minute, on the AM/PM box the half of the day). Its look is one
// TWatchAppearance, its behaviour one TWatchSettings; both are also held by
// the time-picker drop-down, which copies them into its clock on opening.
//
// The face, marks, numbers and AM/PM box are drawn once into a background
// cache; timer ticks and animation steps only copy the cache and draw the
// hands over it.

#include "AdvStyleIF.h"
#include "Clock.h"
#include "Controls.h"
#include "Graphics.h"

#include <array>
#include <memory>

class TTimer;

enum TWatchShape { wsCircle, wsRect, wsRoundRect };
enum TWatchGradient { wgRadial, wgVertical, wgDiagonalForward, wgDiagonalBackward };
enum TTickMarks { tmAll, tmHours, tmQuartHours, tmNone };
enum THourMarkStyle { hmsLine, hmsQuartDblLine };
enum TPointerStyle { psLine, psShortLine, psPointer, psLineArrow };
enum TAMPMFrame { apRect, apRoundRect };
enum TWatchStyle {
    wsClassic, wsTower, wsFluorescent, wsEmerald, wsBlueStar, wsFuchsia, wsBlack, wsBlackWhite, wsGray,
    wsSuperNova, wsSports, wsSmooth
};

class TWatchAppearance : public TPersistent {
public:
    DECLARE_CLASSNAME(TWatchAppearance)
    TWatchAppearance();
    ~TWatchAppearance() override;
    void Assign(TPersistent* Source) override;
    // Every property back to its default (fonts included), without OnChange.
    void Reset();

#define WATCH_PROP(Type, Name)                                                                                         \
    Type Name() const { return FV.Name; }                                                                              \
    void Set##Name(Type v) { Store(FV.Name, v); }
    WATCH_PROP(int, Size)
    WATCH_PROP(TWatchShape, Shape)
    WATCH_PROP(TColor, BackgroundColor)
    WATCH_PROP(TColor, BackgroundColorTo)
    WATCH_PROP(TWatchGradient, BackgroundGradient)
    WATCH_PROP(TColor, BorderColor)
    WATCH_PROP(int, BorderWidth)
    WATCH_PROP(TTickMarks, TickMarks)
    WATCH_PROP(THourMarkStyle, HourMarkStyle)
    WATCH_PROP(TColor, HourColor)
    WATCH_PROP(uint8_t, HourMarkLength)
    WATCH_PROP(uint8_t, HourMarkWidth)
    WATCH_PROP(TColor, MinuteColor)
    WATCH_PROP(uint8_t, MinuteMarkLength)
    WATCH_PROP(uint8_t, MinuteMarkWidth)
    WATCH_PROP(TPointerStyle, PointerStyle)
    WATCH_PROP(TColor, HourPointer)
    WATCH_PROP(TColor, HourPointerShadow)
    WATCH_PROP(uint8_t, HourPointerSize)
    WATCH_PROP(TColor, MinutePointer)
    WATCH_PROP(TColor, MinutePointerShadow)
    WATCH_PROP(uint8_t, MinutePointerSize)
    WATCH_PROP(TColor, SecondPointer)
    WATCH_PROP(uint8_t, SecondPointerSize)
    WATCH_PROP(uint8_t, CenterPointSize)
    WATCH_PROP(TColor, CenterPointColor)
    WATCH_PROP(TColor, CenterPointBorderColor)
    WATCH_PROP(TColor, CenterPointOuterBorderColor)
    WATCH_PROP(TAMPMFrame, AMPMFrame)
#undef WATCH_PROP
    // These two only store (no repaint request).
    TColor AMPMColor() const { return FV.AMPMColor; }
    void SetAMPMColor(TColor v) { FV.AMPMColor = v; }
    TColor AMPMBorderColor() const { return FV.AMPMBorderColor; }
    void SetAMPMBorderColor(TColor v) { FV.AMPMBorderColor = v; }
    // Fonts and picture are copied and always notify; in-place font edits
    // notify nothing, edits of the picture object do.
    TFont* HourFont() const { return FHourFont.get(); }
    void SetHourFont(TFont* v);
    TFont* AMPMFont() const { return FAMPMFont.get(); }
    void SetAMPMFont(TFont* v);
    TPicture* Picture() const { return FPicture.get(); }
    void SetPicture(TPicture* v);

    TNotifyEvent OnChange;

private:
    template <class T> void Store(T& field, T v)
    {
        if (field == v) return;
        field = v;
        Changed();
    }
    void Changed();

    // The plain values (fonts and picture apart).
    struct Values {
        int Size = 0;
        TWatchShape Shape = wsCircle;
        TColor BackgroundColor = clWhite;
        TColor BackgroundColorTo = clNone;
        TWatchGradient BackgroundGradient = wgVertical;
        TColor BorderColor = clBlack;
        int BorderWidth = 4;
        TTickMarks TickMarks = tmAll;
        THourMarkStyle HourMarkStyle = hmsLine;
        TColor HourColor = clBlack;
        uint8_t HourMarkLength = 0;
        uint8_t HourMarkWidth = 1;
        TColor MinuteColor = RGBColor(0x80, 0x80, 0x80);
        uint8_t MinuteMarkLength = 0;
        uint8_t MinuteMarkWidth = 1;
        TPointerStyle PointerStyle = psLine;
        TColor HourPointer = clBlack;
        TColor HourPointerShadow = clBtnShadow;
        uint8_t HourPointerSize = 4;
        TColor MinutePointer = clBlack;
        TColor MinutePointerShadow = clBtnShadow;
        uint8_t MinutePointerSize = 3;
        TColor SecondPointer = RGBColor(0xFF, 0, 0);
        uint8_t SecondPointerSize = 1;
        uint8_t CenterPointSize = 4;
        TColor CenterPointColor = clBlack;
        TColor CenterPointBorderColor = clNone;
        TColor CenterPointOuterBorderColor = clNone;
        TAMPMFrame AMPMFrame = apRect;
        TColor AMPMColor = clWhite;
        TColor AMPMBorderColor = clBlack;
    } FV;
    std::unique_ptr<TFont> FHourFont;
    std::unique_ptr<TFont> FAMPMFont;
    std::unique_ptr<TPicture> FPicture;
};

class TWatchSettings : public TPersistent {
public:
    DECLARE_CLASSNAME(TWatchSettings)
    void Assign(TPersistent* Source) override;
    bool Auto() const { return FAuto; }
    void SetAuto(bool v);
    bool Second() const { return FSecond; }
    void SetSecond(bool v);
    // Minutes added to the current time while Auto runs.
    int TimeOffset() const { return FTimeOffset; }
    void SetTimeOffset(int v);
    TNotifyEvent OnChange;

private:
    bool FAuto = false;
    bool FSecond = true;
    int FTimeOffset = 0;
};

// The colour scheme of a visual style (shared by the clock and the time picker).
void ApplyWatchColorScheme(TWatchAppearance& a, TVisualStyle style);

class TAdvWatch : public TCustomControl, public IVisualStyle {
public:
    DECLARE_CLASSNAME(TAdvWatch)
    explicit TAdvWatch(TComponent* AOwner);
    ~TAdvWatch() override;

    TWatchAppearance* Appearance() const { return FAppearance.get(); }
    void SetAppearance(TWatchAppearance* v) { FAppearance->Assign(v); }
    TWatchSettings* Settings() const { return FSettings.get(); }
    void SetSettings(TWatchSettings* v) { FSettings->Assign(v); }
    TDateTime Time() const { return FTime; }
    void SetTime(TDateTime v);
    bool Animation() const { return FAnimation; }
    void SetAnimation(bool v) { FAnimation = v; }
    int AnimationFactor() const { return FAnimationFactor; }
    // At least 1.
    void SetAnimationFactor(int v) { FAnimationFactor = std::max(1, v); }
    bool ShowAMPM() const { return FShowAMPM; }
    void SetShowAMPM(bool v);
    bool ShowNumbers() const { return FShowNumbers; }
    void SetShowNumbers(bool v);
    TWatchStyle Style() const { return FStyle; }
    // A different value resets the appearance and applies the preset.
    void SetStyle(TWatchStyle v);
    void SetComponentStyle(TVisualStyle AStyle) override;
    TNotifyEvent OnChange;

    // Hour 0..23 (glides with Animation on).
    void SetHour(uint8_t V);
    // Minute 0..59; 60 or more throws "Invalid time".
    void SetMinute(uint8_t V);
    // A virtual-key code fed by the owner (the clock takes no focus keys itself).
    void HandleKey(Word Key);

    // Geometry in client coordinates.
    TRect GetFaceRect() const;
    TPoint GetCenterPoint() const;
    double GetRadius() const;
    TRect GetAMPMRect() const;
    int MinuteAtPoint(int X, int Y) const;
    int HourAtPoint(int X, int Y) const;
    bool IsAM() const { return FAM; }
    // The time the hands show: now (+ offset) with Auto, else Time.
    TDateTime GetDisplayTime();
    bool Animating() const;
    // One tick of the animation timer (public so the glide can be stepped).
    void AnimationTimerTick();
    // The cache + hands repaint of a clock tick.
    void PaintHands();
    // The AM/PM box rolls to the new half one pixel row per 10 ms frame.
    bool Rolling() const { return FRollFramesLeft > 0; }
    // The strip row shown at the top of the box in the current roll frame.
    int RollOffset() const { return FRollOffset; }
    int RollFramesLeft() const { return FRollFramesLeft; }
    // One frame of the roll (public so the roll can be stepped).
    void RollTimerTick();

protected:
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;

private:
    void PaintAll();
    void DrawBackground(TCanvas* C, const TRect& R);
    void DrawTickMarks(TCanvas* C);
    void DrawNumbers(TCanvas* C);
    void DrawAMPM(TCanvas* C);
    void DrawHands(TCanvas* C);
    void StartRoll(bool ToAM);
    // Something the cached face shows changed: draw it again at the next paint.
    void InvalidateFace();
    void DrawRollFrame(TCanvas* C);
    void StoreTime(TDateTime v);
    void SetAM(bool v);
    void SettingsChanged();
    void AppearanceChanged();

    std::unique_ptr<TWatchAppearance> FAppearance;
    std::unique_ptr<TWatchSettings> FSettings;
    std::unique_ptr<TBitmap> FCache;
    bool FFaceValid = false;
    std::array<TColor, 3> FFaceColors{};  // control, box and box border colours drawn
    std::unique_ptr<TBitmap> FRollStrip;  // "AM" over "PM", two box heights tall
    TTimer* FRollTimer = nullptr;
    int FRollOffset = 0;
    int FRollStep = 0;
    int FRollFramesLeft = 0;
    TTimer* FClockTimer = nullptr;
    TTimer* FAnimTimer = nullptr;
    TDateTime FTime = 0;
    bool FAnimation = true;
    int FAnimationFactor = 10;
    bool FShowAMPM = true;
    bool FShowNumbers = true;
    TWatchStyle FStyle = wsClassic;
    uint8_t FHourTarget = 0;
    uint8_t FMinuteTarget = 0;
    uint8_t FStartMinute = 0;
    bool FHourAnimating = false;
    bool FInternalCall = false;
    bool FInternalSet = false;
    bool FAM = true;
};
