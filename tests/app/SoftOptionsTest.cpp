// The options dialog, the version check against a server on 127.0.0.1, the
// language change of every window, and the about box.
#include "AppTestKit.h"
#include "Http.h"
#include "LoopbackServer.h"
#include "Services.h"
#include "Fakes.h"
#include "UAbout.h"
#include "UBoot.h"
#include "ULanguage.h"
#include "UNew_Project.h"
#include "UOpenConf.h"
#include "USoftOptions.h"

#include <QImage>

namespace {

// A 16 x 11 flag bitmap.
void WriteFlag(const QString& relative, QColor colour)
{
    QImage img(16, 11, QImage::Format_RGB32);
    img.fill(colour);
    QDir().mkpath(QFileInfo(TestHarness::ProgramDir() + u'/' + relative).absolutePath());
    ASSERT_TRUE(img.save(TestHarness::ProgramDir() + u'/' + relative, "BMP"));
}

// Shows the options dialog from the main window and runs drive on it.
void WithOptions(const std::function<void(TFSoftOptions*)>& drive)
{
    DialogResponder r;
    r.ExpectModal(QStringLiteral("TFSoftOptions"), [&](TCustomForm* f) {
        drive(static_cast<TFSoftOptions*>(f));
        if (f->ModalResult() == mrNone) f->SetModalResult(mrCancel);
    });
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_Opz);
    EXPECT_EQ(r.Pending(), 0);
}

}  // namespace

TEST(VersionText, Conv_Version)
{
    const std::pair<const char*, int> cases[] = {
        {"VER. 1.000", 1000}, {"VER. 2.301", 2301}, {"VER. 1.2", -1},  {"1.000", 1000},
        {"VER.  1.001 ", 1001}, {"VER. 10.000", -1}, {"VER. a.bcd", -1}, {"", -1}};
    for (auto [text, value] : cases) EXPECT_EQ(Conv_Version(QLatin1String(text)), value) << text;
}

// The version query against a local server: one table of answers.
TEST_F(AppWindowsFixture, VersionCheckAnswers)
{
    Start();
    auto client = std::make_shared<TQtHttpClient>();
    client->SetTimeoutMs(300);
    ScopedService<std::shared_ptr<IHttpClient>> http(&PlatformServices::Http, client);
    struct Case {
        const char* Name;
        QByteArray Reply;
        bool Newer;
    };
    const Case cases[] = {
        {"same", HttpReply("HTTP/1.0 200 OK", "VER. 1.000"), false},
        {"small letters", HttpReply("HTTP/1.0 200 OK", "ver. 1.001"), true},
        {"newer", HttpReply("HTTP/1.0 200 OK", "VER. 2.301\r\n"), true},
        {"short", HttpReply("HTTP/1.0 200 OK", "VER. 1.2"), false},
        {"unknown", HttpReply("HTTP/1.0 200 OK", "VER. 0.000"), false},
        {"empty", HttpReply("HTTP/1.0 200 OK", ""), false},
        {"html", HttpReply("HTTP/1.0 200 OK", "<html><body>Server Error</body></html>"), false},
        {"404", HttpReply("HTTP/1.0 404 Not Found", "VER. 9.999"), false},
        {"redirect", HttpReply("HTTP/1.0 302 Found", "", "Location: /home/x\r\n"), false},
        {"silent", QByteArray(), false},
        {"too large", HttpReply("HTTP/1.0 200 OK", "VER. 9.999" + QByteArray(100 * 1024, ' ')), false},
    };
    for (const Case& c : cases) {
        LoopbackServer server(c.Reply);
        MainWindowTuning().VersionQueryBase = QStringLiteral("http://127.0.0.1:%1").arg(server.Port());
        EXPECT_EQ(FSoftOptions->Check_Version(), c.Newer) << c.Name;
        ASSERT_EQ(server.Requests(), 1) << c.Name;
        const QByteArray head = server.Head(0);
        EXPECT_TRUE(head.startsWith("GET /home/download/GetversionSW.asp?nomesw=CF52104 HTTP/1.")) << head.constData();
        EXPECT_TRUE(head.contains("\r\nAccept: text/html,application/xhtml+xml,application/xml;q=0.9,*/*;q=0.8\r\n"));
        EXPECT_TRUE(head.contains("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"));
    }
    // Nobody listening.
    int port = 0;
    {
        LoopbackServer gone{QByteArray("x")};
        port = gone.Port();
    }
    MainWindowTuning().VersionQueryBase = QStringLiteral("http://127.0.0.1:%1").arg(port);
    EXPECT_FALSE(FSoftOptions->Check_Version());
}

