#pragma once
// The table of the CANopen PDO accesses.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"

class TFSet_PDO_Access : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFSet_PDO_Access)
    explicit TFSet_PDO_Access(TComponent* AOwner);
};

extern TFSet_PDO_Access* FSet_PDO_Access;
