// The header and footer bars of an open pop-up and their buttons: clicks
// and keys as a user gives them, the button layout, the border sides and
// the bar height taken at every preparation.
#include "AdvDropDownBars.h"
#include "DropDownFixture.h"
#include "SysUtils.h"
#include "TestHarness.h"

#include <QImage>

namespace {

class DropDownBars : public DropDownTest {
protected:
    // A drop-down with OK and Cancel in the footer and one header button.
    TTestListDropDown* WithButtons()
    {
        auto* d = Focused<TTestListDropDown>();
        d->SetText(QStringLiteral("Serial"));
        auto* ok = d->DropDownFooter()->Buttons()->Add();
        ok->SetCaption(QStringLiteral("OK"));
        ok->SetModalResult(mrOk);
        auto* cancel = d->DropDownFooter()->Buttons()->Add();
        cancel->SetCaption(QStringLiteral("Cancel"));
        cancel->SetModalResult(mrCancel);
        d->DropDownHeader()->Buttons()->Add()->SetCaption(QStringLiteral("Find"));
        d->DropDownHeader()->SetCaption(QStringLiteral("<b>Port</b> kind"));
        d->OnDropDownFooterButtonClick = [this](TObject*, int i) { FooterClicks << i; };
        d->OnDropDownHeaderButtonClick = [this](TObject*, int i) { HeaderClicks << i; };
        return d;
    }
    static TAdvButton* FooterButton(TAdvCustomDropDown* d, int i)
    {
        return d->DropDownForm()->Footer()->Button(i);
    }
    QList<int> FooterClicks, HeaderClicks;
};

TEST_F(DropDownBars, FooterAndHeaderButtonsActAsTheUserExpects)
{
    auto* d = WithButtons();
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    d->SetText(QStringLiteral("Profibus"));

    // OK keeps the value and reports button 0.
    TAdvButton* ok = FooterButton(d, 0);
    Click(ok, TPoint(ok->Width() / 2, ok->Height() / 2));
    EXPECT_FALSE(d->DropDownForm()->Visible());
    EXPECT_EQ(d->Text(), QStringLiteral("Profibus"));
    EXPECT_EQ(FooterClicks, QList<int>{0});
    EXPECT_EQ(d->DropDownForm()->ModalResult(), mrOk);

    // Space on the focused Cancel button cancels without the event.
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    d->SetTextDirect(QStringLiteral("Changed"));
    TAdvButton* cancel = FooterButton(d, 1);
    cancel->SetFocus();
    QApplication::processEvents();
    Key(cancel, Qt::Key_Space);
    EXPECT_FALSE(d->DropDownForm()->Visible());
    EXPECT_EQ(d->Text(), QStringLiteral("Profibus"));
    EXPECT_EQ(FooterClicks, QList<int>{0});

    // The header button reports and leaves the pop-up open.
    ClickButton(d);
    TAdvButton* find = d->DropDownForm()->Header()->Button(0);
    Click(find, TPoint(3, 3));
    EXPECT_TRUE(d->DropDownForm()->Visible());
    EXPECT_EQ(HeaderClicks, QList<int>{0});
}

TEST_F(DropDownBars, ResultsThatDoNotCloseAndAPressDraggedOut)
{
    auto* d = WithButtons();
    d->DropDownFooter()->Buttons()->Items(0)->SetModalResult(mrRetry);
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    TAdvButton* retry = FooterButton(d, 0);
    Click(retry, TPoint(4, 4));
    EXPECT_TRUE(d->DropDownForm()->Visible());
    EXPECT_EQ(d->DropDownForm()->ModalResult(), mrRetry);
    EXPECT_EQ(FooterClicks, QList<int>{0});

    // Press on Cancel, drag out, release outside: nothing.
    TAdvButton* cancel = FooterButton(d, 1);
    QWidget* w = cancel->Widget();
    QWindow* window = w->window()->windowHandle();
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, w->mapTo(w->window(), QPoint(4, 4)));
    EXPECT_TRUE(cancel->MouseDownInControl());
    QTest::mouseMove(window, w->mapTo(w->window(), QPoint(-30, 4)));
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, w->mapTo(w->window(), QPoint(-30, 4)));
    QApplication::processEvents();
    EXPECT_TRUE(d->DropDownForm()->Visible());
    EXPECT_EQ(FooterClicks, QList<int>{0});
    EXPECT_FALSE(cancel->MouseDownInControl());
}

TEST_F(DropDownBars, ButtonLayoutAndAreas)
{
    auto* d = Focused<TTestListDropDown>();
    d->SetDropDownWidth(240);
    for (const char* c : {"One", "Two", "Three"}) d->DropDownHeader()->Buttons()->Add()->SetCaption(c);
    d->DropDownHeader()->SetCaption(QStringLiteral("Caption"));
    auto* tall = d->DropDownFooter()->Buttons()->Add();
    tall->SetCaption(QStringLiteral("Tall"));
    tall->SetHeight(40);
    ClickButton(d);
    TAdvHeader* h = d->DropDownForm()->Header();
    TAdvFooter* f = d->DropDownForm()->Footer();
    ASSERT_EQ(h->ButtonList()->Count(), 3);
    const TRect area = h->GetButtonArea();
    EXPECT_EQ(area, TRect(2, 2, h->Width() - 2, h->Height() - 3));
    EXPECT_EQ(h->Button(0)->Left() + h->Button(0)->Width(), area.Right);
    EXPECT_EQ(h->Button(1)->Left() + h->Button(1)->Width(), h->Button(0)->Left());
    EXPECT_EQ(h->Button(2)->Left() + h->Button(2)->Width(), h->Button(1)->Left());
    EXPECT_EQ(h->GetCaptionArea().Right, h->Button(2)->Left() - 2);
    EXPECT_EQ(f->Button(0)->Height(), 18);

    // The grip keeps 14 pixels on the right while the pop-up is sizeable.
    EXPECT_EQ(f->GetButtonArea(), TRect(2, 2, f->Width() - 14, f->Height() - 2));
    d->HideDropDown(true);
    d->SetDropDownSizeable(false);
    ClickButton(d);
    EXPECT_EQ(f->GetButtonArea().Right, f->Width() - 2);
    EXPECT_FALSE(f->SizeGripVisible());

    TAdvHeader lone(nullptr);
    EXPECT_EQ(lone.GetCaptionArea(), TRect(-1, -1, -1, -1));
    EXPECT_EQ(lone.Buttons(), nullptr);
}

