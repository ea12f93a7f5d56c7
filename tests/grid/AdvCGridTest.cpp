// The column grid: items in step with the columns, headers, column order and
// its positions file, the hooks answered from the items, the column stream.

#include "AdvCGridTestKit.h"
#include "AdvGridPrint.h"

#include "FormatSettings.h"
#include "IniFiles.h"
#include "Menus.h"
#include "TestHarness.h"

#include <QBuffer>
#include <QFile>
#include <gtest/gtest.h>

namespace {

void ExpectInvariant(TAdvColumnGrid* g)
{
    EXPECT_EQ(g->Columns()->Count(), g->ColCount() + g->NumHiddenColumns());
}

}  // namespace

TEST(AdvCGrid, ItemsFollowEveryStructuralChange)
{
    auto g = NewColumnFixture();
    g->Columns()->Items(7)->SetColor(clYellow);
    g->Columns()->Items(7)->Font()->SetSize(13);
    struct Step {
        const char* what;
        std::function<void(TTestColumnGrid*)> run;
        int cols;
    };
    const Step steps[] = {
        {"ColCount up", [](TTestColumnGrid* c) { c->SetColCount(10); }, 10},
        {"ColCount down", [](TTestColumnGrid* c) { c->SetColCount(9); }, 9},
        {"Columns.Add", [](TTestColumnGrid* c) { c->Columns()->Add(); }, 10},
        {"item delete", [](TTestColumnGrid* c) { Free(c->Columns()->Items(9)); }, 9},
        {"InsertCols", [](TTestColumnGrid* c) { c->InsertCols(2, 2); }, 11},
        {"RemoveCols", [](TTestColumnGrid* c) { c->RemoveCols(2, 2); }, 9},
        {"HideColumn", [](TTestColumnGrid* c) { c->HideColumn(3); }, 8},
        {"UnHideColumn", [](TTestColumnGrid* c) { c->UnHideColumn(3); }, 9},
        {"CellsLoaded", [](TTestColumnGrid* c) { c->CellsLoaded(); }, 9},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.run(g.get());
        EXPECT_EQ(g->ColCount(), s.cols);
        ExpectInvariant(g.get());
    }
    // Columns added by a count write look like the last one, but take the
    // grid's colour and font.
    TGridColumnItem* added = g->Columns()->Items(8);
    EXPECT_EQ(added->Color(), g->Color());
    EXPECT_EQ(added->Font()->Size(), g->Font()->Size());
}

TEST(AdvCGrid, DeletingItemsNeverLeavesOnlyFixedColumns)
{
    auto g = NewColumnFixture();
    while (g->Columns()->Count() > 1) Free(g->Columns()->Items(g->Columns()->Count() - 1));
    EXPECT_GT(g->ColCount(), g->FixedCols());
}

TEST(AdvCGrid, NewItemsCopyTheLookOfTheLastColumn)
{
    auto g = NewColumnFixture(3);
    TGridColumnItem* last = g->Columns()->Items(2);
    last->SetAlignment(taRightJustify);
    last->SetEditor(edComboList);
    last->SetHeader(QStringLiteral("Last"));
    TGridColumnItem* item = g->Columns()->Add();
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(item->Alignment(), taRightJustify);
    EXPECT_EQ(item->Editor(), edComboList);
    EXPECT_EQ(item->Header(), QString());
}

TEST(AdvCGrid, HeaderWritesRowZeroOnlyWithAFixedRow)
{
    for (int fixedRows : {1, 0}) {
        SCOPED_TRACE(fixedRows);
        auto g = NewColumnFixture();
        g->SetFixedRows(fixedRows);
        g->Columns()->Items(2)->SetHeader(QStringLiteral("Two"));
        EXPECT_EQ(g->Cells(2, 0), fixedRows ? QStringLiteral("Two") : QStringLiteral("2,0"));
        EXPECT_EQ(g->Columns()->Items(2)->Header(), QStringLiteral("Two"));
        if (fixedRows) {
            ASSERT_EQ(g->ColumnHeaders()->Count(), 8);
            EXPECT_EQ(g->ColumnHeaders()->Strings(2), QStringLiteral("Two"));
            // Items without a header took row 0's text.
            EXPECT_EQ(g->ColumnHeaders()->Strings(3), QStringLiteral("3,0"));
        }
    }
}

