#pragma once
// The table of the BACnet objects.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"

class TFBACnetSlaveSetAccess : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFBACnetSlaveSetAccess)
    explicit TFBACnetSlaveSetAccess(TComponent* AOwner);
};

extern TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess;
