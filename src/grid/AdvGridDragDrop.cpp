#include "AdvGridDragDrop.h"

#include "AdvGrid.h"
#include "BaseGrid.h"
#include "Controls.h"
#include "asgdd.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <algorithm>

TPersistent* TDragDropSettings::GetOwner()
{
    return FGrid;
}

void TDragDropSettings::SetOleDropTarget(bool v)
{
    FOleDropTarget = v;
    if (auto* g = dynamic_cast<TAdvStringGrid*>(FGrid); g && !g->HasState(csDesigning))
        g->SetOleDropTargetActive(v);
}

void TDragDropSettings::SetOleDropRTF(bool v)
{
    SetOleRTFEnabled(v);
    FOleDropRTF = v;
}

void TDragDropSettings::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TDragDropSettings*>(Source);
    if (!src) {
        TPersistent::Assign(Source);
        return;
    }
#define ADVGRIDDRAGDROP_COPY(Name, Default) F##Name = src->F##Name;
    SetOleDropTarget(src->FOleDropTarget);
    ADVGRID_DRAGDROP_BOOLS_BEFORE_RTF(ADVGRIDDRAGDROP_COPY)
    FOleDropRTF = src->FOleDropRTF;
    ADVGRID_DRAGDROP_BOOLS_AFTER_RTF(ADVGRIDDRAGDROP_COPY)
#undef ADVGRIDDRAGDROP_COPY
}

const TPropertyList& TDragDropSettings::Properties()
{
    using C = TDragDropSettings;
#define ADVGRIDDRAGDROP_REGISTER(Name, Default) .Boolean<C>(#Name, &C::Name, &C::Set##Name)
    static const TPropertyList list = TPropertyList()
        .Boolean<C>("OleDropTarget", &C::OleDropTarget, &C::SetOleDropTarget)
        ADVGRID_DRAGDROP_BOOLS_BEFORE_RTF(ADVGRIDDRAGDROP_REGISTER)
        .Boolean<C>("OleDropRTF", &C::OleDropRTF, &C::SetOleDropRTF)
        ADVGRID_DRAGDROP_BOOLS_AFTER_RTF(ADVGRIDDRAGDROP_REGISTER);
#undef ADVGRIDDRAGDROP_REGISTER
    return list;
}

// ---- the grid as a drop target ------------------------------------------------------

void TGridDropTarget::DropText(TPoint Pt, const QString& Text)
{
    try {
        FGrid->HideDropMarks();
        int c = -1, r = -1;
        FGrid->ScreenToCell(Pt, c, r);
        const bool append = AppendZoneAt(FGrid->ScreenToClient(Pt), c, r);
        if (c < 0 || r < 0) return;
        // Without its settings object the grid drops with the defaults.
        const TDragDropSettings* dd = FGrid->DragDropSettings();
        const bool entireRows = dd && dd->OleEntireRows();
        const bool insertRows = dd && dd->OleInsertRows();
        int cols = 0, extra = 0;
        TAdvStringGrid::TextBlockSize(Text, cols, extra);
        const bool rowSelect = FGrid->Options().Contains(goRowSelect);
        if (rowSelect) c = entireRows ? 0 : FGrid->FixedCols();
        bool allow = true;
        if (FGrid->OnOleDrop) FGrid->OnOleDrop(FGrid, r, c, Text, allow);
        if (allow) {
            // A drag from this grid below the new rows moves down with them.
            const TGridRect ds = FGrid->OleDragSelection();
            if (insertRows && dd->OleRemoveRows() && FGrid->OleDragging() && ds.Top >= r)
                FGrid->SetOleDragSelection(TGridRect{ds.Left, ds.Top + extra + 1, ds.Right, ds.Bottom + extra + 1});
            // A grid showing its header row alone takes the text in new rows
            // under it, never over the header.
            if (r == 0 && FGrid->RowCount() == 1 && FGrid->FixedRowAlways()) {
                r = 1;
                if (!insertRows) FGrid->SetRowCount(2);
            }
            if (insertRows && append) {
                // Below the last row: the text goes into new rows after it.
                FGrid->SetRowCount(FGrid->RowCount() + extra + 1);
                r = FGrid->RowCount() - extra - 1;
            } else if (insertRows) {
                const int top = FGrid->TopRow();
                FGrid->InsertRows(r, extra + 1);
                FGrid->SetTopRow(top > FGrid->FixedRows() ? std::min(top + 1, FGrid->RowCount() - 1) : top);
            }
            TAdvStringGrid::TPasteCount count;
            FGrid->PasteTextAt(c, r, Text, count);
            c = std::max(c, FGrid->FixedCols());
            const int right = rowSelect ? c + cols - FGrid->FixedCols() : c + cols - 1;
            FGrid->SetSelection(TGridRect{c, r, std::min(right, FGrid->ColCount() - 1),
                                          std::min(r + extra, FGrid->RowCount() - 1)});
            FGrid->NoteOleSelfDrop(FGrid->Selection());
        }
        if (FGrid->OnOleDropped) FGrid->OnOleDropped(FGrid, FGrid->Selection());
    } catch (const std::exception& e) {
        ReportEventException(e);
    }
}

