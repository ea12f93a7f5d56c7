// The grid drop-down: its list grid, choosing, the open list with keys,
// mouse, header sort and the three lookup methods, completion in the edit,
// the passed-on events and the pop-up kept open by a dialog or a drag.
#include "AdvGridDropDown.h"
#include "AdvGridSort.h"
#include "DialogResponder.h"
#include "DropDownFixture.h"
#include "TestHarness.h"
#include "asgddEvents.h"

#include <QMimeData>

namespace {

using namespace AdvCustomGridDropDown;
using GridDropDown = DropDownTest;

void AddStations(TCustomAdvGridDropDown* d, const QStringList& names)
{
    if (d->Columns()->Count() == 0)
        for (const char* h : {"Station", "Code", "Line"}) d->Columns()->Add()->SetHeader(QString::fromLatin1(h));
    d->BeginUpdate();
    for (const QString& n : names)
        d->Items()->Add()->SetText({n, n.left(3).toUpper(), QStringLiteral("line %1").arg(n.size())});
    d->EndUpdate();
}

// Twenty names; their order reversed by a sort on the first column.
QStringList TwentyStations()
{
    QStringList l;
    for (int i = 0; i < 20; ++i) l << QStringLiteral("%1 station").arg(QChar(char16_t('t' - i)));
    return l;
}

void Press(TControl* c, TPoint p, Qt::MouseButton b = Qt::LeftButton)
{
    QWidget* w = c->Widget();
    QTest::mousePress(w->window()->windowHandle(), b, Qt::NoModifier, w->mapTo(w->window(), QPoint(p.X, p.Y)));
    QApplication::processEvents();
}

TPoint CellPoint(TAdvColGrid* g, int c, int r)
{
    const TRect rc = g->CellRect(c, r);
    return TPoint(rc.Left + 5, rc.Top + rc.Height() / 2);
}

// The item named in column 0's object slot agrees with the row's text.
void ExpectRowsNameTheirItems(TCustomAdvGridDropDown* d)
{
    TAdvColGrid* g = d->GetGrid();
    EXPECT_EQ(g->Objects(0, 0), -1);
    for (int r = 1; r < g->RowCount(); ++r) {
        const int item = d->ItemOfRow(r);
        ASSERT_GE(item, 0) << r;
        EXPECT_EQ(g->Cells(0, r), d->Items()->Items(item)->Text().value(0)) << r;
    }
}

TEST_F(GridDropDown, CreationAndSizingRules)
{
    auto* d = Add<TAdvGridDropDown>(20, 20);
    EXPECT_EQ(d->HeaderFont()->Color(), RGBColor(8, 55, 114));
    EXPECT_EQ(d->HeaderColorTo(), clGray);
    EXPECT_EQ(d->LineColor(), RGBColor(235, 237, 241));
    EXPECT_EQ(d->FixedLineColor(), RGBColor(164, 187, 209));
    EXPECT_EQ(d->DropDownHeight(), 200);
    EXPECT_EQ(d->Columns()->Count(), 0) << "made in code: no columns";
    EXPECT_TRUE(d->UseItems());
    EXPECT_EQ(d->LookupMethod(), lmLookup);
    EXPECT_EQ(d->Navigation()->HomeEndKey(), heFirstLastRow);
    EXPECT_EQ(d->Version(), QStringLiteral("6.0.1.1"));
    ASSERT_NE(d->GetGrid(), nullptr);
    EXPECT_TRUE(d->GetGrid()->FixedRowAlways());
    EXPECT_TRUE(d->GetGrid()->Options().Contains(goRowSelect));

    struct Case {
        int Height, RowHeight;
        bool Header;
        int Expected;
    };
    const Case cases[] = {
        {200, 22, true, 185},   // 22 + 25 + 6 + 6 x 22
        {200, 22, false, 185},  // 25 + 6 + 7 x 22
        {200, 0, true, 200},    // no row height: unchanged
        {200, -5, true, 200},
    };
    for (const Case& c : cases) {
        d->DropDownHeader()->SetVisible(c.Header);
        d->SetDropDownRowHeight(c.RowHeight);
        int h = c.Height;
        d->AdaptDropDownHeight(h);
        EXPECT_EQ(h, c.Expected) << c.RowHeight << c.Header;
    }

    // The Office 2010 styles leave the list colours; the others set them.
    d->SetComponentStyle(TVisualStyle::tsOffice2010Blue);
    EXPECT_EQ(d->HeaderColorTo(), clGray);
    d->SetComponentStyle(TVisualStyle::tsWindows7);
    EXPECT_EQ(d->HeaderColorTo(), RGBColor(235, 243, 253));

    // The list style switches typing off.
    d->SetStyle(dsDropDownList);
    EXPECT_FALSE(d->EditorEnabled());
}

TEST_F(GridDropDown, ItemsAndRowsMapBothWays)
{
    auto* d = Add<TAdvGridDropDown>(20, 20);
    AddStations(d, {"Alpha", "Bravo", "Charlie"});
    d->SetItemIndex(1);
    EXPECT_EQ(d->Text(), QStringLiteral("Bravo"));
    d->SetItemIndex(3);  // beyond the items: ignored
    EXPECT_EQ(d->ItemIndex(), 1);
    // An item without the lookup line gives an empty text.
    d->SetLookupColumn(5);
    d->SetItemIndex(0);
    EXPECT_EQ(d->Text(), QString());
    d->SetLookupColumn(0);

    TAdvColGrid* g = d->GetGrid();
    g->SetDropDown(d);
    g->LoadItems();
    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(g->Cells(0, 0), QStringLiteral("Station"));
    ExpectRowsNameTheirItems(d);
    EXPECT_EQ(d->RowOfItem(2), 3);
    EXPECT_EQ(d->RowOfItem(7), d->ItemIndex()) << "no such row";
    EXPECT_EQ(d->ItemOfRow(9), 9) << "beyond the rows";

    // Copies keep the texts of the items.
    auto* copy = Add<TAdvGridDropDown>(20, 60);
    copy->SetItems(d->Items());
    EXPECT_EQ(copy->Items()->Items(2)->Text().value(1), QStringLiteral("CHA"));

    // Without items the grid keeps only its header row; extra grid columns stay.
    auto* empty = Add<TAdvGridDropDown>(20, 100);
    empty->Columns()->Add();
    empty->GetGrid()->SetColCount(3);
    empty->GetGrid()->LoadFromDropDown(empty);
    EXPECT_EQ(empty->GetGrid()->RowCount(), 1);
    EXPECT_EQ(empty->GetGrid()->ColCount(), 3);
}

TEST_F(GridDropDown, EnterKeepsTheChosenItemAndAClickTakesARow)
{
    auto* d = Focused<TAdvGridDropDown>(20, 20, 220);
    AddStations(d, TwentyStations());
    int selects = 0;
    d->OnSelect = [&](TObject*) { ++selects; };
    d->SetItemIndex(5);
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    TAdvColGrid* g = d->GetGrid();
    EXPECT_EQ(g->Row(), 6);
    EXPECT_TRUE(g->Focused());
    TestHarness::GrabToPng(d->DropDownForm(), TestHarness::GrabPath(QStringLiteral("griddropdown-open.png")));
    Key(g, Qt::Key_Return);
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->ItemIndex(), 5);
    EXPECT_EQ(d->Text(), TwentyStations()[5]);
    EXPECT_EQ(selects, 0) << "Enter closes through the edit";

