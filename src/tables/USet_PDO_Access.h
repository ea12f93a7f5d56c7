#pragma once
// The CANopen PDO table: on the first page the process data objects the
// gateway receives, on the second those it sends; each with its COB-ID, its
// bytes and their places in the internal data array, a time-out (receive)
// or a send period and an on-change flag (transmit). Kept in
// PDO_CANopen.xml, which the EDS writer reads too.

#include "USet_PDO_AccessScheme.h"

// ---- the row checks, apart from the grids ----

// Columns of sga (receive) and sgb (transmit); column 11 is TimeOut on the
// receive page and Send Time on the transmit page.
enum TPDOColumn { pdoCobId = 1, pdoDim, pdoAddr1, pdoAddr8 = pdoAddr1 + 7, pdoTime, pdoReceiveMnemonic };
enum TPDOTransmitColumn { pdoOnChange = pdoTime + 1, pdoTransmitMnemonic };
enum TPDOPage { pdoReceivePage, pdoTransmitPage };

// The first fault of a row of a page, as the text that follows "Error row "
// and the row number; empty when the row passes. size is the page's data
// array size (PROFINET_NByte_IN or PROFINET_NByte_OUT).
QString PDORowFault(const TRowCells& cell, int page, int size);

class TFSet_PDO_Access : public TCANopenTableForm {
public:
    DECLARE_CLASSNAME(TFSet_PDO_Access)
    explicit TFSet_PDO_Access(TComponent* AOwner);
    ~TFSet_PDO_Access() override;

    TTabSheet* TS_Receive_PDO = nullptr;
    TTabSheet* TS_Transmit_PDO = nullptr;

    TStringList* Hint_PDO_Receive;
    TStringList* Hint_PDO_Transmit;
    bool Do_Copy_Receive_PDO = false;
    bool Do_Copy_Transmit_PDO = false;

protected:
    QString TablePath() const override;
    QString TableRoot() const override { return QStringLiteral("PDO_CANopen"); }
    QString TableVersion() const override { return QStringLiteral("1.000"); }
    bool& CopyFlag(int page) override { return page == 0 ? Do_Copy_Receive_PDO : Do_Copy_Transmit_PDO; }
    TStringList* HintList(int page) override { return page == 0 ? Hint_PDO_Receive : Hint_PDO_Transmit; }
    QString RowFault(int page, const TRowCells& cell) override;
};

extern TFSet_PDO_Access* FSet_PDO_Access;
