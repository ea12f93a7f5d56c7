// The device update dialog: showing, texts, keys, the update with its
// messages, cancel and re-entry during the echo loop, the job file and the
// start of a stand-in updater in the test's program folder.
//
// No request leaves the process here: every test installs a fake echo
// client, and the device addresses below are text only.
#include "AppWindows.h"
#include "BootEcho.h"
#include "DialogResponder.h"
#include "Fakes.h"
#include "Messages.h"
#include "Services.h"
#include "TestHarness.h"
#include "AdvCGrid.h"
#include "UBoot.h"
#include "UCalyptoreFirmWare.h"
#include "UComon.h"
#include "XmlDoc.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <gtest/gtest.h>

using namespace BootEcho;

namespace {

// The real launcher on the real clock, so that a stand-in updater really
// runs, and an echo client (fake) that answers at once.
struct RealUpdaterServices {
    std::shared_ptr<TFakeIcmpClient> Echo = [] {
        auto e = std::make_shared<TFakeIcmpClient>();
        e->Script = {TPingResult{true, 1032, 0}};
        return e;
    }();
    ScopedService<std::shared_ptr<IClock>> Clock{&PlatformServices::Clock, std::make_shared<SystemClock>()};
    ScopedService<std::shared_ptr<IProcessLauncher>> Launcher{&PlatformServices::Launcher,
                                                              std::make_shared<TPosixProcessLauncher>()};
    ScopedService<std::shared_ptr<IIcmpClient>> Icmp{&PlatformServices::Icmp, Echo};
};

class BootDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSharedState();
        CreateAppWindows();
        Project_Path = Projects_Dir + QStringLiteral("/Plant");
        // Rows of a table share the test's program folder.
        QDir(JobFile()).removeRecursively();
        for (const char* name : {"Ethernet_Update.xml", "Ethernet_Update.exe", "marker.xml", "argc.txt"})
            QFile::remove(Exe_Dir + u'/' + QLatin1String(name));
        ASSERT_NE(FBoot, nullptr);
        FBoot->Form_Type = 1;
    }
    void TearDown() override
    {
        DestroyAppWindows();
        ResetSharedState();
    }

    // A scripted echo client over the test clock, installed for the test.
    TScriptedEcho& UseEcho(QList<Step> script)
    {
        FEcho = std::make_shared<TScriptedEcho>(Clock, std::move(script));
        FEchoGuard.emplace(&PlatformServices::Icmp, FEcho);
        return *FEcho;
    }

    static void SetFields(const TOctetTexts& f)
    {
        FBoot->E_IP1->SetText(f[0]);
        FBoot->E_IP2->SetText(f[1]);
        FBoot->E_IP3->SetText(f[2]);
        FBoot->E_IP4->SetText(f[3]);
    }

    // Shows the dialog modally and runs `drive` in it; `messages` adds the
    // message dialogs expected meanwhile. The dialog is cancelled afterwards
    // when drive left it open (StillOpen tells).
    TModalResult ShowAndDrive(const std::function<void()>& drive,
                              const std::function<void(DialogResponder&)>& messages = {})
    {
        DialogResponder r;
        r.ExpectModal(QStringLiteral("TFBoot"), [&](TCustomForm*) {
            drive();
            StillOpen = FBoot->ModalResult() == mrNone;
            if (StillOpen) FBoot->Btn_Cancel->Click();
        });
        if (messages) messages(r);
        const TModalResult result = FBoot->ShowModal();
        EXPECT_EQ(r.Pending(), 0);
        Seen = r.Seen();
        return result;
    }

    static QString JobFile() { return Exe_Dir + QStringLiteral("/Ethernet_Update.xml"); }
    static QString Updater() { return Exe_Dir + QStringLiteral("/Ethernet_Update.exe"); }

    // The stand-in updater: copies the job beside it to a marker file and
    // notes how many arguments it got.
    static void WriteUpdater(bool executable = true)
    {
        QFile f(Updater());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n"
                "dir=$(dirname \"$0\")\n"
                "cp \"$dir/Ethernet_Update.xml\" \"$dir/marker.xml\"\n"
                "echo $# > \"$dir/argc.txt\"\n");
        f.close();
        QFile::Permissions p = QFile::ReadOwner | QFile::WriteOwner;
        if (executable) p |= QFile::ExeOwner;
        f.setPermissions(p);
    }

    static QByteArray ReadAll(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    std::shared_ptr<TestClock> Clock = std::make_shared<TestClock>();
    ScopedService<std::shared_ptr<IClock>> ClockGuard{&PlatformServices::Clock, Clock};
    std::shared_ptr<TRecordingProcessLauncher> Launcher = std::make_shared<TRecordingProcessLauncher>();
    ScopedService<std::shared_ptr<IProcessLauncher>> LauncherGuard{&PlatformServices::Launcher, Launcher};
    bool StillOpen = false;
    QStringList Seen;

private:
    std::shared_ptr<TScriptedEcho> FEcho;
    std::optional<ScopedService<std::shared_ptr<IIcmpClient>>> FEchoGuard;
};

}  // namespace

