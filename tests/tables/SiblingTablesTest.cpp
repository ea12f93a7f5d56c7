// The seven sibling-model table windows together: re-labelled by a language
// change, and an empty table saved as its root, sections and comment.

#include "SiblingTableKit.h"

namespace {

struct TSibling {
    const char* Class;
    TTableForm* (*Form)();
    TLbButton* (*Step)();
    QString* Path;
    const char* Root;
    const char* Version;
    QStringList Sections;
    int Caption, Header, HeaderCol, Hint;
};

std::vector<TSibling> Siblings()
{
    return {
        {"TFKNXAccess", [] { return static_cast<TTableForm*>(FKNXAccess); },
         [] { return FCalyptoreFirmWare->Btn_KNX_Access; }, &KNX_SetAccess_File, "BACnet_to_KNX", "1.001",
         {"KNX_in_Write"}, 1400, 1416, 2, 1432},
        {"TFIEC61850_Variables", [] { return static_cast<TTableForm*>(FIEC61850_Variables); },
         [] { return FCalyptoreFirmWare->Btn_IEC61850_Access; }, &IEC61850_Variables_File, "IEC61850_Variables",
         "1.000", {}, 1500, 1516, 2, 1523},
        {"TFTLS_Server_Known_Cert", [] { return static_cast<TTableForm*>(FTLS_Server_Known_Cert); },
         [] { return FCalyptoreFirmWare->Btn_TLS_List_Certificates; }, &TLS_Known_Cert_File,
         "TLS_Server_Known_Cert", "1.000", {}, 1600, 1616, 2, 1619},
        {"TFReceiveCAN", [] { return static_cast<TTableForm*>(FReceiveCAN); },
         [] { return FCalyptoreFirmWare->Btn_CAN_Rec_Frame; }, &CAN_Rec_Frames_File, "Receive_Frames", "1.000", {},
         1700, 1710, 2, 1730},
        {"TFTransmitCAN", [] { return static_cast<TTableForm*>(FTransmitCAN); },
         [] { return FCalyptoreFirmWare->Btn_CAN_Send_Frame; }, &CAN_Send_Frames_File, "Transmit_Frames", "1.000",
         {}, 1800, 1810, 2, 1832},
        {"TFSet_PDO_Access", [] { return static_cast<TTableForm*>(FSet_PDO_Access); },
         [] { return FCalyptoreFirmWare->Btn_PDO_CANopen; }, &PDO_CANopen_File, "PDO_CANopen", "1.000",
         {"Receive_PDO", "Transmit_PDO"}, 1900, 1917, 1, 1943},
        {"TFOPC_UA_Server_Access", [] { return static_cast<TTableForm*>(FOPC_UA_Server_Access); },
         [] { return FCalyptoreFirmWare->Btn_OPC_UA_Server_Access; }, &OPC_UA_Server_File, "OPC_UA_Server",
         "1.000", {"OPC_UA_Server_Variables"}, 2700, 2716, 2, 2722},
    };
}

// The header text of a column as the grid shows it.
QString HeaderOf(TTableForm* form, int col)
{
    if (TAdvColumnGrid* grid = form->PageGrid(0))
        return grid->Columns()->Items(col)->Header();
    return form->PageStringGrid(0)->Cells(col, 0);
}

}  // namespace

class SiblingTables : public SiblingTableFixture {};

TEST_F(SiblingTables, ALanguageChangeRelabelsCaptionHeaderAndHeaderHint)
{
    for (const TSibling& s : Siblings()) {
        SCOPED_TRACE(s.Class);
        Language_Table->SetStrings(s.Caption, QStringLiteral("Titel %1").arg(s.Caption));
        Language_Table->SetStrings(s.Header, QStringLiteral("Kopf %1").arg(s.Header));
        Language_Table->SetStrings(s.Hint, QStringLiteral("Hinweis %1").arg(s.Hint));
    }
    FCalyptoreFirmWare->Change_Language();
    for (const TSibling& s : Siblings()) {
        SCOPED_TRACE(s.Class);
        TTableForm* form = s.Form();
        EXPECT_EQ(form->Caption(), QStringLiteral("Titel %1").arg(s.Caption));
        EXPECT_EQ(HeaderOf(form, s.HeaderCol), QStringLiteral("Kopf %1").arg(s.Header));
        // The header hint of the column before: entry col - 1 of the list.
        QString hint;
        form->GridHint(form->PageStringGrid(0), 0, s.HeaderCol, hint);
        if (std::string(s.Class) != "TFOPC_UA_Server_Access") {
            EXPECT_EQ(hint, QStringLiteral("Hinweis %1").arg(s.Hint));
        }
    }
}

TEST_F(SiblingTables, OkOnAnEmptyTableSavesRootSectionsAndCommentOnly)
{
    for (const TSibling& s : Siblings()) {
        SCOPED_TRACE(s.Class);
        Open(s.Step(), s.Form(), [&] { s.Form()->Btn_OK->Click(); });
        TXmlDocument doc;
        ASSERT_TRUE(doc.LoadFromFile(*s.Path));
        const QList<TXmlNode> top = doc.Nodes();
        ASSERT_EQ(top.size(), 2);
        EXPECT_EQ(top[0].Name(), QLatin1String(s.Root));
        EXPECT_EQ(top[1].NodeType(), TXmlNodeType::Comment);
        EXPECT_TRUE(ReadTable(*s.Path).contains(QByteArray("<!--SW_VERSION = ") + s.Version + "-->"));
        QStringList sections;
        for (const TXmlNode& n : top[0].ChildNodes())
            sections << n.Name();
        EXPECT_EQ(sections, s.Sections);
        for (const TXmlNode& n : top[0].ChildNodes())
            EXPECT_EQ(n.ChildNodes().size(), 0);
    }
}
