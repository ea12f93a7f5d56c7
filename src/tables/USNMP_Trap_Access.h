#pragma once
// The table of the SNMP traps.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"

class TFSNMP_Trap_Access : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFSNMP_Trap_Access)
    explicit TFSNMP_Trap_Access(TComponent* AOwner);
};

extern TFSNMP_Trap_Access* FSNMP_Trap_Access;
