#include "UOPC_UA_Server_Access.h"

TFOPC_UA_Server_Access* FOPC_UA_Server_Access = nullptr;

TFOPC_UA_Server_Access::TFOPC_UA_Server_Access(TComponent* AOwner) : TTitledForm(AOwner, 640, 337, 2700, 2701) {}
