// Opening the string grid's own editor controls over a cell and storing
// their value back when the edit ends.

#include "AdvGrid.h"
#include "AdvGridEditControls.h"
#include "AdvGridEditFixed.h"
#include "AdvGridEditLink.h"
#include "AdvGridEditRich.h"
#include "AdvGridEditors.h"
#include "AdvGridLook.h"
#include "AdvGridUnit.h"
#include "AdvUtil.h"
#include "Clock.h"
#include "DateUtils.h"
#include "FormatSettings.h"
#include "SysFormat.h"

#include <QScopeGuard>

// ---- the controls -------------------------------------------------------------------

void TAdvStringGrid::CreateEditorControls()
{
    auto prepare = [this](TWinControl* c) {
        c->SetParent(this);
        c->SetVisible(false);
        c->SetEnabled(false);
        return c;
    };
    EditCombo = prepare(new TGridCombo(this));
    EditBtn = prepare(new TGridEditBtn(this));
    UnitEditBtn = prepare(new TGridUnitEditBtn(this));
    GridButton = prepare(new TGridButton(this));
    EditCheck = prepare(new TGridCheckBox(this));
    EditTrans = prepare(new TGridTransEdit(this));
    ComboTrans = prepare(new TGridTransCombo(this));
    FCtrlEdit = prepare(new TControlEdit(this));
    FCtrlCombo = prepare(new TControlCombo(this));
}

TGridCombo* TAdvStringGrid::Combobox() const
{
    return static_cast<TGridCombo*>(EditCombo);
}

TGridEditBtn* TAdvStringGrid::BtnEdit() const
{
    return static_cast<TGridEditBtn*>(EditBtn);
}

TGridUnitEditBtn* TAdvStringGrid::BtnUnitEdit() const
{
    return static_cast<TGridUnitEditBtn*>(UnitEditBtn);
}

TGridButton* TAdvStringGrid::Btn() const
{
    return static_cast<TGridButton*>(GridButton);
}

TGridCheckBox* TAdvStringGrid::EditCheckBox() const
{
    return static_cast<TGridCheckBox*>(EditCheck);
}

TGridSpin* TAdvStringGrid::SpinEdit()
{
    if (!FEditSpin) {
        auto* s = new TGridSpin(this);
        s->SetParent(this);
        s->SetVisible(false);
        s->SetEnabled(false);
        s->SetWinXPLook(FIsWinXP);
        FEditSpin = s;
    }
    return static_cast<TGridSpin*>(FEditSpin);
}

TGridDatePicker* TAdvStringGrid::DateTimePicker()
{
    if (!FEditDate) {
        auto* d = new TGridDatePicker(this);
        d->OnChange = [this](TObject* Sender) { DatePickerChange(Sender); };
        d->OnCloseUp = [this](TObject* Sender) { DatePickerCloseUp(Sender); };
        d->OnDropDown = [this](TObject* Sender) { DatePickerDropDown(Sender); };
        d->SetParent(this);
        d->SetVisible(false);
        d->SetEnabled(false);
        FEditDate = d;
    }
    return static_cast<TGridDatePicker*>(FEditDate);
}

TGridDateTimePicker* TAdvStringGrid::DateAndTimePicker()
{
    if (!FEditDateTime) {
        auto* d = new TGridDateTimePicker(this);
        d->OnChange = [this](TObject* Sender) { DateAndTimePickerChange(Sender); };
        d->SetParent(this);
        d->SetVisible(false);
        d->SetEnabled(false);
        FEditDateTime = d;
    }
    return static_cast<TGridDateTimePicker*>(FEditDateTime);
}

// ---- placing and focusing --------------------------------------------------------------

TRect TAdvStringGrid::SpecialEditorRect(int ACol, int ARow) const
{
    const TRect r = CellRect(ACol, ARow);
    return TRect(r.Left, r.Top, r.Right - 1, r.Bottom - 1);
}

void TAdvStringGrid::FocusEditor(TWinControl* Ctrl)
{
    EditMode = true;
    if (Ctrl->CanFocus()) {
        try {
            Ctrl->SetFocus();
        } catch (const EInvalidOperation&) {
        }
    }
    // The character that opened the editor arrives as a typed character alone.
    if (!FStartEditChar.isNull()) {
        PostMessage(Ctrl, WM_CHAR, FStartEditChar.unicode(), 0);
        FStartEditChar = QChar();
    }
    EditCtrl = Ctrl;
}

