// The main window and the window set: start-up, the step buttons, the
// remembered project, closing, the update timer, the device update and the
// program start.
#include "AppTestKit.h"
#include "Clock.h"
#include "Fakes.h"
#include "Services.h"
#include "UAbout.h"
#include "UBoot.h"
#include "UNew_Project.h"
#include "UOpenConf.h"
#include "UParGen.h"
#include "US7_Protocol_Set_Access.h"
#include "USoftOptions.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

namespace {

const char* const CreationOrder[] = {
    "TFCalyptoreFirmWare", "TFAbout", "TFNew_Project", "TFOpenConf", "TFSoftOptions", "TFParGen",
    "TFBoot", "TFS7_Protocol_Set_Access", "TFKNXAccess", "TFIEC61850_Variables",
    "TFTLS_Server_Known_Cert", "TFReceiveCAN", "TFTransmitCAN", "TFSet_PDO_Access",
    "TFSet_SDO_Client_Access", "TFSet_SDO_Server_Access", "TFSNMP_Trap_Access", "TFMQTT_Set_Topic",
    "TFTopicTemplate", "TFBACnet_Eng_Unit", "TFBACnetSlaveSetAccess", "TFOPC_UA_Server_Access",
    "TFProfinetFileName"};

// The caption entry each window shows from its creation (-1: none; the
// about box has fixed texts, the update dialog reads its texts when shown).
const int CaptionEntry[] = {-1, -1, 100, 200, 300, 400, -1, 1200, 1400, 1500, 1600, 1700,
                            1800, 1900, 2000, 2100, 2200, 2300, 2400, 2600, 2500, 2700, 2800};

// The forms of the application in creation order.
std::vector<TCustomForm*> AppForms()
{
    std::vector<TCustomForm*> forms;
    for (int i = 0; i < Application->ComponentCount(); ++i)
        if (auto* f = dynamic_cast<TCustomForm*>(Application->Components(i))) forms.push_back(f);
    return forms;
}

// Runs the event loop until done() or the wall-clock limit.
bool RunUntil(const std::function<bool()>& done, int limitMs = 5000)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < limitMs) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

}  // namespace

TEST_F(AppWindowsFixture, FirstStartInAnEmptyFolder)
{
    Start();
    for (const char* sub : {"MASTER", "PROJECTS", "LANGUAGE"})
        EXPECT_TRUE(DirectoryExists(Dir() + u'/' + QLatin1String(sub))) << sub;
    TFCalyptoreFirmWare* m = FCalyptoreFirmWare;
    EXPECT_EQ(m->L_Name_Conf->Caption(), LangText(9));
    EXPECT_EQ(m->L_Name_Conf_L2->Caption(), LangText(10));
    EXPECT_EQ(LangText(18), QStringLiteral("Error! Project not Valid"));
    EXPECT_EQ(Language_Name, QStringLiteral("English"));
    EXPECT_FALSE(m->Timer_Update->Enabled());
    EXPECT_TRUE(Project_Path.isEmpty());
    EXPECT_TRUE(S7_Protocol_File.isEmpty());
    EXPECT_EQ(m->Caption(), QStringLiteral("Kestro - Configurator CF52104 - R7arir / Serial "));
    EXPECT_EQ(m->L_SW_Code->Caption(), QStringLiteral("CF52104"));
    EXPECT_EQ(m->L_SW_Desc->Caption(), QStringLiteral("R7arir / Serial - Converter"));
    EXPECT_EQ(m->ClientWidth(), 694);
    EXPECT_EQ(m->ClientHeight(), 396);
    for (int i = 0; i < 8; ++i) EXPECT_EQ(m->L_Step[i]->Visible(), i < 4) << i;
    EXPECT_FALSE(m->Btn_KNX_Access->Visible());
    EXPECT_EQ(m->Btn_BACnet_SetAccess->Caption(), QStringLiteral("Set BACnet Access"));

    EXPECT_EQ(Application->MainForm(), m);
    const std::vector<TCustomForm*> forms = AppForms();
    ASSERT_EQ(forms.size(), std::size(CreationOrder));
    for (size_t i = 0; i < forms.size(); ++i) {
        EXPECT_EQ(forms[i]->ClassName(), QLatin1String(CreationOrder[i])) << i;
        // Only the main window stands on its own; every other belongs to it.
        EXPECT_EQ(forms[i]->OwnerWindow(), i == 0 ? nullptr : m) << CreationOrder[i];
        EXPECT_TRUE(forms[i]->Widget()->isWindow()) << CreationOrder[i];
        if (CaptionEntry[i] >= 0) {
            EXPECT_FALSE(LangText(CaptionEntry[i]).trimmed().isEmpty()) << i;
            EXPECT_EQ(forms[i]->Caption(), LangText(CaptionEntry[i])) << CreationOrder[i];
        }
    }
    EXPECT_EQ(FAbout->Caption(), QStringLiteral("About..."));
}

