#pragma once
// The table of the CAN frames sent.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"

class TFTransmitCAN : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFTransmitCAN)
    explicit TFTransmitCAN(TComponent* AOwner);
};

extern TFTransmitCAN* FTransmitCAN;
