// The custom editor link: which keys leave it, a value typed into the
// link's control reaching the cell by Enter, Esc and a click elsewhere,
// validation reopening it, its pop-up window, and its lifetime against the
// grid's.
#include "AdvGridEditLink.h"
#include "AdvGridEditTestKit.h"
#include "Forms.h"
#include "StdCtrls.h"
#include "TestHarness.h"

#include <QScopeGuard>
#include <gtest/gtest.h>

namespace {

// A link whose control is a plain edit: the smallest subclass an
// application writes.
class TTestLink : public TEditLink {
public:
    explicit TTestLink(TComponent* AOwner) : TEditLink(AOwner) {}
    TEdit* Edit() const { return FEdit; }
    int Creates = 0;

    TWinControl* GetEditControl() override { return FEdit; }
    void CreateEditor(TWinControl* AParent) override
    {
        ++Creates;
        if (!FEdit) {
            FEdit = new TEdit(this);
            FEdit->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { EditKeyDown(s, k, sh); };
            FEdit->OnExit = [this](TObject* s) { EditExit(s); };
        }
        FEdit->SetParent(AParent);
    }
    void DestroyEditor() override
    {
        // Called from the control's own key handler: freed afterwards.
        FEdit->FreeDeferred();
        FEdit = nullptr;
    }
    void SetCellProps(TColor AColor, TFont* AFont) override
    {
        FEdit->SetColor(AColor);
        FEdit->SetFont(AFont);
    }
    QString GetEditorValue() override { return FEdit ? FEdit->Text() : QString(); }
    void SetEditorValue(const QString& s) override { FEdit->SetText(s); }

private:
    TEdit* FEdit = nullptr;
};

// A key typed into a control of the link's pop-up window.
void KeyTo(TWinControl* c, int key)
{
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(c->Widget(), &down);
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(c->Widget(), &up);
}

struct LinkFixture : EditFixture {
    LinkFixture()
    {
        Link = new TTestLink(Form);
        Grid->SetEditLink(Link);
        Grid->OnGetEditorType = [](TObject*, int c, int, TEditorType& e) {
            if (c == 1) e = edCustom;
        };
        Grid->SetCells(1, 1, QStringLiteral("old"));
        Grid->OnEditingDone = [this](TObject*) { ++Done; };
    }
    void Open()
    {
        Start(1, 1);
        Key(Qt::Key_F2);
    }
    TTestLink* Link;
    int Done = 0;
};

}  // namespace

TEST(GridEditLink, KeysThatLeaveTheCell)
{
    struct Case {
        Word Key;
        void (TEditLink::*Want)(bool);
        bool Alt;
        bool Leaves;
    };
    const Case cases[] = {
        {'A', nullptr, false, false},
        {'A', nullptr, true, true},  // Alt leaves with any key
        {VK_HOME, nullptr, false, true},
        {VK_HOME, &TEditLink::SetWantKeyHomeEnd, false, false},
        {VK_UP, &TEditLink::SetWantKeyUpDown, false, false},
        {VK_UP, &TEditLink::SetWantKeyUpDown, true, true},
        {VK_LEFT, &TEditLink::SetWantKeyLeftRight, false, false},
        {VK_RIGHT, nullptr, false, true},
        {VK_NEXT, &TEditLink::SetWantKeyPriorNext, false, false},
        {VK_RETURN, nullptr, false, true},
        {VK_RETURN, &TEditLink::SetWantKeyReturn, false, false},
        {VK_ESCAPE, &TEditLink::SetWantKeyEscape, false, false},
        {VK_TAB, nullptr, false, true},
        {VK_TAB, &TEditLink::SetWantTabs, false, false},
        {VK_TAB, &TEditLink::SetWantKeyReturn, false, true},  // another key's wish does not count
    };
    for (const Case& c : cases) {
        TEditLink link(nullptr);
        if (c.Want) (link.*c.Want)(true);
        TShiftState shift;
        if (c.Alt) shift.Include(ssAlt);
        EXPECT_EQ(EditLinkKeyLeaves(link, c.Key, shift), c.Leaves) << "key " << c.Key << " alt " << c.Alt;
    }
}

