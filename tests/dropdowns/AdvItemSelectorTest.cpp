// The item selector: layout, navigation, look-up, scrolling into view,
// the appearance presets, and that a hot or selection change repaints only
// the items involved.
#include "AdvItemSelector.h"
#include "DropDownFixture.h"
#include "SysUtils.h"
#include "TestHarness.h"

namespace {

class ItemSelector : public DropDownTest {
protected:
    TAdvCustomItemSelector* Selector(int count, int columns = 1)
    {
        auto* s = Add<TAdvCustomItemSelector>(20, 20, 200, 120);
        s->SetColumns(columns);
        for (int i = 0; i < count; ++i) s->Items()->Add()->SetCaption(QStringLiteral("Item %1").arg(i));
        return s;
    }
};

TEST_F(ItemSelector, ArrangeItemsFillsRowsWithAMargin)
{
    auto* s = Selector(7, 3);
    s->OnItemSize = [](TObject*, TSize& size) { size = TSize(60, 22); };
    s->UpdateSelectorPanel();
    TCustomItemSelector* p = s->SelectorPanel();
    const TRect expected[] = {{2, 2, 62, 24},   {62, 2, 122, 24}, {122, 2, 182, 24}, {2, 24, 62, 46},
                              {62, 24, 122, 46}, {122, 24, 182, 46}, {2, 46, 62, 68}};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(p->GetItemRect(i), expected[i]) << i;
    EXPECT_EQ(s->GetPanelSize(), TSize(184, 70));
    EXPECT_EQ(p->ItemAtPos(62, 2), 1);
    EXPECT_EQ(p->ItemAtPos(61, 23), 0);
    EXPECT_EQ(p->ItemAtPos(190, 2), -1);

    auto* empty = Selector(0);
    EXPECT_EQ(empty->GetPanelSize(), TSize(100, 50));
    EXPECT_EQ(empty->GetVisibleItemCount(), 0);

    // An item height of 0 gives no page rather than a division by zero.
    s->OnItemSize = [](TObject*, TSize& size) { size = TSize(60, 0); };
    s->UpdateSelectorPanel();
    EXPECT_EQ(s->GetVisibleItemCount(), 0);
}

TEST_F(ItemSelector, ColourItemSizeIsBoxGapCaptionAndInsets)
{
    auto* s = Selector(1);
    s->SetSelectorType(stColor);
    s->Items()->Items(0)->SetCaption(QStringLiteral("Red"));
    s->UpdateSelectorPanel();
    TBitmap measure(1, 1);
    measure.Canvas()->SetFont(s->ItemAppearance()->Font());
    const TSize text = DrawHTMLCaption(measure.Canvas(), QStringLiteral("Red"), TRect(0, 0, 1000, 500), nullptr,
                                       false, nullptr);
    const TSize size = s->SelectorPanel()->GetItemSize();
    EXPECT_EQ(size.cx, 8 + 14 + 4 + int(text.cx) + 4);
    EXPECT_EQ(size.cy, std::max(int(text.cy), 14) + 8);
}

TEST_F(ItemSelector, NavigationStopsAtTheEnds)
{
    auto* s = Selector(3);
    int selects = 0;
    s->OnItemSelect = [&](TObject* sender) {
        EXPECT_EQ(sender, s);
        ++selects;
    };
    struct Step {
        void (TAdvCustomItemSelector::*Move)();
        int Expected;
    };
    const Step steps[] = {
        {&TAdvCustomItemSelector::SelectPrevious, 0}, {&TAdvCustomItemSelector::SelectPrevious, 0},
        {&TAdvCustomItemSelector::SelectLast, 2},     {&TAdvCustomItemSelector::SelectNext, 2},
        {&TAdvCustomItemSelector::SelectPrevious, 1}, {&TAdvCustomItemSelector::SelectFirst, 0},
    };
    for (const Step& st : steps) {
        (s->*st.Move)();
        EXPECT_EQ(s->ItemIndex(), st.Expected);
    }
    EXPECT_EQ(selects, 4);
    s->HotNext();
    s->HotNext();
    EXPECT_EQ(s->ItemHot(), 1);
    s->HotPrevious();
    s->HotPrevious();
    EXPECT_EQ(s->ItemHot(), 0);

    // An index beyond the items is stored and still reported.
    s->SetItemIndex(7);
    EXPECT_EQ(s->ItemIndex(), 7);
    EXPECT_EQ(selects, 5);
}

TEST_F(ItemSelector, LookupComparesTheTextAsGiven)
{
    auto* s = Selector(0);
    for (const char* c : {"<b>Green</b>", "  <i>red</i> ", "Reddish"}) s->Items()->Add()->SetCaption(c);
    EXPECT_TRUE(s->LookupItem(QStringLiteral("RE")));
    EXPECT_EQ(s->ItemIndex(), 1);
    EXPECT_FALSE(s->LookupItem(QStringLiteral("re")));
    EXPECT_EQ(s->ItemIndex(), 1);
}

TEST_F(ItemSelector, ScrollItemInViewBringsTheItemWithItsMargin)
{
    auto* s = Selector(20);
    s->SetBounds(20, 20, 200, 100);
    s->OnItemSize = [](TObject*, TSize& size) { size = TSize(150, 20); };
    s->SetScrollMargin(3);
    s->UpdateSelectorPanel();
    ShowForm();
    ASSERT_TRUE(s->VertScrollBar()->IsScrollBarVisible());
    const int clientHeight = s->ClientRect().Height();
    s->SetItemIndex(10);  // rows 202-222
    EXPECT_EQ(s->VertScrollBar()->Position(), 222 + 3 - clientHeight);
    s->VertScrollBar()->SetPosition(150);
    s->ScrollItemInView(5);  // rows 102-122, above the view
    EXPECT_EQ(s->VertScrollBar()->Position(), 102 - 3);
}

TEST_F(ItemSelector, AppearancePresetsAndAssign)
{
    TItemAppearance a(nullptr);
    EXPECT_EQ(a.ColorStyle(), scOffice2007);
    EXPECT_EQ(a.ColorHot(), TColor(14155773));
    EXPECT_EQ(a.ColorMirrorSelectedTo(), TColor(6874105));
    a.SetColorStyle(scWindows7);
    EXPECT_EQ(a.BorderColor(), TColor(13542013));
    EXPECT_EQ(a.ColorMirrorHot(), clNone);

    // A source of another style reloads that style over the copied colours;
    // the text and single-frame colours come after.
    TItemAppearance src(nullptr);
    src.SetColorHot(clRed);
    src.SetColorHotText(clBlue);
    a.Assign(&src);
    EXPECT_EQ(a.ColorStyle(), scOffice2007);
    EXPECT_EQ(a.ColorHot(), TColor(14155773));
    EXPECT_EQ(a.ColorHotText(), clBlue);

    TTestListDropDown* d = Add<TTestListDropDown>(0, 0);
    d->SetItemAppearanceStyle(&a, TVisualStyle::tsWindowsXP);
    EXPECT_EQ(a.ColorSelected(), clHighlight);
    EXPECT_EQ(a.ColorSelectedText(), clHighlightText);
    EXPECT_EQ(a.ColorHotText(), TColor(0));
    d->SetItemAppearanceStyle(&a, TVisualStyle::tsCustom);
    EXPECT_EQ(a.ColorSelected(), clHighlight);
    d->SetItemAppearanceStyle(&a, TVisualStyle::tsOffice2010Black);
    EXPECT_EQ(a.BorderColor(), TColor(3181250));
    EXPECT_EQ(a.ColorSelectedText(), TColor(0));
    d->SetItemAppearanceStyle(nullptr, TVisualStyle::tsWindows7);
}

TEST_F(ItemSelector, APanelNeedsItsContainer)
{
    try {
        TCustomItemSelector p(Form);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Invalid parent"));
    }
}

TEST_F(ItemSelector, HotAndSelectionChangesRepaintOnlyTheItemsInvolved)
{
    auto* s = Selector(12, 3);
    ShowForm();
    QApplication::processEvents();
    QList<int> drawn;
    s->OnDrawItem = [&](TObject*, TCanvas*, TRect, int i) { drawn << i; };
    TCustomItemSelector* p = s->SelectorPanel();
    p->SetItemHot(4);
    QApplication::processEvents();
    p->SetItemHot(5);
    s->SetItemIndex(7);
    QApplication::processEvents();
    for (int i : drawn) EXPECT_TRUE(i == 4 || i == 5 || i == 7) << i;
    EXPECT_TRUE(drawn.contains(4) && drawn.contains(5) && drawn.contains(7));
}

TEST_F(ItemSelector, MouseMakesHotAndSelects)
{
    auto* s = Selector(6, 2);
    s->Items()->Items(3)->SetHint(QStringLiteral("Fourth"));
    ShowForm();
    TCustomItemSelector* p = s->SelectorPanel();
    const TRect r = p->GetItemRect(3);
    p->Perform(WM_MOUSEMOVE, 0, MakeLParam(r.Left + 5, r.Top + 5));
    EXPECT_EQ(s->ItemHot(), 3);
    EXPECT_EQ(p->Hint(), QStringLiteral("Fourth"));
    Click(p, TPoint(r.Left + 5, r.Top + 5));
    EXPECT_EQ(s->ItemIndex(), 3);

    const QString path = TestHarness::GrabPath(QStringLiteral("item-selector.png"));
    TestHarness::GrabToPng(s, path);
}

}  // namespace
