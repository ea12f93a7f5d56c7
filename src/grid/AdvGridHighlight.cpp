// Highlighting ("hi") and marking ("e") inside cell texts: every occurrence
// of a text wrapped in a mini-markup tag pair that the cell painter shows,
// and the pairs taken out again. The changes live in the cell texts.

#include "AdvGrid.h"
#include "AsgHTMLEText.h"

namespace {

const QString HilightTag = QStringLiteral("hi");
const QString MarkTag = QStringLiteral("e");

}  // namespace

QString TAdvStringGrid::HilightText(bool DoCase, const QString& S, const QString& Text)
{
    QString result;
    return HighlightText(S, Text, HilightTag, result, DoCase);
}

QString TAdvStringGrid::UnHilightText(const QString& S) { return RemoveTag(S, HilightTag); }

QString TAdvStringGrid::MarkText(bool DoCase, const QString& S, const QString& Text)
{
    QString result;
    return HighlightText(S, Text, MarkTag, result, DoCase);
}

QString TAdvStringGrid::UnMarkText(const QString& S) { return RemoveTag(S, MarkTag); }

void TAdvStringGrid::HilightInRange(const QString& HiText, const QString& Tag, bool DoCase, int FromCol, int FromRow,
                                    int ToCol, int ToRow)
{
    const QString search = HTMLEntityEncode(HiText, false);
    // Display texts when a handler makes them, else the stored texts.
    const bool displ = bool(OnGetDisplText);
    for (int r = FromRow; r <= ToRow; ++r)
        for (int c = FromCol; c <= ToCol; ++c) {
            if (IsMergedNonBaseCell(c, r)) continue;
            const QString text = HTMLEntityEncode(displ ? Cells(c, r) : GridCells(c, r), false);
            QString result;
            SetCells(c, r, HighlightText(text, search, Tag, result, DoCase));
        }
}

void TAdvStringGrid::UnHilightInRange(const QString& Tag, int FromCol, int FromRow, int ToCol, int ToRow)
{
    const bool displ = bool(OnGetDisplText);
    for (int r = FromRow; r <= ToRow; ++r)
        for (int c = FromCol; c <= ToCol; ++c) {
            if (IsMergedNonBaseCell(c, r)) continue;
            const QString text = HTMLEntityDecode(displ ? Cells(c, r) : GridCells(c, r), false);
            SetCells(c, r, RemoveTag(text, Tag));
        }
}

// ---- the ranges --------------------------------------------------------------------------------
// F, FF: fixed rows and footers; FC, FR: fixed columns left and right; H:
// hidden columns. The adding row methods stop at the shown columns, the
// removing ones reach the hidden ones; the grid-wide highlight reaches them
// without DoFixed, the grid-wide mark does not.

void TAdvStringGrid::HilightInCell(bool DoCase, int Col, int Row, const QString& HiText)
{
    HilightInRange(HiText, HilightTag, DoCase, Col, Row, Col, Row);
}

void TAdvStringGrid::HilightInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText)
{
    HilightInRange(HiText, HilightTag, DoCase, Col, DoFixed ? 0 : FixedRows(), Col,
                   DoFixed ? RowCount() - 1 : RowCount() - FixedFooters() - 1);
}

void TAdvStringGrid::HilightInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText)
{
    HilightInRange(HiText, HilightTag, DoCase, DoFixed ? 0 : FixedCols(), Row,
                   DoFixed ? ColCount() - 1 : ColCount() - FixedRightCols() - 1, Row);
}

void TAdvStringGrid::HilightInGrid(bool DoFixed, bool DoCase, const QString& HiText)
{
    if (DoFixed) HilightInRange(HiText, HilightTag, DoCase, 0, 0, ColCount() - 1, RowCount() - 1);
    else
        HilightInRange(HiText, HilightTag, DoCase, FixedCols(), FixedRows(),
                       ColCount() - FixedRightCols() - 1 + NumHiddenColumns(), RowCount() - FixedFooters() - 1);
}

void TAdvStringGrid::UnHilightInCell(int Col, int Row) { UnHilightInRange(HilightTag, Col, Row, Col, Row); }

void TAdvStringGrid::UnHilightInCol(bool DoFixed, int Col)
{
    UnHilightInRange(HilightTag, Col, DoFixed ? 0 : FixedRows(), Col,
                     DoFixed ? RowCount() - 1 : RowCount() - FixedFooters() - 1);
}

void TAdvStringGrid::UnHilightInRow(bool DoFixed, int Row)
{
    UnHilightInRange(HilightTag, DoFixed ? 0 : FixedCols(), Row,
                     (DoFixed ? ColCount() - 1 : ColCount() - FixedRightCols() - 1) + NumHiddenColumns(), Row);
}

void TAdvStringGrid::UnHilightInGrid(bool DoFixed)
{
    const int h = NumHiddenColumns();
    if (DoFixed) UnHilightInRange(HilightTag, 0, 0, ColCount() + h - 1, RowCount() - 1);
    else
        UnHilightInRange(HilightTag, FixedCols(), FixedRows(), ColCount() + h - FixedRightCols() - 1,
                         RowCount() - FixedFooters() - 1);
}

void TAdvStringGrid::MarkInCell(bool DoCase, int Col, int Row, const QString& HiText)
{
    HilightInRange(HiText, MarkTag, DoCase, Col, Row, Col, Row);
}

void TAdvStringGrid::MarkInCol(bool DoFixed, bool DoCase, int Col, const QString& HiText)
{
    HilightInRange(HiText, MarkTag, DoCase, Col, DoFixed ? 0 : FixedRows(), Col,
                   DoFixed ? RowCount() - 1 : RowCount() - FixedFooters() - 1);
}

void TAdvStringGrid::MarkInRow(bool DoFixed, bool DoCase, int Row, const QString& HiText)
{
    HilightInRange(HiText, MarkTag, DoCase, DoFixed ? 0 : FixedCols(), Row,
                   DoFixed ? ColCount() - 1 : ColCount() - FixedRightCols() - 1, Row);
}

void TAdvStringGrid::MarkInGrid(bool DoFixed, bool DoCase, const QString& HiText)
{
    if (DoFixed) HilightInRange(HiText, MarkTag, DoCase, 0, 0, ColCount() - 1, RowCount() - 1);
    else
        HilightInRange(HiText, MarkTag, DoCase, FixedCols(), FixedRows(), ColCount() - FixedRightCols() - 1,
                       RowCount() - FixedFooters() - 1);
}

void TAdvStringGrid::UnMarkInCell(int Col, int Row) { UnHilightInRange(MarkTag, Col, Row, Col, Row); }

void TAdvStringGrid::UnMarkInCol(bool DoFixed, int Col)
{
    UnHilightInRange(MarkTag, Col, DoFixed ? 0 : FixedRows(), Col,
                     DoFixed ? RowCount() - 1 : RowCount() - FixedFooters() - 1);
}

void TAdvStringGrid::UnMarkInRow(bool DoFixed, int Row)
{
    UnHilightInRange(MarkTag, DoFixed ? 0 : FixedCols(), Row,
                     (DoFixed ? ColCount() - 1 : ColCount() - FixedRightCols() - 1) + NumHiddenColumns(), Row);
}

void TAdvStringGrid::UnMarkInGrid(bool DoFixed)
{
    const int h = NumHiddenColumns();
    if (DoFixed) UnHilightInRange(MarkTag, 0, 0, ColCount() + h - 1, RowCount() - 1);
    else
        UnHilightInRange(MarkTag, FixedCols(), FixedRows(), ColCount() + h - FixedRightCols() - 1,
                         RowCount() - FixedFooters() - 1);
}
