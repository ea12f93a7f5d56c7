// The column grid fills the in-place editors from the column's item when it
// answers a cell's editor: the drop-down list's items and the spin bounds.

#include "AdvCGrid.h"
#include "AdvGridEditors.h"

#include <gtest/gtest.h>

TEST(AdvCGridEditorItems, TheCellEditorTakesTheItemsChoicesAndSpinBounds)
{
    TAdvColumnGrid* g = Create<TAdvColumnGrid>(nullptr);
    g->SetColCount(3);
    g->SetRowCount(3);
    TGridColumnItem* combo = g->Columns()->Items(1);
    combo->SetEditor(edComboList);
    for (const char* s : {"alpha", "beta", "gamma"})
        combo->ComboItems()->Add(QLatin1String(s));
    TGridColumnItem* spin = g->Columns()->Items(2);
    spin->SetEditor(edSpinEdit);
    spin->SetSpinMin(5);
    spin->SetSpinMax(9);

    TEditorType t = edNormal;
    g->GetCellEditor(1, 1, t);
    EXPECT_EQ(t, edComboList);
    ASSERT_EQ(g->Combobox()->Items()->Count(), 3);
    EXPECT_EQ(g->Combobox()->Items()->Strings(1), QStringLiteral("beta"));

    t = edNormal;
    g->GetCellEditor(2, 1, t);
    EXPECT_EQ(t, edSpinEdit);
    EXPECT_EQ(g->SpinEdit()->MinValue(), 5);
    EXPECT_EQ(g->SpinEdit()->MaxValue(), 9);
    Free(g);
}
