// The track-bar drop-down: its defaults, the keys that step it, dragging
// over the edit, and the pop-up driven as a user does.
#include "AdvTrackBarDropDown.h"
#include "ComCtrls.h"
#include "DropDownFixture.h"

namespace {

using TrackBarDropDown = DropDownTest;

// The drag handlers, reached without opening the pop-up.
class TDragTrackBar : public TAdvTrackBarDropDown {
public:
    using TAdvTrackBarDropDown::TAdvTrackBarDropDown;
    using TAdvTrackBarDropDown::MouseDown;
    using TAdvTrackBarDropDown::MouseMove;
    using TAdvTrackBarDropDown::MouseUp;
};

TEST_F(TrackBarDropDown, FreshDefaults)
{
    auto* d = Add<TAdvTrackBarDropDown>(20, 20);
    EXPECT_EQ(d->Text(), QStringLiteral("0"));
    EXPECT_FALSE(d->EditorEnabled());
    EXPECT_TRUE(d->DropDownEnabled());
    EXPECT_EQ(d->EditType(), etNumeric);
    EXPECT_FALSE(d->DropDownHeader()->Visible());
    EXPECT_FALSE(d->DropDownFooter()->Visible());
    EXPECT_TRUE(d->ForceShadow());
    EXPECT_EQ(d->DropDownColor(), 15984090);
    ShowForm();
    d->SetFocus();
    d->ShowDropDown();
    TTrackBar* t = d->TrackBar();
    EXPECT_EQ(t->Min(), 0);
    EXPECT_EQ(t->Max(), 10);
    EXPECT_EQ(t->Position(), 0);
    EXPECT_EQ(t->Frequency(), 1);
    EXPECT_EQ(t->PageSize(), 2);
    EXPECT_EQ(d->DropDownForm()->Height(), 50) << "40 and the border, at least 50";
    EXPECT_EQ(d->DropDownForm()->Width(), d->Width());
}

TEST_F(TrackBarDropDown, UpAndDownStepByFrequencyWithinTheRange)
{
    auto* d = Focused<TAdvTrackBarDropDown>();
    d->SetFrequency(3);
    const struct {
        int From;
        Qt::Key Key;
        int To;
    } cases[] = {
        {0, Qt::Key_Down, 3},
        {6, Qt::Key_Down, 9},
        {9, Qt::Key_Down, 9},   // 12 would leave the range: no step, not even to 10
        {3, Qt::Key_Up, 0},
        {2, Qt::Key_Up, 2},     // -1 would leave it
    };
    for (const auto& c : cases) {
        d->SetPosition(c.From);
        Key(d, c.Key);
        EXPECT_EQ(d->Position(), c.To) << c.From;
        EXPECT_EQ(d->Text(), QString::number(c.To));
    }
}

TEST_F(TrackBarDropDown, DragSidewaysStepsByPageSize)
{
    auto* d = Add<TDragTrackBar>(20, 20);
    d->SetPosition(5);
    const struct {
        std::vector<int> Moves;  // x positions after the press at 50
        int Position;
    } cases[] = {
        {{51, 52, 53, 54, 55, 56}, 5},  // one pixel at a time never reaches a page
        {{60}, 10},                     // ten pixels at once: five steps
        {{45}, 3},                      // -5 / 2 truncates to -2
        {{49, 48}, 5},
    };
    for (const auto& c : cases) {
        d->SetPosition(5);
        d->MouseDown(mbLeft, {ssLeft}, 50, 10);
        for (int x : c.Moves) d->MouseMove({ssLeft}, x, 10);
        d->MouseUp(mbLeft, {}, c.Moves.back(), 10);
        EXPECT_EQ(d->Position(), c.Position);
    }
    d->MouseMove({}, 90, 10);
    EXPECT_EQ(d->Position(), 5) << "no drag after the release";
    d->SetPageSize(0);
    d->MouseDown(mbLeft, {ssLeft}, 50, 10);
    d->MouseMove({ssLeft}, 90, 10);
    EXPECT_EQ(d->Position(), 5) << "a page of 0 drags nothing";
}

TEST_F(TrackBarDropDown, ATextThatIsNoNumberKeepsThePosition)
{
    auto* d = Add<TAdvTrackBarDropDown>(20, 20);
    d->SetEditorEnabled(true);
    d->SetPosition(4);
    d->SetTextDirect(QStringLiteral("7"));
    EXPECT_EQ(d->Position(), 7);
    d->SetTextDirect(QStringLiteral("seven"));
    EXPECT_EQ(d->Position(), 7);
    d->SetTextDirect(QString());
    EXPECT_EQ(d->Position(), 7);
    d->SetTextDirect(QStringLiteral("25"));
    EXPECT_EQ(d->Position(), 10) << "the track bar keeps it in its range";
}

TEST_F(TrackBarDropDown, DownTwiceInThePopupThenEnter)
{
    auto* d = Focused<TAdvTrackBarDropDown>();
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    ASSERT_TRUE(d->TrackBar()->Focused());
    Key(d->TrackBar(), Qt::Key_Down);
    Key(d->TrackBar(), Qt::Key_Down);
    EXPECT_EQ(d->Text(), QStringLiteral("2")) << "one step per key, shown at once";
    EXPECT_EQ(d->TrackBar()->Position(), 2);
    Key(d->TrackBar(), Qt::Key_Return);
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->Text(), QStringLiteral("2"));
}

TEST_F(TrackBarDropDown, AClickOnTheChannelPagesAndAClickOutsideKeeps)
{
    auto* d = Focused<TAdvTrackBarDropDown>();
    int trackChanges = 0;
    d->OnTrackChange = [&](TObject*) { ++trackChanges; };
    Key(d, Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(d->DroppedDown());
    TTrackBar* t = d->TrackBar();
    const TRect thumb = t->ThumbRect();
    Click(t, TPoint(thumb.Right + 20, thumb.Top + thumb.Height() / 2));
    EXPECT_EQ(d->Position(), 2);
    EXPECT_EQ(d->Text(), QStringLiteral("2"));
    EXPECT_EQ(trackChanges, 1);
    Click(Form, TPoint(300, 250));
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->Text(), QStringLiteral("2")) << "closing by a click elsewhere keeps the value";
}

TEST_F(TrackBarDropDown, EscapeBringsBackTheLastSetText)
{
    auto* d = Focused<TAdvTrackBarDropDown>();
    d->SetText(QStringLiteral("3"));
    Key(d, Qt::Key_F4);
    ASSERT_TRUE(d->DroppedDown());
    Key(d->TrackBar(), Qt::Key_End);
    EXPECT_EQ(d->Text(), QStringLiteral("10"));
    Key(d->TrackBar(), Qt::Key_Escape);
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->Text(), QStringLiteral("3"));
    EXPECT_EQ(d->Position(), 3);
}

}  // namespace
