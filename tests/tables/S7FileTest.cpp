// S7_Protocol.xml through the window: a load-and-save round trip, files the
// program did not write, a load that stops, and a save that fails.

#include "S7TableKit.h"

#include "HostileFiles.h"
#include "Services.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray Row(const QStringList& names, const QStringList& values)
{
    QByteArray out = "<row";
    for (int i = 0; i < names.size(); ++i) {
        QString v = values[i];
        v.replace('&', "&amp;").replace('"', "&quot;").replace('<', "&lt;").replace('\n', "&#10;");
        out += " " + names[i].toUtf8() + "=\"" + v.toUtf8() + "\"";
    }
    return out + "/>";
}

const QStringList ReadNames{"Enable", "PLC_Address", "PLC_Port", "PLC_Type", "Rack", "Slot", "Data_Type",
                            "Data_Identifier", "DB_Number", "PLC_Area", "PLC_Add", "PLC_Bit", "PollTime",
                            "Position", "Bit", "Swap", "SwapWord", "Mnemonic"};
const QStringList WriteNames{"Enable", "PLC_Address", "PLC_Port", "PLC_Type", "Rack", "Slot", "Data_Type",
                             "Data_Identifier", "DB_Number", "PLC_Area", "PLC_Add", "PLC_Bit", "PollTime",
                             "OnChange", "OnCMD", "Position", "Bit", "Swap", "SwapWord", "Mnemonic"};

}  // namespace

TEST_F(S7TableFixture, ShownAndSavedUnchangedTheFileKeepsItsRowsAndSettles)
{
    QStringList hex = ReadRow(QStringLiteral("$C0.0x0a8.010.1"), QStringLiteral("$66"));
    hex[17] = QString::fromUtf8("Zähler\nzweite Zeile");
    QStringList off = ReadRow(QStringLiteral(" 10.1.1.1 "));
    off[0] = "N";
    QStringList lower = ReadRow();
    lower[0] = "y";  // not "Y": skipped by validation, kept as typed
    QStringList empty(18, QString());
    empty[0] = "N";
    empty[1] = "gone";
    QByteArray xml = "<S7_Protocol><S7_Protocol_Read>" + Row(ReadNames, hex) + Row(ReadNames, off) +
                     Row(ReadNames, lower) + Row(ReadNames, empty);
    for (int i = 5; i <= 512; ++i)
        xml += Row(ReadNames, ReadRow(QStringLiteral("10.0.0.%1").arg(i % 5 + 1)));
    xml += "</S7_Protocol_Read><S7_Protocol_Write>" + Row(WriteNames, WriteRow(QStringLiteral("10.0.0.1"), "0x66")) +
           "</S7_Protocol_Write></S7_Protocol>";
    WriteFile(QStringLiteral("PROJECTS/P1/S7_Protocol.xml"), xml);
    Start();
    Open([] { W()->Btn_OK->Click(); EXPECT_EQ(W()->ModalResult(), mrOk); });
    const auto read = SavedRows(QStringLiteral("S7_Protocol_Read"));
    ASSERT_EQ(read.size(), 512);
    const QStringList expected[4] = {hex, off, lower, empty};
    for (int r = 0; r < 4; ++r)
        for (int a = 0; a < 18; ++a) {
            EXPECT_EQ(read[r][a].first, ReadNames[a]);
            EXPECT_EQ(read[r][a].second, expected[r][a]) << "row " << r + 1 << " " << ReadNames[a].toStdString();
        }
    EXPECT_EQ(SavedRows(QStringLiteral("S7_Protocol_Write")).size(), 1);
    const QByteArray first = Bytes(S7_Protocol_File);
    Open([] { W()->Btn_OK->Click(); });
    EXPECT_EQ(Bytes(S7_Protocol_File), first);
}

