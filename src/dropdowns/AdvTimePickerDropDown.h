#pragma once
// The time-picker drop-down: a masked edit for a time of day (hours,
// minutes and optionally seconds) whose pop-up shows the analogue clock.
// Clicks on the clock change the time; closing takes the clock's time,
// Esc puts the clock back. Up and Down step the field under the caret.

#include "AdvDropDown.h"
#include "AdvWatch.h"

#include <memory>

class TPanel;
class TDateTimePicker;

class TAdvTimePickerDropDown : public TAdvCustomDropDown {
public:
    DECLARE_CLASSNAME(TAdvTimePickerDropDown)
    explicit TAdvTimePickerDropDown(TComponent* AOwner);
    ~TAdvTimePickerDropDown() override;

    TDateTime Time() const { return FTime; }
    // Writes the text; with the pop-up shown, the clock follows.
    void SetTime(TDateTime v);
    bool ShowSeconds() const { return FShowSeconds; }
    void SetShowSeconds(bool v);
    TWatchAppearance* WatchAppearance() const { return FWatchAppearance.get(); }
    void SetWatchAppearance(TWatchAppearance* v) { FWatchAppearance->Assign(v); }
    TWatchSettings* WatchSettings() const { return FWatchSettings.get(); }
    void SetWatchSettings(TWatchSettings* v) { FWatchSettings->Assign(v); }
    bool ShowWatchAMPM() const { return FShowWatchAMPM; }
    void SetShowWatchAMPM(bool v) { FShowWatchAMPM = v; }
    bool ShowWatchNumbers() const { return FShowWatchNumbers; }
    void SetShowWatchNumbers(bool v) { FShowWatchNumbers = v; }
    bool Animation() const { return FAnimation; }
    void SetAnimation(bool v) { FAnimation = v; }
    int AnimationFactor() const { return FAnimationFactor; }
    void SetAnimationFactor(int v) { FAnimationFactor = v; }
    bool ShowTimePicker() const { return FShowTimePicker; }
    void SetShowTimePicker(bool v) { FShowTimePicker = v; }
    TNotifyEvent OnTimeChange;

    TAdvWatch* Watch() const { return FWatch; }
    TPanel* Panel() const { return FPanel; }
    // hh S mm [S ss] with the locale's time separator S.
    QString FormatTimeText(int h, int m, int s) const;

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void DoHideDropDown(bool Cancel) override;
    void AfterDropUp() override;
    void FormKeyDown(TObject* Sender, Word& Key, TShiftState Shift) override;
    void FormKeyUp(TObject* Sender, Word& Key, TShiftState Shift) override;
    void ControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift) override;
    void ControlKeyUp(TObject* Sender, Word& Key, TShiftState Shift) override;
    void ControlKeyPress(TObject* Sender, QChar& Key) override;
    void SetComponentStyle(TVisualStyle AStyle) override;

protected:
    void InitializeEditor() override;
    void HandleKeyDown(Word& Key, TShiftState Shift) override;
    void HandleChange() override;

private:
    QChar Separator() const;
    QString Mask() const;
    void SetParts(int h, int m, int s);
    void WatchChanged();
    void TimePickerChanged();

    std::unique_ptr<TWatchAppearance> FWatchAppearance;
    std::unique_ptr<TWatchSettings> FWatchSettings;
    TPanel* FPanel = nullptr;
    TAdvWatch* FWatch = nullptr;
    TDateTimePicker* FTimePicker = nullptr;
    TDateTime FTime = 0;
    bool FShowSeconds = true;
    bool FShowWatchAMPM = true;
    bool FShowWatchNumbers = true;
    bool FAnimation = true;
    int FAnimationFactor = 10;
    bool FShowTimePicker = false;
    bool FInternalCall = false;
};
