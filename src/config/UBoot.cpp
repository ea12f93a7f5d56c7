#include "UBoot.h"

#include "UComon.h"

TFBoot* FBoot = nullptr;

TFBoot::TFBoot(TComponent* AOwner) : TTitledForm(AOwner, 449, 337, 1000, 1001)
{
    OnShow = [this](TObject*) { FormShow(); };
}

void TFBoot::FormShow()
{
    Set_Lang();
    L_SW_Code->SetCaption(Software_Code);
}

void TFBoot::Set_Lang()
{
    switch (Form_Type) {
    case 0: ShowTitleTexts(1000, 1001); break;
    case 1: ShowTitleTexts(1002, 1003); break;
    default: break;  // other values leave the texts as they are
    }
}
