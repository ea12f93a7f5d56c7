// The BACnet objects window through the main window's step: the option of
// the general parameters, the checks, the unit picker, the length proposal,
// the hidden Swap column, the file and what the EDE writer reads of it.

#include "SiblingTablesKit.h"
#include "UBACnet_EDE_File.h"

namespace {

class BACnetWindow : public SiblingTablesFixture {
protected:
    static TFBACnetSlaveSetAccess* W() { return FBACnetSlaveSetAccess; }
    static void Open(const std::function<void(TFBACnetSlaveSetAccess*)>& Drive)
    {
        SiblingTablesFixture::Open(FCalyptoreFirmWare->Btn_BACnet_SetAccess, "TFBACnetSlaveSetAccess",
                                   [&](TCustomForm*) { Drive(W()); });
    }
    static void ParGen(const char* xml)
    {
        QFile::remove(ParGen_File);
        if (xml) WriteTable(ParGen_File, xml);
    }
};

}  // namespace

TEST_F(BACnetWindow, EmptyTableSaved)
{
    Open([](TFBACnetSlaveSetAccess* w) { OkPasses(w); });
    EXPECT_EQ(RootAndComment(BACnet_Slave_File),
              QStringLiteral("BACnet_to_Modbus <!--SW_VERSION = 1.003--> [BACnet_in_Read,BACnet_in_Write]"));
}

TEST_F(BACnetWindow, DescriptionOptionSetsRowsAndObjectLimit)
{
    struct Case {
        const char* Name;
        const char* Xml;
        int Rows;
        bool Told;
    };
    const Case cases[] = {
        {"on", "<ParGen><BACnet_Desc_Chars_Limit>1</BACnet_Desc_Chars_Limit></ParGen>", 1001, false},
        {"other", "<ParGen><BACnet_Desc_Chars_Limit>0</BACnet_Desc_Chars_Limit></ParGen>", 2001, false},
        {"none", "<ParGen/>", 2001, false},
        {"no file", nullptr, 2001, false},
        {"unparsable", "<ParGen><BACnet_Desc_Chars_Limit>", 2001, true},
    };
    for (const Case& c : cases) {
        ParGen(c.Xml);
        DialogResponder r;
        if (c.Told) r.ExpectMessage(QStringLiteral("Each BACnet page has 2000 rows."), mrOk, mtError);
        r.ExpectModal(QStringLiteral("TFBACnetSlaveSetAccess"), [&](TCustomForm* f) {
            EXPECT_EQ(W()->ACG_BACnet_in_Read->RowCount(), c.Rows) << c.Name;
            EXPECT_EQ(W()->ACG_BACnet_in_Write->RowCount(), c.Rows) << c.Name;
            EXPECT_EQ(W()->ACG_BACnet_in_Read->Columns()->Items(3)->ComboItems()->Count(), 1500);
            f->SetModalResult(mrCancel);
        });
        FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_BACnet_SetAccess);
        EXPECT_EQ(r.Pending(), 0) << c.Name;
        EXPECT_EQ(r.Seen().size(), c.Told ? 2 : 1) << c.Name;
    }
    // With the option on, 600 read and 500 write objects are too many.
    ParGen(cases[0].Xml);
    Open([](TFBACnetSlaveSetAccess* w) {
        for (int r = 1; r <= 600; ++r) PutRow(w->ACG_BACnet_in_Read, r, {"Analog Input", "0", "0", "", "4", "N", "a"});
        for (int r = 1; r <= 500; ++r) PutRow(w->ACG_BACnet_in_Write, r, {"Analog Out", "0", "0", "", "4", "N", "b"});
        OkFailsWith(w, QStringLiteral("Error!! Too many Requests. Max requests 1000"));
    });
    EXPECT_FALSE(QFile::exists(BACnet_Slave_File));
}

TEST_F(BACnetWindow, FirstBadRowAndPasses)
{
    Open([](TFBACnetSlaveSetAccess* w) {
        PutRow(w->ACG_BACnet_in_Read, 1, {"Analog Input", "62", "1496", "", "4", "N", "ok"});
        PutRow(w->ACG_BACnet_in_Read, 2, {"Binary Input", "95", "1499", "", "", "N", "bit"});
        OkFailsWith(w, QStringLiteral("Error row 2!! [BACnet in Read] Bit must be between 0 and 7"));
        w->ACG_BACnet_in_Read->SetCells(4, 2, QStringLiteral("0"));
        PutRow(w->ACG_BACnet_in_Write, 1, {"Large Analog Value", "65536", "0", "", "8", "N", "w"});
        OkFailsWith(w, QStringLiteral("Error row 1!! [BACnet in Write] Eng. Unit must be between 0 and 65535"));
        w->ACG_BACnet_in_Write->SetCells(2, 1, QStringLiteral("65535"));
        OkPasses(w);
    });
    const auto rows = SavedRows(BACnet_Slave_File, QStringLiteral("BACnet_in_Read"));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(Flat(rows[0]), QStringList({"Data_Type=Analog Input", "Eng_Unit=62", "Position=1496", "Bit=", "Length=4",
                                          "Swap=N", "Mnemonic=ok"}));
    // The EDE writer reads the objects with their units.
    const auto objects = LoadEdeObjects();
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0].UnitCode, QStringLiteral("62"));
    EXPECT_EQ(objects[2].UnitCode, QStringLiteral("65535"));
}