// Every button with and without an open project: what it opens.
TEST_F(AppWindowsFixture, EveryButtonWithAndWithoutProject)
{
    MakeProject(QStringLiteral("P1"));
    WriteSettings(QStringLiteral("P1"));
    Start();
    TFCalyptoreFirmWare* m = FCalyptoreFirmWare;
    struct Case {
        TLbButton* Button;
        const char* Opens;  // the modal window's class; "" when none
    };
    const Case always[] = {{m->Btn_New, "TFNew_Project"},
                           {m->Btn_Open, "TFOpenConf"},
                           {m->Btn_Info, "TFAbout"},
                           {m->Btn_Opz, "TFSoftOptions"}};
    const Case withProject[] = {{m->Btn_Prm_Gen, "TFParGen"},
                                {m->Btn_S7_Protocol_Access, "TFS7_Protocol_Set_Access"},
                                {m->Btn_CreateBin, "TFBoot"},
                                {m->Btn_KNX_Access, "TFKNXAccess"},
                                {m->Btn_IEC61850_Access, "TFIEC61850_Variables"},
                                {m->Btn_TLS_List_Certificates, "TFTLS_Server_Known_Cert"},
                                {m->Btn_CAN_Rec_Frame, "TFReceiveCAN"},
                                {m->Btn_CAN_Send_Frame, "TFTransmitCAN"},
                                {m->Btn_SDO_Server_CANopen, "TFSet_SDO_Server_Access"},
                                {m->Btn_SDO_Client_CANopen, "TFSet_SDO_Client_Access"},
                                {m->Btn_PDO_CANopen, "TFSet_PDO_Access"},
                                {m->Btn_SNMP_Trap, "TFSNMP_Trap_Access"},
                                {m->Btn_MQTT_Set_Topic, "TFMQTT_Set_Topic"},
                                {m->Btn_BACnet_SetAccess, "TFBACnetSlaveSetAccess"},
                                {m->Btn_OPC_UA_Server_Access, "TFOPC_UA_Server_Access"}};
    // The description files: the GSD file wants the general parameters
    // first, the others ask for a file (the GSDML file for its name first).
    auto save = [](DialogResponder& r) { r.ExpectSave(QString()); };
    const std::pair<TLbButton*, std::function<void(DialogResponder&)>> descriptions[] = {
        {m->Btn_PROFIBUS_GSD, [](DialogResponder& r) { r.ExpectMessage(LangText(1104), mrOk, mtError); }},
        {m->Btn_CANopen_EDS, save},
        {m->Btn_SNMP_MIB, save},
        {m->Btn_BACnet_EDE_File, save},
        {m->Btn_PROFINET_XML, [](DialogResponder& r) { r.ExpectModal(QStringLiteral("TFProfinetFileName"), CancelIt); }}};

    for (bool open : {true, false}) {
        SCOPED_TRACE(open ? "project open" : "no project");
        if (!open) {
            Project_Name.clear();
            Project_Path.clear();
        }
        for (const Case& c : always) {
            DialogResponder r;
            r.ExpectModal(QLatin1String(c.Opens), CancelIt);
            m->Btn_Click(c.Button);
            EXPECT_EQ(r.Pending(), 0) << c.Opens;
        }
        for (const Case& c : withProject) {
            DialogResponder r;
            if (!open)
                r.ExpectMessage(QStringLiteral("Error! Project not Valid"), mrOk, mtError);
            else if (*c.Opens)
                r.ExpectModal(QLatin1String(c.Opens), CancelIt);
            m->Btn_Click(c.Button);
            EXPECT_EQ(r.Pending(), 0) << c.Opens;
            EXPECT_EQ(r.Seen().size(), open && !*c.Opens ? 0 : 1) << c.Opens;
        }
        for (const auto& [button, expect] : descriptions) {
            DialogResponder r;
            if (open)
                expect(r);
            else
                r.ExpectMessage(QStringLiteral("Error! Project not Valid"), mrOk, mtError);
            m->Btn_Click(button);
            EXPECT_EQ(r.Pending(), 0);
            EXPECT_EQ(r.Seen().size(), 1);
        }
    }
    // Close last: it ends the run.
    m->Show();
    m->Btn_Click(m->Btn_Close);
    EXPECT_FALSE(m->Visible());
    EXPECT_TRUE(FileExists(SettingsFileName()));
}

