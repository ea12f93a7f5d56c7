// Check boxes and radio buttons in string-grid cells: adding with the data
// rules and bounds, states with and without events, hidden rows, the toggle
// with undo and group checking, the hit test, and radio exclusivity.

#include "AdvGridLook.h"
#include "AdvGridTestKit.h"
#include "BaseGridUndo.h"

#include <gtest/gtest.h>

namespace {

struct TCheckEvents {
    std::vector<std::tuple<int, int, bool>> Changes;
    void Bind(TAdvStringGrid* g)
    {
        g->OnCheckBoxChange = [this](TObject*, int c, int r, bool s) { Changes.emplace_back(c, r, s); };
    }
};

// A grid whose rows 1 (node over rows 2 and 3) and 5 (node over 6) form
// groups, for the group-checking rules.
class TNodeGrid : public TTestAdvGrid {
public:
    using TTestAdvGrid::TTestAdvGrid;
    bool IsNode(int ARow) override { return ARow == 1 || ARow == 5; }
    int GetNodeSpan(int ARow) override { return ARow == 1 ? 3 : ARow == 5 ? 2 : 0; }
    bool GetNodeState(int) override { return true; }
    int GetParentRow(int ARow) override { return ARow == 2 || ARow == 3 ? 1 : ARow == 6 ? 5 : -1; }
};

} // namespace

TEST(AdvGridCheckBox, DataBoxAddKeepsACheckTextAndComparesExactly)
{
    auto g = NewFixtureGrid();
    struct TCase {
        QString Before;
        bool State;
        QString After;
        bool Checked;
    };
    const TCase cases[] = {
        {QStringLiteral("N"), true, QStringLiteral("N"), false},
        {QStringLiteral("Y"), false, QStringLiteral("Y"), true},
        {QString(), true, QStringLiteral("Y"), true},
        {QString(), false, QStringLiteral("N"), false},
        {QStringLiteral("y"), true, QStringLiteral("Y"), true},
    };
    for (const TCase& c : cases) {
        g->SetCells(2, 2, c.Before);
        g->AddCheckBox(2, 2, c.State, true);
        EXPECT_EQ(g->Cells(2, 2), c.After) << c.Before.toStdString();
        EXPECT_EQ(g->IsChecked(2, 2), c.Checked) << c.Before.toStdString();
    }
    // Written afterwards, a lower-case text reads unchecked.
    g->SetCells(2, 2, QStringLiteral("y"));
    bool s = true;
    EXPECT_TRUE(g->GetCheckBoxState(2, 2, s));
    EXPECT_FALSE(s);
}

TEST(AdvGridCheckBox, AddOutsideTheGridRaisesAndLeavesTheCell)
{
    auto g = NewFixtureGrid();
    g->HideColumn(5);
    // The last hidden column still takes a box.
    EXPECT_NO_THROW(g->AddCheckBox(5, 2, true, false));
    EXPECT_TRUE(g->HasCheckBox(5, 2));
    struct TCase {
        int Col, Row;
    };
    for (const TCase& c : {TCase{6, 2}, TCase{-1, 2}, TCase{2, -1}, TCase{2, 10}}) {
        EXPECT_THROW(g->AddCheckBox(c.Col, c.Row, true, true), Exception) << c.Col << "," << c.Row;
        EXPECT_THROW(g->AddCheckBox(c.Col, c.Row, cbGrayed), Exception);
        EXPECT_THROW(g->AddRadioButton(c.Col, c.Row, true), Exception);
    }
    try {
        g->AddCheckBox(-1, 2, true, true);
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid cell"));
    }
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral("2,2"));
    EXPECT_FALSE(g->HasCheckBox(2, 2));
}

