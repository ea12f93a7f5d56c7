// The R7arir access window through its buttons: its checks and their
// messages, the endpoint limit, the validation walk, the row buttons and the
// file it loads and saves.

#include "S7TableKit.h"
#include "AdvGridEditors.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

QString ErrorRow(int row, int entry, const QString& limit = QString())
{
    return LangText(1270) + QString::number(row) + LangText(entry) + limit;
}

}  // namespace

TEST_F(S7TableFixture, EachCheckGivesItsOwnMessageForTheFirstBadValue)
{
    struct Case {
        int Page;
        int Col;
        const char* Value;
        int Entry;  // 0: passes
        const char* Limit;
    };
    const Case cases[] = {
        {0, 2, "192.168.1.125", 0, ""},  {0, 2, "192.168.1", 1271, ""},   {0, 2, "1.2.3.4.5", 1271, ""},
        {0, 2, "192.168.1.256", 1271, ""}, {0, 2, "192.168.1.125 ", 1271, ""}, {1, 2, "10.0.0", 1279, ""},
        {0, 3, "$FFFF", 0, ""},          {0, 3, "65536", 1272, ""},       {1, 3, "x", 1280, ""},
        {0, 4, " ", 1273, ""},           {1, 4, "", 1281, ""},
        {0, 5, "4", 1321, ""},           {1, 5, "4", 1323, ""},
        {0, 6, "31", 0, ""},             {0, 6, "32", 1322, ""},          {1, 6, "-1", 1324, ""},
        {0, 7, "", 1274, ""},            {1, 7, "", 1282, ""},
        {0, 8, "", 1275, ""},            {1, 8, "", 1283, ""},
        {0, 9, "65536", 1305, ""},       {1, 9, "", 1309, ""},
        {0, 10, "", 1306, ""},           {1, 10, "", 1310, ""},
        {0, 11, "65536", 1307, ""},      {1, 11, "0x10000", 1311, ""},
        {0, 12, "", 1308, ""},           {1, 12, "", 1312, ""},
        {0, 13, "0", 1276, ""},          {1, 13, "0", 0, ""},             {1, 13, "100000001", 1284, ""},
        {0, 14, "1499", 0, ""},          {0, 14, "1500", 1277, "1499"},   {1, 16, "1500", 1285, "1499"},
        {0, 15, "", 1278, ""},           {1, 17, "", 1286, ""},
    };
    Start();
    Open([&] {
        for (const Case& c : cases) {
            SCOPED_TRACE(QStringLiteral("page %1 col %2 '%3'").arg(c.Page).arg(c.Col).arg(c.Value).toStdString());
            for (int r = 1; r <= 3; ++r) {
                PutRow(0, r, ReadRow());
                PutRow(1, r, WriteRow());
            }
            Grid(c.Page)->SetCells(c.Col, 3, QLatin1String(c.Value));
            if (c.Entry) {
                OkFailsWith(ErrorRow(3, c.Entry, QLatin1String(c.Limit)));
                EXPECT_FALSE(FileExists(S7_Protocol_File));
            } else {
                EXPECT_TRUE(W()->Controllo_dati());
            }
        }
        W()->Btn_Cancel->Click();
    });
}

TEST_F(S7TableFixture, TheWalkSkipsDisabledRowsEndsAtABlankKeyAndReportsTheFirstFault)
{
    Start();
    Open([&] {
        PutRow(0, 1, ReadRow());
        QStringList disabled = ReadRow();
        disabled[0] = "N";
        disabled[4] = "9";  // bad Rack, but the row is off
        PutRow(0, 2, disabled);
        QStringList belowGap = ReadRow();
        belowGap[4] = "9";
        PutRow(0, 4, belowGap);  // row 3 has no key
        EXPECT_TRUE(W()->Controllo_dati());

        QStringList two = ReadRow();
        two[4] = "4";   // Rack, step 5
        two[12] = "0";  // Poll Time, step 13
        PutRow(0, 1, two);
        OkFailsWith(ErrorRow(1, 1321));

        PutRow(0, 1, ReadRow());
        W()->Btn_OK->Click();
        EXPECT_EQ(W()->ModalResult(), mrOk);
    });
    const auto rows = SavedRows(QStringLiteral("S7_Protocol_Read"));
    ASSERT_EQ(rows.size(), 2);  // row 4 below the gap is not saved
    EXPECT_EQ(rows[1][0].second, QStringLiteral("N"));
    EXPECT_EQ(rows[1][4].second, QStringLiteral("9"));  // saved as typed
}

