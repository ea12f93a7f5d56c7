#pragma once
// The string grid's floating footer: its settings and the panel under the
// cells that shows it.

#include "AdvObj.h"
#include "BaseGrid.h"
#include "ExtCtrls.h"

#include <QString>
#include <functional>

class TAdvStringGrid;

// What the footer shows: the grid's last row (as totals), a preview of one
// cell of the current row, a template filled from the current row, or what
// the application paints.
enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };

// Sender, the cell, then the text that becomes the footer cell.
using TFloatingFooterCalcEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;
// Sender (the footer panel), the column, the canvas and the rectangle to fill.
using TFooterPaintEvent = std::function<void(TObject* Sender, int AColumn, TCanvas* Canvas, TRect ARect)>;

class TFloatingFooter : public TPersistent {
public:
    DECLARE_CLASSNAME(TFloatingFooter)
    explicit TFloatingFooter(TBaseGrid* AOwner) : FGrid(AOwner) {}
    TBaseGrid* Grid() const { return FGrid; }

    // Pixels (public). The panel is one pixel lower than this.
    int Height() const { return FHeight; }
    void SetHeight(int v);
    // A visible fixed-last-row footer takes the grid's last row.
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TFooterStyle FooterStyle() const { return FFooterStyle; }
    void SetFooterStyle(TFooterStyle v);
    // The column previewed, and passed to the grid's footer paint event.
    int Column() const { return FColumn; }
    void SetColumn(int v);
    // "<#n>" stands for column n of the current row.
    QString CustomTemplate() const { return FCustomTemplate; }
    void SetCustomTemplate(const QString& v);
    ADVOBJ_PLAIN_BOOL(CalculateHiddenRows, true)
    // Public.
    ADVOBJ_PLAIN_BOOL(EnableCalculation, true)
public:
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v);
    // A line along the footer's top edge.
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v);

    // A column's calculation is the calculation type of its last-row cell.
    void SetColumnCalc(int ACol, TColumnCalcType Value);
    TColumnCalcType GetColumnCalc(int ACol) const;
    // Repaints the panel.
    void Invalidate();

    // Asked for a custom column's value when the grid's own event is not set.
    TFloatingFooterCalcEvent OnCalcFooter;

    // Height, BorderColor and EnableCalculation stay.
    void Assign(TPersistent* Source) override;

private:
    TAdvStringGrid* StringGrid() const;
    TBaseGrid* FGrid;
    int FHeight = 0;
    bool FVisible = false;
    TColor FColor = clBtnFace;
    TFooterStyle FFooterStyle = fsFixedLastRow;
    int FColumn = 0;
    QString FCustomTemplate;
    bool FShowHint = false;
    TColor FBorderColor = clNone;
};

// The template of a custom preview filled from one row: each "<#n>" gives
// way to the text of column n, any other tag to nothing; an unclosed "<#"
// leaves the rest as it is.
QString ExpandFooterTemplate(const QString& Template, const std::function<QString(int ACol)>& CellText,
                             int RealColCount);

// A child panel of the grid, bottom-aligned, 0 pixels high and without a
// border until the footer is shown.
class TFooterPanel : public TCustomPanel {
public:
    DECLARE_CLASSNAME(TFooterPanel)
    explicit TFooterPanel(TComponent* AOwner);

    TAdvStringGrid* Grid() const { return FGrid; }
    // The column whose hint is showing; -1 for none.
    int LastHintX() const { return FLastHintX; }
    void SetLastHintX(int v) { FLastHintX = v; }

    // The window step the grid runs with its own: the full height when the
    // footer shows, then OnCreatedFloatingFooter.
    void CreateWnd();
    // Paints the footer on any canvas; answers the right edge of what the
    // style drew (the border line runs to there).
    int PaintOn(TCanvas* ACanvas);
    // The displayed column under X (client coordinates), -1 past the last.
    int ColumnAt(int X) const;
    // A hint request at X: 0 shows the hint, 1 refuses it.
    int HintRequest(int X, QString& HintStr);
    // The grid has painted: repaint when what the footer shows moved.
    void GridPainted();

protected:
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;
    bool HandleQtEvent(QWidget* w, QEvent* e) override;

private:
    // What the last paint showed: the grid's left column, current row and
    // the width of the visible columns.
    struct TPaintedKey {
        int LeftCol = -1;
        int Row = -1;
        int Width = -1;
        bool operator==(const TPaintedKey&) const = default;
    };
    TPaintedKey CurrentKey() const;
    // Fixed columns then the columns from the left column: pixels.
    int FooterWidth() const;
    TRect Mirror(const TRect& R) const;
    int PaintFixedLastRow(TCanvas* C);
    int PaintPreview(TCanvas* C, bool Template);
    void PaintRaisedBox(TCanvas* C, const TRect& R);
    void FillRest(TCanvas* C, int W);

    TAdvStringGrid* FGrid = nullptr;
    int FLastHintX = -1;
    TPaintedKey FPainted;
};
