#pragma once
// The variables the IEC 61850 model publishes: name, type and length,
// whether read-only, and where the value lives in the internal data array,
// with an optional conversion. Kept in IEC61850_Variables.xml.

#include "UTableChecks.h"
#include "UTableWindow.h"

// ---- the row checks, apart from the grid ----

// Columns of ACG.
enum TIECColumn {
    iecEnable = 1, iecName, iecType, iecLength, iecReadOnly, iecPosition, iecStartBit, iecConversion,
    iecMoltFactor, iecSwap, iecSwapWord, iecMnemonic, IECColumnCount
};

// The first fault of an enabled row, as the text that follows "Error row "
// and the row number; empty when the row passes. nByteIn is the size of the
// data array the positions fall in.
QString IEC61850RowFault(const TRowCells& cell, int nByteIn, QChar separator);

class TFIEC61850_Variables : public TTableForm {
public:
    DECLARE_CLASSNAME(TFIEC61850_Variables)
    explicit TFIEC61850_Variables(TComponent* AOwner);
    ~TFIEC61850_Variables() override;

    TAdvColumnGrid* ACG = nullptr;

    bool Do_Copy = false;
    TStringList* Hint_List;
    int NByte_IN = 1438;

    bool Controllo_dati() override;
    // Bound to the grid's OnComboChange; a choice needs nothing more here.
    void ComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection);

protected:
    QString TablePath() const override;
    QString TableRoot() const override { return QStringLiteral("IEC61850_Variables"); }
    QString TableVersion() const override { return QStringLiteral("1.000"); }
    bool& CopyFlag(int page) override { (void)page; return Do_Copy; }
    TStringList* HintList(int page) override { (void)page; return Hint_List; }
    void SetLimits() override { NByte_IN = 1438; }
    bool ShowsHints(int page) const override { (void)page; return false; }
};

extern TFIEC61850_Variables* FIEC61850_Variables;