TEST_F(AppWindowsFixture, RememberedProjectIsRestoredOnlyWhenItsFolderExists)
{
    WriteSettings(QStringLiteral("Gone"));
    Start();
    EXPECT_EQ(FCalyptoreFirmWare->L_Name_Conf->Caption(), LangText(9));
    EXPECT_EQ(FCalyptoreFirmWare->L_Name_Conf_L2->Caption(), LangText(10));
    EXPECT_TRUE(Project_Name.isEmpty());
    EXPECT_TRUE(Project_Path.isEmpty());
    FCalyptoreFirmWare->Close();
    EXPECT_TRUE(SavedProject().isEmpty());
    DestroyAppWindows();

    ResetSharedState();
    MakeProject(QStringLiteral("Plant A"));
    WriteSettings(QStringLiteral("Plant A"));
    Start();
    EXPECT_EQ(FCalyptoreFirmWare->L_Name_Conf->Caption(), LangText(11));
    EXPECT_EQ(FCalyptoreFirmWare->L_Name_Conf_L2->Caption(), QStringLiteral("Plant A"));
    EXPECT_EQ(Project_Path, Dir() + QStringLiteral("/PROJECTS/Plant A"));
    EXPECT_EQ(QFileInfo(S7_Protocol_File).absolutePath(), Project_Path);
}

TEST_F(AppWindowsFixture, CloseBoxAndCloseButtonWriteTheSameSettings)
{
    MakeProject(QStringLiteral("P1"));
    WriteSettings(QStringLiteral("P1"), true, false);
    Start();
    FCalyptoreFirmWare->Show();
    FCalyptoreFirmWare->Widget()->close();  // the close box
    EXPECT_FALSE(FCalyptoreFirmWare->Visible());
    const QByteArray byBox = ReadFileBytes(SettingsFileName());
    QFile::remove(SettingsFileName());
    FCalyptoreFirmWare->Show();
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_Close);
    EXPECT_FALSE(FCalyptoreFirmWare->Visible());
    EXPECT_EQ(ReadFileBytes(SettingsFileName()), byBox);
    EXPECT_TRUE(byBox.contains("P1"));
}

TEST_F(AppWindowsFixture, UnwritableSettingsFileIsReportedOnceAndClosingGoesOn)
{
    Start();
    ASSERT_TRUE(QDir().mkpath(SettingsFileName()));  // a folder where the file should be
    FCalyptoreFirmWare->Show();
    DialogResponder r;
    r.ExpectMessage(QStringLiteral("Error! The settings file ") + SettingsFileName() +
                        QStringLiteral(" cannot be written: "),
                    mrOk, mtError);
    FCalyptoreFirmWare->Close();
    EXPECT_EQ(r.Pending(), 0);
    EXPECT_EQ(r.Seen().size(), 1);
    EXPECT_FALSE(FCalyptoreFirmWare->Visible());
}

// ---------------------------------------------------------------------------
// The update timer (intervals shortened)

