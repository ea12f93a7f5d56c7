#include "AdvDropDownBars.h"

#include "AdvDropDownPaint.h"
#include "ImgList.h"

namespace {

constexpr int DropDownBarGradientSteps = 80;

}  // namespace

template <class TAppearance>
TAdvDropDownBar<TAppearance>::TAdvDropDownBar(TComponent* AOwner)
    : TCustomControl(AOwner), FAppearance(std::make_unique<TAppearance>(AOwner))
{
    FAppearance->OnChange = [this](TObject* s) { AppearanceChanged(s); };
    SetControlStyle(csAcceptsControls | csClickEvents | csDoubleClicks);
}

template <class TAppearance>
TAdvDropDownBar<TAppearance>::~TAdvDropDownBar()
{
    FAppearance->OnChange = nullptr;
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
    if (Operation == TOperation::opRemove && AComponent == FImages) FImages = nullptr;
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
    Invalidate();
}

template <class TAppearance>
void TAdvDropDownBar<TAppearance>::AppearanceChanged(TObject*)
{
    SetVisible(FAppearance->Visible());
    SetHeight(FAppearance->Height());
}

template <class TAppearance>
void TAdvDropDownBar<TAppearance>::Paint()
{
    const TRect r = ClientRect();
    if (OnDrawBackGround) {
        OnDrawBackGround(this, Canvas(), r);
        return;
    }
    if (FAppearance->ColorTo() != clNone) {
        DrawDropDownGradient(Canvas(), FAppearance->Color(), FAppearance->ColorTo(), DropDownBarGradientSteps, r,
                             FAppearance->GradientDirection() == gdHorizontal);
    } else if (FAppearance->Color() != clNone) {
        Canvas()->Brush()->SetStyle(bsSolid);
        Canvas()->Brush()->SetColor(FAppearance->Color());
        Canvas()->FillRect(r);
    }
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
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks);
    SetHeight(22);
}
