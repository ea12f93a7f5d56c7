// Column layout kept in a text, an INI file or the registry stand-in, and
// the look carried between grids in a visual-properties file.

#include "AdvGridTestKit.h"
#include "AdvGridCellGraphic.h"
#include "AdvGridHints.h"
#include "AdvGridLook.h"
#include "ColorNames.h"
#include "Files.h"
#include "IniFiles.h"
#include "Registry.h"
#include "SysUtils.h"
#include "TestHarness.h"
#include "TextFiles.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

TTestAdvGridPtr FourColumns()
{
    TTestAdvGridPtr g = NewFixtureGrid(4, 3);
    for (int c = 0; c < 4; ++c) g->SetColWidths(c, 60 + 10 * c);
    return g;
}

QString IniPath(const QString& name)
{
    return QDir(TestHarness::ProgramDir()).filePath(name);
}

} // namespace

TEST(ColumnStates, HiddenThirdColumnRoundTrips)
{
    TTestAdvGridPtr g = FourColumns();
    g->HideColumn(2);
    const QString s = g->ColumnStatesToString();
    EXPECT_EQ(s, "4#60,70,90,64#0,1,2,3#1,1,0,1");

    TTestAdvGridPtr h = NewFixtureGrid(4, 3);
    h->StringToColumnStates(s);
    EXPECT_TRUE(h->IsHiddenColumn(2));
    EXPECT_EQ(h->ColCount(), 3);
    EXPECT_EQ(h->ColWidths(0), 60);
    EXPECT_EQ(h->ColWidths(2), 90);
    EXPECT_EQ(h->ColumnStatesToString(), s);
}

TEST(ColumnStates, OrderIsAppliedAndKept)
{
    TTestAdvGridPtr g = NewFixtureGrid(4, 3);
    g->StringToColumnStates("4#64,64,64,64#0,2,1,3#1,1,1,1");
    EXPECT_EQ(RowText(g.get(), 1), "0,1|2,1|1,1|3,1");
    EXPECT_EQ(g->ColumnStatesToString(), "4#64,64,64,64#0,2,1,3#1,1,1,1");
}

TEST(ColumnStates, WithoutHashOrEmptyOrderNothingMoves)
{
    TTestAdvGridPtr g = FourColumns();
    g->StringToColumnStates("garbage");
    EXPECT_EQ(g->ColWidths(0), 60);
    g->StringToColumnStates("4#10,20,30,40##1,1,1,1");
    EXPECT_EQ(RowText(g.get(), 1), "0,1|1,1|2,1|3,1");
    EXPECT_EQ(g->ColWidths(3), 40);
}

TEST(ColumnStates, BadStringsRaiseWithTheGridUnchanged)
{
    struct Case {
        const char* Text;
        bool ListError;
    };
    const Case cases[] = {
        {"4#64,64#0,1,2,3#1,1,1,1", true},          // widths list short
        {"4#64,64,64,64#0,1,2,3#1,1", true},        // visible list short
        {"4#64,x,64,64#0,1,2,3#1,1,1,1", false},    // non-integer width
        {"4#64,64,64,64#0,a,2,3#1,1,1,1", false},   // non-integer order entry
        {"2000000000#1#0#1", false},                // absurd count
        {"0##", false},                             // no columns
        {"4#64,64,99999,64#0,1,2,3#1,1,1,1", false} // width out of range
    };
    for (const Case& c : cases) {
        TTestAdvGridPtr g = FourColumns();
        g->HideColumn(1);
        const QString before = g->ColumnStatesToString();
        if (c.ListError) {
            EXPECT_THROW(g->StringToColumnStates(c.Text), EListError) << c.Text;
        }
        else EXPECT_THROW(g->StringToColumnStates(c.Text), EConvertError) << c.Text;
        EXPECT_EQ(g->ColumnStatesToString(), before) << c.Text;
    }
}

