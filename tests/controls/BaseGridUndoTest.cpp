// Undo and redo of cell texts against a plain grid base.

#include "BaseGridTestKit.h"

#include <gtest/gtest.h>

namespace {

struct UndoFixture {
    UndoFixture()
    {
        Grid = Create<TTestGrid>(nullptr);
        UR = Create<TAdvGridUndoRedo>(nullptr);
        Grid->SetUndoRedo(UR);
    }
    ~UndoFixture()
    {
        Free(UR);
        Free(Grid);
    }
    // The editing path: write the new text, register the change.
    void Change(int c, int r, const QString& oldV, const QString& newV)
    {
        Grid->SetCells(c, r, newV);
        UR->RegisterChange(c, r, oldV, newV);
    }
    // "c,r=text" for each listed cell.
    QString Texts(std::initializer_list<std::pair<int, int>> cells)
    {
        QStringList out;
        for (auto [c, r] : cells) out << QStringLiteral("%1,%2=%3").arg(c).arg(r).arg(Grid->Cells(c, r));
        return out.join(QLatin1Char(' '));
    }
    TTestGrid* Grid;
    TAdvGridUndoRedo* UR;
};

// One step of a scenario: an operation, then what the cells and the level
// show. Operations: "c r old new" registers (and writes), "S"/"E" start and
// stop a sequence, "U" undo, "R" redo, "X" reset, "M n" sets MaxLevel.
struct Step {
    const char* Op;
    const char* Cells;  // expected "1,1=A 2,1=C 3,1=x"
    int Level;
    int Count;
};

void RunScenario(const char* name, std::initializer_list<Step> steps)
{
    UndoFixture f;
    int n = 0;
    for (const Step& s : steps) {
        const QStringList op = QString::fromLatin1(s.Op).split(QLatin1Char(' '));
        if (op[0] == QLatin1String("S")) f.UR->StartSequence();
        else if (op[0] == QLatin1String("E")) f.UR->StopSequence();
        else if (op[0] == QLatin1String("U")) f.UR->Undo();
        else if (op[0] == QLatin1String("R")) f.UR->Redo();
        else if (op[0] == QLatin1String("X")) f.UR->Reset();
        else if (op[0] == QLatin1String("M")) f.UR->SetMaxLevel(op[1].toInt());
        else f.Change(op[0].toInt(), op[1].toInt(), op[2], op[3]);
        const QString where = QStringLiteral("%1, step %2 (%3)").arg(QLatin1String(name)).arg(n++).arg(QLatin1String(s.Op));
        EXPECT_EQ(f.Texts({{1, 1}, {2, 1}, {3, 1}}), QString::fromLatin1(s.Cells)) << where.toStdString();
        EXPECT_EQ(f.UR->Level(), s.Level) << where.toStdString();
        EXPECT_EQ(f.UR->Items()->Count(), s.Count) << where.toStdString();
        EXPECT_EQ(f.UR->CanUndo(), s.Level > 0) << where.toStdString();
        EXPECT_EQ(f.UR->CanRedo(), s.Level < s.Count) << where.toStdString();
    }
}

} // namespace

TEST(BaseGridUndo, Scenarios)
{
    RunScenario("two singles", {
        {"1 1 A B", "1,1=B 2,1= 3,1=", 1, 1},
        {"2 1 C D", "1,1=B 2,1=D 3,1=", 2, 2},
        {"U", "1,1=B 2,1=C 3,1=", 1, 2},
        {"U", "1,1=A 2,1=C 3,1=", 0, 2},
        {"U", "1,1=A 2,1=C 3,1=", 0, 2},
        {"R", "1,1=B 2,1=C 3,1=", 1, 2},
    });
    RunScenario("sequence of three", {
        {"S", "1,1= 2,1= 3,1=", 1, 1},
        {"1 1 a A", "1,1=A 2,1= 3,1=", 2, 2},
        {"2 1 b B", "1,1=A 2,1=B 3,1=", 3, 3},
        {"3 1 c C", "1,1=A 2,1=B 3,1=C", 4, 4},
        {"E", "1,1=A 2,1=B 3,1=C", 5, 5},
        {"U", "1,1=a 2,1=b 3,1=c", 0, 5},
        {"R", "1,1=A 2,1=B 3,1=C", 5, 5},
        {"R", "1,1=A 2,1=B 3,1=C", 5, 5},
    });
    RunScenario("empty sequence", {
        {"1 1 x y", "1,1=y 2,1= 3,1=", 1, 1},
        {"S", "1,1=y 2,1= 3,1=", 2, 2},
        {"E", "1,1=y 2,1= 3,1=", 3, 3},
        {"U", "1,1=y 2,1= 3,1=", 1, 3},
        {"R", "1,1=y 2,1= 3,1=", 3, 3},
    });
    RunScenario("MaxLevel 2", {
        {"M 2", "1,1= 2,1= 3,1=", 0, 0},
        {"1 1 a A", "1,1=A 2,1= 3,1=", 1, 1},
        {"2 1 b B", "1,1=A 2,1=B 3,1=", 2, 2},
        {"3 1 c C", "1,1=A 2,1=B 3,1=C", 2, 2},
        {"U", "1,1=A 2,1=B 3,1=c", 1, 2},
        {"U", "1,1=A 2,1=b 3,1=c", 0, 2},
        {"U", "1,1=A 2,1=b 3,1=c", 0, 2},
    });
    RunScenario("registration after an undo appends", {
        {"1 1 a A", "1,1=A 2,1= 3,1=", 1, 1},
        {"2 1 b B", "1,1=A 2,1=B 3,1=", 2, 2},
        {"U", "1,1=A 2,1=b 3,1=", 1, 2},
        {"3 1 c C", "1,1=A 2,1=b 3,1=C", 3, 3},
        {"U", "1,1=A 2,1=b 3,1=c", 2, 3},
        {"U", "1,1=A 2,1=b 3,1=c", 1, 3},
        {"U", "1,1=a 2,1=b 3,1=c", 0, 3},
    });
    RunScenario("reset", {
        {"1 1 a A", "1,1=A 2,1= 3,1=", 1, 1},
        {"U", "1,1=a 2,1= 3,1=", 0, 1},
        {"X", "1,1=a 2,1= 3,1=", 0, 0},
        {"R", "1,1=a 2,1= 3,1=", 0, 0},
    });
    // Guards: markers never write and the level stays within 0..count.
    RunScenario("open sequence", {
        {"S", "1,1= 2,1= 3,1=", 1, 1},
        {"1 1 a A", "1,1=A 2,1= 3,1=", 2, 2},
        {"2 1 b B", "1,1=A 2,1=B 3,1=", 3, 3},
        {"U", "1,1=A 2,1=b 3,1=", 2, 3},
        {"U", "1,1=a 2,1=b 3,1=", 1, 3},
        {"U", "1,1=a 2,1=b 3,1=", 0, 3},
        {"U", "1,1=a 2,1=b 3,1=", 0, 3},
        {"R", "1,1=A 2,1=B 3,1=", 3, 3},
    });
    RunScenario("start marker trimmed", {
        {"M 2", "1,1= 2,1= 3,1=", 0, 0},
        {"S", "1,1= 2,1= 3,1=", 1, 1},
        {"1 1 a A", "1,1=A 2,1= 3,1=", 2, 2},
        {"2 1 b B", "1,1=A 2,1=B 3,1=", 2, 2},
        {"E", "1,1=A 2,1=B 3,1=", 3, 3},
        {"U", "1,1=a 2,1=b 3,1=", 0, 3},
        {"R", "1,1=A 2,1=b 3,1=", 1, 3},
        {"R", "1,1=A 2,1=B 3,1=", 2, 3},
        {"R", "1,1=A 2,1=B 3,1=", 3, 3},
    });
}

