#include "GridsStore.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TObject* Obj(int n) { return reinterpret_cast<TObject*>(uintptr_t(0x1000 + 16 * n)); }

TEST(GridStore, ReadsAndWritesAnywhereAtOrAbove0)
{
    TGridCellStore s;
    struct Case { int c, r; QString text; };
    const Case cases[] = {{0, 0, "a"}, {4, 4, "b"}, {20, 3, "c"}, {2, 500, "d"}, {1000, 0, "e"}};
    for (const auto& k : cases) s.SetText(k.c, k.r, k.text);
    for (const auto& k : cases) EXPECT_EQ(s.Text(k.c, k.r), k.text) << k.c << "," << k.r;
    EXPECT_EQ(s.Text(3, 3), "");
    EXPECT_EQ(s.Text(-1, 0), "");
    EXPECT_EQ(s.Object(-1, -1), nullptr);
    s.SetObject(4, 4, Obj(1));
    EXPECT_EQ(s.Object(4, 4), Obj(1));
    EXPECT_EQ(s.Text(4, 4), "b");
    try {
        s.SetText(-1, 2, "x");
        FAIL() << "no exception";
    } catch (const EInvalidGridOperation& e) {
        EXPECT_EQ(e.Message(), "Grid index out of range");
    }
    EXPECT_THROW(s.SetObject(0, -3, Obj(2)), EInvalidGridOperation);
}

TEST(GridStore, EmptyReadsAndWritesAllocateNothing)
{
    TGridCellStore s;
    for (int r = 0; r < 1000; ++r) {
        (void)s.Text(r, r);
        (void)s.Object(r, 2 * r);
        s.SetText(3, r, QString());
        s.SetObject(r, 5, nullptr);
    }
    EXPECT_EQ(s.Stats().AllocatedRows, 0);
    EXPECT_EQ(s.Stats().AllocatedCells, 0);
    s.SetText(9, 7, "x");
    EXPECT_EQ(s.Stats().AllocatedRows, 1);
    EXPECT_EQ(s.Stats().AllocatedCells, 10);
}

TEST(GridStore, InsertDeleteAndMoveRowsShiftTextsAndObjects)
{
    TGridCellStore s;
    for (int r = 0; r < 6; ++r) {
        s.SetText(1, r, QString("r%1").arg(r));
        s.SetObject(2, r, Obj(r));
    }
    s.InsertRows(2, 3);
    EXPECT_EQ(s.Text(1, 1), "r1");
    EXPECT_EQ(s.Text(1, 2), "");
    EXPECT_EQ(s.Object(2, 4), nullptr);
    EXPECT_EQ(s.Text(1, 5), "r2");
    EXPECT_EQ(s.Object(2, 8), Obj(5));

    auto removed = s.DeleteRows(4, 3);  // one empty inserted row, r2, r3
    ASSERT_EQ(removed.size(), 3u);
    EXPECT_TRUE(removed[0].empty());
    EXPECT_EQ(removed[1][1].Text, "r2");
    EXPECT_EQ(removed[2][2].Object, Obj(3));
    EXPECT_EQ(s.Text(1, 5), "r5");

    // Rows 0 1 _ _ r4 r5 -> MoveRow(1, 5): 0 _ _ r4 r5 1
    s.MoveRow(1, 5);
    EXPECT_EQ(s.Text(1, 5), "r1");
    EXPECT_EQ(s.Object(2, 5), Obj(1));
    EXPECT_EQ(s.Text(1, 3), "r4");
    EXPECT_EQ(s.Text(1, 4), "r5");
    s.MoveRow(5, 1);
    EXPECT_EQ(s.Text(1, 1), "r1");
    EXPECT_EQ(s.Text(1, 5), "r5");
}

TEST(GridStore, ColumnsShiftAndRotateInEveryRow)
{
    TGridCellStore s;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) s.SetText(c, r, QString("%1%2").arg(c).arg(r));
    s.SetText(9, 100, "far");
    s.MoveCol(1, 3);
    EXPECT_EQ(s.Text(1, 0), "20");
    EXPECT_EQ(s.Text(3, 2), "12");
    EXPECT_EQ(s.Text(9, 100), "far");
    s.MoveCol(3, 1);
    EXPECT_EQ(s.Text(1, 1), "11");
    s.InsertCols(1, 2);
    EXPECT_EQ(s.Text(3, 0), "10");
    EXPECT_EQ(s.Text(11, 100), "far");
    auto gone = s.DeleteCols(0, 1);
    ASSERT_EQ(gone.size(), 1u);
    EXPECT_EQ(gone[0][2].Text, "02");
    EXPECT_EQ(s.Text(2, 2), "12");
}