TEST_F(BootDialog, IsTheSeventhWindow)
{
    ASSERT_GE(Screen->FormCount(), 7);
    EXPECT_EQ(Screen->Forms(6), FBoot);
    // No texts at creation: they come with each showing.
    EXPECT_TRUE(FBoot->L_SW_Code->Caption().isEmpty());
}

TEST_F(BootDialog, UpdateOutcomes)
{
    const Step A{Kind::Answer};
    const Step S{Kind::Silent};
    const TOctetTexts device{"192", "168", "2", "205"};
    struct Case {
        const char* Name;
        QList<Step> Script;
        TOctetTexts Fields;
        int Requests;
        QString Message;  // empty: none
        int Type;
    };
    const Case cases[] = {
        {"answers every request", {A}, device, 2, {}, 0},
        {"never answers", {S}, device, 13, "Device Not Found!", mtWarning},
        {"answers the first, then silent", {A, S}, device, 14, "Device Not Found!", mtWarning},
        {"error on the first request", {Step{Kind::Error}}, device, 1,
         "Error!!! Check the Ip Address", mtError},
        {"error after one silent request", {S, Step{Kind::Error}}, device, 2, "Device Not Found!",
         mtWarning},
        {"not permitted", {Step{Kind::NotPermitted}}, device, 1, BootMessages::IcmpNotPermitted(),
         mtError},
        {"letters in a field", {A}, {"192", "abc", "2", "205"}, 0, "Error!!! Check the Ip Address",
         mtError},
        {"octet above 255", {A}, {"192", "168", "2", "256"}, 0, "Error!!! Check the Ip Address",
         mtError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TearDown();
        SetUp();
        Launcher->Starts.clear();
        TScriptedEcho& echo = UseEcho(c.Script);
        Last_IP_Address = QStringLiteral("10.1.1.1");
        const TModalResult result = ShowAndDrive(
            [&] {
                SetFields(c.Fields);
                FBoot->CB_Update_Options->SetItemIndex(1);
                FBoot->Btn_Update->Click();
            },
            [&](DialogResponder& r) {
                if (!c.Message.isEmpty()) r.ExpectMessage(c.Message, mrOk, c.Type);
            });
        EXPECT_EQ(echo.Requests(), c.Requests);
        EXPECT_TRUE(StillOpen);  // the update never closes the dialog
        EXPECT_EQ(result, mrCancel);
        EXPECT_TRUE(FBoot->Btn_Update->Enabled());
        const bool ok = c.Message.isEmpty();
        EXPECT_EQ(FileExists(JobFile()), ok);
        EXPECT_EQ(Last_IP_Address, ok ? QStringLiteral("192.168.2.205") : QStringLiteral("10.1.1.1"));
        EXPECT_EQ(Update_Option, ok ? 1 : 0);
        ASSERT_EQ(Launcher->Starts.size(), ok ? 1 : 0);
        if (ok) {
            EXPECT_EQ(Launcher->Starts[0].Path, Updater());
            EXPECT_TRUE(Launcher->Starts[0].Arguments.isEmpty());
            ASSERT_EQ(Launcher->WaitLimits.size(), 1);
            EXPECT_EQ(Launcher->WaitLimits[0], 150000u);
        }
    }
}

TEST_F(BootDialog, AddressTextsKeptAsTypedButReadAsNumbers)
{
    TScriptedEcho& echo = UseEcho({Step{Kind::Answer}});
    ShowAndDrive([&] {
        SetFields({" 192", "168", "010", "5"});
        FBoot->Btn_Update->Click();
    });
    ASSERT_EQ(echo.Requests(), 2);
    EXPECT_EQ(echo.Addresses[0], (TIpv4Address{192, 168, 10, 5}));
    EXPECT_EQ(Last_IP_Address, QStringLiteral(" 192.168.010.5"));
    TXmlDocument doc;
    ASSERT_TRUE(doc.LoadFromFile(JobFile()));
    EXPECT_EQ(doc.DocumentElement().ChildElement(QStringLiteral("IP_Address_Dev")).Text(),
              QStringLiteral(" 192.168.010.5"));
}

TEST_F(BootDialog, CancelDuringTheLoopEndsItQuietly)
{
    const struct {
        const char* Name;
        std::function<void()> Cancel;
    } ways[] = {
        {"Cancel button", [] { FBoot->Btn_Cancel->Click(); }},
        {"Escape", [] { FBoot->DialogKey(VK_ESCAPE, {}); }},
        {"close box", [] { FBoot->Close(); }},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.Name);
        TearDown();
        SetUp();
        Launcher->Starts.clear();
        TScriptedEcho& echo = UseEcho({Step{Kind::Answer}});
        Last_IP_Address = QStringLiteral("10.1.1.1");
        Update_Option = 0;
        Update_Read_Back = true;
        bool cancelled = false;
        FBoot->ProcessEvents = [&] {
            if (!cancelled) {
                cancelled = true;
                w.Cancel();
            }
        };
        // No message dialog is expected: the responder fails on any.
        const TModalResult result = ShowAndDrive([&] {
            SetFields({"127", "0", "0", "1"});
            FBoot->CB_Update_Options->SetItemIndex(2);
            FBoot->CB_Update_Option_Read_Back->SetChecked(false);
            FBoot->Btn_Update->Click();
        });
        EXPECT_EQ(echo.Requests(), 1);
        EXPECT_FALSE(StillOpen);
        EXPECT_EQ(result, mrCancel);
        EXPECT_EQ(Last_IP_Address, QStringLiteral("10.1.1.1"));
        EXPECT_EQ(Update_Option, 0);
        EXPECT_TRUE(Update_Read_Back);
        EXPECT_FALSE(FileExists(JobFile()));
        EXPECT_TRUE(Launcher->Starts.isEmpty());
    }
}

