// The CAN receive frames window: its row checks over a fixture row.

#include "UComon.h"
#include "ULanguage.h"
#include "UReceiveCAN.h"

#include <gtest/gtest.h>

namespace {

QStringList ReceiveRow()
{
    return {"", "Y", "100", "2.0A (11 bits)", "2", "0", "None", "", "5000", "", "", "", "", "", ""};
}

TEST(ReceiveCANChecks, EachRuleAndItsMessage)
{
    FillEnglishTable();
    struct TCase {
        std::vector<std::pair<int, const char*>> Edits;
        int Message;
        const char* Tail;
    };
    const TCase cases[] = {
        {{}, 0, ""},
        {{{canrCobId, "2048"}}, 1745, ""},
        {{{canrCobId, "2048"}, {canrType, "2.0B (29 bits)"}}, 0, ""},
        {{{canrCobId, "2048"}, {canrType, ""}}, 0, ""},
        {{{canrCobId, "536870912"}, {canrType, ""}}, 1746, ""},
        {{{canrCobId, "$1FFFFFFF"}, {canrType, "2.0B (29 bits)"}}, 0, ""},
        {{{canrCobId, "$7FF"}}, 0, ""},
        {{{canrCobId, "0x7FF"}}, 0, ""},
        {{{canrCobId, "7FF"}}, 1745, ""},
        {{{canrDim, "0"}}, 1747, ""},
        {{{canrDim, "9"}}, 1747, ""},
        {{{canrDim, ""}}, 1747, ""},
        {{{canrTimeOut, "100000000"}}, 0, ""},
        {{{canrTimeOut, "100000001"}}, 1748, ""},
        // Byte3 holds 5000: looked at only within a Dimension of 3.
        {{{canrDim, "3"}}, 1752, "1499"},
        {{{canrByte1, "none"}}, 1749, "1499"},
        {{{canrByte1, "1499"}, {canrDim, "1"}}, 0, ""},
        {{{canrByte1, "1500"}, {canrDim, "1"}}, 1749, "1499"},
    };
    for (const TCase& c : cases) {
        QStringList cells = ReceiveRow();
        for (const auto& [col, text] : c.Edits)
            cells[col] = QString::fromUtf8(text);
        const QString fault = ReceiveCANRowFault([&](int col) { return cells.value(col); }, 1500);
        EXPECT_EQ(fault, c.Message ? LangText(c.Message) + QLatin1String(c.Tail) + (QLatin1String(c.Tail).isEmpty() ? QString() : LangText(1750)) : QString())
            << cells.join('|').toStdString();
    }
    ResetSharedState();
}

}  // namespace

// ---- the window ----

#include "SiblingTableKit.h"

namespace {

class ReceiveCANWindow : public SiblingTableFixture {
protected:
    static TFReceiveCAN* W() { return FReceiveCAN; }
    static TAdvColumnGrid* G() { return FReceiveCAN->ACG_CAN_Receive; }
    static void OpenRx(const std::function<void()>& Drive) { Open(FCalyptoreFirmWare->Btn_CAN_Rec_Frame, W(), Drive); }
    static QStringList Row(const QString& cobId = QStringLiteral("100"))
    {
        return {"Y", cobId, "2.0A (11 bits)", "2", "0", "None", "7", "", "", "", "", "", "", "In"};
    }
};

}  // namespace

TEST_F(ReceiveCANWindow, TheByteFaultReadsAsOneSentenceAndAnEmptyCobIdEndsCheckAndSave)
{
    OpenRx([] {
        EXPECT_EQ(G()->Columns()->Items(canrByte1)->ComboItems()->Count(), 1501);
        EXPECT_EQ(G()->Columns()->Items(canrByte1)->ComboItems()->Strings(0), "None");
        PutRow(G(), 1, Row());
        QStringList off = Row(QStringLiteral("99999"));
        off[0] = "N";
        PutRow(G(), 2, off);
        QStringList bad = Row(QStringLiteral("5"));
        bad[6] = "1500";
        PutRow(G(), 3, bad);
        OkFailsWith(W(), "Error row 3!! Byte2 must be between 0 and 1499 or None");
        G()->SetCells(canrCobId, 3, QString());
        PutRow(G(), 4, bad);
        W()->Btn_OK->Click();
        EXPECT_EQ(W()->ModalResult(), mrOk);
    });
    const QList<TAttributes> saved = SavedRows(CAN_Rec_Frames_File);
    ASSERT_EQ(saved.size(), 2);
    EXPECT_EQ(saved[1][1], qMakePair(QStringLiteral("COBID"), QStringLiteral("99999")));
    const QStringList names = {"Enable", "COBID", "CAN_Type", "Dim", "TimeOut", "Byte1", "Byte2", "Byte3",
                               "Byte4", "Byte5", "Byte6", "Byte7", "Byte8", "Mnemonic"};
    QStringList got;
    for (const auto& a : saved[0])
        got << a.first;
    EXPECT_EQ(got, names);
}