TEST(GridAxis, PositionsMatchPlainSumsAfterRandomChanges)
{
    std::mt19937 rng(7);
    TGridAxis a;
    a.SetCount(300, 24);
    a.SetLineWidth(1);
    std::vector<int> sizes(300, 24);
    for (int step = 0; step < 2000; ++step) {
        const int i = int(rng() % sizes.size());
        const int v = int(rng() % 5 == 0 ? 0 : rng() % 40);
        a.SetSize(i, v);
        sizes[size_t(i)] = v;
        if (step % 400 == 0) {  // grow and shrink on the way
            a.SetCount(int(sizes.size()) + 17, 9);
            sizes.resize(sizes.size() + 17, 9);
            a.SetCount(int(sizes.size()) - 5, 9);
            sizes.resize(sizes.size() - 5);
        }
    }
    long long sum = 0;
    for (int i = 0; i < int(sizes.size()); ++i) {
        ASSERT_EQ(a.Prefix(i), sum) << i;
        const int ext = sizes[size_t(i)] > 0 ? sizes[size_t(i)] + 1 : 0;
        if (ext > 0) {
            EXPECT_EQ(a.IndexAt(sum), i);
            EXPECT_EQ(a.IndexAt(sum + ext - 1), i);
        }
        sum += ext;
    }
    EXPECT_EQ(a.Prefix(a.Count()), sum);
    EXPECT_EQ(a.IndexAt(sum), a.Count());
    EXPECT_EQ(a.IndexAt(-1), -1);
}

TEST(GridAxis, BlockInsertsEraseAndExchangesKeepThePositions)
{
    std::mt19937 rng(11);
    TGridAxis a;
    a.SetLineWidth(1);
    a.SetCount(100, 20);
    std::vector<int> sizes(100, 20);
    for (int step = 0; step < 600; ++step) {
        const int at = int(rng() % (sizes.size() + 1));
        const int n = 1 + int(rng() % 4);
        switch (rng() % 4) {
        case 0:
            a.Insert(at, n, int(rng() % 30));
            sizes.insert(sizes.begin() + at, size_t(n), a.Size(at));
            break;
        case 1:
            if (at < int(sizes.size())) {
                a.Erase(at, n);
                sizes.erase(sizes.begin() + at, sizes.begin() + std::min<int>(int(sizes.size()), at + n));
            }
            break;
        case 2: {
            const int b = int(rng() % sizes.size());
            if (at < int(sizes.size())) {
                a.Exchange(at, b);
                std::swap(sizes[size_t(at)], sizes[size_t(b)]);
            }
            break;
        }
        default: {
            const int i = int(rng() % sizes.size());
            a.SetSize(i, int(rng() % 40));
            sizes[size_t(i)] = a.Size(i);
        }
        }
        ASSERT_EQ(a.Count(), int(sizes.size()));
        long long sum = 0;
        for (int i = 0; i <= int(sizes.size()); ++i) {
            ASSERT_EQ(a.Prefix(i), sum) << "step " << step << " index " << i;
            if (i < int(sizes.size())) sum += sizes[size_t(i)] > 0 ? sizes[size_t(i)] + 1 : 0;
        }
    }
}

TEST(GridAxis, NegativeSizesAreZeroAndMovesRotate)
{
    TGridAxis a;
    a.SetCount(4, 0);
    const int w[] = {10, 20, 30, 40};
    for (int i = 0; i < 4; ++i) a.SetSize(i, w[i]);
    a.Move(1, 3);
    EXPECT_EQ(a.Size(1), 30);
    EXPECT_EQ(a.Size(3), 20);
    EXPECT_EQ(a.Prefix(3), 80);
    a.SetSize(0, -5);
    EXPECT_EQ(a.Size(0), 0);
    EXPECT_EQ(a.Prefix(1), 0);
}

} // namespace

TEST(GridStore, PermutedRowsTakeTheirCellsAndSizesInOnePass)
{
    // Rows 2..5 take rows 5, 2, 4, 3; row 3 was never written, rows around
    // the range stay; the axis moves the sizes the same way.
    TGridCellStore s;
    TGridAxis a;
    a.SetLineWidth(1);
    a.SetCount(8, 20);
    for (int r : {0, 2, 4, 5, 6}) {
        s.SetText(1, r, QString::number(r));
        s.SetObject(0, r, Obj(r));
        a.SetSize(r, 10 + r);
    }
    const std::vector<int> from = {5, 2, 4, 3};
    s.PermuteRows(2, from);
    a.Permute(2, from);
    const int want[] = {0, -1, 5, 2, 4, 3, 6, -1};  // first row now at each index, -1: never written
    long long sum = 0;
    for (int r = 0; r < 8; ++r) {
        const int w = want[r];
        const bool written = w >= 0 && w != 3;
        EXPECT_EQ(s.Text(1, r), written ? QString::number(w) : QString()) << r;
        EXPECT_EQ(s.Object(0, r), written ? Obj(w) : nullptr) << r;
        const int size = written ? 10 + w : 20;
        EXPECT_EQ(a.Size(r), size) << r;
        EXPECT_EQ(a.Prefix(r), sum) << r;
        sum += size + 1;
    }
    // Beyond the stored rows: room is made, nothing is lost.
    s.PermuteRows(20, {21, 20});
    EXPECT_EQ(s.Text(1, 6), QStringLiteral("6"));
}
