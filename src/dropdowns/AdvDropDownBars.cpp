#include "AdvDropDownBars.h"

#include "AdvDropDownForm.h"
#include "AdvDropDownPaint.h"
#include "AsgHTMLE.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "ImgList.h"
#include "SysUtils.h"

namespace {

constexpr int DropDownBarGradientSteps = 80;
// The un-hot check runs at the timer resolution the window system offers.
constexpr unsigned UnHotInterval = 15;

// The unit's error messages.
enum class BarError { ListRead, ListWrite };
struct BarErrorText {
    BarError Id;
    const char* Text;
};
constexpr BarErrorText BarErrors[] = {
    {BarError::ListRead, "Index out of bounds in list read access"},
    {BarError::ListWrite, "Index out of bounds in list write access"},
};
QString BarErrorMessage(BarError e)
{
    for (const BarErrorText& t : BarErrors)
        if (t.Id == e) return QString::fromLatin1(t.Text);
    return {};
}

// The results that close the pop-up, and whether they cancel it.
struct ClosingResult {
    TModalResult Result;
    bool Cancel;
};
constexpr ClosingResult ClosingResults[] = {
    {mrOk, false},  {mrCancel, true}, {mrAbort, true},   {mrIgnore, true},    {mrYes, false},
    {mrNo, true},   {mrAll, false},   {mrNoToAll, true}, {mrYesToAll, false},
};

}  // namespace

// ---------------------------------------------------------------------------
// TDbgList

void* TDbgList::GetItemsEx(int Index) const
{
    if (Index >= Count()) throw Exception(BarErrorMessage(BarError::ListRead));
    return Items(Index);
}

void TDbgList::SetItemsEx(int Index, void* Value)
{
    if (Index >= Count()) throw Exception(BarErrorMessage(BarError::ListWrite));
    SetItems(Index, Value);
}

void TDbgList::AssignList(const TList* List)
{
    Clear();
    if (!List) return;
    for (int i = 0; i < List->Count(); ++i) Add(List->Items(i));
}

// ---------------------------------------------------------------------------
// TAdvButton

TAdvButton::TAdvButton(TComponent* AOwner)
    : TCustomControl(AOwner)
{
    SetBounds(0, 0, 23, 22);
    SetControlStyle(csCaptureMouse | csClickEvents | csDoubleClicks);
    SetParentFont(true);
    Font()->SetName(QStringLiteral("Tahoma"));
    SetShowHint(false);
    // Enter and Space click the focused button instead of reaching the form.
    SetWantKeys(DLGC_WANTALLKEYS);
    FUnHotTimer = new TTimer(this);
    FUnHotTimer->SetEnabled(false);
    FUnHotTimer->SetInterval(UnHotInterval);
    FUnHotTimer->SetOnTimer([this](TObject*) { UnHotTimerTick(); });
}

TAdvButton::~TAdvButton()
{
    FUnHotTimer->SetEnabled(false);
}

void TAdvButton::SetAppearance(TAdvButtonAppearance* v)
{
    FAppearance = v;
    Invalidate();
}

void TAdvButton::SetImages(TCustomImageList* v)
{
    if (v == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = v;
    if (v) v->FreeNotification(this);
}

void TAdvButton::SetImageIndex(int v)
{
    FImageIndex = v;
    Invalidate();
}

void TAdvButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FImages && !HasState(csDestroying)) FImages = nullptr;
}

void TAdvButton::AutoSizeButton()
{
    if (!FAppearance) return;
    TBitmap measure(1, 1);
    measure.Canvas()->SetFont(FAppearance->Font());
    const TSize text = GetTextExtent(measure.Canvas(), Caption());
    int w = text.cx, h = text.cy;
    if (FImages && FImageIndex >= 0) {
        w = std::max(w, FImages->Width());
        h = std::max(h, FImages->Height());
    }
    SetBounds(Left(), Top(), w + 8, h + 4);
}

void TAdvButton::Paint()
{
    // The parent has painted behind the button: where the face is not drawn
    // the bar shows through.
    DrawButton();
}

