#include "UTransmitCAN.h"

TFTransmitCAN* FTransmitCAN = nullptr;

TFTransmitCAN::TFTransmitCAN(TComponent* AOwner) : TTitledForm(AOwner, 640, 337, 1800, 1801) {}
