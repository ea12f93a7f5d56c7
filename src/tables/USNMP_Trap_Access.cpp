#include "USNMP_Trap_Access.h"

#include "AdvCGrid.h"
#include "ClassesLists.h"
#include "ComCtrls.h"
#include "Dialogs.h"
#include "UComon.h"

TFSNMP_Trap_Access* FSNMP_Trap_Access = nullptr;

namespace {

constexpr TColor SNMPEnableColor = 11589887;
constexpr TColor SNMPAddressColor = 16710368;
constexpr TColor SNMPTimingColor = 11075496;
constexpr TColor SNMPPlaceColor = 16045820;
constexpr TColor SNMPBitsColor = 11075583;
constexpr TColor SNMPDescColor = 16766421;
constexpr TColor SNMPIpColor = 15000777;
constexpr int SNMPNameLength = 15;

const QStringList SNMPCommunities = {"Tundra", "Granite"};
const QStringList SNMPTypes = {"Int", "String"};
const QStringList SNMPConversions = {"None", "Float", "Float * 10", "Float * 100", "Float / 10", "Float / 100"};

QStringList SNMPBits()
{
    QStringList out;
    for (int b = 0; b < 8; ++b) out << QString::number(b);
    return out;
}

TTableColumnSpec SNMPColumn(int header, TEditorType editor, int width, TColor color, const char* attribute,
                            const QString& missing = QString(), QStringList choices = {})
{
    return {header, editor, std::move(choices), width, color, taLeftJustify, QLatin1String(attribute), missing};
}

const QString SNMPYes = QStringLiteral("Y");
const QString SNMPNo = QStringLiteral("N");

TTableGridSpec SNMPReadSpec()
{
    TTableGridSpec spec;
    spec.Name = QStringLiteral("ACG_SNMP_Read");
    spec.TabName = QStringLiteral("TS_SNMP_Read");
    spec.TabCaption = 2208;
    spec.Section = QStringLiteral("SNMP_Trap_Read");
    spec.DataRows = 256;
    spec.KeyColumn = 2;
    spec.EnableColumn = 1;
    spec.FixedHeader = 2216;
    spec.Columns = {
        SNMPColumn(2217, edDataCheckBox, 50, SNMPEnableColor, "Enable", SNMPYes),
        SNMPColumn(2218, edComboEdit, 130, SNMPAddressColor, "Community_Name", QString(), SNMPCommunities),
        SNMPColumn(2219, edComboList, 60, SNMPAddressColor, "Type", QString(), SNMPTypes),
        SNMPColumn(2220, edDataCheckBox, 75, SNMPTimingColor, "On_Change", SNMPNo),
        SNMPColumn(2221, edDataCheckBox, 50, SNMPTimingColor, "On_Command", SNMPNo),
        SNMPColumn(2222, edDataCheckBox, 60, SNMPTimingColor, "On_Timer", SNMPNo),
        SNMPColumn(2223, edNormal, 65, SNMPTimingColor, "Time"),
        SNMPColumn(2224, edComboList, 60, SNMPPlaceColor, "Position"),
        SNMPColumn(2225, edComboList, 60, SNMPPlaceColor, "Bit", QString(), SNMPBits()),
        SNMPColumn(2226, edNormal, 95, SNMPBitsColor, "NumBits"),
        SNMPColumn(2227, edNormal, 130, SNMPDescColor, "Description"),
        SNMPColumn(2228, edNormal, 120, SNMPIpColor, "IP_Address"),
        SNMPColumn(2281, edComboList, 100, SNMPEnableColor, "Conversion", QStringLiteral("None"), SNMPConversions),
        SNMPColumn(2229, edNormal, 130, clWhite, "Mnemonic"),
    };
    spec.Hints = {2239, 2240, 2241, 2242, 2243, 2244, 2245, 2246, 2247, 2248, 2249, 2250, 2283, 2251};
    return spec;
}

TTableGridSpec SNMPWriteSpec()
{
    TTableGridSpec spec;
    spec.Name = QStringLiteral("ACG_SNMP_Write");
    spec.TabName = QStringLiteral("TS_SNMP_Write");
    spec.TabCaption = 2209;
    spec.Section = QStringLiteral("SNMP_Trap_Write");
    spec.DataRows = 256;
    spec.KeyColumn = 2;
    spec.EnableColumn = 1;
    spec.FixedHeader = 2230;
    spec.Columns = {
        SNMPColumn(2231, edDataCheckBox, 50, SNMPEnableColor, "Enable", SNMPYes),
        SNMPColumn(2232, edComboEdit, 130, SNMPAddressColor, "Community_Name", QString(), SNMPCommunities),
        SNMPColumn(2233, edComboList, 60, SNMPAddressColor, "Type", QString(), SNMPTypes),
        SNMPColumn(2234, edComboList, 60, SNMPPlaceColor, "Position"),
        SNMPColumn(2235, edComboList, 60, SNMPPlaceColor, "Bit", QString(), SNMPBits()),
        SNMPColumn(2236, edNormal, 95, SNMPBitsColor, "NumBits"),
        SNMPColumn(2237, edNormal, 130, SNMPDescColor, "Description"),
        SNMPColumn(2282, edComboList, 100, SNMPEnableColor, "Conversion", QStringLiteral("None"), SNMPConversions),
        SNMPColumn(2238, edNormal, 500, clWhite, "Mnemonic"),
    };
    spec.Hints = {2252, 2253, 2254, 2255, 2256, 2257, 2258, 2284, 2259};
    return spec;
}

}  // namespace

