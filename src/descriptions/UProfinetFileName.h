#pragma once
// The file name of the PROFINET GSDML file.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"

class TFProfinetFileName : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFProfinetFileName)
    explicit TFProfinetFileName(TComponent* AOwner);
};

extern TFProfinetFileName* FProfinetFileName;
