// The KNX access table: its row checks over a fixture row.

#include "UComon.h"
#include "UKNXAccess.h"
#include "ULanguage.h"

#include <gtest/gtest.h>

namespace {

class KNXAccessChecks : public ::testing::Test {
protected:
    void SetUp() override
    {
        FillEnglishTable();
        // A valid byte-mode row: Write to a three-level group address.
        Cells = {"",  "Y", "1.1.20", "1/2/3", "Write", "Normal", "None", "", "N", "N",
                 "N", "Y", "N",      "0",     "0",     "No",     "2",    "0", "text"};
    }
    void TearDown() override { ResetSharedState(); }
    QString Fault(QChar separator = u',') const
    {
        return KNXAccessRowFault([this](int c) { return Cells.value(c); }, 1500, separator);
    }
    QStringList Cells;
};

struct TKNXCase {
    std::vector<std::pair<int, const char*>> Edits;
    int Message;        // 0: passes
    const char* Tail;   // what follows the message
};

TEST_F(KNXAccessChecks, EachRuleAndItsMessage)
{
    const TKNXCase cases[] = {
        {{{knxSource, "0.0.0"}}, 0, ""},
        {{{knxSource, " 1.1.20 "}}, 0, ""},
        {{{knxSource, "1/2"}}, 1449, ""},
        {{{knxSource, "1.2"}}, 0, ""},
        {{{knxSource, "1.256"}}, 1449, ""},
        {{{knxDest, "32/1"}}, 1451, ""},
        {{{knxDest, "1.1.20"}}, 0, ""},
        {{{knxDest, "230.240"}}, 0, ""},
        {{{knxDest, "230.x"}}, 1450, ""},
        {{{knxApci, "read"}}, 0, ""},
        {{{knxApci, "1023"}}, 0, ""},
        {{{knxApci, "1024"}}, 1452, ""},
        {{{knxPriority, "normal"}}, 1453, ""},
        {{{knxPriority, " Normal"}}, 1453, ""},
        {{{knxFormat, "  "}}, 1454, ""},
        {{{knxMulFactor, "abc"}}, 1465, ""},
        {{{knxOnTimer, "N"}, {knxPollTime, "0"}}, 0, ""},
        {{{knxOnTimer, "y"}, {knxPollTime, "0"}}, 1455, ""},
        {{{knxOnTimer, "Y"}, {knxPollTime, "100000000"}}, 0, ""},
        {{{knxPosition, "1500"}}, 1456, "1499"},
        {{{knxPosition, ""}}, 1456, "1499"},
        {{{knxBitMode, "8"}}, 1457, ""},
        {{{knxBitMode, "no"}, {knxLength, "14"}}, 0, ""},
        {{{knxLength, "15"}}, 1458, "14"},
        {{{knxExtended, "y"}, {knxLength, "255"}}, 0, ""},
        {{{knxExtended, "Y"}, {knxLength, "256"}}, 1458, "255"},
        {{{knxBitMode, "3"}, {knxLength, "112"}}, 0, ""},
        {{{knxBitMode, "3"}, {knxLength, "113"}}, 1458, "112"},
        {{{knxBitMode, "0"}, {knxExtended, "Y"}, {knxLength, "2040"}}, 0, ""},
        // Start bit 3 and 112 bits take 15 bytes: at 1485 they end at 1500.
        {{{knxBitMode, "3"}, {knxLength, "112"}, {knxPosition, "1485"}}, 0, ""},
        {{{knxBitMode, "3"}, {knxLength, "112"}, {knxPosition, "1486"}}, 1459, "1500"},
        {{{knxPosition, "1490"}, {knxLength, "10"}}, 0, ""},
        {{{knxPosition, "1490"}, {knxLength, "11"}}, 1459, "1500"},
        {{{knxTimeOut, "100000001"}}, 1466, ""},
        {{{knxTimeOut, "100000000"}}, 0, ""},
    };
    for (const TKNXCase& c : cases) {
        SetUp();
        QString what;
        for (const auto& [col, text] : c.Edits) {
            Cells[col] = QString::fromUtf8(text);
            what += QStringLiteral("%1=%2 ").arg(col).arg(Cells[col]);
        }
        const QString expected = c.Message ? LangText(c.Message) + QLatin1String(c.Tail) : QString();
        EXPECT_EQ(Fault(), expected) << what.toStdString();
    }
}

TEST_F(KNXAccessChecks, AFactorReadsWithEitherSeparatorUnderEitherSystemSeparator)
{
    for (QChar separator : {u',', u'.'})
        for (const char* factor : {"", "1.5", "1,5"}) {
            Cells[knxMulFactor] = QString::fromUtf8(factor);
            EXPECT_EQ(Fault(separator), QString()) << factor;
        }
}

TEST_F(KNXAccessChecks, OnlyTheFourPrioritiesAsTheyAreWritten)
{
    for (const char* p : {"System", "Urgent", "Normal", "Low"})
        EXPECT_TRUE(IsKNXPriority(QString::fromUtf8(p)));
    for (const char* p : {"normal", "", "High", "Low "})
        EXPECT_FALSE(IsKNXPriority(QString::fromUtf8(p)));
}

}  // namespace

