// The pop-up window mode of a form: what tells it that it lost the
// activation, and the screens it is placed on.
#include "ControlsTestKit.h"
#include "Fakes.h"
#include "Services.h"

#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

// A pop-up that records the deactivations it is told of.
class TPopupForm : public TForm {
public:
    explicit TPopupForm(TComponent* AOwner) : TForm(AOwner)
    {
        SetPopupWindow(true);
        SetBorderStyle(bsNone);
    }
    QList<TControl*> Deactivations;
    bool HideOnDeactivate = true;
    void WndProc(TMessage& m) override
    {
        if (m.Msg == WM_ACTIVATE && m.WParam == WA_INACTIVE) {
            Deactivations << reinterpret_cast<TControl*>(m.LParam);
            if (HideOnDeactivate) Hide();
        }
        TForm::WndProc(m);
    }
};

struct PopupWindowTest : ::testing::Test {
    void SetUp() override
    {
        Owner = Create<TForm>(nullptr);
        Owner->SetBounds(100, 100, 300, 200);
        Other = new TLogControl(Owner, &Log, QStringLiteral("other"));
        Other->SetParent(Owner);
        Other->SetBounds(10, 150, 80, 30);
        Popup = Create<TPopupForm>(Owner);
        Popup->SetOwnerWindow(Owner);
        Inside = new TLogControl(Popup, &Log, QStringLiteral("inside"));
        Inside->SetParent(Popup);
        Inside->SetBounds(5, 5, 60, 20);
        Popup->SetBounds(120, 140, 100, 60);
        Owner->Show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        Free(Popup);
        Free(Owner);
    }
    static void ClickIn(TControl* c, QPoint p)
    {
        QWidget* w = c->Widget();
        QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier, w->mapTo(w->window(), p));
        QApplication::processEvents();
    }
    TForm* Owner = nullptr;
    TLogControl* Other = nullptr;
    TPopupForm* Popup = nullptr;
    TLogControl* Inside = nullptr;
    QStringList Log;
};

TEST_F(PopupWindowTest, ShownAboveItsOwnerWithTheFocus)
{
    Popup->Show();
    QApplication::processEvents();
    QWidget* w = Popup->Widget();
    EXPECT_TRUE(w->isWindow());
    EXPECT_EQ(w->parentWidget(), Owner->Widget()) << "the owner is its transient parent";
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w->windowType(), Qt::Tool) << "no taskbar entry";
    EXPECT_EQ(w->geometry(), QRect(120, 140, 100, 60));
    EXPECT_TRUE(Inside->Focused());
    EXPECT_EQ(Screen->ActiveForm(), Popup);
}

TEST_F(PopupWindowTest, APressInsideKeepsItAPressOutsideTellsItOnceAndGoesOn)
{
    Popup->Show();
    ClickIn(Inside, QPoint(5, 5));
    EXPECT_TRUE(Popup->Deactivations.isEmpty());
    EXPECT_TRUE(Popup->Visible());
    Log.clear();
    ClickIn(Other, QPoint(5, 5));
    ASSERT_EQ(Popup->Deactivations.size(), 1);
    EXPECT_EQ(Popup->Deactivations[0], Other) << "it is told which control was aimed at";
    EXPECT_FALSE(Popup->Visible());
    EXPECT_TRUE(Log.contains(QStringLiteral("other:down0 5,5"))) << "the click reaches its control";
    // Hidden, it hears nothing more.
    ClickIn(Other, QPoint(5, 5));
    EXPECT_EQ(Popup->Deactivations.size(), 1);
}

TEST_F(PopupWindowTest, NothingClosesItByItselfAndAnotherWindowsActivationTellsIt)
{
    Popup->HideOnDeactivate = false;
    Popup->Show();
    QApplication::processEvents();
    ClickIn(Other, QPoint(5, 5));
    EXPECT_EQ(Popup->Deactivations.size(), 1);
    EXPECT_TRUE(Popup->Visible());
    // Another window of the program made active (the keyboard, a program).
    Popup->Deactivations.clear();
    Owner->Widget()->activateWindow();
    QApplication::processEvents();
    ASSERT_FALSE(Popup->Deactivations.isEmpty());
    EXPECT_EQ(Popup->Deactivations[0], Owner);
    EXPECT_TRUE(Popup->Visible());
}

TEST_F(PopupWindowTest, MinimumSizeAndTheScreensFromTheService)
{
    Popup->SetMinSize(80, 50);
    Popup->SetBounds(0, 0, 20, 10);
    EXPECT_EQ(Popup->Width(), 80);
    EXPECT_EQ(Popup->Height(), 50);
    auto screens = std::make_shared<TFakeScreenGeometry>(QList<TFakeScreenGeometry::Monitor>{
        {TRect(0, 0, 1280, 1024), TRect(0, 0, 1280, 984)}, {TRect(1280, 0, 2304, 768), TRect(1280, 30, 2304, 768)}});
    ScopedService<std::shared_ptr<IScreenGeometry>> scope(&PlatformServices::Screens, screens);
    EXPECT_EQ(Screen->Height(), 1024);
    EXPECT_EQ(Screen->Width(), 1280);
    EXPECT_EQ(Screen->WorkAreaAt(TPoint(1500, 100)), TRect(1280, 30, 2304, 768));
    EXPECT_EQ(Screen->MonitorRectAt(TPoint(5000, 100)), TRect(1280, 0, 2304, 768)) << "the nearest";
    EXPECT_EQ(Screen->WorkAreaAt(TPoint(-50, -50)), TRect(0, 0, 1280, 984));
}

TEST_F(PopupWindowTest, CancelHintHidesAShownToolTip)
{
    QToolTip::showText(QPoint(150, 150), QStringLiteral("Hint"), Owner->Widget());
    QApplication::processEvents();
    Application->CancelHint();
    QApplication::processEvents();
    EXPECT_FALSE(QToolTip::isVisible());
}

}  // namespace
