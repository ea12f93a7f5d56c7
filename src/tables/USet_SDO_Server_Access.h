#pragma once
// The CANopen SDOs the gateway offers to the CANopen network as an
// SDO server, on two pages, kept in SDO_Server_CANopen.xml; the EDS
// description file lists them.

#include "USet_SDO_Client_AccessRules.h"
#include "USet_PDO_AccessScheme.h"

class TFSet_SDO_Server_Access : public TSDOTableForm {
public:
    DECLARE_CLASSNAME(TFSet_SDO_Server_Access)
    explicit TFSet_SDO_Server_Access(TComponent* AOwner);

protected:
    QString TablePath() const override;
    QString TableRoot() const override { return QStringLiteral("SDO_Server_CANopen"); }
    QString TableVersion() const override { return QStringLiteral("1.000"); }
    QString RowFault(int page, const TRowCells& cell) override;
};

extern TFSet_SDO_Server_Access* FSet_SDO_Server_Access;
