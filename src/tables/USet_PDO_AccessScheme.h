#pragma once
// The two-page scheme of the CANopen table windows (PDO, SDO client, SDO
// server): two column grids, sga and sgb, on the tabs of PageControl1, no
// Enable column (column 1 is the key: every row up to the first empty key is
// checked and written), the row operations on the active page, header hints
// only, and a row deletion of its own. A window gives its two grids, its
// file and the check of a row.

#include "UTableChecks.h"
#include "UTableWindow.h"

#include <memory>

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

class TTabSheet;

// The SDO client and server windows: a read and a write page, each with
// its hint list and its copy flag.
class TSDOTableForm : public TCANopenTableForm {
public:
    DECLARE_CLASSNAME(TSDOTableForm)

    TTabSheet* TS_SDO_Read = nullptr;
    TTabSheet* TS_SDO_Write = nullptr;
    // Both windows' hint lists carry the client window's names.
    TStringList* Hint_SDO_Client_Read;
    TStringList* Hint_SDO_Client_Write;
    bool Do_Copy_SDO_Read = false;
    bool Do_Copy_SDO_Write = false;

protected:
    TSDOTableForm(TComponent* AOwner, int clientWidth, const TTableBand& band);
    // Builds the read and the write page (call once from the derived
    // constructor).
    void BuildSdoPages(TTableGridSpec read, TTableGridSpec write);
    bool& CopyFlag(int page) override { return page == 0 ? Do_Copy_SDO_Read : Do_Copy_SDO_Write; }
    TStringList* HintList(int page) override { return page == 0 ? Hint_SDO_Client_Read : Hint_SDO_Client_Write; }

private:
    std::unique_ptr<TStringList> FHintRead;
    std::unique_ptr<TStringList> FHintWrite;
};
