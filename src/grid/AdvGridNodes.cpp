// Nodes of the string grid: collapsible row branches whose node row carries an
// expand/contract glyph in column 0. Contracting moves the branch into the
// hidden-row store, so a contracted branch behaves like hidden rows everywhere.

#include "AdvGrid.h"
#include "AdvGridCellGraphic.h"
#include "AdvGridPaint.h"

#include <algorithm>

namespace {

// The glyph width and left margin of a node type.
struct TNodeGlyphGeometry {
    int W;
    int M;
};

TNodeGlyphGeometry NodeGlyphGeometryOf(TCellNode* cn)
{
    switch (cn->NodeType()) {
    case cn3D: return {6, 0};
    case cnGlyph: {
        TBitmap* b = cn->ExpandGlyph();
        const bool empty = !b || b->Empty();
        return {empty ? 0 : b->Width() / 2, empty ? 0 : 2};
    }
    case cnLeaf: return {8, 2};
    case cnFlat:
    case cnXP:
    default: return {4, 4};
    }
}

} // namespace

// ---- queries (display rows) ---------------------------------------------------------------

TCellGraphic* TAdvStringGrid::NodeObject(int ARow)
{
    if (ARow < 0 || ARow >= RowCount()) return nullptr;
    auto* g = dynamic_cast<TCellGraphic*>(GetGraphicObjectEx(0, ARow));
    return g && g->CellType() == ctNode ? g : nullptr;
}

bool TAdvStringGrid::IsNode(int ARow)
{
    return ARow >= 0 && GetCellType(0, ARow) == ctNode;
}

bool TAdvStringGrid::IsSummary(int ARow)
{
    return ARow >= 0 && GetCellType(0, ARow) == ctSummary;
}

bool TAdvStringGrid::GetNodeState(int ARow)
{
    TCellGraphic* g = NodeObject(ARow);
    return g && g->CellBoolean();
}

void TAdvStringGrid::SetNodeState(int ARow, bool Value)
{
    TCellGraphic* g = NodeObject(ARow);
    if (!g || g->CellBoolean() == Value) return;
    if (Value) ContractNode(RealRowIndex(ARow));
    else ExpandNode(RealRowIndex(ARow));
}

int TAdvStringGrid::GetNodeLevel(int ARow)
{
    if (!NodeObject(ARow)) return -1;
    const TCellProperties* p = GridObjects(0, ARow);
    return p ? p->NodeLevel() : 0;
}

int TAdvStringGrid::GetNodeSpan(int ARow)
{
    TCellGraphic* g = NodeObject(ARow);
    return g ? g->CellIndex() : -1;
}

void TAdvStringGrid::SetNodeSpan(int ARow, int Span)
{
    if (TCellGraphic* g = NodeObject(ARow)) g->SetCellIndex(Span);
}

void TAdvStringGrid::UpdateNodeSpan(int ARow, int Delta)
{
    if (TCellGraphic* g = NodeObject(ARow)) g->SetCellIndex(g->CellIndex() + Delta);
}

int TAdvStringGrid::GetSubNodeCount(int ARow)
{
    TCellGraphic* g = NodeObject(ARow);
    return g ? g->CellErrFrom() : 0;
}

void TAdvStringGrid::UpdateSubNodeCount(int ARow, int Delta)
{
    if (TCellGraphic* g = NodeObject(ARow)) g->SetCellErrFrom(g->CellErrFrom() + Delta);
}

int TAdvStringGrid::GetNodeSpanType(int ARow)
{
    if (IsNode(ARow)) return 0;
    const int next = ARow + 1;
    if (ARow < 0 || next >= RowCount() - FixedFooters()) return 1;
    const TCellProperties* own = GridObjects(0, ARow);
    const TCellProperties* p = GridObjects(0, next);
    const int level = own ? own->NodeLevel() : 0;
    return p && p->NodeLevel() >= level ? 2 : 1;
}

int TAdvStringGrid::GetParentRow(int ARow)
{
    if (FNumNodes == 0 || ARow < 0 || ARow >= RowCount()) return -1;
    int answer = -1;
    int reference = 0xFFFF;
    if (IsNode(ARow)) {
        answer = ARow;
        reference = GetNodeLevel(ARow);
    }
    // Rows hidden inside contracted nodes met on the way up shift the display
    // rows below them: a row right after a contracted branch is not inside it.
    int hidden = 0;
    for (int r = ARow; r >= FixedRows(); --r) {
        if (!IsNode(r) || GetNodeLevel(r) >= reference) continue;
        const int span = GetNodeSpan(r);
        if (GetNodeState(r)) hidden += span - 1;
        if (ARow < r + span - hidden) return r;
    }
    return answer;
}

// ---- adding and removing ----------------------------------------------------------------

