// Standard controls: the rules with logic of their own (check box clicks,
// edit keys and limits, combo box index and text, page switching, category
// panels, label accelerators, link clicks) and a look at all of them.
#include "CategoryPanels.h"
#include "Clock.h"
#include "ComCtrls.h"
#include "ControlsTestKit.h"
#include "ExtCtrls.h"
#include "Services.h"
#include "StdCtrls.h"
#include "TestHarness.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace {

struct StdForm : ::testing::Test {
    void SetUp() override
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(10, 10, 400, 300);
    }
    void TearDown() override { Free(Form); }
    template <class T>
    T* Add(int x, int y, int w, int h)
    {
        auto* c = new T(Form);
        c->SetParent(Form);
        c->SetBounds(x, y, w, h);
        return c;
    }
    void Type(const QString& text)
    {
        for (QChar ch : text) Input::Key(Form->Widget(), Qt::Key_unknown, Qt::NoModifier, QString(ch));
    }
    TForm* Form = nullptr;
    QStringList Log;
};

using CheckBoxTest = StdForm;
using EditTest = StdForm;
using ComboBoxTest = StdForm;
using ListBoxTest = StdForm;
using PageControlTest = StdForm;
using CategoryPanelTest = StdForm;
using LabelTest = StdForm;
using LinkLabelTest = StdForm;
using LookTest = StdForm;

// ---- check box

TEST_F(CheckBoxTest, WritingCheckedClicksOnlyOnAChange)
{
    auto* cb = Add<TCheckBox>(8, 8, 120, 17);
    int clicks = 0;
    cb->OnClick = [&](TObject* s) {
        EXPECT_EQ(s, cb);
        ++clicks;
    };
    cb->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    cb->SetChecked(true);
    EXPECT_EQ(clicks, 1) << "no change, no click";
    cb->SetChecked(false);
    EXPECT_EQ(clicks, 2);
    EXPECT_FALSE(static_cast<QCheckBox*>(cb->Widget())->isChecked());

    // While its owner loads, a write sets the state without clicking.
    Form->BeginLoading();
    cb->SetChecked(true);
    Form->EndLoading();
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(cb->Checked());
}

TEST_F(CheckBoxTest, TheUsersClickTogglesAndClicksOnce)
{
    auto* cb = Add<TCheckBox>(8, 8, 120, 17);
    cb->SetCaption("Tick");
    QStringList log;
    cb->OnClick = [&](TObject*) { log << (cb->Checked() ? "on" : "off"); };
    Form->Show();
    Input::Click(cb, QPoint(6, 8));
    Input::Click(cb, QPoint(6, 8));
    EXPECT_EQ(log, (QStringList{"on", "off"}));
    // A handler that refuses the tick puts it back; the widget shows ours.
    cb->OnClick = [&](TObject*) { if (cb->Checked()) cb->SetChecked(false); };
    Input::Click(cb, QPoint(6, 8));
    EXPECT_FALSE(cb->Checked());
    EXPECT_FALSE(static_cast<QCheckBox*>(cb->Widget())->isChecked());
}

// ---- edit

TEST_F(EditTest, KeyPressChangesOrDropsWhatIsTyped)
{
    auto* e = Add<TEdit>(8, 8, 100, 21);
    int changes = 0;
    e->OnChange = [&](TObject*) { ++changes; };
    // As the octet edits do: a period is never typed, a comma becomes one.
    e->OnKeyPress = [](TObject*, QChar& k) {
        if (k == QLatin1Char('.')) k = QChar();
        if (k == QLatin1Char(',')) k = QLatin1Char('.');
    };
    Form->Show();
    e->SetFocus();
    Type("1.2,3");
    EXPECT_EQ(e->Text(), QStringLiteral("12.3"));
    EXPECT_EQ(changes, 4);
    Input::Key(Form->Widget(), Qt::Key_Backspace);
    EXPECT_EQ(e->Text(), QStringLiteral("12."));
}

TEST_F(EditTest, MaxLengthLimitsTypingNotTheProgram)
{
    auto* e = Add<TEdit>(8, 8, 100, 21);
    e->SetMaxLength(3);
    Form->Show();
    e->SetFocus();
    Type("abcd");
    EXPECT_EQ(e->Text(), QStringLiteral("abc"));
    e->SetText("longer text");
    EXPECT_EQ(e->Text(), QStringLiteral("longer text"));
    EXPECT_EQ(static_cast<QLineEdit*>(e->Widget())->text(), QStringLiteral("longer text"));
}

