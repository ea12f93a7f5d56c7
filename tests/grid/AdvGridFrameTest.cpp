// The string grid's frame: defaults, the end of loading, bounds with
// integral height, the swallowed repaint, assignment, window creation, the
// owner form's resizes, and the unit's start-up.

#include "AdvGridTestKit.h"
#include "AdvDateTimePicker.h"
#include "AdvGridUnit.h"
#include "Names.h"
#include "OsProfile.h"
#include "Services.h"

#include <QAbstractSlider>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct FormDeleter {
    void operator()(TForm* f) const { Free(f); }
};
using FormPtr = std::unique_ptr<TForm, FormDeleter>;

FormPtr NewForm()
{
    FormPtr f(Create<TForm>(nullptr));
    f->SetBounds(0, 0, 640, 480);
    return f;
}

} // namespace

TEST(AdvGridFrame, DefaultsOfANewGrid)
{
    TTestAdvGridPtr g(Create<TTestAdvGrid>(nullptr));
    EXPECT_EQ(g->RowCount(), 10);
    EXPECT_EQ(g->Width(), 400);
    EXPECT_EQ(g->Height(), 250);
    EXPECT_EQ(g->DefaultRowHeight(), 22);
    EXPECT_EQ(g->FixedRowHeight(), 22);
    EXPECT_EQ(g->FloatFormat(), "%.2f");
    EXPECT_EQ(g->PasswordChar(), "*");
    EXPECT_EQ(g->CheckTrue(), "Y");
    EXPECT_EQ(g->CheckFalse(), "N");
    EXPECT_EQ(g->SelectionColor(), TColor(0xEACAB6));
    EXPECT_EQ(g->BorderColor(), TColor(0xB99D7F));
    EXPECT_EQ(g->Look(), glXP);
    EXPECT_EQ(g->GroupColumn(), -1);
    EXPECT_EQ(g->NumHiddenColumns(), 0);
    EXPECT_EQ(g->NumHiddenRows(), 0);
    EXPECT_EQ(g->XYOffset(), TPoint(2, 2));
    EXPECT_EQ(g->Style(), TVisualStyle::tsWindowsXP);
    EXPECT_TRUE(g->ControlStyle() & csAcceptsControls);
    // Every grid is made with the search footer's English captions.
    EXPECT_EQ(g->SearchFooter()->FindNextCaption(), "Find &next");
    EXPECT_EQ(g->SearchFooter()->HintClose(), "Close");
    // The run-time children: focus window, the four arrows in order.
    ASSERT_NE(g->FocusWindow(), nullptr);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(int(g->ArrowWindow(i)->Dir()), i);
    EXPECT_EQ(TAdvStringGrid::LinkCursor(), crHandPoint);
}

TEST(AdvGridFrame, LoadedAtTheEndOfALoadingBracket)
{
    auto form = NewForm();
    form->BeginLoading();
    auto* g = Create<TTestAdvGrid>(form.get());
    g->SetRowCount(7);
    g->SetFixedRows(2);
    g->SetOptions(g->Options() + goAlwaysShowEditor);
    EXPECT_FALSE(g->IsLoaded());
    form->EndLoading();
    EXPECT_TRUE(g->IsLoaded());
    EXPECT_EQ(g->MinColWidth(), 10);
    EXPECT_EQ(g->MaxRowCount(), 7);
    EXPECT_EQ(g->MinRowHeight(), 22);
    EXPECT_FALSE(g->Options().Contains(goAlwaysShowEditor));
    EXPECT_TRUE(g->Navigation()->AlwaysEdit());
    EXPECT_EQ(g->ColumnOrder()->Count(), g->ColCount());
    // The fixed rows requested while loading are kept as the minimum.
    g->SetFixedRowAlways(true);
    g->SetRowCount(2);
    g->SetRowCount(6);
    EXPECT_EQ(g->FixedRows(), 2);

    // A grid made outside a bracket never runs it.
    TTestAdvGridPtr plain(Create<TTestAdvGrid>(nullptr));
    EXPECT_FALSE(plain->IsLoaded());
}

