#include "ASGEdit.h"

#include "AdvXPVS.h"
#include "ClassesLists.h"
#include "GraphUtils.h"
#include "Menus.h"
#include "asgspin.h"

#include <QLineEdit>
#include <QPainter>
#include <QWidget>

// ---------------------------------------------------------------- inner button

TEditButtonPaintMode EditButtonPaintMode(TColor ButtonColor, bool IsWinXP, bool ThemeActive, bool Flat)
{
    if (ButtonColor != clNone) return ebpOwnColors;
    if (IsWinXP && ThemeActive) return ebpThemed;
    return Flat ? ebpFlat : ebpClassic;
}

TAsgEditButton* TAdvSpeedButton::Owner() const
{
    return dynamic_cast<TAsgEditButton*>(Parent());
}

void TAdvSpeedButton::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    Invalidate();
}

void TAdvSpeedButton::SetFlat(bool v)
{
    FFlat = v;
    Invalidate();
}

void TAdvSpeedButton::MouseEnter()
{
    FHot = true;
    Invalidate();
    TSpeedButton::MouseEnter();
}

void TAdvSpeedButton::MouseLeave()
{
    FHot = false;
    Invalidate();
    TSpeedButton::MouseLeave();
}

void TAdvSpeedButton::Paint()
{
    TCanvas* c = Canvas();
    c->SetFont(Font());
    TRect r = ClientRect();
    const TButtonState s = State();
    const bool pressed = s == bsDown || s == bsExclusive;
    TAsgEditButton* owner = Owner();
    const TColor own = owner ? owner->ButtonColor : clNone;
    const TThemeEntries& t = AdvXPVS::Theme;
    const bool themeActive = t.IsThemeActive && t.IsThemeActive() && t.OpenThemeData && t.DrawThemeBackground;
    bool flat = FFlat;
    switch (EditButtonPaintMode(own, FIsWinXP, themeActive, FFlat)) {
    case ebpOwnColors: {
        flat = true;
        TColor fill = own;
        if (FHot && owner->ButtonColorHot != clNone) fill = owner->ButtonColorHot;
        if (pressed && owner->ButtonColorDown != clNone) fill = owner->ButtonColorDown;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(fill);
        c->FillRect(r);
        break;
    }
    case ebpThemed: {
        HTHEME h = t.OpenThemeData(Parent(), QStringLiteral("button"));
        t.DrawThemeBackground(h, c, BP_PUSHBUTTON, pressed ? PBS_PRESSED : FHot ? PBS_HOT : PBS_NORMAL, r, nullptr);
        if (t.CloseThemeData) t.CloseThemeData(h);
        break;
    }
    case ebpClassic: {
        TRect fr = r;
        DrawFrameControl(c, fr, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));
        break;
    }
    case ebpFlat:
        DrawEdge(c, r, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
        r.Inflate(-1, -1);
        break;
    }
    (void)flat;
    PaintGlyph(ClientRect(), pressed ? bsDown : s);
    if (!Caption().isEmpty()) {
        TRect tr = r;
        if (pressed) tr.Offset(1, 1);
        c->Brush()->SetStyle(bsClear);
        c->Font()->SetColor(clBlack);
        c->DrawText(Caption(), tr, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    }
}

// ---------------------------------------------------------------- button control

TAsgEditButton::TAsgEditButton(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle((ControlStyle() & ~unsigned(csAcceptsControls | csSetCaption)) | csOpaque);
    FButton = new TAdvSpeedButton(this);
    FButton->SetParent(this);
    FButton->OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int, int) { BtnMouseUp(b); };
    SetBounds(0, 0, 20, 25);
}

void TAsgEditButton::SetFlat(bool v)
{
    FFlat = v;
    FButton->SetFlat(v);
}

void TAsgEditButton::SetFocusControl(TWinControl* v)
{
    if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
    FFocusControl = v;
    if (v) v->FreeNotification(this);
}

void TAsgEditButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

void TAsgEditButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    AdjustButtonSize();
}

void TAsgEditButton::Resize()
{
    TWinControl::Resize();
    AdjustButtonSize();
}

void TAsgEditButton::Loaded()
{
    TWinControl::Loaded();
    AdjustButtonSize();
}

void TAsgEditButton::AdjustButtonSize()
{
    if (FButton && !HasState(csLoading)) FButton->SetBounds(0, 0, Width(), Height());
}

void TAsgEditButton::BtnMouseUp(TMouseButton Button)
{
    if (Button != mbLeft) return;
    if (OnClick) OnClick(this);
    if (FFocusControl && FFocusControl->TabStop() && FFocusControl->CanFocus() && !FFocusControl->Focused())
        FFocusControl->SetFocus();
    else if (TabStop() && !Focused() && CanFocus())
        SetFocus();
}

// ---------------------------------------------------------------- edit with button

TAsgEditBtn::TAsgEditBtn(TComponent* AOwner) : TAsgEdgeButtonEdit(AOwner)
{
    FButton = new TAsgEditButton(this);
    FButton->SetParent(this);
    FButton->SetBounds(0, 0, 18, 18);
    FButton->SetFocusControl(this);
    FButton->OnClick = [this](TObject* s) { ClickButton(s); };
    SetText(QStringLiteral("0"));
    SetControlStyle(ControlStyle() & ~unsigned(csSetCaption));
    Resize();
}

TAsgEditBtn::~TAsgEditBtn()
{
    FButton = nullptr;
}

void TAsgEditBtn::SetButtonWidth(int v)
{
    FButtonWidth = v;
    FButton->SetWidth(v);
    Resize();
}

