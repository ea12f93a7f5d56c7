#pragma once
// The engineering-unit picker of the BACnet objects window: shows the code
// being edited with its unit name and lets the user pick another unit by
// category. The caller puts a code text into E_Selected_EU and takes the
// text back on OK; the dialog itself checks nothing.

#include "UBACnet_Eng_UnitNames.h"
#include "UFormLook.h"

class TFBACnet_Eng_Unit : public TFramedDialog {
public:
    DECLARE_CLASSNAME(TFBACnet_Eng_Unit)
    explicit TFBACnet_Eng_Unit(TComponent* AOwner);

    TLabel* Label1;
    TEdit* E_Selected_EU;
    TLabel* Label5;
    TShape* Shape1;
    TLabel* Label2;
    TLabel* Label3;
    TComboBox* CB_Select_Type;
    TLabel* Label4;
    TComboBox* CB_Select_Unit;
    TLbButton* Btn_Select_Eng_Unit;
    TShape* Shape2;

    void FormCreate();
    void FormShow();
    void Set_Lang();
    void CB_Select_TypeSelect();
    void Btn_Select_Eng_UnitClick();
};

extern TFBACnet_Eng_Unit* FBACnet_Eng_Unit;
