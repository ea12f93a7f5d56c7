// The five description commands from the main window: the project check,
// the dialogs and their requests, the overwrite questions, Cancel and No,
// and a target that cannot be written.
#include "AppWindows.h"
#include "DescriptionTestKit.h"
#include "UCalyptoreFirmWare.h"
#include "UFormLook.h"
#include "UParGenValues.h"
#include "UProfinetFileName.h"

#include <QDir>
#include <QFile>

namespace {

const QString Gsdml_Name = QStringLiteral("GSDML-V2.31-Kestro-GW52116-20240305.xml");

class DescriptionFlows : public DescriptionFixture {
protected:
    void SetUp() override
    {
        DescriptionFixture::SetUp();
        CreateAppWindows();
        Project_Name = QStringLiteral("Plant");
        Project_Path = ProjectDir();
        Set_Files();
    }
    void TearDown() override
    {
        DestroyAppWindows();
        DescriptionFixture::TearDown();
    }
};

struct TCommand {
    const char* Name;
    TLbButton* TFCalyptoreFirmWare::*Button;
    QString Filter;
    QString DefaultExt;
    QString Chosen;    // the name answered in the save dialog
    QString Written;   // the file the command writes
    int Question;      // 0: replaces without asking
    bool WithCancel;   // the question offers Cancel too
};

const TCommand& Command(int i)
{
    static const TCommand commands[] = {
        {"GSD", &TFCalyptoreFirmWare::Btn_PROFIBUS_GSD, "Generic Station Description (*.gsd)|*.gsd", "", "dev", "dev.gsd",
         1103, false},
        {"EDS", &TFCalyptoreFirmWare::Btn_CANopen_EDS, "Electronic Data Sheet (*.eds)|*.eds", "eds", "dev", "dev.eds", 0,
         false},
        {"MIB", &TFCalyptoreFirmWare::Btn_SNMP_MIB, "Management Information Base (*.mib)|*.mib", "mib", "dev.mib",
         "dev.mib", 1105, false},
        {"EDE", &TFCalyptoreFirmWare::Btn_BACnet_EDE_File, "CSV (MS-DOS) (*.csv)|*.csv", "", "dev", "dev.csv", 1105, true},
        {"GSDML", &TFCalyptoreFirmWare::Btn_PROFINET_XML, "PROFINET XML (*.xml)|" + Gsdml_Name, "", "typed.xml",
         Gsdml_Name, 2811, false},
    };
    return commands[i];
}
constexpr int Command_Count = 5;

// Expects what comes before the save dialog (the file-name dialog of the
// GSDML command), then the save dialog answered with `chosen` (empty:
// Cancel) after its request is checked.
void ExpectDialogs(DialogResponder& r, const TCommand& c, const QString& chosen)
{
    if (c.Question == 2811)
        r.ExpectModal(QStringLiteral("TFProfinetFileName"), [](TCustomForm*) { FProfinetFileName->Btn_OK->Click(); });
    r.ExpectSave([c, chosen](const TDialogRequest& q) {
        EXPECT_EQ(q.InitialDir, Project_Path);
        EXPECT_EQ(q.Filter, c.Filter);
        EXPECT_EQ(q.DefaultExt, c.DefaultExt);
        EXPECT_FALSE(q.OverwritePrompt);
        return TDialogReply{chosen.isEmpty() ? mrCancel : mrOk, chosen, 1};
    });
}

void Click(const TCommand& c)
{
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->*c.Button);
}

TEST_F(DescriptionFlows, WithoutAProjectEveryCommandIsRefused)
{
    Project_Name.clear();
    Project_Path.clear();
    Set_Files();
    for (int i = 0; i < Command_Count; ++i) {
        DialogResponder r;
        r.ExpectMessage(QStringLiteral("Error! Project not Valid"), mrOk, mtError);
        Click(Command(i));
    }
}