void TAdvStringGrid::AddNode(int ARow, int Span)
{
    const int d = DisplRowIndex(ARow);
    if (d < 0 || d >= RowCount()) return;
    TCellGraphic* g = CreateCellGraphic(0, d);
    g->SetCellType(ctNode);
    g->SetCellBoolean(false);
    g->SetCellIndex(Span);
    g->SetCellErrFrom(0);
    g->SetCellAngle(d);
    g->SetCellVar(-1);
    g->SetCellHAlign(haBeforeText);
    g->SetCellVAlign(vaCenter);
    for (int r = d; r < d + Span && r < RowCount(); ++r) {
        TCellProperties* p = GetCellProperties(0, r);
        p->SetNodeLevel(p->NodeLevel() + 1);
    }
    if (FNumNodes == 0) Invalidate();
    ++FNumNodes;
    // Typing never starts in the node column.
    if (Col() == 0 && ColCount() > 1) {
        FForceSel = true;
        SetCol(1);
        FForceSel = false;
    }
}

void TAdvStringGrid::LowerNodeLevels(int D, int Span)
{
    for (int r = D; r < D + Span && r < RowCount(); ++r) {
        if (TCellProperties* p = GridObjects(0, r)) p->SetNodeLevel(std::max(0, p->NodeLevel() - 1));
    }
}

void TAdvStringGrid::RemoveNode(int ARow)
{
    ExpandNodeCore(ARow);
    const int d = DisplRowIndex(ARow);
    TCellGraphic* g = NodeObject(d);
    if (!g) return;
    LowerNodeLevels(d, g->CellIndex());
    RemoveCellGraphic(0, d);
    if (FNumNodes > 0) --FNumNodes;
    Invalidate();
}

void TAdvStringGrid::RemoveAllNodes()
{
    for (int r = 0; r < RowCount(); ++r) {
        if (!NodeObject(r)) continue;
        ExpandNodeCore(RealRowIndex(r));
        LowerNodeLevels(r, NodeObject(r)->CellIndex());
        RemoveCellGraphic(0, r);
        if (FNumNodes > 0) --FNumNodes;
    }
    Invalidate();
}

void TAdvStringGrid::MarkSummaryRow(int ARow)
{
    const int d = DisplRowIndex(ARow);
    if (d < 0 || d >= RowCount()) return;
    CreateCellGraphic(0, d)->SetCellType(ctSummary);
}

// ---- contracting and expanding ----------------------------------------------------------------

namespace {

// The display row after the branch of a node whose span is below 1: the next
// node row, or the row count.
int NodeBranchEnd(TAdvStringGrid* g, int D)
{
    for (int r = D + 1; r < g->RowCount(); ++r)
        if (g->IsNode(r)) return r;
    return g->RowCount();
}

} // namespace

void TAdvStringGrid::ContractNode(int ARow)
{
    HideInplaceEdit();
    FForceSel = true;
    const int d = DisplRowIndex(ARow);
    TCellGraphic* g = NodeObject(d);
    if (!g || g->CellBoolean()) {
        FForceSel = false;
        return;
    }
    g->SetCellBoolean(true);
    int e = g->CellIndex() > 0 ? std::min(d + g->CellIndex(), RowCount()) : NodeBranchEnd(this, d);
    // Nested contracted nodes open inside the parent's hidden block: their
    // children are hidden already and come back with the parent.
    int s = d + 1;
    int r = s;
    while (r < e) {
        TCellGraphic* n = NodeObject(r);
        if (!n || !n->CellBoolean()) {
            ++r;
            continue;
        }
        n->SetCellBoolean(false);
        if (TControl* ctl = CellControls(1, r + 1)) ctl->SetVisible(false);
        const int nestedSpan = std::max(n->CellIndex(), 1);
        HideRows(RealRowIndex(s), RealRowIndex(r));
        e -= nestedSpan + r - s;
        r = s;
    }
    if (e > s) HideRows(RealRowIndex(s), RealRowIndex(e - 1));
    FForceSel = false;
    CalcFooter(-1);
}

void TAdvStringGrid::ExpandNodeCore(int ARow)
{
    const int d = DisplRowIndex(ARow);
    TCellGraphic* g = NodeObject(d);
    if (!g || !g->CellBoolean()) return;
    g->SetCellBoolean(false);
    const int n = g->CellIndex() != 0 ? d + 1 : NodeBranchEnd(this, d);
    // The display row count stands for the end of all rows, so the last branch
    // of the grid expands too.
    const int realEnd = n >= RowCount() ? RowCount() + NumHiddenRows() : RealRowIndex(n);
    const int top = TopRow(), cur = Row();
    const bool disjunct = FMouseActions->DisjunctRowSelect();
    FMouseActions->SetDisjunctRowSelect(false);
    const bool rowSelect = Options().Contains(goRowSelect);
    if (rowSelect) {
        TGridOptions o = Options();
        o.Exclude(goRowSelect);
        SetOptions(o);
    }
    const bool bracket = NumCellControls() == 0;
    if (bracket) BeginUpdate();
    const int first = RealRowIndex(d) + 1;
    if (first <= realEnd - 1) UnHideRows(first, realEnd - 1);
    if (bracket) EndUpdate();
    if (rowSelect) {
        TGridOptions o = Options();
        o.Include(goRowSelect);
        SetOptions(o);
        if (cur < RowCount()) SetRow(cur);
        SetTopRow(top);
    }
    FMouseActions->SetDisjunctRowSelect(disjunct);
    CalcFooter(-1);
}