TEST_F(AppWindowsFixture, CheckButtonShowsTheLinkOrNoUpdate)
{
    auto fake = std::make_shared<TFakeHttpClient>();
    ScopedService<std::shared_ptr<IHttpClient>> http(&PlatformServices::Http, fake);
    auto opener = std::make_shared<TRecordingUrlOpener>();
    ScopedService<std::shared_ptr<IUrlOpener>> open(&PlatformServices::Opener, opener);
    WriteSettings(QString(), true, true);
    Start();
    // A translation that looks like markup is still shown as its text.
    const QString noUpdate = QStringLiteral("Kein <a href=\"x\">Update</a> & <b>nichts</b> &amp; mehr");
    Language_Table->SetStrings(315, noUpdate);
    WithOptions([&](TFSoftOptions* o) {
        EXPECT_FALSE(o->LL_Check_Update->Visible());
        EXPECT_TRUE(o->Btn_Check_Update->Enabled());
        o->Btn_Check_Update->Click();  // the fake answers with a failure
        EXPECT_TRUE(o->LL_Check_Update->Visible());
        EXPECT_EQ(o->LL_Check_Update->DisplayText(), noUpdate);
        EXPECT_TRUE(o->LL_Check_Update->Links().empty());
        o->PC_Options->SetActivePage(o->TS_Con_Options);
        EXPECT_TRUE(TestHarness::GrabToPng(o, TestHarness::GrabPath(QStringLiteral("options-no-update.png"))));
        fake->Answer = THttpResult{true, 200, QStringLiteral("VER. 1.001"), QString()};
        o->Btn_Check_Update->Click();
        EXPECT_EQ(o->LL_Check_Update->Caption(), Download_Link_Caption(314));
        ASSERT_EQ(o->LL_Check_Update->Links().size(), 1u);
        o->LL_Check_UpdateLinkClick(o->LL_Check_Update->Links()[0].Href);
    });
    EXPECT_EQ(opener->Urls, QStringList{Maker_Download_Page()});
}

TEST_F(AppWindowsFixture, LanguagePagesAndFlags)
{
    for (const char* name : {"Deutsch", "Espanol", "Francais", "Italiano", "Nederlands", "Polski", "Svenska"})
        WriteFile(QStringLiteral("LANGUAGE/") + QLatin1String(name) + QStringLiteral(".lng"), "STR0 = x\n");
    WriteFlag(QStringLiteral("LANGUAGE/deutsch.BMP"), Qt::yellow);
    Start();
    WithOptions([](TFSoftOptions* o) {
        EXPECT_EQ(o->PC_Options->ActivePage(), o->TS_Language);
        EXPECT_EQ(o->L_Page_Lang->Caption(), LangText(305) + u'1' + LangText(306) + u'2');
        EXPECT_FALSE(o->Btn_Prev->Visible());
        EXPECT_TRUE(o->Btn_Next->Visible());
        for (int k = 0; k < 6; ++k) EXPECT_TRUE(o->L_L[k]->Visible()) << k;
        EXPECT_EQ(o->L_L[0]->Caption(), QStringLiteral("Deutsch"));
        EXPECT_TRUE(o->I_L[0]->Visible());   // its own flag, found without case
        EXPECT_FALSE(o->I_L[1]->Visible());  // no flag, no default flag
        EXPECT_TRUE(o->L_L[1]->Visible());

        o->Btn_Next->Click();
        EXPECT_EQ(o->Show_Page, 2);
        EXPECT_EQ(o->L_Page_Lang->Caption(), LangText(305) + u'2' + LangText(306) + u'2');
        EXPECT_TRUE(o->Btn_Prev->Visible());
        EXPECT_FALSE(o->Btn_Next->Visible());
        EXPECT_TRUE(o->L_L[0]->Visible());
        EXPECT_EQ(o->L_L[0]->Caption(), QStringLiteral("Svenska"));
        for (int k = 1; k < 6; ++k) EXPECT_FALSE(o->L_L[k]->Visible()) << k;
        o->Btn_Next->Click();  // no third page
        EXPECT_EQ(o->Show_Page, 2);
        o->Btn_Prev->Click();
        EXPECT_EQ(o->Show_Page, 1);
    });

    // The default flag stands in for a language without its own.
    WriteFlag(QStringLiteral("LANGUAGE/DefaultFlag.bmp"), Qt::white);
    WithOptions([](TFSoftOptions* o) {
        EXPECT_TRUE(o->I_L[1]->Visible());
        EXPECT_EQ(o->I_L[1]->Picture()->Width(), 16);
    });
}

