// Hints and balloons of the string grid, through the platform's hint path
// and the balloon tooltip: what shows, where, and when it goes.

#include "AdvGridHints.h"
#include "AdvGridTestKit.h"
#include "AdvUtil.h"
#include "ExtCtrls.h"
#include "Fakes.h"
#include "Hints.h"
#include "TestHarness.h"
#include "ToolTips.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// A shown form with the fixture grid on it.
struct TBalloonGridForm {
    TBalloonGridForm()
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(100, 100, 480, 300);
        Grid = Create<TTestAdvGrid>(Form);
        Grid->SetParent(Form);
        FillFixture(Grid, 6, 10);
        Grid->SetBounds(0, 0, 460, 280);
        Form->Show();
        PumpEvents();
    }
    ~TBalloonGridForm()
    {
        CancelControlHint();
        Free(Form);
    }
    TPoint Centre(int c, int r) const
    {
        const TRect rc = Grid->CellRect(c, r);
        const int b = Grid->BorderWidth();
        return TPoint((rc.Left + rc.Right) / 2 + b, (rc.Top + rc.Bottom) / 2 + b);
    }
    void MoveTo(TPoint p)
    {
        QMouseEvent e(QEvent::MouseMove, QPointF(p.X, p.Y), Grid->Widget()->mapToGlobal(QPointF(p.X, p.Y)),
                      Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(Grid->Widget(), &e);
    }
    TForm* Form = nullptr;
    TTestAdvGrid* Grid = nullptr;
};

}  // namespace

TEST(AdvGridHint, AMarkupHintShowsInTheGridsHintWindowAndStaysOnTheMonitor)
{
    auto screens = std::make_shared<TFakeScreenGeometry>(
        QList<TFakeScreenGeometry::Monitor>{{TRect(0, 0, 800, 600), TRect(0, 0, 800, 570)}});
    ScopedService<std::shared_ptr<IScreenGeometry>> scope(&PlatformServices::Screens, screens);
    TBalloonGridForm f;
    f.Grid->SetShowHint(true);
    f.Grid->SetHintShowCells(true);
    f.Grid->SetCells(2, 1, QStringLiteral("<b>bold</b> and plain"));

    ASSERT_TRUE(ActivateControlHint(f.Grid, f.Centre(2, 1)));
    auto* w = dynamic_cast<THTMLHintWindow*>(ActiveHintWindow());
    ASSERT_NE(w, nullptr) << "the grid's own hint class";
    EXPECT_TRUE(w->Visible());
    EXPECT_EQ(w->Caption(), QStringLiteral("bold and plain"));
    EXPECT_EQ(w->Width(), w->TextWidth() + 16);
    EXPECT_EQ(w->Height(), w->TextHeight() + 4);
    TestHarness::GrabToPng(w, TestHarness::GrabPath(QStringLiteral("grid-markup-hint")));

    // Another cell is another hint: the old one goes when the pointer leaves.
    f.MoveTo(f.Centre(4, 3));
    EXPECT_EQ(ActiveHintWindow(), nullptr);

    // A hint that would reach past the monitor's right edge ends 2 inside.
    THTMLHintWindow probe(nullptr);
    probe.ActivateHint(TRect(700, 100, 800, 120), QStringLiteral("<b>") + QStringLiteral("wwww ").repeated(60) +
                                                      QStringLiteral("</b>"));
    EXPECT_EQ(probe.Left() + probe.Width(), 798);
    EXPECT_LE(probe.TextWidth(), 1008) << "measured within 1008 pixels";
    EXPECT_GT(probe.TextHeight(), 2 * probe.Canvas()->TextHeight(QStringLiteral("w"))) << "and wrapped";

    // A wide hint is one line; a plain control's hint keeps its short part.
    probe.ActivateHint(TRect(10, 10, 20, 20), EncodeWideText(QStringLiteral("wide hint")));
    EXPECT_EQ(probe.WideCaption(), QStringLiteral("wide hint"));
    EXPECT_EQ(probe.Width(), probe.TextWidth() + 8);
    auto* plain = Create<TPanel>(f.Form);
    plain->SetParent(f.Form);
    plain->SetShowHint(true);
    plain->SetHint(QStringLiteral("short|long"));
    ASSERT_TRUE(ActivateControlHint(plain, TPoint(2, 2)));
    EXPECT_EQ(ActiveHintWindow()->Caption(), QStringLiteral("short"));
    Application->CancelHint();
    EXPECT_EQ(ActiveHintWindow(), nullptr);
}

