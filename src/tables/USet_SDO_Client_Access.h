#pragma once
// The CANopen SDOs the gateway reads from and writes to the devices as an
// SDO client, on two pages, kept in SDO_Client_CANopen.xml.

#include "USet_SDO_Client_AccessRules.h"
#include "UTableWindow.h"

#include <memory>

class TAdvColumnGrid;
class TTabSheet;

class TFSet_SDO_Client_Access : public TTableForm {
public:
    DECLARE_CLASSNAME(TFSet_SDO_Client_Access)
    explicit TFSet_SDO_Client_Access(TComponent* AOwner);

    TTabSheet* TS_SDO_Read;
    TTabSheet* TS_SDO_Write;
    TAdvColumnGrid* sga;
    TAdvColumnGrid* sgb;

    int PROFINET_NByte_IN = 1500;
    int PROFINET_NByte_OUT = 1500;
    TStringList* Hint_SDO_Client_Read;
    TStringList* Hint_SDO_Client_Write;
    bool Do_Copy_SDO_Read = false;
    bool Do_Copy_SDO_Write = false;

    bool Controllo_dati() override;
    void Delete_Row(int Num_Row, TAdvStringGrid* SGA) { SdoDeleteRow(Num_Row, SGA); }

protected:
    QString TablePath() const override;
    QString TableRoot() const override { return QStringLiteral("SDO_Client_CANopen"); }
    QString TableVersion() const override { return QStringLiteral("1.000"); }
    bool& CopyFlag(int page) override { return page == 0 ? Do_Copy_SDO_Read : Do_Copy_SDO_Write; }
    TStringList* HintList(int page) override { return page == 0 ? Hint_SDO_Client_Read : Hint_SDO_Client_Write; }
    void SetLimits() override;
    void DeleteRow(int page, int row) override { Delete_Row(row, PageStringGrid(page)); }
    bool InsertEnables() const override { return false; }
    bool HintByRealIndex() const override { return false; }
    void DataCellHint(int, int, int, QString& HintStr) override { HintStr.clear(); }

private:
    std::unique_ptr<TStringList> FHintRead;
    std::unique_ptr<TStringList> FHintWrite;
};

extern TFSet_SDO_Client_Access* FSet_SDO_Client_Access;
