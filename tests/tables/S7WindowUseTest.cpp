// The R7arir window as a user meets it, through keys and the mouse: Escape
// and typing in its choice lists, the keys that close it, the first row at
// every showing, one-line cells and the header double click.

#include "S7TableKit.h"
#include "AdvGridEditors.h"
#include "Clock.h"
#include "Services.h"
#include "USoftOptions.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// A key typed at the control that holds the focus in the window; the
// character that starts an editor is posted, so the queue is run after it.
void S7UseKey(int qtKey, const QString& text = QString())
{
    TWinControl* c = FS7_Protocol_Set_Access->FocusedControl();
    QWidget* w = c ? c->Widget() : FS7_Protocol_Set_Access->ACG_S7_Read->Widget();
    QKeyEvent down(QEvent::KeyPress, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(w, &down);
    QKeyEvent up(QEvent::KeyRelease, qtKey, Qt::NoModifier, text);
    QApplication::sendEvent(w, &up);
    QApplication::processEvents();
}

void S7UseType(const QString& text)
{
    for (QChar ch : text)
        S7UseKey(ch.isDigit() ? Qt::Key_0 + ch.digitValue() : Qt::Key_unknown, QString(ch));
}

void S7UseMouse(TControl* c, QEvent::Type type, QPoint at, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(at), QPointF(c->Widget()->mapToGlobal(at)), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(c->Widget(), &e);
}

void S7UseClick(TControl* c, QPoint at)
{
    S7UseMouse(c, QEvent::MouseButtonPress, at, Qt::LeftButton);
    S7UseMouse(c, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

// What the window system delivers for a double click: press, release,
// double click, release.
void S7UseDoubleClick(TControl* c, QPoint at)
{
    S7UseClick(c, at);
    S7UseMouse(c, QEvent::MouseButtonDblClick, at, Qt::LeftButton);
    S7UseMouse(c, QEvent::MouseButtonRelease, at, Qt::NoButton);
}

QPoint S7UseCentre(const TRect& r)
{
    return QPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

// The first and last line of pixels inside a cell of the grid's picture
// that hold a pixel darker than mid grey (text); (-1, -1) for none.
std::pair<int, int> S7UseInkRows(const QImage& img, const TRect& r)
{
    std::pair<int, int> rows{-1, -1};
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y)
        for (int x = r.Left + 1; x < r.Right - 1; ++x)
            if (qGray(img.pixel(x, y)) < 128) {
                if (rows.first < 0) rows.first = y - r.Top;
                rows.second = y - r.Top;
                break;
            }
    return rows;
}

}  // namespace

TEST_F(S7TableFixture, EscapeInAChoiceListGivesTheCellItsOldTextBack)
{
    struct Case {
        int Col;
        const char* Old;
    };
    // PLC Type, Data Type and Data Identifier empty; a listed and an unlisted
    // text (as a file may hold it).
    const Case cases[] = {{4, ""}, {7, ""}, {8, ""}, {4, "S7300"}, {10, "Inputs (I)"}, {8, "XY"}};
    Start();
    Open([&] {
        TAdvColumnGrid* g = Grid(0);
        for (const Case& c : cases) {
            SCOPED_TRACE(QStringLiteral("col %1 '%2'").arg(c.Col).arg(c.Old).toStdString());
            g->SetCells(c.Col, 1, QLatin1String(c.Old));
            g->SetFocus();
            g->FocusCell(c.Col, 1);
            S7UseKey(Qt::Key_F2);
            TGridCombo* cb = g->Combobox();
            ASSERT_TRUE(cb->Visible());
            S7UseKey(Qt::Key_Down);  // another item chosen meanwhile
            EXPECT_NE(cb->Text(), QLatin1String(c.Old));
            S7UseKey(Qt::Key_Escape);
            EXPECT_FALSE(cb->Visible());
            EXPECT_EQ(g->Cells(c.Col, 1), QLatin1String(c.Old));
            EXPECT_EQ(W()->ModalResult(), mrNone);
        }
        W()->Btn_Cancel->Click();
    });
}

TEST_F(S7TableFixture, DigitsTypedIntoAPositionCellFindTheFirstItemThatBeginsWithThem)
{
    auto clock = std::make_shared<TestClock>();
    ScopedService<std::shared_ptr<IClock>> useClock(&PlatformServices::Clock, clock);
    struct Case {
        const char* Old;
        const char* Typed;
        const char* Stored;
    };
    const Case cases[] = {
        {"40", "40", "40"}, {"12", "12", "12"}, {"", "150", "150"}, {"7", "1499", "1499"},
        {"3", "7x", "7"},  // nothing begins with 7x: the list stays on 7
    };
    Start();
    Open([&] {
        TAdvColumnGrid* g = Grid(0);
        g->SetFocus();
        for (const Case& c : cases) {
            SCOPED_TRACE(QStringLiteral("'%1' typed over '%2'").arg(c.Typed).arg(c.Old).toStdString());
            g->SetCells(14, 1, QLatin1String(c.Old));
            g->FocusCell(14, 1);
            S7UseType(QLatin1String(c.Typed));
            ASSERT_TRUE(g->Combobox()->Visible());
            S7UseKey(Qt::Key_Return, QStringLiteral("\r"));
            EXPECT_EQ(g->Cells(14, 1), QLatin1String(c.Stored));
            clock->Advance(1000);
        }
        // A pause between two digits starts the search again.
        g->FocusCell(14, 2);
        S7UseType(QStringLiteral("1"));
        clock->Advance(2 * uint64_t(QApplication::keyboardInputInterval()));
        S7UseType(QStringLiteral("2"));
        S7UseKey(Qt::Key_Return, QStringLiteral("\r"));
        EXPECT_EQ(g->Cells(14, 2), QStringLiteral("2"));
        W()->Btn_Cancel->Click();
    });
}

TEST_F(S7TableFixture, EscapeClosesTheWindowUnlessACellIsBeingEdited)
{
    Start();
    Open([] {
        TAdvColumnGrid* g = Grid(0);
        g->SetFocus();
        g->FocusCell(2, 1);
        S7UseKey(Qt::Key_Return, QStringLiteral("\r"));  // Enter opens the editor
        ASSERT_TRUE(g->EditorShown());
        S7UseType(QStringLiteral("10.0"));
        S7UseKey(Qt::Key_Escape);  // ends the edit only
        EXPECT_FALSE(g->EditorShown());
        EXPECT_EQ(g->Cells(2, 1), QString());
        EXPECT_EQ(W()->ModalResult(), mrNone);
        S7UseKey(Qt::Key_Escape);
        EXPECT_EQ(W()->ModalResult(), mrCancel);
    });
    EXPECT_FALSE(FileExists(S7_Protocol_File));
}

TEST_F(S7TableFixture, EveryShowingStartsAtTheFirstCellOfBothPages)
{
    Start();
    Open([] {
        for (int page : {0, 1}) {
            W()->PageControl1->SetActivePageIndex(page);
            Grid(page)->FocusCell(17, 300);
            Grid(page)->SetTopRow(290);
            Grid(page)->SetLeftCol(12);
        }
        W()->Btn_Cancel->Click();
    });
    Open([] {
        for (int page : {0, 1}) {
            SCOPED_TRACE(page);
            EXPECT_EQ(Grid(page)->TopRow(), 1);
            EXPECT_EQ(Grid(page)->LeftCol(), 1);
            EXPECT_EQ(Grid(page)->Row(), 1);
            EXPECT_EQ(Grid(page)->Col(), 1);
        }
        EXPECT_TRUE(TestHarness::GrabToPng(W(), TestHarness::GrabPath(QStringLiteral("s7_reopened.png"))));
        W()->Btn_Cancel->Click();
    });
}

TEST_F(S7TableFixture, ALongChoiceStaysOnOneLineCutAtTheCellsEdge)
{
    Start();
    Open([] {
        TAdvColumnGrid* g = Grid(0);
        PutRow(0, 1, ReadRow());
        PutRow(0, 2, ReadRow());
        g->SetCells(10, 1, QStringLiteral("Direct peripheral access (P)"));
        const QImage img = g->Widget()->grab().toImage();
        // The long text takes the lines of pixels that a one-line text below
        // it takes: one line, nothing of a second one.
        const auto longText = S7UseInkRows(img, g->CellRect(10, 1));
        const auto shortText = S7UseInkRows(img, g->CellRect(10, 2));
        ASSERT_GE(shortText.first, 0);
        EXPECT_GE(longText.first, shortText.first - 1);
        EXPECT_LE(longText.second, shortText.second + 1);
        // Cut at the cell's edge: the next cell shows its own text only.
        EXPECT_EQ(S7UseInkRows(img, g->CellRect(11, 1)), S7UseInkRows(img, g->CellRect(11, 2)));
        EXPECT_TRUE(TestHarness::GrabToPng(W(), TestHarness::GrabPath(QStringLiteral("s7_one_line.png"))));
        W()->Btn_Cancel->Click();
    });
}

TEST_F(S7TableFixture, WithTheOptionTickedADoubleClickOnAHeaderFitsItsColumn)
{
    Start();
    DialogResponder options;
    options.ExpectModal(QStringLiteral("TFSoftOptions"), [](TCustomForm* f) {
        auto* o = static_cast<TFSoftOptions*>(f);
        o->PC_Options->SetActivePage(o->TS_Soft_Settings);
        TCheckBox* box = o->CB_DoubleClick_Auto_Size;
        S7UseClick(box, QPoint(6, box->Height() / 2));
        EXPECT_TRUE(box->Checked());
        o->Btn_OK->Click();
    });
    FCalyptoreFirmWare->Btn_Click(FCalyptoreFirmWare->Btn_Opz);
    ASSERT_EQ(options.Pending(), 0);
    ASSERT_TRUE(Opt_Double_Click_Auto_Size);

    const QString mnemonic = QStringLiteral("Tank level of the north storage hall, upper sensor");
    Open([&] {
        TAdvColumnGrid* g = Grid(0);
        PutRow(0, 1, ReadRow(QStringLiteral("10.1.1.1")));
        g->SetCells(18, 1, mnemonic);
        const QFontMetrics fm(g->Font()->ToQFont());
        const int before2 = g->ColWidths(2), before9 = g->ColWidths(9);

        // The middle of a header, and the border right of a header.
        S7UseDoubleClick(g, S7UseCentre(g->CellRect(18, 0)));
        EXPECT_GE(g->ColWidths(18), fm.horizontalAdvance(mnemonic));
        S7UseDoubleClick(g, QPoint(g->CellRect(2, 0).Right, 10));
        // Narrower: its widest text is now the header's.
        EXPECT_LT(g->ColWidths(2), before2);
        EXPECT_GE(g->ColWidths(2), fm.horizontalAdvance(g->Columns()->Items(2)->Header()));
        EXPECT_TRUE(TestHarness::GrabToPng(W(), TestHarness::GrabPath(QStringLiteral("s7_auto_size.png"))));

        // Also while a cell is being edited: the press ends the edit first.
        for (int col : {4, 3}) {  // a choice list, a text
            SCOPED_TRACE(col);
            g->SetFocus();
            g->FocusCell(col, 2);
            S7UseKey(Qt::Key_F2);
            ASSERT_TRUE(g->EditorMode());
            g->SetColWidths(18, 100);
            S7UseDoubleClick(g, S7UseCentre(g->CellRect(18, 0)));
            EXPECT_GE(g->ColWidths(18), fm.horizontalAdvance(mnemonic));
        }

        // The write page's headers as well.
        W()->PageControl1->SetActivePageIndex(1);
        Grid(1)->SetCells(20, 1, mnemonic);
        Grid(1)->SetLeftCol(12);  // the last column in view
        S7UseDoubleClick(Grid(1), S7UseCentre(Grid(1)->CellRect(20, 0)));
        EXPECT_GE(Grid(1)->ColWidths(20), fm.horizontalAdvance(mnemonic));
        W()->PageControl1->SetActivePageIndex(0);

        // A data cell never sizes its column.
        S7UseDoubleClick(g, S7UseCentre(g->CellRect(9, 1)));
        EXPECT_EQ(g->ColWidths(9), before9);
        // Nor does a header with the option off.
        Opt_Double_Click_Auto_Size = false;
        S7UseDoubleClick(g, S7UseCentre(g->CellRect(9, 0)));
        EXPECT_EQ(g->ColWidths(9), before9);
        W()->Btn_Cancel->Click();
    });
}