TEST_F(BootDialog, SecondClickDuringTheLoopStartsNothing)
{
    TScriptedEcho& echo = UseEcho({Step{Kind::Answer}});
    int pumps = 0;
    bool disabledMeanwhile = true;
    FBoot->ProcessEvents = [&] {
        ++pumps;
        disabledMeanwhile = disabledMeanwhile && !FBoot->Btn_Update->Enabled();
        FBoot->Btn_Update->Click();
    };
    ShowAndDrive([&] {
        SetFields({"127", "0", "0", "1"});
        FBoot->Btn_Update->Click();
        EXPECT_TRUE(FBoot->Btn_Update->Enabled());
    });
    EXPECT_EQ(echo.Requests(), 2);
    EXPECT_EQ(Launcher->Starts.size(), 1);
    // Two waits in the loop, and once more before the button comes back.
    EXPECT_EQ(pumps, 3);
    EXPECT_TRUE(disabledMeanwhile);
}

TEST_F(BootDialog, StandInUpdaterGetsTheJob)
{
    RealUpdaterServices real;
    WriteUpdater();
    ShowAndDrive([&] {
        SetFields({"192", "168", "2", "205"});
        FBoot->CB_Update_Options->SetItemIndex(2);
        FBoot->CB_Update_Option_Read_Back->SetChecked(false);
        FBoot->Btn_Update->Click();
    });
    EXPECT_TRUE(StillOpen);
    EXPECT_EQ(real.Echo->Addresses.size(), 2);
    const QByteArray job = ReadAll(JobFile());
    ASSERT_FALSE(job.isEmpty());
    EXPECT_EQ(ReadAll(Exe_Dir + QStringLiteral("/marker.xml")), job);  // written before the start
    EXPECT_EQ(ReadAll(Exe_Dir + QStringLiteral("/argc.txt")).trimmed(), QByteArray("0"));
    EXPECT_EQ(Last_IP_Address, QStringLiteral("192.168.2.205"));
    EXPECT_EQ(Update_Option, 2);
    EXPECT_FALSE(Update_Read_Back);
}