TEST(GridEditLink, OpensOverTheCellAndEnterStoresOnce)
{
    LinkFixture f;
    f.Grid->SetColors(1, 1, clYellow);
    int cellDone = 0;
    f.Grid->OnEditCellDone = [&](TObject*, int, int) { ++cellDone; };
    f.Open();
    TEdit* e = f.Link->Edit();
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->Visible());
    EXPECT_EQ(e->Text(), QStringLiteral("old"));
    EXPECT_EQ(e->Color(), clYellow);
    const TRect cell = f.Grid->CellRect(1, 1);
    EXPECT_EQ(e->Left(), cell.Left);
    EXPECT_EQ(e->Top(), cell.Top);
    EXPECT_EQ(f.Link->Grid(), f.Grid);
    EXPECT_EQ(f.Link->EditCell(), TPoint(1, 1));
    EXPECT_TRUE(f.Link->Subclassed());
    EXPECT_EQ(f.Focus(), e);
    TestHarness::GrabToPng(f.Form, TestHarness::GrabPath(QStringLiteral("editlink-inplace")));

    e->SetText(QStringLiteral("new"));
    f.Key(Qt::Key_Return);
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("new"));
    EXPECT_FALSE(e->Visible());
    EXPECT_FALSE(f.Link->Subclassed());
    EXPECT_EQ(f.Done, 1);
    EXPECT_TRUE(f.Grid->Calls.contains(QStringLiteral("advance 1,1 00110")));
    f.Pump();
    EXPECT_EQ(cellDone, 1);
    EXPECT_TRUE(f.Grid->Modified());
}

TEST(GridEditLink, EscapeAndAClickElsewhere)
{
    {
        // Esc gives the control the text from before the edit, which is stored.
        LinkFixture f;
        f.Open();
        f.Link->Edit()->SetText(QStringLiteral("typed"));
        f.Key(Qt::Key_Escape);
        EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("old"));
        EXPECT_FALSE(f.Link->Edit()->Visible());
        EXPECT_FALSE(f.Grid->Modified());
    }
    {
        // The focus going to another control keeps what was typed.
        LinkFixture f;
        f.Open();
        f.Link->Edit()->SetText(QStringLiteral("kept"));
        f.Other->SetFocus();
        f.Pump();
        EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("kept"));
        EXPECT_FALSE(f.Link->Edit()->Visible());
    }
}

TEST(GridEditLink, RefusedValueReopensTheLinkAndStoresNothing)
{
    LinkFixture f;
    int validations = 0;
    f.Grid->OnCellValidate = [&](TObject*, int, int, QString& v, bool& ok) {
        ++validations;
        ok = v != QStringLiteral("bad");
    };
    f.Open();
    f.Link->Edit()->SetText(QStringLiteral("bad"));
    f.Key(Qt::Key_Return);
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("old"));
    EXPECT_TRUE(f.Link->Edit()->Visible());
    EXPECT_EQ(f.Grid->Col(), 1);
    EXPECT_EQ(f.Grid->Row(), 1);
    EXPECT_FALSE(f.Grid->Calls.join(u' ').contains(QStringLiteral("advance")));
    // A valid value afterwards goes through: the refusal does not stick.
    f.Link->Edit()->SetText(QStringLiteral("good"));
    f.Link->Edit()->SetFocus();
    f.Key(Qt::Key_Return);
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("good"));
    EXPECT_FALSE(f.Link->Edit()->Visible());
    EXPECT_GE(validations, 2);
}

