#include "UProfinetFileName.h"

TFProfinetFileName* FProfinetFileName = nullptr;

TFProfinetFileName::TFProfinetFileName(TComponent* AOwner) : TTitledForm(AOwner, 640, 337, 2800, 2801) {}
