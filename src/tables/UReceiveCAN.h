#pragma once
// The CAN receive rules: each row is a frame the gateway receives, its
// identifier in the 11- or 29-bit format, its data bytes and where each of
// them goes in the internal data array ("None": not stored), with a
// time-out. Kept in CAN_Rec_Frames.xml.

#include "UTableChecks.h"
#include "UTableWindow.h"

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

// What the two CAN frame windows share beyond the pattern: no row selection
// by a click in column 0, header hints by displayed column and none on data
// cells, the byte lists refilled on every show and the grid focused after it.
class TCANFrameForm : public TTableForm {
public:
    DECLARE_CLASSNAME(TCANFrameForm)
    TCANFrameForm(TComponent* AOwner, int clientWidth, const TTableBand& band, int firstByteCol);

    void FormShow() override;

protected:
    // The size of the data array the byte positions fall in.
    virtual int ByteLimit() const = 0;
    void SetLimits() override;
    // An Enable cell counts as "Y" also in lower case.
    bool RowEnabled(int page, int row) override;
    bool BindsClick(int page) const override { (void)page; return false; }
    bool ClickSelectsRow() const override { return false; }
    bool HintByRealIndex() const override { return false; }
    void DataCellHint(int page, int ARow, int ACol, QString& HintStr) override;

private:
    int FFirstByteCol;
};

class TFReceiveCAN : public TCANFrameForm {
public:
    DECLARE_CLASSNAME(TFReceiveCAN)
    explicit TFReceiveCAN(TComponent* AOwner);
    ~TFReceiveCAN() override;

    TAdvColumnGrid* ACG_CAN_Receive = nullptr;

    TStringList* Hint_ReceiveCAN;
    int MAX_Byte = 1500;
    bool Do_Copy = false;

    bool Controllo_dati() override;

protected:
    QString TablePath() const override;
    QString TableRoot() const override { return QStringLiteral("Receive_Frames"); }
    QString TableVersion() const override { return QStringLiteral("1.000"); }
    bool& CopyFlag(int page) override { (void)page; return Do_Copy; }
    TStringList* HintList(int page) override { (void)page; return Hint_ReceiveCAN; }
    int ByteLimit() const override { return 1500; }
    void SetLimits() override;
};

extern TFReceiveCAN* FReceiveCAN;