TEST_F(S7TableFixture, AFileWrittenElsewhereKeepsItsContentInColumnOrder)
{
    WriteFile(QStringLiteral("PROJECTS/P1/S7_Protocol.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- by hand -->\n<Other>\n"
              "\t<S7_Protocol_Write>\n\t\t<!-- a note -->\n"
              "\t\t<line Mnemonic=\"m\" SwapWord=\"N\" Swap=\"N\" Bit=\"0\" Position=\"5\" OnCMD=\"Y\" OnChange=\"N\""
              " PollTime=\"0\" PLC_Bit=\"0\" PLC_Add=\"1\" PLC_Area=\"Inputs (I)\" DB_Number=\"1\" Data_Identifier=\"DB\""
              " Data_Type=\"Bit\" PLC_Type=\"S7300\" PLC_Port=\"102\" PLC_Address=\"10.0.0.1\"/>\n"
              "\t</S7_Protocol_Write>\n</Other>\n");
    Start();
    DialogResponder r;
    r.ExpectMessage(QStringLiteral(" has no section S7_Protocol_Read. Those rows are shown empty."), mrOk, mtWarning);
    r.ExpectModal(QStringLiteral("TFS7_Protocol_Set_Access"), [](TCustomForm*) {
        EXPECT_EQ(RowOf(1, 1), (QStringList{"Y", "10.0.0.1", "102", "S7300", "0", "0", "Bit", "DB", "1",
                                            "Inputs (I)", "1", "0", "0", "N", "Y", "5", "0", "N", "N", "m"}));
        // The read section was missing: asked as for a file not read whole.
        DialogResponder inner;
        inner.ExpectMessage(QStringLiteral("was not read completely. Saving replaces it"), mrYes, mtConfirmation);
        W()->Btn_OK->Click();
        EXPECT_EQ(W()->ModalResult(), mrOk);
    });
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_S7_Protocol_Access);
    EXPECT_EQ(r.Pending(), 0);
    const auto write = SavedRows(QStringLiteral("S7_Protocol_Write"));
    ASSERT_EQ(write.size(), 1);
    for (int a = 0; a < 20; ++a)
        EXPECT_EQ(write[0][a].first, WriteNames[a]);
    EXPECT_TRUE(SavedRows(QStringLiteral("S7_Protocol_Read")).isEmpty());
}

TEST_F(S7TableFixture, ATableNotReadWholeIsReplacedOnlyWhenTheUserAgrees)
{
    QStringList noAddress = ReadRow();
    QStringList names = ReadNames;
    noAddress.removeAt(1);
    names.removeAt(1);
    QByteArray many = "<S7_Protocol><S7_Protocol_Read>";
    for (int i = 0; i < 600; ++i)
        many += Row(ReadNames, ReadRow(QStringLiteral("10.0.0.%1").arg(i % 5 + 1)));
    many += "</S7_Protocol_Read><S7_Protocol_Write/></S7_Protocol>";
    const QByteArray stopped = "<S7_Protocol><S7_Protocol_Read>" + Row(ReadNames, ReadRow()) + Row(ReadNames, ReadRow()) +
                               Row(names, noAddress) + Row(ReadNames, ReadRow()) +
                               "</S7_Protocol_Read><S7_Protocol_Write>" + Row(WriteNames, WriteRow()) +
                               "</S7_Protocol_Write></S7_Protocol>";
    struct Case {
        const char* Name;
        QByteArray Xml;
        const char* Message;  // the start of the one load message
        int ReadRows;         // rows shown on the read page
        int SavedReadRows;    // after Yes
    };
    const Case cases[] = {
        {"missing PLC_Address in read row 3", stopped,
         "cannot be read completely: row 3 of S7_Protocol_Read has no attribute PLC_Address.", 2, 2},
        {"unparsable", "<S7_Protocol><S7_Protocol_Read><row", "cannot be read: ", 0, 0},
        {"600 rows in a section", many, "holds more rows in S7_Protocol_Read than the table has (512). The rows after row 512",
         512, 512},
        {"well-formed without its sections", "<S7_Protocol><other/></S7_Protocol><!--SW_VERSION = 1.004-->",
         "has no section S7_Protocol_Read, S7_Protocol_Write. Those rows are shown empty.", 0, 0},
    };
    Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteFile(QStringLiteral("PROJECTS/P1/S7_Protocol.xml"), c.Xml);
        for (TModalResult answer : {mrNo, mrYes}) {
            DialogResponder r;
            r.ExpectMessage(QLatin1String(c.Message));
            r.ExpectModal(QStringLiteral("TFS7_Protocol_Set_Access"), [&](TCustomForm*) {
                EXPECT_FALSE(W()->Do_Copy_In_Read);
                int shown = 0;
                while (shown < 512 && !Grid(0)->Cells(2, shown + 1).isEmpty())
                    ++shown;
                EXPECT_EQ(shown, c.ReadRows);
                if (c.ReadRows == 2) {
                    EXPECT_EQ(Grid(0)->Cells(1, 3), QStringLiteral("Y"));  // only its Enable was read
                    EXPECT_EQ(Grid(0)->Cells(3, 3), QString());
                    EXPECT_EQ(Grid(1)->Cells(2, 1), QString());  // the write page was not reached
                }
                DialogResponder inner;
                inner.ExpectMessage(QStringLiteral("was not read completely. Saving replaces it"), answer,
                                    mtConfirmation);
                W()->Btn_OK->Click();
                EXPECT_EQ(inner.Pending(), 0);
                if (answer == mrNo) {
                    EXPECT_EQ(W()->ModalResult(), mrNone);
                    EXPECT_EQ(Bytes(S7_Protocol_File), c.Xml);
                    W()->Btn_Cancel->Click();
                }
            });
            FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_S7_Protocol_Access);
            EXPECT_EQ(r.Pending(), 0);
        }
        EXPECT_EQ(SavedRows(QStringLiteral("S7_Protocol_Read")).size(), c.SavedReadRows);
        EXPECT_TRUE(SavedRows(QStringLiteral("S7_Protocol_Write")).isEmpty());
    }
}

