#pragma once
// The list of the TLS server's known certificates.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"
#include "UTableChecks.h"

class TFTLS_Server_Known_Cert : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFTLS_Server_Known_Cert)
    explicit TFTLS_Server_Known_Cert(TComponent* AOwner);
};

extern TFTLS_Server_Known_Cert* FTLS_Server_Known_Cert;
