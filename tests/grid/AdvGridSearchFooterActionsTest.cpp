// The search footer at work: a shown grid whose footer strip is driven
// through its edit box, keys and buttons.

#include "AdvGridSearchFooter.h"
#include "AdvGridTestKit.h"
#include "AdvObj.h"
#include "AdvObjButton.h"
#include "AdvObjCheckBox.h"
#include "TestHarness.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

// A 5 x 12 grid on a form, cells "c,r" with a few words, the footer shown.
struct FooterFixture {
    FooterFixture()
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, 620, 320);
        Grid = Create<TTestAdvGrid>(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(0, 0, 600, 300);
        FillFixture(Grid, 5, 12);
        Grid->SetCells(2, 3, "apple pie");
        Grid->SetCells(3, 5, "Apple");
        Grid->SetCells(2, 8, "grape");
        TSearchFooter* sf = Grid->SearchFooter();
        sf->SetFindNextCaption("Find &next");
        sf->SetFindPrevCaption("Find &previous");
        sf->SetHighLightCaption("Highlight");
        sf->SetMatchCaseCaption("Match case");
        sf->SetVisible(true);
        Form->Show();
        Panel = Grid->SearchPanel();
        Edit = Panel->EditControl();
    }
    ~FooterFixture() { Free(Form); }

    void Type(const QString& text) const
    {
        for (QChar ch : text) Key(0, Qt::NoModifier, QString(ch));
    }
    void Key(int qtKey, Qt::KeyboardModifiers mods, const QString& text = QString()) const
    {
        QKeyEvent press(QEvent::KeyPress, qtKey ? qtKey : text.at(0).toUpper().unicode(), mods, text);
        QApplication::sendEvent(Edit->Widget(), &press);
        QKeyEvent release(QEvent::KeyRelease, qtKey ? qtKey : text.at(0).toUpper().unicode(), mods, text);
        QApplication::sendEvent(Edit->Widget(), &release);
    }
    void ClickButton(TControl* b) const
    {
        const QPoint p(b->Width() / 2, b->Height() / 2);
        QMouseEvent down(QEvent::MouseButtonPress, QPointF(p), QPointF(b->Widget()->mapToGlobal(p)), Qt::LeftButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(b->Widget(), &down);
        QMouseEvent up(QEvent::MouseButtonRelease, QPointF(p), QPointF(b->Widget()->mapToGlobal(p)), Qt::LeftButton,
                       Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(b->Widget(), &up);
    }
    QString Hit() const { return QStringLiteral("%1,%2").arg(Grid->SearchCell().X).arg(Grid->SearchCell().Y); }

    TForm* Form;
    TTestAdvGrid* Grid;
    TSearchPanel* Panel;
    TRetEdit* Edit;
};

}  // namespace

TEST(GridSearchFooter, ShownStripLaysOutItsControls)
{
    FooterFixture f;
    EXPECT_TRUE(f.Panel->Visible());
    EXPECT_EQ(f.Panel->Height(), 32);
    EXPECT_EQ(f.Edit->Left(), 25);
    EXPECT_EQ(f.Panel->ForwardButton()->Left(), 140);
    EXPECT_EQ(f.Panel->BackwardButton()->Left(), 235);
    EXPECT_EQ(f.Panel->HiliteButton()->Left(), 330);
    EXPECT_EQ(f.Panel->MatchCase()->Left(), 425);
    EXPECT_EQ(f.Panel->ForwardButton()->Caption(), "Find &next");
    EXPECT_FALSE(f.Panel->ForwardButton()->Enabled());
    f.Grid->SearchFooter()->SetShowHighLight(false);
    EXPECT_FALSE(f.Panel->HiliteButton()->Visible());
    EXPECT_EQ(f.Panel->MatchCase()->Left(), 330);
    EXPECT_EQ(SearchPanelMirroredLeft(500, 90, 140), 270);
}

TEST(GridSearchFooter, TypingSearchesFromTheTopAndColoursTheBox)
{
    FooterFixture f;
    f.Type("app");
    EXPECT_EQ(f.Hit(), "2,3");
    EXPECT_EQ(f.Grid->Row(), 3);
    EXPECT_EQ(f.Edit->Color(), clWindow);
    EXPECT_TRUE(f.Panel->ForwardButton()->Enabled() && f.Panel->HiliteButton()->Enabled());
    f.Type("x");
    EXPECT_EQ(f.Hit(), "-1,-1");
    EXPECT_EQ(f.Edit->Color(), clRed);
    f.Key(Qt::Key_Backspace, Qt::NoModifier, "\b");
    EXPECT_EQ(f.Edit->Text(), "app");
    EXPECT_EQ(f.Edit->Color(), clWindow);
    f.Edit->SetText("");
    EXPECT_FALSE(f.Panel->ForwardButton()->Enabled() || f.Panel->BackwardButton()->Enabled() ||
                 f.Panel->HiliteButton()->Enabled());
    EXPECT_EQ(f.Edit->Color(), clWindow);
}

