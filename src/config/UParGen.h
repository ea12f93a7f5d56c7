#pragma once
// The editor of the gateway's general parameters.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"

class TFParGen : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFParGen)
    explicit TFParGen(TComponent* AOwner);
};

extern TFParGen* FParGen;
