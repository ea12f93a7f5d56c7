#pragma once
// The skeleton of every access-table window: the title panel, the button
// panel with OK, Cancel and the four row buttons, one column grid per page
// (on the tabs of PageControl1 when there are two), the table file, the
// validation walk with its one error dialog, the row buttons, hints and
// Set_Lang. A window gives its grids as tables of columns and its checks;
// what the sibling windows vary is a virtual step with the common behaviour
// as its body.

#include "AdvGrid.h"
#include "UFormLook.h"
#include "UTableFile.h"

#include <QStringList>
#include <functional>
#include <vector>

class TAdvColumnGrid;
class TPageControl;
class TTabSheet;
class TStringList;

// One column of a table window's grid and its attribute in the table file.
struct TTableColumnSpec {
    int Header;                          // language entry of the header text
    TEditorType Editor = edNormal;       // edNormal, edComboList, edComboEdit, edDataCheckBox
    QStringList Choices;                 // the drop-down items
    int Width = 64;
    TColor Color = clWindow;
    TAlignment Alignment = taLeftJustify;
    QString Attribute;                   // the attribute name in the table file
    std::optional<QString> Default;      // a missing attribute takes it; none: loading stops
};

// One grid of a table window. A column grid is built from it; a string grid
// with check-box cells, which its window builds itself, takes from it the
// file's columns (edDataCheckBox marks a check-box column), the headers and
// the hints.
struct TTableGridSpec {
    QString Name;                        // component name (ACG_...)
    QString TabName;                     // its tab sheet (two-page windows)
    int TabCaption = 0;                  // language entry of the tab's caption
    QString Section;                     // section element in the table file (empty: none)
    int DataRows = 1;
    int KeyColumn = 2;
    int EnableColumn = 1;                // 0: the grid has none
    int FixedHeader = 0;                 // language entry of column 0's header
    std::vector<TTableColumnSpec> Columns;  // real columns 1 .. n
    std::vector<int> Hints;              // language entries of the header hints, column 1 first
};

// The button band every table window's language entries begin with:
// caption, description, six button captions, six button hints.
struct TTableBand {
    int First;                           // the caption's entry
    int ErrorRow;                        // "Error row "
    int DeleteQuestion;                  // "Are you sure to delete the Row number "
    int ButtonHints = 0;                 // the six button hints' first entry; 0: First + 8
};

class TTableForm : public TTitledForm {
public:
    DECLARE_CLASSNAME(TTableForm)
    TTableForm(TComponent* AOwner, int clientWidth, const TTableBand& band);

    TPanel* P_Button = nullptr;
    TLbButton* Btn_OK = nullptr;
    TLbButton* Btn_Cancel = nullptr;
    TLbButton* Btn_DelRow = nullptr;
    TLbButton* Btn_InsRow = nullptr;
    TLbButton* Btn_CopyRow = nullptr;
    TLbButton* Btn_PasteRow = nullptr;
    TPageControl* PageControl1 = nullptr;  // two-page windows only

    void FormCreate() override;
    void Set_Lang() override;
    virtual void FormShow();
    virtual bool Controllo_dati() = 0;

    void Btn_OKClick();
    void Btn_DelRowClick();
    void Btn_InsRowClick();
    void Btn_CopyRowClick();
    void Btn_PasteRowClick();
    void ClickCell(TObject* Sender, int ARow, int ACol);
    void DblClickCell(TObject* Sender, int ARow, int ACol);
    void KeyPress(TObject* Sender, QChar& Key);
    void GridHint(TObject* Sender, int ARow, int ACol, QString& HintStr);

    int PageCount() const { return int(FPages.size()); }
    // The column grid of a page (null on a string-grid page).
    TAdvColumnGrid* PageGrid(int page) const { return FPages.at(size_t(page)).ColumnGrid; }
    // The grid of a page, whatever its kind.
    TAdvStringGrid* PageStringGrid(int page) const { return FPages.at(size_t(page)).Grid; }
    bool IsColumnGridPage(int page) const { return PageGrid(page) != nullptr; }
    TTabSheet* PageSheet(int page) const { return FPages.at(size_t(page)).Sheet; }
    // The page of the active tab (0 in one-page windows).
    int ActivePage() const;
    TAdvColumnGrid* ActiveGrid() const { return PageGrid(ActivePage()); }
    TAdvStringGrid* ActiveStringGrid() const { return PageStringGrid(ActivePage()); }

