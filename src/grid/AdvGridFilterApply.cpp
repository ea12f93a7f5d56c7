// Filtering rows: the row test against the grid's conditions, the filtering
// pass that moves failing rows into the hidden-row store as one level, the
// on/off switch and the incremental narrow-down used while typing.

#include "AdvGrid.h"
#include "AdvGridFilter.h"
#include "AdvGridSortCompare.h"  // UpperAscii
#include "AdvUtil.h"

#include <cmath>
#include <memory>
#include <vector>

namespace {

// Brackets an update of the grid so that EndUpdate runs also when a
// handler raises.
class FilterUpdateBracket {
public:
    explicit FilterUpdateBracket(TAdvStringGrid* g) : FGrid(g) { FGrid->BeginUpdate(); }
    ~FilterUpdateBracket() { FGrid->EndUpdate(); }
    FilterUpdateBracket(const FilterUpdateBracket&) = delete;
    FilterUpdateBracket& operator=(const FilterUpdateBracket&) = delete;

private:
    TAdvStringGrid* FGrid;
};

// The text a condition of kind fcVirtual .. fcCalculated tests, without
// prefix and suffix.
QString FilterStripAffixes(QString t, const QString& Prefix, const QString& Suffix)
{
    if (!Prefix.isEmpty() && t.startsWith(Prefix)) t.remove(0, Prefix.size());
    if (!Suffix.isEmpty()) {
        const qsizetype p = t.indexOf(Suffix);
        if (p >= 0 && p + Suffix.size() == t.size()) t.truncate(p);
    }
    return t;
}

bool FilterJoin(TFilterOperation Op, bool R, bool M)
{
    switch (Op) {
    case foSHORT:
    case foNONE: return M;
    case foAND: return R && M;
    case foXOR: return R != M;
    case foOR: return R || M;
    }
    return M;
}

}  // namespace

// One prepared matcher per condition of Filter (null where the condition is
// not matched as an expression), valid for one ApplyFilter pass.
struct TAdvStringGrid::TFilterPassMatchers {
    struct Item {
        QString Condition;  // what the matcher was built from
        bool CaseSensitive = false;
        std::unique_ptr<TFilterMatcher> Matcher;
    };
    std::vector<Item> Items;

    // The prepared form of d at index i, or null when d changed since.
    const TFilterMatcher* At(int i, const TFilterData* d) const
    {
        if (size_t(i) >= Items.size()) return nullptr;
        const Item& it = Items[size_t(i)];
        return it.Matcher && it.CaseSensitive == d->CaseSensitive() && it.Condition == d->Condition()
                   ? it.Matcher.get()
                   : nullptr;
    }
};

namespace {

// Sets the grid's prepared conditions for the lifetime of a pass and drops
// them also when a handler raises.
class FilterPassScope {
public:
    FilterPassScope(TAdvStringGrid::TFilterPassMatchers*& Slot, TFilter* Filter) : FSlot(Slot)
    {
        for (int i = 0; Filter && i < Filter->Count(); ++i) {
            const TFilterData* d = Filter->Items(i);
            const bool expression = d->Data() != fcRow && !d->Condition().isEmpty() && d->Method() != fmLiteral;
            TAdvStringGrid::TFilterPassMatchers::Item it;
            if (expression) {
                it.Condition = d->Condition();
                it.CaseSensitive = d->CaseSensitive();
                it.Matcher = std::make_unique<TFilterMatcher>(it.Condition, it.CaseSensitive);
            }
            FPass.Items.push_back(std::move(it));
        }
        FSaved = FSlot;
        FSlot = &FPass;
    }
    ~FilterPassScope() { FSlot = FSaved; }
    FilterPassScope(const FilterPassScope&) = delete;
    FilterPassScope& operator=(const FilterPassScope&) = delete;

private:
    TAdvStringGrid::TFilterPassMatchers*& FSlot;
    TAdvStringGrid::TFilterPassMatchers* FSaved = nullptr;
    TAdvStringGrid::TFilterPassMatchers FPass;
};

}  // namespace

