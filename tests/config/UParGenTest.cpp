// The general-parameter editor as the user meets it: shown modally over a
// temporary project, edited, confirmed or cancelled.
#include "../platform/ControlsTestKit.h"
#include "DialogResponder.h"
#include "Files.h"
#include "HostileFiles.h"
#include "OsProfile.h"
#include "Services.h"
#include "TestHarness.h"
#include "TestProject.h"
#include "UComon.h"
#include "ULanguage.h"
#include "UParGen.h"
#include "USaveBincc.h"
#include "XmlDoc.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

namespace {

class ParGenEditor : public ::testing::Test {
protected:
    void SetUp() override
    {
        TestProject::Start();
        FillEnglishTable();
        Software_Code = QStringLiteral("CF52104");
        Form = Create<TFParGen>(nullptr);
    }
    void TearDown() override
    {
        Free(Form);
        ResetSharedState();
    }

    // Shows the editor modally; `drive` runs while it is shown (after its
    // loading) and may expect dialogs on `r` before it acts. A window that
    // drive leaves open is cancelled, and reported as still open.
    TModalResult Show(const std::function<void(DialogResponder&)>& drive = {}, const QString& loadMessage = {})
    {
        DialogResponder r;
        StillOpen = false;
        if (!loadMessage.isEmpty())
            r.ExpectMessage(loadMessage, mrOk, mtError);
        r.ExpectModal(QStringLiteral("TFParGen"), [&](TCustomForm* f) {
            if (drive)
                drive(r);
            StillOpen = f->ModalResult() == mrNone;
            if (StillOpen)
                f->SetModalResult(mrCancel);
        });
        const TModalResult result = Form->ShowModal();
        EXPECT_EQ(r.Pending(), 0) << r.Seen().join(" | ").toStdString();
        Seen = r.Seen();
        return result;
    }

    // Shows, lets `edit` change the controls, presses OK.
    TModalResult ShowEditOk(const std::function<void()>& edit, const QString& expectedMessage = {})
    {
        return Show([&](DialogResponder& r) {
            if (edit)
                edit();
            if (!expectedMessage.isEmpty())
                r.ExpectMessage(expectedMessage, mrOk, mtError);
            Form->Btn_OK->Click();
        });
    }

public:
    TEdit* Edit(int field) const { return static_cast<TEdit*>(Form->FieldControl(field)); }
    TCheckBox* Box(int field) const { return static_cast<TCheckBox*>(Form->FieldControl(field)); }
    TComboBox* List(int field) const { return static_cast<TComboBox*>(Form->FieldControl(field)); }

    TFParGen* Form = nullptr;
    bool StillOpen = false;
    QStringList Seen;
};

}  // namespace

TEST_F(ParGenEditor, NewProjectOkWritesTheDefaultsThatTheBankBuilderTurnsIntoBank1)
{
    ASSERT_EQ(ShowEditOk({}), mrOk);
    ASSERT_TRUE(FileExists(ParGen_File));
    const QByteArray raw = TestProject::Read(ParGen_File);
    EXPECT_FALSE(raw.startsWith("<?xml"));

    TXmlDocument doc;
    ASSERT_TRUE(doc.LoadFromBytes(raw).Ok);
    const QList<TXmlNode> top = doc.Nodes();
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0].Name(), "Par_Gen");
    EXPECT_EQ(top[1].NodeType(), TXmlNodeType::Comment);
    EXPECT_EQ(top[1].Value(), "SW_VERSION = 1.000");
    ASSERT_EQ(top[0].ChildElementCount(), 32);
    for (int i = 0; i < 32; ++i) {
        EXPECT_EQ(top[0].ChildElementAt(i).Name(), QLatin1String(ParGenFieldInfo(i).Element));
        EXPECT_EQ(top[0].ChildElementAt(i).Text(), TestProject::NewProjectTexts[i]) << i;
    }

    const TBankResult built = BuildConfigurationBanks();
    ASSERT_TRUE(built.Ok) << built.Reason.toStdString();
    EXPECT_EQ(General_Parameters.Checksum, 4189u);
    ASSERT_TRUE(SaveConfigurationBanks().Ok);
    const QByteArray bank1 = TestProject::Read(Project_Path + QStringLiteral("/bin/bank1.bin"));
    ASSERT_EQ(bank1.size(), 2048);
    EXPECT_EQ(bank1.mid(0x28, 4), QByteArray("\xC0\xA8\x00\x05", 4));  // 192.168.0.5
    EXPECT_EQ(bank1.mid(0x7FC, 4), QByteArray("\x5D\x10\x00\x00", 4));  // 4189
}

