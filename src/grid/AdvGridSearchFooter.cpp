#include "AdvGridSearchFooter.h"

TSearchPanel::TSearchPanel(TComponent* AOwner) : TPanel(AOwner)
{
    SetAlign(alBottom);
    SetBorderWidth(0);
    SetHeight(0);
}

void TSearchPanel::SetColorTo(TColor v)
{
    if (v == FColorTo) return;
    FColorTo = v;
    Invalidate();
}
