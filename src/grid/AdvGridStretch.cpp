// Column stretch: one column takes the client width the others leave.
#include "AdvGrid.h"

namespace {
const QString SAdvGridStretchOutOfRange = QStringLiteral("Stretch column index out of range");
}  // namespace

void TAdvStringGrid::StretchColumn(int ACol)
{
    if (HasState(csLoading) || HasState(csDestroying)) return;
    if (ACol == -1) ACol = ColCount() - 1;
    if (ACol >= ColCount()) throw EAdvGridError(SAdvGridStretchOutOfRange);
    if (ColCount() == 0 || ACol < 0 || !FColumnSize->Stretch() || FIsColChanging) return;
    FIsColChanging = true;
    const int client = ClientWidth();
    if (ColCount() == 1) {
        SetColWidths(ACol, client);
    } else {
        long long others = 0;
        for (int c = 0; c < ColCount(); ++c)
            if (c != ACol) others += ColWidths(c);
        if (others < client)
            SetColWidths(ACol, int(client - others - 1));
        else if (LeftCol() == FixedCols())
            SetColWidths(ACol, DefaultColWidth());
    }
    ColchgFlg = true;
    FIsColChanging = false;
    UpdateFooter();
}

void TAdvStringGrid::StretchRightColumn() { StretchColumn(ColCount() - 1); }