    // Down in the list, then Esc: the item from before the opening.
    ClickButton(d);
    Key(g, Qt::Key_Down);
    EXPECT_EQ(d->ItemIndex(), 6);
    Key(g, Qt::Key_Escape);
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->ItemIndex(), 5);
    EXPECT_EQ(d->Text(), TwentyStations()[5]);

    // A left click on a row takes it and closes; a right click does not take it.
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    const int clicked = g->TopRow() + 1;
    Click(g, CellPoint(g, 1, clicked));
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->ItemIndex(), clicked - 1);
    EXPECT_EQ(selects, 1);
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    QWidget* w = g->Widget();
    QTest::mouseClick(w->window()->windowHandle(), Qt::RightButton, Qt::NoModifier,
                      w->mapTo(w->window(), QPoint(CellPoint(g, 0, 1).X, CellPoint(g, 0, 1).Y)));
    QApplication::processEvents();
    EXPECT_TRUE(d->DroppedDown());
    EXPECT_EQ(selects, 1);
    Key(g, Qt::Key_Escape);
    EXPECT_EQ(d->ItemIndex(), clicked - 1);
}

TEST_F(GridDropDown, HeaderSortKeepsTheChosenItem)
{
    auto* d = Focused<TAdvGridDropDown>(20, 20, 220);
    AddStations(d, TwentyStations());
    d->SetSorting(gsSingleColumn);
    bool canSortFired = false;
    d->OnGridCanSort = [&](TObject*, int, bool&) { canSortFired = true; };
    d->SetItemIndex(5);
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    TAdvColGrid* g = d->GetGrid();
    EXPECT_TRUE(g->SortSettings()->Show());
    Click(g, CellPoint(g, 0, 0));
    EXPECT_TRUE(d->DroppedDown()) << "a header click takes no row";
    EXPECT_FALSE(canSortFired);
    // Ascending by name: the names run from "a" up, item 19 first.
    EXPECT_EQ(d->ItemOfRow(1), 19);
    ExpectRowsNameTheirItems(d);
    EXPECT_EQ(d->ItemOfRow(g->Row()), 5);
    Key(g, Qt::Key_Return);
    EXPECT_EQ(d->ItemIndex(), 5);
    // Reopened, the list is sorted again and shows the item's row.
    ClickButton(d);
    EXPECT_EQ(d->ItemOfRow(1), 19);
    EXPECT_EQ(d->ItemOfRow(g->Row()), 5);
    Key(g, Qt::Key_Down);
    Key(g, Qt::Key_Return);
    EXPECT_EQ(d->ItemIndex(), 4) << "the next row down after the sort";
}