TEST(GridEditLink, ValueRoundTripsUnchanged)
{
    // Opening and leaving without a change stores exactly the text shown.
    const QString texts[] = {QStringLiteral("plain"), QStringLiteral("t\u00e4b \u20ac 1,5"), QString()};
    for (const QString& t : texts) {
        LinkFixture f;
        f.Grid->SetCells(1, 1, t);
        f.Open();
        EXPECT_EQ(f.Link->Edit()->Text(), t);
        f.Key(Qt::Key_Return);
        EXPECT_EQ(f.Grid->Cells(1, 1), t);
        EXPECT_FALSE(f.Grid->Modified()) << t.toStdString();
    }
}

TEST(GridEditLink, NoLinkOpensNothingAndAFreedLinkIsForgotten)
{
    LinkFixture f;
    delete f.Link;
    EXPECT_EQ(f.Grid->EditLink(), nullptr);
    f.Open();
    EXPECT_FALSE(f.Grid->EditMode);
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("old"));
}

TEST(GridEditLink, PopupWindowAtTheCellAndTwoLinks)
{
    LinkFixture f;
    f.Link->SetEditStyle(esPopup);
    f.Link->SetAutoPopupWidth(true);
    f.Link->SetPopupHeight(60);
    f.Open();
    TCustomForm* popup = f.Link->PopupForm();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->Name(), QStringLiteral("gridform"));
    EXPECT_TRUE(popup->Visible());
    const TRect cell = f.Grid->CellRect(1, 1);
    const TPoint at = f.Grid->ClientToScreen(TPoint(cell.Left, cell.Top));
    EXPECT_EQ(popup->Left(), at.X);
    EXPECT_EQ(popup->Top(), at.Y);
    EXPECT_EQ(popup->Width(), cell.Width());
    EXPECT_EQ(popup->Height(), 60);
    EXPECT_EQ(f.Link->Edit()->Parent(), popup);
    TestHarness::GrabToPng(popup, TestHarness::GrabPath(QStringLiteral("editlink-popup")));
    TestHarness::GrabToPng(f.Form, TestHarness::GrabPath(QStringLiteral("editlink-popup-form")));
    f.Link->Edit()->SetText(QStringLiteral("from popup"));
    KeyTo(f.Link->Edit(), Qt::Key_Return);
    EXPECT_EQ(f.Grid->Cells(1, 1), QStringLiteral("from popup"));
    EXPECT_FALSE(popup->Visible());

    // A second link with a pop-up of its own; the first one goes, the
    // second opens again with its own window intact.
    auto* second = new TTestLink(f.Form);
    second->SetEditStyle(esPopup);
    second->SetPopupLeft(5);
    second->SetPopupTop(7);
    second->SetPopupWidth(90);
    second->SetPopupHeight(30);
    f.Grid->SetEditLink(second);
    f.Start(1, 2);
    f.Key(Qt::Key_F2);
    ASSERT_NE(second->PopupForm(), nullptr);
    EXPECT_NE(second->PopupForm(), popup);
    EXPECT_EQ(second->PopupForm()->Left(), 5);
    EXPECT_EQ(second->PopupForm()->Top(), 7);
    KeyTo(second->Edit(), Qt::Key_Escape);
    delete f.Link;
    f.Pump();
    f.Start(1, 3);
    f.Grid->ShowCellEdit();
    ASSERT_NE(second->Edit(), nullptr);
    EXPECT_TRUE(second->PopupForm()->Visible());
    second->Edit()->SetText(QStringLiteral("second"));
    KeyTo(second->Edit(), Qt::Key_Return);
    EXPECT_EQ(f.Grid->Cells(1, 3), QStringLiteral("second"));
}

TEST(GridEditLink, TheGridGoingFirstLeavesTheLinkUsable)
{
    auto* link = new TTestLink(nullptr);
    auto cleanup = qScopeGuard([&] { delete link; });
    {
        LinkFixture f;
        f.Grid->SetEditLink(link);
        f.Open();
        EXPECT_EQ(link->Grid(), f.Grid);
    }
    EXPECT_EQ(link->Grid(), nullptr);
}
