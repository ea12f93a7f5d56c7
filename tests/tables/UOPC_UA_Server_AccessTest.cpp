// The OPC UA server variables window: the length by type and the check.

#include "UComon.h"
#include "ULanguage.h"
#include "UOPC_UA_Server_Access.h"

#include <gtest/gtest.h>

namespace {

TEST(OPCUARules, EveryTypeHasItsLengthAndOtherTextsNone)
{
    const std::map<QString, std::pair<QString, bool>> expected = {
        {"Boolean", {"1", true}}, {"Signed Byte", {"1", true}}, {"Byte", {"1", true}},
        {"Int16", {"2", true}},   {"UInt16", {"2", true}},      {"Int32", {"4", true}},
        {"UInt32", {"4", true}},  {"Float", {"4", true}},       {"Int64", {"8", true}},
        {"UInt64", {"8", true}},  {"Double", {"8", true}},      {"String", {"10", false}},
        {"ByteString", {"10", false}}};
    EXPECT_EQ(OPCUAVarTypes().size(), 13);
    for (const QString& type : OPCUAVarTypes()) {
        QString length;
        bool readOnly = false;
        ASSERT_TRUE(OPCUATypeLength(type, length, readOnly)) << type.toStdString();
        EXPECT_EQ(std::make_pair(length, readOnly), expected.at(type)) << type.toStdString();
    }
    for (const char* other : {"", "int32", "Int32 "}) {
        QString length = "7";
        bool readOnly = true;
        EXPECT_FALSE(OPCUATypeLength(QString::fromUtf8(other), length, readOnly));
        EXPECT_EQ(length, "7");
    }
}

TEST(OPCUARules, OnlyAnEnabledTypedRowIsCheckedAndItsTextIsFormatted)
{
    FillEnglishTable();
    QStringList cells = {"", "Y", "Int32", "1500", "4", "n", "Read/Write", ""};
    const TRowCells cell = [&](int c) { return cells.value(c); };
    EXPECT_EQ(OPCUARowFault(cell, true, 5), "Error row 5!! Position Must be Between 0 and 1499");
    EXPECT_EQ(OPCUARowFault(cell, false, 5), QString());
    cells[opcType] = " ";
    EXPECT_EQ(OPCUARowFault(cell, true, 5), QString());
    cells[opcType] = "Int32";
    cells[opcPosition] = "1499";
    EXPECT_EQ(OPCUARowFault(cell, true, 5), QString());
    // A translation whose placeholders do not fit is shown as it stands.
    cells[opcPosition] = "x";
    Language_Table->SetStrings(2727, QStringLiteral("Zeile %s: %d %d %d"));
    EXPECT_EQ(OPCUARowFault(cell, true, 5), "Zeile %s: %d %d %d");
    ResetSharedState();
}

}  // namespace

// ---- the window ----

#include "SiblingTableKit.h"

namespace {

class OPCUAWindow : public SiblingTableFixture {
protected:
    static TFOPC_UA_Server_Access* W() { return FOPC_UA_Server_Access; }
    static TAdvStringGrid* G() { return FOPC_UA_Server_Access->ASG; }
    static void OpenOPC(const std::function<void()>& Drive)
    {
        Open(FCalyptoreFirmWare->Btn_OPC_UA_Server_Access, W(), Drive);
    }
    static void Choose(int row, const QString& type)
    {
        G()->SetCells(opcType, row, type);
        W()->ASGComboChange(G(), opcType, row, 0, type);
    }
    static QStringList Row(int row) { return RowOf(G(), row, 7).mid(1); }
};

}  // namespace

TEST_F(OPCUAWindow, TheLengthFollowsTheChosenType)
{
    OpenOPC([] {
        TEditorType editor = edNormal;
        W()->ASGGetEditorType(G(), opcType, 1, editor);
        EXPECT_EQ(editor, edComboList);
        Choose(1, "Int32");
        EXPECT_EQ(G()->Cells(opcLength, 1), "4");
        EXPECT_TRUE(G()->ReadOnly(opcLength, 1));
        EXPECT_EQ(G()->Cells(opcReadWrite, 1), "Read/Write");
        Choose(1, "String");
        EXPECT_EQ(G()->Cells(opcLength, 1), "10");
        EXPECT_FALSE(G()->ReadOnly(opcLength, 1));
        G()->SetCells(opcReadWrite, 2, "Read Only");
        Choose(2, "Byte");
        EXPECT_EQ(G()->Cells(opcReadWrite, 2), "Read Only");
    });
}

