#include "AdvObjCheckBox.h"
#include "Forms.h"
#include "GraphicsRecording.h"

#include "../platform/ControlsTestKit.h"

#include <QPaintEvent>
#include <gtest/gtest.h>

namespace {

// Counts the copies of the parent background and can paint on a recorder.
class TProbeCheckBox : public TAdvCheckBox {
public:
    using TAdvCheckBox::TAdvCheckBox;
    int Copies = 0;
    TRecordingBackend* Record()
    {
        auto backend = std::make_unique<TRecordingBackend>();
        TRecordingBackend* raw = backend.get();
        Canvas()->SetBackend(std::move(backend));
        Paint();
        return raw;
    }

protected:
    void CopyParentBackground(TCanvas* Target) override
    {
        ++Copies;
        TAdvCheckBox::CopyParentBackground(Target);
    }
};

// Collects the regions of the paint events a widget gets.
class TPaintSpy : public QObject {
public:
    QRegion Painted;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Paint) Painted += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

struct CheckForm : public ::testing::Test {
    void SetUp() override
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, 300, 120);
        Box = new TProbeCheckBox(Form);
        Box->SetParent(Form);
        Box->SetBounds(10, 10, 98, 20);
        Box->OnClick = [this](TObject*) { ++Clicks; };
        Next = new TTestButton(Form);
        Next->SetParent(Form);
        Next->SetBounds(10, 50, 75, 25);
        Form->Show();
        Input::Wait(20);
    }
    void TearDown() override { Free(Form); }

    TForm* Form = nullptr;
    TProbeCheckBox* Box = nullptr;
    TTestButton* Next = nullptr;
    int Clicks = 0;
};

}  // namespace

TEST(AdvCheckBox, NewBox)
{
    TAdvCheckBox b(nullptr);
    EXPECT_EQ(b.Caption(), "TAdvCheckBox");
    EXPECT_EQ(b.Width(), 98);
    EXPECT_EQ(b.Height(), 20);
    EXPECT_EQ(b.State(), cbUnchecked);
    EXPECT_FALSE(b.Checked());
    EXPECT_EQ(b.Alignment(), taLeftJustify);
    EXPECT_EQ(b.ButtonVertAlign(), tlTop);
    EXPECT_FALSE(b.Transparent() || b.TransparentChaching() || b.ReadOnly() || b.Ellipsis() || b.ReturnIsTab());
    int clicks = 0;
    b.OnClick = [&clicks](TObject*) { ++clicks; };
    b.SetChecked(true);
    b.SetState(cbGrayed);
    EXPECT_EQ(clicks, 0);
}