TEST(AdvCGrid, ColumnHeadersListGivesEveryItemItsHeader)
{
    auto g = NewColumnFixture();
    TStringList list;
    for (int i = 0; i < 8; ++i) list.Add(QStringLiteral("H%1").arg(i));
    g->SetColumnHeaders(&list);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(g->Columns()->Items(i)->Header(), QStringLiteral("H%1").arg(i));
    EXPECT_EQ(g->Cells(5, 0), QStringLiteral("H5"));
}

TEST(AdvCGrid, WidthLivesInTheGrid)
{
    auto g = NewColumnFixture();
    g->Columns()->Items(3)->SetWidth(77);
    EXPECT_EQ(g->ColWidths(3), 77);
    g->SetColWidths(4, 91);
    EXPECT_EQ(g->Columns()->Items(4)->Width(), 91);
    // With a column hidden before it the item still names its real column.
    g->HideColumn(1);
    g->Columns()->Items(5)->SetWidth(66);
    EXPECT_EQ(g->ColWidths(g->DisplColIndex(5)), 66);
    TGridColumnItem spare(nullptr);
    EXPECT_EQ(spare.Width(), 0);
    EXPECT_EQ(spare.Color(), TColor(0));
}

TEST(AdvCGrid, MovingAColumnCarriesItsItemAndDefIdx)
{
    auto g = NewColumnFixture();
    g->Columns()->Items(2)->SetAlignment(taCenter);
    g->Columns()->Items(2)->SetHeader(QStringLiteral("Moved"));
    g->Columns()->SetOrganization();
    int from = -1, to = -1;
    g->OnAfterColumnMoved = [&](TObject*, int f, int t) {
        from = f;
        to = t;
    };
    g->MoveColumn(2, 5);
    EXPECT_EQ(from, 2);
    EXPECT_EQ(to, 5);
    ExpectInvariant(g.get());
    TGridColumnItem* item = g->Columns()->Items(5);
    EXPECT_EQ(item->Alignment(), taCenter);
    EXPECT_EQ(item->Header(), QStringLiteral("Moved"));
    EXPECT_EQ(item->DefIdx(), 2);
    EXPECT_EQ(g->Cells(5, 0), QStringLiteral("Moved"));
    EXPECT_EQ(g->Cells(5, 3), QStringLiteral("2,3"));

    const QString ini = TestHarness::ProgramDir() + QStringLiteral("/positions.ini");
    g->SaveColumnPositions(ini, QStringLiteral("Grid"));
    TMemIniFile file(ini);
    const int expected[] = {0, 1, 3, 4, 5, 2, 6, 7};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(file.ReadInteger(QStringLiteral("Grid"), QStringLiteral("CP%1").arg(i), -1), expected[i]) << i;

    auto fresh = NewColumnFixture();
    fresh->Columns()->Items(2)->SetHeader(QStringLiteral("Moved"));
    fresh->Columns()->SetOrganization();
    fresh->LoadColumnPositions(ini, QStringLiteral("Grid"));
    EXPECT_EQ(fresh->Columns()->Items(5)->Header(), QStringLiteral("Moved"));
    EXPECT_EQ(fresh->Cells(5, 3), QStringLiteral("2,3"));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(fresh->Columns()->Items(i)->DefIdx(), expected[i]) << i;
}