TEST_F(AppWindowsFixture, TimerChecksFirstAfterTheShortWaitThenEveryLongOne)
{
    MainWindowTuning().FirstCheckMs = 30;
    MainWindowTuning().RepeatCheckMs = 3600000;
    auto http = std::make_shared<TFakeHttpClient>();
    http->Answer.Ok = true;
    http->Answer.Status = 200;
    http->Answer.Body = QStringLiteral("VER. 1.001");
    ScopedService<std::shared_ptr<IHttpClient>> fake(&PlatformServices::Http, http);
    WriteSettings(QString(), true, true);
    Start();
    TFCalyptoreFirmWare* m = FCalyptoreFirmWare;
    EXPECT_TRUE(m->Timer_Update->Enabled());
    EXPECT_EQ(m->Timer_Update->Interval(), 30u);
    EXPECT_FALSE(m->LL_Update->Visible());

    ASSERT_TRUE(RunUntil([&] { return !http->Urls.isEmpty(); }));
    EXPECT_EQ(http->Urls.size(), 1);
    EXPECT_EQ(http->Urls[0],
              QStringLiteral("http://www.kestro.example/home/download/GetversionSW.asp?nomesw=CF52104"));
    EXPECT_TRUE(m->Timer_Update->Enabled());
    EXPECT_EQ(m->Timer_Update->Interval(), 3600000u);
    EXPECT_TRUE(m->LL_Update->Visible());
    EXPECT_EQ(m->LL_Update->Caption(),
              QStringLiteral("<a href=\"http://www.kestro.example/Home/download/download.asp#GW52104\">") +
                  LangText(19).toHtmlEscaped() + QStringLiteral("</a>"));

    // The same version: the link goes away at the next check.
    http->Answer.Body = QStringLiteral("VER. 1.000");
    m->Timer_UpdateTimer();
    EXPECT_FALSE(m->LL_Update->Visible());

    // The options dialog turning the internet off and on keeps the long interval.
    for (bool on : {false, true}) {
        DialogResponder r;
        r.ExpectModal(QStringLiteral("TFSoftOptions"), [on](TCustomForm* f) {
            auto* o = static_cast<TFSoftOptions*>(f);
            o->CB_En_Con->SetChecked(on);
            o->Btn_OK->Click();
        });
        m->Btn_Click(m->Btn_Opz);
        EXPECT_EQ(m->Timer_Update->Enabled(), on);
        EXPECT_EQ(m->Timer_Update->Interval(), 3600000u);
    }
}

namespace {

// An HTTP client during whose wait the update timer fires once more, as it
// can while the options dialog's check waits for its answer.
class ReenteringHttpClient : public IHttpClient {
public:
    THttpResult Get(const QString&, const THttpHeaders&) override
    {
        ++Calls;
        if (Calls == 1) FCalyptoreFirmWare->Timer_UpdateTimer();
        return THttpResult{true, 200, QStringLiteral("VER. 1.001"), QString()};
    }
    int Calls = 0;
};

}  // namespace

TEST_F(AppWindowsFixture, TimerTickDuringARunningCheckOnlyRearms)
{
    auto http = std::make_shared<ReenteringHttpClient>();
    ScopedService<std::shared_ptr<IHttpClient>> fake(&PlatformServices::Http, http);
    Start();
    TFCalyptoreFirmWare* m = FCalyptoreFirmWare;
    m->Timer_UpdateTimer();
    EXPECT_EQ(http->Calls, 1);  // the nested tick asked nothing
    EXPECT_TRUE(m->LL_Update->Visible());
    EXPECT_TRUE(m->Timer_Update->Enabled());
    EXPECT_EQ(m->Timer_Update->Interval(), 7200000u);
}

TEST_F(AppWindowsFixture, TimerStaysOffUnlessBothInternetOptionsAreOn)
{
    for (auto [internet, update] : {std::pair{true, false}, std::pair{false, true}, std::pair{false, false}}) {
        WriteSettings(QString(), internet, update);
        Start();
        EXPECT_FALSE(FCalyptoreFirmWare->Timer_Update->Enabled()) << internet << update;
        DestroyAppWindows();
        ResetSharedState();
    }
}

TEST_F(AppWindowsFixture, KestroLabelOpensTheHomePage)
{
    auto opener = std::make_shared<TRecordingUrlOpener>();
    ScopedService<std::shared_ptr<IUrlOpener>> fake(&PlatformServices::Opener, opener);
    Start();
    FCalyptoreFirmWare->L_Kestro->Click();
    FCalyptoreFirmWare->LL_UpdateLinkClick(Maker_Download_Page());
    EXPECT_EQ(opener->Urls, QStringList({QStringLiteral("http://www.kestro.example/HOME/default.asp?frompg=CF52104"),
                                         QStringLiteral("http://www.kestro.example/Home/download/download.asp#GW52104")}));
}

