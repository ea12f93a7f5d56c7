#include "AdvCalculatorDropdownPanel.h"

#include "AdvDropDownPaint.h"
#include "AdvStyleIF.h"
#include "AdvUtilPaint.h"
#include "AdvXPVS.h"
#include "ImgList.h"

#include <QWidget>

namespace {

// The calculator's keys in collection order: caption, name, Tag, special.
struct PadKey {
    const char* Caption;
    const char* Name;
    int Tag;
    bool Special;
};
constexpr PadKey PadKeys[] = {
    {"", "BTN_ON", 30, false},      {"Back", "BTN_BACK", 31, true}, {"CE", "BTN_CE", 32, true},
    {"C", "BTN_C", 16, true},       {"MC", "BTN_MC", 33, true},     {"MR", "BTN_MR", 34, true},
    {"MS", "BTN_MS", 35, true},     {"M+", "BTN_M+", 36, true},     {"0", "BTN_0", 0, false},
    {"1", "BTN_1", 1, false},       {"4", "BTN_4", 4, false},       {"7", "BTN_7", 7, false},
    {"8", "BTN_8", 8, false},       {"5", "BTN_5", 5, false},       {"2", "BTN_2", 2, false},
    {"+/-", "BTN_+/-", 14, false},  {".", "BTN_.", 15, false},      {"3", "BTN_3", 3, false},
    {"6", "BTN_6", 6, false},       {"9", "BTN_9", 9, false},       {"/", "BTN_/", 13, true},
    {"*", "BTN_*", 12, true},       {"-", "BTN_-", 11, true},       {"+", "BTN_+", 10, true},
    {"=", "BTN_=", 17, true},       {"1/x", "BTN_1/x", 38, false},  {"%", "BTN_%", 18, false},
    {"sqrt", "BTN_sqrt", 37, true},
};
constexpr int PadKeyCount = int(std::size(PadKeys));
static_assert(PadKeyCount == 28, "a pocket calculator's 28 keys");

// The grid cell (column, row) of keys 0 and 4-27; keys 1-3 share the top row.
struct PadCell {
    int Key, Column, Row;
};
constexpr PadCell PadCells[] = {
    {0, 0, 0},  {4, 0, 1},  {5, 0, 2},  {6, 0, 3},  {7, 0, 4},  {11, 1, 1}, {10, 1, 2}, {9, 1, 3},
    {8, 1, 4},  {12, 2, 1}, {13, 2, 2}, {14, 2, 3}, {15, 2, 4}, {19, 3, 1}, {18, 3, 2}, {17, 3, 3},
    {16, 3, 4}, {20, 4, 1}, {21, 4, 2}, {22, 4, 3}, {23, 4, 4}, {27, 5, 1}, {26, 5, 2}, {25, 5, 3},
    {24, 5, 4},
};
static_assert(std::size(PadCells) == 25, "every key but the top row's three has a cell");

}  // namespace

// ---------------------------------------------------------------------------
// Keys and look

TButtonItem::TButtonItem(TCollection* Collection)
    : TCollectionItem(Collection), FImage(std::make_unique<TPicture>())
{
}

TButtonItem::~TButtonItem() = default;

void TButtonItem::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TButtonItem*>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    FCaption = s->FCaption;
    FCaptionColor = s->FCaptionColor;
    FTag = s->FTag;
    FImageIndex = s->FImageIndex;
    FImage->Assign(s->FImage.get());
    FName = s->FName;
}

TButtonItems::TButtonItems(TPersistent* AOwner)
    : TCollection(ItemClassOf<TButtonItem>()), FOwner(AOwner)
{
}

TButtonAppearance::TButtonAppearance()
    : FFont(std::make_unique<TFont>())
{
    FFont->SetSize(10);
    FFont->SetStyle(TFontStyles{fsBold});
}

TButtonAppearance::~TButtonAppearance() = default;