void TAdvButton::DrawButton()
{
    if (!FAppearance) return;
    const TAdvButtonAppearance& a = *FAppearance;
    TColor from, to, border;
    if (!Enabled()) {
        from = a.ColorDisabled(), to = a.ColorDisabledTo(), border = a.BorderColorDisabled();
    } else if (FMouseDownInControl && FMouseInControl) {
        from = to = a.ColorDown(), border = a.BorderColorDown();
    } else if (FMouseInControl || Focused()) {
        from = to = a.ColorHot(), border = a.BorderColorHot();
    } else {
        from = a.Color(), to = a.ColorTo(), border = a.BorderColor();
    }
    const TRect r = ClientRect();
    DrawGradientBox(Canvas(), r, from, to, border, border == clNone ? 0 : 1, a.Gradient());
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->SetFont(a.Font());
    DrawImageAndText(Canvas(), r, Caption(), FImageIndex, FImages);
}

void TAdvButton::SetHot(bool v)
{
    if (v == FMouseInControl) return;
    FMouseInControl = v;
    if (Enabled()) Invalidate();
}

void TAdvButton::MouseEnter()
{
    if (!HasState(csDesigning)) {
        SetHot(true);
        FUnHotTimer->SetEnabled(true);
    }
    TCustomControl::MouseEnter();
}

void TAdvButton::MouseLeave()
{
    FUnHotTimer->SetEnabled(false);
    SetHot(false);
    TCustomControl::MouseLeave();
}

void TAdvButton::UnHotTimerTick()
{
    const TPoint p = ScreenToClient(MouseCursorPos());
    if (ClientRect().Contains(p)) return;
    FUnHotTimer->SetEnabled(false);
    SetHot(false);
}

void TAdvButton::UpdateHotTracking()
{
    if (!Enabled()) return;
    const TPoint p = ScreenToClient(MouseCursorPos());
    SetHot(ClientRect().Contains(p));
}

bool TAdvButton::PointInside(int X, int Y) const
{
    return X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
}

void TAdvButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && Enabled() && !HasState(csDesigning)) {
        FMouseDownInControl = true;
        FDragging = true;
        Invalidate();
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TAdvButton::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FDragging) {
        const bool inside = PointInside(X, Y);
        if (inside != FMouseInControl) {
            FMouseInControl = inside;
            Invalidate();
        }
    } else if (!FMouseInControl) {
        UpdateHotTracking();
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TAdvButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!HasState(csDesigning)) {
        FMouseDownInControl = false;
        Invalidate();
        if (FDragging) {
            FDragging = false;
            FMouseInControl = false;
            if (PointInside(X, Y)) Invalidate();
            UpdateHotTracking();
        }
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TAdvButton::Click()
{
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
    if (FAdvDropDown) {
        for (const ClosingResult& c : ClosingResults) {
            if (c.Result != FModalResult) continue;
            FAdvDropDown->HideDropDown(c.Cancel);
            break;
        }
    }
    if (!FInternalClick) TCustomControl::Click();
}

void TAdvButton::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_RETURN || Key == VK_SPACE) {
        Invalidate();
        FInternalClick = true;
        struct Reset {
            bool& f;
            ~Reset() { f = false; }
        } reset{FInternalClick};
        Click();
    }
    TCustomControl::KeyDown(Key, Shift);
}

void TAdvButton::WndProc(TMessage& Message)
{
    if (Message.Msg == CM_DIALOGCHAR && Enabled() && IsAccel(unsigned(Message.WParam), Caption())) {
        Click();
        Message.Result = 1;
        return;
    }
    TCustomControl::WndProc(Message);
}

void TAdvButton::EnabledChanged()
{
    TCustomControl::EnabledChanged();
    Invalidate();
}

void TAdvButton::DoEnter()
{
    TCustomControl::DoEnter();
    Invalidate();
}

void TAdvButton::DoExit()
{
    TCustomControl::DoExit();
    Invalidate();
}

// ---------------------------------------------------------------------------
// The bars

template <class TAppearance>
TAdvDropDownBar<TAppearance>::TAdvDropDownBar(TComponent* AOwner)
    : TCustomControl(AOwner), FAppearance(std::make_unique<TAppearance>(AOwner)),
      FButtonList(std::make_unique<TDbgList>())
{
    FAppearance->OnChange = [this](TObject* s) { AppearanceChanged(s); };
    if constexpr (!IsFooter) FAppearance->OnButtonsChanged = [](TObject*) {};
    if constexpr (IsFooter)
        SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks);
    else
        SetControlStyle(csAcceptsControls | csClickEvents | csDoubleClicks);
}