TEST(BaseGridUndo, EventsSeeTheCellBeforeItChangesAndRegisterNothing)
{
    UndoFixture f;
    f.UR->StartSequence();
    f.Change(1, 1, QStringLiteral("a"), QStringLiteral("A"));
    f.Change(2, 1, QStringLiteral("b"), QStringLiteral("B"));
    f.UR->StopSequence();
    QStringList log;
    auto record = [&](const char* kind) {
        return [&, kind](TObject* sender, TBaseGrid* grid, int c, int r, const QString& orig, const QString& next) {
            EXPECT_EQ(sender, f.UR);
            EXPECT_EQ(grid, f.Grid);
            EXPECT_EQ(grid->Cells(c, r), orig);  // not written yet
            log << QStringLiteral("%1 %2,%3 %4->%5").arg(QLatin1String(kind)).arg(c).arg(r).arg(orig, next);
            f.UR->RegisterChange(c, r, orig, next);  // ignored
            f.UR->StartSequence();
        };
    };
    f.UR->OnUndo = record("undo");
    f.UR->OnRedo = record("redo");
    f.UR->Undo();
    f.UR->Redo();
    EXPECT_EQ(log, QStringList({"undo 2,1 B->b", "undo 1,1 A->a", "redo 1,1 a->A", "redo 2,1 b->B"}));
    EXPECT_EQ(f.UR->Items()->Count(), 4);
    EXPECT_EQ(f.UR->Level(), 4);
}

TEST(BaseGridUndo, UndoWritesTheBaseOfACoveredCellAndMovesTheCurrentCell)
{
    UndoFixture f;
    f.Grid->MergeCells(1, 1, 2, 2);
    f.Change(2, 2, QStringLiteral("old"), QStringLiteral("new"));
    EXPECT_EQ(f.Grid->GridCells(1, 1), QStringLiteral("new"));
    f.Change(4, 3, QString(), QStringLiteral("x"));
    f.UR->Undo();
    EXPECT_EQ(f.Grid->Col(), 4);
    EXPECT_EQ(f.Grid->Row(), 3);
    f.UR->Undo();
    EXPECT_EQ(f.Grid->GridCells(1, 1), QStringLiteral("old"));
    EXPECT_EQ(f.Grid->GridCells(2, 2), QString());
    EXPECT_EQ(f.Grid->Col(), 2);
    EXPECT_EQ(f.Grid->Row(), 2);
}

TEST(BaseGridUndo, GridAndComponentForgetEachOther)
{
    auto* grid = Create<TTestGrid>(nullptr);
    auto* ur = Create<TAdvGridUndoRedo>(nullptr);
    grid->SetUndoRedo(ur);
    EXPECT_EQ(ur->Grid(), grid);
    Free(grid);
    EXPECT_EQ(ur->Grid(), nullptr);
    ur->RegisterChange(1, 1, QStringLiteral("a"), QStringLiteral("b"));
    ur->Undo();  // no grid: nothing happens
    EXPECT_EQ(ur->Level(), 1);

    grid = Create<TTestGrid>(nullptr);
    grid->SetUndoRedo(ur);
    Free(ur);
    EXPECT_EQ(grid->UndoRedo(), nullptr);
    Free(grid);
}