TFSNMP_Trap_Access::TFSNMP_Trap_Access(TComponent* AOwner)
    : TTableForm(AOwner, 1256, TTableBand{2200, 2260, 2275}),
      FHintRead(std::make_unique<TStringList>()),
      FHintWrite(std::make_unique<TStringList>()),
      FCheckDesc(std::make_unique<TStringList>())
{
    Hint_SNMP_Read = FHintRead.get();
    Hint_SNMP_Write = FHintWrite.get();
    SL_Check_Desc = FCheckDesc.get();
    BuildGrids({SNMPReadSpec(), SNMPWriteSpec()});
    ACG_SNMP_Read = PageGrid(SNMPReadPage);
    ACG_SNMP_Write = PageGrid(SNMPWritePage);
    TS_SNMP_Read = PageSheet(SNMPReadPage);
    TS_SNMP_Write = PageSheet(SNMPWritePage);
    for (int page : {SNMPReadPage, SNMPWritePage}) {
        TAdvColumnGrid* g = PageGrid(page);
        const TSNMPColumns& c = SNMPColumns(TSNMPPage(page));
        // The in-place editor's limit of the two names.
        g->Columns()->Items(c.Community)->SetEditLength(SNMPNameLength);
        g->Columns()->Items(c.Description)->SetEditLength(SNMPNameLength);
        g->OnCheckBoxClick = [this](TObject* s, int col, int row, bool state) {
            ACG_SNMP_ReadCheckBoxClick(s, col, row, state);
        };
    }
}

QString TFSNMP_Trap_Access::TablePath() const
{
    return SNMP_Trap_File;
}

void TFSNMP_Trap_Access::FormCreate()
{
    TTableForm::FormCreate();
    PageControl1->SetActivePage(TS_SNMP_Read);
}

void TFSNMP_Trap_Access::Set_Lang()
{
    TTableForm::Set_Lang();
    // This window's button hints follow its two tab captions.
    TLbButton* buttons[6] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (int i = 0; i < 6; ++i) buttons[i]->SetHint(LangText(2210 + i));
}

void TFSNMP_Trap_Access::SetLimits()
{
    NByte_IN = 1440;
    NByte_OUT = 1440;
    FillNumberChoices(SNMPReadPage, SNMPColumns(SNMPReadPage).Position, NByte_IN);
    FillNumberChoices(SNMPWritePage, SNMPColumns(SNMPWritePage).Position, NByte_OUT);
}

void TFSNMP_Trap_Access::FormShow()
{
    TTableForm::FormShow();
    Index_Row_Build(ACG_SNMP_Read);
    Index_Row_Build(ACG_SNMP_Write);
}

bool TFSNMP_Trap_Access::RowEnabled(int page, int row)
{
    return PageStringGrid(page)->Cells(1, row).toUpper() == QStringLiteral("Y");
}

void TFSNMP_Trap_Access::Index_Row_Build(TAdvStringGrid* app_SGA)
{
    int counter = 1;
    app_SGA->BeginUpdate();
    for (int r = 1; r < app_SGA->RowCount(); ++r) {
        if (app_SGA->Cells(1, r).toUpper() == QStringLiteral("Y"))
            app_SGA->SetCells(0, r, QString::number(counter++));
        else
            app_SGA->SetCells(0, r, QString());
    }
    app_SGA->EndUpdate();
}

void TFSNMP_Trap_Access::ACG_SNMP_ReadCheckBoxClick(TObject* Sender, int ACol, int, bool)
{
    if (ACol == 1) Index_Row_Build(PageStringGrid(PageOf(Sender)));
}

bool TFSNMP_Trap_Access::Controllo_dati()
{
    SL_Check_Desc->Clear();
    const bool rowsPass = ValidationWalk([this](int page, int row) {
        TAdvStringGrid* g = PageStringGrid(page);
        const QString fault = SNMPRowFault(TSNMPPage(page), [g, row](int col) { return g->Cells(col, row); });
        if (fault.isEmpty()) SL_Check_Desc->Add(g->Cells(SNMPColumns(TSNMPPage(page)).Description, row));
        return fault;
    });
    if (!rowsPass) return false;
    if (SNMPDescriptionsRepeat(SL_Check_Desc->ToStringList())) {
        MessageDlg(LangText(2280), mtError, {mbOK});
        return false;
    }
    return true;
}
