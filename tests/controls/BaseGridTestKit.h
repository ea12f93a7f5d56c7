#pragma once
// A 6 x 6 grid base with one fixed row and column whose hooks can stand for
// hidden columns and spy on the painter, for the grid base tests.

#include "BaseGrid.h"
#include "Forms.h"

#include <QStringList>
#include <functional>
#include <vector>

class TTestGrid : public TBaseGrid {
public:
    explicit TTestGrid(TComponent* AOwner) : TBaseGrid(AOwner)
    {
        SetColCount(6);
        SetRowCount(6);
        SetFixedCols(1);
        SetFixedRows(1);
    }

    int HiddenCols = 0;      // TotalColCount = ColCount + HiddenCols
    bool Nodes = false;      // HasNodes
    int FocusMode = -1;      // -1 the real focus, 0 never, 1 always
    bool UseCellColors = false;  // GetVisualProperties takes BrushColor of the cell
    int DisplTextCalls = 0;
    int CellTextChangedCalls = 0;
    int LastRowChangedCalls = 0;
    struct Drawn {
        int Col, Row;
        TRect Rect;
        TGridDrawState State;
    };
    std::vector<Drawn> DrawnCells;  // DrawGridCell calls
    TColor LastFill = clNone;       // brush colour the painter filled with last

    using TBaseGrid::CheckBaseCell;
    using TBaseGrid::ClearCell;
    using TBaseGrid::ClearColCells;
    using TBaseGrid::ClearRowCells;
    using TBaseGrid::FActiveRowShow;
    using TBaseGrid::FHasCellProps;
    using TBaseGrid::FHideLastRow;
    using TBaseGrid::FHoverRowIdx;
    using TBaseGrid::FNormalRowCount;
    using TBaseGrid::FShowSel;
    using TBaseGrid::HasCellProperties;
    using TBaseGrid::KeyDown;
    using TBaseGrid::DoMouseWheelDown;
    using TBaseGrid::DoMouseWheelUp;
    using TBaseGrid::PaintCellContent;

    int TotalColCount() const override { return ColCount() + HiddenCols; }
    bool HasNodes() override { return Nodes; }
    bool Focused() const override { return FocusMode < 0 ? TBaseGrid::Focused() : FocusMode == 1; }
    void CellTextChanged(int, int) override { ++CellTextChangedCalls; }
    void LastRowChanged() override { ++LastRowChangedCalls; }
    void GetDisplText(int c, int r, QString& v) override
    {
        ++DisplTextCalls;
        TBaseGrid::GetDisplText(c, r, v);
    }
    void DrawGridCell(TCanvas* Canvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override
    {
        DrawnCells.push_back(Drawn{ACol, ARow, ARect, AState});
        TBaseGrid::DrawGridCell(Canvas, ACol, ARow, ARect, AState);
    }
    void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select, bool Remap,
                             TBrush* ABrush, TColor& AColorTo, TColor& AMirrorColor, TColor& AMirrorColorTo,
                             TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW,
                             TCellGradientDirection& GD) override
    {
        TBaseGrid::GetVisualProperties(ACol, ARow, AState, Print, Select, Remap, ABrush, AColorTo, AMirrorColor,
                                       AMirrorColorTo, AFont, HA, VA, WW, GD);
        if (UseCellColors && GridObjects(ACol, ARow)) {
            ABrush->SetColor(GridObjects(ACol, ARow)->BrushColor());
            AColorTo = GridObjects(ACol, ARow)->BrushColorTo();
        }
    }
};

// A shown form holding one test grid (no border, no scroll bars).
struct TGridForm {
    explicit TGridForm(int w = 400, int h = 200)
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, w + 20, h + 20);
        Grid = Create<TTestGrid>(Form);
        Grid->SetParent(Form);
        Grid->SetBorderStyle(bsNone);
        Grid->SetScrollBars(TScrollStyle::ssNone);
        Grid->SetBounds(0, 0, w, h);
        Grid->SetDefaultColWidth(60);
        Grid->SetDefaultRowHeight(24);
        Form->Show();
    }
    ~TGridForm() { Free(Form); }
    TForm* Form;
    TTestGrid* Grid;
};