void TGridDropTarget::DropIntoCell(TPoint Pt, const QString& Text, bool Url)
{
    try {
        FGrid->HideDropMarks();
        int c = -1, r = -1;
        FGrid->ScreenToCell(Pt, c, r);
        if (c < 0 || r < 0) return;
        bool allow = true;
        if (Url) {
            if (FGrid->OnOleDropURL) FGrid->OnOleDropURL(FGrid, r, c, Text, allow);
        } else if (FGrid->OnOleDrop) {
            FGrid->OnOleDrop(FGrid, r, c, Text, allow);
        }
        if (allow) FGrid->SetCells(FGrid->RealColIndex(c), r, Text);
    } catch (const std::exception& e) {
        ReportEventException(e);
    }
}

void TGridDropTarget::DropRTF(TPoint Pt, const QString& Text) { DropIntoCell(Pt, Text, false); }
void TGridDropTarget::DropURL(TPoint Pt, const QString& Text) { DropIntoCell(Pt, Text, true); }

void TGridDropTarget::DropFiles(TPoint Pt, const QStringList& Files)
{
    FGrid->HideDropMarks();
    if (Files.size() != 1) return;
    try {
        int c = -1, r = -1;
        FGrid->ScreenToCell(Pt, c, r);
        const QString& name = Files.front();
        bool allow = true;
        if (FGrid->OnOleDropFile) FGrid->OnOleDropFile(FGrid, r, c, name, allow);
        const bool csv = name.toUpper().contains(QLatin1String(".CSV"));
        if (!allow || !(csv || name.toUpper().contains(QLatin1String(".XLS")))) return;
        if (FGrid->OnOleDrop) FGrid->OnOleDrop(FGrid, -1, -1, name, allow);
        if (allow) csv ? FGrid->LoadFromCSV(name, -1) : FGrid->LoadFromXLS(name);
    } catch (const std::exception& e) {
        ReportEventException(e);
    }
}

void TGridDropTarget::DropStream(TPoint Pt, std::unique_ptr<QBuffer> Stream)
{
    try {
        FGrid->HideDropMarks();
        int c = -1, r = -1;
        FGrid->ScreenToCell(Pt, c, r);
        if (c < 0 || r < 0 || !Stream) return;
        if (!Stream->isOpen()) Stream->open(QIODevice::ReadOnly);
        FGrid->LoadAtPointFromBinStream(TPoint(c, r), Stream.get());
        const TGridRect ds = FGrid->OleDragSelection();
        FGrid->NoteOleSelfDrop(TGridRect{c, r, c + ds.Right - ds.Left, r + ds.Bottom - ds.Top});
        if (FGrid->OnOleDropped) FGrid->OnOleDropped(FGrid, FGrid->Selection());
    } catch (const std::exception& e) {
        ReportEventException(e);
    }
}

