// The calculator drop-down: key sequences on the engine, the key pad's
// layout and clicks, and the pop-up used with the keyboard and the mouse.
#include "AdvCalculatorDropdown.h"
#include "DropDownFixture.h"
#include "TestHarness.h"

namespace {

using Calculator = DropDownTest;

// The pad's key index of a caption.
int KeyOf(TCustomButtonPanel* p, const QString& caption)
{
    for (int i = 0; i < p->Buttons()->Count(); ++i)
        if (p->Buttons()->Items(i)->Caption() == caption) return i;
    ADD_FAILURE() << caption.toStdString();
    return -1;
}

TEST_F(Calculator, KeySequences)
{
    struct Case {
        const char* Keys;  // pad captions separated by blanks
        const char* Shown;
    };
    const Case cases[] = {
        {"7 + 8 =", "15.00"},
        {"9 / 0 =", "Error"},
        {"9 / 0 = 5 +", "5.00"},
        {"2 + 3 * 4 =", "20.00"},
        {". 5", "0.50"},
        {"1 . CE 5", "5.00"},
        {"5 +/- 3", "-53.00"},
        {"2 0 0 + 1 0 %", "20.00"},
        {"2 0 0 + 1 0 % =", "220.00"},
        {"4 +/- sqrt", "Error"},
        {"0 1/x", "Error"},
        {"4 sqrt", "2.00"},
        {"8 + Back", "8.00"},
        {"5 MS C MR", "5.00"},
    };
    for (const Case& c : cases) {
        auto* d = Add<TAdvCalculatorDropdown>(20, 20);
        d->CreateDropDownForm();
        TCustomButtonPanel* p = d->ButtonPanel();
        ASSERT_NE(p, nullptr);
        d->SetText(QStringLiteral("0"));
        for (const QString& k : QString::fromLatin1(c.Keys).split(u' ')) d->ButtonClick(p, KeyOf(p, k));
        EXPECT_EQ(d->Text(), QString::fromLatin1(c.Shown)) << c.Keys;
        Free(d);
    }
}

TEST_F(Calculator, TextsThatDoNotReadAndLimits)
{
    auto* d = Add<TAdvCalculatorDropdown>(20, 20);
    d->CreateDropDownForm();
    TCustomButtonPanel* p = d->ButtonPanel();
    // A text that does not convert counts as 0 instead of raising.
    d->SetTextDirect(QStringLiteral("abc"));
    d->ButtonClick(p, KeyOf(p, QStringLiteral("+")));
    EXPECT_EQ(d->Text(), QStringLiteral("0.00"));
    EXPECT_EQ(d->Engine().PrevVal(), 0);

    // Digit keys stop at MaxLength.
    d->SetText(QStringLiteral("0"));
    d->SetMaxLength(6);
    for (const char* k : {"1", "2", "3", "4"}) d->ButtonClick(p, KeyOf(p, QString::fromLatin1(k)));
    EXPECT_EQ(d->Text(), QStringLiteral("123.00"));
    d->SetMaxLength(0);

    // Memory reads the number without its thousand separators.
    d->SetShowThousandSeparator(true);
    d->SetFloatValue(1234.5);
    EXPECT_EQ(d->Text(), QStringLiteral("1,234.50"));
    d->ButtonClick(p, KeyOf(p, QStringLiteral("MS")));
    EXPECT_EQ(d->Engine().Memory(), 1234.5);
    d->ButtonClick(p, KeyOf(p, QStringLiteral("C")));
    d->ButtonClick(p, KeyOf(p, QStringLiteral("MR")));
    EXPECT_EQ(d->Text(), QStringLiteral("1,234.50"));

    // Reading Value of an empty edit writes "0".
    d->SetText(QString());
    EXPECT_EQ(d->Value(), 0);
    EXPECT_EQ(d->Text(), QStringLiteral("0.00"));
}

TEST_F(Calculator, FreshCalculatorTakesTheStyleColours)
{
    auto* d = Add<TAdvCalculatorDropdown>(20, 20);
    EXPECT_EQ(d->CalcButtonAppearance()->ColorHot(), d->ButtonAppearance()->ColorHot());
    EXPECT_EQ(d->CalcButtonAppearance()->Color(), d->ButtonAppearance()->Color());
    EXPECT_EQ(d->CalcButtonAppearance()->GlowColorDown(), TColor(14008900));
    EXPECT_EQ(d->DropDownWidth(), 230);
    EXPECT_EQ(d->Precision(), 2);
    EXPECT_FALSE(d->DropDownHeader()->Visible());
}

TEST_F(Calculator, KeyPadLayout)
{
    TCustomButtonPanel p(nullptr);
    p.SetBounds(0, 0, 228, 150);
    p.CreateDefaultButtons();
    ASSERT_EQ(p.Buttons()->Count(), 28);
    struct Case {
        const char* Caption;
        TRect Rect;
    };
    const Case cases[] = {
        {"", {8, 8, 42, 34}},          {"Back", {46, 8, 100, 34}}, {"CE", {104, 8, 158, 34}},
        {"C", {162, 8, 217, 34}},      {"MC", {8, 38, 42, 64}},    {"7", {46, 38, 80, 64}},
        {"8", {79, 38, 113, 64}},      {"9", {112, 38, 146, 64}},  {"/", {150, 38, 184, 64}},
        {"sqrt", {183, 38, 217, 64}},  {"0", {46, 113, 80, 139}},  {"=", {183, 113, 217, 139}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(p.GetButtonRect(KeyOf(&p, QString::fromLatin1(c.Caption))), c.Rect) << c.Caption;
    EXPECT_EQ(p.Buttons()->Items(20)->CaptionColor(), clMaroon);
    EXPECT_EQ(p.GetButtonRect(28), TRect(-1, -1, -1, -1));

    // A second creation with keys present changes nothing.
    p.Buttons()->Items(0)->SetRect(1, 1, 1, 1);
    p.CreateDefaultButtons();
    EXPECT_EQ(p.Buttons()->Count(), 28);
    EXPECT_EQ(p.GetButtonRect(0), TRect(1, 1, 2, 2));
    p.SetButtonPanelType(plCustom);
    EXPECT_EQ(p.GetButtonRect(0), TRect(1, 1, 2, 2));
}

TEST_F(Calculator, PopUpWithKeysAndMouse)
{
    auto* d = Focused<TAdvCalculatorDropdown>();
    d->SetText(QStringLiteral("3"));
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    TDropDownForm* f = d->DropDownForm();
    TCustomButtonPanel* p = d->ButtonPanel();

    Type(f, QStringLiteral("7+8="));
    EXPECT_EQ(d->Text(), QStringLiteral("15.00"));
    EXPECT_TRUE(f->Visible());

    auto clickKey = [&](const char* caption) {
        const TRect r = p->GetButtonRect(KeyOf(p, QString::fromLatin1(caption)));
        Click(p, TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2));
    };
    for (const char* k : {"9", "/", "0", "="}) clickKey(k);
    EXPECT_EQ(d->Text(), QStringLiteral("Error"));
    for (const char* k : {"5", "+"}) clickKey(k);
    EXPECT_EQ(d->Text(), QStringLiteral("5.00"));

    const QString path = TestHarness::GrabPath(QStringLiteral("calculator-open.png"));
    TestHarness::GrabToPng(f, path);

    // Enter computes and closes keeping the result.
    Type(f, QStringLiteral("2"));
    Key(f, Qt::Key_Return);
    EXPECT_FALSE(f->Visible());
    EXPECT_EQ(d->Text(), QStringLiteral("7.00"));

    // Esc brings back the text from before the opening.
    ClickButton(d);
    ASSERT_TRUE(f->Visible());
    Type(f, QStringLiteral("9*9"));
    Key(f, Qt::Key_Escape);
    EXPECT_FALSE(f->Visible());
    EXPECT_EQ(d->Text(), QStringLiteral("7.00"));
}

TEST_F(Calculator, ClosedEditComputesOperatorsButNotEnter)
{
    auto* d = Focused<TAdvCalculatorDropdown>();
    d->SetText(QStringLiteral("0"));
    Type(d, QStringLiteral("12+3"));
    EXPECT_EQ(d->Text(), QStringLiteral("3.00"));
    Key(d, Qt::Key_Return);
    EXPECT_EQ(d->Text(), QStringLiteral("3.00"));
    Type(d, QStringLiteral("="));
    EXPECT_EQ(d->Text(), QStringLiteral("15.00"));
}

TEST_F(Calculator, APressMovedOffAKeyClicksNothing)
{
    TCustomButtonPanel p(nullptr);
    p.SetParent(Form);
    p.SetBounds(0, 0, 228, 150);
    p.CreateDefaultButtons();
    ShowForm();
    QList<int> clicks;
    p.OnButtonClick = [&](TObject*, int i) { clicks << i; };
    QWidget* w = p.Widget();
    QWindow* window = w->window()->windowHandle();
    const TRect seven = p.GetButtonRect(11), eight = p.GetButtonRect(12);
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, w->mapTo(w->window(), QPoint(seven.Left + 5, seven.Top + 5)));
    QTest::mouseMove(window, w->mapTo(w->window(), QPoint(eight.Left + 10, eight.Top + 5)));
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, w->mapTo(w->window(), QPoint(eight.Left + 10, eight.Top + 5)));
    QApplication::processEvents();
    EXPECT_TRUE(clicks.isEmpty());
    Click(&p, TPoint(seven.Left + 5, seven.Top + 5));
    EXPECT_EQ(clicks, QList<int>{11});
    p.SetParent(nullptr);
}

}  // namespace