// ---------------------------------------------------------------------------
// Device update

TEST_F(AppWindowsFixture, UpdateDeviceStopsAtABrokenTableFile)
{
    MakeProject(QStringLiteral("P1"));
    WriteSettings(QStringLiteral("P1"));
    WriteFile(QStringLiteral("PROJECTS/P1/S7_Protocol.xml"), "<S7_Protocol><row");
    Start();
    DialogResponder r;
    r.ExpectMessage(QStringLiteral("Error! The configuration cannot be built from ") + S7_Protocol_File, mrOk,
                    mtError);
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_CreateBin);
    EXPECT_EQ(r.Pending(), 0);
    EXPECT_EQ(r.Seen().size(), 1);  // FBoot did not open
    EXPECT_FALSE(FileExists(Project_Path + QStringLiteral("/bin/bank1.bin")));
}

// A file where the bin folder should be: the message names the folder and
// gives the system's reason (this holds for root as well).
TEST_F(AppWindowsFixture, UpdateDeviceNamesTheBinFolderItCannotCreate)
{
    MakeProject(QStringLiteral("P1"));
    WriteSettings(QStringLiteral("P1"));
    QDir(Dir() + QStringLiteral("/PROJECTS/P1/bin")).removeRecursively();
    WriteFile(QStringLiteral("PROJECTS/P1/bin"), "not a folder");
    Start();
    DialogResponder r;
    r.ExpectMessage(QStringLiteral("Error! The folder ") + Project_Path +
                        QStringLiteral("/bin cannot be created: Not a directory"),
                    mrOk, mtError);
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_CreateBin);
    EXPECT_EQ(r.Pending(), 0);
    EXPECT_EQ(r.Seen().size(), 1);  // FBoot did not open
}

// A bin folder that is a link out of the project: the banks are written
// there only after a question naming the real file; No stops the update.
TEST_F(AppWindowsFixture, UpdateDeviceAsksBeforeWritingBanksOutOfTheProject)
{
    MakeProject(QStringLiteral("P1"));
    WriteSettings(QStringLiteral("P1"));
    const QString outside = Dir() + QStringLiteral("/elsewhere");
    ASSERT_TRUE(QDir().mkpath(outside));
    QDir(Dir() + QStringLiteral("/PROJECTS/P1/bin")).removeRecursively();
    ASSERT_TRUE(QFile::link(outside, Dir() + QStringLiteral("/PROJECTS/P1/bin")));
    Start();
    const QString real = QFileInfo(outside).canonicalFilePath() + QStringLiteral("/bank1.bin");
    {
        DialogResponder r;
        r.ExpectMessage(OutsideProjectQuestion(Project_Path + QStringLiteral("/bin/bank1.bin"), real), mrNo,
                        mtConfirmation);
        FCalyptoreFirmWare->Update_Device();
        EXPECT_EQ(r.Pending(), 0);
        EXPECT_EQ(r.Seen().size(), 1);  // FBoot did not open
        EXPECT_FALSE(FileExists(real));
    }
    DialogResponder r;
    r.ExpectMessage(QStringLiteral("Saving replaces ") + real, mrYes, mtConfirmation)
        .ExpectMessage(QStringLiteral("/bank2.bin. Save anyway?"), mrYes, mtConfirmation)
        .ExpectModal(QStringLiteral("TFBoot"), [](TCustomForm* f) { f->SetModalResult(mrCancel); });
    FCalyptoreFirmWare->Update_Device();
    EXPECT_EQ(r.Pending(), 0);
    EXPECT_EQ(QFileInfo(real).size(), 2048);
}

TEST_F(AppWindowsFixture, UpdateDeviceWritesTheBanksThenShowsTheEthernetUpdate)
{
    MakeProject(QStringLiteral("P1"));
    WriteSettings(QStringLiteral("P1"));
    Start();
    DialogResponder r;
    QString caption;
    r.ExpectModal(QStringLiteral("TFBoot"), [&](TCustomForm* f) {
        caption = f->Caption();
        f->SetModalResult(mrCancel);
    });
    FCalyptoreFirmWare->Update_Device();
    EXPECT_EQ(r.Pending(), 0);
    EXPECT_EQ(FBoot->Form_Type, 1);
    EXPECT_EQ(caption, LangText(1002));
    EXPECT_EQ(QFileInfo(Project_Path + QStringLiteral("/bin/bank1.bin")).size(), 2048);
    EXPECT_EQ(QFileInfo(Project_Path + QStringLiteral("/bin/bank2.bin")).size(), 28672);
}