void TButtonAppearance::SetColorOf(TColor& field, TColor v)
{
    if (field == v) return;
    field = v;
    if (OnChange) OnChange(this);
}

void TButtonAppearance::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TButtonAppearance*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    SetColor(s->FColor);
    SetColorTo(s->FColorTo);
    SetColorHot(s->FColorHot);
    SetColorHotTo(s->FColorHotTo);
    SetColorDown(s->FColorDown);
    SetColorDownTo(s->FColorDownTo);
    SetBorderColor(s->FBorderColor);
    SetBorderColorHot(s->FBorderColorHot);
    SetBorderColorDown(s->FBorderColorDown);
    FGlowColorHot = s->FGlowColorHot;
    FGlowColorDown = s->FGlowColorDown;
    FShineColor = s->FShineColor;
    FFont->Assign(s->FFont.get());
    SetTextColor(s->FTextColor);
    SetSpecialTextColor(s->FSpecialTextColor);
}

// ---------------------------------------------------------------------------
// The pad

TCustomButtonPanel::TCustomButtonPanel(TComponent* AOwner)
    : TCustomControl(AOwner), FButtons(std::make_unique<TButtonItems>(this)),
      FButtonAppearance(std::make_unique<TButtonAppearance>())
{
    FButtonAppearance->OnChange = [this](TObject*) {
        if (!FAdvDropDown) Invalidate();
    };
}

TCustomButtonPanel::~TCustomButtonPanel()
{
    FButtonAppearance->OnChange = nullptr;
}

void TCustomButtonPanel::Loaded()
{
    TCustomControl::Loaded();
    if (!FAdvDropDown) CreateDefaultButtons();
}

void TCustomButtonPanel::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FImages) FImages = nullptr;
}

void TCustomButtonPanel::SetButtonPanelType(TButtonPanelType v)
{
    FButtonPanelType = v;
    ArrangeButtons();
}

void TCustomButtonPanel::SetImages(TCustomImageList* v)
{
    if (v != FImages) {
        if (FImages) FImages->RemoveFreeNotification(this);
        FImages = v;
        if (v) v->FreeNotification(this);
    }
    ArrangeButtons();
}

TRect TCustomButtonPanel::GetButtonRect(int Index) const
{
    if (Index < 0 || Index >= FButtons->Count()) return TRect(-1, -1, -1, -1);
    return FButtons->Items(Index)->GetRect();
}

int TCustomButtonPanel::ButtonAtPos(int X, int Y) const
{
    for (int i = 0; i < FButtons->Count(); ++i) {
        const TRect r = GetButtonRect(i);
        if (X >= r.Left && X < r.Right && Y >= r.Top && Y < r.Bottom) return i;
    }
    return -1;
}

void TCustomButtonPanel::RepaintButton(int Index)
{
    if (Index < 0 || Index >= FButtons->Count() || !Widget()->isVisible()) return;
    // The key is drawn over its neighbours' overlapping pixels.
    const TRect r = GetButtonRect(Index);
    Widget()->repaint(QRect(r.Left - 8, r.Top - 8, r.Width() + 16, r.Height() + 16));
}

void TCustomButtonPanel::SetButtonHot(int Index)
{
    if (Index == FButtonHot) return;
    InvalidateButton(FButtonHot);
    FButtonHot = Index;
    if (Index >= 0) RepaintButton(Index);
}

void TCustomButtonPanel::SetButtonDown(int Index)
{
    if (Index == FButtonDown) return;
    InvalidateButton(FButtonDown);
    FButtonDown = Index;
    if (Index >= 0) RepaintButton(Index);
}

void TCustomButtonPanel::InvalidateButton(int Index)
{
    if (Index < 0 || Index >= FButtons->Count()) return;
    const TRect r = GetButtonRect(Index);
    InvalidateRect(TRect(r.Left - 8, r.Top - 8, r.Right + 8, r.Bottom + 8));
}