TEST(AdvGridCheckBox, EventsFireOnlyOnRealChanges)
{
    auto g = NewFixtureGrid();
    TCheckEvents ev;
    ev.Bind(g.get());
    g->AddCheckBoxColumn(2, false, true);
    g->AddCheckBox(3, 1, false, false);
    EXPECT_TRUE(ev.Changes.empty());

    EXPECT_TRUE(g->SetCheckBoxState(2, 1, true));
    EXPECT_EQ(g->Cells(2, 1), QStringLiteral("Y"));
    EXPECT_TRUE(ev.Changes.empty());

    // Row 1 is already checked: eight of the nine rows change.
    g->CheckAll(2);
    EXPECT_EQ(ev.Changes.size(), 8u);
    ev.Changes.clear();
    g->CheckAll(2);
    EXPECT_TRUE(ev.Changes.empty());

    EXPECT_TRUE(g->ChangeCheckBoxState(3, 1, true));
    EXPECT_TRUE(g->ChangeCheckBoxState(3, 1, true));
    ASSERT_EQ(ev.Changes.size(), 1u);
    EXPECT_EQ(ev.Changes[0], std::make_tuple(3, 1, true));
    EXPECT_FALSE(g->ChangeCheckBoxState(4, 1, true));

    std::vector<std::tuple<int, int, bool>> clicks;
    g->OnCheckBoxClick = [&](TObject*, int c, int r, bool s) { clicks.emplace_back(c, r, s); };
    g->CheckBoxClick(3, 4, true);
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], std::make_tuple(3, 4, true));
}

TEST(AdvGridCheckBox, StatesReadAlikeWithAndWithoutHiddenRows)
{
    auto g = NewFixtureGrid();
    g->AddCheckBox(1, 3, true, false);
    g->AddCheckBox(2, 3, true, true);
    g->AddCheckBox(3, 3, cbChecked);
    g->AddCheckBox(4, 3, cbGrayed);
    g->AddCheckBox(1, 6, true, false);
    g->AddCheckBox(2, 6, false, true);
    g->AddCheckBox(3, 6, cbUnchecked);
    auto states = [&] {
        std::vector<int> out;
        for (int r : {3, 6})
            for (int c = 1; c <= 4; ++c) {
                bool b = false;
                TCheckBoxState t = cbUnchecked;
                out.push_back(g->GetCheckBoxState(c, r, b) ? int(b) : -1);
                out.push_back(g->GetCheckBoxState(c, r, t) ? int(t) : -1);
            }
        return out;
    };
    const std::vector<int> shown = states();
    EXPECT_EQ(shown, (std::vector<int>{1, 1, 1, 1, 1, 1, 0, 2, 1, 1, 0, 0, 0, 0, -1, -1}));
    // Real rows: row 3 hidden, row 6 shown below it.
    g->HideRow(3);
    EXPECT_EQ(states(), shown);
    g->HideRow(5);
    EXPECT_EQ(states(), shown);
    // Writing a hidden row's box reaches its stored cell.
    EXPECT_TRUE(g->SetCheckBoxState(2, 3, false));
    EXPECT_EQ(g->AllCells(2, 3), QStringLiteral("N"));
    EXPECT_FALSE(g->IsChecked(2, 3));
}

TEST(AdvGridCheckBox, ToggleUndoesTextStatesOnlyAndKeepsCaptions)
{
    auto g = NewFixtureGrid();
    auto* undo = Create<TAdvGridUndoRedo>(nullptr);
    g->SetUndoRedo(undo);
    g->AddCheckBox(2, 2, false, true);
    g->AddCheckBox(3, 2, false, false);
    g->SetCells(3, 2, QStringLiteral("caption"));

    EXPECT_TRUE(g->ToggleCheckBox(2, 2));
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral("Y"));
    EXPECT_TRUE(g->ToggleCheckBox(2, 2));
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral("N"));
    EXPECT_EQ(undo->Level(), 2);
    undo->Undo();
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral("Y"));
    undo->Undo();
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral("N"));

    EXPECT_TRUE(g->ToggleCheckBox(3, 2));
    EXPECT_TRUE(g->IsChecked(3, 2));
    EXPECT_EQ(g->Cells(3, 2), QStringLiteral("caption"));
    EXPECT_EQ(undo->Level(), 0);
    EXPECT_FALSE(g->ToggleCheckBox(4, 2));
    g->SetUndoRedo(nullptr);
    Free(undo);
}