TEST_F(OPCUAWindow, PasteKeepsItsLengthAndARefusedPasteChangesNothing)
{
    OpenOPC([] {
        Choose(1, "String");
        G()->SetCells(opcLength, 1, "20");
        G()->SetRow(1);
        W()->Btn_CopyRow->Click();
        Choose(2, "Int16");
        G()->SetCells(opcReadWrite, 2, QString());
        const QStringList before = Row(2);
        G()->SetRow(2);
        {
            DialogResponder r;
            r.ExpectMessage(LangText(1100), mrNo, mtConfirmation);
            W()->Btn_PasteRow->Click();
        }
        EXPECT_EQ(Row(2), before);
        EXPECT_TRUE(G()->ReadOnly(opcLength, 2));
        {
            DialogResponder r;
            r.ExpectMessage(LangText(1100), mrYes, mtConfirmation);
            W()->Btn_PasteRow->Click();
        }
        EXPECT_EQ(G()->Cells(opcLength, 2), "20");
        EXPECT_FALSE(G()->ReadOnly(opcLength, 2));
    });
}

TEST_F(OPCUAWindow, DeleteAndInsertKeepEachLengthFlagWithItsTypeAndAReopenedWindowHasNone)
{
    OpenOPC([] {
        Choose(1, "String");
        Choose(2, "Int32");
        G()->SetRow(1);
        {
            DialogResponder r;
            r.ExpectMessage("Are you sure to delete the Row number 1", mrYes, mtConfirmation);
            W()->Btn_DelRow->Click();
            ASSERT_EQ(r.Seen().size(), 1);
            EXPECT_EQ(r.Seen()[0], "Are you sure to delete the Row number 1");
        }
        EXPECT_EQ(G()->Cells(opcType, 1), "Int32");
        EXPECT_TRUE(G()->ReadOnly(opcLength, 1));
        EXPECT_FALSE(G()->ReadOnly(opcLength, 2));
        W()->Btn_InsRow->Click();
        EXPECT_FALSE(G()->ReadOnly(opcLength, 1));
        EXPECT_TRUE(G()->ReadOnly(opcLength, 2));
        Choose(7, "Double");
    });
    OpenOPC([] {
        for (int r = 1; r <= 250; ++r)
            ASSERT_FALSE(G()->ReadOnly(opcLength, r)) << r;
    });
}

TEST_F(OPCUAWindow, TheWalkLooksBelowAnEmptyTypeAndTheFileLoadsRowByRow)
{
    WriteTable(OPC_UA_Server_File,
               "<OPC_UA_Server><OPC_UA_Server_Variables><row Type=\"Double\" Position=\"0\" Name=\"d\"/>"
               "<row Enable=\"N\" Type=\"Int16\" Position=\"9999\" Length=\"2\" ReadWrite=\"Read Only\"/>"
               "</OPC_UA_Server_Variables></OPC_UA_Server><!--SW_VERSION = 1.000-->");
    OpenOPC([] {
        EXPECT_EQ(Row(1), QStringList({"Double", "0", "", "d", "", ""}));
        EXPECT_TRUE(G()->ReadOnly(opcLength, 1));
        bool state = true;
        G()->GetCheckBoxState(opcEnable, 2, state);
        EXPECT_FALSE(state);
        EXPECT_FALSE(G()->OnClickCell);
        EXPECT_FALSE(G()->OnDblClickCell);
        EXPECT_FALSE(G()->OnKeyPress);
        EXPECT_TRUE(W()->Controllo_dati());
        Choose(5, "Int32");
        G()->SetCells(opcPosition, 5, "1500");
        OkFailsWith(W(), "Error row 5!! Position Must be Between 0 and 1499");
        G()->SetCells(opcPosition, 5, "1499");
        W()->Btn_OK->Click();
        EXPECT_EQ(W()->ModalResult(), mrOk);
    });
    EXPECT_EQ(SavedRows(OPC_UA_Server_File, "OPC_UA_Server_Variables").size(), 2);
}

TEST_F(OPCUAWindow, GrabWithATypeChosen)
{
    OpenOPC([this] {
        Choose(1, "Int32");
        G()->SetCells(opcPosition, 1, "0");
        G()->SetCells(opcName, 1, "Speed");
        Grab(W(), QStringLiteral("opcua.png"));
    });
}

TEST_F(OPCUAWindow, ADeleteQuestionWhosePlaceholdersDoNotFitIsAskedAsItStands)
{
    Language_Table->SetStrings(2728, QStringLiteral("Zeile %s %d %d entfernen?"));
    OpenOPC([] {
        Choose(3, "Byte");
        G()->SetRow(3);
        DialogResponder r;
        r.ExpectMessage(QStringLiteral("Zeile %s %d %d entfernen?"), mrNo, mtConfirmation);
        W()->Btn_DelRow->Click();
        EXPECT_EQ(G()->Cells(opcType, 3), "Byte");
    });
}
