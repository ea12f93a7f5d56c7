#include "asgcheck.h"
#include "ComponentRef.h"

#include <gtest/gtest.h>

TEST(AdvStringGridCheck, BaseChangesNothing)
{
    auto* check = Create<TAdvStringGridCheck>(nullptr);
    EXPECT_FALSE(check->GotoCell() || check->AutoCorrect() || check->AutoMarkError() || check->UseCorrect() ||
                 check->UseMarkError());
    check->SetUseCorrect(true);
    check->SetUseMarkError(true);
    check->StartCheck();
    for (const QString& s : {QString(), QString("teh cat"), QString("<e>x</e>")}) {
        EXPECT_EQ(check->Correct(1, 2, s), s);
        EXPECT_EQ(check->MarkError(1, 2, s), s);
    }
    check->StopCheck();
    EXPECT_TRUE(check->UseCorrect());
    Free(check);
}

TEST(AdvStringGridCheck, DestructionClearsAHoldersReference)
{
    // A holder component keeps the checker as the grid keeps its CellChecker.
    struct THolder : public TComponent {
        THolder() : TComponent(nullptr) {}
        TComponentRef<TAdvStringGridCheck> CellChecker;
    };
    auto* owner = new TComponent(nullptr);
    auto* check = Create<TAdvStringGridCheck>(owner);
    THolder grid;
    grid.CellChecker = check;
    EXPECT_EQ(grid.CellChecker.Get(), check);
    Free(owner);  // frees the checker it owns
    EXPECT_EQ(grid.CellChecker.Get(), nullptr);
}
