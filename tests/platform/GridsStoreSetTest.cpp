// Scattered row sets taken out of the cell store and the row axis in one
// pass, and put back at their old indexes: the result must equal removing
// and inserting them one at a time, and the round trip must restore all.

#include "GridsStore.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

TObject* SetObj(int n) { return reinterpret_cast<TObject*>(uintptr_t(0x2000 + 16 * n)); }

// Row r of the store as "text|object" per column up to `cols`.
QString SetStoreRow(const TGridCellStore& s, int r, int cols)
{
    QString out;
    for (int c = 0; c < cols; ++c)
        out += s.Text(c, r) + QLatin1Char('|') + QString::number(quintptr(s.Object(c, r)), 16) + QLatin1Char(' ');
    return out;
}

struct SetCase {
    const char* Name;
    int Rows;        // rows the caller counts
    int StoredRows;  // rows written (fewer: the tail is unwritten; more: cells beyond the count)
    unsigned Seed;
    int Percent;
};

const SetCase kSetCases[] = {
    {"a third, every row written", 200, 200, 1, 33},
    {"most rows", 200, 200, 2, 90},
    {"unwritten tail", 200, 120, 3, 40},
    {"written gaps and cells beyond the count", 150, 170, 4, 50},
    {"one row", 10, 10, 5, 0},
};

std::vector<int> SetPick(const SetCase& tc)
{
    std::mt19937 rnd(tc.Seed);
    std::vector<int> rows;
    for (int r = 0; r < tc.Rows; ++r)
        if (int(rnd() % 100) < tc.Percent) rows.push_back(r);
    if (rows.empty()) rows.push_back(tc.Rows / 2);
    return rows;
}

void SetFill(TGridCellStore& s, const SetCase& tc)
{
    for (int r = 0; r < tc.StoredRows; ++r) {
        if (r % 7 == 3) continue;  // never written
        s.SetText(r % 3, r, QStringLiteral("t%1").arg(r));
        if (r % 4 == 0) s.SetObject(3, r, SetObj(r));
    }
}

}  // namespace

TEST(GridStoreSets, DeleteRowSetEqualsSingleDeletesAndInsertRowSetRestores)
{
    for (const SetCase& tc : kSetCases) {
        SCOPED_TRACE(tc.Name);
        const std::vector<int> rows = SetPick(tc);
        TGridCellStore batch, single, original;
        SetFill(batch, tc);
        SetFill(single, tc);
        SetFill(original, tc);
        const int span = std::max(tc.Rows, tc.StoredRows) + 2;

        std::vector<TGridStoreLine> lines = batch.DeleteRowSet(rows);
        ASSERT_EQ(lines.size(), rows.size());
        for (size_t k = rows.size(); k-- > 0;) {
            std::vector<TGridStoreLine> one = single.DeleteRows(rows[k], 1);
            ASSERT_EQ(one.size(), 1u);
            ASSERT_EQ(one[0].size(), lines[k].size()) << rows[k];
            for (size_t c = 0; c < one[0].size(); ++c) {
                EXPECT_EQ(one[0][c].Text, lines[k][c].Text);
                EXPECT_EQ(one[0][c].Object, lines[k][c].Object);
            }
        }
        for (int r = 0; r < span; ++r) ASSERT_EQ(SetStoreRow(batch, r, 4), SetStoreRow(single, r, 4)) << r;

        batch.InsertRowSet(rows, std::move(lines));
        for (int r = 0; r < span; ++r) ASSERT_EQ(SetStoreRow(batch, r, 4), SetStoreRow(original, r, 4)) << r;
    }
}

TEST(GridAxisSets, EraseSetEqualsSingleErasesAndInsertSetRestores)
{
    for (const SetCase& tc : kSetCases) {
        SCOPED_TRACE(tc.Name);
        const std::vector<int> rows = SetPick(tc);
        TGridAxis batch, single;
        for (TGridAxis* a : {&batch, &single}) {
            a->SetLineWidth(1);
            a->SetCount(tc.Rows, 20);
            for (int i = 0; i < tc.Rows; i += 3) a->SetSize(i, i % 5 == 0 ? 0 : 10 + i % 17);
        }
        std::vector<int> sizes, original;
        for (int i = 0; i < tc.Rows; ++i) original.push_back(batch.Size(i));
        for (int r : rows) sizes.push_back(batch.Size(r));

        batch.EraseSet(rows);
        for (size_t k = rows.size(); k-- > 0;) single.Erase(rows[k], 1);
        ASSERT_EQ(batch.Count(), single.Count());
        for (int i = 0; i <= batch.Count(); ++i) ASSERT_EQ(batch.Prefix(i), single.Prefix(i)) << i;

        batch.InsertSet(rows, sizes);
        ASSERT_EQ(batch.Count(), tc.Rows);
        long long sum = 0;
        for (int i = 0; i < tc.Rows; ++i) {
            EXPECT_EQ(batch.Size(i), original[size_t(i)]) << i;
            ASSERT_EQ(batch.Prefix(i), sum) << i;
            sum += original[size_t(i)] > 0 ? original[size_t(i)] + 1 : 0;
        }
        EXPECT_EQ(batch.Prefix(tc.Rows), sum);
    }
}
