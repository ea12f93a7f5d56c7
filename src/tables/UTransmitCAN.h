#pragma once
// The CAN transmit rules: each row is a frame the gateway sends, its
// identifier in the 11- or 29-bit format, its data bytes and where each of
// them comes from in the internal data array, sent on change, on command
// and/or on a timer. Kept in CAN_Send_Frames.xml.

#include "UReceiveCAN.h"
#include "UTableChecks.h"
#include "UTableWindow.h"

// ---- the row checks, apart from the grid ----

// Columns of ACG_CAN_Transmit.
enum TCANTransmitColumn {
    cantEnable = 1, cantCobId, cantType, cantDim, cantOnChange, cantOnCMD, cantOnTimer, cantTime, cantByte1,
    cantByte8 = cantByte1 + 7, cantMnemonic, CANTransmitColumnCount
};

// The first fault of an enabled transmit row, as the text that follows
// "Error row " and the row number; empty when the row passes.
QString TransmitCANRowFault(const TRowCells& cell, int maxByte);

class TFTransmitCAN : public TCANFrameForm {
public:
    DECLARE_CLASSNAME(TFTransmitCAN)
    explicit TFTransmitCAN(TComponent* AOwner);
    ~TFTransmitCAN() override;

    TAdvColumnGrid* ACG_CAN_Transmit = nullptr;

    TStringList* Hint_TransmitCAN;
    bool Do_Copy = false;
    int MAX_Byte = 1800;
    // The defaults of a file row without CAN_Type (0: 11 bits), without
    // OnChange or OnTimer (0: on change, 1: on timer) and of its period.
    int CAN_Type = 0;
    int Send_Type = 0;
    int Send_Time = 0;

    bool Controllo_dati() override;
    void FormShow() override;

protected:
    QString TablePath() const override;
    QString TableRoot() const override { return QStringLiteral("Transmit_Frames"); }
    QString TableVersion() const override { return QStringLiteral("1.000"); }
    bool& CopyFlag(int page) override { (void)page; return Do_Copy; }
    TStringList* HintList(int page) override { (void)page; return Hint_TransmitCAN; }
    int ByteLimit() const override { return 1800; }
    void SetLimits() override;
};

extern TFTransmitCAN* FTransmitCAN;
