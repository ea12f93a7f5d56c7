#include "AdvGridSort.h"

#include "AdvGrid.h"
#include "AdvGridFooter.h"
#include "Clock.h"
#include "SysFormat.h"

#include <vector>

TSortSettings::TSortSettings(TBaseGrid* AOwner)
    : FGrid(AOwner),
      FUpGlyph(std::make_unique<TBitmap>()),
      FDownGlyph(std::make_unique<TBitmap>()),
      FIndexUpGlyph(std::make_unique<TBitmap>()),
      FIndexDownGlyph(std::make_unique<TBitmap>())
{
}

TSortSettings::~TSortSettings() = default;

TPersistent* TSortSettings::GetOwner()
{
    return FGrid;
}

void TSortSettings::SetShow(bool v)
{
    if (v == FShow) return;
    FShow = v;
    if (FGrid) FGrid->Invalidate();
}

void TSortSettings::StoreHeaderColor(TColor& Field, TColor v)
{
    if (v == Field) return;
    Field = v;
    if (FGrid && FGrid->FixedRows() > 0) FGrid->InvalidateRow(FGrid->FixedRows() - 1);
}

void TSortSettings::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TSortSettings*>(Source);
    if (!src) return;
    FColumn = src->FColumn;
    FRow = src->FRow;
    FShow = src->FShow;
    FDirection = src->FDirection;
    FInitSortDirection = src->FInitSortDirection;
    FFull = src->FFull;
    FAutoFormat = src->FAutoFormat;
    FIgnoreCase = src->FIgnoreCase;
    FIgnoreBlanks = src->FIgnoreBlanks;
    FBlankPos = src->FBlankPos;
    FSingleColumn = src->FSingleColumn;
    FNormalCellsOnly = src->FNormalCellsOnly;
    FFixedCols = src->FFixedCols;
    FIndexShow = src->FIndexShow;
    FIndexSortKey = src->FIndexSortKey;
    FIndexColor = src->FIndexColor;
    FUndoSort = src->FUndoSort;
    FAutoSortForGrouping = src->FAutoSortForGrouping;
    FAutoColumnMerge = src->FAutoColumnMerge;
    FSortOnVirtualCells = src->FSortOnVirtualCells;
    FUpGlyph->Assign(src->FUpGlyph.get());
    FDownGlyph->Assign(src->FDownGlyph.get());
    FIndexUpGlyph->Assign(src->FIndexUpGlyph.get());
    FIndexDownGlyph->Assign(src->FIndexDownGlyph.get());
    FHeaderColor = src->FHeaderColor;
    FHeaderColorTo = src->FHeaderColorTo;
    FHeaderMirrorColor = src->FHeaderMirrorColor;
    FHeaderMirrorColorTo = src->FHeaderMirrorColorTo;
}

