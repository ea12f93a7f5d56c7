// The CANopen PDO window: its row checks on both pages.

#include "UComon.h"
#include "ULanguage.h"
#include "USet_PDO_Access.h"

#include <gtest/gtest.h>

namespace {

TEST(PDOChecks, EachRuleAndItsMessageByPage)
{
    FillEnglishTable();
    struct TCase {
        std::vector<std::pair<int, const char*>> Edits;
        int Receive, Transmit;  // the message on each page, 0: passes
        bool Limit;
    };
    const TCase cases[] = {
        {{}, 0, 0, false},
        {{{pdoCobId, "0x7FF"}}, 0, 0, false},
        {{{pdoCobId, "$7FF"}}, 0, 0, false},
        {{{pdoCobId, "0x800"}}, 1969, 1980, false},
        {{{pdoDim, "0"}}, 1970, 1981, false},
        // Addresses are required up to the Dimension only, and no "None".
        {{{pdoAddr1 + 3, ""}}, 0, 0, false},
        {{{pdoAddr1 + 2, ""}}, 1973, 1984, true},
        {{{pdoAddr1, "None"}}, 1971, 1982, true},
        {{{pdoAddr1, "1500"}}, 1971, 1982, true},
        {{{pdoTime, "65535"}}, 0, 0, false},
        {{{pdoTime, "65536"}}, 1979, 0, false},
        {{{pdoTime, ""}}, 1979, 1990, false},
        {{{pdoTime, "100000001"}}, 1979, 1990, false},
    };
    for (const TCase& c : cases)
        for (int page : {pdoReceivePage, pdoTransmitPage}) {
            QStringList cells = {"", "384", "3", "0", "1", "1499", "", "", "", "", "", "100", "N", ""};
            for (const auto& [col, text] : c.Edits)
                cells[col] = QString::fromUtf8(text);
            const int message = page == pdoReceivePage ? c.Receive : c.Transmit;
            const QString expected
                = message ? LangText(message) + (c.Limit ? QStringLiteral("1499") : QString()) : QString();
            EXPECT_EQ(PDORowFault([&](int col) { return cells.value(col); }, page, 1500), expected)
                << page << " " << cells.join('|').toStdString();
        }
    ResetSharedState();
}

}  // namespace

// ---- the window ----

#include "SiblingTableKit.h"

namespace {

class PDOWindow : public SiblingTableFixture {
protected:
    static TFSet_PDO_Access* W() { return FSet_PDO_Access; }
    static void OpenPDO(const std::function<void()>& Drive, const std::function<void(DialogResponder&)>& Expect = {})
    {
        Open(FCalyptoreFirmWare->Btn_PDO_CANopen, W(), Drive, Expect);
    }
    static QStringList Rx(const QString& cob) { return {cob, "2", "0", "1", "", "", "", "", "", "", "100", "r"}; }
    static QStringList Tx(const QString& cob) { return {cob, "1", "5", "", "", "", "", "", "", "", "10", "Y", "t"}; }
};

}  // namespace

TEST_F(PDOWindow, BothPagesSaveInTheirSectionsAndReload)
{
    OpenPDO([] {
        EXPECT_EQ(W()->PageControl1->ActivePageIndex(), 0);
        EXPECT_EQ(W()->sga->RowCount(), 31);
        EXPECT_EQ(W()->sgb->ColCount(), 14);
        PutRow(W()->sga, 1, Rx("0x181"));
        PutRow(W()->sgb, 1, Tx("$201"));
        W()->Btn_OK->Click();
        EXPECT_EQ(W()->ModalResult(), mrOk);
    });
    const QList<TAttributes> rx = SavedRows(PDO_CANopen_File, QStringLiteral("Receive_PDO"));
    const QList<TAttributes> tx = SavedRows(PDO_CANopen_File, QStringLiteral("Transmit_PDO"));
    ASSERT_EQ(rx.size(), 1);
    ASSERT_EQ(tx.size(), 1);
    QStringList names;
    for (const auto& a : tx[0])
        names << a.first;
    EXPECT_EQ(names, QStringList({"COB-ID", "Dimension", "Address_B1", "Address_B2", "Address_B3", "Address_B4",
                                  "Address_B5", "Address_B6", "Address_B7", "Address_B8", "Send_Time", "On_Change",
                                  "Mnemonic"}));
    EXPECT_EQ(rx[0][10], qMakePair(QStringLiteral("TimeOut"), QStringLiteral("100")));
    OpenPDO([] {
        EXPECT_EQ(RowOf(W()->sga, 1, 12), Rx("0x181"));
        EXPECT_EQ(RowOf(W()->sgb, 1, 13), Tx("$201"));
    });
}