void TAdvStringGrid::HideEditorControl(TWinControl* Ctrl)
{
    if (!Ctrl) return;
    const bool hadFocus = Ctrl->Focused();
    Ctrl->SetVisible(false);
    Ctrl->SetEnabled(false);
    if (hadFocus && CanFocus()) {
        try {
            SetFocus();
        } catch (const EInvalidOperation&) {
        }
    }
}

namespace {

// A date or time from a cell's text; now when it is empty or unreadable.
TDateTime DateOrNow(const QString& Text, bool Time)
{
    TDateTime d = 0;
    if (Text.trimmed().isEmpty()) return Now();
    const bool ok = Time ? TryStrToTime(Text, d) : (TryStrToDate(Text, d) || TryStrToDateTime(Text, d));
    return ok ? d : Now();
}

bool IsPickerType(TEditorType t)
{
    return t == edDateEdit || t == edDateEditUpDown || t == edTimeEdit || t == edDateTimeEdit;
}

}  // namespace

// ---- opening ---------------------------------------------------------------------------------

void TAdvStringGrid::ShowSpecialEditor(int ACol, int ARow)
{
    FEditing = true;
    FSpecialEditor = true;
    FEditActive = true;
    const TRect rc = SpecialEditorRect(ACol, ARow);
    const int left = rc.Left, top = rc.Top, w = rc.Width(), h = rc.Height();
    TBrush brush;
    TFont font;
    TAlignment ha = taLeftJustify;
    EditorCellLook(this, ACol, ARow, &brush, &font, ha);
    const TColor color = brush.Color();
    SetGridState(gsNormal);
    EditCtrl = nullptr;
    if (EditControl != edCustom) FLastValidation = true;
    const int c = RealColIndex(ACol);
    const QString editText = GetEditText(ACol, ARow);
    const TEditorType t = EditControl;

    if (IsPickerType(t) && !DateTimeEditorsAvailable()) return;

    auto place = [&](TWinControl* ctl, int x, int y, int cw, int chh) {
        ctl->SetBounds(x, y, cw, chh);
        ctl->SetColor(color);
        ctl->SetFont(&font);
        ctl->SetEnabled(true);
        ctl->SetVisible(true);
    };

    if (IsSpinEditorType(t)) {
        TGridSpin* s = SpinEdit();
        static const TAsgSpinType kinds[] = {sptNormal, sptFloat, sptTime, sptDate};
        const int kind = t == edSpinEdit ? 0 : t == edFloatSpinEdit ? 1 : t == edTimeSpinEdit ? 2 : 3;
        s->SetSpinType(kinds[kind]);
        s->SetExcelStyleDecimalSeparator(ExcelStyleDecimalSeparator());
        GetEditorProp(c, ARow, FEditLink);
        switch (kind) {
        case 0: s->SetValue(LeadingInteger(editText)); break;
        case 1:
            // The extracted number uses "." whatever the regional settings.
            s->SetFloatValue(StrToFloatDef(ExtractNumberText(editText), s->MinFloatValue(), FixedFormatSettings()));
            break;
        case 2: s->SetText(editText); break;
        default: s->SetDateValue(DateOrNow(editText, false)); break;
        }
        place(s, left, top, w, h);
        if (FSpinClick > 0) s->UpClick(s);
        else if (FSpinClick < 0) s->DownClick(s);
        FSpinClick = 0;
        FocusEditor(s);
        return;
    }
    if (t == edComboEdit || t == edComboList) {
        TGridCombo* cb = Combobox();
        cb->SetStyle(t == edComboEdit ? csDropDown : csDropDownList);
        cb->SetDropDownCount(ControlLook() ? ControlLook()->DropDownCount() : 8);
        GetEditorProp(c, ARow, FEditLink);
        cb->SetDroppedDown(false);
        cb->SetMaxLength(MaxComboLength());
        const bool soft = FLook == glSoft || (FLook >= glZUR && FLook <= glOffice2007);
        cb->SetFlat(soft);
        cb->SetEtched(soft);
        place(cb, left, top, w, h);
        TStrings* items = cb->Items();
        bool selectedFirst = false;
        if (t == edComboEdit) {
            cb->SetText(editText);
            if (FComboIdx != -1 && cb->ItemIndex() < 0 && FComboIdx < items->Count()) cb->SetItemIndex(FComboIdx);
        } else {
            int i = items->IndexOf(Cells(c, ARow));
            if (i < 0 && FComboIdx == -1) {
                i = items->IndexOf(editText);
                if (i < 0 && items->Count() > 0) {
                    i = 0;
                    selectedFirst = true;
                }
            } else if (i < 0) {
                i = FComboIdx < items->Count() ? FComboIdx : -1;
            }
            cb->SetItemIndex(i);
        }
        cb->StartEdit(selectedFirst ? -1 : cb->ItemIndex());
        if (Navigation()->AutoComboDropSize()) cb->SizeDropDownWidth();
        FocusEditor(cb);
        if (selectedFirst) cb->ReportItemChange();
        if (MouseActions()->DirectComboDrop() || (ControlLook() && ControlLook()->DropDownAlwaysVisible()))
            cb->SetDroppedDown(true);
        return;
    }
    if (IsEditBtnType(t)) {
        TGridEditBtn* e = BtnEdit();
        e->SetText(editText);
        e->SetMaxLength(GetEditLimit());
        place(e, left, top, w, h);
        FocusEditor(e);
        return;
    }
    if (IsUnitEditBtnType(t)) {
        TGridUnitEditBtn* e = BtnUnitEdit();
        e->SetMaxLength(GetEditLimit());
        GetEditorProp(c, ARow, FEditLink);
        e->SetUnitID(QString());
        e->SetText(QString());
        e->SetTextAndUnit(editText);
        place(e, left, top, w, h);
        FocusEditor(e);
        return;
    }
    if (t == edCheckBox) {
        TGridCheckBox* cbx = EditCheckBox();
        cbx->SetCaption(editText);
        cbx->SetChecked(false);
        place(cbx, left, top, w, h);
        FocusEditor(cbx);
        return;
    }
    if (t == edDateEdit || t == edDateEditUpDown || t == edTimeEdit) {
        TGridDatePicker* d = DateTimePicker();
        const bool time = t == edTimeEdit;
        d->SetKind(time ? dtkTime : dtkDate);
        d->SetDateMode(t == edDateEditUpDown ? dmUpDown : dmComboBox);
        GetEditorProp(c, ARow, FEditLink);
        TDateTime v;
        if (!time && OnCustomStrToDate) {
            v = Now();
            OnCustomStrToDate(this, editText, v);
        } else {
            v = DateOrNow(editText, time);
            if (!time && d->MinDate() != 0 && v <= d->MinDate()) v = d->MinDate() + 1;
            if (!time && d->MaxDate() != 0 && v > d->MaxDate()) v = d->MaxDate() - 1;
        }
        d->SetDateTime(v);
        place(d, left, top, w, h);
        FocusEditor(d);
        if (!time && MouseActions()->DirectDateDrop()) d->SetDroppedDown(true);
        return;
    }
    if (t == edButton) {
        TGridButton* b = Btn();
        b->SetCaption(editText);
        place(b, left - 1, top - 1, w + 2, h + 2);
        FocusEditor(b);
        return;
    }
    if (t == edDateTimeEdit) {
        TGridDateTimePicker* d = DateAndTimePicker();
        GetEditorProp(c, ARow, FEditLink);
        TDateTime v = 0;
        if (editText.trimmed().isEmpty() || !TryStrToDateTime(editText, v)) v = Now();
        FOriginalDateTime = v;
        d->SetDateTime(v);
        place(d, left, top, w, std::max(h, d->Height()));
        FocusEditor(d);
        return;
    }
    if (t == edCustom) {
        if (FEditLink) FEditLink->Open(this, ACol, ARow, rc, color, editText);
        return;
    }
    if (t == edRichEdit) {
        ShowRichEditor(ACol, ARow, rc, color);
        return;
    }
    if (ShowDropDownEditor(ACol, ARow, t, rc)) return;
    // edCustom without a link, edDataCheckBox, edNone: nothing opens.
}