void TAdvStringGrid::ExpandNode(int ARow)
{
    if (FCellNode->ExpandOne()) {
        // Only one branch open: contract every other expanded node shown.
        for (int r = FixedRows(); r < RowCount(); ++r) {
            const int real = RealRowIndex(r);
            if (real != ARow && NodeObject(r) && !GetNodeState(r)) ContractNode(real);
        }
    }
    ExpandNodeCore(ARow);
}

void TAdvStringGrid::ExpandAll()
{
    BeginUpdate();
    for (int r = FixedRows(); r < RowCount(); ++r) {
        if (!NodeObject(r)) continue;
        ExpandNodeCore(RealRowIndex(r));
        NodeObject(r)->SetCellBoolean(false);
    }
    EndUpdate();
    CalcFooter(-1);
}

void TAdvStringGrid::ContractAll()
{
    BeginUpdate();
    ExpandAll();
    TIntList rows(0, 0);
    int r = FixedRows();
    while (r < RowCount()) {
        TCellGraphic* g = NodeObject(r);
        if (!g) {
            ++r;
            continue;
        }
        g->SetCellBoolean(true);
        const int end = g->CellIndex() > 0 ? std::min(r + g->CellIndex(), RowCount()) : NodeBranchEnd(this, r);
        for (int k = r + 1; k < end; ++k) rows.Add(k);
        r = std::max(end, r + 1);
    }
    if (rows.Count() > 0) HideRowList(&rows);
    EndUpdate();
    CellControlsUpdate(false);
    CalcFooter(-1);
}

// ---- rows inside branches ---------------------------------------------------------------------

void TAdvStringGrid::InsertChildRow(int ARow, int InsertAt)
{
    int d = DisplRowIndex(ARow);
    if (d < 0 || d >= RowCount()) return;
    // A node row owns the row inserted into its branch; other rows take the
    // node above them.
    const int parent = NodeObject(d) ? d : GetParentRow(d);
    int level = 0;
    if (parent != -1) {
        const int parentReal = RealRowIndex(parent);
        UpdateNodeSpan(parent, 1);
        UpdateSubNodeCount(parent, 1);
        ExpandNodeCore(parentReal);
        level = GetNodeLevel(parent);
        int cur = parent, curLevel = level;
        // Inconsistent levels (no lower-level node above) end the walk.
        while (curLevel > 1 && cur > FixedRows()) {
            const int up = GetParentRow(cur);
            if (up < 0 || up >= cur || GetNodeLevel(up) >= curLevel) break;
            UpdateNodeSpan(up, 1);
            UpdateSubNodeCount(up, 1);
            ExpandNodeCore(RealRowIndex(up));
            cur = up;
            curLevel = GetNodeLevel(up);
        }
        d = DisplRowIndex(ARow);
    }
    if (IsNode(d) && InsertAt == 0) {
        // The node row's contents become its first child; the node object stays.
        InsertAt = 1;
        InsertRows(d + 1, 1, true);
        for (int c = 0; c < AllColCount(); ++c) {
            SetAllCells(c, d + 1, AllCells(c, d));
            SetAllCells(c, d, QString());
            if (c == 0) continue;
            TCellProperties* p = GridObjects(c, d);
            if (!p || !p->GraphicObject()) continue;
            TObject* obj = p->GraphicObject();
            p->SetGraphicObject(nullptr);
            GetCellProperties(c, d + 1)->SetGraphicObject(obj);
        }
    } else {
        InsertRows(d + InsertAt, 1, true);
    }
    if (parent != -1) GetCellProperties(0, d + InsertAt)->SetNodeLevel(level);
}

