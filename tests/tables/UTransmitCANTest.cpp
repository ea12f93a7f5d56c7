// The CAN transmit frames window: its row checks over a fixture row.

#include "UComon.h"
#include "ULanguage.h"
#include "UTransmitCAN.h"

#include <gtest/gtest.h>

namespace {

QStringList TransmitRow()
{
    return {"", "Y", "100", "2.0A (11 bits)", "8", "Y", "N", "N", "abc",
            "None", "", "0", "1", "2", "3", "4", "5", ""};
}

TEST(TransmitCANChecks, EachRuleAndItsMessage)
{
    FillEnglishTable();
    struct TCase {
        std::vector<std::pair<int, const char*>> Edits;
        int Message;
        bool ByteTail;
    };
    const TCase cases[] = {
        {{}, 0, false},
        {{{cantCobId, "2048"}}, 1848, false},
        {{{cantCobId, "$1FFFFFFF"}, {cantType, "2.0B (29 bits)"}}, 0, false},
        {{{cantCobId, "$20000000"}, {cantType, "2.0B (29 bits)"}}, 1849, false},
        {{{cantDim, "9"}}, 1850, false},
        // The period is looked at only for a frame sent on a timer.
        {{{cantOnTimer, " y "}}, 1851, false},
        {{{cantOnTimer, "Y"}, {cantTime, "100000000"}}, 0, false},
        {{{cantOnTimer, "Y"}, {cantTime, "100000001"}}, 1851, false},
        {{{cantByte1 + 7, "1800"}}, 1860, true},
        {{{cantByte1 + 7, "1799"}}, 0, false},
        {{{cantByte1 + 1, "1500"}}, 0, false},
        {{{cantByte1 + 1, "x"}}, 1854, true},
        {{{cantByte1, "-1"}}, 1852, true},
        // No send condition at all is allowed.
        {{{cantOnChange, "N"}, {cantOnCMD, "N"}}, 0, false},
    };
    for (const TCase& c : cases) {
        QStringList cells = TransmitRow();
        for (const auto& [col, text] : c.Edits)
            cells[col] = QString::fromUtf8(text);
        const QString fault = TransmitCANRowFault([&](int col) { return cells.value(col); }, 1800);
        const QString expected = !c.Message ? QString()
            : c.ByteTail                    ? LangText(c.Message) + QStringLiteral("1799") + LangText(1853)
                                            : LangText(c.Message);
        EXPECT_EQ(fault, expected) << cells.join('|').toStdString();
    }
    ResetSharedState();
}

}  // namespace

// ---- the window ----

#include "SiblingTableKit.h"

namespace {

class TransmitCANWindow : public SiblingTableFixture {
protected:
    static TFTransmitCAN* W() { return FTransmitCAN; }
    static TAdvColumnGrid* G() { return FTransmitCAN->ACG_CAN_Transmit; }
    static void OpenTx(const std::function<void()>& Drive) { Open(FCalyptoreFirmWare->Btn_CAN_Send_Frame, W(), Drive); }
};

}  // namespace

TEST_F(TransmitCANWindow, AbsentAttributesFollowTheDefaultsAndThePeriodFollowsOnTimer)
{
    WriteTable(CAN_Send_Frames_File,
               "<Transmit_Frames><row COBID=\"1\" Dim=\"2\"/><row COBID=\"2\" Dim=\"1\" OnTimer=\"Y\"/>"
               "<row COBID=\"3\" Dim=\"1\" OnTimer=\"Y\" Time=\"\"/><row COBID=\"4\" Dim=\"1\" OnTimer=\"y\"/>"
               "</Transmit_Frames><!--SW_VERSION = 1.000-->");
    OpenTx([] {
        EXPECT_EQ(RowOf(G(), 1, 8), QStringList({"Y", "1", "2.0A (11 bits)", "2", "Y", "N", "N", ""}));
        EXPECT_EQ(G()->Cells(cantTime, 2), "0");
        EXPECT_EQ(G()->Cells(cantTime, 3), "");  // present and empty stays empty
        EXPECT_EQ(G()->Cells(cantTime, 4), "");  // OnTimer compared exactly
        EXPECT_EQ(G()->Columns()->Items(cantByte1)->ComboItems()->Count(), 1801);
        EXPECT_EQ(W()->Hint_TransmitCAN->Count(), 17);
        // The period is checked for a frame on a timer only.
        G()->SetCells(cantTime, 1, QStringLiteral("x"));
        G()->SetCells(cantTime, 3, QStringLiteral("x"));
        OkFailsWith(W(), ErrorRowText(1847, 3, 1851));
        G()->SetCells(cantTime, 3, QStringLiteral("5"));
        G()->SetCells(cantTime, 4, QStringLiteral("1"));
        G()->SetCells(cantByte1, 4, QStringLiteral("1800"));
        OkFailsWith(W(), ErrorRowText(1847, 4, 1852, QStringLiteral("1799") + LangText(1853)));
        G()->SetCells(cantByte1, 4, QStringLiteral("1500"));
        W()->Btn_OK->Click();
        EXPECT_EQ(W()->ModalResult(), mrOk);
    });
    const QList<TAttributes> saved = SavedRows(CAN_Send_Frames_File);
    ASSERT_EQ(saved.size(), 4);
    EXPECT_EQ(saved[0][7], qMakePair(QStringLiteral("Time"), QStringLiteral("x")));
}

TEST_F(TransmitCANWindow, Grab)
{
    OpenTx([this] {
        PutRow(G(), 1, {"Y", "0x181", "2.0A (11 bits)", "2", "Y", "N", "Y", "100", "0", "1"});
        Grab(W(), QStringLiteral("can-transmit.png"));
    });
}
