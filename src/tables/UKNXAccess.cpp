#include "UKNXAccess.h"

TFKNXAccess* FKNXAccess = nullptr;

TFKNXAccess::TFKNXAccess(TComponent* AOwner) : TTitledForm(AOwner, 640, 337, 1400, 1401) {}
