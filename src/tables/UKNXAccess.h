#pragma once
// The table of the KNX accesses.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"
#include "UTableChecks.h"

class TFKNXAccess : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFKNXAccess)
    explicit TFKNXAccess(TComponent* AOwner);
};

extern TFKNXAccess* FKNXAccess;

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
