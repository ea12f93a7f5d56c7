#pragma once
// The CANopen SDOs the gateway offers to the CANopen network as an
// SDO server, on two pages, kept in SDO_Server_CANopen.xml; the EDS
// description file lists them.

#include "USet_SDO_Client_AccessRules.h"
#include "USet_PDO_AccessScheme.h"

#include <memory>

class TTabSheet;

class TFSet_SDO_Server_Access : public TCANopenTableForm {
public:
    DECLARE_CLASSNAME(TFSet_SDO_Server_Access)
    explicit TFSet_SDO_Server_Access(TComponent* AOwner);

    TTabSheet* TS_SDO_Read;
    TTabSheet* TS_SDO_Write;
    // The hint lists carry the client window's names.
    TStringList* Hint_SDO_Client_Read;
    TStringList* Hint_SDO_Client_Write;
    bool Do_Copy_SDO_Read = false;
    bool Do_Copy_SDO_Write = false;

protected:
    QString TablePath() const override;
    QString TableRoot() const override { return QStringLiteral("SDO_Server_CANopen"); }
    QString TableVersion() const override { return QStringLiteral("1.000"); }
    bool& CopyFlag(int page) override { return page == 0 ? Do_Copy_SDO_Read : Do_Copy_SDO_Write; }
    TStringList* HintList(int page) override { return page == 0 ? Hint_SDO_Client_Read : Hint_SDO_Client_Write; }
    QString RowFault(int page, const TRowCells& cell) override;

private:
    std::unique_ptr<TStringList> FHintRead;
    std::unique_ptr<TStringList> FHintWrite;
};

extern TFSet_SDO_Server_Access* FSet_SDO_Server_Access;