TEST_F(GridDropDown, EditableListTakesWithoutClosing)
{
    auto* d = Focused<TAdvGridDropDown>(20, 20, 220);
    AddStations(d, {"Alpha", "Bravo", "Charlie"});
    d->SetGridEditable(true);
    int selects = 0;
    d->OnSelect = [&](TObject*) { ++selects; };
    ClickButton(d);
    TAdvColGrid* g = d->GetGrid();
    EXPECT_TRUE(g->Options().Contains(goEditing));
    Click(g, CellPoint(g, 0, 2));
    EXPECT_TRUE(d->DroppedDown());
    EXPECT_EQ(d->ItemIndex(), 1);
    EXPECT_EQ(selects, 1);
    Key(g, Qt::Key_Escape);
}

TEST_F(GridDropDown, NarrowDownTypingFiltersTheRows)
{
    auto* d = Focused<TAdvGridDropDown>(20, 20, 220);
    AddStations(d, {"Cabin", "Slab", "Tower", "ABBEY", "Gate"});
    d->SetLookupMethod(lmNarrowDown);
    ClickButton(d);
    TAdvColGrid* g = d->GetGrid();
    Type(g, QStringLiteral("ab"));
    ASSERT_EQ(g->RowCount(), 4);
    EXPECT_EQ(g->Cells(0, 1), QStringLiteral("Cabin"));
    EXPECT_EQ(g->Cells(0, 3), QStringLiteral("ABBEY"));
    EXPECT_EQ(d->Text(), QStringLiteral("Cabin"));
    EXPECT_EQ(d->SelText(), QStringLiteral("bin"));
    EXPECT_EQ(g->Row(), 1) << "the first remaining row itself";
    TestHarness::GrabToPng(d->DropDownForm(), TestHarness::GrabPath(QStringLiteral("griddropdown-narrowed.png")));
    // The row taken names the item, not the displayed position.
    Key(g, Qt::Key_Down);
    Key(g, Qt::Key_Return);
    EXPECT_EQ(d->ItemIndex(), 1);
    EXPECT_EQ(d->Text(), QStringLiteral("Slab"));
    // Entering the edit again removes the filter.
    Form->SetFocus();
    d->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_TRUE(d->LookupEntry().isEmpty());

    // Emptying the entry shows all rows again.
    ClickButton(d);
    Type(g, QStringLiteral("ab"));
    EXPECT_EQ(g->RowCount(), 4);
    Key(g, Qt::Key_Backspace);
    Key(g, Qt::Key_Backspace);
    EXPECT_TRUE(d->LookupEntry().isEmpty());
    EXPECT_EQ(g->RowCount(), 6);
    Key(g, Qt::Key_Escape);
}

