#pragma once
// The string grid's drag-and-drop settings: whether the grid is a drop
// target and a drag source, what it accepts, and what a drop does to rows
// and columns.

#include "AdvObj.h"
#include "Persistence.h"
#include "asgdd.h"

#include <QImage>
#include <QStringList>

class TBaseGrid;

// The plain settings around OleDropRTF, with their defaults, in their order.
#define ADVGRID_DRAGDROP_BOOLS_BEFORE_RTF(X) \
    X(OleDropSource, false) X(OleAcceptText, true) X(OleAcceptFiles, true) X(OleAcceptURLs, true)
#define ADVGRID_DRAGDROP_BOOLS_AFTER_RTF(X)                                                       \
    X(OleEntireRows, false) X(OleAppendRows, false) X(OleInsertRows, false) X(OleRemoveRows, false) \
    X(OleCopyAlways, false) X(OleColumnDragDrop, false) X(OleColumnReorder, false)                \
    X(OleColumnsOnly, false) X(ShowCells, true)

// Created by its grid and freed with it. Setters only store, except
// OleDropRTF, which first switches rich text on or off for every grid's
// drag and drop, and OleDropTarget, which registers the grid as a drop
// target or revokes it.
class TDragDropSettings : public TPersistent {
public:
    DECLARE_CLASSNAME(TDragDropSettings)
    explicit TDragDropSettings(TBaseGrid* AOwner) : FGrid(AOwner) {}
    TPersistent* GetOwner() override;
    TBaseGrid* Grid() const { return FGrid; }

    ADVGRID_DRAGDROP_BOOLS_BEFORE_RTF(ADVOBJ_PLAIN_BOOL)
    ADVGRID_DRAGDROP_BOOLS_AFTER_RTF(ADVOBJ_PLAIN_BOOL)

public:
    bool OleDropTarget() const { return FOleDropTarget; }
    void SetOleDropTarget(bool v);
    bool OleDropRTF() const { return FOleDropRTF; }
    void SetOleDropRTF(bool v);

    // From another drag-and-drop settings object all fifteen; any other
    // source raises the assign error.
    void Assign(TPersistent* Source) override;
    static const TPropertyList& Properties();
    const TPropertyList* PropertyList() const override { return &Properties(); }

private:
    TBaseGrid* FGrid;
    bool FOleDropTarget = false;
    bool FOleDropRTF = false;
};

// ---------------------------------------------------------------------------
// The grid as a drop target: text is pasted under the pointer (new rows
// inserted first with OleInsertRows), rich text and links replace one cell,
// a single dropped .CSV file is loaded. Points are screen coordinates. An
// error of a drop is shown to the user, never passed into the drag loop;
// a drop outside any cell changes nothing.

class TAdvStringGrid;

class TGridDropTarget : public TASGDropTarget {
public:
    explicit TGridDropTarget(TAdvStringGrid* AGrid) : FGrid(AGrid) {}
    void DropText(TPoint Pt, const QString& Text) override;
    void DropRTF(TPoint Pt, const QString& Text) override;
    void DropURL(TPoint Pt, const QString& Text) override;
    void DropFiles(TPoint Pt, const QStringList& Files) override;
    // Cells dragged from a grid land with their top-left cell under the point.
    void DropStream(TPoint Pt, std::unique_ptr<QBuffer> Stream) override;
    // Decides whether the data may land under the point, scrolls while the
    // pointer rests at an edge and shows the arrows where it would land.
    void DragMouseMove(TPoint Pt, bool& Allow, TDropFormats Formats) override;
    void DragMouseLeave() override;
    // A column dragged from a grid's header: moved here with OleColumnReorder;
    // a column announced by a column chooser is shown again here.
    void DropCol(TPoint Pt, int Col) override;

private:
    // One cell replaced by a dropped text after its event allowed it.
    void DropIntoCell(TPoint Pt, const QString& Text, bool Url);
    // Below the last row with OleEntireRows and OleAppendRows: the drop
    // appends, (ACol, ARow) become the first normal column of the last row.
    bool AppendZoneAt(TPoint Client, int& ACol, int& ARow) const;
    // One scroll step towards the edge the pointer rests at.
    void DragAutoScroll(TPoint Client, int ACol, int ARow);
    TAdvStringGrid* FGrid;
    // The grid timer's tick of the last sideways scroll: at most one a tick.
    int FScrollTick = -1;
};

// ---- the grid as a drag source ----------------------------------------------------------
// Lives for one drag. A picture of the dragged cells (or of the dragged
// column's header) follows the pointer, 4 pixels right of and below it.

class TGridDropSource : public TASGDropSource {
public:
    TGridDropSource(TAdvStringGrid* AGrid, QImage Picture);
    // Move or copy as the drag last showed it; 0 before any feedback.
    uint32_t LastEffect() const { return FLastEffect; }
    void CurrentEffect(uint32_t Effect) override;
    QImage DragPicture() const override;
    TPoint DragPictureOffset() const override { return TPoint(4, 4); }

private:
    TAdvStringGrid* FGrid;
    QImage FPicture;
    uint32_t FLastEffect = 0;
};
