// The GSDML file and its file-name dialog: the golden default file, the
// values from the general parameters, the folder-only save step, the name
// composition and its refusals, and a look at the dialog.
#include "DescriptionTestKit.h"
#include "FormatCheckers.h"
#include "UDescriptionFiles.h"
#include "UProfinetFileName.h"
#include "UProfinetXML.h"

#include <QDir>
#include <QFile>

namespace {

using GsdmlTest = DescriptionFixture;

const QString Default_Name = QStringLiteral("GSDML-V2.31-Kestro-GW52116-20240305.xml");

TEST_F(GsdmlTest, DefaultFileIsTheGoldenOneAndWellFormed)
{
    const QString path = InProject(Default_Name);
    ASSERT_TRUE(WriteGsdmlFile(path));
    const QByteArray written = ReadBytes(path);
    EXPECT_TRUE(written.startsWith("\xEF\xBB\xBF<?xml"));
    EXPECT_EQ(FirstDifference(written, Golden(QStringLiteral("gsdml_default.xml"))).toStdString(), "");
    EXPECT_EQ(XmlLintProblems(path).toStdString(), "");
    EXPECT_EQ(GsdmlCoherenceProblems(written).toStdString(), "");
}

TEST_F(GsdmlTest, ValuesFromTheGeneralParameters)
{
    struct Case {
        QString elements;
        QString station;  // as written in the attributes
        QString out, in;
    };
    const Case cases[] = {
        {"<PROFINET_NB_OUT>32</PROFINET_NB_OUT><PROFINET_NB_IN>16</PROFINET_NB_IN>", "SERIAL", "32", "16"},
        {"<PROFINET_NAME_STA>   </PROFINET_NAME_STA>", "SERIAL", "1438", "1438"},
        {"<PROFINET_NAME_STA></PROFINET_NAME_STA>", "SERIAL", "1438", "1438"},
        {"<PROFINET_NAME_STA> gw-1</PROFINET_NAME_STA>", " gw-1", "1438", "1438"},
        {"<PROFINET_NB_OUT>abc</PROFINET_NB_OUT><PROFINET_NB_IN>0x20</PROFINET_NB_IN>", "SERIAL", "1438", "32"},
        {"<PROFINET_NAME_STA>A&amp;B \"&lt;x&gt;\"</PROFINET_NAME_STA>", "A&amp;B &quot;&lt;x&gt;&quot;", "1438", "1438"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.elements.toStdString());
        WriteParGen(c.elements);
        const QString path = InProject(Default_Name);
        ASSERT_TRUE(WriteGsdmlFile(path));
        const QByteArray written = ReadBytes(path);
        const QStringList lines = QString::fromUtf8(written.mid(3)).split(QStringLiteral("\r\n"));
        EXPECT_TRUE(lines[25].contains(QStringLiteral("ImplementationType=\"") + c.station +
                                       QStringLiteral("\" DNS_CompatibleName=\"") + c.station + u'"'));
        EXPECT_TRUE(lines[75].contains(QStringLiteral("Length=\"") + c.out + u'"'));
        EXPECT_TRUE(lines[76].contains(QStringLiteral("Length=\"") + c.in + u'"'));
        EXPECT_EQ(lines[38], QStringLiteral("\t\t\t\t\t<IOConfigData MaxInputLength=\"1440\" MaxOutputLength=\"1440\" MaxDataLength=\"2880\"/>"));
        EXPECT_EQ(XmlLintProblems(path).toStdString(), "");
        EXPECT_EQ(GsdmlCoherenceProblems(written).toStdString(), "");
    }
}

TEST_F(GsdmlTest, OnlyTheChosenFolderCounts)
{
    const QString other = ProjectDir() + QStringLiteral("/sub");
    QDir().mkpath(other);
    {
        DialogResponder r;
        r.ExpectSave([&](const TDialogRequest& q) {
            EXPECT_EQ(q.InitialDir, Project_Path);
            EXPECT_EQ(q.Filter, QStringLiteral("PROFINET XML (*.xml)|") + Default_Name);
            EXPECT_EQ(q.FileName, Default_Name);
            EXPECT_EQ(q.DefaultExt, QString());
            return TDialogReply{mrOk, other + QStringLiteral("/typed.txt"), 1};
        });
        CreateGsdmlFile(Default_Name);
    }
    EXPECT_EQ(QDir(other).entryList(QDir::Files), QStringList{Default_Name});
    // Replacing asks; No keeps the file.
    WriteBytes(other + u'/' + Default_Name, "old");
    DialogResponder r;
    r.ExpectSave(other + QStringLiteral("/x.xml")).ExpectMessage(LangText(2811), mrNo, mtConfirmation);
    CreateGsdmlFile(Default_Name);
    EXPECT_EQ(ReadBytes(other + u'/' + Default_Name), QByteArray("old"));
}

TEST_F(GsdmlTest, BrokenGeneralParametersWriteNothing)
{
    WriteBytes(ParGen_File, "<Par_Gen><PROFINET_NB_IN>1</PROFINET_NB_OUT></Par_Gen>");
    DialogResponder r;
    r.ExpectMessage(QStringLiteral("Error! The file ") + ParGen_File + QStringLiteral(" cannot be read: "), mrOk, mtError);
    EXPECT_FALSE(WriteGsdmlFile(InProject(Default_Name)));
    EXPECT_FALSE(QFile::exists(InProject(Default_Name)));
    EXPECT_TRUE(r.Seen().value(0).contains(QStringLiteral("(line 1, column")));
}

// ---------------------------------------------------------------------------
// The file-name dialog

class GsdmlNameDialog : public DescriptionFixture {
protected:
    void SetUp() override
    {
        DescriptionFixture::SetUp();
        Software_Code = QStringLiteral("CF52104");
        Dialog = Create<TFProfinetFileName>(Application);
    }
    void TearDown() override
    {
        delete Dialog;
        DescriptionFixture::TearDown();
    }
    // Types the user part, presses OK; the modal result.
    TModalResult Confirm(const QString& user)
    {
        Dialog->SetModalResult(mrNone);
        Dialog->E_XML_User->SetText(user);
        Dialog->Btn_OK->Click();
        return Dialog->ModalResult();
    }
    TFProfinetFileName* Dialog = nullptr;
};

TEST_F(GsdmlNameDialog, ComposesTheName)
{
    const std::pair<QString, QString> cases[] = {
        {"", "GSDML-V2.31-Kestro-GW52116-20240305.xml"},
        {"   ", "GSDML-V2.31-Kestro-GW52116-20240305.xml"},
        {"Line3", "GSDML-V2.31-Kestro-GW52116_Line3-20240305.xml"},
        {"_Line3", "GSDML-V2.31-Kestro-GW52116_Line3-20240305.xml"},
        {"  x", "GSDML-V2.31-Kestro-GW52116_  x-20240305.xml"},
    };
    for (const auto& [user, name] : cases) {
        EXPECT_EQ(Confirm(user), mrOk);
        EXPECT_EQ(Dialog->Name_File_XML, name);
    }
}

TEST_F(GsdmlNameDialog, RefusesWhatNoFileNameMayHold)
{
    Confirm(QStringLiteral("Line3"));
    for (const QString& user : {QStringLiteral("a/b"), QStringLiteral("a:b"), QStringLiteral("a\\b"),
                                QStringLiteral("a\tb"), QStringLiteral("a\"b"), QStringLiteral("a|b")}) {
        DialogResponder r;
        r.ExpectMessage(DescriptionMessages::GsdmlUserPartRefused(), mrOk, mtError);
        EXPECT_EQ(Confirm(user), mrNone) << user.toStdString();
        EXPECT_EQ(Dialog->Name_File_XML, QStringLiteral("GSDML-V2.31-Kestro-GW52116_Line3-20240305.xml"));
    }
    Dialog->SetModalResult(mrNone);
    Dialog->E_XML_User->SetText(QStringLiteral("other"));
    Dialog->Btn_Cancel->Click();
    EXPECT_EQ(Dialog->ModalResult(), mrCancel);
    EXPECT_EQ(Dialog->Name_File_XML, QStringLiteral("GSDML-V2.31-Kestro-GW52116_Line3-20240305.xml"));
}

TEST_F(GsdmlNameDialog, KeepsTheDateOfItsCreationAndShowsItsTexts)
{
    Clock->Advance(3ull * 24 * 3600 * 1000);
    Confirm(QString());
    EXPECT_EQ(Dialog->Name_File_XML, Default_Name);
    EXPECT_EQ(Dialog->L_XML_Fix1->Caption(), Gsdml_Name_Front);
    EXPECT_EQ(Dialog->L_XML_Fix2->Caption(), QStringLiteral("-20240305.xml"));
    EXPECT_EQ(Dialog->Caption(), QStringLiteral("PROFINET XML File Name"));
    EXPECT_EQ(Dialog->L_SW_Code->Caption(), QStringLiteral("CF52104"));
    EXPECT_EQ(Dialog->E_XML_User->Hint(), LangText(2808));
    EXPECT_EQ(Dialog->ClientWidth(), 540);
    EXPECT_EQ(Dialog->ClientHeight(), 205);
    Dialog->E_XML_User->SetText(QStringLiteral("Line3"));
    EXPECT_TRUE(TestHarness::GrabToPng(Dialog, TestHarness::GrabPath(QStringLiteral("GsdmlFileName.png"))));
}

}  // namespace
