// The track bar: its range and position, the keys, a click on the channel,
// dragging the thumb, and OnChange for every change.
#include "ComCtrls.h"
#include "ControlsTestKit.h"

#include <gtest/gtest.h>

namespace {

struct TrackBarTest : ::testing::Test {
    void SetUp() override
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(10, 10, 300, 120);
        Bar = new TTrackBar(Form);
        Bar->SetParent(Form);
        Bar->SetBounds(10, 10, 200, 40);
        Bar->OnChange = [this](TObject*) { ++Changes; };
        Form->Show();
        Bar->SetFocus();
    }
    void TearDown() override { Free(Form); }
    TForm* Form = nullptr;
    TTrackBar* Bar = nullptr;
    int Changes = 0;
};

TEST_F(TrackBarTest, PositionStaysInTheRangeAndReportsEachChange)
{
    Bar->SetPosition(4);
    EXPECT_EQ(Changes, 1);
    Bar->SetPosition(4);
    EXPECT_EQ(Changes, 1) << "the same position is no change";
    Bar->SetPosition(99);
    EXPECT_EQ(Bar->Position(), 10);
    Bar->SetMax(6);
    EXPECT_EQ(Bar->Position(), 6) << "a smaller range takes the position with it";
    Bar->SetMin(8);
    EXPECT_EQ(Bar->Max(), 8);
    EXPECT_EQ(Bar->Position(), 8);
}

TEST_F(TrackBarTest, KeysAsThePlatformsTrackBarTakesThem)
{
    Bar->SetPageSize(3);
    const struct {
        int From;
        int Key;
        int To;
    } cases[] = {
        {5, Qt::Key_Left, 4}, {5, Qt::Key_Up, 4},      {5, Qt::Key_Right, 6}, {5, Qt::Key_Down, 6},
        {5, Qt::Key_PageUp, 2}, {5, Qt::Key_PageDown, 8}, {5, Qt::Key_Home, 0}, {5, Qt::Key_End, 10},
        {0, Qt::Key_Up, 0},
    };
    for (const auto& c : cases) {
        Bar->SetPosition(c.From);
        Input::Key(Bar, c.Key);
        EXPECT_EQ(Bar->Position(), c.To) << c.Key;
    }
    // A key the OnKeyDown handler takes does not move it.
    Bar->OnKeyDown = [](TObject*, Word& k, TShiftState) { k = 0; };
    Bar->SetPosition(5);
    Input::Key(Bar, Qt::Key_Right);
    EXPECT_EQ(Bar->Position(), 5);
}

TEST_F(TrackBarTest, AClickOnTheChannelPagesTowardItAndTheThumbDrags)
{
    Bar->SetPosition(5);
    const TRect thumb = Bar->ThumbRect();
    Input::Click(Bar, QPoint(thumb.Right + 30, 10));
    EXPECT_EQ(Bar->Position(), 7);
    Input::Click(Bar, QPoint(Bar->ThumbRect().Left - 30, 10));
    EXPECT_EQ(Bar->Position(), 5);
    // Dragging the thumb to the channel's end.
    const TRect t = Bar->ThumbRect();
    Input::Press(Bar, QPoint(t.Left + 3, 10));
    Input::Mouse(Bar->Widget(), QEvent::MouseMove, Qt::NoButton, QPoint(Bar->ChannelRect().Right, 10),
                 Qt::LeftButton);
    Input::Release(Bar, QPoint(Bar->ChannelRect().Right, 10));
    EXPECT_EQ(Bar->Position(), 10);
    EXPECT_EQ(Bar->PositionToX(10), Bar->ChannelRect().Right);
}

}  // namespace