// ---- the window ----

#include "SiblingTableKit.h"

namespace {

class KNXWindow : public SiblingTableFixture {
protected:
    static TFKNXAccess* W() { return FKNXAccess; }
    static TAdvColumnGrid* G() { return FKNXAccess->ACG_KNX_in_Write; }
    static void OpenKNX(const std::function<void()>& Drive, const std::function<void(DialogResponder&)>& Expect = {})
    {
        Open(FCalyptoreFirmWare->Btn_KNX_Access, W(), Drive, Expect);
    }
    static QStringList Row(const QString& source = QStringLiteral("1.1.20"))
    {
        return {"Y", source, "1/2/3", "Write", "Normal", "None", "", "N", "N", "N", "Y", "N", "0", "10", "No", "2",
                "0", "Lamp"};
    }
};

}  // namespace

TEST_F(KNXWindow, ARowTypedInIsSavedInFileOrderAndShownAgain)
{
    OpenKNX([] {
        EXPECT_EQ(G()->RowCount(), 1025);
        EXPECT_EQ(G()->Cells(knxEnable, 1024), "Y");
        EXPECT_EQ(G()->Columns()->Items(knxPosition)->ComboItems()->Count(), 1500);
        PutRow(G(), 1, Row());
        W()->Btn_OK->Click();
        EXPECT_EQ(W()->ModalResult(), mrOk);
    });
    const QList<TAttributes> rows = SavedRows(KNX_SetAccess_File, QStringLiteral("KNX_in_Write"));
    ASSERT_EQ(rows.size(), 1);
    const QStringList names = {"Enable", "Source_Address", "Destination_Address", "APCI", "Priority", "Format",
                               "MultiplicationFactor", "Extended", "ReTest", "On_Command", "On_Change", "On_Timer",
                               "Poll_Time", "Position", "Bit_Mode", "Length", "TimeOut", "Mnemonic"};
    TAttributes expected;
    for (int i = 0; i < names.size(); ++i)
        expected << qMakePair(names[i], Row()[i]);
    EXPECT_EQ(rows[0], expected);
    OpenKNX([] { EXPECT_EQ(RowOf(G(), 1, 18), Row()); });
}

TEST_F(KNXWindow, TheFirstBadValueGivesOneDialogWithThePrefixAndNothingIsSaved)
{
    OpenKNX([] {
        PutRow(G(), 1, Row());
        PutRow(G(), 2, Row(QStringLiteral("16.1.2")));
        OkFailsWith(W(), ErrorRowText(1448, 2, 1449));
        PutRow(G(), 2, Row());
        G()->SetCells(knxTimeOut, 2, QStringLiteral("100000001"));
        OkFailsWith(W(), "Error row 2!! [KNX in Write] TimeOut must be between 0 and 100000000 milliseconds");
        G()->SetCells(knxLength, 2, QStringLiteral("11"));
        G()->SetCells(knxPosition, 2, QStringLiteral("1490"));
        OkFailsWith(W(), ErrorRowText(1448, 2, 1459, QStringLiteral("1500")));
    });
    EXPECT_FALSE(FileExists(KNX_SetAccess_File));
}

