#pragma once
// The MQTT topic templates.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"

class TFTopicTemplate : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFTopicTemplate)
    explicit TFTopicTemplate(TComponent* AOwner);
};

extern TFTopicTemplate* FTopicTemplate;