void TAdvStringGrid::RemoveChildRow(int ARow)
{
    const int d = DisplRowIndex(ARow);
    if (d < 0 || d >= RowCount()) return;
    int p = GetParentRow(d);
    if (p != -1 && p != d) {
        const int l0 = GetNodeLevel(p);
        auto shrink = [this](int node) {
            if (GetNodeSpan(node) > 1) {
                UpdateNodeSpan(node, -1);
                UpdateSubNodeCount(node, -1);
            }
            ExpandNodeCore(RealRowIndex(node));
        };
        shrink(p);
        while (GetNodeLevel(p) > 1) {
            const int up = GetParentRow(p);
            if (up < 0 || up >= p || GetNodeLevel(up) >= l0) break;
            p = up;
            shrink(p);
        }
    }
    RemoveRowsRange(DisplRowIndex(ARow), 1);
    FMaxRowCount = std::max(FMaxRowCount - 1, 0);
}

void TAdvStringGrid::InsertNormalRow(int ARow)
{
    const int d = DisplRowIndex(ARow);
    if (d < 0 || d > RowCount()) return;
    InsertRows(d, 1, true);
}

void TAdvStringGrid::RemoveNormalRow(int ARow)
{
    RemoveRows(ARow, 1);
    FMaxRowCount = std::max(FMaxRowCount - 1, 0);
}

// ---- the glyph: hit test, click and painting ----------------------------------------------------

bool TAdvStringGrid::NodeGlyphHitTest(int ARow, int X)
{
    if (!FMouseActions->PreciseNodeClick()) return true;
    const TCellProperties* p = GridObjects(0, ARow);
    const int l = p ? p->NodeLevel() : 0;
    const int i = FCellNode->NodeIndent();
    const TNodeGlyphGeometry geo = NodeGlyphGeometryOf(FCellNode);
    if (UseRightToLeftAlignment()) {
        const int v = VisibleRowCount() < RowCount() - FixedRows() ? ScrollWidth() : 0;
        return Width() - 2 - l * i - geo.W <= X + v && X + v < Width() - (l - 1) * i;
    }
    return geo.M + (l - 1) * i < X && X < geo.W + l * i;
}

bool TAdvStringGrid::NodeClick(int ACol, int ARow, int X)
{
    if (FNumNodes == 0 || RealColIndex(ACol) != 0 || !IsNode(ARow)) return false;
    const TRect cell = CellRect(ACol, ARow);
    if (!NodeGlyphHitTest(ARow, UseRightToLeftAlignment() ? X : X - cell.Left)) return false;
    const int real = RealRowIndex(ARow);
    bool allow = true;
    if (GetNodeState(ARow)) {
        if (OnBeforeExpandNode) OnBeforeExpandNode(this, ARow, real, allow);
        if (!allow) return true;
        ExpandNode(real);
        if (OnExpandNode) OnExpandNode(this, ARow, real);
    } else {
        if (OnBeforeContractNode) OnBeforeContractNode(this, ARow, real, allow);
        if (!allow) return true;
        ContractNode(real);
        if (OnContractNode) OnContractNode(this, ARow, real);
    }
    Invalidate();
    return true;
}

void TAdvStringGrid::DrawNodeGlyph(TCellDrawContext& c)
{
    TCanvas* cv = c.Canvas;
    const int level = std::max(1, GetNodeLevel(c.Row));
    const int indent = FCellNode->NodeIndent();
    const bool contracted = GetNodeState(c.Row);
    TBitmap* glyph = contracted ? FCellNode->ExpandGlyph() : FCellNode->ContractGlyph();
    const int mid = c.CellRect.Top + c.CellRect.Height() / 2;
    const int left = c.CellRect.Left + 4 + (level - 1) * indent;
    if (FCellNode->NodeType() == cnGlyph && glyph && !glyph->Empty()) {
        cv->Draw(left - 2, mid - glyph->Height() / 2, glyph);
        return;
    }
    const int size = 9;
    const TRect box(left, mid - size / 2, left + size, mid - size / 2 + size);
    const TColor line = FCellNode->NodeColor() == clNone ? clGray : FCellNode->NodeColor();
    cv->Brush()->SetColor(FCellNode->Color() == clNone ? clWindow : FCellNode->Color());
    cv->Pen()->SetColor(line);
    cv->Pen()->SetWidth(1);
    if (FCellNode->NodeType() == cnLeaf) {
        // A leaf: a filled triangle pointing right when contracted, down when open.
        std::vector<TPoint> pts = contracted
            ? std::vector<TPoint>{{left + 2, box.Top}, {left + 7, mid}, {left + 2, box.Bottom}}
            : std::vector<TPoint>{{left, mid - 2}, {left + 8, mid - 2}, {left + 4, mid + 3}};
        cv->Brush()->SetColor(line);
        cv->Polygon(pts);
        return;
    }
    cv->Rectangle(box);
    cv->Pen()->SetColor(clWindowText);
    cv->MoveTo(box.Left + 2, mid);
    cv->LineTo(box.Right - 2, mid);
    if (contracted) {
        cv->MoveTo(box.Left + size / 2, box.Top + 2);
        cv->LineTo(box.Left + size / 2, box.Bottom - 2);
    }
}