const TPropertyList& TSortSettings::Properties()
{
    using C = TSortSettings;
    const QStringList directions = {"sdAscending", "sdDescending"};
    static const TPropertyList list =
        TPropertyList()
            .Integer<C>("Column", &C::Column, &C::SetColumn)
            .Integer<C>("Row", &C::Row, &C::SetRow)
            .Boolean<C>("Show", &C::Show, &C::SetShow)
            .Enum<C, TSortDirection>("Direction", &C::Direction, &C::SetDirection, directions)
            .Enum<C, TSortDirection>("InitSortDirection", &C::InitSortDirection, &C::SetInitSortDirection,
                                     directions)
            .Boolean<C>("Full", &C::Full, &C::SetFull)
            .Boolean<C>("AutoFormat", &C::AutoFormat, &C::SetAutoFormat)
            .Boolean<C>("IgnoreCase", &C::IgnoreCase, &C::SetIgnoreCase)
            .Boolean<C>("IgnoreBlanks", &C::IgnoreBlanks, &C::SetIgnoreBlanks)
            .Enum<C, TSortBlankPosition>("BlankPos", &C::BlankPos, &C::SetBlankPos, {"blFirst", "blLast"})
            .Boolean<C>("SingleColumn", &C::SingleColumn, &C::SetSingleColumn)
            .Boolean<C>("NormalCellsOnly", &C::NormalCellsOnly, &C::SetNormalCellsOnly)
            .Boolean<C>("FixedCols", &C::FixedCols, &C::SetFixedCols)
            .Boolean<C>("IndexShow", &C::IndexShow, &C::SetIndexShow)
            .Enum<C, TIndexSortKey>("IndexSortKey", &C::IndexSortKey, &C::SetIndexSortKey, {"ikShift", "ikCtrl"})
            .Color<C>("IndexColor", &C::IndexColor, &C::SetIndexColor)
            .Boolean<C>("UndoSort", &C::UndoSort, &C::SetUndoSort)
            .Boolean<C>("AutoSortForGrouping", &C::AutoSortForGrouping, &C::SetAutoSortForGrouping)
            .Boolean<C>("AutoColumnMerge", &C::AutoColumnMerge, &C::SetAutoColumnMerge)
            .Boolean<C>("SortOnVirtualCells", &C::SortOnVirtualCells, &C::SetSortOnVirtualCells)
            .Object<C, TBitmap>("UpGlyph", &C::UpGlyph, &C::SetUpGlyph)
            .Object<C, TBitmap>("DownGlyph", &C::DownGlyph, &C::SetDownGlyph)
            .Object<C, TBitmap>("IndexUpGlyph", &C::IndexUpGlyph, &C::SetIndexUpGlyph)
            .Object<C, TBitmap>("IndexDownGlyph", &C::IndexDownGlyph, &C::SetIndexDownGlyph)
            .Color<C>("HeaderColor", &C::HeaderColor, &C::SetHeaderColor)
            .Color<C>("HeaderColorTo", &C::HeaderColorTo, &C::SetHeaderColorTo)
            .Color<C>("HeaderMirrorColor", &C::HeaderMirrorColor, &C::SetHeaderMirrorColor)
            .Color<C>("HeaderMirrorColorTo", &C::HeaderMirrorColorTo, &C::SetHeaderMirrorColorTo);
    return list;
}

// ---- the settings' own operations ----

namespace {

const char* const kSortRowNotFixed = "Sort row should be smaller than number of fixed rows";
const char* const kInvalidSortSpecifier = "Invalid sort settings specifier";
const char* const kNoSortIndexes = "No indexes specified for indexed sort";

}  // namespace

void TSortSettings::SetRow(int v)
{
    if (FGrid && v >= FGrid->FixedRows()) throw EAdvGridError(QString::fromLatin1(kSortRowNotFixed));
    FRow = v;
}

QString TSortSettings::SaveToString() const
{
    auto* g = dynamic_cast<TAdvStringGrid*>(FGrid);
    if (FIndexShow && g) return QStringLiteral("i;") + g->SortIndexes()->SaveToString();
    return QString(FDirection == sdDescending ? u'd' : u'u') + QString::number(FColumn);
}

void TSortSettings::LoadFromString(const QString& Value)
{
    if (Value.isEmpty()) return;
    SetShow(true);
    if (Value.size() < 2) throw EAdvGridError(QString::fromLatin1(kInvalidSortSpecifier));
    auto* g = dynamic_cast<TAdvStringGrid*>(FGrid);
    if (Value.contains(QStringLiteral("i;"))) {
        FIndexShow = true;
        const QString rest = Value.mid(2);
        if (!rest.isEmpty() && g) {
            g->SortIndexes()->LoadFromString(rest);
            g->QSortIndexed();
        }
        return;
    }
    FIndexShow = false;
    FDirection = Value.contains(u'u') ? sdAscending : sdDescending;
    int col = 0;
    if (!TryStrToInt(Value.mid(1), col)) return;
    FColumn = col;
    if (g) g->QSort();
}

void TSortSettings::Remove()
{
    FColumn = -1;
    auto* g = dynamic_cast<TAdvStringGrid*>(FGrid);
    if (g) g->SortIndexes()->Clear();
    if (FGrid && FGrid->FixedRows() > 0) FGrid->InvalidateRow(FGrid->FixedRows() - 1);
}

