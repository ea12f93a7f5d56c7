#include "UBACnetSlaveSetAccess.h"

#include "AdvCGrid.h"
#include "ComCtrls.h"
#include "Dialogs.h"
#include "SysFormat.h"
#include "UBACnet_Eng_Unit.h"
#include "UComon.h"
#include "UComonRows.h"

TFBACnetSlaveSetAccess* FBACnetSlaveSetAccess = nullptr;

namespace {

constexpr TColor BACnetAddressColor = 16710368;
constexpr TColor BACnetPlaceColor = 16045820;
constexpr TColor BACnetSwapColor = 11075583;

// The columns of a page; its header entries follow column 0's.
TTableGridSpec BACnetGridSpec(TBACnetPage page)
{
    const bool read = page == BACnetReadPage;
    const int h = read ? 2516 : 2524;
    TTableGridSpec spec;
    spec.Name = read ? QStringLiteral("ACG_BACnet_in_Read") : QStringLiteral("ACG_BACnet_in_Write");
    spec.TabName = read ? QStringLiteral("TS_BACnet_in_Read") : QStringLiteral("TS_BACnet_in_Write");
    spec.TabCaption = read ? 2508 : 2509;
    spec.Section = read ? QStringLiteral("BACnet_in_Read") : QStringLiteral("BACnet_in_Write");
    spec.DataRows = 2000;
    spec.KeyColumn = BACnetCol::DataType;
    spec.EnableColumn = 0;
    spec.FixedHeader = h;
    QStringList bits;
    for (int b = 0; b < 8; ++b) bits << QString::number(b);
    spec.Columns = {
        {h + 1, edComboList, BACnetPageTypes(page), 150, BACnetAddressColor, taLeftJustify, QStringLiteral("Data_Type"), std::nullopt},
        {h + 2, edNormal, {}, 100, BACnetAddressColor, taLeftJustify, QStringLiteral("Eng_Unit"), std::nullopt},
        {h + 3, edComboList, {}, 64, BACnetPlaceColor, taLeftJustify, QStringLiteral("Position"), std::nullopt},
        {h + 4, edComboList, bits, 64, BACnetPlaceColor, taLeftJustify, QStringLiteral("Bit"), std::nullopt},
        {h + 5, edNormal, {}, 64, BACnetPlaceColor, taLeftJustify, QStringLiteral("Length"), std::nullopt},
        {h + 6, edDataCheckBox, {}, 40, BACnetSwapColor, taLeftJustify, QStringLiteral("Swap"), QStringLiteral("N")},
        {h + 7, edNormal, {}, 250, clWhite, taLeftJustify, QStringLiteral("Mnemonic"), std::nullopt},
    };
    return spec;
}

}  // namespace

TFBACnetSlaveSetAccess::TFBACnetSlaveSetAccess(TComponent* AOwner)
    : TTableForm(AOwner, 764, TTableBand{2500, 2532, 2560})
{
    BuildGrids({BACnetGridSpec(BACnetReadPage), BACnetGridSpec(BACnetWritePage)});
    ACG_BACnet_in_Read = PageGrid(BACnetReadPage);
    ACG_BACnet_in_Write = PageGrid(BACnetWritePage);
    TS_BACnet_in_Read = PageSheet(BACnetReadPage);
    TS_BACnet_in_Write = PageSheet(BACnetWritePage);
    // The twin double-click handlers open the unit picker first.
    for (TAdvColumnGrid* g : {ACG_BACnet_in_Read, ACG_BACnet_in_Write})
        g->OnDblClickCell = [this](TObject* s, int r, int c) { ACG_BACnet_in_ReadDblClickCell(s, r, c); };
    ACG_BACnet_in_Write->OnComboChange = [this](TObject* s, int c, int r, int i, const QString& text) {
        ACG_BACnet_in_WriteComboChange(s, c, r, i, text);
    };
}

QString TFBACnetSlaveSetAccess::TablePath() const
{
    return BACnet_Slave_File;
}