TEST_F(CheckForm, Interaction)
{
    {
        SCOPED_TRACE("click inside");
        Input::Click(Box, QPoint(5, 5));
        EXPECT_TRUE(Box->Checked());
        EXPECT_EQ(Clicks, 1);
        EXPECT_TRUE(Box->Focused());
    }
    {
        SCOPED_TRACE("press inside, release outside");
        Input::Press(Box, QPoint(5, 5));
        EXPECT_TRUE(Box->Down());
        Input::DragTo(Box, QPoint(150, 5));
        EXPECT_FALSE(Box->Down());
        Input::Release(Box, QPoint(150, 5));
        EXPECT_TRUE(Box->Checked());
        EXPECT_EQ(Clicks, 1);
    }
    {
        SCOPED_TRACE("read only: click, no toggle");
        Box->SetReadOnly(true);
        Input::Click(Box, QPoint(5, 5));
        EXPECT_TRUE(Box->Checked());
        EXPECT_EQ(Clicks, 2);
        Box->SetReadOnly(false);
    }
    {
        SCOPED_TRACE("space toggles on release");
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
        QApplication::sendEvent(Box->Widget(), &down);
        EXPECT_TRUE(Box->Down());
        EXPECT_TRUE(Box->Checked());
        QKeyEvent up(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ");
        QApplication::sendEvent(Box->Widget(), &up);
        EXPECT_FALSE(Box->Down());
        EXPECT_FALSE(Box->Checked());
        EXPECT_EQ(Clicks, 3);
        // A release without its press here changes nothing: the Space went
        // down elsewhere, or the focus left the box while it was held.
        QApplication::sendEvent(Box->Widget(), &up);
        EXPECT_FALSE(Box->Checked());
        QApplication::sendEvent(Box->Widget(), &down);
        Next->SetFocus();
        Box->SetFocus();
        QApplication::sendEvent(Box->Widget(), &up);
        EXPECT_FALSE(Box->Checked());
        EXPECT_FALSE(Box->Down());
        EXPECT_EQ(Clicks, 3);
    }
    {
        SCOPED_TRACE("grayed becomes checked");
        Box->SetState(cbGrayed);
        Input::Click(Box, QPoint(5, 5));
        EXPECT_EQ(Box->State(), cbChecked);
    }
    {
        SCOPED_TRACE("accelerator toggles and focuses");
        Next->SetFocus();
        Box->SetCaption("&Match case");
        EXPECT_NE(Box->Perform(CM_DIALOGCHAR, 'm'), 0);
        EXPECT_EQ(Box->State(), cbUnchecked);
        EXPECT_TRUE(Box->Focused());
        EXPECT_EQ(Box->Perform(CM_DIALOGCHAR, 'x'), 0);
    }
    {
        SCOPED_TRACE("Enter as Tab");
        Box->SetReturnIsTab(true);
        Box->SetFocus();
        Input::Key(Box, Qt::Key_Return, Qt::NoModifier, "\r");
        Input::Wait(30);
        EXPECT_TRUE(Next->Focused());
    }
}

TEST_F(CheckForm, StateInvalidatesOnlyTheBoxStrip)
{
    Box->SetAlignment(taRightJustify);
    Input::Wait(20);
    TPaintSpy spy;
    Box->Widget()->installEventFilter(&spy);
    Box->SetState(cbChecked);
    Input::Wait(20);
    Box->Widget()->removeEventFilter(&spy);
    EXPECT_EQ(spy.Painted.boundingRect(), QRect(78, 0, 20, 20));
}

TEST_F(CheckForm, TransparentCacheIsDroppedByAMove)
{
    Form->SetColor(clYellow);
    Box->SetTransparent(true);
    Input::Wait(20);
    Box->Copies = 0;
    Box->Repaint();
    Box->Repaint();
    EXPECT_EQ(Box->Copies, 2);  // no cache: a copy at every paint

    Box->SetTransparentChaching(true);
    Box->Copies = 0;
    Box->Repaint();
    Box->Repaint();
    EXPECT_EQ(Box->Copies, 1);
    Box->SetLeft(20);
    Box->Repaint();
    EXPECT_EQ(Box->Copies, 2);
    Box->Repaint();
    EXPECT_EQ(Box->Copies, 2);
}

TEST_F(CheckForm, DisabledCaptionIsEmbossed)
{
    Box->SetCaption("Off");
    Box->SetEnabled(false);
    const TRecordingBackend* rec = Box->Record();
    std::vector<TCanvasOp> texts;
    for (const TCanvasOp& op : rec->Ops())
        if (op.Kind == "DrawText") texts.push_back(op);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].FontColor, clWhite);
    EXPECT_EQ(texts[1].FontColor, TColor(0x808080));
    EXPECT_EQ(texts[0].Rect.Left, texts[1].Rect.Left + 1);
    EXPECT_EQ(texts[0].Rect.Top, texts[1].Rect.Top + 1);
    EXPECT_EQ(texts[1].Rect.Left, 15);

    Box->SetEnabled(true);
    rec = Box->Record();
    int n = 0;
    for (const TCanvasOp& op : rec->Ops()) n += op.Kind == "DrawText";
    EXPECT_EQ(n, 1);
}
