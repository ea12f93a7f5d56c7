// The IEC 61850 variables window: its row checks over a fixture row.

#include "UComon.h"
#include "UIEC61850_Variables.h"
#include "ULanguage.h"

#include <gtest/gtest.h>

namespace {

QStringList IECRow()
{
    return {"", "Y", "Temp", "Int", "2", "N", "0", "", "None", "None", "N", "N", ""};
}

TEST(IEC61850Checks, EachRuleAndItsMessage)
{
    FillEnglishTable();
    struct TCase {
        std::vector<std::pair<int, const char*>> Edits;
        int Message;
        const char* Tail;
    };
    const TCase cases[] = {
        {{}, 0, ""},
        {{{iecLength, "0"}}, 1541, ""},
        {{{iecLength, "5"}}, 1541, ""},
        {{{iecLength, ""}}, 1541, ""},
        {{{iecPosition, "1437"}}, 0, ""},
        {{{iecPosition, "1438"}}, 1530, "1437"},
        {{{iecType, "Int"}, {iecStartBit, " "}}, 0, ""},
        {{{iecType, "Digital (Bit)"}, {iecStartBit, " "}}, 1538, ""},
        {{{iecType, "Digital (Bit)"}, {iecStartBit, "3"}}, 0, ""},
        {{{iecConversion, ""}}, 1539, ""},
        {{{iecMoltFactor, ""}}, 1540, ""},
        {{{iecMoltFactor, " none "}}, 0, ""},
        {{{iecMoltFactor, "1,5"}}, 0, ""},
        {{{iecMoltFactor, "1.5"}}, 0, ""},
        {{{iecMoltFactor, "x"}}, 1540, ""},
        // Name, Type, Read Only, Swap and Mnemonic are not examined.
        {{{iecName, ""}, {iecType, "Other"}, {iecSwap, "?"}}, 0, ""},
    };
    for (const TCase& c : cases) {
        QStringList cells = IECRow();
        for (const auto& [col, text] : c.Edits)
            cells[col] = QString::fromUtf8(text);
        const QString fault = IEC61850RowFault([&](int col) { return cells.value(col); }, 1438, u',');
        EXPECT_EQ(fault, c.Message ? LangText(c.Message) + QLatin1String(c.Tail) : QString())
            << cells.join('|').toStdString();
    }
    ResetSharedState();
}

}  // namespace

// ---- the window ----

#include "SiblingTableKit.h"

namespace {

class IECWindow : public SiblingTableFixture {
protected:
    static TFIEC61850_Variables* W() { return FIEC61850_Variables; }
    static void OpenIEC(const std::function<void()>& Drive)
    {
        Open(FCalyptoreFirmWare->Btn_IEC61850_Access, W(), Drive);
    }
};

}  // namespace

TEST_F(IECWindow, FiftyRowsLoadWholeWithTheMissingFlagsAsNAndSaveBack)
{
    QByteArray rows;
    for (int i = 1; i <= 50; ++i)
        rows += "<row Enable=\"Y\" Name=\"V" + QByteArray::number(i)
                + "\" Type=\"Int\" Length=\"2\" Position=\"1\" StartBit=\"\" Conversion=\"None\" "
                  "MultiplicationFactor=\"None\" Mnemonic=\"\"/>";
    WriteTable(IEC61850_Variables_File, "<IEC61850_Variables>" + rows + "</IEC61850_Variables>");
    OpenIEC([] {
        EXPECT_EQ(W()->ACG->RowCount(), 51);
        EXPECT_FALSE(W()->ACG->ShowHint());
        EXPECT_TRUE(W()->LastLoad().Whole);
        const QStringList expected = {"Y", "V50", "Int", "2", "N", "1", "", "None", "None", "N", "N", ""};
        EXPECT_EQ(RowOf(W()->ACG, 50, 12), expected);
        W()->ACG->SetCells(iecPosition, 7, QStringLiteral("1438"));
        OkFailsWith(W(), ErrorRowText(1529, 7, 1530, QStringLiteral("1437")));
        W()->ACG->SetCells(iecPosition, 7, QStringLiteral("1437"));
        W()->Btn_OK->Click();
    });
    const QList<TAttributes> saved = SavedRows(IEC61850_Variables_File);
    ASSERT_EQ(saved.size(), 50);
    EXPECT_EQ(saved[6][5], qMakePair(QStringLiteral("Position"), QStringLiteral("1437")));
    EXPECT_EQ(saved[0][4], qMakePair(QStringLiteral("ReadOnly"), QStringLiteral("N")));
}

TEST_F(IECWindow, Grab)
{
    OpenIEC([this] {
        PutRow(W()->ACG, 1, {"Y", "Temperature", "Float", "4", "N", "10", "", "None", "1,5", "N", "N", "Room"});
        Grab(W(), QStringLiteral("iec61850.png"));
    });
}