TEST_F(BootDialog, UpdateDeviceStepEndToEnd)
{
    // The main window's step: banks written, the dialog shown, the device
    // answering (fake), the job handed to the stand-in updater.
    RealUpdaterServices real;
    ASSERT_TRUE(ForceDirectories(Project_Path + QStringLiteral("/bin")));
    WriteUpdater();
    FBoot->Form_Type = 0;
    DialogResponder r;
    r.ExpectModal(QStringLiteral("TFBoot"), [&](TCustomForm*) {
        EXPECT_EQ(FBoot->Form_Type, 1);
        SetFields({"192", "168", "2", "205"});
        FBoot->Btn_Update->Click();
        FBoot->Btn_Cancel->Click();
    });
    FCalyptoreFirmWare->Update_Device();
    EXPECT_EQ(r.Pending(), 0);
    TXmlDocument job;
    ASSERT_TRUE(job.LoadFromFile(Exe_Dir + QStringLiteral("/marker.xml")));
    const TXmlNode ops = job.DocumentElement().ChildElement(QStringLiteral("Operations"));
    ASSERT_EQ(ops.ChildElementCount(), 3);
    EXPECT_EQ(ops.ChildElementAt(0).ChildElement(QStringLiteral("Ope_FileName")).Text(),
              Master_Dir + QStringLiteral("/Sim52104.sim"));
    for (int i : {1, 2}) {
        const QString bank = ops.ChildElementAt(i).ChildElement(QStringLiteral("Ope_FileName")).Text();
        EXPECT_TRUE(bank.startsWith(Project_Path + QStringLiteral("/bin/bank")));
        EXPECT_TRUE(FileExists(bank)) << bank.toStdString();
    }
}

TEST_F(BootDialog, UpdaterOrJobFileFailuresAreReportedOnce)
{
    const struct {
        const char* Name;
        std::function<void()> Prepare;
        QString Message;
    } cases[] = {
        {"updater missing", [] {}, "cannot be started"},
        {"updater not executable", [] { WriteUpdater(false); }, "cannot be started"},
        {"job file path is a folder",
         [] {
             WriteUpdater();
             QDir().mkpath(JobFile());
         },
         "cannot be written"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TearDown();
        SetUp();
        RealUpdaterServices real;
        c.Prepare();
        QString shown;
        ShowAndDrive(
            [&] {
                SetFields({"192", "168", "2", "205"});
                FBoot->Btn_Update->Click();
            },
            [&](DialogResponder& r) { r.ExpectMessage(c.Message, mrOk, mtError); });
        ASSERT_EQ(Seen.size(), 2);  // the dialog and one message
        EXPECT_TRUE(Seen[1].startsWith(QStringLiteral("Error! The ")));
        EXPECT_TRUE(Seen[1].contains(c.Message == "cannot be written" ? JobFile() : Updater()));
        EXPECT_TRUE(Seen[1].endsWith(QStringLiteral(". The update was not performed.")));
        EXPECT_FALSE(FileExists(Exe_Dir + QStringLiteral("/marker.xml")));
        // The check passed, so the choices are remembered either way.
        EXPECT_EQ(Last_IP_Address, QStringLiteral("192.168.2.205"));
    }
}

TEST_F(BootDialog, ShowingEthernet)
{
    TScriptedEcho& echo = UseEcho({Step{Kind::Answer}});
    Software_Code = QStringLiteral("CF52104");
    const struct {
        QString Remembered;
        TOctetTexts Shown;
    } rows[] = {
        {"10.0.0", {"0", "0", "0", "0"}},  // rejected: the edits keep their first texts
        {"", {"0", "0", "0", "0"}},
        {"192.168.2.205", {"192", "168", "2", "205"}},
        {"10.0.0", {"192", "168", "2", "205"}},  // rejected: the edits keep what they show
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Remembered.toStdString());
        Last_IP_Address = row.Remembered;
        Update_Option = 2;
        Update_Read_Back = false;
        ShowAndDrive([&] {
            EXPECT_EQ(FBoot->OctetTexts(), row.Shown);
            EXPECT_EQ(FBoot->CB_Update_Options->ItemIndex(), 2);
            EXPECT_FALSE(FBoot->CB_Update_Option_Read_Back->Checked());
            EXPECT_EQ(FBoot->FocusedControl(), FBoot->E_IP1);
            EXPECT_EQ(FBoot->ClientWidth(), 449);
            EXPECT_EQ(FBoot->ClientHeight(), FBoot->P_Title->Height() + FBoot->P_IP_Address->Height() +
                                                 FBoot->P_Options->Height() + FBoot->P_Button->Height());
            EXPECT_TRUE(FBoot->P_IP_Address->Visible());
            EXPECT_TRUE(FBoot->P_Options->Visible());
            EXPECT_FALSE(FBoot->P_Serial->Visible());
            EXPECT_FALSE(FBoot->P_Eth_Search->Visible());
            // Stacked under the title: address, then options, then buttons.
            EXPECT_EQ(FBoot->P_IP_Address->Top(), FBoot->P_Title->Height());
            EXPECT_EQ(FBoot->P_Options->Top(), FBoot->P_IP_Address->Top() + FBoot->P_IP_Address->Height());
            EXPECT_EQ(FBoot->P_Button->Top(), FBoot->P_Options->Top() + FBoot->P_Options->Height());
            EXPECT_EQ(FBoot->Caption(), Language_Table->Strings(1002));
            EXPECT_EQ(FBoot->L_SW_Desc->Caption(), Language_Table->Strings(1003));
            EXPECT_EQ(FBoot->L_SW_Code->Caption(), QStringLiteral("CF52104"));
        });
    }
    EXPECT_EQ(echo.Requests(), 0);  // showing sends nothing
}

