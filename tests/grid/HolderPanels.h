#pragma once
// The check both panels a grid keeps at its bottom share.

#include "ExtCtrls.h"
#include "Forms.h"

#include <gtest/gtest.h>
#include <functional>

// The panel made by Make on a form: bottom-aligned, without border or
// height until shown; given a height it sits at the bottom of its parent at
// full width.
inline void ExpectBottomStrip(const std::function<TCustomPanel*(TComponent* Owner)>& Make)
{
    TForm* form = Create<TForm>(nullptr);
    form->SetBounds(0, 0, 300, 200);
    TCustomPanel* panel = Make(form);
    panel->SetParent(form);
    EXPECT_EQ(panel->Owner(), form);
    EXPECT_EQ(panel->Align(), alBottom);
    EXPECT_EQ(panel->BorderWidth(), 0);
    EXPECT_EQ(panel->Height(), 0);
    panel->SetHeight(30);
    const TRect client = form->ClientRect();
    EXPECT_EQ(panel->Top(), client.Bottom - 30);
    EXPECT_EQ(panel->Width(), client.Width());
    Free(form);
}
