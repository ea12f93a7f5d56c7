#pragma once
// The BACnet engineering units.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"

class TFBACnet_Eng_Unit : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFBACnet_Eng_Unit)
    explicit TFBACnet_Eng_Unit(TComponent* AOwner);
};

extern TFBACnet_Eng_Unit* FBACnet_Eng_Unit;