TEST(AdvGridFrame, SetBoundsWithIntegralHeight)
{
    struct Case {
        const char* what;
        int cols;
        bool update;
        int rowHeight;
        int asked, expected;
    };
    const int bar = GetOsProfile().ScrollBarExtent;
    const Case cases[] = {
        {"all columns fit", 3, false, 22, 250, 246},
        {"horizontal bar needed", 60, false, 22, 250, 250 + 2 - ((250 - bar - 2) % 22)},
        {"row height 0", 3, false, 0, 250, 250},
        {"an update is open", 3, true, 22, 250, 250},
        {"negative dividend keeps its sign", 3, false, 22, 1, 1 + 2 - ((1 - 2) % 22)},
    };
    for (const Case& c : cases) {
        TTestAdvGridPtr g(Create<TTestAdvGrid>(nullptr));
        g->SetColCount(c.cols);
        g->SetDefaultRowHeight(c.rowHeight);
        g->SetIntegralHeight(true);
        if (c.update) g->StartUpdate();
        g->SetBounds(0, 0, 300, c.asked);
        EXPECT_EQ(g->Height(), c.expected) << c.what;
    }
}

TEST(AdvGridFrame, InvalidateSwallowsOneRequestAfterAnEdit)
{
    auto form = NewForm();
    auto* g = Create<TTestAdvGrid>(form.get());
    g->SetParent(form.get());
    form->Show();
    PumpEvents();
    const int before = g->Paints;
    g->FEditChange = true;
    g->Invalidate();
    PumpEvents();
    EXPECT_EQ(g->Paints, before);
    EXPECT_FALSE(g->FEditChange);
    g->Invalidate();
    PumpEvents();
    EXPECT_GT(g->Paints, before);
}

TEST(AdvGridFrame, AssignCopiesSettingsObjectsByValue)
{
    auto src = NewFixtureGrid(5, 7);
    src->Navigation()->SetAdvanceOnEnter(true);
    src->Bands()->SetActive(true);
    src->CellNode()->SetNodeIndent(20);
    src->ColumnSize()->SetKey(QStringLiteral("k"));
    src->SetColWidths(2, 91);
    src->SetDefaultColWidth(70);
    src->SetColWidths(2, 91);
    TTestAdvGridPtr dst(Create<TTestAdvGrid>(nullptr));
    dst->Assign(src.get());
    EXPECT_TRUE(dst->Navigation()->AdvanceOnEnter());
    EXPECT_TRUE(dst->Bands()->Active());
    EXPECT_EQ(dst->CellNode()->NodeIndent(), 20);
    EXPECT_EQ(dst->ColumnSize()->Key(), "k");
    EXPECT_EQ(dst->ColCount(), 5);
    EXPECT_EQ(dst->RowCount(), 7);
    EXPECT_EQ(dst->ColWidths(2), 91);
    // By value: the source changing later leaves the copy alone.
    src->Navigation()->SetAdvanceOnEnter(false);
    src->CellNode()->SetNodeIndent(3);
    EXPECT_TRUE(dst->Navigation()->AdvanceOnEnter());
    EXPECT_EQ(dst->CellNode()->NodeIndent(), 20);
    EXPECT_NE(dst->Navigation(), src->Navigation());
    // Another source is ignored.
    TCellNode other(nullptr);
    dst->Assign(&other);
    EXPECT_EQ(dst->ColCount(), 5);
}

TEST(AdvGridFrame, WindowCreationAtTheFirstShowing)
{
    auto form = NewForm();
    auto* g = Create<TTestAdvGrid>(form.get());
    EXPECT_FALSE(g->WindowCreated());
    g->SetParent(form.get());
    g->SetBounds(0, 0, 300, 200);
    form->Show();
    PumpEvents();
    ASSERT_TRUE(g->WindowCreated());
    EXPECT_TRUE(g->TimerRunning(TAdvStringGrid::GridTimerID));
    EXPECT_EQ(g->GridTimerId(), 111u);
    EXPECT_EQ(g->WheelMsg(), WM_MOUSEWHEEL);
    EXPECT_EQ(g->WheelScrl(), GetOsProfile().WheelScrollLines);
    for (TScrollBar* bar : {g->ScrollBarControl(), g->PaintScrollBar()}) {
        EXPECT_EQ(bar->Parent(), g);
        EXPECT_FALSE(bar->Visible());
        EXPECT_FALSE(bar->TabStop());
        EXPECT_EQ(bar->Kind(), sbVertical);
    }
    const int ticks = g->TimerTicks();
    g->DeliverTimer(111);
    g->DeliverTimer(111);
    EXPECT_EQ(g->TimerTicks(), ticks + 2);
}

