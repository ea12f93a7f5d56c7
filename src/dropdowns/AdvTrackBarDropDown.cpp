#include "AdvTrackBarDropDown.h"

#include "AdvDropDownForm.h"
#include "ComCtrls.h"
#include "SysFormat.h"

TAdvTrackBarDropDown::TAdvTrackBarDropDown(TComponent* AOwner)
    : TAdvCustomDropDown(AOwner)
{
}

void TAdvTrackBarDropDown::InitializeEditor()
{
    TAdvCustomDropDown::InitializeEditor();
    SetEditorEnabled(false);
    SetDropDownEnabled(true);
    SetEditType(etNumeric);
    DropDownHeader()->SetVisible(false);
    DropDownFooter()->SetVisible(false);
    SetForceShadow(true);
}

void TAdvTrackBarDropDown::CreateDropDownForm()
{
    TAdvCustomDropDown::CreateDropDownForm();
    if (!FTrackBar && DropDownForm()) {
        FTrackBar = new TTrackBar(this);
        FTrackBar->SetParent(DropDownForm());
        FTrackBar->SetBounds(0, 0, FTrackBar->Width(), 40);
    }
    if (FTrackBar) FTrackBar->OnChange = [this](TObject* s) { TrackBarChange(s); };
}

void TAdvTrackBarDropDown::BeforeDropDown()
{
    TAdvCustomDropDown::BeforeDropDown();
    if (!FTrackBar) return;
    DropDownForm()->SetCancelOnDeActivate(false);
    FTrackBar->SetMin(FMin);
    FTrackBar->SetMax(FMax);
    FTrackBar->SetPosition(FPosition);
    FTrackBar->SetPageSize(FPageSize);
    FTrackBar->SetFrequency(FFrequency);
    FTrackBar->SetWidth(Width());
    SetControl(FTrackBar);
}

void TAdvTrackBarDropDown::TrackBarChange(TObject*)
{
    FPosition = FTrackBar->Position();
    SetTextDirect(QString::number(FPosition));
    if (OnTrackChange) OnTrackChange(this);
}

void TAdvTrackBarDropDown::HandleChange()
{
    TAdvCustomDropDown::HandleChange();
    // A text that is not a whole number leaves the position as it is.
    int value = 0;
    if (TryStrToInt(Text(), value)) SetPosition(value);
}

void TAdvTrackBarDropDown::SetMin(int v)
{
    FMin = v;
    if (!FTrackBar) return;
    FTrackBar->SetMin(v);
    FMin = FTrackBar->Min();
}

void TAdvTrackBarDropDown::SetMax(int v)
{
    FMax = v;
    if (!FTrackBar) return;
    FTrackBar->SetMax(v);
    FMax = FTrackBar->Max();
}

void TAdvTrackBarDropDown::SetPosition(int v)
{
    FPosition = v;
    if (!FTrackBar) return;
    FTrackBar->SetPosition(v);
    FPosition = FTrackBar->Position();
}

void TAdvTrackBarDropDown::SetFrequency(int v)
{
    FFrequency = v;
    if (FTrackBar) FTrackBar->SetFrequency(v);
}

void TAdvTrackBarDropDown::SetPageSize(int v)
{
    FPageSize = v;
    if (FTrackBar) FTrackBar->SetPageSize(v);
}

void TAdvTrackBarDropDown::KeyDownMessage(TMessage& m)
{
    const Word key = Word(m.WParam);
    TAdvCustomDropDown::KeyDownMessage(m);
    if (EditorEnabled() || GetKeyState(VK_MENU) < 0) return;
    // A step that would leave the range is not taken, not even in part.
    if (key == VK_UP && FPosition - FFrequency >= FMin) SetPosition(FPosition - FFrequency);
    if (key == VK_DOWN && FPosition + FFrequency <= FMax) SetPosition(FPosition + FFrequency);
}

void TAdvTrackBarDropDown::ControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift)
{
    TAdvCustomDropDown::ControlKeyDown(Sender, Key, Shift);
    // The edit stepped by Frequency: the track bar does not step again.
    if (Key == VK_UP || Key == VK_DOWN) Key = 0;
}

void TAdvTrackBarDropDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TAdvCustomDropDown::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && DropDownEnabled() && !EditorEnabled()) {
        FMouseDraging = true;
        FMouseX = X;
    }
}

void TAdvTrackBarDropDown::MouseMove(TShiftState Shift, int X, int Y)
{
    TAdvCustomDropDown::MouseMove(Shift, X, Y);
    if (!FMouseDraging || !DropDownEnabled() || EditorEnabled()) return;
    const int d = X - FMouseX;
    FMouseX = X;
    // Each move counts on its own: moves shorter than a page change nothing.
    if (FPageSize > 0) SetPosition(FPosition + d / FPageSize);
}

void TAdvTrackBarDropDown::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TAdvCustomDropDown::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft) FMouseDraging = false;
}