void TGridDropTarget::DropCol(TPoint Pt, int Col)
{
    try {
        FGrid->HideDropMarks();
        int c = -1, r = -1;
        FGrid->ScreenToCell(Pt, c, r);
        if (c < 0) {
            // Beyond the last column: the column goes to the end.
            const TPoint client = FGrid->ScreenToClient(Pt);
            const TRect last = FGrid->CellRect(FGrid->ColCount() - 1, 0);
            if (client.X < last.Right) return;
            c = FGrid->ColCount();
        }
        const TDragDropSettings* dd = FGrid->DragDropSettings();
        // A column handed back by a column chooser is shown here again;
        // any other is a column of a grid's header.
        const bool announced = FGrid->DropAnnouncedColumn(c);
        if (!announced && dd && dd->OleColumnReorder()) {
            const int to = std::min(c, FGrid->ColCount() - 1);
            const int from = FGrid->DisplColIndex(Col);
            if (from >= 0 && from != to) FGrid->MoveColumn(from, to);
        }
        if (FGrid->OnOleDropCol) FGrid->OnOleDropCol(FGrid, r, c, Col);
    } catch (const std::exception& e) {
        ReportEventException(e);
    }
}

// ---- the grid as a drag source -----------------------------------------------------

TGridDropSource::TGridDropSource(TAdvStringGrid* AGrid, QImage Picture) : FGrid(AGrid), FPicture(std::move(Picture))
{
}

void TGridDropSource::CurrentEffect(uint32_t Effect)
{
    if (Effect == DROPEFFECT_MOVE || Effect == DROPEFFECT_COPY) FLastEffect = Effect;
}

QImage TGridDropSource::DragPicture() const
{
    return FPicture;
}

namespace {

// Ends the drag state of a grid on every path out of a drag.
struct AdvGridDragDropRun {
    bool& Dragging;
    TGridRect& Selection;
    ~AdvGridDragDropRun()
    {
        Dragging = false;
        Selection = TGridRect{-1, -1, -1, -1};
    }
};

}  // namespace

QImage TAdvStringGrid::OleDragPicture(const TGridRect& R)
{
    QWidget* w = Widget();
    if (!w) return QImage();
    // Only what is on the screen: the dragged cells clipped to the visible ones.
    const int left = std::max(R.Left, R.Left < FixedCols() ? 0 : LeftCol());
    const int top = std::max(R.Top, R.Top < FixedRows() ? 0 : TopRow());
    const int right = std::min(R.Right, LeftCol() + VisibleColCount());
    const int bottom = std::min(R.Bottom, TopRow() + VisibleRowCount());
    if (left > right || top > bottom) return QImage();
    const TRect a = CellRect(left, top), b = CellRect(right, bottom);
    if (a.IsEmpty() || b.IsEmpty()) return QImage();
    const QRect area(QPoint(a.Left, a.Top), QPoint(b.Right - 1, b.Bottom - 1));
    const bool hidden = SelectionHidden();
    if (!hidden) HideSelection();
    QImage img = w->grab(area).toImage();
    if (!hidden) UnHideSelection();
    return img;
}

void TAdvStringGrid::SetOleDropTargetActive(bool Active)
{
    if (Active) {
        if (!FOleDropTarget) FOleDropTarget = std::make_shared<TGridDropTarget>(this);
        const TDragDropSettings* dd = FDragDropSettings;
        if (dd) {
            FOleDropTarget->SetAcceptText(dd->OleAcceptText());
            FOleDropTarget->SetAcceptFiles(dd->OleAcceptFiles());
            FOleDropTarget->SetAcceptURLs(dd->OleAcceptURLs());
            FOleDropTarget->SetAcceptCols(dd->OleColumnDragDrop());
        }
        FOleDropRegistered = RegisterDragDrop(this, FOleDropTarget.get());
    } else if (FOleDropRegistered) {
        RevokeDragDrop(this);
        FOleDropRegistered = false;
    }
}

