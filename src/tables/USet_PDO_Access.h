#pragma once
// The table of the CANopen PDO accesses.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"
#include "UTableChecks.h"

class TFSet_PDO_Access : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFSet_PDO_Access)
    explicit TFSet_PDO_Access(TComponent* AOwner);
};

extern TFSet_PDO_Access* FSet_PDO_Access;

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