TEST(AdvGridBalloon, ShowsOverItsCellAndGoesWhenThePointerLeaves)
{
    TBalloonGridForm f;
    f.Grid->AddBalloon(2, 3, QStringLiteral("Title"), QStringLiteral("Balloon text"), biInfo);
    f.Grid->Balloon()->SetEnable(true);
    TBalloonToolTip* tip = f.Grid->BalloonToolTip();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->ToolControl(), f.Grid);

    ASSERT_TRUE(tip->ShowFor(f.Centre(2, 3)));
    EXPECT_TRUE(tip->Showing());
    EXPECT_EQ(tip->Title(), QStringLiteral("Title"));
    EXPECT_EQ(tip->TipText(), QStringLiteral("Balloon text"));
    EXPECT_EQ(tip->Icon(), ttiInfo);
    EXPECT_EQ(f.Grid->LastBalloonPos(), TPoint(2, 3));
    const TPoint at = f.Grid->ClientToScreen(f.Centre(2, 3));
    EXPECT_LE(tip->Left(), at.X);
    EXPECT_GE(tip->Left() + tip->Width(), at.X);
    EXPECT_GE(tip->Top(), at.Y) << "under the pointer, stem up";
    TestHarness::GrabToPng(tip, TestHarness::GrabPath(QStringLiteral("grid-balloon")));

    f.MoveTo(f.Centre(2, 3));
    EXPECT_TRUE(tip->Showing()) << "moving within the cell keeps it";
    f.MoveTo(f.Centre(3, 3));
    EXPECT_FALSE(tip->Showing());
    EXPECT_EQ(f.Grid->LastBalloonPos(), TPoint(-1, -1));
}

TEST(AdvGridBalloon, TextTitleAndTheCellEvent)
{
    TBalloonGridForm f;
    f.Grid->Balloon()->SetEnable(true);
    TBalloonToolTip* tip = f.Grid->BalloonToolTip();
    ASSERT_NE(tip, nullptr);
    struct Case {
        QString Cell;
        QString Text;
    };
    const Case cases[] = {
        {QStringLiteral("<b>bold</b> x"), QStringLiteral("bold x")},
        {QStringLiteral("\t\r\nlead\tin"), QStringLiteral("lead in")},
        {QStringLiteral("{\\rtf1 {\\b rich} text}"), QStringLiteral("rich text")},
        {EncodeWideText(QStringLiteral("wide")), QStringLiteral("wide")},
        {QString(3000, u'a'), QString(2045, u'a') + QStringLiteral("...")},
    };
    for (const Case& c : cases) {
        f.Grid->SetCells(1, 1, c.Cell);
        tip->Pop();
        ASSERT_TRUE(tip->ShowFor(f.Centre(1, 1))) << c.Text.left(20).toStdString();
        EXPECT_EQ(tip->TipText(), c.Text);
        EXPECT_EQ(tip->Title(), QStringLiteral(" "));
    }
    // The event changes title and icon; a long title is cut.
    f.Grid->OnCellBalloon = [](TObject*, int ACol, int ARow, QString& T, QString& X, TBalloonIcon& I) {
        T = QString(150, u't');
        X = QStringLiteral("cell %1,%2").arg(ACol).arg(ARow);
        I = biWarning;
    };
    f.Grid->Balloon()->SetBackgroundColor(clYellow);
    tip->Pop();
    ASSERT_TRUE(tip->ShowFor(f.Centre(2, 4)));
    EXPECT_EQ(tip->TipText(), QStringLiteral("cell 2,4"));
    EXPECT_EQ(tip->Title(), QString(97, u't') + QStringLiteral("..."));
    EXPECT_EQ(tip->Icon(), ttiWarning);
    EXPECT_EQ(tip->TipBkColor(), clYellow);
    EXPECT_EQ(tip->MaxTipWidth(), 300);
}

TEST(AdvGridBalloon, OneWindowPerSwitchOnAndTransparency)
{
    TBalloonGridForm f;
    const int before = int(QApplication::topLevelWidgets().size());
    f.Grid->Balloon()->SetTransparency(55);
    f.Grid->Balloon()->SetEnable(true);
    TBalloonToolTip* first = f.Grid->BalloonToolTip();
    ASSERT_NE(first, nullptr);
    f.Grid->BalloonInit();
    EXPECT_EQ(f.Grid->BalloonToolTip(), first) << "a second init makes no second window";
    EXPECT_NEAR(first->Widget()->windowOpacity(), 200 / 255.0, 0.01);
    f.Grid->Balloon()->SetEnable(false);
    EXPECT_EQ(f.Grid->BalloonToolTip(), nullptr);
    EXPECT_FALSE(f.Grid->Balloon()->Init());
    f.Grid->Balloon()->SetEnable(true);
    EXPECT_NE(f.Grid->BalloonToolTip(), nullptr);
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(int(QApplication::topLevelWidgets().size()), before + 1);
}
