#pragma once
// The table of the CAN frames received.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"
#include "UTableChecks.h"

class TFReceiveCAN : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFReceiveCAN)
    explicit TFReceiveCAN(TComponent* AOwner);
};

extern TFReceiveCAN* FReceiveCAN;

// ---- the row checks, apart from the grid ----

// Columns of ACG_CAN_Receive.
enum TCANReceiveColumn {
    canrEnable = 1, canrCobId, canrType, canrDim, canrTimeOut, canrByte1, canrByte8 = canrByte1 + 7, canrMnemonic,
    CANReceiveColumnCount
};

// The frame types of the Type column; the first is the 11-bit one.
extern const char* const CANFrameTypes[2];

// Where a CAN window keeps a frame's cells and the entries of its faults.
struct TCANFrameRule {
    int CobIdCol, TypeCol, DimCol, FirstByteCol;
    int CobId11Msg, CobId29Msg, DimMsg;
    int Byte1Msg, Byte2Msg, OrNoneMsg;  // Byte2 .. Byte8 follow Byte2Msg
};

// The identifier (by frame type) and the Dimension: the first fault's text.
QString CANFrameHeadFault(const TRowCells& cell, const TCANFrameRule& rule);
// Byte 1 .. the row's Dimension: empty, "None" or a position below limit.
QString CANFrameBytesFault(const TRowCells& cell, const TCANFrameRule& rule, int limit);

// The first fault of an enabled receive row, as the text that follows
// "Error row " and the row number; empty when the row passes.
QString ReceiveCANRowFault(const TRowCells& cell, int maxByte);
