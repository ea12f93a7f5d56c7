// Clicks on the cell objects: the radio group under a press, and the
// check-box and radio mouse-up events of a release.
//
// A click in a radio-group cell: the caption under the point (relative to
// the cell's top-left corner) becomes the selected radio. Each caption takes
// its glyph and its text across (a horizontal group) or one line down (a
// vertical group); a point on the line between two captions hits neither.
#include "AdvGrid.h"
#include "AdvGridLook.h"
#include "AdvGridSort.h"

void TAdvStringGrid::ClickRadioGroup(int ACol, int ARow, int X, int Y)
{
    const int rc = RealColIndex(ACol);
    TStrings* captions = GetRadioStrings(rc, ARow);
    if (!captions) return;
    const TPoint base = BaseCell(rc, ARow);
    TCellGraphic* g = GetCellGraphic(base.X, base.Y);
    TCanvas* cv = Canvas();
    cv->Font()->Assign(Font());
    GetCellColor(ACol, ARow, TGridDrawState(), cv->Brush(), cv->Font());
    const int col = DisplColIndex(base.X);
    if (!IsFixed(col, base.Y)) {
        const TFlagScope force(FForceSel);
        MoveColRow(col, base.Y, true, true);
    }
    const int glyph = FControlLook->ControlStyle() >= csWinXP ? 16 : FControlLook->RadioSize();
    const bool horizontal = g->CellBoolean();
    const int p = horizontal ? X : Y;
    int from = 0;
    for (int i = 0; i < captions->Count(); ++i) {
        const QString caption = captions->Strings(i);
        const int size = horizontal ? cv->TextWidth(caption) + glyph
                                    : std::max(glyph, cv->TextHeight(QStringLiteral("gh")));
        if (p > from && p < from + size) {
            if (g->CellIndex() == -1) SetCells(base.X, base.Y, caption);
            // Written back as it is, so that the change handling runs.
            SetCells(base.X, base.Y, Cells(base.X, base.Y));
            SetRadioIdx(base.X, base.Y, i);
            if (OnRadioClick) OnRadioClick(this, base.X, base.Y, i);
            return;
        }
        from += size;
    }
}

void TAdvStringGrid::CellMouseUpEvents(int ACol, int ARow)
{
    if (ACol < FixedCols() && !FSortSettings->FixedCols()) return;
    const int rc = RealColIndex(ACol);
    bool state = false;
    if (OnCheckBoxMouseUp && HasCheckBox(rc, ARow) && GetCheckBoxState(rc, ARow, state))
        OnCheckBoxMouseUp(this, rc, ARow, state);
    int idx = -1;
    if (OnRadioMouseUp && GetRadioIdx(rc, ARow, idx)) OnRadioMouseUp(this, rc, ARow, idx);
}
