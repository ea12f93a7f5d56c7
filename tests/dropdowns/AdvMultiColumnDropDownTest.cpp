// The multi-column drop-down and its list grid: sizing rules, choosing,
// completion in the edit, type-ahead, keys and the mouse in the open list,
// measuring and painting of the grid.
#include "AdvMultiColumnDropDown.h"
#include "AdvMultiColumnDropDownGrid.h"
#include "DropDownFixture.h"
#include "TestHarness.h"

#include <QImage>

namespace {

using namespace AdvMultiColumnDropDown;
using MultiColumnDropDown = DropDownTest;

TEST(MultiColumnSizing, AdaptHeight)
{
    struct Case {
        int Height, Bars, HeaderHeight, RowHeight, Expected;
    };
    const Case cases[] = {
        {200, 22, 25, 22, 181},  // 22 + 27 + 6 x 22
        {250, 0, 25, 22, 247},   // 27 + 10 x 22
        {49, 22, 25, 22, 49},    // no whole row: the bars and the header alone
        {200, 22, 25, 0, 200},   // no row height: unchanged
    };
    for (const Case& c : cases)
        EXPECT_EQ(MultiColumnAdaptHeight(c.Height, c.Bars, c.HeaderHeight, c.RowHeight), c.Expected) << c.Height;
}

TEST(MultiColumnSizing, ColumnsFollowThePopupWithTheCarriedError)
{
    EXPECT_EQ(MultiColumnFitWidths({10, 10, 10, 10, 10}, 104), (std::vector<int>{20, 20, 21, 20, 20}));
    EXPECT_EQ(MultiColumnFitWidths({80, 80, 80}, 300), (std::vector<int>{100, 100, 100}));
    EXPECT_TRUE(MultiColumnFitWidths({}, 300).empty());
    // Halves go to the even neighbour: 3 columns of 1 over 10 pixels give 2.5 each.
    EXPECT_EQ(MultiColumnFitWidths({1, 1, 1}, 10), (std::vector<int>{2, 2, 3}));
}

// The prepared index answers exactly as the scan, for every prefix of every
// candidate in three cases, in both modes.
TEST(DropDownCompletionIndex, SameAnswersAsTheScan)
{
    QStringList items{"Zeta", "abacus", "Apple", "ABBEY", "abbey", "\u00e9t\u00e9", "\u00c9cole", "Stra\u00dfe",
                      "strasse", "ab", "", "x y", "X-ray"};
    TDropDownCompletionIndex index;
    const auto candidate = [&](int i) { return QStringView(items[i]); };
    QStringList keys{"q", "abz", "\u00e9", "STRA\u00df"};
    for (const QString& c : items)
        for (int n = 1; n <= c.size(); ++n) keys << c.left(n) << c.left(n).toLower() << c.left(n).toUpper();
    for (bool matchCase : {false, true})
        for (const QString& key : keys)
            for (int caret : {int(key.size()), int(key.size()) - 1}) {
                const auto want = DropDownComplete(items, key + QStringLiteral("tail"), caret, matchCase);
                const auto got = index.Complete(int(items.size()), candidate, key + QStringLiteral("tail"), caret,
                                                matchCase);
                ASSERT_EQ(got.has_value(), want.has_value()) << key.toStdString() << matchCase;
                if (!want) continue;
                EXPECT_EQ(got->Matched, want->Matched) << key.toStdString();
                EXPECT_EQ(got->ItemIndex, want->ItemIndex) << key.toStdString() << matchCase;
                EXPECT_EQ(got->Text, want->Text);
                EXPECT_EQ(got->Anchor, want->Anchor);
                EXPECT_EQ(got->Caret, want->Caret);
                EXPECT_EQ(got->KeyLength, want->KeyLength);
            }
    // A changed list is read again after Clear.
    items[0] = QStringLiteral("aardvark");
    index.Clear();
    EXPECT_EQ(index.Complete(int(items.size()), candidate, QStringLiteral("aa"), 2, false)->ItemIndex, 0);
}

void AddCountries(TAdvMultiColumnDropDown* d, std::initializer_list<const char*> names)
{
    if (d->Columns()->Count() == 0) {
        for (const char* h : {"Country", "Code", "Notes"}) {
            TDropDownColumn* c = d->Columns()->Add();
            c->SetHeader(QString::fromLatin1(h));
        }
    }
    d->BeginUpdate();
    for (const char* n : names) {
        TDropDownItem* i = d->Items()->Add();
        const QString name = QString::fromLatin1(n);
        i->SetText({name, name.left(2).toUpper(), QStringLiteral("about ") + name});
    }
    d->EndUpdate();
}

TEST_F(MultiColumnDropDown, CreationKeepsOnlyTheHeaderFontColourOfTheBaseStyle)
{
    auto* d = Add<TAdvMultiColumnDropDown>(20, 20);
    EXPECT_EQ(d->HeaderFont()->Color(), RGBColor(8, 55, 114));
    EXPECT_EQ(d->HeaderColor(), clWhite);
    EXPECT_EQ(d->HeaderColorTo(), clGray);
    EXPECT_EQ(d->HeaderHeight(), 25);
    EXPECT_EQ(d->LineColor(), RGBColor(235, 237, 241));
    EXPECT_EQ(d->FixedLineColor(), RGBColor(164, 187, 209));
    EXPECT_EQ(d->DropDownColor(), clWhite);
    EXPECT_EQ(d->DropDownHeight(), 200);
    EXPECT_EQ(d->DropDownRowHeight(), 22);
    EXPECT_EQ(d->ItemIndex(), -1);
    EXPECT_TRUE(d->DropDownAutoWidth());
    EXPECT_TRUE(d->MatchStart());
    ASSERT_NE(d->ListGrid(), nullptr);

    d->SetComponentStyle(TVisualStyle::tsOffice2010Blue);
    EXPECT_EQ(d->HeaderColorTo(), clNone);
    EXPECT_EQ(d->SelectionColor(), RGBColor(255, 208, 108));
    EXPECT_EQ(d->LineColor(), RGBColor(207, 221, 238));
    d->SetComponentStyle(TVisualStyle::tsCustom);  // changes nothing
    EXPECT_EQ(d->HeaderColorTo(), clNone);
}

TEST_F(MultiColumnDropDown, ChoosingAndCopying)
{
    auto* d = Add<TAdvMultiColumnDropDown>(20, 20);
    AddCountries(d, {"Austria", "Belgium", "Canada"});
    int selects = 0;
    d->OnSelect = [&](TObject*) { ++selects; };
    d->SetItemIndex(1);
    EXPECT_EQ(d->Text(), QStringLiteral("Belgium"));
    d->SetItemIndex(3);  // at the count: ignored
    EXPECT_EQ(d->ItemIndex(), 1);
    EXPECT_EQ(selects, 0);
    EXPECT_EQ(d->GetItemIndex(QStringLiteral("Canada")), 2);
    EXPECT_EQ(d->GetItemIndex(QStringLiteral("canada")), -1);
    EXPECT_EQ(d->Items()->IndexInColumn(1, QStringLiteral("CA")), 2);

    // An item without the lookup line gives an empty text.
    d->Items()->Add()->SetText({QStringLiteral("Denmark")});
    d->SetLookupColumn(1);
    d->SetItemIndex(3);
    EXPECT_EQ(d->Text(), QString());
    d->SetItemIndex(0);
    EXPECT_EQ(d->Text(), QStringLiteral("AU"));

    // A copied drop-down keeps the texts of its items.
    auto* copy = Add<TAdvMultiColumnDropDown>(20, 60);
    copy->Assign(d);
    ASSERT_EQ(copy->Items()->Count(), 4);
    EXPECT_EQ(copy->Items()->Items(2)->Text().value(0), QStringLiteral("Canada"));
    EXPECT_EQ(copy->Columns()->Items(1)->Header(), QStringLiteral("Code"));
    EXPECT_EQ(copy->ItemIndex(), 0);
    EXPECT_EQ(copy->LookupColumn(), 1);
}

TEST_F(MultiColumnDropDown, TypingCompletesFromTheLookupList)
{
    auto* d = Focused<TAdvMultiColumnDropDown>();
    AddCountries(d, {"Austria", "Belgium", "Canada", "Cameroon"});
    Type(d, QStringLiteral("ca"));
    EXPECT_EQ(d->Text(), QStringLiteral("Canada"));
    EXPECT_EQ(d->SelText(), QStringLiteral("nada"));
    EXPECT_EQ(d->ItemIndex(), 2);

    // Items added without EndUpdate are not completed.
    d->Items()->Add()->SetText({QStringLiteral("Zambia")});
    d->SetTextDirect(QString());
    Type(d, QStringLiteral("z"));
    EXPECT_EQ(d->Text(), QStringLiteral("z"));

    // Esc with a text that is no lookup entry empties it.
    Key(d, Qt::Key_Escape);
    EXPECT_EQ(d->Text(), QString());
    EXPECT_EQ(d->ItemIndex(), -1);

    // Enter takes an entry whatever its case.
    d->SetTextDirect(QStringLiteral("belgium"));
    Key(d, Qt::Key_Return);
    EXPECT_EQ(d->ItemIndex(), 1);
    EXPECT_EQ(d->Text(), QStringLiteral("Belgium"));
}

TEST_F(MultiColumnDropDown, ClosedKeysMoveTheChoice)
{
    auto* d = Focused<TAdvMultiColumnDropDown>();
    AddCountries(d, {"Austria", "Belgium", "Canada"});
    Key(d, Qt::Key_Down);  // from none to the first
    EXPECT_EQ(d->ItemIndex(), 0);
    Key(d, Qt::Key_PageDown);
    EXPECT_EQ(d->ItemIndex(), 2);
    Key(d, Qt::Key_Down);  // nothing at the last
    EXPECT_EQ(d->ItemIndex(), 2);
    Key(d, Qt::Key_Up);
    EXPECT_EQ(d->Text(), QStringLiteral("Belgium"));
}

TEST_F(MultiColumnDropDown, OpenListTakesRowsByKeysAndMouse)
{
    auto* d = Focused<TAdvMultiColumnDropDown>(20, 20, 200);
    AddCountries(d, {"Austria", "Belgium", "Canada", "Cameroon", "Denmark"});
    int selects = 0;
    d->OnSelect = [&](TObject*) { ++selects; };
    d->SetItemIndex(1);
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    TAdvColGrid* g = d->ListGrid();
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(g->RowCount(), 6);
    // Down in the list changes the edit's text at once.
    Key(g, Qt::Key_Down);
    EXPECT_EQ(d->Text(), QStringLiteral("Canada"));
    Key(g, Qt::Key_Return);
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->ItemIndex(), 2);
    EXPECT_EQ(selects, 1);