TEST_F(EditTest, TextSelectionReadOnlyAndChange)
{
    auto* e = Add<TEdit>(8, 8, 100, 21);
    QStringList log;
    e->OnChange = [&](TObject*) { log << e->Text(); };
    e->SetText("192");
    EXPECT_EQ(log, QStringList{"192"});
    EXPECT_EQ(e->SelStart(), 0);
    EXPECT_EQ(e->SelLength(), 0);
    e->SetSelStart(1);
    e->SetSelLength(5);  // clipped to the text
    EXPECT_EQ(e->SelStart(), 1);
    EXPECT_EQ(e->SelLength(), 2);
    EXPECT_EQ(e->SelText(), QStringLiteral("92"));
    e->SelectAll();
    EXPECT_EQ(e->SelLength(), 3);

    // Entering by keyboard selects all, so typing replaces the text.
    Form->Show();
    e->SetFocus();
    Type("7");
    EXPECT_EQ(e->Text(), QStringLiteral("7"));

    e->SetReadOnly(true);
    Type("8");
    EXPECT_EQ(e->Text(), QStringLiteral("7"));
    e->SetText("x");  // the program still writes
    EXPECT_EQ(e->Text(), QStringLiteral("x"));
}

TEST_F(EditTest, OnExitWhenTheFocusMovesOn)
{
    auto* a = Add<TEdit>(8, 8, 100, 21);
    auto* b = Add<TEdit>(8, 40, 100, 21);
    int exits = 0;
    a->OnExit = [&](TObject*) { ++exits; };
    Form->Show();
    a->SetFocus();
    b->SetFocus();
    EXPECT_EQ(exits, 1);
}

// ---- memo and rich edit

TEST(MemoTest, LinesAreTheTextSplitAtLineBreaks)
{
    TForm* f = Create<TForm>(nullptr);
    TCustomMemo* memos[] = {new TMemo(f), new TRichEdit(f)};
    for (TCustomMemo* m : memos) {
        m->SetParent(f);
        int changes = 0;
        m->OnChange = [&](TObject*) { ++changes; };
        m->SetText("one\r\ntwo\r\n");
        EXPECT_EQ(m->Lines()->Count(), 2) << m->ClassName().toStdString();
        EXPECT_EQ(m->Lines()->Strings(1), QStringLiteral("two"));
        m->Lines()->Add("three");
        m->Lines()->Insert(0, "zero");
        m->Lines()->Delete(1);
        EXPECT_EQ(m->Text(), QStringLiteral("zero\r\ntwo\r\nthree\r\n"));
        EXPECT_EQ(m->Lines()->Text(), m->Text());
        EXPECT_EQ(changes, 4);
        m->Lines()->Clear();
        EXPECT_EQ(m->Lines()->Count(), 0);
        m->SetReadOnly(true);
        EXPECT_TRUE(m->ReadOnly());
        EXPECT_THROW(m->Lines()->Strings(0), EStringListError);
    }
    Free(f);
}

// ---- list box

TEST_F(ListBoxTest, ItemsIndexAndClickOnTheUsersChoice)
{
    auto* lb = Add<TListBox>(8, 8, 120, 80);
    int clicks = 0;
    lb->OnClick = [&](TObject*) { ++clicks; };
    lb->Items()->Add("P1");
    lb->Items()->Add("P2");
    EXPECT_EQ(lb->ItemIndex(), -1);
    lb->SetItemIndex(1);
    EXPECT_EQ(lb->ItemIndex(), 1);
    EXPECT_EQ(clicks, 0) << "the program's choice is no click";
    lb->SetItemIndex(5);
    EXPECT_EQ(lb->ItemIndex(), -1);
    Form->Show();
    lb->SetFocus();
    Input::Key(Form->Widget(), Qt::Key_Down);
    EXPECT_EQ(lb->ItemIndex(), 0);
    EXPECT_EQ(clicks, 1);
    TObject tag;
    lb->Items()->SetObjects(0, &tag);
    EXPECT_EQ(lb->Items()->Objects(0), &tag);
    EXPECT_EQ(lb->Items()->IndexOf("p2"), 1);
}