TEST(ColumnStates, DuplicateOrderEntryAppliesTheRestOnly)
{
    TTestAdvGridPtr g = NewFixtureGrid(4, 3);
    g->StringToColumnStates("4#11,12,13,14#0,1,1,3#1,0,1,1");
    EXPECT_EQ(RowText(g.get(), 1), "0,1|2,1|3,1");
    EXPECT_EQ(g->ColWidths(0), 11);
    EXPECT_EQ(g->ColWidths(1), 12);
}

TEST(ColumnSizes, IniRoundTripAndGuard)
{
    TTestAdvGridPtr g = FourColumns();
    g->ColumnSize()->SetLocation(clIniFile);
    g->ColumnSize()->SetKey("layout.ini");
    g->SaveColSizes(); // no section: nothing written
    EXPECT_FALSE(QFile::exists(IniPath("layout.ini")));
    g->ColumnSize()->SetSection("Grid");
    g->SaveColSizes();
    TMemIniFile ini(IniPath("layout.ini"));
    EXPECT_EQ(ini.ReadInteger("Grid", "Col3", 0), 90);

    TTestAdvGridPtr h = NewFixtureGrid(5, 3);
    h->ColumnSize()->Assign(g->ColumnSize());
    h->SetColWidths(4, 33);
    TMemIniFile bad(IniPath("layout.ini"));
    bad.WriteInteger("Grid", "Col1", 99999); // out of range: skipped
    bad.UpdateFile();
    h->LoadColSizes();
    EXPECT_EQ(h->ColWidths(0), 60);
    EXPECT_EQ(h->ColWidths(1), 64);
    EXPECT_EQ(h->ColWidths(3), 90);
    EXPECT_EQ(h->ColWidths(4), 33); // no key: kept
}

TEST(ColumnSizes, SavedByDestructionLoadedByCreation)
{
    {
        TTestAdvGridPtr g = FourColumns();
        g->ColumnSize()->SetLocation(clIniFile);
        g->ColumnSize()->SetKey("sizes.ini");
        g->ColumnSize()->SetSection("S");
        g->ColumnSize()->SetSave(true);
        g->SetColWidths(2, 123);
    }
    // The next grid reads them when it has been loaded.
    struct TLoadingGrid : TTestAdvGrid {
        using TTestAdvGrid::TTestAdvGrid;
        using TAdvStringGrid::Loaded;
    };
    std::unique_ptr<TLoadingGrid, TTestAdvGridDeleter> h(Create<TLoadingGrid>(nullptr));
    FillFixture(h.get(), 4, 3);
    h->ColumnSize()->SetLocation(clIniFile);
    h->ColumnSize()->SetKey("sizes.ini");
    h->ColumnSize()->SetSection("S");
    h->ColumnSize()->SetSave(true);
    h->Loaded();
    EXPECT_EQ(h->ColWidths(2), 123);
}

TEST(ColumnPositions, RegistryRoundTripAndBadPositions)
{
    TTestAdvGridPtr g = NewFixtureGrid(4, 3);
    g->ColumnSize()->SetLocation(clRegistry);
    g->ColumnSize()->SetKey("Software\\Test\\Grid");
    g->ColumnSize()->SetSection("Cols");
    g->MoveColumn(1, 3);
    const QString moved = RowText(g.get(), 1);
    g->SaveColPositions();

    TTestAdvGridPtr h = NewFixtureGrid(4, 3);
    h->ColumnSize()->Assign(g->ColumnSize());
    h->LoadColPositions();
    EXPECT_EQ(RowText(h.get(), 1), moved);

    // A duplicate position changes nothing.
    TRegistryIniFile reg("Software\\Test\\Grid");
    reg.WriteInteger("Cols", "Pos1", 0);
    TTestAdvGridPtr k = NewFixtureGrid(4, 3);
    k->ColumnSize()->Assign(g->ColumnSize());
    k->LoadColPositions();
    EXPECT_EQ(RowText(k.get(), 1), "0,1|1,1|2,1|3,1");
}