TEST_F(ParGenEditor, EveryControlSurvivesOkAndTheNextShow)
{
    const QString name = QStringLiteral("<A&B> \u20AC");
    auto edit = [&] {
        Edit(pgDeviceName)->SetText(name);
        Box(pgDhcpCable)->SetChecked(true);
        Box(pgEnableDns)->SetChecked(true);
        for (int i = 0; i < 8; ++i)
            Edit(pgPriDns1 + i)->SetText(QString::number(i + 1));
        Box(pgS7_EnGat)->SetChecked(true);
        Edit(pgS7_GAT4)->SetText(QStringLiteral("254"));
        Edit(pgS7_IP1)->SetText(QStringLiteral("10"));
        Edit(pgS7_SM3)->SetText(QStringLiteral("0"));
        Edit(pgS7_TimeOut)->SetText(QStringLiteral("2500"));
        Box(pgS7_EnResetTimeOut)->SetChecked(true);
        Edit(pgS7_ResetTimeOut)->SetText(QStringLiteral("60"));
        List(pgSerial)->SetItemIndex(1);     // RS485
        List(pgBaudrate)->SetItemIndex(3);   // 9600
        List(pgParity)->SetItemIndex(2);     // EVEN
        List(pgStopBits)->SetItemIndex(0);   // 1 Stop Bits
    };
    TParGenValues typed;
    ASSERT_EQ(ShowEditOk([&] { edit(); typed = Form->Values(); }), mrOk);
    EXPECT_NE(typed, TParGenValues());

    TParGenValues shown;
    Show([&](DialogResponder&) { shown = Form->Values(); });
    EXPECT_EQ(shown, typed);
    EXPECT_EQ(Edit(pgDeviceName)->Text(), name);
    EXPECT_EQ(List(pgSerial)->Text(), "RS485");
    EXPECT_EQ(List(pgBaudrate)->Text(), "9600");
    EXPECT_EQ(Form->Cb_Serial_Parity->Text(), "EVEN");
    EXPECT_EQ(Form->CB_Serial_StopBits->Text(), "1 Stop Bits");
}

TEST_F(ParGenEditor, AnUnreadableFileShowsTheDefaultsNotTheLastProjectsValues)
{
    TParGenValues a;
    a[pgS7_IP1] = QStringLiteral("10");
    a[pgDeviceName] = QStringLiteral("A");
    a.SetChecked(pgDhcpCable, true);
    a.SetIndex(pgParity, 2);
    TXmlDocument doc;
    ASSERT_TRUE(SaveParGenFile(doc, ParGen_File, a).Ok);
    TParGenValues shown;
    Show([&](DialogResponder&) { shown = Form->Values(); });
    EXPECT_EQ(shown, a);

    TestProject::Open(QStringLiteral("P2"));
    const QByteArray broken("<Par_Gen><S7_Protocol_IP1>11</S7_Protocol_IP1>");
    TestProject::Write(ParGen_File, broken);
    Show([&](DialogResponder&) { shown = Form->Values(); }, QStringLiteral("cannot be read"));
    EXPECT_EQ(shown, TParGenValues());
    EXPECT_TRUE(Form->CB_S7_Protocol_En_GAT->Enabled());  // laid out for the defaults
    ASSERT_EQ(Seen.size(), 2);                               // the error, then the window
    EXPECT_TRUE(Seen[0].contains(ParGen_File)) << Seen[0].toStdString();
    EXPECT_EQ(TestProject::Read(ParGen_File), broken);  // cancelled: left alone
}

