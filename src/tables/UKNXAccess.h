#pragma once
// The table of the KNX accesses.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"

class TFKNXAccess : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFKNXAccess)
    explicit TFKNXAccess(TComponent* AOwner);
};

extern TFKNXAccess* FKNXAccess;