// ---- combo box

TEST_F(ComboBoxTest, ItemIndexAndTextInBothStyles)
{
    struct Case {
        TComboBoxStyle style;
        QString textAfterUnknown;  // Text after writing a text no item has
        int indexAfterUnknown;
    };
    const Case cases[] = {
        {csDropDown, "free text", -1},
        {csDropDownList, "EVEN", 2},  // a choice list keeps its choice
    };
    for (const Case& tc : cases) {
        auto* cb = Add<TComboBox>(8, 8, 120, 21);
        cb->SetStyle(tc.style);
        int changes = 0;
        cb->OnChange = [&](TObject*) { ++changes; };
        cb->Items()->Add("NONE");
        cb->Items()->Add("ODD");
        cb->Items()->Add("EVEN");
        EXPECT_EQ(cb->ItemIndex(), -1) << "adding items selects none";
        EXPECT_EQ(cb->Text(), QString());
        cb->SetItemIndex(2);
        EXPECT_EQ(cb->Text(), QStringLiteral("EVEN"));
        cb->SetText("odd");
        EXPECT_EQ(cb->ItemIndex(), 1) << "a text names its item, without case";
        cb->SetItemIndex(2);
        cb->SetText("free text");
        EXPECT_EQ(cb->Text(), tc.textAfterUnknown) << tc.style;
        EXPECT_EQ(cb->ItemIndex(), tc.indexAfterUnknown) << tc.style;
        cb->SetItemIndex(7);
        EXPECT_EQ(cb->ItemIndex(), -1);
        EXPECT_EQ(cb->Text(), QString());
        EXPECT_EQ(changes, 0) << "the program's writes fire no OnChange";
        cb->SetItemIndex(0);
        cb->Items()->Insert(0, "FIRST");
        EXPECT_EQ(cb->ItemIndex(), 1) << "the selection stays with its item";
        cb->Items()->Delete(1);
        EXPECT_EQ(cb->ItemIndex(), -1) << "its item gone, nothing is selected";
        EXPECT_EQ(changes, 0);
        Free(cb);
    }
}

TEST_F(ComboBoxTest, TheUsersChoiceAndTypingFireOnChange)
{
    auto* list = Add<TComboBox>(8, 8, 120, 21);
    list->SetStyle(csDropDownList);
    list->Items()->SetCommaText("1200,2400,4800");
    list->SetItemIndex(0);
    QStringList log;
    list->OnChange = [&](TObject*) { log << list->Text(); };
    Form->Show();
    list->SetFocus();
    Input::Key(Form->Widget(), Qt::Key_Down);
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(log, QStringList{"2400"});

    auto* edit = Add<TComboBox>(8, 40, 120, 21);
    edit->SetStyle(csDropDown);
    edit->Items()->SetCommaText("RS232,RS485");
    log.clear();
    edit->OnChange = [&](TObject*) { log << edit->Text(); };
    edit->SetFocus();
    Type("ab");
    EXPECT_EQ(log, (QStringList{"a", "ab"}));
    EXPECT_EQ(edit->Text(), QStringLiteral("ab"));
}

TEST_F(ComboBoxTest, AChoiceListFindsTheTypedBeginningFromItsFirstItem)
{
    auto clock = std::make_shared<TestClock>();
    ScopedService<std::shared_ptr<IClock>> useClock(&PlatformServices::Clock, clock);
    auto* list = Add<TComboBox>(8, 8, 120, 21);
    list->SetStyle(csDropDownList);
    for (int i = 0; i < 1500; ++i) list->Items()->Add(QString::number(i));
    list->Items()->Add(QStringLiteral("Auto"));
    list->SetItemIndex(40);
    QStringList log;
    list->OnChange = [&](TObject*) { log << list->Text(); };
    Form->Show();
    list->SetFocus();
    struct Step {
        const char* Typed;
        uint64_t PauseBefore;  // ms
        const char* Shown;
    };
    // Quick characters add up; a pause longer than the system's interval
    // starts afresh; letter case does not count; no match keeps the choice.
    const uint64_t pause = 2 * uint64_t(QApplication::keyboardInputInterval());
    const Step steps[] = {{"4", 0, "4"},     {"0", 0, "40"},    {"1", pause, "1"}, {"2", 0, "12"},
                          {"0", 0, "120"},   {"0", 0, "1200"},  {"0", 0, "1200"}, {"a", pause, "Auto"},
                          {"U", 0, "Auto"}};
    for (const Step& s : steps) {
        clock->Advance(s.PauseBefore);
        Type(QLatin1String(s.Typed));
        EXPECT_EQ(list->Text(), QLatin1String(s.Shown)) << s.Typed;
    }
    EXPECT_EQ(log, (QStringList{"4", "40", "1", "12", "120", "1200", "Auto"})) << "each new choice, once";

    // In the open list the item found is marked, and Enter picks it.
    clock->Advance(pause);
    auto* combo = static_cast<QComboBox*>(list->Widget());
    list->SetDroppedDown(true);
    for (QChar ch : QStringLiteral("77")) Input::Key(combo->view(), Qt::Key_unknown, Qt::NoModifier, QString(ch));
    EXPECT_EQ(combo->view()->currentIndex().row(), 77);
    Input::Key(combo->view(), Qt::Key_Return);
    EXPECT_FALSE(list->DroppedDown());
    EXPECT_EQ(list->ItemIndex(), 77);
}

