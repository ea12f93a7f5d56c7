#pragma once
// The table of the MQTT topics.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"

class TFMQTT_Set_Topic : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFMQTT_Set_Topic)
    explicit TFMQTT_Set_Topic(TComponent* AOwner);
};

extern TFMQTT_Set_Topic* FMQTT_Set_Topic;
