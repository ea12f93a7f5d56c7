#pragma once
// What the drag-and-drop tests share: a shown form with two filled grids
// side by side, the left one a drag source.

#include "AdvGridDragDrop.h"
#include "AdvGridFilesTestKit.h"
#include "Forms.h"
#include "TestHarness.h"

struct TDragForm {
    TForm* Form = Create<TForm>(nullptr);
    TTestAdvGrid* Source = nullptr;
    TTestAdvGrid* Target = nullptr;
    TDragForm()
    {
        Form->SetBounds(0, 0, 840, 260);
        Source = AddGrid(8, QStringLiteral("s"));
        Target = AddGrid(428, QStringLiteral("t"));
        Source->DragDropSettings()->SetOleDropSource(true);
        Form->Show();
        PumpEvents();
    }
    ~TDragForm() { Free(Form); }
    TDragForm(const TDragForm&) = delete;
    TDragForm& operator=(const TDragForm&) = delete;
    // Five 70-pixel columns and six 22-pixel rows (one fixed of each); cells
    // read prefix + "c,r".
    TTestAdvGrid* AddGrid(int left, const QString& prefix)
    {
        auto* g = Create<TTestAdvGrid>(Form);
        g->SetParent(Form);
        g->SetBounds(left, 8, 400, 240);
        g->SetColCount(5);
        g->SetRowCount(6);
        g->SetDefaultColWidth(70);
        g->SetDefaultRowHeight(22);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 5; ++c) g->SetCells(c, r, QStringLiteral("%1%2,%3").arg(prefix).arg(c).arg(r));
        // A text drop pastes into editable cells only.
        g->SetOptions(g->Options() + goEditing);
        return g;
    }
    // The middle of a cell, in the grid's client and in screen coordinates.
    static TPoint Middle(TAdvStringGrid* g, int c, int r)
    {
        const TRect rc = g->CellRect(c, r);
        return TPoint((rc.Left + rc.Right) / 2, (rc.Top + rc.Bottom) / 2);
    }
    static TPoint At(TAdvStringGrid* g, int c, int r) { return g->ClientToScreen(Middle(g, c, r)); }
};