template <class TAppearance>
TAdvDropDownBar<TAppearance>::~TAdvDropDownBar()
{
    FAppearance->OnChange = nullptr;
    FAppearance->OnButtonsChanged = nullptr;
}

template <class TAppearance>
void TAdvDropDownBar<TAppearance>::SetImages(TCustomImageList* v)
{
    if (v == FImages) return;
    if (FImages) FImages->RemoveFreeNotification(this);
    FImages = v;
    if (v) v->FreeNotification(this);
}

template <class TAppearance>
void TAdvDropDownBar<TAppearance>::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove) return;
    if (AComponent == FImages) FImages = nullptr;
    if (AComponent == FAdvDropDown) FAdvDropDown = nullptr;
    const int i = FButtonList->IndexOf(AComponent);
    if (i >= 0) FButtonList->Delete(i);
}

template <class TAppearance>
void TAdvDropDownBar<TAppearance>::SetAdvDropDown(TAdvCustomDropDown* Edit)
{
    FAdvDropDown = Edit;
    if (!Edit) {
        SetImages(nullptr);
        return;
    }
    SetImages(Edit->Images());
    FAppearance->Assign(EditAppearance(Edit));
    // The pop-up is sized from the appearance's height: the bar follows it
    // even when only the height changed (which notifies nothing).
    SetHeight(FAppearance->Height());
    Invalidate();
}

template <class TAppearance>
typename TAdvDropDownBar<TAppearance>::TButtons* TAdvDropDownBar<TAppearance>::Buttons() const
{
    return FAdvDropDown ? EditAppearance(FAdvDropDown)->Buttons() : nullptr;
}

template <class TAppearance>
void TAdvDropDownBar<TAppearance>::AppearanceChanged(TObject*)
{
    SetVisible(FAppearance->Visible());
    SetHeight(FAppearance->Height());
}

template <class TAppearance>
void TAdvDropDownBar<TAppearance>::InitializeButtons()
{
    if (FAdvDropDown) CreateButtons();
}

template <class TAppearance>
void TAdvDropDownBar<TAppearance>::ClearButtons()
{
    for (int i = FButtonList->Count() - 1; i >= 0; --i) {
        auto* b = static_cast<TAdvButton*>(FButtonList->Items(i));
        FButtonList->Delete(i);
        Free(b);
    }
    FButtonList->Clear();
}

template <class TAppearance>
void TAdvDropDownBar<TAppearance>::CreateButtons()
{
    TButtons* items = Buttons();
    if (!FAdvDropDown || !items) return;
    ClearButtons();
    const int areaHeight = GetButtonAreaHeight();
    for (int i = 0; i < items->Count(); ++i) {
        auto* item = items->Items(i);
        auto* b = new TAdvButton(this);
        b->SetParent(this);
        b->SetAppearance(FAdvDropDown->ButtonAppearance());
        if constexpr (IsFooter) {
            b->SetAdvDropDown(FAdvDropDown);
            b->SetModalResult(item->ModalResult());
        }
        b->SetCaption(item->Caption());
        b->SetImageIndex(item->ImageIndex());
        b->SetEnabled(item->Enabled());
        b->SetImages(FImages);
        b->AutoSizeButton();
        if (item->Width() > 0) b->SetWidth(item->Width());
        if (item->Height() > 0) b->SetHeight(item->Height());
        if (b->Height() > areaHeight) b->SetHeight(areaHeight);
        b->SetTag(i);
        b->OnClick = [this](TObject* s) { ButtonClick(s); };
        FButtonList->Add(b);
    }
    ArrangeButtons();
}

template <class TAppearance>
void TAdvDropDownBar<TAppearance>::ArrangeButtons()
{
    if (FButtonList->Count() == 0) return;
    const TRect area = GetButtonArea();
    const bool right = FAppearance->ButtonAlignment() == baRight;
    int x = right ? area.Right : area.Left;
    for (int i = 0; i < FButtonList->Count(); ++i) {
        TAdvButton* b = Button(i);
        const int top = std::max(area.Top, (area.Bottom - b->Height()) / 2);
        if (right) {
            x -= b->Width();
            b->SetBounds(x, top, b->Width(), b->Height());
        } else {
            b->SetBounds(x, top, b->Width(), b->Height());
            x += b->Width();
        }
    }
}

