#include "UTLS_Server_Known_Cert.h"

TFTLS_Server_Known_Cert* FTLS_Server_Known_Cert = nullptr;

TFTLS_Server_Known_Cert::TFTLS_Server_Known_Cert(TComponent* AOwner) : TTitledForm(AOwner, 640, 337, 1600, 1601) {}