TEST_F(PDOWindow, AFaultyReceiveRowIsReportedWhileTheTransmitPageShows)
{
    OpenPDO([] {
        PutRow(W()->sga, 1, Rx("1"));
        PutRow(W()->sga, 2, Rx("0x800"));
        PutRow(W()->sgb, 1, Tx("0x800"));
        W()->PageControl1->SetActivePageIndex(1);
        OkFailsWith(W(), ErrorRowText(1968, 2, 1969));
        EXPECT_EQ(W()->PageControl1->ActivePageIndex(), 1);
        PutRow(W()->sga, 2, Rx("2"));
        OkFailsWith(W(), ErrorRowText(1968, 1, 1980));
        PutRow(W()->sgb, 1, Tx("3"));
        W()->sgb->SetCells(pdoAddr1, 1, QStringLiteral("1500"));
        OkFailsWith(W(), ErrorRowText(1968, 1, 1982, QStringLiteral("1499")));
    });
}

TEST_F(PDOWindow, RowButtonsActOnTheActivePage)
{
    OpenPDO([] {
        for (int r = 1; r <= 30; ++r)
            PutRow(W()->sga, r, Rx(QString::number(r)));
        W()->sga->SetRow(1);
        {
            DialogResponder r;
            r.ExpectMessage(LangText(1991) + "1", mrYes, mtConfirmation);
            W()->Btn_DelRow->Click();
        }
        EXPECT_EQ(W()->sga->Cells(pdoCobId, 1), "2");
        EXPECT_EQ(RowOf(W()->sga, 30, 12), QStringList(12, QString()));
        EXPECT_EQ(W()->sga->Cells(0, 30), "30");
        W()->sga->SetRow(3);
        W()->Btn_InsRow->Click();
        EXPECT_EQ(W()->sga->Cells(pdoCobId, 3), "");
        EXPECT_EQ(W()->sga->Cells(pdoCobId, 4), "4");
        W()->sga->SetRow(1);
        W()->Btn_CopyRow->Click();
        EXPECT_TRUE(W()->Do_Copy_Receive_PDO);
        W()->PageControl1->SetActivePageIndex(1);
        W()->sgb->SetRow(1);
        {
            DialogResponder r;
            r.ExpectMessage(LangText(1102), mrOk, mtError);
            W()->Btn_PasteRow->Click();
        }
        EXPECT_EQ(W()->sgb->Cells(pdoCobId, 1), "");
        const TGridRect before = W()->sga->Selection();
        W()->ClickCell(W()->sgb, 7, 0);
        EXPECT_EQ(W()->sgb->Selection().Top, 7);
        EXPECT_EQ(W()->sga->Selection().Top, before.Top);
    });
    OpenPDO([] { EXPECT_EQ(W()->PageControl1->ActivePageIndex(), 0); });
}

TEST_F(PDOWindow, AMissingAttributeStopsTheLoadingAndOkAsksBeforeReplacing)
{
    WriteTable(PDO_CANopen_File,
               "<PDO_CANopen><Receive_PDO><row COB-ID=\"1\" Dimension=\"1\" Address_B1=\"0\" Address_B2=\"\" "
               "Address_B3=\"\" Address_B4=\"\" Address_B5=\"\" Address_B6=\"\" Address_B7=\"\" "
               "Address_B8=\"\" TimeOut=\"0\" Mnemonic=\"\"/><row COB-ID=\"2\"/></Receive_PDO></PDO_CANopen>");
    const QByteArray before = ReadTable(PDO_CANopen_File);
    OpenPDO(
        [] {
            EXPECT_TRUE(W()->LastLoad().Stopped);
            EXPECT_EQ(W()->sga->Cells(pdoCobId, 1), "1");
            W()->sga->SetCells(pdoCobId, 2, QString());  // the row the loading stopped in
            DialogResponder r;
            r.ExpectMessage(QStringLiteral("Save anyway?"), mrNo, mtConfirmation);
            W()->Btn_OK->Click();
        },
        [](DialogResponder& r) { r.ExpectMessage(QStringLiteral("Dimension"), mrOk, mtError); });
    EXPECT_EQ(ReadTable(PDO_CANopen_File), before);
}

TEST_F(PDOWindow, GrabBothPages)
{
    OpenPDO([this] {
        PutRow(W()->sga, 1, Rx("0x181"));
        PutRow(W()->sgb, 1, Tx("0x201"));
        Grab(W(), QStringLiteral("pdo-receive.png"));
        W()->PageControl1->SetActivePageIndex(1);
        Grab(W(), QStringLiteral("pdo-transmit.png"));
    });
}