TEST_F(S7TableFixture, TheGatewayTakesTenEndpointsOverBothPages)
{
    struct Case {
        const char* Name;
        const char* WriteAddress;
        const char* WritePort;
        bool WriteEnabled;
        bool Passes;
    };
    const Case cases[] = {
        {"an eleventh endpoint", "10.0.1.1", "102", true, false},
        {"one of the ten", "10.0.0.5", "102", true, true},
        {"a disabled eleventh", "10.0.1.1", "102", false, true},
        {"a known address with another port", "10.0.0.5", "103", true, false},
        {"the same endpoint written otherwise", "$0A.0.0.05", "$66", true, true},
    };
    Start();
    Open([&] {
        for (int i = 0; i < 10; ++i)
            PutRow(0, i + 1, ReadRow(QStringLiteral("10.0.0.%1").arg(i + 1)));
        for (const Case& c : cases) {
            SCOPED_TRACE(c.Name);
            QStringList w = WriteRow(QLatin1String(c.WriteAddress), QLatin1String(c.WritePort));
            w[0] = c.WriteEnabled ? "Y" : "N";
            PutRow(1, 1, w);
            if (c.Passes)
                EXPECT_TRUE(W()->Controllo_dati());
            else
                OkFailsWith(ErrorRow(1, 1288));
        }
        W()->Btn_Cancel->Click();
    });
}

TEST_F(S7TableFixture, CheckIpPortRegistersDistinctEndpointsInOrder)
{
    Start();
    W()->array_ip_Port.assign(S7MaxEndpoints, TIPPort());
    EXPECT_EQ(W()->Check_IP_Port(10, 0, 0, 1, 102), 0);
    EXPECT_EQ(W()->Check_IP_Port(10, 0, 0, 2, 102), 1);
    EXPECT_EQ(W()->Check_IP_Port(10, 0, 0, 1, 102), 0);
    EXPECT_EQ(W()->Check_IP_Port(10, 0, 0, 1, 103), 2);
    for (int i = 3; i < 10; ++i)
        EXPECT_EQ(W()->Check_IP_Port(1, 1, 1, uint8_t(i), 1), i);
    EXPECT_EQ(W()->Check_IP_Port(9, 9, 9, 9, 9), -1);
    EXPECT_EQ(W()->Check_IP_Port(10, 0, 0, 2, 102), 1);
}

TEST_F(S7TableFixture, ShowingClearsEveryRowAndFillsThePositions)
{
    Start();
    Open([&] {
        for (int page = 0; page < 2; ++page) {
            TAdvColumnGrid* g = Grid(page);
            EXPECT_EQ(g->RowCount(), 513);
            EXPECT_EQ(g->Cells(0, 512), QStringLiteral("512"));
            EXPECT_EQ(g->Cells(1, 512), QStringLiteral("Y"));
            EXPECT_EQ(g->Cells(2, 512), QString());
            TStrings* positions = g->Columns()->Items(page == 0 ? 14 : 16)->ComboItems();
            ASSERT_EQ(positions->Count(), 1500);
            EXPECT_EQ(positions->Strings(1499), QStringLiteral("1499"));
        }
        EXPECT_EQ(W()->PageControl1->ActivePageIndex(), 0);
        EXPECT_EQ(W()->NByte_IN, 1500);
        W()->Btn_OK->Click();  // an empty table saves and closes
        EXPECT_EQ(W()->ModalResult(), mrOk);
    });
    EXPECT_TRUE(SavedRows(QStringLiteral("S7_Protocol_Read")).isEmpty());
    TXmlDocument doc;
    ASSERT_TRUE(doc.LoadFromFile(S7_Protocol_File).Ok);
    EXPECT_FALSE(doc.DocumentElement().ChildElement(QStringLiteral("S7_Protocol_Write")).IsNull());
}

TEST_F(S7TableFixture, CancelForgetsTheEditsAndTheCopiedRow)
{
    Start();
    Open([&] {
        PutRow(0, 1, ReadRow());
        W()->Btn_OK->Click();
    });
    Open([&] {
        EXPECT_EQ(RowOf(0, 1), ReadRow());
        Grid(0)->SetCells(2, 1, QStringLiteral("1.1.1.1"));
        Grid(0)->SetRow(1);
        W()->Btn_CopyRow->Click();
        W()->Btn_Cancel->Click();
    });
    Open([&] {
        EXPECT_EQ(RowOf(0, 1), ReadRow());
        Grid(0)->SetRow(2);
        DialogResponder inner;
        inner.ExpectMessage(LangText(1102), mrOk, mtError);
        W()->Btn_PasteRow->Click();
        EXPECT_EQ(inner.Pending(), 0);
        W()->Btn_Cancel->Click();
    });
}

