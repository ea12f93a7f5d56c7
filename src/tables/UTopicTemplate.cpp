#include "UTopicTemplate.h"

TFTopicTemplate* FTopicTemplate = nullptr;

TFTopicTemplate::TFTopicTemplate(TComponent* AOwner) : TTitledForm(AOwner, 640, 337, 2400, 2402) {}
