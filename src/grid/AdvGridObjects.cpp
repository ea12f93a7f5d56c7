// Cell objects of the string grid beside check boxes: balloons (of their
// own or attached to a check box or radio button), radio groups and expand
// cells. Queries on a merged area ask its base cell, except the radio index
// and the balloon operations, which use the cell passed in.

#include "AdvGrid.h"

#include "AdvGridLook.h"
#include "ClassesLists.h"

namespace {

bool CarriesBalloon(TCellType t) { return t == ctCheckBox || t == ctDataCheckBox || t == ctRadioButton; }

} // namespace

bool TAdvStringGrid::HasCellGraphicType(int ACol, int ARow, std::initializer_list<TCellType> Types)
{
    if (ACol < 0 || ARow < 0) return false;
    const TPoint b = BaseCell(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(b.X, b.Y);
    if (!g) return false;
    for (TCellType t : Types)
        if (g->CellType() == t) return true;
    return false;
}

// ---- balloons ---------------------------------------------------------------------------------------

void TAdvStringGrid::AddBalloon(int ACol, int ARow, const QString& Title, const QString& Text, TBalloonIcon Icon)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g && !CarriesBalloon(g->CellType())) return;
    if (!g) {
        g = CreateCellGraphic(ACol, ARow);
        g->SetCellType(ctBalloon);
    }
    auto* list = new TStringList;
    list->Add(Title);
    list->Add(Text);
    // An earlier balloon of the same box is freed by the replacement.
    g->SetBalloonList(list);
    g->SetCellIndex(int(Icon));
}

void TAdvStringGrid::RemoveBalloon(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return;
    if (CarriesBalloon(g->CellType())) {
        g->SetBalloonList(nullptr);
        return;
    }
    if (g->CellType() == ctBalloon) RemoveCellGraphic(ACol, ARow);
}

bool TAdvStringGrid::HasBalloon(int ACol, int ARow) { return HasCellGraphicType(ACol, ARow, {ctBalloon}); }

bool TAdvStringGrid::IsBalloon(int ACol, int ARow, QString& Title, QString& Text, TBalloonIcon& Icon)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || !(g->CellType() == ctBalloon || CarriesBalloon(g->CellType()))) return false;
    TStrings* list = g->BalloonList();
    if (!list) return false;
    Title = list->Count() > 0 ? list->Strings(0) : QString();
    Text = list->Count() > 1 ? list->Strings(1) : QString();
    Icon = TBalloonIcon(g->CellIndex());
    return true;
}

// ---- radio groups ----------------------------------------------------------------------------------

void TAdvStringGrid::AddRadio(int ACol, int ARow, int DirRadio, int IdxRadio, TStrings* sl)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctRadio);
    g->SetPayload(pkStrings, sl, false);
    g->SetCellAngle(sl ? sl->Count() : 0);
    g->SetCellBoolean(DirRadio != 0);
    g->SetCellIndex(IdxRadio);
}

TStrings* TAdvStringGrid::CreateRadio(int ACol, int ARow, int DirRadio, int IdxRadio)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* sl = new TStringList;
    g->SetCellType(ctRadio);
    g->SetPayload(pkStrings, sl, true);
    g->SetCellAngle(0);
    g->SetCellBoolean(DirRadio != 0);
    g->SetCellIndex(IdxRadio);
    return sl;
}

bool TAdvStringGrid::GetRadioIdx(int ACol, int ARow, int& IdxRadio)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) return false;
    IdxRadio = g->CellIndex();
    return g->CellType() == ctRadio;
}

bool TAdvStringGrid::SetRadioIdx(int ACol, int ARow, int IdxRadio)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctRadio) return false;
    g->SetCellIndex(IdxRadio);
    if (IdxRadio == -1) SetCells(ACol, ARow, QString());
    RepaintCell(DisplColIndex(ACol), ARow);
    return true;
}

TStrings* TAdvStringGrid::GetRadioStrings(int ACol, int ARow)
{
    if (!HasCellGraphicType(ACol, ARow, {ctRadio})) return nullptr;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellGraphic(b.X, b.Y)->CellStrings();
}

bool TAdvStringGrid::IsRadio(int ACol, int ARow) { return HasCellGraphicType(ACol, ARow, {ctRadio}); }
void TAdvStringGrid::RemoveRadio(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctRadio); }

// ---- expand cells ------------------------------------------------------------------------------------

void TAdvStringGrid::AddExpand(int ACol, int ARow, int ExpandedHeight)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctExpand);
    g->SetCellAngle(ExpandedHeight);
    g->SetCellIndex(RowHeights(ARow));
    g->SetCellVar(false);
}