TEST_F(S7TableFixture, RowButtonsWorkOnTheActivePage)
{
    Start();
    Open([&] {
        PutRow(0, 1, ReadRow());
        Grid(0)->SetRow(1);
        W()->Btn_CopyRow->Click();
        EXPECT_TRUE(W()->Do_Copy_In_Read);
        W()->PageControl1->SetActivePageIndex(1);
        Grid(1)->SetRow(1);
        {
            DialogResponder inner;
            inner.ExpectMessage(LangText(1102), mrOk, mtError);
            W()->Btn_PasteRow->Click();
        }
        W()->PageControl1->SetActivePageIndex(0);
        Grid(0)->SetRow(2);
        W()->Btn_PasteRow->Click();  // an empty row: no question
        EXPECT_EQ(RowOf(0, 2), ReadRow());

        Grid(0)->SetRow(7);
        {
            DialogResponder inner;
            inner.ExpectMessage(QStringLiteral("Are you sure to delete the Row number 7"), mrNo, mtConfirmation);
            W()->Btn_DelRow->Click();
        }
        Grid(0)->SetRow(1);
        {
            DialogResponder inner;
            inner.ExpectMessage(QStringLiteral("Are you sure to delete the Row number 1"), mrYes);
            W()->Btn_DelRow->Click();
        }
        EXPECT_EQ(RowOf(0, 1), ReadRow());  // row 2 moved up
        EXPECT_EQ(Grid(0)->Cells(2, 2), QString());
        W()->Btn_InsRow->Click();
        EXPECT_EQ(Grid(0)->Cells(1, 1), QStringLiteral("Y"));
        EXPECT_EQ(Grid(0)->Cells(2, 1), QString());
        EXPECT_EQ(RowOf(0, 2), ReadRow());
        Grid(0)->SetRow(512);
        PutRow(0, 512, ReadRow());
        W()->Btn_InsRow->Click();
        EXPECT_EQ(Grid(0)->Cells(2, 512), QString());
        W()->Btn_Cancel->Click();
    });
}

TEST_F(S7TableFixture, HintsAndLanguageChange)
{
    Start();
    QString hint;
    W()->GridHint(W()->ACG_S7_Read, 0, 5, hint);
    EXPECT_EQ(hint, QStringLiteral("Insert the Rack number (0..3)"));
    hint = QStringLiteral("own");
    W()->GridHint(W()->ACG_S7_Read, 3, 5, hint);
    EXPECT_EQ(hint, QStringLiteral("own"));  // a data cell keeps the grid's own
    W()->GridHint(W()->ACG_S7_Read, 0, 40, hint);
    EXPECT_EQ(hint, QStringLiteral("own"));  // outside the list: nothing
    EXPECT_TRUE(W()->ACG_S7_Read->ShowHint());
    EXPECT_FALSE(W()->ACG_S7_Write->ShowHint());
    EXPECT_FALSE(W()->ACG_S7_Write->ParentShowHint());
    EXPECT_EQ(W()->Hint_S7_Set_Access_Read->Count(), 18);
    EXPECT_EQ(W()->Hint_S7_Set_Access_Write->Count(), 20);

    EXPECT_EQ(W()->Caption(), QStringLiteral("R7arir Access"));
    EXPECT_EQ(W()->TS_S7_Write->Caption(), QStringLiteral("R7arir Write"));
    EXPECT_EQ(W()->ACG_S7_Read->Columns()->Items(5)->Header(), QStringLiteral("Rack"));
    EXPECT_EQ(W()->Btn_PasteRow->Caption(), QStringLiteral("Paste Row"));

    W()->ACG_S7_Read->SetCells(2, 1, QStringLiteral("kept"));
    Language_Table->SetStrings(1215, QStringLiteral("Schreiben"));
    Language_Table->SetStrings(1313, QStringLiteral("Baugruppenträger"));
    Language_Table->SetStrings(1207, QStringLiteral("Einfügen"));
    Language_Table->SetStrings(1317, QStringLiteral("Rack 0..3"));
    W()->Set_Lang();
    EXPECT_EQ(W()->TS_S7_Write->Caption(), QStringLiteral("Schreiben"));
    EXPECT_EQ(W()->ACG_S7_Read->Columns()->Items(5)->Header(), QStringLiteral("Baugruppenträger"));
    EXPECT_EQ(W()->ACG_S7_Read->Cells(5, 0), QStringLiteral("Baugruppenträger"));
    EXPECT_EQ(W()->Btn_PasteRow->Caption(), QStringLiteral("Einfügen"));
    W()->GridHint(W()->ACG_S7_Read, 0, 5, hint);
    EXPECT_EQ(hint, QStringLiteral("Rack 0..3"));
    EXPECT_EQ(W()->Hint_S7_Set_Access_Read->Count(), 18);
    EXPECT_EQ(W()->ACG_S7_Read->Cells(2, 1), QStringLiteral("kept"));
}