TEST(AdvGridFrame, UpdateScrollBarAlwaysOverTheSettings)
{
    struct Case {
        TScrollBarAlways setting;
        bool hideUnneeded;
        bool vertShown, vertEnabled, horzShown;
    };
    // A grid whose rows and columns all fit.
    const Case cases[] = {
        {saNone, false, false, true, false},
        {saVert, false, true, false, false},
        {saHorz, false, false, false, true},
        {saBoth, false, true, false, true},
        {saNone, true, false, true, false},
    };
    for (const Case& c : cases) {
        TTestAdvGridPtr g(Create<TTestAdvGrid>(nullptr));
        g->SetColCount(2);
        g->SetRowCount(2);
        g->SetBounds(0, 0, 400, 300);
        g->SetScrollBarAlways(c.setting);
        g->UpdateScrollBarAlways(c.hideUnneeded);
        EXPECT_EQ(g->ScrollBarVisible(SB_VERT), c.vertShown) << int(c.setting);
        EXPECT_EQ(g->ScrollBarEnabled(SB_VERT), c.vertEnabled) << int(c.setting);
        EXPECT_EQ(g->ScrollBarVisible(SB_HORZ), c.horzShown) << int(c.setting);
    }
}

TEST(AdvGridFrame, TwoGridsOnAFormWithItsOwnResizeHandler)
{
    auto form = NewForm();
    int formResizes = 0;
    form->OnResize = [&](TObject*) { ++formResizes; };
    auto* a = Create<TTestAdvGrid>(form.get());
    auto* b = Create<TTestAdvGrid>(form.get());
    a->SetParent(form.get());
    b->SetParent(form.get());
    form->Show();
    PumpEvents();
    form->SetBounds(0, 0, 700, 500);
    PumpEvents();
    EXPECT_GT(a->FormResizes, 0);
    EXPECT_GT(b->FormResizes, 0);
    // Destroyed in creation order: the form keeps its own handler.
    Free(a);
    Free(b);
    const int before = formResizes;
    form->SetBounds(0, 0, 720, 520);
    PumpEvents();
    EXPECT_GT(formResizes, before);
}

TEST(AdvGridFrame, AUserScrollOfTheScrollBarReachesItsParent)
{
    class TListener : public TWinControl {
    public:
        using TWinControl::TWinControl;
        unsigned Msg = 0;
        int Code = -1;
        intptr_t Source = 0;
        void WndProc(TMessage& m) override
        {
            if (m.Msg == WM_VSCROLL || m.Msg == WM_HSCROLL) {
                Msg = m.Msg;
                Code = ScrollCodeOf(m.WParam);
                Source = m.LParam;
            }
            TWinControl::WndProc(m);
        }
    };
    auto form = NewForm();
    auto* parent = new TListener(form.get());
    parent->SetParent(form.get());
    auto* bar = new TScrollBar(form.get());
    bar->SetParent(parent);
    bar->SetKind(sbVertical);
    bar->SetParams(0, 0, 50);
    // The user's step down.
    static_cast<QAbstractSlider*>(bar->Widget())->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(parent->Msg, WM_VSCROLL);
    EXPECT_EQ(parent->Code, SB_LINEDOWN);
    EXPECT_EQ(parent->Source, reinterpret_cast<intptr_t>(bar));
    EXPECT_EQ(bar->Position(), 1);
    // A programmatic change sends nothing.
    parent->Msg = 0;
    bar->SetPosition(10);
    EXPECT_EQ(parent->Msg, 0u);
}

// ---- the unit ------------------------------------------------------------------------------