bool TAdvStringGrid::StartOleDrag(int ACol, int ARow)
{
    TDragDropSettings* dd = FDragDropSettings;
    if (!dd || !dd->OleDropSource() || FOleDragging) return false;
    if (ACol < 0 || ARow < 0 || ACol >= ColCount() || ARow >= RowCount()) return false;
    const int rc = RealColIndex(ACol);
    const bool header = ARow < FixedRows();
    if (dd->OleColumnsOnly() && !header) return false;
    bool allow = true;
    if (OnOleDrag) OnOleDrag(this, ARow, rc, Cells(rc, ARow), allow);
    if (!allow) return false;
    if (OnOleDragStart) OnOleDragStart(this, ARow, rc);
    StartBlockFocus();
    uint32_t effect = DROPEFFECT_NONE;
    const uint32_t allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE;

    if (header && dd->OleColumnDragDrop()) {
        // The column over its visible rows, or its header alone.
        const TGridRect shown = dd->ShowCells() ? TGridRect{ACol, 0, ACol, RowCount() - 1} : TGridRect{ACol, 0, ACol, 0};
        TGridDropSource src(this, OleDragPicture(shown));
        const HRESULT r = BeginColumnDragDrop(&src, rc, allowed, effect);
        HideDropMarks();
        if (r != DRAGDROP_S_CANCEL && OnOleDragStop) OnOleDragStop(this, int(effect));
        return true;
    }

    const TGridRect s = Selection();
    FDropSelection = TGridRect{std::min(s.Left, s.Right), std::min(s.Top, s.Bottom), std::max(s.Left, s.Right),
                               std::max(s.Top, s.Bottom)};
    FOleSelfDrop = TGridRect{-1, -1, -1, -1};
    FOleDragging = true;
    AdvGridDragDropRun run{FOleDragging, FDropSelection};
    QBuffer stream;
    const bool cells = Navigation()->AllowFmtClipboard();
    if (cells) {
        stream.open(QIODevice::ReadWrite);
        SaveRectToBinStream(FDropSelection, &stream);
    }
    TGridDropSource src(this, dd->ShowCells() ? OleDragPicture(FDropSelection) : QImage());
    const HRESULT r =
        BeginTextDragDrop(&src, SelectedText(), Cells(rc, ARow), effect, allowed, cells ? &stream : nullptr);
    HideDropMarks();
    if (r == DRAGDROP_S_CANCEL) return true;
    // Only a drop that took the cells away removes them here.
    if (effect == DROPEFFECT_MOVE && !dd->OleCopyAlways()) OleDragMoved(Options().Contains(goRowSelect));
    if (OnOleDragStop) OnOleDragStop(this, int(effect));
    return true;
}

void TAdvStringGrid::OleDragMoved(bool RowSelect)
{
    const TGridRect s = FDropSelection;
    if (FDragDropSettings->OleRemoveRows() && RowSelect) {
        if (MouseActions()->DisjunctRowSelect()) RemoveSelectedRows();
        else DeleteRows(s.Top, s.Bottom - s.Top + 1);
        return;
    }
    if (MouseActions()->DisjunctRowSelect()) {
        ClearSelection();
        return;
    }
    const TGridRect d = FOleSelfDrop;
    if (NumHiddenColumns() == 0 && d.Left < 0) {
        ClearRect(s.Left, s.Top, s.Right, s.Bottom);
        return;
    }
    // Column by column: a hidden column between them keeps its cells, and
    // the cells a drop on this grid has just written stay.
    for (int c = s.Left; c <= s.Right; ++c) {
        const int index = SaveHiddenCells() ? c : RealColIndex(c);
        if (d.Left >= 0 && c >= d.Left && c <= d.Right) {
            if (s.Top < d.Top) ClearRect(index, s.Top, index, std::min(s.Bottom, d.Top - 1));
            if (s.Bottom > d.Bottom) ClearRect(index, std::max(s.Top, d.Bottom + 1), index, s.Bottom);
        } else {
            ClearRect(index, s.Top, index, s.Bottom);
        }
    }
}