// ---- the scratch frame of a sort ----

// While a sort runs the grid has three more rows, the pivot copied into the
// second last; the hidden columns take part so that they move with their
// rows. The scratch rows share cell objects with real rows, so they are
// emptied without freeing them. Cells that a smaller row count set aside
// in those rows are taken out first and put back afterwards, so that they
// come back when the row count grows again, owned as before.
class TAdvStringGrid::TSortFrame {
public:
    explicit TSortFrame(TAdvStringGrid* G) : FG(G), FOldNormal(G->FNormalRowCount)
    {
        const int first = FG->RowCount();
        FG->SetRowCount(first + 3);
        SetAside(first);
        FG->FNormalRowCount = FG->RowCount() - 3;
        FOldColumns = FG->FSortColumns;
        FG->FSortColumns = FG->TotalColCount();
    }
    ~TSortFrame()
    {
        Empty();
        PutBack();
        FG->FSortColumns = FOldColumns;
        FG->SetRowCount(FG->RowCount() - 3);
        FG->FNormalRowCount = FOldNormal;
    }
    TSortFrame(const TSortFrame&) = delete;
    TSortFrame& operator=(const TSortFrame&) = delete;

private:
    struct TAsideCell {
        int Col, Row;
        QString Text;
        TCellProperties* Props;
    };
    void SetAside(int First)
    {
        for (int r = First; r < First + 3; ++r)
            for (int c = 0; c < FG->TotalColCount(); ++c) {
                TCellProperties* p = FG->GridObjects(c, r);
                const QString& t = FG->GridCells(c, r);
                if (!p && t.isEmpty()) continue;
                FAside.push_back(TAsideCell{c, r, t, p});
                if (p) FG->SetGridObjects(c, r, nullptr);
                if (!t.isEmpty()) FG->SetGridCells(c, r, QString());
            }
    }
    void Empty()
    {
        for (int r = FG->RowCount() - 3; r < FG->RowCount(); ++r)
            for (int c = 0; c < FG->TotalColCount(); ++c) {
                if (FG->GridObjects(c, r)) FG->SetGridObjects(c, r, nullptr);
                if (!FG->GridCells(c, r).isEmpty()) FG->SetGridCells(c, r, QString());
            }
    }
    void PutBack()
    {
        for (const TAsideCell& a : FAside) {
            if (a.Props) FG->SetGridObjects(a.Col, a.Row, a.Props);
            if (!a.Text.isEmpty()) FG->SetGridCells(a.Col, a.Row, a.Text);
        }
    }
    TAdvStringGrid* FG;
    int FOldNormal;
    int FOldColumns = 0;
    std::vector<TAsideCell> FAside;
};

namespace {

// What a whole-grid sort puts back however it ends: column 0 when it is
// kept in place, the top row, the floating footer and the update count.
class TSortRestore {
public:
    TSortRestore(TAdvStringGrid* G, bool KeepColumn0) : FG(G), FTopRow(G->TopRow())
    {
        if (KeepColumn0 && G->FixedCols() > 0)
            for (int r = 0; r < G->RowCount(); ++r) {
                FColumn0Texts.append(G->GridCells(0, r));
                FColumn0Objects.push_back(G->ReleaseCellProperties(0, r));
            }
        FKeep = KeepColumn0 && G->FixedCols() > 0;
        G->BeginUpdate();
        FFooterVisible = G->FloatingFooter() && G->FloatingFooter()->Visible();
        FFixedFooters = G->FixedFooters();
        if (FFooterVisible) G->FloatingFooter()->SetVisible(false);
    }
    ~TSortRestore()
    {
        if (FKeep)
            for (int r = 0; r < FColumn0Texts.size() && r < FG->RowCount(); ++r) {
                FG->SetGridCells(0, r, FColumn0Texts[r]);
                delete FG->ReleaseCellProperties(0, r);
                FG->SetGridObjects(0, r, FColumn0Objects[size_t(r)]);
            }
        if (FG->Navigation()->KeepScrollOnSort()) FG->SetTopRow(FTopRow);
        if (FFooterVisible) FG->FloatingFooter()->SetVisible(true);
        if (FG->FixedFooters() != FFixedFooters) FG->SetFixedFooters(FFixedFooters);
        FG->EndUpdate();
    }
    TSortRestore(const TSortRestore&) = delete;
    TSortRestore& operator=(const TSortRestore&) = delete;

private:
    TAdvStringGrid* FG;
    int FTopRow;
    bool FKeep = false;
    bool FFooterVisible = false;
    int FFixedFooters = 0;
    QStringList FColumn0Texts;
    std::vector<TCellProperties*> FColumn0Objects;
};

}  // namespace

