// The table-file engine over bare grids: what a page stores, how a file
// reads back, and where loading stops.

#include "AdvGrid.h"
#include "TestHarness.h"
#include "UTableFile.h"
#include "XmlDoc.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// Two pages of three data columns (key in column 2) and three data rows.
class TableFileEngine : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (auto*& g : FGrids) {
            g = Create<TAdvStringGrid>(nullptr);
            g->SetColCount(4);
            g->SetRowCount(4);
        }
        FLayout.Root = QStringLiteral("T");
        FLayout.Version = QStringLiteral("1.004");
        const char* sections[2] = {"Read", "Write"};
        for (int p = 0; p < 2; ++p) {
            TTablePage page;
            page.Section = QLatin1String(sections[p]);
            page.Grid = FGrids[p];
            page.KeyColumn = 2;
            page.Columns = {{QStringLiteral("Enable"), QStringLiteral("Y")},
                            {QStringLiteral("Addr"), std::nullopt},
                            {QStringLiteral("Rack"), QStringLiteral("0")}};
            FLayout.Pages.push_back(page);
        }
    }
    void TearDown() override
    {
        for (auto* g : FGrids)
            Free(g);
    }
    void Row(int page, int row, const QStringList& cells)
    {
        for (int c = 0; c < cells.size(); ++c)
            FGrids[page]->SetCells(c + 1, row, cells[c]);
    }
    QStringList RowOf(int page, int row) const
    {
        QStringList out;
        for (int c = 1; c <= 3; ++c)
            out << FGrids[page]->Cells(c, row);
        return out;
    }
    QString Saved()
    {
        TXmlDocument doc;
        BuildTableDocument(FLayout, doc);
        return QString::fromUtf8(doc.SaveToBytes());
    }
    TTableLoadResult Load(const QByteArray& xml) { return LoadTableBytes(FLayout, xml); }

    TAdvStringGrid* FGrids[2] = {};
    TTableFileLayout FLayout;
};

}  // namespace

TEST_F(TableFileEngine, AnEmptyTableIsTheRootItsEmptySectionsAndTheCommentOnly)
{
    TXmlDocument doc;
    BuildTableDocument(FLayout, doc);
    const QList<TXmlNode> top = doc.Nodes();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0].Name(), QStringLiteral("T"));
    EXPECT_EQ(top[1].NodeType(), TXmlNodeType::Comment);
    EXPECT_EQ(top[1].Value(), QStringLiteral("SW_VERSION = 1.004"));
    EXPECT_EQ(QString::fromUtf8(doc.SaveToBytes()).simplified(),
              QStringLiteral("<T> <Read /> <Write /> </T> <!--SW_VERSION = 1.004-->"));
}

