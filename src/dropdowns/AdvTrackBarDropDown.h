#pragma once
// The drop-down editor of a whole number in a range: the edit shows the
// number, the pop-up hosts a track bar. By default the text cannot be typed;
// the number changes with the track bar, with Up and Down, or by dragging
// the mouse sideways over the edit.

#include "AdvDropDown.h"

class TTrackBar;

class TAdvTrackBarDropDown : public TAdvCustomDropDown {
public:
    DECLARE_CLASSNAME(TAdvTrackBarDropDown)
    explicit TAdvTrackBarDropDown(TComponent* AOwner);

    TTrackBar* TrackBar() const { return FTrackBar; }
    int Min() const { return FMin; }
    void SetMin(int v);
    int Max() const { return FMax; }
    void SetMax(int v);
    int Position() const { return FPosition; }
    void SetPosition(int v);
    // The track bar's tick interval, also the step of Up and Down.
    int Frequency() const { return FFrequency; }
    void SetFrequency(int v);
    // The track bar's page, also the pixels a drag moves one step.
    int PageSize() const { return FPageSize; }
    void SetPageSize(int v);

    // The track bar moved.
    TNotifyEvent OnTrackChange;

    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void KeyDownMessage(TMessage& Message) override;
    void ControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift) override;
    void HandleChange() override;

protected:
    void InitializeEditor() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void TrackBarChange(TObject* Sender);

    TTrackBar* FTrackBar = nullptr;
    int FMin = 0;
    int FFrequency = 1;
    int FPageSize = 2;
    int FMax = 10;
    int FPosition = 0;
    bool FMouseDraging = false;
    int FMouseX = 0;
};
