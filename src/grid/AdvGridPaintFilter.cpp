// The filter drop-down's button picture for the cell text painter (kept
// apart: the filter header and the grid header both name the filter's
// column enumeration).

#include "AdvGridFilter.h"

TBitmap* AdvGridFilterGlyph(TFilterDropDown* DropDown, bool Active)
{
    if (!DropDown) return nullptr;
    TBitmap* b = Active ? DropDown->GlyphActive() : DropDown->Glyph();
    return b && !b->Empty() ? b : nullptr;
}
