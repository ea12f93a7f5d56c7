#include "USet_PDO_Access.h"

TFSet_PDO_Access* FSet_PDO_Access = nullptr;

TFSet_PDO_Access::TFSet_PDO_Access(TComponent* AOwner) : TTitledForm(AOwner, 640, 337, 1900, 1901) {}