// ---- page control

TEST_F(PageControlTest, SwitchingByProgramAndByTheUser)
{
    auto* pc = Add<TPageControl>(8, 8, 300, 200);
    TTabSheet* sheets[3];
    for (int i = 0; i < 3; ++i) {
        sheets[i] = new TTabSheet(Form);
        sheets[i]->SetPageControl(pc);
        sheets[i]->SetCaption(QStringLiteral("Page %1").arg(i + 1));
    }
    QStringList log;
    pc->OnChange = [&](TObject*) { log << QStringLiteral("change %1").arg(pc->ActivePageIndex()); };
    EXPECT_EQ(pc->PageCount(), 3);
    EXPECT_EQ(pc->ActivePage(), sheets[0]);
    pc->SetActivePage(sheets[2]);
    EXPECT_EQ(pc->ActivePageIndex(), 2);
    pc->SetActivePageIndex(1);
    EXPECT_EQ(pc->ActivePage(), sheets[1]);
    EXPECT_TRUE(log.isEmpty()) << "the program's switch fires no OnChange";

    Form->Show();
    QTabBar* bar = static_cast<QTabWidget*>(pc->Widget())->tabBar();
    auto clickTab = [&](int i) {
        QPoint p = bar->tabRect(i).center();
        Input::Mouse(bar, QEvent::MouseButtonPress, Qt::LeftButton, p, Qt::LeftButton);
        Input::Mouse(bar, QEvent::MouseButtonRelease, Qt::LeftButton, p, Qt::NoButton);
    };
    clickTab(0);
    EXPECT_EQ(log, QStringList{"change 0"});
    // OnChanging may keep the page.
    pc->OnChanging = [](TObject*, bool& allow) { allow = false; };
    clickTab(2);
    EXPECT_EQ(pc->ActivePageIndex(), 0);
    EXPECT_EQ(log.size(), 1);

    // A sheet fills the page area; its alClient child follows it.
    auto* inner = new TPanel(Form);
    inner->SetParent(sheets[0]);
    inner->SetAlign(alClient);
    EXPECT_GT(sheets[0]->Width(), 250);
    EXPECT_EQ(inner->Width(), sheets[0]->ClientWidth());

    sheets[1]->SetTabVisible(false);
    EXPECT_EQ(sheets[1]->TabIndex(), -1);
    EXPECT_EQ(sheets[2]->TabIndex(), 1);
    EXPECT_FALSE(bar->isTabVisible(1));
    sheets[0]->SetCaption("First");
    EXPECT_EQ(bar->tabText(0), QStringLiteral("First"));

    Free(sheets[0]);
    EXPECT_EQ(pc->PageCount(), 2);
    EXPECT_EQ(pc->Pages(0), sheets[1]);
}

// ---- category panels