TEST_F(ParGenEditor, WiFiDhcpLoadsAndSavesButCannotBeChanged)
{
    TParGenValues v;
    v.SetChecked(pgDhcpWiFi, true);
    TXmlDocument doc;
    ASSERT_TRUE(SaveParGenFile(doc, ParGen_File, v).Ok);
    ASSERT_EQ(ShowEditOk([&] {
                  EXPECT_TRUE(Form->CB_EthConn_En_DHCP_WiFi->Checked());
                  EXPECT_FALSE(Form->CB_EthConn_En_DHCP_WiFi->Enabled());
                  Form->CB_EthConn_En_DHCP_Cable->SetChecked(true);  // a re-layout
                  EXPECT_FALSE(Form->CB_EthConn_En_DHCP_WiFi->Enabled());
              }),
              mrOk);
    ASSERT_TRUE(doc.LoadFromFile(ParGen_File).Ok);
    EXPECT_EQ(doc.DocumentElement().ChildElement("Eth_Conn_DHCP_WiFi").Text(), "1");
}

TEST_F(ParGenEditor, AFailedCheckShowsItsMessageKeepsTheWindowAndWritesNothing)
{
    struct Case {
        const char* what;
        std::function<void(ParGenEditor*)> edit;
        QString message;  // empty: passes
    };
    const std::vector<Case> cases = {
        {"address octet 1 of 256", [](ParGenEditor* t) { t->Edit(pgS7_IP1)->SetText("256"); },
         "Error R7arir!! IP Address 1 must be between 0 and 255"},
        {"address octet disabled by DHCP",
         [](ParGenEditor* t) {
             t->Box(pgDhcpCable)->SetChecked(true);
             t->Edit(pgS7_IP2)->SetText("256");
         },
         "Error R7arir!! IP Address 2 must be between 0 and 255"},
        {"secondary DNS with DNS on",
         [](ParGenEditor* t) {
             t->Box(pgEnableDns)->SetChecked(true);
             t->Edit(pgSecDns3)->SetText("999");
         },
         "Error Secondary DNS!! DNS 3 must be between 0 and 255"},
        {"two stop bits with parity ODD",
         [](ParGenEditor* t) {
             t->List(pgStopBits)->SetItemIndex(1);
             t->List(pgParity)->SetItemIndex(1);
         },
         "Error Serial!! Two Stop Bits can be selected only with None Parity"},
        {"reset time-out 5 ticked",
         [](ParGenEditor* t) {
             t->Box(pgS7_EnResetTimeOut)->SetChecked(true);
             t->Edit(pgS7_ResetTimeOut)->SetText("5");
         },
         "Error R7arir!! Reset TimeOut must be between 10 and 3600 seconds"},
        {"gateway 300 with the box clear", [](ParGenEditor* t) { t->Edit(pgS7_GAT1)->SetText("300"); }, ""},
        {"DNS 999 with DNS off, saved as typed", [](ParGenEditor* t) { t->Edit(pgPriDns2)->SetText("999"); }, ""},
    };
    TXmlDocument doc;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(SaveParGenFile(doc, ParGen_File, TParGenValues()).Ok);
        const QByteArray before = TestProject::Read(ParGen_File);
        TParGenValues typed;
        const TModalResult result = ShowEditOk(
            [&] {
                c.edit(this);
                typed = Form->Values();
            },
            c.message);
        if (c.message.isEmpty()) {
            EXPECT_EQ(result, mrOk);
            EXPECT_EQ(LoadParGenFile(doc, ParGen_File).Values, typed);
        } else {
            EXPECT_NE(result, mrOk);
            EXPECT_TRUE(StillOpen);
            EXPECT_EQ(TestProject::Read(ParGen_File), before);
        }
    }
}

TEST_F(ParGenEditor, AFailedSaveIsReportedAndKeepsTheWindow)
{
    // The file's place taken by a folder.
    ASSERT_TRUE(QDir().mkpath(ParGen_File));
    EXPECT_NE(ShowEditOk({}, QStringLiteral("cannot be written")), mrOk);
    EXPECT_TRUE(StillOpen);
    EXPECT_TRUE(Seen.join(' ').contains(ParGen_File));
    EXPECT_TRUE(DirectoryExists(ParGen_File));
}

