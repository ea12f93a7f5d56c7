// Cell content, selection, clearing and merging, cell objects and the
// update counter.

#include "AdvGridTestKit.h"
#include "ExtCtrls.h"
#include "FormatSettings.h"

#include <gtest/gtest.h>

// ---- content ---------------------------------------------------------------------------------

TEST(AdvGridCells, IndexSpacesWithAHiddenColumnAndAHiddenRow)
{
    auto g = NewFixtureGrid(5, 8);
    g->HideColumn(2);
    g->HideRow(5);
    EXPECT_EQ(g->Cells(3, 2), "3,2");     // real column, display row
    EXPECT_EQ(g->AllCells(3, 2), "3,2");  // real column, real row
    EXPECT_EQ(g->Cells(1, 5), "1,6");
    EXPECT_EQ(g->AllCells(1, 5), "1,5");
    EXPECT_EQ(g->AllCells(1, 6), g->Cells(1, 5));
    EXPECT_EQ(g->AllCells(-1, 2), "");
    g->SetAllCells(1, 5, "hidden");
    EXPECT_EQ(g->AllGridCells(1, 5), "hidden");
    g->SetAllCells(9, 5, "grown");
    EXPECT_EQ(g->AllGridCells(9, 5), "grown");
}

TEST(AdvGridCells, TypedValuesAndTheirErrors)
{
    auto g = NewFixtureGrid(3, 3);
    struct Case {
        const char* text;
        bool intOk;
        int i;
        bool floatOk;
        double f;
    };
    const Case cases[] = {
        {"<B>12</B>", true, 12, true, 12},
        {" - ", true, 0, true, 0},
        {"12a", false, 0, true, 12},
        {"", true, 0, true, 0},
        {"(3.5)", false, 0, true, -3.5},
        {"abc", false, 0, true, 0},
    };
    for (const Case& c : cases) {
        g->SetCells(1, 1, c.text);
        if (c.intOk) {
            EXPECT_EQ(g->Ints(1, 1), c.i) << c.text;
        }
        else EXPECT_THROW(g->Ints(1, 1), EAdvGridError) << c.text;
        if (c.floatOk) {
            EXPECT_DOUBLE_EQ(g->Floats(1, 1), c.f) << c.text;
        }
        else EXPECT_THROW(g->Floats(1, 1), EAdvGridError) << c.text;
        EXPECT_EQ(g->Cells(1, 1), c.text);  // nothing changed
    }
    g->SetCells(1, 1, "<B>12</B>");
    EXPECT_THROW(g->AllInts(1, 1), EAdvGridError);  // no tag stripping there
    try {
        g->SetCells(1, 2, "x");
        g->Ints(1, 2);
    } catch (const EAdvGridError& e) {
        EXPECT_EQ(e.Message(), "Cell does not contain integer value");
    }
    g->SetFloats(1, 2, 2.5);
    EXPECT_EQ(g->Cells(1, 2), "2.50");
    // A format that does not fit the value: the error, the cell unchanged.
    g->SetFloatFormat("%d items");
    EXPECT_THROW(g->SetFloats(1, 2, 7.25), EConvertError);
    EXPECT_EQ(g->Cells(1, 2), "2.50");
    g->SetInts(1, 2, -4);
    EXPECT_EQ(g->Ints(1, 2), -4);
}