void TAdvStringGrid::RemoveExpand(int ACol, int ARow) { RemoveCellGraphicOfType(ACol, ARow, ctExpand); }
bool TAdvStringGrid::HasExpand(int ACol, int ARow) { return HasCellGraphicType(ACol, ARow, {ctExpand}); }

TCellGraphic* TAdvStringGrid::ExpandObject(int ACol, int ARow)
{
    // Another kind's fields mean something else: answered as no object.
    if (!HasCellGraphicType(ACol, ARow, {ctExpand})) return nullptr;
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellGraphic(b.X, b.Y);
}

bool TAdvStringGrid::ToggleExpand(int ACol, int ARow)
{
    TCellGraphic* g = ExpandObject(ACol, ARow);
    if (!g) return false;
    const bool state = !g->CellVar().toBool();
    g->SetCellVar(state);
    return state;
}

bool TAdvStringGrid::GetExpandState(int ACol, int ARow)
{
    TCellGraphic* g = ExpandObject(ACol, ARow);
    return g && g->CellVar().toBool();
}

int TAdvStringGrid::GetExpandHeight(int ACol, int ARow, bool Expanded)
{
    TCellGraphic* g = ExpandObject(ACol, ARow);
    if (!g) return DefaultRowHeight();
    return Expanded ? g->CellAngle() : g->CellIndex();
}

// ---- pictures, progress bars, comments, shapes, ratings, buttons, rotated text -------------------

namespace {

// A new object of one kind at its places.
TCellGraphic* NewKind(TAdvStringGrid* g, int ACol, int ARow, TCellType t, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* o = g->CreateCellGraphic(ACol, ARow);
    o->SetCellType(t);
    o->SetCellHAlign(hal);
    o->SetCellVAlign(val);
    return o;
}

} // namespace

void TAdvStringGrid::AddBitmap(int ACol, int ARow, TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetBitmap(ABmp, Transparent, hal, val);
}

TBitmap* TAdvStringGrid::CreateBitmap(int ACol, int ARow, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    auto* b = new TBitmap;
    g->SetBitmap(b, Transparent, hal, val);
    g->SetPayload(pkBitmap, b, true);
    return b;
}

void TAdvStringGrid::AddIcon(int ACol, int ARow, TIcon* AIcon, TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetIcon(AIcon, hal, val);
}

void TAdvStringGrid::AddImageIdx(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (!FGridImages) return;
    CreateCellGraphic(ACol, ARow)->SetImageIdx(Aidx, hal, val);
}

void TAdvStringGrid::AddDataImage(int ACol, int ARow, int Aidx, TCellHAlign hal, TCellVAlign val)
{
    if (!FGridImages) return;
    CreateCellGraphic(ACol, ARow)->SetDataImage(Aidx, hal, val);
    if (Cells(ACol, ARow).isEmpty()) SetInts(ACol, ARow, Aidx);
}

void TAdvStringGrid::RemoveDataImage(int ACol, int ARow)
{
    if (RemoveCellGraphicOfType(ACol, ARow, ctDataImage)) SetCells(ACol, ARow, QString());
}

void TAdvStringGrid::AddInterfacedCell(int ACol, int ARow, TPersistent* AObject)
{
    CreateCellGraphic(ACol, ARow)->SetInterfacedCell(AObject);
}

void TAdvStringGrid::AddProgress(int ACol, int ARow, TColor FGColor, TColor BKColor)
{
    AddProgressEx(ACol, ARow, FGColor, clNone, BKColor, clNone);
}

void TAdvStringGrid::AddProgressEx(int ACol, int ARow, TColor FGColor, TColor FGTextColor, TColor BKColor,
                                   TColor BKTextColor)
{
    TCellGraphic* g = NewKind(this, ACol, ARow, ctProgress, haLeft, vaTop);
    g->SetCellColors(FGColor, BKColor);
    g->SetCellVar(QVariantList{qint64(FGTextColor), qint64(BKTextColor)});
    if (AutoNumAlign()) SetAlignments(ACol, ARow, taRightJustify);
}

void TAdvStringGrid::AddAdvProgress(int ACol, int ARow, int Min, int Max)
{
    TCellGraphic* g = NewKind(this, ACol, ARow, ctXPProgress, haLeft, vaTop);
    g->SetCellIndex(Min);
    g->SetCellValue(Max);
}

void TAdvStringGrid::AddProgressPie(int ACol, int ARow, TColor AColor, int Value)
{
    TCellGraphic* g = NewKind(this, ACol, ARow, ctProgressPie, haBeforeText, vaTop);
    g->SetCellColors(AColor, clNone);
    SetInts(ACol, ARow, Value);
}