template <class TAppearance>
void TAdvDropDownBar<TAppearance>::UpdateButtons()
{
    TButtons* items = Buttons();
    if (!FAdvDropDown || !items) return;
    for (int i = 0; i < FButtonList->Count(); ++i) {
        TAdvButton* b = Button(i);
        b->SetAppearance(FAdvDropDown->ButtonAppearance());
        b->SetImages(FImages);
        if (i < items->Count()) {
            b->SetCaption(items->Items(i)->Caption());
            b->SetImageIndex(items->Items(i)->ImageIndex());
            b->SetEnabled(items->Items(i)->Enabled());
        }
        b->AutoSizeButton();
    }
    ArrangeButtons();
}

template <class TAppearance>
TRect TAdvDropDownBar<TAppearance>::GetButtonArea() const
{
    TRect r = ClientRect();
    r.Left += 2;
    r.Top += 2;
    r.Right -= ButtonAreaRightInset();
    r.Bottom -= IsFooter ? 2 : 3;
    return r;
}

template <class TAppearance>
TRect TAdvDropDownBar<TAppearance>::GetCaptionArea() const
{
    if (FButtonList->Count() == 0) return TRect(-1, -1, -1, -1);
    TRect r = GetButtonArea();
    r.Right = Button(FButtonList->Count() - 1)->Left() - 2;
    return r;
}

template <class TAppearance>
void TAdvDropDownBar<TAppearance>::ButtonClick(TObject* Sender)
{
    auto* b = dynamic_cast<TAdvButton*>(Sender);
    if (!b || !FAdvDropDown) return;
    const auto& event =
        IsFooter ? FAdvDropDown->OnDropDownFooterButtonClick : FAdvDropDown->OnDropDownHeaderButtonClick;
    if (event) event(FAdvDropDown, b->Tag());
}

template <class TAppearance>
void TAdvDropDownBar<TAppearance>::Resize()
{
    TCustomControl::Resize();
    ArrangeButtons();
}

template <class TAppearance>
bool TAdvDropDownBar<TAppearance>::FullOutline() const
{
    return !FAdvDropDown || FAdvDropDown->DropDownBorderWidth() <= 0 || FAdvDropDown->DropDownBorderColor() == clNone;
}

template <class TAppearance>
void TAdvDropDownBar<TAppearance>::PaintBorder(const TRect& R)
{
    const TAppearance& a = *FAppearance;
    if (a.BorderColor() == clNone || a.BorderWidth() <= 0) return;
    TCanvas* c = Canvas();
    c->Pen()->SetColor(a.BorderColor());
    c->Pen()->SetWidth(a.BorderWidth());
    const bool fullOutline = FullOutline();
    if constexpr (IsFooter) {
        c->MoveTo(R.Left, R.Top);
        c->LineTo(R.Right, R.Top);
        if (fullOutline) {
            c->MoveTo(R.Left, R.Top);
            c->LineTo(R.Left, R.Bottom);
            c->LineTo(R.Right, R.Bottom);
            c->LineTo(R.Right, R.Top);
        }
    } else {
        c->MoveTo(R.Left, R.Bottom - 1);
        c->LineTo(R.Right, R.Bottom - 1);
        if (fullOutline) {
            c->MoveTo(R.Left, R.Bottom - 1);
            c->LineTo(R.Left, R.Top);
            c->LineTo(R.Right, R.Top);
            c->LineTo(R.Right, R.Bottom - 1);
        }
    }
    c->Pen()->SetWidth(1);
    c->Brush()->SetStyle(bsClear);
    c->Pen()->SetColor(BlendColor(a.BorderColor(), clWhite, 20));
    TRect inner = R;
    if constexpr (IsFooter)
        inner.Top += a.BorderWidth();
    else
        inner.Bottom -= a.BorderWidth();
    c->Rectangle(inner);
}