void TCustomButtonPanel::DoButtonClick(int Index)
{
    if (OnButtonClick) OnButtonClick(this, Index);
}

TRect TCustomButtonPanel::GetButtonsArea() const
{
    TRect r = ClientRect();
    r.Left += FOffSetX, r.Top += FOffSetY, r.Right -= FOffSetX, r.Bottom -= FOffSetY;
    return r;
}

void TCustomButtonPanel::ClearButtons()
{
    FButtons->Clear();
    FButtonHot = FButtonDown = -1;
}

void TCustomButtonPanel::ResetButtons()
{
    ClearButtons();
    CreateDefaultButtons();
}

void TCustomButtonPanel::CreateDefaultButtons()
{
    if (FButtons->Count() > 0) return;
    if (FButtonPanelType == plCalculator) {
        for (const PadKey& k : PadKeys) {
            TButtonItem* b = FButtons->Add();
            b->SetCaption(QString::fromLatin1(k.Caption));
            b->SetName(QString::fromLatin1(k.Name));
            b->SetTag(k.Tag);
            b->SetSpecial(k.Special);
            if (k.Special) b->SetCaptionColor(clMaroon);
        }
    }
    ArrangeButtons();
}

void TCustomButtonPanel::ArrangeButtons()
{
    if (FButtonPanelType != plCalculator || FButtons->Count() < PadKeyCount) return;
    const TRect A = GetButtonsArea();
    constexpr int gap = 4;
    const int w = (A.Width() - 2 * gap) / 6;
    const int h = (A.Height() - gap) / 5;
    int row[5], col[6];
    row[0] = A.Top;
    row[1] = row[0] + h + gap;
    for (int i = 2; i < 5; ++i) row[i] = row[i - 1] + h - 1;
    col[0] = A.Left;
    col[1] = col[0] + w + gap;
    col[2] = col[1] + w - 1;
    col[3] = col[2] + w - 1;
    col[4] = col[3] + w + gap;
    col[5] = col[4] + w - 1;
    for (const PadCell& c : PadCells) FButtons->Items(c.Key)->SetRect(col[c.Column], row[c.Row], w, h);
    const int x = col[0] + w + gap;
    const int L = (col[5] + w - x - 2 * gap) / 3;
    FButtons->Items(1)->SetRect(x, row[0], L, h);
    FButtons->Items(2)->SetRect(x + L + gap, row[0], L, h);
    const int cLeft = x + 2 * L + 2 * gap;
    FButtons->Items(3)->SetRect(cLeft, row[0], col[5] + w - cLeft, h);
    Invalidate();
}

