#include "UIEC61850_Variables.h"

TFIEC61850_Variables* FIEC61850_Variables = nullptr;

TFIEC61850_Variables::TFIEC61850_Variables(TComponent* AOwner) : TTitledForm(AOwner, 640, 337, 1500, 1501) {}
