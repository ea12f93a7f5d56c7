// The MQTT topics window through the main window's step: the columns of
// working mode 1, the checks, the template editor on a template cell, the
// columns the file does not keep, and loading.

#include "SiblingTablesKit.h"
#include "UTopicTemplate.h"

namespace {

class MQTTWindow : public SiblingTablesFixture {
protected:
    static TFMQTT_Set_Topic* W() { return FMQTT_Set_Topic; }
    static void Open(const std::function<void(TFMQTT_Set_Topic*)>& Drive)
    {
        SiblingTablesFixture::Open(FCalyptoreFirmWare->Btn_MQTT_Set_Topic, "TFMQTT_Set_Topic",
                                   [&](TCustomForm*) { Drive(W()); });
    }
    // A valid publish row of 17 cells and subscribe row of 14.
    static QStringList PubRow(const QString& topic = QStringLiteral("plant/t1"))
    {
        return {topic, "N", "0", "Int", "2", "10", "", "", "$VALUE$", "Y", "N", "N", "", "", "", "", "pub"};
    }
    static QStringList SubRow(const QString& topic = QStringLiteral("plant/cmd"))
    {
        return {topic, "N", "1", "Float", "4", "20", "", "", "", "", "$VALUE$", "", "", "sub"};
    }
};

}  // namespace

TEST_F(MQTTWindow, ColumnsOfWorkingModeOne)
{
    Open([](TFMQTT_Set_Topic* w) {
        const std::set<int> pubHidden = {7, 8, 11, 14, 15, 16};
        for (int c = 0; c < 18; ++c) EXPECT_EQ(w->ACG_Pub->IsHiddenColumn(c), pubHidden.count(c) > 0) << c;
        const std::set<int> subHidden = {2, 7, 8, 9, 10, 12, 13};
        for (int c = 0; c < 15; ++c) EXPECT_EQ(w->ACG_Sub->IsHiddenColumn(c), subHidden.count(c) > 0) << c;
        EXPECT_EQ(w->ACG_Pub->RowCount(), 1025);
        EXPECT_EQ(w->PageControl1->ActivePage(), w->TS_MQTT_Publish);
        // The header hints go by real column.
        QString hint;
        w->ACG_Pub->OnGridHint(w->ACG_Pub, 0, 7, hint);  // displayed 7 is real 9, the template
        EXPECT_EQ(hint, LangText(2336));
        EXPECT_TRUE(TestHarness::GrabToPng(w, TestHarness::GrabPath(QStringLiteral("mqtt-publish.png"))));
        w->PageControl1->SetActivePage(w->TS_MQTT_Subscribe);
        EXPECT_TRUE(TestHarness::GrabToPng(w, TestHarness::GrabPath(QStringLiteral("mqtt-subscribe.png"))));
    });
}

TEST_F(MQTTWindow, ChecksInOrderAndHiddenColumnsTravel)
{
    Open([](TFMQTT_Set_Topic* w) {
        PutRow(w->ACG_Pub, 1, PubRow());
        PutRow(w->ACG_Pub, 2, PubRow(QStringLiteral("plant/t2")));
        w->ACG_Pub->SetCells(4, 2, QStringLiteral("Float"));
        OkFailsWith(w, QStringLiteral("Error row 2!! [MQTT Publish] Dimension must be equal to 4 or 8"));
        w->ACG_Pub->SetCells(5, 2, QStringLiteral("8"));
        w->ACG_Pub->SetCells(6, 2, QStringLiteral("1500"));
        OkFailsWith(w, QStringLiteral("Error row 2!! [MQTT Publish] Position must be beetween 0 and 1499"));
        w->ACG_Pub->SetCells(6, 2, QStringLiteral("1499"));
        w->ACG_Pub->SetCells(12, 2, QStringLiteral("Y"));
        OkFailsWith(w, QStringLiteral("Error row 2!! [MQTT Publish] Time(ms) must be between 1 and 1000000000"));
        w->ACG_Pub->SetCells(13, 2, QStringLiteral("1000"));
        // A hidden column's cell moves with copy and paste.
        w->ACG_Pub->SetCells(7, 1, QStringLiteral("10.0.0.1"));
        w->ACG_Pub->SetRow(1);
        w->Btn_CopyRow->Click();
        w->ACG_Pub->SetRow(3);
        w->Btn_PasteRow->Click();
        EXPECT_EQ(w->ACG_Pub->Cells(7, 3), QStringLiteral("10.0.0.1"));
        EXPECT_EQ(w->ACG_Pub->Cells(1, 3), QStringLiteral("plant/t1"));
        // Insert on the subscribe page leaves the publish page alone.
        PutRow(w->ACG_Sub, 1, SubRow());
        w->PageControl1->SetActivePage(w->TS_MQTT_Subscribe);
        w->ACG_Sub->SetRow(1);
        w->Btn_InsRow->Click();
        EXPECT_EQ(w->ACG_Sub->Cells(1, 1), QString());
        EXPECT_EQ(w->ACG_Sub->Cells(1, 2), QStringLiteral("plant/cmd"));
        EXPECT_EQ(w->ACG_Pub->Cells(1, 1), QStringLiteral("plant/t1"));
        // The empty topic of row 1 ends the subscribe page: nothing of it is checked or written.
        OkPasses(w);
    });
    EXPECT_EQ(SavedRows(MQTT_Set_Topic_File, QStringLiteral("MQTT_Publish")).size(), 3);
    EXPECT_EQ(SavedRows(MQTT_Set_Topic_File, QStringLiteral("MQTT_Subscribe")).size(), 0);
    const auto pub = SavedRows(MQTT_Set_Topic_File, QStringLiteral("MQTT_Publish"));
    EXPECT_EQ(Flat(pub[0]), QStringList({"Topic=plant/t1", "Retained=N", "QoS=0", "DataType=Int", "Dimension=2",
                                         "Position=10", "IPAddress=10.0.0.1", "InputTemplate=", "Template=$VALUE$",
                                         "OnChange=Y", "OnTimer=N", "Time=", "Mnemonic=pub"}));
    EXPECT_EQ(RootAndComment(MQTT_Set_Topic_File),
              QStringLiteral("MQTT_Set_Topic <!--SW_VERSION = 1.000--> [MQTT_Publish,MQTT_Subscribe]"));
}