// A full disk: OK reports the system's reason, the window stays open with
// the edits and the old file is whole.
TEST_F(S7TableFixture, AFullDiskKeepsTheOldFileAndTheWindowOpen)
{
    WriteFile(QStringLiteral("PROJECTS/P1/S7_Protocol.xml"),
              "<S7_Protocol><S7_Protocol_Read>" + Row(ReadNames, ReadRow()) +
                  "</S7_Protocol_Read><S7_Protocol_Write/></S7_Protocol>");
    Start();
    const QByteArray old = Bytes(S7_Protocol_File);
    ASSERT_FALSE(old.isEmpty());
    Open([] {
        PutRow(0, 2, ReadRow(QStringLiteral("10.0.0.2")));
        ScopedService<std::shared_ptr<IFileWriter>> full(&PlatformServices::FileWriter,
                                                         std::make_shared<TFullDiskWriter>(100));
        DialogResponder inner;
        inner.ExpectMessage(QStringLiteral("Error! The table file ") + S7_Protocol_File +
                                QStringLiteral(" cannot be written: No space left on device. Nothing was saved."),
                            mrOk, mtError);
        W()->Btn_OK->Click();
        EXPECT_EQ(inner.Pending(), 0);
        EXPECT_EQ(W()->ModalResult(), mrNone);
        EXPECT_EQ(RowOf(0, 2), ReadRow(QStringLiteral("10.0.0.2")));
        W()->Btn_Cancel->Click();
    });
    EXPECT_EQ(Bytes(S7_Protocol_File), old);
}

// A table file that is a link out of the project is replaced only after a
// question that names the file really written.
TEST_F(S7TableFixture, ASaveThroughALinkOutOfTheProjectAsksFirst)
{
    const QString outside = TestHarness::ProgramPath(QStringLiteral("elsewhere.xml"));
    ASSERT_TRUE(SafeWriteFile(outside, "not a table").Ok);
    ASSERT_TRUE(QDir().mkpath(TestHarness::ProgramPath(QStringLiteral("PROJECTS/P1"))));
    Start();
    ASSERT_TRUE(QFile::link(outside, S7_Protocol_File));
    const QString real = QFileInfo(outside).canonicalFilePath();
    for (TModalResult answer : {mrNo, mrYes}) {
        SCOPED_TRACE(answer);
        DialogResponder r;
        r.ExpectMessage(QStringLiteral("cannot be read"), mrOk, mtError);
        r.ExpectModal(QStringLiteral("TFS7_Protocol_Set_Access"), [&](TCustomForm*) {
            DialogResponder inner;
            inner.ExpectMessage(QStringLiteral("was not read completely"), mrYes, mtConfirmation);
            inner.ExpectMessage(OutsideProjectQuestion(S7_Protocol_File, real), answer, mtConfirmation);
            W()->Btn_OK->Click();
            EXPECT_EQ(inner.Pending(), 0);
            if (answer == mrNo) {
                EXPECT_EQ(W()->ModalResult(), mrNone);
                W()->Btn_Cancel->Click();
            }
        });
        FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_S7_Protocol_Access);
        EXPECT_EQ(r.Pending(), 0);
        EXPECT_EQ(Bytes(outside) == "not a table", answer == mrNo);
        EXPECT_TRUE(QFileInfo(S7_Protocol_File).isSymLink());
    }
    EXPECT_TRUE(Bytes(outside).startsWith("<S7_Protocol>"));
}

TEST_F(S7TableFixture, AFailedSaveKeepsTheWindowOpenAndWritesNothing)
{
    Start();
    Open([] {
        PutRow(0, 1, ReadRow());
        QDir(Project_Path).removeRecursively();
        DialogResponder inner;
        inner.ExpectMessage(QStringLiteral("Error! The table file ") + S7_Protocol_File +
                                QStringLiteral(" cannot be written: "),
                            mrOk, mtError);
        W()->Btn_OK->Click();
        EXPECT_EQ(inner.Pending(), 0);
        EXPECT_EQ(W()->ModalResult(), mrNone);
        EXPECT_EQ(RowOf(0, 1), ReadRow());
        W()->Btn_Cancel->Click();
    });
    EXPECT_FALSE(FileExists(S7_Protocol_File));
}