TEST_F(BootDialog, ShowingSerial)
{
    TScriptedEcho& echo = UseEcho({Step{Kind::Answer}});
    ScopedService<std::shared_ptr<ISerialPortProbe>> probe(
        &PlatformServices::SerialProbe, std::make_shared<TFixedSerialPortProbe>(QList<int>{1, 3}));
    FBoot->Form_Type = 0;
    Update_Option = 1;
    Update_Read_Back = true;
    Last_IP_Address = QStringLiteral("10.1.1.1");
    ShowAndDrive([&] {
        EXPECT_EQ(FBoot->Caption(), Language_Table->Strings(1000));
        EXPECT_EQ(FBoot->L_SW_Desc->Caption(), Language_Table->Strings(1001));
        EXPECT_FALSE(FBoot->P_IP_Address->Visible());
        EXPECT_FALSE(FBoot->P_Eth_Search->Visible());
        EXPECT_TRUE(FBoot->P_Serial->Visible());
        EXPECT_TRUE(FBoot->P_Options->Visible());
        EXPECT_EQ(FBoot->ClientWidth(), 449);
        EXPECT_EQ(FBoot->ClientHeight(), FBoot->P_Title->Height() + FBoot->P_Serial->Height() +
                                             FBoot->P_Options->Height() + FBoot->P_Button->Height());
        EXPECT_EQ(FBoot->P_Options->Top(), FBoot->P_Serial->Top() + FBoot->P_Serial->Height());
        EXPECT_EQ(FBoot->CB_COM_Port->Items()->Count(), 2);
        EXPECT_EQ(FBoot->CB_COM_Port->Items()->Strings(0), QStringLiteral("COM1"));
        EXPECT_EQ(FBoot->CB_COM_Port->Items()->Strings(1), QStringLiteral("COM3"));
        EXPECT_EQ(FBoot->CB_COM_Port->ItemIndex(), 0);
        EXPECT_EQ(FBoot->FocusedControl(), FBoot->CB_COM_Port);
        EXPECT_EQ(FBoot->CB_Update_Options->ItemIndex(), 1);
        FBoot->CB_Update_Options->SetItemIndex(2);
        FBoot->CB_Update_Option_Read_Back->SetChecked(false);
        FBoot->Btn_Update->Click();
    });
    EXPECT_EQ(Update_Option, 2);
    EXPECT_FALSE(Update_Read_Back);
    EXPECT_EQ(Last_IP_Address, QStringLiteral("10.1.1.1"));
    EXPECT_EQ(echo.Requests(), 0);
    EXPECT_TRUE(Launcher->Starts.isEmpty());
    EXPECT_FALSE(FileExists(JobFile()));
}

