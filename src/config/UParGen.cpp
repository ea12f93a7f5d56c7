#include "UParGen.h"

TFParGen* FParGen = nullptr;

TFParGen::TFParGen(TComponent* AOwner) : TTitledForm(AOwner, 640, 337, 400, 401) {}