// ---------------------------------------------------------------------------
// Starting a program

namespace {

// A child that ends after a number of polls (never, when negative); the
// wait runs on the installed clock as the real launcher's does.
class ScriptedLauncher : public IProcessLauncher {
public:
    TProcessStart Start(const QString& path, const QString& argumentText) override
    {
        Paths << path;
        Arguments << argumentText;
        TProcessStart s;
        s.Started = StartError.isEmpty();
        s.Handle = s.Started ? 42 : 0;
        s.Error = StartError;
        return s;
    }
    bool Running(qint64) override { return true; }
    TProcessWait WaitForExit(qint64, uint32_t limitMs, uint32_t pollMs) override
    {
        ++Waits;
        Limit = limitMs;
        Poll = pollMs;
        const uint32_t start = GetTickCount();
        for (int polls = 0;; ++polls) {
            if (EndsAfterPolls >= 0 && polls >= EndsAfterPolls) return {true, 0};
            if (uint32_t(GetTickCount() - start) >= limitMs) return {false, 0};
            Sleep(pollMs);
        }
    }
    QStringList Paths, Arguments;
    QString StartError;
    int EndsAfterPolls = 0;
    int Waits = 0;
    uint32_t Limit = 0, Poll = 0;
};

}  // namespace

TEST_F(AppWindowsFixture, StartProgramWaitsInTestTime)
{
    Start();
    auto clock = std::make_shared<TestClock>();
    ScopedService<std::shared_ptr<IClock>> c(&PlatformServices::Clock, clock);
    auto launcher = std::make_shared<ScriptedLauncher>();
    ScopedService<std::shared_ptr<IProcessLauncher>> l(&PlatformServices::Launcher, launcher);

    launcher->EndsAfterPolls = 3;
    TStartResult r = FCalyptoreFirmWare->Start_Program(QStringLiteral("/opt/x/Ethernet_Update.exe"),
                                                       QStringLiteral("-a \"b c\""), true);
    EXPECT_TRUE(r.Started);
    EXPECT_EQ(clock->SleepCount(), 3);
    EXPECT_EQ(clock->SleptMs(), 30u);
    EXPECT_EQ(launcher->Poll, 10u);
    EXPECT_EQ(launcher->Paths, QStringList{QStringLiteral("/opt/x/Ethernet_Update.exe")});
    EXPECT_EQ(launcher->Arguments, QStringList{QStringLiteral("-a \"b c\"")});

    launcher->EndsAfterPolls = -1;  // never ends: left running after the limit
    r = FCalyptoreFirmWare->Start_Program(QStringLiteral("/opt/x/u"), QString(), false);
    EXPECT_TRUE(r.Started);
    EXPECT_EQ(launcher->Limit, 150000u);
    EXPECT_EQ(clock->SleptMs(), 30u + 150000u);

    launcher->StartError = QStringLiteral("Permission denied");
    const int waits = launcher->Waits;
    r = FCalyptoreFirmWare->Start_Program(QStringLiteral("/opt/x/u"), QString(), false);
    EXPECT_FALSE(r.Started);
    EXPECT_EQ(r.Reason, QStringLiteral("Permission denied"));
    EXPECT_EQ(launcher->Waits, waits);  // no wait
}

TEST_F(AppWindowsFixture, StartProgramReportsAMissingProgram)
{
    Start();
    ScopedService<std::shared_ptr<IProcessLauncher>> real(&PlatformServices::Launcher,
                                                          std::make_shared<TPosixProcessLauncher>());
    const TStartResult r =
        FCalyptoreFirmWare->Start_Program(Dir() + QStringLiteral("/Ethernet_Update.exe"), QString(), false);
    EXPECT_FALSE(r.Started);
    EXPECT_FALSE(r.Reason.isEmpty());
}