TEST(AdvGridCheckBox, UserToggleAsksEditPermissionUnlessAlwaysActive)
{
    auto g = NewFixtureGrid();
    g->AddCheckBox(2, 2, false, false);
    g->OnCanEditCell = [](TObject*, int, int, bool& can) { can = false; };
    EXPECT_FALSE(g->DoToggleCheckBox(2, 2, true));
    EXPECT_FALSE(g->IsChecked(2, 2));
    EXPECT_TRUE(g->DoToggleCheckBox(2, 2, false));
    g->ControlLook()->SetCheckAlwaysActive(true);
    EXPECT_TRUE(g->DoToggleCheckBox(2, 2, true));
    EXPECT_FALSE(g->IsChecked(2, 2));
}

TEST(AdvGridCheckBox, RowCheckBoxTogglesTheRowSelection)
{
    auto g = NewFixtureGrid();
    g->MouseActions()->SetHotmailRowSelect(true);
    const QString caption = g->Cells(0, 4);
    EXPECT_TRUE(g->ToggleCheckBox(0, 4));
    EXPECT_TRUE(g->RowSelect(4));
    EXPECT_TRUE(g->IsChecked(0, 4));
    EXPECT_EQ(g->Cells(0, 4), caption);
    EXPECT_TRUE(g->ToggleCheckBox(0, 4));
    EXPECT_FALSE(g->RowSelect(4));
}

TEST(AdvGridCheckBox, TriStateCycleAndAutoCheckGroup)
{
    TTestAdvGridPtr g(Create<TNodeGrid>(nullptr));
    g->SetColCount(3);
    g->SetRowCount(8);
    g->SetFixedRows(1);
    g->Grouping()->SetAutoCheckGroup(true);
    g->AddCheckBoxColumn(1, false, false);
    TCheckBoxState s;
    ASSERT_TRUE(g->GetCheckBoxState(1, 1, s));
    EXPECT_EQ(s, cbUnchecked);  // node rows get tri-state boxes

    // Down: the node checks its two children.
    EXPECT_TRUE(g->ToggleCheckBox(1, 1));
    EXPECT_TRUE(g->IsChecked(1, 1));
    EXPECT_TRUE(g->IsChecked(1, 2));
    EXPECT_TRUE(g->IsChecked(1, 3));
    EXPECT_FALSE(g->IsChecked(1, 4));
    // Up: one child off greys the parent, both off unchecks it.
    g->ToggleCheckBox(1, 2);
    ASSERT_TRUE(g->GetCheckBoxState(1, 1, s));
    EXPECT_EQ(s, cbGrayed);
    g->ToggleCheckBox(1, 3);
    ASSERT_TRUE(g->GetCheckBoxState(1, 1, s));
    EXPECT_EQ(s, cbUnchecked);

    // Outside groups a tri-state box cycles unchecked, grey, checked.
    g->Grouping()->SetAutoCheckGroup(false);
    g->AddCheckBox(2, 4, cbUnchecked);
    const TCheckBoxState cycle[] = {cbGrayed, cbChecked, cbUnchecked};
    for (TCheckBoxState want : cycle) {
        g->ToggleCheckBox(2, 4);
        ASSERT_TRUE(g->GetCheckBoxState(2, 4, s));
        EXPECT_EQ(s, want);
    }
}

