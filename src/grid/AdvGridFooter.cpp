#include "AdvGridFooter.h"

void TFloatingFooter::Assign(TPersistent* Source)
{
    if (dynamic_cast<TFloatingFooter*>(Source)) return;
    TPersistent::Assign(Source);
}

TFooterPanel::TFooterPanel(TComponent* AOwner) : TCustomPanel(AOwner)
{
    SetAlign(alBottom);
    SetBorderWidth(0);
    SetHeight(0);
}
