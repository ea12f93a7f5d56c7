// Small routines of the string grid that several of its parts share: the
// fixed-cell editor's change notification, the reaction to a change of
// scale and the longest text line of a column.

#include "AdvGrid.h"
#include "Graphics.h"

#include <algorithm>

void TAdvStringGrid::FixedEditChange(TObject* Sender)
{
    (void)Sender;
    if (!OnEditChange) return;
    OnEditChange(this, FFixedColEdit, FFixedRowEdit, EditTrans ? EditTrans->Text() : QString());
}

void TAdvStringGrid::HandleChangeScale(int M, int D)
{
    if (IsDesigning() || M == D || D == 0) return;
    if (FFixedFont) FFixedFont->SetSize(MulDiv(FFixedFont->Size(), M, D));
    if (FActiveCellFont) FActiveCellFont->SetSize(MulDiv(FActiveCellFont->Size(), M, D));
}

int TAdvStringGrid::MaxColumnTextLength(int ACol)
{
    const bool multi = MultilineCells();
    int longest = 0;
    for (int r = 0; r < RowCount(); ++r) {
        QString text;
        SaveCellText(ACol, r, text);
        if (!multi) {
            longest = std::max(longest, int(text.size()));
            continue;
        }
        // CR LF, a lone CR and a lone LF each end a line.
        int start = 0;
        for (int i = 0; i <= text.size(); ++i) {
            const bool end = i == text.size();
            const QChar ch = end ? QChar() : text.at(i);
            if (!end && ch != u'\r' && ch != u'\n') continue;
            longest = std::max(longest, i - start);
            if (!end && ch == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') ++i;
            start = i + 1;
        }
    }
    return longest;
}