TEST(AdvCGrid, BadPositionFilesChangeNothing)
{
    struct Case {
        const char* what;
        QString text;
        bool hideOne;
    };
    const QString good = QStringLiteral("[G]\nCP0=0\nCP1=1\nCP2=3\nCP3=4\nCP4=5\nCP5=2\nCP6=6\n");
    const Case cases[] = {
        {"key missing", good, false},
        {"value twice", good + QStringLiteral("CP7=3\n"), false},
        {"out of range", good + QStringLiteral("CP7=8\n"), false},
        {"negative", good + QStringLiteral("CP7=-2\n"), false},
        {"does not read", good + QStringLiteral("CP7=seven\n"), false},
        {"value twice, a column hidden", good + QStringLiteral("CP7=3\n"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString ini = TestHarness::ProgramDir() + QStringLiteral("/bad.ini");
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.text.toUtf8());
        f.close();
        auto g = NewColumnFixture();
        if (c.hideOne) g->HideColumn(4);
        g->Columns()->SetOrganization();
        const QString before = RowText(g.get(), 3);
        g->LoadColumnPositions(ini, QStringLiteral("G"));
        EXPECT_EQ(RowText(g.get(), 3), before);
        EXPECT_EQ(g->NumHiddenColumns(), c.hideOne ? 1 : 0);
        for (int i = 0; i < g->Columns()->Count(); ++i) EXPECT_EQ(g->Columns()->Items(i)->DefIdx(), i);
    }
}

TEST(AdvCGrid, DataCheckBoxColumnsNeedNoCellObjects)
{
    auto g = NewColumnFixture();
    TGridColumnItem* item = g->Columns()->Items(6);
    item->SetEditor(edDataCheckBox);
    item->SetCheckTrue(QStringLiteral("J"));
    g->SetCells(6, 2, QStringLiteral("J"));
    EXPECT_EQ(g->GetCellType(6, 2), ctDataCheckBox);
    TCellGraphic* graphic = g->GetCellGraphic(6, 2);
    ASSERT_NE(graphic, nullptr);
    EXPECT_EQ(graphic->CellType(), ctVirtCheckBox);
    EXPECT_EQ(g->GetGridObjectsEx(6, 2), nullptr);
    // Fixed cells and other columns keep the string grid's answer.
    EXPECT_EQ(g->GetCellType(6, 0), ctEmpty);
    EXPECT_EQ(g->GetCellType(5, 2), ctEmpty);
    QString value;
    g->GetCheckTrue(6, 2, value);
    EXPECT_EQ(value, QStringLiteral("J"));
    g->GetCheckFalse(6, 2, value);
    EXPECT_EQ(value, QStringLiteral("N"));
}

TEST(AdvCGrid, EditingHooksAnswerFromTheItems)
{
    auto g = NewColumnFixture();
    g->Columns()->Items(1)->SetReadOnly(true);
    g->Columns()->Items(2)->SetFixed(true);
    g->Columns()->Items(3)->SetPassword(true);
    g->Columns()->Items(4)->SetEditor(edComboList);
    g->Columns()->Items(5)->SetEditor(edComboEdit);
    g->Columns()->Items(6)->SetEditMask(QStringLiteral("999"));
    g->Columns()->Items(6)->SetEditLength(3);
    struct Case {
        int col, row;
        bool canEdit, fixed, password, combo;
    };
    const Case cases[] = {
        {1, 2, false, false, false, false},  // read-only
        {2, 2, false, true, false, false},   // fixed
        {3, 2, true, false, true, false},    // password
        {4, 2, true, false, false, true},    // combo list
        {5, 2, true, false, false, true},    // combo edit
        {4, 0, false, true, false, false},   // header row: a fixed row
        {7, 2, true, false, false, false},   // plain
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.col * 100 + c.row);
        bool can = true, fixed = false, password = false;
        g->CanEditCell(c.col, c.row, can);
        EXPECT_EQ(can, c.canEdit);
        g->IsFixedCell(c.col, c.row, fixed);
        EXPECT_EQ(fixed, c.fixed);
        g->IsPasswordCell(c.col, c.row, password);
        EXPECT_EQ(password, c.password);
        EXPECT_EQ(g->HasComboBox(c.col, c.row), c.combo);
    }
    TEditorType ed = edNormal;
    g->GetCellEditor(4, 2, ed);
    EXPECT_EQ(ed, edComboList);
    // The cell's own read-only flag refuses where the column allows.
    g->SetReadOnly(7, 3, true);
    bool can = true;
    g->CanEditCell(7, 3, can);
    EXPECT_FALSE(can);
    // The edit mask of the real column's item, with a column hidden before it.
    g->HideColumn(2);
    EXPECT_EQ(g->EditMaskAt(g->DisplColIndex(6), 2), QStringLiteral("999"));
    g->SetCol(g->DisplColIndex(6));
    EXPECT_EQ(g->EditLimit(), 3);
}

TEST(AdvCGrid, CellDefaultsAndAlignmentComeFromTheItem)
{
    auto g = NewColumnFixture();
    TGridColumnItem* item = g->Columns()->Items(3);
    item->SetColor(clAqua);
    item->SetAlignment(taRightJustify);
    item->SetHeaderAlignment(taCenter);
    item->Font()->SetSize(14);
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    g->GetAlignment(3, 0, ha, va);
    EXPECT_EQ(ha, taCenter);
    g->GetAlignment(3, 4, ha, va);
    EXPECT_EQ(ha, taRightJustify);
    // A new cell-properties object starts from the item.
    TCellProperties* p = g->CellProperties(3, 4);
    EXPECT_EQ(p->BrushColor(), clAqua);
    EXPECT_EQ(p->Alignment(), taRightJustify);
    TBrush brush;
    TFont font;
    g->GetCellColor(3, 5, TGridDrawState(), &brush, &font);
    EXPECT_EQ(brush.Color(), clAqua);
    EXPECT_EQ(font.Size(), 14);
    // Cell properties win over the item.
    g->SetColors(3, 5, clLime);
    g->GetCellColor(3, 5, TGridDrawState(), &brush, &font);
    EXPECT_EQ(brush.Color(), clLime);
    g->Columns()->Items(2)->SetFixed(true);
    g->GetCellColor(2, 5, TGridDrawState(), &brush, &font);
    EXPECT_EQ(brush.Color(), g->FixedColor());
}