void TAsgEditBtn::SetRightAlign(bool v)
{
    FRightAlign = v;
    Edit()->setAlignment((v ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

void TAsgEditBtn::SetIsWinXP(bool v)
{
    FIsWinXP = v;
    FButton->Button()->SetIsWinXP(v);
}

void TAsgEditBtn::SetUnitSize(int v)
{
    FUnitSize = v;
    SetEditRect();
    Invalidate();
}

void TAsgEditBtn::ClickButton(TObject* Sender)
{
    if (OnClickBtn) OnClickBtn(Sender);
}

void TAsgEditBtn::KeyDown(Word& Key, TShiftState Shift)
{
    TAsgEdgeButtonEdit::KeyDown(Key, Shift);
    // Either Alt key counts: they cannot be told apart portably.
    if (Key == VK_F4 && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt)) ClickButton(this);
}

void TAsgEditBtn::DoEnter()
{
    if (AutoSelect() && GetAsyncKeyState(VK_LBUTTON) >= 0) SelectAll();
    TWinControl::DoEnter();
}

int TAsgEditBtn::GetMinHeight() const
{
    return EditMinHeight(Font(), true);
}

void TAsgEditBtn::SetEditRect()
{
    if (!FButton) return;
    int right = FButton->Width() + FUnitSize + 5;
    if (FUnitSize > 0) right += 3;
    Edit()->setTextMargins(0, 0, right, 0);
}


// ---------------------------------------------------------------- unit edit

TTextAndUnit SplitTextAndUnit(const QString& Value, const QStringList& Units)
{
    for (const QString& u : Units) {
        if (u.isEmpty()) continue;
        const int i = Value.indexOf(u);
        // Its first occurrence must end the value.
        if (i >= 0 && i + u.length() == Value.length()) return {Value.left(i), u, true};
    }
    return {Value, QString(), false};
}

TRect UnitTextRect(int ClientWidth, int ClientHeight, int ButtonWidth, int UnitSpace)
{
    return TRect(ClientWidth - ButtonWidth - 3 - UnitSpace, 2, ClientWidth - ButtonWidth - 3, ClientHeight);
}

namespace {

// Draws the unit text over the edit, as the edit's own text is drawn.
class TUnitTextWidget : public QWidget {
public:
    TUnitTextWidget(TAsgUnitEditBtn* edit, QWidget* parent) : QWidget(parent), FEdit(edit)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        TCanvas c(&p);
        c.SetFont(FEdit->Font());
        c.Brush()->SetStyle(bsClear);
        TRect r(0, 0, width(), height());
        c.DrawText(FEdit->UnitID(), r, DT_EDITCONTROL | DT_LEFT);
    }

private:
    TAsgUnitEditBtn* FEdit;
};

}  // namespace

TAsgUnitEditBtn::TAsgUnitEditBtn(TComponent* AOwner)
    : TAsgEditBtn(AOwner), FUnits(std::make_unique<TStringList>())
{
    FUnitWidget = new TUnitTextWidget(this, Widget());
    FUnitWidget->show();
    SetUnitSpace(20);
    SetRightAlign(true);
    Resize();
    UpdateUnitWidget();
}

TAsgUnitEditBtn::~TAsgUnitEditBtn() = default;

TStrings* TAsgUnitEditBtn::Units() const
{
    return FUnits.get();
}

void TAsgUnitEditBtn::SetUnits(TStrings* v)
{
    if (v) FUnits->Assign(v);
}

void TAsgUnitEditBtn::SetUnitID(const QString& v)
{
    FUnitID = v;
    UpdateUnitWidget();
    if (FUnitWidget) FUnitWidget->repaint();
}

void TAsgUnitEditBtn::Resize()
{
    TAsgEdgeButtonEdit::Resize();
    UpdateUnitWidget();
}

void TAsgUnitEditBtn::UpdateUnitWidget()
{
    if (!FUnitWidget || !Button()) return;
    FUnitWidget->setGeometry(UnitTextRect(ClientWidth(), ClientHeight(), Button()->Width(), UnitSpace()).ToQRect());
    FUnitWidget->update();
}

void TAsgUnitEditBtn::SetTextAndUnit(const QString& v)
{
    QStringList units;
    for (int i = 0; i < FUnits->Count(); ++i) units << FUnits->Strings(i);
    const TTextAndUnit split = SplitTextAndUnit(v, units);
    SetText(split.Text);
    if (split.Matched) SetUnitID(split.Unit);
}

void TAsgUnitEditBtn::ClickButton(TObject*)
{
    if (OnClickBtn) OnClickBtn(this);
    if (!FUnitMenu) FUnitMenu = new TPopupMenu(this);
    FUnitMenu->Items()->Clear();
    for (int i = 0; i < FUnits->Count(); ++i) {
        auto* item = new TMenuItem(FUnitMenu);
        item->SetCaption(FUnits->Strings(i));
        item->SetTag(i + 1);
        item->OnClick = [this, id = i + 1](TObject*) { UnitChosen(id); };
        FUnitMenu->Items()->Add(item);
    }
    FUnitMenu->SetPopupComponent(this);
    const TPoint origin = ClientOrigin();
    FUnitMenu->Popup(origin.X + ClientWidth() - 15, origin.Y + ClientHeight());
}

void TAsgUnitEditBtn::UnitChosen(int Id)
{
    if (Id < 1 || Id > FUnits->Count()) return;
    const QString old = FUnitID;
    SetUnitID(FUnits->Strings(Id - 1));
    if (FUnitID != old && OnUnitChanged) OnUnitChanged(this, FUnitID);
}