// A picture of both pages with rows, to look at (CALYPTOR_GRAB_DIR).
TEST_F(S7TableFixture, GrabBothPagesWithRows)
{
    Start();
    Open([] {
        for (int r = 1; r <= 4; ++r) {
            PutRow(0, r, ReadRow(QStringLiteral("192.168.1.%1").arg(120 + r)));
            PutRow(1, r, WriteRow(QStringLiteral("192.168.1.%1").arg(120 + r)));
        }
        Grid(0)->SetCells(1, 3, QStringLiteral("N"));
        EXPECT_TRUE(TestHarness::GrabToPng(W(), TestHarness::GrabPath(QStringLiteral("s7_read.png"))));
        W()->PageControl1->SetActivePageIndex(1);
        EXPECT_TRUE(TestHarness::GrabToPng(W(), TestHarness::GrabPath(QStringLiteral("s7_write.png"))));
        W()->Btn_Cancel->Click();
    });
}

namespace {

// Keys to the control that holds the focus in the window, as a user types.
void S7Key(int qtKey, const QString& text = QString())
{
    TWinControl* c = FS7_Protocol_Set_Access->FocusedControl();
    QWidget* w = c ? c->Widget() : FS7_Protocol_Set_Access->ACG_S7_Read->Widget();
    QKeyEvent down(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(w, &up);
}

void S7Type(const QString& text)
{
    for (QChar ch : text)
        S7Key(0, QString(ch));
}

// A left click in the middle of a cell.
void S7Click(TAdvColumnGrid* g, int col, int row)
{
    const TRect r = g->CellRect(col, row);
    const QPointF at((r.Left + r.Right) / 2.0, (r.Top + r.Bottom) / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, at, g->Widget()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(g->Widget(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, g->Widget()->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(g->Widget(), &release);
}

}  // namespace

TEST_F(S7TableFixture, TheGridTakesTypingADropDownChoiceAndACheckBoxClick)
{
    Start();
    Open([] {
        TAdvColumnGrid* g = Grid(0);
        g->FocusCell(2, 1);
        g->SetFocus();
        S7Type(QStringLiteral("192.168.1.125"));
        S7Key(Qt::Key_Return, QStringLiteral("\r"));
        EXPECT_EQ(g->Cells(2, 1), QStringLiteral("192.168.1.125"));

        // PLC Type: the list opens on F2 and its entry is picked.
        g->FocusCell(4, 1);
        S7Key(Qt::Key_F2);
        TGridCombo* cb = g->Combobox();
        ASSERT_TRUE(cb->Visible());
        EXPECT_EQ(cb->Items()->Count(), 6);
        cb->SetDroppedDown(true);
        cb->SetItemIndex(cb->Items()->IndexOf(QStringLiteral("S7300")));
        cb->SetDroppedDown(false);
        S7Key(Qt::Key_Return, QStringLiteral("\r"));
        EXPECT_EQ(g->Cells(4, 1), QStringLiteral("S7300"));

        // The position list holds 0 .. 1499.
        EXPECT_EQ(g->Columns()->Items(14)->ComboItems()->Count(), 1500);

        // Swap ticked, Enable unticked by a click.
        S7Click(g, 16, 1);
        EXPECT_EQ(g->Cells(16, 1), QStringLiteral("Y"));
        S7Click(g, 1, 1);
        EXPECT_EQ(g->Cells(1, 1), QStringLiteral("N"));
        S7Click(g, 1, 1);
        EXPECT_EQ(g->Cells(1, 1), QStringLiteral("Y"));

        // A Mnemonic still in its editor when Copy Row is pressed goes with the row.
        g->FocusCell(18, 1);
        S7Type(QStringLiteral("typed"));
        EXPECT_TRUE(g->EditorMode());
        W()->Btn_CopyRow->Click();
        EXPECT_EQ(g->Cells(18, 1), QStringLiteral("typed"));
        EXPECT_EQ(Row_Clipboard->Strings(17), QStringLiteral("typed"));
        W()->Btn_Cancel->Click();
    });
}
