#pragma once
// The certificates the gateway's TLS server knows (up to ten), each with an
// Enable check box and a description, on a string grid with real check
// boxes. No check: OK always saves. Kept in TLS_Known_Cert.xml.

#include "UTableWindow.h"

class TFTLS_Server_Known_Cert : public TTableForm {
public:
    DECLARE_CLASSNAME(TFTLS_Server_Known_Cert)
    explicit TFTLS_Server_Known_Cert(TComponent* AOwner);
    ~TFTLS_Server_Known_Cert() override;

    TAdvStringGrid* ASG = nullptr;

    bool Do_Copy = false;
    TStringList* Hint_List;

    // Builds ASG: its columns, rows, check boxes and cell colours.
    void Init_Table();
    bool Controllo_dati() override { return true; }

protected:
    QString TablePath() const override;
    QString TableRoot() const override { return QStringLiteral("TLS_Server_Known_Cert"); }
    QString TableVersion() const override { return QStringLiteral("1.000"); }
    bool& CopyFlag(int page) override { (void)page; return Do_Copy; }
    TStringList* HintList(int page) override { (void)page; return Hint_List; }
    bool ShowsHints(int page) const override { (void)page; return false; }
};

extern TFTLS_Server_Known_Cert* FTLS_Server_Known_Cert;