TEST_F(MQTTWindow, UnstoredColumnsReadBackReset)
{
    Open([](TFMQTT_Set_Topic* w) {
        QStringList row = PubRow();
        row[10] = "Y";   // OnCMD
        row[13] = "7";   // Channel
        row[14] = "Y";   // Swap
        row[15] = "Y";   // Swap Word
        PutRow(w->ACG_Pub, 1, row);
        QStringList sub = SubRow();
        sub[11] = "Y";
        sub[12] = "Y";
        PutRow(w->ACG_Sub, 1, sub);
        OkPasses(w);
    });
    Open([](TFMQTT_Set_Topic* w) {
        EXPECT_EQ(RowOf(w->ACG_Pub, 1, 17).mid(10, 6), QStringList({"", "N", "", "", "N", "N"}));
        EXPECT_EQ(RowOf(w->ACG_Sub, 1, 14).mid(11, 2), QStringList({"N", "N"}));
        EXPECT_EQ(w->ACG_Pub->Cells(15, 2), QString());  // a row the file did not fill
    });
}

TEST_F(MQTTWindow, RowWithoutQosStopsLoading)
{
    WriteTable(MQTT_Set_Topic_File,
               "<MQTT_Set_Topic><MQTT_Publish>"
               "<row Topic=\"a\" Retained=\"N\" QoS=\"0\" Mnemonic=\"m\"/>"
               "<row Topic=\"b\" Retained=\"N\" Mnemonic=\"m\"/>"
               "</MQTT_Publish><MQTT_Subscribe/></MQTT_Set_Topic>");
    DialogResponder r;
    r.ExpectMessage(QStringLiteral("has no attribute QoS"), mrOk, mtError)
        .ExpectModal(QStringLiteral("TFMQTT_Set_Topic"), [](TCustomForm* f) {
            EXPECT_EQ(W()->ACG_Pub->Cells(1, 1), QStringLiteral("a"));
            EXPECT_EQ(W()->ACG_Pub->Cells(10, 1), QStringLiteral("N"));  // OnChange's default
            f->SetModalResult(mrCancel);
        });
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_MQTT_Set_Topic);
    EXPECT_EQ(r.Pending(), 0);
}

TEST_F(MQTTWindow, TemplateEditorRoundTrip)
{
    const QString twoLines = QStringLiteral("{\"v\":$VALUE$,\r\n\"t\":1}");
    Open([&](TFMQTT_Set_Topic* w) {
        PutRow(w->ACG_Pub, 1, PubRow());
        PutRow(w->ACG_Sub, 1, SubRow());
        TAdvColumnGrid* g = w->ACG_Pub;
        g->SetCol(g->DisplColIndex(9));
        g->SetRow(1);
        {
            DialogResponder r;
            r.ExpectModal(QStringLiteral("TFTopicTemplate"), [&](TCustomForm* f) {
                auto* t = static_cast<TFTopicTemplate*>(f);
                EXPECT_EQ(t->Caption(), QStringLiteral("Set Template"));
                EXPECT_EQ(t->Pub_Sub, 0);
                EXPECT_EQ(t->Working_Mode, 1);
                EXPECT_EQ(t->RE_TopicTemplate->Text(), QStringLiteral("$VALUE$"));
                t->RE_TopicTemplate->SetText(twoLines);
                t->Btn_OK->Click();
            });
            g->OnDblClickCell(g, 1, g->DisplColIndex(9));
            EXPECT_EQ(r.Pending(), 0);
        }
        EXPECT_EQ(g->Cells(9, 1), twoLines);
        {
            DialogResponder r;
            r.ExpectModal(QStringLiteral("TFTopicTemplate"), [](TCustomForm* f) {
                static_cast<TFTopicTemplate*>(f)->RE_TopicTemplate->SetText(QStringLiteral("other"));
                f->SetModalResult(mrCancel);
            });
            g->OnDblClickCell(g, 1, g->DisplColIndex(9));
        }
        EXPECT_EQ(g->Cells(9, 1), twoLines);
        // A header double click only sizes, though the current cell is a template cell.
        g->OnDblClickCell(g, 0, g->DisplColIndex(9));
        // The subscribe page hands over its page.
        TAdvColumnGrid* s = w->ACG_Sub;
        s->SetCol(s->DisplColIndex(11));
        s->SetRow(1);
        {
            DialogResponder r;
            r.ExpectModal(QStringLiteral("TFTopicTemplate"), [](TCustomForm* f) {
                EXPECT_EQ(static_cast<TFTopicTemplate*>(f)->Pub_Sub, 1);
                f->SetModalResult(mrCancel);
            });
            s->OnDblClickCell(s, 1, s->DisplColIndex(11));
            EXPECT_EQ(r.Pending(), 0);
        }
        OkPasses(w);
    });
    Open([&](TFMQTT_Set_Topic* w) { EXPECT_EQ(w->ACG_Pub->Cells(9, 1), twoLines); });
}
