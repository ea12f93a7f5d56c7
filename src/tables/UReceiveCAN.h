#pragma once
// The table of the CAN frames received.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"

class TFReceiveCAN : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFReceiveCAN)
    explicit TFReceiveCAN(TComponent* AOwner);
};

extern TFReceiveCAN* FReceiveCAN;