TEST(AdvGridCells, RowColorsAndTheirClearing)
{
    auto g = NewFixtureGrid(5, 4);
    g->HideColumn(3);
    g->SetRowColor(2, 0x00FF00);
    EXPECT_EQ(g->Colors(3, 2), TColor(0x00FF00));  // hidden columns too
    EXPECT_EQ(g->Colors(0, 2), clNone);            // not the fixed column
    g->CreateCellGraphic(2, 2)->SetCheckBox(true, false, false, haLeft, vaTop);
    g->SetRowColor(2, clNone);
    EXPECT_EQ(g->GetCellType(2, 2), ctCheckBox);   // the object stays
    EXPECT_EQ(g->Colors(2, 2), clNone);
    EXPECT_EQ(g->Colors(1, 2), clNone);
    g->CreateCellGraphic(1, 2);  // an object of kind ctNone: its cell's properties go
    g->SetRowColor(2, clNone);
    EXPECT_EQ(g->GridObjects(1, 2), nullptr);
    g->SetRowColorTo(2, clNone);
    EXPECT_EQ(g->GridObjects(2, 2), nullptr);
    g->SetRowFontColor(1, 0x0000FF);
    EXPECT_EQ(g->FontColors(4, 1), TColor(0x0000FF));
    EXPECT_THROW(g->SetColors(-1, 1, 0), Exception);
}

TEST(AdvGridCells, CellControlsNilTwiceCountsOnce)
{
    auto g = NewFixtureGrid(4, 4);
    auto* ctl = new TPanel(g.get());
    g->SetCellControls(2, 2, ctl);
    EXPECT_EQ(g->NumCellControls(), 1);
    EXPECT_EQ(ctl->Parent(), g.get());
    g->SetCellControls(2, 2, nullptr);
    g->SetCellControls(2, 2, nullptr);
    EXPECT_EQ(g->NumCellControls(), 0);
    EXPECT_EQ(g->ControlList()->Count(), 0);
    Free(ctl);
}

TEST(AdvGridCells, ColumnHeadersAndSortCrossReference)
{
    auto g = NewFixtureGrid(5, 3);
    TStringList headers;
    headers.Add("A");
    headers.Add("B\\nC");
    g->SetColumnHeaders(&headers);
    EXPECT_EQ(g->Cells(0, 0), "A");
    EXPECT_EQ(g->Cells(1, 0), "B\rC");
    EXPECT_EQ(g->Cells(4, 0), "");
    EXPECT_EQ(g->UnSortedRowIndex(2), 2);
    g->SortRowXRef()->Add(2);
    g->SortRowXRef()->Add(0);
    EXPECT_EQ(g->UnSortedRowIndex(0), 1);
    EXPECT_EQ(g->UnSortedRowIndex(7), 7);  // no entry: the row itself
}

TEST(AdvGridCells, UrlsAreLinkedByTheFirstPrefixThatFits)
{
    auto g = NewFixtureGrid(3, 3);
    g->SetURLShowInText(true);
    g->SetCells(1, 1, "see www.x.org or http://y.org");
    const QString shown = g->Cells(1, 1);
    EXPECT_TRUE(shown.contains("http://y.org")) << shown.toStdString();
    // HTTP:// is tried first and ends the search: www.x.org stays plain.
    EXPECT_TRUE(shown.contains("<a href=\"http://y.org\">")) << shown.toStdString();
    EXPECT_FALSE(shown.contains("href=\"www.x.org")) << shown.toStdString();
    EXPECT_EQ(g->GridCells(1, 1), "see www.x.org or http://y.org");
}

TEST(AdvGridCells, CellsChangedRunsEventThenNotifiersInOrder)
{
    class TOrderNotifier : public TGridChangeNotifier {
    public:
        TOrderNotifier(QStringList* log, QString name) : TGridChangeNotifier(nullptr), FLog(log), FName(name) {}
        void CellsChanged(const TGridRect&) override { FLog->append(FName); }
        QStringList* FLog;
        QString FName;
    };
    auto g = NewFixtureGrid(3, 5);
    QStringList log;
    g->OnCellsChanged = [&](TObject*, const TGridRect&) { log.append("event"); };
    auto* a = new TOrderNotifier(&log, "a");
    auto* b = new TOrderNotifier(&log, "b");
    g->RegisterNotifier(a);
    g->RegisterNotifier(b);
    g->RegisterNotifier(a);
    EXPECT_EQ(g->NotifierCount(), 2);
    g->InsertRows(1, 1);
    EXPECT_EQ(log.join(","), "event,a,b");
    // A notifier destroyed while registered leaves the list.
    Free(a);
    EXPECT_EQ(g->NotifierCount(), 1);
    log.clear();
    g->RemoveRows(1, 1);
    EXPECT_EQ(log.join(","), "event,b");
    Free(b);
}