TEST_F(CategoryPanelTest, CollapseAndExpandChangeTheScrollExtent)
{
    auto* group = Add<TCategoryPanelGroup>(0, 0, 300, 250);
    group->SetAlign(alClient);
    const int heights[] = {200, 150, 160};
    TCategoryPanel* panels[3];
    // Made in another order than they are shown, then stacked by their tops.
    for (int i : {2, 0, 1}) {
        panels[i] = new TCategoryPanel(Form);
        panels[i]->SetPanelGroup(group);
        panels[i]->SetCaption(QStringLiteral("%1. Panel").arg(i + 1));
        panels[i]->SetHeight(heights[i]);
    }
    for (int i = 0; i < 3; ++i) panels[i]->SetTop(i == 0 ? 0 : panels[i - 1]->Top() + panels[i - 1]->Height());
    QStringList log;
    for (TCategoryPanel* p : panels) {
        p->OnCollapse = [&, p](TObject*) { log << "collapse " + p->Caption(); };
        p->OnExpand = [&, p](TObject*) { log << "expand " + p->Caption(); };
    }
    const int header = group->HeaderHeight();
    EXPECT_EQ(group->VertScrollBar()->Range(), 510);
    EXPECT_TRUE(group->VertScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(group->Panels(1), panels[1]);
    EXPECT_EQ(panels[2]->Top(), 350);
    EXPECT_EQ(panels[0]->Width(), group->ClientWidth()) << "panels span the client width";

    panels[0]->SetCollapsed(true);
    EXPECT_EQ(panels[0]->Height(), header);
    EXPECT_EQ(panels[1]->Top(), header);
    EXPECT_EQ(group->VertScrollBar()->Range(), header + 310);
    EXPECT_TRUE(group->VertScrollBar()->IsScrollBarVisible());

    // A height written while collapsed waits for the expansion.
    panels[0]->SetHeight(180);
    EXPECT_EQ(panels[0]->Height(), header);
    panels[1]->Collapse();
    panels[2]->Collapse();
    EXPECT_EQ(group->VertScrollBar()->Range(), 3 * header);
    EXPECT_FALSE(group->VertScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(panels[0]->Width(), group->ClientWidth()) << "the bar's room given back";

    group->ExpandAll();
    EXPECT_EQ(panels[0]->Height(), 180);
    EXPECT_EQ(group->VertScrollBar()->Range(), 490);
    EXPECT_EQ(log, (QStringList{"collapse 1. Panel", "collapse 2. Panel", "collapse 3. Panel", "expand 1. Panel",
                                "expand 2. Panel", "expand 3. Panel"}));

    // A click on the header folds the panel.
    Form->Show();
    Input::Click(panels[1], QPoint(10, header / 2));
    EXPECT_TRUE(panels[1]->Collapsed());
    Input::Click(panels[1], QPoint(10, header / 2));
    EXPECT_FALSE(panels[1]->Collapsed());
}

TEST_F(CategoryPanelTest, ChildrenSitBelowTheHeaderAndScrollMessagesMoveTheView)
{
    auto* group = Add<TCategoryPanelGroup>(0, 0, 300, 200);
    auto* panel = new TCategoryPanel(Form);
    panel->SetPanelGroup(group);
    panel->SetHeight(500);
    auto* edit = new TEdit(Form);
    edit->SetParent(panel);
    edit->SetBounds(10, 0, 80, 21);
    Form->Show();
    QPoint at = edit->Widget()->mapTo(panel->Widget(), QPoint(0, 0));
    EXPECT_EQ(at, QPoint(10, group->HeaderHeight()));
    EXPECT_EQ(panel->ClientHeight(), 500 - group->HeaderHeight());

    TControlScrollBar* vs = group->VertScrollBar();
    EXPECT_EQ(vs->Position(), 0);
    group->Perform(WM_VSCROLL, SB_LINEDOWN);
    group->Perform(WM_VSCROLL, SB_ENDSCROLL);
    EXPECT_EQ(vs->Position(), vs->Increment());
    group->Perform(WM_VSCROLL, SB_LINEUP);
    group->Perform(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(vs->Position(), 0) << "not above the top";
    group->Perform(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(vs->Position(), 500 - group->ClientHeight());
    group->Perform(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(vs->Position(), 500 - group->ClientHeight()) << "not below the bottom";

    // The wheel alone does not scroll the group; a handler does.
    vs->SetPosition(0);
    Input::Wheel(group, -120, QPoint(50, 50));
    EXPECT_EQ(vs->Position(), 0);
}

// ---- labels

TEST_F(LabelTest, AcceleratorFocusesTheFocusControl)
{
    auto* first = Add<TEdit>(100, 8, 100, 21);
    auto* second = Add<TEdit>(100, 40, 100, 21);
    auto* label = Add<TLabel>(8, 42, 80, 17);
    label->SetCaption("&Name");
    label->SetFocusControl(second);
    Form->Show();
    first->SetFocus();
    Input::Key(Form->Widget(), Qt::Key_N, Qt::AltModifier, "n");
    EXPECT_TRUE(second->Focused());
    // Gone focus control: the accelerator does nothing (and nothing dangles).
    first->SetFocus();
    Free(second);
    EXPECT_EQ(label->FocusControl(), nullptr);
    Input::Key(Form->Widget(), Qt::Key_N, Qt::AltModifier, "n");
    EXPECT_TRUE(first->Focused());
}

TEST_F(LabelTest, AutoSizeFitsTheCaptionAndClickFires)
{
    auto* label = Add<TLabel>(200, 8, 10, 10);
    label->SetCaption("Some text");
    TCanvas measure;
    measure.Font()->Assign(label->Font());
    EXPECT_EQ(label->Width(), measure.TextWidth("Some text"));
    EXPECT_EQ(label->Height(), measure.TextHeight("Some text"));
    label->SetCaption("");
    EXPECT_GT(label->Height(), 0) << "an empty label keeps a line's height";

    // Right-justified labels grow to the left.
    label->SetAlignment(taRightJustify);
    label->SetCaption("abc");
    int right = label->Left() + label->Width();
    label->SetCaption("abcdef");
    EXPECT_EQ(label->Left() + label->Width(), right);

    // Word wrap breaks the lines within the width and grows the height.
    label->SetAutoSize(false);
    label->SetWidth(40);
    label->SetWordWrap(true);
    label->SetAutoSize(true);
    label->SetCaption("one two three four");
    EXPECT_LE(label->Width(), 40);
    EXPECT_GT(label->Height(), 2 * measure.TextHeight("o"));

    int clicks = 0;
    label->SetCursor(crHandPoint);
    label->OnClick = [&](TObject*) { ++clicks; };
    Form->Show();
    Input::Click(label, QPoint(2, 2));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(label->Widget()->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(LinkLabelTest, ClickOnTheAnchorReportsItsLink)
{
    auto* ll = Add<TLinkLabel>(8, 8, 294, 17);
    ll->SetCaption(R"(<a href="https://example.invalid/download.asp#GW52104">New & better</a> version)");
    ASSERT_EQ(ll->Links().size(), 1u);
    EXPECT_EQ(ll->DisplayText(), QStringLiteral("New & better version"));
    QStringList log;
    ll->OnLinkClick = [&](TObject* s, const QString& link, TSysLinkType type) {
        EXPECT_EQ(s, ll);
        log << QStringLiteral("%1 %2").arg(link).arg(int(type));
    };
    Form->Show();
    QPoint p(4, ll->Height() / 2);
    Input::Click(ll, p);
    EXPECT_EQ(log, QStringList{"https://example.invalid/download.asp#GW52104 0"});
    // Plain text (no anchor) is no link.
    ll->SetCaption("No Update Available");
    EXPECT_TRUE(ll->Links().empty());
    Input::Click(ll, p);
    EXPECT_EQ(log.size(), 1);
    // An anchor with only an id reports the id.
    ll->SetCaption(R"(<a id="more">more</a>)");
    Input::Click(ll, p);
    EXPECT_EQ(log.last(), QStringLiteral("more 1"));
}

TEST_F(LinkLabelTest, EscapedTextShowsItsCharacters)
{
    // Texts put into the markup are escaped; they must show as written.
    auto* ll = Add<TLinkLabel>(8, 8, 294, 17);
    ll->SetCaption(R"(<a href="http://h.invalid/?a=1&amp;b=2">Q&amp;A &lt;new&gt;</a> &amp; R&D &copy;)");
    ASSERT_EQ(ll->Links().size(), 1u);
    EXPECT_EQ(ll->Links()[0].Href, QStringLiteral("http://h.invalid/?a=1&b=2"));
    EXPECT_EQ(ll->Links()[0].Text, QStringLiteral("Q&A <new>"));
    EXPECT_EQ(ll->DisplayText(), QStringLiteral("Q&A <new> & R&D &copy;"));
}

// ---- image and panel

TEST(ImageTest, WhereThePictureGoesAndItsTransparency)
{
    TForm* f = Create<TForm>(nullptr);
    auto* image = new TImage(f);
    image->SetParent(f);
    image->SetBounds(0, 0, 100, 50);
    TBitmap bmp(20, 10);
    image->Picture()->SetGraphic(&bmp);
    struct Case {
        bool stretch, proportional, center;
        TRect dest;
    };
    const Case cases[] = {
        {false, false, false, Rect(0, 0, 20, 10)},
        {false, false, true, Rect(40, 20, 60, 30)},
        {true, false, false, Rect(0, 0, 100, 50)},
        {true, true, false, Rect(0, 0, 100, 50)},  // 2:1 fits 100 x 50 exactly
        {true, true, true, Rect(0, 0, 100, 50)},
    };
    for (const Case& tc : cases) {
        image->SetStretch(tc.stretch);
        image->SetProportional(tc.proportional);
        image->SetCenter(tc.center);
        EXPECT_EQ(image->DestRect(), tc.dest) << tc.stretch << tc.proportional << tc.center;
    }
    image->SetHeight(100);  // now the width limits: 100 x 50, centred
    EXPECT_EQ(image->DestRect(), Rect(0, 25, 100, 75));

    image->SetTransparent(true);
    EXPECT_TRUE(image->Picture()->Graphic()->Transparent());
    // A picture loaded later takes the image's setting too.
    TBitmap other(4, 4);
    image->Picture()->SetGraphic(&other);
    EXPECT_TRUE(image->Picture()->Graphic()->Transparent());
    image->SetAutoSize(true);
    EXPECT_EQ(image->Width(), 4);
    Free(f);
}

TEST(PanelTest, ChildrenAlignInsideTheBevels)
{
    TForm* f = Create<TForm>(nullptr);
    f->SetBounds(0, 0, 300, 200);
    auto* panel = new TPanel(f);
    panel->SetParent(f);
    panel->SetBounds(0, 0, 200, 100);
    auto* inner = new TPanel(f);
    inner->SetParent(panel);
    inner->SetAlign(alClient);
    EXPECT_EQ(inner->BoundsRect(), Rect(1, 1, 199, 99));
    panel->SetBevelInner(bvLowered);
    panel->SetBorderWidth(2);
    EXPECT_EQ(inner->BoundsRect(), Rect(4, 4, 196, 96));
    panel->SetBevelOuter(bvNone);
    panel->SetBevelInner(bvNone);
    panel->SetBorderWidth(0);
    EXPECT_EQ(inner->BoundsRect(), Rect(0, 0, 200, 100));
    Free(f);
}

// ---- the look of all of them

TEST_F(LookTest, AFormWithEachStandardControl)
{
    Form->SetColor(TColor(15595512));
    Form->SetClientWidth(520);
    Form->SetClientHeight(460);
    auto* title = new TPanel(Form);
    title->SetParent(Form);
    title->SetAlign(alTop);
    title->SetHeight(40);
    title->SetCaption("Title panel (alTop)");
    auto* buttons = new TPanel(Form);
    buttons->SetParent(Form);
    buttons->SetAlign(alBottom);
    buttons->SetHeight(30);
    buttons->SetBevelOuter(bvLowered);
    buttons->SetCaption("Button panel (alBottom, lowered)");

    auto* big = Add<TLabel>(8, 48, 0, 0);
    big->Font()->SetHeight(-24);
    big->Font()->SetColor(clGray);
    big->SetCaption("CF52104");
    auto* bold = Add<TLabel>(140, 56, 0, 0);
    bold->Font()->SetStyle({fsBold});
    bold->SetCaption("Bold &label");
    auto* link = Add<TLinkLabel>(260, 56, 250, 17);
    link->SetCaption(R"(Link: <a href="x">click here</a> for more)");
    auto* shape = Add<TShape>(8, 84, 240, 36);
    shape->Pen()->SetColor(clSilver);
    shape->Brush()->SetStyle(bsClear);
    auto* inShape = Add<TLabel>(16, 94, 0, 0);
    inShape->SetCaption("inside a silver frame");
    auto* line = Add<TShape>(8, 128, 500, 1);
    line->SetShape(stRectangle);

    auto* edit = Add<TEdit>(8, 140, 120, 21);
    edit->SetText("Edit 192");
    auto* check = Add<TCheckBox>(140, 142, 120, 17);
    check->SetCaption("Check box");
    check->SetChecked(true);
    auto* combo = Add<TComboBox>(270, 140, 110, 21);
    combo->SetStyle(csDropDownList);
    combo->Items()->SetCommaText("RS232,RS485");
    combo->SetItemIndex(1);
    auto* combo2 = Add<TComboBox>(390, 140, 120, 21);
    combo2->Items()->SetCommaText("a,b");
    combo2->SetText("drop-down");

    auto* list = Add<TListBox>(8, 170, 120, 70);
    list->Items()->SetCommaText("Project1,Project2,Project3");
    list->SetItemIndex(1);
    auto* memo = Add<TMemo>(140, 170, 120, 70);
    memo->SetText("Memo line 1\r\nline 2");
    memo->SetScrollBars(ssVertical);
    auto* rich = Add<TRichEdit>(270, 170, 120, 70);
    rich->SetText("Rich edit, plain text");
    auto* image = Add<TImage>(400, 170, 48, 48);
    auto bmp = std::make_unique<TBitmap>(16, 16);
    bmp->Canvas()->Brush()->SetColor(clRed);
    bmp->Canvas()->FillRect(Rect(0, 0, 16, 16));
    bmp->Canvas()->Brush()->SetColor(clBlue);
    bmp->Canvas()->FillRect(Rect(4, 4, 12, 12));
    image->Picture()->SetGraphic(bmp.get());
    image->SetStretch(true);

    auto* pc = Add<TPageControl>(8, 248, 240, 130);
    auto* s1 = new TTabSheet(Form);
    s1->SetPageControl(pc);
    s1->SetCaption("Language");
    auto* s2 = new TTabSheet(Form);
    s2->SetPageControl(pc);
    s2->SetCaption("Connection");
    auto* onSheet = new TCheckBox(Form);
    onSheet->SetParent(s2);
    onSheet->SetBounds(8, 8, 150, 17);
    onSheet->SetCaption("On the second page");
    pc->SetActivePage(s2);

    auto* group = Add<TCategoryPanelGroup>(256, 248, 256, 130);
    for (int i = 0; i < 3; ++i) {
        auto* p = new TCategoryPanel(Form);
        p->SetBounds(0, i * 80, 100, 80);
        p->SetPanelGroup(group);
        p->SetCaption(QStringLiteral("%1. Category").arg(i + 1));
        auto* l = new TLabel(Form);
        l->SetParent(p);
        l->SetBounds(8, 8, 0, 0);
        l->SetCaption(QStringLiteral("content %1").arg(i + 1));
        if (i == 1) p->SetCollapsed(true);
    }
    auto* box = Add<TScrollBox>(8, 384, 240, 36);
    auto* far = new TLabel(Form);
    far->SetParent(box);
    far->SetBounds(300, 4, 0, 0);
    far->SetCaption("scroll box content");

    Form->Show();
    const QString path = TestHarness::GrabPath("standard-controls.png");
    ASSERT_TRUE(TestHarness::GrabToPng(Form, path));
    QImage img(path);
    ASSERT_FALSE(img.isNull());
    // A few pixels that must be there: the silver frame and the line.
    EXPECT_EQ(img.pixelColor(8, 84 + 10), ToQColor(clSilver));
    EXPECT_EQ(img.pixelColor(100, 128), QColor(Qt::black));
    EXPECT_TRUE(box->HorzScrollBar()->IsScrollBarVisible());
}

}  // namespace

// A form whose page control goes with its pages (each holding a control):
// the pages leave while the page control is being destroyed.
TEST(PageControlTeardown, FreeingTheFormWithItsPages)
{
    for (int active = 0; active < 3; ++active) {
        TForm* form = Create<TForm>(nullptr);
        auto* pc = new TPageControl(form);
        pc->SetParent(form);
        pc->SetAlign(alClient);
        for (int i = 0; i < 3; ++i) {
            auto* page = new TTabSheet(form);
            page->SetPageControl(pc);
            auto* label = new TLabel(form);
            label->SetParent(page);
        }
        pc->SetActivePageIndex(active);
        int changes = 0;
        pc->OnChange = [&](TObject*) { ++changes; };
        Free(form);
        EXPECT_EQ(changes, 0);
    }
}
