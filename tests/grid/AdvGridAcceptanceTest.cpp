// What a user sees of hidden columns and rows, and a grid freed with objects
// everywhere (checked by the leak and address sanitizers).

#include "AdvGridTestKit.h"
#include "TestHarness.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(AdvGridAcceptance, HiddenColumnAndRowsShowAndComeBack)
{
    TForm* form = Create<TForm>(nullptr);
    form->SetBounds(0, 0, 520, 330);
    auto* g = Create<TTestAdvGrid>(form);
    g->SetParent(form);
    g->SetBounds(8, 8, 500, 310);
    g->SetColCount(6);
    g->SetRowCount(12);
    g->SetDefaultColWidth(70);
    g->SetDefaultRowHeight(22);
    for (int r = 0; r < 12; ++r)
        for (int c = 0; c < 6; ++c) g->SetCells(c, r, QStringLiteral("R%1C%2").arg(r).arg(c));
    g->SetColWidths(2, 55);
    g->SetRowHeights(5, 30);
    g->MergeCells(1, 1, 1, 2);
    g->HideColumn(2);
    g->HideRows(4, 6);
    EXPECT_EQ(g->ColCount(), 5);
    EXPECT_EQ(g->RowCount(), 9);
    EXPECT_EQ(RowText(g, 4), "R7C0|R7C1|R7C3|R7C4|R7C5");
    form->Show();
    PumpEvents();
    const QString path = QDir(TestHarness::ProgramDir()).filePath("stringgrid_hidden.png");
    ASSERT_TRUE(TestHarness::GrabToPng(form, path));
    const QByteArray dir = qgetenv("CALYPTOR_GRAB_DIR");
    if (!dir.isEmpty()) TestHarness::GrabToPng(form, QDir(QString::fromLocal8Bit(dir)).filePath("stringgrid_hidden.png"));

    g->UnHideColumn(2);
    g->UnHideRows(4, 6);
    EXPECT_EQ(g->ColCount(), 6);
    EXPECT_EQ(g->RowCount(), 12);
    EXPECT_EQ(g->ColWidths(2), 55);
    EXPECT_EQ(g->RowHeights(5), 30);
    EXPECT_EQ(RowText(g, 5), "R5C0|R5C1|R5C2|R5C3|R5C4|R5C5");
    EXPECT_EQ(g->CellSpan(1, 1), TPoint(0, 1));
    Free(form);
}

TEST(AdvGridAcceptance, AGridWithObjectsEverywhereIsFreedOnce)
{
    auto g = NewFixtureGrid(8, 20);
    TBitmap shared;
    // Objects in hidden columns, in directly hidden rows, in rows of two
    // filter passes and beyond a lowered count.
    g->CreateCellGraphic(6, 3)->SetMultiImage(6, 3, 0, haLeft, vaTop, nullptr);
    g->CreateCellGraphic(2, 5)->SetBitmap(new TBitmap, false, haLeft, vaTop);
    g->GetCellGraphic(2, 5)->SetCellCreated(true);
    TCellGraphic* balloon = g->CreateCellGraphic(3, 7);
    balloon->SetCheckBox(true, false, false, haLeft, vaTop);
    balloon->SetBalloonList(new TStringList);
    balloon->SetCheckGlyph(new TBitmap);
    g->CreateCellGraphic(4, 9)->SetBitmap(&shared, false, haLeft, vaTop);
    g->CreateCellGraphic(1, 11)->SetCellColors(0xFF, 0xFF00);
    g->SetColors(5, 13, 0xABCDEF);
    g->CreateCellGraphic(3, 18)->SetMultiImage(3, 18, 1, haLeft, vaTop, nullptr);
    g->HideColumn(6);
    g->HideRows(5, 5);
    TIntList pass1(0, 0);
    pass1.Add(g->DisplRowIndex(7));
    g->HideRowList(&pass1);
    TIntList pass2(0, 0);
    pass2.Add(g->DisplRowIndex(9));
    pass2.Add(g->DisplRowIndex(13));
    g->HideRowList(&pass2);
    g->SetAllObjects(2, 5, 42);  // a user value into a hidden row's cell
    EXPECT_EQ(g->AllObjects(2, 5), 42);
    g->SetRowCount(12);  // row 18's objects now lie beyond the count
    g.reset();
    EXPECT_EQ(shared.Width(), 0);  // the borrowed bitmap is still there
}
