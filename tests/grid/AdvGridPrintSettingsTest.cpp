// Print settings kept in one section of an INI file.

#include "AdvGridPrint.h"
#include "AdvGridTestKit.h"
#include "IniFiles.h"
#include "PropertyChecks.h"
#include "TestHarness.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QString PrintIni()
{
    return QDir(TestHarness::ProgramDir()).filePath("print.ini");
}

} // namespace

TEST(PrintSettingsIni, SaveThenLoadRestoresStoredAndKeepsTheRest)
{
    TTestAdvGridPtr g = NewFixtureGrid();
    TPrintSettings* ps = g->PrintSettings();
    ps->SetColumnSpacing(7);
    ps->SetRowSpacing(8);
    ps->SetTitleSpacing(9);
    ps->SetFixedHeight(11);
    ps->SetFixedWidth(12);
    ps->SetCentered(false);
    ps->SetNoAutoSize(true);
    ps->SetRepeatFixedRows(true);
    ps->SetUseDisplayFont(false);
    ps->SetBorders(pbAroundVertical);
    ps->SetBorderColor(TColor(0x00FF00));
    ps->SetBorderStyle(psDot);
    ps->SetDate(ppTopLeft);
    ps->SetPageNr(ppBottomRight);
    ps->SetTitle(ppTopCenter);
    ps->SetTime(ppBottomLeft);
    ps->SetDateFormat("yyyy-mm-dd");
    ps->SetTitleText("Report");
    ps->SetFooterSize(31);
    ps->SetHeaderSize(32);
    ps->SetLeftSize(33);
    ps->SetRightSize(34);
    ps->SetFitToPage(fpShrink);
    ps->HeaderFont()->SetName("DejaVu Serif");
    ps->HeaderFont()->SetSize(14);
    ps->HeaderFont()->SetStyle(TFontStyles{fsBold, fsStrikeOut});
    ps->FooterFont()->SetColor(TColor(0x0000FF));
    ps->SetPageNumSep(" of ");
    ps->SetPagePrefix("Page");
    ps->SetPageSuffix("end");
    ps->SetOrientation(poLandscape);
    TStringList title;
    title.Add("first");
    title.Add("second");
    ps->SetTitleLines(&title);
    ps->SetPrintGraphics(true);
    ps->SetJobName("job");
    g->SavePrintSettings(PrintIni(), "Print");
    EXPECT_EQ(TMemIniFile(PrintIni()).ReadString("Print", "TitleLines", ""), "first\\nsecond\\n");

    TTestAdvGridPtr h = NewFixtureGrid();
    TPrintSettings* q = h->PrintSettings();
    q->SetJobName("mine");
    q->SetNoAutoSizeRow(true);
    q->SetPageNumberOffset(5);
    q->SetMaxPagesOffset(6);
    q->SetFixedCellsAlways(true);
    q->FixedFont()->SetName("Keep");
    h->LoadPrintSettings(PrintIni(), "Print");

    TPrintSettings expect(nullptr);
    expect.Assign(ps);
    expect.SetJobName("mine");
    expect.SetNoAutoSizeRow(true);
    expect.SetPageNumberOffset(5);
    expect.SetMaxPagesOffset(6);
    expect.FixedFont()->SetName("Keep");
    TPrintSettings got(nullptr);
    got.Assign(q);
    EXPECT_EQ(PropertyChecks::Printable(PropertyChecks::Values(&got)),
              PropertyChecks::Printable(PropertyChecks::Values(&expect)));
    EXPECT_TRUE(q->FixedCellsAlways());
    EXPECT_EQ(q->TitleLines()->Count(), 2);
    EXPECT_EQ(q->TitleLines()->Strings(1), "second");
}

TEST(PrintSettingsIni, EmptySectionGivesLoadDefaultsAndCreatesTheFile)
{
    TTestAdvGridPtr g = NewFixtureGrid();
    TPrintSettings* ps = g->PrintSettings();
    ps->Font()->SetStyle(TFontStyles{fsItalic});
    g->LoadPrintSettings(PrintIni(), "None");
    EXPECT_TRUE(QFile::exists(PrintIni()));
    EXPECT_EQ(ps->FooterSize(), 100);
    EXPECT_EQ(ps->LeftSize(), 100);
    EXPECT_EQ(ps->ColumnSpacing(), 20);
    EXPECT_EQ(ps->RowSpacing(), 20);
    EXPECT_EQ(ps->Font()->Name(), "Arial");
    EXPECT_EQ(ps->Font()->Size(), 10);
    EXPECT_EQ(ps->Font()->Color(), TColor(0));
    EXPECT_TRUE(ps->Font()->Style().Contains(fsItalic));
    EXPECT_TRUE(ps->Centered());
    EXPECT_FALSE(ps->UseDisplayFont());
    EXPECT_EQ(ps->Borders(), pbNoborder);
    EXPECT_EQ(ps->DateFormat(), "");
    EXPECT_EQ(ps->PageNumSep(), "");
}

TEST(PrintSettingsIni, OutOfRangeOrdinalsAreIgnoredAndStyleBitsAdd)
{
    TMemIniFile ini(PrintIni());
    ini.WriteInteger("P", "Borders", 9);
    ini.WriteInteger("P", "Orientation", 2);
    ini.WriteInteger("P", "Date", 7);
    ini.WriteInteger("P", "FontStyle", 1);
    ini.WriteString("P", "Centered", "y");
    ini.UpdateFile();
    TTestAdvGridPtr g = NewFixtureGrid();
    TPrintSettings* ps = g->PrintSettings();
    ps->SetBorders(pbDouble);
    ps->SetOrientation(poLandscape);
    ps->Font()->SetStyle(TFontStyles{fsItalic});
    g->LoadPrintSettings(PrintIni(), "P");
    EXPECT_EQ(ps->Borders(), pbDouble);
    EXPECT_EQ(ps->Orientation(), poLandscape);
    EXPECT_EQ(ps->Date(), ppNone);
    EXPECT_EQ(ps->Font()->Style(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_FALSE(ps->Centered());
}
