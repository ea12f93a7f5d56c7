#include "AdvGridHints.h"

#include "BaseGrid.h"

TPersistent* TBalloonSettings::GetOwner()
{
    return FGrid;
}

void TBalloonSettings::Assign(TPersistent* Source)
{
    if (dynamic_cast<TBalloonSettings*>(Source)) return;
    TPersistent::Assign(Source);
}

THTMLHintWindow::THTMLHintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetVisible(false);
}