// ---- selection ----------------------------------------------------------------------------------

TEST(AdvGridSelection, DisjunctRowsCountsAndErrors)
{
    auto g = NewFixtureGrid(3, 10);
    g->MouseActions()->SetDisjunctRowSelect(true);
    g->SelectRows(3, 100);
    EXPECT_EQ(g->RowSelectCount(), 7);
    g->ClearRowSelect();
    g->SetRowSelect(0, true);  // a fixed row: flag set, not in the ordered list
    EXPECT_EQ(g->RowSelectCount(), 1);
    EXPECT_EQ(g->SelectedRowCount(), 0);
    EXPECT_THROW(g->RowSelect(10), EAdvGridError);
    try {
        g->RowSelect(12);
    } catch (const EAdvGridError& e) {
        EXPECT_EQ(e.Message(), "Invalid row 12 accessed");
    }
    EXPECT_THROW(g->SetRowSelect(-1, true), EAdvGridError);
    EXPECT_THROW(g->ColSelect(3), EAdvGridError);
    g->MouseActions()->SetRowSelectPersistent(true);
    EXPECT_FALSE(g->RowSelect(12));
    // The veto changes nothing and fires nothing after it.
    int selected = 0;
    g->OnRowDisjunctSelect = [](TObject*, int, bool, bool& allow) { allow = false; };
    g->OnRowDisjunctSelected = [&](TObject*, int) { ++selected; };
    g->SetRowSelect(5, true);
    EXPECT_FALSE(g->RowSelect(5));
    EXPECT_EQ(selected, 0);
}

TEST(AdvGridSelection, RectangleQueriesAndText)
{
    auto g = NewFixtureGrid(4, 6);
    g->SelectCells(1, 1, 2, 3);
    EXPECT_EQ(g->SelectedCellsCount(), 6);
    EXPECT_EQ(g->SelectedCell(1), (TGridCoord{1, 2}));
    EXPECT_EQ(g->SelectedRowCount(), 3);
    EXPECT_EQ(g->SelectedColCount(), 2);
    EXPECT_TRUE(g->IsSelected(2, 3));
    EXPECT_FALSE(g->IsSelected(0, 2));
    g->SelectCells(1, 1, 2, 2);
    EXPECT_EQ(g->SelectedText(), "1,1\t2,1\r\n1,2\t2,2");
    g->SelectRows(2, 100);
    EXPECT_EQ(g->Selection(), (TGridRect{1, 2, 3, 5}));
}

TEST(AdvGridSelection, DisjunctCellsFarApartStayApart)
{
    auto g = NewFixtureGrid(3, 3);
    g->MouseActions()->SetDisjunctCellSelect(true);
    g->SetSelectedCells(70000, 40000, true);
    g->SetSelectedCells(4464, 40001, true);  // packed in 32 bits these would meet
    EXPECT_EQ(g->SelectedCellsCount(), 2);
    EXPECT_EQ(g->SelectedCell(0), (TGridCoord{70000, 40000}));
    EXPECT_TRUE(g->SelectedCells(70000, 40000));
    EXPECT_FALSE(g->SelectedCells(70000, 40001));
}

TEST(AdvGridSelection, DisablingTheCurrentRowMovesIt)
{
    auto g = NewFixtureGrid(3, 6);
    g->SetRow(1);
    g->SetRowEnabled(1, false);
    EXPECT_EQ(g->Row(), 2);
    EXPECT_FALSE(g->RowEnabled(1));
    EXPECT_TRUE(g->RowEnabled(50));
}

// ---- clearing and merging -------------------------------------------------------------------------

