// FocusCellControl: the keyboard goes to the next editable form control in
// a cell's markup, or stays with the grid when there is none.
#include "AdvGridEditControls.h"
#include "AdvGridEditTestKit.h"
#include "TestHarness.h"

#include <gtest/gtest.h>

TEST(AdvGridFocusControl, TheNextEditableControlTakesTheKeyboard)
{
    const QString twoEdits = QStringLiteral(
        "<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\"> <CONTROL TYPE=\"EDIT\" ID=\"a\" VALUE=\"first\" WIDTH=\"50\"> "
        "<CONTROL TYPE=\"EDIT\" ID=\"b\" VALUE=\"second\" WIDTH=\"50\">");
    struct Case {
        const char* What;
        QString Html;
        const char* After;   // the ID given
        const char* Value;   // the edit's text; nullptr: the grid keeps the keyboard
    };
    const Case cases[] = {
        {"from the start: the first edit, past the check box", twoEdits, "", "first"},
        {"after a: b", twoEdits, "a", "second"},
        {"after the last: none", twoEdits, "b", nullptr},
        {"no control at all", QStringLiteral("plain text"), "", nullptr},
    };
    for (const Case& c : cases) {
        EditFixture f;
        f.Grid->SetColWidths(1, 300);
        f.Grid->SetRowHeights(1, 30);
        f.Grid->SetCells(1, 1, c.Html);
        f.Grid->FocusCellControl(1, 1, QString::fromLatin1(c.After));
        QApplication::processEvents();
        if (!c.Value) {
            EXPECT_FALSE(f.Grid->CellControlEditing()) << c.What;
            EXPECT_EQ(f.Focus(), f.Grid) << c.What;
            continue;
        }
        ASSERT_TRUE(f.Grid->CellControlEditing()) << c.What;
        TControlEdit* e = f.Grid->CellControlEdit();
        EXPECT_TRUE(e->Visible()) << c.What;
        EXPECT_EQ(e->Text(), QString::fromLatin1(c.Value)) << c.What;
        EXPECT_EQ(f.Focus(), e) << c.What;
        const TRect cell = f.Grid->CellRect(1, 1);
        EXPECT_GE(e->Left(), cell.Left + (c.After[0] ? 50 : 0)) << c.What << ": right of what comes before";
        EXPECT_LT(e->Left(), cell.Right) << c.What;
        TestHarness::GrabToPng(f.Form, TestHarness::GrabPath(QStringLiteral("focus-control-%1.png").arg(c.After)));
    }
}
