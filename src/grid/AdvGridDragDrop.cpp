#include "AdvGridDragDrop.h"

#include "AdvGrid.h"
#include "BaseGrid.h"
#include "Controls.h"
#include "asgdd.h"

#include <QBuffer>
#include <algorithm>

TPersistent* TDragDropSettings::GetOwner()
{
    return FGrid;
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
        ADVGRID_DRAGDROP_BOOLS_BEFORE_RTF(ADVGRIDDRAGDROP_REGISTER)
        .Boolean<C>("OleDropRTF", &C::OleDropRTF, &C::SetOleDropRTF)
        ADVGRID_DRAGDROP_BOOLS_AFTER_RTF(ADVGRIDDRAGDROP_REGISTER);
#undef ADVGRIDDRAGDROP_REGISTER
    return list;
}

// ---- the grid as a drop target ------------------------------------------------------

void TGridDropTarget::DragMouseMove(TPoint Pt, bool& Allow, TDropFormats Formats)
{
    int c = -1, r = -1;
    FGrid->ScreenToCell(Pt, c, r);
    Allow = c >= 0 && r >= FGrid->FixedRows();
    if (Formats.Contains(dfFile) || Formats.Contains(dfGridCells)) Allow = true;
    if (FGrid->OnOleDragOver) FGrid->OnOleDragOver(FGrid, r, c, Allow);
}

void TGridDropTarget::DropText(TPoint Pt, const QString& Text)
{
    try {
        int c = -1, r = -1;
        FGrid->ScreenToCell(Pt, c, r);
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
            if (insertRows) {
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
        }
        if (FGrid->OnOleDropped) FGrid->OnOleDropped(FGrid, FGrid->Selection());
    } catch (const std::exception& e) {
        ReportEventException(e);
    }
}

void TGridDropTarget::DropIntoCell(TPoint Pt, const QString& Text, bool Url)
{
    try {
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
    if (Files.size() != 1) return;
    try {
        int c = -1, r = -1;
        FGrid->ScreenToCell(Pt, c, r);
        const QString& name = Files.front();
        bool allow = true;
        if (FGrid->OnOleDropFile) FGrid->OnOleDropFile(FGrid, r, c, name, allow);
        if (!allow || !name.toUpper().contains(QLatin1String(".CSV"))) return;
        if (FGrid->OnOleDrop) FGrid->OnOleDrop(FGrid, -1, -1, name, allow);
        if (allow) FGrid->LoadFromCSV(name, -1);
    } catch (const std::exception& e) {
        ReportEventException(e);
    }
}

void TGridDropTarget::DropStream(TPoint Pt, std::unique_ptr<QBuffer> Stream)
{
    try {
        int c = -1, r = -1;
        FGrid->ScreenToCell(Pt, c, r);
        if (c < 0 || r < 0 || !Stream) return;
        if (!Stream->isOpen()) Stream->open(QIODevice::ReadOnly);
        FGrid->LoadAtPointFromBinStream(TPoint(c, r), Stream.get());
    } catch (const std::exception& e) {
        ReportEventException(e);
    }
}
