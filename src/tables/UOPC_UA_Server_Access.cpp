#include "UOPC_UA_Server_Access.h"

#include "AdvGrid.h"
#include "ClassesLists.h"
#include "Dialogs.h"
#include "UComon.h"
#include "UComonRows.h"
#include "UTableColumns.h"

TFOPC_UA_Server_Access* FOPC_UA_Server_Access = nullptr;

namespace {

constexpr int OPCUADataRows = 250;
constexpr int OPCUADeleteQuestion = 2728;

TTableGridSpec OPCUAGrid()
{
    TTableGridSpec g;
    g.Name = QStringLiteral("ASG");
    g.Section = QStringLiteral("OPC_UA_Server_Variables");
    g.DataRows = OPCUADataRows;
    g.FixedHeader = 2714;
    const QString none;  // an absent attribute leaves its cell empty
    g.Columns = {
        TableCheckColumn(2715, 50, TableEnableColor, "Enable", QStringLiteral("Y")),
        TableListColumn(2716, {}, 120, TableAddressColor, "Type", none),
        TableTextColumn(2717, 100, TableTimingColor, "Position", none),
        TableTextColumn(2718, 100, TableTimingColor, "Length", none),
        TableTextColumn(2719, 280, TablePlacementColor, "Name", none),
        TableListColumn(2729, {}, 100, TablePlacementColor, "ReadWrite", none),
        TableTextColumn(2720, 280, clWhite, "Mnemonic", none),
    };
    g.Hints = {2721, 2722, 2723, 2724, 2725, 2730, 2726};
    return g;
}

void OPCUAFillList(TStringList* list, const QStringList& texts)
{
    list->Clear();
    for (const QString& t : texts)
        list->Add(t);
}

}  // namespace

TFOPC_UA_Server_Access::TFOPC_UA_Server_Access(TComponent* AOwner)
    : TTableForm(AOwner, 1200, {2700, 0, OPCUADeleteQuestion}),
      Hint(new TStringList),
      VarType(new TStringList),
      RWType(new TStringList)
{
    Init_Table();
    AddStringGridPage(OPCUAGrid(), ASG);
    ASG->OnGetEditorType = [this](TObject* s, int c, int r, TEditorType& e) { ASGGetEditorType(s, c, r, e); };
    ASG->OnComboChange = [this](TObject* s, int c, int r, int i, const QString& t) { ASGComboChange(s, c, r, i, t); };
    // The row buttons that keep the Length cells in step with their types.
    Btn_DelRow->OnClick = [this](TObject*) { DeleteRowClick(); };
    Btn_InsRow->OnClick = [this](TObject*) { InsertRowClick(); };
    Btn_PasteRow->OnClick = [this](TObject*) { PasteRowClick(); };
}

TFOPC_UA_Server_Access::~TFOPC_UA_Server_Access()
{
    delete Hint;
    delete VarType;
    delete RWType;
}

void TFOPC_UA_Server_Access::Init_Table()
{
    ASG = NewCheckBoxTableGrid(this, OPCUAGrid(),
                               {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect, goEditing});
    OPCUAFillList(VarType, OPCUAVarTypes());
    OPCUAFillList(RWType, OPCUARWTypes());
}

QString TFOPC_UA_Server_Access::TablePath() const
{
    return OPC_UA_Server_File;
}

void TFOPC_UA_Server_Access::SetLimits()
{
    Max_Byte_In = 1438;
    Max_Byte_Out = 1438;
}

void TFOPC_UA_Server_Access::FormShow()
{
    TTableForm::FormShow();
    // Loaded or emptied, a row's Length is read-only exactly for a fixed-size
    // type: nothing of an earlier showing stays.
    FollowTypes(1);
}

void TFOPC_UA_Server_Access::FollowTypes(int from)
{
    for (int r = std::max(1, from); r < ASG->RowCount(); ++r) {
        QString length;
        bool readOnly = false;
        if (!OPCUATypeLength(ASG->Cells(opcType, r), length, readOnly))
            readOnly = false;
        if (ASG->ReadOnly(opcLength, r) != readOnly)
            ASG->SetReadOnly(opcLength, r, readOnly);
    }
}