TEST_F(AppWindowsFixture, NoLanguageFiles)
{
    Start();
    WithOptions([](TFSoftOptions* o) {
        EXPECT_EQ(o->L_Page_Lang->Caption(), LangText(305) + u'1' + LangText(306) + u'0');
        for (int k = 0; k < 6; ++k) EXPECT_FALSE(o->L_L[k]->Visible()) << k;
        o->Btn_Next->Click();
        EXPECT_EQ(o->Show_Page, 1);
    });
}

// A language file overriding the captions of every window.
TEST_F(AppWindowsFixture, LanguageChangeRelabelsEveryWindow)
{
    const int entries[] = {15, 22, 100, 200, 300, 400, 1000, 1002, 1200, 1400, 1500, 1600, 1700, 1800,
                           1900, 2000, 2100, 2200, 2300, 2400, 2500, 2600, 2700, 2800};
    QByteArray lng = "/#/ test language\n";
    for (int n : entries) lng += "STR" + QByteArray::number(n) + " = It " + QByteArray::number(n) + "\n";
    WriteFile(QStringLiteral("LANGUAGE/Italiano.LNG"), lng);
    WriteFile(QStringLiteral("LANGUAGE/.lng"), "STR15 = none\n");  // no name: not offered
    Start();
    const QString aboutBefore = FAbout->Label6->Caption();

    // No: nothing changes.
    WithOptions([](TFSoftOptions* o) {
        ASSERT_EQ(o->SL_Languages->Count(), 1);
        EXPECT_EQ(o->L_L[0]->Caption(), QStringLiteral("Italiano"));
        DialogResponder r;
        r.ExpectMessage(QStringLiteral("English"), mrNo, mtConfirmation);
        o->L_L[0]->Click();
        EXPECT_EQ(o->Language_In_Use, QStringLiteral("English"));
    });
    EXPECT_EQ(FCalyptoreFirmWare->Btn_New->Caption(), QStringLiteral("New Configuration"));

    // Yes, then Cancel: the windows speak the new language, the choice is not kept.
    WithOptions([](TFSoftOptions* o) {
        DialogResponder r;
        r.ExpectMessage(QStringLiteral("Italiano"), mrYes, mtConfirmation);
        o->L_L[0]->Click();
        EXPECT_EQ(r.Pending(), 0);
        EXPECT_EQ(o->L_Sel_Lang->Caption(), LangText(304) + QStringLiteral("Italiano"));
        o->Btn_Cancel->Click();
    });
    EXPECT_EQ(Language_Name, QStringLiteral("English"));
    EXPECT_FALSE(FileExists(SettingsFileName()));

    TFCalyptoreFirmWare* m = FCalyptoreFirmWare;
    EXPECT_EQ(m->Btn_New->Caption(), QStringLiteral("It 15"));
    EXPECT_EQ(m->Btn_New->Hint(), QStringLiteral("It 22"));
    EXPECT_EQ(FNew_Project->Caption(), QStringLiteral("It 100"));
    EXPECT_EQ(FOpenConf->Caption(), QStringLiteral("It 200"));
    EXPECT_EQ(FSoftOptions->Caption(), QStringLiteral("It 300"));
    const std::pair<TForm*, int> windows[] = {
        {FParGen, 400}, {FS7_Protocol_Set_Access, 1200}, {FKNXAccess, 1400}, {FIEC61850_Variables, 1500},
        {FTLS_Server_Known_Cert, 1600}, {FReceiveCAN, 1700}, {FTransmitCAN, 1800}, {FSet_PDO_Access, 1900},
        {FSet_SDO_Client_Access, 2000}, {FSet_SDO_Server_Access, 2100}, {FSNMP_Trap_Access, 2200},
        {FMQTT_Set_Topic, 2300}, {FTopicTemplate, 2400}, {FBACnetSlaveSetAccess, 2500},
        {FBACnet_Eng_Unit, 2600}, {FOPC_UA_Server_Access, 2700}, {FProfinetFileName, 2800}};
    for (auto [w, entry] : windows) EXPECT_EQ(w->Caption(), QStringLiteral("It %1").arg(entry)) << entry;
    EXPECT_EQ(FBoot->Caption(), QStringLiteral("It 1000"));  // Form_Type 0
    FBoot->Form_Type = 1;
    m->Change_Language();
    EXPECT_EQ(FBoot->Caption(), QStringLiteral("It 1002"));
    EXPECT_EQ(FAbout->Label6->Caption(), aboutBefore);
    EXPECT_EQ(FAbout->Caption(), QStringLiteral("About..."));

    // Yes and OK: kept in the settings.
    WithOptions([](TFSoftOptions* o) {
        EXPECT_EQ(o->Language_In_Use, QStringLiteral("English"));
        DialogResponder r;
        r.ExpectMessage(QStringLiteral("Italiano"), mrYes, mtConfirmation);
        o->L_L[0]->Click();
        o->Btn_OK->Click();
    });
    EXPECT_EQ(Language_Name, QStringLiteral("Italiano"));
    EXPECT_TRUE(ReadFileBytes(SettingsFileName()).contains("Italiano"));
}

