#pragma once
// The SNMP values the gateway offers for reading and writing, on two pages,
// kept in SNMP_Trap.xml, from which the MIB description file is made.
// Column 0 numbers the enabled rows of a page.

#include "USNMP_Trap_AccessRules.h"
#include "UTableWindow.h"

#include <memory>

class TAdvColumnGrid;
class TAdvStringGrid;
class TTabSheet;

class TFSNMP_Trap_Access : public TTableForm {
public:
    DECLARE_CLASSNAME(TFSNMP_Trap_Access)
    explicit TFSNMP_Trap_Access(TComponent* AOwner);

    TTabSheet* TS_SNMP_Read;
    TTabSheet* TS_SNMP_Write;
    TAdvColumnGrid* ACG_SNMP_Read;
    TAdvColumnGrid* ACG_SNMP_Write;

    TStringList* Hint_SNMP_Read;
    TStringList* Hint_SNMP_Write;
    TStringList* SL_Check_Desc;
    int NByte_IN = 1440;
    int NByte_OUT = 1440;
    bool Do_Copy_In_Read = false;
    bool Do_Copy_In_Write = false;

    void FormCreate() override;
    void FormShow() override;
    void Set_Lang() override;
    bool Controllo_dati() override;
    // Column 0 of every data row: the row's place among the enabled rows,
    // empty on a disabled row.
    void Index_Row_Build(TAdvStringGrid* app_SGA);
    void ACG_SNMP_ReadCheckBoxClick(TObject* Sender, int ACol, int ARow, bool State);

protected:
    QString TablePath() const override;
    QString TableRoot() const override { return QStringLiteral("SNMP_Trap"); }
    QString TableVersion() const override { return QStringLiteral("1.000"); }
    bool& CopyFlag(int page) override { return page == 0 ? Do_Copy_In_Read : Do_Copy_In_Write; }
    TStringList* HintList(int page) override { return page == 0 ? Hint_SNMP_Read : Hint_SNMP_Write; }
    void SetLimits() override;
    bool RowEnabled(int page, int row) override;
    bool BindsClick(int) const override { return false; }
    bool ResetsPageOnShow() const override { return false; }
    void DataCellHint(int, int, int, QString& HintStr) override { HintStr.clear(); }

private:
    std::unique_ptr<TStringList> FHintRead;
    std::unique_ptr<TStringList> FHintWrite;
    std::unique_ptr<TStringList> FCheckDesc;
};

extern TFSNMP_Trap_Access* FSNMP_Trap_Access;