// ---- committing ------------------------------------------------------------------------------

void TAdvStringGrid::CommitSpecialEditor(int ACol, int ARow)
{
    if (HasState(csDestroying)) return;
    FSpecialEditor = false;
    FBlockKill = true;
    auto unblock = qScopeGuard([this]() {
        FBlockKill = false;
        FEditActive = false;
    });
    FStartEditChar = QChar();
    const int c = RealColIndex(ACol);
    const TEditorType t = EditControl;
    const bool wasActive = FEditActive;
    HideInvalidEntryBalloon();

    if (IsSpinEditorType(t) && FEditSpin) {
        TGridSpin* s = SpinEdit();
        if (s->Visible()) {
            if (s->AllowEmptyValue() && s->Text().trimmed().isEmpty()) StoreEditValue(c, ARow, QString());
            else if (t == edSpinEdit) StoreEditValue(c, ARow, QString::number(s->Value()));
            else if (t == edFloatSpinEdit) {
                SetFloats(c, ARow, s->FloatValue());
                StoreEditValue(c, ARow, Cells(c, ARow));
            } else if (t == edTimeSpinEdit) StoreEditValue(c, ARow, s->Text());
            else StoreEditValue(c, ARow, DateToStr(s->DateValue()));
            EditMode = false;
            HideEditorControl(s);
        }
    } else if ((t == edComboEdit || t == edComboList) && EditCombo->Visible()) {
        if (EditMode) StoreEditValue(c, ARow, Combobox()->Text());
        EditMode = false;
        Combobox()->SetDroppedDown(false);
        HideEditorControl(EditCombo);
    } else if (IsEditBtnType(t) && EditBtn->Visible()) {
        if (EditMode) StoreEditValue(c, ARow, BtnEdit()->Text());
        EditMode = false;
        HideEditorControl(EditBtn);
    } else if (t == edCheckBox && EditCheck->Visible()) {
        EditMode = false;
        HideEditorControl(EditCheck);
    } else if ((t == edDateEdit || t == edDateEditUpDown || t == edTimeEdit) && FEditDate && FEditDate->Visible()) {
        if (DateTimeEditorsAvailable()) {
            TGridDatePicker* d = DateTimePicker();
            QString text;
            if (t == edTimeEdit) {
                // The picker's format stands in for the long time format of this call only.
                FormatSettings fs = DefaultFormatSettings();
                if (!d->Format().isEmpty()) fs.LongTimeFormat = d->Format();
                text = TimeToStr(d->Time(), fs);
            } else if (!d->ShowCheckbox() || d->Checked()) {
                text = d->Format().isEmpty() ? DateToStr(d->Date()) : FormatDateTime(d->Format(), d->Date());
            }
            StoreEditValue(c, ARow, text);
        }
        EditMode = false;
        HideEditorControl(FEditDate);
    } else if (t == edButton && GridButton->Visible()) {
        EditMode = false;
        HideEditorControl(static_cast<TWinControl*>(GridButton));
    } else if (IsUnitEditBtnType(t) && UnitEditBtn->Visible()) {
        StoreEditValue(c, ARow, BtnUnitEdit()->TextAndUnit());
        EditMode = false;
        HideEditorControl(UnitEditBtn);
    } else if (t == edDateTimeEdit && FEditDateTime && FEditDateTime->Visible()) {
        if (DateTimeEditorsAvailable()) {
            TGridDateTimePicker* d = DateAndTimePicker();
            StoreEditValue(c, ARow, (!d->ShowCheckbox() || d->Checked()) ? DateTimeEditorText(d->DateTime()) : QString());
        }
        EditMode = false;
        HideEditorControl(FEditDateTime);
    } else if (t == edCustom && FEditLink) {
        TEditLink* link = FEditLink;
        if (ControlLook() && ControlLook()->DropDownAlwaysVisible()) GetCellEditor(c, ARow, EditControl);
        StoreEditValue(c, ARow, link->GetEditorValue());
        EditMode = false;
        if (link->EditStyle() != esPopup) link->SetVisible(false);
        link->RestoreWinProc();
    } else if (t == edRichEdit && FInplaceRichEdit && FInplaceRichEdit->Visible()) {
        StoreEditValue(c, ARow, RichToString(InplaceRichEdit()));
        EditMode = false;
        HideEditorControl(FInplaceRichEdit);
    } else if (EditMode && StoreDropDownEditor(ACol, ARow, t)) {
        EditMode = false;
    }
    if (t != edNormal && wasActive) PostEditDone(c, ARow);
    EditCtrl = nullptr;
}
