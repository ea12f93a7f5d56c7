#pragma once
// The table of the OPC UA server variables.
// For now the window holds its title panel, which shows the software code
// and, by Set_Lang, its caption and description; it opens modally from the
// main window and closes with its close box.

#include "UFormLook.h"
#include "UTableChecks.h"

#include <QStringList>

class TFOPC_UA_Server_Access : public TTitledForm {
public:
    DECLARE_CLASSNAME(TFOPC_UA_Server_Access)
    explicit TFOPC_UA_Server_Access(TComponent* AOwner);
};

extern TFOPC_UA_Server_Access* FOPC_UA_Server_Access;

// ---- the row rules, apart from the grid ----

// Columns of ASG.
enum TOPCUAColumn {
    opcEnable = 1, opcType, opcPosition, opcLength, opcName, opcReadWrite, opcMnemonic, OPCUAColumnCount
};

// The type choices and the access choices, in the order of their lists.
QStringList OPCUAVarTypes();
QStringList OPCUARWTypes();

// The Length a type gives and whether the Length cell is then read-only;
// false for a text that is no sized type (the cell stays as it is).
bool OPCUATypeLength(const QString& type, QString& length, bool& readOnly);

// The first fault of a row, the whole dialog text (the entry is a format
// taking the row number); empty when the row passes or is not examined.
QString OPCUARowFault(const TRowCells& cell, bool enabled, int row);
