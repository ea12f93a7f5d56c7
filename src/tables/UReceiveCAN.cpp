#include "UReceiveCAN.h"

TFReceiveCAN* FReceiveCAN = nullptr;

TFReceiveCAN::TFReceiveCAN(TComponent* AOwner) : TTitledForm(AOwner, 640, 337, 1700, 1701) {}
