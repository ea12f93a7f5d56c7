#pragma once
// What the drop-down tests share: fixed regional settings (decimal ".",
// thousand ","), a test clock, one fake 1024 x 768 screen with a 40-pixel
// task bar, a shown form to put the controls on, a drop-down hosting a list
// box, and input sent the way a user's arrives (through the Qt widgets).

#include "ATXPVS.h"
#include "AdvDropDown.h"
#include "AdvDropDownForm.h"
#include "Clock.h"
#include "Fakes.h"
#include "FormatSettings.h"
#include "Forms.h"
#include "OsProfile.h"
#include "Services.h"
#include "StdCtrls.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

inline FormatSettings DropDownTestFormat()
{
    FormatSettings fs;
    fs.DecimalSeparator = u'.';
    fs.ThousandSeparator = u',';
    return fs;
}

// A drop-down hosting a list box, recording its cycle.
class TTestListDropDown : public TAdvCustomDropDown {
public:
    explicit TTestListDropDown(TComponent* AOwner) : TAdvCustomDropDown(AOwner) {}
    TListBox* List = nullptr;
    QStringList Log;

    void CreateDropDownForm() override
    {
        TAdvCustomDropDown::CreateDropDownForm();
        if (List || !DropDownForm()) return;
        List = new TListBox(this);
        List->SetParent(DropDownForm());
        List->SetBounds(0, 0, 150, 80);
        for (const char* item : {"Ethernet", "Serial", "Profibus"}) List->Items()->Add(QString::fromLatin1(item));
        SetControl(List);
        SetFocusControl(List);
    }
    void BeforeDropDown() override
    {
        Log << QStringLiteral("BeforeDropDown");
        TAdvCustomDropDown::BeforeDropDown();
    }
    void AfterDropUp() override
    {
        Log << QStringLiteral("AfterDropUp");
        TAdvCustomDropDown::AfterDropUp();
    }
    using TAdvCustomDropDown::FocusDraw;
    using TAdvCustomDropDown::PaintOver;
    using TAdvCustomDropDown::DrawBorder;
    void DoExit() override
    {
        Log << QStringLiteral("DoExit");
        TAdvCustomDropDown::DoExit();
    }
    void KillFocusMessage(TMessage& m) override
    {
        Log << QStringLiteral("KillFocus");
        TAdvCustomDropDown::KillFocusMessage(m);
    }
};

class DropDownTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ATXPVS::FreeThemeLibrary();
        Form = Create<TForm>(nullptr);
        Form->SetBounds(100, 100, 420, 300);
        Form->SetColor(clBtnFace);
    }
    void TearDown() override
    {
        Free(Form);
        QApplication::processEvents();
    }

    template <class T>
    T* Add(int x, int y, int w = 150, int h = 21)
    {
        auto* c = Create<T>(Form);
        c->SetParent(Form);
        c->SetBounds(x, y, w, h);
        return c;
    }
    // A drop-down with its form shown and the focus in it.
    template <class T>
    T* Focused(int x = 20, int y = 20, int w = 150)
    {
        T* d = Add<T>(x, y, w);
        ShowForm();
        d->SetFocus();
        return d;
    }
    void ShowForm()
    {
        if (!Form->Visible()) Form->Show();
        QApplication::processEvents();
    }

    // Input as the user gives it: keys to the widget holding the focus, a
    // click through the window a widget is in.
    static QWidget* FocusWidget(TWinControl* c) { return c->Widget(); }
    static void Key(TWinControl* c, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::keyClick(c->Widget(), k, m);
        QApplication::processEvents();
    }
    static void Type(TWinControl* c, const QString& text)
    {
        QTest::keyClicks(c->Widget(), text);
        QApplication::processEvents();
    }
    static void Click(TControl* c, TPoint p)
    {
        QWidget* w = c->Widget();
        QWindow* window = w->window()->windowHandle();
        const QPoint at = w->mapTo(w->window(), QPoint(p.X, p.Y));
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, at);
        QApplication::processEvents();
    }
    // A click on the drop-down's button.
    static void ClickButton(TAdvCustomDropDown* d)
    {
        TControl* inner = d->Button()->InnerButton();
        Click(inner, TPoint(inner->Width() / 2, inner->Height() / 2));
    }

    std::shared_ptr<TestClock> Clock = std::make_shared<TestClock>(46000.5, 1000000);
    ScopedService<std::shared_ptr<IClock>> ClockScope{&PlatformServices::Clock, Clock};
    ScopedFormatSettings FormatScope{DropDownTestFormat()};
    std::shared_ptr<TFakeScreenGeometry> Screens = std::make_shared<TFakeScreenGeometry>(
        QList<TFakeScreenGeometry::Monitor>{{TRect(0, 0, 1024, 768), TRect(0, 0, 1024, 728)}});
    ScopedService<std::shared_ptr<IScreenGeometry>> ScreenScope{&PlatformServices::Screens, Screens};
    TForm* Form = nullptr;
};
