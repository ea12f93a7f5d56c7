#pragma once
// The table of the OPC UA server variables.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"

class TFOPC_UA_Server_Access : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFOPC_UA_Server_Access)
    explicit TFOPC_UA_Server_Access(TComponent* AOwner);
};

extern TFOPC_UA_Server_Access* FOPC_UA_Server_Access;
