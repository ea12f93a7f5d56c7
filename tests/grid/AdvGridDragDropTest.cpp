// Drag-and-drop settings: rich text is one switch for every grid.

#include "AdvGridDragDrop.h"
#include "asgdd.h"

#include <gtest/gtest.h>

TEST(DragDropSettings, OleDropRTFSwitchesRichTextForEveryGrid)
{
    TDragDropSettings a(nullptr), b(nullptr);
    a.SetOleDropRTF(true);
    EXPECT_TRUE(OleRTFEnabled());
    EXPECT_TRUE(a.OleDropRTF());
    EXPECT_FALSE(b.OleDropRTF());
    b.SetOleDropRTF(false);
    EXPECT_FALSE(OleRTFEnabled());
    EXPECT_TRUE(a.OleDropRTF());
    SetOleRTFEnabled(false);
}