TEST(AdvGridClear, RectanglesRowsAndTheWholeGrid)
{
    auto g = NewFixtureGrid(5, 5);
    g->HideColumn(4);
    g->CreateCellGraphic(4, 2);  // an object in a hidden column
    g->SetColors(1, 1, 0xFF);
    g->ClearRect(0, 0, g->ColCount() - 1, g->RowCount() - 1);
    EXPECT_EQ(g->GridCells(4, 2), "4,2");  // real columns from ColCount on untouched
    EXPECT_FALSE(g->HasCellProps());
    EXPECT_EQ(g->Cells(1, 1), "");
    g->Clear();
    EXPECT_EQ(g->GridCells(4, 2), "");
    EXPECT_EQ(g->GetCellGraphic(4, 2), nullptr);

    auto t = NewFixtureGrid(3, 3);
    t->CreateCellGraphic(1, 1)->SetCheckBox(true, false, false, haLeft, vaTop);
    t->SetClearTextOnly(true);
    t->ClearRows(1, 1);
    EXPECT_EQ(t->Cells(1, 1), "");
    EXPECT_EQ(t->GetCellType(1, 1), ctCheckBox);
}

TEST(AdvGridClear, MergeRunsAndJoinColumns)
{
    auto g = NewFixtureGrid(3, 6);
    const char* texts[] = {"x", "x", "y", "x", "x"};
    for (int r = 1; r < 6; ++r) g->SetCells(1, r, texts[r - 1]);
    g->MergeColumnCells(1, true);
    EXPECT_EQ(g->CellSpan(1, 1), TPoint(0, 1));
    EXPECT_FALSE(g->IsMergedCell(1, 3));
    EXPECT_EQ(g->CellSpan(1, 4), TPoint(0, 1));
    g->SplitColumnCells(1);
    EXPECT_FALSE(g->IsMergedCell(1, 1));

    auto m = NewFixtureGrid(4, 3);
    m->SetCells(2, 1, "tail");
    m->SetCells(3, 1, "");
    m->MergeCols(2, 3, ", ");
    EXPECT_EQ(m->Cells(2, 1), "tail,");
    EXPECT_EQ(m->ColCount(), 3);
    int c = -1, r = -1;
    m->SetCells(1, 2, "find");
    m->SetCells(2, 1, "find");
    EXPECT_TRUE(m->IsCell("find", c, r));
    EXPECT_EQ(r, 1);
    EXPECT_EQ(c, 2);
}

// ---- cell objects -----------------------------------------------------------------------------------

TEST(AdvGridObjects, CellGraphicSettersAndSizes)
{
    TCellGraphic g;
    struct Angle {
        int in, out;
    };
    for (Angle a : {Angle{-90, 270}, Angle{720, 360}, Angle{360, 360}, Angle{45, 45}}) {
        g.SetAngle(a.in);
        EXPECT_EQ(g.CellAngle(), a.out) << a.in;
    }
    g.SetButton(80, 20, "ok", haLeft, vaTop);
    EXPECT_EQ(g.CellIndex(), 20 * 65536 + 80);

    auto* pic = new TPicture;
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetSize(200, 100);
    pic->SetGraphic(bmp.get());
    TCellGraphic p;
    struct Fit {
        TStretchMode mode;
        int w, h;
    };
    for (Fit f : {Fit{StretchWithAspectRatio, 100, 50}, Fit{Shrink, 100, 100}, Fit{ShrinkWithAspectRatio, 100, 50},
                  Fit{noStretch, 200, 100}, Fit{Stretch, 100, 100}}) {
        p.SetPicture(pic, false, f.mode, 0, haLeft, vaTop);
        int w = 0, h = 0;
        ASSERT_TRUE(p.GetPictureSize(100, 100, false, w, h));
        EXPECT_EQ(w, f.w) << int(f.mode);
        EXPECT_EQ(h, f.h) << int(f.mode);
    }
    p.SetPayload(pkPicture, pic, true);  // the cell owns it from now on
}