// Printed cells of a column without a print font of its own take the print
// settings' fonts, whatever build the grid came from.
TEST(AdvCGrid, PrintedCellsTakeThePrintSettingsFonts)
{
    auto g = NewColumnFixture();
    g->PrintSettings()->Font()->SetSize(17);
    g->PrintSettings()->FixedFont()->SetSize(19);
    g->Columns()->Items(3)->SetPrintFontCustom(false);
    TBrush brush;
    TFont font;
    font.SetSize(8);
    g->GetCellPrintColor(3, 5, TGridDrawState(), &brush, &font);
    EXPECT_EQ(font.Size(), 17);
    g->GetCellPrintColor(3, 0, TGridDrawState(), &brush, &font);
    EXPECT_EQ(font.Size(), 19);
}

TEST(AdvCGrid, FloatFormatShowsNumbersAndLeavesTheRest)
{
    auto g = NewColumnFixture();
    g->Columns()->Items(2)->SetFloatFormat(QStringLiteral("%.2f"));
    struct Case {
        QString text, format, shown;
    };
    FormatSettings fs = FixedFormatSettings();
    fs.DecimalSeparator = u',';
    fs.RawDecimalSeparator = QStringLiteral(",");
    fs.ThousandSeparator = u'.';
    ScopedFormatSettings comma(fs);
    const Case cases[] = {
        {QStringLiteral("3,5"), QStringLiteral("%.2f"), QStringLiteral("3,50")},
        {QStringLiteral("7"), QStringLiteral("%.2f"), QStringLiteral("7,00")},
        {QStringLiteral("abc"), QStringLiteral("%.2f"), QStringLiteral("abc")},
        {QStringLiteral("7"), QStringLiteral("%s %s"), QStringLiteral("7")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.text + c.format).toStdString());
        g->Columns()->Items(2)->SetFloatFormat(c.format);
        g->SetCells(2, 2, c.text);
        EXPECT_EQ(g->GetFormattedCell(2, 2), c.shown);
    }
    g->Columns()->Items(2)->SetFloatFormat(QStringLiteral("%.2f"));
    g->SetCells(2, 2, QStringLiteral("7"));
    g->OnGetFloatFormat = [](TObject*, int, int, bool& isFloat, QString&) { isFloat = false; };
    EXPECT_EQ(g->GetFormattedCell(2, 2), QStringLiteral("7"));
}

TEST(AdvCGrid, ColumnStreamRoundTripsEveryProperty)
{
    auto g = NewColumnFixture();
    TGridColumnItem* item = g->Columns()->Items(3);
    const TPropertyList& list = TGridColumnItem::Properties();
    // Give every plain property a value other than its default.
    for (int i = 0; i < list.Count(); ++i) {
        const TPropertyInfo& p = list.Items(i);
        switch (p.Type) {
        case TPropertyType::ptBoolean:
            p.Set(item, !std::get<bool>(p.Get(item)));
            break;
        case TPropertyType::ptString:
            p.Set(item, p.Name + QStringLiteral("-x"));
            break;
        case TPropertyType::ptInteger:
        case TPropertyType::ptColor:
            p.Set(item, 40 + i);
            break;
        case TPropertyType::ptEnum:
        case TPropertyType::ptSet:
            p.Set(item, 2);
            break;
        default:
            break;
        }
    }
    item->ComboItems()->Add(QStringLiteral("one"));
    item->Filter()->Add(QStringLiteral("Big=>100"));
    item->Font()->SetName(QStringLiteral("Courier"));
    item->HeaderFont()->SetStyle(TFontStyles{fsItalic});
    item->BorderPen()->SetWidth(3);
    item->PrintBorderPen()->SetColor(clRed);
    QBuffer buf;
    buf.open(QIODevice::ReadWrite);
    g->SaveColumnsToStream(&buf);

    for (int cols : {8, 5}) {
        SCOPED_TRACE(cols);
        buf.seek(0);
        auto other = NewColumnFixture(cols);
        other->LoadColumnsFromStream(&buf);
        EXPECT_EQ(other->ColCount(), cols);
        ExpectInvariant(other.get());
        TGridColumnItem* copy = other->Columns()->Items(3);
        for (int i = 0; i < list.Count(); ++i) {
            const TPropertyInfo& p = list.Items(i);
            if (p.Type == TPropertyType::ptObject) continue;
            EXPECT_EQ(p.Get(copy), p.Get(item)) << p.Name.toStdString();
        }
        EXPECT_EQ(copy->ComboItems()->Text(), item->ComboItems()->Text());
        EXPECT_EQ(copy->Filter()->Text(), item->Filter()->Text());
        EXPECT_EQ(copy->Font()->Name(), QStringLiteral("Courier"));
        EXPECT_TRUE(copy->HeaderFont()->Style().Contains(fsItalic));
        EXPECT_EQ(copy->BorderPen()->Width(), 3);
        EXPECT_EQ(copy->PrintBorderPen()->Color(), clRed);
    }
    // A damaged stream raises and changes nothing.
    QBuffer bad;
    bad.setData(buf.data().left(40));
    bad.open(QIODevice::ReadOnly);
    auto other = NewColumnFixture();
    EXPECT_THROW(other->LoadColumnsFromStream(&bad), EStreamError);
    EXPECT_EQ(other->Columns()->Items(3)->Name(), QString());
}

