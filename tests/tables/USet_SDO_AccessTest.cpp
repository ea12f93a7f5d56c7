// The CANopen SDO client and server windows through the main window's
// steps: the checks, the file shapes, duplicates kept, and what the EDS
// writer reads of the server's file.

#include "SiblingTablesKit.h"
#include "UEds.h"

namespace {

class SdoWindows : public SiblingTablesFixture {
protected:
    static void OpenClient(const std::function<void(TFSet_SDO_Client_Access*)>& Drive)
    {
        Open(FCalyptoreFirmWare->Btn_SDO_Client_CANopen, "TFSet_SDO_Client_Access",
             [&](TCustomForm*) { Drive(FSet_SDO_Client_Access); });
    }
    static void OpenServer(const std::function<void(TFSet_SDO_Server_Access*)>& Drive)
    {
        Open(FCalyptoreFirmWare->Btn_SDO_Server_CANopen, "TFSet_SDO_Server_Access",
             [&](TCustomForm*) { Drive(FSet_SDO_Server_Access); });
    }
};

}  // namespace

TEST_F(SdoWindows, ClientChecksAndFile)
{
    OpenClient([](TFSet_SDO_Client_Access* w) {
        PutRow(w->sga, 1, {"1", "0x0FFF", "0", "2", "100", "0", "1", "", "", "r"});
        OkFailsWith(w, QStringLiteral("Error row 1!! [SDO Read] Index must be between 0x1000 and 0xFFFF"));
        w->sga->SetCells(2, 1, QStringLiteral("$FFFF"));
        PutRow(w->sgb, 1, {"5", "4096", "1", "1", "0", "Y", "3", "", "", "", "w"});
        // An ID Device of blanks ends the page.
        PutRow(w->sgb, 2, {"  ", "1", "1", "3", "0", "N", "", "", "", "", "x"});
        PutRow(w->sgb, 3, {"5", "1", "1", "3", "0", "N", "", "", "", "", "y"});
        OkPasses(w);
    });
    EXPECT_EQ(RootAndComment(SDO_Client_CANopen_File),
              QStringLiteral("SDO_Client_CANopen <!--SW_VERSION = 1.000--> [SDO_Read,SDO_Write]"));
    const auto read = SavedRows(SDO_Client_CANopen_File, QStringLiteral("SDO_Read"));
    const auto write = SavedRows(SDO_Client_CANopen_File, QStringLiteral("SDO_Write"));
    ASSERT_EQ(read.size(), 1);
    ASSERT_EQ(write.size(), 1);
    EXPECT_EQ(Flat(read[0]), QStringList({"Device_ID=1", "Index=$FFFF", "SubIndex=0", "NByte=2", "Poll_Time=100",
                                          "Address_B1=0", "Address_B2=1", "Address_B3=", "Address_B4=", "Mnemonic=r"}));
    EXPECT_EQ(Flat(write[0]), QStringList({"Device_ID=5", "Index=4096", "SubIndex=1", "NByte=1", "Poll_Time=0",
                                           "On_Change=Y", "Address_B1=3", "Address_B2=", "Address_B3=",
                                           "Address_B4=", "Mnemonic=w"}));
}

TEST_F(SdoWindows, ServerKeepsDuplicatesAndFeedsTheEds)
{
    OpenServer([](TFSet_SDO_Server_Access* w) {
        EXPECT_EQ(w->PageControl1->ActivePage(), w->TS_SDO_Read);
        EXPECT_EQ(w->sga->RowCount(), 501);
        PutRow(w->sga, 1, {"0x6000", "0", "1", "0", "", "", "", "a"});
        OkFailsWith(w, QStringLiteral("Error row 1!! [SDO in Read] Index must be between 0x2000 and 0x5FFF"));
        w->sga->SetCells(1, 1, QStringLiteral("8192"));
        PutRow(w->sga, 2, {"8192", "0", "4", "1", "2", "3", "4", "b"});
        PutRow(w->sgb, 1, {"24575", "1", "1", "7", "", "", "", "c"});
        // The write page's header hints are its own; a column-0 click selects the row.
        QString hint;
        w->sgb->OnGridHint(w->sgb, 0, 1, hint);
        EXPECT_EQ(hint, LangText(2142));
        w->sgb->OnClickCell(w->sgb, 1, 0);
        EXPECT_TRUE(TestHarness::GrabToPng(w, TestHarness::GrabPath(QStringLiteral("sdo-server.png"))));
        OkPasses(w);
    });
    EXPECT_EQ(SavedRows(SDO_Server_CANopen_File, QStringLiteral("SDO_Read")).size(), 2);
    SDO_Indexes.clear();
    LoadSdoServerObjects();
    ASSERT_EQ(SDO_Indexes.size(), 2u);
    EXPECT_EQ(SDO_Indexes[0].Index, 8192);
    EXPECT_EQ(SDO_Indexes[0].Sub_Indexs.size(), 2u);
    EXPECT_EQ(SDO_Indexes[1].Index, 24575);
}