TEST(AdvGridObjects, AssignCopiesFieldsNeverOwnership)
{
    TCellGraphic src;
    src.SetMultiImage(1, 1, 0, haCenter, vaBottom, nullptr);  // owns an index list
    src.SetCellText("t");
    TCellGraphic dst;
    dst.Assign(&src);
    EXPECT_EQ(dst.CellType(), ctImages);
    EXPECT_EQ(dst.CellHAlign(), haCenter);
    EXPECT_EQ(dst.CellText(), "t");
    EXPECT_FALSE(dst.CellCreated());
    EXPECT_EQ(dst.Payload(), nullptr);
    TCellNode other(nullptr);
    EXPECT_THROW(dst.Assign(&other), EConvertError);
}

TEST(AdvGridObjects, OwnershipByKind)
{
    // Under the leak checker: owned payloads go with the graphic, borrowed
    // ones stay with their owner.
    TBitmap borrowed;
    {
        TCellGraphic bitmapBorrowed;
        bitmapBorrowed.SetBitmap(&borrowed, false, haLeft, vaTop);
        TCellGraphic bitmapOwned;
        bitmapOwned.SetBitmap(new TBitmap, false, haLeft, vaTop);
        bitmapOwned.SetCellCreated(true);
        TCellGraphic images;
        images.SetMultiImage(0, 0, 1, haLeft, vaTop, nullptr);
        TCellGraphic balloon;
        balloon.SetCheckBox(true, false, false, haLeft, vaTop);
        balloon.SetBalloonList(new TStringList);
        balloon.SetCheckGlyph(new TBitmap);
        TCellGraphic colour;
        colour.SetCellColors(0xFF, 0xFF00);
        EXPECT_EQ(colour.PayloadKind(), pkColor);
    }
    EXPECT_EQ(borrowed.Width(), 0);  // still alive
}

TEST(AdvGridObjects, ScreenAndPrintSizes)
{
    auto g = NewFixtureGrid(4, 4);
    TBitmap bmp;
    bmp.SetSize(16, 12);
    struct Case {
        const char* what;
        TCellType type;
        bool text;
        TCellHAlign ha;
        TCellVAlign va;
        TPoint screen, print;
    };
    const Case cases[] = {
        {"bitmap with text", ctBitmap, true, haLeft, vaTop, TPoint(0, 0), TPoint(16, 12)},
        {"bitmap alone", ctBitmap, false, haLeft, vaTop, TPoint(16, 12), TPoint(16, 12)},
        {"bitmap beside text", ctBitmap, true, haBeforeText, vaUnderText, TPoint(16, 12), TPoint(16, 12)},
        {"rating", ctRating, false, haFull, vaTop, TPoint(90, 16), TPoint(0, 0)},
        {"progress pie", ctProgressPie, false, haLeft, vaTop, TPoint(20, 20), TPoint(20, 20)},
        {"node", ctNode, false, haLeft, vaTop, TPoint(0, 0), TPoint(20, 20)},
    };
    for (const Case& c : cases) {
        g->SetCells(1, 1, c.text ? "t" : "");
        TCellGraphic* gr = g->CreateCellGraphic(1, 1);
        if (c.type == ctBitmap) gr->SetBitmap(&bmp, false, c.ha, c.va);
        gr->SetCellType(c.type);
        gr->SetCellHAlign(c.ha);
        gr->SetCellVAlign(c.va);
        if (c.type == ctRating) gr->SetCellAngle(5);
        EXPECT_EQ(g->CalcCellGraphicSize(1, 1, 0), c.screen) << c.what;
        EXPECT_EQ(g->CalcPrintCellGraphicSize(1, 1, 100, 100, 1.0), c.print) << c.what;
        g->RemoveCellGraphic(1, 1);
    }
    // A foreign graphic object is no cell graphic.
    auto* foreign = new TBitmap;
    g->SetGraphicObjects(2, 2, foreign);
    EXPECT_EQ(g->GetCellType(2, 2), ctEmpty);
    EXPECT_EQ(g->GetCellGraphic(2, 2), nullptr);
    g->SetGraphicObjects(2, 2, nullptr);
    Free(foreign);
}