// A project folder that cannot be written, holding an old file.
TEST_F(ParGenEditor, AReadOnlyProjectFolderKeepsTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into a read-only folder";
    TestProject::Open(QStringLiteral("P2"));
    TParGenValues old;
    old[pgS7_IP4] = QStringLiteral("9");
    TXmlDocument doc;
    ASSERT_TRUE(SaveParGenFile(doc, ParGen_File, old).Ok);
    const QByteArray before = TestProject::Read(ParGen_File);
    QFile::setPermissions(Project_Path, QFile::ReadOwner | QFile::ExeOwner);
    const TModalResult result =
        ShowEditOk([&] { Edit(pgS7_IP4)->SetText("7"); }, QStringLiteral("cannot be written"));
    QFile::setPermissions(Project_Path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_NE(result, mrOk);
    EXPECT_TRUE(StillOpen);
    EXPECT_EQ(TestProject::Read(ParGen_File), before);
}

// ParGen.xml as a link out of the project: OK asks, naming the real file;
// No keeps the window open and the file as it was, Yes writes through the link.
TEST_F(ParGenEditor, ASaveThroughALinkOutOfTheProjectAsksFirst)
{
    const QString outside = TestHarness::ProgramPath(QStringLiteral("shared-pargen.xml"));
    TestProject::Write(outside, "<Par_Gen/>");
    ASSERT_TRUE(QFile::link(outside, ParGen_File));
    const QString question = OutsideProjectQuestion(ParGen_File, QFileInfo(outside).canonicalFilePath());
    for (TModalResult answer : {mrNo, mrYes}) {
        const TModalResult result = Show([&](DialogResponder& r) {
            r.ExpectMessage(question, answer, mtConfirmation);
            Form->Btn_OK->Click();
        });
        EXPECT_EQ(result, answer == mrYes ? mrOk : mrCancel);
        EXPECT_EQ(TestProject::Read(outside) == "<Par_Gen/>", answer == mrNo);
    }
    EXPECT_TRUE(QFileInfo(ParGen_File).isSymLink());
}

// A full disk: the failure is reported with the system's reason and the old
// file stays whole.
TEST_F(ParGenEditor, AFullDiskKeepsTheOldFile)
{
    TParGenValues old;
    old[pgS7_IP4] = QStringLiteral("9");
    TXmlDocument doc;
    ASSERT_TRUE(SaveParGenFile(doc, ParGen_File, old).Ok);
    const QByteArray before = TestProject::Read(ParGen_File);
    ScopedService<std::shared_ptr<IFileWriter>> full(&PlatformServices::FileWriter,
                                                     std::make_shared<TFullDiskWriter>(0, TFullDiskWriter::AtSync));
    EXPECT_NE(ShowEditOk([&] { Edit(pgS7_IP4)->SetText("7"); }, QStringLiteral("No space left on device")), mrOk);
    EXPECT_TRUE(StillOpen);
    EXPECT_EQ(TestProject::Read(ParGen_File), before);
}

TEST_F(ParGenEditor, CancelWritesNothingAndTheNextShowReloads)
{
    EXPECT_EQ(Show([&](DialogResponder&) {
                  Edit(pgS7_IP1)->SetText("99");
                  Form->Btn_Cancel->Click();
              }),
              mrCancel);
    EXPECT_FALSE(FileExists(ParGen_File));

    TParGenValues saved;
    saved[pgS7_IP1] = QStringLiteral("10");
    TXmlDocument doc;
    ASSERT_TRUE(SaveParGenFile(doc, ParGen_File, saved).Ok);
    const QByteArray before = TestProject::Read(ParGen_File);
    Show([&](DialogResponder&) {
        Edit(pgS7_IP1)->SetText("99");
        Form->Btn_Cancel->Click();
    });
    EXPECT_EQ(TestProject::Read(ParGen_File), before);
    QString shown;
    Show([&](DialogResponder&) { shown = Edit(pgS7_IP1)->Text(); });
    EXPECT_EQ(shown, "10");
}

TEST_F(ParGenEditor, EscapeCancelsAndEnterConfirmsFromAnEdit)
{
    // The key typed at the edit that has the focus.
    auto key = [this](int qtKey, const QString& text = QString()) {
        QWidget* w = Form->FocusedControl()->Widget();
        QKeyEvent down(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
        QApplication::sendEvent(w, &down);
        QKeyEvent up(QEvent::KeyRelease, qtKey, Qt::NoModifier, text);
        QApplication::sendEvent(w, &up);
    };
    EXPECT_EQ(Show([&](DialogResponder&) {
                  Edit(pgS7_IP1)->SetFocus();
                  Edit(pgS7_IP1)->SetText("99");
                  key(Qt::Key_Escape);
              }),
              mrCancel);
    EXPECT_FALSE(StillOpen);
    EXPECT_FALSE(FileExists(ParGen_File));

    EXPECT_EQ(Show([&](DialogResponder&) {
                  Edit(pgS7_IP1)->SetFocus();
                  Edit(pgS7_IP1)->SetText("99");
                  key(Qt::Key_Return, QStringLiteral("\r"));
              }),
              mrOk);
    EXPECT_FALSE(StillOpen);
    QString shown;
    Show([&](DialogResponder&) { shown = Edit(pgS7_IP1)->Text(); });
    EXPECT_EQ(shown, "99");
}

TEST_F(ParGenEditor, APeriodInAnOctetEditMovesAlongItsChain)
{
    struct Case {
        int from;
        QString key;
        int to;             // where the focus is afterwards
        int disabled = -1;  // a field the test disables first
    };
    const std::vector<Case> cases = {
        {pgS7_IP4, ".", pgS7_SM1},
        {pgS7_IP1, ".", pgS7_IP2},
        {pgS7_SM4, ".", pgS7_GAT1},
        {pgS7_GAT4, ".", pgS7_GAT4},
        {pgPriDns4, ".", pgSecDns1},
        {pgSecDns4, ".", pgSecDns4},
        {pgS7_IP4, ".", pgS7_IP4, pgS7_SM1},
        {pgS7_IP2, "7", pgS7_IP2},
    };
    Show([&](DialogResponder&) {
        for (const Case& c : cases) {
            SCOPED_TRACE(ParGenFieldInfo(c.from).Element + (" " + c.key.toStdString()));
            for (int f = pgS7_IP1; f <= pgSecDns4; ++f)
                if (ParGenFieldInfo(f).Kind == TParGenKind::Text)
                    Edit(f)->SetEnabled(f != c.disabled);
            TEdit* e = Edit(c.from);
            e->SetText("12");
            e->SetFocus();
            Input::Key(e, c.key == "." ? Qt::Key_Period : Qt::Key_7, Qt::NoModifier, c.key);
            if (c.key == ".")
                EXPECT_EQ(e->Text(), "12");
            else
                EXPECT_TRUE(e->Text().endsWith(c.key)) << e->Text().toStdString();
            EXPECT_EQ(Form->FocusedControl(), Edit(c.to));
        }
    });
}

TEST_F(ParGenEditor, TheModelsThreePanelsAreNumberedStackedAndFitTheirControls)
{
    std::vector<TCategoryPanel*> shown;
    for (int p = 0; p < ParGenPanelCount; ++p)
        if (Form->Panel(p)->Visible())
            shown.push_back(Form->Panel(p));
    ASSERT_EQ(shown.size(), 3u);
    const TCategoryPanel* expected[] = {Form->CP_Ethernet_Connection, Form->CP_S7_Protocol, Form->CP_Serial};
    const char* captions[] = {"1. Ethernet Connection", "2. R7arir", "3. Serial"};
    const TControl* last[] = {Form->E_EthConn_Sec_DNS_IP4, Form->E_S7_Protocol_Reset_TimeOut, Form->CB_Serial_StopBits};

    auto checkLayout = [&] {
        int top = 0;
        for (int i = 0; i < 3; ++i) {
            SCOPED_TRACE(captions[i]);
            EXPECT_EQ(shown[size_t(i)], expected[i]);
            EXPECT_EQ(expected[i]->Caption(), captions[i]);
            EXPECT_EQ(expected[i]->TabOrder(), i);
            EXPECT_EQ(expected[i]->Top(), top);
            EXPECT_EQ(expected[i]->Height(), last[i]->Top() + last[i]->Height() + Form->CPG->HeaderHeight() + 12);
            top += expected[i]->Height();
        }
    };
    // The 13 R7arir controls that the cable's DHCP disables.
    std::vector<TControl*> addressRow;
    for (int f = pgS7_IP1; f <= pgS7_GAT4; ++f)
        addressRow.push_back(Form->FieldControl(f));
    addressRow.push_back(Form->CB_S7_Protocol_En_GAT);
    auto checkEnabled = [&](bool dhcp) {
        for (TControl* c : addressRow)
            EXPECT_EQ(c->Enabled(), !dhcp) << c->Name().toStdString();
        EXPECT_TRUE(Form->E_S7_Protocol_TimeOut->Enabled());
        EXPECT_TRUE(Form->E_S7_Protocol_Reset_TimeOut->Enabled());
        EXPECT_TRUE(Form->CB_S7_Protocol_Reset_TimeOut->Enabled());
        EXPECT_FALSE(Form->CB_EthConn_En_DHCP_WiFi->Enabled());
    };
    EXPECT_EQ(addressRow.size(), 13u);

    Show([&](DialogResponder&) {
        checkLayout();
        checkEnabled(false);
        Form->CB_EthConn_En_DHCP_Cable->SetChecked(true);
        checkLayout();
        checkEnabled(true);
        Form->CB_EthConn_En_DHCP_Cable->SetChecked(false);
        checkEnabled(false);
    });
}

TEST_F(ParGenEditor, ALanguageChangeRelabelsAllButThePanelCaptions)
{
    EXPECT_EQ(Form->Caption(), "General Parameters");
    EXPECT_EQ(Form->L_SW_Code->Caption(), "CF52104");
    EXPECT_EQ(Form->E_S7_Protocol_IP1->Hint(), "Insert the byte 1 of the IP Address");
    Language_Table->SetStrings(929, QStringLiteral("Ethernet-Verbindung"));
    Language_Table->SetStrings(401, QStringLiteral("Allgemeine Parameter"));
    Language_Table->SetStrings(408, QStringLiteral("Byte 1 der IP-Adresse"));
    Form->Set_Lang();
    EXPECT_EQ(Form->L_SW_Desc->Caption(), "Allgemeine Parameter");
    EXPECT_EQ(Form->E_S7_Protocol_IP1->Hint(), "Byte 1 der IP-Adresse");
    EXPECT_EQ(Form->CP_Ethernet_Connection->Caption(), "1. Ethernet Connection");
}

TEST_F(ParGenEditor, PanelEntriesHoldTheirEnglishNames)
{
    const std::map<int, QString> names = {
        {ppEthernet_Connection, "Ethernet Connection"}, {ppS7_Protocol, "R7arir"}, {ppSerial, "Serial"},
        {ppModbus_TCP_Slave, "Modbus TCP Slave"}, {ppPROFIBUS, "PROFIBUS"}, {ppIEC61850_Server, "IEC61850 Server"},
        {ppTLS_Server, "TLS (Transport Layer Security) Server"}, {ppNTP, "NTP (Network Time Protocol)"},
        {ppModbus_Slave, "Modbus Slave"}, {ppCAN, "CAN"}, {ppCANopen, "CANopen"},
        {ppDeviceNet_Slave, "DeviceNet Slave"}, {ppSNMP_Agent, "SNMP Agent"}, {ppEtherNetIP, "EtherNet/IP"},
        {ppKNX, "KNX"}, {ppMQTT, "MQTT"}, {ppEthernet, "Ethernet"}, {ppTLS, "TLS (Transport Layer Security)"},
        {ppBACnet_Slave, "BACnet Slave"}, {ppOPC_UA_Server, "OPC UA Server"}, {ppPROFINET, "PROFINET"}};
    for (const auto& [panel, text] : names) {
        EXPECT_EQ(Language_Table->Strings(ParGenPanelInfo(panel).Entry), text);
        EXPECT_EQ(Form->Panel(panel)->Name(), QLatin1String(ParGenPanelInfo(panel).Name));
    }
    // Every model starts with the two panels all of them share.
    for (int model = 52101; model <= 52116; ++model) {
        const std::vector<int> panels = ParGenModelPanels(model);
        ASSERT_GE(panels.size(), 3u) << model;
        EXPECT_EQ(panels[0], ppEthernet_Connection);
        EXPECT_EQ(panels[1], ppS7_Protocol);
    }
}

TEST_F(ParGenEditor, TheWheelScrollsTheGroupByTheSystemsLines)
{
    struct Case {
        int lines;
        std::vector<int> deltas;
        bool inside;
        int steps;     // single steps down (negative: up)
        bool handled;
    };
    const std::vector<Case> cases = {
        {3, {120}, true, -3, true},
        {3, {-120}, true, 3, true},
        {1, {-120}, true, 1, true},
        {3, {-120}, false, 0, false},
        {0, {-120}, true, 0, true},
        // Small deltas add up: three of 30 do nothing yet, the fourth makes a step.
        {2, {-30, -30, -30}, true, 0, true},
        {2, {-30}, true, 2, true},
    };
    Form->SetClientHeight(330);
    Show([&](DialogResponder&) {
        TControlScrollBar* bar = Form->CPG->VertScrollBar();
        ASSERT_GT(bar->MaxPosition(), 100);
        const int step = bar->Increment();
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.lines << " lines, " << c.deltas.size() << " deltas of "
                                            << c.deltas[0] << (c.inside ? " inside" : " outside"));
            auto profile = std::make_shared<OsProfile>();
            profile->WheelScrollLines = c.lines;
            ScopedService guard(&PlatformServices::Profile, std::shared_ptr<const OsProfile>(profile));
            bar->SetPosition(60);
            const TPoint at = c.inside ? Form->CPG->ClientToScreen(TPoint(20, 20))
                                       : Form->P_Title->ClientToScreen(TPoint(20, 20));
            bool handled = false;
            for (int d : c.deltas)
                Form->FormMouseWheel(Form, TShiftState(), d, at, handled);
            EXPECT_EQ(handled, c.handled);
            EXPECT_EQ(bar->Position(), 60 + c.steps * step);
        }
    });
}

