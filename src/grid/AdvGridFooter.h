#pragma once
// The string grid's floating footer: its settings and the panel under the
// cells that shows it.

#include "AdvObj.h"
#include "ExtCtrls.h"

#include <QString>
#include <functional>

class TBaseGrid;

// What the footer shows: the grid's last row (as totals), a preview of one
// cell of the current row, a template filled from the current row, or what
// the application paints.
enum TFooterStyle { fsFixedLastRow, fsColumnPreview, fsCustomPreview, fsCustomPaint };

// Sender, the cell, then the text that becomes the footer cell.
using TFloatingFooterCalcEvent = std::function<void(TObject* Sender, int ACol, int ARow, QString& Value)>;

// Setters only store; placing the panel and painting come with the footer
// itself. Assign accepts its own class and copies nothing yet.
class TFloatingFooter : public TPersistent {
public:
    DECLARE_CLASSNAME(TFloatingFooter)
    explicit TFloatingFooter(TBaseGrid* AOwner) : FGrid(AOwner) {}
    TBaseGrid* Grid() const { return FGrid; }

    // Pixels (public).
    ADVOBJ_PLAIN_PROPERTY(int, Height, 0)
    ADVOBJ_PLAIN_BOOL(Visible, false)
    ADVOBJ_PLAIN_PROPERTY(TColor, Color, clBtnFace)
    ADVOBJ_PLAIN_PROPERTY(TFooterStyle, FooterStyle, fsFixedLastRow)
    // The column previewed, and passed to the grid's footer paint event.
    ADVOBJ_PLAIN_PROPERTY(int, Column, 0)
    ADVOBJ_PLAIN_PROPERTY(QString, CustomTemplate, QString())
    ADVOBJ_PLAIN_BOOL(CalculateHiddenRows, true)
    // Public.
    ADVOBJ_PLAIN_BOOL(EnableCalculation, true)
    ADVOBJ_PLAIN_BOOL(ShowHint, false)
    // A line along the footer's top edge.
    ADVOBJ_PLAIN_PROPERTY(TColor, BorderColor, clNone)

public:
    // Asked for a custom column's value when the grid's own event is not set.
    TFloatingFooterCalcEvent OnCalcFooter;

    void Assign(TPersistent* Source) override;

private:
    TBaseGrid* FGrid;
};

// A child panel of the grid, bottom-aligned, 0 pixels high and without a
// border until the footer is shown.
class TFooterPanel : public TCustomPanel {
public:
    DECLARE_CLASSNAME(TFooterPanel)
    explicit TFooterPanel(TComponent* AOwner);

    // The column whose hint is showing; -1 for none.
    int LastHintX() const { return FLastHintX; }
    void SetLastHintX(int v) { FLastHintX = v; }

private:
    int FLastHintX = -1;
};