// ---- sorting ----

void TAdvStringGrid::InitSortXRef()
{
    FSortRowXRef->Clear();
    for (int r = 0; r < RowCount(); ++r) FSortRowXRef->Add(r);
}

void TAdvStringGrid::CopySortPivot(int FromRow, int ToRow)
{
    const bool display = FSortSettings->SortOnVirtualCells();
    for (int c = 0; c < TotalColCount(); ++c) {
        SetGridCells(c, ToRow, display && OnGetDisplText ? Cells(c, FromRow) : GridCells(c, FromRow));
        SetGridObjects(c, ToRow, GridObjects(c, FromRow));
    }
}

void TAdvStringGrid::QuickSortRange(int Col, int Left, int Right)
{
    FSortDir = FSortSettings->Direction() == sdDescending ? -1 : 1;
    if (Left < Right && !SortRangeByKeys(Col, Left, Right, false)) QuickSortRowRange(Col, Left, Right);
}

void TAdvStringGrid::QuickSortIndexedRange(int Left, int Right)
{
    if (Left < Right && !SortRangeByKeys(-1, Left, Right, true)) QuickSortIndexedRowRange(Left, Right);
}

// The sort over the rows themselves: the pivot copied into the scratch row
// and every comparison reading the cells anew.
void TAdvStringGrid::QuickSortRowRange(int Col, int Left, int Right)
{
    FSortDir = FSortSettings->Direction() == sdDescending ? -1 : 1;
    const int s = RowCount() - 2;
    while (Left < Right) {
        CopySortPivot((Left + Right) / 2, s);
        int i = Left, j = Right;
        do {
            while (CompareRows(Col, s, i) == FSortDir && i < Right) ++i;
            while (CompareRows(Col, j, s) == FSortDir && Left < j) --j;
            if (j >= i) {
                if (i != j && CompareRows(Col, i, j) != 0) SortSwapRows(i, j);
                ++i;
                --j;
            }
        } while (j >= i);
        // The smaller part recursively, the larger one in this loop: the
        // depth stays logarithmic whatever the data.
        if (j - Left < Right - i) {
            if (Left < j) QuickSortRowRange(Col, Left, j);
            Left = i;
        } else {
            if (i < Right) QuickSortRowRange(Col, i, Right);
            Right = j;
        }
    }
}

void TAdvStringGrid::QuickSortIndexedRowRange(int Left, int Right)
{
    const int s = RowCount() - 2;
    while (Left < Right) {
        CopySortPivot((Left + Right) / 2, s);
        int i = Left, j = Right;
        do {
            while (CompareRowsIndexed(0, s, i) == 1 && i < Right) ++i;
            while (CompareRowsIndexed(0, j, s) == 1 && Left < j) --j;
            if (j >= i) {
                if (i != j) SortSwapRows(i, j);
                ++i;
                --j;
            }
        } while (j >= i);
        // The smaller part recursively, the larger one in this loop: the
        // depth stays logarithmic whatever the data.
        if (j - Left < Right - i) {
            if (Left < j) QuickSortIndexedRowRange(Left, j);
            Left = i;
        } else {
            if (i < Right) QuickSortIndexedRowRange(i, Right);
            Right = j;
        }
    }
}