TEST(GridSearchFooter, EnterFindsNextCtrlEnterPreviousWithoutLineBreak)
{
    FooterFixture f;
    f.Type("ap");
    EXPECT_EQ(f.Hit(), "2,3");
    f.Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(f.Hit(), "2,8");
    f.Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(f.Hit(), "3,5");
    f.Key(Qt::Key_Return, Qt::ControlModifier, "\r");
    EXPECT_EQ(f.Hit(), "2,8");
    EXPECT_EQ(f.Edit->Text(), "ap");
}

TEST(GridSearchFooter, SearchColumnRestrictsFindsAndHighlighting)
{
    FooterFixture f;
    f.Grid->SearchFooter()->SetSearchColumn(3);
    f.Type("ap");
    EXPECT_EQ(f.Hit(), "3,5");
    f.Panel->HiliteButton()->SetDown(true);
    f.Panel->OnHighlightClick(f.Panel);
    EXPECT_EQ(f.Grid->Cells(3, 5), "<hi>Ap</hi>ple");
    EXPECT_EQ(f.Grid->Cells(2, 3), "apple pie");
    f.Panel->HiliteButton()->SetDown(false);
    f.Panel->OnHighlightClick(f.Panel);
    EXPECT_EQ(f.Grid->Cells(3, 5), "Apple");

    // A column outside the grid searches and highlights everywhere.
    f.Grid->SearchFooter()->SetSearchColumn(9);
    f.Edit->SetText("");
    f.Type("grape");
    EXPECT_EQ(f.Hit(), "2,8");
    f.Panel->HiliteButton()->SetDown(true);
    f.Panel->OnHighlightClick(f.Panel);
    EXPECT_EQ(f.Grid->Cells(2, 8), "<hi>grape</hi>");
}

TEST(GridSearchFooter, CtrlFTypingHighlightAndCloseEndToEnd)
{
    FooterFixture f;
    f.Grid->SetFocus();
    QKeyEvent ctrlF(QEvent::KeyPress, Qt::Key_F, Qt::ControlModifier, "\x06");
    QApplication::sendEvent(f.Grid->Widget(), &ctrlF);
    EXPECT_TRUE(f.Edit->Focused());
    f.Type("apple");
    f.ClickButton(f.Panel->HiliteButton());
    EXPECT_TRUE(f.Panel->HiliteButton()->Down());
    EXPECT_EQ(f.Grid->Cells(2, 3), "<hi>apple</hi> pie");
    EXPECT_EQ(f.Grid->Cells(3, 5), "<hi>Apple</hi>");
    f.Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_EQ(f.Hit(), "3,5");
    TestHarness::GrabToPng(f.Form, TestHarness::GrabPath("search-footer.png"));
    int closed = 0;
    f.Grid->OnSearchFooterClose = [&](TObject*) { ++closed; };
    f.ClickButton(f.Panel->ExitButton());
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(f.Grid->SearchFooter()->Visible());
    EXPECT_EQ(f.Panel->Height(), 0);
    EXPECT_EQ(f.Grid->Cells(2, 3), "apple pie");
    EXPECT_EQ(f.Grid->Cells(3, 5), "Apple");
}

TEST(GridSearchFooter, CreatedEventReachesAHandlerSetAfterConstruction)
{
    TForm* form = Create<TForm>(nullptr);
    form->SetBounds(0, 0, 620, 320);
    TTestAdvGrid* grid = Create<TTestAdvGrid>(form);
    grid->SetParent(form);
    grid->SetBounds(0, 0, 600, 300);
    int created = 0;
    TObject* sender = nullptr;
    grid->OnCreatedSearchFooter = [&](TObject* s) {
        ++created;
        sender = s;
        // The panel's controls stand in their places when it fires.
        EXPECT_EQ(grid->SearchPanel()->ForwardButton()->Left(), 140);
    };
    EXPECT_EQ(created, 0);
    form->Show();
    PumpEvents();
    EXPECT_EQ(created, 1);
    EXPECT_EQ(sender, grid);
    form->Hide();
    form->Show();
    PumpEvents();
    EXPECT_EQ(created, 1);
    Free(form);
}