TEST(AdvCGrid, NamesAndVersion)
{
    auto g = NewColumnFixture();
    g->Columns()->Items(2)->SetName(QStringLiteral("Qty"));
    g->Columns()->Items(5)->SetName(QStringLiteral("Qty"));
    EXPECT_EQ(g->GetColumnByName(QStringLiteral("Qty")), g->Columns()->Items(2));
    EXPECT_EQ(g->GetColumnByName(QStringLiteral("qty")), nullptr);
    EXPECT_EQ(g->GetVersionNr(), 0x03010301);
    EXPECT_EQ(g->GetVersionString(), QStringLiteral("3.1.3.1 Aug, 2012"));
    EXPECT_EQ(g->Columns()->Items(2)->DisplayName(), QStringLiteral("Col 2: Qty"));
    EXPECT_EQ(g->Columns()->Items(3)->DisplayName(), QStringLiteral("Column 3"));
    EXPECT_THROW(g->Columns()->Items(8), EListError);
}

TEST(AdvCGrid, PopupMenusFollowButtonTypeAndRow)
{
    auto g = NewColumnFixture();
    TPopupMenu menu;
    g->Columns()->Items(3)->SetColumnPopup(&menu);
    int shown = 0;
    TPoint at;
    ScopedPopupMenuHook hook([&](TPopupMenu*, TPoint p) -> TMenuItem* {
        ++shown;
        at = p;
        return nullptr;
    });
    int fired = 0;
    g->OnColumnPopup = [&](TObject*, int, int, TPopupMenu*) { ++fired; };
    struct Case {
        TColumnPopupType type;
        TMouseButton button;
        int row;
        bool fires, shows;
    };
    const Case cases[] = {
        {cpFixedCellsRClick, mbRight, 0, true, true},    {cpFixedCellsRClick, mbRight, 2, true, false},
        {cpFixedCellsRClick, mbLeft, 0, false, false},   {cpFixedCellsLClick, mbLeft, 0, true, true},
        {cpNormalCellsRClick, mbRight, 2, true, true},   {cpNormalCellsRClick, mbRight, 0, true, false},
        {cpNormalCellsLClick, mbLeft, 2, true, true},    {cpNormalCellsLClick, mbRight, 2, false, false},
        {cpAllCellsRClick, mbRight, 0, true, true},      {cpAllCellsRClick, mbRight, 2, true, true},
        {cpAllCellsLClick, mbLeft, 2, true, true},       {cpAllCellsLClick, mbRight, 2, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.type) * 100 + int(c.button) * 10 + c.row);
        g->Columns()->Items(3)->SetColumnPopupType(c.type);
        shown = fired = 0;
        const TRect r = g->CellRect(3, c.row);
        g->PressAt(c.button, r.Left + 3, r.Top + 3);
        EXPECT_EQ(fired, c.fires ? 1 : 0);
        EXPECT_EQ(shown, c.shows ? 1 : 0);
        if (c.shows) {
    EXPECT_EQ(at, g->ClientToScreen(TPoint(r.Left, r.Bottom)));
        }
    }
}