void TAdvStringGrid::QuickUnSortRange(int Left, int Right)
{
    while (Left < Right) {
        const int v = FUnSortRowXRef->Items((Left + Right) / 2);
        int i = Left, j = Right;
        do {
            while (FUnSortRowXRef->Items(i) < v && i < Right) ++i;
            while (v < FUnSortRowXRef->Items(j) && Left < j) --j;
            if (j >= i) {
                const int a = FUnSortRowXRef->Items(i), b = FUnSortRowXRef->Items(j);
                if (i != j && a != b) {
                    SortSwapRows(i, j);
                    FUnSortRowXRef->SetInteger(i, b);
                    FUnSortRowXRef->SetInteger(j, a);
                }
                ++i;
                --j;
            }
        } while (j >= i);
        // The smaller part recursively, the larger one in this loop: the
        // depth stays logarithmic whatever the data.
        if (j - Left < Right - i) {
            if (Left < j) QuickUnSortRange(Left, j);
            Left = i;
        } else {
            if (i < Right) QuickUnSortRange(i, Right);
            Right = j;
        }
    }
}

void TAdvStringGrid::QSort()
{
    if (FSortSettings->Column() < 0) return;
    if (RowCount() != FSortRowXRef->Count()) InitSortXRef();
    FSortIndexes->Clear();
    const int current = Row();
    {
        TSortRestore restore(this, FSortSettings->NormalCellsOnly());
        FSortRow = current;
        {
            TSortFrame frame(this);
            QuickSortRange(FSortSettings->Column(), FixedRows(), RowCount() - FixedFooters() - 4);
        }
        if (!FMouseActions->DisjunctRowSelect()) SetRow(FNavigation->MoveRowOnSort() ? FSortRow : current);
    }
    if (OnRowChanged && !FNavigation->MoveRowOnSort()) OnRowChanged(this, current, Row());
}

void TAdvStringGrid::QSortIndexed()
{
    if (FSortIndexes->Count() == 0) throw EAdvGridError(QString::fromLatin1(kNoSortIndexes));
    if (RowCount() != FSortRowXRef->Count()) InitSortXRef();
    const int current = Row();
    TSortRestore restore(this, FSortSettings->NormalCellsOnly());
    FSortRow = current;
    {
        TSortFrame frame(this);
        QuickSortIndexedRange(FixedRows(), RowCount() - FixedFooters() - 4);
    }
    SetRow(FNavigation->MoveRowOnSort() ? FSortRow : current);
}

void TAdvStringGrid::SortNodeGroups(bool Indexed)
{
    if (RowCount() != FSortRowXRef->Count()) InitSortXRef();
    const int current = Row();
    TSortRestore restore(this, FSortSettings->NormalCellsOnly());
    FSortRow = current;
    {
        TSortFrame frame(this);
        // The normal rows of the grid as it was before the scratch rows.
        const int first = FixedRows();
        const int last = RowCount() - 3 - FixedFooters() - 1;
        // Only the deepest level's groups sort: their children are data
        // rows, and a collapsed node's rows are not shown, so the rows that
        // follow it belong to other groups.
        int deepest = -1;
        for (int r = first; r <= last; ++r)
            if (IsNode(r)) deepest = std::max(deepest, GetNodeLevel(r));
        for (int r = first; r <= last; ++r) {
            if (!IsNode(r) || GetNodeState(r) || GetNodeLevel(r) != deepest) continue;
            const int n = GetNodeSpan(r);
            if (n - 1 <= 1) continue;
            const int end = std::min(r + n - 1, last);
            if (Indexed)
                QuickSortIndexedRange(r + 1, end);
            else
                QuickSortRange(FSortSettings->Column(), r + 1, end);
        }
    }
    SetRow(FNavigation->MoveRowOnSort() ? FSortRow : current);
}

void TAdvStringGrid::QSortGroup()
{
    SortNodeGroups(false);
}

void TAdvStringGrid::QSortGroupIndexed()
{
    SortNodeGroups(true);
}

