#pragma once
// A shown string grid for editing tests: keys go to the control that holds
// the focus, the way a user types.

#include "AdvGrid.h"
#include "AdvGridEditors.h"
#include "AdvGridInplace.h"
#include "Forms.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <memory>

class TEditTestGrid : public TAdvStringGrid {
public:
    explicit TEditTestGrid(TComponent* AOwner) : TAdvStringGrid(AOwner) {}
    using TAdvStringGrid::EditMode;
    using TAdvStringGrid::FCellCache;
    using TAdvStringGrid::FEditDisable;
    using TAdvStringGrid::FEditing;
    using TAdvStringGrid::FStartEditChar;
    using TAdvStringGrid::FValidating;
    using TAdvStringGrid::CanEditShow;
    using TAdvStringGrid::KeyPress;

    // Calls of the navigation the editors ask for.
    QStringList Calls;
    void AdvanceCell(int c, int r, bool e, bool rec, bool f, bool a, bool force) override
    {
        Calls << QStringLiteral("advance %1,%2 %3%4%5%6%7").arg(c).arg(r).arg(e).arg(rec).arg(f).arg(a).arg(force);
    }
    bool TabNavigate(bool back) override
    {
        Calls << QStringLiteral("tab %1").arg(back);
        return TAdvStringGrid::TabNavigate(back);
    }
    void EditorKeyDownMessage() override { Calls << QStringLiteral("keymsg"); }
    void EditorKeyDown(Word& k, TShiftState) override { Calls << QStringLiteral("keydown %1").arg(k); }
    void EditorCaret(const QString& t, TPoint p) override
    {
        Calls << QStringLiteral("caret %1 %2,%3").arg(t).arg(p.X).arg(p.Y);
    }
    void FormulaStateChanged(bool a) override { Calls << QStringLiteral("formula %1").arg(a); }
};

struct EditFixture {
    explicit EditFixture(int cols = 5, int rows = 6)
    {
        Form = Create<TForm>(nullptr);
        Form->SetBounds(0, 0, 640, 360);
        Grid = Create<TEditTestGrid>(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(0, 0, 620, 300);
        Grid->SetColCount(cols);
        Grid->SetRowCount(rows);
        TGridOptions o = Grid->Options();
        o.Include(goEditing);
        Grid->SetOptions(o);
        Other = new TEditTestGrid(Form);
        Other->SetParent(Form);
        Other->SetBounds(0, 310, 100, 40);
        Form->Show();
        QApplication::processEvents();
    }
    ~EditFixture() { Free(Form); }

    // The control the user types into.
    TWinControl* Focus() const { return Form->FocusedControl(); }
    void Key(int qtKey, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = QString())
    {
        TWinControl* c = Focus();
        QWidget* w = c ? c->Widget() : Grid->Widget();
        QKeyEvent down(QEvent::KeyPress, qtKey, mods, text);
        QApplication::sendEvent(w, &down);
        if (!c || c->Widget() == w) {
            QKeyEvent up(QEvent::KeyRelease, qtKey, mods, text);
            QApplication::sendEvent(w, &up);
        }
    }
    void Type(const QString& s)
    {
        for (QChar ch : s) Key(ch.isLetter() ? Qt::Key_A + (ch.toUpper().unicode() - 'A') : Qt::Key_unknown, {}, ch);
    }
    void Start(int c, int r)
    {
        Grid->FocusCell(c, r);
        Grid->SetFocus();
    }
    void Pump()
    {
        for (int i = 0; i < 5; ++i) QApplication::processEvents();
    }
    TForm* Form;
    TEditTestGrid* Grid;
    TEditTestGrid* Other;
};
