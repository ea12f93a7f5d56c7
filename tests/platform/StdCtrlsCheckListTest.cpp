// The check list box: a check the user toggles reports itself, a check set
// by code or a new item's text does not.
#include "Forms.h"
#include "StdCtrls.h"

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <gtest/gtest.h>

TEST(CheckListBox, UserTogglesReportSetsAndNewItemsDoNot)
{
    TForm* form = Create<TForm>(nullptr);
    auto* list = new TCheckListBox(form);
    list->SetParent(form);
    list->SetBounds(0, 0, 120, 100);
    form->Show();
    int clicks = 0;
    list->OnClickCheck = [&](TObject*) { ++clicks; };
    list->Items()->Add("one");
    list->Items()->Add("two");
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(list->Checked(0));
    list->SetChecked(1, true);
    EXPECT_TRUE(list->Checked(1));
    EXPECT_EQ(clicks, 0);
    list->ToggleChecked(0);
    EXPECT_TRUE(list->Checked(0));
    EXPECT_EQ(clicks, 1);
    // Space on the current item toggles it as the user does.
    list->SetItemIndex(1);
    list->SetFocus();
    QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
    QApplication::sendEvent(list->Widget(), &space);
    EXPECT_FALSE(list->Checked(1));
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(list->Checked(5));  // no such item
    Free(form);
}