TEST_F(AppWindowsFixture, InternetBoxesFollowEachOther)
{
    WriteSettings(QString(), true, true);
    Start();
    WithOptions([](TFSoftOptions* o) {
        EXPECT_TRUE(o->CB_En_Con->Checked());
        EXPECT_TRUE(o->CB_Update->Enabled());
        o->CB_En_Con->SetChecked(false);
        EXPECT_FALSE(o->CB_Update->Enabled());
        EXPECT_FALSE(o->Btn_Check_Update->Enabled());
        EXPECT_TRUE(o->CB_Update->Checked());  // keeps its tick
        o->CB_Soft_Set_Jump_Table->SetChecked(true);
        o->Btn_OK->Click();
    });
    EXPECT_FALSE(Opt_Enable_Internet);
    EXPECT_TRUE(Opt_Enable_Update);
    EXPECT_TRUE(Opt_Jump_Field_Tables);
    EXPECT_FALSE(FCalyptoreFirmWare->Timer_Update->Enabled());
    ResetSharedState();
    SetProgramFolders();
    ReadSettingsFile();
    EXPECT_FALSE(Opt_Enable_Internet);
    EXPECT_TRUE(Opt_Enable_Update);
}

TEST_F(AppWindowsFixture, AboutBox)
{
    auto opener = std::make_shared<TRecordingUrlOpener>();
    ScopedService<std::shared_ptr<IUrlOpener>> open(&PlatformServices::Opener, opener);
    Start();
    DialogResponder r;
    r.ExpectModal(QStringLiteral("TFAbout"), [](TCustomForm* f) {
        auto* a = static_cast<TFAbout*>(f);
        EXPECT_EQ(a->Label2->Caption(), QStringLiteral("R7arir / Serial - Converter"));
        EXPECT_EQ(a->Label9->Caption(), QStringLiteral("CF52104"));
        EXPECT_EQ(a->Label10->Caption(), QStringLiteral("1.000"));
        EXPECT_EQ(a->Label12->Caption(), QStringLiteral("MN52104"));
        EXPECT_EQ(a->ClientWidth(), 425);
        EXPECT_EQ(a->ClientHeight(), 148);
        a->Label4->Click();
        a->Image2->Click();
        a->LbButton1->Click();
        EXPECT_EQ(a->ModalResult(), mrOk);
    });
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_Info);
    EXPECT_EQ(r.Pending(), 0);
    const QString home = QStringLiteral("http://www.kestro.example/HOME/default.asp?frompg=CF52104");
    EXPECT_EQ(opener->Urls, QStringList({home, home}));
}
