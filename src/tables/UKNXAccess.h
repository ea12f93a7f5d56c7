#pragma once
// The KNX access table of the KNX model: each row is one telegram the
// gateway sends (group or individual destination, APCI, priority) with its
// data taken from the internal data array, on command, on change and/or on
// a timer. Kept in KNX_SetAccess.xml.

#include "UTableChecks.h"
#include "UTableWindow.h"

// ---- the row checks, apart from the grid ----

// Columns of ACG_KNX_in_Write.
enum TKNXColumn {
    knxEnable = 1, knxSource, knxDest, knxApci, knxPriority, knxFormat, knxMulFactor, knxExtended,
    knxReTest, knxOnCommand, knxOnChange, knxOnTimer, knxPollTime, knxPosition, knxBitMode, knxLength,
    knxTimeOut, knxMnemonic, KNXColumnCount
};

// The four priorities, the only texts the Priority column keeps on loading.
bool IsKNXPriority(const QString& text);

// The first fault of an enabled row, as the text that follows "Error row "
// and the row number; empty when the row passes. separator is the decimal
// separator the Mul. Factor is read with.
QString KNXAccessRowFault(const TRowCells& cell, int maxNumByte, QChar separator);

class TFKNXAccess : public TTableForm {
public:
    DECLARE_CLASSNAME(TFKNXAccess)
    explicit TFKNXAccess(TComponent* AOwner);
    ~TFKNXAccess() override;

    TAdvColumnGrid* ACG_KNX_in_Write = nullptr;

    bool Do_Copy_In_Write = false;
    bool Do_Copy_In_Read = false;  // only ever cleared
    int Max_Num_Byte = 1500;
    TStringList* Hint;

    bool Controllo_dati() override;
    void FormShow() override;
    // Rows below Num_Row move up by one; the last data row is emptied.
    void Delete_Row(int Num_Row, TAdvColumnGrid* SGA);

protected:
    QString TablePath() const override;
    QString TableRoot() const override { return QStringLiteral("BACnet_to_KNX"); }
    QString TableVersion() const override { return QStringLiteral("1.001"); }
    bool& CopyFlag(int page) override;
    TStringList* HintList(int page) override { (void)page; return Hint; }
    void SetLimits() override;
    void DeleteRow(int page, int row) override;
    bool HintByRealIndex() const override { return false; }
    void DataCellHint(int page, int ARow, int ACol, QString& HintStr) override;
};

extern TFKNXAccess* FKNXAccess;