TEST_F(TableFileEngine, RowsAreStoredUpToTheFirstBlankKeyAsTyped)
{
    struct Case {
        const char* Name;
        QStringList Rows[3];
        const char* ReadSection;  // what the read section holds
    };
    const Case cases[] = {
        {"row 1 without key", {{"Y", "", "1"}, {"Y", "b", "2"}, {}}, "<Read />"},
        {"a key of blanks ends the table", {{"Y", "a", "1"}, {"N", "  ", "2"}, {"Y", "c", "3"}},
         "<Read> <row Enable=\"Y\" Addr=\"a\" Rack=\"1\" /> </Read>"},
        {"blanks around a key are kept, disabled rows too",
         {{"N", " a ", ""}, {" Y", "b", " 3 "}, {}},
         "<Read> <row Enable=\"N\" Addr=\" a \" Rack=\"\" /> <row Enable=\" Y\" Addr=\"b\" Rack=\" 3 \" /> </Read>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        for (int r = 1; r <= 3; ++r)
            Row(0, r, c.Rows[r - 1].isEmpty() ? QStringList{"", "", ""} : c.Rows[r - 1]);
        const QString s = Saved().simplified();
        EXPECT_TRUE(s.contains(QLatin1String(c.ReadSection))) << s.toStdString();
    }
}

TEST_F(TableFileEngine, ReadingTellsAbsentFromEmptyAndStopsAtAMissingAttribute)
{
    struct Case {
        const char* Name;
        QByteArray Xml;
        QStringList Read[3];
        QStringList Write1;
        bool Whole;
        int StopRow;  // 0: no stop
    };
    const QStringList none{"", "", ""};
    const Case cases[] = {
        {"empty Rack stays empty, absent Enable and Rack take defaults",
         "<T><Read><row Enable='N' Addr='a' Rack=''/><row Addr='b'/></Read><Write><row Addr='w' Rack='2'/></Write></T>",
         {{"N", "a", ""}, {"Y", "b", "0"}, none}, {"Y", "w", "2"}, true, 0},
        {"missing key attribute in row 2 stops there",
         "<T><Read><row Addr='a'/><row Rack='1'/><row Addr='c'/></Read><Write><row Addr='w'/></Write></T>",
         {{"Y", "a", "0"}, {"Y", "", ""}, none}, none, false, 2},
        {"declaration, comments, another root name, other elements and order",
         "<?xml version='1.0'?><!-- x --><Other><Write/><Read><!-- c --><r Rack='3' Addr='a'/></Read></Other>",
         {{"Y", "a", "3"}, none, none}, none, true, 0},
        {"a missing section leaves its page cleared and the load not whole",
         "<T><Read><row Addr='a'/></Read></T>", {{"Y", "a", "0"}, none, none}, none, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        for (int p = 0; p < 2; ++p)
            for (int r = 1; r <= 3; ++r)
                Row(p, r, none);
        const TTableLoadResult res = Load(c.Xml);
        EXPECT_EQ(res.Whole, c.Whole);
        EXPECT_EQ(res.Stopped, c.StopRow != 0);
        EXPECT_EQ(res.MissingSections, c.Whole || c.StopRow ? QStringList() : QStringList{"Write"});
        if (c.StopRow) {
            EXPECT_EQ(res.Row, c.StopRow);
            EXPECT_EQ(res.Section, QStringLiteral("Read"));
            EXPECT_EQ(res.Attribute, QStringLiteral("Addr"));
        }
        for (int r = 1; r <= 3; ++r)
            EXPECT_EQ(RowOf(0, r), c.Read[r - 1]) << "read row " << r;
        EXPECT_EQ(RowOf(1, 1), c.Write1);
    }
}

TEST_F(TableFileEngine, UnreadableFilesAndExtraRowsAreReported)
{
    TTableLoadResult bad = Load("<T><Read><row");
    EXPECT_FALSE(bad.Whole);
    EXPECT_TRUE(bad.Unreadable);
    EXPECT_FALSE(bad.Reason.isEmpty());

    QByteArray many = "<T><Read>";
    for (int i = 0; i < 5; ++i)
        many += "<row Addr='r" + QByteArray::number(i + 1) + "'/>";
    many += "</Read></T>";
    const TTableLoadResult extra = Load(many);
    EXPECT_FALSE(extra.Whole);
    EXPECT_TRUE(extra.ExtraRows);
    EXPECT_EQ(extra.ExtraSection, QStringLiteral("Read"));
    EXPECT_EQ(extra.ExtraRowsLimit, 3);
    EXPECT_EQ(FGrids[0]->Cells(2, 3), QStringLiteral("r3"));
}

TEST_F(TableFileEngine, AMultiLineNonAsciiValueSurvivesSaveAndLoad)
{
    Row(0, 1, {"Y", QString::fromUtf8("Zähler\n\tzwei"), "$0A"});
    const QString path = TestHarness::ProgramDir() + QStringLiteral("/t.xml");
    ASSERT_TRUE(SaveTableFile(FLayout, path).Ok);
    Row(0, 1, {"", "", ""});
    EXPECT_TRUE(LoadTableFile(FLayout, path).Whole);
    EXPECT_EQ(RowOf(0, 1), (QStringList{"Y", QString::fromUtf8("Zähler\n\tzwei"), "$0A"}));
}

TEST_F(TableFileEngine, AStringGridStoresCheckBoxStatesAndNForACellWithoutABox)
{
    FLayout.Pages[0].Kind = TTableGridKind::CheckBoxGrid;
    FLayout.Pages[0].Columns[0].CheckBox = true;
    TAdvStringGrid* g = FGrids[0];
    Row(0, 1, {"", "a", "1"});
    Row(0, 2, {"", "b", "2"});
    Row(0, 3, {"Y", "c", "3"});  // a text, not a box
    g->AddCheckBox(1, 1, true, false);
    g->AddCheckBox(1, 2, false, false);
    const QString s = Saved().simplified();
    EXPECT_TRUE(s.contains(QLatin1String("<row Enable=\"Y\" Addr=\"a\"")));
    EXPECT_TRUE(s.contains(QLatin1String("<row Enable=\"N\" Addr=\"b\"")));
    EXPECT_TRUE(s.contains(QLatin1String("<row Enable=\"N\" Addr=\"c\""))) << s.toStdString();
}
