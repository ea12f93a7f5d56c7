#pragma once
// The table of the S7 read and write accesses.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"

class TFS7_Protocol_Set_Access : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFS7_Protocol_Set_Access)
    explicit TFS7_Protocol_Set_Access(TComponent* AOwner);
};

extern TFS7_Protocol_Set_Access* FS7_Protocol_Set_Access;
