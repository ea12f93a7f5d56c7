// The SNMP tables window through the main window's step: row numbering by
// the Enable column, the checks and the description uniqueness, the page
// kept across showings, loading with defaults, and what the MIB writer reads.

#include "SiblingTablesKit.h"
#include "USNMP_MIB.h"

namespace {

class SNMPWindow : public SiblingTablesFixture {
protected:
    static TFSNMP_Trap_Access* W() { return FSNMP_Trap_Access; }
    static void Open(const std::function<void(TFSNMP_Trap_Access*)>& Drive)
    {
        SiblingTablesFixture::Open(FCalyptoreFirmWare->Btn_SNMP_Trap, "TFSNMP_Trap_Access",
                                   [&](TCustomForm*) { Drive(W()); });
    }
    static QStringList ReadRow(const QString& desc, const QString& enable = QStringLiteral("Y"))
    {
        return {enable, "Tundra", "Int", "N", "N", "N", "", "0", "0", "16", desc, "192.168.1.125", "None", "m"};
    }
    static QStringList WriteRow(const QString& desc)
    {
        return {"Y", "Granite", "String", "4", "0", "2", desc, "None", "w"};
    }
    static QStringList Column0(TAdvStringGrid* g, int rows)
    {
        QStringList out;
        for (int r = 1; r <= rows; ++r) out << g->Cells(0, r);
        return out;
    }
};

}  // namespace

TEST_F(SNMPWindow, EnableClickNumbersRows)
{
    Open([](TFSNMP_Trap_Access* w) {
        TAdvColumnGrid* g = w->ACG_SNMP_Read;
        for (int r = 1; r <= 5; ++r) PutRow(g, r, ReadRow(QStringLiteral("d%1").arg(r)));
        // Cleared rows count as enabled: row 6 is the fifth.
        g->SetCells(1, 2, QStringLiteral("N"));
        ASSERT_TRUE(g->OnCheckBoxClick);
        g->OnCheckBoxClick(g, 1, 2, false);
        EXPECT_EQ(Column0(g, 6), QStringList({"1", "", "2", "3", "4", "5"}));
        // A delete leaves the numbers as they were.
        g->SetRow(1);
        {
            DialogResponder r;
            r.ExpectMessage(QStringLiteral("Are you sure to delete the Row number 1"), mrYes);
            w->Btn_DelRow->Click();
        }
        EXPECT_EQ(Column0(g, 6), QStringList({"1", "", "2", "3", "4", "5"}));
        EXPECT_EQ(g->Cells(11, 1), QStringLiteral("d2"));
        EXPECT_TRUE(TestHarness::GrabToPng(w, TestHarness::GrabPath(QStringLiteral("snmp-read.png"))));
    });
}

TEST_F(SNMPWindow, DescriptionsMustDiffer)
{
    const QString repeated = QStringLiteral("Error!! The Descriptions must be all differents");
    Open([&](TFSNMP_Trap_Access* w) {
        PutRow(w->ACG_SNMP_Read, 1, ReadRow(QStringLiteral("temp")));
        PutRow(w->ACG_SNMP_Write, 1, WriteRow(QStringLiteral("temp")));
        OkFailsWith(w, repeated);
        w->ACG_SNMP_Write->SetCells(7, 1, QStringLiteral("Temp"));
        OkFailsWith(w, QStringLiteral("Error row 1") + LangText(2279));
        w->ACG_SNMP_Write->SetCells(7, 1, QStringLiteral("tEmp"));
        OkPasses(w);
    });
    Open([&](TFSNMP_Trap_Access* w) {
        w->ACG_SNMP_Read->SetCells(11, 1, QString());
        w->ACG_SNMP_Write->SetCells(7, 1, QString());
        OkFailsWith(w, repeated);
        // A disabled row is neither checked nor collected.
        w->ACG_SNMP_Write->SetCells(1, 1, QStringLiteral("N"));
        w->ACG_SNMP_Write->SetCells(2, 1, QStringLiteral("a b"));
        OkPasses(w);
    });
    // The MIB writer reads the enabled rows.
    LoadMibObjects();
    ASSERT_EQ(SNMP_Read_Desc_List->Count(), 1);
    EXPECT_EQ(SNMP_Write_Desc_List->Count(), 0);
}

TEST_F(SNMPWindow, ReopensOnItsPageAndLoadsDefaults)
{
    WriteTable(SNMP_Trap_File,
               "<SNMP_Trap><SNMP_Trap_Read><row Community_Name=\"Tundra\"/><row Community_Name=\"Granite\" Enable=\"N\"/>"
               "<row Community_Name=\"Tundra\"/></SNMP_Trap_Read><SNMP_Trap_Write/></SNMP_Trap>");
    Open([](TFSNMP_Trap_Access* w) {
        EXPECT_EQ(w->PageControl1->ActivePage(), w->TS_SNMP_Read);
        EXPECT_EQ(RowOf(w->ACG_SNMP_Read, 1, 14),
                  QStringList({"Y", "Tundra", "", "N", "N", "N", "", "", "", "", "", "", "None", ""}));
        EXPECT_EQ(Column0(w->ACG_SNMP_Read, 3), QStringList({"1", "", "2"}));
        EXPECT_EQ(w->ACG_SNMP_Read->Columns()->Items(8)->ComboItems()->Count(), 1440);
        EXPECT_EQ(w->ACG_SNMP_Read->Columns()->Items(2)->EditLength(), 15);
        // A read row pasted on the write page is refused.
        w->ACG_SNMP_Read->SetRow(1);
        w->Btn_CopyRow->Click();
        w->PageControl1->SetActivePage(w->TS_SNMP_Write);
        DialogResponder r;
        r.ExpectMessage(LangText(1102));
        w->Btn_PasteRow->Click();
        EXPECT_EQ(r.Pending(), 0);
    });
    Open([](TFSNMP_Trap_Access* w) { EXPECT_EQ(w->PageControl1->ActivePage(), w->TS_SNMP_Write); });
}