void TFOPC_UA_Server_Access::ASGGetEditorType(TObject* Sender, int ACol, int ARow, TEditorType& AEditor)
{
    (void)Sender; (void)ARow;
    const TStringList* list = ACol == opcType ? VarType : ACol == opcReadWrite ? RWType : nullptr;
    if (!list)
        return;
    AEditor = edComboList;
    ASG->ClearComboString();
    for (int i = 0; i < list->Count(); ++i)
        ASG->AddComboString(list->Strings(i));
}

void TFOPC_UA_Server_Access::ASGComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex,
                                            const QString& ASelection)
{
    (void)Sender; (void)AItemIndex;
    if (ACol == opcType)
        VarSetLength(ASelection, ACol, ARow);
}

void TFOPC_UA_Server_Access::VarSetLength(const QString& ASelection, int ACol, int ARow)
{
    (void)ACol;
    QString length;
    bool readOnly = false;
    if (OPCUATypeLength(ASelection, length, readOnly)) {
        ASG->SetCells(opcLength, ARow, length);
        ASG->SetReadOnly(opcLength, ARow, readOnly);
    }
    if (ASG->Cells(opcReadWrite, ARow).isEmpty())
        ASG->SetCells(opcReadWrite, ARow, QStringLiteral("Read/Write"));
}

void TFOPC_UA_Server_Access::DeleteRowClick()
{
    EndActiveEdit();
    const int row = ASG->Row();
    const QString question = TableFormatText(LangText(OPCUADeleteQuestion), {row});
    if (MessageDlg(question, mtConfirmation, mbYesNo) != mrYes)
        return;
    CheckGridDeleteRow(row, ASG, true);
    FollowTypes(row);
}

void TFOPC_UA_Server_Access::InsertRowClick()
{
    const int row = ASG->Row();
    Btn_InsRowClick();
    FollowTypes(row);
}

void TFOPC_UA_Server_Access::PasteRowClick()
{
    EndActiveEdit();
    const int row = ASG->Row();
    // A refused paste leaves the row exactly as it was.
    if (!CheckGridPasteRow(ASG, row, Do_Copy))
        return;
    const QString length = ASG->Cells(opcLength, row);
    VarSetLength(ASG->Cells(opcType, row), opcType, row);
    ASG->SetCells(opcLength, row, length);
}

bool TFOPC_UA_Server_Access::Controllo_dati()
{
    // Every row is looked at, also below an empty Type.
    for (int r = 1; r < ASG->RowCount(); ++r) {
        bool enabled = false;
        ASG->GetCheckBoxState(opcEnable, r, enabled);
        const QString fault = OPCUARowFault([this, r](int col) { return ASG->Cells(col, r); }, enabled, r);
        if (!fault.isEmpty()) {
            MessageDlg(fault, mtError, {mbOK});
            return false;
        }
    }
    return true;
}

// ---- the row rules ----

namespace {

// The length of each sized type; a fixed-size type's Length is read-only.
struct TOPCUAType {
    const char* Name;
    const char* Length;
    bool Fixed;
};
constexpr TOPCUAType OPCUATypes[] = {
    {"Boolean", "1", true},  {"Signed Byte", "1", true}, {"Byte", "1", true},      {"Int16", "2", true},
    {"UInt16", "2", true},   {"Int32", "4", true},       {"UInt32", "4", true},    {"Int64", "8", true},
    {"UInt64", "8", true},   {"Float", "4", true},       {"Double", "8", true},    {"String", "10", false},
    {"ByteString", "10", false},
};
constexpr int OPCUAPositionMax = 1499;

}  // namespace

QStringList OPCUAVarTypes()
{
    QStringList out;
    for (const TOPCUAType& t : OPCUATypes)
        out << QLatin1String(t.Name);
    return out;
}

QStringList OPCUARWTypes()
{
    return {QStringLiteral("Read Only"), QStringLiteral("Read/Write")};
}

bool OPCUATypeLength(const QString& type, QString& length, bool& readOnly)
{
    for (const TOPCUAType& t : OPCUATypes)
        if (type == QLatin1String(t.Name)) {
            length = QLatin1String(t.Length);
            readOnly = t.Fixed;
            return true;
        }
    return false;
}

QString OPCUARowFault(const TRowCells& cell, bool enabled, int row)
{
    if (!enabled || cell(opcType).trimmed().isEmpty() || TableIntIn(cell(opcPosition), 0, OPCUAPositionMax))
        return QString();
    return TableFormatText(LangText(2727), {row, OPCUAPositionMax});
}