void TFBACnetSlaveSetAccess::FormCreate()
{
    ACG_BACnet_in_Read->HideColumn(BACnetCol::Swap);
    ACG_BACnet_in_Write->HideColumn(BACnetCol::Swap);
    TTableForm::FormCreate();
}

void TFBACnetSlaveSetAccess::Set_Lang()
{
    TTableForm::Set_Lang();
    // This window's button hints follow its two tab captions.
    TLbButton* buttons[6] = {Btn_OK, Btn_Cancel, Btn_DelRow, Btn_InsRow, Btn_CopyRow, Btn_PasteRow};
    for (int i = 0; i < 6; ++i) buttons[i]->SetHint(LangText(2510 + i));
}

void TFBACnetSlaveSetAccess::SetLimits()
{
    FillNumberChoices(BACnetReadPage, BACnetCol::Position, NByte_IN);
    FillNumberChoices(BACnetWritePage, BACnetCol::Position, NByte_OUT);
}

void TFBACnetSlaveSetAccess::ReadDescLimit()
{
    QString error;
    Desc_Lenght = ReadBACnetDescLimit(ParGen_File, error);
    if (!error.isEmpty()) MessageDlg(error, mtError, {mbOK});
}

void TFBACnetSlaveSetAccess::FormShow()
{
    TS_BACnet_in_Read->SetTabVisible(true);
    TS_BACnet_in_Write->SetTabVisible(true);
    NByte_IN = 1500;
    NByte_OUT = 1500;
    ReadDescLimit();
    // A header row and 1000 or 2000 data rows a page.
    const int rows = Desc_Lenght ? 1001 : 2001;
    ACG_BACnet_in_Read->SetRowCount(rows);
    ACG_BACnet_in_Write->SetRowCount(rows);
    // Clears every data row, shows the read page, fills the position lists,
    // loads the table and clears the copy flags.
    TTableForm::FormShow();
}

bool TFBACnetSlaveSetAccess::Controllo_dati()
{
    int objects = 0;
    const bool rowsPass = ValidationWalk([this, &objects](int page, int row) {
        ++objects;
        TAdvColumnGrid* g = PageGrid(page);
        return BACnetRowFault(TBACnetPage(page), [g, row](int col) { return g->Cells(col, row); },
                              page == BACnetReadPage ? NByte_IN : NByte_OUT);
    });
    if (!rowsPass) return false;
    if (objects > BACnetMaxObjects(Desc_Lenght)) {
        MessageDlg(BACnetTooManyObjects(Desc_Lenght), mtError, {mbOK});
        return false;
    }
    return true;
}

void TFBACnetSlaveSetAccess::ACG_BACnet_in_ReadDblClickCell(TObject* Sender, int ARow, int ACol)
{
    auto* grid = static_cast<TAdvColumnGrid*>(PageStringGrid(PageOf(Sender)));
    if (ARow > 0 && grid->RealColIndex(ACol) == BACnetCol::EngUnit && FBACnet_Eng_Unit) {
        const QString code = grid->Cells(BACnetCol::EngUnit, ARow);
        FBACnet_Eng_Unit->E_Selected_EU->SetText(code);
        FBACnet_Eng_Unit->Label5->SetCaption(QStringLiteral("-> ") + Desc_Unit(StrToIntDef(code, -1)));
        if (FBACnet_Eng_Unit->ShowModal() == mrOk)
            grid->SetCells(BACnetCol::EngUnit, ARow, FBACnet_Eng_Unit->E_Selected_EU->Text());
    }
    GridHeaderAutoSize(grid, ARow, ACol);
}

void TFBACnetSlaveSetAccess::ACG_BACnet_in_WriteComboChange(TObject*, int ACol, int ARow, int, const QString& ASelection)
{
    if (ACG_BACnet_in_Write->RealColIndex(ACol) != BACnetCol::DataType) return;
    const QString length = BACnetProposedLength(ASelection);
    if (!length.isEmpty()) ACG_BACnet_in_Write->SetCells(BACnetCol::Length, ARow, length);
}