TEST_F(ReceiveCANWindow, MissingAttributesTakeTheirDefaultsAndEveryRowLoads)
{
    WriteTable(CAN_Rec_Frames_File, "<Receive_Frames><row COBID=\"1\"/><row Dim=\"3\"/><row COBID=\"2\"/>"
                                    "</Receive_Frames><!--SW_VERSION = 1.000-->");
    OpenRx([] {
        EXPECT_TRUE(W()->LastLoad().Whole);
        EXPECT_EQ(RowOf(G(), 1, 14),
                  QStringList({"Y", "1", "", "", "0", "", "", "", "", "", "", "", "", ""}));
        EXPECT_EQ(G()->Cells(canrDim, 2), "3");
        EXPECT_EQ(G()->Cells(canrCobId, 3), "2");
    });
}

TEST_F(ReceiveCANWindow, NoRowSelectionByClickNoCellHintsAndPasteNeedsACopyOfThisShowing)
{
    OpenRx([] {
        PutRow(G(), 1, Row());
        const TGridRect before = G()->Selection();
        W()->ClickCell(G(), 1, 0);
        EXPECT_EQ(G()->Selection().Top, before.Top);
        EXPECT_EQ(G()->Selection().Right, before.Right);
        EXPECT_FALSE(G()->OnClickCell);
        EXPECT_TRUE(G()->ShowHint());
        QString hint = QStringLiteral("x");
        W()->GridHint(G(), 1, canrCobId, hint);
        EXPECT_EQ(hint, "");
        W()->GridHint(G(), 0, canrTimeOut, hint);
        EXPECT_EQ(hint, LangText(1734));
        G()->SetRow(2);
        DialogResponder r;
        r.ExpectMessage(LangText(1102), mrOk, mtError);
        W()->Btn_PasteRow->Click();
    });
}

TEST_F(ReceiveCANWindow, Grab)
{
    OpenRx([this] {
        PutRow(G(), 1, Row());
        Grab(W(), QStringLiteral("can-receive.png"));
    });
}

TEST_F(ReceiveCANWindow, AnUnparsableFileIsReportedOnceAndKeptUntilOkIsConfirmed)
{
    WriteTable(CAN_Rec_Frames_File, "<Receive_Frames><row COBID=\"1\"</Receive_Frames>");
    const QByteArray before = ReadTable(CAN_Rec_Frames_File);
    Open(
        FCalyptoreFirmWare->Btn_CAN_Rec_Frame, W(),
        [&] {
            EXPECT_EQ(G()->Cells(canrCobId, 1), "");
            EXPECT_EQ(G()->Cells(canrEnable, 1), "Y");
            PutRow(G(), 1, Row());
            DialogResponder r;
            r.ExpectMessage(QStringLiteral("Save anyway?"), mrNo, mtConfirmation);
            W()->Btn_OK->Click();
            EXPECT_EQ(ReadTable(CAN_Rec_Frames_File), before);
            r.ExpectMessage(QStringLiteral("Save anyway?"), mrYes, mtConfirmation);
            W()->Btn_OK->Click();
            EXPECT_EQ(W()->ModalResult(), mrOk);
        },
        [](DialogResponder& r) { r.ExpectMessage(QStringLiteral("cannot be read"), mrOk, mtError); });
    EXPECT_EQ(SavedRows(CAN_Rec_Frames_File).size(), 1);
}