bool TAdvStringGrid::RowPassesFilter(int ARow)
{
    bool R = true;
    TFilter* filter = FFilter;
    for (int i = 0; filter && i < filter->Count(); ++i) {
        const TFilterData* d = filter->Items(i);
        QString t;
        switch (d->Data()) {
        case fcVirtual: t = Cells(d->Column(), ARow); break;
        case fcNormal: t = GridCells(d->Column(), ARow); break;
        case fcStripHTML: t = StrippedCells(d->Column(), ARow); break;
        case fcCalculated: t = GetCalculatedCellText(d->Column(), ARow, Cells(d->Column(), ARow)); break;
        case fcRow:
            for (int c = 0; c < ColCount(); ++c) t += GridCells(RealColIndex(c), ARow) + QLatin1Char('\n');
            break;
        }
        t = t.trimmed();
        if (t.contains(QStringLiteral("|\\"))) t = DecodeWideText(t);
        bool M = false;
        if (d->Data() == fcRow) {
            M = UpperAscii(t).contains(UpperAscii(d->Condition()));
        } else {
            t = FilterStripAffixes(t, d->Prefix(), d->Suffix());
            if (d->Condition().isEmpty()) M = true;
            else if (d->Method() == fmLiteral) M = d->Condition() == t;
            else {
                // A condition that cannot be evaluated is no match.
                try {
                    const TFilterMatcher* prepared = FFilterPass ? FFilterPass->At(i, d) : nullptr;
                    M = prepared ? prepared->Match(t) : MatchFilter(d->Condition(), t, d->CaseSensitive());
                } catch (const std::exception&) {
                    M = false;
                }
            }
        }
        R = FilterJoin(d->Operation(), R, M);
        if (d->Operation() == foSHORT && !M) break;
    }
    if (OnCustomFilter) OnCustomFilter(this, ARow, R);
    return R;
}

void TAdvStringGrid::ApplyFilter()
{
    FFixedRowsBeforeFilter = FixedRows();
    const int first = FixedRows();
    const int last = RowCount() - FixedFooters() - 1;
    const int n = last - first + 1;
    TIntList failing(0, 0);
    int tested = 0;
    int percent = 0;
    const FilterPassScope pass(FFilterPass, FFilter);
    for (int r = first; r <= last; ++r) {
        if (FilterNormalCellsOnly() && (IsNode(r) || IsSummary(r))) continue;
        ++tested;
        if (!RowPassesFilter(r)) failing.Add(r);
        if (OnFilterProgress && n > 0) {
            percent = int(std::lround(double(tested) / n * 100.0));
            OnFilterProgress(this, percent);
        }
    }
    HideRowList(&failing);
    if (OnFilterProgress && n > 0) OnFilterProgress(this, percent);
}

void TAdvStringGrid::FilterRow(int ARow)
{
    if (!RowPassesFilter(ARow)) HideRow(RealRowIndex(ARow));
}

void TAdvStringGrid::SetFilterActive(bool Value)
{
    if (Value != FFilterActive) {
        FFilterActive = Value;
        if (Value) {
            if (Row() >= RowCount() || Col() >= ColCount()) FocusCell(FixedCols(), FixedRows());
            {
                FilterUpdateBracket bracket(this);
                ApplyFilter();
            }
            FSelHidden = false;
        } else {
            UnHideRowList();
            if (FFixedRowsBeforeFilter >= 0) SetFixedRows(FFixedRowsBeforeFilter);
            if (FSelHidden) UnHideSelection();
        }
        if (FixedRows() < RowCount()) SetTopRow(FixedRows());
    }
    CalcFooter(-1);
}

bool TAdvStringGrid::RemoveLastFilter()
{
    if (FilterLevel() <= 0) return false;
    UnHideRowList();
    if (FFixedRowsBeforeFilter >= 0) SetFixedRows(FFixedRowsBeforeFilter);
    if (FSelHidden) UnHideSelection();
    CalcFooter(-1);
    SetFilterLevel(FilterLevel() - 1);
    return FilterLevel() > 1;
}

void TAdvStringGrid::RemoveAllFilters()
{
    if (FilterLevel() == 0) {
        if (FFilter) FFilter->Clear();
        return;
    }
    while (FilterLevel() > 0) RemoveLastFilter();
}

void TAdvStringGrid::NarrowDownAddCondition(const QString& ACondition, int AColumn)
{
    FFilter->Clear();
    TFilterData* d = FFilter->Add();
    d->SetCaseSensitive(false);
    d->SetColumn(AColumn);
    if (AColumn == -1) {
        d->SetData(fcRow);
        d->SetCondition(ACondition);
    } else {
        d->SetData(fcNormal);
        QString cond = QLatin1Char('*') + ACondition + QLatin1Char('*');
        if (cond.contains(QLatin1Char(' '))) cond = QLatin1Char('"') + cond + QLatin1Char('"');
        d->SetCondition(cond);
    }
    ApplyFilter();
}

void TAdvStringGrid::NarrowDown(const QString& ACondition, int AColumn)
{
    const QString& P = FNarrowDownText;
    SetFixedRowAlways(true);
    if (!P.isEmpty() && ACondition.size() == P.size() + 1 && ACondition.startsWith(P)) {
        NarrowDownAddCondition(ACondition, AColumn);
    } else if (!ACondition.isEmpty() && P.size() == ACondition.size() + 1 && P.startsWith(ACondition)) {
        RemoveLastFilter();
    } else {
        RemoveAllFilters();
        if (!ACondition.isEmpty()) NarrowDownAddCondition(ACondition, AColumn);
    }
    FNarrowDownText = ACondition;
    // An empty text leaves no filter level behind; rows hidden directly
    // (HideRow, contracted nodes) stay hidden with their data.
    if (ACondition.isEmpty())
        while (FilterLevel() > 0) RemoveLastFilter();
}