TEST_F(GridDropDown, LookupMethodsInTheOpenList)
{
    struct Case {
        TLookupMethod Method;
        TDropDownStyle Style;
        const char* Typed;
        int Item;           // ItemIndex afterwards
        const char* Entry;  // the lookup entry afterwards
    };
    const Case cases[] = {
        {lmLookup, dsDropDown, "ch", 2, "ch"},
        {lmLookup, dsDropDown, "cx", 2, ""},        // no row: the entry empties, the item stays
        {lmLookup, dsDropDownList, "cb", 1, "b"},   // restarts with the key that starts another match
        {lmLookup, dsDropDownList, "cz", 2, ""},    // nothing starts with z: the entry empties
        {lmNone, dsDropDown, "b", -1, ""},
    };
    for (const Case& c : cases) {
        auto* d = Focused<TAdvGridDropDown>(20, 20, 220);
        AddStations(d, {"Alpha", "Bravo", "Charlie", "Delta"});
        d->SetLookupMethod(c.Method);
        d->SetStyle(c.Style);
        ClickButton(d);
        ASSERT_TRUE(d->DroppedDown());
        TAdvColGrid* g = d->GetGrid();
        Type(g, QString::fromLatin1(c.Typed));
        EXPECT_EQ(d->ItemIndex(), c.Item) << c.Typed << c.Style;
        EXPECT_EQ(d->LookupEntry(), QString::fromLatin1(c.Entry)) << c.Typed << c.Style;
        if (c.Item >= 0) {
            EXPECT_EQ(d->ItemOfRow(g->Row()), c.Item) << c.Typed;
        }
        if (c.Method == lmNone) {
            EXPECT_EQ(g->Row(), 1);
        }
        Key(g, Qt::Key_Escape);
        Free(d);
    }
}

TEST_F(GridDropDown, EditKeysAndCompletion)
{
    auto* d = Focused<TAdvGridDropDown>();
    AddStations(d, {"Apple", "abacus", "Abbey"});
    Type(d, QStringLiteral("ab"));
    EXPECT_EQ(d->Text(), QStringLiteral("abacus"));
    EXPECT_EQ(d->SelText(), QStringLiteral("acus"));
    EXPECT_EQ(d->ItemIndex(), 1);

    // Home and End move only in the list style without Shift.
    struct Case {
        TDropDownStyle Style;
        Qt::Key K;
        Qt::KeyboardModifiers Mods;
        int Item;
    };
    const Case cases[] = {
        {dsDropDownList, Qt::Key_End, Qt::NoModifier, 2},
        {dsDropDownList, Qt::Key_Home, Qt::NoModifier, 0},
        {dsDropDownList, Qt::Key_End, Qt::ShiftModifier, 1},
        {dsDropDown, Qt::Key_End, Qt::NoModifier, 1},
        {dsDropDown, Qt::Key_Down, Qt::NoModifier, 2},
    };
    for (const Case& c : cases) {
        d->SetStyle(c.Style);
        d->SetEditorEnabled(c.Style == dsDropDown);
        d->SetItemIndex(1);
        Key(d, c.K, c.Mods);
        EXPECT_EQ(d->ItemIndex(), c.Item) << c.Style << " " << c.K;
    }
    // With AutoShowDropDown a typed character opens the list.
    d->SetStyle(dsDropDown);
    d->SetEditorEnabled(true);
    d->SetAutoShowDropDown(true);
    d->SetTextDirect(QString());
    Type(d, QStringLiteral("a"));
    EXPECT_TRUE(d->DroppedDown());
    if (d->DroppedDown()) Key(d->GetGrid(), Qt::Key_Escape);
}

// A modal dialog opened from a handler of the list.
class TGridAskForm : public TForm {
public:
    explicit TGridAskForm(TComponent* AOwner) : TForm(AOwner)
    {
        SetBorderStyle(bsDialog);
        SetBounds(300, 300, 200, 100);
    }
};

TEST_F(GridDropDown, DialogAndDragFromTheListKeepThePopupOpen)
{
    auto* d = Focused<TAdvGridDropDown>(20, 20, 220);
    AddStations(d, {"Alpha", "Bravo", "Charlie"});
    d->Items()->Items(1)->SetText({QStringLiteral("http://127.0.0.1/bravo"), QStringLiteral("BRA")});
    d->EndUpdate();
    ClickButton(d);
    TAdvColGrid* g = d->GetGrid();
    g->SetURLShow(true);
    int answered = 0;
    d->OnGridAnchorClick = [&](TObject* s, int, int, const QString&, bool& autoHandle) {
        autoHandle = false;
        EXPECT_EQ(s, g);
        DialogResponder responder;
        responder.ExpectModal(QStringLiteral("TForm"), [&](TCustomForm* f) {
            Click(f, TPoint(20, 20));
            f->SetModalResult(mrOk);
        });
        auto* ask = Create<TGridAskForm>(Form);
        if (ask->ShowModal() == mrOk) ++answered;
        Free(ask);
    };
    Press(g, CellPoint(g, 0, 2));
    EXPECT_EQ(answered, 1);
    EXPECT_TRUE(d->DroppedDown());
    EXPECT_FALSE(d->DropDownForm()->BlockActivate());
    QTest::mouseRelease(g->Widget()->window()->windowHandle(), Qt::LeftButton);
    QApplication::processEvents();

    // A drag of the list's cells: the grid's block-focus events around the loop.
    if (!d->DroppedDown()) ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    TDragRunner old = SetDragRunner([&](std::unique_ptr<QMimeData>, Qt::DropActions, TASGDropSource*) {
        Click(Form, TPoint(300, 250));
        return Qt::IgnoreAction;
    });
    g->StartBlockFocus();
    TASGDropSource source;
    uint32_t effect = 0;
    BeginTextDragDrop(&source, QStringLiteral("Bravo"), QString(), effect, 1, nullptr);
    g->EndBlockFocus();
    SetDragRunner(old);
    EXPECT_TRUE(d->DroppedDown());
    Click(Form, TPoint(300, 250));
    EXPECT_FALSE(d->DroppedDown());
}