TEST_F(BootDialog, PeriodMovesToTheNextOctet)
{
    UseEcho({});
    const struct {
        int From;         // 0..3: E_IP1..E_IP4
        bool NextDisabled;
        int FocusAfter;
    } rows[] = {{0, false, 1}, {1, false, 2}, {2, false, 3}, {3, false, 3}, {0, true, 0}, {2, true, 2}};
    ShowAndDrive([&] {
        TEdit* edits[] = {FBoot->E_IP1, FBoot->E_IP2, FBoot->E_IP3, FBoot->E_IP4};
        for (const auto& r : rows) {
            SCOPED_TRACE(testing::Message() << "from " << r.From << (r.NextDisabled ? " next disabled" : ""));
            for (TEdit* e : edits) {
                e->SetEnabled(true);
                e->SetText(QStringLiteral("12"));
            }
            if (r.NextDisabled) edits[r.From + 1]->SetEnabled(false);
            edits[r.From]->SetFocus();
            edits[r.From]->SetSelStart(2);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Period, Qt::NoModifier, QStringLiteral("."));
            QApplication::sendEvent(edits[r.From]->Widget(), &press);
            QKeyEvent digit(QEvent::KeyPress, Qt::Key_3, Qt::NoModifier, QStringLiteral("3"));
            QApplication::sendEvent(edits[r.From]->Widget(), &digit);
            EXPECT_EQ(FBoot->FocusedControl(), edits[r.FocusAfter]);
            for (TEdit* e : edits)
                EXPECT_FALSE(e->Text().contains(u'.'));
            EXPECT_EQ(edits[r.From]->Text(), QStringLiteral("123"));  // other keys pass
        }
    });
}

TEST_F(BootDialog, LanguageChange)
{
    FBoot->CB_Update_Options->SetItemIndex(-1);
    Language_Table->SetStrings(1020, QStringLiteral("Aggiorna il dispositivo"));
    Language_Table->SetStrings(1016, QStringLiteral("Solo firmware"));
    FCalyptoreFirmWare->Change_Language();
    EXPECT_EQ(FBoot->Btn_Update->Caption(), QStringLiteral("Aggiorna il dispositivo"));
    TStrings* items = FBoot->CB_Update_Options->Items();
    ASSERT_EQ(items->Count(), 3);
    EXPECT_EQ(items->Strings(0), QStringLiteral("Firmware + Configuration"));
    EXPECT_EQ(items->Strings(1), QStringLiteral("Solo firmware"));
    EXPECT_EQ(items->Strings(2), QStringLiteral("Configuration"));
    EXPECT_EQ(FBoot->CB_Update_Options->ItemIndex(), 0);
    EXPECT_EQ(FBoot->CB_Update_Option_Read_Back->Caption(), QStringLiteral("Read Back"));
}

TEST_F(BootDialog, Grabs)
{
    UseEcho({});
    Software_Code = QStringLiteral("CF52104");
    Last_IP_Address = QStringLiteral("192.168.2.205");
    ScopedService<std::shared_ptr<ISerialPortProbe>> probe(
        &PlatformServices::SerialProbe, std::make_shared<TFixedSerialPortProbe>(QList<int>{1, 3}));
    for (int type : {1, 0}) {
        FBoot->Form_Type = type;
        ShowAndDrive([&] {
            const QString path = TestHarness::GrabPath(QStringLiteral("boot_dialog_type%1.png").arg(type));
            EXPECT_TRUE(TestHarness::GrabToPng(FBoot->Widget(), path));
        });
    }
}

TEST_F(BootDialog, TheHiddenDeviceListHasItsTwoHeadersAndHint)
{
    TAdvColumnGrid* list = FBoot->ACG_List_Devices;
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Parent(), FBoot->P_Eth_Search);
    EXPECT_EQ(list->ColCount(), 2);
    EXPECT_EQ(list->RowCount(), 2);
    EXPECT_EQ(list->FixedCols(), 0);
    EXPECT_EQ(list->FixedRows(), 1);
    // The dialog translates itself when it is shown.
    FBoot->Set_Lang();
    EXPECT_EQ(list->Columns()->Items(0)->Header(), QStringLiteral("IP Address"));
    EXPECT_EQ(list->Columns()->Items(1)->Header(), QStringLiteral("MAC Address"));
    EXPECT_EQ(list->Cells(0, 0), QStringLiteral("IP Address"));
    EXPECT_EQ(list->Cells(1, 0), QStringLiteral("MAC Address"));
    EXPECT_EQ(list->Hint(), Language_Table->Strings(1030));
    // A picture of the hidden panel, to look at (CALYPTOR_GRAB_DIR).
    EXPECT_TRUE(TestHarness::GrabToPng(FBoot->P_Eth_Search->Widget(),
                                       TestHarness::GrabPath(QStringLiteral("boot_device_list.png"))));

    Language_Table->SetStrings(1011, QStringLiteral("IP-Adresse"));
    Language_Table->SetStrings(1030, QStringLiteral("Gefundene Geräte"));
    FBoot->Set_Lang();
    EXPECT_EQ(list->Cells(0, 0), QStringLiteral("IP-Adresse"));
    EXPECT_EQ(list->Hint(), QStringLiteral("Gefundene Geräte"));
}
