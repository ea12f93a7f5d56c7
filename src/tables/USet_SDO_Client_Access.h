#pragma once
// The CANopen SDOs the gateway reads from and writes to the devices as an
// SDO client, on two pages, kept in SDO_Client_CANopen.xml.

#include "USet_SDO_Client_AccessRules.h"
#include "USet_PDO_AccessScheme.h"

class TFSet_SDO_Client_Access : public TSDOTableForm {
public:
    DECLARE_CLASSNAME(TFSet_SDO_Client_Access)
    explicit TFSet_SDO_Client_Access(TComponent* AOwner);

protected:
    QString TablePath() const override;
    QString TableRoot() const override { return QStringLiteral("SDO_Client_CANopen"); }
    QString TableVersion() const override { return QStringLiteral("1.000"); }
    QString RowFault(int page, const TRowCells& cell) override;
};

extern TFSet_SDO_Client_Access* FSet_SDO_Client_Access;
