#include "AdvMemoDropDown.h"

#include "AdvDropDownForm.h"
#include "AdvDropDownPaint.h"
#include "ClassesLists.h"
#include "Menus.h"
#include "StdCtrls.h"

#include <QFrame>

namespace {

// Keys that reach the edit from the memo: Alt combinations, Escape and F4;
// everything else is the memo's.
bool MemoKeyForEdit(Word Key)
{
    return GetKeyState(VK_MENU) < 0 || Key == VK_ESCAPE || Key == VK_F4;
}

}  // namespace

TAdvMemoDropDown::TAdvMemoDropDown(TComponent* AOwner)
    : TAdvCustomDropDown(AOwner)
{
}

TAdvMemoDropDown::~TAdvMemoDropDown() = default;

void TAdvMemoDropDown::InitializeEditor()
{
    TAdvCustomDropDown::InitializeEditor();
    FMemoText = std::make_unique<TStringList>();
    FMemoText->OnChange = [this](TObject*) { UpdateEditFromMemoText(); };
}

void TAdvMemoDropDown::CreateDropDownForm()
{
    TAdvCustomDropDown::CreateDropDownForm();
    if (FMemo || !DropDownForm()) return;
    FMemo = new TMemo(this);
    FMemo->SetParent(DropDownForm());
    FMemo->SetHeight(100);
    if (auto* frame = qobject_cast<QFrame*>(FMemo->Widget())) frame->setFrameShape(QFrame::NoFrame);
    FMemo->OnChange = [this](TObject*) {
        if (OnMemoChange) OnMemoChange(this);
    };
    SetControl(FMemo);
}

void TAdvMemoDropDown::SetMemoText(TStrings* v)
{
    if (!v || !FMemoText) return;
    FMemoText->Assign(v);
    if (FMemo) FMemo->Lines()->Assign(v);
}

void TAdvMemoDropDown::SetMemoReadOnly(bool v)
{
    FMemoReadOnly = v;
    if (DroppedDown() && FMemo) FMemo->SetReadOnly(v);
}

void TAdvMemoDropDown::BeforeDropDown()
{
    TAdvCustomDropDown::BeforeDropDown();
    if (!FMemo) return;
    DropDownForm()->SetCancelOnDeActivate(false);
    FMemo->Lines()->SetText(FMemoText->Text());
    FMemo->SetPopupMenu(FMemoPopup);
    FMemo->SetMaxLength(MaxLength());
    FMemo->SetScrollBars(FMemoScrollBars);
    FMemo->SetReadOnly(FMemoReadOnly);
}

void TAdvMemoDropDown::DoHideDropDown(bool Cancel)
{
    // Focus coming back to the edit does not open the pop-up again.
    const bool autoDrop = FAutoDrop;
    FAutoDrop = false;
    if (Cancel && FMemo && DroppedDown()) {
        // The memo's own cancel: its lines go back to MemoText. The value a
        // cancel restores is then what the edit shows now, so the restore
        // does not overwrite MemoText with an older value of the edit.
        FMemo->Lines()->SetText(FMemoText->Text());
        FOldText = Text();
    }
    TAdvCustomDropDown::DoHideDropDown(Cancel);
    FAutoDrop = autoDrop;
}

void TAdvMemoDropDown::AfterDropUp()
{
    TAdvCustomDropDown::AfterDropUp();
    if (FMemo) FMemoText->SetText(FMemo->Lines()->Text());
    UpdateEditFromMemoText();
    SetSelStart(0);
    SetSelLength(0);
}

void TAdvMemoDropDown::DoEnter()
{
    TAdvCustomDropDown::DoEnter();
    if (FAutoDrop) ShowDropDown();
}

void TAdvMemoDropDown::UpdateEditFromMemoText()
{
    if (!FMemoText) return;
    QString text;
    if (FMemoText->Count() == 0 || EditorEnabled()) {
        text = FMemoText->Text();
    } else {
        TCanvas measure;
        measure.Font()->Assign(Font());
        const QString first = FMemoText->Strings(0);
        const int room = GetEditRect().Width();
        if (GetTextExtent(&measure, first).cx < room)
            text = FMemoText->Count() > 1 ? first + QStringLiteral("...") : first;
        else
            text = FitTextToWidth(&measure, first, room, true);
    }
    FInternalUpdate = true;
    SetTextDirect(text);
    FInternalUpdate = false;
}

void TAdvMemoDropDown::HandleChange()
{
    if (!FInternalUpdate && FMemoText) {
        // The lines take the edit's value without the edit being rewritten.
        TNotifyEvent changed = FMemoText->OnChange;
        FMemoText->OnChange = nullptr;
        FMemoText->SetText(Text());
        FMemoText->OnChange = changed;
    }
    TAdvCustomDropDown::HandleChange();
}

void TAdvMemoDropDown::ControlKeyDown(TObject* Sender, Word& Key, TShiftState Shift)
{
    if (Shift.Contains(ssCtrl) && (Key == 'A' || Key == 'a') && FMemo) {
        FMemo->SelectAll();
        Key = 0;
        return;
    }
    if (MemoKeyForEdit(Key)) TAdvCustomDropDown::ControlKeyDown(Sender, Key, Shift);
}

void TAdvMemoDropDown::ControlKeyUp(TObject* Sender, Word& Key, TShiftState Shift)
{
    if (MemoKeyForEdit(Key)) TAdvCustomDropDown::ControlKeyUp(Sender, Key, Shift);
}

void TAdvMemoDropDown::ControlKeyPress(TObject* Sender, QChar& Key)
{
    if (GetKeyState(VK_MENU) < 0 || Key.unicode() == 27) TAdvCustomDropDown::ControlKeyPress(Sender, Key);
}