TEST_F(KNXWindow, LoadingFillsDefaultsMendsThePriorityAndStopsAtAMissingSourceAddress)
{
    const QByteArray row2 = "<row Source_Address=\"1.1.2\" Destination_Address=\"1/1\" APCI=\"Read\" "
                            "Priority=\"normal\" Extended=\"N\" ReTest=\"N\" On_Change=\"Y\" Poll_Time=\"\" "
                            "Position=\"4\" Bit_Mode=\"No\" Length=\"1\" Mnemonic=\"m\"/>";
    WriteTable(KNX_SetAccess_File,
               "<BACnet_to_KNX><KNX_in_Write>" + row2 + row2
                   + "<row Enable=\"Y\"/></KNX_in_Write></BACnet_to_KNX><!--SW_VERSION = 1.001-->");
    const QByteArray before = ReadTable(KNX_SetAccess_File);
    OpenKNX(
        [] {
            const QStringList expected = {"Y", "1.1.2", "1/1", "Read", "Normal", "None", "", "N", "N",
                                          "N", "Y", "N", "", "4", "No", "1", "0", "m"};
            EXPECT_EQ(RowOf(G(), 1, 18), expected);
            EXPECT_EQ(RowOf(G(), 2, 18), expected);
            EXPECT_EQ(G()->Cells(knxSource, 3), "");
            EXPECT_TRUE(W()->LastLoad().Stopped);
        },
        [](DialogResponder& r) { r.ExpectMessage(QStringLiteral("Source_Address"), mrOk, mtError); });
    EXPECT_EQ(ReadTable(KNX_SetAccess_File), before);
}

TEST_F(KNXWindow, RowButtonsAndHints)
{
    OpenKNX([] {
        PutRow(G(), 1, Row(QStringLiteral("1.1.1")));
        PutRow(G(), 2, Row(QStringLiteral("1.1.2")));
        PutRow(G(), 1024, Row(QStringLiteral("1.1.9")));
        G()->SetRow(1);
        {
            DialogResponder r;
            r.ExpectMessage(QStringLiteral("Are you sure to delete the Row number 1"), mrYes, mtConfirmation);
            W()->Btn_DelRow->Click();
        }
        EXPECT_EQ(G()->Cells(knxSource, 1), "1.1.2");
        EXPECT_EQ(G()->Cells(knxSource, 1023), "1.1.9");
        EXPECT_EQ(RowOf(G(), 1024, 18), QStringList(18, QString()));
        G()->SetRow(1023);
        {
            DialogResponder r;
            r.ExpectMessage(QStringLiteral("Are you sure to delete the Row number 1023"), mrYes, mtConfirmation);
            W()->Btn_DelRow->Click();
        }
        EXPECT_EQ(G()->Cells(knxSource, 1023), "");
        G()->SetRow(1);
        W()->Btn_InsRow->Click();
        EXPECT_EQ(G()->Cells(knxEnable, 1), "Y");
        EXPECT_EQ(G()->Cells(knxSource, 1), "");
        EXPECT_EQ(G()->Cells(knxSource, 2), "1.1.2");
        W()->Do_Copy_In_Read = true;
        G()->SetRow(2);
        W()->Btn_CopyRow->Click();
        EXPECT_TRUE(W()->Do_Copy_In_Write);
        EXPECT_FALSE(W()->Do_Copy_In_Read);
        G()->SetRow(3);
        W()->Btn_PasteRow->Click();
        EXPECT_EQ(G()->Cells(knxSource, 3), "1.1.2");

        QString hint;
        W()->GridHint(G(), 0, knxMulFactor, hint);
        EXPECT_EQ(hint, LangText(1463));
        W()->GridHint(G(), 0, knxTimeOut, hint);
        EXPECT_EQ(hint, LangText(1464));
        W()->GridHint(G(), 2, knxSource, hint);
        EXPECT_EQ(hint, "1.1.2");
        W()->ClickCell(G(), 2, 0);
        EXPECT_EQ(G()->Selection().Top, 2);
        EXPECT_EQ(G()->Selection().Left, 1);
    });
}

TEST_F(KNXWindow, GrabWithAFewRows)
{
    OpenKNX([this] {
        PutRow(G(), 1, Row());
        PutRow(G(), 2, Row(QStringLiteral("1.1.21")));
        Grab(W(), QStringLiteral("knx.png"));
    });
}

TEST_F(KNXWindow, AnAddressWrittenAsItsTwoBytesPassesOkAndIsSavedAsTyped)
{
    OpenKNX([] {
        QStringList row = Row(QStringLiteral("17.4"));
        row[2] = QStringLiteral("230.240");
        PutRow(G(), 1, row);
        W()->Btn_OK->Click();
        EXPECT_EQ(W()->ModalResult(), mrOk);
    });
    const QList<TAttributes> rows = SavedRows(KNX_SetAccess_File, QStringLiteral("KNX_in_Write"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0][1].second, QStringLiteral("17.4"));
    EXPECT_EQ(rows[0][2].second, QStringLiteral("230.240"));
}