TEST_F(DescriptionFlows, EachCommandWritesTheFileChosenInTheProjectFolder)
{
    WriteParGen(QString());
    for (int i = 0; i < Command_Count; ++i) {
        const TCommand& c = Command(i);
        SCOPED_TRACE(c.Name);
        DialogResponder r;
        ExpectDialogs(r, c, InProject(c.Chosen));
        Click(c);
        EXPECT_EQ(r.Pending(), 0);
        EXPECT_FALSE(ReadBytes(InProject(c.Written)).isEmpty());
    }
    EXPECT_EQ(QDir(ProjectDir()).entryList(QDir::Files).size(), 1 + Command_Count);
}

TEST_F(DescriptionFlows, CancelAndNoLeaveTheDiskAsItWas)
{
    WriteParGen(QString());
    for (int i = 0; i < Command_Count; ++i) {
        const TCommand& c = Command(i);
        SCOPED_TRACE(c.Name);
        QFile::remove(InProject(c.Written));
        {
            DialogResponder r;
            ExpectDialogs(r, c, QString());
            Click(c);
        }
        EXPECT_FALSE(QFile::exists(InProject(c.Written)));

        QList<TModalResult> refusals{mrNo};
        if (c.WithCancel) refusals << mrCancel;
        for (TModalResult answer : refusals) {
            WriteBytes(InProject(c.Written), "old");
            DialogResponder r;
            ExpectDialogs(r, c, InProject(c.Chosen));
            if (c.Question) r.ExpectMessage(LangText(c.Question), answer, mtConfirmation);
            Click(c);
            EXPECT_EQ(ReadBytes(InProject(c.Written)) == "old", c.Question != 0);
        }
    }
}

TEST_F(DescriptionFlows, YesReplacesTheFile)
{
    WriteParGen(QString());
    for (int i = 0; i < Command_Count; ++i) {
        const TCommand& c = Command(i);
        if (!c.Question) continue;
        SCOPED_TRACE(c.Name);
        WriteBytes(InProject(c.Written), "old");
        DialogResponder r;
        ExpectDialogs(r, c, InProject(c.Chosen));
        r.ExpectMessage(LangText(c.Question), mrYes, mtConfirmation);
        Click(c);
        EXPECT_NE(ReadBytes(InProject(c.Written)), QByteArray("old"));
    }
}

TEST_F(DescriptionFlows, AFolderThatDoesNotExistGivesTheFileCreationError)
{
    WriteParGen(QString());
    for (int i = 0; i < Command_Count; ++i) {
        const TCommand& c = Command(i);
        SCOPED_TRACE(c.Name);
        const QString chosen = ProjectDir() + QStringLiteral("/missing/") + c.Chosen;
        DialogResponder r;
        ExpectDialogs(r, c, chosen);
        r.ExpectMessage(ProjectDir() + QStringLiteral("/missing/") + c.Written, mrOk, mtError);
        Click(c);
        EXPECT_EQ(r.Pending(), 0);
        EXPECT_FALSE(QDir(ProjectDir() + QStringLiteral("/missing")).exists());
    }
}

TEST_F(DescriptionFlows, TheGeneralParameterEditorsFileGivesTheDefaultFiles)
{
    TXmlDocument doc;
    ASSERT_TRUE(SaveParGenFile(doc, ParGen_File, TParGenValues()).Ok);
    for (int i : {0, 4}) {
        const TCommand& c = Command(i);
        DialogResponder r;
        ExpectDialogs(r, c, InProject(c.Chosen));
        Click(c);
    }
    EXPECT_EQ(FirstDifference(ReadBytes(InProject(QStringLiteral("dev.gsd"))), Golden(QStringLiteral("gsd_0_0.gsd")))
                  .toStdString(),
              "");
    EXPECT_EQ(FirstDifference(ReadBytes(InProject(Gsdml_Name)), Golden(QStringLiteral("gsdml_default.xml"))).toStdString(),
              "");
}

}  // namespace