    // A left click on a row takes it and closes.
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    TRect r = g->CellBounds(0, 4);
    Click(g, TPoint(r.Left + 5, r.Top + 5));
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->ItemIndex(), 3);
    EXPECT_EQ(d->Text(), QStringLiteral("Cameroon"));

    // A right-button release over a data row closes too, taking the current row.
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    r = g->CellBounds(0, 1);
    QWidget* w = g->Widget();
    QTest::mouseClick(w->window()->windowHandle(), Qt::RightButton, Qt::NoModifier,
                      w->mapTo(w->window(), QPoint(r.Left + 5, r.Top + 5)));
    QApplication::processEvents();
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->ItemIndex(), 3);

    // The wheel scrolls without changing the choice; Esc keeps the old one.
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    QWheelEvent wheel(QPointF(10, 40), g->Widget()->mapToGlobal(QPointF(10, 40)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(g->Widget(), &wheel);
    EXPECT_EQ(d->ItemIndex(), 3);
    EXPECT_FALSE(g->ConfirmSelection());
    Key(g, Qt::Key_Escape);
    EXPECT_FALSE(d->DroppedDown());
    EXPECT_EQ(d->ItemIndex(), 3);

}

TEST_F(MultiColumnDropDown, TypeAheadInTheOpenList)
{
    auto* d = Focused<TAdvMultiColumnDropDown>(20, 20, 200);
    AddCountries(d, {"Austria", "Belgium", "Canada", "Cameroon", "Chad"});
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    TAdvColGrid* g = d->ListGrid();
    Type(g, QStringLiteral("c"));
    EXPECT_EQ(d->ItemIndex(), 2);
    Type(g, QStringLiteral("a"));
    EXPECT_EQ(d->ItemIndex(), 2);
    EXPECT_EQ(d->Text(), QStringLiteral("Canada"));
    EXPECT_EQ(d->SelText(), QStringLiteral("nada"));
    EXPECT_EQ(g->Row(), 3);
    Type(g, QStringLiteral("m"));
    EXPECT_EQ(d->Text(), QStringLiteral("Cameroon"));
    // No item begins with "CAMA": the search restarts with "a".
    Type(g, QStringLiteral("a"));
    EXPECT_EQ(d->Text(), QStringLiteral("Austria"));
    EXPECT_EQ(d->LookupEntry(), QStringLiteral("a"));
    EXPECT_EQ(g->Row(), 1);
    // Backspace with the completed tail selected removes exactly that tail.
    Key(g, Qt::Key_Backspace);
    EXPECT_EQ(d->Text(), QStringLiteral("A"));
    EXPECT_TRUE(d->LookupEntry().isEmpty());
    // Characters that share codes with the navigation keys are searched.
    d->Items()->Add()->SetText({QStringLiteral("(none)")});
    d->EndUpdate();
    Key(g, Qt::Key_Escape);
    ClickButton(d);
    Type(g, QStringLiteral("("));
    EXPECT_EQ(d->Text(), QStringLiteral("(none)"));
    Key(g, Qt::Key_Escape);
}

TEST_F(MultiColumnDropDown, PopupSizeFollowsTheColumns)
{
    auto* d = Focused<TAdvMultiColumnDropDown>(20, 20, 150);
    AddCountries(d, {"Austria", "Belgium", "Canada"});
    d->SetDropDownWidth(400);
    d->DropDownHeader()->SetVisible(true);
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    TAdvColGrid* g = d->ListGrid();
    // Three columns of 80 and the border: the width of the columns wins over 400.
    EXPECT_EQ(d->DropDownForm()->Width(), g->TotalWidth() + 2);
    EXPECT_LT(d->DropDownForm()->Width(), 400);
    const int bars = d->DropDownHeader()->Height();
    EXPECT_EQ((d->DropDownForm()->Height() - bars - 27) % 22, 0);
    Key(g, Qt::Key_Escape);
}

TEST_F(MultiColumnDropDown, GridMeasuresAndWrapsInsideThePopup)
{
    auto* d = Focused<TAdvMultiColumnDropDown>(20, 20, 200);
    for (const char* h : {"Name", "Empty", "Long"}) d->Columns()->Add()->SetHeader(QString::fromLatin1(h));
    d->Columns()->Items(1)->SetAutoSize(true);
    d->Columns()->Items(2)->SetWordwrap(true);
    d->Columns()->Items(2)->SetWidth(60);
    d->SetDropDownRowHeight(16);
    d->Items()->Add()->SetText({QStringLiteral("a"), QString(), QStringLiteral("x")});
    d->Items()->Add()->SetText({QStringLiteral("b"), QString(),
                                QStringLiteral("a long text that wraps over several lines here")});
    d->EndUpdate();
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    TAdvColGrid* g = d->ListGrid();
    EXPECT_EQ(g->Columns()->Items(1)->Width(), 0);  // no texts: 0 wide
    EXPECT_EQ(g->RowHeights(1), 24);                // at least 24 with a wrapping column
    EXPECT_GT(g->RowHeights(2), 24);
    Key(g, Qt::Key_Escape);

    // With no items the grid has a single row.
    auto* empty = Add<TAdvMultiColumnDropDown>(20, 100);
    empty->Columns()->Add();
    empty->ListGrid()->LoadFromDropDown(empty);
    EXPECT_EQ(empty->ListGrid()->RowCount(), 1);
}

TEST(MultiColumnGrid, LineInsets)
{
    struct Case {
        int Width;
        bool Header;
        int Inset;
    };
    for (const Case& c : {Case{1, false, 1}, Case{2, false, 1}, Case{3, false, 2}, Case{2, true, 1}})
        EXPECT_EQ(TAdvColGrid::LineInset(c.Width, c.Header), c.Inset) << c.Width;
}

TEST_F(MultiColumnDropDown, PaintsHeaderAndSelection)
{
    auto* d = Focused<TAdvMultiColumnDropDown>(20, 20, 260);
    AddCountries(d, {"Austria", "Belgium", "Canada", "Cameroon", "Chad", "Denmark", "Estonia", "Finland", "France"});
    d->Columns()->Items(2)->SetColor(RGBColor(250, 250, 230));
    d->SetItemIndex(2);
    ClickButton(d);
    ASSERT_TRUE(d->DroppedDown());
    TAdvColGrid* g = d->ListGrid();
    QImage img = g->Widget()->grab().toImage();
    TestHarness::GrabToPng(d->DropDownForm(), TestHarness::GrabPath(QStringLiteral("multicolumn-open.png")));
    // The header gradient: lighter at the top than at the bottom.
    const TRect h = g->CellBounds(0, 0);
    EXPECT_GT(qGray(img.pixel(h.Left + 40, h.Top + 2)), qGray(img.pixel(h.Left + 40, h.Bottom - 3)));
    // A flat header with HeaderColorTo clNone.
    Key(g, Qt::Key_Escape);
    d->SetHeaderColorTo(clNone);
    d->SetHeaderColor(RGBColor(200, 100, 50));
    ClickButton(d);
    img = g->Widget()->grab().toImage();
    EXPECT_EQ(QColor(img.pixel(h.Left + 40, h.Top + 2)), QColor(200, 100, 50));
    EXPECT_EQ(QColor(img.pixel(h.Left + 40, h.Bottom - 4)), QColor(200, 100, 50));
    Key(g, Qt::Key_Escape);
}

}  // namespace