TEST(ColumnPositions, WithoutPos0NothingChangesButTheFileIsWritten)
{
    TTestAdvGridPtr g = NewFixtureGrid(4, 3);
    g->ColumnSize()->SetLocation(clIniFile);
    g->ColumnSize()->SetKey("pos.ini");
    g->ColumnSize()->SetSection("P");
    g->LoadColPositions();
    EXPECT_TRUE(QFile::exists(IniPath("pos.ini")));
    EXPECT_EQ(RowText(g.get(), 1), "0,1|1,1|2,1|3,1");
}

TEST(VisualProps, RoundTripCarriesEveryEntry)
{
    TTestAdvGridPtr g = NewFixtureGrid(4, 3);
    g->SetColor(TColor(0x123456));
    g->SetURLShow(true);
    g->Font()->SetStyle(TFontStyles{fsBold, fsUnderline});
    g->Font()->SetSize(13);
    g->FixedFont()->SetName("DejaVu Serif");
    g->SetHintColor(clRed);
    g->ControlLook()->SetControlStyle(csFlat);
    g->Grouping()->SetSummaryLineWidth(5);
    g->SetGridLineColor(clLime);
    g->BackGround()->SetDisplay(bdGradientVert);
    g->SetLook(glCustom);
    const QString file = IniPath("look.txt");
    g->SaveVisualProps(file);
    const QString text = ReadTextFile(file).Text;
    EXPECT_EQ(SplitLines(text).size(), 69);
    EXPECT_TRUE(text.contains("Font.Style=fsBold,fsUnderline\r\n"));
    EXPECT_TRUE(text.contains("\r\nLook=\r\n"));

    TTestAdvGridPtr h = NewFixtureGrid(4, 3);
    h->SetLook(glSoft);
    h->LoadVisualProps(file);
    h->SaveVisualProps(IniPath("look2.txt"));
    EXPECT_EQ(ReadTextFile(IniPath("look2.txt")).Text.replace("Look=glSoft", "Look="), text);
    EXPECT_EQ(h->Look(), glSoft);
    EXPECT_EQ(h->HintColor(), clRed);
    EXPECT_EQ(h->ControlLook()->ControlStyle(), csFlat);
}

TEST(VisualProps, ValueFormsWhenRead)
{
    const QString file = IniPath("hand.txt");
    TTestAdvGridPtr g = NewFixtureGrid(4, 3);
    g->SaveVisualProps(file);
    QString text = ReadTextFile(file).Text;
    text.replace("Font.Style=", "Font.Style=xxfsItalicxx");
    text.replace("URLShow=false", "URLShow=True");
    text.replace("URLShowInText=false", "URLShowInText=yes");
    text.replace("ActiveRowShow=false", "ActiveRowShow=TRUE");
    text.replace("\r\nColor=", "\r\ncolor=");
    text.replace(QRegularExpression("\r\ncolor=[^\r]*"), "\r\ncolor=clAqua");
    text.replace("\r\nHintColor=clInfoBk", "\r\nHINTCOLOR=clYellow");
    ASSERT_TRUE(WriteTextFile(file, text, TTextEncoding::Ansi));
    g->LoadVisualProps(file);
    EXPECT_TRUE(g->Font()->Style().Contains(fsItalic));
    EXPECT_TRUE(g->URLShow());
    EXPECT_FALSE(g->URLShowInText());
    EXPECT_TRUE(g->ActiveRowShow());
    EXPECT_EQ(g->HintColor(), clYellow);
}

TEST(VisualProps, ErrorsNameTheFileAndKeepEarlierEntries)
{
    TTestAdvGridPtr g = NewFixtureGrid(4, 3);
    const QString missing = IniPath("none.txt");
    try {
        g->LoadVisualProps(missing);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Cannot open file " + missing);
    }
    const QString file = IniPath("bad.txt");
    ASSERT_TRUE(WriteTextFile(file, "Color=clRed\r\nFont.Size=big\r\n", TTextEncoding::Ansi));
    EXPECT_THROW(g->LoadVisualProps(file), EConvertError);
    EXPECT_EQ(g->Color(), clRed);
    try {
        g->SaveVisualProps(IniPath("no/such/dir/x.txt"));
        FAIL();
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "Cannot Create " + IniPath("no/such/dir/x.txt"));
    }
}
