// The edit with a button and the unit edit: the value-and-unit split, the
// unit menu, the button's click paths, the editor switch and the widths.
#include "ASGEdit.h"
#include "ClassesLists.h"
#include "EditorsFixture.h"
#include "Menus.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <memory>

namespace {

class EditBtnTest : public EditorTest {
protected:
    TAsgUnitEditBtn* NewUnitEdit()
    {
        auto* e = Add<TAsgUnitEditBtn>(20, 20, 121, 21);
        TStringList units;
        units.Add(QStringLiteral("m"));
        units.Add(QStringLiteral("mm"));
        units.Add(QStringLiteral("km"));
        e->SetUnits(&units);
        return e;
    }
};

TEST_F(EditBtnTest, SplitTextAndUnit)
{
    const QStringList units{QStringLiteral("m"), QStringLiteral("mm"), QStringLiteral("km")};
    const struct { const char* value; const char* text; const char* unit; bool matched; } rows[] = {
        {"12mm", "12", "mm", true}, {"12m", "12", "m", true}, {"m", "", "m", true},
        {"12km", "12k", "m", true}, {"5", "5", "", false},    {"", "", "", false},
    };
    for (auto r : rows) {
        TTextAndUnit s = SplitTextAndUnit(QString::fromLatin1(r.value), units);
        EXPECT_EQ(s.Text, QString::fromLatin1(r.text)) << r.value;
        EXPECT_EQ(s.Unit, QString::fromLatin1(r.unit)) << r.value;
        EXPECT_EQ(s.Matched, r.matched) << r.value;
    }
    // An empty unit never matches.
    EXPECT_FALSE(SplitTextAndUnit(QStringLiteral("5"), {QString(), QStringLiteral("kg")}).Matched);
}

TEST_F(EditBtnTest, TextAndUnitKeepsTheNumber)
{
    TAsgUnitEditBtn* e = NewUnitEdit();
    e->SetTextAndUnit(QStringLiteral("12mm"));
    EXPECT_EQ(e->Text(), QStringLiteral("12"));
    EXPECT_EQ(e->UnitID(), QStringLiteral("mm"));
    e->SetTextAndUnit(QStringLiteral("5"));
    EXPECT_EQ(e->Text(), QStringLiteral("5"));
    EXPECT_EQ(e->UnitID(), QStringLiteral("mm"));
    e->SetTextAndUnit(QString());
    EXPECT_EQ(e->Text(), QString());
    EXPECT_EQ(e->UnitID(), QStringLiteral("mm"));

    // The grid's flow: clear text and unit, write the cell, read it back.
    e->SetText(QString());
    e->SetUnitID(QString());
    e->SetTextAndUnit(QStringLiteral("5"));
    EXPECT_EQ(e->TextAndUnit(), QStringLiteral("5"));
    e->SetTextAndUnit(QStringLiteral("12km"));
    EXPECT_EQ(e->TextAndUnit(), QStringLiteral("12km"));
}

TEST_F(EditBtnTest, UnitMenu)
{
    TAsgUnitEditBtn* e = NewUnitEdit();
    e->SetUnitID(QStringLiteral("m"));
    QStringList log;
    e->OnClickBtn = [&](TObject* s) {
        EXPECT_EQ(s, e);
        log << QStringLiteral("click");
    };
    e->OnUnitChanged = [&](TObject* s, const QString& u) {
        EXPECT_EQ(s, e);
        log << QStringLiteral("unit ") + u;
    };
    TPoint shownAt;
    ScopedPopupMenuHook hook([&](TPopupMenu* m, TPoint p) -> TMenuItem* {
        log << QStringLiteral("menu %1").arg(m->Items()->Count());
        shownAt = p;
        return m->Items()->Items(1);
    });
    e->ClickButton(e->Button());
    EXPECT_EQ(log, (QStringList{"click", "menu 3", "unit mm"}));
    EXPECT_EQ(e->UnitID(), QStringLiteral("mm"));
    EXPECT_EQ(shownAt, TPoint(e->ClientOrigin().X + e->ClientWidth() - 15, e->ClientOrigin().Y + e->ClientHeight()));
    log.clear();
    e->ClickButton(e->Button());
    EXPECT_EQ(log, (QStringList{"click", "menu 3"}));
}

TEST_F(EditBtnTest, ButtonAndF4)
{
    Form->Show();
    auto* e = Add<TAsgEditBtn>(20, 20, 121, 21);
    auto* other = Add<TEdit>(20, 60, 100, 21);
    std::vector<TObject*> senders;
    e->OnClickBtn = [&](TObject* s) { senders.push_back(s); };
    e->SetFocus();
    Input::Key(e->Widget(), Qt::Key_F4);
    Input::Key(e->Widget(), Qt::Key_F4, Qt::AltModifier);
    Input::Key(e->Widget(), Qt::Key_F4, Qt::ControlModifier);
    ASSERT_EQ(senders.size(), 1u);
    EXPECT_EQ(senders[0], e);

    // A press on the button and a release anywhere: the button control is
    // the Sender, the focus lands on the edit.
    other->SetFocus();
    TAdvSpeedButton* b = e->Button()->Button();
    Input::Press(b, QPoint(3, 3));
    Input::Release(b, QPoint(60, 40));
    ASSERT_EQ(senders.size(), 2u);
    EXPECT_EQ(senders[1], e->Button());
    EXPECT_TRUE(e->Focused());
}

TEST_F(EditBtnTest, EditorOffBlocksEveryChange)
{
    Form->Show();
    auto* e = Add<TAsgEditBtn>(20, 20, 121, 21);
    int clicks = 0;
    e->OnClickBtn = [&](TObject*) { ++clicks; };
    e->SetText(QStringLiteral("abc"));
    e->SetEditorEnabled(false);
    e->SetFocus();
    e->SetSelStart(1);
    QApplication::clipboard()->setText(QStringLiteral("XYZ"));
    Input::Key(e->Widget(), Qt::Key_unknown, Qt::NoModifier, QStringLiteral("7"));
    Input::Key(e->Widget(), Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    Input::Key(e->Widget(), Qt::Key_Delete);
    Input::Key(e->Widget(), Qt::Key_V, Qt::ControlModifier);
    Input::Key(e->Widget(), Qt::Key_Insert, Qt::ShiftModifier);
    e->SelectAll();
    Input::Key(e->Widget(), Qt::Key_X, Qt::ControlModifier);
    // The context menu offers no paste, cut or delete.
    std::unique_ptr<QMenu> menu(static_cast<QLineEdit*>(e->Widget())->createStandardContextMenu());
    for (QAction* a : menu->actions()) {
        if (a->text().contains(QStringLiteral("Paste")) || a->text().contains(QStringLiteral("Cu"))
            || a->text().contains(QStringLiteral("Delete")) || a->text().contains(QStringLiteral("Undo"))) {
            EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
        }
    }
    EXPECT_EQ(e->Text(), QStringLiteral("abc"));
    EXPECT_EQ(Beeps.Count(), 0);
    Input::Key(e->Widget(), Qt::Key_F4);
    EXPECT_EQ(clicks, 1);
    e->SetText(QStringLiteral("set by the program"));
    EXPECT_EQ(e->Text(), QStringLiteral("set by the program"));
}

TEST_F(EditBtnTest, ButtonWidth)
{
    auto* e = Add<TAsgEditBtn>(20, 20, 121, 21);
    EXPECT_EQ(e->ButtonWidth(), 0);
    EXPECT_EQ(e->Button()->Width(), 18);
    e->SetButtonWidth(24);
    EXPECT_EQ(e->ButtonWidth(), 24);
    EXPECT_EQ(e->Button()->Width(), 24);
    EXPECT_EQ(e->Button()->Button()->Width(), 24);

    EXPECT_EQ(UnitTextRect(121, 17, 18, 20), TRect(80, 2, 100, 17));
    const struct { TColor color; bool xp, theme, flat; TEditButtonPaintMode mode; } rows[] = {
        {clRed, true, true, false, ebpOwnColors}, {clNone, true, true, false, ebpThemed},
        {clNone, true, false, false, ebpClassic}, {clNone, false, true, true, ebpFlat},
    };
    for (auto r : rows) EXPECT_EQ(EditButtonPaintMode(r.color, r.xp, r.theme, r.flat), r.mode);
}

}  // namespace
