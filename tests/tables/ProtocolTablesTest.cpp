// The sibling protocols' table windows and their two dialogs as the program
// holds them: created at start, re-labelled by a language change, each
// table saving an empty table in its file's shape.

#include "Hints.h"
#include "SiblingTablesKit.h"
#include "ULanguage.h"

TEST_F(SiblingTablesFixture, CreatedAndRelabelled)
{
    ASSERT_TRUE(FSet_SDO_Client_Access && FSet_SDO_Server_Access && FSNMP_Trap_Access && FMQTT_Set_Topic
                && FTopicTemplate && FBACnet_Eng_Unit && FBACnetSlaveSetAccess);
    EXPECT_EQ(FSNMP_Trap_Access->Btn_OK->Hint(), LangText(2210));
    EXPECT_EQ(FBACnetSlaveSetAccess->Btn_PasteRow->Hint(), LangText(2515));
    ApplyLanguageText(QStringLiteral("STR2200 = Tabelle SNMP\nSTR2208 = Lesen\nSTR2318 = Merkname\n"
                                     "STR2251 = Merkhilfe\nSTR2600 = Einheit\nSTR2401 = Vorlage\n"
                                     "STR2014 = SDO Lesen\nSTR2117 = Index!\nSTR2509 = Schreiben\n"));
    FCalyptoreFirmWare->Change_Language();
    EXPECT_EQ(FSNMP_Trap_Access->Caption(), QStringLiteral("Tabelle SNMP"));
    EXPECT_EQ(FSNMP_Trap_Access->TS_SNMP_Read->Caption(), QStringLiteral("Lesen"));
    EXPECT_EQ(FSNMP_Trap_Access->Hint_SNMP_Read->Strings(13), QStringLiteral("Merkhilfe"));
    EXPECT_EQ(FMQTT_Set_Topic->ACG_Pub->Columns()->Items(17)->Header(), QStringLiteral("Merkname"));
    EXPECT_EQ(FBACnet_Eng_Unit->Caption(), QStringLiteral("Einheit"));
    EXPECT_EQ(FSet_SDO_Client_Access->TS_SDO_Read->Caption(), QStringLiteral("SDO Lesen"));
    EXPECT_EQ(FSet_SDO_Server_Access->sga->Columns()->Items(1)->Header(), QStringLiteral("Index!"));
    EXPECT_EQ(FBACnetSlaveSetAccess->TS_BACnet_in_Write->Caption(), QStringLiteral("Schreiben"));
    FTopicTemplate->TopicTemplate = 1;
    DialogResponder r;
    r.ExpectModal(QStringLiteral("TFTopicTemplate"), [](TCustomForm* f) {
        EXPECT_EQ(f->Caption(), QStringLiteral("Vorlage"));
        f->SetModalResult(mrCancel);
    });
    FTopicTemplate->ShowModal();
}

TEST_F(SiblingTablesFixture, EachTableWindowsButtonsShowTheHintsOfItsOwnBand)
{
    const std::pair<TTableForm*, int> windows[] = {
        {FS7_Protocol_Set_Access, 1208}, {FKNXAccess, 1408},           {FIEC61850_Variables, 1508},
        {FTLS_Server_Known_Cert, 1608},  {FReceiveCAN, 1723},          {FTransmitCAN, 1825},
        {FSet_PDO_Access, 1908},         {FSet_SDO_Client_Access, 2008}, {FSet_SDO_Server_Access, 2108},
        {FSNMP_Trap_Access, 2210},       {FMQTT_Set_Topic, 2308},      {FBACnetSlaveSetAccess, 2510},
        {FOPC_UA_Server_Access, 2708},
    };
    for (const auto& [w, first] : windows) {
        SCOPED_TRACE(w->ClassName().toStdString());
        TLbButton* buttons[6] = {w->Btn_OK, w->Btn_Cancel, w->Btn_DelRow, w->Btn_InsRow, w->Btn_CopyRow,
                                 w->Btn_PasteRow};
        for (int i = 0; i < 6; ++i) {
            // The pointer resting on the button.
            ASSERT_TRUE(ActivateControlHint(buttons[i], TPoint(20, 10)));
            ASSERT_NE(ActiveHintWindow(), nullptr);
            EXPECT_EQ(ActiveHintWindow()->Caption(), LangText(first + i)) << i;
            if (w == FReceiveCAN && i == 0)
                EXPECT_TRUE(TestHarness::GrabToPng(ActiveHintWindow(),
                                                   TestHarness::GrabPath(QStringLiteral("can-receive-ok-hint.png"))));
            CancelControlHint();
        }
    }
}

TEST_F(SiblingTablesFixture, EmptyTablesSaved)
{
    struct Case {
        TLbButton* Step;
        const char* Class;
        QString* Path;
        const char* Shape;
    };
    const Case cases[] = {
        {FCalyptoreFirmWare->Btn_SDO_Client_CANopen, "TFSet_SDO_Client_Access", &SDO_Client_CANopen_File,
         "SDO_Client_CANopen <!--SW_VERSION = 1.000--> [SDO_Read,SDO_Write]"},
        {FCalyptoreFirmWare->Btn_SDO_Server_CANopen, "TFSet_SDO_Server_Access", &SDO_Server_CANopen_File,
         "SDO_Server_CANopen <!--SW_VERSION = 1.000--> [SDO_Read,SDO_Write]"},
        {FCalyptoreFirmWare->Btn_SNMP_Trap, "TFSNMP_Trap_Access", &SNMP_Trap_File,
         "SNMP_Trap <!--SW_VERSION = 1.000--> [SNMP_Trap_Read,SNMP_Trap_Write]"},
        {FCalyptoreFirmWare->Btn_MQTT_Set_Topic, "TFMQTT_Set_Topic", &MQTT_Set_Topic_File,
         "MQTT_Set_Topic <!--SW_VERSION = 1.000--> [MQTT_Publish,MQTT_Subscribe]"},
        {FCalyptoreFirmWare->Btn_BACnet_SetAccess, "TFBACnetSlaveSetAccess", &BACnet_Slave_File,
         "BACnet_to_Modbus <!--SW_VERSION = 1.003--> [BACnet_in_Read,BACnet_in_Write]"},
    };
    for (const Case& c : cases) {
        Open(c.Step, c.Class, [](TCustomForm* f) { static_cast<TTableForm*>(f)->Btn_OK->Click(); });
        EXPECT_EQ(RootAndComment(*c.Path), QLatin1String(c.Shape)) << c.Class;
    }
}

TEST_F(SiblingTablesFixture, UnparsableTableIsToldAndKeptUntilOk)
{
    const QByteArray broken = "<SNMP_Trap><SNMP_Trap_Read>";
    WriteTable(SNMP_Trap_File, broken);
    DialogResponder r;
    r.ExpectMessage(QStringLiteral("cannot be read"), mrOk, mtError)
        .ExpectModal(QStringLiteral("TFSNMP_Trap_Access"), CancelIt);
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_SNMP_Trap);
    EXPECT_EQ(r.Pending(), 0);
    QFile f(SNMP_Trap_File);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), broken);
}
