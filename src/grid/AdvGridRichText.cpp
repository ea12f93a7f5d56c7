// Rich text cells: drawn formatted through the platform's rich text.

#include "AdvGrid.h"

#include "RichText.h"

void TAdvStringGrid::PaintRichTextCell(TCanvas* Canvas, const QString& Text, const TRect& R, bool Selected)
{
    const bool recolour = Selected && !SelectionRTFKeep() && SelectionTextColor() != clNone && ShowSelection();
    RichTextDraw(Canvas, Text, R, recolour ? SelectionTextColor() : clNone);
}
