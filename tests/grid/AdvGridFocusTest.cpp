// The grid taking and losing the focus: its enter and exit events, and the
// entered cell checked as a move onto it would check it.

#include "AdvGridInputTestKit.h"
#include "StdCtrls.h"

#include <gtest/gtest.h>

TEST(AdvGridFocus, EnteringChecksTheCurrentCellAndLeavingFiresExit)
{
    struct Case {
        const char* What;
        bool Editing;
        bool CellEditable;
        bool EditingAfterEnter;
    };
    const Case cases[] = {
        {"an editable cell keeps editing", true, true, true},
        {"a read-only cell switches editing off", true, false, false},
        {"without editing nothing is checked", false, false, false},
    };
    for (const Case& c : cases) {
        InputFixture f;
        TInputGrid* g = f.Grid;
        auto* other = Create<TEdit>(f.Form);
        other->SetParent(f.Form);
        other->SetBounds(0, 400, 100, 20);
        QStringList events;
        g->OnEnter = [&](TObject*) { events << "enter"; };
        g->OnExit = [&](TObject*) { events << "exit"; };
        other->SetFocus();
        QApplication::processEvents();
        g->SetOptions(c.Editing ? g->Options() + goEditing : g->Options() - goEditing);
        g->OnCanEditCell = [&](TObject*, int, int, bool& CanEdit) { CanEdit = c.CellEditable; };
        g->SetFocus();
        QApplication::processEvents();
        EXPECT_EQ(events, (QStringList{"exit", "enter"})) << c.What;
        EXPECT_EQ(g->Options().Contains(goEditing), c.EditingAfterEnter) << c.What;
    }
}
