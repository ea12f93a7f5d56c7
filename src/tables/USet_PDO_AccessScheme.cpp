#include "USet_PDO_AccessScheme.h"

#include "AdvCGrid.h"
#include "ComCtrls.h"
#include "UComonRows.h"

namespace {

constexpr int CANopenPositionLimit = 1500;

}  // namespace

TCANopenTableForm::TCANopenTableForm(TComponent* AOwner, int clientWidth, const TTableBand& band)
    : TTableForm(AOwner, clientWidth, band)
{
}

void TCANopenTableForm::BuildPages(TTableGridSpec first, TTableGridSpec second)
{
    for (TTableGridSpec* spec : {&first, &second}) {
        spec->KeyColumn = 1;
        spec->EnableColumn = 0;
    }
    BuildGrids({first, second});
    sga = PageGrid(0);
    sgb = PageGrid(1);
    PageControl1->SetActivePageIndex(0);
}

void TCANopenTableForm::SetLimits()
{
    PROFINET_NByte_IN = CANopenPositionLimit;
    PROFINET_NByte_OUT = CANopenPositionLimit;
}

bool TCANopenTableForm::Controllo_dati()
{
    // A faulty row is reported from whichever page shows: the page stays.
    return ValidationWalk([this](int page, int row) {
        TAdvColumnGrid* grid = PageGrid(page);
        return RowFault(page, [grid, row](int col) { return grid->Cells(col, row); });
    });
}

void TCANopenTableForm::Delete_Row(int Num_Row, TAdvColumnGrid* SGA)
{
    GridDeleteRow(Num_Row, SGA);
}

void TCANopenTableForm::DeleteRow(int page, int row)
{
    Delete_Row(row, PageGrid(page));
}

void TCANopenTableForm::DataCellHint(int page, int ARow, int ACol, QString& HintStr)
{
    (void)page; (void)ARow; (void)ACol;
    HintStr.clear();
}

TSDOTableForm::TSDOTableForm(TComponent* AOwner, int clientWidth, const TTableBand& band)
    : TCANopenTableForm(AOwner, clientWidth, band),
      FHintRead(std::make_unique<TStringList>()),
      FHintWrite(std::make_unique<TStringList>())
{
    Hint_SDO_Client_Read = FHintRead.get();
    Hint_SDO_Client_Write = FHintWrite.get();
}

void TSDOTableForm::BuildSdoPages(TTableGridSpec read, TTableGridSpec write)
{
    BuildPages(std::move(read), std::move(write));
    TS_SDO_Read = PageSheet(0);
    TS_SDO_Write = PageSheet(1);
}
