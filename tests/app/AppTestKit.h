#pragma once
// The whole window set in the test's temporary program folder: the fixture
// prepares the folder, creates the 23 windows as the program does, and
// tears them down again.

#include "AppWindows.h"
#include "DialogResponder.h"
#include "Files.h"
#include "TestHarness.h"
#include "UCalyptoreFirmWare.h"
#include "UBACnetSlaveSetAccess.h"
#include "UBACnet_Eng_Unit.h"
#include "UComon.h"
#include "UIEC61850_Variables.h"
#include "UKNXAccess.h"
#include "UMQTT_Set_Topic.h"
#include "UOPC_UA_Server_Access.h"
#include "UParGen.h"
#include "UProfinetFileName.h"
#include "UReceiveCAN.h"
#include "US7_Protocol_Set_Access.h"
#include "USNMP_Trap_Access.h"
#include "USet_PDO_Access.h"
#include "USet_SDO_Client_Access.h"
#include "USet_SDO_Server_Access.h"
#include "UTLS_Server_Known_Cert.h"
#include "UTopicTemplate.h"
#include "UTransmitCAN.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

class AppWindowsFixture : public ::testing::Test {
protected:
    void SetUp() override { ResetSharedState(); }
    void TearDown() override
    {
        DestroyAppWindows();
        ResetSharedState();
        MainWindowTuning() = TMainWindowTuning();
    }

    void Start() { CreateAppWindows(); }

    static QString Dir() { return TestHarness::ProgramDir(); }

    // Writes a file below the program folder (folders made as needed).
    static void WriteFile(const QString& relative, const QByteArray& bytes)
    {
        const QString path = Dir() + u'/' + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // A settings file as an earlier run would have left it.
    static void WriteSettings(const QString& project, bool internet = false, bool update = false,
                              const QString& language = QStringLiteral("English"))
    {
        SetProgramFolders();
        Project_Name = project;
        Language_Name = language;
        Opt_Enable_Internet = internet;
        Opt_Enable_Update = update;
        ASSERT_TRUE(WriteSettingsFile().Ok);
        ResetSharedState();
    }

    // What the settings file now holds for the project.
    static QString SavedProject()
    {
        const QString keep = Project_Name;
        ReadSettingsFile();
        const QString saved = Project_Name;
        Project_Name = keep;
        return saved;
    }

    // A project folder (with bin) made before the start.
    static void MakeProject(const QString& name)
    {
        ASSERT_TRUE(QDir().mkpath(Dir() + QStringLiteral("/PROJECTS/") + name + QStringLiteral("/bin")));
    }
};

// A modal step that cancels the window shown.
inline void CancelIt(TCustomForm* f)
{
    f->SetModalResult(mrCancel);
}
