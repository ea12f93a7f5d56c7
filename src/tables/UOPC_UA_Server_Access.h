#pragma once
// The variables the OPC UA model's server publishes: data type, position in
// the internal data array, length (which follows a sized type), name,
// access and description, on a string grid with real check boxes and
// per-cell drop-downs. Kept in OPC_UA_Server.xml.

#include "UTableChecks.h"
#include "UTableWindow.h"

#include <QStringList>

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

class TFOPC_UA_Server_Access : public TTableForm {
public:
    DECLARE_CLASSNAME(TFOPC_UA_Server_Access)
    explicit TFOPC_UA_Server_Access(TComponent* AOwner);
    ~TFOPC_UA_Server_Access() override;

    TAdvStringGrid* ASG = nullptr;

    bool Do_Copy = false;
    TStringList* Hint;
    TStringList* VarType;
    TStringList* RWType;
    int Max_Byte_In = 1438;   // kept; the position check uses its own range
    int Max_Byte_Out = 1438;

    // Builds ASG: its columns, rows, check boxes and cell colours, and the
    // two choice lists.
    void Init_Table();
    bool Controllo_dati() override;
    void FormShow() override;
    void ASGGetEditorType(TObject* Sender, int ACol, int ARow, TEditorType& AEditor);
    void ASGComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex, const QString& ASelection);
    // The Length cell of ARow and its read-only flag by the type ASelection;
    // then an empty R/W cell gets "Read/Write".
    void VarSetLength(const QString& ASelection, int ACol, int ARow);

protected:
    QString TablePath() const override;
    QString TableRoot() const override { return QStringLiteral("OPC_UA_Server"); }
    QString TableVersion() const override { return QStringLiteral("1.000"); }
    bool& CopyFlag(int page) override { (void)page; return Do_Copy; }
    TStringList* HintList(int page) override { (void)page; return Hint; }
    void SetLimits() override;
    bool BindsClick(int page) const override { (void)page; return false; }
    bool BindsDblClick(int page) const override { (void)page; return false; }
    bool BindsKeyPress(int page) const override { (void)page; return false; }
    bool BindsHint(int page) const override { (void)page; return false; }
    bool ShowsHints(int page) const override { (void)page; return false; }

private:
    // Every Length cell from row `from` down is read-only exactly when its
    // row's type has a fixed size; the texts stay.
    void FollowTypes(int from);
    void DeleteRowClick();
    void InsertRowClick();
    void PasteRowClick();
};

extern TFOPC_UA_Server_Access* FOPC_UA_Server_Access;
