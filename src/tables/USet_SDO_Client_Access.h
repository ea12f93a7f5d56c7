#pragma once
// The table of the CANopen SDO client accesses.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"

class TFSet_SDO_Client_Access : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFSet_SDO_Client_Access)
    explicit TFSet_SDO_Client_Access(TComponent* AOwner);
};

extern TFSet_SDO_Client_Access* FSet_SDO_Client_Access;