template <class TAppearance>
void TAdvDropDownBar<TAppearance>::Paint()
{
    const TRect r = ClientRect();
    if (OnDrawBackGround) {
        OnDrawBackGround(this, Canvas(), r);
        return;
    }
    const TAppearance& a = *FAppearance;
    TCanvas* c = Canvas();
    if (a.ColorTo() != clNone) {
        DrawDropDownGradient(c, a.Color(), a.ColorTo(), DropDownBarGradientSteps, r,
                             a.GradientDirection() == gdHorizontal);
    } else if (a.Color() != clNone) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(a.Color());
        c->FillRect(r);
    }
    PaintBorder(r);

    TRect t = r;
    const int bw = a.BorderWidth();
    t.Left += bw, t.Top += bw, t.Right -= bw, t.Bottom -= bw;
    if (a.ImageIndex() >= 0 && FImages) {
        FImages->Draw(c, t.Left + 4, t.Top + (t.Height() - FImages->Height()) / 2, a.ImageIndex(), true);
        t.Left += FImages->Width() + 8;
    }
    QString text = a.Caption();
    if (OnGetText) OnGetText(this, text);
    if (!text.isEmpty()) {
        if (FButtonList->Count() > 0) t.Right = GetCaptionArea().Right;
        c->SetFont(a.Font());
        c->Brush()->SetStyle(bsClear);
        THTMLDrawArgs args;
        args.ImageList = FImages;
        args.Window = this;
        args.LinkColor = clBlue;
        args.MeasureOnly = true;
        THTMLDrawResult measured;
        DrawHTMLText(c, text, t, args, measured);
        if (measured.Height < t.Height()) t.Top += (t.Height() - measured.Height) / 2;
        args.MeasureOnly = false;
        THTMLDrawResult drawn;
        DrawHTMLText(c, text, t, args, drawn);
    }
    PaintGrip(r);
}

template class TAdvDropDownBar<THeaderAppearance>;
template class TAdvDropDownBar<TFooterAppearance>;

TAdvHeader::TAdvHeader(TComponent* AOwner)
    : TAdvDropDownBar<THeaderAppearance>(AOwner)
{
    SetHeight(22);
}

TAdvFooter::TAdvFooter(TComponent* AOwner)
    : TAdvDropDownBar<TFooterAppearance>(AOwner)
{
    SetHeight(22);
}

bool TAdvFooter::SizeGripVisible() const
{
    return FAppearance->SizeGrip() && FAdvDropDown && FAdvDropDown->DropDownSizeable();
}

void DrawSizeGrip(TCanvas* Canvas, int L, int B, TColor Color)
{
    struct Square {
        int X, Y;
    };
    static constexpr Square Light[] = {{5, 2}, {9, 2}, {13, 2}, {13, 6}, {13, 10}, {9, 6}};
    auto squares = [&](TColor color, int shift) {
        Canvas->Pen()->SetColor(color);
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->Brush()->SetColor(color);
        for (const Square& s : Light) {
            const int x = s.X - shift, y = s.Y + shift;
            Canvas->FillRect(TRect(L + x, B - y - 2, L + x + 2, B - y));
        }
    };
    squares(clWhite, 0);
    squares(Color, 1);
}

void TAdvFooter::PaintGrip(const TRect& R)
{
    if (!SizeGripVisible()) return;
    const int bw = FAppearance->BorderWidth();
    DrawSizeGrip(Canvas(), R.Right - bw - 16, R.Bottom, FAppearance->BorderColor());
}

void TAdvFooter::RestoreCursor()
{
    if (Screen && Screen->Cursor() != FOldCursor) Screen->SetCursor(FOldCursor);
}

void TAdvFooter::MouseEnter()
{
    if (Screen && Screen->Cursor() != crSizeNWSE) FOldCursor = Screen->Cursor();
    TAdvDropDownBar<TFooterAppearance>::MouseEnter();
}

void TAdvFooter::MouseLeave()
{
    RestoreCursor();
    TAdvDropDownBar<TFooterAppearance>::MouseLeave();
}

void TAdvFooter::MouseMove(TShiftState Shift, int X, int Y)
{
    if (SizeGripVisible() && Parent() && InGripZone(X, Y)) {
        if (Screen) Screen->SetCursor(crSizeNWSE);
    } else {
        RestoreCursor();
    }
    TAdvDropDownBar<TFooterAppearance>::MouseMove(Shift, X, Y);
}

void TAdvFooter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && SizeGripVisible() && Parent() && InGripZone(X, Y)) {
        ReleaseCapture();
        if (auto* form = dynamic_cast<TCustomForm*>(Parent())) form->StartSizing();
        return;
    }
    TAdvDropDownBar<TFooterAppearance>::MouseDown(Button, Shift, X, Y);
}

void TAdvFooter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    RestoreCursor();
    TAdvDropDownBar<TFooterAppearance>::MouseUp(Button, Shift, X, Y);
}