    // The table file as the grids now describe it.
    TTableFileLayout FileLayout() const;
    // What the last showing's load reached (Whole when there was no file).
    const TTableLoadResult& LastLoad() const { return FLastLoad; }

protected:
    // Builds the grids of the window (call once from the derived
    // constructor, after the fields the steps below read are set).
    void BuildGrids(const std::vector<TTableGridSpec>& grids);
    // Adds a page whose grid is a string grid with check-box cells that the
    // window has built itself (its Init_Table); sheet is its tab, if any.
    // The grid's handlers are bound as for a built page.
    void AddStringGridPage(const TTableGridSpec& spec, TAdvStringGrid* grid, TTabSheet* sheet = nullptr);

    // ---- what a window gives ----
    virtual QString TablePath() const = 0;
    virtual QString TableRoot() const = 0;
    virtual QString TableVersion() const = 0;
    // The copy flag and the header hint list of a page.
    virtual bool& CopyFlag(int page) = 0;
    virtual TStringList* HintList(int page) = 0;
    // The window's limits and the position choice lists filled from them.
    virtual void SetLimits() {}

    // ---- steps the sibling windows vary ----
    // Empties the data rows of a page: column 0 the row number, the Enable
    // column its cleared state, every other column empty.
    virtual void ClearPage(int page);
    virtual void DeleteRow(int page, int row);
    virtual bool InsertEnables() const { return true; }
    // Whether the Enable cell of a row lets the validation look at it.
    virtual bool RowEnabled(int page, int row);
    // The cleared state of the Enable column ("Y" or empty; on a string-grid
    // page "Y" is a checked box, anything else an unchecked one).
    virtual QString ClearedEnable() const { return QStringLiteral("Y"); }
    // Which handlers a grid binds.
    virtual bool BindsClick(int page) const { (void)page; return true; }
    virtual bool BindsDblClick(int page) const { (void)page; return true; }
    virtual bool BindsKeyPress(int page) const { (void)page; return true; }
    virtual bool BindsHint(int page) const { (void)page; return true; }
    // Whether a page's grid shows hints at all.
    virtual bool ShowsHints(int page) const { (void)page; return true; }
    // Whether a click in column 0 selects the row.
    virtual bool ClickSelectsRow() const { return true; }
    // The hint list index of a header cell: by real or by displayed column.
    virtual bool HintByRealIndex() const { return true; }
    // A data cell's hint: the grid's own (with HintShowCells, its text).
    virtual void DataCellHint(int page, int ARow, int ACol, QString& HintStr)
    {
        (void)page; (void)ARow; (void)ACol; (void)HintStr;
    }
    virtual bool ResetsPageOnShow() const { return true; }

    // ---- helpers for the windows ----
    // The validation walk: per page, rows from 1 to the first blank key,
    // enabled rows only; CheckRow answers the failing message (what follows
    // the row number) or an empty text. The first failure is shown as one
    // error dialog and ends the walk with false.
    bool ValidationWalk(const std::function<QString(int page, int row)>& CheckRow);
    // Fills the choice items of a page's column with "0" .. limit - 1.
    void FillNumberChoices(int page, int col, int limit);
    // Ends an in-place edit still open on the active grid, keeping its text.
    void EndActiveEdit();
    int PageOf(TObject* Sender) const;
    const TTableBand& Band() const { return FBand; }
    const TTableGridSpec& Spec(int page) const { return FPages.at(size_t(page)).Spec; }

private:
    struct TPage {
        TTableGridSpec Spec;
        TAdvStringGrid* Grid = nullptr;
        TAdvColumnGrid* ColumnGrid = nullptr;
        TTabSheet* Sheet = nullptr;
    };
    void BuildButtons();
    void BindPage(int page);
    void ClearGrids();
    void ShowFirstCells();
    void LoadTable();
    void ReportLoad(const QString& path);
    bool SaveTable();

    TTableBand FBand;
    std::vector<TPage> FPages;
    TTableLoadResult FLastLoad;
};

// The fixed English texts the table windows show about their files.
namespace TableFileTexts {
QString StoppedLoad(const QString& path, const QString& section, int row, const QString& attribute);
QString UnreadableFile(const QString& path, const QString& reason);
QString ExtraRows(const QString& path, const QString& section, int count);
QString MissingSections(const QString& path, const QStringList& sections);
QString SaveIncomplete(const QString& path);
QString FailedSave(const QString& path, const QString& reason);
}  // namespace TableFileTexts
