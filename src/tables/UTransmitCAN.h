#pragma once
// The table of the CAN frames sent.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"
#include "UTableChecks.h"

class TFTransmitCAN : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFTransmitCAN)
    explicit TFTransmitCAN(TComponent* AOwner);
};

extern TFTransmitCAN* FTransmitCAN;

// ---- the row checks, apart from the grid ----

// Columns of ACG_CAN_Transmit.
enum TCANTransmitColumn {
    cantEnable = 1, cantCobId, cantType, cantDim, cantOnChange, cantOnCMD, cantOnTimer, cantTime, cantByte1,
    cantByte8 = cantByte1 + 7, cantMnemonic, CANTransmitColumnCount
};

// The first fault of an enabled transmit row, as the text that follows
// "Error row " and the row number; empty when the row passes.
QString TransmitCANRowFault(const TRowCells& cell, int maxByte);