TEST(AdvGridUnit, StartUpAndShutDownEachRunOnce)
{
    while (AdvGridUnitCounter() < 0) AdvGridUnitDone();
    AdvGridUnitInit();
    AdvGridUnitInit();  // nothing: started already
    EXPECT_EQ(AdvGridUnitCounter(), -2);
    EXPECT_TRUE(GetClass(QStringLiteral("TAdvStringGrid")));
    AdvGridUnitDone();  // not the last: still started
    EXPECT_LT(AdvGridUnitCounter(), 0);
    EXPECT_EQ(GridEditDoneMessage(), RegisterWindowMessage(QStringLiteral("GridEditDone")));
    // The date pickers register the same name and get the same number.
    EXPECT_EQ(GridDTPShiftFocusMessage(), DTPShiftFocusMessage());
    EXPECT_EQ(GridClipboardFormat(), RegisterClipboardFormat(QStringLiteral("TAdvStringGrid Cells")));
    AdvGridUnitDone();
    EXPECT_EQ(AdvGridUnitCounter(), 0);
    // The first grid starts the unit when nothing did.
    TTestAdvGridPtr g(Create<TTestAdvGrid>(nullptr));
    EXPECT_EQ(AdvGridUnitCounter(), -1);
}

TEST(AdvGridUnit, ADuplicateClassNameDoesNotStopTheNamesAfterIt)
{
    // Restart the unit with "TArrowWindow" taken already.
    const int depth = -AdvGridUnitCounter();
    for (int i = 0; i < depth; ++i) AdvGridUnitDone();
    UnRegisterClass(QStringLiteral("TArrowWindow"));
    UnRegisterClass(QStringLiteral("TScrollBar"));
    RegisterClass(QStringLiteral("TArrowWindow"), [](TComponent*) -> TComponent* { return nullptr; });
    AdvGridUnitInit();
    EXPECT_TRUE(GetClass(QStringLiteral("TScrollBar")));
    TComponent* bar = GetClass(QStringLiteral("TScrollBar"))(nullptr);
    EXPECT_EQ(bar->ClassName(), "TScrollBar");
    Free(bar);
    for (int i = 1; i < depth; ++i) AdvGridUnitInit();
}

TEST(AdvGridUnit, DateEditorsFlagFollowsTheCommonControlsVersion)
{
    const int depth = -AdvGridUnitCounter();
    struct Case {
        int major, minor;
        bool available;
    };
    for (Case c : {Case{6, 10, true}, Case{4, 69, false}, Case{4, 70, true}}) {
        auto profile = std::make_shared<OsProfile>(GetOsProfile());
        profile->ComCtlMajor = c.major;
        profile->ComCtlMinor = c.minor;
        ScopedService guard(&PlatformServices::Profile, std::shared_ptr<const OsProfile>(profile));
        while (AdvGridUnitCounter() < 0) AdvGridUnitDone();
        AdvGridUnitInit();
        EXPECT_EQ(DateTimeEditorsAvailable(), c.available) << c.major << "." << c.minor;
    }
    while (AdvGridUnitCounter() < 0) AdvGridUnitDone();
    for (int i = 0; i < std::max(depth, 1); ++i) AdvGridUnitInit();
}

TEST(AdvGridUnit, AWindowMoveMovesTheFocusFrameOfTheSetGridOnly)
{
    AdvGridUnitInit();
    auto form = NewForm();
    auto* a = Create<TTestAdvGrid>(form.get());
    auto* b = Create<TTestAdvGrid>(form.get());
    a->SetParent(form.get());
    b->SetParent(form.get());
    form->Show();
    PumpEvents();
    SetFocusFrameGrid(a);
    form->SetBounds(30, 30, 640, 480);
    PumpEvents();
    EXPECT_GT(a->FocusHelperMoves, 0);
    EXPECT_EQ(b->FocusHelperMoves, 0);
    // The reference clears itself with its grid; later moves reach nobody.
    Free(a);
    EXPECT_EQ(FocusFrameGrid(), nullptr);
    form->SetBounds(60, 60, 600, 400);
    PumpEvents();
    EXPECT_EQ(b->FocusHelperMoves, 0);
    AdvGridUnitDone();
}
