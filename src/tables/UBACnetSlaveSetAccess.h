#pragma once
// The BACnet objects that the gateway offers as a BACnet server, on two
// pages (objects read from and written to the internal data array), kept in
// BACnet_Slave.xml, from which the EDE description file is made. The
// engineering unit of an object is chosen in the unit picker.

#include "UBACnetSlaveSetAccessRules.h"
#include "UTableWindow.h"

class TAdvColumnGrid;
class TTabSheet;

class TFBACnetSlaveSetAccess : public TTableForm {
public:
    DECLARE_CLASSNAME(TFBACnetSlaveSetAccess)
    explicit TFBACnetSlaveSetAccess(TComponent* AOwner);

    TTabSheet* TS_BACnet_in_Read;
    TTabSheet* TS_BACnet_in_Write;
    TAdvColumnGrid* ACG_BACnet_in_Read;
    TAdvColumnGrid* ACG_BACnet_in_Write;

    bool Desc_Lenght = false;
    bool Do_Copy_Read = false;
    bool Do_Copy_Write = false;
    int NByte_IN = 1500;
    int NByte_OUT = 1500;

    void FormCreate() override;
    void FormShow() override;
    void Set_Lang() override;
    bool Controllo_dati() override;
    void bitbtn1Click() { Btn_OKClick(); }
    void Btn_DelRow_Click() { Btn_DelRowClick(); }
    // The engineering-unit picker on a data cell of column 2, then the
    // header auto-size (both grids).
    void ACG_BACnet_in_ReadDblClickCell(TObject* Sender, int ARow, int ACol);
    // A type chosen in column 1 of the write grid proposes its length.
    void ACG_BACnet_in_WriteComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection);

protected:
    QString TablePath() const override;
    QString TableRoot() const override { return QStringLiteral("BACnet_to_Modbus"); }
    QString TableVersion() const override { return QStringLiteral("1.003"); }
    bool& CopyFlag(int page) override { return page == 0 ? Do_Copy_Read : Do_Copy_Write; }
    TStringList* HintList(int) override { return nullptr; }
    void SetLimits() override;
    bool InsertEnables() const override { return false; }
    bool BindsHint(int page) const override { return page == 0; }
    bool ShowsHints(int) const override { return false; }

private:
    // Told once per showing when ParGen.xml does not parse.
    void ReadDescLimit();
};

extern TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess;