TEST_F(DropDownBars, AutoSizeIsTheCaptionExtentPlusMargins)
{
    TAdvButtonAppearance look;
    TAdvButton b(nullptr);
    b.SetAppearance(&look);
    b.SetCaption(QStringLiteral("OK"));
    b.AutoSizeButton();
    TBitmap measure(1, 1);
    measure.Canvas()->SetFont(look.Font());
    const TSize text = GetTextExtent(measure.Canvas(), QStringLiteral("OK"));
    EXPECT_EQ(b.Width(), text.cx + 8);
    EXPECT_EQ(b.Height(), text.cy + 4);
}

TEST_F(DropDownBars, TheBarTakesTheAppearanceHeightAtEveryPreparation)
{
    auto* d = Focused<TTestListDropDown>();
    ClickButton(d);
    d->HideDropDown(false);
    TFooterAppearance taller(nullptr);
    taller.Assign(d->DropDownFooter());
    taller.SetHeight(34);
    int changes = 0;
    d->DropDownFooter()->OnChange = [&](TObject*) { ++changes; };
    d->DropDownFooter()->Assign(&taller);
    EXPECT_EQ(changes, 0);
    ClickButton(d);
    EXPECT_EQ(d->DropDownForm()->Footer()->Height(), 34);
}

TEST_F(DropDownBars, BorderSidesFollowThePopUpFrame)
{
    // The separating line always; the other three sides only when the pop-up
    // has no frame of its own.
    struct Case {
        int DropDownBorderWidth;
        TColor DropDownBorderColor;
        bool LeftSide;
    };
    const Case cases[] = {{1, clBlack, false}, {1, clNone, true}, {0, clBlack, true}};
    for (const Case& c : cases) {
        auto* d = Add<TTestListDropDown>(20, 20);
        d->SetDropDownBorderWidth(c.DropDownBorderWidth);
        d->SetDropDownBorderColor(c.DropDownBorderColor);
        d->DropDownHeader()->SetColor(clWhite);
        d->DropDownHeader()->SetColorTo(clNone);
        d->DropDownHeader()->SetBorderColor(clRed);
        TAdvHeader h(nullptr);
        h.SetBounds(0, 0, 100, 22);
        h.SetAdvDropDown(d);
        const QImage shot = h.Widget()->grab().toImage();
        EXPECT_EQ(shot.pixelColor(50, 21), QColor(Qt::red));
        EXPECT_EQ(h.FullOutline(), c.LeftSide) << c.DropDownBorderWidth << " " << c.DropDownBorderColor;
        h.SetAdvDropDown(nullptr);
        Free(d);
    }
}

TEST_F(DropDownBars, CheckedListAccess)
{
    TDbgList list;
    int a = 1, b = 2;
    list.Add(&a);
    EXPECT_EQ(list.GetItemsEx(0), &a);
    try {
        list.GetItemsEx(1);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Index out of bounds in list read access"));
    }
    try {
        list.SetItemsEx(1, &b);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Index out of bounds in list write access"));
    }
    EXPECT_ANY_THROW(list.GetItemsEx(-1));
    TList other;
    other.Add(&b);
    other.Add(&a);
    list.AssignList(&other);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Items(0), &b);
}

TEST_F(DropDownBars, ButtonFaces)
{
    // The normal face (solid without ColorTo) and the disabled face.
    TAdvButtonAppearance look;
    look.SetColor(clWhite);
    look.SetColorTo(clNone);
    look.SetColorHot(clYellow);
    look.SetColorHotTo(clRed);
    look.SetColorDisabled(clSilver);
    TAdvButton b(nullptr);
    b.SetBounds(0, 0, 40, 20);
    auto centre = [&] { return b.Widget()->grab().toImage().pixelColor(20, 3); };
    b.SetAppearance(&look);
    EXPECT_EQ(centre(), QColor(Qt::white));
    b.SetEnabled(false);
    EXPECT_EQ(centre(), QColor(192, 192, 192));
}

TEST_F(DropDownBars, GrabOfThePopUpWithBars)
{
    auto* d = WithButtons();
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    const QString path = TestHarness::GrabPath(QStringLiteral("dropdown-bars.png"));
    TestHarness::GrabToPng(d->DropDownForm(), path);
}

}  // namespace

namespace {

TEST_F(DropDownBars, AppearanceEventsRefreshTheShownPopUp)
{
    auto* d = Focused<TTestListDropDown>();
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    TAdvHeader* h = d->DropDownForm()->Header();
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->ButtonList()->Count(), 0);
    // A new button (the collection's change) and a hidden bar show at once.
    d->DropDownHeader()->Buttons()->Add();
    d->DropDownHeader()->Buttons()->Items(0)->SetCaption(QStringLiteral("Go"));
    EXPECT_EQ(h->ButtonList()->Count(), 1);
    d->DropDownHeader()->SetVisible(false);
    EXPECT_FALSE(h->Visible());
}

}  // namespace