void TCustomButtonPanel::DrawButton(int Index, TCanvas* ACanvas)
{
    if (Index < 0 || Index >= FButtons->Count() || !ACanvas) return;
    TButtonItem* b = FButtons->Items(Index);
    const TRect R = b->GetRect();
    ACanvas->FillRect(R);
    // Face: the themed push button with a loaded theme table, else the
    // classic face in the same four states.
    const int state = !Enabled() ? 3 : Index == FButtonDown ? 2 : Index == FButtonHot ? 1 : 0;
    if (AdvXPVS::ThemeLibraryLoaded()) {
        static constexpr int ThemeStates[] = {PBS_NORMAL, PBS_HOT, PBS_PRESSED, PBS_DISABLED};
        const HTHEME theme = AdvXPVS::Theme.OpenThemeData(this, QStringLiteral("button"));
        AdvXPVS::Theme.DrawThemeBackground(theme, ACanvas, BP_PUSHBUTTON, ThemeStates[state], R, nullptr);
        AdvXPVS::Theme.CloseThemeData(theme);
    } else {
        DrawThemedButton(ACanvas, this, R, TColorTones{}, state, 1);
    }
    ACanvas->SetFont(FButtonAppearance->Font());
    ACanvas->Font()->SetColor(b->Special() ? FButtonAppearance->SpecialTextColor() : FButtonAppearance->TextColor());
    ACanvas->Brush()->SetStyle(bsClear);

    int w = 0, h = 0;
    const bool picture = b->Image()->Graphic() && !b->Image()->Graphic()->Empty();
    if (picture)
        w = b->Image()->Width(), h = b->Image()->Height();
    else if (FImages && b->ImageIndex() >= 0)
        w = FImages->Width(), h = FImages->Height();
    TRect C = R;
    C.Left += FButtonOffSetX, C.Right -= FButtonOffSetX, C.Top += FButtonOffSetY, C.Bottom -= FButtonOffSetY;
    TRect P = C;
    auto drawPicture = [&](int x, int y) {
        if (picture)
            ACanvas->Draw(x, y, b->Image()->Graphic());
        else if (w > 0)
            FImages->Draw(ACanvas, x, y, b->ImageIndex(), true);
    };
    unsigned flags = DT_SINGLELINE | DT_VCENTER;
    if (w == 0 || FButtonLayout == ilCaptionTop || FButtonLayout == ilCaptionBottom) flags |= DT_CENTER;
    QString caption = b->Caption();
    switch (FButtonLayout) {
    case ilCaptionLeft: {
        if (!caption.isEmpty()) {
            C.Right -= w;
            ACanvas->DrawText(caption, C, flags);
            P.Left = C.Left + GetTextExtent(ACanvas, caption).cx + FCaptionGap;
        }
        drawPicture(P.Left, P.Top + (P.Height() - h) / 2);
        break;
    }
    case ilCaptionRight:
        if (w > 0) {
            drawPicture(P.Left, P.Top + (P.Height() - h) / 2);
            C.Left = P.Left + w + FCaptionGap;
        }
        if (!caption.isEmpty()) ACanvas->DrawText(caption, C, flags);
        break;
    case ilCaptionTop:
        if (!caption.isEmpty()) {
            C.Bottom -= h;
            ACanvas->DrawText(caption, C, flags);
            P.Top = C.Top + GetTextExtent(ACanvas, caption).cy + FCaptionGap;
        } else {
            P.Top += (P.Height() - h) / 2;
        }
        drawPicture(P.Left, P.Top);
        break;
    case ilCaptionBottom:
        if (caption.isEmpty()) P.Top += (P.Height() - h) / 2;
        drawPicture(P.Left, P.Top);
        if (w > 0) C.Top = P.Top + h + FCaptionGap;
        if (!caption.isEmpty()) ACanvas->DrawText(caption, C, flags);
        break;
    }
}

void TCustomButtonPanel::DrawButtons(TCanvas* ACanvas, bool IncludeHot)
{
    for (int i = 0; i < FButtons->Count(); ++i)
        if (IncludeHot || i != FButtonHot) DrawButton(i, ACanvas);
}

void TCustomButtonPanel::Paint()
{
    TCanvas* c = Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    if (!FAdvDropDown) {
        c->Brush()->SetStyle(bsClear);
        c->Pen()->SetColor(clBlack);
        c->Rectangle(ClientRect());
    }
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    DrawButtons(c, false);
    // The hot key last, over its neighbours' overlapping pixels.
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    DrawButton(FButtonHot, c);
}

void TCustomButtonPanel::Resize()
{
    TCustomControl::Resize();
    ArrangeButtons();
}

void TCustomButtonPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const int i = ButtonAtPos(X, Y);
    if (i >= 0) SetButtonDown(i);
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomButtonPanel::MouseMove(TShiftState Shift, int X, int Y)
{
    const int i = ButtonAtPos(X, Y);
    if (i != FButtonHot) SetButtonHot(i);
    TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomButtonPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FButtonDown >= 0) {
        const int pressed = FButtonDown;
        SetButtonDown(-1);
        if (ButtonAtPos(X, Y) == pressed) DoButtonClick(pressed);
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomButtonPanel::MouseLeave()
{
    SetButtonHot(-1);
    TCustomControl::MouseLeave();
}