void TAdvStringGrid::AddRangeIndicator(int ACol, int ARow, int Range, TColor NegColor, TColor PosColor,
                                       bool ShowValue)
{
    TCellGraphic* g = NewKind(this, ACol, ARow, ctRangeIndicator, haLeft, vaTop);
    g->SetCellColors(PosColor, NegColor);
    g->SetCellValue(Range);
    g->SetCellBoolean(ShowValue);
}

void TAdvStringGrid::AddComment(int ACol, int ARow, const QString& Comment)
{
    AddColorComment(ACol, ARow, Comment, FControlLook->CommentColor());
}

void TAdvStringGrid::AddColorComment(int ACol, int ARow, const QString& Comment, TColor AColor)
{
    TCellGraphic* g = NewKind(this, ACol, ARow, ctComment, haLeft, vaTop);
    g->SetCellText(Comment);
    g->SetCellColors(AColor, clNone);
}

void TAdvStringGrid::AddShape(int ACol, int ARow, TCellShape Shape, TColor FillColor, TColor LineColor,
                              TCellHAlign hal, TCellVAlign val)
{
    TCellGraphic* g = NewKind(this, ACol, ARow, ctShape, hal, val);
    g->SetCellIndex(int(Shape));
    // Pen first, brush second, as the shape painter takes them.
    g->SetCellColors(LineColor, FillColor);
}

void TAdvStringGrid::AddRating(int ACol, int ARow, int Scale, TColor FillColor, TColor EmptyColor)
{
    TCellGraphic* g = NewKind(this, ACol, ARow, ctRating, haFull, vaTop);
    g->SetCellAngle(Scale);
    g->SetCellIndex(int(FillColor));
    g->SetCellColors(FillColor, EmptyColor);
}

void TAdvStringGrid::AddButton(int ACol, int ARow, int bw, int bh, const QString& Caption, TCellHAlign hal,
                               TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetButton(bw, bh, Caption, hal, val);
}

void TAdvStringGrid::AddBitButton(int ACol, int ARow, int bw, int bh, const QString& Caption, TBitmap* Glyph,
                                  TCellHAlign hal, TCellVAlign val)
{
    CreateCellGraphic(ACol, ARow)->SetBitButton(bw, bh, Caption, Glyph, hal, val);
}

void TAdvStringGrid::AddRotated(int ACol, int ARow, int AAngle, const QString& s)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetCellType(ctRotated);
    g->SetAngle(AAngle);
    SetCells(ACol, ARow, s);
}

void TAdvStringGrid::RemoveButton(int ACol, int ARow)
{
    if (!RemoveCellGraphicOfType(ACol, ARow, ctButton)) RemoveCellGraphicOfType(ACol, ARow, ctBitButton);
}

void TAdvStringGrid::RemoveAllComments()
{
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r) RemoveComment(c, r);
}

void TAdvStringGrid::RemoveAllButtons()
{
    for (int c = 0; c < ColCount(); ++c)
        for (int r = 0; r < RowCount(); ++r) RemoveButton(c, r);
}

bool TAdvStringGrid::IsComment(int ACol, int ARow, QString& Comment)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctComment) return false;
    Comment = g->CellText();
    return true;
}

bool TAdvStringGrid::IsRotated(int ACol, int ARow, int& AAngle)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType() != ctRotated) return false;
    AAngle = g->CellAngle();
    return true;
}

QString TAdvStringGrid::GetButtonText(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g ? g->CellText() : QString();
}

void TAdvStringGrid::SetButtonText(int ACol, int ARow, const QString& Value)
{
    if (TCellGraphic* g = GetCellGraphic(ACol, ARow)) {
        g->SetCellText(Value);
        RepaintCell(DisplColIndex(ACol), ARow);
    }
}

void TAdvStringGrid::PushButton(int ACol, int ARow, bool Pushed)
{
    if (!GetCellGraphic(ACol, ARow)) return;
    FPushedCellButton = Pushed ? TPoint(ACol, ARow) : TPoint(-1, -1);
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TAdvStringGrid::SetRotated(int ACol, int ARow, int AAngle)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g && g->CellType() == ctRotated) {
        g->SetAngle(AAngle);
        RepaintCell(DisplColIndex(ACol), ARow);
        return;
    }
    // The shared row and virtual boxes are the grid's, not this cell's.
    if (g && (g->CellType() == ctRowCheckBox || g->CellType() == ctVirtCheckBox) && !GridObjects(ACol, ARow)) return;
    if (g && (g->CellType() == ctRowCheckBox || g->CellType() == ctVirtCheckBox)) return;
    TCellGraphic* n = CreateCellGraphic(ACol, ARow);
    n->SetCellType(ctRotated);
    n->SetAngle(AAngle);
}