TEST_F(GridDropDown, PassedOnEventsAndTheirSenders)
{
    auto* d = Focused<TAdvGridDropDown>(20, 20, 220);
    AddStations(d, TwentyStations());
    d->Columns()->Items(1)->SetAlignment(taRightJustify);
    d->Columns()->Items(2)->SetColor(RGBColor(250, 240, 200));
    TObject* topLeftSender = nullptr;
    TObject* keySender = nullptr;
    QString hintSeen;
    d->OnGridTopLeftChanged = [&](TObject* s) { topLeftSender = s; };
    d->OnGridKeyDown = [&](TObject* s, Word&, TShiftState) { keySender = s; };
    ClickButton(d);
    TAdvColGrid* g = d->GetGrid();
    Key(g, Qt::Key_PageDown);
    EXPECT_EQ(topLeftSender, d);
    EXPECT_EQ(keySender, d);

    // Alignment and colour come from the column before the handler.
    TAlignment h = taLeftJustify;
    TVAlignment v = vtaTop;
    ASSERT_TRUE(g->OnGetAlignment);
    g->OnGetAlignment(g, 1, 1, h, v);
    EXPECT_EQ(h, taRightJustify);
    TBrush brush;
    g->OnGetCellColor(g, 1, 2, TGridDrawState(), &brush, nullptr);
    EXPECT_EQ(brush.Color(), RGBColor(250, 240, 200));
    bool isFloat = false;
    QString format = QStringLiteral("%.2f");
    g->OnGetFloatFormat(g, 0, 1, isFloat, format);
    EXPECT_TRUE(format.isEmpty());
    // Custom drawing is connected only when assigned at the opening.
    EXPECT_FALSE(g->OnCustomCellDraw);
    Key(g, Qt::Key_Escape);
    d->OnGridCustomCellDraw = [](TObject*, TCanvas*, int, int, TGridDrawState, TRect, bool) {};
    ClickButton(d);
    EXPECT_TRUE(g->OnCustomCellDraw);
    // A grid hint reaches the handler with the grid as sender.
    TObject* hintSender = nullptr;
    d->OnGridHint = [&](TObject* s, int, int, QString& t) {
        hintSender = s;
        hintSeen = t;
    };
    QString hint = QStringLiteral("tip");
    g->OnGridHint(g, 1, 0, hint);
    EXPECT_EQ(hintSender, g);
    EXPECT_EQ(hintSeen, QStringLiteral("tip"));
    Key(g, Qt::Key_Escape);
}

TEST_F(GridDropDown, CellsWithoutItems)
{
    auto* d = Focused<TAdvGridDropDown>(20, 20, 220);
    d->SetUseItems(false);
    TAdvColGrid* g = d->GetGrid();
    g->SetColCount(2);
    g->SetRowCount(4);
    const char* names[] = {"Name", "North", "South", "West"};
    for (int r = 0; r < 4; ++r) g->SetCells(0, r, QString::fromLatin1(names[r]));
    d->SetItemIndex(1);
    EXPECT_EQ(d->Text(), QStringLiteral("South"));
    d->SetTextDirect(QStringLiteral("We"));
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    EXPECT_EQ(g->Row(), 3) << "the first row whose lookup cell begins with the text";
    EXPECT_EQ(d->Columns()->Count(), 2) << "columns added up to the grid's";
    Key(g, Qt::Key_Up);
    Key(g, Qt::Key_Return);
    EXPECT_EQ(d->ItemIndex(), 1);
    EXPECT_EQ(d->Text(), QStringLiteral("South"));
    EXPECT_EQ(d->ListCount(), 3);
}

}  // namespace
