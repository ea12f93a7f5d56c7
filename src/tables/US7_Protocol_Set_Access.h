#pragma once
// The table of the S7 read and write accesses: on two pages, the rows that
// tell the gateway which PLC to read a value from (or write one to), where
// in the PLC and where in the gateway's internal data array. Kept in
// S7_Protocol.xml, from which the device update builds bank 2.

#include "UTableWindow.h"

#include <array>
#include <vector>

class TAdvColumnGrid;
class TTabSheet;

// A PLC endpoint met during one validation; a free entry holds -1 everywhere.
struct TIPPort {
    int IP1 = -1;
    int IP2 = -1;
    int IP3 = -1;
    int IP4 = -1;
    int Port = -1;
};

// How many PLC connections the gateway supports.
constexpr int S7MaxEndpoints = 10;

class TFS7_Protocol_Set_Access : public TTableForm {
public:
    DECLARE_CLASSNAME(TFS7_Protocol_Set_Access)
    explicit TFS7_Protocol_Set_Access(TComponent* AOwner);
    ~TFS7_Protocol_Set_Access() override;

    TTabSheet* TS_S7_Read;
    TTabSheet* TS_S7_Write;
    TAdvColumnGrid* ACG_S7_Read;
    TAdvColumnGrid* ACG_S7_Write;

    bool Do_Copy_In_Read = false;
    bool Do_Copy_In_Write = false;
    TStringList* Hint_S7_Set_Access_Read;
    TStringList* Hint_S7_Set_Access_Write;
    int NByte_IN = 1500;
    int NByte_OUT = 1500;
    std::vector<TIPPort> array_ip_Port;

    bool Controllo_dati() override;
    // Registers the endpoint: the index of its entry (a new one in the first
    // free entry), or -1 when every entry holds another endpoint.
    int Check_IP_Port(uint8_t b1, uint8_t b2, uint8_t b3, uint8_t b4, int p);

protected:
    QString TablePath() const override;
    QString TableRoot() const override { return QStringLiteral("S7_Protocol"); }
    QString TableVersion() const override { return QStringLiteral("1.004"); }
    bool& CopyFlag(int page) override { return page == 0 ? Do_Copy_In_Read : Do_Copy_In_Write; }
    TStringList* HintList(int page) override { return page == 0 ? Hint_S7_Set_Access_Read : Hint_S7_Set_Access_Write; }
    void SetLimits() override;
    bool ShowsHints(int page) const override { return page == 0; }

private:
    // The message of the first check the row fails, empty when it passes.
    QString CheckRow(int page, int row);
};

extern TFS7_Protocol_Set_Access* FS7_Protocol_Set_Access;
