#pragma once
// The two-page scheme of the CANopen table windows (PDO, SDO client, SDO
// server): two column grids, sga and sgb, on the tabs of PageControl1, no
// Enable column (column 1 is the key: every row up to the first empty key is
// checked and written), the row operations on the active page, header hints
// only, and a row deletion of its own. A window gives its two grids, its
// file and the check of a row.

#include "UTableChecks.h"
#include "UTableWindow.h"

class TCANopenTableForm : public TTableForm {
public:
    DECLARE_CLASSNAME(TCANopenTableForm)
    TCANopenTableForm(TComponent* AOwner, int clientWidth, const TTableBand& band);

    TAdvColumnGrid* sga = nullptr;  // the first page's grid
    TAdvColumnGrid* sgb = nullptr;  // the second page's grid
    // The data array sizes of the first and the second page.
    int PROFINET_NByte_IN = 1500;
    int PROFINET_NByte_OUT = 1500;

    bool Controllo_dati() override;
    // Rows Num_Row .. the one before the last take the texts of the row below
    // (columns 1 to the last); the last row is emptied. Column 0 keeps its
    // numbers.
    void Delete_Row(int Num_Row, TAdvColumnGrid* SGA);

protected:
    // Builds the two pages (call once from the derived constructor); the
    // specs' key column is 1 and they have no Enable column.
    void BuildPages(TTableGridSpec first, TTableGridSpec second);
    // The first fault of a row of a page, as the text that follows "Error
    // row " and the row number; empty when the row passes.
    virtual QString RowFault(int page, const TRowCells& cell) = 0;
    // The data array size of a page.
    int PageSize(int page) const { return page == 0 ? PROFINET_NByte_IN : PROFINET_NByte_OUT; }

    void SetLimits() override;
    void DeleteRow(int page, int row) override;
    bool InsertEnables() const override { return false; }
    bool HintByRealIndex() const override { return false; }
    void DataCellHint(int page, int ARow, int ACol, QString& HintStr) override;
};
