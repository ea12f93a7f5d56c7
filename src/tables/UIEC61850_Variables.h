#pragma once
// The table of the IEC 61850 variables.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"

class TFIEC61850_Variables : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFIEC61850_Variables)
    explicit TFIEC61850_Variables(TComponent* AOwner);
};

extern TFIEC61850_Variables* FIEC61850_Variables;