TEST(AdvGridObjects, OptionObjectDefaultsAndAssign)
{
    TCellNode n(nullptr);
    EXPECT_EQ(n.Color(), TColor(0xC0C0C0));
    EXPECT_EQ(n.NodeType(), cnXP);
    EXPECT_EQ(n.NodeIndent(), 12);
    EXPECT_TRUE(n.ShowTree());
    EXPECT_EQ(n.TreeColor(), TColor(0x808080));
    n.SetNodeIndent(30);
    n.ExpandGlyph()->SetSize(5, 5);
    TCellNode m(nullptr);
    m.Assign(&n);
    EXPECT_EQ(m.NodeIndent(), 30);
    EXPECT_EQ(m.ExpandGlyph()->Width(), 5);
    EXPECT_NE(m.ExpandGlyph(), n.ExpandGlyph());

    TColumnSize s(nullptr);
    EXPECT_EQ(s.StretchColumn(), -1);
    EXPECT_EQ(s.Rows(), arAll);
    EXPECT_EQ(s.Location(), clRegistry);
    s.SetSection("S");
    TColumnSize t(nullptr);
    t.Assign(&s);
    EXPECT_EQ(t.Section(), "S");
    // A round trip through the property list.
    TColumnSize u(nullptr);
    TColumnSize::Properties().AssignProperties(&t, &u);
    EXPECT_EQ(u.Section(), "S");
}

// ---- update counter, timer, footer -------------------------------------------------------------

TEST(AdvGridUpdate, BracketsCountAndTheLastOneRepaints)
{
    TForm* form = Create<TForm>(nullptr);
    form->SetBounds(0, 0, 400, 300);
    auto* g = Create<TTestAdvGrid>(form);
    g->SetParent(form);
    form->Show();
    PumpEvents();
    g->BeginUpdate();
    g->BeginUpdate();
    g->EndUpdate();
    EXPECT_TRUE(g->LockUpdate());
    g->EndUpdate();
    EXPECT_FALSE(g->LockUpdate());
    g->EndUpdate();  // unmatched: stays 0
    EXPECT_EQ(g->UpdateCount(), 0);
    // Opened while shown, closed while hidden, shown again: it paints.
    g->BeginUpdate();
    g->SetParent(nullptr);
    g->EndUpdate();
    g->SetParent(form);
    const int before = g->Paints;
    g->Invalidate();
    PumpEvents();
    EXPECT_GT(g->Paints, before);
    Free(form);
}

TEST(AdvGridUpdate, IncrementalTextGoesOnTheFourthTick)
{
    auto g = NewFixtureGrid(3, 3);
    g->Navigation()->SetAutoGotoIncremental(true);
    g->SearchInc = "ab";
    for (int i = 0; i < 3; ++i) g->DeliverTimer(111);
    EXPECT_EQ(g->SearchInc, "ab");
    g->DeliverTimer(111);
    EXPECT_EQ(g->SearchInc, "");
}

TEST(AdvGridUpdate, FooterCalculationNeedsAVisibleFooter)
{
    auto g = NewFixtureGrid(3, 5);
    g->GetCellProperties(1, 4)->SetCalcType(acCOUNT);
    g->CalcFooter(-1);
    EXPECT_EQ(g->Cells(1, 4), "1,4");
}

TEST(AdvGridUpdate, HitTestsOutsideTheCells)
{
    auto g = NewFixtureGrid(3, 3);
    int c = 0, r = 0;
    g->ScreenToCell(TPoint(-5000, -5000), c, r);
    EXPECT_EQ(c, -1);
    EXPECT_EQ(r, -1);
    g->SetOptions(g->Options() + goColSizing);
    const TRect rc = g->CellRect(1, 1);
    EXPECT_TRUE(g->IsSizingBorder(rc.Right - 1, rc.Top + 5));
    EXPECT_FALSE(g->IsSizingBorder(rc.Left + 20, rc.Top + 5));
}