TEST(AdvGridCheckBox, PreciseHitTestFollowsPlacement)
{
    auto g = NewFixtureGrid();
    g->SetDefaultRowHeight(30);
    g->SetColWidths(2, 80);
    g->AddCheckBox(2, 2, false, false);
    g->SetCells(2, 2, QString());
    const TRect r = g->CellRect(2, 2);
    EXPECT_TRUE(g->IsInCheckBox(2, 2, r.Right - 1, r.Bottom - 1));  // the whole cell counts
    g->MouseActions()->SetPreciseCheckBoxCheck(true);
    const int size = g->ControlLook()->CheckSize();
    struct TCase {
        TCellVAlign V;
        TAlignment H;
        int X, Y;
        bool In;
    };
    const int midTop = r.Top + (r.Height() - size) / 2, midLeft = r.Left + (r.Width() - size) / 2;
    const TCase cases[] = {
        {vaTop, taLeftJustify, r.Left + 2, r.Top + 2, true},
        {vaTop, taLeftJustify, r.Left + 1, r.Top + 2, false},
        {vaTop, taLeftJustify, r.Left + 2 + size, r.Top + 2, false},
        {vaBottom, taLeftJustify, r.Left + 2, r.Bottom - 2 - size, true},
        {vaBottom, taLeftJustify, r.Left + 2, r.Top + 2, false},
        {vaCenter, taCenter, midLeft, midTop, true},
        {vaCenter, taRightJustify, r.Right - 2 - size, midTop, true},
        {vaCenter, taRightJustify, r.Left + 2, midTop, false},
        {vaUnderText, taLeftJustify, r.Left + 2, r.Top + 2, true},  // other places test as top
    };
    for (const TCase& c : cases) {
        g->GetCellGraphic(2, 2)->SetCellVAlign(c.V);
        g->SetAlignments(2, 2, c.H);
        EXPECT_EQ(g->IsInCheckBox(2, 2, c.X, c.Y), c.In) << int(c.V) << " " << int(c.H) << " " << c.X << "," << c.Y;
    }
    EXPECT_FALSE(g->IsInCheckBox(3, 2, r.Left + 2, r.Top + 2));
}

TEST(AdvGridCheckBox, RadioButtonsAreExclusiveOnClickOnly)
{
    auto g = NewFixtureGrid();
    g->AddRadioButtonColumn(2);
    g->SetRadioButtonColumnIndex(2, 3);
    EXPECT_EQ(g->GetRadioButtonColumnIndex(2), 3);
    EXPECT_TRUE(g->DoRadioButtonClick(2, 5, false));
    EXPECT_EQ(g->GetRadioButtonColumnIndex(2), 5);
    EXPECT_FALSE(g->IsRadioButtonChecked(2, 3));
    EXPECT_TRUE(g->SetRadioButtonState(2, 7, true));
    EXPECT_TRUE(g->IsRadioButtonChecked(2, 5));
    EXPECT_TRUE(g->IsRadioButtonChecked(2, 7));
    EXPECT_FALSE(g->SetRadioButtonState(3, 7, true));
    EXPECT_FALSE(g->DoRadioButtonClick(3, 7, false));
    g->RemoveRadioButtonColumn(2);
    EXPECT_EQ(g->GetRadioButtonColumnIndex(2), -1);
}

TEST(AdvGridCheckBox, RadioGroupClickWrapsToTheFirstCaption)
{
    auto g = NewFixtureGrid();
    TStringList captions;
    captions.Add(QStringLiteral("one"));
    captions.Add(QStringLiteral("two"));
    captions.Add(QStringLiteral("three"));
    g->AddRadio(2, 2, 0, 2, &captions);
    EXPECT_FALSE(g->RadioGroupClick(2, 2, false));
    int idx = -5;
    EXPECT_TRUE(g->GetRadioIdx(2, 2, idx));
    EXPECT_EQ(idx, 0);
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral("one"));
    // A text-driven group (index -1) moves on from its caption.
    g->SetRadioIdx(2, 2, -1);
    EXPECT_EQ(g->Cells(2, 2), QString());
    g->SetCells(2, 2, QStringLiteral("two"));
    g->RadioGroupClick(2, 2, false);
    EXPECT_EQ(g->Cells(2, 2), QStringLiteral("three"));
    g->RemoveRadio(2, 2);
}