TEST_F(BACnetWindow, WriteTypeChoiceProposesLength)
{
    Open([](TFBACnetSlaveSetAccess* w) {
        TAdvColumnGrid* g = w->ACG_BACnet_in_Write;
        ASSERT_TRUE(g->OnComboChange);
        g->SetCells(5, 1, QStringLiteral("2"));
        g->OnComboChange(g, 1, 1, 5, QStringLiteral("Large Analog Value"));
        EXPECT_EQ(g->Cells(5, 1), QStringLiteral("8"));
        EXPECT_FALSE(w->ACG_BACnet_in_Read->OnComboChange);
    });
}

TEST_F(BACnetWindow, SwapHiddenSavedAndDefaulted)
{
    WriteTable(BACnet_Slave_File,
               "<BACnet_to_Modbus><BACnet_in_Read>"
               "<row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"2\" Mnemonic=\"a\"/>"
               "<row Data_Type=\"Analog Value\" Eng_Unit=\"1\" Position=\"4\" Bit=\"\" Length=\"2\" Swap=\"Y\" Mnemonic=\"b\"/>"
               "</BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus><!--SW_VERSION = 1.003-->");
    Open([](TFBACnetSlaveSetAccess* w) {
        EXPECT_TRUE(w->ACG_BACnet_in_Read->IsHiddenColumn(6));
        EXPECT_TRUE(w->ACG_BACnet_in_Write->IsHiddenColumn(6));
        EXPECT_EQ(w->ACG_BACnet_in_Read->Cells(6, 1), QStringLiteral("N"));
        EXPECT_EQ(w->ACG_BACnet_in_Read->Cells(6, 2), QStringLiteral("Y"));
        OkPasses(w);
    });
    const auto rows = SavedRows(BACnet_Slave_File, QStringLiteral("BACnet_in_Read"));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(Flat(rows[1]).contains(QStringLiteral("Swap=Y")));
    EXPECT_TRUE(Flat(rows[0]).contains(QStringLiteral("Swap=N")));
}

TEST_F(BACnetWindow, MissingEngUnitStopsLoading)
{
    const QByteArray xml = "<BACnet_to_Modbus><BACnet_in_Read>"
                           "<row Data_Type=\"Analog Input\" Eng_Unit=\"62\" Position=\"0\" Bit=\"\" Length=\"2\" Swap=\"N\" Mnemonic=\"a\"/>"
                           "<row Data_Type=\"Analog Input\" Position=\"2\" Bit=\"\" Length=\"2\" Swap=\"N\" Mnemonic=\"b\"/>"
                           "</BACnet_in_Read><BACnet_in_Write/></BACnet_to_Modbus><!--SW_VERSION = 1.003-->";
    WriteTable(BACnet_Slave_File, xml);
    DialogResponder r;
    r.ExpectMessage(QStringLiteral("has no attribute Eng_Unit"), mrOk, mtError)
        .ExpectModal(QStringLiteral("TFBACnetSlaveSetAccess"), [](TCustomForm* f) {
            EXPECT_EQ(W()->ACG_BACnet_in_Read->Cells(1, 1), QStringLiteral("Analog Input"));
            f->SetModalResult(mrCancel);
        });
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_BACnet_SetAccess);
    EXPECT_EQ(r.Pending(), 0);
    QFile f(BACnet_Slave_File);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), xml);  // nothing written by Cancel
}

TEST_F(BACnetWindow, UnitPickerRoundTrip)
{
    Open([](TFBACnetSlaveSetAccess* w) {
        TAdvColumnGrid* g = w->ACG_BACnet_in_Read;
        PutRow(g, 1, {"Analog Input", "62", "0", "", "4", "N", "t"});
        {
            DialogResponder r;
            r.ExpectModal(QStringLiteral("TFBACnet_Eng_Unit"), [](TCustomForm* f) {
                auto* p = static_cast<TFBACnet_Eng_Unit*>(f);
                EXPECT_EQ(p->Label5->Caption(), QStringLiteral("-> degrees-Celsius"));
                EXPECT_EQ(p->E_Selected_EU->Text(), QStringLiteral("62"));
                p->CB_Select_Type->SetItemIndex(22);  // Other
                p->CB_Select_TypeSelect();
                p->CB_Select_Unit->SetItemIndex(p->CB_Select_Unit->Items()->IndexOf(QStringLiteral("per-mille")));
                p->Btn_Select_Eng_Unit->Click();
                EXPECT_TRUE(TestHarness::GrabToPng(f, TestHarness::GrabPath(QStringLiteral("bacnet-picker.png"))));
                p->Btn_OK->Click();
            });
            g->OnDblClickCell(g, 1, 2);
            EXPECT_EQ(r.Pending(), 0);
        }
        EXPECT_EQ(g->Cells(2, 1), QStringLiteral("207"));
        {
            DialogResponder r;
            r.ExpectModal(QStringLiteral("TFBACnet_Eng_Unit"), CancelIt);
            g->OnDblClickCell(g, 1, 2);
        }
        EXPECT_EQ(g->Cells(2, 1), QStringLiteral("207"));
        // Another cell opens no picker.
        g->OnDblClickCell(g, 1, 3);
        EXPECT_TRUE(TestHarness::GrabToPng(w, TestHarness::GrabPath(QStringLiteral("bacnet-window.png"))));
    });
}