TEST_F(ParGenEditor, AWheelOverAControlOfTheGroupReachesTheWindow)
{
    auto profile = std::make_shared<OsProfile>();
    profile->WheelScrollLines = 2;
    ScopedService guard(&PlatformServices::Profile, std::shared_ptr<const OsProfile>(profile));
    Form->SetClientHeight(330);
    Show([&](DialogResponder&) {
        TControlScrollBar* bar = Form->CPG->VertScrollBar();
        bar->SetPosition(60);
        // In view with the group scrolled by 60.
        auto wheel = [&](QPoint angle) { Input::Wheel(Form->CP_Ethernet_Connection, angle, QPoint(30, 100)); };
        wheel(QPoint(0, -120));
        EXPECT_EQ(bar->Position(), 60 + 2 * bar->Increment());
        wheel(QPoint(-120, 0));  // sideways: no vertical scrolling
        wheel(QPoint(-120, 0));
        EXPECT_EQ(bar->Position(), 60 + 2 * bar->Increment());
    });
}

TEST_F(ParGenEditor, TheClientWidthStays460)
{
    for (int w : {300, 900}) {
        Form->SetClientWidth(w);
        EXPECT_EQ(Form->ClientWidth(), 460);
    }
    EXPECT_EQ(Form->ClientHeight(), 700);
}

TEST_F(ParGenEditor, GrabsOfTheWindowForALook)
{
    auto grab = [&](const char* name) {
        const QString path = TestHarness::GrabPath(QStringLiteral("pargen-%1.png").arg(QLatin1String(name)));
        ASSERT_TRUE(TestHarness::GrabToPng(Form, path));
        const QImage img(path);
        EXPECT_EQ(img.size(), QSize(Form->ClientWidth(), Form->ClientHeight())) << name;
    };
    Show([&](DialogResponder&) {
        grab("defaults");
        Form->CB_EthConn_En_DHCP_Cable->SetChecked(true);
        grab("dhcp");
        Form->CP_S7_Protocol->Collapse();
        grab("collapsed");
        Form->CP_S7_Protocol->Expand();
        Form->SetClientHeight(380);
        TControlScrollBar* bar = Form->CPG->VertScrollBar();
        bar->SetPosition(bar->MaxPosition() / 2);
        grab("scrolled");
    });
}
