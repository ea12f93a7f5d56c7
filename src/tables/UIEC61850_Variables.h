#pragma once
// The table of the IEC 61850 variables.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"
#include "UTableChecks.h"

class TFIEC61850_Variables : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFIEC61850_Variables)
    explicit TFIEC61850_Variables(TComponent* AOwner);
};

extern TFIEC61850_Variables* FIEC61850_Variables;

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
