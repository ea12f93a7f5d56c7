#include "UMQTT_Set_Topic.h"

TFMQTT_Set_Topic* FMQTT_Set_Topic = nullptr;

TFMQTT_Set_Topic::TFMQTT_Set_Topic(TComponent* AOwner) : TTitledForm(AOwner, 640, 337, 2300, 2301) {}
