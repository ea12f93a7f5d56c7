// Pictures in cells: pictures held in memory and pictures read from their
// file whenever the cell paints.

#include "AdvGrid.h"

#include "AdvGridCellGraphic.h"

void TAdvStringGrid::AddPicture(int ACol, int ARow, TPicture* APicture, bool Transparent, TStretchMode StretchMode,
                                int Padding, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetPicture(APicture, Transparent, StretchMode, Padding, hal, val);
}

TPicture* TAdvStringGrid::CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode, int Padding,
                                        TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* p = new TPicture;
    g->SetPicture(p, Transparent, StretchMode, Padding, hal, val);
    g->SetPayload(pkPicture, p, true);
    return p;
}

void TAdvStringGrid::AddFilePicture(int ACol, int ARow, TFilePicture* AFilePicture, bool Transparent,
                                    TStretchMode StretchMode, int Padding, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetFilePicture(AFilePicture, Transparent, StretchMode, Padding, hal, val);
}

TFilePicture* TAdvStringGrid::CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                                int Padding, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* f = new TFilePicture;
    g->SetFilePicture(f, Transparent, StretchMode, Padding, hal, val);
    g->SetPayload(pkFilePicture, f, true);
    return f;
}

TPicture* TAdvStringGrid::GetPicture(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType() == ctPicture ? g->CellPicture() : nullptr;
}

TFilePicture* TAdvStringGrid::GetFilePicture(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType() == ctFilePicture ? g->CellFilePicture() : nullptr;
}