void TAdvStringGrid::QUnSort()
{
    if (FSortRowXRef->Count() != RowCount()) return;
    FUnSortRowXRef->Clear();
    for (int r = 0; r < FSortRowXRef->Count(); ++r) FUnSortRowXRef->Add(FSortRowXRef->Items(r));
    TSortRestore restore(this, FSortSettings->NormalCellsOnly());
    const int old = FSortColumns;
    FSortColumns = TotalColCount();
    try {
        if (RowCount() > 1) QuickUnSortRange(0, RowCount() - 1);
    } catch (...) {
        FSortColumns = old;
        throw;
    }
    FSortColumns = old;
}

void TAdvStringGrid::Sort(int Column, TSortDirection Direction)
{
    FSortSettings->SetColumn(Column);
    FSortSettings->SetDirection(Direction);
    QSort();
}

void TAdvStringGrid::SortByColumn(int Col)
{
    if (RowCount() <= 1) return;
    FSortSettings->SetColumn(Col);
    QSort();
}

void TAdvStringGrid::QuickSort(int Col, int Left, int Right)
{
    TSortFrame frame(this);
    QuickSortRange(Col, Left, Right);
}

void TAdvStringGrid::QuickSortIndexed(int Left, int Right)
{
    TSortFrame frame(this);
    QuickSortIndexedRange(Left, Right);
}

bool TAdvStringGrid::SortLine(int Col, int ARow1, int ARow2)
{
    const TSortDirection dir = FSortSettings->Direction();
    for (int c = Col; c < TotalColCount(); ++c) {
        const int r = CompareCells(c, ARow1, ARow2, dir);
        if (r == 0) continue;
        if (r == (dir == sdAscending ? 1 : -1)) {
            SortSwapRows(ARow1, ARow2);
            return true;
        }
        return false;
    }
    return false;
}

void TAdvStringGrid::SortOnHeaderClick(int RCol, TShiftState Shift)
{
    TSortSettings* ss = FSortSettings;
    HideInplaceEdit();
    if (RowCount() != FSortRowXRef->Count()) InitSortXRef();
    if (ss->AutoColumnMerge())
        for (int c = 0; c < ColCount(); ++c) SplitColumnCells(c);

    const bool keepLeft = FNavigation->KeepHorizScroll() && Options().Contains(goRowSelect);
    const int left = LeftCol();
    if (keepLeft) BeginUpdate();
    const uint32_t start = GetTickCount();
    if (ss->IndexShow()) {
        const bool key = ss->IndexSortKey() == ikShift ? Shift.Contains(ssShift) : Shift.Contains(ssCtrl);
        const bool ascending = ss->InitSortDirection() == sdAscending;
        const int at = FSortIndexes->FindIndex(RCol);
        if (key) {
            if (at < 0)
                FSortIndexes->AddIndex(RCol, ascending);
            else
                FSortIndexes->ToggleIndex(RCol);
        } else if (FSortIndexes->Count() == 1 && at == 0) {
            FSortIndexes->ToggleIndex(RCol);
        } else {
            FSortIndexes->Clear();
            FSortIndexes->AddIndex(RCol, ascending);
        }
        if (HasNodes())
            QSortGroupIndexed();
        else
            QSortIndexed();
        ss->SetColumn(FSortIndexes->Count() > 0 ? FSortIndexes->SortColumns(0) : -1);
    } else {
        bool undo = false;
        if (ss->Column() == RCol) {
            undo = ss->UndoSort() && ss->Direction() != ss->InitSortDirection();
            ss->ToggleDirection();
        } else {
            ss->SetDirection(ss->InitSortDirection());
            ss->SetColumn(RCol);
        }
        if (HasNodes()) {
            QSortGroup();
        } else if (undo) {
            QUnSort();
            ss->SetColumn(-1);
        } else {
            QSort();
        }
    }
    FSortTime = GetTickCount() - start;
    if (keepLeft) {
        EndUpdate();
        SetLeftCol(left);
    }
    if (ss->AutoColumnMerge())
        for (int i = 0; i < FMergedColumns->Count(); ++i) MergeColumnCells(FMergedColumns->Items(i), i == 0);
    CellControlsUpdate(false);
    ClickSort(ss->Column());
}
